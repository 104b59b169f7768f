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

#include "processing/display_options.h"
#include "shell/MDIChild.h"
#include "session/blink.h"
#include "session/browsing_session.h"
#include "session/zoom.h"
#include "state/picture_state.h"

class DialogSeam;
struct GreyHistogram;
class QAction;
class QDialog;
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
class TFullScreen;
class TThumbnailStrip;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `seam` stands for the dialogs and message boxes and must outlive the form.
    explicit TMainForm(DialogSeam& seam, QWidget* parent = nullptr);
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
    void Open1Click();
    void FileForBtnClick();     // Next
    void FileTylBtnClick();     // Previous
    void First1Click();         // Home
    void Last1Click();          // End
    void GoTo1Click();          // into the counter box
    void Close1Click();         // closes the shown picture
    void SaveAs1Click();
    void FileForAutoBtnClick(); // Scan Forward
    void FileTylAutBtnClick();  // Scan Backward
    void FileStopBtnClick();    // Scan Stop
    void ScanToggle1Click();    // the scan on or off, in the last direction
    void FullScreen1Click();    // the picture alone on the screen
    void Print1Click();
    void PrintPreview1Click();
    void PrintSetup1Click();
    void Exit1Click();

    // View, Scan-pause and About menus.
    void Toolbar1Click();
    void Thumbnails1Click();
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
    void ToolButton20Click();  // Brightness Down
    void ToolButton21Click();  // Brightness Up
    void ToolButton27Click();  // Contrast Down
    void ToolButton28Click();  // Contrast Up
    void ToolButton29Click();  // Image Info

    // One step of the timed scan.
    void Timer1Timer();

    // Blink and Export Sequence (blink_commands.cpp, sequence_commands.cpp).
    void BlinkWith1Click();
    void Blink1Click();
    void BlinkInterval1Click();
    void ExportSequence1Click();
    // The Options menu's Stretch Percentiles... (stretch_commands.cpp).
    void StretchPercentiles1Click();
    const orbalux::BlinkPair& Blink() const { return Blink_; }
    QTimer* BlinkTimer() const { return BlinkTimer_; }

    // What the commands leave behind, for whoever drives the window.
    const orbalux::PictureState& State() const { return session_.State(); }
    const std::vector<std::string>& FileList() const { return session_.FileList(); }
    int FileListCount() const { return session_.FileListCount(); }
    int FileListPos() const { return session_.FileListPos(); }
    int ScanDirection() const { return static_cast<int>(session_.Direction()); }
    int ScanPause() const { return session_.ScanPause(); }
    TChild* CurrentChild() const { return CurrentChild_; }
    QTimer* Timer1() const { return Timer1_; }
    QPrinter& Printer() { return *printer_; }
    TInfoBox* InfoBox() const { return InfoBox_; }
    TAboutBox* AboutBox() const { return AboutBox_; }
    THistogramBox* HistogramBox() const { return HistogramBox_; }
    TThumbnailStrip* ThumbnailStrip() const { return ThumbnailStrip_; }
    // Where the picture went on the last page printed or previewed, in dots.
    QRect LastPageRect() const { return LastPageRect_; }

