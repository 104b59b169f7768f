// The GIF encoder over giflib.
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "movie/frame_encoder.h"
#include "state/orbalux_error.h"

namespace orbalux {
namespace {

struct GifFileCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};
using GifFile = std::unique_ptr<GifFileType, GifFileCloser>;

struct ColorMapFree {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

int WriteToStream(GifFileType* gif, const GifByteType* bytes, int count) {
    auto* stream = static_cast<std::FILE*>(gif->UserData);
    return static_cast<int>(std::fwrite(bytes, 1, static_cast<std::size_t>(count), stream));
}

class GifEncoder final : public FrameEncoder {
public:
    GifEncoder(std::FILE* stream, std::string path, CanvasSize canvas, int fps)
        : path_(std::move(path)), canvas_(canvas), fps_(fps), row_(static_cast<std::size_t>(canvas.width)) {
        int error = 0;
        gif_.reset(EGifOpen(stream, WriteToStream, &error));
        if (!gif_) Fail(error);
        EGifSetGifVersion(gif_.get(), true);  // GIF89a: delays and the loop need it

        std::array<GifColorType, 256> greys{};
        for (int level = 0; level < 256; ++level) {
            const auto v = static_cast<GifByteType>(level);
            greys[static_cast<std::size_t>(level)] = {v, v, v};
        }
        const std::unique_ptr<ColorMapObject, ColorMapFree> palette(GifMakeMapObject(256, greys.data()));
        if (!palette) throw OrbaluxError(ErrorKind::Unwritable, path_, "out of memory");
        Check(EGifPutScreenDesc(gif_.get(), canvas.width, canvas.height, 8, 0, palette.get()));

        // The loop for ever: the application extension that viewers know.
        static const char kLoopName[] = "NETSCAPE2.0";
        const GifByteType forever[3] = {1, 0, 0};
        Check(EGifPutExtensionLeader(gif_.get(), APPLICATION_EXT_FUNC_CODE));
        Check(EGifPutExtensionBlock(gif_.get(), 11, kLoopName));
        Check(EGifPutExtensionBlock(gif_.get(), 3, forever));
        Check(EGifPutExtensionTrailer(gif_.get()));
    }

    void Add(const GreyImage& frame) override {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.DelayTime = GifFrameDelay(fps_, frames_++);
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        Check(EGifPutExtension(gif_.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
        Check(EGifPutImageDesc(gif_.get(), 0, 0, canvas_.width, canvas_.height, false, nullptr));
        // The grey level is its own palette index; giflib wants rows it may write.
        for (int y = 0; y < canvas_.height; ++y) {
            std::memcpy(row_.data(), frame.Row(y), row_.size());
            Check(EGifPutLine(gif_.get(), row_.data(), canvas_.width));
        }
    }

    void Finish() override {
        int error = 0;
        const int result = EGifCloseFile(gif_.release(), &error);
        if (result != GIF_OK) Fail(error);
    }

private:
    [[noreturn]] void Fail(int error) const {
        const char* reason = GifErrorString(error);
        throw OrbaluxError(ErrorKind::Unwritable, path_, error == E_GIF_ERR_WRITE_FAILED ? std::strerror(errno ? errno : EIO)
                                  : reason                         ? reason
                                                                   : "GIF error");
    }
    void Check(int result) const {
        if (result != GIF_OK) Fail(gif_ ? gif_->Error : 0);
    }

    std::string path_;
    CanvasSize canvas_;
    int fps_;
    std::size_t frames_ = 0;  // added so far
    std::vector<GifPixelType> row_;
    GifFile gif_;
};

}  // namespace

std::unique_ptr<FrameEncoder> MakeGifEncoder(std::FILE* stream, const std::string& path, CanvasSize canvas, int fps) {
    return std::make_unique<GifEncoder>(stream, path, canvas, fps);
}

}  // namespace orbalux
