// Tab round the main window's parts and Enter on a tool button. The picture
// lives in a document window, which keeps Tab among its own children; the
// round is therefore taken here, ahead of the widgets, from the list of stops.
#include "shell/keyboard_paths.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QToolButton>

TKeyboardPaths::TKeyboardPaths(QWidget& frame, std::function<std::vector<QWidget*>()> stops)
    : QObject(&frame), frame_(frame), stops_(std::move(stops)) {
    qApp->installEventFilter(this);
}

bool TKeyboardPaths::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != &frame_ || widget != QApplication::focusWidget()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Tab && mods == Qt::NoModifier) return Cycle(widget, true);
    if (key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && mods == Qt::ShiftModifier))
        return Cycle(widget, false);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
        if (auto* button = qobject_cast<QToolButton*>(widget); button && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return false;
}

bool TKeyboardPaths::Cycle(QWidget* from, bool forward) {
    std::vector<QWidget*> stops = stops_();
    std::erase(stops, nullptr);
    // The stop that holds the focus: a picture's scroll area holds its viewport.
    const auto at = std::find_if(stops.begin(), stops.end(),
                                 [from](QWidget* stop) { return stop == from || stop->isAncestorOf(from); });
    if (at == stops.end()) return false;
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t i = at - stops.begin();
    for (std::ptrdiff_t n = 1; n < count; ++n) {
        i = (i + (forward ? 1 : count - 1)) % count;
        QWidget* next = stops[static_cast<std::size_t>(i)];
        if (next->isVisible() && next->isEnabled()) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}
