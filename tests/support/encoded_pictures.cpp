// Known pictures and their files, through the encoder.
#include "tests/support/encoded_pictures.h"

#include <cstdint>

#include "tools/encoder/picture_encoder.h"

namespace orbalux::test {

orbalux::GreyImage KnownPicture945(int shift) {
    orbalux::GreyImage picture(945, 702);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) picture.At(x, y) = static_cast<std::uint8_t>((x + 2 * y + shift) % 256);
    return picture;
}

void WritePicture945(const std::string& path, const orbalux::GreyImage& picture, int headerRecords) {
    orbalux::encoder::HeaderPlan header;
    header.records = headerRecords;
    header.text1 = orbalux::encoder::HeaderLines({"MARINER 6 TV SUBSYSTEM  TEST PICTURE", "FORMAT 945"});
    header.text2 = orbalux::encoder::HeaderLines({"SECOND RECORD"});
    orbalux::encoder::WriteFile(path, orbalux::encoder::EncodePicture(945, picture, header));
}

FlatPictureFolder::FlatPictureFolder(int pictures) {
    for (int i = 1; i <= pictures; ++i) Write(Path(i), i);
}

std::string FlatPictureFolder::Name(int i) { return "RBL_000" + std::to_string(i) + ".001"; }

std::uint8_t FlatPictureFolder::Level(int i) { return static_cast<std::uint8_t>(20 * i); }

void FlatPictureFolder::Write(const std::string& path, int i) {
    orbalux::encoder::HeaderPlan header;
    header.records = 2;
    orbalux::encoder::WriteFile(path, orbalux::encoder::EncodePicture(945, orbalux::GreyImage(945, 702, Level(i)), header));
}

}  // namespace orbalux::test
