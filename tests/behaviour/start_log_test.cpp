// BrambleCap.log: what the plug-in saw at start, when the player asks for
// diagnostics with debug=true, and nothing otherwise.
#include "plugin_test.h"

#include <filesystem>

namespace {

constexpr std::string_view debugOn =
    "[Settings]\r\ndebug=true\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=8,20\r\n";

const std::string heading =
    "BrambleCap " BRAMBLECAP_VERSION ": what the plug-in saw as the script started\r\n"
    "(written because debug is on in BrambleCap.ini)\r\n\r\n";

class StartLog : public PluginTest {
  protected:
    bool logWritten() const { return std::filesystem::exists(gameFolder / "BrambleCap.log"); }
    std::string log() const { return readFile("BrambleCap.log"); }
};

} // namespace

TEST_F(StartLog, DebugOffWritesNoLog) {
    load(); // the default file: debug=false
    world->runFrames(2);
    EXPECT_FALSE(logWritten());
    restart("[Settings]\r\ndebug=True\r\ndebug=false\r\n", 2);
    EXPECT_FALSE(logWritten());
}

TEST_F(StartLog, AStartWithDebugOnIsLoggedWhole) {
    start(debugOn);
    EXPECT_EQ(log(), heading + "Configuration: .\\BrambleCap.ini was read\r\n"
                               "  scan radius 100 m; the status line is on\r\n"
                               "  1 tree model listed\r\n"
                               "  every line takes effect\r\n"
                               "Shield models: all 19 loaded, after 0 frames\r\n");
}

TEST_F(StartLog, AMissingShieldModelIsNamedWithWhatItMeans) {
    world->setModelLatency("bramble_cap_7", -1);
    start(debugOn);
    const std::string configuration = heading + "Configuration: .\\BrambleCap.ini was read\r\n"
                                                "  scan radius 100 m; the status line is on\r\n"
                                                "  1 tree model listed\r\n"
                                                "  every line takes effect\r\n";
    EXPECT_EQ(log(),
              configuration +
                  "Shield models: loading; the plug-in waits up to 1800 frames for them\r\n");
    world->runFrames(1800);
    EXPECT_EQ(log(), configuration +
                         "Shield models: 18 of 19 loaded; the wait ended after 1800 frames "
                         "without:\r\n"
                         "  bramble_cap_7\r\n"
                         "  Trees that select them get no shield; are the model assets "
                         "installed?\r\n");
}

TEST_F(StartLog, LinesWithoutEffectAreListedUpToTwentyThenCounted) {
    std::string config =
        "scanRadius=60\r\n[Settings]\r\ndebug=1\r\nscanRadius =5\r\n[BLOCK_PROPS]\r\n";
    for (int i = 1; i <= 22; ++i) {
        config += "tree" + std::to_string(i) + "\r\n";
    }
    start(config);
    const std::string text = log();
    const std::string noEquals = ": the plug-in ignores this line\r\n"
                                 "      no \"=\" in the line\r\n"
                                 "      fix: write it as a tree model's name, \"=\" and two "
                                 "numbers, such as prop_tree_pine_01=8.0,20.0\r\n";
    EXPECT_NE(text.find("  scan radius 100 m; the status line is on\r\n"
                        "  0 tree models listed\r\n"
                        "  24 lines to check:\r\n"
                        "    line 1 \"scanRadius=60\": the plug-in ignores this line\r\n"
                        "      before the first section header: it probably belongs under "
                        "[Settings]\r\n"
                        "      fix: move it under [Settings]\r\n"
                        "    line 4 \"scanRadius =5\": the plug-in ignores this line\r\n"
                        "      the key is \"scanRadius \": spaces around it are part of the "
                        "key\r\n"
                        "      fix: write it as \"scanRadius=5\"\r\n"
                        "    line 6 \"tree1\"" +
                        noEquals),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("    line 23 \"tree18\"" + noEquals +
                        "    and 4 more; bramblecap-check.exe explains every line\r\n"
                        "  the file as a whole:\r\n"
                        "    no tree model is listed under [BLOCK_PROPS]: the plug-in will "
                        "shield nothing\r\n"
                        "    fix: list tree models under [BLOCK_PROPS], one a line, such as "
                        "prop_tree_pine_01=8.0,20.0\r\n"
                        "Shield models: all 19 loaded"),
              std::string::npos)
        << text;
}

