// Any file bytes under any catalogue name: the read, the catalogue, the
// decoder, the header and the whole processing chain with the menu options
// the input chooses.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/fuzz_input.h"
#include "fuzz/picture_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orbalux;
    const fuzz::LoadInput input = fuzz::ParseLoadInput(std::span(data, size));
    PictureState state;
    if (!fuzz::LoadFromInput(state, input)) return 0;
    fuzz::CheckLoaded(state);
    FUZZ_CHECK(state.CatalogueName == input.name);
    FUZZ_CHECK(state.ActiveOptions == input.menu);
    return 0;
}
