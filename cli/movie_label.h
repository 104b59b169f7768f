// A movie frame's label: the picture's file name in the frame's lower left
// corner, in the contact sheet's font, light on a black box so that it reads
// over any part of a picture.
#pragma once

#include <memory>
#include <string>

#include "state/grey_image.h"

namespace orbalux::cli {

constexpr int kLabelMargin = 6;  // between the box and the frame's edges

class FrameLabeller {
public:
    // For frames `frameHeight` pixels high: the font grows with the frame.
    explicit FrameLabeller(int frameHeight);
    ~FrameLabeller();
    FrameLabeller(const FrameLabeller&) = delete;
    FrameLabeller& operator=(const FrameLabeller&) = delete;

    // Writes `name` into `frame`, its control and direction characters shown
    // escaped (VisibleText); a box wider than the frame is cut.
    void Label(GreyImage& frame, const std::string& name) const;

private:
    struct Drawing;
    std::unique_ptr<Drawing> drawing_;
};

}  // namespace orbalux::cli
