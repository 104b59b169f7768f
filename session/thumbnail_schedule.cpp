#include "session/thumbnail_schedule.h"

#include <algorithm>

namespace orbalux {

void ThumbnailSchedule::Reset(std::vector<bool> wanted) {
    wanted_ = std::move(wanted);
    remaining_ = static_cast<int>(std::count(wanted_.begin(), wanted_.end(), true));
    first_ = last_ = 0;
}

void ThumbnailSchedule::SetView(int first, int last) {
    const int count = static_cast<int>(wanted_.size());
    if (last < first) first = last = 0;
    first_ = std::clamp(first, 0, std::max(0, count - 1));
    last_ = std::clamp(last, first_, std::max(0, count - 1));
}

bool ThumbnailSchedule::TakeIfWanted(int index) {
    if (index < 0 || index >= static_cast<int>(wanted_.size()) || !wanted_[static_cast<std::size_t>(index)])
        return false;
    wanted_[static_cast<std::size_t>(index)] = false;
    --remaining_;
    return true;
}

std::optional<int> ThumbnailSchedule::Take() {
    if (remaining_ == 0) return std::nullopt;
    for (int i = first_; i <= last_; ++i)
        if (TakeIfWanted(i)) return i;
    const int count = static_cast<int>(wanted_.size());
    for (int d = 1; last_ + d < count || first_ - d >= 0; ++d) {
        if (TakeIfWanted(last_ + d)) return last_ + d;
        if (TakeIfWanted(first_ - d)) return first_ - d;
    }
    return std::nullopt;
}

}  // namespace orbalux
