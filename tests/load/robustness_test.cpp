// Hostile and broken input to a whole load: files of any length and content,
// odd names and paths, and crowded or empty directories. Each case has its
// answer: a picture of the format's size with known rows, a header answer, or
// an error naming the file, never a crash or a read outside the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "intake/file_list.h"
#include "load/load_sequence.h"
#include "state/orbalux_error.h"
#include "tools/scratch/scratch_folder.h"
#include "tools/encoder/picture_encoder.h"

namespace orbalux {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kGrey = 160;  // the flat right part of the narrow formats' rows

class ScratchFolder {
public:
    ScratchFolder() {
        fs::permissions(dir_.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    }
    std::string Write(const std::string& name, const Bytes& bytes) const {
        const std::string path = dir_ / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    const fs::path& path() const { return dir_.path(); }

private:
    orbalux::test::ScratchFolder dir_;
};

// One load as the viewer does it; the buffers are released on the way out.
PictureState Load(const std::string& path, int compress = 1) {
    PictureState state;
    state.CompressMissingLines = compress;
    SetOpenDespeckleGeometry(state);
    LoadPicture(state, path);
    return state;
}

// What the decoder makes of a file's bytes, the file's own refusal aside: a
// load refuses a file in which no line is found by its marker.
PictureState Decode(const std::string& name, const Bytes& bytes) {
    PictureState state;
    SetOpenDespeckleGeometry(state);
    state.FileBuffer.assign(kFileBufferSize, 0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), state.FileBuffer.size()), state.FileBuffer.begin());
    state.CurrentFileName = state.CatalogueName = name;
    SelectFileParameters(state);
    return state;
}

Bytes Row(const PictureState& state, int y) {
    const auto begin = state.DecodedImage.begin() + kPictureOrigin + static_cast<std::ptrdiff_t>(y) * state.ImageWidth;
    return {begin, begin + state.ImageWidth};
}

// A row: `pixels` decoded values, zeros up to the grey part, `grey` bytes of 160.
Bytes ExpectedRow(int width, const Bytes& pixels, int grey) {
    Bytes row(pixels);
    row.resize(static_cast<std::size_t>(width - grey), 0);
    row.resize(static_cast<std::size_t>(width), kGrey);
    return row;
}

// The three pixels of one group b0..b3: six bits of each byte, most
// significant first, cut into three bytes.
Bytes Unpack(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    const std::uint32_t bits = ((b0 & 0x3Fu) << 18) | ((b1 & 0x3Fu) << 12) | ((b2 & 0x3Fu) << 6) | (b3 & 0x3Fu);
    return {static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

Bytes Repeat(const Bytes& unit, int times) {
    Bytes out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), unit.begin(), unit.end());
    return out;
}

// Line data whose packed bytes are never 0 and never above 0x3F, so that no
// stretch of it reads as a marker word or as the zero gap in front of one.
GreyImage LinePattern(int width, int height) {
    GreyImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.At(x, y) = static_cast<std::uint8_t>(100 + (x * 3 + y * 7) % 150);
    return image;
}

// The geometry of one line format as the catalogue reaches it by name.
struct FrameFigures {
    const char* name;
    int width;   // W
    int pixels;  // decoded samples per line
    int grey;    // bytes of 160 at the right of every row (narrow formats)
    int lines;   // N
    int tail;    // T
    int height;  // H
};

// Columns: name, W, pixels, grey, N, T, H.
constexpr FrameFigures kFrames[] = {
    {"RBL_001.001", 948, 945, 0, 702, 2, 704},     // no row: the 945-sample default
    {"69_011.026", 816, 135, 680, 702, 2, 704},    // prefix row only, 136
    {"69_131.003", 816, 33, 783, 702, 2, 704},     // 34
    {"69_311.001", 1000, 999, 0, 1325, 2, 1328},   // 999 with 1325 lines: one row short
    {"69_301.003", 600, 600, 0, 800, 0, 800},      // no tail rows
    {"69_291.007", 876, 876, 0, 950, 2, 912},      // more rows than the picture
    {"69_301.009", 1024, 1023, 0, 1503, 1, 1504},  // the largest, data from byte 0
};

class Robustness : public ::testing::Test {
protected:
    ScratchFolder folder_;
};

TEST_F(Robustness, FilesWithoutOneLineAreRefusedAndTheShownPictureStays) {
    const Bytes frame = encoder::EncodePicture(945, LinePattern(945, 702), {.records = 2});
    PictureState shown = Load(folder_.Write("RBL_001.001", frame));
    const PictureState before = shown;
    const std::vector<Bytes> files = {{}, {0x41}, {0xE2, 0x01}, Bytes(kFileBufferSize, 0), Bytes(5000, 0xFF),
                                      Bytes(frame.begin(), frame.begin() + 964)};
    for (const Bytes& bytes : files) {
        SCOPED_TRACE(std::to_string(bytes.size()) + " bytes");
        const std::string path = folder_.Write("69_311.002", bytes);
        try {
            LoadPicture(shown, path);
            ADD_FAILURE() << "loaded";
        } catch (const OrbaluxError& e) {
            EXPECT_EQ(e.file(), path);
            EXPECT_EQ(e.kind(), ErrorKind::NotAPicture);
        }
        EXPECT_EQ(shown.CurrentFileName, before.CurrentFileName);
        EXPECT_EQ(shown.ImageHeight, before.ImageHeight);
        EXPECT_TRUE(shown.DecodedImage == before.DecodedImage);
        EXPECT_TRUE(shown.BitmapBuffer == before.BitmapBuffer);
    }
}

TEST_F(Robustness, TinyFilesDecodeToABlackFrameAndTheirHeaderAnswer) {
    const std::vector<Bytes> files = {{}, {0x41}, {0xE2, 0x01}};
    for (const FrameFigures& f : {kFrames[0], kFrames[1], kFrames[6]}) {
        for (const Bytes& bytes : files) {
            SCOPED_TRACE(std::string(f.name) + " of " + std::to_string(bytes.size()) + " bytes");
            const PictureState state = Decode(f.name, bytes);
            ASSERT_EQ(state.ImageWidth, f.width);
            ASSERT_EQ(state.ImageHeight, f.height);
            EXPECT_EQ(state.LostLineCount, 0);
            const Bytes black = ExpectedRow(f.width, {}, f.grey);
            for (int y = 0; y < f.height; ++y) ASSERT_EQ(Row(state, y), black) << "row " << y;

            // A header needs a first byte and room for a record in front of the data.
            const bool header = !bytes.empty() && state.DataOffset >= 482;
            EXPECT_EQ(state.HeaderLines[0], header ? std::string(72, ' ') : "No Header");
            for (int i = 1; i < kHeaderLines; ++i)
                EXPECT_EQ(state.HeaderLines[static_cast<std::size_t>(i)], header ? std::string(72, ' ') : " ");
        }
    }
}

TEST_F(Robustness, BytesBeyondTheBufferSizeNeverReachThePicture) {
    // The largest frame, its data from byte 0, followed by bytes that would
    // decode as white if anything read them.
    const GreyImage picture = LinePattern(1023, 1503);
    const Bytes frame = encoder::EncodePicture(1023, picture, {.records = 0});
    ASSERT_LT(frame.size(), static_cast<std::size_t>(kFileBufferSize));

    Bytes firstBitmap;
    for (std::size_t length : {std::size_t{kFileBufferSize}, std::size_t{kFileBufferSize} + 1, std::size_t{2'600'000}}) {
        SCOPED_TRACE(length);
        Bytes bytes = frame;
        bytes.resize(length, 0x3F);
        const std::string path = folder_.Write("69_301.009", bytes);
        PictureState state;
        LoadPicture(state, path);
        ASSERT_EQ(state.ImageWidth, 1024);
        for (int y = 0; y < 1503; y += 100) {
            Bytes expected(picture.Row(y), picture.Row(y) + 1023);
            ASSERT_EQ(Row(state, y), ExpectedRow(1024, expected, 0)) << "row " << y;
        }
        EXPECT_EQ(Row(state, 1503), Bytes(1024, 0));
        const Bytes bitmap(state.BitmapBuffer.begin(), state.BitmapBuffer.begin() + static_cast<std::ptrdiff_t>(BitmapFileSize(state)));
        if (firstBitmap.empty()) firstBitmap = bitmap;
        EXPECT_TRUE(bitmap == firstBitmap);
    }
}

TEST_F(Robustness, AllZeroAndAllOneFilesDecodeToEveryRowOfTheFrame) {
    for (const FrameFigures& f : kFrames) {
        SCOPED_TRACE(f.name);
        // 0xFF bytes: six bits of ones, white pixels, and never a marker.
        const PictureState white = Decode(f.name, Bytes(kFileBufferSize, 0xFF));
        const PictureState black = Decode(f.name, Bytes(kFileBufferSize, 0x00));
        for (const PictureState* state : {&white, &black}) {
            ASSERT_EQ(state->ImageWidth, f.width);
            ASSERT_EQ(state->ImageHeight, f.height);
            EXPECT_EQ(state->LostLineCount, 0);
        }
        const Bytes line = ExpectedRow(f.width, Bytes(static_cast<std::size_t>(f.pixels), 255), f.grey);
        const Bytes filler = ExpectedRow(f.width, {}, f.grey);
        for (int y = 0; y < f.height; ++y) {
            // Rows behind the lines and the tail rows are blank (the 999-sample
            // frame of 1325 lines leaves its last row blank too).
            ASSERT_EQ(Row(white, y), y < f.lines ? line : filler) << "row " << y;
            ASSERT_EQ(Row(black, y), filler) << "row " << y;
        }
    }
}

TEST_F(Robustness, FilesOfNothingButMarkerWords) {
    struct Case {
        const char* name;
        std::uint8_t low, high;  // the marker word, repeated over the whole file
        int compress;
        int period;              // a line's row, then period - 1 filler rows
        int lost;
    };
    const Case cases[] = {
        {"RBL_001.001", 0xEC, 0x04, 1, 1, 0},     // 945 primary: every line where expected
        {"RBL_001.001", 0xEA, 0x04, 1, 2, 701},   // gap 1: one lost line before each next line
        {"RBL_001.001", 0xE8, 0x04, 1, 1, 1402},  // gap 2: two lost, closed up
        {"RBL_001.001", 0xE8, 0x04, 0, 3, 1402},  // gap 2: two lost, filled in
        {"69_301.009", 0x52, 0x05, 1, 2, 1502},   // 1023 gap 1: the rows run past the buffer
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " marker " + std::to_string(c.low) + " compress " + std::to_string(c.compress));
        const PictureState state = Load(folder_.Write(c.name, Repeat({c.low, c.high}, kFileBufferSize / 2)), c.compress);
        EXPECT_EQ(state.LostLineCount, c.lost);
        const int pixels = state.ImageWidth == 948 ? 945 : 1023;
        // Each line's data are the marker words themselves.
        const Bytes data = Repeat(Unpack(c.low, c.high, c.low, c.high), pixels / 3);
        const Bytes line = ExpectedRow(state.ImageWidth, data, 0);
        const Bytes blank(static_cast<std::size_t>(state.ImageWidth), 0);
        const int frameLines = state.ImageWidth == 948 ? 702 : 1503;
        int lineRows = 0;
        for (int y = 0; y < state.ImageHeight; ++y) {
            const bool isLine = y % c.period == 0 && lineRows < frameLines;
            ASSERT_EQ(Row(state, y), isLine ? line : blank) << "row " << y;
            lineRows += isLine;
        }
    }
}

