// A status bar text that never widens the window: what does not fit is
// shortened with an ellipsis and shown whole in its tooltip.
#pragma once

#include <QLabel>

class TElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit TElidedLabel(QWidget* parent = nullptr);

    // The whole text; text() holds what is shown.
    void SetFullText(const QString& text);
    const QString& FullText() const { return full_; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Elide();

    QString full_;
};

// Sets a status text whole, shortened where `label` elides.
void SetStatusText(QLabel* label, const QString& text);
