// What the plug-in does with each line, and what a player probably did not
// mean, with the fix: one verdict that the checker and the log both tell.
// Every expected text was written from the file's rules, not taken from a run.
#include "../behaviour/default_file.h"
#include "../behaviour/plugin_test.h"
#include "config/explain.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Said {
    std::string problem, fix;
    bool operator==(const Said&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Said& said) {
    return out << "\n  " << said.problem << "\n  fix: " << said.fix;
}

std::vector<Said> saidOf(const std::vector<Warning>& warnings) {
    std::vector<Said> said;
    for (const Warning& warning : warnings) {
        said.push_back({warning.problem, warning.fix});
    }
    return said;
}

// A file, the line looked at, what the plug-in does with it and the warnings.
struct Case {
    std::string file;
    int line;
    std::string does;
    std::vector<Said> warnings;
};

void expectVerdicts(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const FileVerdict verdict = judgeConfig(c.file);
        ASSERT_LE(c.line, static_cast<int>(verdict.lines.size())) << c.file;
        const LineVerdict& line = verdict.lines[c.line - 1];
        EXPECT_EQ(line.number, c.line);
        EXPECT_EQ(line.does, c.does) << c.file;
        EXPECT_EQ(saidOf(line.warnings), c.warnings) << c.file;
    }
}

const std::string models = "[BLOCK_PROPS]\r\n";
const std::string settings = "[Settings]\r\n";
const Said pickAModel{"", "pick a shield model from 1 to 19"};
const std::string pointNotComma = "use a point as the decimal mark (";
const std::string saveAsUtf8 =
    "in Notepad choose File, Save As, Encoding: UTF-8 (not \"UTF-8 with BOM\"), and save";

Said modelUsed(const std::string& problem) {
    return {problem, pickAModel.fix};
}

} // namespace

TEST(LineVerdicts, AShieldModelOutsideOneToNineteenNamesTheModelUsed) {
    const std::string pine = "gives tree model \"prop_tree_pine_01\" shield model ";
    expectVerdicts({
        {models + "prop_tree_pine_01=25,20.0",
         2,
         pine + "19, 20 m above it",
         {modelUsed("there is no shield model 25: shield model 19 will be used")}},
        {models + "prop_tree_pine_01=0,20.0",
         2,
         pine + "1, 20 m above it",
         {modelUsed("there is no shield model 0: shield model 1 will be used")}},
        {models + "prop_tree_pine_01=-3,20",
         2,
         pine + "1, 20 m above it",
         {modelUsed("there is no shield model -3: shield model 1 will be used")}},
        {models + "prop_tree_pine_01=nan,20",
         2,
         pine + "1, 20 m above it",
         {modelUsed("the shield model number \"nan\" is not a number: shield model 1 will be "
                    "used")}},
        // Cut to a whole number, these stay within 1 to 19.
        {models + "prop_tree_pine_01=1.99,20", 2, pine + "1, 20 m above it", {}},
        {models + "prop_tree_pine_01=19.9,-2", 2, pine + "19, 2 m below it", {}},
    });
}

TEST(LineVerdicts, HeightsThatAreNoRealNumberAreNamed) {
    const std::string pine = "gives tree model \"prop_tree_pine_01\" shield model 8, at height ";
    const std::string fix = "give the height in metres, such as 20.0";
    expectVerdicts({
        {models + "prop_tree_pine_01=8,nan",
         2,
         pine + "nan",
         {{"the height \"nan\" is not a number: the shields get no real height", fix}}},
        {models + "prop_tree_pine_01=8,inf",
         2,
         pine + "inf",
         {{"the height \"inf\" is infinite: the shields get no real height", fix}}},
        {models + "prop_tree_pine_01=8,1e39",
         2,
         pine + "inf",
         {{"the height \"1e39\" is too large, so it reads as infinite: the shields get no real "
           "height",
           fix}}},
    });
}

