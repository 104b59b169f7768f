// One display option with the widgets that show it.
#pragma once

#include "processing/display_options.h"

class QAction;
class QToolButton;

struct OptionControl {
    const orbalux::DisplayOptionRow* row;
    QAction* menuItem;     // Options / Missing Lines menu: the next load's default
    QToolButton* button;   // the shown picture's toggle, or nullptr
    QAction* pictureItem;  // the same toggle in the Picture menu, or nullptr
};

// The option's button and Picture item pressed or not, as the shown picture has it.
void SetOptionPressed(const OptionControl& option, bool pressed);
