// bramblecap-check explains a file with the plug-in's own parser, and warns of
// everything that does not take effect as written.
#include "../behaviour/default_file.h"
#include "../behaviour/plugin_test.h"
#include "tools/check/checker.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace {

class Checker : public PluginTest {
  protected:
    int check(const std::string& path, CheckOptions options = {}) {
        std::ostringstream out, errors;
        const int status = checkFile(path, options, out, errors);
        output = out.str();
        errorOutput = errors.str();
        return status;
    }
    int checkText(std::string_view text) {
        writeConfig(text);
        return check("BrambleCap.ini");
    }
    // The lines printed under a line of the file: its reading, then its warnings.
    std::vector<std::string> explanationOf(int line) const {
        std::istringstream in(output);
        std::string text;
        char header[16];
        std::snprintf(header, sizeof header, "%4d  [", line);
        std::vector<std::string> found;
        while (std::getline(in, text)) {
            if (text.rfind(header, 0) == 0) {
                while (std::getline(in, text) && text.rfind("        ", 0) == 0) {
                    found.push_back(text.substr(8));
                }
                break;
            }
        }
        return found;
    }
    bool says(const std::string& text) const { return output.find(text) != std::string::npos; }
    std::string output, errorOutput;
};

} // namespace

TEST_F(Checker, TheDefaultFileTakesEffectWhole) {
    EXPECT_EQ(checkText(expectedDefaultFile), 0) << output;
    EXPECT_EQ(explanationOf(2), std::vector<std::string>{"scanRadius = 100"});
    EXPECT_EQ(explanationOf(7),
              std::vector<std::string>{
                  "entry \"prop_rus_olive\": hash 0xBA07360D, shield model 8, height 20"});
    EXPECT_TRUE(says("summary: radius 100, debug false, 70 entries, 0 warnings\n")) << output;
}

TEST_F(Checker, TheQuirksSampleReadsAsItsGoldenExplanation) {
    // The expected text was read line by line against the file's rules.
    const std::filesystem::path samples = BRAMBLECAP_SAMPLES;
    std::filesystem::current_path(samples.parent_path().parent_path().parent_path());
    EXPECT_EQ(check("tools/check/samples/quirks.ini"), 1);
    EXPECT_EQ(output, readWholeFile(samples / "quirks.expected"));
}

TEST_F(Checker, ModelNamesSampleNamesSlipsAndSpellingsOfOneModel) {
    // Each hint was read against the rules: slips of one or two keys (or of
    // "_" and case) from a default name, hashes alike; far names and another
    // number or letter at a default name's end left alone.
    const std::filesystem::path samples = BRAMBLECAP_SAMPLES;
    std::filesystem::current_path(samples.parent_path().parent_path().parent_path());
    EXPECT_EQ(check("tools/check/samples/names.ini"), 1);
    EXPECT_EQ(output, readWholeFile(samples / "names.expected"));
}

TEST_F(Checker, AFileSavedAsUnicodeOrWithMacLineEndsIsNamedInOneLine) {
    const std::string lines = "[Settings]\r\ndebug=true\r\n[BLOCK_PROPS]\r\npine=1,2\r\n";
    const auto utf16 = [&](bool bigEndian) {
        std::string text;
        for (const char c : lines) {
            text += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
        }
        return text;
    };
    const std::pair<std::string, const char*> cases[] = {
        {"\xFF\xFE" + utf16(false),
         "is saved as Unicode (UTF-16): the plug-in reads plain text, so it finds no setting and "
         "no model in it; in Notepad choose Save As, Encoding: ANSI or UTF-8 (not \"UTF-8 with "
         "BOM\")\n"},
        {utf16(false), "is saved as Unicode (UTF-16): "},
        {"\xFE\xFF" + utf16(true), "is saved as Unicode big endian (UTF-16 BE): "},
        {utf16(true), "is saved as Unicode big endian (UTF-16 BE): "},
        {"[Settings]\rdebug=true\r[BLOCK_PROPS]\rpine=1,2\r",
         "has CR-only line ends (an old Mac editor's), so the plug-in reads it as one line"},
    };
    for (const auto& [text, words] : cases) {
        EXPECT_EQ(checkText(text), 2);
        EXPECT_EQ(output, "");
        EXPECT_EQ(errorOutput.rfind(std::string("bramblecap-check: BrambleCap.ini ") + words, 0),
                  0u)
            << errorOutput;
        EXPECT_EQ(std::ranges::count(errorOutput, '\n'), 1) << errorOutput;
        EXPECT_EQ(errorOutput.find('\0'), std::string::npos);
    }
    // CRs only after the last line's text: the plug-in reads the line as written.
    EXPECT_EQ(checkText("[BLOCK_PROPS]\r\r"), 1);
    EXPECT_EQ(errorOutput, "");
}

