// The thumbnail strip: a dock of the main window with a small picture of
// every entry of the directory list, with its name, in list order. The shown
// entry is framed and kept in view; a click asks for an entry. The
// thumbnails are made on worker threads, those in view first, and kept for
// the whole run while their files stay as they were, so a folder opened
// again shows at once; a picture that cannot be made shows a mark, with the
// reason as its tip. Its height (or width, docked at a side) can be dragged
// down to a row of smaller thumbnails; it and the side are remembered.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QCache>
#include <QDockWidget>
#include <QIcon>
#include <QImage>

#include "session/thumbnail_cache.h"

class QListView;
class TThumbnailListModel;
namespace orbalux {
class ThumbnailMaker;
}

class TThumbnailStrip : public QDockWidget {
    Q_OBJECT
public:
    // Longer side of a thumbnail, in logical pixels: as made, and the
    // smallest the strip shrinks them to.
    static constexpr int kThumbnailSize = 96;
    static constexpr int kSmallestSize = 48;

    // `workers` threads make the thumbnails; 0 chooses by the processor.
    explicit TThumbnailStrip(QWidget* parent = nullptr, int workers = 0);
    ~TThumbnailStrip() override;

    // A new directory list: `dir` ends with its separator; `names` as the
    // list holds them (the file system's bytes).
    void SetList(const std::string& dir, const std::vector<std::string>& names);
    // The 1-based position of the shown entry, 0 for none.
    void SetCurrent(int position);
    // The file at `path` cannot be loaded, for `reason`: marked so at once.
    void MarkFailed(const std::string& path, const QString& reason);
    // The side of a thumbnail as drawn now.
    int ThumbnailSide() const;
    // The dock side and the height (or width at a side) it had last run; 0:
    // none remembered.
    static Qt::DockWidgetArea RememberedArea();
    static int RememberedExtent();
    // The height (or width at a side) to hold whenever the window has room
    // for it, until the user drags it to another.
    void RestoreExtent(int extent);

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
    // The user chose the entry of this name (the file system's bytes): by
    // name, so that a list changed since the strip was drawn never turns a
    // click into another file.
    void entryChosen(const std::string& name);
    // A thumbnail of the current list arrived.
    void entryReady(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Made {
        QImage picture;  // 8-bit grey; null when it failed
        QString failure;
    };

    void Arrived(std::uint64_t list, int index, const std::string& path, std::optional<orbalux::FileStamp> stamp,
                 Made made);
    void SetSide(int side);
    void TellView();
    void FollowDockSide(Qt::DockWidgetArea area);
    void ShapeFor(Qt::DockWidgetArea area);
    void FitFrame();
    void ApplyWanted();
    // The extent now is the user's choice: kept, and remembered for the next run.
    void Remember();
    void Choose(const QModelIndex& index);
    void FollowSize();
    const Made* Find(int position) const;

    TThumbnailListModel* model_;
    QListView* view_;
    orbalux::ThumbnailCache<Made> cache_;  // by path, for the whole run
    // The icons drawn lately, by their thumbnail, so that a draw does not
    // square the same thumbnail again.
    QCache<qint64, QIcon> icons_{64};
    std::string dir_;
    std::vector<std::string> paths_;
    std::vector<std::string> names_;  // as the list holds them
    std::uint64_t list_ = 0;
    int current_ = 0;
    int made_ = 0;
    int least_ = 0, most_ = 0;  // the view's height (or width) with the smallest and the full thumbnails
    qreal ratio_ = 1;           // device pixels per thumbnail pixel drawn
    bool following_ = false;    // within FollowSize
    int wanted_ = 0;            // the extent the user chose, 0: as the layout gives
    bool dragging_ = false;     // the user drags the edge between the docks and the picture
    bool saveNext_ = false;     // docked at another side: its next extent is remembered
    Qt::DockWidgetArea side_ = Qt::NoDockWidgetArea;  // where it was first docked, then moved
    std::unique_ptr<orbalux::ThumbnailMaker> maker_;  // last: its threads go first
};
