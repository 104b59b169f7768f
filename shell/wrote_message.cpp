#include "shell/wrote_message.h"

#include <QMainWindow>
#include <QStatusBar>

namespace {
constexpr int kWroteShownMs = 10000;
}

void ShowWrote(QWidget& window, const QString& path) {
    if (auto* frame = qobject_cast<QMainWindow*>(&window))
        frame->statusBar()->showMessage(QString("Wrote %1").arg(path), kWroteShownMs);
}
