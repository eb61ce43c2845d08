// A long drive through a generated forest with faults switched on: the
// plug-in's promises hold after every single frame.
#include "../behaviour/plugin_test.h"
#include "natives/native_list.h"
#include "shields/shields.h"

#include <random>
#include <unordered_set>

namespace {

constexpr int frames = 100'000;
constexpr float forestLength = 4000;

const char* const listedModels[] = {"prop_tree_pine_01", "prop_tree_birch_02", "prop_palm_med_01a",
                                    "prop_tree_oak_01", "prop_w_r_cedar_01"};
const char* const unlistedModels[] = {"prop_bench_01a", "prop_rock_4_c", "prop_bush_lrg_04b"};

void plantForest(standin::World& world, std::mt19937& random) {
    std::uniform_real_distribution<float> along(0, forestLength), across(-200, 200),
        jitter(-40, 40);
    std::uniform_int_distribution<int> listed(0, 4), unlisted(0, 2);
    for (int i = 0; i < 2000; ++i) { // sparse country
        world.addObject(listedModels[listed(random)], along(random), across(random), 0);
    }
    for (int i = 0; i < 1000; ++i) {
        world.addObject(unlistedModels[unlisted(random)], along(random), across(random), 0);
    }
    for (int patch = 0; patch < 3; ++patch) { // dense woods by the road
        const float x = along(random), y = across(random) / 4;
        for (int i = 0; i < 900; ++i) {
            world.addObject(listedModels[listed(random)], x + jitter(random), y + jitter(random),
                            0);
        }
    }
}

} // namespace

using LongRun = PluginTest;

TEST_F(LongRun, AHundredThousandFramesThroughAForestWithFaults) {
    std::mt19937 random(20261208);
    plantForest(*world, random);
    world->setStreamingRadius(160);
    world->faults.createFails = 0.02;
    world->faults.createdMissing = 0.02;
    world->faults.vanish = 1.0e-6;
    world->beforeFrame = [](standin::World& w) {
        // Back and forth along the forest at one metre a frame.
        const int leg = static_cast<int>(forestLength);
        const int step = w.frame() % (2 * leg);
        w.setPlayerPosition(static_cast<float>(step < leg ? step : 2 * leg - step), 0, 0);
        const standin::Listing faults[] = {standin::Listing::Zero, standin::Listing::Negative,
                                           standin::Listing::Overfull, standin::Listing::Twice};
        w.faults.listing =
            w.frame() % 997 == 0 ? faults[(w.frame() / 997) % 4] : standin::Listing::Normal;
    };
    load();

    std::unordered_set<EntityHandle> outstanding, deleted;
    std::vector<std::string> broken;
    int createdThisFrame = 0;
    world->setLogging(false);
    world->onCall = [&](const standin::HostCall& call) {
        if (call.kind != standin::CallKind::Native) {
            return;
        }
        const auto handle = static_cast<std::uint32_t>(call.result);
        if (call.hash == NativeHash::CREATE_OBJECT && handle != 0) {
            // One reported missing at once is dropped and costs no budget.
            createdThisFrame += world->object(handle)->exists ? 1 : 0;
            outstanding.insert(handle);
        } else if (call.hash == NativeHash::DELETE_ENTITY) {
            if (!deleted.insert(call.target).second) {
                broken.push_back("deleted twice");
            }
            if (outstanding.erase(call.target) != 1) {
                broken.push_back("deleted something it did not create");
            }
        }
    };
    std::size_t created = 0, peak = 0;
    for (int frame = 1; frame <= frames; ++frame) {
        createdThisFrame = 0;
        world->runFrames(1);
        ASSERT_TRUE(broken.empty()) << broken.front() << ", frame " << frame;
        ASSERT_LE(createdThisFrame, newShieldsPerFrame) << "frame " << frame;
        ASSERT_LE(shieldRegistry.size(), maxShields) << "frame " << frame;
        created += static_cast<std::size_t>(createdThisFrame);
        peak = std::max(peak, shieldRegistry.size());

        std::unordered_set<EntityHandle> registered;
        for (const auto& [tree, shield] : shieldRegistry) {
            registered.insert(shield);
        }
        for (auto shield = outstanding.begin(); shield != outstanding.end();) {
            if (!world->object(*shield)->exists) {
                shield = outstanding.erase(shield); // vanished, or reported missing at once
            } else {
                ASSERT_TRUE(registered.contains(*shield)) << "a lost shield, frame " << frame;
                ++shield;
            }
        }
        ASSERT_TRUE(world->protocolErrors().empty()) << world->protocolErrors().front();
    }
    EXPECT_EQ(peak, maxShields) << "the dense woods fill the registry";
    EXPECT_GT(deleted.size(), 10'000u) << "shields are retired behind the player";
    EXPECT_GT(created, deleted.size());
    std::printf(
        "long run: %d frames, %zu shields placed, %zu retired, peak %zu held, %.0f native calls "
        "a frame\n",
        frames, created, deleted.size(), peak,
        static_cast<double>(world->nativeCallCount()) / frames);
}
