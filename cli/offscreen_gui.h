// Qt for the converter's drawn text (the contact sheet's labels, a movie's
// file names): an off-screen GUI application for the length of a drawing,
// and the labels' font.
#pragma once

#include <QFont>
#include <QGuiApplication>
#include <QtGlobal>

#include <memory>

namespace orbalux::cli {

// A Qt GUI application while it lives, always on the off-screen platform:
// the converter draws into memory only, and runs where there is no display
// at all (a server, a batch job) whatever QT_QPA_PLATFORM says. Fonts still
// come from the system's font configuration. Does nothing when an
// application already runs.
class OffscreenGui {
public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    QtMessageHandler previousHandler_ = nullptr;
    int argc_ = 1;
    char name_[16] = "orbalux-convert";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

// The labels' sans-serif font at `pixelSize`.
QFont LabelFont(int pixelSize);

}  // namespace orbalux::cli
