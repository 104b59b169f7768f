// The web page's way into the core: plain C functions that the page's scripts
// call through cwrap. Each WebAssembly instance (the page's, the thumbnail
// worker's) holds one viewer: the bytes of the file shown, the settings the
// page chose, and the picture state rendered from them exactly as the
// converter renders a file (RenderPictureBytes with ChainSettings).
//
// Strings returned stay valid until the next call that returns a string;
// pointers into pictures until the next load or render.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "intake/file_list.h"
#include "load/chain_settings.h"
#include "output/bitmap_stream.h"
#include "output/grey_picture.h"
#include "processing/chain_geometry.h"
#include "processing/display_options.h"
#include "processing/stages.h"
#include "session/grey_histogram.h"
#include "session/picture_extent.h"
#include "session/pixel_readout.h"
#include "session/status_texts.h"
#include "session/stretch_marks.h"
#include "session/zoom.h"
#include "state/orbalux_error.h"

using namespace orbalux;

namespace {

struct Viewer {
    PictureState state;
    ChainSettings settings;
    std::vector<std::uint8_t> bytes;  // the file as the page read it
    std::string name;
    bool shown = false;  // the state holds a picture rendered from `bytes`
    GreyImage picture;   // the shown picture, top row first
    std::vector<std::uint8_t> mask;
    std::vector<std::uint8_t> bmp;
    GreyImage thumbnail;
    GreyHistogram histogram;
    std::string text;  // the last string handed out
    ZoomFactor zoom{1, 1};
};

Viewer& TheViewer() {
    static Viewer viewer;
    return viewer;
}

const char* Hand(std::string text) {
    Viewer& v = TheViewer();
    v.text = std::move(text);
    return v.text.c_str();
}

// Display options first, then the picture's own stretches: one list for the
// page's switches, each by its converter name.
std::size_t OptionCount() { return DisplayOptionTable().size() + PictureStretchTable().size(); }

// Renders the file's bytes with the settings; on failure the reason, and the
// page shows no picture.
std::optional<std::string> Render() {
    Viewer& v = TheViewer();
    try {
        RenderPictureBytes(v.state, v.bytes, v.name, v.settings);
        v.shown = true;
        GreyFromBitmap(v.state, v.picture);
        ShownDataMask(v.state, true, v.mask);  // into the kept memory
        return std::nullopt;
    } catch (const OrbaluxError& e) {
        v.shown = false;
        return e.reason();
    } catch (const std::exception& e) {
        v.shown = false;
        return std::string(e.what());
    }
}

}  // namespace

