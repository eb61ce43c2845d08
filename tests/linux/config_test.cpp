// BrambleCap.ini as players write it: the default file, and every rule of the
// format that a hand-edited file can trip over.
#include "../common/default_file.h"
#include "config/config_reader.h"
#include "config/load_config.h"
#include "config/settings.h"
#include "natives/native_hashes.h"
#include "plugin_fixture.h"
#include "natives/name_hash.h"

#include <cmath>
#include <filesystem>

namespace {

class ConfigFile : public PluginTest {
  protected:
    void load(std::string_view text) {
        writeConfig(text);
        world->runAsScript(loadConfig);
    }
    std::vector<std::string> hashedNames() const {
        std::vector<std::string> names;
        for (const sim::HostCall& call : world->calls()) {
            if (call.hash == NativeHash::GET_HASH_KEY) {
                names.push_back(call.text);
            }
        }
        return names;
    }
    static bool listed(std::string_view name) {
        return blockPropModels.contains(nameHash(name));
    }
    static PropShieldParams params(std::string_view name) {
        return blockPropParams.at(nameHash(name));
    }
};

std::vector<std::string> defaultModelNames() {
    std::vector<std::string> names;
    std::string_view rest = expectedDefaultFile;
    for (int line = 1; !rest.empty(); ++line) {
        const std::string_view text = rest.substr(0, rest.find("\r\n"));
        rest.remove_prefix(text.size() + 2);
        if (line >= 6) {
            names.emplace_back(text.substr(0, text.find('=')));
        }
    }
    return names;
}

} // namespace

TEST_F(ConfigFile, AMissingFileIsWrittenWithTheDefaultBytesAndReadBack) {
    world->runAsScript(loadConfig);
    EXPECT_EQ(readFile("BrambleCap.ini"), expectedDefaultFile);
    EXPECT_EQ(settings.scanRadius, 100.0f);
    EXPECT_FALSE(settings.debug);
    const std::vector<std::string> names = defaultModelNames();
    ASSERT_EQ(names.size(), 70u);
    EXPECT_EQ(hashedNames(), names) << "one GET_HASH_KEY per entry, in file order";
    ASSERT_EQ(blockPropModels.size(), 70u);
    ASSERT_EQ(blockPropParams.size(), 70u);
    for (const std::string& name : names) {
        EXPECT_EQ(params(name).shieldModelIndex, 8.0f) << name;
        EXPECT_EQ(params(name).heightOffset, 20.0f) << name;
    }
}

TEST_F(ConfigFile, AnExistingEmptyFileIsNeitherRewrittenNorFilledIn) {
    settings = {42.0f, true};
    blockPropModels.insert(1);
    blockPropParams[1] = {2, 3};
    load("");
    EXPECT_EQ(readFile("BrambleCap.ini"), "");
    EXPECT_TRUE(blockPropModels.empty());
    EXPECT_TRUE(blockPropParams.empty());
    EXPECT_EQ(settings.scanRadius, 42.0f) << "the reader never resets a setting";
    EXPECT_TRUE(settings.debug);
}

TEST_F(ConfigFile, ADirectoryInTheFilesPlaceCountsAsPresentAndChangesNothing) {
    std::filesystem::create_directory(gameFolder / "BrambleCap.ini");
    blockPropModels.insert(7);
    blockPropParams[7] = {1, 1};
    world->runAsScript(loadConfig);
    EXPECT_TRUE(std::filesystem::is_directory(gameFolder / "BrambleCap.ini"));
    EXPECT_TRUE(blockPropModels.contains(7)) << "a file that does not open leaves the tables";
    EXPECT_EQ(settings.scanRadius, 100.0f);
    EXPECT_TRUE(world->calls().empty());
}

TEST_F(ConfigFile, AFileThatCannotBeCreatedLeavesEverythingAsItWas) {
    // A game folder that is gone: nothing can be created in it, not even by root.
    const auto gone = gameFolder / "gone";
    std::filesystem::create_directory(gone);
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);
    settings.debug = true;
    world->runAsScript(loadConfig);
    EXPECT_TRUE(blockPropModels.empty());
    EXPECT_EQ(settings.scanRadius, 100.0f);
    EXPECT_TRUE(settings.debug);
    EXPECT_TRUE(world->calls().empty());
}

