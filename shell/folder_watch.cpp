// The folder watch: Qt's file system watcher for the folder and its files,
// or, for a folder Qt cannot name, a look at their stamps in turn; either
// way a burst of changes settles into one signal.
#include "shell/folder_watch.h"

#include <filesystem>
#include <system_error>

#include <QFile>
#include <QFileSystemWatcher>
#include <QStringList>
#include <QTimer>

namespace {
// Long enough to take a burst of changes as one, short enough that the list
// follows the folder within a second.
constexpr int kSettleMs = 250;
// How often a folder that Qt cannot name is looked at.
constexpr int kLookMs = 400;

// Whether Qt's string for the bytes `path` names the same bytes again.
bool QtCanName(const std::string& path) {
    const QByteArray bytes = QByteArray::fromStdString(path);
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}
}  // namespace

TFolderWatch::TFolderWatch(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)), settle_(new QTimer(this)) {
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMs);
    connect(settle_, &QTimer::timeout, this, &TFolderWatch::changed);
    const auto touched = [this] {
        if (!settle_->isActive()) settle_->start();
    };
    // The folder tells of files that come and go; the files themselves of a
    // new content (a file emptied in place changes no entry of the folder).
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, touched);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, touched);
    look_ = new QTimer(this);
    look_->setInterval(kLookMs);
    connect(look_, &QTimer::timeout, this, [this, touched] {
        std::vector<std::optional<orbalux::FileStamp>> now = Stamps();
        if (now == seen_) return;
        seen_ = std::move(now);
        touched();
    });
}

std::vector<std::optional<orbalux::FileStamp>> TFolderWatch::Stamps() const {
    // The folder's own time changes as entries come and go; its count of
    // entries stands for its size.
    std::error_code error;
    orbalux::FileStamp folder;
    folder.modified = std::filesystem::last_write_time(dir_, error);
    for (std::filesystem::directory_iterator it(dir_, error), end; !error && it != end; it.increment(error))
        ++folder.size;
    std::vector<std::optional<orbalux::FileStamp>> stamps{folder};
    for (const std::string& name : names_) stamps.push_back(orbalux::StampOf(dir_ + name));
    return stamps;
}

void TFolderWatch::Follow(const std::string& dir, const std::vector<std::string>& names) {
    const QStringList old = watcher_->directories() + watcher_->files();
    if (!old.isEmpty()) watcher_->removePaths(old);
    look_->stop();
    if (dir.empty()) return;
    if (!QtCanName(dir)) {
        dir_ = dir;
        names_ = names;
        seen_ = Stamps();
        look_->start();
        return;
    }
    QStringList paths{QFile::decodeName(QByteArray::fromStdString(dir))};
    for (const std::string& name : names) paths << QFile::decodeName(QByteArray::fromStdString(dir + name));
    // Paths that cannot be watched (a full watch table) are followed through
    // the folder alone.
    watcher_->addPaths(paths);
}
