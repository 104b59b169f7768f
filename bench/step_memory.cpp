// The browser's memory and its steps over a long walk: opens the first
// picture of a folder in an offscreen window (with the thumbnail strip as the
// settings leave it, shown by default), steps with Next to the last and back
// with Previous ten times, and reports the resident memory after each pass
// and how long each step took, from the command to its events handled: the
// first pass while the strip fills, the later ones with it full. The memory
// is read after each pass once the window has rested a moment (when the
// browser hands freed memory back). Memory that grows pass after pass is a
// leak or a heap that fragments.
//
//   orbalux_step_memory FOLDER [PASSES]    (exit status 1 when it drifts by
//                                            more than 2 MB after pass 1)
#include <algorithm>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>

#include <malloc.h>
#include <time.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <vector>
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

// Median, p90, p99 and largest of step times in milliseconds.
void PrintSteps(const char* what, std::vector<double> ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) {
        return ms[std::min(ms.size() - 1, static_cast<std::size_t>(q * static_cast<double>(ms.size())))];
    };
    std::printf("%s: %zu steps, median %.2f ms, p90 %.2f, p99 %.2f, max %.2f\n", what, ms.size(), at(0.5), at(0.9),
                at(0.99), ms.back());
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
    // Wall time, and the window thread's own CPU time, which other programs
    // on a shared machine do not lengthen.
    std::vector<double> firstPass, laterPasses, firstCpu, laterCpu;
    auto threadMs = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    };
    auto step = [&](QAction* action, int pass) {
        const auto start = std::chrono::steady_clock::now();
        const double cpu = threadMs();
        action->trigger();
        QCoreApplication::processEvents();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        (pass == 1 ? firstPass : laterPasses).push_back(took.count());
        (pass == 1 ? firstCpu : laterCpu).push_back(threadMs() - cpu);
        ++steps;
    };
    for (int pass = 1; pass <= passes; ++pass) {
        while (form.FileListPos() < count) step(next, pass);
        while (form.FileListPos() > 1) step(previous, pass);
        // Read as a user sees it who stops after the pass: the window at rest.
        QEventLoop rest;
        QTimer::singleShot(1500, &rest, &QEventLoop::quit);
        rest.exec();
        const double rss = ResidentMegabytes();
        if (pass == 1) afterFirst = rss;
        largestDrift = std::max(largestDrift, std::abs(rss - afterFirst));
        // The heap's bytes in use beside the resident set: a leak grows both,
        // a heap that fragments only the second.
        const struct mallinfo2 heap = mallinfo2();
        std::printf("pass %2d: %ld steps, resident %.1f MB, heap in use %.2f MB\n", pass, steps, rss,
                    static_cast<double>(heap.uordblks + heap.hblkhd) / 1e6);
        std::fflush(stdout);
    }
    PrintSteps("pass 1 (the strip filling), wall", firstPass);
    PrintSteps("pass 1, window thread CPU", firstCpu);
    PrintSteps("later passes, wall", laterPasses);
    PrintSteps("later passes, window thread CPU", laterCpu);
    std::printf("%d pictures, %ld steps, %d errors; largest drift from pass 1: %.1f MB (limit 2)\n", count, steps,
                seam.errors, largestDrift);
    return largestDrift <= 2.0 ? 0 : 1;
}
