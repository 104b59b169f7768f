#include "movie/movie_writer.h"

#include "movie/encoder_module.h"
#include "movie/frame_encoder.h"
#include "state/orbalux_error.h"

namespace orbalux {
namespace {

const MovieSettings& CheckedSettings(const std::string& path, const MovieSettings& settings) {
    if (settings.canvas.width <= 0 || settings.canvas.height <= 0) throw OrbaluxError(ErrorKind::Failed, path, "no pictures for the movie");
    if (settings.fps < kMinMovieFps || settings.fps > kMaxMovieFps)
        throw OrbaluxError(ErrorKind::Unwritable, path, "the frame rate must be " + std::to_string(kMinMovieFps) + " to " +
                                     std::to_string(kMaxMovieFps) + " frames a second");
    if (settings.fps > MaxMovieFps(settings.format))
        throw OrbaluxError(ErrorKind::Unwritable, path,
                           "a GIF holds at most " + std::to_string(kMaxGifFps) +
                               " frames a second (its delays count hundredths); the nearest rate is " +
                               std::to_string(kMaxGifFps) + ", or write MP4 or WebM");
    CheckMovieEncoder(path, settings.format);
    return settings;
}

}  // namespace

MovieWriter::MovieWriter(std::string path, const MovieSettings& settings)
    : path_(std::move(path)), settings_(CheckedSettings(path_, settings)), file_(path_) {
    const MovieEncoderTable& encoders = MovieEncoders(path_);
    if (settings_.format == MovieFormat::Gif)
        encoder_ = encoders.make_gif(file_.stream(), path_, settings_.canvas, settings_.fps);
    else
        encoder_ = encoders.make_video(file_.stream(), path_, settings_.format, settings_.canvas, settings_.fps);
}

MovieWriter::~MovieWriter() = default;

void MovieWriter::AddFrame(const GreyImage& picture) {
    if (picture.width == settings_.canvas.width && picture.height == settings_.canvas.height) {
        encoder_->Add(picture);
    } else {
        PlaceOnCanvas(picture, settings_.canvas, frame_);
        encoder_->Add(frame_);
    }
    ++frames_;
}

void MovieWriter::Commit() {
    if (frames_ == 0) throw OrbaluxError(ErrorKind::Failed, path_, "no pictures for the movie");
    encoder_->Finish();
    encoder_.reset();
    file_.Commit();
}

bool WriteMovie(const std::string& path, const MovieSettings& settings, std::size_t count,
                const MovieFrameSource& source, const MovieProgress& progress) {
    MovieWriter writer(path, settings);
    for (std::size_t i = 0; i < count; ++i) {
        if (std::optional<GreyImage> picture = source(i)) writer.AddFrame(*picture);
        if (progress && !progress(i + 1, count)) return false;  // the writer takes its file with it
    }
    writer.Commit();
    return true;
}

}  // namespace orbalux
