// The program's pictures, all drawn here: the 16 x 16 tool button images,
// the program icon and the About box picture.
#pragma once

#include <QIcon>
#include <QImage>

enum class ToolImage {
    Open,
    Save,
    Print,
    ScanBackward,
    Previous,
    ScanStop,
    Next,
    ScanForward,
    OriginalImage,
    FlipVertical,
    Rotate,
    Despeckle,
    Stretch,
    MissingLines,
    ContrastDown,
    ContrastUp,
    BrightnessDown,
    BrightnessUp,
    Invert,
    MinimizeHalf,
    MinimizeQuarter,
    ImageInfo,
    About,
    PercentStretch,
    Equalize,
    Measure,
};

constexpr int kToolImageSize = 16;

QImage DrawToolImage(ToolImage which);
QIcon ToolIcon(ToolImage which);

// Mars behind the six-bit scan lines of a television frame.
QImage DrawProgramIcon(int size);
QIcon ProgramIcon();

// The About box picture: the planet's limb seen from a flyby.
QImage DrawAboutPicture(int width, int height);
