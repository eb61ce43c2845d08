// The one-line status text.
#include "plugin_test.h"

#include "shields/shields.h"

using StatusLine = PluginTest;

TEST_F(StatusLine, ShowsRadiusNearbyShieldsAndProcessedInTheGivenSpacing) {
    // More trees than one frame's budget: frame 1 places newShieldsPerFrame.
    for (int i = 0; i < 37; ++i) {
        world->addObject("prop_tree_pine_01", static_cast<float>(i), 0, 0);
    }
    start("[Settings]\r\ndebug=true\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=1,5\r\n");
    const std::vector<std::string> calls = callsOfFrame(1);
    const auto status =
        std::find(calls.begin(), calls.end(), "BEGIN_TEXT_COMMAND_PRINT(\"STRING\")");
    ASSERT_LE(status + 3, calls.end());
    EXPECT_EQ(
        std::vector<std::string>(status, status + 3),
        (std::vector<std::string>{
            "BEGIN_TEXT_COMMAND_PRINT(\"STRING\")",
            "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"Radius: 100  Nearby:37  TreeShields:" +
                std::to_string(newShieldsPerFrame) + "  Processed:0\")",
            "END_TEXT_COMMAND_PRINT(1, 1)",
        }));
}

TEST_F(StatusLine, NothingIsDrawnWithDebugOff) {
    world->addObject("prop_tree_pine_01", 1, 0, 0);
    start("[Settings]\r\ndebug=false\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=1,5\r\n", 2);
    EXPECT_EQ(count("BEGIN_TEXT_COMMAND_PRINT"), 0u);
    EXPECT_EQ(count("ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME"), 0u);
    EXPECT_EQ(count("END_TEXT_COMMAND_PRINT"), 0u);
}

TEST_F(StatusLine, TheRadiusIsRoundedAndKeepsItsSign) {
    const std::pair<const char*, const char*> cases[] = {
        {"37.6", "Radius: 38  Nearby:0  TreeShields:0  Processed:0"},
        {"-60", "Radius: -60  Nearby:0  TreeShields:0  Processed:0"},
        {"0.4", "Radius: 0  Nearby:0  TreeShields:0  Processed:0"}};
    for (const auto& [radius, line] : cases) {
        restart(std::string("[Settings]\r\ndebug=1\r\nscanRadius=") + radius + "\r\n");
        EXPECT_EQ(statusLines(), std::vector<std::string>{line});
    }
}

TEST_F(StatusLine, CountsShieldsThatThisFramesRetirementIsAboutToRemove) {
    world->addObject("prop_tree_pine_01", 3, 0, 0);
    start("[Settings]\r\ndebug=true\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=1,5\r\n");
    world->setPlayerPosition(1000, 0, 0);
    world->runFrames(1);
    EXPECT_EQ(statusLines(),
              (std::vector<std::string>{"Radius: 100  Nearby:1  TreeShields:1  Processed:0",
                                        "Radius: 100  Nearby:0  TreeShields:1  Processed:0"}));
    EXPECT_TRUE(shields().empty()) << "retired after the line was drawn";
}
