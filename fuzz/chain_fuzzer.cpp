// A decoded picture of any format (an encoder-made file, or the input's own
// bytes) followed by any sequence of option-button clicks, levels far outside
// their usual range, "Original Image", menu changes and reloads.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/catalogue_names.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/picture_checks.h"
#include "fuzz/seed_pictures.h"
#include "load/load_sequence.h"
#include "processing/display_options.h"
#include "processing/stages.h"

namespace {

using namespace orbalux;

constexpr int kMaxCommands = 8;

// The commands, in the order the input numbers them.
enum Command : int {
    kToggleFirst = 0,  // 0..7: the eight option buttons, in DisplayOptions order
    kContrastDown = 8,
    kContrastUp,
    kBrightnessDown,
    kBrightnessUp,
    kSetBrightness,  // a level far from anything clicks reach quickly
    kSetContrast,
    kOriginalImage,
    kHorizontalStretchMenu,  // takes effect at the next run of the chain
    kOptionMenu,             // a menu default: the picture on screen stays
    kReload,                 // Next onto the same file: menu defaults, levels 0
    kCommandCount
};

int& OptionField(DisplayOptions& o, int i) {
    int* fields[] = {&o.Stretch, &o.Despeckle, &o.FlipVertical, &o.Rotate,
                     &o.Invert, &o.MinimizeHalf, &o.MinimizeQuarter, &o.FillMissingLine};
    return *fields[i];
}

// A fingerprint of the BMP file, to tell whether a run showed the same picture.
std::uint64_t BitmapHash(const PictureState& state) {
    std::uint64_t h = 0xcbf29ce484222325u;
    const std::size_t size = BitmapFileSize(state);
    for (std::size_t i = 0; i < size; ++i) h = (h ^ state.BitmapBuffer[i]) * 0x100000001b3u;
    return h;
}

bool DecodedImageIs(const PictureState& state, const std::vector<std::uint8_t>& picture) {
    return std::equal(picture.begin(), picture.end(), state.DecodedImage.begin() + kPictureOrigin);
}

// "Original Image" shows exactly the decoded picture: row 0 first, each grey
// level three times.
void CheckShowsDecodedPicture(const PictureState& state) {
    const std::size_t count = static_cast<std::size_t>(state.ImageWidth) * static_cast<std::size_t>(state.ImageHeight);
    for (std::size_t i = 0; i < count; ++i)
        FUZZ_CHECK(state.BitmapBuffer[54 + 3 * i] == state.DecodedImage[kPictureOrigin + i]);
}

// The tone mapping never leaves a gain below 0 behind (the picture's own
// stretch, when on, stands in the catalogue's place with gain 1).
void CheckGainFloor(const PictureState& state) {
    const DisplayOptions& o = state.ActiveOptions;
    const bool catalogue = o.Stretch && !o.PercentStretch && !o.Equalize;
    const long long gain = catalogue ? state.StretchGain + 1LL : 1LL;
    FUZZ_CHECK(gain + state.ContrastLevel >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto& seeds = fuzz::SeedPictures();
    const auto& names = fuzz::FuzzNames();

    const std::size_t pick = in.ConsumeIntegralInRange<std::size_t>(0, seeds.size());
    const std::uint8_t settings = in.ConsumeIntegral<std::uint8_t>();
    const std::uint8_t menuBits = in.ConsumeIntegral<std::uint8_t>();
    const std::uint16_t nameIndex = in.ConsumeIntegral<std::uint16_t>();
    const int commandCount = in.ConsumeIntegralInRange<int>(0, kMaxCommands);
    struct Step {
        int command;
        int value;
    };
    std::vector<Step> steps;
    for (int i = 0; i < commandCount; ++i) {
        const int command = in.ConsumeIntegralInRange<int>(0, kCommandCount - 1);
        const int value = in.ConsumeIntegralInRange<int>(-kToneLevelLimit, kToneLevelLimit);
        steps.push_back({command, value});
    }

    fuzz::LoadInput input;
    std::vector<std::uint8_t> ownBytes;
    if (pick < seeds.size()) {
        input.name = seeds[pick].name;
        input.file = seeds[pick].bytes;
    } else {
        input.name = names[nameIndex % names.size()];
        ownBytes = in.ConsumeBytes<std::uint8_t>(fuzz::kMaxFuzzFileBytes);
        input.file = ownBytes;
    }
    input.compressMissingLines = settings & 1;
    input.horizontalStretch = (settings >> 1) & 1;
    input.menu = fuzz::OptionsFromBits(menuBits);
    // The picture's own stretches, each in the catalogue stretch's place.
    if ((settings >> 2) & 1) SetChainFlag(input.menu, &DisplayOptions::PercentStretch, true);
    if ((settings >> 3) & 1) SetChainFlag(input.menu, &DisplayOptions::Equalize, true);

    PictureState state;
    if (!fuzz::LoadFromInput(state, input)) return 0;
    fuzz::CheckLoaded(state);
    std::vector<std::uint8_t> decoded = fuzz::DecodedPicture(state);
    const int width = state.ImageWidth;
    const int height = state.ImageHeight;
    std::uint64_t shown = 0;       // the BMP of the last run of the chain
    bool chainShown = false;       // false before the first run and after "Original Image"

    for (const Step& step : steps) {
        const DisplayOptions before = state.ActiveOptions;
        switch (step.command) {
            case kContrastDown: ReprocessPicture(state, [](PictureState& s) { s.ContrastLevel -= 1; }); break;
            case kContrastUp: ReprocessPicture(state, [](PictureState& s) { s.ContrastLevel += 1; }); break;
            case kBrightnessDown:
                ReprocessPicture(state, [](PictureState& s) { s.BrightnessLevel -= kBrightnessStep; });
                break;
            case kBrightnessUp:
                ReprocessPicture(state, [](PictureState& s) { s.BrightnessLevel += kBrightnessStep; });
                break;
            case kSetBrightness:
                ReprocessPicture(state, [&](PictureState& s) { s.BrightnessLevel = step.value; });
                break;
            case kSetContrast: ReprocessPicture(state, [&](PictureState& s) { s.ContrastLevel = step.value; }); break;
            case kOriginalImage:
                ShowOriginalImage(state);
                FUZZ_CHECK(state.ActiveOptions == DisplayOptions{});
                FUZZ_CHECK(state.BrightnessLevel == 0 && state.ContrastLevel == 0);
                CheckShowsDecodedPicture(state);
                break;
            case kHorizontalStretchMenu:
                state.HorizontalStretchOn = state.HorizontalStretchOn ? 0 : 1;
                ReprocessPicture(state, nullptr);
                break;
            case kOptionMenu: {
                int& flag = OptionField(state.MenuOptions, static_cast<int>(static_cast<unsigned>(step.value) % 8));
                flag = flag ? 0 : 1;
                state.CompressMissingLines = state.CompressMissingLines ? 0 : 1;
                ReprocessPicture(state, nullptr);
                // Defaults change the next load only: the same picture again.
                if (chainShown) FUZZ_CHECK(BitmapHash(state) == shown);
                break;
            }
            case kReload:
                // The same bytes loaded before, so they load again.
                FUZZ_CHECK(fuzz::LoadFromInput(state, {input.name, state.CompressMissingLines,
                                                       state.HorizontalStretchOn, state.MenuOptions, input.file}));
                fuzz::CheckLoaded(state);
                FUZZ_CHECK(state.ActiveOptions == state.MenuOptions);
                decoded = fuzz::DecodedPicture(state);
                break;
            default: {
                const int field = step.command - kToggleFirst;
                ReprocessPicture(state, [field](PictureState& s) {
                    int& flag = OptionField(s.ActiveOptions, field);
                    flag = flag ? 0 : 1;
                });
                DisplayOptions expected = before;
                int& flag = OptionField(expected, field);
                flag = flag ? 0 : 1;
                FUZZ_CHECK(state.ActiveOptions == expected);
                break;
            }
        }
        FUZZ_CHECK(state.ImageWidth == width && state.ImageHeight == height);
        fuzz::CheckBitmap(state);
        if (step.command != kOriginalImage) CheckGainFloor(state);
        // Re-runs start from the decoded picture and never change it.
        FUZZ_CHECK(DecodedImageIs(state, decoded));
        shown = BitmapHash(state);
        chainShown = step.command != kOriginalImage;
    }
    return 0;
}
