#include "shell/thumbnail_strip.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <thread>

#include <QAbstractListModel>
#include <QGuiApplication>
#include <QEvent>
#include <QIcon>
#include <QIconEngine>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QFile>
#include <QListView>
#include <QMainWindow>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>
#include <QStyledItemDelegate>
#include <QWindow>

#include "session/thumbnail_maker.h"

using orbalux::FileStamp;
using orbalux::ListThumbnail;
using orbalux::MadeThumbnail;
using orbalux::StampOf;
using orbalux::ThumbnailMaker;

namespace {

// A cell is the thumbnail's square with room round it and for the name.
constexpr int kCellMargin = 20;
constexpr int kNameHeight = 30;

// One core stays with the window: it loads the shown picture.
int DefaultWorkers() {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores - 1, 1, 4);
}

constexpr int kSide = TThumbnailStrip::kThumbnailSize;

// Every cell's picture is a square of the thumbnail size with the thumbnail
// in its middle, so that tall and wide pictures leave their names in line.
// A thumbnail made at a screen's pixel ratio fills the square at that ratio.
QPixmap InSquare(const QImage& picture) {
    const qreal ratio = picture.devicePixelRatio();
    const int side = qRound(kSide * ratio);
    QPixmap square(side, side);
    square.fill(Qt::transparent);
    // Painted pixel for pixel, then given the ratio as a whole.
    QImage pixels = picture;
    pixels.setDevicePixelRatio(1);
    QPainter painter(&square);
    painter.drawImage((side - pixels.width()) / 2, (side - pixels.height()) / 2, pixels);
    painter.end();
    square.setDevicePixelRatio(ratio);
    return square;
}

// A cell's square drawn as it is. Qt's own icon engine keeps every pixmap it
// draws in the application's pixmap cache, keyed by the pixmap, until that
// cache's 10 MB fill: a walk through a volume draws new thumbnails at every
// step, so the heap grew pass after pass by pictures no cell showed any more.
// This one keeps only its square, which goes with the icon.
class SquareEngine : public QIconEngine {
public:
    explicit SquareEngine(QPixmap square) : square_(std::move(square)) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->drawPixmap(rect, square_);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return square_.deviceIndependentSize().toSize().boundedTo(size);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        if (square_.size() == size) return square_;
        return square_.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QIconEngine* clone() const override { return new SquareEngine(square_); }

private:
    QPixmap square_;
};

QIcon SquareIcon(QPixmap square) { return QIcon(new SquareEngine(std::move(square))); }

// The shown entry is framed, not tinted, so that its grey levels stay true.
class FramedCurrent : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem plain(option);
        const bool current = option.state & QStyle::State_Selected;
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QStyledItemDelegate::paint(painter, plain, index);
        if (!current) return;
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 3));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option.rect).adjusted(1.5, 1.5, -1.5, -1.5));
        painter->restore();
    }
};

// Settings: the strip's side and its height (or width at a side).
constexpr const char* kStripArea = "view/thumbnailArea";
constexpr const char* kStripExtent = "view/thumbnailExtent";

QPixmap Placeholder(bool failed) {
    QImage box(kSide, kSide * 3 / 4, QImage::Format_RGB32);
    box.fill(QColor(48, 48, 48));
    QPainter painter(&box);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(box.rect().adjusted(0, 0, -1, -1));
    if (failed) {
        // A cross over the box: no picture could be made of this file.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(200, 60, 50), 4));
        const QRect r = box.rect().adjusted(30, 16, -30, -16);
        painter.drawLine(r.topLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomLeft());
    }
    painter.end();
    return InSquare(box);
}

QImage ToImage(const orbalux::GreyImage& grey, qreal ratio) {
    if (grey.width <= 0 || grey.height <= 0) return {};
    QImage image(grey.width, grey.height, QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height; ++y) std::copy_n(grey.Row(y), grey.width, image.scanLine(y));
    image.setDevicePixelRatio(ratio);
    return image;
}

// The list view that keeps the shown entry in view: after every layout that
// follows a change of entry, of the cell size, of the strip's or the window's
// size or of the dock side, the scroll bars have their new ranges only once
// the layout has run, so the entry is brought into view there, not when the
// change is asked for (a scroll asked of a view not yet laid out is lost).
class KeepingView : public QListView {
public:
    using QListView::QListView;
    // The row to keep in view, -1 for none; kept in view at the next layout.
    void Keep(int row) {
        keep_ = row;
        Follow();
    }
    // A change of size or shape: the kept row is brought back at the next layout.
    void Follow() {
        pending_ = true;
        if (isVisible()) BringIntoView();
    }

