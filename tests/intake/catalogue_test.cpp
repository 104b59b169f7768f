// The catalogue: its rows in order, how a row matches a name, and the
// parameters it gives the names of each volume.
#include "intake/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/picture_parameters.h"

namespace orbalux {
namespace {

using test::Parameters;

// The catalogue's parameters for `name`.
Parameters Of(const std::string& name) {
    const CatalogueParameters p = LookUpCatalogue(name);
    return {p.dataOffset, p.lineFormat, p.stretchGain, p.stretchBlack, p.frameLineCount};
}

TEST(Catalogue, TableHoldsItsRowsInTheAgreedOrder) {
    const auto rows = CatalogueRows();
    ASSERT_EQ(rows.size(), 406u);

    // The early volumes, the prefix rows, ED and JAC_ take the first 110 rows;
    // the later volumes follow, one row per file, each setting offset and format.
    EXPECT_EQ(rows[0].key, "69_011");
    EXPECT_EQ(rows[109].key, "JAC_372");
    EXPECT_EQ(rows[110].key, "69_041.001");
    EXPECT_EQ(rows[405].key, "69_381.005");
    for (std::size_t i = 110; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].kind, KeyKind::Name10) << rows[i].key;
        EXPECT_NE(rows[i].dataOffset, kUnset) << rows[i].key;
        EXPECT_NE(rows[i].lineFormat, kUnset) << rows[i].key;
    }

    const std::set<int> formats = {945, 999, 136, 975, 960, 955, 600, 864,
                                   801, 699, 876, 1023, 951, 849, 750, 34};
    std::set<std::pair<KeyKind, std::string_view>> keys;
    for (const CatalogueRow& row : rows) {
        EXPECT_TRUE(keys.emplace(row.kind, row.key).second) << "repeated key " << row.key;
        if (row.lineFormat != kUnset) {
            EXPECT_TRUE(formats.contains(row.lineFormat)) << row.key;
        }
        const std::size_t length = row.kind == KeyKind::Upper2    ? 2
                                   : row.kind == KeyKind::Prefix6 ? 6
                                   : row.kind == KeyKind::Upper7  ? 7
                                   : row.kind == KeyKind::Name10  ? 10
                                                                  : 11;
        EXPECT_EQ(row.key.size(), length) << row.key;
    }

    // A file's own row stands after the prefix row of its volume, and no name
    // matches more than these two.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::vector<std::size_t> matches;
        for (std::size_t j = 0; j < rows.size(); ++j) {
            if (RowMatches(rows[j], rows[i].key)) matches.push_back(j);
        }
        ASSERT_FALSE(matches.empty()) << rows[i].key;
        EXPECT_LE(matches.size(), 2u) << rows[i].key;
        EXPECT_EQ(matches.back(), i) << rows[i].key << " is overridden by a later row";
    }
}

TEST(Catalogue, RowMatchesComparesTheCutNameExactly) {
    const CatalogueRow prefix{KeyKind::Prefix6, "69_011", 964, 136, kUnset, kUnset, kUnset};
    const CatalogueRow jac{KeyKind::Upper11, "JAC_224.004", 4, 136, kUnset, kUnset, kUnset};
    const CatalogueRow ed{KeyKind::Upper2, "ED", 482, 136, kUnset, kUnset, kUnset};
    EXPECT_TRUE(RowMatches(prefix, "69_011.026"));
    EXPECT_TRUE(RowMatches(prefix, "69_011"));
    EXPECT_FALSE(RowMatches(prefix, "69_01"));
    EXPECT_FALSE(RowMatches(prefix, "69_012.001"));
    EXPECT_TRUE(RowMatches(jac, "jac_224.004"));
    EXPECT_TRUE(RowMatches(jac, "Jac_224.004;1"));
    EXPECT_FALSE(RowMatches(jac, "jac_224.00"));
    EXPECT_FALSE(RowMatches(jac, "jac_224.005"));
    for (const char* name : {"ED_001.001", "ed_001.001", "eD", "Ed.x"}) EXPECT_TRUE(RowMatches(ed, name)) << name;
    EXPECT_FALSE(RowMatches(ed, "E"));
    EXPECT_FALSE(RowMatches(ed, ""));
}


// A few volumes' lists as the catalogue prints them: "ext[–ext] [DataOffset]
// [gain/black] [LineFormat n] [FrameLineCount n]; ...". Listed files take the
// volume's format unless named; unlisted ones get what the prefix row or the
// defaults give.
struct VolumeList {
    const char* volume;
    int listedFormat;
    Parameters unlisted;
    const char* entries;
};

