// The main window: the frame that holds the image window, the menus, the
// two-row tool bar with its counter, the status bar and the thumbnail strip.
// It owns one object for each concern of the browser and answers every
// command by handing it to the one that holds it.
#pragma once

#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "session/browsing_session.h"
#include "shell/MDIChild.h"
#include "shell/command_target.h"
#include "state/picture_state.h"

class QLabel;
class QMdiArea;
class TDialogSeam;
class TAboutBox;
class TBlinkCommands;
class TCommandBar;
class TCompareView;
class TMeasureCommands;
class TCounterControl;
class TErrorReport;
class TFullScreen;
class TInfoBox;
class TOptionCommands;
class TPictureLoading;
class TPictureShow;
class TSavePrint;
class TScanControl;
class TSequenceCommands;
class TStretchCommands;
class TThumbnailCommands;
class TThumbnailStrip;
class TViewingTools;
class TWindowTitle;

class TMainForm : public QMainWindow, public TCommandTarget {
    Q_OBJECT
public:
    // `seam` stands for the dialogs and message boxes and must outlive the form.
    explicit TMainForm(TDialogSeam& seam, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Open of a given path, as Open after its dialog; the command line and a
    // dropped file come here. A picture already shown is replaced when the
    // new one loads and stays when it does not. Returns whether a picture is
    // now shown from `path`.
    bool OpenPath(const QString& path);
    // Entry `position` (1-based) of the directory list, loaded as Next loads
    // its entry; the thumbnail strip and the counter box come here. Returns
    // false when nothing new is shown (no picture, off the list, already
    // shown, or the load failed and was reported).
    bool GoToEntry(int position);

    // File menu and the navigation buttons.
    void Open1Click() override;
    void FileForBtnClick() override;  // Next
    void FileTylBtnClick() override;  // Previous
    void First1Click() override;      // Home
    void Last1Click() override;       // End
    void GoTo1Click() override;       // into the counter box
    void Close1Click() override;      // closes the shown picture
    void SaveAs1Click() override;
    void FileForAutoBtnClick() override;  // Scan Forward
    void FileTylAutBtnClick() override;   // Scan Backward
    void FileStopBtnClick() override;     // Scan Stop
    void ScanToggle1Click() override;     // the scan on or off, in the last direction
    void FullScreen1Click() override;     // the picture alone on the screen
    void Print1Click() override;
    void PrintPreview1Click() override;
    void PrintSetup1Click() override;
    void Exit1Click() override;

    // View, Scan-pause and About menus.
    void Toolbar1Click() override;
    void Thumbnails1Click() override;
    void About1Click() override;
    void HelpAboutBtnClick() override;

    // Viewing tools of the View menu: zoom steps and the histogram window.
    void ZoomIn1Click() override;
    void ZoomOut1Click() override;
    void ActualSize1Click() override;
    void FitToWindow1Click() override;
    void Histogram1Click() override;

    // Tool buttons acting on the shown picture.
    void ToolButton9Click() override;   // Original Image
    void ToolButton20Click() override;  // Brightness Down
    void ToolButton21Click() override;  // Brightness Up
    void ToolButton27Click() override;  // Contrast Down
    void ToolButton28Click() override;  // Contrast Up
    void ToolButton29Click() override;  // Image Info

    // One step of the timed scan.
    void Timer1Timer();

    // Blink and Export Sequence.
    void BlinkWith1Click() override;
    void Blink1Click() override;
    void BlinkInterval1Click() override;
    void ExportSequence1Click() override;
    // The Options menu's Stretch Percentiles...
    void StretchPercentiles1Click() override;
    // Measuring and Compare.
    void Measure1Click() override;
    void MeasureLine1Click() override;
    void CompareWith1Click() override;

    // Where the list stands and the strip, for whoever drives the window (the
    // benchmarks); the tests read the rest through MainFormProbe.
    int FileListCount() const { return session_.FileListCount(); }
    int FileListPos() const { return session_.FileListPos(); }
    TThumbnailStrip* ThumbnailStrip() const;

signals:
    // A new directory list (after an Open), or none (the picture closed).
    void fileListChanged();
    // A picture of the list is shown at `position` (1-based; 0: not listed).
    void shownPositionChanged(int position);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend struct MainFormProbe;  // the tests read inside (tests/shell/main_form_probe.h)

    TDialogSeam& seam_;
    orbalux::BrowsingSession session_;
    QPointer<TChild> CurrentChild_;

    QMdiArea* mdiArea_ = nullptr;
    QLabel* LoadWarningStatus_ = nullptr;
    TAboutBox* AboutBox_ = nullptr;
    TInfoBox* InfoBox_ = nullptr;
    TFullScreen* FullScreen_ = nullptr;
    TWindowTitle* title_ = nullptr;

    // The concerns, each over those before it.
    std::unique_ptr<TCommandBar> commands_;
    std::unique_ptr<TViewingTools> tools_;
    std::unique_ptr<TScanControl> scan_;
    std::unique_ptr<TCounterControl> counter_;
    std::unique_ptr<TThumbnailCommands> thumbnails_;
    std::unique_ptr<TErrorReport> report_;
    std::unique_ptr<TBlinkCommands> blink_;
    std::unique_ptr<TPictureShow> show_;
    std::unique_ptr<TStretchCommands> stretches_;
    std::unique_ptr<TOptionCommands> options_;
    std::unique_ptr<TPictureLoading> loading_;
    std::unique_ptr<TSavePrint> savePrint_;
    std::unique_ptr<TSequenceCommands> sequence_;
    std::unique_ptr<TCompareView> compare_;
    std::unique_ptr<TMeasureCommands> measure_;
};
