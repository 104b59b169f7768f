// The main window's frame: it makes the concerns of the browser, each over
// those beneath it, wires what one tells the others, and hands every command
// to the concern that holds it; also Exit, About and a file dropped on the
// window.
#include "shell/MainUnit.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMimeData>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTimer>
#include <QUrl>

#include "processing/stages.h"
#include "shell/About.h"
#include "shell/InfoUnit.h"
#include "shell/blink_commands.h"
#include "shell/command_bar.h"
#include "shell/compare_view.h"
#include "shell/counter_control.h"
#include "shell/elided_label.h"
#include "shell/error_report.h"
#include "shell/full_screen.h"
#include "shell/icons.h"
#include "shell/keyboard_paths.h"
#include "shell/measure_commands.h"
#include "shell/option_commands.h"
#include "shell/picture_loading.h"
#include "shell/picture_show.h"
#include "shell/save_print.h"
#include "shell/scan_control.h"
#include "shell/sequence_commands.h"
#include "shell/status_priorities.h"
#include "shell/stretch_commands.h"
#include "shell/thumbnail_strip.h"
#include "shell/thumbnail_commands.h"
#include "shell/viewing_tools.h"
#include "shell/window_title.h"

using orbalux::PictureState;
using orbalux::ScanDirection;

TMainForm::TMainForm(TDialogSeam& seam, QWidget* parent) : QMainWindow(parent), seam_(seam) {
    setObjectName("MainForm");
    setWindowTitle("Orbalux CD-WO Image Browser ");
    setWindowIcon(ProgramIcon());
    setGeometry(218, 212, 575, 450);
    setAcceptDrops(true);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName("MdiArea");
    setCentralWidget(mdiArea_);

    commands_ = std::make_unique<TCommandBar>(*this, *this, session_);
    tools_ = std::make_unique<TViewingTools>(*this, session_.State(), CurrentChild_);
    // What the load of the shown picture warns of: a file cut short, a name
    // the catalogue does not list.
    LoadWarningStatus_ = new TElidedLabel(this);
    LoadWarningStatus_->setObjectName("LoadWarningStatus");
    statusBar()->addPermanentWidget(LoadWarningStatus_);
    scan_ = std::make_unique<TScanControl>(*this, session_, commands_->ToolButton("FileForAutoBtn"),
                                           commands_->ToolButton("FileTylAutBtn"));
    counter_ = std::make_unique<TCounterControl>(commands_->Counter(), session_, statusBar(), CurrentChild_,
                                                 [this](int position) { GoToEntry(position); });
    thumbnails_ = std::make_unique<TThumbnailCommands>(
        *this, session_, *counter_, commands_->MenuItem("Thumbnails1"),
        [this](int position) { return GoToEntry(position); }, [this](const QString& path) { return OpenPath(path); });
    report_ = std::make_unique<TErrorReport>(*this, seam_, session_, *scan_);
    blink_ = std::make_unique<TBlinkCommands>(*this, session_, CurrentChild_, seam_, *report_,
                                              commands_->MenuItem("Blink1"));
    FullScreen_ = new TFullScreen(*this);
    title_ = new TWindowTitle(*this, CurrentChild_);
    AboutBox_ = new TAboutBox(this);
    InfoBox_ = new TInfoBox(this);
    show_ = std::make_unique<TPictureShow>(session_, CurrentChild_, *tools_, *report_);
    stretches_ = std::make_unique<TStretchCommands>(*this, seam_, session_, *commands_, *scan_, *show_);
    options_ = std::make_unique<TOptionCommands>(session_, commands_->Options(), *show_, *stretches_);
    loading_ = std::make_unique<TPictureLoading>(
        LoadingParts{*this, mdiArea_, seam_, session_, CurrentChild_, *scan_, *report_, *commands_, *counter_, *tools_,
                     *show_, *options_, thumbnails_->Strip(), InfoBox_, LoadWarningStatus_});
    savePrint_ = std::make_unique<TSavePrint>(*this, seam_, session_, CurrentChild_, *scan_, *report_);
    sequence_ = std::make_unique<TSequenceCommands>(*this, seam_, session_, *scan_, *report_);
    compare_ = std::make_unique<TCompareView>(*this, session_, CurrentChild_, commands_->MenuItem("CompareWith1"),
                                              [this] { measure_->UpdateEscape(); });
    measure_ = std::make_unique<TMeasureCommands>(
        *this, session_, CurrentChild_, seam_, *report_, *compare_, *scan_,
        MeasureItems{commands_->MenuItem("Measure1"), commands_->MenuItem("MeasureLine1"),
                     commands_->ToolButton("MeasureBtn")});
    show_->OnShown([this] {
        compare_->PictureShown();
        measure_->PictureShown();
    });
    // The fields that give way first first; the readout and messages never do,
    // and what the user asked for (a blink, a line's length) outlasts the rest.
    new TStatusPriorities(*statusBar(), findChild<QLabel*>("PointerReadout"),
                          {findChild<QLabel*>("PictureSizeStatus"), findChild<QLabel*>("LevelsStatus"),
                           findChild<QLabel*>("LostLinesStatus"), findChild<QLabel*>("ZoomStatus"), LoadWarningStatus_,
                           findChild<QLabel*>("BlinkStatus"), findChild<QLabel*>("MeasureStatus")});

    // What a load tells: the strip, the folder watch and the blink follow.
    connect(loading_.get(), &TPictureLoading::fileListChanged, this, &TMainForm::fileListChanged);
    connect(loading_.get(), &TPictureLoading::shownPositionChanged, this, &TMainForm::shownPositionChanged);
    connect(this, &TMainForm::fileListChanged, thumbnails_.get(), [this] { thumbnails_->FileListChanged(); });
    connect(this, &TMainForm::shownPositionChanged, thumbnails_.get(),
            [this](int position) { thumbnails_->ShownPositionChanged(position); });
    connect(this, &TMainForm::shownPositionChanged, blink_.get(), [this] { blink_->ShownPositionChanged(); });
    connect(this, &TMainForm::shownPositionChanged, title_, [this] { title_->Update(); });
    connect(loading_.get(), &TPictureLoading::pictureClosing, this, [this] {
        blink_->PictureClosed();
        compare_->End();
        FullScreen_->Leave();
        title_->Update();
    });
    // Tab goes round the tool buttons, the counter, the picture and the strip.
    new TKeyboardPaths(*this, [this] {
        std::vector<QWidget*> stops;
        for (QToolButton* button : commands_->ToolBar()->findChildren<QToolButton*>())
            if (button->focusPolicy() & Qt::TabFocus) stops.push_back(button);
        stops.push_back(commands_->Counter());
        stops.push_back(CurrentChild_ ? CurrentChild_->ScrollArea() : nullptr);
        stops.push_back(thumbnails_->Strip()->View());
        return stops;
    });
    connect(scan_->Timer(), &QTimer::timeout, this, &TMainForm::Timer1Timer);
    // A pause chosen during a scan applies to the step under way.
    for (const char* pause : {"N2seconds1", "N3seconds1", "N4seconds1", "N5seconds1"})
        connect(commands_->MenuItem(pause), &QAction::triggered, this, [this] { scan_->Sync(); });
    loading_->RefreshHeaderLines();
}

