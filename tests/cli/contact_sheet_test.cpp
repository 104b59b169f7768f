#include "cli/contact_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "output/grey_picture.h"

using namespace orbalux;
using namespace orbalux::cli;

namespace {

GreyImage Filled(int w, int h, std::uint8_t level) {
    GreyImage image;
    image.width = w;
    image.height = h;
    image.pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), level);
    return image;
}

}  // namespace

TEST(Thumbnail, KeepsProportionsAndAveragesWholeAreas) {
    // The 948 x 704 picture at 160 on the long side: 160 x 119 (118.8 rounded).
    const GreyImage wide = MakeThumbnail(Filled(948, 704, 90), 160);
    EXPECT_EQ(wide.width, 160);
    EXPECT_EQ(wide.height, 119);
    EXPECT_TRUE(std::all_of(wide.pixels.begin(), wide.pixels.end(), [](std::uint8_t v) { return v == 90; }));
    // Tall pictures are limited by their height.
    const GreyImage tall = MakeThumbnail(Filled(1000, 1352, 0), 160);
    EXPECT_EQ(tall.height, 160);
    EXPECT_EQ(tall.width, 118);

    // Halving a picture of 2 x 2 blocks, each with levels 10, 20, 30, 41,
    // gives the blocks' means, 25.25 rounded.
    GreyImage blocks = Filled(8, 4, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) blocks.pixels[static_cast<std::size_t>(y) * 8 + x] = static_cast<std::uint8_t>(
            (x % 2 == 0 ? 10 : 20) + (y % 2 == 0 ? 0 : (x % 2 == 0 ? 20 : 21)));
    const GreyImage half = MakeThumbnail(blocks, 4);
    ASSERT_EQ(half.width, 4);
    ASSERT_EQ(half.height, 2);
    EXPECT_TRUE(std::all_of(half.pixels.begin(), half.pixels.end(), [](std::uint8_t v) { return v == 25; }));

    // Small pictures are not enlarged.
    EXPECT_EQ(MakeThumbnail(blocks, 160).pixels, blocks.pixels);
}

TEST(ContactSheet, GridOfThumbnailsWithLabelsInListOrder) {
    std::vector<SheetEntry> entries;
    const std::vector<std::pair<int, int>> sizes = {{80, 60}, {80, 80}, {45, 80}, {80, 20}, {80, 59}};
    for (std::size_t i = 0; i < sizes.size(); ++i)
        entries.push_back({"69_011.00" + std::to_string(i + 1), "948 x 704",
                           Filled(sizes[i].first, sizes[i].second, static_cast<std::uint8_t>(100 + 20 * i))});
    const ContactSheet sheet = ComposeContactSheet(entries, 80);
    const SheetLayout& layout = sheet.layout;

    // Five pictures: three columns, two rows, the last cell empty.
    EXPECT_EQ(layout.columns, 3);
    EXPECT_EQ(layout.rows, 2);
    EXPECT_GE(layout.cellWidth, 80);
    EXPECT_GE(layout.labelTop, layout.padding + 80);
    EXPECT_EQ(sheet.image.width, 3 * layout.cellWidth);
    EXPECT_EQ(sheet.image.height, 2 * layout.cellHeight);
    ASSERT_EQ(sheet.image.pixels.size(), static_cast<std::size_t>(sheet.image.width) * sheet.image.height);

    auto at = [&](int x, int y) { return sheet.image.pixels[static_cast<std::size_t>(y) * sheet.image.width + x]; };
    auto labelInk = [&](int column, int row) {
        int ink = 0;
        for (int y = row * layout.cellHeight + layout.labelTop; y < row * layout.cellHeight + layout.labelTop + layout.labelHeight; ++y)
            for (int x = column * layout.cellWidth; x < (column + 1) * layout.cellWidth; ++x)
                if (at(x, y) > kSheetBackground + 60) ++ink;
        return ink;
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const GreyImage& thumb = entries[i].thumbnail;
        int x0 = 0, y0 = 0;
        ThumbnailOrigin(layout, thumb, i, x0, y0);
        // The thumbnail lies whole and unchanged in its own cell, ...
        const int column = static_cast<int>(i) % layout.columns, row = static_cast<int>(i) / layout.columns;
        EXPECT_GE(x0, column * layout.cellWidth);
        EXPECT_LE(x0 + thumb.width, (column + 1) * layout.cellWidth);
        EXPECT_GE(y0, row * layout.cellHeight);
        EXPECT_LE(y0 + thumb.height, row * layout.cellHeight + layout.labelTop);
        for (int y : {0, thumb.height - 1})
            for (int x : {0, thumb.width - 1}) EXPECT_EQ(at(x0 + x, y0 + y), thumb.pixels[0]) << i;
        // ... framed by the sheet's background, ...
        EXPECT_EQ(at(x0 - 1, y0 + thumb.height / 2), kSheetBackground) << i;
        EXPECT_EQ(at(x0 + thumb.width, y0 + thumb.height / 2), kSheetBackground) << i;
        // ... with a label drawn below it.
        EXPECT_GT(labelInk(column, row), 20) << i;
    }
    EXPECT_EQ(labelInk(2, 1), 0);
}
