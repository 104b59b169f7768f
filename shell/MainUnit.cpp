// The main window's frame: construction, enablement, the tool bar switch,
// Exit and About, the dialogs that hold the scan, the one error report, and
// a file dropped on the window.
#include "shell/MainUnit.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "shell/About.h"
#include "shell/InfoUnit.h"
#include "shell/MDIChild.h"
#include "shell/dialog_seam.h"
#include "shell/elided_label.h"
#include "shell/full_screen.h"
#include "shell/icons.h"
#include "shell/native_names.h"

TMainForm::TMainForm(DialogSeam& seam, QWidget* parent)
    : QMainWindow(parent), seam_(seam), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName("MainForm");
    setWindowTitle("Orbalux CD-WO Image Browser ");
    setWindowIcon(ProgramIcon());
    setGeometry(218, 212, 575, 450);
    setAcceptDrops(true);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName("MdiArea");
    setCentralWidget(mdiArea_);

    BuildMenus();
    BuildToolBar();
    BuildStretches();
    BuildStatusBar();
    // What the load of the shown picture warns of: a file cut short, a name
    // the catalogue does not list.
    LoadWarningStatus_ = new TElidedLabel(this);
    LoadWarningStatus_->setObjectName("LoadWarningStatus");
    statusBar()->addPermanentWidget(LoadWarningStatus_);
    BuildThumbnailStrip();
    BuildBlink();

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName("Timer1");
    Timer1_->setInterval(2000);
    connect(Timer1_, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    FullScreen_ = new TFullScreen(*this);
    AboutBox_ = new TAboutBox(this);
    InfoBox_ = new TInfoBox(this);
    RefreshHeaderLines();
}

TMainForm::~TMainForm() {
    // The image window goes with the frame; its close must not reach a form
    // that is half gone.
    if (CurrentChild_) CurrentChild_->disconnect(this);
}

void TMainForm::Toolbar1Click() {
    // The counter lives in the tool bar and hides and shows with it.
    const bool show = MojToolBar_->isHidden();
    MojToolBar_->setVisible(show);
    Toolbar1_->setChecked(show);
}

void TMainForm::Exit1Click() {
    close();
    QCoreApplication::quit();
}

void TMainForm::FullScreen1Click() { FullScreen_->Toggle(); }

void TMainForm::About1Click() { ShowModal(*AboutBox_); }
void TMainForm::HelpAboutBtnClick() { ShowModal(*AboutBox_); }

TMainForm::ScanWait::ScanWait(TMainForm& form) : form_(form) {
    ++form_.dialogsUp_;
    form_.Timer1_->stop();
}

TMainForm::ScanWait::~ScanWait() {
    --form_.dialogsUp_;
    form_.SyncScan();
}

void TMainForm::SyncScan() {
    const bool scanning = session_.Scanning();
    // Restarted after a dialog, the timer keeps its interval: the same pause.
    if (!scanning || dialogsUp_ > 0)
        Timer1_->stop();
    else if (!Timer1_->isActive())
        Timer1_->start();
    FileForAutoBtn_->setChecked(scanning && session_.Direction() == orbalux::ScanDirection::Forward);
    FileTylAutBtn_->setChecked(scanning && session_.Direction() == orbalux::ScanDirection::Backward);
}

void TMainForm::ShowModal(QDialog& dialog) {
    const ScanWait wait(*this);
    seam_.showModal(dialog);
}

void TMainForm::ReportError(const orbalux::OrbaluxError& error) {
    const ScanWait wait(*this);
    const QString file = FromNative(error.file());
    const QString reason = FromNative(error.reason());
    seam_.showError(this, file.isEmpty() ? reason : QString("%1\n\n%2").arg(file, reason));
}

void TMainForm::ReportLastError() {
    if (session_.LastError()) ReportError(*session_.LastError());
}

namespace {
// The one local file of a drop, or an empty string.
QString DroppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1) return {};
    const QUrl url = mime->urls().front();
    if (!url.isLocalFile()) return {};
    const QString path = url.toLocalFile();
    return QFileInfo(path).isFile() ? path : QString();
}
}  // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    OpenPath(path);
}