extern "C" {

// Room for a file of `size` bytes; the page copies the file there, then
// calls ox_load.
EMSCRIPTEN_KEEPALIVE std::uint8_t* ox_file_buffer(int size) {
    Viewer& v = TheViewer();
    v.bytes.assign(static_cast<std::size_t>(size < 0 ? 0 : size), 0);
    return v.bytes.data();
}

// Renders the file in the buffer under `name`, its catalogue key. Returns ""
// on success, else the reason the file shows no picture.
EMSCRIPTEN_KEEPALIVE const char* ox_load(const char* name) {
    TheViewer().name = name;
    return Hand(Render().value_or(""));
}

// Renders the same file again after a change of the settings.
EMSCRIPTEN_KEEPALIVE const char* ox_render() { return Hand(Render().value_or("")); }

// The project's rule for picture files' names, and their order (bytes).
EMSCRIPTEN_KEEPALIVE int ox_is_picture_name(const char* name) { return IsPictureFileName(name) ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int ox_compare_names(const char* a, const char* b) {
    const std::string x(a), y(b);
    return x < y ? -1 : (y < x ? 1 : 0);
}

// The switches: converter name, help line, state, change.
EMSCRIPTEN_KEEPALIVE int ox_option_count() { return static_cast<int>(OptionCount()); }
EMSCRIPTEN_KEEPALIVE const char* ox_option_name(int i) {
    const auto display = DisplayOptionTable();
    if (i < 0 || static_cast<std::size_t>(i) >= OptionCount()) return "";
    if (static_cast<std::size_t>(i) < display.size()) return Hand(std::string(display[i].cliOption));
    return Hand(std::string(PictureStretchTable()[i - display.size()].cliOption));
}
EMSCRIPTEN_KEEPALIVE const char* ox_option_help(int i) {
    const auto display = DisplayOptionTable();
    if (i < 0 || static_cast<std::size_t>(i) >= OptionCount()) return "";
    if (static_cast<std::size_t>(i) < display.size()) return Hand(std::string(display[i].help));
    return Hand(std::string(PictureStretchTable()[i - display.size()].help));
}
EMSCRIPTEN_KEEPALIVE int ox_option_on(int i) {
    const ChainSettings& s = TheViewer().settings;
    const auto display = DisplayOptionTable();
    if (i < 0 || static_cast<std::size_t>(i) >= OptionCount()) return 0;
    if (static_cast<std::size_t>(i) >= display.size()) return s.menu.*PictureStretchTable()[i - display.size()].flag;
    const DisplayOptionRow& row = display[i];
    switch (row.kind) {
        case SwitchKind::ChainFlag: return s.menu.*row.flag;
        case SwitchKind::HorizontalStretch: return s.horizontalStretch;
        case SwitchKind::KeepGaps: return s.compressMissingLines ? 0 : 1;
    }
    return 0;
}
// Turns a switch on or off; a stretch turned on turns the other two off.
EMSCRIPTEN_KEEPALIVE void ox_set_option(int i, int on) {
    ChainSettings& s = TheViewer().settings;
    const auto display = DisplayOptionTable();
    if (i < 0 || static_cast<std::size_t>(i) >= OptionCount()) return;
    if (static_cast<std::size_t>(i) >= display.size()) {
        SetChainFlag(s.menu, PictureStretchTable()[i - display.size()].flag, on != 0);
    } else if (display[i].kind == SwitchKind::ChainFlag && IsStretchFlag(display[i].flag)) {
        SetChainFlag(s.menu, display[i].flag, on != 0);
    } else {
        SetOption(s, display[i], on != 0);
    }
}

// The two tone levels, by converter name ("brightness", "contrast").
EMSCRIPTEN_KEEPALIVE int ox_level_count() { return static_cast<int>(ToneLevelTable().size()); }
EMSCRIPTEN_KEEPALIVE const char* ox_level_name(int i) {
    if (i < 0 || i >= ox_level_count()) return "";
    return Hand(std::string(ToneLevelTable()[i].cliOption));
}
EMSCRIPTEN_KEEPALIVE int ox_level(int i) {
    if (i < 0 || i >= ox_level_count()) return 0;
    return ToneLevel(TheViewer().settings, ToneLevelTable()[i]);
}
// What one press of a level's Down or Up button adds, as on the desktop.
EMSCRIPTEN_KEEPALIVE int ox_level_step(int i) {
    if (i < 0 || i >= ox_level_count()) return 0;
    return ToneLevelTable()[i].level == &PictureState::BrightnessLevel ? kBrightnessStep : 1;
}
EMSCRIPTEN_KEEPALIVE void ox_set_level(int i, int value) {
    if (i < 0 || i >= ox_level_count() || value < -kToneLevelLimit || value > kToneLevelLimit) return;
    ToneLevel(TheViewer().settings, ToneLevelTable()[i]) = value;
}

// The percentile stretch's pair as the converter takes it, "LOW,HIGH";
// returns 0 and keeps the pair when the text is not one.
EMSCRIPTEN_KEEPALIVE int ox_set_percentiles(const char* text) {
    const std::optional<PercentilePair> pair = ParsePercentiles(text);
    if (!pair) return 0;
    TheViewer().settings.lowPercentile = pair->low;
    TheViewer().settings.highPercentile = pair->high;
    return 1;
}
EMSCRIPTEN_KEEPALIVE const char* ox_percentiles() {
    const ChainSettings& s = TheViewer().settings;
    return Hand(PercentilesText(s.lowPercentile, s.highPercentile));
}

// The shown picture: size and grey pixels, top row first.
EMSCRIPTEN_KEEPALIVE int ox_width() { return TheViewer().shown ? TheViewer().picture.width : 0; }
EMSCRIPTEN_KEEPALIVE int ox_height() { return TheViewer().shown ? TheViewer().picture.height : 0; }
EMSCRIPTEN_KEEPALIVE const std::uint8_t* ox_pixels() { return TheViewer().picture.pixels.data(); }

// The BMP file, through the converter's writer. Returns its size (0 without
// a picture); the bytes are at ox_bmp_bytes.
EMSCRIPTEN_KEEPALIVE int ox_make_bmp() {
    Viewer& v = TheViewer();
    v.bmp.clear();
    if (!v.shown) return 0;
    char* memory = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&memory, &size);
    if (!stream) return 0;
    try {
        WriteBitmapStream(v.state, stream, v.name);
    } catch (const OrbaluxError&) {
        std::fclose(stream);
        std::free(memory);
        return 0;
    }
    std::fclose(stream);
    v.bmp.assign(memory, memory + size);
    std::free(memory);
    return static_cast<int>(v.bmp.size());
}
EMSCRIPTEN_KEEPALIVE const std::uint8_t* ox_bmp_bytes() { return TheViewer().bmp.data(); }

// Texts of the shown file: its header lines, size and line format, lost lines
// and the levels stepped.
EMSCRIPTEN_KEEPALIVE const char* ox_header_text() {
    std::string text;
    for (const std::string& line : TheViewer().state.HeaderLines) text += line + "\n";
    return Hand(text);
}
EMSCRIPTEN_KEEPALIVE const char* ox_status_text() {
    const Viewer& v = TheViewer();
    if (!v.shown) return "";
    std::string text = PictureSizeText(v.state) + " \u00b7 " + LostLinesText(v.state.LostLineCount);
    const std::string levels = LevelsText(v.state.BrightnessLevel, v.state.ContrastLevel);
    if (!levels.empty()) text += " \u00b7 " + levels;
    return Hand(text);
}

// The zoom ladder: the step after `numerator/denominator` going in or out,
// a step's scale, the fitted scale, and the percent text.
EMSCRIPTEN_KEEPALIVE int ox_zoom_in(int numerator, int denominator) { return ZoomIn({numerator, denominator}); }
EMSCRIPTEN_KEEPALIVE int ox_zoom_out(int numerator, int denominator) { return ZoomOut({numerator, denominator}); }
EMSCRIPTEN_KEEPALIVE int ox_step_numerator(int step) { return static_cast<int>(StepFactor(step).numerator); }
EMSCRIPTEN_KEEPALIVE int ox_step_denominator(int step) { return static_cast<int>(StepFactor(step).denominator); }
EMSCRIPTEN_KEEPALIVE int ox_actual_size_step() { return kActualSizeStep; }
// Fits the shown picture into the area; read the scale with ox_fit_numerator
// and ox_fit_denominator.
EMSCRIPTEN_KEEPALIVE void ox_fit(int areaWidth, int areaHeight) {
    Viewer& v = TheViewer();
    v.zoom = FitToWindow(ox_width(), ox_height(), areaWidth, areaHeight);
}
EMSCRIPTEN_KEEPALIVE int ox_fit_numerator() { return static_cast<int>(TheViewer().zoom.numerator); }
EMSCRIPTEN_KEEPALIVE int ox_fit_denominator() { return static_cast<int>(TheViewer().zoom.denominator); }
EMSCRIPTEN_KEEPALIVE const char* ox_zoom_percent(int numerator, int denominator) {
    return Hand(ZoomPercent({numerator, denominator}));
}

// The readout under point (x, y) of the picture drawn at the scale; "" off
// the picture.
EMSCRIPTEN_KEEPALIVE const char* ox_readout(int x, int y, int numerator, int denominator) {
    const Viewer& v = TheViewer();
    if (!v.shown) return "";
    const ShownLevelAt level = [&v](ShownPixel p) -> std::optional<int> {
        if (p.column < 0 || p.row < 0 || p.column >= v.picture.width || p.row >= v.picture.height) return std::nullopt;
        return v.picture.At(p.column, p.row);
    };
    const std::optional<PixelReadout> readout =
        ReadPixel(x, y, {numerator, denominator}, ShownGeometryOf(v.state), level, v.state);
    return Hand(readout ? ReadoutText(*readout) : "");
}

// The histogram of the shown picture's data pixels (under a percentile
// stretch, of the levels that entered it): 256 counts at ox_histogram_counts
// (as doubles), then minimum, maximum and mean.
EMSCRIPTEN_KEEPALIVE int ox_make_histogram() {
    Viewer& v = TheViewer();
    v.histogram = GreyHistogram{};
    if (!v.shown) return 0;
    if (const std::optional<GreyHistogram> entering = StretchInputHistogram(v.state, true)) {
        v.histogram = *entering;
    } else {
        const int width = v.picture.width;
        v.histogram = HistogramOf(v.picture, [&](int x, int y) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x;
            return at < v.mask.size() && v.mask[at] != 0;
        });
    }
    return 1;
}
EMSCRIPTEN_KEEPALIVE double ox_histogram_count(int level) {
    if (level < 0 || level > 255) return 0;
    return static_cast<double>(TheViewer().histogram.counts[static_cast<std::size_t>(level)]);
}
EMSCRIPTEN_KEEPALIVE double ox_histogram_pixels() { return static_cast<double>(TheViewer().histogram.pixels); }
EMSCRIPTEN_KEEPALIVE int ox_histogram_minimum() { return TheViewer().histogram.minimum; }
EMSCRIPTEN_KEEPALIVE int ox_histogram_maximum() { return TheViewer().histogram.maximum; }
EMSCRIPTEN_KEEPALIVE double ox_histogram_mean() { return TheViewer().histogram.mean; }

