// The full-screen view: the frame fills the screen with the picture alone,
// its menus, tool bar, strip and status bar out of sight until it leaves
// (F11 again, or Esc). The keys of the commands keep working meanwhile.
#pragma once

#include <vector>

#include <QObject>
#include <QPointer>

class QMainWindow;
class QShortcut;
class QWidget;

class TFullScreen : public QObject {
    Q_OBJECT
public:
    explicit TFullScreen(QMainWindow& frame);

    bool Active() const { return active_; }
    void Toggle();
    void Enter();
    void Leave();

private:
    QMainWindow& frame_;
    QShortcut* escape_;
    bool active_ = false;
    bool wasMaximized_ = false;
    std::vector<QPointer<QWidget>> hidden_;  // what it hid, to show again
};
