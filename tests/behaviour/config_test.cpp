// BrambleCap.ini as players write it: the default file, and every rule of the
// format that a hand-edited file can trip over, seen through what the plug-in
// then asks of the game.
#include "default_file.h"
#include "plugin_test.h"

#include "config/text.h"

#include <clocale>
#include <cmath>
#include <map>

namespace {

class ConfigFile : public PluginTest {
  protected:
    // The names hashed for the file's entries, without the shield models'.
    std::vector<std::string> listedNames() const {
        std::vector<std::string> names;
        for (const std::string& name : hashedNames()) {
            if (name.rfind("bramble_cap_", 0) != 0) {
                names.push_back(name);
            }
        }
        return names;
    }
    // The radius figure of the first status line.
    std::string shownRadius() const {
        const std::vector<std::string> lines = statusLines();
        return lines.empty() ? "no status line" : lines[0].substr(0, lines[0].find("  "));
    }
    // Where the shield over the tree standing at x went: its model number and z.
    std::map<float, std::pair<ModelHash, float>> creationsByX() const {
        std::map<float, std::pair<ModelHash, float>> byX;
        for (const standin::HostCall* create : callsNamed("CREATE_OBJECT")) {
            byX[floatArgument(*create, 1)] = {static_cast<ModelHash>(create->args[0]),
                                              floatArgument(*create, 3)};
        }
        return byX;
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

// Numbers as the C library's atof reads them in the "C" locale, and what they
// give as a height offset over a tree standing at z = 0.
const std::pair<const char*, float> numberCases[] = {
    {"50m", 50.0f},
    {" 75", 75.0f},
    {"", 0.0f},
    {"abc", 0.0f},
    {"1e2", 100.0f},
    {"0x10", 16.0f},
    {"-60", -60.0f},
    {"+.5", 0.5f},
    {"1e", 1.0f},
    {"0.1", 0.1f},
    {"1e40", INFINITY},
    {"inf", INFINITY},
    {"-Infinity", -INFINITY},
    {"-0x1p3", -8.0f},
    {"1e999", INFINITY},
    {"1e-999", 0.0f},
    {"37.5", 37.5f},
    {"nan", NAN},
};

} // namespace

TEST_F(ConfigFile, AMissingFileIsWrittenWithTheDefaultBytesAndReadBack) {
    const std::vector<std::string> names = defaultModelNames();
    ASSERT_EQ(names.size(), 70u);
    for (std::size_t i = 0; i < names.size(); ++i) {
        world->addObject(names[i], static_cast<float>(i), 0, 0);
    }
    load();
    world->runFrames(6); // twelve shields a frame
    EXPECT_EQ(readFile("BrambleCap.ini"), expectedDefaultFile);
    EXPECT_EQ(listedNames(), names) << "one GET_HASH_KEY per entry, in file order";
    EXPECT_TRUE(statusLines().empty()) << "debug=false";
    const auto byX = creationsByX();
    ASSERT_EQ(byX.size(), 70u) << "within the default radius of 100 m";
    for (const auto& [x, shield] : byX) {
        EXPECT_EQ(shield.first, nameHash("bramble_cap_8")) << names[static_cast<std::size_t>(x)];
        EXPECT_EQ(shield.second, 20.0f) << names[static_cast<std::size_t>(x)];
    }
}

TEST_F(ConfigFile, AnExistingEmptyFileIsNeitherRewrittenNorFilledIn) {
    world->addObject("prop_tree_pine_01", 1, 1, 0);
    start("", 2);
    EXPECT_EQ(readFile("BrambleCap.ini"), "");
    EXPECT_TRUE(listedNames().empty());
    EXPECT_TRUE(shields().empty());
}

TEST_F(ConfigFile, ADirectoryInTheFilesPlaceCountsAsPresentAndReadsAsNothing) {
    std::filesystem::create_directory(gameFolder / "BrambleCap.ini");
    world->addObject("prop_tree_pine_01", 1, 1, 0);
    load();
    world->runFrames(2);
    EXPECT_TRUE(std::filesystem::is_directory(gameFolder / "BrambleCap.ini"));
    EXPECT_TRUE(listedNames().empty());
    EXPECT_TRUE(shields().empty());
}

TEST_F(ConfigFile, NumbersReadAsTheCLibraryReadsThemInTheCLocale) {
    std::string config = "[BLOCK_PROPS]\r\n";
    for (std::size_t i = 0; i < std::size(numberCases); ++i) {
        const std::string name = "n" + std::to_string(i);
        config += name + "=1," + numberCases[i].first + "\r\n";
        world->addObject(name, static_cast<float>(i), 0, 0);
    }
    start(config, 2);
    const auto byX = creationsByX();
    ASSERT_EQ(byX.size(), std::size(numberCases));
    for (std::size_t i = 0; i < std::size(numberCases); ++i) {
        const auto& [text, expected] = numberCases[i];
        const float read = byX.at(static_cast<float>(i)).second;
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(read)) << '"' << text << '"';
        } else {
            EXPECT_EQ(read, expected) << '"' << text << '"';
        }
    }
    restart("[Settings]\r\ndebug=1\r\nscanRadius=0x1p4\r\n");
    EXPECT_EQ(shownRadius(), "Radius: 16") << "the radius reads the same way";
}

