// The counter at the end of the tool bar: it shows the place in the list and
// the count ("3/57") and takes a place typed over it. Clicked or reached by
// Tab, it selects its whole text, so that what is typed replaces it. It is as
// wide as the list's count needs ("3751/5000" whole), never below its
// design width.
#pragma once

#include <QLineEdit>

class TCounterBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TCounterBox(const QString& text, QWidget* parent = nullptr);
    static constexpr int kLeastWidth = 89;

protected:
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Wide enough for any place of a list of the count the text shows.
    void FitCount();

    bool selectOnClick_ = false;  // the click that gave the focus
};
