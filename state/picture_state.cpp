#include "state/picture_state.h"

namespace orbalux {

PictureState::PictureState() : DecodedImage(kFileBufferSize, 0) {
    HeaderChars1.fill(' ');
    HeaderChars2.fill(' ');
}

void SetPictureGeometry(PictureState& state, int width, int height) {
    state.ImageWidth = width;
    state.ImageHeight = height;
    // The ten bytes keep the low bits of the sizes, as the BMP header fields do.
    const auto fileSize = static_cast<std::uint32_t>(BitmapFileSize(width, height));
    const std::uint32_t pixelBytes = fileSize - 54u;
    auto& h = state.BitmapHeaderBytes;
    h[0] = fileSize & 0xFF;
    h[1] = (fileSize >> 8) & 0xFF;
    h[2] = (fileSize >> 16) & 0xFF;
    h[3] = width & 0xFF;
    h[4] = (width >> 8) & 0xFF;
    h[5] = height & 0xFF;
    h[6] = (height >> 8) & 0xFF;
    h[7] = pixelBytes & 0xFF;
    h[8] = (pixelBytes >> 8) & 0xFF;
    h[9] = (pixelBytes >> 16) & 0xFF;
}

std::size_t BitmapFileSize(int width, int height) {
    if (width <= 0 || height <= 0) return 54;
    return 54 + 3 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

std::size_t BitmapFileSize(const PictureState& state) { return BitmapFileSize(state.ImageWidth, state.ImageHeight); }

bool BitmapHoldsPicture(const PictureState& state) {
    return BitmapFileSize(state) <= static_cast<std::size_t>(kBitmapBufferSize);
}

void AllocateWorkingBuffers(PictureState& state) {
    state.FileBuffer.assign(kFileBufferSize, 0);
    state.BitmapBuffer.assign(kBitmapBufferSize, 0);
}

void SizeWorkingBuffers(PictureState& state) {
    // A buffer first sized here is zero-filled, like a fresh one.
    state.FileBuffer.resize(kFileBufferSize);
    if (state.WriteBitmap) state.BitmapBuffer.resize(kBitmapBufferSize);
}

void ReleaseWorkingBuffers(PictureState& state) {
    std::vector<std::uint8_t>().swap(state.FileBuffer);
    std::vector<std::uint8_t>().swap(state.BitmapBuffer);
    std::vector<std::uint8_t>().swap(state.SpareBuffer);
}

}  // namespace orbalux
