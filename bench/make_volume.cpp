// orbalux-make-volume OUTDIR: a synthetic data volume for timing the
// converter: one picture file for every file name the catalogue lists, in the
// line format and at the data offset its row gives, plus a few names that no
// row lists. Each shows a rendered scene with three lost lines and speckles.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "decode/frame_formats.h"
#include "intake/catalogue.h"
#include "tools/encoder/picture_encoder.h"
#include "tools/encoder/synthetic_scene.h"

namespace enc = orbalux::encoder;

namespace {

// Names of files that the catalogue does not list but a volume holds.
const char* const kUnlistedNames[] = {"RBL_001.001", "RBL_001.002", "RBL_014.003", "ED_100.001",
                                      "ED_100.002",  "69_011.030",  "69_131.003",  "JAC_138.001"};

void WritePicture(const std::filesystem::path& dir, const std::string& name, std::uint32_t seed) {
    const orbalux::CatalogueParameters p = orbalux::LookUpCatalogue(name);
    const enc::LineLayout& layout = enc::LineLayoutFor(p.lineFormat);
    int lines = layout.linesPerFrame;
    if (p.lineFormat == 999 && p.frameLineCount > 0) lines = orbalux::Choose999LineCount(p.frameLineCount).lines;

    enc::ScenePlan scene{.kind = seed % 2 ? enc::SceneKind::PlanetDisc : enc::SceneKind::CrateredPlain,
                         .width = layout.PixelsPerLine(),
                         .height = lines,
                         .pixelAspect = layout.PixelsPerLine() < 200 ? 6.0 : 1.0,
                         .seed = seed};
    enc::PictureFilePlan plan;
    plan.lineFormat = p.lineFormat;
    plan.picture = enc::RenderScene(scene);
    enc::AddSpeckles(plan.picture, plan.picture.width * plan.picture.height / 2500, seed);
    // Header records as far as the data offset leaves room for them.
    plan.header.records = p.dataOffset >= 964 ? 2 : p.dataOffset >= 482 ? 1 : 0;
    plan.header.text1 = enc::HeaderLines({"MARINER TV SUBSYSTEM  SYNTHETIC VOLUME", "FILE " + name});
    plan.header.text2 = enc::HeaderLines({"PROCESSING: SYNTHETIC"});
    plan.dataOffset = p.dataOffset;
    // Three single lost lines whose records are not in the file, as on the
    // volume (a gap of two would lie beyond the marker search of the formats
    // that look only 2 bytes ahead); every fifth file keeps the record of its
    // first lost line.
    const auto firstShape = seed % 5 == 0 ? enc::LostLineShape::RecordsKept : enc::LostLineShape::RecordsAbsent;
    plan.defects = {{.line = lines / 4, .droppedBefore = 1, .shape = firstShape},
                    {.line = lines / 2, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent},
                    {.line = 3 * lines / 4, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent}};
    enc::WriteFile(dir / name, enc::BuildPictureFile(plan).bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orbalux-make-volume OUTDIR\n");
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        std::vector<std::string> names;
        for (const orbalux::CatalogueRow& row : orbalux::CatalogueRows())
            if (row.kind == orbalux::KeyKind::Name10 || row.kind == orbalux::KeyKind::Upper11)
                names.emplace_back(row.key);
        names.insert(names.end(), std::begin(kUnlistedNames), std::end(kUnlistedNames));
        std::uint32_t seed = 6907;
        for (const std::string& name : names) WritePicture(dir, name, ++seed);
        std::printf("%zu files in %s\n", names.size(), dir.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orbalux-make-volume: %s\n", e.what());
        return 1;
    }
    return 0;
}