    // The entry the keys moved to: `chosen(row)` shows it.
    std::function<void(int row)> chosen;

protected:
    // In the strip the arrow keys, Page Up and Down, Home and End move among
    // the entries rather than step the shown picture as the window's keys do
    // elsewhere: the view claims them before the window's shortcuts.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::NoModifier && Moved(key->key(), 0) != kNotAMove) {
                event->accept();
                return true;
            }
        }
        return QListView::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int count = model() ? model()->rowCount() : 0;
        const int to = event->modifiers() == Qt::NoModifier ? Moved(event->key(), currentIndex().row()) : kNotAMove;
        if (to == kNotAMove || count == 0) {
            QListView::keyPressEvent(event);  // Enter: the framed entry, by activated
            return;
        }
        const int row = std::clamp(to, 0, count - 1);
        setCurrentIndex(model()->index(row, 0));
        if (chosen) chosen(row);
    }
    void updateGeometries() override {
        QListView::updateGeometries();
        if (pending_) BringIntoView();
    }
    void resizeEvent(QResizeEvent* event) override {
        pending_ = true;
        QListView::resizeEvent(event);
        // When no new layout follows, the ranges are already set.
        if (pending_ && isVisible()) BringIntoView();
    }

private:
    void BringIntoView() {
        if (!model() || keep_ < 0 || keep_ >= model()->rowCount()) {
            pending_ = false;
            return;
        }
        // Not before the view has its size: a scroll of a view on the way is lost.
        if (!isVisible() || viewport()->width() <= 0 || viewport()->height() <= 0) return;
        const QModelIndex index = model()->index(keep_, 0);
        scrollTo(index, QAbstractItemView::EnsureVisible);
        // Held until a layout has set the scroll ranges for the view's size.
        if (visualRect(index).intersects(viewport()->rect())) pending_ = false;
    }

    static constexpr int kNotAMove = -1000000;
    // The row a key moves to from `row`, whatever the strip's flow: back
    // towards the list's start or on towards its end.
    int Moved(int key, int row) const {
        const int page = std::max(1, (flow() == LeftToRight ? viewport()->width() : viewport()->height()) /
                                         std::max(1, flow() == LeftToRight ? gridSize().width() : gridSize().height()));
        switch (key) {
            case Qt::Key_Left:
            case Qt::Key_Up: return row - 1;
            case Qt::Key_Right:
            case Qt::Key_Down: return row + 1;
            case Qt::Key_PageUp: return row - page;
            case Qt::Key_PageDown: return row + page;
            case Qt::Key_Home: return 0;
            case Qt::Key_End: return std::numeric_limits<int>::max() / 2;
            default: return kNotAMove;
        }
    }

    int keep_ = -1;
    bool pending_ = false;
};

}  // namespace

// The entries of the list, as the view asks for them.
class TThumbnailListModel : public QAbstractListModel {
public:
    using Lookup = std::function<QVariant(int row, int role)>;
    TThumbnailListModel(QObject* parent, Lookup lookup) : QAbstractListModel(parent), lookup_(std::move(lookup)) {}

    void Reset(QStringList names) {
        beginResetModel();
        names_ = std::move(names);
        endResetModel();
    }
    void Changed(int row) { emit dataChanged(index(row), index(row)); }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : names_.size(); }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= names_.size()) return {};
        if (role == Qt::DisplayRole) return names_[index.row()];
        return lookup_(index.row(), role);
    }

private:
    QStringList names_;
    Lookup lookup_;
};

