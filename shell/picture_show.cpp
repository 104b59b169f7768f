// The shown picture into the image window.
#include "shell/picture_show.h"

#include <QImage>

#include "output/screen_image.h"
#include "state/orbalux_error.h"

TPictureShow::TPictureShow(const orbalux::PictureState& state, const QPointer<TChild>& child, TViewingTools& tools)
    : state_(state), child_(child), tools_(tools) {}

void TPictureShow::Show(bool wholeChain) {
    // The screen image straight from the grey picture that the BMP holds,
    // rather than parsed back out of the BMP.
    QImage picture(state_.ImageWidth, state_.ImageHeight, QImage::Format_RGB32);
    if (picture.isNull() || !orbalux::WriteScreenImage(state_, picture.bits(), picture.bytesPerLine()))
        throw orbalux::OrbaluxError(orbalux::ErrorKind::Failed, state_.CurrentFileName,
                                    "the picture could not be assembled");
    child_->ShowPicture(picture);
    tools_.PictureShown(wholeChain);
}