TEST_F(Robustness, MarkerAtEveryDisplacementTheProbesTryAndOnePastThem) {
    struct Case {
        const char* name;
        int lineFormat;
        int dataOffset;          // the catalogue's for the name
        std::vector<int> found;  // displacements the probes try
        std::vector<int> past;   // the next ones beyond them
    };
    const std::vector<Case> cases = {
        {"RBL_001.001", 945, 964, {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 100, 260}, {26, 102, 262}},
        {"69_011.026", 136, 964, {0, 2, 4, 6, 8, 10, 12, 14}, {16}},
        {"69_191.001", 960, 4, {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 46}, {26, 48}},
        {"69_301.009", 1023, 0, {0, 2}, {4}},
    };
    constexpr int kLine = 5;  // the record that is moved; all later ones follow it
    for (const Case& c : cases) {
        const int pixels = encoder::LineLayoutFor(c.lineFormat).PixelsPerLine();
        const GreyImage picture = LinePattern(pixels, 12);
        const Bytes expectedLine(picture.Row(kLine), picture.Row(kLine) + pixels);
        auto decode = [&](int d) {
            encoder::PictureFilePlan plan{.lineFormat = c.lineFormat, .picture = picture};
            plan.header.records = 0;
            plan.dataOffset = c.dataOffset;
            plan.defects = {{.line = kLine, .droppedBefore = d / 2}};
            return Load(folder_.Write(c.name, encoder::BuildPictureFile(plan).bytes));
        };
        for (int d : c.found) {
            SCOPED_TRACE(std::string(c.name) + " marker " + std::to_string(d) + " bytes late");
            const PictureState state = decode(d);
            EXPECT_EQ(state.LostLineCount, d / 2);
            // One lost line is filled in; more are closed up.
            const int row = kLine + (d == 2 ? 1 : 0);
            const Bytes got = Row(state, row);
            EXPECT_TRUE(std::equal(expectedLine.begin(), expectedLine.end(), got.begin())) << "row " << row;
        }
        for (int d : c.past) {
            SCOPED_TRACE(std::string(c.name) + " marker " + std::to_string(d) + " bytes late");
            const PictureState state = decode(d);
            // Not found: the line is read from the fallback place, and not
            // counted as the lines its displacement stands for.
            EXPECT_NE(state.LostLineCount, d / 2);
            const Bytes got = Row(state, kLine);
            EXPECT_FALSE(std::equal(expectedLine.begin(), expectedLine.end(), got.begin()));
        }
    }
}