TEST_F(ConfigFile, CarriageReturnsAnywhereAreDroppedBeforeTheLineIsRead) {
    load("[Sett\rings]\r\nscan\rRadius=5\r0\r\n\r[BLOCK_PROPS]\r\npi\rne=2,\r3\r\n");
    EXPECT_EQ(settings.scanRadius, 50.0f);
    EXPECT_EQ(params("pine").heightOffset, 3.0f);
    EXPECT_EQ(hashedNames(), std::vector<std::string>{"pine"});
}

TEST_F(ConfigFile, SettingsValuesConvertLikeTheCLibrary) {
    const std::pair<const char*, float> cases[] = {
        {"50m", 50.0f},          {" 75", 75.0f},     {"", 0.0f},
        {"abc", 0.0f},           {"1e2", 100.0f},    {"0x10", 16.0f},
        {"-60", -60.0f},         {"+.5", 0.5f},      {"1e", 1.0f},
        {"0.1", 0.1f},           {"1e40", INFINITY}, {"inf", INFINITY},
        {"-Infinity", -INFINITY}};
    for (const auto& [value, expected] : cases) {
        load(std::string("[Settings]\nscanRadius=") + value + "\n");
        EXPECT_EQ(settings.scanRadius, expected) << '"' << value << '"';
    }
    load("[Settings]\nscanRadius=nan\n");
    EXPECT_TRUE(std::isnan(settings.scanRadius));
}

TEST_F(ConfigFile, OnlyFourSpellingsTurnDebugOn) {
    const std::pair<const char*, bool> cases[] = {
        {"true", true}, {"TRUE", true},  {"True", true},   {"1", true},
        {"yes", false}, {"on", false},   {" true", false}, {"true ", false},
        {"", false},    {"tRUE", false}, {"01", false}};
    for (const auto& [value, expected] : cases) {
        settings.debug = !expected;
        load(std::string("[Settings]\ndebug=") + value + "\n");
        EXPECT_EQ(settings.debug, expected) << '"' << value << '"';
    }
}

TEST_F(ConfigFile, KeysMatchExactlyAndTheLaterLineWins) {
    load("[Settings]\nscanRadius =5\nDebug=true\n=7\nscanRadius=20\nscanRadius=30\n");
    EXPECT_EQ(settings.scanRadius, 30.0f);
    EXPECT_FALSE(settings.debug);
}

TEST_F(ConfigFile, HeadersMustMatchExactly) {
    load("[BLOCK_PROPS]\na=1,1\n[settings]\nscanRadius=1\n[ Settings]\nscanRadius=2\n"
         "[Settings] \nscanRadius=3\n[block_props]\nb=1,1\n");
    EXPECT_EQ(settings.scanRadius, 100.0f) << "no line reached the Settings section";
    EXPECT_TRUE(listed("a"));
    EXPECT_FALSE(listed("b"));
    EXPECT_EQ(blockPropModels.size(), 1u);
}

TEST_F(ConfigFile, AHeaderWithATrailingBlankLeavesTheLinesInThePreviousSection) {
    load("[BLOCK_PROPS]\n[Settings] \npine=3,4\n");
    EXPECT_TRUE(listed("pine"));
}

TEST_F(ConfigFile, AnEmptyHeaderAndAnUnclosedBracket) {
    load("[Settings]\n[BLOCK_PROPS\nscanRadius=9\n[]\nscanRadius=10\n");
    EXPECT_EQ(settings.scanRadius, 9.0f)
        << "\"[BLOCK_PROPS\" is no header; \"[]\" is the empty section";
}

TEST_F(ConfigFile, ACommentMarkerCountsOnlyAsTheFirstCharacter) {
    load("[BLOCK_PROPS]\n#a=1,1\n;b=1,1\n #c=1,1\n");
    EXPECT_FALSE(listed("#a"));
    EXPECT_FALSE(listed(";b"));
    EXPECT_TRUE(listed(" #c"));
    EXPECT_EQ(hashedNames(), std::vector<std::string>{" #c"});
}

