// The frame's title, naming the shown picture whatever else writes to it.
#include "shell/window_title.h"

#include <QEvent>
#include <QMainWindow>

TWindowTitle::TWindowTitle(QMainWindow& frame, const QPointer<TChild>& child)
    : QObject(&frame), frame_(frame), child_(child), caption_(frame.windowTitle()) {
    frame_.installEventFilter(this);
}

QString TWindowTitle::Wanted() const {
    // The form the document area gives a maximised window's name.
    return child_ ? QString("%1 - [%2]").arg(caption_, child_->windowTitle()) : caption_;
}

void TWindowTitle::Update() {
    if (setting_) return;
    const QString wanted = Wanted();
    if (frame_.windowTitle() == wanted) return;
    setting_ = true;
    frame_.setWindowTitle(wanted);
    setting_ = false;
}

bool TWindowTitle::eventFilter(QObject* watched, QEvent* event) {
    const bool changed = watched == &frame_ && event->type() == QEvent::WindowTitleChange;
    const bool result = QObject::eventFilter(watched, event);
    if (changed) Update();
    return result;
}
