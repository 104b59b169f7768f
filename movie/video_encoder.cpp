// The MP4 and WebM encoder over FFmpeg's libraries: grey frames converted to
// 4:2:0 by libswscale, coded by libavcodec, muxed by libavformat into the
// stream the writer gives (so that the movie goes to its temporary file).
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

#include "movie/ffmpeg_handles.h"
#include "movie/frame_encoder.h"
#include "state/orbalux_error.h"

namespace orbalux {
namespace {

class Dictionary {
public:
    Dictionary() = default;
    ~Dictionary() { av_dict_free(&dict_); }
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;
    void Set(const char* key, const char* value) { av_dict_set(&dict_, key, value, 0); }
    AVDictionary** get() { return &dict_; }

private:
    AVDictionary* dict_ = nullptr;
};

constexpr int kIoBufferSize = 1 << 16;

// The stream's own write and seek for libavformat (the MP4 muxer goes back
// to fill in sizes).
#if LIBAVFORMAT_VERSION_MAJOR >= 61
int WritePacket(void* opaque, const std::uint8_t* bytes, int count) {
#else
int WritePacket(void* opaque, std::uint8_t* bytes, int count) {
#endif
    auto* stream = static_cast<std::FILE*>(opaque);
    if (std::fwrite(bytes, 1, static_cast<std::size_t>(count), stream) != static_cast<std::size_t>(count))
        return AVERROR(errno ? errno : EIO);
    return count;
}

std::int64_t SeekStream(void* opaque, std::int64_t offset, int whence) {
    auto* stream = static_cast<std::FILE*>(opaque);
    if (whence & AVSEEK_SIZE) return -1;  // not known ahead; the muxers do without
    whence &= ~AVSEEK_FORCE;
    if (fseeko(stream, static_cast<off_t>(offset), whence) != 0) return AVERROR(errno ? errno : EIO);
    return ftello(stream);
}

// The index first (faststart): at its end the MP4 muxer moves the data up to
// make room for the index, reading the movie back through a second context
// it opens by name. The movie has no name of its own here (its temporary file
// is an open stream), so the second context reads that stream's file.
struct ReadBack {
    std::FILE* stream;
    std::int64_t position = 0;
};

int ReadBackPacket(void* opaque, std::uint8_t* bytes, int count) {
    auto* back = static_cast<ReadBack*>(opaque);
    if (std::fflush(back->stream) != 0) return AVERROR(errno ? errno : EIO);
    const ssize_t got =
        pread(fileno(back->stream), bytes, static_cast<std::size_t>(count), static_cast<off_t>(back->position));
    if (got < 0) return AVERROR(errno);
    if (got == 0) return AVERROR_EOF;
    back->position += got;
    return static_cast<int>(got);
}

std::int64_t ReadBackSeek(void* opaque, std::int64_t offset, int whence) {
    auto* back = static_cast<ReadBack*>(opaque);
    if (whence & AVSEEK_SIZE) return -1;
    whence &= ~AVSEEK_FORCE;
    if (whence == SEEK_SET)
        back->position = offset;
    else if (whence == SEEK_CUR)
        back->position += offset;
    else
        return AVERROR(EINVAL);
    return back->position;
}

int OpenReadBack(AVFormatContext* muxer, AVIOContext** pb, const char*, int flags, AVDictionary**) {
    if (!(flags & AVIO_FLAG_READ)) return AVERROR(EINVAL);
    auto* stream = static_cast<std::FILE*>(muxer->opaque);
    auto* back = new (std::nothrow) ReadBack{stream};
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
    *pb = back && buffer ? avio_alloc_context(buffer, kIoBufferSize, 0, back, ReadBackPacket, nullptr, ReadBackSeek)
                         : nullptr;
    if (!*pb) {
        av_free(buffer);
        delete back;
        return AVERROR(ENOMEM);
    }
    return 0;
}

int CloseReadBack(AVFormatContext*, AVIOContext* pb) {
    delete static_cast<ReadBack*>(pb->opaque);
    av_freep(&pb->buffer);
    avio_context_free(&pb);
    return 0;
}

std::string ErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

const AVCodec* FindEncoder(MovieFormat format) {
    if (format == MovieFormat::Mp4) return avcodec_find_encoder(AV_CODEC_ID_H264);
    if (const AVCodec* vpx = avcodec_find_encoder_by_name("libvpx-vp9")) return vpx;
    return avcodec_find_encoder(AV_CODEC_ID_VP9);
}

// Settings chosen for speed first: a volume of pictures becomes a movie in
// well under a minute on two cores, at a quality that keeps the grain.
void ChooseEncoderOptions(MovieFormat format, const AVCodec* codec, AVCodecContext* context, Dictionary& options) {
    if (format == MovieFormat::Mp4) {
        options.Set("preset", "veryfast");
        options.Set("crf", "20");
        return;
    }
    if (std::strcmp(codec->name, "libvpx-vp9") == 0) {
        context->bit_rate = 0;  // constant quality
        options.Set("deadline", "realtime");
        options.Set("cpu-used", "8");
        options.Set("row-mt", "1");
        options.Set("tile-columns", "1");
        options.Set("crf", "30");
    }
}

class VideoEncoder final : public FrameEncoder {
public:
    VideoEncoder(std::FILE* stream, std::string path, MovieFormat format, CanvasSize canvas, int fps)
        : path_(std::move(path)), canvas_(canvas) {
        // 4:2:0 halves both sides for colour: the coded sides are even.
        width_ = canvas.width + (canvas.width & 1);
        height_ = canvas.height + (canvas.height & 1);

        // The library's notes (rates, versions) are no news to the user; its
        // errors come back as results and are reported with the movie's name.
        av_log_set_level(AV_LOG_QUIET);
        const AVCodec* codec = FindEncoder(format);
        if (!codec) CheckVideoEncoder(path_, format);  // says which format to use instead
        const std::string container(MovieFormatRowOf(format).container);

        AVFormatContext* muxer = nullptr;
        Check(avformat_alloc_output_context2(&muxer, nullptr, container.c_str(), nullptr));
        muxer_.reset(muxer);

        codec_.reset(avcodec_alloc_context3(codec));
        if (!codec_) Check(AVERROR(ENOMEM));
        AVCodecContext* c = codec_.get();
        c->width = width_;
        c->height = height_;
        c->pix_fmt = AV_PIX_FMT_YUV420P;
        c->time_base = AVRational{1, fps};
        c->framerate = AVRational{fps, 1};
        c->gop_size = 5 * fps;  // a key frame every five seconds to seek to
        c->thread_count = 2;
        c->color_range = AVCOL_RANGE_MPEG;
        c->colorspace = AVCOL_SPC_BT709;
        c->color_primaries = AVCOL_PRI_BT709;
        c->color_trc = AVCOL_TRC_BT709;
        if (muxer_->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        Dictionary options;
        ChooseEncoderOptions(format, codec, c, options);
        Check(avcodec_open2(c, codec, options.get()));

        AVStream* video = avformat_new_stream(muxer_.get(), nullptr);
        if (!video) Check(AVERROR(ENOMEM));
        Check(avcodec_parameters_from_context(video->codecpar, c));
        video->time_base = c->time_base;
        stream_ = video;

        std::unique_ptr<unsigned char, BufferFree> buffer(static_cast<unsigned char*>(av_malloc(kIoBufferSize)));
        if (!buffer) Check(AVERROR(ENOMEM));
        io_.reset(avio_alloc_context(buffer.get(), kIoBufferSize, 1, stream, nullptr, WritePacket, SeekStream));
        if (!io_) Check(AVERROR(ENOMEM));
        buffer.release();  // the context owns it now
        muxer_->pb = io_.get();
        muxer_->flags |= AVFMT_FLAG_CUSTOM_IO;
        Dictionary muxerOptions;
        if (format == MovieFormat::Mp4) {
            // A web page starts playing before the whole file has come.
            muxerOptions.Set("movflags", "+faststart");
            muxer_->opaque = stream;
            muxer_->io_open = OpenReadBack;
            muxer_->io_close2 = CloseReadBack;
        }
        Check(avformat_write_header(muxer_.get(), muxerOptions.get()));

        frame_.reset(av_frame_alloc());
        packet_.reset(av_packet_alloc());
        if (!frame_ || !packet_) Check(AVERROR(ENOMEM));
        frame_->format = AV_PIX_FMT_YUV420P;
        frame_->width = width_;
        frame_->height = height_;
        Check(av_frame_get_buffer(frame_.get(), 0));

        // Grey pixels are full-range levels; the video's luma is limited range.
        scaler_.reset(sws_getContext(width_, height_, AV_PIX_FMT_GRAY8, width_, height_, AV_PIX_FMT_YUV420P, SWS_POINT,
                                     nullptr, nullptr, nullptr));
        if (!scaler_) throw OrbaluxError(ErrorKind::Unwritable, path_, "no grey to video conversion");
        const int* coefficients = sws_getCoefficients(SWS_CS_ITU709);
        sws_setColorspaceDetails(scaler_.get(), coefficients, 1, coefficients, 0, 0, 1 << 16, 1 << 16);
        padded_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
    }

    void Add(const GreyImage& frame) override {
        for (int y = 0; y < canvas_.height; ++y)
            std::memcpy(padded_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_), frame.Row(y),
                        static_cast<std::size_t>(canvas_.width));
        Check(av_frame_make_writable(frame_.get()));
        const std::uint8_t* source[1] = {padded_.data()};
        const int sourceStride[1] = {width_};
        sws_scale(scaler_.get(), source, sourceStride, 0, height_, frame_->data, frame_->linesize);
        frame_->pts = next_++;
        Check(avcodec_send_frame(codec_.get(), frame_.get()));
        Drain();
    }

    void Finish() override {
        Check(avcodec_send_frame(codec_.get(), nullptr));
        Drain();
        Check(av_write_trailer(muxer_.get()));
        avio_flush(io_.get());
        if (io_->error < 0) Check(io_->error);
    }

private:
    void Drain() {
        for (;;) {
            const int result = avcodec_receive_packet(codec_.get(), packet_.get());
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
            Check(result);
            // Every frame lasts one tick; without it the MP4 muxer ends the
            // movie's edit list at the last frame's start and players drop it.
            if (packet_->duration == 0) packet_->duration = 1;
            av_packet_rescale_ts(packet_.get(), codec_->time_base, stream_->time_base);
            packet_->stream_index = stream_->index;
            Check(av_interleaved_write_frame(muxer_.get(), packet_.get()));  // takes the packet's data
        }
    }

    void Check(int result) const {
        if (result < 0) throw OrbaluxError(ErrorKind::Unwritable, path_, ErrorText(result));
    }

    std::string path_;
    CanvasSize canvas_;
    int width_ = 0;
    int height_ = 0;
    std::int64_t next_ = 0;
    std::vector<std::uint8_t> padded_;  // the frame on the even-sided picture
    // Freed in reverse order: the muxer before the stream's I/O context.
    std::unique_ptr<AVIOContext, IoFree> io_;
    std::unique_ptr<AVFormatContext, FormatFree> muxer_;
    std::unique_ptr<AVCodecContext, CodecFree> codec_;
    std::unique_ptr<AVFrame, FrameFree> frame_;
    std::unique_ptr<AVPacket, PacketFree> packet_;
    std::unique_ptr<SwsContext, ScalerFree> scaler_;
    AVStream* stream_ = nullptr;  // owned by the muxer
};

}  // namespace

std::unique_ptr<FrameEncoder> MakeVideoEncoder(std::FILE* stream, const std::string& path, MovieFormat format,
                                               CanvasSize canvas, int fps) {
    return std::make_unique<VideoEncoder>(stream, path, format, canvas, fps);
}

void CheckVideoEncoder(const std::string& path, MovieFormat format) {
    switch (format) {
        case MovieFormat::Gif: return;
        case MovieFormat::Mp4:
            if (!avcodec_find_encoder(AV_CODEC_ID_H264))
                throw OrbaluxError(ErrorKind::Unwritable, path,
                                   "this FFmpeg library has no H.264 encoder for MP4; write a .webm movie instead");
            return;
        case MovieFormat::WebM:
            if (!avcodec_find_encoder_by_name("libvpx-vp9") && !avcodec_find_encoder(AV_CODEC_ID_VP9))
                throw OrbaluxError(ErrorKind::Unwritable, path,
                                   "this FFmpeg library has no VP9 encoder for WebM; write a .gif movie instead");
            return;
    }
}

}  // namespace orbalux
