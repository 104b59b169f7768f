#include "shell/full_screen.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

TFullScreen::TFullScreen(QMainWindow& frame) : QObject(&frame), frame_(frame) {
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), &frame, [this] { Leave(); });
    escape_->setEnabled(false);
}

void TFullScreen::Toggle() {
    if (active_)
        Leave();
    else
        Enter();
}

void TFullScreen::Enter() {
    if (active_) return;
    active_ = true;
    wasMaximized_ = frame_.isMaximized();
    hidden_.clear();
    std::vector<QWidget*> around{frame_.menuBar(), frame_.statusBar()};
    for (QToolBar* bar : frame_.findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) around.push_back(bar);
    for (QDockWidget* dock : frame_.findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly)) around.push_back(dock);
    for (QWidget* widget : around)
        if (widget && widget->isVisible()) {
            hidden_.emplace_back(widget);
            widget->hide();
        }
    escape_->setEnabled(true);
    frame_.showFullScreen();
}

void TFullScreen::Leave() {
    if (!active_) return;
    active_ = false;
    escape_->setEnabled(false);
    for (const QPointer<QWidget>& widget : hidden_)
        if (widget) widget->show();
    hidden_.clear();
    if (wasMaximized_)
        frame_.showMaximized();
    else
        frame_.showNormal();
}