TEST(LineVerdicts, LookAlikeCharactersAreNamedWithThePlainText) {
    const std::string ignored = "the plug-in ignores this line";
    expectVerdicts({
        // A name pasted from a web page, between curly quotes.
        {models + "\xE2\x80\x9Cprop_tree_pine_01\xE2\x80\x9D=8.0,20.0",
         2,
         "gives tree model \"\\xE2\\x80\\x9Cprop_tree_pine_01\\xE2\\x80\\x9D\" shield model 8, "
         "20 m above it",
         {{"the name holds curly quotes (\xE2\x80\x9C \xE2\x80\x9D), which become part of it",
           "delete them, so that it reads \"prop_tree_pine_01\""}}},
        // The same from a file Notepad saved as ANSI.
        {models + "\x93prop_tree_pine_01\x94=8.0,20.0",
         2,
         "gives tree model \"\\x93prop_tree_pine_01\\x94\" shield model 8, 20 m above it",
         {{"the name holds curly quotes (\xE2\x80\x9C \xE2\x80\x9D), which become part of it",
           "delete them, so that it reads \"prop_tree_pine_01\""}}},
        {settings + "scanRadius=\xE2\x80\x9C"
                    "80\xE2\x80\x9D",
         2,
         "sets the scan radius to 0 m",
         {{"the value holds curly quotes (\xE2\x80\x9C \xE2\x80\x9D), which become part of it",
           "delete them, so that it reads \"80\""},
          {"the radius \"\\xE2\\x80\\x9C"
           "80\\xE2\\x80\\x9D\" holds no number: it reads as 0",
           "write the radius in metres, such as 100"},
          {"a radius of 0: only objects at exactly the player's position are candidates",
           "give the radius in metres, more than 0, such as 100"}}},
        {models + "prop_tree_pine_01=8.0,\xC2\xA0"
                  "20.0",
         2,
         "gives tree model \"prop_tree_pine_01\" shield model 8, 0 m above it",
         {{"the value holds a non-breaking space, which looks like a space but becomes part of it",
           "delete it, so that it reads \"8.0,20.0\""},
          {"the height \"\\xC2\\xA0"
           "20.0\" holds no number: it reads as 0",
           "write the height in metres, such as 20.0"}}},
        {models + "prop_tree_pine_01=8.0,\xE2\x80\x93"
                  "20.0",
         2,
         "gives tree model \"prop_tree_pine_01\" shield model 8, 0 m above it",
         {{"the value holds a long dash (\xE2\x80\x93), which looks like \"-\" but is another "
           "character",
           "type \"-\" in its place, so that it reads \"8.0,-20.0\""},
          {"the height \"\\xE2\\x80\\x93"
           "20.0\" holds no number: it reads as 0",
           "write the height in metres, such as 20.0"}}},
        {models + "prop_tree_pine_01\xEF\xBC\x9D"
                  "8.0,20.0",
         2,
         ignored,
         {{"the line holds a full-width \"\xEF\xBC\x9D\", which looks like \"=\" but is another "
           "character",
           "type \"=\" in its place, so that it reads \"prop_tree_pine_01=8.0,20.0\""},
          {"no \"=\" in the line", "write it as a tree model's name, \"=\" and two numbers, such "
                                   "as prop_tree_pine_01=8.0,20.0"}}},
        {models + "prop_tree_pine_01=8.0\xEF\xBC\x8C"
                  "20.0",
         2,
         ignored,
         {{"the value holds a full-width \"\xEF\xBC\x8C\", which looks like \",\" but is another "
           "character",
           "type \",\" in its place, so that it reads \"8.0,20.0\""},
          {"the value \"8.0\\xEF\\xBC\\x8C"
           "20.0\" has no \",\" between its two numbers; nothing "
           "is listed",
           "write the shield model number and the height with a \",\" between them, such as "
           "8.0,20.0"}}},
    });
    // The details name the characters for a modder.
    EXPECT_EQ(judgeConfig(models + "\x93pine\x94=8,20").lines[1].warnings.at(0).details,
              "\\x93 and \\x94 (Windows-1252)");
    EXPECT_EQ(judgeConfig(models + "pine\xC2\xA0=8,20").lines[1].warnings.at(0).details, "U+00A0");
}

