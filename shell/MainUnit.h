// The main window: the frame that holds the image window, the menus, the
// two-row tool bar with its counter, the scan timer, and every command.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QPointer>
#include <QRect>

#include "state/picture_state.h"
#include "shell/MDIChild.h"
#include "shell/zoom.h"

class DialogSeam;
class QAction;
class QLabel;
class QLineEdit;
class QMdiArea;
class QPrinter;
class QTimer;
class QToolBar;
class QToolButton;
class TAboutBox;
class THistogramBox;
class TInfoBox;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `seam` stands for the dialogs and message boxes and must outlive the form.
    explicit TMainForm(DialogSeam& seam, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Open of a given path, as Open after its dialog; the command line and a
    // dropped file come here. Does nothing while Open is disabled. Returns
    // whether a picture is now shown from it.
    bool OpenPath(const QString& path);

    // File menu and the navigation buttons.
    void Open1Click();
    void FileForBtnClick();     // Next
    void FileTylBtnClick();     // Previous
    void SaveAs1Click();
    void FileForAutoBtnClick(); // Scan Forward
    void FileTylAutBtnClick();  // Scan Backward
    void FileStopBtnClick();    // Scan Stop
    void Print1Click();
    void PrintPreview1Click();
    void PrintSetup1Click();
    void Exit1Click();

    // Options and Missing Lines menus: defaults for the next load.
    void Atostretch1Click();
    void Despeckleon1Click();
    void FlipVertically1Click();
    void Invert1Click();
    void Minimize1Click();
    void Minimize141Click();
    void Rotate1Click();
    void HorizontalStretch1Click();
    void N1missinglinefill1Click();
    void N2ormoremissinglinescompress1Click();

    // View, Scan-pause and About menus.
    void Toolbar1Click();
    void N2seconds1Click();
    void N3seconds1Click();
    void N4seconds1Click();
    void N5seconds1Click();
    void About1Click();
    void HelpAboutBtnClick();

    // Viewing tools of the View menu: zoom steps and the histogram window.
    void ZoomIn1Click();
    void ZoomOut1Click();
    void ActualSize1Click();
    void FitToWindow1Click();
    void Histogram1Click();

    // Tool buttons acting on the shown picture.
    void ToolButton9Click();   // Original Image
    void ToolButton10Click();  // Flip Vertically
    void ToolButton12Click();  // Despeckle
    void ToolButton13Click();  // Stretch
    void ToolButton18Click();  // Missing lines
    void ToolButton19Click();  // Invert Display
    void ToolButton20Click();  // Brightness Down
    void ToolButton21Click();  // Brightness Up
    void ToolButton27Click();  // Contrast Down
    void ToolButton28Click();  // Contrast Up
    void ToolButton29Click();  // Image Info
    void ToolButton30Click();  // Minimize
    void ToolButton32Click();  // Minimize - 25 %
    void ToolButton33Click();  // Rotate

    // One step of the timed scan.
    void Timer1Timer();

    // What the commands leave behind, for whoever drives the window.
    const orbalux::PictureState& State() const { return state_; }
    const std::vector<std::string>& FileList() const { return FileList_; }
    int FileListCount() const { return static_cast<int>(FileList_.size()); }
    int FileListPos() const { return FileListPos_; }
    int ScanDirection() const { return ScanDirection_; }
    int ScanPause() const { return ScanPause_; }
    TChild* CurrentChild() const { return CurrentChild_; }
    QTimer* Timer1() const { return Timer1_; }
    QPrinter& Printer() { return *printer_; }
    TInfoBox* InfoBox() const { return InfoBox_; }
    TAboutBox* AboutBox() const { return AboutBox_; }
    int ZoomStep() const { return ZoomStep_; }
    THistogramBox* HistogramBox() const { return HistogramBox_; }
    // Where the picture went on the last page printed or previewed, in dots.
    QRect LastPageRect() const { return LastPageRect_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();

    // Shared steps of the loads.
    void SetPictureCommands(bool pictureShown);
    void SyncOptionButtons();
    void BuildFileList();
    void UpdateCounter();
    void LoadListEntry();
    // `wholeChain` is false for "Original Image", which runs no stage.
    void ShowPicture(bool wholeChain = true);
    void RefreshHeaderLines();
    void ImageWindowClosed();

    // The viewing tools around every display: status bar, zoom, histogram.
    void BuildStatusBar();
    void AttachImageWindow(TChild* child);
    void PictureShown(bool wholeChain);
    void ClearViewingTools();
    void SetZoomStep(int step);
    void ShowPointerReadout();

    // An option button: re-run the chain with `change` applied and show it.
    void Reprocess(const std::function<void(orbalux::PictureState&)>& change);
    void ToggleOptionButton(int orbalux::DisplayOptions::*flag, const char* button);
    void ToggleMenuOption(int& flag, const char* item);
    void SetScanPause(int milliseconds, const char* item);
    void StopScan();
    void ReportError(const QString& file, const QString& reason);

    QAction* Action(const char* name) const;
    QToolButton* Button(const char* name) const;

    DialogSeam& seam_;
    orbalux::PictureState state_;

    // The directory file list and the shown file's 1-based place in it.
    std::vector<std::string> FileList_;
    int FileListPos_ = 0;
    // 0 none, 1 forward, 2 backward.
    int ScanDirection_ = 0;
    int ScanPause_ = 2000;
    // The path last shown, proposed by the next open dialog.
    QString lastPath_;

    QMdiArea* mdiArea_ = nullptr;
    QToolBar* MojToolBar_ = nullptr;
    QLineEdit* Memo1_ = nullptr;
    QTimer* Timer1_ = nullptr;
    QPointer<TChild> CurrentChild_;
    TAboutBox* AboutBox_ = nullptr;
    TInfoBox* InfoBox_ = nullptr;
    std::unique_ptr<QPrinter> printer_;

    // Viewing tools.
    int ZoomStep_ = kActualSizeStep;
    bool WholeChainShown_ = true;
    std::optional<QPoint> Pointer_;  // over the picture control, in its coordinates
    QRect LastPageRect_;
    THistogramBox* HistogramBox_ = nullptr;
    QLabel* PointerReadout_ = nullptr;
    QLabel* PictureSizeStatus_ = nullptr;
    QLabel* LostLinesStatus_ = nullptr;
    QLabel* ZoomStatus_ = nullptr;
};
