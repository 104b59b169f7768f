// FFmpeg's resources under owners that free them, for std::unique_ptr: one
// deleter for each kind of object the encoder makes and a reader opens.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
#include <libswscale/swscale.h>
}

namespace orbalux {

// A muxer's context made by avformat_alloc_output_context2.
struct FormatFree {
    void operator()(AVFormatContext* c) const { avformat_free_context(c); }
};
// A demuxer's context opened by avformat_open_input.
struct InputClose {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ScalerFree {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
// A custom I/O context and the buffer it took over (which it may have
// replaced by one of its own).
struct IoFree {
    void operator()(AVIOContext* io) const {
        av_freep(&io->buffer);
        avio_context_free(&io);
    }
};
// A buffer from av_malloc not yet handed to an I/O context.
struct BufferFree {
    void operator()(unsigned char* b) const { av_free(b); }
};

}  // namespace orbalux
