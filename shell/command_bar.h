// The menus, the two-row tool bar with its counter box and the Picture menu,
// built from the command tables; each row's widget is connected to its
// command, and enabled while the command can be given.
#pragma once

#include <vector>

#include <QObject>

#include "session/browsing_session.h"
#include "shell/option_control.h"

class QAction;
class QLineEdit;
class QMainWindow;
class QToolBar;
class QToolButton;
class QWidget;
class TCommandTarget;

// A QObject so that its connections go with it.
class TCommandBar : public QObject {
public:
    // Builds the menu bar and the tool bar of `frame`; the commands go to
    // `target`, the scan pauses and the option defaults to `session`.
    TCommandBar(QMainWindow& frame, TCommandTarget& target, orbalux::BrowsingSession& session);

    QAction* MenuItem(const char* name) const;
    QToolButton* ToolButton(const char* name) const;
    // A tool button's item in the Picture menu, by its own design name.
    QAction* PictureItem(const char* name) const;
    // Each display option, paired once with its widgets.
    const std::vector<OptionControl>& Options() const { return options_; }
    QLineEdit* Counter() const { return counter_; }
    QToolBar* ToolBar() const { return toolBar_; }

    // Enables the commands for a picture shown (or a bad entry) or none.
    void SetPictureCommands(bool pictureShown);
    void SetScanPause(int milliseconds);
    // The counter lives in the tool bar and hides and shows with it.
    void ToggleToolBar();

private:
    void BuildMenus(TCommandTarget& target);
    void BuildToolBar(TCommandTarget& target);
    void BuildCounter(QWidget* parent);

    QMainWindow& frame_;
    orbalux::BrowsingSession& session_;
    // The commands' widgets, by row of the command tables.
    std::vector<QAction*> menuItems_;
    std::vector<QToolButton*> toolButtons_;
    std::vector<QAction*> pictureItems_;
    std::vector<OptionControl> options_;
    QToolBar* toolBar_ = nullptr;
    QLineEdit* counter_ = nullptr;
};
