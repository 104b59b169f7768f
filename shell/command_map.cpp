// The command vocabulary of the main window: every menu item and tool button
// with its caption or hint, handler and initial state.
#include <array>

#include <QAction>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/MainUnit.h"
#include "shell/icons.h"

namespace {

using Handler = void (TMainForm::*)();

struct MenuDef {
    const char* name;
    const char* caption;
};

// Top-level menus, in menu bar order.
constexpr std::array<MenuDef, 6> kMenus = {{
    {"File1", "&File"},
    {"Options1", "&Options"},
    {"MissingLines1", "&Missing Lines"},
    {"View1", "View"},
    {"Scan1", "Scan-pause"},
    {"Help1", "&About"},
}};

// Columns: menu (index into kMenus), design name, caption ("-" for a
// separator), handler, has a check mark, checked at start, enabled at start,
// shortcuts besides the mnemonic.
struct MenuItemDef {
    int menu;
    const char* name;
    const char* caption;
    Handler handler;
    bool checkable;
    bool checked;
    bool enabled;
    std::array<const char*, 2> shortcuts;
};

const MenuItemDef kMenuItems[] = {
    {0, "Open1", "&Open...", &TMainForm::Open1Click, false, false, true, {"Ctrl+O", nullptr}},
    {0, "Next1", "&Next ", &TMainForm::FileForBtnClick, false, false, false, {"Right", "PgDown"}},
    {0, "Previous1", "Pr&evious", &TMainForm::FileTylBtnClick, false, false, false, {"Left", "PgUp"}},
    {0, "SaveAs1", "Save &As...", &TMainForm::SaveAs1Click, false, false, false, {"Ctrl+S", nullptr}},
    {0, "N2", "-", nullptr, false, false, true, {}},
    {0, "ScanForward1", "Scan Forward", &TMainForm::FileForAutoBtnClick, false, false, false, {}},
    {0, "ScanBackward1", "Scan Backward", &TMainForm::FileTylAutBtnClick, false, false, false, {}},
    {0, "ScanStop1", "Scan Stop", &TMainForm::FileStopBtnClick, false, false, false, {}},
    {0, "N3", "-", nullptr, false, false, true, {}},
    {0, "Print1", "&Print...", &TMainForm::Print1Click, false, false, false, {"Ctrl+P", nullptr}},
    {0, "PrintPreview1", "Print Preview...", &TMainForm::PrintPreview1Click, false, false, false, {}},
    {0, "PrintSetup1", "P&rint Setup...", &TMainForm::PrintSetup1Click, false, false, false, {}},
    {0, "N1", "-", nullptr, false, false, true, {}},
    {0, "Exit1", "E&xit", &TMainForm::Exit1Click, false, false, true, {"Ctrl+Q", nullptr}},
    {1, "Atostretch1", "&Stretch", &TMainForm::Atostretch1Click, true, false, true, {}},
    {1, "Despeckleon1", "&Despeckle ", &TMainForm::Despeckleon1Click, true, false, true, {}},
    {1, "FlipVertically1", "&Flip Vertically", &TMainForm::FlipVertically1Click, true, false, true, {}},
    {1, "Invert1", "&Invert", &TMainForm::Invert1Click, true, false, true, {}},
    {1, "Minimize1", "&Minimize 1/2", &TMainForm::Minimize1Click, true, false, true, {}},
    {1, "Minimize141", "Minimize 1/4", &TMainForm::Minimize141Click, true, false, true, {}},
    {1, "Rotate1", "&Rotate", &TMainForm::Rotate1Click, true, false, true, {}},
    {1, "HorizontalStretch1", "Horizontal Stretch", &TMainForm::HorizontalStretch1Click, true, false, true, {}},
    {2, "N1missinglinefill1", "1 missing line fill", &TMainForm::N1missinglinefill1Click, true, false, true, {}},
    {2, "N2ormoremissinglinescompress1", "2 or more missing lines compress",
     &TMainForm::N2ormoremissinglinescompress1Click, true, true, true, {}},
    {3, "Toolbar1", "Toolbar", &TMainForm::Toolbar1Click, true, true, true, {}},
    {3, "N4", "-", nullptr, false, false, true, {}},
    {3, "ZoomIn1", "Zoom In", &TMainForm::ZoomIn1Click, false, false, true, {"Ctrl++", "Ctrl+="}},
    {3, "ZoomOut1", "Zoom Out", &TMainForm::ZoomOut1Click, false, false, true, {"Ctrl+-", nullptr}},
    {3, "ActualSize1", "Actual Size", &TMainForm::ActualSize1Click, false, false, true, {"Ctrl+0", nullptr}},
    {3, "FitToWindow1", "Fit to Window", &TMainForm::FitToWindow1Click, false, false, true, {"Ctrl+9", nullptr}},
    {3, "N5", "-", nullptr, false, false, true, {}},
    {3, "Histogram1", "Histogram", &TMainForm::Histogram1Click, false, false, true, {"Ctrl+H", nullptr}},
    {4, "N2seconds1", "2 seconds", &TMainForm::N2seconds1Click, true, false, true, {}},
    {4, "N3seconds1", "3 seconds", &TMainForm::N3seconds1Click, true, false, true, {}},
    {4, "N4seconds1", "4 seconds", &TMainForm::N4seconds1Click, true, false, true, {}},
    {4, "N5seconds1", "5 seconds", &TMainForm::N5seconds1Click, true, false, true, {}},
    {5, "About1", "&About...", &TMainForm::About1Click, false, false, true, {}},
};

// Columns: design name, hint, image, handler, shows a pressed state, row (0
// or 1), 8-pixel gaps before it. Every button but Open and About starts
// disabled.
struct ToolButtonDef {
    const char* name;
    const char* hint;
    ToolImage image;
    Handler handler;
    bool checkable;
    int row;
    int gapBefore;
};

const ToolButtonDef kToolButtons[] = {
    {"FileOpenBtn", "Open", ToolImage::Open, &TMainForm::Open1Click, false, 0, 0},
    {"FileSaveBtn", "Save as BMP", ToolImage::Save, &TMainForm::SaveAs1Click, false, 0, 0},
    {"ToolButton17", "Print", ToolImage::Print, &TMainForm::Print1Click, false, 0, 0},
    {"FileTylAutBtn", "Scan Backword", ToolImage::ScanBackward, &TMainForm::FileTylAutBtnClick, true, 0, 2},
    {"FileTylBtn", "Previous", ToolImage::Previous, &TMainForm::FileTylBtnClick, false, 0, 0},
    {"FileStopBtn", "Scan Stop", ToolImage::ScanStop, &TMainForm::FileStopBtnClick, false, 0, 0},
    {"FileForBtn", "Next", ToolImage::Next, &TMainForm::FileForBtnClick, false, 0, 0},
    {"FileForAutoBtn", "Scan Forword", ToolImage::ScanForward, &TMainForm::FileForAutoBtnClick, true, 0, 0},
    {"ToolButton9", "Original Image", ToolImage::OriginalImage, &TMainForm::ToolButton9Click, false, 0, 2},
    {"ToolButton10", "Flip Vertically", ToolImage::FlipVertical, &TMainForm::ToolButton10Click, true, 0, 0},
    {"ToolButton33", "Rotate", ToolImage::Rotate, &TMainForm::ToolButton33Click, true, 0, 0},
    {"ToolButton12", "Despeckle", ToolImage::Despeckle, &TMainForm::ToolButton12Click, true, 0, 0},
    {"ToolButton13", "Stretch", ToolImage::Stretch, &TMainForm::ToolButton13Click, true, 0, 0},
    {"ToolButton18", "Missing lines", ToolImage::MissingLines, &TMainForm::ToolButton18Click, true, 0, 0},
    {"ToolButton27", "Contrast Down", ToolImage::ContrastDown, &TMainForm::ToolButton27Click, false, 1, 0},
    {"ToolButton28", "Contrast Up", ToolImage::ContrastUp, &TMainForm::ToolButton28Click, false, 1, 0},
    {"ToolButton20", "Brightness Down", ToolImage::BrightnessDown, &TMainForm::ToolButton20Click, false, 1, 0},
    {"ToolButton21", "Brightness Up", ToolImage::BrightnessUp, &TMainForm::ToolButton21Click, false, 1, 0},
    {"ToolButton19", "Invert Display", ToolImage::Invert, &TMainForm::ToolButton19Click, true, 1, 3},
    {"ToolButton30", "Minimize", ToolImage::MinimizeHalf, &TMainForm::ToolButton30Click, true, 1, 0},
    {"ToolButton32", "Minimize - 25 % original size", ToolImage::MinimizeQuarter, &TMainForm::ToolButton32Click,
     true, 1, 0},
    {"ToolButton29", "Image Info", ToolImage::ImageInfo, &TMainForm::ToolButton29Click, false, 1, 3},
    {"HelpAboutBtn", "About", ToolImage::About, &TMainForm::HelpAboutBtnClick, false, 1, 0},
};

constexpr int kGap = 8;

}  // namespace

