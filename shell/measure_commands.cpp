// Measure mode: the mouse over the picture draws the shape instead of
// dragging the picture, and every change of shape or picture measures again.
#include "shell/measure_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QScrollArea>
#include <QPainter>
#include <QShortcut>
#include <QStatusBar>
#include <QToolButton>

#include "output/atomic_file.h"
#include "shell/compare_view.h"
#include "shell/dialog_seam.h"
#include "shell/error_report.h"
#include "shell/native_names.h"
#include "shell/picture_control.h"
#include "shell/profile_window.h"
#include "shell/region_window.h"
#include "shell/scan_control.h"
#include "shell/wrote_message.h"
#include "state/orbalux_error.h"

using orbalux::MeasureMode;
using orbalux::ShownPixel;

// The shapes drawn over the picture control, in its coordinates: a picture
// pixel p covers screen pixels p * zoom to (p + 1) * zoom, so the shapes
// follow every zoom; as a child of the control they follow every scroll.
class TMeasureOverlay : public QWidget {
public:
    TMeasureOverlay(TPictureControl* image, const orbalux::MeasureTool& tool) : QWidget(image), tool_(tool) {
        setObjectName("MeasureOverlay");
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(image->rect());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        auto* image = static_cast<TPictureControl*>(parentWidget());
        const orbalux::ZoomFactor z = image->Zoom();
        const double scale = double(z.numerator) / double(z.denominator) / image->PixelRatio();
        QPainter p(this);
        if (const std::optional<orbalux::Region> r = tool_.Rectangle()) {
            const QRectF box(r->column * scale, r->row * scale, r->width * scale, r->height * scale);
            p.setPen(QPen(Qt::black, 1));
            p.drawRect(box);
            p.setPen(QPen(QColor(255, 210, 0), 1, Qt::DashLine));
            p.drawRect(box);
        }
        if (const auto line = tool_.Line()) {
            const auto centre = [scale](ShownPixel a) {
                return QPointF((a.column + 0.5) * scale, (a.row + 0.5) * scale);
            };
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(QColor(0, 220, 255), 1.5));
            p.drawLine(centre(line->from), centre(line->to));
        }
    }

private:
    const orbalux::MeasureTool& tool_;
};

TMeasureCommands::TMeasureCommands(QMainWindow& frame, const orbalux::BrowsingSession& session,
                                   const QPointer<TChild>& child, TDialogSeam& seam, TErrorReport& report,
                                   TCompareView& compare, TScanControl& scan, MeasureItems items)
    : QObject(&frame),
      frame_(frame),
      session_(session),
      child_(child),
      seam_(seam),
      report_(report),
      compare_(compare),
      scan_(scan),
      items_(items) {
    lengthStatus_ = new QLabel(&frame_);
    lengthStatus_->setObjectName("MeasureStatus");
    lengthStatus_->setTextFormat(Qt::PlainText);
    frame_.statusBar()->addWidget(lengthStatus_);
    lengthStatus_->hide();
    // Full screen takes Esc for itself while it lasts.
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), &frame_, [this] { Clear(); });
    escape_->setObjectName("MeasureEscape");
    frame_.installEventFilter(this);
    UpdateEscape();
}

TMeasureCommands::~TMeasureCommands() {
    if (watched_) watched_->removeEventFilter(this);
    if (margin_) margin_->removeEventFilter(this);
    frame_.removeEventFilter(this);
}

orbalux::ShownGeometry TMeasureCommands::Geometry() const {
    return orbalux::ShownGeometryOf(session_.State(), session_.WholeChainShown());
}

void TMeasureCommands::ToggleRectangle() { Toggle(MeasureMode::Rectangle); }
void TMeasureCommands::ToggleLine() { Toggle(MeasureMode::Line); }

void TMeasureCommands::Toggle(MeasureMode mode) {
    tool_.Toggle(mode);
    // The windows come with the first use and stay docked until closed.
    if (mode == MeasureMode::Rectangle && tool_.Mode() == mode) {
        if (!region_) {
            region_ = new TRegionWindow(&frame_, [this](const QString& csv) { SaveCsv(csv, "region"); });
            frame_.addDockWidget(Qt::RightDockWidgetArea, region_);
        }
        region_->show();
    }
    if (mode == MeasureMode::Line && tool_.Mode() == mode) {
        if (!profile_) {
            profile_ = new TProfileWindow(&frame_, [this](const QString& csv) { SaveCsv(csv, "profile"); });
            frame_.addDockWidget(Qt::BottomDockWidgetArea, profile_);
        }
        profile_->show();
    }
    Attach();
    SyncItems();
    UpdateEscape();
}

void TMeasureCommands::Clear() {
    tool_.Clear();
    pressed_ = false;
    compare_.End();
    Measure();
    SyncItems();
    UpdateEscape();
}

void TMeasureCommands::PictureShown() {
    Attach();
    Measure();
}

