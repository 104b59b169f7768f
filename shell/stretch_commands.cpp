// The picture's own stretches in the window: their widgets kept exclusive
// with the catalogue's Stretch, the percentiles' dialog, the choices kept.
#include "shell/stretch_commands.h"

#include <stdexcept>
#include <string>

#include <QAction>
#include <QSettings>
#include <QToolButton>

#include "shell/dialog_seam.h"

namespace {

using D = orbalux::DisplayOptions;

// The widgets of each stretch: Options item, tool button, Picture item.
struct StretchWidgetsDef {
    int D::*flag;
    const char* menuItem;
    const char* toolButton;
    const char* pictureItem;
};

const StretchWidgetsDef kStretchWidgets[] = {
    {&D::PercentStretch, "PercentileStretch1", "ToolButton34", "PercentileStretch2"},
    {&D::Equalize, "Equalize1", "ToolButton35", "Equalize2"},
};

// The stretch chosen for the next loads, by its converter name (none: an
// empty text), and the two percentiles.
constexpr const char* kPictureStretch = "options/pictureStretch";
constexpr const char* kLowPercentile = "options/lowPercentile";
constexpr const char* kHighPercentile = "options/highPercentile";

// A stretch's name in the settings: its converter switch.
QString SettingsName(const orbalux::PictureStretchRow& row) {
    return QString::fromUtf8(row.cliOption.data(), static_cast<qsizetype>(row.cliOption.size()));
}

}  // namespace

TStretchCommands::TStretchCommands(QWidget& window, TDialogSeam& seam, orbalux::BrowsingSession& session,
                                   TCommandBar& commands, TScanControl& scan, TPictureShow& show)
    : window_(window), seam_(seam), session_(session), options_(commands.Options()), scan_(scan), show_(show) {
    QSettings settings;
    const QString remembered = settings.value(kPictureStretch).toString();
    bool lowRead = false, highRead = false;
    const double low = settings.value(kLowPercentile).toDouble(&lowRead);
    const double high = settings.value(kHighPercentile).toDouble(&highRead);
    // A pair that is not one the stretch takes (an edited settings file)
    // leaves the defaults.
    if (lowRead && highRead && orbalux::PercentilesValid(low, high)) session_.SetPercentiles(low, high);

    const auto table = orbalux::PictureStretchTable();
    stretches_.reserve(table.size());
    for (const orbalux::PictureStretchRow& row : table) {
        const StretchWidgetsDef* widgets = nullptr;
        for (const StretchWidgetsDef& def : kStretchWidgets)
            if (def.flag == row.flag) widgets = &def;
        if (!widgets) throw std::logic_error(std::string("no widgets for the stretch ") + std::string(row.cliOption));
        stretches_.push_back({&row, commands.MenuItem(widgets->menuItem), commands.ToolButton(widgets->toolButton),
                              commands.PictureItem(widgets->pictureItem)});
        if (remembered == SettingsName(row))
            session_.ToggleMenuStretch(row);

        const StretchControl* s = &stretches_.back();
        connect(s->menuItem, &QAction::triggered, this, [this, s] {
            session_.ToggleMenuStretch(*s->row);
            Sync();
            Remember();
        });
        const auto toggle = [this, s] {
            show_.Redisplayed(session_.ToggleShownStretch(*s->row));
            Sync();
        };
        connect(s->button, &QToolButton::clicked, this, toggle);
        connect(s->pictureItem, &QAction::triggered, this, toggle);
    }
    Sync();
}

void TStretchCommands::Sync() {
    const orbalux::PictureState& state = session_.State();
    // The catalogue's Stretch among the options, and the picture's own.
    for (const OptionControl& o : options_) {
        if (o.row->kind != orbalux::SwitchKind::ChainFlag || !orbalux::IsStretchFlag(o.row->flag)) continue;
        o.menuItem->setChecked(state.MenuOptions.*o.row->flag == 1);
        SetOptionPressed(o, state.ActiveOptions.*o.row->flag == 1);
    }
    for (const StretchControl& s : stretches_) {
        s.menuItem->setChecked(state.MenuOptions.*s.row->flag == 1);
        s.button->setChecked(state.ActiveOptions.*s.row->flag == 1);
        s.pictureItem->setChecked(state.ActiveOptions.*s.row->flag == 1);
    }
}

void TStretchCommands::Remember() const {
    const orbalux::PictureState& state = session_.State();
    QString chosen;
    for (const StretchControl& s : stretches_)
        if (state.MenuOptions.*s.row->flag == 1)
            chosen = SettingsName(*s.row);
    QSettings settings;
    settings.setValue(kPictureStretch, chosen);
    settings.setValue(kLowPercentile, state.LowPercentile);
    settings.setValue(kHighPercentile, state.HighPercentile);
}

void TStretchCommands::ChoosePercentiles() {
    std::optional<PercentileChoice> chosen;
    {
        const TScanControl::Wait wait(scan_);
        chosen = seam_.stretchPercentiles(&window_, session_.State().LowPercentile, session_.State().HighPercentile);
    }
    if (!chosen) return;
    // Re-runs the shown picture when a percentile stretch made it.
    show_.Redisplayed(session_.SetPercentiles(chosen->low, chosen->high));
    Remember();
}
