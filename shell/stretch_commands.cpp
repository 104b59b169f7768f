// The main window's side of the picture's own stretches, the percentile
// stretch and equalisation: their Options items (defaults for the next
// loads), their tool buttons and Picture items (the shown picture), the
// Stretch Percentiles dialog, and the choices remembered from run to run.
// Of these two and the catalogue's Stretch at most one is on, and every
// widget of the three shows it.
#include <stdexcept>
#include <string>

#include <QAction>
#include <QSettings>
#include <QToolButton>

#include "shell/MainUnit.h"
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

}  // namespace

void TMainForm::BuildStretches() {
    QSettings settings;
    const QString remembered = settings.value(kPictureStretch).toString();
    bool lowRead = false, highRead = false;
    const double low = settings.value(kLowPercentile).toDouble(&lowRead);
    const double high = settings.value(kHighPercentile).toDouble(&highRead);
    // A pair that is not one the stretch takes (an edited settings file)
    // leaves the defaults.
    if (lowRead && highRead && orbalux::PercentilesValid(low, high)) session_.SetPercentiles(low, high);

    for (const orbalux::PictureStretchRow& row : orbalux::PictureStretchTable()) {
        const StretchWidgetsDef* widgets = nullptr;
        for (const StretchWidgetsDef& def : kStretchWidgets)
            if (def.flag == row.flag) widgets = &def;
        if (!widgets) throw std::logic_error(std::string("no widgets for the stretch ") + std::string(row.cliOption));
        const std::size_t at = stretches_.size();
        stretches_.push_back({&row, MenuItem(widgets->menuItem), ToolButton(widgets->toolButton),
                              findChild<QAction*>(widgets->pictureItem)});
        if (remembered == QString::fromUtf8(row.cliOption.data(), static_cast<qsizetype>(row.cliOption.size())))
            session_.ToggleMenuStretch(row);

        connect(stretches_[at].menuItem, &QAction::triggered, this, [this, at] {
            session_.ToggleMenuStretch(*stretches_[at].row);
            SyncStretchControls();
            RememberStretchChoices();
        });
        const auto toggle = [this, at] {
            Redisplayed(session_.ToggleShownStretch(*stretches_[at].row));
            SyncStretchControls();
        };
        connect(stretches_[at].button, &QToolButton::clicked, this, toggle);
        connect(stretches_[at].pictureItem, &QAction::triggered, this, toggle);
    }
    SyncStretchControls();
}

void TMainForm::SyncStretchControls() {
    // The catalogue's Stretch among the options, and the picture's own.
    for (const OptionControl& o : options_) {
        if (o.row->kind != orbalux::SwitchKind::ChainFlag || !orbalux::IsStretchFlag(o.row->flag)) continue;
        o.menuItem->setChecked(state_.MenuOptions.*o.row->flag == 1);
        SetOptionPressed(o, state_.ActiveOptions.*o.row->flag == 1);
    }
    for (const StretchControl& s : stretches_) {
        s.menuItem->setChecked(state_.MenuOptions.*s.row->flag == 1);
        s.button->setChecked(state_.ActiveOptions.*s.row->flag == 1);
        s.pictureItem->setChecked(state_.ActiveOptions.*s.row->flag == 1);
    }
}

void TMainForm::RememberStretchChoices() const {
    QString chosen;
    for (const StretchControl& s : stretches_)
        if (state_.MenuOptions.*s.row->flag == 1)
            chosen = QString::fromUtf8(s.row->cliOption.data(), static_cast<qsizetype>(s.row->cliOption.size()));
    QSettings settings;
    settings.setValue(kPictureStretch, chosen);
    settings.setValue(kLowPercentile, state_.LowPercentile);
    settings.setValue(kHighPercentile, state_.HighPercentile);
}

void TMainForm::StretchPercentiles1Click() {
    std::optional<PercentileChoice> chosen;
    {
        const ScanWait wait(*this);
        chosen = seam_.stretchPercentiles(this, state_.LowPercentile, state_.HighPercentile);
    }
    if (!chosen) return;
    // Re-runs the shown picture when a percentile stretch made it.
    Redisplayed(session_.SetPercentiles(chosen->low, chosen->high));
    RememberStretchChoices();
}
