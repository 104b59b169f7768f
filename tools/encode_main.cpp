// orbalux-encode: writes one picture file in any of the sixteen line formats,
// from a raw 8-bit grey image or a synthetic scene, with header text and
// transmission defects, for trying out the viewer and the converter.
#include <charconv>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/encoder/picture_encoder.h"
#include "tools/encoder/synthetic_scene.h"

namespace enc = orbalux::encoder;

namespace {

constexpr const char* kUsage = R"(usage: orbalux-encode [options] -o OUTFILE

Picture:
  --format N            line format (945, 999, 136, 975, 960, 955, 801, 699, 876,
                        1023, 951, 849, 600, 750, 864, 34); default 945
  --raw FILE --width W --height H
                        8-bit grey image, W x H bytes, rows top to bottom; each
                        row is cut or padded with black to the format's line
  --scene planet|plain  synthetic scene instead (default planet)
  --lines N             line records for a scene (default: a full frame)
  --seed N              scene and junk seed (default 1)
  --speckles N          single-pixel specks to sprinkle over the picture
Header:
  --headers 0|1|2       header records in front of the lines (default 2)
  --text1 TEXT          record 1 text (360 characters, blank padded)
  --text2 TEXT          record 2 text
  --long-first-record   record 1 led by the length word E2 01 (two bytes longer)
  --data-offset N       start of the first line record (default: behind the header)
Defects (LINE counts line records from 0; options may repeat):
  --drop LINE[:K]       K lines (default 1) lost in front of LINE: its marker 2K bytes late,
                        every row keeping its record
  --lose LINE[:K]       the K rows in front of LINE (default 1) lost: their records left
                        out of the file, LINE's marker 2K bytes late
  --gap1 LINE           LINE carries the first gap marker (primary - 2)
  --gap2 LINE           LINE carries the second gap marker (primary - 4)
  --displace LINE:D     LINE's record moved by D bytes (even, may be negative)
  --marker LINE:HEX     LINE carries the marker word HEX (e.g. 04EC)
  --junk-high-bits      random values in the two unused bits of every packed byte
  --truncate N          cut the file to N bytes
  --pad N               extend the file with zero bytes to N bytes
  --help                this text
)";

int ToInt(std::string_view text, int base = 10) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw std::invalid_argument("not a number: " + std::string(text));
    }
    return value;
}

// "LINE:VALUE" -> {LINE, VALUE}; a missing ":VALUE" gives `fallback`.
std::pair<int, int> LineAndValue(std::string_view text, int fallback, int base = 10) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) return {ToInt(text), fallback};
    return {ToInt(text.substr(0, colon)), ToInt(text.substr(colon + 1), base)};
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Fits a W x H raw image to the format's line width.
orbalux::GreyImage FitRaw(const std::vector<std::uint8_t>& raw, int width, int height, int lineWidth) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("--raw needs --width and --height");
    if (raw.size() < static_cast<std::size_t>(width) * height) {
        throw std::invalid_argument("raw image holds fewer than width x height bytes");
    }
    orbalux::GreyImage image(lineWidth, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < lineWidth && x < width; ++x) image.At(x, y) = raw[static_cast<std::size_t>(y) * width + x];
    }
    return image;
}

int Run(int argc, char** argv) {
    enc::PictureFilePlan plan;
    std::string out, raw, scene = "planet";
    int rawWidth = 0, rawHeight = 0, lines = 0, speckles = 0;
    std::uint32_t seed = 1;
    bool junk = false;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> std::string_view {
            if (i + 1 >= argc) throw std::invalid_argument(std::string(arg) + " needs a value");
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "-o" || arg == "--output") out = value();
        else if (arg == "--format") plan.lineFormat = ToInt(value());
        else if (arg == "--raw") raw = value();
        else if (arg == "--width") rawWidth = ToInt(value());
        else if (arg == "--height") rawHeight = ToInt(value());
        else if (arg == "--scene") scene = value();
        else if (arg == "--lines") lines = ToInt(value());
        else if (arg == "--seed") seed = static_cast<std::uint32_t>(ToInt(value()));
        else if (arg == "--speckles") speckles = ToInt(value());
        else if (arg == "--headers") plan.header.records = ToInt(value());
        else if (arg == "--text1") plan.header.text1 = value();
        else if (arg == "--text2") plan.header.text2 = value();
        else if (arg == "--long-first-record") plan.header.longFirstRecord = true;
        else if (arg == "--data-offset") plan.dataOffset = ToInt(value());
        else if (arg == "--drop") {
            const auto [line, k] = LineAndValue(value(), 1);
            plan.defects.push_back({.line = line, .droppedBefore = k});
        } else if (arg == "--lose") {
            const auto [line, k] = LineAndValue(value(), 1);
            plan.defects.push_back({.line = line, .droppedBefore = k, .shape = enc::LostLineShape::RecordsAbsent});
        } else if (arg == "--gap1") plan.defects.push_back({.line = ToInt(value()), .marker = enc::MarkerKind::Gap1});
        else if (arg == "--gap2") plan.defects.push_back({.line = ToInt(value()), .marker = enc::MarkerKind::Gap2});
        else if (arg == "--displace") {
            const auto [line, d] = LineAndValue(value(), 0);
            plan.defects.push_back({.line = line, .displacement = d});
        } else if (arg == "--marker") {
            const auto [line, word] = LineAndValue(value(), 0, 16);
            plan.defects.push_back({.line = line, .marker = enc::MarkerKind::Custom,
                                    .customMarker = static_cast<std::uint16_t>(word)});
        } else if (arg == "--junk-high-bits") junk = true;
        else if (arg == "--truncate") plan.truncateAt = static_cast<std::size_t>(ToInt(value()));
        else if (arg == "--pad") plan.minimumLength = static_cast<std::size_t>(ToInt(value()));
        else throw std::invalid_argument("unknown option " + std::string(arg) + " (see --help)");
    }
    if (out.empty()) throw std::invalid_argument("no output file given (-o OUTFILE)");

    const enc::LineLayout& layout = enc::LineLayoutFor(plan.lineFormat);
    if (!raw.empty()) {
        plan.picture = FitRaw(ReadAll(raw), rawWidth, rawHeight, layout.PixelsPerLine());
    } else {
        if (scene != "planet" && scene != "plain") throw std::invalid_argument("unknown scene " + scene);
        plan.picture = enc::RenderScene({.kind = scene == "planet" ? enc::SceneKind::PlanetDisc
                                                                   : enc::SceneKind::CrateredPlain,
                                         .width = layout.PixelsPerLine(),
                                         .height = lines > 0 ? lines : layout.linesPerFrame,
                                         .pixelAspect = layout.PixelsPerLine() < 200 ? 6.0 : 1.0,
                                         .seed = seed});
    }
    if (speckles > 0) enc::AddSpeckles(plan.picture, speckles, seed);
    if (junk) plan.junkSeed = seed;
    enc::WriteFile(out, enc::BuildPictureFile(plan).bytes);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orbalux-encode: %s\n", e.what());
        return 1;
    }
}
