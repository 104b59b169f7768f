#include "intake/picture_state.h"

namespace orbalux {

PictureState::PictureState() : DecodedImage(kFileBufferSize, 0) {
    HeaderChars1.fill(' ');
    HeaderChars2.fill(' ');
}

void SetPictureGeometry(PictureState& state, int width, int height) {
    state.ImageWidth = width;
    state.ImageHeight = height;
    const std::uint32_t pixelBytes = 3u * static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height);
    const std::uint32_t fileSize = 54u + pixelBytes;
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

void AllocateWorkingBuffers(PictureState& state) {
    state.FileBuffer.assign(kFileBufferSize, 0);
    state.BitmapBuffer.assign(kBitmapBufferSize, 0);
}

void ReleaseWorkingBuffers(PictureState& state) {
    std::vector<std::uint8_t>().swap(state.FileBuffer);
    std::vector<std::uint8_t>().swap(state.BitmapBuffer);
}

}  // namespace orbalux
