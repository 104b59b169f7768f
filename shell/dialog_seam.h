// Where the main window meets the user outside its own widgets: the file
// dialogs, the questions, the error reports, the print dialogs and the modal
// boxes. The program uses the Qt dialogs; the tests script the answers.
#pragma once

#include <optional>

#include <QString>

class QDialog;
class QPrinter;
class QWidget;

// What the save dialog returns: the name as typed or chosen, and the filter
// in force (it decides the format of a name without extension).
struct SaveChoice {
    QString path;
    QString filter;
};

// What the Export Sequence dialog returns: the movie's name (its extension
// gives the format), the entries of the list from `first` to `last`
// (1-based), and the frames a second.
struct SequenceChoice {
    QString path;
    int first = 0;
    int last = 0;
    int fps = 10;
};

// The percentile stretch's two percentiles, 0..100, the low one below the
// high one.
struct PercentileChoice {
    double low = 0;
    double high = 0;
};

class TDialogSeam {
public:
    virtual ~TDialogSeam() = default;

    // The open dialog `WyborZbioru`, proposing the last file shown.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& proposed) = 0;
    // `SavePictureDialog`, proposing a path (folder and name) and the filter
    // of the type to choose.
    virtual std::optional<SaveChoice> saveFileName(QWidget* parent, const QString& proposed,
                                                   const QString& filter) = 0;
    // Asked before an existing file is replaced.
    virtual bool confirmOverwrite(QWidget* parent, const QString& path) = 0;
    virtual void showError(QWidget* parent, const QString& message) = 0;
    // `PrintDialog1` and `PrinterSetupDialog1`; false when cancelled.
    virtual bool printDialog(QWidget* parent, QPrinter& printer) = 0;
    virtual bool pageSetup(QWidget* parent, QPrinter& printer) = 0;
    // The About box and the information dialog, shown modally.
    virtual void showModal(QDialog& dialog) = 0;
    // Export Sequence: the movie's name and the entries, proposing `proposed`
    // and the list from the shown entry `shown` to the end of its `count`.
    virtual std::optional<SequenceChoice> sequenceExport(QWidget* parent, const QString& proposed, int shown,
                                                         int count) = 0;
    // The blink's interval in milliseconds, proposing the current one.
    virtual std::optional<int> blinkInterval(QWidget* parent, int current) = 0;
    // Stretch Percentiles: the two percentiles, proposing the current ones.
    virtual std::optional<PercentileChoice> stretchPercentiles(QWidget* parent, double low, double high) = 0;
};
