// Start-up: the nineteen shield models are hashed, requested, then waited for.
#include "natives/native_hashes.h"
#include "plugin_fixture.h"
#include "shields/shield_models.h"
#include "shields/shield_registry.h"
#include "natives/name_hash.h"

#include <algorithm>
#include <string>

using ShieldModels = PluginTest;

namespace {
std::string capName(int k) {
    return "bramble_cap_" + std::to_string(k);
}
} // namespace

TEST_F(ShieldModels, AllNineteenAreHashedAndRequestedInOrderBeforeAnyTest) {
    prepareShieldModels();
    world->clearCalls();
    world->runAsScript(loadShieldModels);
    const auto& calls = world->calls();
    ASSERT_EQ(calls.size(), 19u * 3);
    for (int k = 1; k <= 19; ++k) {
        const sim::HostCall& hash = calls[2 * (k - 1)];
        const sim::HostCall& request = calls[2 * (k - 1) + 1];
        EXPECT_EQ(hash.text, capName(k));
        EXPECT_EQ(request.hash, NativeHash::REQUEST_MODEL);
        EXPECT_EQ(request.args[0], nameHash(capName(k)));
        EXPECT_EQ(shieldModels[k - 1], nameHash(capName(k))) << "entry k-1 is model k";
        EXPECT_EQ(calls[38 + k - 1].hash, NativeHash::HAS_MODEL_LOADED);
        EXPECT_EQ(calls[38 + k - 1].args[0], nameHash(capName(k)));
    }
    EXPECT_EQ(calls[2 * 6].text, "bramble_cap_7") << "no leading zero";
}

TEST_F(ShieldModels, ModelsLoadedAtTheirFirstTestCostNoFrame) {
    attach();
    world->runFrames(1);
    EXPECT_EQ(count("REQUEST_MODEL"), 19u);
    EXPECT_EQ(count("scriptWait"), 1u) << "only the first frame's own yield";
    EXPECT_EQ(count("PLAYER_PED_ID"), 1u);
}

TEST_F(ShieldModels, ASlowModelCostsOneFramePerFailedTestAndNoMore) {
    // Model 5 reports not loaded at its first three tests.
    world->setModelLatency(capName(5), 3);
    attach();
    world->runFrames(4);
    std::vector<std::string> tests;
    for (const sim::HostCall& call : world->calls()) {
        if (call.hash == NativeHash::HAS_MODEL_LOADED && call.kind == sim::CallKind::Native) {
            tests.push_back(
                std::to_string(call.frame) + ":" +
                std::to_string(std::find(shieldModels.begin(), shieldModels.end(), call.args[0]) -
                               shieldModels.begin()));
        }
    }
    std::vector<std::string> expected = {"1:0", "1:1", "1:2", "1:3", "1:4", "2:4", "3:4", "4:4"};
    for (int i = 5; i < 19; ++i) {
        expected.push_back("4:" + std::to_string(i));
    }
    EXPECT_EQ(tests, expected);
    EXPECT_EQ(count("REQUEST_MODEL"), 19u) << "the wait never repeats a request";
    EXPECT_EQ(count("scriptWait"), 4u) << "three waits for model 5, then frame 4's own yield";
    EXPECT_EQ(namesOfFrame(4).front(), "HAS_MODEL_LOADED");
}

TEST_F(ShieldModels, AMissingModelIsWaitedForBoundedlyAndLeftOut) {
    // Pines want model 8, whose asset the player lacks; oaks want model 3.
    writeConfig("[BLOCK_PROPS]\nprop_tree_pine_01=8,20\nprop_tree_oak_01=3,20\n");
    world->setModelLatency(capName(8), -1);
    for (int i = 0; i < 13; ++i) {
        world->addObject("prop_tree_pine_01", static_cast<float>(i), 1, 0);
    }
    for (int i = 0; i < 12; ++i) {
        world->addObject("prop_tree_oak_01", static_cast<float>(i), 2, 0);
    }
    attach();
    world->runFrames(shieldModelWaitFrames);
    EXPECT_EQ(count("PLAYER_PED_ID"), 0u) << "still waiting after 1,799 frames";
    world->runFrames(1);
    EXPECT_EQ(count("PLAYER_PED_ID"), 1u) << "the loop starts once the wait is spent";
    EXPECT_EQ(count("REQUEST_MODEL"), 19u);
    const auto creations = callsNamed("CREATE_OBJECT");
    ASSERT_EQ(creations.size(), 12u) << "the pines cost no creation and none of the budget";
    for (const sim::HostCall* create : creations) {
        EXPECT_EQ(create->args[0], nameHash(capName(3)));
    }
    world->runFrames(1);
    EXPECT_EQ(callsNamed("CREATE_OBJECT").size(), 12u)
        << "pines are looked at again, still no model";
    EXPECT_EQ(shieldRegistry.size(), 12u);
}
