// The command vocabulary of the main window: every menu item and tool button
// with its caption or hint, handler, shortcuts, and whether it needs a picture.
#include "shell/command_bar.h"

#include <array>
#include <cstring>
#include <stdexcept>

#include <QAction>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/command_target.h"
#include "shell/counter_box.h"
#include "shell/icons.h"

namespace {

using Handler = void (TCommandTarget::*)();

// When a command can be given: always, only without a picture (Open), while
// a picture or a bad entry of the list is shown (the steps through the
// list), or only while a picture itself is at hand (what works on it).
// Nothing else decides enablement.
enum class Needs { Nothing, NoPicture, Picture, PictureData };

struct MenuDef {
    const char* name;
    const char* caption;
};

enum MenuIndex { FileMenu, PictureMenu, OptionsMenu, MissingLinesMenu, ViewMenu, ScanMenu, HelpMenu };

// Top-level menus, in menu bar order.
constexpr std::array<MenuDef, 7> kMenus = {{
    {"File1", "&File"},
    {"Picture1", "&Picture"},
    {"Options1", "&Options"},
    {"MissingLines1", "&Missing Lines"},
    {"View1", "&View"},
    {"Scan1", "&Scan-pause"},
    {"Help1", "&About"},
}};

// Columns: menu, design name, caption ("-" for a separator), handler, when
// usable, has a check mark, checked at start, shortcuts besides the
// mnemonic, scan pause it chooses (ms). A display option's item has no
// handler of its own: it is connected to its option (kOptionWidgets), which
// also gives its check mark; a scan pause item sets its pause.
struct MenuItemDef {
    MenuIndex menu;
    const char* name;
    const char* caption;
    Handler handler;
    Needs needs;
    bool checkable;
    bool checked;
    std::array<const char*, 2> shortcuts;
    int pause = 0;
};

constexpr Needs kAny = Needs::Nothing;
constexpr Needs kPic = Needs::Picture;
constexpr Needs kDat = Needs::PictureData;

// clang-format off
const MenuItemDef kMenuItems[] = {
    {FileMenu, "Open1", "&Open...", &TCommandTarget::Open1Click, Needs::NoPicture, false, false, {"Ctrl+O", nullptr}},
    {FileMenu, "Close1", "&Close", &TCommandTarget::Close1Click, kPic, false, false, {"Ctrl+W", nullptr}},
    {FileMenu, "N6", "-", nullptr, kAny, false, false, {}},
    {FileMenu, "Next1", "&Next ", &TCommandTarget::FileForBtnClick, kPic, false, false, {"Right", "PgDown"}},
    {FileMenu, "Previous1", "Pr&evious", &TCommandTarget::FileTylBtnClick, kPic, false, false, {"Left", "PgUp"}},
    {FileMenu, "First1", "&First", &TCommandTarget::First1Click, kPic, false, false, {"Home", nullptr}},
    {FileMenu, "Last1", "&Last", &TCommandTarget::Last1Click, kPic, false, false, {"End", nullptr}},
    {FileMenu, "GoTo1", "&Go to...", &TCommandTarget::GoTo1Click, kPic, false, false, {"Ctrl+G", nullptr}},
    {FileMenu, "SaveAs1", "Save &As...", &TCommandTarget::SaveAs1Click, kDat, false, false, {"Ctrl+S", nullptr}},
    {FileMenu, "ExportSequence1", "Export Sequence...", &TCommandTarget::ExportSequence1Click, kPic, false, false, {"Ctrl+E", nullptr}},
    {FileMenu, "N2", "-", nullptr, kAny, false, false, {}},
    {FileMenu, "ScanForward1", "Scan Forward", &TCommandTarget::FileForAutoBtnClick, kPic, false, false, {"Ctrl+Right", nullptr}},
    {FileMenu, "ScanBackward1", "Scan Backward", &TCommandTarget::FileTylAutBtnClick, kPic, false, false, {"Ctrl+Left", nullptr}},
    {FileMenu, "ScanStop1", "Scan Stop", &TCommandTarget::FileStopBtnClick, kPic, false, false, {"Shift+F5", nullptr}},
    {FileMenu, "ScanToggle1", "S&tart or Stop Scan", &TCommandTarget::ScanToggle1Click, kPic, false, false, {"F5", nullptr}},
    {FileMenu, "N3", "-", nullptr, kAny, false, false, {}},
    {FileMenu, "Print1", "&Print...", &TCommandTarget::Print1Click, kDat, false, false, {"Ctrl+P", nullptr}},
    {FileMenu, "PrintPreview1", "Print Preview...", &TCommandTarget::PrintPreview1Click, kDat, false, false, {"Ctrl+Shift+P", nullptr}},
    {FileMenu, "PrintSetup1", "P&rint Setup...", &TCommandTarget::PrintSetup1Click, kPic, false, false, {}},
    {FileMenu, "N1", "-", nullptr, kAny, false, false, {}},
    {FileMenu, "Exit1", "E&xit", &TCommandTarget::Exit1Click, kAny, false, false, {"Ctrl+Q", nullptr}},
    {OptionsMenu, "Atostretch1", "&Stretch", nullptr, kAny, true, false, {}},
    {OptionsMenu, "Despeckleon1", "&Despeckle ", nullptr, kAny, true, false, {}},
    {OptionsMenu, "FlipVertically1", "&Flip Vertically", nullptr, kAny, true, false, {}},
    {OptionsMenu, "Invert1", "&Invert", nullptr, kAny, true, false, {}},
    {OptionsMenu, "Minimize1", "&Minimize 1/2", nullptr, kAny, true, false, {}},
    {OptionsMenu, "Minimize141", "Minimize 1/4", nullptr, kAny, true, false, {}},
    {OptionsMenu, "Rotate1", "&Rotate", nullptr, kAny, true, false, {}},
    {OptionsMenu, "HorizontalStretch1", "Horizontal Stretch", nullptr, kAny, true, false,
     {}},
    {OptionsMenu, "N8", "-", nullptr, kAny, false, false, {}},
    {OptionsMenu, "PercentileStretch1", "&Percentile Stretch", nullptr, kAny, true, false, {}},
    {OptionsMenu, "Equalize1", "&Equalize", nullptr, kAny, true, false, {}},
    {OptionsMenu, "StretchPercentiles1", "Stretch Per&centiles...", &TCommandTarget::StretchPercentiles1Click, kAny, false,
     false, {}},
    {MissingLinesMenu, "N1missinglinefill1", "1 missing line fill", nullptr, kAny, true,
     false, {}},
    {MissingLinesMenu, "N2ormoremissinglinescompress1", "2 or more missing lines compress",
     nullptr, kAny, true, false, {}},
    {ViewMenu, "Toolbar1", "Toolbar", &TCommandTarget::Toolbar1Click, kAny, true, true, {}},
    {ViewMenu, "Thumbnails1", "Thumbnails", &TCommandTarget::Thumbnails1Click, kAny, true, true, {}},
    {ViewMenu, "N4", "-", nullptr, kAny, false, false, {}},
    {ViewMenu, "ZoomIn1", "Zoom In", &TCommandTarget::ZoomIn1Click, kDat, false, false, {"Ctrl++", "Ctrl+="}},
    {ViewMenu, "ZoomOut1", "Zoom Out", &TCommandTarget::ZoomOut1Click, kDat, false, false, {"Ctrl+-", nullptr}},
    {ViewMenu, "ActualSize1", "Actual Size", &TCommandTarget::ActualSize1Click, kDat, false, false, {"Ctrl+0", nullptr}},
    {ViewMenu, "FitToWindow1", "Fit to Window", &TCommandTarget::FitToWindow1Click, kDat, false, false, {"Ctrl+9", nullptr}},
    {ViewMenu, "FullScreen1", "F&ull Screen", &TCommandTarget::FullScreen1Click, kPic, false, false, {"F11", nullptr}},
    {ViewMenu, "N5", "-", nullptr, kAny, false, false, {}},
    {ViewMenu, "Histogram1", "Histogram", &TCommandTarget::Histogram1Click, kAny, false, false, {"Ctrl+H", nullptr}},
    {ViewMenu, "N7", "-", nullptr, kAny, false, false, {}},
    {ViewMenu, "BlinkWith1", "Blink with...", &TCommandTarget::BlinkWith1Click, kDat, false, false, {}},
    {ViewMenu, "Blink1", "Blink", &TCommandTarget::Blink1Click, kPic, true, false, {"Ctrl+K", nullptr}},
    {ViewMenu, "BlinkInterval1", "Blink Interval...", &TCommandTarget::BlinkInterval1Click, kAny, false, false, {}},
    {ViewMenu, "N9", "-", nullptr, kAny, false, false, {}},
    {ViewMenu, "Measure1", "&Measure", &TCommandTarget::Measure1Click, kDat, true, false, {"M", nullptr}},
    {ViewMenu, "MeasureLine1", "Measure &Line", &TCommandTarget::MeasureLine1Click, kDat, true, false, {"Shift+L", nullptr}},
    {ViewMenu, "CompareWith1", "&Compare with...", &TCommandTarget::CompareWith1Click, kDat, true, false, {"Ctrl+Shift+K", nullptr}},
    {ScanMenu, "N2seconds1", "2 seconds", nullptr, kAny, true, false, {}, 2000},
    {ScanMenu, "N3seconds1", "3 seconds", nullptr, kAny, true, false, {}, 3000},
    {ScanMenu, "N4seconds1", "4 seconds", nullptr, kAny, true, false, {}, 4000},
    {ScanMenu, "N5seconds1", "5 seconds", nullptr, kAny, true, false, {}, 5000},
    {HelpMenu, "About1", "&About...", &TCommandTarget::About1Click, kAny, false, false, {}},
};
// clang-format on

// Columns: design name, hint, image, handler, when usable, shows a pressed
// state, row (0 or 1), 8-pixel gaps before it, then its item in the Picture
// menu (captioned with the hint; none when a File or About item already
// gives the command) and that item's shortcut. A display option's button
// and item have no handler of their own: both toggle their option.
struct ToolButtonDef {
    const char* name;
    const char* hint;
    ToolImage image;
    Handler handler;
    Needs needs;
    bool checkable;
    int row;
    int gapBefore;
    const char* pictureItem;
    const char* shortcut;
};

// clang-format off
const ToolButtonDef kToolButtons[] = {
    {"FileOpenBtn", "Open", ToolImage::Open, &TCommandTarget::Open1Click, Needs::NoPicture, false, 0, 0, nullptr, nullptr},
    {"FileSaveBtn", "Save as BMP", ToolImage::Save, &TCommandTarget::SaveAs1Click, kDat, false, 0, 0, nullptr, nullptr},
    {"ToolButton17", "Print", ToolImage::Print, &TCommandTarget::Print1Click, kDat, false, 0, 0, nullptr, nullptr},
    {"FileTylAutBtn", "Scan Backword", ToolImage::ScanBackward, &TCommandTarget::FileTylAutBtnClick, kPic, true, 0, 2,
     nullptr, nullptr},
    {"FileTylBtn", "Previous", ToolImage::Previous, &TCommandTarget::FileTylBtnClick, kPic, false, 0, 0, nullptr, nullptr},
    {"FileStopBtn", "Scan Stop", ToolImage::ScanStop, &TCommandTarget::FileStopBtnClick, kPic, false, 0, 0, nullptr,
     nullptr},
    {"FileForBtn", "Next", ToolImage::Next, &TCommandTarget::FileForBtnClick, kPic, false, 0, 0, nullptr, nullptr},
    {"FileForAutoBtn", "Scan Forword", ToolImage::ScanForward, &TCommandTarget::FileForAutoBtnClick, kPic, true, 0, 0,
     nullptr, nullptr},
    {"ToolButton9", "Original Image", ToolImage::OriginalImage, &TCommandTarget::ToolButton9Click, kDat, false, 0, 2,
     "OriginalImage1", "Backspace"},
    {"ToolButton10", "Flip Vertically", ToolImage::FlipVertical, nullptr, kDat, true, 0, 0,
     "FlipVertically2", "V"},
    {"ToolButton33", "Rotate", ToolImage::Rotate, nullptr, kDat, true, 0, 0, "Rotate2", "R"},
    {"ToolButton12", "Despeckle", ToolImage::Despeckle, nullptr, kDat, true, 0, 0, "Despeckle1",
     "D"},
    {"ToolButton13", "Stretch", ToolImage::Stretch, nullptr, kDat, true, 0, 0, "Stretch1", "S"},
    {"ToolButton18", "Missing lines", ToolImage::MissingLines, nullptr, kDat, true, 0, 0,
     "Missinglines1", "L"},
    {"ToolButton34", "Percentile Stretch", ToolImage::PercentStretch, nullptr, kDat, true, 0, 0,
     "PercentileStretch2", "P"},
    {"ToolButton35", "Equalize", ToolImage::Equalize, nullptr, kDat, true, 0, 0, "Equalize2", "E"},
    {"ToolButton27", "Contrast Down", ToolImage::ContrastDown, &TCommandTarget::ToolButton27Click, kDat, false, 1, 0,
     "ContrastDown1", "Shift+C"},
    {"ToolButton28", "Contrast Up", ToolImage::ContrastUp, &TCommandTarget::ToolButton28Click, kDat, false, 1, 0,
     "ContrastUp1", "C"},
    {"ToolButton20", "Brightness Down", ToolImage::BrightnessDown, &TCommandTarget::ToolButton20Click, kDat, false, 1, 0,
     "BrightnessDown1", "Shift+B"},
    {"ToolButton21", "Brightness Up", ToolImage::BrightnessUp, &TCommandTarget::ToolButton21Click, kDat, false, 1, 0,
     "BrightnessUp1", "B"},
    {"ToolButton19", "Invert Display", ToolImage::Invert, nullptr, kDat, true, 1, 3,
     "InvertDisplay1", "I"},
    {"ToolButton30", "Minimize", ToolImage::MinimizeHalf, nullptr, kDat, true, 1, 0,
     "Minimize2", "H"},
    {"ToolButton32", "Minimize - 25 % original size", ToolImage::MinimizeQuarter, nullptr, kDat,
     true, 1, 0, "Minimize25originalsize1", "Q"},
    {"MeasureBtn", "Measure", ToolImage::Measure, &TCommandTarget::Measure1Click, kDat, true, 1, 3, nullptr, nullptr},
    {"ToolButton29", "Image Info", ToolImage::ImageInfo, &TCommandTarget::ToolButton29Click, kDat, false, 1, 3,
     "ImageInfo1", "Ctrl+I"},
    {"HelpAboutBtn", "About", ToolImage::About, &TCommandTarget::HelpAboutBtnClick, kAny, false, 1, 0, nullptr, nullptr},
};
// clang-format on

// The widgets of each display option: its Options or Missing Lines menu item
// and its tool button (none for the two switches without one). The option is
// named by where its switch lives, as its row of the options table says.
struct OptionWidgetsDef {
    orbalux::SwitchKind kind;
    int orbalux::DisplayOptions::*flag;
    const char* menuItem;
    const char* toolButton;
};

using D = orbalux::DisplayOptions;
using K = orbalux::SwitchKind;

const OptionWidgetsDef kOptionWidgets[] = {
    {K::ChainFlag, &D::Stretch, "Atostretch1", "ToolButton13"},
    {K::ChainFlag, &D::Despeckle, "Despeckleon1", "ToolButton12"},
    {K::ChainFlag, &D::FlipVertical, "FlipVertically1", "ToolButton10"},
    {K::ChainFlag, &D::Rotate, "Rotate1", "ToolButton33"},
    {K::ChainFlag, &D::Invert, "Invert1", "ToolButton19"},
    {K::ChainFlag, &D::MinimizeHalf, "Minimize1", "ToolButton30"},
    {K::ChainFlag, &D::MinimizeQuarter, "Minimize141", "ToolButton32"},
    {K::ChainFlag, &D::FillMissingLine, "N1missinglinefill1", "ToolButton18"},
    {K::HorizontalStretch, nullptr, "HorizontalStretch1", nullptr},
    {K::KeepGaps, nullptr, "N2ormoremissinglinescompress1", nullptr},
};

const OptionWidgetsDef& WidgetsOf(const orbalux::DisplayOptionRow& row) {
    for (const OptionWidgetsDef& def : kOptionWidgets)
        if (def.kind == row.kind && def.flag == row.flag) return def;
    throw std::logic_error(std::string("no widgets for the option ") + std::string(row.cliOption));
}

constexpr int kGap = 8;

bool Same(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

// Enabled at start: no picture is shown.
bool UsableWithoutPicture(Needs needs) { return needs == Needs::Nothing || needs == Needs::NoPicture; }

void SetUsable(QObject* command, Needs needs, bool pictureShown, bool pictureAtHand) {
    if (needs == Needs::Nothing || !command) return;
    const bool usable = needs == Needs::NoPicture ? !pictureShown
                      : needs == Needs::Picture   ? pictureShown
                                                  : pictureAtHand;
    if (auto* action = qobject_cast<QAction*>(command)) action->setEnabled(usable);
    if (auto* button = qobject_cast<QToolButton*>(command)) button->setEnabled(usable);
}

// The menu item of a display option is checked while the option is on; the
// compress item shows the opposite of "keep gaps".
bool MenuItemChecked(const orbalux::PictureState& state, const orbalux::DisplayOptionRow& row) {
    const bool on = orbalux::MenuOptionOn(state, row);
    return row.kind == orbalux::SwitchKind::KeepGaps ? !on : on;
}

}  // namespace

QAction* TCommandBar::MenuItem(const char* name) const {
    for (std::size_t i = 0; i < std::size(kMenuItems); ++i)
        if (Same(kMenuItems[i].name, name)) return menuItems_[i];
    throw std::logic_error(std::string("no menu item ") + name);
}

QToolButton* TCommandBar::ToolButton(const char* name) const {
    for (std::size_t i = 0; i < std::size(kToolButtons); ++i)
        if (Same(kToolButtons[i].name, name)) return toolButtons_[i];
    throw std::logic_error(std::string("no tool button ") + name);
}

TCommandBar::TCommandBar(QMainWindow& frame, TCommandTarget& target, orbalux::BrowsingSession& session)
    : frame_(frame), session_(session) {
    BuildMenus(target);
    BuildToolBar(target);
}

QAction* TCommandBar::PictureItem(const char* name) const {
    for (std::size_t i = 0; i < std::size(kToolButtons); ++i)
        if (kToolButtons[i].pictureItem && Same(kToolButtons[i].pictureItem, name)) return pictureItems_[i];
    throw std::logic_error(std::string("no picture item ") + name);
}

void TCommandBar::ToggleToolBar() {
    const bool show = toolBar_->isHidden();
    toolBar_->setVisible(show);
    MenuItem("Toolbar1")->setChecked(show);
}

void TCommandBar::SetPictureCommands(bool pictureShown) {
    // A bad entry of the list has no picture for the commands that work on one.
    const bool atHand = pictureShown && session_.PictureUsable();
    for (std::size_t i = 0; i < std::size(kMenuItems); ++i)
        SetUsable(menuItems_[i], kMenuItems[i].needs, pictureShown, atHand);
    for (std::size_t i = 0; i < std::size(kToolButtons); ++i) {
        SetUsable(toolButtons_[i], kToolButtons[i].needs, pictureShown, atHand);
        SetUsable(pictureItems_[i], kToolButtons[i].needs, pictureShown, atHand);
    }
    // The counter box takes a position only while there is a list to go to.
    counter_->setReadOnly(!pictureShown);
}

void TCommandBar::SetScanPause(int milliseconds) {
    session_.SetScanPause(milliseconds);
    for (std::size_t i = 0; i < std::size(kMenuItems); ++i)
        if (kMenuItems[i].pause != 0) menuItems_[i]->setChecked(kMenuItems[i].pause == milliseconds);
}

void TCommandBar::BuildMenus(TCommandTarget& target) {
    std::array<QMenu*, kMenus.size()> menus{};
    for (std::size_t i = 0; i < kMenus.size(); ++i) {
        menus[i] = frame_.menuBar()->addMenu(kMenus[i].caption);
        menus[i]->setObjectName(kMenus[i].name);
    }
    for (const MenuItemDef& def : kMenuItems) {
        QMenu* menu = menus[def.menu];
        QAction* action = nullptr;
        if (Same(def.caption, "-")) {
            action = menu->addSeparator();
        } else {
            action = menu->addAction(def.caption);
            action->setCheckable(def.checkable);
            action->setChecked(def.checked);
            action->setEnabled(UsableWithoutPicture(def.needs));
            QList<QKeySequence> keys;
            for (const char* key : def.shortcuts)
                if (key) keys << QKeySequence(key);
            action->setShortcuts(keys);
            if (const Handler handler = def.handler)
                QObject::connect(action, &QAction::triggered, &frame_, [&target, handler] { (target.*handler)(); });
            if (const int pause = def.pause)
                QObject::connect(action, &QAction::triggered, this, [this, pause] { SetScanPause(pause); });
        }
        action->setObjectName(def.name);
        // The keys work also while the menu bar is out of sight (full screen).
        frame_.addAction(action);
        menuItems_.push_back(action);
    }
    // Each option's menu item, paired once with its row; the row goes with
    // the command, so no click looks it up (the option controls connect it).
    const auto table = orbalux::DisplayOptionTable();
    options_.reserve(table.size());
    for (const orbalux::DisplayOptionRow& row : table) {
        QAction* item = MenuItem(WidgetsOf(row).menuItem);
        item->setChecked(MenuItemChecked(session_.State(), row));
        options_.push_back({&row, item, nullptr, nullptr});
    }
    // Closing works wherever the focus is, the histogram window included.
    MenuItem("Close1")->setShortcutContext(Qt::ApplicationShortcut);

    // The Picture menu: every tool-button command that no other menu gives,
    // in tool bar order, captioned with the button's hint.
    QMenu* pictureMenu = menus[PictureMenu];
    for (const ToolButtonDef& def : kToolButtons) {
        if (!def.pictureItem) {
            pictureItems_.push_back(nullptr);
            continue;
        }
        if (def.gapBefore > 0 && !pictureMenu->isEmpty()) pictureMenu->addSeparator();
        QAction* action = pictureMenu->addAction(def.hint);
        action->setObjectName(def.pictureItem);
        action->setCheckable(def.checkable);
        action->setEnabled(UsableWithoutPicture(def.needs));
        if (def.shortcut) action->setShortcut(QKeySequence(def.shortcut));
        frame_.addAction(action);
        if (const Handler handler = def.handler)
            QObject::connect(action, &QAction::triggered, &frame_, [&target, handler] { (target.*handler)(); });
        pictureItems_.push_back(action);
    }
}

void TCommandBar::BuildToolBar(TCommandTarget& target) {
    toolBar_ = new QToolBar(&frame_);
    toolBar_->setObjectName("MojToolBar");
    toolBar_->setWindowTitle("Toolbar");
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(kToolImageSize, kToolImageSize));
    // the View menu holds the only switch for it
    toolBar_->toggleViewAction()->setVisible(false);
    frame_.setContextMenuPolicy(Qt::NoContextMenu);
    frame_.addToolBar(Qt::TopToolBarArea, toolBar_);