TThumbnailStrip::TThumbnailStrip(QWidget* parent, int workers) : QDockWidget("Thumbnails", parent) {
    setObjectName("ThumbnailDock");
    // The View menu is its only switch.
    setFeatures(QDockWidget::DockWidgetMovable);

    model_ = new TThumbnailListModel(this, [this](int row, int role) -> QVariant {
        const Made* made = Find(row + 1);
        if (role == Qt::DecorationRole) {
            static const QIcon waiting = SquareIcon(Placeholder(false));
            static const QIcon failed = SquareIcon(Placeholder(true));
            if (!made) return waiting;
            // Squared only when drawn: the cache keeps the small grey picture.
            // An icon, so that the view draws it at its pixel ratio.
            if (made->picture.isNull()) return failed;
            const qint64 key = made->picture.cacheKey();
            if (const QIcon* icon = icons_.object(key)) return *icon;
            const QIcon icon = SquareIcon(InSquare(made->picture));
            icons_.insert(key, new QIcon(icon));
            return icon;
        }
        if (role == Qt::ToolTipRole) {
            const QString name = QFile::decodeName(QByteArray::fromStdString(paths_[static_cast<std::size_t>(row)]));
            return made && made->picture.isNull() ? QString("%1\n%2").arg(name, made->failure) : name;
        }
        return {};
    });

    view_ = new KeepingView(this);
    view_->setObjectName("ThumbnailStrip");
    view_->setModel(model_);
    view_->setViewMode(QListView::IconMode);
    view_->setMovement(QListView::Static);
    view_->setWrapping(false);
    view_->setFlow(QListView::LeftToRight);
    view_->setUniformItemSizes(true);
    view_->setItemDelegate(new FramedCurrent(view_));
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A name too long for its cell loses its start: the family prefix that
    // the folder's names share, not the group and number that tell them apart
    // ("69_301.001" and "69_311.001"). The tip holds it whole.
    view_->setTextElideMode(Qt::ElideLeft);
    // Reached by Tab after the picture; the arrow keys, Page Up and Down,
    // Home and End show the entry they move to, Enter the framed one.
    view_->setFocusPolicy(Qt::TabFocus);
    setWidget(view_);
    SetSide(kThumbnailSize);
    ShapeFor(Qt::BottomDockWidgetArea);

    connect(view_, &QListView::clicked, this, &TThumbnailStrip::Choose);
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TThumbnailStrip::TellView);
    connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, this, &TThumbnailStrip::TellView);
    connect(this, &QDockWidget::dockLocationChanged, this, &TThumbnailStrip::FollowDockSide);
    view_->viewport()->installEventFilter(this);
    if (parent) parent->installEventFilter(this);

    connect(view_, &QListView::activated, this, &TThumbnailStrip::Choose);
    static_cast<KeepingView*>(view_)->chosen = [this](int row) { Choose(model_->index(row)); };

    // Made at the pixel ratio of the screen the window starts on, so that
    // they are sharp there.
    ratio_ = parent ? parent->devicePixelRatioF() : qGuiApp->devicePixelRatio();
    const int longSide = qRound(kThumbnailSize * ratio_);
    maker_ = std::make_unique<ThumbnailMaker>(
        workers > 0 ? workers : DefaultWorkers(),
        [longSide](orbalux::PictureState& state, const std::string& path) { return ListThumbnail(state, path, longSide); },
        [this, ratio = ratio_](MadeThumbnail made) {
            // On the worker's thread: only the copy to a QImage happens here.
            const QImage picture = ToImage(made.picture, ratio);
            QMetaObject::invokeMethod(
                this,
                [this, list = made.list, index = made.index, path = std::move(made.path), stamp = made.stamp, picture,
                 failure = QString::fromStdString(made.failure)] {
                    Arrived(list, index, path, stamp, Made{picture, failure});
                },
                Qt::QueuedConnection);
        });
    // Until the strip is seen.
    maker_->SetPaused(true);
}

TThumbnailStrip::~TThumbnailStrip() { maker_.reset(); }

void TThumbnailStrip::Choose(const QModelIndex& index) {
    if (!index.isValid() || index.row() >= static_cast<int>(names_.size())) return;
    // A copy: the choice may bring a new list.
    const std::string name = names_[static_cast<std::size_t>(index.row())];
    emit entryChosen(name);
    // A load that failed leaves the highlight where it was.
    SetCurrent(current_);
}

void TThumbnailStrip::SetList(const std::string& dir, const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    QStringList shown;
    std::vector<bool> wanted;
    for (const std::string& name : names) {
        paths.push_back(dir + name);
        shown << QFile::decodeName(QByteArray::fromStdString(name));
        // Made again when the file is no longer the one it was made from.
        wanted.push_back(!cache_.Fresh(paths.back()));
    }
    if (paths == paths_) {
        // The same list, looked at again: only stale cells change.
        for (std::size_t i = 0; i < wanted.size(); ++i)
            if (wanted[i]) model_->Changed(static_cast<int>(i));
    } else {
        paths_ = std::move(paths);
        names_ = names;
        const int scrolled = view_->horizontalScrollBar()->value() + view_->verticalScrollBar()->value();
        model_->Reset(shown);
        current_ = 0;
        // A folder that changed keeps its place in view.
        if (dir == dir_) {
            view_->horizontalScrollBar()->setValue(scrolled);
            view_->verticalScrollBar()->setValue(scrolled);
        }
    }
    dir_ = dir;
    list_ = maker_->SetList(paths_, std::move(wanted));
    TellView();
}