TEST(LineVerdicts, CyrillicAndGreekLettersAndTheMinusSignAreNamedAsLookAlikes) {
    expectVerdicts({
        // A Cyrillic "р" (U+0440) for the Latin "p".
        {models + "prop_tree_\xD1\x80ine_01=8.0,20.0",
         2,
         "gives tree model \"prop_tree_\\xD1\\x80ine_01\" shield model 8, 20 m above it",
         {{"the name holds a Cyrillic \"\xD1\x80\", which looks like \"p\" but is another letter",
           "type \"p\" in its place, so that it reads \"prop_tree_pine_01\""}}},
        // A capital Cyrillic "Р" (U+0420) and a Greek omicron (U+03BF).
        {models + "PROP_TREE_\xD0\xA0INE_01=8,20",
         2,
         "gives tree model \"PROP_TREE_\\xD0\\xA0INE_01\" shield model 8, 20 m above it",
         {{"the name holds a Cyrillic \"\xD0\xA0\", which looks like \"P\" but is another letter",
           "type \"P\" in its place, so that it reads \"PROP_TREE_PINE_01\""}}},
        {models + "pr\xCE\xBFp_tree_pine_01=8,20",
         2,
         "gives tree model \"pr\\xCE\\xBFp_tree_pine_01\" shield model 8, 20 m above it",
         {{"the name holds a Greek \"\xCE\xBF\", which looks like \"o\" but is another letter",
           "type \"o\" in its place, so that it reads \"prop_tree_pine_01\""}}},
        // U+2212, the minus sign, is no dash.
        {models + "prop_tree_pine_01=8.0,\xE2\x88\x92"
                  "2.0",
         2,
         "gives tree model \"prop_tree_pine_01\" shield model 8, 0 m above it",
         {{"the value holds a minus sign (\xE2\x88\x92), which looks like \"-\" but is another "
           "character",
           "type \"-\" in its place, so that it reads \"8.0,-2.0\""},
          {"the height \"\\xE2\\x88\\x92"
           "2.0\" holds no number: it reads as 0",
           "write the height in metres, such as 20.0"}}},
    });
}

TEST(LineVerdicts, ANameIsReadUpToAnInvisibleNul) {
    using namespace std::string_literals;
    const std::string pine = "gives tree model \"prop_tree_pine_01\" shield model 8, 20 m above it";
    const std::string file = models + "prop_tree_pine_01\0xyz=8,20\r\nprop_tree_pine_01=8,20"s;
    expectVerdicts({
        {models + "\0prop_tree_pine_01=8.0,20.0"s,
         2,
         "gives tree model \"\" shield model 8, 20 m above it",
         {{"the name holds an invisible character that the game stops reading at, so the game "
           "reads the name as \"\"",
           "delete it (retype the name if you cannot find it), so that it reads "
           "\"prop_tree_pine_01\""}}},
        {file,
         2,
         pine,
         {{"the name holds an invisible character that the game stops reading at, so the game "
           "reads the name as \"prop_tree_pine_01\"",
           "delete it (retype the name if you cannot find it), so that it reads "
           "\"prop_tree_pine_01xyz\""}}},
        // The same model as the game reads it, with the same numbers: no override.
        {file, 3, pine, {}},
    });
    EXPECT_EQ(judgeConfig(file).treeModels, 1u);
    EXPECT_EQ(judgeConfig(file).lines[1].details, "hash 0xA0542754");
}

