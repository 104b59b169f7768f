// The Profile window: a dockable panel that plots the levels along the line
// drawn in Measure mode (index across, grey level up, a gap wherever a sample
// is not data); Ctrl+C copies the samples as tab-separated text, Save...
// writes CSV.
#pragma once

#include <functional>
#include <vector>

#include <QDockWidget>

#include "processing/measurements.h"

class QPushButton;
class TProfilePlot;

class TProfileWindow : public QDockWidget {
    Q_OBJECT

public:
    TProfileWindow(QWidget* parent, std::function<void(const QString& csv)> save);

    void SetProfile(std::vector<orbalux::ProfileSample> samples);
    const std::vector<orbalux::ProfileSample>& Samples() const { return samples_; }
    QString CopyText() const;

private:
    std::vector<orbalux::ProfileSample> samples_;
    TProfilePlot* plot_ = nullptr;
    QPushButton* save_ = nullptr;
};
