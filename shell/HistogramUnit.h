// The histogram window: the 256 grey levels of the shown picture as bars,
// with the pixel count, the lowest and highest level and the mean. The main
// window hands it every new display while it is open.
#pragma once

#include <QDialog>
#include <QWidget>

#include "shell/grey_histogram.h"

class QLabel;

// The bars: one column per grey level, the tallest count reaching the top.
class THistogramBars : public QWidget {
    Q_OBJECT
public:
    explicit THistogramBars(QWidget* parent = nullptr);
    void SetHistogram(const GreyHistogram& histogram);
    // Height in pixels of the bar of `level` in the current size.
    int BarHeight(int level) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    GreyHistogram histogram_;
};

class THistogramBox : public QDialog {
    Q_OBJECT
public:
    explicit THistogramBox(QWidget* parent = nullptr);

    // Shows the figures of `histogram`; Clear shows an empty histogram.
    void SetHistogram(const GreyHistogram& histogram);
    void Clear();

    const GreyHistogram& Histogram() const { return histogram_; }
    THistogramBars* Bars() const { return bars_; }

private:
    GreyHistogram histogram_;
    THistogramBars* bars_;
    QLabel* pixels_;
    QLabel* minimum_;
    QLabel* maximum_;
    QLabel* mean_;
};
