// The main window's side of the thumbnail strip: the dock where it was left,
// the View menu's switch for it (remembered from run to run), the list and
// the highlight following the session and the folder, and a click on an
// entry.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

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
    // chosen entry goes to `goTo` (its place in the list as it is now) while
    // a picture is shown, else to `open`.
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
    void Chosen(const std::string& name);
    void FollowFolder();
    // The strip shows the session's list as it is now, the shown entry framed.
    void ShowList();

    orbalux::BrowsingSession& session_;
    TCounterControl& counter_;
    QAction* thumbnailsItem_;
    std::function<bool(int)> goTo_;
    std::function<bool(const QString&)> open_;
    TThumbnailStrip* strip_ = nullptr;
    TFolderWatch* watch_ = nullptr;
    std::uint64_t listShown_ = 0;  // the session's list version in the strip
};
