#include "shell/native_names.h"

#include <filesystem>
#include <system_error>

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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

QString DialogPath(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return FromNative(path);
    const std::string folder = path.substr(0, slash);
    const QByteArray bytes = QByteArray::fromStdString(folder);
    if (folder.empty() || QFile::encodeName(QFile::decodeName(bytes)) == bytes) return FromNative(path);
    // Works around Qt's lossy names: a link named by Qt's own name for the
    // folder, which encodes to bytes that are UTF-8, leads to it.
    static QTemporaryDir links;
    if (!links.isValid()) return FromNative(path);
    const QString shown = QFileInfo(FromNative(folder)).fileName();
    const QString link = QString("%1/%2/%3").arg(links.path()).arg(qHash(bytes)).arg(shown);
    std::error_code ec;
    const std::string nativeLink = QFile::encodeName(link).toStdString();
    std::filesystem::create_directories(std::filesystem::path(nativeLink).parent_path(), ec);
    if (!std::filesystem::is_symlink(nativeLink, ec)) std::filesystem::create_directory_symlink(folder, nativeLink, ec);
    return link + FromNative(path.substr(slash));
}
