// The one-line status text.
#include "../common/call_log.h"
#include "config/settings.h"
#include "natives/native_hashes.h"
#include "plugin_fixture.h"
#include "shields/debug_line.h"
#include "shields/nearby_scan.h"
#include "shields/shield_registry.h"

namespace {

class StatusLine : public PluginTest {
  protected:
    std::vector<std::string> drawn() const { return statusLines(*world); }
};

} // namespace

TEST_F(StatusLine, ShowsRadiusNearbyShieldsAndProcessedInTheGivenSpacing) {
    settings.debug = true;
    nearbyCount = 37;
    for (EntityHandle tree = 1; tree <= 12; ++tree) {
        shieldRegistry.emplace(tree, tree + 100);
    }
    world->runAsScript(drawDebugLine);
    EXPECT_EQ(callsOfFrame(0),
              (std::vector<std::string>{
                  "BEGIN_TEXT_COMMAND_PRINT(\"STRING\")",
                  "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"Radius: 100  Nearby:37  "
                  "TreeShields:12  Processed:0\")",
                  "END_TEXT_COMMAND_PRINT(1, 1)",
              }));
}

TEST_F(StatusLine, NothingIsDrawnWithDebugOff) {
    nearbyCount = 3;
    world->runAsScript(drawDebugLine);
    EXPECT_TRUE(world->calls().empty());
}

TEST_F(StatusLine, TheRadiusIsRoundedAndKeepsItsSign) {
    settings.debug = true;
    for (const float radius : {37.6f, -60.0f, 0.4f}) {
        settings.scanRadius = radius;
        world->runAsScript(drawDebugLine);
    }
    EXPECT_EQ(drawn(),
              (std::vector<std::string>{"Radius: 38  Nearby:0  TreeShields:0  Processed:0",
                                        "Radius: -60  Nearby:0  TreeShields:0  Processed:0",
                                        "Radius: 0  Nearby:0  TreeShields:0  Processed:0"}));
}

TEST_F(StatusLine, CountsShieldsThatThisFramesRetirementIsAboutToRemove) {
    writeConfig("[Settings]\ndebug=true\n[BLOCK_PROPS]\nprop_tree_pine_01=1,5\n");
    world->addObject("prop_tree_pine_01", 3, 0, 0);
    attach();
    world->runFrames(1);
    world->setPlayerPosition(1000, 0, 0);
    world->runFrames(1);
    EXPECT_EQ(drawn(),
              (std::vector<std::string>{"Radius: 100  Nearby:1  TreeShields:1  Processed:0",
                                        "Radius: 100  Nearby:0  TreeShields:1  Processed:0"}));
    EXPECT_TRUE(shieldRegistry.empty()) << "retired after the line was drawn";
}
