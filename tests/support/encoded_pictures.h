// Picture files of known pixels, written by the project's encoder.
#pragma once

#include <cstdint>
#include <string>

#include "state/grey_image.h"
#include "tools/scratch/scratch_folder.h"

namespace orbalux::test {

// The 945-sample picture (945 x 702 pixels) with pixel (x, y) = (x + 2y) mod 256,
// so that every grey level occurs, and the picture's corners differ.
orbalux::GreyImage KnownPicture945(int shift = 0);

// Writes `picture` in the 945-sample format as `path`, behind `headerRecords`
// header records (one for names whose data start at 482, two for 964).
void WritePicture945(const std::string& path, const orbalux::GreyImage& picture, int headerRecords);

// A scratch folder of 945-sample pictures RBL_0001.001 ... RBL_000n.001:
// picture i is the grey level 20 i all over, which the default options show
// as it is, so the level on screen tells which file was loaded.
class FlatPictureFolder {
public:
    explicit FlatPictureFolder(int pictures);
    static std::string Name(int i);
    static std::uint8_t Level(int i);
    // Writes picture i (of Level(i)) as `path`.
    static void Write(const std::string& path, int i);
    std::string Path(const std::string& name) const { return dir_ / name; }
    std::string Path(int i) const { return Path(Name(i)); }
    // The folder, with the separator after it.
    std::string Dir() const { return dir_.path().string() + "/"; }

private:
    ScratchFolder dir_;
};

}  // namespace orbalux::test
