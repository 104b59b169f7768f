// The statistics panel: one row a figure, named as the converter names them.
#include "shell/region_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "session/measure_tool.h"

TRegionWindow::TRegionWindow(QWidget* parent, std::function<void(const QString&)> save)
    : QDockWidget("Region", parent) {
    setObjectName("RegionWindow");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    table_ = new QTableWidget(0, 2, body);
    table_->setObjectName("RegionTable");
    table_->setHorizontalHeaderLabels({"Measure", "Value"});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(true);
    layout->addWidget(table_);
    save_ = new QPushButton("Save...", body);
    save_->setObjectName("RegionSave");
    save_->setEnabled(false);
    layout->addWidget(save_);
    setWidget(body);
    connect(save_, &QPushButton::clicked, this, [this, save] {
        if (stats_) save(QString::fromStdString(orbalux::StatisticsText(*stats_, ',')));
    });
    auto* copy = new QShortcut(QKeySequence::Copy, this, [this] {
        if (stats_) QApplication::clipboard()->setText(CopyText());
    });
    copy->setContext(Qt::WidgetWithChildrenShortcut);
}

void TRegionWindow::SetStatistics(const std::optional<orbalux::RegionStatistics>& stats) {
    stats_ = stats;
    save_->setEnabled(stats.has_value());
    const auto rows = stats ? orbalux::RegionStatisticsRows(*stats) : decltype(orbalux::RegionStatisticsRows({})){};
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const auto& [name, value] = rows[static_cast<std::size_t>(i)];
        table_->setItem(i, 0, new QTableWidgetItem(QString::fromStdString(name)));
        table_->setItem(i, 1, new QTableWidgetItem(QString::fromStdString(value)));
    }
    table_->resizeRowsToContents();
}

QString TRegionWindow::CopyText() const {
    return stats_ ? QString::fromStdString(orbalux::StatisticsText(*stats_, '\t')) : QString();
}
