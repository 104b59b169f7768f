// The picture's own stretches, the percentile stretch and equalisation: their
// Options items (defaults for the next loads), their tool buttons and Picture
// items (the shown picture), the Stretch Percentiles dialog, and the choices
// remembered from run to run. Of these two and the catalogue's Stretch at
// most one is on, and every widget of the three shows it.
#pragma once

#include <vector>

#include <QObject>

#include "processing/display_options.h"
#include "session/browsing_session.h"
#include "shell/command_bar.h"
#include "shell/picture_show.h"
#include "shell/scan_control.h"

class TDialogSeam;
class QAction;
class QToolButton;
class QWidget;

class TStretchCommands : public QObject {
public:
    // Takes the remembered choices into the session and connects each
    // stretch's widgets to its row.
    TStretchCommands(QWidget& window, TDialogSeam& seam, orbalux::BrowsingSession& session, TCommandBar& commands,
                     TScanControl& scan, TPictureShow& show);

    // Every widget of the three stretches as the session has them.
    void Sync();
    // The stretch chosen for the next loads and the percentiles, kept.
    void Remember() const;
    // Stretch Percentiles...
    void ChoosePercentiles();

private:
    // Each row of the stretches table with its widgets.
    struct StretchControl {
        const orbalux::PictureStretchRow* row;
        QAction* menuItem;
        QToolButton* button;
        QAction* pictureItem;
    };

    QWidget& window_;
    TDialogSeam& seam_;
    orbalux::BrowsingSession& session_;
    const std::vector<OptionControl>& options_;
    TScanControl& scan_;
    TPictureShow& show_;
    std::vector<StretchControl> stretches_;
};