void TMeasureCommands::UpdateEscape() {
    const bool something = tool_.HasShape() || tool_.Mode() != MeasureMode::Off || compare_.Active();
    escape_->setEnabled(something && !frame_.isFullScreen());
}

void TMeasureCommands::SyncItems() {
    if (items_.rectangle) items_.rectangle->setChecked(tool_.Mode() == MeasureMode::Rectangle);
    if (items_.line) items_.line->setChecked(tool_.Mode() == MeasureMode::Line);
    if (items_.button) items_.button->setChecked(tool_.Mode() != MeasureMode::Off);
    if (child_ && child_->Image())
        child_->Image()->setCursor(tool_.Mode() == MeasureMode::Off ? Qt::ArrowCursor : Qt::CrossCursor);
}

void TMeasureCommands::Attach() {
    if (!child_) return;
    TPictureControl* image = child_->Image();
    if (watched_ != image) {
        if (watched_) watched_->removeEventFilter(this);
        if (margin_) margin_->removeEventFilter(this);
        image->installEventFilter(this);
        watched_ = image;
        // A drag may start in the margin around the picture, to reach its edge.
        margin_ = child_->ScrollArea()->viewport();
        margin_->installEventFilter(this);
        overlay_ = new TMeasureOverlay(image, tool_);
        overlay_->show();
    }
    overlay_->setGeometry(image->rect());
    overlay_->raise();
    overlay_->update();
}

void TMeasureCommands::Measure() {
    const orbalux::PictureState& state = session_.State();
    const bool whole = session_.WholeChainShown();
    const bool picture = session_.PictureUsable() && child_;
    if (region_) region_->SetStatistics(picture ? tool_.Statistics(state, whole) : std::nullopt);
    if (profile_) profile_->SetProfile(picture ? tool_.Profile(state, whole) : std::vector<orbalux::ProfileSample>{});
    const std::optional<orbalux::Distance> length = picture ? tool_.Length(state, whole) : std::nullopt;
    lengthStatus_->setText(length ? QString::fromStdString(orbalux::LineStatusText(*length)) : QString());
    // Hidden while empty, so it takes no room from the other fields.
    lengthStatus_->setVisible(length.has_value());
    if (overlay_) overlay_->update();
}

bool TMeasureCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &frame_) {
        if (event->type() == QEvent::WindowStateChange) UpdateEscape();
        return false;
    }
    if ((watched != watched_ && watched != margin_) || !child_) return false;
    if (event->type() == QEvent::Resize && overlay_) {
        overlay_->setGeometry(child_->Image()->rect());
        return false;
    }
    if (tool_.Mode() == MeasureMode::Off || !session_.PictureUsable()) return false;
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    TPictureControl* image = child_->Image();
    const QPointF atControl =
        watched == margin_ ? QPointF(image->mapFrom(margin_, mouse->position().toPoint())) : mouse->position();
    const QPoint device = image->ToDevice(atControl);
    const ShownPixel at = orbalux::NearestShownPixel(device.x(), device.y(), image->Zoom(), Geometry());
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        pressed_ = true;
        tool_.Press(at, Geometry());
        Measure();
        UpdateEscape();
        return true;  // the picture is not dragged in this mode
    }
    if (type == QEvent::MouseMove && pressed_ && (mouse->buttons() & Qt::LeftButton)) {
        tool_.Drag(at, Geometry());
        Measure();
        return false;  // the pointer readout goes on
    }
    if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        return true;
    }
    return false;
}

void TMeasureCommands::SaveCsv(const QString& csv, const char* what) {
    // As every dialog: a scan waits, and a folder whose name is not UTF-8 is
    // proposed through a path the dialog can hold.
    const TScanControl::Wait wait(scan_);
    const QFileInfo picture(DialogPath(session_.ProposedSavePath()));
    QString proposed =
        picture.dir().filePath(QString::fromStdString(session_.State().CurrentFileName) + "." + what + ".csv");
    for (;;) {
        const std::optional<SaveChoice> choice = seam_.saveFileName(&frame_, proposed, "CSV files (*.csv)");
        if (!choice || choice->path.isEmpty()) return;
        proposed = choice->path;
        if (QFileInfo(proposed).suffix().isEmpty()) proposed += ".csv";
        // A measurement never takes the place of a picture file.
        if (session_.IsListedPicture(ToNative(proposed))) {
            seam_.showError(&frame_,
                            QString("%1\n\nis a picture file of the volume. Choose another name.").arg(proposed));
            continue;
        }
        const QFileInfo existing(proposed);
        if (existing.exists() && !existing.isDir() && !seam_.confirmOverwrite(&frame_, proposed)) continue;
        try {
            const std::string text = csv.toStdString();
            orbalux::WriteFileAtomically(ToNative(proposed),
                                         [&text](std::FILE* file) { std::fwrite(text.data(), 1, text.size(), file); });
            ShowWrote(frame_, proposed);
        } catch (const orbalux::OrbaluxError& e) {
            report_.ReportError(e);
        }
        return;
    }
}
