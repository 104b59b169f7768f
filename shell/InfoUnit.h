// The information dialog: the ten lines of the telemetry header of the
// picture last loaded, in a fixed-pitch font so the 72 columns align.
#pragma once

#include <array>
#include <string>

#include <QDialog>

class QLabel;

class TInfoBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLineCount = 10;

    explicit TInfoBox(QWidget* parent = nullptr);

    // Every load writes all ten lines, whether the dialog is shown or not.
    void SetHeaderLines(const std::array<std::string, kLineCount>& lines);
    QLabel* Line(int index) const { return lines_[static_cast<std::size_t>(index)]; }
    // Under the header: how many lines the load counted as lost in transmission.
    void SetLostLineCount(int lostLines);
    QLabel* LostLines() const { return lostLines_; }

private:
    std::array<QLabel*, kLineCount> lines_{};
    QLabel* lostLines_ = nullptr;
};
