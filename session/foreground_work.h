// A load the user waits for (Open, a step, a scan's tick, an option's re-run)
// comes first: while one runs, the background workers (the thumbnails) start
// no new picture, so the step has the memory and the cores to itself.
#pragma once

namespace orbalux {

// Held for the length of a foreground load; any number may be held at once.
class ForegroundWork {
public:
    ForegroundWork();
    ~ForegroundWork();
    ForegroundWork(const ForegroundWork&) = delete;
    ForegroundWork& operator=(const ForegroundWork&) = delete;
};

// Returns once no foreground load is running (at once when none is).
void WaitForForegroundWork();

}  // namespace orbalux
