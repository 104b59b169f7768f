// Open, the load of a list entry, and closing the picture: the image window
// made on the first picture and gone with the last, and everything that
// follows a load (commands, counter, options, header lines, warnings, scan).
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "session/browsing_session.h"
#include "shell/MDIChild.h"
#include "shell/command_bar.h"
#include "shell/counter_control.h"
#include "shell/error_report.h"
#include "shell/option_commands.h"
#include "shell/picture_show.h"
#include "shell/scan_control.h"
#include "shell/viewing_tools.h"

class TDialogSeam;
class QLabel;
class QMainWindow;
class QMdiArea;
class TInfoBox;
class TThumbnailStrip;

// The parts of the window that a load sets.
struct LoadingParts {
    QMainWindow& frame;
    QMdiArea* mdiArea;
    TDialogSeam& seam;
    orbalux::BrowsingSession& session;
    QPointer<TChild>& child;  // the image window, made and forgotten here
    TScanControl& scan;
    TErrorReport& report;
    TCommandBar& commands;
    TCounterControl& counter;
    TViewingTools& tools;
    TPictureShow& show;
    TOptionCommands& options;
    TThumbnailStrip* strip;
    TInfoBox* infoBox;
    QLabel* warningStatus;  // what the load of the shown picture warns of
};

class TPictureLoading : public QObject {
    Q_OBJECT
public:
    explicit TPictureLoading(const LoadingParts& parts);

    // Open with its dialog.
    void Open();
    // Open of a given path, as Open after its dialog. Returns whether a
    // picture is now shown from `path`.
    bool OpenPath(const QString& path);
    // Entry `position` (1-based) of the directory list, loaded as Next loads
    // its entry. Returns false when nothing new is shown.
    bool GoToEntry(int position);
    // After a command of the session: the new picture shown, or the failure
    // reported; the scan's timer and buttons follow the session.
    void Shown(orbalux::Outcome outcome);
    void Close();
    void RefreshHeaderLines();

signals:
    // A new directory list (after an Open), or none (the picture closed).
    void fileListChanged();
    // A picture of the list is shown at `position` (1-based; 0: not listed).
    void shownPositionChanged(int position);
    // The image window is going: what showed its picture lets go of it.
    void pictureClosing();

private:
    void ShowLoadedEntry();
    void ShowLoadWarnings();
    void ImageWindowClosed();

    LoadingParts p_;
};
