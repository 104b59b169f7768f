// The shown picture into the image window, first or again.
#include "shell/picture_show.h"

#include <QImage>

#include "output/screen_image.h"
#include "session/freed_memory.h"
#include "state/orbalux_error.h"

TPictureShow::TPictureShow(const orbalux::BrowsingSession& session, const QPointer<TChild>& child, TViewingTools& tools,
                           TErrorReport& report)
    : session_(session), child_(child), tools_(tools), report_(report) {
    rest_.setSingleShot(true);
    rest_.setInterval(1000);
    QObject::connect(&rest_, &QTimer::timeout, [] { orbalux::ReturnFreedMemory(); });
}

void TPictureShow::Show(bool wholeChain) {
    const orbalux::PictureState& state = session_.State();
    // The screen image straight from the grey picture that the BMP holds,
    // rather than parsed back out of the BMP.
    QImage picture(state.ImageWidth, state.ImageHeight, QImage::Format_RGB32);
    if (picture.isNull() || !orbalux::WriteScreenImage(state, picture.bits(), picture.bytesPerLine()))
        throw orbalux::OrbaluxError(orbalux::ErrorKind::Failed, state.CurrentFileName,
                                    "the picture could not be assembled");
    child_->ShowPicture(picture);
    tools_.PictureShown(wholeChain);
    for (const auto& shown : shown_) shown();
    rest_.start();
}

void TPictureShow::Redisplayed(orbalux::Outcome outcome) {
    if (outcome == orbalux::Outcome::Failed) report_.ReportLastError();
    if (outcome != orbalux::Outcome::Done) return;
    try {
        Show(session_.WholeChainShown());
    } catch (const orbalux::OrbaluxError& e) {
        report_.ReportError(e);
    }
}
