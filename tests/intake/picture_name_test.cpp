// What is a picture file's name: the rule against a table of names from the
// volume and of files made from its pictures, and the MIME type's globs that
// file managers go by held to the same rule.
#include <fnmatch.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "intake/file_list.h"

namespace {

struct NameCase {
    const char* name;
    bool picture;
};

constexpr NameCase kNames[] = {
    // The volume's names, of every family, in any letter case.
    {"69_011.001", true}, {"69_311.002", true}, {"69_291.100", true}, {"JAC_224.004", true},
    {"jac_224.004", true}, {"Jac_224.004", true}, {"RBL_001.001", true}, {"rbl_001.012", true},
    {"Rbl_001.012", true}, {"ED_101.012", true}, {"eD_101.012", true}, {"ed_101.012", true},
    // Odd but ending as a picture's name does.
    {"69_.001", true}, {"69_011.png.001", true}, {"JAC_224_long_group.004", true},
    // Made from a picture: a further extension after its own three digits.
    {"69_011.001.png", false}, {"69_011.001.PNG", false}, {"69_011.001.bmp", false},
    {"69_311.002.aux.xml", false}, {"69_311.002.AUX.XML", false}, {"69_311.002.cub.xml", false},
    {"69_311.002.xml", false}, {"69_311.002.img", false}, {"69_311.002.lbl", false}, {"69_311.002.ovr", false},
    {"JAC_224.004.tif", false}, {"rbl_001.001.fits", false}, {"ED_101.012.jpeg", false},
    {"69_011.001.", false}, {"69_011.001~", false},
    // Not a picture's name at all.
    {"69_011.0011", false}, {"69_011.01", false}, {"69_011.00a", false}, {"69_011_001", false}, {"69_.00", false},
    {"69_", false}, {"69_011", false}, {"JAC_224.004_long_name", false}, {"x69_011.001", false},
    {"RB_001.001", false}, {"E_001.001", false}, {"69-011.001", false}, {".001", false}, {"", false},
};

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The MIME type's globs as a desktop reads them: a glob matches a name
// folded to lower case, unless it is marked case-sensitive.
struct MimeGlob {
    std::string pattern;
    bool caseSensitive;
    bool Matches(const std::string& name) const {
        return caseSensitive ? fnmatch(pattern.c_str(), name.c_str(), 0) == 0
                             : fnmatch(Lower(pattern).c_str(), Lower(name).c_str(), 0) == 0;
    }
};

std::vector<MimeGlob> ReadMimeGlobs(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string xml = text.str();
    std::vector<MimeGlob> globs;
    const std::regex element(R"(<glob\s+([^>]*)/>)");
    const std::regex pattern(R"re(pattern="([^"]*)")re");
    const std::regex sensitive(R"re(case-sensitive="true")re");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), element); it != std::sregex_iterator(); ++it) {
        const std::string attributes = (*it)[1];
        std::smatch found;
        if (std::regex_search(attributes, found, pattern))
            globs.push_back({found[1], std::regex_search(attributes, sensitive)});
    }
    return globs;
}

}  // namespace

TEST(PictureFileName, APictureEndsInItsOwnPointAndThreeDigits) {
    for (const NameCase& c : kNames) EXPECT_EQ(orbalux::IsPictureFileName(c.name), c.picture) << c.name;
}

TEST(PictureFileName, TheMimeTypeTakesExactlyThePicturesNames) {
    const std::vector<MimeGlob> globs = ReadMimeGlobs(ORBALUX_MIME_DEFINITION);
    ASSERT_FALSE(globs.empty()) << ORBALUX_MIME_DEFINITION;
    for (const NameCase& c : kNames) {
        const bool matched = std::any_of(globs.begin(), globs.end(), [&](const MimeGlob& g) { return g.Matches(c.name); });
        EXPECT_EQ(matched, orbalux::IsPictureFileName(c.name)) << c.name;
    }
}