// The concerns go before the widgets they watch, and their connections with them.
TMainForm::~TMainForm() = default;

bool TMainForm::OpenPath(const QString& path) { return loading_->OpenPath(path); }
bool TMainForm::GoToEntry(int position) { return loading_->GoToEntry(position); }

// Loading and stepping through the directory list.
void TMainForm::Open1Click() { loading_->Open(); }
void TMainForm::Close1Click() { loading_->Close(); }
void TMainForm::FileForBtnClick() { loading_->Shown(session_.Next()); }
void TMainForm::FileTylBtnClick() { loading_->Shown(session_.Previous()); }
void TMainForm::First1Click() { loading_->Shown(session_.First()); }
void TMainForm::Last1Click() { loading_->Shown(session_.Last()); }
void TMainForm::GoTo1Click() { counter_->TakeFocus(); }

// The timed scan.
void TMainForm::FileForAutoBtnClick() { scan_->Start(ScanDirection::Forward); }
void TMainForm::FileTylAutBtnClick() { scan_->Start(ScanDirection::Backward); }
void TMainForm::ScanToggle1Click() { scan_->Toggle(); }
void TMainForm::FileStopBtnClick() { scan_->Stop(); }
void TMainForm::Timer1Timer() {
    if (scan_->StepDue()) loading_->Shown(session_.ScanStep());
}

