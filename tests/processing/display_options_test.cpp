// The display options table: every name finds its own row, and each switch
// lands where the chain reads it (keep gaps is compression turned off).
#include "processing/display_options.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace orbalux {
namespace {

TEST(DisplayOptions, EveryNameFindsItsRowAndEverySwitchLandsWhereTheChainReadsIt) {
    std::set<std::string_view> names;
    for (const DisplayOptionRow& row : DisplayOptionTable()) {
        EXPECT_EQ(OptionByCliName(row.cliOption), &row);
        for (std::string_view name : {row.cliOption, row.gdalOption})
            if (!name.empty()) {
                EXPECT_TRUE(names.insert(name).second) << name << " named twice";
            }

        PictureState state;
        const PictureState fresh;
        EXPECT_FALSE(MenuOptionOn(state, row)) << row.cliOption << " is on before anyone asks";
        SetMenuOption(state, row, true);
        EXPECT_TRUE(MenuOptionOn(state, row));
        // Exactly one switch moved, and the shown picture's options not at all.
        const int moved = (state.MenuOptions != fresh.MenuOptions) +
                          (state.HorizontalStretchOn != fresh.HorizontalStretchOn) +
                          (state.CompressMissingLines != fresh.CompressMissingLines);
        EXPECT_EQ(moved, 1) << row.cliOption;
        EXPECT_EQ(state.ActiveOptions, fresh.ActiveOptions);
    }
    EXPECT_EQ(OptionByCliName("keep-gaps")->kind, SwitchKind::KeepGaps);
    PictureState state;
    SetMenuOption(state, *OptionByCliName("keep-gaps"), true);
    EXPECT_EQ(state.CompressMissingLines, 0);
    EXPECT_EQ(OptionByCliName("no-such-option"), nullptr);
    EXPECT_EQ(OptionByCliName(""), nullptr);
}

}  // namespace
}  // namespace orbalux