void TThumbnailStrip::SetCurrent(int position) {
    current_ = position;
    auto* view = static_cast<KeepingView*>(view_);
    if (position < 1 || position > static_cast<int>(paths_.size())) {
        view_->clearSelection();
        view->Keep(-1);
        return;
    }
    const QModelIndex index = model_->index(position - 1);
    view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    view->Keep(position - 1);
    TellView();
}

void TThumbnailStrip::MarkFailed(const std::string& path, const QString& reason) {
    cache_.Put(path, StampOf(path), Made{QImage(), reason});
    const auto it = std::find(paths_.begin(), paths_.end(), path);
    if (it != paths_.end()) model_->Changed(static_cast<int>(it - paths_.begin()));
}

const TThumbnailStrip::Made* TThumbnailStrip::Find(int position) const {
    if (position < 1 || position > static_cast<int>(paths_.size())) return nullptr;
    return cache_.Find(paths_[static_cast<std::size_t>(position - 1)]);
}

TThumbnailStrip::Mark TThumbnailStrip::EntryMark(int position) const {
    const Made* made = Find(position);
    if (!made) return Mark::Waiting;
    return made->picture.isNull() ? Mark::Failed : Mark::Made;
}

QString TThumbnailStrip::EntryFailure(int position) const {
    const Made* made = Find(position);
    return made ? made->failure : QString();
}

int TThumbnailStrip::ReadyCount() const {
    return static_cast<int>(
        std::count_if(paths_.begin(), paths_.end(), [this](const std::string& p) { return cache_.Find(p) != nullptr; }));
}

void TThumbnailStrip::Arrived(std::uint64_t list, int index, const std::string& path,
                              std::optional<FileStamp> stamp, Made made) {
    ++made_;
    cache_.Put(path, stamp, std::move(made));
    if (list != list_) {
        // Asked for by a list since replaced: its cell may still be in view.
        const auto it = std::find(paths_.begin(), paths_.end(), path);
        if (it == paths_.end()) return;
        index = static_cast<int>(it - paths_.begin());
    }
    if (index < 0 || index >= static_cast<int>(paths_.size())) return;
    model_->Changed(index);
    emit entryReady(index + 1);
}

void TThumbnailStrip::TellView() {
    const int count = static_cast<int>(paths_.size());
    if (count == 0) return;
    // The entries whose cells meet the visible part of the strip.
    const QRect visible = view_->viewport()->rect();
    int first = -1, last = -1;
    for (int row = 0; row < count; ++row) {
        if (!view_->visualRect(model_->index(row)).intersects(visible)) {
            if (first >= 0) break;
            continue;
        }
        if (first < 0) first = row;
        last = row;
    }
    maker_->SetView(first, last);
}

int TThumbnailStrip::ThumbnailSide() const { return view_->iconSize().width(); }

void TThumbnailStrip::SetSide(int side) {
    if (view_->iconSize().width() == side) return;
    view_->setIconSize(QSize(side, side));
    view_->setGridSize(QSize(side + kCellMargin, side + kNameHeight));
    static_cast<KeepingView*>(view_)->Follow();
}

void TThumbnailStrip::FollowDockSide(Qt::DockWidgetArea area) {
    // A height does not make a width: the extent at the new side is taken
    // as the layout gives it, and remembered.
    if (side_ != Qt::NoDockWidgetArea && area != side_ && area != Qt::NoDockWidgetArea) {
        wanted_ = 0;
        saveNext_ = true;
    }
    if (area != Qt::NoDockWidgetArea) side_ = area;
    ShapeFor(area);
    if (area != Qt::NoDockWidgetArea) QSettings().setValue(kStripArea, static_cast<int>(area));
}

void TThumbnailStrip::ShapeFor(Qt::DockWidgetArea area) {
    const bool column = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    view_->setFlow(column ? QListView::TopToBottom : QListView::LeftToRight);
    // Between one row (or column) of the smallest thumbnails and one of the
    // full-sized ones, with the scroll bar: the picture keeps the rest.
    const int frame = 2 * view_->frameWidth() + 2;
    const int bar = column ? view_->verticalScrollBar()->sizeHint().width()
                           : view_->horizontalScrollBar()->sizeHint().height();
    const int extra = (column ? kCellMargin : kNameHeight) + bar + frame;
    least_ = kSmallestSize + extra;
    most_ = kThumbnailSize + extra;
    view_->setMinimumSize(column ? least_ : 0, column ? 0 : least_);
    FitFrame();
    static_cast<KeepingView*>(view_)->Follow();
}