TEST(LineVerdicts, AHeaderWithBlanksAroundItIsNamedWhateverCameBefore) {
    const std::string ignored = "the plug-in ignores this line";
    const Said spaceAfter{"", "delete the space after \"]\""};
    const Said spaceBefore{"", "delete the space before \"[\""};
    expectVerdicts({
        {"[Settings] \nscanRadius=50\n[BLOCK_PROPS]\nprop_tree_pine_01=8,20\n",
         1,
         ignored,
         {{"a space after \"]\" makes this no header; the lines after it belong to no section",
           spaceAfter.fix}}},
        {"[Settings] \nscanRadius=50\n[BLOCK_PROPS]\nprop_tree_pine_01=8,20\n",
         2,
         ignored,
         {{"line 1, \"[Settings] \", is no header because of the space after \"]\", so this line "
           "is not under [Settings]",
           "delete the space after \"]\" on line 1"}}},
        {"[Settings]\nscanRadius=50\n [BLOCK_PROPS]\nprop_tree_pine_01=8,20\n",
         3,
         ignored,
         {{"a space before \"[\" makes this no header; the lines after it stay in section "
           "[Settings]",
           spaceBefore.fix}}},
        {"[Settings]\nscanRadius=50\n [BLOCK_PROPS]\nprop_tree_pine_01=8,20\n",
         4,
         ignored,
         {{"line 3, \" [BLOCK_PROPS]\", is no header because of the space before \"[\", so this "
           "line is not under [BLOCK_PROPS]",
           "delete the space before \"[\" on line 3"}}},
        // Not blamed on the header before, itself spaced.
        {"[ Settings ]\n[Settings] \n",
         2,
         ignored,
         {{"a space after \"]\" makes this no header; the lines after it stay in section "
           "[ Settings ]",
           spaceAfter.fix}}},
        {"[ Settings ]\n [Settings]\n",
         2,
         ignored,
         {{"a space before \"[\" makes this no header; the lines after it stay in section "
           "[ Settings ]",
           spaceBefore.fix}}},
        {"[Settings]\n  [BLOCK_PROPS]\t\n",
         2,
         ignored,
         {{"spaces before \"[\" and after \"]\" make this no header; the lines after it stay in "
           "section [Settings]",
           "delete the spaces before \"[\" and after \"]\""}}},
        {"[BLOCK_PROPS]\n[Settings]  \n",
         2,
         ignored,
         {{"spaces after \"]\" make this no header; the lines after it stay in section "
           "[BLOCK_PROPS]",
           "delete the spaces after \"]\""}}},
        // A spaced header naming the section a line is in anyway is not its fault,
        // and a real header ends the blame.
        {"[Settings]\n[Settings] \nscanRadiuss=5\n",
         3,
         ignored,
         {{"unknown setting \"scanRadiuss\"; the plug-in reads scanRadius and debug",
           "write scanRadius or debug, or start the line with \"#\" to keep it as a note"}}},
        {"[Settings] \n[BLOCK_PROPS]\nscanRadius=5\n",
         3,
         ignored,
         {{"\"scanRadius\" is a setting, and settings are read only under [Settings]",
           "move this line under [Settings]"}}},
    });
}

TEST(LineVerdicts, AFileSavedAsUtf16GetsTheFileWarningAlone) {
    const std::string lines = "[Settings]\r\ndebug=true\r\n[BLOCK_PROPS]\r\npine=1,2\r\n";
    const auto utf16 = [&](bool bigEndian) { return utf16Text(lines, bigEndian); };
    const std::string finds =
        ": the plug-in reads plain text, so it finds no setting and no model in it";
    const std::pair<std::string, std::string> cases[] = {
        {"\xFF\xFE" + utf16(false), "the file is saved as Unicode (UTF-16)" + finds},
        {utf16(false), "the file is saved as Unicode (UTF-16)" + finds},
        {"\xFE\xFF" + utf16(true), "the file is saved as Unicode big endian (UTF-16 BE)" + finds},
        {utf16(true), "the file is saved as Unicode big endian (UTF-16 BE)" + finds},
    };
    for (const auto& [file, problem] : cases) {
        const FileVerdict verdict = judgeConfig(file);
        EXPECT_EQ(saidOf(verdict.fileWarnings), (std::vector<Said>{{problem, saveAsUtf8}}));
        for (const LineVerdict& line : verdict.lines) {
            EXPECT_TRUE(line.warnings.empty()) << line.number << ": " << line.warnings[0].problem;
        }
    }
}

