// The display options: the menu items that set the defaults for the next
// load, and the tool buttons (and their Picture menu items) that re-run the
// chain on the shown picture. Each is connected to its option's row of the
// options table (command_map.cpp), so none looks its option up.
#include <QAction>
#include <QToolButton>

#include "processing/stages.h"
#include "shell/InfoUnit.h"
#include "shell/MainUnit.h"

using orbalux::Outcome;
using orbalux::PictureState;

void TMainForm::SetOptionPressed(const OptionControl& option, bool pressed) {
    if (option.button) option.button->setChecked(pressed);
    if (option.pictureItem) option.pictureItem->setChecked(pressed);
}

void TMainForm::SyncOptionButtons() {
    for (const OptionControl& o : options_)
        if (o.row->kind == orbalux::SwitchKind::ChainFlag) SetOptionPressed(o, state_.ActiveOptions.*o.row->flag == 1);
    SyncStretchControls();
}

void TMainForm::MenuOptionClicked(const OptionControl& option) {
    const bool on = session_.ToggleMenuOption(*option.row);
    option.menuItem->setChecked(option.row->kind == orbalux::SwitchKind::KeepGaps ? !on : on);
    // Stretch turned on clears the picture's own stretches, here and in the settings.
    if (option.row->kind == orbalux::SwitchKind::ChainFlag && orbalux::IsStretchFlag(option.row->flag)) {
        SyncStretchControls();
        RememberStretchChoices();
    }
}

void TMainForm::Redisplayed(Outcome outcome) {
    if (outcome == Outcome::Failed) ReportLastError();
    if (outcome != Outcome::Done) return;
    try {
        ShowPicture(session_.WholeChainShown());
    } catch (const orbalux::OrbaluxError& e) {
        ReportError(e);
    }
}

void TMainForm::OptionButtonClicked(const OptionControl& option) {
    Redisplayed(session_.ToggleShownOption(*option.row));
    SetOptionPressed(option, state_.ActiveOptions.*option.row->flag == 1);
    SyncStretchControls();
}

void TMainForm::ToolButton27Click() { Redisplayed(session_.StepLevel(&PictureState::ContrastLevel, -1)); }
void TMainForm::ToolButton28Click() { Redisplayed(session_.StepLevel(&PictureState::ContrastLevel, 1)); }
void TMainForm::ToolButton20Click() {
    Redisplayed(session_.StepLevel(&PictureState::BrightnessLevel, -orbalux::kBrightnessStep));
}
void TMainForm::ToolButton21Click() {
    Redisplayed(session_.StepLevel(&PictureState::BrightnessLevel, orbalux::kBrightnessStep));
}

void TMainForm::ToolButton9Click() {
    const Outcome outcome = session_.ShowOriginal();
    if (outcome == Outcome::Done) SyncOptionButtons();
    Redisplayed(outcome);
}

void TMainForm::ToolButton29Click() { ShowModal(*InfoBox_); }
