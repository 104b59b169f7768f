// The count of foreground loads running, which background workers wait on.
#include "session/foreground_work.h"

#include <atomic>

namespace orbalux {
namespace {

std::atomic<int> running{0};

}  // namespace

ForegroundWork::ForegroundWork() { running.fetch_add(1); }

ForegroundWork::~ForegroundWork() {
    if (running.fetch_sub(1) == 1) running.notify_all();
}

void WaitForForegroundWork() {
    for (int now = running.load(); now > 0; now = running.load()) running.wait(now);
}

}  // namespace orbalux
