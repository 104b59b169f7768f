// The frame's title: its own caption, and the shown picture's name after it
// while a picture is shown. The frame sets it itself after every step and
// puts it back whenever anything else writes another (the document area
// rewrites it when its window is maximised, and leaves a stale name behind
// a step taken in full screen).
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "shell/MDIChild.h"

class QMainWindow;

class TWindowTitle : public QObject {
public:
    // `child` is the frame's image window, null without a picture.
    TWindowTitle(QMainWindow& frame, const QPointer<TChild>& child);

    // The shown picture changed: the title names it (or none).
    void Update();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString Wanted() const;

    QMainWindow& frame_;
    const QPointer<TChild>& child_;
    QString caption_;       // the frame's own
    bool setting_ = false;  // within Update
};
