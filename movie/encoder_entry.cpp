// The movie encoders' module: its one exported entry, the table of the
// encoders it holds.
#include "movie/encoder_module.h"
#include "movie/frame_encoder.h"

namespace orbalux {
namespace {

constexpr MovieEncoderTable kTable{kMovieEncoderTableVersion, MakeGifEncoder, MakeVideoEncoder, CheckVideoEncoder};

}  // namespace
}  // namespace orbalux

extern "C" __attribute__((visibility("default"))) const orbalux::MovieEncoderTable* orbalux_movie_encoder_table() {
    return &orbalux::kTable;
}
