// The main window as the user left it: its place and size, whether it was
// maximised, remembered from run to run as desktop viewers do. The first run
// starts maximised.
#pragma once

class QMainWindow;

// Shows `frame` where it was left last run, and remembers it when it closes.
void ShowAsLeft(QMainWindow& frame);
