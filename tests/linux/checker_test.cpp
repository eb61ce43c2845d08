// bramblecap-check shows the verdict on each line that the log tells too:
// what the checker adds is its layout (every line, the lines with warnings,
// the window of its own), the details a modder asks for, the exit status and
// the file the player meant. Every expected text was written from the rules.
#include "../behaviour/default_file.h"
#include "../behaviour/plugin_test.h"
#include "tools/check/checker.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
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
    int checkText(std::string_view text, CheckOptions options = {}) {
        writeConfig(text);
        return check("BrambleCap.ini", options);
    }
    // The lines printed under a line of the file: what it does, then its warnings.
    std::vector<std::string> explanationOf(int line) const {
        std::istringstream in(output);
        std::string text;
        char heading[16];
        std::snprintf(heading, sizeof heading, "%4d  \"", line);
        std::vector<std::string> found;
        while (std::getline(in, text)) {
            if (text.starts_with(heading)) {
                while (std::getline(in, text) && text.starts_with("        ")) {
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

using View = CheckOptions::View;

std::filesystem::path repositoryRoot() {
    return std::filesystem::path(BRAMBLECAP_SAMPLES).parent_path().parent_path().parent_path();
}

} // namespace

TEST_F(Checker, TheDefaultFileTakesEffectWhole) {
    EXPECT_EQ(checkText(expectedDefaultFile), 0) << output;
    EXPECT_EQ(explanationOf(2), std::vector<std::string>{"sets the scan radius to 100 m"});
    EXPECT_EQ(explanationOf(7), std::vector<std::string>{"gives tree model \"prop_rus_olive\" "
                                                         "shield model 8, 20 m above it"});
    EXPECT_TRUE(says("summary: scanRadius=100, debug=false, 70 tree models listed, 0 warnings\n"))
        << output;
}

TEST_F(Checker, TheSamplesReadAsTheirGoldenExplanations) {
    // Read line by line against the file's rules: every line of the quirks
    // and of the model names; the numbers with how each one reads.
    std::filesystem::current_path(repositoryRoot());
    const std::tuple<const char*, CheckOptions, const char*> samples[] = {
        {"quirks", {}, "quirks"},
        {"names", {}, "names"},
        {"numbers", {.details = true}, "numbers"},
    };
    for (const auto& [sample, options, expected] : samples) {
        const std::string path = "tools/check/samples/" + std::string(sample);
        EXPECT_EQ(check(path + ".ini", options), 1) << sample;
        EXPECT_EQ(output,
                  readWholeFile("tools/check/samples/" + std::string(expected) + ".expected"));
    }
}

TEST_F(Checker, TheReadmeSampleIsWhatTheCheckerPrints) {
    std::filesystem::current_path(repositoryRoot());
    const std::string readme = readWholeFile("README.md");
    const std::string command = "bramblecap-check --problems tools/check/samples/typos.ini\n";
    const auto start = readme.find(command);
    ASSERT_NE(start, std::string::npos) << "the README shows this command's output";
    const auto begin = start + command.size();
    const std::string shown = readme.substr(begin, readme.find("```", begin) - begin);
    EXPECT_EQ(check("tools/check/samples/typos.ini", {.view = View::Problems}), 1);
    EXPECT_EQ(shown, output);
}

// The issue's cases as a player meets them, each line with its warning and
// fix under what it does; the verdicts' own tests hold every wording.
TEST_F(Checker, EveryCaseAPlayerDidNotMeanGetsItsFixAndExitOne) {
    const std::string models = "[BLOCK_PROPS]\r\n";
    const struct {
        const char* issueCase;
        std::string file;
        int line;
        std::string does, fix;
    } cases[] = {
        {"1: model 25", models + "prop_tree_pine_01=25,20.0\r\n", 2,
         "gives tree model \"prop_tree_pine_01\" shield model 19, 20 m above it",
         "pick a shield model from 1 to 19"},
        {"2: curly quotes", models + "\xE2\x80\x9Cprop_tree_pine_01\xE2\x80\x9D=8.0,20.0\r\n", 2,
         "gives tree model \"\\xE2\\x80\\x9Cprop_tree_pine_01\\xE2\\x80\\x9D\" shield model 8, "
         "20 m above it",
         "delete them, so that it reads \"prop_tree_pine_01\""},
        {"3: inf height", models + "prop_tree_pine_01=8.0,inf\r\n", 2,
         "gives tree model \"prop_tree_pine_01\" shield model 8, at height inf",
         "give the height in metres, such as 20.0"},
        {"4: a hash", models + "0xA0542754=8.0,20.0\r\n", 2,
         "gives tree model \"0xA0542754\" shield model 8, 20 m above it",
         "write its name instead, \"prop_tree_pine_01\""},
        {"4: a file", models + "prop_tree_pine_01.ydr=8.0,20.0\r\n", 2,
         "gives tree model \"prop_tree_pine_01.ydr\" shield model 8, 20 m above it",
         "write \"prop_tree_pine_01\""},
        {"5: a setting under the models", models + "scanRadius=150\r\n", 2,
         "the plug-in ignores this line", "move this line under [Settings]"},
        {"6: decimal commas", models + "prop_tree_pine_01=8,0,20,0\r\n", 2,
         "gives tree model \"prop_tree_pine_01\" shield model 8, 0 m above it",
         "use a point as the decimal mark (\"8.0,20.0\")"},
        {"7: a lone CR", "[Settings]\r\ndebug=true\rscanRadius=5\r\n" + models + "pine=1,2\r\n", 2,
         "turns off the status line and BrambleCap.log",
         "in Notepad, delete that line break and press Enter in its place"},
        {"8: a byte-order mark", "\xEF\xBB\xBF[Settings]\r\n" + models + "pine=1,2\r\n", 1,
         "the plug-in ignores this line",
         "in Notepad choose File, Save As, Encoding: UTF-8 (not \"UTF-8 with BOM\"), and save"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkText(c.file, {.view = View::Problems}), 1) << c.issueCase;
        const std::vector<std::string> shown = explanationOf(c.line);
        ASSERT_FALSE(shown.empty()) << c.issueCase << output;
        EXPECT_EQ(shown.front(), c.does) << c.issueCase;
        EXPECT_NE(std::ranges::find(shown, "fix: " + c.fix), shown.end()) << c.issueCase << "\n"
                                                                          << output;
    }
    // 9: a line copied twice, unchanged, changes nothing.
    EXPECT_EQ(checkText(models + "prop_tree_pine_01=8.0,20.0\r\nprop_tree_pine_01=8.0,20.0\r\n"), 0)
        << output;
}

TEST_F(Checker, TheDefaultViewSpeaksAPlayersWords) {
    // 12: no "entry", no hash, no "opens section", "blank" or "[]" for no
    // section: the player's own text aside (each line's quoted text).
    std::filesystem::current_path(repositoryRoot());
    for (const auto& sample : std::filesystem::directory_iterator("tools/check/samples")) {
        if (sample.path().extension() != ".ini") {
            continue;
        }
        check(sample.path().string());
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);) {
            if (line.size() > 6 && line[4] == ' ' && line[6] == '"') {
                continue; // the line as the file holds it
            }
            for (const char* word : {"entry", "entries", "hash", "opens section", "blank",
                                     "byte-order", " [] ", "details"}) {
                EXPECT_EQ(line.find(word), std::string::npos) << word << " in: " << line;
            }
        }
    }
}

TEST_F(Checker, DetailsComeOnlyWhenAsked) {
    const std::string file = "[BLOCK_PROPS]\r\n\x93pine\x94=8,20\r\n";
    checkText(file);
    EXPECT_FALSE(says("details:")) << output;
    checkText(file, {.details = true});
    EXPECT_EQ(explanationOf(2),
              (std::vector<std::string>{
                  "gives tree model \"\\x93pine\\x94\" shield model 8, 20 m above it",
                  "details: hash 0x600EB007",
                  "warning: the name holds curly quotes (\xE2\x80\x9C \xE2\x80\x9D), which become "
                  "part of it",
                  "fix: delete them, so that it reads \"pine\"",
                  "details: \\x93 and \\x94 (Windows-1252)"}));
}

TEST_F(Checker, EachViewShowsItsLinesAndAWindowOfItsOwnEndsWithWhatToDo) {
    const std::string file = "[Settings]\r\nscanRadius=100\r\ndebug=yes\r\n[BLOCK_PROPS]\r\n"
                             "pine=1,2\r\n";
    const std::string debugLine = "   3  \"debug=yes\"\n"
                                  "        turns off the status line and BrambleCap.log\n"
                                  "        warning: \"yes\" reads as false: only true, TRUE, "
                                  "True, 1 turn on the status line and BrambleCap.log\n"
                                  "        fix: write true to turn it on, or false to leave it "
                                  "off\n";
    const std::string summary =
        "summary: scanRadius=100, debug=false, 1 tree model listed, 1 warning\n";
    EXPECT_EQ(checkText(file, {.view = View::EveryLine}), 1);
    EXPECT_EQ(explanationOf(5).size(), 1u) << "every line is shown";
    EXPECT_TRUE(says(debugLine + "   4  \"[BLOCK_PROPS]\"\n")) << output;
    EXPECT_EQ(checkText(file, {.view = View::Problems}), 1);
    EXPECT_EQ(output, "BrambleCap.ini, the lines with warnings:\n" + debugLine + summary);
    // Double-clicked: the warnings last but for the summary, where the window shows them.
    EXPECT_EQ(checkText(file, {.view = View::OwnWindow}), 1);
    EXPECT_EQ(output, "BrambleCap.ini, the lines with warnings:\n" + debugLine + summary +
                          "(bramblecap-check --all, in a command prompt, shows what every line "
                          "does)\n");
    // Nothing to warn of: said so, not an empty list.
    EXPECT_EQ(checkText(expectedDefaultFile, {.view = View::OwnWindow}), 0);
    EXPECT_TRUE(says("the lines with warnings:\n  none: every line takes effect as written\n"
                     "summary: "))
        << output;
}

TEST_F(Checker, TheFileAsAWholeComesAfterItsLines) {
    EXPECT_EQ(checkText("", {.view = View::Problems}), 1);
    EXPECT_EQ(output, "BrambleCap.ini, the lines with warnings:\n"
                      "the file as a whole:\n"
                      "        warning: the file is empty: the plug-in keeps its settings and "
                      "lists no tree model\n"
                      "        fix: delete the file and start the game: the plug-in then writes "
                      "the default file\n"
                      "summary: scanRadius=100, debug=false, 0 tree models listed, 1 warning\n");
    EXPECT_EQ(checkText("[BLOCK_PROPS]\r\npine=1,2\r\n\x1A"), 0) << output;
    EXPECT_TRUE(explanationOf(3).empty()) << "the game reads no third line";
}

TEST_F(Checker, AFileSavedAsUnicodeOrWithMacLineEndsIsNamedInOneLine) {
    const std::string lines = "[Settings]\r\ndebug=true\r\n[BLOCK_PROPS]\r\npine=1,2\r\n";
    const auto utf16 = [&](bool bigEndian) { return utf16Text(lines, bigEndian); };
    const std::pair<std::string, const char*> cases[] = {
        {"\xFF\xFE" + utf16(false),
         "is saved as Unicode (UTF-16): the plug-in reads plain text, so it finds no setting and "
         "no model in it; in Notepad choose File, Save As, Encoding: UTF-8 (not \"UTF-8 with "
         "BOM\"), and save\n"},
        {utf16(false), "is saved as Unicode (UTF-16): "},
        {"\xFE\xFF" + utf16(true), "is saved as Unicode big endian (UTF-16 BE): "},
        {utf16(true), "is saved as Unicode big endian (UTF-16 BE): "},
        {"[Settings]\rdebug=true\r[BLOCK_PROPS]\rpine=1,2\r",
         "has CR-only line ends (an old Mac editor's), so the plug-in reads it as one line"},
    };
    for (const auto& [text, words] : cases) {
        EXPECT_EQ(checkText(text), 2);
        EXPECT_EQ(output, "");
        EXPECT_TRUE(
            errorOutput.starts_with(std::string("bramblecap-check: BrambleCap.ini ") + words))
            << errorOutput;
        EXPECT_EQ(std::ranges::count(errorOutput, '\n'), 1) << errorOutput;
        EXPECT_EQ(errorOutput.find('\0'), std::string::npos);
    }
    // CRs only after the last line's text: the plug-in reads the line as written.
    EXPECT_EQ(checkText("[BLOCK_PROPS]\r\r"), 1);
    EXPECT_EQ(errorOutput, "");
}

// 10: the file the player meant, whatever Explorer shows of its name.
TEST_F(Checker, AFileNamedAlmostAsTheOneThePlugInReadsIsNamedWithTheRename) {
    const std::string file = "[BLOCK_PROPS]\r\nprop_tree_pine_01=8.0,20.0\r\n";
    const std::pair<const char*, const char*> named[] = {
        {"BrambleCap.ini.txt", "Explorer hides its ending \".txt\" unless View, File name "
                               "extensions is on\n        fix: rename it to \"BrambleCap.ini\""},
        {"BrambleCap.INI.txt", "Explorer hides its ending \".txt\" unless View, File name "
                               "extensions is on\n        fix: rename it to \"BrambleCap.ini\""},
        {"BrambleCap (2).ini", "\" (2)\" is added to its name\n        fix: rename it to "
                               "\"BrambleCap.ini\""},
        {"trees.ini.txt", "Explorer hides its ending \".txt\" unless View, File name extensions "
                          "is on\n        fix: rename it to \"trees.ini\""},
    };
    for (const auto& [name, why] : named) {
        std::ofstream(gameFolder / name, std::ios::binary) << file;
        EXPECT_EQ(check(name), 1) << name;
        EXPECT_TRUE(says("the file as a whole:\n        warning: the plug-in reads only "
                         "BrambleCap.ini, and this file is \"" +
                         std::string(name) + "\": " + why + "\n"))
            << output;
        std::filesystem::remove(gameFolder / name);
    }
    for (const char* name : {"BrambleCap.ini.bak", "bramblecap_old.ini"}) {
        std::ofstream(gameFolder / name, std::ios::binary) << file;
        EXPECT_EQ(check(name), 1) << name;
        EXPECT_TRUE(says("the file as a whole:\n        warning: the plug-in reads only "
                         "BrambleCap.ini, never \"" +
                         std::string(name) +
                         "\"\n        fix: to use this file, rename it to \"BrambleCap.ini\" "
                         "after moving any BrambleCap.ini beside it away\n"))
            << output;
        std::filesystem::remove(gameFolder / name);
    }
    for (const char* name : {"bramblecap.ini", "trees.ini"}) {
        std::ofstream(gameFolder / name, std::ios::binary) << file;
        EXPECT_EQ(check(name), 0) << name << ": Windows finds any case; a test file is a test file";
    }
}

// Explorer shows "BrambleCap.ini.txt" as "BrambleCap.ini" beside the real one:
// the player may have edited the other.
TEST_F(Checker, ANearNameBesideTheFileIsNamedWithBothWaysOn) {
    const std::string file = "[BLOCK_PROPS]\r\nprop_tree_pine_01=8.0,20.0\r\n";
    std::filesystem::create_directory(gameFolder / "mods");
    std::ofstream(gameFolder / "mods" / "BrambleCap.ini", std::ios::binary) << file;
    for (const char* other : {"BrambleCap.ini.bak", "notes.txt", "BrambleCap.log"}) {
        std::ofstream(gameFolder / "mods" / other) << file;
    }
    EXPECT_EQ(check("mods/BrambleCap.ini"), 0) << "a backup's name is no near name: " << output;
    std::ofstream(gameFolder / "mods" / "BrambleCap.ini.txt") << file;
    std::ofstream(gameFolder / "mods" / "BrambleCap (1).ini") << file;
    EXPECT_EQ(check("mods/BrambleCap.ini", {.view = View::Problems}), 1);
    const auto beside = [](const std::string& name, const std::string& why) {
        return "        warning: beside it is \"" + name + "\" (" + why +
               "), which may be the file you edited; the plug-in reads only BrambleCap.ini\n"
               "        fix: edit BrambleCap.ini; or, if \"" +
               name +
               "\" holds your edits, move BrambleCap.ini away and rename that file to "
               "\"BrambleCap.ini\"\n";
    };
    EXPECT_EQ(output,
              "mods/BrambleCap.ini, the lines with warnings:\nthe file as a whole:\n" +
                  beside("BrambleCap (1).ini", "\" (1)\" is added to its name") +
                  beside("BrambleCap.ini.txt", "Explorer hides its ending \".txt\" "
                                               "unless View, File name extensions is on") +
                  "summary: scanRadius=100, debug=false, 1 tree model listed, 2 warnings\n");
    EXPECT_EQ(errorOutput, "");
}

TEST_F(Checker, AMissingFileNamesTheNearNamesBesideIt) {
    EXPECT_EQ(check("BrambleCap.ini"), 2);
    EXPECT_EQ(errorOutput, "bramblecap-check: cannot read BrambleCap.ini: No such file or "
                           "directory\n");
    EXPECT_TRUE(output.empty());
    std::filesystem::create_directory(gameFolder / "mods");
    for (const char* name : {"BrambleCap.ini.ini", "BrambleCap.txt", "notes.txt"}) {
        std::ofstream(gameFolder / "mods" / name) << "[BLOCK_PROPS]\r\n";
    }
    EXPECT_EQ(check("mods/BrambleCap.ini"), 2);
    EXPECT_EQ(errorOutput,
              "bramblecap-check: cannot read mods/BrambleCap.ini: No such file or directory; mods "
              "holds \"BrambleCap.ini.ini\" (Explorer hides its last \".ini\" unless View, File "
              "name extensions is on) and \"BrambleCap.txt\" (it ends in \".txt\", not \".ini\"): "
              "rename the one you edited to \"BrambleCap.ini\"\n");
    EXPECT_FALSE(std::filesystem::exists(gameFolder / "BrambleCap.ini")) << "never created";
    std::filesystem::create_directory(gameFolder / "BrambleCap.ini");
    EXPECT_EQ(check("BrambleCap.ini"), 2);
    EXPECT_EQ(errorOutput, "bramblecap-check: cannot read BrambleCap.ini: is a directory\n");
}

// 13: one story. For every sample and every case above, the plug-in's log with
// debug on lists the lines the checker warns of, in order, up to its 20 and
// then how many more, and says "every line takes effect" only where the
// checker warns of nothing.
TEST_F(Checker, TheLogListsEveryLineTheCheckerWarnsOf) {
    const std::string models = "[BLOCK_PROPS]\r\n";
    std::vector<std::string> files = {
        std::string(expectedDefaultFile),
        models + "prop_tree_pine_01=25,20.0\r\nprop_tree_pine_02=0,20.0\r\n",
        models + "\xE2\x80\x9Cprop_tree_pine_01\xE2\x80\x9D=8.0,20.0\r\n",
        models + "prop_tree_pine_01=8.0,nan\r\nprop_tree_pine_02=8.0,1e39\r\n",
        models + "0xA0542754=8.0,20.0\r\nprop_tree_pine_01.ydr=8.0,20.0\r\n",
        models + "scanRadius=150\r\nprop_tree_pine_01=8,0,20,0\r\n",
        "[Settings]\r\ndebug=true\rscanRadius=5\r\nscanRadius=80,5\r\n" + models + "pine=1,2\r\n",
        "\xEF\xBB\xBF[Settings]\r\nscanRadius=\xE2\x80\x9C"
        "80\xE2\x80\x9D\r\n" +
            models + "pine=1,2\r\n",
        models + "prop_tree_pine_01=8.0,20.0\r\nprop_tree_pine_01=8.0,20.0\r\n",
        "[Settings]\r\ndebug=true\r\n" + models + "pine=1,2\x1A\r\noak=3,4\r\n",
    };
    for (const auto& sample : std::filesystem::directory_iterator(BRAMBLECAP_SAMPLES)) {
        if (sample.path().extension() == ".ini") {
            files.push_back(readWholeFile(sample.path()));
        }
    }
    for (const std::string& file : files) {
        // Debug on at the end, where it changes no line above.
        const std::string text = file + "\r\n[Settings]\r\ndebug=true\r\n";
        const int status = checkText(text);
        std::vector<int> warned;
        int line = 0;
        std::istringstream shown(output);
        for (std::string row; std::getline(shown, row);) {
            if (row.size() > 6 && row.substr(4, 3) == "  \"") {
                line = std::stoi(row);
            } else if (row.starts_with("        warning: ") && line > 0 &&
                       (warned.empty() || warned.back() != line)) {
                warned.push_back(line);
            } else if (row == "the file as a whole:") {
                line = 0;
            }
        }
        restart(text);
        const std::string log = readFile("BrambleCap.log");
        std::vector<int> listed;
        std::istringstream logged(log);
        for (std::string row; std::getline(logged, row);) {
            if (row.starts_with("    line ")) {
                listed.push_back(std::stoi(row.substr(9)));
            }
        }
        const std::size_t cap = 20;
        EXPECT_EQ(listed,
                  std::vector<int>(warned.begin(), warned.begin() + std::min(warned.size(), cap)))
            << file << "\n"
            << output << log;
        EXPECT_EQ(log.find("    and " + std::to_string(warned.size() - cap) + " more") !=
                      std::string::npos,
                  warned.size() > cap)
            << log;
        EXPECT_EQ(log.find("the file as a whole:") != std::string::npos,
                  says("the file as a whole:"))
            << log << output;
        EXPECT_EQ(log.find("every line takes effect") != std::string::npos, status == 0)
            << log << output;
    }
}

TEST(CheckerFromExplorer, LooksInTheCurrentFolderThenBesideTheProgram) {
    const std::filesystem::path here = "/game", program = "/tools";
    const auto holding = [](std::vector<std::string> game, std::vector<std::string> tools) {
        return
            [=](const std::filesystem::path& folder) { return folder == "/game" ? game : tools; };
    };
    std::string missing;
    EXPECT_EQ(
        configToCheck(here, program, holding({"BrambleCap.ini"}, {"BrambleCap.ini"}), missing),
        "BrambleCap.ini");
    EXPECT_EQ(configToCheck(here, program, holding({"brambleCAP.ini"}, {}), missing),
              "brambleCAP.ini")
        << "Windows finds it under any case, and so does the plug-in";
    EXPECT_EQ(configToCheck(here, program, holding({"a.ini"}, {"BrambleCap.ini"}), missing),
              "/tools/BrambleCap.ini");
    EXPECT_EQ(configToCheck(here, program, holding({}, {}), missing), std::nullopt);
    EXPECT_EQ(missing, "no BrambleCap.ini in /game or in /tools; if you have none yet, start the "
                       "game once with BrambleCap.asi in its folder: the plug-in then writes the "
                       "default file there");
    // A player's file under a near name is never to be replaced by the default.
    EXPECT_EQ(configToCheck(here, here, holding({"BrambleCap.ini.txt", "x.ini"}, {}), missing),
              std::nullopt);
    EXPECT_EQ(missing, "no BrambleCap.ini in /game; /game holds \"BrambleCap.ini.txt\" (Explorer "
                       "hides its ending \".txt\" unless View, File name extensions is on): "
                       "rename it to \"BrambleCap.ini\"");
    EXPECT_EQ(configToCheck(here, program, holding({}, {"BrambleCap - Copy.ini"}), missing),
              std::nullopt);
    EXPECT_EQ(missing, "no BrambleCap.ini in /game or in /tools; /tools holds \"BrambleCap - "
                       "Copy.ini\" (\" - Copy\" is added to its name): rename it to "
                       "\"BrambleCap.ini\"");
}

TEST(CheckerFromExplorer, WaitsForEnterOnlyInAWindowOfItsOwn) {
    EXPECT_TRUE(waitBeforeClosing(1, true, true)) << "double-clicked, or a file dropped on it";
    EXPECT_FALSE(waitBeforeClosing(2, true, true)) << "run from a command prompt";
    EXPECT_FALSE(waitBeforeClosing(1, false, true)) << "input from a pipe, a file or a device";
    EXPECT_FALSE(waitBeforeClosing(1, true, false)) << "output to a pipe, a file or a device";
    EXPECT_FALSE(waitBeforeClosing(0, false, false)) << "no console at all";
}
