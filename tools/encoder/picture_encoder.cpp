#include "tools/encoder/picture_encoder.h"

#include <fstream>
#include <stdexcept>

namespace orbalux::encoder {

std::vector<std::uint8_t> EncodePicture(int lineFormat, const GreyImage& picture,
                                        const HeaderPlan& header,
                                        std::span<const LineDefect> defects) {
    PictureFilePlan plan;
    plan.lineFormat = lineFormat;
    plan.header = header;
    plan.picture = picture;
    plan.defects.assign(defects.begin(), defects.end());
    return BuildPictureFile(plan).bytes;
}

void WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot create " + path.string());
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace orbalux::encoder