// A thumbnail of the file in the buffer, as the desktop's strip makes it
// (widened narrow formats, cut to the picture's columns), its longer side
// `longSide`. Returns "" on success, else the reason; read the thumbnail with
// ox_thumbnail_width/_height/_pixels. It puts the strip's settings in place
// of the page's: for the thumbnail worker's own instance.
EMSCRIPTEN_KEEPALIVE const char* ox_make_thumbnail(const char* name, int longSide) {
    Viewer& v = TheViewer();
    v.name = name;
    v.settings = ChainSettings{};
    v.settings.horizontalStretch = 1;
    v.settings.bitmap = false;  // the grey picture is all a thumbnail takes
    if (std::optional<std::string> failure = Render()) {
        v.thumbnail = GreyImage{};
        return Hand(*failure);
    }
    v.thumbnail = MakeThumbnail(CutToPicture(v.picture, ShownGeometryOf(v.state), v.state.DecodedRows), longSide);
    return Hand("");
}
EMSCRIPTEN_KEEPALIVE int ox_thumbnail_width() { return TheViewer().thumbnail.width; }
EMSCRIPTEN_KEEPALIVE int ox_thumbnail_height() { return TheViewer().thumbnail.height; }
EMSCRIPTEN_KEEPALIVE const std::uint8_t* ox_thumbnail_pixels() { return TheViewer().thumbnail.pixels.data(); }

// One whole load of the file in the buffer under `name` with the settings
// chosen, timed for the benchmark page: milliseconds, or -1 when it failed.
EMSCRIPTEN_KEEPALIVE double ox_time_load(const char* name) {
    Viewer& v = TheViewer();
    const double start = emscripten_get_now();
    try {
        RenderPictureBytes(v.state, v.bytes, name, v.settings);
    } catch (const std::exception&) {
        return -1;
    }
    return emscripten_get_now() - start;
}

}  // extern "C"
