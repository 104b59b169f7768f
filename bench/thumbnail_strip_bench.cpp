// How soon the thumbnail strip shows its first screenful: a folder of the
// volume opened in the browser's window, offscreen at 1280 x 960, timed from
// the Open until every thumbnail in view is in hand (the picture of a file
// that is no picture counts when its mark is). Each run starts with an empty
// cache. The strip alone is timed with one and with two workers, side by
// side, and the whole Open with the window's own choice.
//
//   ORBALUX_VOLUME=/dev/shm/volume orbalux_strip_bench --benchmark_repetitions=15
//
// bench/strip.sh makes the volume and runs it; compare medians.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include <QApplication>
#include <QListView>
#include <QScrollBar>
#include <QStandardPaths>

#include "intake/file_list.h"
#include "shell/MainUnit.h"
#include "shell/qt_dialog_seam.h"
#include "shell/thumbnail_strip.h"

namespace {

std::string VolumeDir() {
    const char* dir = std::getenv("ORBALUX_VOLUME");
    std::string path = dir ? dir : "/dev/shm/orbalux-strip-volume";
    if (!path.ends_with('/')) path += '/';
    return path;
}

// The entries whose cells the strip shows now, 1-based.
std::pair<int, int> InView(const TThumbnailStrip& strip) {
    QListView* view = strip.View();
    int first = 0, last = 0;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        if (!view->visualRect(view->model()->index(row, 0)).intersects(view->viewport()->rect())) {
            if (first) break;
            continue;
        }
        if (!first) first = row + 1;
        last = row + 1;
    }
    return {first, last};
}

bool ScreenfulReady(const TThumbnailStrip& strip) {
    const auto [first, last] = InView(strip);
    if (first == 0) return false;
    for (int p = first; p <= last; ++p)
        if (strip.EntryMark(p) == TThumbnailStrip::Mark::Waiting) return false;
    return true;
}

void WaitForScreenful(const TThumbnailStrip& strip) {
    while (!ScreenfulReady(strip)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// The strip alone, as wide as the maximised window, on the folder's list.
void BM_StripFirstScreenful(benchmark::State& bench) {
    const std::string dir = VolumeDir();
    const std::vector<std::string> names = orbalux::ListPictureFiles(dir);
    if (names.size() < 400) {
        bench.SkipWithError(("no volume of 400 pictures in " + dir).c_str());
        return;
    }
    for (auto _ : bench) {
        TThumbnailStrip strip(nullptr, static_cast<int>(bench.range(0)));
        strip.resize(1280, 160);
        strip.show();
        QCoreApplication::processEvents();
        const auto start = Clock::now();
        strip.SetList(dir, names);
        strip.SetCurrent(1);
        WaitForScreenful(strip);
        bench.SetIterationTime(Seconds(start));
        bench.counters["in_view"] = InView(strip).second - InView(strip).first + 1;
    }
}
BENCHMARK(BM_StripFirstScreenful)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond);

// The whole window: Open of the folder's first picture, its load and display
// included.
void BM_OpenFirstScreenful(benchmark::State& bench) {
    const std::string dir = VolumeDir();
    const std::vector<std::string> names = orbalux::ListPictureFiles(dir);
    if (names.size() < 400) {
        bench.SkipWithError(("no volume of 400 pictures in " + dir).c_str());
        return;
    }
    TQtDialogSeam seam;
    for (auto _ : bench) {
        TMainForm form(seam);
        form.setGeometry(0, 0, 1280, 960);
        form.show();
        QCoreApplication::processEvents();
        const auto start = Clock::now();
        if (!form.OpenPath(QString::fromStdString(dir + names.front()))) {
            bench.SkipWithError("the first picture did not open");
            return;
        }
        WaitForScreenful(*form.ThumbnailStrip());
        bench.SetIterationTime(Seconds(start));
        const auto [first, last] = InView(*form.ThumbnailStrip());
        bench.counters["in_view"] = last - first + 1;
    }
}
BENCHMARK(BM_OpenFirstScreenful)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The settings of the user's own runs (a strip switched off) stay out.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName("OrbaluxBench");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