TEST_F(StartLog, MisspelledModelsAreNamedWithTheDefaultNameMeant) {
    start("[Settings]\r\ndebug=true\r\n[BLOCK_PROPS]\r\nprop_tree_pine_1=8,20\r\n"
          "prop_tree_pine_01=8,20\r\nPROP_TREE_PINE_01=8,20\r\nmy_own_bush=1,1\r\n");
    EXPECT_NE(log().find("  3 tree models listed\r\n"
                         "  2 lines to check:\r\n"
                         "    line 4 \"prop_tree_pine_1=8,20\": gives tree model "
                         "\"prop_tree_pine_1\" shield model 8, 20 m above it\r\n"
                         "      \"prop_tree_pine_1\" is not one of the default models; did "
                         "you mean \"prop_tree_pine_01\"?\r\n"
                         "      fix: if so, write that name; a tree model of your own is fine "
                         "as it is\r\n"
                         "    line 6 \"PROP_TREE_PINE_01=8,20\": gives tree model "
                         "\"PROP_TREE_PINE_01\" shield model 8, 20 m above it\r\n"
                         "      \"PROP_TREE_PINE_01\" is the same model as "
                         "\"prop_tree_pine_01\" on line 5: the game's names ignore case\r\n"
                         "      fix: keep one of the two lines\r\n"
                         "Shield models: all 19 loaded"),
              std::string::npos)
        << log();
    const std::vector<std::string> hashed = hashedNames();
    ASSERT_GE(hashed.size(), 5u);
    EXPECT_EQ(std::vector(hashed.begin(), hashed.begin() + 5),
              (std::vector<std::string>{"prop_tree_pine_1", "prop_tree_pine_01",
                                        "PROP_TREE_PINE_01", "my_own_bush", "bramble_cap_1"}))
        << "the game hashes each listed name once, and no other name before the shields'";
    // A slip away from prop_tree_pine_01 and _02 alike, 22 times.
    std::string slips = "[Settings]\r\ndebug=1\r\n[BLOCK_PROPS]\r\n";
    for (char c = 'a'; c <= 'v'; ++c) {
        slips += std::string("prop_tree_pine_0") + c + "=1,1\r\n";
    }
    restart(slips);
    EXPECT_NE(log().find("  22 lines to check:\r\n    line 4 \"prop_tree_pine_0a=1,1\""),
              std::string::npos);
    EXPECT_NE(log().find("    line 23 \"prop_tree_pine_0t=1,1\": gives tree model "
                         "\"prop_tree_pine_0t\" shield model 1, 1 m above it\r\n"
                         "      \"prop_tree_pine_0t\" is not one of the default models; "
                         "did you mean \"prop_tree_pine_01\" or \"prop_tree_pine_02\"?\r\n"
                         "      fix: if so, write that name; a tree model of your own is fine "
                         "as it is\r\n"
                         "    and 2 more; bramblecap-check.exe explains every line\r\n"
                         "Shield models: all 19 loaded"),
              std::string::npos)
        << log();
}

