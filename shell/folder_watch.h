// Watches the folder of the directory list and its picture files, so that
// files added, removed or changed reach the list, the counter and the strip
// within a second. A burst of changes (a copy, a conversion in place) comes
// as one signal.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QObject>

#include "session/file_stamp.h"

class QFileSystemWatcher;
class QTimer;

class TFolderWatch : public QObject {
    Q_OBJECT
public:
    explicit TFolderWatch(QObject* parent = nullptr);

    // Watches `dir` (with its trailing separator) and the files `names` in
    // it, in place of what was watched before; an empty `dir` watches nothing.
    void Follow(const std::string& dir, const std::vector<std::string>& names);

signals:
    // Something in the folder changed, a moment ago.
    void changed();

private:
    // The folder and its files as they are now, for the look taken in turn.
    std::vector<std::optional<orbalux::FileStamp>> Stamps() const;

    QFileSystemWatcher* watcher_;
    QTimer* settle_;
    // A folder whose path Qt cannot name (bytes that are not UTF-8: Qt's
    // strings hold them as U+FFFD, and the watcher would watch another
    // path) is looked at in turn instead, by its bytes.
    QTimer* look_;
    std::string dir_;
    std::vector<std::string> names_;
    std::vector<std::optional<orbalux::FileStamp>> seen_;
};