TEST(LineVerdicts, AModelGivenByItsHashOrItsFileIsNamed) {
    expectVerdicts({
        {models + "0xA0542754=8.0,20.0",
         2,
         "gives tree model \"0xA0542754\" shield model 8, 20 m above it",
         {{"\"0xA0542754\" is a model's hash, but tree models are listed by name: the game looks "
           "for a model called \"0xA0542754\"",
           "write its name instead, \"prop_tree_pine_01\""}}},
        {models + "0x12345678=8,20",
         2,
         "gives tree model \"0x12345678\" shield model 8, 20 m above it",
         {{"\"0x12345678\" is a model's hash, but tree models are listed by name: the game looks "
           "for a model called \"0x12345678\"",
           "write the model's name instead"}}},
        {models + "prop_tree_pine_01.ydr=8.0,20.0",
         2,
         "gives tree model \"prop_tree_pine_01.ydr\" shield model 8, 20 m above it",
         {{"\"prop_tree_pine_01.ydr\" ends in the file extension \".ydr\", which the game's model "
           "names do not have",
           "write \"prop_tree_pine_01\""}}},
        {models + "My_Bush.YFT=2,5",
         2,
         "gives tree model \"My_Bush.YFT\" shield model 2, 5 m above it",
         {{"\"My_Bush.YFT\" ends in the file extension \".YFT\", which the game's model names do "
           "not have",
           "write \"My_Bush\""}}},
    });
}

TEST(LineVerdicts, ALineUnderTheWrongSectionIsToBeMoved) {
    const std::string ignored = "the plug-in ignores this line";
    const Said toSettings{"", "move this line under [Settings]"};
    expectVerdicts({
        {models + "scanRadius=150",
         2,
         ignored,
         {{"\"scanRadius\" is a setting, and settings are read only under [Settings]",
           toSettings.fix}}},
        {models + "debug=true",
         2,
         ignored,
         {{"\"debug\" is a setting, and settings are read only under [Settings]", toSettings.fix}}},
        {models + "scanRadius=80,5",
         2,
         "gives tree model \"scanRadius\" shield model 19, 5 m above it",
         {{"\"scanRadius\" is a setting, not a tree model", toSettings.fix},
          modelUsed("there is no shield model 80: shield model 19 will be used")}},
        {settings + "prop_tree_pine_01=8.0,20.0",
         2,
         ignored,
         {{"unknown setting \"prop_tree_pine_01\": as a tree model line it probably belongs under "
           "[BLOCK_PROPS]",
           "move it under [BLOCK_PROPS]"}}},
        {"pine=1,2\r\n" + models,
         1,
         ignored,
         {{"before the first section header: as a tree model line it probably belongs under "
           "[BLOCK_PROPS]",
           "move it under [BLOCK_PROPS]"}}},
    });
}

TEST(LineVerdicts, DecimalCommasGetThePointAdviceInEveryNumber) {
    const std::string pine = "gives tree model \"prop_tree_pine_01\" shield model ";
    expectVerdicts({
        {settings + "scanRadius=80,5",
         2,
         "sets the scan radius to 80 m",
         {{"\"80,5\" reads as 80", pointNotComma + "\"80.5\")"}}},
        {models + "prop_tree_pine_01=8,0,20,0",
         2,
         pine + "8, 0 m above it",
         {{"\"8,0,20,0\" reads as shield model number 8 and height 0",
           pointNotComma + "\"8.0,20.0\")"}}},
        {models + "prop_tree_pine_01=8,20,5",
         2,
         pine + "8, 20 m above it",
         {{"\"8,20,5\" reads as shield model number 8 and height 20",
           pointNotComma + "\"8.20,5\" or \"8,20.5\")"}}},
        {models + "prop_tree_pine_01=-8,5,-20,5",
         2,
         pine + "1, 5 m above it",
         {{"\"-8,5,-20,5\" reads as shield model number -8 and height 5",
           pointNotComma + "\"-8.5,-20.5\")"},
          modelUsed("there is no shield model -8: shield model 1 will be used")}},
    });
}

