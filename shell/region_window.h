// The Region window: a dockable panel with the statistics of the rectangle
// drawn in Measure mode, live while it is drawn and again for each picture
// stepped to; Ctrl+C copies them as tab-separated text, Save... writes CSV.
#pragma once

#include <functional>
#include <optional>

#include <QDockWidget>

#include "processing/measurements.h"

class QPushButton;
class QTableWidget;

class TRegionWindow : public QDockWidget {
    Q_OBJECT

public:
    // `save` asks for a file and writes the CSV text it is given.
    TRegionWindow(QWidget* parent, std::function<void(const QString& csv)> save);

    void SetStatistics(const std::optional<orbalux::RegionStatistics>& stats);
    // The tab-separated text Ctrl+C puts on the clipboard; empty without statistics.
    QString CopyText() const;

private:
    std::optional<orbalux::RegionStatistics> stats_;
    QTableWidget* table_ = nullptr;
    QPushButton* save_ = nullptr;
};
