// The shield system's limits as the rules write them: 800 shields in all, 12
// new ones a frame, 4,096 handles a scan, retirement 50 m beyond the radius.
// The numbers stand here as literals, not as the code's constants, so that a
// changed constant fails here by name; the other suites derive their frame
// counts from the constants.
#include "plugin_test.h"

#include <algorithm>

namespace {

constexpr std::string_view pinesAndStatus =
    "[Settings]\r\ndebug=1\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=8,20\r\n";

class Limits : public PluginTest {
  protected:
    // Pines a metre apart in rows of a hundred, the first at the player's feet.
    void plant(int trees) {
        for (int i = 0; i < trees; ++i) {
            world->addObject("prop_tree_pine_01", static_cast<float>(i % 100) * 0.5f,
                             static_cast<float>(i / 100) * 0.5f, 0);
        }
    }
};

} // namespace

TEST_F(Limits, EightHundredOneTreesInReachEndWithExactly800Shields) {
    plant(801);
    // 800 at 12 a frame: 66 frames of twelve and one of eight, then two to spare.
    start(pinesAndStatus, 69);
    EXPECT_EQ(shields().size(), 800u) << "at most 800 shields stand at once";
    EXPECT_EQ(count("CREATE_OBJECT"), 800u);
}

TEST_F(Limits, ThirtyTreesGetTwelveShieldsInTheFirstFrame) {
    plant(30);
    start(pinesAndStatus);
    EXPECT_EQ(count("CREATE_OBJECT"), 12u) << "at most 12 new shields a frame";
}

TEST_F(Limits, AScanTakes4096HandlesFromTheHostAndListsAtMostThat) {
    plant(4100);
    world->faults.createFails = 1; // keep the frame to the scan and the status line
    start(pinesAndStatus);
    const std::vector<std::string> calls = callsOfFrame(1);
    const auto listing = std::ranges::find_if(
        calls, [](const std::string& call) { return call.starts_with("worldGetAllObjects"); });
    ASSERT_NE(listing, calls.end());
    EXPECT_EQ(*listing, "worldGetAllObjects(4096)") << "the host is given room for 4,096 handles";
    EXPECT_EQ(statusLines().back(), "Radius: 100  Nearby:4096  TreeShields:0  Processed:0");
}

TEST_F(Limits, AShieldStays50MetresBeyondTheRadiusAndGoesJustPastThat) {
    world->addObject("prop_tree_pine_01", 0, 0, 0);
    world->addObject("prop_tree_pine_01", 0, -0.01f, 0);
    start("[Settings]\r\nscanRadius=30\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=8,20\r\n");
    ASSERT_EQ(shields().size(), 2u);
    world->setPlayerPosition(0, 80, 0); // 30 + 50 m from the first shield
    world->runFrames(1);
    ASSERT_EQ(shields().size(), 1u) << "the shield 80.01 m away goes, the one at 80 m stays";
    EXPECT_EQ(shields()[0]->y, 0.0f);
}
