#include "shell/elided_label.h"

#include <QFontMetrics>
#include <QResizeEvent>

TElidedLabel::TElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void TElidedLabel::SetFullText(const QString& text) {
    full_ = text;
    updateGeometry();
    Elide();
}

QSize TElidedLabel::sizeHint() const {
    // As wide as the whole text wants; the status bar gives less when short of room.
    return {fontMetrics().horizontalAdvance(full_) + 2 * margin() + 4, QLabel::sizeHint().height()};
}

QSize TElidedLabel::minimumSizeHint() const {
    // Room for an ellipsis and a few letters.
    return {full_.isEmpty() ? 0 : fontMetrics().horizontalAdvance("Wi…"), QLabel::minimumSizeHint().height()};
}

void TElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void TElidedLabel::Elide() {
    const QString shown = fontMetrics().elidedText(full_, Qt::ElideRight, contentsRect().width());
    setText(shown);
    setToolTip(shown == full_ ? QString() : full_);
}

void SetStatusText(QLabel* label, const QString& text) {
    if (auto* elided = qobject_cast<TElidedLabel*>(label))
        elided->SetFullText(text);
    else
        label->setText(text);
}
