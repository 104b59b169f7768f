// The browser's memory over a long walk: opens the first picture of a folder
// in an offscreen window, steps with Next to the last and back with Previous
// ten times, and reports the resident memory after each pass. Memory that
// grows pass after pass is a leak or a heap that fragments.
//
//   orbalux_step_memory FOLDER [PASSES]    (exit status 1 when it drifts by
//                                            more than 5 MB after pass 1)
#include <algorithm>
#include <QAction>
#include <QApplication>
#include <QDir>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "shell/MainUnit.h"
#include "shell/dialog_seam.h"

namespace {

// No dialog ever opens: errors are counted and printed.
class CountingSeam : public TDialogSeam {
public:
    int errors = 0;
    std::optional<QString> openFileName(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<SaveChoice> saveFileName(QWidget*, const QString&, const QString&) override { return std::nullopt; }
    bool confirmOverwrite(QWidget*, const QString&) override { return false; }
    void showError(QWidget*, const QString& message) override {
        ++errors;
        std::fprintf(stderr, "error: %s\n", message.toLocal8Bit().constData());
    }
    bool printDialog(QWidget*, QPrinter&) override { return false; }
    bool pageSetup(QWidget*, QPrinter&) override { return false; }
    void showModal(QDialog&) override {}
    std::optional<SequenceChoice> sequenceExport(QWidget*, const QString&, int, int) override { return std::nullopt; }
    std::optional<int> blinkInterval(QWidget*, int) override { return std::nullopt; }
    std::optional<PercentileChoice> stretchPercentiles(QWidget*, double, double) override { return std::nullopt; }
};

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: orbalux_step_memory FOLDER [PASSES]\n");
        return 2;
    }
    const int passes = argc > 2 ? std::stoi(argv[2]) : 10;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QStringList names = folder.entryList(QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        std::fprintf(stderr, "no files in %s\n", argv[1]);
        return 2;
    }

    CountingSeam seam;
    TMainForm form(seam);
    form.show();
    // The first listed picture: the list is in byte order, as QDir sorts here.
    QString first;
    for (const QString& name : names)
        if (form.OpenPath(folder.filePath(name)) && form.FileListPos() == 1) {
            first = name;
            break;
        }
    if (first.isEmpty()) {
        std::fprintf(stderr, "no listed picture opened in %s\n", argv[1]);
        return 2;
    }
    QAction* next = form.findChild<QAction*>("Next1");
    QAction* previous = form.findChild<QAction*>("Previous1");
    const int count = form.FileListCount();

    long steps = 0;
    double afterFirst = 0, largestDrift = 0;
    for (int pass = 1; pass <= passes; ++pass) {
        while (form.FileListPos() < count) {
            next->trigger();
            QCoreApplication::processEvents();
            ++steps;
        }
        while (form.FileListPos() > 1) {
            previous->trigger();
            QCoreApplication::processEvents();
            ++steps;
        }
        const double rss = ResidentMegabytes();
        if (pass == 1) afterFirst = rss;
        largestDrift = std::max(largestDrift, std::abs(rss - afterFirst));
        std::printf("pass %2d: %ld steps, resident %.1f MB\n", pass, steps, rss);
        std::fflush(stdout);
    }
    std::printf("%d pictures, %ld steps, %d errors; largest drift from pass 1: %.1f MB (limit 5)\n", count, steps,
                seam.errors, largestDrift);
    return largestDrift <= 5.0 ? 0 : 1;
}
