// The shown picture drawn into the image window, straight from the grey
// picture that the BMP holds, and the viewing tools told of it.
#pragma once

#include <QPointer>

#include "shell/MDIChild.h"
#include "shell/viewing_tools.h"
#include "state/picture_state.h"

class TPictureShow {
public:
    TPictureShow(const orbalux::PictureState& state, const QPointer<TChild>& child, TViewingTools& tools);

    // `wholeChain` is false for "Original Image", which runs no stage. Throws
    // OrbaluxError when the picture cannot be assembled.
    void Show(bool wholeChain = true);

private:
    const orbalux::PictureState& state_;
    const QPointer<TChild>& child_;
    TViewingTools& tools_;
};
