// The counter box: the place shown, and a position typed to go to.
#include "shell/counter_control.h"

#include <QLineEdit>
#include <QStatusBar>

TCounterControl::TCounterControl(QLineEdit* box, const orbalux::BrowsingSession& session, QStatusBar* statusBar,
                                 const QPointer<TChild>& child, std::function<void(int)> goTo)
    : box_(box), session_(session), statusBar_(statusBar), child_(child), goTo_(std::move(goTo)) {
    connect(box_, &QLineEdit::returnPressed, this, [this] { Entered(); });
    // Left without Enter, it shows the position again.
    connect(box_, &QLineEdit::editingFinished, this, [this] { Show(); });
}

void TCounterControl::Update() {
    // A position being typed into the box is not overwritten by a scan step.
    if (box_->hasFocus() && box_->isModified()) return;
    Show();
}

void TCounterControl::Show() { box_->setText(QString::fromStdString(session_.CounterText())); }

void TCounterControl::TakeFocus() {
    box_->setFocus(Qt::ShortcutFocusReason);
    box_->selectAll();
}

void TCounterControl::Entered() {
    bool number = false;
    const QString typed = box_->text().trimmed();
    const int position = typed.toInt(&number);
    const int count = session_.FileListCount();
    if (number && position >= 1 && position <= count) {
        goTo_(position);
    } else if (typed != QString::fromStdString(session_.CounterText())) {
        // Refused, with a word: the counter shows the place again.
        statusBar_->showMessage(count == 0 ? QString("No list to go to")
                                           : QString("No entry %1: the list holds 1 to %2").arg(typed).arg(count),
                                5000);
    }
    Show();
    // Back to the picture, where the arrow keys step again.
    if (child_) child_->setFocus();
}
