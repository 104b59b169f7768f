// The commands that the menus and the tool bar give: each row of the command
// tables carries one of these, and the main window answers it.
#pragma once

class TCommandTarget {
public:
    // File menu and the navigation buttons.
    virtual void Open1Click() = 0;
    virtual void Close1Click() = 0;
    virtual void FileForBtnClick() = 0;  // Next
    virtual void FileTylBtnClick() = 0;  // Previous
    virtual void First1Click() = 0;      // Home
    virtual void Last1Click() = 0;       // End
    virtual void GoTo1Click() = 0;       // into the counter box
    virtual void SaveAs1Click() = 0;
    virtual void ExportSequence1Click() = 0;
    virtual void FileForAutoBtnClick() = 0;  // Scan Forward
    virtual void FileTylAutBtnClick() = 0;   // Scan Backward
    virtual void FileStopBtnClick() = 0;     // Scan Stop
    virtual void ScanToggle1Click() = 0;     // the scan on or off, in the last direction
    virtual void Print1Click() = 0;
    virtual void PrintPreview1Click() = 0;
    virtual void PrintSetup1Click() = 0;
    virtual void Exit1Click() = 0;

    // View and About menus.
    virtual void Toolbar1Click() = 0;
    virtual void Thumbnails1Click() = 0;
    virtual void ZoomIn1Click() = 0;
    virtual void ZoomOut1Click() = 0;
    virtual void ActualSize1Click() = 0;
    virtual void FitToWindow1Click() = 0;
    virtual void FullScreen1Click() = 0;  // the picture alone on the screen
    virtual void Histogram1Click() = 0;
    virtual void BlinkWith1Click() = 0;
    virtual void Blink1Click() = 0;
    virtual void BlinkInterval1Click() = 0;
    virtual void StretchPercentiles1Click() = 0;
    virtual void Measure1Click() = 0;      // a rectangle's statistics
    virtual void MeasureLine1Click() = 0;  // a line's profile and length
    virtual void CompareWith1Click() = 0;
    virtual void About1Click() = 0;
    virtual void HelpAboutBtnClick() = 0;

    // Tool buttons acting on the shown picture.
    virtual void ToolButton9Click() = 0;   // Original Image
    virtual void ToolButton20Click() = 0;  // Brightness Down
    virtual void ToolButton21Click() = 0;  // Brightness Up
    virtual void ToolButton27Click() = 0;  // Contrast Down
    virtual void ToolButton28Click() = 0;  // Contrast Up
    virtual void ToolButton29Click() = 0;  // Image Info

protected:
    ~TCommandTarget() = default;
};
