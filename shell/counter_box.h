// The counter at the end of the tool bar: it shows the place in the list and
// the count ("3/57") and takes a place typed over it. Clicked or reached by
// Tab, it selects its whole text, so that what is typed replaces it.
#pragma once

#include <QLineEdit>

class TCounterBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TCounterBox(const QString& text, QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool selectOnClick_ = false;  // the click that gave the focus
};
