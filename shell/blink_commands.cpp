// Blink: the pinned picture and the shown one on screen in turn, the status
// bar saying which is up, the interval remembered from run to run.
#include "shell/blink_commands.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

#include "output/screen_image.h"
#include "shell/dialog_seam.h"

namespace {
constexpr const char* kBlinkInterval = "view/blinkInterval";
}  // namespace

TBlinkCommands::TBlinkCommands(QMainWindow& frame, const orbalux::BrowsingSession& session,
                               const QPointer<TChild>& child, TDialogSeam& seam, TErrorReport& report,
                               QAction* blinkItem)
    : frame_(frame), session_(session), child_(child), seam_(seam), report_(report), blinkItem_(blinkItem) {
    status_ = new QLabel(&frame_);
    status_->setObjectName("BlinkStatus");
    status_->setTextFormat(Qt::PlainText);
    frame_.statusBar()->addPermanentWidget(status_);
    blink_.SetInterval(QSettings().value(kBlinkInterval, orbalux::kDefaultBlinkInterval).toInt());
    timer_ = new QTimer(&frame_);
    timer_->setObjectName("BlinkTimer");
    connect(timer_, &QTimer::timeout, this, [this] { Tick(); });
}

void TBlinkCommands::ShownPositionChanged() {
    if (!blink_.Running()) return;
    blink_.Start(session_);
    timer_->start(blink_.Interval());
    status_->setText(QString::fromStdString(blink_.StatusText(session_)));
}

void TBlinkCommands::PinShown() {
    if (!blink_.Pin(session_)) return;
    if (!blink_.Running())
        status_->setText(QString("Pinned for Blink: %1").arg(QString::fromStdString(blink_.PinnedName())));
}

void TBlinkCommands::Toggle() {
    if (blink_.Running()) {
        Stop();
        return;
    }
    if (!blink_.HasPin()) {
        seam_.showError(&frame_, "No picture is pinned to blink with: choose View, Blink with... on one first.");
        blinkItem_->setChecked(false);
        return;
    }
    if (!blink_.Start(session_)) return;
    timer_->start(blink_.Interval());
    ShowBlink();
}

void TBlinkCommands::ChooseInterval() {
    const std::optional<int> chosen = seam_.blinkInterval(&frame_, blink_.Interval());
    if (!chosen) return;
    blink_.SetInterval(*chosen);
    QSettings().setValue(kBlinkInterval, blink_.Interval());
    if (timer_->isActive()) timer_->setInterval(blink_.Interval());
}

void TBlinkCommands::Tick() {
    if (blink_.Flip(session_) == orbalux::Outcome::Failed) {
        Stop();
        if (blink_.LastError()) report_.ReportError(*blink_.LastError());
        return;
    }
    ShowBlink();
}

// The picture now up, drawn into the image window without touching its zoom,
// its scroll position or the tools that read the shown picture.
void TBlinkCommands::ShowBlink() {
    if (!blink_.Running()) timer_->stop();
    blinkItem_->setChecked(blink_.Running());
    status_->setText(QString::fromStdString(blink_.StatusText(session_)));
    if (!child_ || !session_.PictureShown()) return;
    const orbalux::PictureState& up = blink_.OnScreen(session_);
    QImage picture(up.ImageWidth, up.ImageHeight, QImage::Format_RGB32);
    if (picture.isNull() || !orbalux::WriteScreenImage(up, picture.bits(), picture.bytesPerLine())) return;
    child_->ShowPicture(picture);
}

void TBlinkCommands::Stop() {
    const bool pinnedUp = blink_.PinnedOnScreen();
    blink_.Stop();
    timer_->stop();
    if (pinnedUp) {
        ShowBlink();  // the shown picture back on screen
    } else {
        blinkItem_->setChecked(false);
        status_->clear();
    }
}

void TBlinkCommands::PictureClosed() {
    blink_.PictureClosed();
    timer_->stop();
    blinkItem_->setChecked(false);
    status_->clear();
}
