// The display options table: every name finds its own row, and each switch
// lands where the chain reads it (keep gaps is compression turned off).
#include "processing/display_options.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace orbalux {
namespace {

// The row whose converter switch is `name`; nullptr when none is. Only the
// test looks rows up by name: the converter lists them all for getopt_long.
const DisplayOptionRow* OptionByCliName(std::string_view name) {
    for (const DisplayOptionRow& row : DisplayOptionTable())
        if (!name.empty() && row.cliOption == name) return &row;
    return nullptr;
}

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

namespace orbalux {
namespace {

TEST(DisplayOptions, StretchesTakeOneAnothersPlaceAndPercentilesAreReadWhole) {
    DisplayOptions options{.Stretch = 1, .Despeckle = 1};
    SetChainFlag(options, &DisplayOptions::Equalize, true);
    EXPECT_EQ(options, (DisplayOptions{.Despeckle = 1, .Equalize = 1}));
    SetChainFlag(options, &DisplayOptions::PercentStretch, true);
    EXPECT_EQ(options, (DisplayOptions{.Despeckle = 1, .PercentStretch = 1}));
    SetChainFlag(options, &DisplayOptions::Stretch, true);
    EXPECT_EQ(options, (DisplayOptions{.Stretch = 1, .Despeckle = 1}));
    SetChainFlag(options, &DisplayOptions::Invert, true);  // not a stretch: the stretch stays
    EXPECT_EQ(StretchesChosen(options), 1);

    const auto pair = ParsePercentiles("0.25,99");
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->low, 0.25);
    EXPECT_EQ(pair->high, 99.0);
    EXPECT_TRUE(ParsePercentiles("0,100"));
    for (const char* wrong : {"", "5", "99,1", "5,5", "-1,50", "1,100.5", "nan,50", "1,inf", "1;99", "1,99,", " 1,99",
                              "1,2,3", "a,b"})
        EXPECT_FALSE(ParsePercentiles(wrong)) << wrong;
    EXPECT_EQ(PercentilesText(0.5, 99.5), "0.5,99.5");
    EXPECT_EQ(PercentilesText(2, 98), "2,98");
}

}  // namespace
}  // namespace orbalux
