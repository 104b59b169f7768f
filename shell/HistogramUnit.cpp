#include "shell/HistogramUnit.h"

#include <algorithm>

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {
constexpr int kLevels = 256;
constexpr int kBarAreaHeight = 160;
constexpr int kScaleHeight = 6;  // the grey wedge under the bars
}  // namespace

THistogramBars::THistogramBars(QWidget* parent) : QWidget(parent) {
    setObjectName("HistogramBars");
    // One screen column per grey level, so no level hides behind another.
    setMinimumSize(kLevels, kBarAreaHeight + kScaleHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void THistogramBars::SetHistogram(const GreyHistogram& histogram) {
    histogram_ = histogram;
    update();
}

int THistogramBars::BarHeight(int level) const {
    if (level < 0 || level >= kLevels) return 0;
    const long long tallest = *std::max_element(histogram_.counts.begin(), histogram_.counts.end());
    const long long n = histogram_.counts[static_cast<std::size_t>(level)];
    if (tallest == 0 || n == 0) return 0;
    // A level that is present keeps at least one pixel of bar.
    return std::max(1, static_cast<int>(n * std::max(0, height() - kScaleHeight) / tallest));
}

void THistogramBars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const int w = width();
    for (int level = 0; level < kLevels; ++level) {
        const int left = level * w / kLevels;
        const int right = std::max(left + 1, (level + 1) * w / kLevels);
        const int bar = BarHeight(level);
        if (bar == 0) continue;
        painter.fillRect(QRect(left, height() - kScaleHeight - bar, right - left, bar), palette().text());
    }
    // The grey scale under the bars tells which level each column is.
    for (int level = 0; level < kLevels; ++level) {
        const int left = level * w / kLevels;
        const int right = std::max(left + 1, (level + 1) * w / kLevels);
        painter.fillRect(QRect(left, height() - kScaleHeight, right - left, kScaleHeight), QColor(level, level, level));
    }
}

THistogramBox::THistogramBox(QWidget* parent) : QDialog(parent) {
    setObjectName("HistogramBox");
    setWindowTitle("Histogram");
    setModal(false);

    bars_ = new THistogramBars(this);
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
    layout->addLayout(figures);
    resize(300, 240);
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

void THistogramBox::Clear() { SetHistogram(GreyHistogram{}); }
