// The thumbnail strip: a dock of the main window with a small picture of
// every entry of the directory list, with its name, in list order. The shown
// entry is highlighted and kept in view; a click asks for an entry. The
// thumbnails are made on worker threads, those in view first, and kept for
// the whole run, so a folder opened again shows at once; a picture that
// cannot be made shows a mark, with the reason as its tip.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <QDockWidget>
#include <QImage>

class QListView;
class ThumbnailMaker;
class ThumbnailListModel;
struct MadeThumbnail;

class TThumbnailStrip : public QDockWidget {
    Q_OBJECT
public:
    // Longer side of a thumbnail, in pixels.
    static constexpr int kThumbnailSize = 96;

    // `workers` threads make the thumbnails; 0 chooses by the processor.
    explicit TThumbnailStrip(QWidget* parent = nullptr, int workers = 0);
    ~TThumbnailStrip() override;

    // A new directory list: `dir` ends with its separator; `names` as the
    // list holds them (the file system's bytes).
    void SetList(const std::string& dir, const std::vector<std::string>& names);
    // The 1-based position of the shown entry, 0 for none.
    void SetCurrent(int position);

    enum class Mark { Waiting, Made, Failed };
    Mark EntryMark(int position) const;
    // The reason an entry failed, empty otherwise.
    QString EntryFailure(int position) const;
    // Thumbnails made (or failed) since start, new ones only.
    int MadeCount() const { return made_; }
    // Entries of the list whose thumbnail is in hand (made or failed).
    int ReadyCount() const;
    QListView* View() const { return view_; }

signals:
    // The user clicked the entry at this 1-based position.
    void entryChosen(int position);
    // A thumbnail of the current list arrived.
    void entryReady(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Made {
        QImage picture;  // 8-bit grey; null when it failed
        QString failure;
    };

    void Arrived(std::uint64_t list, int index, const std::string& path, const QImage& picture, const QString& failure);
    void TellView();
    void FollowDockSide(Qt::DockWidgetArea area);
    const Made* Find(int position) const;

    ThumbnailListModel* model_;
    QListView* view_;
    std::unordered_map<std::string, Made> cache_;  // by path, for the whole run
    std::vector<std::string> paths_;
    std::uint64_t list_ = 0;
    int current_ = 0;
    int made_ = 0;
    std::unique_ptr<ThumbnailMaker> maker_;  // last: its threads go first
};
