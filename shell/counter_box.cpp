#include "shell/counter_box.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QTimer>

TCounterBox::TCounterBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {}

void TCounterBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectAll();
    // The press that follows would put the caret under the pointer.
    selectOnClick_ = event->reason() == Qt::MouseFocusReason;
}

void TCounterBox::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (selectOnClick_) {
        selectOnClick_ = false;
        selectAll();
    }
}
