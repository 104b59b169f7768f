#include "cli/convert_options.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "cli_test_support.h"

using namespace orbalux;
using namespace orbalux::cli;

namespace {

ConvertOptions Parse(std::vector<std::string> args) { return ParseConvertArguments(args); }

}  // namespace

TEST(ConvertOptions, EachDisplaySwitchSetsItsOwnMenuFlag) {
    // Each switch alone must set exactly its own flag.
    const std::vector<std::pair<std::string, int orbalux::DisplayOptions::*>> switches = {
        {"--stretch", &orbalux::DisplayOptions::Stretch},
        {"--despeckle", &orbalux::DisplayOptions::Despeckle},
        {"--flip", &orbalux::DisplayOptions::FlipVertical},
        {"--rotate", &orbalux::DisplayOptions::Rotate},
        {"--invert", &orbalux::DisplayOptions::Invert},
        {"--half", &orbalux::DisplayOptions::MinimizeHalf},
        {"--quarter", &orbalux::DisplayOptions::MinimizeQuarter},
        {"--fill-missing", &orbalux::DisplayOptions::FillMissingLine},
    };
    for (const auto& [name, flag] : switches) {
        const ConvertOptions o = Parse({name, "69_011.001", "-o", "out"});
        orbalux::DisplayOptions expected;
        expected.*flag = 1;
        EXPECT_EQ(o.chain.menu, expected) << name;
        EXPECT_EQ(o.chain.horizontalStretch, 0) << name;
        EXPECT_EQ(o.chain.compressMissingLines, 1) << name;
    }
}

TEST(ConvertOptions, ValuesInBothSpellingsAndInputsAnywhere) {
    const ConvertOptions o = Parse({"a", "--jobs=3", "b", "--png-level", "0", "--brightness", "-40", "--contrast=2",
                                    "--horizontal-stretch", "--keep-gaps", "--format", "bmp", "-o", "out", "--",
                                    "--odd-name"});
    EXPECT_EQ(o.mode, RunMode::Convert);
    EXPECT_EQ(o.inputs, (std::vector<std::string>{"a", "b", "--odd-name"}));
    EXPECT_EQ(o.jobs, 3u);
    EXPECT_EQ(o.pngLevel, 0);
    EXPECT_EQ(o.chain.brightness, -40);
    EXPECT_EQ(o.chain.contrast, 2);
    EXPECT_EQ(o.chain.horizontalStretch, 1);
    EXPECT_EQ(o.chain.compressMissingLines, 0);
    EXPECT_EQ(o.format, OutputFormat::Bmp);
    EXPECT_EQ(o.output, "out");
}

TEST(ConvertOptions, OtherModes) {
    const ConvertOptions sheet = Parse({"--contact-sheet", "s.png", "--thumb", "64", "a", "b"});
    EXPECT_EQ(sheet.mode, RunMode::ContactSheet);
    EXPECT_EQ(sheet.sheet, "s.png");
    EXPECT_EQ(sheet.thumbSize, 64);
    EXPECT_EQ(sheet.inputs.size(), 2u);

    EXPECT_EQ(Parse({"--info", "a"}).mode, RunMode::Info);
    EXPECT_EQ(Parse({"--help", "a", "--stretch"}).mode, RunMode::Help);
    EXPECT_EQ(Parse({"--version"}).mode, RunMode::Version);
}

