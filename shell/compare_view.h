// Compare: the shown picture pinned beside the image window (the frame split
// in two), the picture shown on the left and the pinned one on the right at
// the same zoom and scroll, both following either; the readout names the
// picture under the pointer and gives the level at the same pixel of the
// other. The same command or Esc ends it; blink goes on in the image window.
#pragma once

#include <functional>

#include <QObject>
#include <QPointer>

#include "session/browsing_session.h"
#include "session/picture_compare.h"
#include "shell/MDIChild.h"

class QAction;
class QLabel;
class QMainWindow;
class QScrollArea;
class QSplitter;
class TPictureControl;

class TCompareView : public QObject {
public:
    // `changed` is told whenever Compare starts or ends.
    TCompareView(QMainWindow& frame, const orbalux::BrowsingSession& session, const QPointer<TChild>& child,
                 QAction* item, std::function<void()> changed);
    ~TCompareView() override;

    // Compare with...: pins the shown picture, or ends Compare.
    void Toggle();
    void End();
    bool Active() const { return compare_.Active(); }
    // A picture is now shown: the image window may be a new one.
    void PictureShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend struct MainFormProbe;

    void Start();
    void Link();
    void FollowZoom();
    void ShowReadout(QPoint device, bool overPinned);

    QMainWindow& frame_;
    const orbalux::BrowsingSession& session_;
    const QPointer<TChild>& child_;
    QAction* item_;
    std::function<void()> changed_;
    orbalux::PictureCompare compare_;
    QPointer<QSplitter> split_;
    QScrollArea* scroll_ = nullptr;
    TPictureControl* pinned_ = nullptr;
    QLabel* readout_ = nullptr;
    QPointer<TChild> linked_;  // the image window the pinned view follows
    std::vector<QMetaObject::Connection> links_;
    // Set while one scroll bar is moved to follow the other, so that the
    // follower's move, clamped to its own range when its picture is the
    // smaller, does not pull the leader back.
    bool following_ = false;
};
