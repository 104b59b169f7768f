// The profile's plot and its panel.
#include "shell/profile_window.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

class TProfilePlot : public QWidget {
public:
    explicit TProfilePlot(QWidget* parent) : QWidget(parent) {
        setObjectName("ProfilePlot");
        setMinimumSize(260, 160);
    }
    void SetSamples(const std::vector<orbalux::ProfileSample>* samples) {
        samples_ = samples;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().base());
        const QFontMetrics metrics(font());
        // Room for the level labels on the left and the index labels below.
        const QRect plot = rect().adjusted(metrics.horizontalAdvance("255") + 28, 8, -10, -(2 * metrics.height() + 8));
        if (plot.width() < 10 || plot.height() < 10) return;
        p.setPen(palette().text().color());
        p.drawLine(plot.bottomLeft(), plot.bottomRight());
        p.drawLine(plot.bottomLeft(), plot.topLeft());
        const int n = samples_ ? static_cast<int>(samples_->size()) : 0;
        const auto x = [&](int index) { return plot.left() + (n > 1 ? index * plot.width() / double(n - 1) : 0.0); };
        const auto y = [&](int level) { return plot.bottom() - level * plot.height() / 255.0; };
        for (const int level : {0, 128, 255}) {
            p.drawText(QRect(0, int(y(level)) - metrics.height() / 2, plot.left() - 4, metrics.height()),
                       Qt::AlignRight | Qt::AlignVCenter, QString::number(level));
        }
        const int last = std::max(n - 1, 0);
        p.drawText(QRect(plot.left() - 20, plot.bottom() + 2, 40, metrics.height()), Qt::AlignCenter, "0");
        p.drawText(QRect(plot.right() - 40, plot.bottom() + 2, 60, metrics.height()), Qt::AlignCenter,
                   QString::number(last));
        p.drawText(QRect(plot.left(), plot.bottom() + 2 + metrics.height(), plot.width(), metrics.height()),
                   Qt::AlignCenter, "index");
        p.save();
        p.translate(10, plot.center().y());
        p.rotate(-90);
        p.drawText(QRect(-plot.height() / 2, -metrics.height() / 2, plot.height(), metrics.height()), Qt::AlignCenter,
                   "grey level");
        p.restore();
        if (n == 0) return;
        // A run of data is one stroke; a sample that is not data breaks it.
        QPainterPath path;
        bool open = false;
        for (const orbalux::ProfileSample& s : *samples_) {
            if (!s.level) {
                open = false;
                continue;
            }
            const QPointF at(x(s.index), y(*s.level));
            if (open)
                path.lineTo(at);
            else
                path.moveTo(at);
            open = true;
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(40, 90, 200), 1.5));
        p.drawPath(path);
        // A lone data sample between gaps still shows.
        for (const orbalux::ProfileSample& s : *samples_)
            if (s.level) p.drawPoint(QPointF(x(s.index), y(*s.level)));
        // Where there is no data, a mark under the axis: a single lost line
        // is too narrow a gap to see in a long profile.
        p.setPen(QPen(QColor(210, 40, 40), 1));
        for (const orbalux::ProfileSample& s : *samples_)
            if (!s.level) p.drawLine(QPointF(x(s.index), plot.bottom() + 1), QPointF(x(s.index), plot.bottom() + 5));
    }

private:
    const std::vector<orbalux::ProfileSample>* samples_ = nullptr;
};

TProfileWindow::TProfileWindow(QWidget* parent, std::function<void(const QString&)> save)
    : QDockWidget("Profile", parent) {
    setObjectName("ProfileWindow");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    plot_ = new TProfilePlot(body);
    plot_->SetSamples(&samples_);
    layout->addWidget(plot_, 1);
    save_ = new QPushButton("Save...", body);
    save_->setObjectName("ProfileSave");
    save_->setEnabled(false);
    layout->addWidget(save_);
    setWidget(body);
    connect(save_, &QPushButton::clicked, this, [this, save] {
        if (!samples_.empty()) save(QString::fromStdString(orbalux::ProfileText(samples_, ',')));
    });
    auto* copy = new QShortcut(QKeySequence::Copy, this, [this] {
        if (!samples_.empty()) QApplication::clipboard()->setText(CopyText());
    });
    copy->setContext(Qt::WidgetWithChildrenShortcut);
}

void TProfileWindow::SetProfile(std::vector<orbalux::ProfileSample> samples) {
    samples_ = std::move(samples);
    save_->setEnabled(!samples_.empty());
    plot_->update();
}

QString TProfileWindow::CopyText() const {
    return samples_.empty() ? QString() : QString::fromStdString(orbalux::ProfileText(samples_, '\t'));
}
