// The main window's side of the thumbnail strip: the dock where it was left,
// the View menu's switch for it (remembered from run to run), the list and
// the highlight following the session and the folder, and a click on an
// entry.
#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "session/browsing_session.h"
#include "shell/counter_control.h"

class QAction;
class QMainWindow;
class TFolderWatch;
class TThumbnailStrip;

class TThumbnailCommands : public QObject {
public:
    // Docks the strip in `frame`; `thumbnailsItem` is View, Thumbnails. A
    // chosen entry goes to `goTo` while a picture is shown, else to `open`.
    TThumbnailCommands(QMainWindow& frame, orbalux::BrowsingSession& session, TCounterControl& counter,
                       QAction* thumbnailsItem, std::function<bool(int)> goTo,
                       std::function<bool(const QString&)> open);

    TThumbnailStrip* Strip() const { return strip_; }
    // A new directory list, or none: a closed picture leaves the list in the
    // strip, unlit, so that a click opens one of it again.
    void FileListChanged();
    void ShownPositionChanged(int position);
    void Toggle();

private:
    void Chosen(int position);
    void FollowFolder();

    orbalux::BrowsingSession& session_;
    TCounterControl& counter_;
    QAction* thumbnailsItem_;
    std::function<bool(int)> goTo_;
    std::function<bool(const QString&)> open_;
    TThumbnailStrip* strip_ = nullptr;
    TFolderWatch* watch_ = nullptr;
};