TEST_F(Checker, TheReadmeSampleIsWhatTheCheckerPrints) {
    const std::filesystem::path root =
        std::filesystem::path(BRAMBLECAP_SAMPLES).parent_path().parent_path().parent_path();
    std::filesystem::current_path(root);
    const std::string readme = readWholeFile(root / "README.md");
    const std::string command = "bramblecap-check --problems tools/check/samples/typos.ini\n";
    const auto start = readme.find(command);
    ASSERT_NE(start, std::string::npos) << "the README shows this command's output";
    const auto begin = start + command.size();
    const std::string shown = readme.substr(begin, readme.find("```", begin) - begin);
    EXPECT_EQ(check("tools/check/samples/typos.ini", {.problemsOnly = true}), 1);
    EXPECT_EQ(shown, output);
}

TEST_F(Checker, FilesThatDoNothingAreWarnedOf) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "warning: the file is empty: the plug-in keeps its settings and lists nothing"},
        {"[Settings]\r\nscanRadius=100\r\n",
         "warning: no entries in [BLOCK_PROPS]: the plug-in will shield nothing"},
        {"[Settings]\r\nscanRadius=abc\r\n[BLOCK_PROPS]\r\npine=1,2\r\n",
         "warning: the radius \"abc\" holds no number: it reads as 0"},
        {"[Settings]\r\ndebug=true \r\n[BLOCK_PROPS]\r\npine=1,2\r\n",
         "warning: \"true \" reads as false: only true, TRUE, True, 1 turn on the status line "
         "and BrambleCap.log"},
        {"[Settings]\r\nscanRadius=80,5\r\n[BLOCK_PROPS]\r\npine=1,2\r\n",
         "warning: \"80,5\" reads as 80: use a point as the decimal mark (\"80.5\")"},
        {"debug=1\r\n[BLOCK_PROPS]\r\npine=1,2\r\n",
         "no effect: before the first section header: it probably belongs under [Settings]"},
        {"pine=1,2\r\n[BLOCK_PROPS]\r\noak=1,2\r\n",
         "no effect: before the first section header: as a tree model line it probably belongs "
         "under [BLOCK_PROPS]"},
        {"[Settings]\r\n=7\r\n[BLOCK_PROPS]\r\npine=1,2\r\n",
         "no effect: the line starts with \"=\": its key is empty"},
        {"[Settings]\r\ncolour=red\r\n[BLOCK_PROPS]\r\npine=1,2\r\n",
         "no effect: unknown setting \"colour\"; the plug-in reads scanRadius and debug"},
        {"[BLOCK_PROPS]\r\npine=x,2m\r\n",
         "warning: the shield model number \"x\" holds no number: it reads as 0\n"
         "        warning: \"m\" after the height is ignored"},
    };
    for (const auto& [text, warning] : cases) {
        EXPECT_EQ(checkText(text), 1) << text;
        EXPECT_TRUE(says(warning)) << output;
    }
}

TEST_F(Checker, AnOverriddenLineShowsItsOwnReadingFirst) {
    EXPECT_EQ(checkText("[Settings]\r\ndebug=yes\r\ndebug=1\r\n[BLOCK_PROPS]\r\npine=1,2\r\n"
                        "pine=3,4\r\n"),
              1);
    EXPECT_EQ(explanationOf(2),
              (std::vector<std::string>{
                  "debug = false",
                  "warning: \"yes\" reads as false: only true, TRUE, True, 1 turn on the "
                  "status line and BrambleCap.log",
                  "warning: overridden by line 3"}));
    EXPECT_EQ(explanationOf(5).back(), "warning: overridden by line 6");
    EXPECT_TRUE(says("summary: radius 100, debug true, 1 entry, 3 warnings\n")) << output;
}

TEST_F(Checker, TheProblemsModeShowsOnlyTheLinesWithWarnings) {
    EXPECT_EQ(check(BRAMBLECAP_SAMPLES "/numbers.ini", {.problemsOnly = true}), 0);
    EXPECT_TRUE(explanationOf(2).empty()) << output;
    EXPECT_TRUE(says("0 warnings")) << output;
}

TEST_F(Checker, CtrlZCutsTheFileShort) {
    EXPECT_EQ(checkText("[BLOCK_PROPS]\r\npine=1,2\x1A\r\noak=3,4\r\n"), 1);
    EXPECT_TRUE(says("warning: Ctrl-Z (\\x1A) ends the file for the game: the 11 bytes after it "
                     "are never read"))
        << output;
    EXPECT_EQ(checkText("[BLOCK_PROPS]\r\npine=1,2\r\n\x1A"), 0) << output;
    EXPECT_TRUE(explanationOf(3).empty()) << "the game reads no third line";
}

