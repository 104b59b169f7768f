// The dialogs and message boxes of the running program.
#pragma once

#include "shell/dialog_seam.h"

class TQtDialogSeam : public TDialogSeam {
public:
    std::optional<QString> openFileName(QWidget* parent, const QString& proposed) override;
    std::optional<SaveChoice> saveFileName(QWidget* parent, const QString& proposed, const QString& filter) override;
    bool confirmOverwrite(QWidget* parent, const QString& path) override;
    void showError(QWidget* parent, const QString& message) override;
    bool printDialog(QWidget* parent, QPrinter& printer) override;
    bool pageSetup(QWidget* parent, QPrinter& printer) override;
    void showModal(QDialog& dialog) override;
    std::optional<SequenceChoice> sequenceExport(QWidget* parent, const QString& proposed, int shown,
                                                 int count) override;
    std::optional<int> blinkInterval(QWidget* parent, int current) override;
    std::optional<PercentileChoice> stretchPercentiles(QWidget* parent, double low, double high) override;
};
