#include "fuzz/seed_pictures.h"

#include "decode/frame_formats.h"
#include "fuzz/catalogue_names.h"
#include "tools/encoder/picture_encoder.h"

namespace orbalux::fuzz {
namespace {

using encoder::LineDefect;
using encoder::MarkerKind;

encoder::HeaderPlan HeaderFor(int dataOffset) {
    encoder::HeaderPlan header;
    header.records = dataOffset >= 964 ? 2 : dataOffset >= 482 ? 1 : 0;
    header.text1 = encoder::HeaderLines({"MARINER 6 FAR ENCOUNTER FRAME 6N17", "PICTURE NO. 0017 CAMERA A",
                                         "GMT 211/05:33:11", "RANGE 771000 KM", "FILTER GREEN"});
    header.text2 = encoder::HeaderLines({"ARESDISC VOLUME 1", "ENDL"});
    return header;
}

GreyImage Pattern(int width, int height, int seed) {
    GreyImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.At(x, y) = static_cast<std::uint8_t>((x * 7 + y * 3 + seed) ^ (x / 16 + y / 9));
    return image;
}

SeedPicture Make(const std::string& name, bool damaged) {
    const CatalogueChoice choice = CatalogueChoiceFor(name);
    const encoder::LineLayout& layout = encoder::LineLayoutFor(choice.lineFormat);
    int lines = layout.linesPerFrame;
    if (choice.lineFormat == 999) lines = Choose999LineCount(choice.frameLineCount).lines;

    encoder::PictureFilePlan plan;
    plan.lineFormat = choice.lineFormat;
    plan.header = HeaderFor(choice.dataOffset);
    plan.dataOffset = choice.dataOffset;
    if (damaged) {
        lines = 40;
        plan.header.longFirstRecord = plan.header.records > 0;
        plan.defects = {
            {.line = 2, .marker = MarkerKind::Gap1},
            {.line = 4, .droppedBefore = 1},
            {.line = 7, .droppedBefore = 2},
            {.line = 9, .marker = MarkerKind::Gap2},
            {.line = 12, .displacement = -2},
            {.line = 15, .displacement = 6, .marker = MarkerKind::Gap1},
            {.line = 20, .marker = MarkerKind::Custom, .customMarker = 0xFFFF},
            {.line = 25, .droppedBefore = 50},
        };
        plan.junkSeed = 17;
        plan.truncateAt = 30'001;
    }
    plan.picture = Pattern(layout.PixelsPerLine(), lines, choice.lineFormat);
    if (damaged && plan.header.longFirstRecord && plan.dataOffset < 966) plan.dataOffset = -1;
    return {name, choice.lineFormat, damaged, encoder::BuildPictureFile(plan).bytes};
}

std::vector<SeedPicture> Build() {
    std::vector<SeedPicture> seeds;
    for (const FrameFormat& format : FrameFormats()) {
        const std::string name = NameForFormat(format.lineFormat);
        seeds.push_back(Make(name, false));
        seeds.push_back(Make(name, true));
    }
    // The 999-sample names whose line data start at the gap marker itself.
    seeds.push_back(Make("69_071.003", true));
    seeds.push_back(Make("69_061.012", true));
    return seeds;
}

}  // namespace

const std::vector<SeedPicture>& SeedPictures() {
    static const std::vector<SeedPicture> seeds = Build();
    return seeds;
}

}  // namespace orbalux::fuzz
