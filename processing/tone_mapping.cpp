#include <algorithm>
#include <array>
#include <cstdint>

#include "processing/stages.h"
#include "processing/working_picture.h"

namespace orbalux {

namespace {

// v * 0.5 rounded to the nearest level, ties to the even one: 1 -> 0, 3 -> 2,
// 5 -> 2, 255 -> 128.
long long HalveTiesToEven(int v) {
    const int half = v >> 1;
    return half + ((v & 1) & (half & 1));
}

using ToneTable = std::array<std::uint8_t, 256>;

// One linear mapping per level, clamped to 0..255. The products are taken in
// 64 bits: the levels have no bound of their own and may be stepped far out.
ToneTable BuildToneTable(long long gain, long long black, long long brightness) {
    ToneTable table{};
    for (int v = 0; v < 256; ++v) {
        long long a = gain == 0 ? HalveTiesToEven(v) : v * gain;
        a = a - black + brightness;
        table[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(std::clamp(a, 0LL, 255LL));
    }
    return table;
}

bool IsIdentity(const ToneTable& table) {
    for (int v = 0; v < 256; ++v)
        if (table[static_cast<std::size_t>(v)] != v) return false;
    return true;
}

}  // namespace

void ApplyToneMapping(PictureState& state) {
    long long gain = 1;
    long long black = 0;
    if (state.ActiveOptions.Stretch == 1) {
        gain = static_cast<long long>(state.StretchGain) + 1;
        black = 20LL * state.StretchBlack;
    }
    // The lowest step is the halving one: a contrast level that would take
    // the gain below 0 is raised back, and later steps start from there.
    if (gain + state.ContrastLevel < 0) state.ContrastLevel = static_cast<int>(-gain);
    gain += state.ContrastLevel;

    const ToneTable table = BuildToneTable(gain, black, state.BrightnessLevel);
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture || IsIdentity(table)) return;
    std::uint8_t* p = picture.pixels;
    std::uint8_t* const end = p + picture.count();
    for (; p != end; ++p) *p = table[*p];
}

void ApplyInvert(PictureState& state) {
    if (state.ActiveOptions.Invert != 1) return;
    const WorkingPicture picture = WorkingPictureOf(state);
    if (!picture) return;
    std::uint8_t* p = picture.pixels;
    std::uint8_t* const end = p + picture.count();
    for (; p != end; ++p) *p = static_cast<std::uint8_t>(255 - *p);
}

}  // namespace orbalux