TEST(ConvertOptions, WrongUsageIsRejected) {
    const std::vector<std::vector<std::string>> wrong = {
        {"a", "-o", "out", "--bogus"},            // unknown option
        {"a", "-o"},                              // missing value
        {"a", "-o", "out", "--jobs"},             // missing value at the end
        {"a", "-o", "out", "--png-level", "10"},  // out of range
        {"a", "-o", "out", "--png-level", "-1"},
        {"a", "-o", "out", "--jobs", "257"},
        {"a", "-o", "out", "--jobs", "2x"},  // not a number
        {"a", "-o", "out", "--brightness", ""},
        {"a", "-o", "out", "--contrast", "99999999999"},
        {"a", "-o", "out", "--thumb", "8"},
        {"a", "-o", "out", "--format", "gif"},
        {"a", "-o", "out", "--flip=1"},  // a switch takes no value
        {"a", "-o", "out", "--quiet=1"},
        {"a", "-o", "out", "--flip", "-xq"},  // an unknown letter in a bundle
        {"-o", "out"},                        // no input
        {"a"},                                // no output
        {"a", "-o", "out", "--original", "--flip"},
        {"a", "-o", "out", "--original", "--brightness", "20"},
        {"--info", "--contact-sheet", "s.png", "a"},
        {"--info", "a", "-o", "out"},
        // Options that would do nothing in the chosen mode, or twice.
        {"a", "-o", "out", "--thumb", "64"},
        {"a", "-o", "out", "-o", "other"},
        {"a", "-o", "out", "--json"},
        {"--info", "--stretch", "a"},
        {"--info", "--png-level", "3", "a"},
        {"-0", "a", "-o", "out"},  // a list's separator without a list
        {"--contact-sheet", "s.png", "--format", "png", "a"},
        // --as names one file's entry; the sheet is a PNG by its name too.
        {"--as", "69_011.001", "a", "b", "-o", "out"},
        {"--contact-sheet", "s.bmp", "a"},
        {"--contact-sheet", "sheet", "a"},
        // A movie by its extension, at a rate a movie can have, alone.
        {"--movie", "m.avi", "a"},
        {"--movie", "m.gif", "--fps", "0", "a"},
        {"--movie", "m.gif", "--fps", "51", "a"},  // a GIF counts hundredths: 50 a second at most
        {"--movie", "m.gif", "--png-level", "3", "a"},
        {"--movie", "m.gif", "-o", "out", "a"},
        {"--movie", "m.gif", "--contact-sheet", "s.png", "a"},
        {"a", "-o", "out", "--label"},
        // Abbreviations that begin several names.
        {"a", "-o", "out", "--h"},
        {"a", "-o", "out", "--st"},
    };
    for (const auto& args : wrong) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_THROW(Parse(args), UsageError) << joined;
    }
    // The decoder's gap setting still means something for the unprocessed picture.
    EXPECT_NO_THROW(Parse({"a", "-o", "out", "--original", "--keep-gaps"}));
    const ConvertOptions movie = Parse({"--movie", "M.WebM", "--fps", "25", "--label", "--stretch", "a"});
    EXPECT_EQ(movie.mode, RunMode::Movie);
    EXPECT_EQ(movie.fps, 25);
    EXPECT_TRUE(movie.label);
    EXPECT_EQ(movie.chain.menu.Stretch, 1);
}

TEST(ConvertOptions, ShellHabitsBundlesAbbreviationsAndAnyCaseFormats) {
    const ConvertOptions o = Parse({"-qj2", "--desp", "--horiz", "--bright=20", "--format", "PNG", "a", "-ob.png"});
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.jobs, 2u);
    EXPECT_EQ(o.chain.menu.Despeckle, 1);
    EXPECT_EQ(o.chain.horizontalStretch, 1);
    EXPECT_EQ(o.chain.brightness, 20);
    EXPECT_EQ(o.format, OutputFormat::Png);
    EXPECT_EQ(o.output, "b.png");
    EXPECT_EQ(Parse({"-j", "0", "--format=Bmp", "a", "-o", "o"}).jobs, 0u);  // one per core
    EXPECT_EQ(Parse({"--format=Bmp", "a", "-o", "o"}).format, OutputFormat::Bmp);

    const ConvertOptions info = Parse({"--info", "--json", "--strict", "--as", "69_011.001", "a"});
    EXPECT_TRUE(info.json && info.strict);
    EXPECT_EQ(info.catalogueName, "69_011.001");

    // The sheet widens the narrow formats unless the decoded picture is asked for.
    EXPECT_EQ(Parse({"--contact-sheet", "s.PNG", "a"}).chain.horizontalStretch, 1);
    EXPECT_EQ(Parse({"--contact-sheet", "s.png", "--original", "a"}).chain.horizontalStretch, 0);
    EXPECT_EQ(Parse({"a", "-o", "out"}).chain.horizontalStretch, 0);
}