TEST_F(ConfigFile, AGameThatSetsACommaLocaleChangesNoNumber) {
    const char* const commaLocales[] = {"de_DE.UTF-8", "German_Germany.1252", "de-DE"};
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* chosen = nullptr;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            chosen = name;
            break;
        }
    }
    if (chosen == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma here (./dev test makes de_DE.UTF-8)";
    }
    ASSERT_EQ(*std::localeconv()->decimal_point, ',') << chosen;
    world->addObject("pine", 1, 0, 0);
    start("[Settings]\r\ndebug=1\r\nscanRadius=37.5\r\n[BLOCK_PROPS]\r\npine=2.5,1,5\r\n");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(shownRadius(), "Radius: 38") << "37.5, not 37";
    const auto byX = creationsByX();
    ASSERT_EQ(byX.size(), 1u);
    EXPECT_EQ(byX.at(1).first, nameHash("bramble_cap_2"));
    EXPECT_EQ(byX.at(1).second, 1.0f) << "a comma still ends the number";
}

TEST_F(ConfigFile, CarriageReturnsAnywhereAreDroppedBeforeTheLineIsRead) {
    world->addObject("pine", 1, 1, 0);
    start("[Sett\rings]\r\nscan\rRadius=5\r0\r\ndeb\rug=1\r\n\r[BLOCK_PROPS]\r\npi\rne=2,\r3\r\n");
    EXPECT_EQ(shownRadius(), "Radius: 50");
    EXPECT_EQ(listedNames(), std::vector<std::string>{"pine"});
    EXPECT_EQ(creationsByX().at(1).second, 3.0f);
}

TEST_F(ConfigFile, OnlyFourSpellingsTurnDebugOn) {
    const std::pair<const char*, bool> cases[] = {
        {"true", true}, {"TRUE", true},  {"True", true},   {"1", true},
        {"yes", false}, {"on", false},   {" true", false}, {"true ", false},
        {"", false},    {"tRUE", false}, {"01", false}};
    for (const auto& [value, on] : cases) {
        restart(std::string("[Settings]\r\ndebug=") + value + "\r\n");
        EXPECT_EQ(statusLines().size(), on ? 1u : 0u) << '"' << value << '"';
    }
}

TEST_F(ConfigFile, KeysMatchExactlyAndTheLaterLineWins) {
    start("[Settings]\r\nscanRadius =5\r\nDebug=false\r\n=7\r\nscanRadius=20\r\ndebug=1\r\n"
          "scanRadius=30\r\n");
    EXPECT_EQ(shownRadius(), "Radius: 30");
}

TEST_F(ConfigFile, HeadersMustMatchExactly) {
    start(
        "[Settings]\r\ndebug=1\r\n[BLOCK_PROPS]\r\na=1,1\r\n[settings]\r\nscanRadius=1\r\n"
        "[ Settings]\r\nscanRadius=2\r\n[Settings] \r\nscanRadius=3\r\n[block_props]\r\nb=1,1\r\n");
    EXPECT_EQ(shownRadius(), "Radius: 100") << "no radius reached the Settings section";
    EXPECT_EQ(listedNames(), std::vector<std::string>{"a"});
}

TEST_F(ConfigFile, AHeaderWithATrailingBlankLeavesTheLinesInThePreviousSection) {
    start("[BLOCK_PROPS]\r\n[Settings] \r\npine=3,4\r\n");
    EXPECT_EQ(listedNames(), std::vector<std::string>{"pine"});
}

TEST_F(ConfigFile, AnEmptyHeaderAndAnUnclosedBracket) {
    start("[Settings]\r\ndebug=1\r\n[BLOCK_PROPS\r\nscanRadius=9\r\n[]\r\nscanRadius=10\r\n");
    EXPECT_EQ(shownRadius(), "Radius: 9")
        << "\"[BLOCK_PROPS\" is no header; \"[]\" is the empty section";
}

