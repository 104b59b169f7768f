// The display options: the menu items that set the defaults for the next
// load, and the tool buttons that re-run the chain on the shown picture.
#include <QAction>
#include <QToolButton>

#include "load/load_sequence.h"
#include "state/orbalux_error.h"
#include "processing/stages.h"
#include "shell/InfoUnit.h"
#include "shell/MDIChild.h"
#include "shell/MainUnit.h"
#include "shell/dialog_seam.h"

namespace {

using orbalux::DisplayOptions;
using orbalux::PictureState;

// Columns: option button, the flag it shows and toggles.
struct OptionButton {
    const char* button;
    int DisplayOptions::*flag;
};
constexpr OptionButton kOptionButtons[] = {
    {"ToolButton13", &DisplayOptions::Stretch},
    {"ToolButton12", &DisplayOptions::Despeckle},
    {"ToolButton10", &DisplayOptions::FlipVertical},
    {"ToolButton33", &DisplayOptions::Rotate},
    {"ToolButton18", &DisplayOptions::FillMissingLine},
    {"ToolButton19", &DisplayOptions::Invert},
    {"ToolButton30", &DisplayOptions::MinimizeHalf},
    {"ToolButton32", &DisplayOptions::MinimizeQuarter},
};

// An option flag is 0 or 1; anything but 0 counts as set and turns to 0.
int Flipped(int flag) { return flag == 0 ? 1 : 0; }

}  // namespace

void TMainForm::SyncOptionButtons() {
    for (const OptionButton& b : kOptionButtons) Button(b.button)->setChecked(state_.MenuOptions.*b.flag == 1);
}

void TMainForm::ToggleMenuOption(int& flag, const char* item) {
    flag = Flipped(flag);
    Action(item)->setChecked(flag == 1);
}

void TMainForm::Atostretch1Click() { ToggleMenuOption(state_.MenuOptions.Stretch, "Atostretch1"); }
void TMainForm::Despeckleon1Click() { ToggleMenuOption(state_.MenuOptions.Despeckle, "Despeckleon1"); }
void TMainForm::FlipVertically1Click() { ToggleMenuOption(state_.MenuOptions.FlipVertical, "FlipVertically1"); }
void TMainForm::Invert1Click() { ToggleMenuOption(state_.MenuOptions.Invert, "Invert1"); }
void TMainForm::Minimize1Click() { ToggleMenuOption(state_.MenuOptions.MinimizeHalf, "Minimize1"); }
void TMainForm::Minimize141Click() { ToggleMenuOption(state_.MenuOptions.MinimizeQuarter, "Minimize141"); }
void TMainForm::Rotate1Click() { ToggleMenuOption(state_.MenuOptions.Rotate, "Rotate1"); }
void TMainForm::HorizontalStretch1Click() { ToggleMenuOption(state_.HorizontalStretchOn, "HorizontalStretch1"); }
void TMainForm::N1missinglinefill1Click() {
    ToggleMenuOption(state_.MenuOptions.FillMissingLine, "N1missinglinefill1");
}
void TMainForm::N2ormoremissinglinescompress1Click() {
    ToggleMenuOption(state_.CompressMissingLines, "N2ormoremissinglinescompress1");
}

void TMainForm::Reprocess(const std::function<void(PictureState&)>& change) {
    if (!CurrentChild_) return;
    try {
        orbalux::ReprocessPicture(state_, change);
        ShowPicture();
    } catch (const orbalux::OrbaluxError& e) {
        ReportError(QString::fromLocal8Bit(e.file()), QString::fromLocal8Bit(e.reason()));
    } catch (const std::exception& e) {
        ReportError(QString(), QString::fromLocal8Bit(e.what()));
    }
}

void TMainForm::ToggleOptionButton(int DisplayOptions::*flag, const char* button) {
    Reprocess([flag](PictureState& s) { s.ActiveOptions.*flag = Flipped(s.ActiveOptions.*flag); });
    Button(button)->setChecked(state_.ActiveOptions.*flag == 1);
}

void TMainForm::ToolButton10Click() { ToggleOptionButton(&DisplayOptions::FlipVertical, "ToolButton10"); }
void TMainForm::ToolButton33Click() { ToggleOptionButton(&DisplayOptions::Rotate, "ToolButton33"); }
void TMainForm::ToolButton12Click() { ToggleOptionButton(&DisplayOptions::Despeckle, "ToolButton12"); }
void TMainForm::ToolButton13Click() { ToggleOptionButton(&DisplayOptions::Stretch, "ToolButton13"); }
void TMainForm::ToolButton18Click() { ToggleOptionButton(&DisplayOptions::FillMissingLine, "ToolButton18"); }
void TMainForm::ToolButton19Click() { ToggleOptionButton(&DisplayOptions::Invert, "ToolButton19"); }
void TMainForm::ToolButton30Click() { ToggleOptionButton(&DisplayOptions::MinimizeHalf, "ToolButton30"); }
void TMainForm::ToolButton32Click() { ToggleOptionButton(&DisplayOptions::MinimizeQuarter, "ToolButton32"); }

void TMainForm::ToolButton27Click() { Reprocess([](PictureState& s) { s.ContrastLevel -= 1; }); }
void TMainForm::ToolButton28Click() { Reprocess([](PictureState& s) { s.ContrastLevel += 1; }); }
void TMainForm::ToolButton20Click() {
    Reprocess([](PictureState& s) { s.BrightnessLevel -= orbalux::kBrightnessStep; });
}
void TMainForm::ToolButton21Click() {
    Reprocess([](PictureState& s) { s.BrightnessLevel += orbalux::kBrightnessStep; });
}

void TMainForm::ToolButton9Click() {
    if (!CurrentChild_) return;
    try {
        orbalux::ShowOriginalImage(state_);
        for (const OptionButton& b : kOptionButtons) Button(b.button)->setChecked(false);
        ShowPicture(false);
    } catch (const orbalux::OrbaluxError& e) {
        ReportError(QString::fromLocal8Bit(e.file()), QString::fromLocal8Bit(e.reason()));
    } catch (const std::exception& e) {
        ReportError(QString(), QString::fromLocal8Bit(e.what()));
    }
}

void TMainForm::ToolButton29Click() { seam_.showModal(*InfoBox_); }
