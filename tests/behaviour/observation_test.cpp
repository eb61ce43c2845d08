// What the stand-in reads of the plug-in from its calls alone: its candidate
// list, its status line's Nearby, the shields it keeps and deletes. The dry
// run reports these, so they must be the plug-in's own figures, also where the
// world would count otherwise.
#include "plugin_test.h"

#include <string>

namespace {

constexpr std::string_view pinesAndPalms = "[Settings]\r\ndebug=1\r\n[BLOCK_PROPS]\r\n"
                                           "prop_tree_pine_01=1,0\r\nprop_palm_med_01a=2,0\r\n";

class Observation : public PluginTest {
  protected:
    // Loads the plug-in and runs frames one by one, keeping each frame's observation.
    std::vector<standin::FrameObservation> run(std::string_view config, int frames) {
        writeConfig(config);
        load();
        return more(frames);
    }
    std::vector<standin::FrameObservation> more(int frames) {
        std::vector<standin::FrameObservation> seen;
        for (int i = 0; i < frames; ++i) {
            world->runFrames(1);
            seen.push_back(world->observed());
        }
        return seen;
    }
    static std::vector<int> candidates(const std::vector<standin::FrameObservation>& seen) {
        std::vector<int> figures;
        for (const standin::FrameObservation& frame : seen) {
            figures.push_back(frame.candidates);
        }
        return figures;
    }
};

} // namespace

TEST_F(Observation, AHostListFullOfUnlistedObjectsLeavesTheTreesBehindItUnseen) {
    // The host gives 4,096 handles a scan: the 5,000 benches fill them all, so
    // the ten pines at the player's feet are never listed.
    for (int i = 0; i < 5000; ++i) {
        world->addObject("prop_bench_01a", static_cast<float>(i % 50), 0, 0);
    }
    for (int i = 0; i < 10; ++i) {
        world->addObject("prop_tree_pine_01", 0, 0, 0);
    }
    for (const standin::FrameObservation& frame : run(pinesAndPalms, 3)) {
        EXPECT_EQ(frame.statusLine, "Radius: 100  Nearby:0  TreeShields:0  Processed:0");
        EXPECT_EQ(frame.statusNearby, 0);
        EXPECT_EQ(frame.candidates, 0);
        EXPECT_EQ(frame.shieldsCreated, 0);
    }
    EXPECT_TRUE(shields().empty());
}

TEST_F(Observation, InAMixedWorldTheCandidatesAreTheStatusLinesNearbyFrameByFrame) {
    // 6,000 objects on a line, ten to a metre: pines, palms and unlisted
    // benches in turn. The player walks 50 m a frame from x = 0 to x = 550.
    const char* const models[] = {"prop_tree_pine_01", "prop_palm_med_01a", "prop_bench_01a"};
    for (int i = 0; i < 6000; ++i) {
        world->addObject(models[i % 3], static_cast<float>(i / 10), 0, 0);
    }
    world->beforeFrame = [](standin::World& w) {
        w.setPlayerPosition(50.0f * static_cast<float>(w.frame() - 1), 0, 0);
    };
    const std::vector<standin::FrameObservation> seen = run(pinesAndPalms, 12);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        ASSERT_TRUE(seen[i].statusNearby.has_value()) << "frame " << i + 1;
        EXPECT_EQ(seen[i].candidates, *seen[i].statusNearby) << "frame " << i + 1;
    }
    // Frame 1, at x = 0: objects 0 to 1009 lie within 100 m, two in three of
    // them listed: 336 whole turns and objects 1008 and 1009, 674.
    EXPECT_EQ(seen[0].candidates, 674);
    // Frame 9, at x = 400: objects 3000 to 5009 lie within reach, but the host
    // lists only objects 0 to 4095: 365 turns and object 4095, 731, where the
    // world holds 1,340 listed objects within reach.
    EXPECT_EQ(seen[8].candidates, 731);
    // Frame 12, at x = 550: nothing the host lists is within reach.
    EXPECT_EQ(seen[11].candidates, 0);
}

