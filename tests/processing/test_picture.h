// A picture state holding a W x H working picture, for the stage tests.
#pragma once

#include <algorithm>
#include <cstdint>

#include "state/picture_state.h"

namespace orbalux::fixture {

struct TestPicture {
    PictureState state;

    TestPicture(int width, int height, std::uint8_t level = 0) {
        SetPictureGeometry(state, width, height);
        state.FrameStride = width;
        state.FrameLines = height;
        AllocateWorkingBuffers(state);
        std::fill_n(state.FileBuffer.begin() + kPictureOrigin, Count(), level);
    }

    std::size_t Count() const { return std::size_t(state.ImageWidth) * std::size_t(state.ImageHeight); }
    std::size_t Offset(int y, int x) const { return kPictureOrigin + std::size_t(y) * state.ImageWidth + x; }
    std::uint8_t& operator()(int y, int x) { return state.FileBuffer[Offset(y, x)]; }

    // Makes the working picture the decoded one, as a load leaves it.
    void KeepAsDecoded() { state.DecodedImage = state.FileBuffer; }
};

}  // namespace orbalux::fixture