void TMainForm::BuildMenus() {
    std::array<QMenu*, kMenus.size()> menus{};
    for (std::size_t i = 0; i < kMenus.size(); ++i) {
        menus[i] = menuBar()->addMenu(kMenus[i].caption);
        menus[i]->setObjectName(kMenus[i].name);
    }
    for (const MenuItemDef& def : kMenuItems) {
        QMenu* menu = menus[static_cast<std::size_t>(def.menu)];
        QAction* action = nullptr;
        if (QLatin1String(def.caption) == QLatin1String("-")) {
            action = menu->addSeparator();
        } else {
            action = menu->addAction(def.caption);
            action->setCheckable(def.checkable);
            action->setChecked(def.checked);
            action->setEnabled(def.enabled);
            QList<QKeySequence> keys;
            for (const char* key : def.shortcuts)
                if (key) keys << QKeySequence(key);
            action->setShortcuts(keys);
            const Handler handler = def.handler;
            connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        }
        action->setObjectName(def.name);
    }
}

void TMainForm::BuildToolBar() {
    MojToolBar_ = new QToolBar(this);
    MojToolBar_->setObjectName("MojToolBar");
    MojToolBar_->setWindowTitle("Toolbar");
    MojToolBar_->setMovable(false);
    MojToolBar_->setFloatable(false);
    MojToolBar_->setIconSize(QSize(kToolImageSize, kToolImageSize));
    // the View menu holds the only switch for it
    MojToolBar_->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::TopToolBarArea, MojToolBar_);

    // Two rows in one tool bar, so that it hides and shows as one.
    auto* rows = new QWidget(MojToolBar_);
    rows->setObjectName("MojCoolBar");
    auto* column = new QVBoxLayout(rows);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    std::array<QHBoxLayout*, 2> row{new QHBoxLayout, new QHBoxLayout};
    for (QHBoxLayout* r : row) {
        r->setSpacing(0);
        column->addLayout(r);
    }

    for (const ToolButtonDef& def : kToolButtons) {
        QHBoxLayout* r = row[static_cast<std::size_t>(def.row)];
        if (def.gapBefore > 0) r->addSpacing(def.gapBefore * kGap);
        auto* button = new QToolButton(rows);
        button->setObjectName(def.name);
        button->setToolTip(def.hint);
        button->setIcon(ToolIcon(def.image));
        button->setIconSize(QSize(kToolImageSize, kToolImageSize));
        button->setAutoRaise(true);
        button->setCheckable(def.checkable);
        button->setEnabled(QLatin1String(def.name) == QLatin1String("FileOpenBtn") ||
                           QLatin1String(def.name) == QLatin1String("HelpAboutBtn"));
        const Handler handler = def.handler;
        connect(button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
        r->addWidget(button);
    }

    Memo1_ = new QLineEdit("0/0", rows);
    Memo1_->setObjectName("Memo1");
    Memo1_->setReadOnly(true);
    Memo1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Memo1_->setFixedSize(89, 22);
    Memo1_->setFocusPolicy(Qt::NoFocus);
    QFont counterFont = Memo1_->font();
    counterFont.setPixelSize(16);
    Memo1_->setFont(counterFont);
    row[1]->addSpacing(2 * kGap);
    row[1]->addWidget(Memo1_);
    for (QHBoxLayout* r : row) r->addStretch(1);

    MojToolBar_->addWidget(rows);
}
