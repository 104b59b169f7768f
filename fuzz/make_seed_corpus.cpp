// Writes the seed corpus of the fuzz targets into OUT/load, OUT/chain,
// OUT/header and OUT/deflate, from the encoder's pictures of every line
// format and its synthetic scenes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/catalogue_names.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/seed_pictures.h"
#include "tools/encoder/picture_encoder.h"
#include "tools/encoder/synthetic_scene.h"

namespace {

namespace fs = std::filesystem;
using namespace orbalux::fuzz;

// Builds input for FuzzedDataProvider: values are taken from the end of the
// input, most significant byte first; byte runs from the front.
class ProviderInput {
public:
    // A value of `bytes` bytes (the count the provider takes for its range).
    void Value(std::uint64_t v, int bytes) {
        for (int i = bytes - 1; i >= 0; --i) taken_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::vector<std::uint8_t> With(const std::vector<std::uint8_t>& front) const {
        std::vector<std::uint8_t> out(front);
        out.insert(out.end(), taken_.rbegin(), taken_.rend());
        return out;
    }

private:
    std::vector<std::uint8_t> taken_;
};

std::size_t NameIndex(const std::string& name) {
    const auto& names = FuzzNames();
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

void Write(const fs::path& dir, const std::string& file, const std::vector<std::uint8_t>& bytes) {
    orbalux::encoder::WriteFile(dir / file, bytes);
}

std::vector<std::uint8_t> Concat(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void LoadSeeds(const fs::path& dir) {
    const auto& seeds = SeedPictures();
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const SeedPicture& s = seeds[i];
        const std::uint8_t menu = s.damaged ? 0xFF : static_cast<std::uint8_t>(i * 37);
        Write(dir, "picture-" + std::to_string(i),
              Concat(LoadSettingBytes(NameIndex(s.name), static_cast<int>(i % 2), s.damaged, menu), s.bytes));
    }
    Write(dir, "empty", LoadSettingBytes(0, 1, 0, 0));
    Write(dir, "long-record-word", Concat(LoadSettingBytes(NameIndex("RBL_001.001"), 0, 0, 1), {0xE2, 0x01}));
}

// Chain commands as the target numbers them: 0-7 option buttons, 8-11 level
// steps, 12-13 levels set outright, 14 Original Image, 15 horizontal-stretch
// menu, 16 an option menu, 17 reload.
void ChainSeeds(const fs::path& dir) {
    struct Script {
        const char* name;
        std::vector<std::pair<int, int>> commands;  // command, level value
    };
    const std::vector<Script> scripts = {
        {"all-buttons", {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}}},
        {"levels", {{8, 0}, {8, 0}, {9, 0}, {11, 0}, {12, 1'000'000}, {13, -1'000'000}, {13, 1'000'000}, {10, 0}}},
        {"original", {{1, 0}, {0, 0}, {14, 0}, {1, 0}, {15, 0}, {16, 3}, {17, 0}, {14, 0}}},
    };
    const std::size_t count = SeedPictures().size();
    constexpr int kLevelOffset = 1'000'000;  // the provider's range starts at -1e6
    for (std::size_t pick = 0; pick <= count; ++pick) {
        for (const Script& script : scripts) {
            ProviderInput in;
            in.Value(pick, 1);
            in.Value(pick % 4, 1);          // settings: compress, horizontal stretch
            in.Value(pick * 29 % 256, 1);   // menu options
            in.Value(pick * 3, 2);          // name of the input's own file
            in.Value(script.commands.size(), 1);
            for (auto [command, value] : script.commands) {
                in.Value(static_cast<std::uint64_t>(command), 1);
                in.Value(static_cast<std::uint64_t>(value + kLevelOffset), 3);
            }
            // The last pick decodes the input's own bytes: a damaged file.
            const std::vector<std::uint8_t> front = pick == count ? SeedPictures()[1].bytes : std::vector<std::uint8_t>{};
            Write(dir, std::string(script.name) + "-" + std::to_string(pick), in.With(front));
        }
    }
}

void HeaderSeeds(const fs::path& dir) {
    const auto& seeds = SeedPictures();
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const CatalogueChoice choice = CatalogueChoiceFor(seeds[i].name);
        ProviderInput in;
        in.Value(0, 1);  // the offset as given
        in.Value(static_cast<std::uint32_t>(choice.dataOffset) + 0x80000000u, 4);  // from INT_MIN
        in.Value(1, 1);  // lead bytes from the file
        in.Value(0, 1);
        in.Value(0, 1);
        const auto& bytes = seeds[i].bytes;
        const std::vector<std::uint8_t> front(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(bytes.size(), 1000)));
        Write(dir, "header-" + std::to_string(i), in.With(front));
    }
}

// Rows as the PNG writer hands them to the deflate: a filter byte, then the
// pixels of a scene (a disc on black sky, a plain in low sun); and black sky
// spelled as (value, length) pairs.
void DeflateSeeds(const fs::path& dir) {
    namespace enc = orbalux::encoder;
    for (const auto kind : {enc::SceneKind::PlanetDisc, enc::SceneKind::CrateredPlain}) {
        const orbalux::GreyImage scene = enc::RenderScene({.kind = kind, .width = 320, .height = 240, .seed = 5});
        std::vector<std::uint8_t> rows{0};  // an even first byte: the bytes as given
        for (int y = 0; y < scene.height; ++y) {
            rows.push_back(0);
            for (int x = 0; x < scene.width; ++x) rows.push_back(scene.At(x, y));
        }
        Write(dir, kind == enc::SceneKind::PlanetDisc ? "disc-rows" : "plain-rows", rows);
    }
    Write(dir, "spelled-sky", {1, 0, 255, 0, 255, 40, 3, 0, 255});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    try {
        for (const char* target : {"load", "chain", "header", "deflate"}) fs::create_directories(out / target);
        LoadSeeds(out / "load");
        ChainSeeds(out / "chain");
        HeaderSeeds(out / "header");
        DeflateSeeds(out / "deflate");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