const VolumeList kVolumeLists[] = {
    {"69_011", 136, {964, 136, 0, 0, 0},
     "001 482 2/0; 002 2/5; 003 2/2; 004 1/2; 005 1/4; 006 2/4; 007 3/4; 008 3/5; 009 3/2; 010 2/2; 011 3/1; "
     "012 3/3; 013-014 2/5; 015 2/2; 016 1/5; 017 2/5; 018 1/11; 019 1/6; 020 1/8; 021 1/12; 022 3/1; 023 5/0; "
     "024-025 6/0"},
    {"69_031", 136, {964, 136, 0, 0, 0},
     "001 1/5; 002 1/4; 003 2/3; 004 1928 0/0; 005 2/5; 006 1446 1/13; 007 1446 1/8; 008 1928 1/6; 009 1/6; "
     "010 3/0; 011 5/0"},
    {"69_141", 34, {482, 34, 0, 0, 0},
     "001 2; 003 964; 005 484; 006 964; 007 2; 008-009 4; 013 4; 014 484; 015 4; 016-017 964; 021-022 964; "
     "024 964; 026-027 964; 029 966"},
    {"69_151", 945, {482, 34, 0, 0, 0}, "001 490; 002 48; 004 950"},
    {"69_191", 960, {964, 945, 0, 0, 0},
     "001 4 3/3; 002 964 3/3 LineFormat 955; 003 964 3/4; 004 484 4/19 LineFormat 955; 005 964 5/15; "
     "006 964 4/12 LineFormat 955; 007 964 6/10; 008 964 4/16 LineFormat 955; 009 964 5/5; "
     "010 484 3/8 LineFormat 955; 011 964 2/6; 012 964 3/10 LineFormat 955; 013 484 3/8"},
    {"69_291", 999, {964, 945, 0, 0, 0},
     "001 484 2/7; 002 482 2/8; 003 482 1/5 LineFormat 750; 004 482 1/2; 005 482 2/4 LineFormat 699; "
     "006 482 2/4 LineFormat 801; 007 482 2/5 LineFormat 876; 008 482 1/2; 009 482 3/6 LineFormat 849; "
     "010 482 3/7 LineFormat 864; 011 482 2/1 LineFormat 951; 012 482 4/0"},
    {"69_311", 999, {964, 945, 0, 0, 0},
     "001 482 1/4 FrameLineCount 1325; 002 482 1/3 FrameLineCount 1350; 003 482 1/7 FrameLineCount 999; "
     "004 482 2/8 FrameLineCount 1000; 005-007 482 1/2 FrameLineCount 1350; 008 482 3/1 LineFormat 699"},
};

std::vector<std::pair<int, Parameters>> ReadList(const VolumeList& list) {
    std::vector<std::pair<int, Parameters>> out;
    std::stringstream entries(list.entries);
    std::string entry;
    while (std::getline(entries, entry, ';')) {
        std::istringstream in(entry);
        std::string range, word;
        in >> range;
        const auto dash = range.find('-');
        const int from = std::stoi(range.substr(0, dash));
        const int to = dash == std::string::npos ? from : std::stoi(range.substr(dash + 1));
        Parameters p{list.unlisted.dataOffset, list.listedFormat, 0, 0, 0};
        while (in >> word) {
            if (word == "LineFormat") in >> p.lineFormat;
            else if (word == "FrameLineCount") in >> p.frameLineCount;
            else if (word.find('/') != std::string::npos) {
                p.stretchGain = std::stoi(word);
                p.stretchBlack = std::stoi(word.substr(word.find('/') + 1));
            } else p.dataOffset = std::stoi(word);
        }
        for (int ext = from; ext <= to; ++ext) out.emplace_back(ext, p);
    }
    return out;
}

TEST(Catalogue, VolumeListsReadTheSameFromTheTable) {
    for (const VolumeList& list : kVolumeLists) {
        const auto listed = ReadList(list);
        for (int ext = 1; ext <= 30; ++ext) {
            char name[16];
            std::snprintf(name, sizeof name, "%s.%03d", list.volume, ext);
            const auto it = std::find_if(listed.begin(), listed.end(), [&](const auto& e) { return e.first == ext; });
            const Parameters expected = it == listed.end() ? list.unlisted : it->second;
            EXPECT_EQ(Of(std::string(name)), expected) << name;
        }
    }
}

}  // namespace
}  // namespace orbalux
