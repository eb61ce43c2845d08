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
                               "  1 model listed\r\n"
                               "  every line takes effect\r\n"
                               "Shield models: all 19 loaded, after 0 frames\r\n");
}

TEST_F(StartLog, AMissingShieldModelIsNamedWithWhatItMeans) {
    world->setModelLatency("bramble_cap_7", -1);
    start(debugOn);
    const std::string configuration = heading + "Configuration: .\\BrambleCap.ini was read\r\n"
                                                "  scan radius 100 m; the status line is on\r\n"
                                                "  1 model listed\r\n"
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
    EXPECT_NE(text.find("  scan radius 100 m; the status line is on\r\n"
                        "  0 models listed\r\n"
                        "  24 lines had no effect:\r\n"
                        "    line 1 \"scanRadius=60\": before the first section header: it "
                        "probably belongs under [Settings]\r\n"
                        "    line 4 \"scanRadius =5\": the key is \"scanRadius \": blanks around "
                        "it are part of the key\r\n"
                        "    line 6 \"tree1\": no \"=\" in the line\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("    line 23 \"tree18\": no \"=\" in the line\r\n"
                        "    and 4 more; bramblecap-check.exe explains every line\r\n"
                        "Shield models: all 19 loaded"),
              std::string::npos)
        << text;
}

TEST_F(StartLog, MisspelledModelsAreNamedWithTheDefaultNameMeant) {
    start("[Settings]\r\ndebug=true\r\n[BLOCK_PROPS]\r\nprop_tree_pine_1=8,20\r\n"
          "prop_tree_pine_01=8,20\r\nPROP_TREE_PINE_01=8,20\r\nmy_own_bush=1,1\r\n");
    EXPECT_NE(log().find("  3 models listed\r\n"
                         "  every line takes effect\r\n"
                         "  2 model names to check:\r\n"
                         "    line 4: \"prop_tree_pine_1\" is not one of the default models; did "
                         "you mean \"prop_tree_pine_01\"?\r\n"
                         "    line 6: \"PROP_TREE_PINE_01\" is the same model as "
                         "\"prop_tree_pine_01\" on line 5: the game's names ignore case\r\n"
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
    EXPECT_NE(log().find("  22 model names to check:\r\n    line 4: \"prop_tree_pine_0a\""),
              std::string::npos);
    EXPECT_NE(log().find("    line 23: \"prop_tree_pine_0t\" is not one of the default models; "
                         "did you mean \"prop_tree_pine_01\" or \"prop_tree_pine_02\"?\r\n"
                         "    and 2 more; bramblecap-check.exe names them all\r\n"
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