    // Two rows in one tool bar, so that it hides and shows as one.
    auto* rows = new QWidget(toolBar_);
    rows->setObjectName("MojCoolBar");
    auto* column = new QVBoxLayout(rows);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    std::array<QHBoxLayout*, 2> row{new QHBoxLayout, new QHBoxLayout};
    for (QHBoxLayout* r : row) {
        r->setSpacing(0);
        column->addLayout(r);
    }

    for (std::size_t i = 0; i < std::size(kToolButtons); ++i) {
        const ToolButtonDef& def = kToolButtons[i];
        QHBoxLayout* r = row[static_cast<std::size_t>(def.row)];
        if (def.gapBefore > 0) r->addSpacing(def.gapBefore * kGap);
        auto* button = new QToolButton(rows);
        button->setObjectName(def.name);
        button->setToolTip(def.hint);
        button->setIcon(ToolIcon(def.image));
        button->setIconSize(QSize(kToolImageSize, kToolImageSize));
        button->setAutoRaise(true);
        // Reached by Tab, in tool bar order; Space presses it.
        button->setFocusPolicy(Qt::TabFocus);
        button->setCheckable(def.checkable);
        button->setEnabled(UsableWithoutPicture(def.needs));
        if (const Handler handler = def.handler)
            QObject::connect(button, &QToolButton::clicked, &frame_, [&target, handler] { (target.*handler)(); });
        r->addWidget(button);
        toolButtons_.push_back(button);
        // The display option this button and its Picture item toggle on the
        // shown picture.
        for (OptionControl& option : options_) {
            const char* optionButton = WidgetsOf(*option.row).toolButton;
            if (!optionButton || !Same(optionButton, def.name)) continue;
            option.button = button;
            option.pictureItem = pictureItems_[i];
        }
    }

    row[1]->addSpacing(2 * kGap);
    BuildCounter(rows);
    row[1]->addWidget(counter_);
    for (QHBoxLayout* r : row) r->addStretch(1);

    toolBar_->addWidget(rows);
}

void TCommandBar::BuildCounter(QWidget* parent) {
    // Shows the position and the count; while a picture is shown it also
    // takes a position: "125" and Enter go to entry 125 of the list.
    counter_ = new TCounterBox("0/0", parent);
    counter_->setObjectName("Memo1");
    counter_->setReadOnly(true);
    counter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    counter_->setFixedHeight(22);
    counter_->setFocusPolicy(Qt::StrongFocus);
    counter_->setToolTip("Type a position and press Enter to go there");
    QFont counterFont = counter_->font();
    counterFont.setPixelSize(16);
    counter_->setFont(counterFont);
}
