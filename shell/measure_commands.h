// The Measure mode of the image window: a drag draws a rectangle (M) or a
// line (Shift+L) over the picture, drawn where its pixels are at any zoom and
// scroll, kept when stepping to another picture; the Region and Profile
// windows and the status bar measure it on whatever picture is shown. Esc
// clears it, and ends Compare.
#pragma once

#include <QObject>
#include <QPointer>

#include "session/browsing_session.h"
#include "session/measure_tool.h"
#include "shell/MDIChild.h"

class QAction;
class QLabel;
class QMainWindow;
class QShortcut;
class QToolButton;
class TCompareView;
class TDialogSeam;
class TErrorReport;
class TMeasureOverlay;
class TProfileWindow;
class TRegionWindow;
class TScanControl;

// The widgets that give the two modes.
struct MeasureItems {
    QAction* rectangle = nullptr;  // View > Measure
    QAction* line = nullptr;       // View > Measure Line
    QToolButton* button = nullptr;
};

class TMeasureCommands : public QObject {
public:
    TMeasureCommands(QMainWindow& frame, const orbalux::BrowsingSession& session, const QPointer<TChild>& child,
                     TDialogSeam& seam, TErrorReport& report, TCompareView& compare, TScanControl& scan,
                     MeasureItems items);
    ~TMeasureCommands() override;

    void ToggleRectangle();
    void ToggleLine();
    // Esc: the shapes go, the mode ends, and so does Compare.
    void Clear();
    // A picture is now shown (loaded, stepped to, redisplayed): measured again.
    void PictureShown();
    // Whether Esc has something to end; kept up to date by the concerns it ends.
    void UpdateEscape();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend struct MainFormProbe;

    void Toggle(orbalux::MeasureMode mode);
    void Attach();
    void Measure();
    void SyncItems();
    void SaveCsv(const QString& csv, const char* what);
    orbalux::ShownGeometry Geometry() const;

    QMainWindow& frame_;
    const orbalux::BrowsingSession& session_;
    const QPointer<TChild>& child_;
    TDialogSeam& seam_;
    TErrorReport& report_;
    TCompareView& compare_;
    TScanControl& scan_;
    MeasureItems items_;
    orbalux::MeasureTool tool_;
    bool pressed_ = false;
    QPointer<QWidget> watched_;  // the picture control the filter sits on
    QPointer<QWidget> margin_;   // and the view around it
    QPointer<TMeasureOverlay> overlay_;
    TRegionWindow* region_ = nullptr;
    TProfileWindow* profile_ = nullptr;
    QLabel* lengthStatus_ = nullptr;
    QShortcut* escape_ = nullptr;
};