TEST(LineVerdicts, ALoneCrIsShownAndExplained) {
    const FileVerdict verdict = judgeConfig("[Settings]\r\ndebug=true\rscanRadius=5\r\n");
    ASSERT_EQ(verdict.lines.size(), 2u);
    EXPECT_EQ(verdict.lines[1].text, "debug=true\rscanRadius=5");
    EXPECT_EQ(verdict.lines[1].does, "turns off the status line and BrambleCap.log");
    EXPECT_EQ(saidOf(verdict.lines[1].warnings),
              (std::vector<Said>{
                  {"a line break that Notepad shows but the plug-in drops (a lone CR, shown as "
                   "\\r) joins this into one line: \"debug=truescanRadius=5\"",
                   "in Notepad, delete that line break and press Enter in its place"},
                  {"\"truescanRadius=5\" reads as false: only true, TRUE, True, 1 turn on the "
                   "status line and BrambleCap.log",
                   "write true to turn it on, or false to leave it off"}}));
    // CRs before the line feed join nothing.
    EXPECT_TRUE(judgeConfig("[BLOCK_PROPS]\r\r\npine=1,2\r").lines[0].warnings.empty());
    EXPECT_EQ(judgeConfig("[BLOCK_PROPS]\r\r\n").lines[0].text, "[BLOCK_PROPS]");
}

TEST(LineVerdicts, AByteOrderMarkSaysHowToSaveTheFile) {
    const std::string file =
        "\xEF\xBB\xBF[Settings]\r\nscanRadius=60\r\n" + models + "prop_tree_pine_01=8.0,20.0\r\n";
    const std::string ignored = "the plug-in ignores this line";
    expectVerdicts({
        {file,
         1,
         ignored,
         {{"the file was saved as \"UTF-8 with BOM\": three invisible bytes at its start hide "
           "what this line is, and the lines up to the next header are ignored",
           saveAsUtf8}}},
        {file,
         2,
         ignored,
         {{"in no section: the file's \"UTF-8 with BOM\" encoding hid the header on line 1",
           saveAsUtf8}}},
        {file, 4, "gives tree model \"prop_tree_pine_01\" shield model 8, 20 m above it", {}},
    });
}

TEST(LineVerdicts, OnlyARepeatThatChangesSomethingIsOverridden) {
    const Said overridden{"overridden by line 3, which lists the same tree model with other "
                          "numbers",
                          "keep only the line you want: the last one counts"};
    const std::string pine = "prop_tree_pine_01=8.0,20.0\r\n";
    const std::string does = "gives tree model \"prop_tree_pine_01\" shield model 8, 20 m above it";
    const std::string debugOff = "turns off the status line and BrambleCap.log";
    const Said yes{"\"yes\" reads as false: only true, TRUE, True, 1 turn on the status line and "
                   "BrambleCap.log",
                   "write true to turn it on, or false to leave it off"};
    expectVerdicts({
        {models + pine + pine, 2, does, {}},
        {models + pine + "prop_tree_pine_01=8,20", 2, does, {}},
        {models + pine + "prop_tree_pine_01=9,25", 2, does, {overridden}},
        // The last line counts: the first is as it ends, the second is not.
        {models + pine + "prop_tree_pine_01=9,25\r\n" + pine, 2, does, {}},
        {models + pine + "prop_tree_pine_01=9,25\r\n" + pine,
         3,
         "gives tree model \"prop_tree_pine_01\" shield model 9, 25 m above it",
         {{"overridden by line 4, which lists the same tree model with other numbers",
           overridden.fix}}},
        {settings + "debug=yes\r\ndebug=1",
         2,
         debugOff,
         {yes, {"overridden by line 3, which sets it again", overridden.fix}}},
        {settings + "debug=yes\r\ndebug=false", 2, debugOff, {yes}},
    });
}

