// The pressed state of a display option's toggles on the shown picture.
#include "shell/option_control.h"

#include <QAction>
#include <QToolButton>

void SetOptionPressed(const OptionControl& option, bool pressed) {
    if (option.button) option.button->setChecked(pressed);
    if (option.pictureItem) option.pictureItem->setChecked(pressed);
}
