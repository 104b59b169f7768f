#include "movie_read_back.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}
#include <gif_lib.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "movie/ffmpeg_handles.h"

namespace movie_test {
namespace {

using orbalux::CodecFree;
using orbalux::FrameFree;
using orbalux::InputClose;
using orbalux::PacketFree;
using orbalux::ScalerFree;

struct GifClose {
    void operator()(GifFileType* g) const {
        int error = 0;
        DGifCloseFile(g, &error);
    }
};

orbalux::GreyImage ToGrey(const AVFrame* frame) {
    orbalux::GreyImage grey(frame->width, frame->height);
    const std::unique_ptr<SwsContext, ScalerFree> scaler(
        sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), frame->width,
                       frame->height, AV_PIX_FMT_GRAY8, SWS_POINT, nullptr, nullptr, nullptr));
    const int* coefficients = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(scaler.get(), coefficients, 0, coefficients, 1, 0, 1 << 16, 1 << 16);
    std::uint8_t* planes[1] = {grey.pixels.data()};
    const int strides[1] = {grey.width};
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
    return grey;
}

}  // namespace

std::vector<orbalux::GreyImage> DecodeVideoFrames(const std::string& path) {
    std::vector<orbalux::GreyImage> frames;
    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, path.c_str(), nullptr, nullptr) < 0) {
        ADD_FAILURE() << "cannot open " << path;
        return frames;
    }
    const std::unique_ptr<AVFormatContext, InputClose> input(opened);
    EXPECT_GE(avformat_find_stream_info(input.get(), nullptr), 0);
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (index < 0 || !codec) {
        ADD_FAILURE() << "no video stream in " << path;
        return frames;
    }
    const std::unique_ptr<AVCodecContext, CodecFree> decoder(avcodec_alloc_context3(codec));
    avcodec_parameters_to_context(decoder.get(), input->streams[index]->codecpar);
    EXPECT_EQ(avcodec_open2(decoder.get(), codec, nullptr), 0);
    const std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    const std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    auto receive = [&] {
        while (avcodec_receive_frame(decoder.get(), frame.get()) == 0) frames.push_back(ToGrey(frame.get()));
    };
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        if (packet->stream_index == index) {
            EXPECT_GE(avcodec_send_packet(decoder.get(), packet.get()), 0);
            receive();
        }
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(decoder.get(), nullptr);
    receive();
    return frames;
}

GifMovie ReadGif(const std::string& path) {
    GifMovie movie;
    int error = 0;
    const std::unique_ptr<GifFileType, GifClose> gif(DGifOpenFileName(path.c_str(), &error));
    if (!gif || DGifSlurp(gif.get()) != GIF_OK) {
        ADD_FAILURE() << "giflib cannot read " << path;
        return movie;
    }
    const ColorMapObject* palette = gif->SColorMap;
    if (palette && palette->ColorCount == 256) {
        movie.greyPalette = true;
        for (int i = 0; i < 256; ++i) {
            const GifColorType c = palette->Colors[i];
            if (c.Red != i || c.Green != i || c.Blue != i) movie.greyPalette = false;
        }
    }
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        orbalux::GreyImage grey(gif->SWidth, gif->SHeight);
        const GifImageDesc& d = image.ImageDesc;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x)
                grey.At(d.Left + x, d.Top + y) = palette ? palette->Colors[image.RasterBits[y * d.Width + x]].Red : 0;
        movie.frames.push_back(std::move(grey));
        GraphicsControlBlock control{};
        movie.delays.push_back(DGifSavedExtensionToGCB(gif.get(), i, &control) == GIF_OK ? control.DelayTime : -1);
        for (int e = 0; e < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock& block = image.ExtensionBlocks[e];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0)
                movie.loops = true;
        }
    }
    return movie;
}

}  // namespace movie_test