TEST(LineVerdicts, LinesWithoutEffectSayWhatToDo) {
    const std::string ignored = "the plug-in ignores this line";
    expectVerdicts({
        {"[settings]\r\nscanRadius=70",
         2,
         ignored,
         {{"section [settings] is not [Settings]: section names are case-sensitive",
           "write that header as [Settings]"}}},
        {settings + "scanRadius = 80",
         2,
         ignored,
         {{"the key is \"scanRadius \": spaces around it are part of the key",
           "write it as \"scanRadius=80\""}}},
        {models + " #prop_tree_oak_01=2,10",
         2,
         "gives tree model \" #prop_tree_oak_01\" shield model 2, 10 m above it",
         {{"a \"#\" after a space makes no comment, so this lists a tree model by that name",
           "put the \"#\" first on the line"}}},
    });
}

TEST(LineVerdicts, TheDefaultFileTakesEffectWholeInPlainWords) {
    const FileVerdict verdict = judgeConfig(expectedDefaultFile);
    ASSERT_EQ(verdict.lines.size(), 75u);
    for (const LineVerdict& line : verdict.lines) {
        EXPECT_TRUE(line.warnings.empty()) << line.number;
    }
    EXPECT_TRUE(verdict.fileWarnings.empty());
    EXPECT_EQ(verdict.lines[0].does, "the lines below belong to [Settings]");
    EXPECT_EQ(verdict.lines[1].does, "sets the scan radius to 100 m");
    EXPECT_EQ(verdict.lines[2].does, "turns off the status line and BrambleCap.log");
    EXPECT_EQ(verdict.lines[3].does, "nothing: an empty line");
    EXPECT_EQ(verdict.lines[5].does,
              "gives tree model \"prop_rio_del_01\" shield model 8, 20 m above it");
    EXPECT_EQ(verdict.lines[39].details, "hash 0xA0542754") << "prop_tree_pine_01, for a modder";
    EXPECT_EQ(verdict.settings.scanRadius, 100.0f);
    EXPECT_FALSE(verdict.settings.debug);
    EXPECT_EQ(verdict.treeModels, 70u);

    const FileVerdict mine = judgeConfig("[Settings]\ndebug=1\nscanRadius=60\n[BLOCK_PROPS]\n"
                                         "pine=1,2\nPINE=3,4\noak=1,1\n# a note\n[Extras]\n");
    EXPECT_EQ(mine.settings.scanRadius, 60.0f);
    EXPECT_TRUE(mine.settings.debug);
    EXPECT_EQ(mine.treeModels, 2u) << "pine and PINE are one model";
    EXPECT_EQ(mine.lines[7].does, "nothing: a comment");
    EXPECT_EQ(mine.lines[8].does, "the lines below belong to [Extras], which the plug-in does not "
                                  "read");
}

TEST(LineVerdicts, NoWordAPlayerDoesNotKnowInWhatEveryLineSays) {
    // Every sample, and every line above: the player's own text aside, no
    // "entry", no hash, no "opens section", no "blank", no byte-order mark and
    // no "[]" for no section unless a detail is asked for.
    std::vector<std::string> files = {std::string(expectedDefaultFile)};
    for (const auto& sample : std::filesystem::directory_iterator(BRAMBLECAP_SAMPLES)) {
        if (sample.path().extension() == ".ini") {
            files.push_back(readWholeFile(sample.path()));
        }
    }
    for (const std::string& file : files) {
        const FileVerdict verdict = judgeConfig(file);
        std::vector<std::string> texts;
        for (const LineVerdict& line : verdict.lines) {
            texts.push_back(line.does);
            for (const Warning& warning : line.warnings) {
                texts.push_back(warning.problem);
                texts.push_back(warning.fix);
            }
        }
        for (std::string text : texts) {
            // The player's own header, quoted, may be shown.
            for (auto at = text.find("\"[]\""); at != std::string::npos; at = text.find("\"[]\"")) {
                text.erase(at, 4);
            }
            for (const char* word :
                 {"entry", "entries", "hash 0x", "opens section", "blank", "byte-order", "[]"}) {
                EXPECT_EQ(text.find(word), std::string::npos) << word << " in: " << text;
            }
        }
    }
}

