// The file a name typed into the save dialog becomes.
#include "session/save_target.h"

#include <gtest/gtest.h>

namespace {

TEST(SaveTarget, ContentAlwaysMatchesTheExtensionAndAPictureNameNeverStaysBare) {
    using orbalux::PictureFormat;
    auto check = [](const std::string& typed, PictureFormat chosen, const std::string& path, PictureFormat format) {
        const orbalux::SaveTarget t = orbalux::ResolveSaveTarget(typed, chosen);
        EXPECT_EQ(t.path, path) << typed;
        EXPECT_EQ(t.format, format) << typed;
    };
    check("/d/pic", PictureFormat::Bmp, "/d/pic.bmp", PictureFormat::Bmp);
    check("/d/pic", PictureFormat::Png, "/d/pic.png", PictureFormat::Png);
    check("/d/pic.", PictureFormat::Bmp, "/d/pic.bmp", PictureFormat::Bmp);
    check("/d/PIC.PNG", PictureFormat::Bmp, "/d/PIC.PNG", PictureFormat::Png);
    check("/d/pic.Bmp", PictureFormat::Png, "/d/pic.Bmp", PictureFormat::Bmp);
    // A picture file's own name, or any other extension, gets the chosen one.
    check("/d.x/69_011.003", PictureFormat::Bmp, "/d.x/69_011.003.bmp", PictureFormat::Bmp);
    check("/d/test.jpg", PictureFormat::Png, "/d/test.jpg.png", PictureFormat::Png);
    check("/d.png/pic", PictureFormat::Bmp, "/d.png/pic.bmp", PictureFormat::Bmp);
}

}  // namespace
