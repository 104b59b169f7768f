#include "cli/parallel_runner.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <new>
#include <thread>

#include "cli/interruption.h"
#include "state/orbalux_error.h"

namespace orbalux::cli {
namespace {

void RunOne(PictureState& state, const std::vector<std::string>& names, std::size_t index, const FileWork& work,
            ProgressReporter& progress) {
    const std::string& name = names[index];
    progress.Started(name);
    std::string failure;
    try {
        const std::vector<std::string> warnings = work(state, index);
        progress.Finished(name, nullptr, warnings);
        return;
    } catch (const Interrupted&) {
        return;  // neither done nor failed
    } catch (const OrbaluxError& e) {
        // The input's own errors are reported under its name; an output's
        // under the output's.
        failure = (e.file().empty() || e.file() == name) ? e.reason() : e.file() + ": " + e.reason();
    } catch (const std::bad_alloc&) {
        failure = "out of memory";
    } catch (const std::exception& e) {
        failure = e.what();
    }
    progress.Finished(name, &failure);
}

}  // namespace

unsigned WorkerCount(unsigned requested, std::size_t files) {
    unsigned count = requested ? requested : std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::max<std::size_t>(1, std::min<std::size_t>(count, files)));
}

void RunInParallel(const std::vector<std::string>& names, unsigned jobs, const FileWork& work,
                   ProgressReporter& progress) {
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        PictureState state;
        for (std::size_t i = next++; i < names.size() && !InterruptionSignal(); i = next++)
            RunOne(state, names, i, work, progress);
    };
    const unsigned count = WorkerCount(jobs, names.size());
    if (count == 1) {
        worker();
        return;
    }
    std::vector<std::jthread> workers;
    workers.reserve(count);
    {
        const SignalsHeldBack held;  // the workers never take a signal; this thread does
        for (unsigned i = 0; i < count; ++i) workers.emplace_back(worker);
    }
}  // the jthreads join here

}  // namespace orbalux::cli
