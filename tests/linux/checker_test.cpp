// bramblecap-check explains a file with the plug-in's own reader.
#include "../behaviour/default_file.h"
#include "../behaviour/plugin_test.h"
#include "tools/check/explain_config.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class Checker : public PluginTest {
  protected:
    int check(const std::string& path) {
        std::ostringstream out;
        const int status = explainConfig(path, out);
        output = out.str();
        return status;
    }
    // The explanation printed under a line of the file.
    std::string explanationOf(int line) const {
        std::istringstream in(output);
        std::string text;
        const std::string header = std::to_string(line) + "  [";
        while (std::getline(in, text)) {
            const auto start = text.find_first_not_of(' ');
            if (start != std::string::npos && start > 0 &&
                text.compare(start, header.size(), header) == 0 && std::getline(in, text)) {
                return text.substr(text.find_first_not_of(' '));
            }
        }
        return "";
    }
    std::size_t occurrences(const std::string& needle) const {
        std::size_t n = 0;
        for (auto at = output.find(needle); at != std::string::npos;
             at = output.find(needle, at + 1)) {
            ++n;
        }
        return n;
    }
    std::string output;
};

} // namespace

TEST_F(Checker, TheDefaultFileTakesEffectWhole) {
    writeConfig(expectedDefaultFile);
    EXPECT_EQ(check("BrambleCap.ini"), 0);
    EXPECT_EQ(occurrences("shield model 8, height 20\n"), 70u);
    EXPECT_EQ(explanationOf(2), "scanRadius = 100");
    EXPECT_EQ(explanationOf(3), "debug = false");
    EXPECT_NE(output.find("summary: radius 100, debug false, 70 entries, 0 lines without effect\n"),
              std::string::npos)
        << output;
}

TEST_F(Checker, EveryQuirkIsNamedWithItsReason) {
    EXPECT_EQ(check(BRAMBLECAP_SAMPLES "/quirks.ini"), 1);
    const std::pair<int, const char*> expected[] = {
        {1, "no effect: the file starts with a byte-order mark"},
        {2, "no effect: in no section: the byte-order mark on line 1 hid that header"},
        {5, "no effect: the key is \"scanRadius \": blanks around it are part of the key"},
        {6, "scanRadius = 50 (read from \"50m\")"},
        {7, "no effect: debug is set again on line 9"},
        {8, "no effect: keys are case-sensitive: \"Debug\" is not \"debug\""},
        {11, "no effect: section [settings] is not [Settings]: section names are case-sensitive"},
        {13, "no effect: section [ Settings] holds blanks, so it is not [Settings]"},
        {15, "comment"},
        {16, "entry \" #prop_tree_oak_01\": hash 0x"},
        {16, "a comment marker after a blank makes no comment"},
        {17, "no effect: the same model is listed again on line 23, whose numbers win"},
        {18, "entry \"prop_tree_pine_02 \": hash 0x"},
        {19, "no effect: the value \"4;12\" has no \",\" between its two numbers"},
        {20, "no effect: the value \"\" has no \",\""},
        {21, "shield model 19, height 5 (250 selects model 19)"},
        {22, "shield model 1, height -2 (nan selects model 1)"},
        {24, "entry \"\": hash 0x00000000, shield model 1, height 1"},
        {25, "no effect: begins with \"[\" but does not end with \"]\", so it is no header"},
        {26, "no effect: a header followed by a blank is no header"},
        {29, "no effect: in the empty section opened by \"[]\""},
        {31, "no effect: section [Extras] is not read by the plug-in"},
        {33, "shield model 2, height 30 (2.5 selects model 2)"},
    };
    for (const auto& [line, text] : expected) {
        EXPECT_NE(explanationOf(line).find(text), std::string::npos)
            << "line " << line << ": " << explanationOf(line);
    }
    EXPECT_NE(output.find("summary: radius 50, debug true, 8 entries, 15 lines without effect\n"),
              std::string::npos)
        << output;
}

TEST_F(Checker, CtrlZCutsTheFileShort) {
    writeConfig("[BLOCK_PROPS]\r\npine=1,2\x1A\r\noak=3,4\r\n");
    EXPECT_EQ(check("BrambleCap.ini"), 1);
    EXPECT_NE(output.find("Ctrl-Z"), std::string::npos);
    EXPECT_NE(output.find("1 entries, 1 line without effect"), std::string::npos) << output;
}

TEST_F(Checker, CtrlZAtTheStartOfALineEndsTheFileBeforeIt) {
    writeConfig("[BLOCK_PROPS]\r\npine=1,2\r\n\x1Aoak=3,4\r\n");
    EXPECT_EQ(check("BrambleCap.ini"), 1);
    EXPECT_EQ(explanationOf(3), "") << "the game reads no third line";
    EXPECT_NE(output.find("1 entries, 1 line without effect"), std::string::npos) << output;
}

TEST_F(Checker, AFileThatCannotBeReadExitsWithTwoAndIsNeverCreated) {
    EXPECT_EQ(check("BrambleCap.ini"), 2);
    EXPECT_NE(output.find("no such file"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(gameFolder / "BrambleCap.ini"));
    std::filesystem::create_directory(gameFolder / "BrambleCap.ini");
    EXPECT_EQ(check("BrambleCap.ini"), 2);
    EXPECT_NE(output.find("directory"), std::string::npos);
}

TEST_F(Checker, NumbersReadAsTheCLibraryReadsThem) {
    EXPECT_EQ(check(BRAMBLECAP_SAMPLES "/numbers.ini"), 0);
    EXPECT_EQ(explanationOf(2), "scanRadius = 16 (read from \"0x1p4\")");
    EXPECT_NE(explanationOf(4).find("shield model 19, height 1000 (inf selects model 19)"),
              std::string::npos);
    EXPECT_NE(explanationOf(5).find("shield model 1, height nan (-16 selects model 1)"),
              std::string::npos);
    EXPECT_NE(explanationOf(6).find("shield model 19, height -0.25 (inf selects model 19)"),
              std::string::npos);
    EXPECT_NE(explanationOf(7).find("shield model 18, height 0.5 (18.9999 selects model 18)"),
              std::string::npos);
}

TEST_F(Checker, RadiiAPlayerWouldHardlyMeanGetANote) {
    const std::pair<const char*, const char*> cases[] = {
        {"nan", "scanRadius = nan; note: every listed object in the world is then a candidate, "
                "and no shield is retired for distance"},
        {"-60", "scanRadius = -60; note: the scan covers 60 m, but shields go beyond 10 m"},
        {"0", "scanRadius = 0; note: only objects at exactly the player's position are candidates"},
        {"1e99", "scanRadius = inf (read from \"1e99\"); note: every listed object in the world is "
                 "then a candidate"},
    };
    for (const auto& [value, explained] : cases) {
        writeConfig(std::string("[Settings]\nscanRadius=") + value + "\n");
        EXPECT_EQ(check("BrambleCap.ini"), 0);
        EXPECT_EQ(explanationOf(2), explained);
    }
}
