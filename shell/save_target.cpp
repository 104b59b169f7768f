#include "shell/save_target.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include "shell/file_filters.h"

SaveTarget ResolveSaveTarget(const QString& typed, const QString& filter) {
    const SaveFormat filterFormat = filter == kSaveFilterPng ? SaveFormat::Png : SaveFormat::Bmp;
    const QString suffix = QFileInfo(typed).suffix().toLower();
    if (suffix == QLatin1String("bmp")) return {typed, SaveFormat::Bmp};
    if (suffix == QLatin1String("png")) return {typed, SaveFormat::Png};
    if (!suffix.isEmpty()) return {typed, filterFormat};
    // A name typed with a trailing dot ("pic.") still gets the extension.
    QString path = typed;
    if (!path.endsWith('.')) path += '.';
    path += filterFormat == SaveFormat::Png ? QLatin1String("png") : QLatin1String("bmp");
    return {path, filterFormat};
}

QString WritePictureFile(const SaveTarget& target, const QByteArray& bmpFile, const QImage& picture) {
    QSaveFile file(target.path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (target.format == SaveFormat::Bmp) {
        if (file.write(bmpFile) != bmpFile.size()) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason;
        }
    } else {
        // The picture's three channels are equal, so its grey version holds
        // the same levels.
        QImageWriter writer(&file, "png");
        if (!writer.write(picture.convertToFormat(QImage::Format_Grayscale8))) {
            const QString reason = writer.errorString();
            file.cancelWriting();
            return reason;
        }
    }
    // Data still held in the file's buffer meet a full disk only here, and
    // commit() would put the short file in place regardless.
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return file.errorString();
    return {};
}
