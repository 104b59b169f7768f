// The pinned picture's view beside the image window, and the links that keep
// the two at one zoom and one scroll position.
#include "shell/compare_view.h"

#include <algorithm>

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "session/pixel_readout.h"
#include "shell/picture_control.h"

TCompareView::TCompareView(QMainWindow& frame, const orbalux::BrowsingSession& session, const QPointer<TChild>& child,
                           QAction* item, std::function<void()> changed)
    : QObject(&frame), frame_(frame), session_(session), child_(child), item_(item), changed_(std::move(changed)) {}

TCompareView::~TCompareView() {
    for (const auto& link : links_) disconnect(link);
    if (linked_) linked_->Image()->removeEventFilter(this);
}

void TCompareView::Toggle() {
    if (Active())
        End();
    else
        Start();
}

void TCompareView::Start() {
    if (!child_ || !session_.PictureUsable() || !compare_.Pin(session_.State())) {
        if (item_) item_->setChecked(false);
        return;
    }
    // The frame's middle split in two: the image window, then the pinned view.
    QWidget* area = frame_.takeCentralWidget();
    split_ = new QSplitter(Qt::Horizontal);
    split_->setObjectName("CompareSplit");
    split_->addWidget(area);
    auto* side = new QWidget(split_);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(side);
    scroll_->setObjectName("CompareScroll");
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    pinned_ = new TPictureControl;
    pinned_->setObjectName("ComparePicture");
    pinned_->SetPicture(child_->Picture());
    scroll_->setWidget(pinned_);
    column->addWidget(scroll_, 1);
    // Named below the view, so that both views' pictures start at one height.
    auto* title = new QLabel(QString::fromStdString(compare_.PinnedName() + " (pinned)"), side);
    title->setObjectName("CompareTitle");
    column->addWidget(title);
    split_->addWidget(side);
    split_->setStretchFactor(0, 1);
    split_->setStretchFactor(1, 1);
    frame_.setCentralWidget(split_);
    // Halves of the room the image window had.
    const int half = std::max(area->width() / 2, 1);
    split_->setSizes({half, half});
    readout_ = new QLabel(&frame_);
    readout_->setObjectName("CompareReadout");
    readout_->setTextFormat(Qt::PlainText);
    frame_.statusBar()->addWidget(readout_);
    connect(pinned_, &TPictureControl::pointerMoved, this, [this](QPoint at) { ShowReadout(at, true); });
    connect(pinned_, &TPictureControl::pointerLeft, readout_, &QLabel::clear);
    if (item_) item_->setChecked(true);
    Link();
    if (changed_) changed_();
}

void TCompareView::End() {
    if (!Active()) return;
    compare_.End();
    for (const auto& link : links_) disconnect(link);
    links_.clear();
    if (linked_) linked_->Image()->removeEventFilter(this);
    linked_ = nullptr;
    // The image window's area goes back to the frame's middle alone.
    if (split_) {
        QWidget* area = split_->widget(0);
        frame_.takeCentralWidget();
        frame_.setCentralWidget(area);
        area->show();
        split_->deleteLater();
    }
    scroll_ = nullptr;
    pinned_ = nullptr;
    if (readout_) {
        frame_.statusBar()->removeWidget(readout_);
        readout_->deleteLater();
        readout_ = nullptr;
    }
    if (item_) item_->setChecked(false);
    if (changed_) changed_();
}

void TCompareView::PictureShown() {
    if (Active()) Link();
}

void TCompareView::Link() {
    if (!child_ || linked_ == child_) {
        FollowZoom();
        return;
    }
    for (const auto& link : links_) disconnect(link);
    links_.clear();
    if (linked_) linked_->Image()->removeEventFilter(this);
    linked_ = child_;
    TPictureControl* image = linked_->Image();
    image->installEventFilter(this);  // its size tells each zoom
    QScrollArea* area = linked_->ScrollArea();
    // Either view's scroll bars move the other's.
    auto follow = [this](QScrollBar* leader, QScrollBar* follower) {
        return connect(leader, &QScrollBar::valueChanged, this, [this, follower](int value) {
            if (following_) return;
            following_ = true;
            follower->setValue(value);
            following_ = false;
        });
    };
    for (auto [from, to] : {std::pair{area->horizontalScrollBar(), scroll_->horizontalScrollBar()},
                            std::pair{area->verticalScrollBar(), scroll_->verticalScrollBar()}}) {
        links_.push_back(follow(from, to));
        links_.push_back(follow(to, from));
        // A view's range follows its zoom a moment later: the position then.
        links_.push_back(connect(to, &QScrollBar::rangeChanged, this, [from, to] { to->setValue(from->value()); }));
    }
    links_.push_back(
        connect(image, &TPictureControl::pointerMoved, this, [this](QPoint at) { ShowReadout(at, false); }));
    links_.push_back(connect(image, &TPictureControl::pointerLeft, readout_, &QLabel::clear));
    FollowZoom();
}

void TCompareView::FollowZoom() {
    if (!pinned_ || !linked_) return;
    pinned_->SetZoom(linked_->Image()->Zoom());
}

bool TCompareView::eventFilter(QObject* watched, QEvent* event) {
    if (linked_ && watched == linked_->Image() && event->type() == QEvent::Resize) FollowZoom();
    return false;
}

void TCompareView::ShowReadout(QPoint device, bool overPinned) {
    if (!readout_ || !linked_) return;
    const orbalux::ZoomFactor zoom = overPinned ? pinned_->Zoom() : linked_->Image()->Zoom();
    const orbalux::ShownPixel at{orbalux::PictureCoordinate(device.x(), zoom),
                                 orbalux::PictureCoordinate(device.y(), zoom)};
    const std::string shownName = session_.State().CurrentFileName;
    const std::optional<int> shownLevel = orbalux::ShownLevel(session_.State(), at);
    const std::optional<int> pinnedLevel = compare_.PinnedLevel(at);
    const std::string text =
        overPinned
            ? orbalux::CompareReadoutText(at, compare_.PinnedName() + " (pinned)", pinnedLevel, shownName, shownLevel)
            : orbalux::CompareReadoutText(at, shownName, shownLevel, compare_.PinnedName() + " (pinned)", pinnedLevel);
    readout_->setText(QString::fromStdString(text));
}
