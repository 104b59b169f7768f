// orbalux-make-samples OUTDIR: writes a handful of synthetic picture files,
// named as volume files of different line formats, so the viewer and the
// converter have something to open. Each carries a telemetry-like header
// where its volume has one, a few lost lines and some speckle noise.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/encoder/picture_encoder.h"
#include "tools/encoder/synthetic_scene.h"

namespace enc = orbalux::encoder;

namespace {

// Lines lost in transmission in front of scene row `sceneRow`. A flagged
// loss is announced by the gap marker of the line before it instead of by
// a late marker. A lost line's record is left out of the file, as on the
// volume; a loss that keeps its record has the lost rows skipped instead,
// its file still holding a record for every line of the frame.
struct Loss {
    int sceneRow;
    int count;
    bool flagged = false;
    bool recordKept = false;
};

struct Sample {
    const char* name;
    int lineFormat;
    int lines;            // line records in the file
    int headerRecords;    // as the volume's catalogue row expects
    int dataOffset;       // -1: right behind the header records
    enc::SceneKind scene;
    const char* spacecraft;
    const char* phase;
    const char* picture;
    std::vector<Loss> losses;
};

// Columns: file name, line format, lines, header records, data offset,
// scene, spacecraft, encounter phase, picture number, lost lines.
// A sample a row.
// clang-format off
const std::vector<Sample> kSamples = {
    {"69_091.005", 945, 702, 1, -1, enc::SceneKind::PlanetDisc, "6", "FAR", "6F23",
     {{120, 1}, {300, 1, true}, {455, 2}, {610, 1, false, true}}},
    {"69_311.002", 999, 1350, 1, -1, enc::SceneKind::CrateredPlain, "7", "NEAR", "7N17",
     {{200, 1}, {640, 1, true}, {900, 3}, {1210, 1}}},
    {"69_011.003", 136, 702, 2, -1, enc::SceneKind::PlanetDisc, "6", "FAR", "6F03",
     {{150, 1}, {420, 1, true}, {560, 2}}},
    {"69_131.002", 34, 702, 2, -1, enc::SceneKind::CrateredPlain, "7", "FAR", "7F31",
     {{90, 1}, {333, 1, true}, {500, 2}}},
    {"69_221.001", 975, 775, 2, -1, enc::SceneKind::CrateredPlain, "6", "NEAR", "6N11",
     {{180, 1}, {390, 1, true}, {520, 2}, {700, 1, true, true}}},
    {"69_191.001", 960, 775, 0, 4, enc::SceneKind::CrateredPlain, "6", "NEAR", "6N07",
     {{99, 1}, {410, 1, true}, {650, 1}}},
    {"69_301.009", 1023, 1503, 0, 0, enc::SceneKind::PlanetDisc, "7", "FAR", "7F77",
     {{260, 1}, {800, 1, true}, {1333, 1}}},
};
// clang-format on

int LostLines(const Sample& s) {
    int lost = 0;
    for (const Loss& loss : s.losses) lost += loss.count;
    return lost;
}

// Lost lines whose records stay in the file: the scene rows they skip.
int SkippedSceneRows(const Sample& s) {
    int skipped = 0;
    for (const Loss& loss : s.losses) skipped += loss.recordKept ? loss.count : 0;
    return skipped;
}

std::string Line(const char* format, auto... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// A line of 72 characters whose last one is the end-of-header mark "L".
std::string LastLine(std::string line) {
    line.resize(71, ' ');
    return line + "L";
}

enc::HeaderPlan SampleHeader(const Sample& s, std::uint32_t seed) {
    enc::HeaderPlan header;
    header.records = s.headerRecords;
    if (s.headerRecords == 0) return header;
    const int day = s.spacecraft[0] == '6' ? 211 : 216;
    const std::string volume = "69-" + std::string(s.name).substr(3, 3);
    const std::string l1 = Line("MARINER %s TV SUBSYSTEM  %s ENCOUNTER  PICTURE %s  CAMERA %c", s.spacecraft,
                                s.phase, s.picture, seed % 2 ? 'A' : 'B');
    const std::string l2 = Line("GMT 1969-%03d/%02u:%02u:%02u.%u  FDS COUNT %04u.%02u.%u  FORMAT %d", day,
                                seed % 24, seed * 7 % 60, seed * 13 % 60, seed % 10, 4000 + seed % 900,
                                seed % 60, seed % 3, s.lineFormat);
    const std::string l3 = Line("RANGE KM %u  FILTER %s  EXPOSURE MS %u.%u  GAIN %s", 2000 + seed * 397 % 900000,
                                seed % 3 == 0 ? "RED" : seed % 3 == 1 ? "GREEN" : "BLUE", 3 + seed % 80, seed % 10,
                                seed % 2 ? "HIGH" : "LOW");
    const std::string l4 = Line("SCAN PLATFORM CONE %u.%u CLOCK %u.%u  SUN ELEV %u.%u  PHASE ANGLE %u.%u",
                                90 + seed % 60, seed % 10, 200 + seed % 90, seed * 3 % 10, 10 + seed % 50,
                                seed * 7 % 10, 40 + seed % 60, seed * 9 % 10);
    const std::string l5 = Line("VOLUME %s FILE %s  LINES %d  BITS 6  CENTRE LAT -%u.%u LON %u.%u",
                                volume.c_str(), s.name + 7, s.lines, seed % 40, seed % 10, seed * 11 % 360,
                                seed % 10);
    if (s.headerRecords == 1) {
        header.text1 = enc::HeaderLines({l1, l2, l3, l4, LastLine(l5)});
    } else {
        header.text1 = enc::HeaderLines({l1, l2, l3, l4, l5});
        header.text2 = enc::HeaderLines({
            Line("DAS TIME %u  TAPE RECORDER %s  PLAYBACK %u", 1100000 + seed * 31 % 99999,
                 seed % 2 ? "ANALOG" : "DIGITAL", 1 + seed % 4),
            Line("PROCESSING: RECONSTRUCTED 6 BIT; LINES LOST %d", LostLines(s)),
            LastLine("DATA QUALITY = NOMINAL"),
        });
    }
    return header;
}

// Takes the scene rows that survive transmission and the line defects that
// mark where the others went missing.
enc::PictureFilePlan Transmit(const Sample& s, const orbalux::GreyImage& scene, enc::HeaderPlan header) {
    enc::PictureFilePlan plan;
    plan.lineFormat = s.lineFormat;
    plan.header = std::move(header);
    plan.dataOffset = s.dataOffset;
    plan.picture = orbalux::GreyImage(scene.width, s.lines);
    int out = 0;
    std::size_t next = 0;
    for (int row = 0; row < scene.height && out < s.lines; ++row) {
        if (next < s.losses.size() && s.losses[next].sceneRow == row) {
            const Loss& loss = s.losses[next++];
            if (loss.flagged && out > 0) plan.defects.push_back({.line = out - 1, .marker = enc::MarkerKind::Gap1});
            row += loss.count;  // these rows never arrive
            if (loss.recordKept) {
                if (!loss.flagged) plan.defects.push_back({.line = out, .droppedBefore = loss.count});
            } else {
                // The lost lines keep their rows of the frame but no record;
                // a flagged loss leaves no displacement behind it.
                out += loss.count;
                if (out >= s.lines) break;
                plan.defects.push_back({.line = out,
                                        .droppedBefore = loss.count,
                                        .shape = enc::LostLineShape::RecordsAbsent,
                                        .displacement = loss.flagged ? -2 * loss.count : 0});
            }
        }
        std::copy_n(scene.Row(row), scene.width, plan.picture.pixels.begin() + static_cast<std::ptrdiff_t>(out) * scene.width);
        ++out;
    }
    return plan;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::fprintf(stderr, "usage: orbalux-make-samples OUTDIR\n"
                             "Writes synthetic Mariner 6/7 picture files into OUTDIR.\n");
        return argc == 2 ? 0 : 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        std::uint32_t seed = 1969;
        for (const Sample& s : kSamples) {
            ++seed;
            const enc::LineLayout& layout = enc::LineLayoutFor(s.lineFormat);
            enc::ScenePlan scene{.kind = s.scene,
                                 .width = layout.PixelsPerLine(),
                                 .height = s.lines + SkippedSceneRows(s),
                                 .pixelAspect = layout.PixelsPerLine() < 200 ? 6.0 : 1.0,
                                 .seed = seed};
            orbalux::GreyImage image = enc::RenderScene(scene);
            enc::AddSpeckles(image, image.width * image.height / 2500, seed);
            const enc::EncodedFile file = enc::BuildPictureFile(Transmit(s, image, SampleHeader(s, (seed * 2654435761u) >> 13)));
            enc::WriteFile(dir / s.name, file.bytes);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orbalux-make-samples: %s\n", e.what());
        return 1;
    }
    return 0;
}
