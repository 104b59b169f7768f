// The running program's Stretch Percentiles dialog: the two percentiles of
// the picture's data pixels that the percentile stretch takes to black and
// white.
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>

#include "processing/display_options.h"
#include "shell/qt_dialog_seam.h"

std::optional<PercentileChoice> TQtDialogSeam::stretchPercentiles(QWidget* parent, double low, double high) {
    QDialog dialog(parent);
    dialog.setObjectName("StretchPercentilesDialog");
    dialog.setWindowTitle("Stretch Percentiles");
    auto spin = [&dialog](const char* name, double value) {
        auto* box = new QDoubleSpinBox(&dialog);
        box->setObjectName(name);
        box->setRange(0.0, 100.0);
        box->setDecimals(2);
        box->setSingleStep(0.5);
        box->setSuffix(" %");
        box->setValue(value);
        return box;
    };
    QDoubleSpinBox* lowBox = spin("LowPercentile", low);
    QDoubleSpinBox* highBox = spin("HighPercentile", high);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // OK only for a pair the stretch takes: the low one below the high one.
    auto check = [=] { buttons->button(QDialogButtonBox::Ok)->setEnabled(orbalux::PercentilesValid(lowBox->value(), highBox->value())); };
    QObject::connect(lowBox, &QDoubleSpinBox::valueChanged, &dialog, check);
    QObject::connect(highBox, &QDoubleSpinBox::valueChanged, &dialog, check);
    check();

    auto* form = new QFormLayout(&dialog);
    form->addRow("Low percentile (to black):", lowBox);
    form->addRow("High percentile (to white):", highBox);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return PercentileChoice{lowBox->value(), highBox->value()};
}
