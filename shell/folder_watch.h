// Watches the folder of the directory list and its picture files, so that
// files added, removed or changed reach the list, the counter and the strip
// within a second. A burst of changes (a copy, a conversion in place) comes
// as one signal.
#pragma once

#include <string>
#include <vector>

#include <QObject>

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
    QFileSystemWatcher* watcher_;
    QTimer* settle_;
};