TEST(LineVerdicts, TheFileAsAWholeIsJudgedToo) {
    const std::vector<std::pair<std::string, Said>> cases = {
        {"",
         {"the file is empty: the plug-in keeps its settings and lists no tree model",
          "delete the file and start the game: the plug-in then writes the default file"}},
        {settings + "scanRadius=100\r\n",
         {"no tree model is listed under [BLOCK_PROPS]: the plug-in will shield nothing",
          "list tree models under [BLOCK_PROPS], one a line, such as "
          "prop_tree_pine_01=8.0,20.0"}},
        {models + "pine=1,2\x1A\r\noak=3,4\r\n",
         {"a Ctrl-Z character ends the file for the game: the 11 bytes after it are never read",
          "delete the Ctrl-Z (invisible, or a small box) where the file seems to end"}},
    };
    for (const auto& [file, said] : cases) {
        EXPECT_EQ(saidOf(judgeConfig(file).fileWarnings), std::vector<Said>{said}) << file;
    }
    EXPECT_TRUE(judgeConfig(models + "pine=1,2\r\n\x1A").fileWarnings.empty())
        << "nothing but a line end after the Ctrl-Z";
}

// The log with debug on names the lines the verdicts warn of, in order, up to
// 20, then how many more.
class LogOfASample : public PluginTest {};

TEST_F(LogOfASample, TheQuirksSampleIsListedUpToTheCap) {
    start(readWholeFile(std::filesystem::path(BRAMBLECAP_SAMPLES) / "quirks.ini"));
    const std::string log = readFile("BrambleCap.log");
    EXPECT_NE(log.find("  scan radius 50 m; the status line is on\r\n"
                       "  8 tree models listed\r\n"
                       "  22 lines to check:\r\n"),
              std::string::npos)
        << log;
    std::vector<int> listed;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("    line ")) {
            listed.push_back(std::stoi(line.substr(9)));
        }
    }
    // By hand from the file: every line but the headers, the comment, the
    // lines that take effect as written (9, 23 and 27: 1.99 selects model 1).
    EXPECT_EQ(listed, (std::vector<int>{1,  2,  3,  5,  6,  7,  8,  11, 13, 16,
                                        17, 18, 19, 20, 21, 22, 24, 25, 26, 29}));
    EXPECT_NE(log.find("    and 2 more; bramblecap-check.exe explains every line\r\n"
                       "Shield models: all 19 loaded"),
              std::string::npos)
        << log;
}

TEST_F(LogOfASample, AFileMarkedAsUtf16GetsTheFileWarningAlone) {
    // Only a UTF-16 mark before single-byte lines lets debug=true be read.
    start("\xFF\xFE\r\n[Settings]\r\ndebug=true\r\n[BLOCK_PROPS]\r\npine=1,2\r\n");
    const std::string log = readFile("BrambleCap.log");
    EXPECT_EQ(log.find("to check"), std::string::npos) << log;
    EXPECT_NE(log.find("  the file as a whole:\r\n"
                       "    the file is saved as Unicode (UTF-16): the plug-in reads plain text, "
                       "so it finds no setting and no model in it\r\n"
                       "    fix: " +
                       saveAsUtf8 + "\r\nShield models:"),
              std::string::npos)
        << log;
}