TEST_F(ConfigFile, EntryValuesNeedACommaAndReadTwoNumbers) {
    load("[BLOCK_PROPS]\nnone=5\nsemi=1;2\nempty=\nfirst=,5\nthird=1,2,3\nwords=x,y\n"
         "blanks= 3 , 4\n");
    EXPECT_EQ(hashedNames(), (std::vector<std::string>{"first", "third", "words", "blanks"}))
        << "nothing is hashed for a value without a comma";
    EXPECT_EQ(params("first").shieldModelIndex, 0.0f);
    EXPECT_EQ(params("first").heightOffset, 5.0f);
    EXPECT_EQ(params("third").heightOffset, 2.0f);
    EXPECT_EQ(params("words").shieldModelIndex, 0.0f);
    EXPECT_EQ(params("words").heightOffset, 0.0f);
    EXPECT_EQ(params("blanks").shieldModelIndex, 3.0f);
    EXPECT_EQ(params("blanks").heightOffset, 4.0f);
}

TEST_F(ConfigFile, NamesAreHashedExactlyAsWritten) {
    load("[BLOCK_PROPS]\npine =1,2\n=3,4\nPine=5,6\n");
    EXPECT_EQ(hashedNames(), (std::vector<std::string>{"pine ", "", "Pine"}));
    EXPECT_TRUE(listed("pine "));
    EXPECT_TRUE(listed(""));
    EXPECT_EQ(params("pine").heightOffset, 6.0f) << "the game's hash ignores letter case";
}

TEST_F(ConfigFile, TheSameNameTwiceKeepsOneEntryWithTheLaterNumbers) {
    load("[BLOCK_PROPS]\npine=1,2\npine=3,4\n");
    EXPECT_EQ(blockPropModels.size(), 1u);
    EXPECT_EQ(params("pine").shieldModelIndex, 3.0f);
    EXPECT_EQ(params("pine").heightOffset, 4.0f);
}

TEST_F(ConfigFile, LinesOutsideTheTwoSectionsAreIgnored) {
    load("scanRadius=1\npine=1,1\n[Other]\nscanRadius=2\noak=1,1\n[BLOCK_PROPS]\n"
         "[Settings]\ndebug=1\n[BLOCK_PROPS]\nbirch=1,1\n");
    EXPECT_EQ(settings.scanRadius, 100.0f);
    EXPECT_TRUE(settings.debug);
    EXPECT_EQ(hashedNames(), std::vector<std::string>{"birch"});
}

TEST_F(ConfigFile, TheLastLineNeedsNoLineFeed) {
    load("[Settings]\r\nscanRadius=64");
    EXPECT_EQ(settings.scanRadius, 64.0f);
}

TEST_F(ConfigFile, AByteOrderMarkHidesTheFirstHeader) {
    std::string withMark = "\xEF\xBB\xBF";
    load(withMark +
         "[Settings]\r\nscanRadius=5\r\ndebug=true\r\n\r\n[BLOCK_PROPS]\r\npine=1,2\r\n");
    EXPECT_EQ(settings.scanRadius, 100.0f);
    EXPECT_FALSE(settings.debug);
    EXPECT_TRUE(listed("pine"));
    load(withMark + "[BLOCK_PROPS]\r\npine=1,2\r\n");
    EXPECT_TRUE(blockPropModels.empty());
}

TEST_F(ConfigFile, CtrlZEndsTheFileAsTheGamesRuntimeReadsIt) {
    load("[BLOCK_PROPS]\npine=1,2\nlarch=3,4\x1A\noak=5,6\n");
    EXPECT_EQ(hashedNames(), (std::vector<std::string>{"pine", "larch"}));
}

TEST_F(ConfigFile, EachReadStartsFromEmptyTables) {
    load("[BLOCK_PROPS]\npine=1,2\n");
    load("[BLOCK_PROPS]\noak=1,2\n");
    EXPECT_FALSE(listed("pine"));
    EXPECT_TRUE(listed("oak"));
    EXPECT_EQ(blockPropParams.size(), 1u);
}