signals:
    // A new directory list (after an Open), or none (the picture closed).
    void fileListChanged();
    // A picture of the list is shown at `position` (1-based; 0: not listed).
    void shownPositionChanged(int position);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The scan waits while a dialog is up, so that the picture a command was
    // given for is the one it acts on; it goes on after with the same pause.
    class ScanWait {
    public:
        explicit ScanWait(TMainForm& form);
        ~ScanWait();
        ScanWait(const ScanWait&) = delete;
        ScanWait& operator=(const ScanWait&) = delete;

    private:
        TMainForm& form_;
    };

    // One display option with the widgets that show it.
    struct OptionControl {
        const orbalux::DisplayOptionRow* row;
        QAction* menuItem;       // Options / Missing Lines menu: the next load's default
        QToolButton* button;     // the shown picture's toggle, or nullptr
        QAction* pictureItem;    // the same toggle in the Picture menu, or nullptr
    };

    void BuildMenus();
    void BuildToolBar();
    void BuildCounter(QWidget* parent);
    QAction* MenuItem(const char* name) const;
    QToolButton* ToolButton(const char* name) const;

    // Shared steps of the loads.
    void SetPictureCommands(bool pictureShown);
    void SyncOptionButtons();
    void SetOptionPressed(const OptionControl& option, bool pressed);
    void UpdateCounter();
    void ShowCounter();
    // After a command of the session: the new picture shown, or the failure
    // reported; the scan's timer and buttons follow the session.
    void Shown(orbalux::Outcome outcome);
    void ShowLoadedEntry();
    // `wholeChain` is false for "Original Image", which runs no stage.
    void ShowPicture(bool wholeChain = true);
    void RefreshHeaderLines();
    void ShowLoadWarnings();
    void ImageWindowClosed();
    void CounterEntered();

    // The viewing tools around every display: status bar, zoom, histogram.
    void BuildStatusBar();
    void AttachImageWindow(TChild* child);
    void PictureShown(bool wholeChain);
    void ClearViewingTools();
    // A step of the ladder, keeping `anchor` (a point of the image window's
    // view) on its picture point; the view's middle without one.
    void SetZoomStep(int step, std::optional<QPoint> anchor = std::nullopt);
    ZoomFactor ShownZoom() const;
    void ShowZoom();
    void ShowPointerReadout();
    GreyHistogram ShownHistogram() const;

    // The thumbnail strip of the directory list.
    void BuildThumbnailStrip();
    void ThumbnailChosen(int position);

    // The Options and Missing Lines items (defaults for the next load) and
    // the option tool buttons with their Picture menu items (the shown
    // picture): each is connected to its option's controls.
    void MenuOptionClicked(const OptionControl& option);
    void OptionButtonClicked(const OptionControl& option);
    void Redisplayed(orbalux::Outcome outcome);
    void SetScanPause(int milliseconds);
    void SyncScan();
    void ShowModal(QDialog& dialog);
    // The one way a failure reaches the user: the file and the reason.
    void ReportError(const orbalux::OrbaluxError& error);
    void ReportLastError();

    DialogSeam& seam_;
    orbalux::BrowsingSession session_;
    const orbalux::PictureState& state_ = session_.State();
    int dialogsUp_ = 0;

    // The commands' widgets, by row of the command tables.
    std::vector<QAction*> menuItems_;
    std::vector<QToolButton*> toolButtons_;
    std::vector<QAction*> pictureItems_;
    std::vector<OptionControl> options_;
    QAction* Open1_ = nullptr;
    QAction* Toolbar1_ = nullptr;
    QToolButton* FileForAutoBtn_ = nullptr;
    QToolButton* FileTylAutBtn_ = nullptr;
    QLabel* LoadWarningStatus_ = nullptr;

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
    bool FitZoom_ = false;  // fitted to the window until another zoom
    bool WholeChainShown_ = true;
    std::optional<QPoint> Pointer_;  // over the picture control, in its coordinates
    QRect LastPageRect_;
    THistogramBox* HistogramBox_ = nullptr;
    QLabel* PointerReadout_ = nullptr;
    QLabel* PictureSizeStatus_ = nullptr;
    QLabel* LostLinesStatus_ = nullptr;
    QLabel* ZoomStatus_ = nullptr;
    TThumbnailStrip* ThumbnailStrip_ = nullptr;
    TFullScreen* FullScreen_ = nullptr;

    // The picture's own stretches (stretch_commands.cpp): each row of the
    // stretches table with its Options item, tool button and Picture item,
    // kept exclusive with the catalogue's Stretch in every widget.
    struct StretchControl {
        const orbalux::PictureStretchRow* row;
        QAction* menuItem;
        QToolButton* button;
        QAction* pictureItem;
    };
    void BuildStretches();
    void SyncStretchControls();
    void RememberStretchChoices() const;
    std::vector<StretchControl> stretches_;

    // Blink.
    void BuildBlink();
    void BlinkTick();
    void ShowBlink();
    void StopBlink();
    void BlinkPictureClosed();
    orbalux::BlinkPair Blink_;
    QTimer* BlinkTimer_ = nullptr;
    QLabel* BlinkStatus_ = nullptr;
};
