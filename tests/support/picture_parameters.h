// The five parameters a picture's catalogue row gives its load, as tests
// compare them: where its lines begin, its line format, its stretch and how
// many lines its frame holds.
#pragma once

#include <ostream>

namespace orbalux::test {

struct Parameters {
    int dataOffset;
    int lineFormat;
    int stretchGain;
    int stretchBlack;
    int frameLineCount;
    bool operator==(const Parameters&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Parameters& p) {
    return os << p.dataOffset << " " << p.lineFormat << " " << p.stretchGain << "/" << p.stretchBlack << " lines "
              << p.frameLineCount;
}

}  // namespace orbalux::test