TEST_F(Robustness, HeaderCodesOutsideTheTableShowAsBlanks) {
    // Codes next to each run of the table, and codes no table row has.
    const std::pair<std::uint8_t, char> codes[] = {
        {0x00, ' '}, {0x40, ' '}, {0x4A, ' '}, {0x4B, '.'}, {0x4C, ' '}, {0x4E, '+'}, {0x5E, ';'}, {0x5F, ' '},
        {0x60, '-'}, {0x61, '/'}, {0x62, ' '}, {0x79, ' '}, {0x7A, ':'}, {0x7E, '='}, {0x7F, ' '}, {0x81, ' '},
        {0xBF, ' '}, {0xC0, '{'}, {0xC1, 'A'}, {0xC9, 'I'}, {0xCA, ' '}, {0xD0, '}'}, {0xD1, 'J'}, {0xD9, 'R'},
        {0xDA, ' '}, {0xE1, ' '}, {0xE2, 'S'}, {0xE9, 'Z'}, {0xEA, ' '}, {0xF0, '0'}, {0xF9, '9'}, {0xFA, ' '},
        {0xFF, ' '},
    };
    constexpr int kCount = sizeof(codes) / sizeof(codes[0]);
    Bytes file;
    std::string expected[2];
    for (int record = 0; record < 2; ++record) {
        Bytes text(kHeaderChars);
        for (int k = 0; k < kHeaderChars; ++k) {
            const auto& [code, shown] = codes[(k + 7 * record) % kCount];
            text[static_cast<std::size_t>(k)] = code;
            expected[record] += shown;
        }
        file.insert(file.end(), {0xE0, 0x01});  // a 482-byte record
        encoder::AppendPacked(text, file);
    }
    file.resize(30'000, 0);

    const PictureState state = Decode("RBL_001.001", file);
    for (int i = 0; i < kHeaderLines; ++i)
        EXPECT_EQ(state.HeaderLines[static_cast<std::size_t>(i)], expected[i / 5].substr(72 * (i % 5), 72)) << "line " << i + 1;
}

TEST_F(Robustness, NamesOfAnyBytesLoadListAndAreFound) {
    const Bytes frame = encoder::EncodePicture(136, LinePattern(135, 702), {.records = 1});
    const std::vector<std::string> names = {
        // Each ends as a picture's name does, so that the list keeps it.
        "69_011.001" + std::string(241, 'x') + ".001",   // 255 bytes, the longest a name can be
        "69_011.001\xff\xfe\x80.001",                    // not UTF-8
        "69_011.001 $(touch pwned); `touch pwned2` | & > < '\" * ? \\ !.001",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const PictureState state = Load(folder_.Write(name, frame));
        EXPECT_EQ(state.CurrentFileName, name);
        // The catalogue reads the first ten characters: this volume's first file.
        EXPECT_EQ(state.DataOffset, 482);
        EXPECT_EQ(state.ImageWidth, 816);
    }
    EXPECT_FALSE(fs::exists(folder_.path() / "pwned"));
    EXPECT_FALSE(fs::exists("pwned"));

    const std::vector<std::string> list = ListPictureFiles(folder_.path().string() + "/");
    ASSERT_EQ(list.size(), names.size());
    for (const std::string& name : names) {
        const auto at = std::find(list.begin(), list.end(), name);
        ASSERT_NE(at, list.end()) << name;
        EXPECT_EQ(FindListPosition(list, name), at - list.begin() + 1);
    }
}

// A load that fails names the file and the system's reason.
void ExpectLoadFails(const std::string& path, int err) {
    PictureState state;
    try {
        LoadPicture(state, path);
        ADD_FAILURE() << "no error for " << path;
    } catch (const OrbaluxError& e) {
        EXPECT_EQ(e.file(), path);
        EXPECT_EQ(e.kind(), ErrorKind::Unreadable);
        EXPECT_EQ(e.reason(), std::strerror(err));
    }
    EXPECT_TRUE(state.CurrentFileName.empty());
}

TEST_F(Robustness, PathsThatLeadToNoFileAreErrors) {
    ExpectLoadFails((folder_.path() / ("69_011.001" + std::string(246, 'x'))).string(), ENAMETOOLONG);

    fs::create_symlink("69_777.002", folder_.path() / "69_777.001");
    fs::create_symlink("69_777.001", folder_.path() / "69_777.002");
    ExpectLoadFails((folder_.path() / "69_777.001").string(), ELOOP);

    fs::create_directory(folder_.path() / "69_011.001");
    ExpectLoadFails((folder_.path() / "69_011.001").string(), EISDIR);

    // Neither the looping links nor the folder is a picture to step to.
    folder_.Write("69_011.002", {});
    EXPECT_EQ(ListPictureFiles(folder_.path().string()), std::vector<std::string>{"69_011.002"});
}

// Runs `body` in a child process without the superuser's right to read any
// file; the child's exit status is the answer.
bool RunsAsNobody() {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 ? 0 : 1);
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(Robustness, FileWithoutReadPermissionIsAnError) {
    const std::string path = folder_.Write("69_011.003", Bytes(5000, 0x3F));
    fs::permissions(path, fs::perms::none);
    const bool root = ::geteuid() == 0;
    if (root && !RunsAsNobody()) GTEST_SKIP() << "cannot give up the superuser's rights here";
    EXPECT_EXIT(
        {
            if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
            PictureState state;
            try {
                LoadPicture(state, path);
            } catch (const OrbaluxError& e) {
                std::fprintf(stderr, "%s\n", e.what());
                ::_exit(0);
            }
            ::_exit(1);
        },
        ::testing::ExitedWithCode(0), "69_011.003: Permission denied");
}

TEST_F(Robustness, DirectoryWithoutKeptPrefixesListsNothing) {
    for (const char* name : {"readme.txt", "69-011.001", "x69_011.001", ".69_011.001", "RB_001.001", "JA_224.001",
                             "E_001.001", "MARINER", "6", "__"})
        folder_.Write(name, {});
    const std::vector<std::string> list = ListPictureFiles(folder_.path().string());
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(FindListPosition(list, "69-011.001"), 0);
}

TEST_F(Robustness, FiveThousandPictureFilesAreListedInByteOrder) {
    std::vector<std::string> names;
    for (int volume = 0; volume < 50; ++volume)
        for (int file = 1; file <= 100; ++file) {
            char name[16];
            std::snprintf(name, sizeof name, "%s%03d.%03d", volume % 5 == 4 ? "RBL_" : "69_", volume * 10 + 1, file);
            names.push_back(name);
        }
    std::vector<std::string> created = names;
    std::shuffle(created.begin(), created.end(), std::mt19937(6));
    for (const std::string& name : created) folder_.Write(name, {});
    folder_.Write("notes.txt", {});

    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    const std::vector<std::string> list = ListPictureFiles(folder_.path().string());
    ASSERT_EQ(list.size(), 5000u);
    EXPECT_EQ(list, sorted);
    for (std::size_t i = 0; i < sorted.size(); i += 499)
        EXPECT_EQ(FindListPosition(list, sorted[i]), static_cast<int>(i) + 1) << sorted[i];
    EXPECT_EQ(FindListPosition(list, "rbl_491.100"), 5000);  // typed in small letters
    EXPECT_EQ(FindListPosition(list, "69_011.101"), 0);
}

}  // namespace
}  // namespace orbalux