TEST_F(Checker, AFileThatCannotBeReadExitsWithTwoAndIsNeverCreated) {
    EXPECT_EQ(check("BrambleCap.ini"), 2);
    EXPECT_EQ(errorOutput, "bramblecap-check: cannot read BrambleCap.ini: No such file or "
                           "directory (in the game folder, the plug-in writes the default file "
                           "when it starts)\n");
    EXPECT_TRUE(output.empty());
    EXPECT_EQ(check("nowhere/BrambleCap.ini"), 2);
    EXPECT_EQ(errorOutput, "bramblecap-check: cannot read nowhere/BrambleCap.ini: No such file or "
                           "directory\n")
        << "no folder, so nothing the plug-in could write there";
    EXPECT_FALSE(std::filesystem::exists(gameFolder / "BrambleCap.ini"));
    std::filesystem::create_directory(gameFolder / "BrambleCap.ini");
    EXPECT_EQ(check("BrambleCap.ini"), 2);
    EXPECT_EQ(errorOutput, "bramblecap-check: cannot read BrambleCap.ini: is a directory\n");
}

TEST_F(Checker, NumbersReadAsTheCLibraryReadsThem) {
    EXPECT_EQ(check(BRAMBLECAP_SAMPLES "/numbers.ini"), 0) << output;
    EXPECT_EQ(explanationOf(2), std::vector<std::string>{"scanRadius = 16 (read from \"0x1p4\")"});
    EXPECT_TRUE(says("shield model 19, height 1000 (inf selects model 19)"));
    EXPECT_TRUE(says("shield model 1, height nan (-16 selects model 1)"));
    EXPECT_TRUE(says("shield model 19, height -0.25 (inf selects model 19)"));
    EXPECT_TRUE(says("shield model 18, height 0.5 (18.9999 selects model 18)"));
}

TEST_F(Checker, RadiiAPlayerWouldHardlyMeanAreWarnedOf) {
    const std::pair<const char*, const char*> cases[] = {
        {"nan", "every listed object in the world is then a candidate, and no shield is retired "
                "for distance"},
        // Both rules square their reach: the scan's -r, retirement's r + 50.
        {"-50", "a negative radius: the scan reaches 50 m, but shields are retired beyond "
                "radius + 50 = 0 m, so every shield is deleted as soon as it is placed (and "
                "placed again in the next frame)"},
        {"-60", "a negative radius: the scan reaches 60 m, but retirement keeps shields only "
                "within 10 m (radius + 50 = -10), so those between 10 and 60 m away are deleted "
                "as soon as they are placed (and placed again in the next frame)"},
        {"-10", "a negative radius: the scan reaches 10 m, and shields are retired beyond "
                "radius + 50 = 40 m"},
        {"0", "only objects at exactly the player's position are candidates"},
        {"1e99", "every listed object in the world is then a candidate"},
    };
    for (const auto& [value, warning] : cases) {
        EXPECT_EQ(checkText(std::string("[Settings]\nscanRadius=") + value +
                            "\n[BLOCK_PROPS]\npine=1,1\n"),
                  1);
        EXPECT_EQ(explanationOf(2).back(), std::string("warning: ") + warning);
    }
}

TEST(CheckerFromExplorer, LooksInTheCurrentFolderThenBesideTheProgram) {
    const std::filesystem::path here = "/game", program = "/tools";
    const auto existing = [](std::initializer_list<const char*> files) {
        return [files](const std::filesystem::path& path) {
            for (const char* file : files) {
                if (path == file) {
                    return true;
                }
            }
            return false;
        };
    };
    EXPECT_EQ(
        configToCheck(here, program, existing({"/game/BrambleCap.ini", "/tools/BrambleCap.ini"})),
        "BrambleCap.ini");
    EXPECT_EQ(configToCheck(here, program, existing({"/tools/BrambleCap.ini"})),
              "/tools/BrambleCap.ini");
    EXPECT_EQ(configToCheck(here, program, existing({})), "BrambleCap.ini")
        << "the error then names the current folder's file";
}

TEST(CheckerFromExplorer, WaitsForEnterOnlyInAWindowOfItsOwn) {
    EXPECT_TRUE(waitBeforeClosing(1, true, true)) << "double-clicked, or a file dropped on it";
    EXPECT_FALSE(waitBeforeClosing(2, true, true)) << "run from a command prompt";
    EXPECT_FALSE(waitBeforeClosing(1, false, true)) << "input from a pipe or a file";
    EXPECT_FALSE(waitBeforeClosing(1, true, false)) << "output to a pipe or a file";
    EXPECT_FALSE(waitBeforeClosing(0, false, false)) << "no console at all";
}
