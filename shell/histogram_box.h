// The histogram window: the 256 grey levels of the shown picture's own pixels
// as bars on a linear or logarithmic count scale, with the levels and counts
// on its axes, the pixel count, the lowest and highest level and the mean.
// After a percentile stretch it marks the levels lo and hi that the stretch
// took to black and white, and names them.
// The main window hands it every new display while it is open.
#pragma once

#include <QDialog>
#include <QWidget>

#include <optional>

#include "session/grey_histogram.h"
#include "session/stretch_marks.h"

class QCheckBox;
class QLabel;

// The bars: one column per grey level, the tallest count reaching the top.
class THistogramBars : public QWidget {
    Q_OBJECT
public:
    explicit THistogramBars(QWidget* parent = nullptr);
    void SetHistogram(const orbalux::GreyHistogram& histogram);
    // On a logarithmic scale a level of few pixels still shows beside one of
    // many: the bar of n pixels is log(1 + n) / log(1 + tallest) high.
    void SetLogarithmic(bool on);
    bool Logarithmic() const { return logarithmic_; }
    // Height in pixels of the bar of `level` in the current size.
    int BarHeight(int level) const;
    // The percentile stretch's lo and hi, drawn as two lines; none: no lines.
    void SetStretchMarks(const std::optional<orbalux::StretchMarks>& marks);
    const std::optional<orbalux::StretchMarks>& StretchMarks() const { return marks_; }
    // The screen column in the middle of `level`'s bar, in the current size.
    int ColumnOf(int level) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect PlotArea() const;
    // Bar height of n pixels in an area `area` high.
    int HeightOf(long long n, long long tallest, int area) const;

    orbalux::GreyHistogram histogram_;
    bool logarithmic_ = false;
    std::optional<orbalux::StretchMarks> marks_;
};

class THistogramBox : public QDialog {
    Q_OBJECT
public:
    explicit THistogramBox(QWidget* parent = nullptr);

    // Shows the figures of `histogram`; Clear shows an empty histogram.
    void SetHistogram(const orbalux::GreyHistogram& histogram);
    // Marks a percentile stretch's lo and hi with the words that name them;
    // none takes the marks away. Clear takes them away too.
    void SetStretchMarks(const std::optional<orbalux::StretchMarks>& marks, const QString& text);
    void Clear();

    const orbalux::GreyHistogram& Histogram() const { return histogram_; }
    THistogramBars* Bars() const { return bars_; }

private:
    orbalux::GreyHistogram histogram_;
    THistogramBars* bars_;
    QCheckBox* logarithmic_;
    QLabel* pixels_;
    QLabel* minimum_;
    QLabel* maximum_;
    QLabel* mean_;
    QLabel* stretch_;
};