TEST_F(Observation, WhileThePluginWaitsForItsShieldModelsItHasNoCandidates) {
    for (int i = 0; i < 10; ++i) {
        world->addObject("prop_tree_pine_01", static_cast<float>(i), 0, 0);
    }
    // Model 1 reports loaded at its fourth test, in frame 4.
    world->setModelLatency("bramble_cap_1", 3);
    const std::vector<standin::FrameObservation> seen = run(pinesAndPalms, 5);
    EXPECT_EQ(candidates(seen), (std::vector<int>{0, 0, 0, 10, 10}));
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_TRUE(seen[frame].waitingForModels) << "frame " << frame + 1;
        EXPECT_FALSE(seen[frame].statusNearby.has_value()) << "no line while it waits";
    }
    EXPECT_FALSE(seen[3].waitingForModels) << "the wait ended and the frame loop scanned";
    EXPECT_EQ(seen[3].statusNearby, 10);
    EXPECT_EQ(seen[3].shieldsCreated, 10);
}

TEST_F(Observation, CandidatesAreThePluginsListDuplicatesAndAllWithTheStatusLineOff) {
    for (int i = 0; i < 10; ++i) {
        world->addObject("prop_tree_pine_01", static_cast<float>(i), 0, 0);
    }
    world->addObject("prop_tree_pine_01", 300, 0, 0); // beyond the radius
    world->faults.listing = standin::Listing::Twice;
    const std::vector<standin::FrameObservation> seen =
        run("[BLOCK_PROPS]\r\nprop_tree_pine_01=1,0\r\n", 1);
    EXPECT_EQ(seen[0].candidates, 20) << "every pine near, listed twice";
    EXPECT_EQ(seen[0].statusLine, "");
    EXPECT_FALSE(seen[0].statusNearby.has_value());
}

TEST_F(Observation, AConfigurationListingTheFirstShieldModelCountsTheShieldsToo) {
    // The first shield model is hashed just before its request, as a listed
    // model is: listed here, each shield becomes a candidate in turn.
    world->addObject("bramble_cap_1", 0, 0, 0);
    const std::vector<standin::FrameObservation> seen =
        run("[Settings]\r\ndebug=1\r\n[BLOCK_PROPS]\r\nbramble_cap_1=1,1\r\n", 3);
    EXPECT_EQ(candidates(seen), (std::vector<int>{1, 2, 3}));
    for (const standin::FrameObservation& frame : seen) {
        EXPECT_EQ(frame.statusNearby, frame.candidates);
    }
}

TEST_F(Observation, ShieldsCountedAreThoseThePluginKeptAndThoseItDeleted) {
    // 30 pines: 12, 12 and 6 shields; then the player leaves them all behind.
    for (int i = 0; i < 30; ++i) {
        world->addObject("prop_tree_pine_01", static_cast<float>(i), 0, 0);
    }
    std::vector<standin::FrameObservation> seen = run(pinesAndPalms, 3);
    world->setPlayerPosition(1000, 0, 0);
    seen.push_back(more(1)[0]);
    std::vector<int> created, retired;
    for (const standin::FrameObservation& frame : seen) {
        created.push_back(frame.shieldsCreated);
        retired.push_back(frame.shieldsRetired);
    }
    EXPECT_EQ(created, (std::vector<int>{12, 12, 6, 0}));
    EXPECT_EQ(retired, (std::vector<int>{0, 0, 0, 30}));

    // A shield the game made but the plug-in found gone is not one it keeps.
    restart(pinesAndPalms, 0);
    world->addObject("prop_tree_pine_01", 0, 0, 0);
    world->faults.createdMissing = 1;
    world->runFrames(1);
    EXPECT_EQ(count("CREATE_OBJECT"), 1u);
    EXPECT_EQ(world->observed().shieldsCreated, 0);
    EXPECT_EQ(world->observed().candidates, 1);
}
