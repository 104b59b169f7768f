#include "fuzz/fuzz_input.h"

#include <algorithm>
#include <filesystem>

#include "fuzz/catalogue_names.h"
#include "fuzz/picture_checks.h"
#include "load/load_sequence.h"
#include "state/orbalux_error.h"
#include "tools/encoder/picture_encoder.h"
#include "tools/scratch/scratch_folder.h"

namespace orbalux::fuzz {
namespace {

// The picture files' folder, made once and removed when the process ends
// normally.
const test::ScratchFolder& Folder() {
    static const test::ScratchFolder folder(test::ScratchPlace::Memory);
    return folder;
}

}  // namespace

DisplayOptions OptionsFromBits(std::uint8_t bits) {
    DisplayOptions o;
    o.Stretch = bits & 1;
    o.Despeckle = (bits >> 1) & 1;
    o.FlipVertical = (bits >> 2) & 1;
    o.Rotate = (bits >> 3) & 1;
    o.Invert = (bits >> 4) & 1;
    o.MinimizeHalf = (bits >> 5) & 1;
    o.MinimizeQuarter = (bits >> 6) & 1;
    o.FillMissingLine = (bits >> 7) & 1;
    return o;
}

LoadInput ParseLoadInput(std::span<const std::uint8_t> data) {
    std::uint8_t setting[kLoadSettingBytes] = {};
    std::copy_n(data.begin(), std::min(data.size(), kLoadSettingBytes), setting);
    const auto& names = FuzzNames();
    LoadInput input;
    input.name = names[(setting[0] | (setting[1] << 8)) % names.size()];
    input.compressMissingLines = setting[2] & 1;
    input.horizontalStretch = (setting[2] >> 1) & 1;
    input.menu = OptionsFromBits(setting[3]);
    if (data.size() > kLoadSettingBytes)
        input.file = data.subspan(kLoadSettingBytes, std::min(data.size() - kLoadSettingBytes, kMaxFuzzFileBytes));
    return input;
}

std::vector<std::uint8_t> LoadSettingBytes(std::size_t nameIndex, int compress, int stretch, std::uint8_t menuBits) {
    return {static_cast<std::uint8_t>(nameIndex & 0xFF), static_cast<std::uint8_t>((nameIndex >> 8) & 0xFF),
            static_cast<std::uint8_t>((compress & 1) | ((stretch & 1) << 1)), menuBits};
}

bool LoadFromInput(PictureState& state, const LoadInput& input) {
    state.CompressMissingLines = input.compressMissingLines;
    state.HorizontalStretchOn = input.horizontalStretch;
    state.MenuOptions = input.menu;
    SetOpenDespeckleGeometry(state);
    // A file that cannot be written throws: the harness is broken, not the program.
    const std::string path = Folder() / input.name;
    encoder::WriteFile(path, input.file);
    const std::string shownName = state.CatalogueName;
    try {
        LoadPicture(state, path);
    } catch (const OrbaluxError& e) {
        std::filesystem::remove(path);
        // Only a file without a single line is refused, and it leaves the
        // shown picture as it was.
        FUZZ_CHECK(e.kind() == ErrorKind::NotAPicture);
        FUZZ_CHECK(state.CatalogueName == shownName);
        return false;
    }
    std::filesystem::remove(path);
    return true;
}

}  // namespace orbalux::fuzz
