// The status bar's order of urgency: the pointer readout, or a message such
// as a refused entry, keeps room for its whole text at any width of the
// window; the other fields take what is left, in order of urgency, and the
// least urgent give way (shortened, then gone) first.
#pragma once

#include <vector>

#include <QObject>

class QLabel;
class QStatusBar;

class TStatusPriorities : public QObject {
public:
    // `readout` is the bar's one normal field; `fields` are its permanent
    // ones, the one that gives way first first.
    TStatusPriorities(QStatusBar& bar, QLabel* readout, std::vector<QLabel*> fields);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Share();

    QStatusBar& bar_;
    QLabel* readout_;
    std::vector<QLabel*> fields_;
    bool sharing_ = false;
};
