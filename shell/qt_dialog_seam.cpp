#include "shell/qt_dialog_seam.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "shell/file_filters.h"

std::optional<QString> TQtDialogSeam::openFileName(QWidget* parent, const QString& proposed) {
    QFileDialog dialog(parent, "Open");
    dialog.setObjectName("WyborZbioru");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(OpenFilters());
    dialog.setFilter(OpenDialogEntryFilter());
    if (!proposed.isEmpty()) {
        dialog.setDirectory(QFileInfo(proposed).absolutePath());
        dialog.selectFile(QFileInfo(proposed).fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<SaveChoice> TQtDialogSeam::saveFileName(QWidget* parent, const QString& proposed, const QString& filter) {
    QFileDialog dialog(parent, "Save image");
    dialog.setObjectName("SavePictureDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(SaveFilters());
    dialog.selectNameFilter(filter);
    if (!proposed.isEmpty()) {
        dialog.setDirectory(QFileInfo(proposed).absolutePath());
        dialog.selectFile(QFileInfo(proposed).fileName());
    }
    // The question comes after the extension is settled (confirmOverwrite).
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return SaveChoice{dialog.selectedFiles().front(), dialog.selectedNameFilter()};
}

bool TQtDialogSeam::confirmOverwrite(QWidget* parent, const QString& path) {
    return QMessageBox::question(parent, "Save image",
                                 QString("%1 already exists.\nDo you want to replace it?").arg(path),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void TQtDialogSeam::showError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, "Orbalux", message);
}

bool TQtDialogSeam::printDialog(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName("PrintDialog1");
    return dialog.exec() == QDialog::Accepted;
}

bool TQtDialogSeam::pageSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.setObjectName("PrinterSetupDialog1");
    return dialog.exec() == QDialog::Accepted;
}

void TQtDialogSeam::showModal(QDialog& dialog) { dialog.exec(); }
