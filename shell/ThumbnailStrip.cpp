#include "shell/ThumbnailStrip.h"

#include <algorithm>
#include <thread>

#include <QAbstractListModel>
#include <QEvent>
#include <QFile>
#include <QListView>
#include <QPainter>
#include <QScrollBar>

#include "session/thumbnail_maker.h"

namespace {

constexpr int kCellWidth = TThumbnailStrip::kThumbnailSize + 20;
constexpr int kCellHeight = TThumbnailStrip::kThumbnailSize + 30;  // room for the name

// One core stays with the window: it loads the shown picture.
int DefaultWorkers() {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores - 1, 1, 4);
}

constexpr int kSide = TThumbnailStrip::kThumbnailSize;

// Every cell's picture is a square of the thumbnail size with the thumbnail
// in its middle, so that tall and wide pictures leave their names in line.
QPixmap InSquare(const QImage& picture) {
    QPixmap square(kSide, kSide);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((kSide - picture.width()) / 2, (kSide - picture.height()) / 2, picture);
    return square;
}

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

QImage ToImage(const orbalux::GreyImage& grey) {
    if (grey.width <= 0 || grey.height <= 0) return {};
    QImage image(grey.width, grey.height, QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height; ++y) std::copy_n(grey.Row(y), grey.width, image.scanLine(y));
    return image;
}

}  // namespace

// The entries of the list, as the view asks for them.
class ThumbnailListModel : public QAbstractListModel {
public:
    using Lookup = std::function<QVariant(int row, int role)>;
    ThumbnailListModel(QObject* parent, Lookup lookup) : QAbstractListModel(parent), lookup_(std::move(lookup)) {}

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

    model_ = new ThumbnailListModel(this, [this](int row, int role) -> QVariant {
        const Made* made = Find(row + 1);
        if (role == Qt::DecorationRole) {
            static const QPixmap waiting = Placeholder(false);
            static const QPixmap failed = Placeholder(true);
            if (!made) return waiting;
            // Squared only when drawn: the cache keeps the small grey picture.
            return made->picture.isNull() ? failed : InSquare(made->picture);
        }
        if (role == Qt::ToolTipRole) {
            const QString name = QFile::decodeName(QByteArray::fromStdString(paths_[static_cast<std::size_t>(row)]));
            return made && made->picture.isNull() ? QString("%1\n%2").arg(name, made->failure) : name;
        }
        return {};
    });

    view_ = new QListView(this);
    view_->setObjectName("ThumbnailStrip");
    view_->setModel(model_);
    view_->setViewMode(QListView::IconMode);
    view_->setMovement(QListView::Static);
    view_->setWrapping(false);
    view_->setFlow(QListView::LeftToRight);
    view_->setUniformItemSizes(true);
    view_->setIconSize(QSize(kThumbnailSize, kThumbnailSize));
    view_->setGridSize(QSize(kCellWidth, kCellHeight));
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view_->setTextElideMode(Qt::ElideMiddle);
    view_->setFocusPolicy(Qt::NoFocus);
    setWidget(view_);
    FollowDockSide(Qt::BottomDockWidgetArea);

    connect(view_, &QListView::clicked, this, [this](const QModelIndex& index) {
        emit entryChosen(index.row() + 1);
        // A load that failed leaves the highlight where it was.
        SetCurrent(current_);
    });
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TThumbnailStrip::TellView);
    connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, this, &TThumbnailStrip::TellView);
    connect(this, &QDockWidget::dockLocationChanged, this, &TThumbnailStrip::FollowDockSide);
    view_->viewport()->installEventFilter(this);

    maker_ = std::make_unique<ThumbnailMaker>(
        workers > 0 ? workers : DefaultWorkers(),
        [](orbalux::PictureState& state, const std::string& path) { return ListThumbnail(state, path, kThumbnailSize); },
        [this](MadeThumbnail made) {
            // On the worker's thread: only the copy to a QImage happens here.
            const QImage picture = ToImage(made.picture);
            QMetaObject::invokeMethod(
                this,
                [this, list = made.list, index = made.index, path = std::move(made.path), picture,
                 failure = QString::fromStdString(made.failure)] { Arrived(list, index, path, picture, failure); },
                Qt::QueuedConnection);
        });
    // Until the strip is seen.
    maker_->SetPaused(true);
}

TThumbnailStrip::~TThumbnailStrip() { maker_.reset(); }

void TThumbnailStrip::SetList(const std::string& dir, const std::vector<std::string>& names) {
    paths_.clear();
    QStringList shown;
    std::vector<bool> wanted;
    for (const std::string& name : names) {
        paths_.push_back(dir + name);
        shown << QFile::decodeName(QByteArray::fromStdString(name));
        wanted.push_back(!cache_.contains(paths_.back()));
    }
    model_->Reset(shown);
    current_ = 0;
    list_ = maker_->SetList(paths_, std::move(wanted));
    TellView();
}

void TThumbnailStrip::SetCurrent(int position) {
    current_ = position;
    if (position < 1 || position > static_cast<int>(paths_.size())) {
        view_->clearSelection();
        return;
    }
    const QModelIndex index = model_->index(position - 1);
    view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    view_->scrollTo(index, QAbstractItemView::EnsureVisible);
    TellView();
}

const TThumbnailStrip::Made* TThumbnailStrip::Find(int position) const {
    if (position < 1 || position > static_cast<int>(paths_.size())) return nullptr;
    const auto it = cache_.find(paths_[static_cast<std::size_t>(position - 1)]);
    return it == cache_.end() ? nullptr : &it->second;
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
        std::count_if(paths_.begin(), paths_.end(), [this](const std::string& p) { return cache_.contains(p); }));
}

void TThumbnailStrip::Arrived(std::uint64_t list, int index, const std::string& path, const QImage& picture,
                              const QString& failure) {
    ++made_;
    cache_[path] = Made{picture, failure};
    if (list != list_ || index < 0 || index >= static_cast<int>(paths_.size())) return;
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

void TThumbnailStrip::FollowDockSide(Qt::DockWidgetArea area) {
    const bool column = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    view_->setFlow(column ? QListView::TopToBottom : QListView::LeftToRight);
    // One row of cells (or one column) and its scroll bar: the picture keeps
    // the rest of the window.
    const int frame = 2 * view_->frameWidth() + 2;
    const int row = kCellHeight + view_->horizontalScrollBar()->sizeHint().height() + frame;
    const int col = kCellWidth + view_->verticalScrollBar()->sizeHint().width() + frame;
    view_->setMinimumSize(column ? col : 0, column ? 0 : row);
    view_->setMaximumSize(column ? col : QWIDGETSIZE_MAX, column ? QWIDGETSIZE_MAX : row);
    TellView();
}

bool TThumbnailStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_->viewport()) {
        if (event->type() == QEvent::Resize) TellView();
        // Work only while the strip can be seen.
        if (event->type() == QEvent::Show) maker_->SetPaused(false);
        if (event->type() == QEvent::Hide) maker_->SetPaused(true);
    }
    return QDockWidget::eventFilter(watched, event);
}
