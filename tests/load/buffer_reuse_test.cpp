// Loads and re-runs keep their buffers from one picture to the next: whatever
// the picture before left in them, the state must come out byte for byte as
// a load into a fresh state leaves it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "load/load_sequence.h"
#include "state/orbalux_error.h"
#include "tools/encoder/line_layouts.h"
#include "tools/encoder/picture_encoder.h"
#include "tools/scratch/scratch_folder.h"
#include "tools/encoder/synthetic_scene.h"

namespace orbalux {
namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
protected:
    // A picture of `lineFormat` named `name`, its scene from `seed`.
    std::string Write(const std::string& name, int lineFormat, int records, int seed) const {
        const encoder::LineLayout& layout = encoder::LineLayoutFor(lineFormat);
        GreyImage scene = encoder::RenderScene({.width = layout.PixelsPerLine(), .height = layout.linesPerFrame,
                                                .seed = static_cast<std::uint32_t>(seed)});
        encoder::AddSpeckles(scene, 500, static_cast<std::uint32_t>(seed));
        encoder::HeaderPlan header;
        header.records = records;
        const std::string path = scratch_ / name;
        encoder::WriteFile(path, encoder::EncodePicture(lineFormat, scene, header));
        return path;
    }
    test::ScratchFolder scratch_;
};

PictureState Opened(const DisplayOptions& options) {
    PictureState state;
    SetOpenDespeckleGeometry(state);
    state.MenuOptions = options;
    state.HorizontalStretchOn = 1;
    return state;
}

void ExpectSameBuffers(const PictureState& reused, const PictureState& fresh) {
    EXPECT_TRUE(reused.FileBuffer == fresh.FileBuffer);
    EXPECT_TRUE(reused.DecodedImage == fresh.DecodedImage);
    EXPECT_TRUE(reused.BitmapBuffer == fresh.BitmapBuffer);
}

TEST_F(Files, EachLoadAndReRunLeavesTheBuffersAsAFreshStateDoes) {
    // The largest frame with the grey field of a reduction, then smaller
    // frames that neither fill DecodedImage nor the bitmap as far.
    const std::string large = Write("69_301.009", 1023, 0, 1);
    const std::string medium = Write("XX_000.001", 945, 2, 2);
    const std::string narrow = Write("69_011.004", 136, 2, 3);
    for (const DisplayOptions options : {DisplayOptions{.Despeckle = 1, .Invert = 1, .MinimizeQuarter = 1},
                                         DisplayOptions{.Stretch = 1, .FlipVertical = 1, .Rotate = 1}}) {
        PictureState reused = Opened(options);
        for (const std::string& path : {large, medium, narrow, large, narrow}) {
            SCOPED_TRACE(path);
            LoadPicture(reused, path);
            PictureState fresh = Opened(options);
            LoadPicture(fresh, path);
            ExpectSameBuffers(reused, fresh);

            // A tool button's re-run and "Original Image" on kept buffers.
            ReprocessPicture(reused, [](PictureState& s) { s.ActiveOptions.MinimizeHalf ^= 1; });
            ReprocessPicture(fresh, [](PictureState& s) { s.ActiveOptions.MinimizeHalf ^= 1; });
            ExpectSameBuffers(reused, fresh);
            ShowOriginalImage(reused);
            ShowOriginalImage(fresh);
            ExpectSameBuffers(reused, fresh);
        }
        // A file that is no picture leaves the shown one whole.
        const std::string junk = scratch_ / "69_311.002";
        std::ofstream(junk) << "no picture here";
        const PictureState before = reused;
        EXPECT_THROW(LoadPicture(reused, junk), OrbaluxError);
        ExpectSameBuffers(reused, before);
    }
}

}  // namespace
}  // namespace orbalux
