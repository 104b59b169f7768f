// The image window: the frame's one document window, always maximised and
// without title-bar buttons, that shows the current picture centred, at one
// device pixel per picture pixel unless zoomed, with scroll bars when the
// window is smaller; for a list entry that cannot be loaded it shows why. A zoom keeps the picture point under the pointer (the
// wheel with Ctrl) or at the middle of the view (the keys) where it was; the
// mouse drags a picture larger than the window; fitted to the window, the
// picture follows the window's size. Around the picture the window is darker
// than any grey field of the picture, so its edges show.
#pragma once

#include <optional>

#include <QImage>
#include <QMdiSubWindow>

#include "shell/picture_control.h"

class QLabel;
class QScrollArea;
class QStackedWidget;

class TChild : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TChild(QWidget* parent = nullptr);

    // Shows `picture`, the chain's picture, and keeps it for Print, the
    // pointer readout and the histogram; Save As writes from the state.
    void ShowPicture(const QImage& picture);
    // The entry `name` has no picture: `reason` stands in the picture's place
    // until the next picture.
    void ShowFailure(const QString& name, const QString& reason);
    bool ShowsFailure() const;
    // A zoom scale; the picture keeps it when replaced. `anchor`, a point of
    // the view, stays on the same picture point (the view's middle without).
    void SetZoom(orbalux::ZoomFactor factor, std::optional<QPoint> anchor = std::nullopt);
    // Fitted to the window, the scale follows every change of the window's
    // size and every new picture, until another zoom is set.
    void SetFitToWindow();

    const QImage& Picture() const { return picture_; }
    TPictureControl* Image() const { return image_; }
    QScrollArea* ScrollArea() const { return scroll_; }

signals:
    // Raised by FormClose, before the window goes.
    void closed();
    // The wheel turned `steps` notches (positive: away from the user) with
    // Ctrl held, at `at` in the view.
    void wheelZoom(int steps, QPoint at);
    // The scale changed by itself (fitted to a new size).
    void zoomChanged(orbalux::ZoomFactor factor);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormClose();
    void Refit();
    void ApplyZoom(orbalux::ZoomFactor factor, QPoint anchor);
    void Pan(QPoint delta);

    QStackedWidget* pages_ = nullptr;  // the picture, or the reason it is not there
    QLabel* failure_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    TPictureControl* image_ = nullptr;
    QImage picture_;
    bool fit_ = false;
    int wheelRest_ = 0;  // eighths of a degree short of a notch
};
