// The shipped .asi at its job: shields over listed trees, retired behind the player.
#include "asi_fixture.h"
#include "natives/name_hash.h"

using Forest = AsiTest;

namespace {
std::vector<const sim::Object*> shields(const sim::World& world) {
    std::vector<const sim::Object*> found;
    for (const sim::Object& o : world.objects()) {
        if (o.createdByScript && o.exists) {
            found.push_back(&o);
        }
    }
    return found;
}
} // namespace

TEST_F(Forest, ShieldsAppearOverListedTreesAndAreRetiredBehindThePlayer) {
    writeConfig("[Settings]\r\nscanRadius=60\r\ndebug=true\r\n\r\n[BLOCK_PROPS]\r\n"
                "prop_tree_pine_01=5.7,12.5\r\nprop_palm_med_01a=19.2,3\r\n");
    for (int i = 0; i < 10; ++i) {
        world->addObject("prop_tree_pine_01", 5.0f * static_cast<float>(i), 10, 1);
        world->addObject("prop_palm_med_01a", -5.0f * static_cast<float>(i), -10, 2);
        world->addObject("prop_bench_01a", 1, static_cast<float>(i), 0);
    }
    world->addObject("prop_tree_pine_01", 500, 0, 0); // far away
    load();
    world->runFrames(2);

    const auto placed = shields(*world);
    ASSERT_EQ(placed.size(), 20u);
    int pines = 0, palms = 0;
    for (const sim::Object* shield : placed) {
        if (shield->model == nameHash("bramble_cap_5")) {
            ++pines;
            EXPECT_EQ(shield->y, 10.0f);
            EXPECT_EQ(shield->z, 1.0f + 12.5f);
        } else {
            EXPECT_EQ(shield->model, nameHash("bramble_cap_19"));
            ++palms;
            EXPECT_EQ(shield->y, -10.0f);
            EXPECT_EQ(shield->z, 2.0f + 3.0f);
        }
    }
    EXPECT_EQ(pines, 10);
    EXPECT_EQ(palms, 10);

    // From here the pines' shields lie 100 to 110 m away and stay; the palms'
    // lie 120 m and more away, beyond 60 + 50, and go.
    world->setPlayerPosition(0, 110, 0);
    world->runFrames(1);
    ASSERT_EQ(shields(*world).size(), 10u);
    EXPECT_EQ(shields(*world)[0]->model, nameHash("bramble_cap_5"));
    world->setPlayerPosition(0, 200, 0);
    world->runFrames(2);
    EXPECT_TRUE(shields(*world).empty());

    const std::vector<std::string> lines = statusLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Radius: 60  Nearby:20  TreeShields:12  Processed:0");
    EXPECT_EQ(lines[1], "Radius: 60  Nearby:20  TreeShields:20  Processed:0");
    EXPECT_EQ(lines[2], "Radius: 60  Nearby:0  TreeShields:20  Processed:0");
    EXPECT_EQ(lines[3], "Radius: 60  Nearby:0  TreeShields:10  Processed:0");
    EXPECT_EQ(lines[4], "Radius: 60  Nearby:0  TreeShields:0  Processed:0");
}

TEST_F(Forest, AMissingShieldModelDelaysTheStartThenTheOthersWork) {
    writeConfig("[BLOCK_PROPS]\r\nprop_tree_pine_01=8,20\r\nprop_tree_oak_01=3,20\r\n");
    world->setModelLatency("bramble_cap_8", -1);
    world->addObject("prop_tree_pine_01", 1, 1, 0);
    world->addObject("prop_tree_oak_01", 2, 2, 0);
    load();
    world->runFrames(1800);
    EXPECT_TRUE(shields(*world).empty());
    world->runFrames(1);
    ASSERT_EQ(shields(*world).size(), 1u);
    EXPECT_EQ(shields(*world)[0]->model, nameHash("bramble_cap_3"));
}
