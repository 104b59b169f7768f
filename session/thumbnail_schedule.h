// Which pictures of the directory list still want a thumbnail, and which one
// to make next: those in view first, in list order, then the others by their
// distance from the view, the one after it before the one before it, since a
// volume is mostly browsed forward.
#pragma once

#include <optional>
#include <vector>

namespace orbalux {

class ThumbnailSchedule {
public:
    // A new list; `wanted[i]` is false for an entry whose thumbnail exists.
    void Reset(std::vector<bool> wanted);
    // The entries in view, 0-based and inclusive; an empty view (last <
    // first) counts as the list's start.
    void SetView(int first, int last);
    // The next entry to make, now counted as taken; nothing when none is left.
    std::optional<int> Take();
    int Remaining() const { return remaining_; }

private:
    bool TakeIfWanted(int index);

    std::vector<bool> wanted_;
    int remaining_ = 0;
    int first_ = 0;
    int last_ = 0;
};

}  // namespace orbalux
