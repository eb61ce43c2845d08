// Start-up: the nineteen shield models are hashed, requested, then waited for.
#include "plugin_test.h"

#include "config/text.h"
#include "shields/shields.h"

#include <string>

using ShieldModels = PluginTest;

namespace {
std::string capName(int k) {
    return "bramble_cap_" + std::to_string(k);
}
} // namespace

TEST_F(ShieldModels, AllNineteenAreHashedAndRequestedInOrderBeforeAnyTest) {
    start(""); // no entries: the only names hashed are the models'
    std::vector<std::string> expected;
    for (int k = 1; k <= 19; ++k) {
        expected.push_back("GET_HASH_KEY(\"" + capName(k) + "\")");
        expected.push_back("REQUEST_MODEL(" + standin::hexText(nameHash(capName(k))) + ")");
    }
    for (int k = 1; k <= 19; ++k) {
        expected.push_back("HAS_MODEL_LOADED(" + standin::hexText(nameHash(capName(k))) + ")");
    }
    const std::vector<std::string> calls = callsOfFrame(1);
    ASSERT_GE(calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 57), expected);
    EXPECT_EQ(calls[57], "PLAYER_PED_ID()") << "every model loaded at its first test: no wait";
}

TEST_F(ShieldModels, ASlowModelCostsOneFramePerFailedTestAndNoMore) {
    // Model 5 reports not loaded at its first three tests.
    world->setModelLatency(capName(5), 3);
    start("", 4);
    std::vector<std::string> tests;
    for (const standin::HostCall* call : callsNamed("HAS_MODEL_LOADED")) {
        for (int k = 1; k <= 19; ++k) {
            if (call->args[0] == nameHash(capName(k))) {
                tests.push_back(std::to_string(call->frame) + ":" + std::to_string(k));
            }
        }
    }
    std::vector<std::string> expected = {"1:1", "1:2", "1:3", "1:4", "1:5", "2:5", "3:5", "4:5"};
    for (int k = 6; k <= 19; ++k) {
        expected.push_back("4:" + std::to_string(k));
    }
    EXPECT_EQ(tests, expected);
    EXPECT_EQ(count("REQUEST_MODEL"), 19u) << "the wait never repeats a request";
    EXPECT_EQ(count("scriptWait"), 4u) << "three waits for model 5, then frame 4's own yield";
    EXPECT_EQ(count("PLAYER_PED_ID"), 1u);
}

TEST_F(ShieldModels, AMissingModelIsWaitedForBoundedlyAndLeftOut) {
    // Pines want model 8, whose asset the player lacks; oaks want model 3.
    // More pines than a frame's budget come first, then a budget of oaks
    // (13 and 12): only if the pines cost nothing do all the oaks get theirs.
    world->setModelLatency(capName(8), -1);
    for (int i = 0; i < newShieldsPerFrame + 1; ++i) {
        world->addObject("prop_tree_pine_01", static_cast<float>(i), 1, 0);
    }
    for (int i = 0; i < newShieldsPerFrame; ++i) {
        world->addObject("prop_tree_oak_01", static_cast<float>(i), 2, 0);
    }
    start("[BLOCK_PROPS]\r\nprop_tree_pine_01=8,20\r\nprop_tree_oak_01=3,20\r\n",
          shieldModelWaitFrames);
    EXPECT_EQ(count("PLAYER_PED_ID"), 0u) << "still waiting";
    world->runFrames(1);
    EXPECT_EQ(count("PLAYER_PED_ID"), 1u) << "the loop starts once the wait is spent";
    EXPECT_EQ(count("REQUEST_MODEL"), 19u);
    const auto creations = callsNamed("CREATE_OBJECT");
    const auto budget = static_cast<std::size_t>(newShieldsPerFrame);
    ASSERT_EQ(creations.size(), budget) << "the pines cost no creation and none of the budget";
    for (const standin::HostCall* create : creations) {
        EXPECT_EQ(create->args[0], nameHash(capName(3)));
    }
    world->runFrames(1);
    EXPECT_EQ(count("CREATE_OBJECT"), budget) << "pines are looked at again, still no model";
    EXPECT_EQ(shields().size(), budget);
}
