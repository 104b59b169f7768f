#include "shell/histogram_box.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

using orbalux::GreyHistogram;

namespace {
constexpr int kLevels = 256;
constexpr int kBarAreaHeight = 160;
constexpr int kScaleHeight = 6;  // the grey wedge under the bars
constexpr int kTick = 3;
// The levels named under the wedge.
constexpr int kLevelTicks[] = {0, 64, 128, 192, 255};

long long Tallest(const GreyHistogram& h) { return *std::max_element(h.counts.begin(), h.counts.end()); }
}  // namespace

THistogramBars::THistogramBars(QWidget* parent) : QWidget(parent) {
    setObjectName("HistogramBars");
    // One screen column per grey level, so no level hides behind another,
    // beside the count axis and above the level axis.
    const QFontMetrics fm(font());
    setMinimumSize(kLevels + fm.horizontalAdvance("0000000") + 2 * kTick,
                   kBarAreaHeight + kScaleHeight + fm.height() + 2 * kTick);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void THistogramBars::SetHistogram(const GreyHistogram& histogram) {
    histogram_ = histogram;
    update();
}

void THistogramBars::SetStretchMarks(const std::optional<orbalux::StretchMarks>& marks) {
    marks_ = marks;
    update();
}

int THistogramBars::ColumnOf(int level) const {
    const QRect plot = PlotArea();
    return plot.left() + level * plot.width() / kLevels + std::max(1, plot.width() / kLevels) / 2;
}

void THistogramBars::SetLogarithmic(bool on) {
    logarithmic_ = on;
    update();
}

QRect THistogramBars::PlotArea() const {
    const QFontMetrics fm(font());
    const int left = fm.horizontalAdvance(QString::number(std::max(1LL, Tallest(histogram_)))) + 2 * kTick;
    const int top = fm.height() / 2;
    const int bottom = kScaleHeight + fm.height() + kTick;
    return QRect(left, top, std::max(1, width() - left - fm.horizontalAdvance("00") / 2), std::max(1, height() - top - bottom));
}

int THistogramBars::BarHeight(int level) const {
    if (level < 0 || level >= kLevels) return 0;
    const long long tallest = Tallest(histogram_);
    const long long n = histogram_.counts[static_cast<std::size_t>(level)];
    if (tallest == 0 || n == 0) return 0;
    // A level that is present keeps at least one pixel of bar.
    return std::max(1, HeightOf(n, tallest, PlotArea().height()));
}

int THistogramBars::HeightOf(long long n, long long tallest, int area) const {
    if (logarithmic_) return static_cast<int>(area * std::log1p(double(n)) / std::log1p(double(tallest)));
    return static_cast<int>(n * area / tallest);
}

void THistogramBars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect plot = PlotArea();
    painter.fillRect(plot, palette().base());
    auto columnOf = [&plot](int level) { return plot.left() + level * plot.width() / kLevels; };
    for (int level = 0; level < kLevels; ++level) {
        const int left = columnOf(level);
        const int right = std::max(left + 1, columnOf(level + 1));
        const int bar = BarHeight(level);
        if (bar > 0) painter.fillRect(QRect(left, plot.bottom() + 1 - bar, right - left, bar), palette().text());
        // The grey scale under the bars tells which level each column is.
        painter.fillRect(QRect(left, plot.bottom() + 1, right - left, kScaleHeight), QColor(level, level, level));
    }

    // The percentile stretch's lo and hi across the bars.
    if (marks_) {
        painter.setPen(QPen(QColor(210, 30, 30), 1));
        for (const int level : {marks_->low, marks_->high})
            if (level >= 0 && level < kLevels) painter.drawLine(ColumnOf(level), plot.top(), ColumnOf(level), plot.bottom());
    }

    // Axes: the levels below, the counts at the left.
    const QFontMetrics fm(font());
    painter.setPen(palette().windowText().color());
    const int levelsTop = plot.bottom() + 1 + kScaleHeight;
    for (const int level : kLevelTicks) {
        const int x = columnOf(level) + std::max(1, plot.width() / kLevels) / 2;
        painter.drawLine(x, levelsTop, x, levelsTop + kTick);
        const QString text = QString::number(level);
        const int w = fm.horizontalAdvance(text);
        painter.drawText(std::clamp(x - w / 2, 0, width() - w), levelsTop + kTick + fm.ascent(), text);
    }
    const long long tallest = Tallest(histogram_);
    if (tallest == 0) return;
    // Linear: the tallest count and its half; logarithmic: the tallest and
    // each power of ten under it.
    QList<long long> counts{tallest};
    if (logarithmic_) {
        for (long long p = 1; p < tallest; p *= 10) counts << p;
    } else if (tallest >= 2) {
        counts << tallest / 2;
    }
    int lastY = -fm.height();
    std::sort(counts.begin(), counts.end(), std::greater<>());
    for (const long long n : counts) {
        const int y = plot.bottom() + 1 - HeightOf(n, tallest, plot.height());
        if (y - lastY < fm.height()) continue;  // no label over another
        lastY = y;
        painter.drawLine(plot.left() - kTick, y, plot.left() - 1, y);
        const QString text = QString::number(n);
        painter.drawText(plot.left() - kTick - 2 - fm.horizontalAdvance(text), y + fm.ascent() / 2, text);
    }
}

