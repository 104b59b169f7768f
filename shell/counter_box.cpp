// The counter box: its text selected on entry, and its width fitted to the count.
#include "shell/counter_box.h"

#include <algorithm>

#include <QFocusEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QMouseEvent>
#include <QTimer>

TCounterBox::TCounterBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    connect(this, &QLineEdit::textChanged, this, &TCounterBox::FitCount);
    FitCount();
}

void TCounterBox::FitCount() {
    // Only a place and a count: a position being typed changes nothing.
    const qsizetype slash = text().indexOf('/');
    if (slash < 0) return;
    const qsizetype digits = text().size() - slash - 1;
    const QFontMetrics metrics(font());
    QChar widest = '0';
    for (char digit = '1'; digit <= '9'; ++digit)
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(widest))
            widest = QLatin1Char(digit);
    // The place has at most as many digits as the count.
    const QString widestText = QString(digits, widest) + '/' + QString(digits, widest);
    // Inside the frame a line edit keeps its text margins and 2 pixels each side.
    const QMargins margins = textMargins();
    const int needed = metrics.horizontalAdvance(widestText) + 4 + margins.left() + margins.right() +
                       2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) + 2;
    setFixedWidth(std::max(kLeastWidth, needed));
}

void TCounterBox::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) FitCount();
}

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
