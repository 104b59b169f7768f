// Stands in for the dialogs and message boxes: answers given in advance,
// questions and reports written down.
#pragma once

#include <functional>

#include <QDialog>
#include <QPrinter>
#include <QStringList>

#include "shell/dialog_seam.h"

struct ScriptedSeam : TDialogSeam {
    QStringList openAnswers;  // a null string, or none left: the dialog is cancelled
    QStringList openProposals;
    QList<SaveChoice> saveAnswers;  // an empty path, or none left: cancelled
    QStringList saveProposals;      // the path each save dialog proposed
    QStringList saveFilters;        // and the filter it chose
    bool overwriteAnswer = true;
    QStringList overwriteQuestions;
    QStringList errors;
    QString pdfPath;  // Print confirms into this PDF; empty: cancelled
    int pageSetups = 0;
    QStringList modals;
    std::function<void(QDialog&)> onModal;  // looks into a modal dialog while it is up
    std::function<void()> whileUp;          // runs while any dialog but the open dialog is up
    QList<SequenceChoice> sequenceAnswers;  // none left: cancelled
    QStringList sequenceProposals;
    std::optional<int> blinkIntervalAnswer;
    std::optional<PercentileChoice> percentileAnswer;  // none: cancelled

    std::optional<QString> openFileName(QWidget*, const QString& proposed) override {
        openProposals << proposed;
        const QString answer = openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
        if (answer.isNull()) return std::nullopt;
        return answer;
    }
    std::optional<SaveChoice> saveFileName(QWidget*, const QString& proposed, const QString& filter) override {
        saveProposals << proposed;
        saveFilters << filter;
        if (whileUp) whileUp();
        const SaveChoice answer = saveAnswers.isEmpty() ? SaveChoice{} : saveAnswers.takeFirst();
        if (answer.path.isEmpty()) return std::nullopt;
        return answer;
    }
    bool confirmOverwrite(QWidget*, const QString& path) override {
        overwriteQuestions << path;
        return overwriteAnswer;
    }
    void showError(QWidget*, const QString& message) override { errors << message; }
    bool printDialog(QWidget*, QPrinter& printer) override {
        if (whileUp) whileUp();
        if (pdfPath.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    }
    bool pageSetup(QWidget*, QPrinter&) override {
        ++pageSetups;
        if (whileUp) whileUp();
        return true;
    }
    void showModal(QDialog& dialog) override {
        modals << dialog.objectName();
        if (whileUp) whileUp();
        if (onModal) onModal(dialog);
    }
    std::optional<SequenceChoice> sequenceExport(QWidget*, const QString& proposed, int, int) override {
        sequenceProposals << proposed;
        if (sequenceAnswers.isEmpty()) return std::nullopt;
        return sequenceAnswers.takeFirst();
    }
    std::optional<int> blinkInterval(QWidget*, int) override { return blinkIntervalAnswer; }
    std::optional<PercentileChoice> stretchPercentiles(QWidget*, double, double) override {
        if (whileUp) whileUp();
        return percentileAnswer;
    }
};
