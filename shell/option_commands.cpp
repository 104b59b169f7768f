// The display options: the menu items that set the defaults for the next
// load, and the tool buttons (and their Picture menu items) that re-run the
// chain on the shown picture. Each is connected to its option's row of the
// options table (command_bar.cpp), so none looks its option up.
#include "shell/option_commands.h"

#include <QAction>
#include <QToolButton>

using orbalux::Outcome;

TOptionCommands::TOptionCommands(orbalux::BrowsingSession& session, const std::vector<OptionControl>& options,
                                 TPictureShow& show, TStretchCommands& stretches)
    : session_(session), options_(options), show_(show), stretches_(stretches) {
    for (const OptionControl& option : options_) {
        const OptionControl* o = &option;
        connect(option.menuItem, &QAction::triggered, this, [this, o] { MenuOptionClicked(*o); });
        const auto toggle = [this, o] { OptionButtonClicked(*o); };
        if (option.button) connect(option.button, &QToolButton::clicked, this, toggle);
        if (option.pictureItem) connect(option.pictureItem, &QAction::triggered, this, toggle);
    }
}

void TOptionCommands::Sync() {
    const orbalux::PictureState& state = session_.State();
    for (const OptionControl& o : options_)
        if (o.row->kind == orbalux::SwitchKind::ChainFlag) SetOptionPressed(o, state.ActiveOptions.*o.row->flag == 1);
    stretches_.Sync();
}

void TOptionCommands::MenuOptionClicked(const OptionControl& option) {
    const bool on = session_.ToggleMenuOption(*option.row);
    option.menuItem->setChecked(option.row->kind == orbalux::SwitchKind::KeepGaps ? !on : on);
    // Stretch turned on clears the picture's own stretches, here and in the settings.
    if (option.row->kind == orbalux::SwitchKind::ChainFlag && orbalux::IsStretchFlag(option.row->flag)) {
        stretches_.Sync();
        stretches_.Remember();
    }
}

void TOptionCommands::OptionButtonClicked(const OptionControl& option) {
    show_.Redisplayed(session_.ToggleShownOption(*option.row));
    SetOptionPressed(option, session_.State().ActiveOptions.*option.row->flag == 1);
    stretches_.Sync();
}

void TOptionCommands::StepLevel(int orbalux::PictureState::*level, int step) {
    show_.Redisplayed(session_.StepLevel(level, step));
}

void TOptionCommands::ShowOriginal() {
    const Outcome outcome = session_.ShowOriginal();
    if (outcome == Outcome::Done) Sync();
    show_.Redisplayed(outcome);
}
