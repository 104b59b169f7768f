#include "shell/native_names.h"

#include <filesystem>
#include <system_error>

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

QString FromNative(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string ToNative(const QString& s) {
    std::string native = QFile::encodeName(s).toStdString();
    struct stat info {};
    if (!s.contains(QChar::ReplacementCharacter) || ::lstat(native.c_str(), &info) == 0) return native;
    const QFileInfo where(s);
    const QString name = where.fileName();
    if (name.isEmpty() || where.path() == s) return native;
    std::string dir = ToNative(where.path());
    if (!dir.ends_with('/')) dir += '/';
    std::string found;
    int matches = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (FromNative(entry) == name) {
            found = entry;
            ++matches;
        }
    }
    return matches == 1 ? dir + found : native;
}
