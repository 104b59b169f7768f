// The status bar's word that a file the user asked for was written (Save As,
// Export Sequence, a measurement's Save...): its path, for ten seconds.
#pragma once

#include <QString>

class QWidget;

// Shown when `window` is the main window (it has the status bar).
void ShowWrote(QWidget& window, const QString& path);
