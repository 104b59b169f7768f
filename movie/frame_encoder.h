// One encoder behind the movie writer: takes frames of the canvas's size, in
// order, and writes the coded movie to an open stream.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "movie/movie_canvas.h"
#include "movie/movie_format.h"
#include "state/grey_image.h"

namespace orbalux {

class FrameEncoder {
public:
    virtual ~FrameEncoder() = default;
    // A frame of exactly the canvas's size. Throws OrbaluxError.
    virtual void Add(const GreyImage& frame) = 0;
    // Codes what is still held back and ends the movie in the stream.
    virtual void Finish() = 0;
};

// GIF: one global palette of 256 greys, looping for ever, frame k shown
// from k/fps s to (k+1)/fps s, each end rounded to the format's hundredths:
// the delays alternate (3, 3, 4 at 30 a second) so that the movie keeps the
// rate on average. The writer refuses rates above kMaxGifFps.
std::unique_ptr<FrameEncoder> MakeGifEncoder(std::FILE* stream, const std::string& path, CanvasSize canvas, int fps);

// MP4 (H.264) and WebM (VP9) through FFmpeg's libraries, grey coded as
// 4:2:0 video; an odd canvas side gains one black line, as the format needs
// even sides.
std::unique_ptr<FrameEncoder> MakeVideoEncoder(std::FILE* stream, const std::string& path, MovieFormat format,
                                               CanvasSize canvas, int fps);

// Throws OrbaluxError naming `path` when FFmpeg's libraries at hand cannot
// write `format` (no H.264 encoder, say), with the format to use instead.
void CheckVideoEncoder(const std::string& path, MovieFormat format);

// The delay of GIF frame `frame` (from 0) in hundredths of a second at `fps`.
int GifFrameDelay(int fps, std::size_t frame);

}  // namespace orbalux
