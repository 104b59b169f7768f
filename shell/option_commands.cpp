// The display options: the menu items that set the defaults for the next
// load, and the tool buttons (and their Picture menu items) that re-run the
// chain on the shown picture. Which option each one is comes from the
// options table.
#include <algorithm>
#include <stdexcept>

#include <QAction>
#include <QToolButton>

#include "processing/stages.h"
#include "shell/InfoUnit.h"
#include "shell/MainUnit.h"

using orbalux::Outcome;
using orbalux::PictureState;

const TMainForm::OptionControl& TMainForm::OptionOf(const orbalux::DisplayOptionRow* row) const {
    const auto it =
        std::find_if(options_.begin(), options_.end(), [row](const OptionControl& o) { return o.row == row; });
    if (!row || it == options_.end()) throw std::logic_error("a command names no display option");
    return *it;
}

void TMainForm::SetOptionPressed(const OptionControl& option, bool pressed) {
    if (option.button) option.button->setChecked(pressed);
    if (option.pictureItem) option.pictureItem->setChecked(pressed);
}

void TMainForm::SyncOptionButtons() {
    for (const OptionControl& o : options_)
        if (o.row->kind == orbalux::SwitchKind::ChainFlag) SetOptionPressed(o, state_.ActiveOptions.*o.row->flag == 1);
}

void TMainForm::MenuOptionClicked(const char* item) {
    const OptionControl& option = OptionOf(orbalux::OptionByMenuItem(item));
    const bool on = session_.ToggleMenuOption(*option.row);
    option.menuItem->setChecked(option.row->kind == orbalux::SwitchKind::KeepGaps ? !on : on);
}

void TMainForm::Atostretch1Click() { MenuOptionClicked("Atostretch1"); }
void TMainForm::Despeckleon1Click() { MenuOptionClicked("Despeckleon1"); }
void TMainForm::FlipVertically1Click() { MenuOptionClicked("FlipVertically1"); }
void TMainForm::Invert1Click() { MenuOptionClicked("Invert1"); }
void TMainForm::Minimize1Click() { MenuOptionClicked("Minimize1"); }
void TMainForm::Minimize141Click() { MenuOptionClicked("Minimize141"); }
void TMainForm::Rotate1Click() { MenuOptionClicked("Rotate1"); }
void TMainForm::HorizontalStretch1Click() { MenuOptionClicked("HorizontalStretch1"); }
void TMainForm::N1missinglinefill1Click() { MenuOptionClicked("N1missinglinefill1"); }
void TMainForm::N2ormoremissinglinescompress1Click() { MenuOptionClicked("N2ormoremissinglinescompress1"); }

void TMainForm::Redisplayed(Outcome outcome) {
    if (outcome == Outcome::Failed) ReportLastError();
    if (outcome != Outcome::Done) return;
    try {
        ShowPicture(session_.WholeChainShown());
    } catch (const orbalux::OrbaluxError& e) {
        ReportError(e);
    }
}

void TMainForm::OptionButtonClicked(const char* button) {
    const OptionControl& option = OptionOf(orbalux::OptionByToolButton(button));
    Redisplayed(session_.ToggleShownOption(*option.row));
    SetOptionPressed(option, state_.ActiveOptions.*option.row->flag == 1);
}

void TMainForm::ToolButton10Click() { OptionButtonClicked("ToolButton10"); }
void TMainForm::ToolButton33Click() { OptionButtonClicked("ToolButton33"); }
void TMainForm::ToolButton12Click() { OptionButtonClicked("ToolButton12"); }
void TMainForm::ToolButton13Click() { OptionButtonClicked("ToolButton13"); }
void TMainForm::ToolButton18Click() { OptionButtonClicked("ToolButton18"); }
void TMainForm::ToolButton19Click() { OptionButtonClicked("ToolButton19"); }
void TMainForm::ToolButton30Click() { OptionButtonClicked("ToolButton30"); }
void TMainForm::ToolButton32Click() { OptionButtonClicked("ToolButton32"); }

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
