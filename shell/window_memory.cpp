// The frame's geometry kept in the settings: written when the frame closes,
// read before it is first shown.
#include "shell/window_memory.h"

#include <QEvent>
#include <QMainWindow>
#include <QSettings>

namespace {

// Qt's own record of the frame: the restored place and size, the screen,
// and the maximised state.
constexpr const char* kGeometry = "window/geometry";

class TWindowMemory : public QObject {
public:
    explicit TWindowMemory(QMainWindow& frame) : QObject(&frame), frame_(frame) { frame.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &frame_ && event->type() == QEvent::Close)
            QSettings().setValue(kGeometry, frame_.saveGeometry());
        return false;
    }

private:
    QMainWindow& frame_;
};

}  // namespace

void ShowAsLeft(QMainWindow& frame) {
    new TWindowMemory(frame);
    const QByteArray geometry = QSettings().value(kGeometry).toByteArray();
    if (geometry.isEmpty() || !frame.restoreGeometry(geometry)) {
        frame.showMaximized();
        return;
    }
    frame.show();
}