void TThumbnailStrip::FitFrame() {
    // In a small window the strip gives way, down to its smallest row, so
    // that the picture keeps at least half the window's height.
    const bool column = view_->flow() == QListView::TopToBottom;
    const QWidget* frame = parentWidget();
    int most = most_;
    if (frame && !column) most = std::max(least_, std::min(most_, frame->height() / 5));
    view_->setMaximumSize(column ? most : QWIDGETSIZE_MAX, column ? QWIDGETSIZE_MAX : most);
    FollowSize();
    // Back to the extent the user chose once the window has room for it
    // again, as on a start, where the window is small until it is maximised.
    if (wanted_ > 0)
        QMetaObject::invokeMethod(
            this, [this] { ApplyWanted(); }, Qt::QueuedConnection);
}

void TThumbnailStrip::RestoreExtent(int extent) {
    wanted_ = extent;
    ApplyWanted();
}

void TThumbnailStrip::ApplyWanted() {
    auto* frame = qobject_cast<QMainWindow*>(parentWidget());
    if (!frame || wanted_ <= 0 || isFloating()) return;
    const Qt::DockWidgetArea area = frame->dockWidgetArea(this);
    const bool column = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    if ((column ? width() : height()) == wanted_) return;
    frame->resizeDocks({this}, {wanted_}, column ? Qt::Horizontal : Qt::Vertical);
}

void TThumbnailStrip::FollowSize() {
    // The thumbnails shrink with the strip, to the smallest size. The room
    // counts the scroll bar whether it is shown or not, so that its coming
    // and going never changes the size back and forth.
    // Not before it is laid out and seen: a size on the way is no measure.
    if (following_ || !view_->isVisible()) return;
    following_ = true;
    const bool column = view_->flow() == QListView::TopToBottom;
    const int extra = most_ - kThumbnailSize;  // margins, name, scroll bar and frame
    const int room = column ? view_->width() : view_->height();
    SetSide(std::clamp(room - extra, kSmallestSize, kThumbnailSize));
    TellView();
    following_ = false;
}

void TThumbnailStrip::resizeEvent(QResizeEvent* event) {
    QDockWidget::resizeEvent(event);
    // Remembered once the user can see it: the height along the bottom or
    // top, the width at a side.
    // Only a change the user made, by dragging the strip's edge or docking
    // it at another side: the layout makes room (or the strip gives way) as
    // the window changes, and the extent chosen comes back when it has room.
    if (dragging_ || saveNext_) Remember();
}

void TThumbnailStrip::Remember() {
    auto* frame = qobject_cast<QMainWindow*>(parentWidget());
    if (!isVisible() || !frame || isFloating()) return;
    const Qt::DockWidgetArea area = frame->dockWidgetArea(this);
    const bool column = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    const int extent = column ? width() : height();
    saveNext_ = false;
    wanted_ = extent;
    QSettings().setValue(kStripExtent, extent);
}

Qt::DockWidgetArea TThumbnailStrip::RememberedArea() {
    const int area = QSettings().value(kStripArea, static_cast<int>(Qt::BottomDockWidgetArea)).toInt();
    switch (area) {
        case Qt::LeftDockWidgetArea:
        case Qt::RightDockWidgetArea:
        case Qt::TopDockWidgetArea:
            return static_cast<Qt::DockWidgetArea>(area);
        default:
            return Qt::BottomDockWidgetArea;
    }
}

int TThumbnailStrip::RememberedExtent() { return QSettings().value(kStripExtent, 0).toInt(); }

bool TThumbnailStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget()) {
        if (event->type() == QEvent::Resize) FitFrame();
        // A press on the window itself, not on a part of it, is on the edge
        // between the docks and the picture: the user drags it.
        if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            dragging_ = true;
        if (event->type() == QEvent::MouseButtonRelease && dragging_) {
            Remember();
            dragging_ = false;
        }
    }
    if (watched == view_->viewport()) {
        if (event->type() == QEvent::Resize) FollowSize();
        // Work only while the strip can be seen.
        if (event->type() == QEvent::Show) {
            FollowSize();
            static_cast<KeepingView*>(view_)->Follow();
            maker_->SetPaused(false);
        }
        if (event->type() == QEvent::Hide) maker_->SetPaused(true);
    }
    return QDockWidget::eventFilter(watched, event);
}
