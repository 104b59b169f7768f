#include "shell/folder_watch.h"

#include <QFile>
#include <QFileSystemWatcher>
#include <QStringList>
#include <QTimer>

namespace {
// Long enough to take a burst of changes as one, short enough that the list
// follows the folder within a second.
constexpr int kSettleMs = 250;
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
}

void TFolderWatch::Follow(const std::string& dir, const std::vector<std::string>& names) {
    const QStringList old = watcher_->directories() + watcher_->files();
    if (!old.isEmpty()) watcher_->removePaths(old);
    if (dir.empty()) return;
    QStringList paths{QFile::decodeName(QByteArray::fromStdString(dir))};
    for (const std::string& name : names) paths << QFile::decodeName(QByteArray::fromStdString(dir + name));
    // Paths that cannot be watched (a full watch table) are followed through
    // the folder alone.
    watcher_->addPaths(paths);
}
