#include "shell/MainUnit.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPrinter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "shell/About.h"
#include "shell/InfoUnit.h"
#include "shell/MDIChild.h"
#include "shell/dialog_seam.h"
#include "shell/icons.h"

namespace {

// The commands that need a picture: the menu items, then the tool buttons.
constexpr const char* kPictureMenuItems[] = {"Next1",         "Previous1",     "SaveAs1",   "ScanForward1",
                                             "ScanBackward1", "ScanStop1",     "Print1",    "PrintPreview1", "PrintSetup1"};
constexpr const char* kPictureButtons[] = {
    "FileSaveBtn",  "ToolButton17", "FileTylAutBtn", "FileTylBtn",   "FileStopBtn",  "FileForBtn",
    "FileForAutoBtn", "ToolButton9", "ToolButton10", "ToolButton33", "ToolButton12", "ToolButton13",
    "ToolButton18", "ToolButton27", "ToolButton28",  "ToolButton20", "ToolButton21", "ToolButton19",
    "ToolButton30", "ToolButton32", "ToolButton29"};

}  // namespace

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
    BuildStatusBar();

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName("Timer1");
    Timer1_->setInterval(2000);
    connect(Timer1_, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    AboutBox_ = new TAboutBox(this);
    InfoBox_ = new TInfoBox(this);
    RefreshHeaderLines();
}

TMainForm::~TMainForm() {
    // The image window goes with the frame; its close must not reach a form
    // that is half gone.
    if (CurrentChild_) CurrentChild_->disconnect(this);
}

QAction* TMainForm::Action(const char* name) const { return findChild<QAction*>(name); }
QToolButton* TMainForm::Button(const char* name) const { return findChild<QToolButton*>(name); }

void TMainForm::SetPictureCommands(bool pictureShown) {
    for (const char* name : kPictureMenuItems) Action(name)->setEnabled(pictureShown);
    for (const char* name : kPictureButtons) Button(name)->setEnabled(pictureShown);
    Action("Open1")->setEnabled(!pictureShown);
    Button("FileOpenBtn")->setEnabled(!pictureShown);
}

void TMainForm::Toolbar1Click() {
    // The counter lives in the tool bar and hides and shows with it.
    const bool show = MojToolBar_->isHidden();
    MojToolBar_->setVisible(show);
    Action("Toolbar1")->setChecked(show);
}

void TMainForm::Exit1Click() {
    close();
    QCoreApplication::quit();
}

void TMainForm::About1Click() { seam_.showModal(*AboutBox_); }
void TMainForm::HelpAboutBtnClick() { seam_.showModal(*AboutBox_); }

void TMainForm::ReportError(const QString& file, const QString& reason) {
    seam_.showError(this, file.isEmpty() ? reason : QString("%1\n\n%2").arg(file, reason));
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
    if (Action("Open1")->isEnabled() && !DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty() || !Action("Open1")->isEnabled()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    OpenPath(path);
}
