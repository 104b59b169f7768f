// The main window's side of Blink: View, Blink with... pins the shown
// picture; Blink (Ctrl+K) puts it and the shown one on screen in turn on a
// timer until stopped or the picture closes. The image window keeps its zoom
// and scroll position, and the status bar says which picture is up.
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

#include "output/screen_image.h"
#include "shell/MDIChild.h"
#include "shell/MainUnit.h"
#include "shell/dialog_seam.h"

namespace {
constexpr const char* kBlinkInterval = "view/blinkInterval";
}  // namespace

void TMainForm::BuildBlink() {
    BlinkStatus_ = new QLabel(this);
    BlinkStatus_->setObjectName("BlinkStatus");
    BlinkStatus_->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(BlinkStatus_);
    Blink_.SetInterval(QSettings().value(kBlinkInterval, orbalux::kDefaultBlinkInterval).toInt());
    BlinkTimer_ = new QTimer(this);
    BlinkTimer_->setObjectName("BlinkTimer");
    connect(BlinkTimer_, &QTimer::timeout, this, &TMainForm::BlinkTick);
    // Browsing on puts the new picture up in the shown one's turn.
    connect(this, &TMainForm::shownPositionChanged, this, [this] {
        if (!Blink_.Running()) return;
        Blink_.Start(session_);
        BlinkTimer_->start(Blink_.Interval());
        BlinkStatus_->setText(QString::fromStdString(Blink_.StatusText(session_)));
    });
}

void TMainForm::BlinkWith1Click() {
    if (!Blink_.Pin(session_)) return;
    if (!Blink_.Running()) BlinkStatus_->setText(QString("Pinned for Blink: %1").arg(QString::fromStdString(Blink_.PinnedName())));
}

void TMainForm::Blink1Click() {
    if (Blink_.Running()) {
        StopBlink();
        return;
    }
    if (!Blink_.HasPin()) {
        seam_.showError(this, "No picture is pinned to blink with: choose View, Blink with... on one first.");
        MenuItem("Blink1")->setChecked(false);
        return;
    }
    if (!Blink_.Start(session_)) return;
    BlinkTimer_->start(Blink_.Interval());
    ShowBlink();
}

void TMainForm::BlinkInterval1Click() {
    const std::optional<int> chosen = seam_.blinkInterval(this, Blink_.Interval());
    if (!chosen) return;
    Blink_.SetInterval(*chosen);
    QSettings().setValue(kBlinkInterval, Blink_.Interval());
    if (BlinkTimer_->isActive()) BlinkTimer_->setInterval(Blink_.Interval());
}

void TMainForm::BlinkTick() {
    if (Blink_.Flip(session_) == orbalux::Outcome::Failed) {
        StopBlink();
        if (Blink_.LastError()) ReportError(*Blink_.LastError());
        return;
    }
    ShowBlink();
}

// The picture now up, drawn into the image window without touching its zoom,
// its scroll position or the tools that read the shown picture.
void TMainForm::ShowBlink() {
    if (!Blink_.Running()) BlinkTimer_->stop();
    MenuItem("Blink1")->setChecked(Blink_.Running());
    BlinkStatus_->setText(QString::fromStdString(Blink_.StatusText(session_)));
    if (!CurrentChild_ || !session_.PictureShown()) return;
    const orbalux::PictureState& up = Blink_.OnScreen(session_);
    QImage picture(up.ImageWidth, up.ImageHeight, QImage::Format_RGB32);
    if (picture.isNull() || !orbalux::WriteScreenImage(up, picture.bits(), picture.bytesPerLine())) return;
    CurrentChild_->ShowPicture(picture);
}

void TMainForm::StopBlink() {
    const bool pinnedUp = Blink_.PinnedOnScreen();
    Blink_.Stop();
    BlinkTimer_->stop();
    if (pinnedUp) {
        ShowBlink();  // the shown picture back on screen
    } else {
        MenuItem("Blink1")->setChecked(false);
        BlinkStatus_->clear();
    }
}

void TMainForm::BlinkPictureClosed() {
    Blink_.PictureClosed();
    BlinkTimer_->stop();
    MenuItem("Blink1")->setChecked(false);
    BlinkStatus_->clear();
}
