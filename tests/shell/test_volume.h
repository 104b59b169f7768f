// A directory of picture files written by the encoder, and a main window
// driven through the scripted dialogs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <QString>
#include <QTemporaryDir>

#include "main_form_probe.h"
#include "scripted_seam.h"
#include "shell/MainUnit.h"

class QAction;
class QToolButton;

namespace shelltest {

// The grey level of a test picture's pixel: every file gets its own pattern,
// so the picture on screen tells which file was loaded.
std::uint8_t PatternLevel(int x, int y, int seed);

class Volume {
public:
    Volume();
    const QString& Dir() const { return dirPath_; }
    QString Path(const std::string& name) const;

    // A 945-sample file (no catalogue row for RBL_ names: data behind two
    // header records), picture 945 x 702 of PatternLevel(seed), header line 1
    // "PICTURE <seed>".
    QString Write945(const std::string& name, int seed);
    // A 136-sample file (the 69_011 group) behind `headerRecords` records:
    // 69_011.001 has one, the others of its group two.
    QString Write136(const std::string& name, int seed, int headerRecords);

private:
    QTemporaryDir dir_;
    QString dirPath_;
};

// The main window with its scripted dialogs, shown on the offscreen screen.
struct Browser {
    ScriptedSeam seam;
    std::unique_ptr<TMainForm> form;

    Browser();
    ~Browser();

    QAction* action(const char* name) const;
    QToolButton* button(const char* name) const;
    QString counter() const;
    QString caption() const;  // the image window's, or empty without one
    // What the commands left inside the window.
    MainFormProbe probe() const { return {*form}; }

    // Open through the dialog, answering it with `path`.
    bool open(const QString& path);
    // Grey level at working-picture position (x, y) of the shown picture; the
    // first working row is the bottom row of the bottom-up BMP on screen.
    int shownLevel(int x, int y) const;
};

}  // namespace shelltest