// Saving, printing and the movie of a sequence.
void TMainForm::SaveAs1Click() { savePrint_->SaveAs(); }
void TMainForm::Print1Click() { savePrint_->Print(); }
void TMainForm::PrintPreview1Click() { savePrint_->PrintPreview(); }
void TMainForm::PrintSetup1Click() { savePrint_->PrintSetup(); }
void TMainForm::ExportSequence1Click() { sequence_->Export(); }

// The display options' steps, "Original Image" and the stretch's percentiles.
void TMainForm::ToolButton9Click() { options_->ShowOriginal(); }
void TMainForm::ToolButton27Click() { options_->StepLevel(&PictureState::ContrastLevel, -1); }
void TMainForm::ToolButton28Click() { options_->StepLevel(&PictureState::ContrastLevel, 1); }
void TMainForm::ToolButton20Click() { options_->StepLevel(&PictureState::BrightnessLevel, -orbalux::kBrightnessStep); }
void TMainForm::ToolButton21Click() { options_->StepLevel(&PictureState::BrightnessLevel, orbalux::kBrightnessStep); }
void TMainForm::StretchPercentiles1Click() { stretches_->ChoosePercentiles(); }

// The viewing tools.
void TMainForm::ZoomIn1Click() { tools_->StepIn(); }
void TMainForm::ZoomOut1Click() { tools_->StepOut(); }
void TMainForm::ActualSize1Click() { tools_->ActualSize(); }
void TMainForm::FitToWindow1Click() { tools_->Fit(); }
void TMainForm::Histogram1Click() { tools_->ShowHistogram(); }
void TMainForm::FullScreen1Click() {
    FullScreen_->Toggle();
    title_->Update();
}
void TMainForm::Toolbar1Click() { commands_->ToggleToolBar(); }
void TMainForm::Thumbnails1Click() { thumbnails_->Toggle(); }

// Blink.
void TMainForm::BlinkWith1Click() { blink_->PinShown(); }
void TMainForm::Blink1Click() { blink_->Toggle(); }
void TMainForm::BlinkInterval1Click() { blink_->ChooseInterval(); }

// Measuring and Compare.
void TMainForm::Measure1Click() { measure_->ToggleRectangle(); }
void TMainForm::MeasureLine1Click() { measure_->ToggleLine(); }
void TMainForm::CompareWith1Click() { compare_->Toggle(); }

// The boxes.
void TMainForm::ToolButton29Click() { report_->ShowModal(*InfoBox_); }
void TMainForm::About1Click() { report_->ShowModal(*AboutBox_); }
void TMainForm::HelpAboutBtnClick() { report_->ShowModal(*AboutBox_); }

void TMainForm::Exit1Click() {
    close();
    QCoreApplication::quit();
}

TThumbnailStrip* TMainForm::ThumbnailStrip() const { return thumbnails_->Strip(); }

namespace {
// The one local file or folder of a drop, or an empty string.
QString DroppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1) return {};
    const QUrl url = mime->urls().front();
    if (!url.isLocalFile()) return {};
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    return info.isFile() || info.isDir() ? path : QString();
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
