// The browser: the main window, with a picture file from the command line.
#include <cstdio>
#include <iostream>

#include <QApplication>
#include <QFile>

#include "shell/MainUnit.h"
#include "session/command_line.h"
#include "shell/icons.h"
#include "shell/qt_dialog_seam.h"
#include "shell/window_memory.h"

using orbalux::BrowserCommandLine;
using orbalux::BrowserUsage;
using orbalux::ParseBrowserCommandLine;

int main(int argc, char** argv) {
    const std::string program = argc > 0 ? argv[0] : "orbalux";
    // --help and --version must work without a display, so they are read
    // before the application connects to one.
    BrowserCommandLine early = ParseBrowserCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (early.action == BrowserCommandLine::Action::Help) {
        std::cout << BrowserUsage(program);
        return 0;
    }
    if (early.action == BrowserCommandLine::Action::Version) {
        std::cout << "orbalux " << ORBALUX_VERSION << "\n";
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName("Orbalux");
    QApplication::setApplicationName("Orbalux");
    QApplication::setApplicationVersion(ORBALUX_VERSION);
    QApplication::setWindowIcon(ProgramIcon());

    // QApplication has taken out its own options by now.
    std::vector<std::string> args;
    for (const QString& arg : QApplication::arguments().mid(1)) args.push_back(QFile::encodeName(arg).toStdString());
    const BrowserCommandLine command = ParseBrowserCommandLine(args);
    if (command.action == BrowserCommandLine::Action::Error) {
        std::cerr << program << ": " << command.message << "\n" << BrowserUsage(program);
        return 2;
    }

    TQtDialogSeam seam;
    TMainForm form(seam);
    ShowAsLeft(form);
    if (!command.file.empty()) form.OpenPath(QFile::decodeName(QByteArray::fromStdString(command.file)));
    return QApplication::exec();
}
