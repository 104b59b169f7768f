// The parameters a load takes from the catalogue and the file's lead bytes,
// and the decoder that it chooses for them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "load/load_sequence.h"
#include "tests/support/picture_parameters.h"

namespace orbalux {
namespace {

using test::Parameters;

// Loads `name` over an all-zero file (as for an empty or unreadable file).
PictureState Select(const std::string& name, std::uint8_t lead0 = 0, std::uint8_t lead1 = 0) {
    PictureState state;
    state.FileBuffer.assign(kFileBufferSize, 0);
    state.FileBuffer[0] = lead0;
    state.FileBuffer[1] = lead1;
    state.CatalogueName = name;
    SelectFileParameters(state);
    return state;
}

Parameters Of(const PictureState& s) {
    return {s.DataOffset, s.LineFormat, s.StretchGain, s.StretchBlack, s.FrameLineCount};
}

// Over a zero file the narrow formats show their flat grey 160 right of the
// picture columns: from column 136 for the 136 format, from column 33 for the
// 34 format.
int FirstGreyColumn(const PictureState& s) {
    for (int x = 0; x < s.ImageWidth; ++x) {
        if (s.DecodedImage[kPictureOrigin + x] == 160) return x;
    }
    return -1;
}

TEST(FileParameters, NamedFilesAndPrefixesSelectTheirParametersAndDecoder) {
    const PictureState first = Select("69_011.001");
    EXPECT_EQ(Of(first), (Parameters{482, 136, 2, 0, 0}));
    EXPECT_EQ(FirstGreyColumn(first), 136);

    EXPECT_EQ(Of(Select("69_011.026")), (Parameters{964, 136, 0, 0, 0}));

    for (const auto& [name, offset] : {std::pair{"69_131.002", 964}, std::pair{"69_131.003", 482}}) {
        const PictureState s = Select(name);
        EXPECT_EQ(Of(s), (Parameters{offset, 34, 0, 0, 0})) << name;
        EXPECT_EQ(FirstGreyColumn(s), 33) << name;
    }

    // The 69_151 prefix sets the 34 format; the file's own row wins.
    const PictureState s151 = Select("69_151.001");
    EXPECT_EQ(Of(s151), (Parameters{490, 945, 0, 0, 0}));
    EXPECT_EQ(s151.ImageWidth, 948);
    EXPECT_EQ(Of(Select("69_151.003")), (Parameters{482, 34, 0, 0, 0}));

    EXPECT_EQ(Of(Select("jac_224.004")), (Parameters{4, 136, 0, 0, 0}));
    EXPECT_EQ(Of(Select("Jac_224.001")), (Parameters{486, 136, 0, 0, 0}));
    EXPECT_EQ(Of(Select("jac_138.002")), (Parameters{482, 136, 0, 0, 0}));
    for (const char* name : {"ED_123.001", "ed_123.001", "eD9", "Ed"}) {
        const PictureState s = Select(name);
        EXPECT_EQ(Of(s), (Parameters{482, 136, 0, 0, 0})) << name;
        EXPECT_EQ(FirstGreyColumn(s), 136) << name;
    }

    const PictureState s311 = Select("69_311.002");
    EXPECT_EQ(Of(s311), (Parameters{482, 999, 1, 3, 1350}));
    EXPECT_EQ(s311.FrameStride, 1000);
    EXPECT_EQ(s311.FrameLines, 1352);

    const PictureState s301 = Select("69_301.009");
    EXPECT_EQ(Of(s301), (Parameters{0, 1023, 0, 0, 0}));
    EXPECT_EQ(s301.FrameStride, 1024);
    EXPECT_EQ(s301.FrameLines, 1504);
}

TEST(FileParameters, UnlistedNamesGetTheDefaultsAndThe945Decoder) {
    for (const char* name : {"RBL_001.001", "rbl_017.004", "69_401.001", "69_01", "E", ""}) {
        const PictureState s = Select(name);
        EXPECT_EQ(Of(s), (Parameters{964, 945, 0, 0, 0})) << name;
        EXPECT_EQ(s.FrameStride, 948) << name;
        EXPECT_EQ(s.FrameLines, 704) << name;
    }
}

TEST(FileParameters, EachLoadStartsFromTheDefaultsAndTakesTheLeadBytesAnew) {
    PictureState state = Select("69_311.002", 0xE2, 0x01);
    EXPECT_EQ(state.LeadByte0, 0xE2);
    EXPECT_EQ(state.LeadByte1, 0x01);
    EXPECT_NE(state.HeaderLines[0], "No Header");  // one header record, led by a length word

    state.FileBuffer.assign(kFileBufferSize, 0);
    state.CatalogueName = "RBL_002.001";
    SelectFileParameters(state);
    EXPECT_EQ(Of(state), (Parameters{964, 945, 0, 0, 0}));
    EXPECT_EQ(state.LeadByte0, 0);
    EXPECT_EQ(state.LeadByte1, 0);
    EXPECT_EQ(state.HeaderLines[0], "No Header");
}

}  // namespace
}  // namespace orbalux