TEST(ConvertOptions, MessagesNameTheOptionAndWhatIsWrong) {
    auto message = [](std::vector<std::string> args) {
        try {
            Parse(args);
        } catch (const UsageError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message({"--flip", "-xq", "a", "-o", "o"}), "unknown option -x");
    EXPECT_EQ(message({"--bogus", "a", "-o", "o"}), "unknown option --bogus");
    EXPECT_EQ(message({"--st", "a", "-o", "o"}), "--st is ambiguous: --strict, --stats, --stretch");
    EXPECT_EQ(message({"--qui=1", "a", "-o", "o"}), "--quiet takes no value");
    EXPECT_EQ(message({"a", "-o"}), "--output needs a value");
    EXPECT_EQ(message({"--thumb", "64", "a", "-o", "o"}), "--thumb does nothing when converting");
    EXPECT_EQ(message({"--info", "--jobs=2", "a"}), "--jobs does nothing with --info");
    EXPECT_EQ(message({"a", "-o", "o", "--output=p"}), "--output given twice");
}

TEST(ConvertOptions, AppliedOptionsAreWrittenAsOnTheCommandLine) {
    EXPECT_EQ(AppliedOptionsText(Parse({"a", "-o", "o"}).chain), "none");
    EXPECT_EQ(AppliedOptionsText(Parse({"--contrast", "1", "--keep-gaps", "--stretch", "a", "-o", "o"}).chain),
              "--stretch --keep-gaps --contrast 1");
    EXPECT_EQ(AppliedOptionsText(Parse({"--original", "a", "-o", "o"}).chain), "--original");
}

TEST(ConvertOptions, PictureStretchesTakeTheirPercentilesAndExcludeEveryOtherStretch) {
    const ConvertOptions plain = Parse({"--percent-stretch", "a", "-o", "o"});
    EXPECT_EQ(plain.chain.menu, (orbalux::DisplayOptions{.PercentStretch = 1}));
    EXPECT_EQ(plain.chain.lowPercentile, 0.5);
    EXPECT_EQ(plain.chain.highPercentile, 99.5);
    const ConvertOptions chosen = Parse({"--percent=2,98", "a", "-o", "o"});
    EXPECT_EQ(chosen.chain.lowPercentile, 2.0);
    EXPECT_EQ(chosen.chain.highPercentile, 98.0);
    EXPECT_EQ(AppliedOptionsText(chosen.chain), "--percent-stretch=2,98");
    // The pair after a blank is the value, wherever the option stands; a
    // mistyped pair is refused rather than opened as a file.
    const ConvertOptions spaced = Parse({"a", "--percent-stretch", "1,99", "b", "-o", "o"});
    EXPECT_EQ(spaced.inputs, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(spaced.chain.lowPercentile, 1.0);
    EXPECT_EQ(spaced.chain.highPercentile, 99.0);
    EXPECT_EQ(Parse({"--percent-stretch", "69_011.001", "-o", "o"}).inputs, std::vector<std::string>{"69_011.001"});
    EXPECT_THROW(Parse({"--percent-stretch", "1,9x9", "a", "-o", "o"}), UsageError);
    EXPECT_EQ(AppliedOptionsText(Parse({"--contrast", "1", "--equalize", "a", "-o", "o"}).chain),
              "--equalize --contrast 1");

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--percent-stretch=98,2", "a", "-o", "o"},
             {"--percent-stretch=1,101", "a", "-o", "o"},
             {"--percent-stretch=", "a", "-o", "o"},
             {"--percent-stretch=1,2", "--percent-stretch=1,3", "a", "-o", "o"},
             {"--equalize=1", "a", "-o", "o"},
             {"--original", "--equalize", "a", "-o", "o"},
             {"--info", "--percent-stretch", "a"},
             {"--stretch", "--percent-stretch", "a", "-o", "o"},
             {"--stretch", "--equalize", "a", "-o", "o"},
             {"--percent-stretch", "--equalize", "a", "-o", "o"}})
        EXPECT_THROW(Parse(args), UsageError) << args[0] << " " << args[1];
    try {
        Parse({"--equalize", "--stretch", "a", "-o", "o"});
    } catch (const UsageError& e) {
        EXPECT_STREQ(e.what(), "--stretch, --percent-stretch and --equalize exclude each other");
    }
    try {
        Parse({"--percent-stretch=5", "a", "-o", "o"});
    } catch (const UsageError& e) {
        EXPECT_STREQ(e.what(),
                     "--percent-stretch: '5' is not LOW,HIGH: two percentiles from 0 to 100, the low one first");
    }
}

TEST(ConvertCommand, WrongUsageExitsWithTwoAndHelpListsTheOptions) {
    cli_test::ScratchFolder scratch;
    const auto unknown = cli_test::RunConvert(scratch, {"--frobnicate", "x", "-o", scratch / "out"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("--frobnicate"), std::string::npos) << unknown.err;
    EXPECT_FALSE(std::filesystem::exists(scratch / "out"));

    const auto help = cli_test::RunConvert(scratch, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--jobs", "--png-level", "--contact-sheet", "--info", "--json", "--strict", "--as"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    for (const orbalux::DisplayOptionRow& row : orbalux::DisplayOptionTable())
        EXPECT_NE(help.out.find("--" + std::string(row.cliOption) + " "), std::string::npos) << row.cliOption;
    for (const orbalux::ToneLevelRow& row : orbalux::ToneLevelTable())
        EXPECT_NE(help.out.find("--" + std::string(row.cliOption) + " N"), std::string::npos) << row.cliOption;
}

TEST(ConvertCommand, BashCompletionOffersEveryOptionOfTheTable) {
    // The completion script as installed, with bash-completion's two helpers
    // reduced to what it asks of them, completing "--".
    const std::string script = "source '" ORBALUX_COMPLETION_SCRIPT
                               "'\n"
                               "_init_completion() { words=('" ORBALUX_CONVERT_BINARY
                               "' --); cword=1; cur=--; prev=${words[0]}; }\n"
                               "_filedir() { :; }\n"
                               "_orbalux_convert; printf '%s\\n' \"${COMPREPLY[@]}\"\n";
    cli_test::ScratchFolder scratch;
    cli_test::WriteText(scratch / "complete.sh", script);
    std::FILE* pipe = ::popen(("bash '" + (scratch / "complete.sh") + "'").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string offered;
    for (int c; (c = std::fgetc(pipe)) != EOF;) offered += static_cast<char>(c);
    EXPECT_EQ(::pclose(pipe), 0);
    for (const std::string& option : LongOptionNames())
        EXPECT_NE(offered.find(option + "\n"), std::string::npos) << option << " not offered:\n" << offered;
}