THistogramBox::THistogramBox(QWidget* parent) : QDialog(parent) {
    setObjectName("HistogramBox");
    setWindowTitle("Histogram");
    setModal(false);

    bars_ = new THistogramBars(this);
    logarithmic_ = new QCheckBox("Logarithmic counts", this);
    logarithmic_->setObjectName("HistogramLogarithmic");
    connect(logarithmic_, &QCheckBox::toggled, bars_, &THistogramBars::SetLogarithmic);
    auto makeFigure = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    pixels_ = makeFigure("HistogramPixels");
    minimum_ = makeFigure("HistogramMinimum");
    maximum_ = makeFigure("HistogramMaximum");
    mean_ = makeFigure("HistogramMean");
    stretch_ = makeFigure("HistogramStretch");
    stretch_->setWordWrap(true);  // the window keeps its width

    auto* figures = new QGridLayout;
    figures->addWidget(new QLabel("Pixels:", this), 0, 0);
    figures->addWidget(pixels_, 0, 1);
    figures->addWidget(new QLabel("Mean:", this), 0, 2);
    figures->addWidget(mean_, 0, 3);
    figures->addWidget(new QLabel("Minimum:", this), 1, 0);
    figures->addWidget(minimum_, 1, 1);
    figures->addWidget(new QLabel("Maximum:", this), 1, 2);
    figures->addWidget(maximum_, 1, 3);
    figures->setColumnStretch(1, 1);
    figures->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bars_, 1);
    layout->addWidget(logarithmic_);
    layout->addLayout(figures);
    layout->addWidget(stretch_);
    resize(360, 300);
    Clear();
}

void THistogramBox::SetHistogram(const GreyHistogram& histogram) {
    histogram_ = histogram;
    bars_->SetHistogram(histogram);
    pixels_->setText(QString::number(histogram.pixels));
    if (histogram.pixels == 0) {
        minimum_->setText("-");
        maximum_->setText("-");
        mean_->setText("-");
        return;
    }
    minimum_->setText(QString::number(histogram.minimum));
    maximum_->setText(QString::number(histogram.maximum));
    mean_->setText(QString::number(histogram.mean, 'f', 2));
}

void THistogramBox::SetStretchMarks(const std::optional<orbalux::StretchMarks>& marks, const QString& text) {
    bars_->SetStretchMarks(marks);
    stretch_->setText(marks ? text : QString());
    stretch_->setVisible(marks.has_value());
}

void THistogramBox::Clear() {
    SetHistogram(GreyHistogram{});
    SetStretchMarks(std::nullopt, {});
}
