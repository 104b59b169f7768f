// The display options: the menu items that set the defaults for the next
// load, and the tool buttons (and their Picture menu items) that re-run the
// chain on the shown picture, with the brightness and contrast steps and
// "Original Image".
#pragma once

#include <vector>

#include <QObject>

#include "session/browsing_session.h"
#include "shell/option_control.h"
#include "shell/picture_show.h"
#include "shell/stretch_commands.h"

class TOptionCommands : public QObject {
public:
    // Connects each option's widgets to its row.
    // Keeps `stretches` exclusive with the catalogue's Stretch.
    TOptionCommands(orbalux::BrowsingSession& session, const std::vector<OptionControl>& options, TPictureShow& show,
                    TStretchCommands& stretches);

    // The option buttons pressed as the shown picture's options are.
    void Sync();
    // A brightness or contrast step on the shown picture.
    void StepLevel(int orbalux::PictureState::*level, int step);
    void ShowOriginal();

private:
    void MenuOptionClicked(const OptionControl& option);
    void OptionButtonClicked(const OptionControl& option);

    orbalux::BrowsingSession& session_;
    const std::vector<OptionControl>& options_;
    TPictureShow& show_;
    TStretchCommands& stretches_;
};