TEST_F(ConfigFile, ACommentMarkerCountsOnlyAsTheFirstCharacter) {
    start("[BLOCK_PROPS]\r\n#a=1,1\r\n;b=1,1\r\n #c=1,1\r\n");
    EXPECT_EQ(listedNames(), std::vector<std::string>{" #c"});
}

TEST_F(ConfigFile, EntryValuesNeedACommaAndReadTwoNumbers) {
    for (const char* name : {"first", "third", "words", "blanks"}) {
        world->addObject(name, static_cast<float>(world->objects().size()), 0, 0);
    }
    start("[BLOCK_PROPS]\r\nnone=5\r\nsemi=1;2\r\nempty=\r\nfirst=,5\r\nthird=1,2,3\r\n"
          "words=x,y\r\nblanks= 3 , 4\r\n");
    EXPECT_EQ(listedNames(), (std::vector<std::string>{"first", "third", "words", "blanks"}))
        << "nothing is hashed for a value without a comma";
    const auto byX = creationsByX();
    ASSERT_EQ(byX.size(), 4u);
    const std::pair<ModelHash, float> expected[] = {{nameHash("bramble_cap_1"), 5.0f},
                                                    {nameHash("bramble_cap_1"), 2.0f},
                                                    {nameHash("bramble_cap_1"), 0.0f},
                                                    {nameHash("bramble_cap_3"), 4.0f}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(byX.at(static_cast<float>(i + 1)), expected[i]) << listedNames()[i];
    }
}

TEST_F(ConfigFile, NamesAreHashedExactlyAsWrittenAndTheLaterNumbersWin) {
    world->addObject("pine", 1, 0, 0);
    world->addObject("", 2, 0, 0);
    start("[BLOCK_PROPS]\r\npine =1,2\r\n=3,4\r\npine=5,6\r\nPine=7,8\r\n");
    EXPECT_EQ(listedNames(), (std::vector<std::string>{"pine ", "", "pine", "Pine"}));
    const auto byX = creationsByX();
    ASSERT_EQ(byX.size(), 2u);
    EXPECT_EQ(byX.at(1).first, nameHash("bramble_cap_7")) << "the game's hash ignores letter case";
    EXPECT_EQ(byX.at(1).second, 8.0f);
    EXPECT_EQ(byX.at(2).second, 4.0f) << "the empty name is a name like any other";
}

TEST_F(ConfigFile, LinesOutsideTheTwoSectionsAreIgnored) {
    start("scanRadius=1\r\npine=1,1\r\n[Other]\r\nscanRadius=2\r\noak=1,1\r\n[BLOCK_PROPS]\r\n"
          "[Settings]\r\ndebug=1\r\n[BLOCK_PROPS]\r\nbirch=1,1\r\n");
    EXPECT_EQ(shownRadius(), "Radius: 100");
    EXPECT_EQ(listedNames(), std::vector<std::string>{"birch"});
}

TEST_F(ConfigFile, TheLastLineNeedsNoLineFeed) {
    start("[Settings]\r\ndebug=1\r\nscanRadius=64");
    EXPECT_EQ(shownRadius(), "Radius: 64");
}

TEST_F(ConfigFile, AByteOrderMarkHidesTheFirstHeader) {
    const std::string mark = "\xEF\xBB\xBF";
    world->addObject("pine", 50, 0, 0); // beyond a radius of 5
    start(mark + "[Settings]\r\nscanRadius=5\r\ndebug=true\r\n\r\n[BLOCK_PROPS]\r\npine=1,2\r\n");
    EXPECT_TRUE(statusLines().empty());
    EXPECT_EQ(listedNames(), std::vector<std::string>{"pine"});
    EXPECT_EQ(shields().size(), 1u) << "the radius stayed 100";
    restart(mark + "[BLOCK_PROPS]\r\npine=1,2\r\n");
    EXPECT_TRUE(listedNames().empty());
}

TEST_F(ConfigFile, CtrlZEndsTheFileAsTheGamesRuntimeReadsIt) {
    start("[BLOCK_PROPS]\r\npine=1,2\r\nlarch=3,4\x1A\r\noak=5,6\r\n");
    EXPECT_EQ(listedNames(), (std::vector<std::string>{"pine", "larch"}));
    restart("[BLOCK_PROPS]\r\npine=1,2\r\n\x1Alarch=3,4\r\n");
    EXPECT_EQ(listedNames(), std::vector<std::string>{"pine"});
}
