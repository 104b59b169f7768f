// How a name typed into the save dialog becomes the file written.
#include "session/save_target.h"

#include "state/ascii_names.h"
#include "state/path_parts.h"

namespace orbalux {

std::string_view SaveExtension(PictureFormat format) { return format == PictureFormat::Png ? "png" : "bmp"; }

SaveTarget ResolveSaveTarget(const std::string& typed, PictureFormat chosen) {
    // Only the name part counts: a folder "d.png/" does not make a PNG.
    const std::string_view name = orbalux::FileNameOf(typed);
    if (EndsWithIgnoringAsciiCase(name, ".bmp") && name.size() > 4) return {typed, PictureFormat::Bmp};
    if (EndsWithIgnoringAsciiCase(name, ".png") && name.size() > 4) return {typed, PictureFormat::Png};
    std::string path = typed;
    if (!path.ends_with('.')) path += '.';
    path += SaveExtension(chosen);
    return {path, chosen};
}

}  // namespace orbalux
