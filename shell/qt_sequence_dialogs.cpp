// The running program's dialogs for Export Sequence and the blink interval.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QSpinBox>

#include "movie/movie_format.h"
#include "movie/movie_writer.h"
#include "session/blink.h"
#include "shell/qt_dialog_seam.h"

std::optional<SequenceChoice> TQtDialogSeam::sequenceExport(QWidget* parent, const QString& proposed, int shown,
                                                            int count) {
    QFileDialog files(parent, "Export Sequence");
    files.setObjectName("ExportSequenceDialog");
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setFileMode(QFileDialog::AnyFile);
    files.setNameFilters({"WebM movie (*.webm)", "MP4 movie (*.mp4)", "GIF animation (*.gif)"});
    files.setDirectory(QFileInfo(proposed).absolutePath());
    files.selectFile(QFileInfo(proposed).fileName());
    files.setOption(QFileDialog::DontConfirmOverwrite);  // asked once the extension is settled
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) return std::nullopt;

    QDialog range(parent);
    range.setObjectName("SequenceRangeDialog");
    range.setWindowTitle("Export Sequence");
    auto* form = new QFormLayout(&range);
    auto* whole = new QCheckBox("The whole list", &range);
    auto* last = new QSpinBox(&range);
    last->setRange(1, count);
    last->setValue(count);
    auto* fps = new QSpinBox(&range);
    // A GIF's delays are whole hundredths: it holds fewer frames a second.
    const orbalux::MovieFormat format =
        orbalux::MovieFormatForPath(files.selectedFiles().front().toStdString()).value_or(orbalux::MovieFormat::WebM);
    fps->setRange(orbalux::kMinMovieFps, orbalux::MaxMovieFps(format));
    fps->setValue(orbalux::kDefaultMovieFps);
    form->addRow(QString("From picture %1 to picture:").arg(shown), last);
    form->addRow(whole);
    form->addRow("Frames a second:", fps);
    QObject::connect(whole, &QCheckBox::toggled, last, &QWidget::setDisabled);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &range);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &range, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &range, &QDialog::reject);
    form->addRow(buttons);
    if (range.exec() != QDialog::Accepted) return std::nullopt;
    if (whole->isChecked()) return SequenceChoice{files.selectedFiles().front(), 1, count, fps->value()};
    return SequenceChoice{files.selectedFiles().front(), shown, last->value(), fps->value()};
}

std::optional<int> TQtDialogSeam::blinkInterval(QWidget* parent, int current) {
    bool ok = false;
    const double seconds = QInputDialog::getDouble(parent, "Blink Interval", "Seconds each picture stays:",
                                                   current / 1000.0, orbalux::kMinBlinkInterval / 1000.0,
                                                   orbalux::kMaxBlinkInterval / 1000.0, 1, &ok);
    if (!ok) return std::nullopt;
    return static_cast<int>(seconds * 1000 + 0.5);
}