TEST_F(StartLog, EveryWarningIsListedWithItsFixAndNoOtherLine) {
    // Lines the plug-in reads without a word of complaint, though the player
    // meant otherwise; a line copied twice unchanged is no such line.
    start("[Settings]\r\ndebug=true\r\nscanRadius=80,5\r\n[BLOCK_PROPS]\r\n"
          "prop_tree_pine_01=25,20.0\r\nprop_tree_pine_02=8,0,20,0\r\n"
          "\xE2\x80\x9Cprop_tree_oak_01\xE2\x80\x9D=8.0,20.0\r\n"
          "prop_tree_birch_01=8.0,20.0\r\nprop_tree_birch_01=8.0,20.0\r\n");
    EXPECT_NE(log().find("  scan radius 80 m; the status line is on\r\n"
                         "  4 tree models listed\r\n"
                         "  4 lines to check:\r\n"
                         "    line 3 \"scanRadius=80,5\": sets the scan radius to 80 m\r\n"
                         "      \"80,5\" reads as 80\r\n"
                         "      fix: use a point as the decimal mark (\"80.5\")\r\n"
                         "    line 5 \"prop_tree_pine_01=25,20.0\": gives tree model "
                         "\"prop_tree_pine_01\" shield model 19, 20 m above it\r\n"
                         "      there is no shield model 25: shield model 19 will be used\r\n"
                         "      fix: pick a shield model from 1 to 19\r\n"
                         "    line 6 \"prop_tree_pine_02=8,0,20,0\": gives tree model "
                         "\"prop_tree_pine_02\" shield model 8, 0 m above it\r\n"
                         "      \"8,0,20,0\" reads as shield model number 8 and height 0\r\n"
                         "      fix: use a point as the decimal mark (\"8.0,20.0\")\r\n"
                         "    line 7 \"\\xE2\\x80\\x9Cprop_tree_oak_01\\xE2\\x80\\x9D=8.0,20.0\": "
                         "gives tree model \"\\xE2\\x80\\x9Cprop_tree_oak_01\\xE2\\x80\\x9D\" "
                         "shield model 8, 20 m above it\r\n"
                         "      the name holds curly quotes (\xE2\x80\x9C \xE2\x80\x9D), which "
                         "become part of it\r\n"
                         "      fix: delete them, so that it reads \"prop_tree_oak_01\"\r\n"
                         "Shield models: all 19 loaded"),
              std::string::npos)
        << log();
    // A lone CR turns debug off, so it shows only where debug stays on.
    restart("[Settings]\r\ndebug=true\r\nscanRadius=50\rdebug=false\r\n[BLOCK_PROPS]\r\n"
            "prop_tree_pine_01=8.0,20.0\r\n");
    EXPECT_NE(log().find("  scan radius 50 m; the status line is on\r\n"
                         "  1 tree model listed\r\n"
                         "  1 line to check:\r\n"
                         "    line 3 \"scanRadius=50\\rdebug=false\": sets the scan radius to "
                         "50 m\r\n"
                         "      a line break that Notepad shows but the plug-in drops (a lone CR, "
                         "shown as \\r) joins this into one line: \"scanRadius=50debug=false\"\r\n"
                         "      fix: in Notepad, delete that line break and press Enter in its "
                         "place\r\n"
                         "      \"debug=false\" after the radius is ignored\r\n"
                         "      fix: delete \"debug=false\"\r\n"
                         "Shield models: all 19 loaded"),
              std::string::npos)
        << log();
}

TEST_F(StartLog, ALogThatCannotBeWrittenChangesNothing) {
    world->addObject("prop_tree_pine_01", 3, 4, 0);
    start(debugOn, 2);
    const std::vector<std::string> logged = callsOfFrame(1), next = callsOfFrame(2);
    unload();
    std::filesystem::remove(gameFolder / "BrambleCap.log");
    std::filesystem::create_directory(gameFolder / "BrambleCap.log");
    world = nullptr; // one world at a time
    world = std::make_unique<standin::World>();
    world->addObject("prop_tree_pine_01", 3, 4, 0);
    start(debugOn, 2);
    EXPECT_TRUE(std::filesystem::is_directory(gameFolder / "BrambleCap.log"));
    EXPECT_EQ(callsOfFrame(1), logged);
    EXPECT_EQ(callsOfFrame(2), next);
}

TEST_F(StartLog, EachStartOfTheScriptRewritesTheLog) {
    start(debugOn);
    restart("[Settings]\r\ndebug=1\r\nscanRadius=60\r\n");
    const std::string text = log();
    EXPECT_EQ(text.find("BrambleCap "), 0u);
    EXPECT_EQ(text.find("BrambleCap ", 1), std::string::npos) << "one start in the log";
    EXPECT_NE(text.find("  scan radius 60 m;"), std::string::npos) << text;
}
