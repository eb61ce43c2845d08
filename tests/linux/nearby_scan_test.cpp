// The per-frame scan for listed objects near the player.
#include "config/settings.h"
#include "plugin_fixture.h"
#include "shields/nearby_scan.h"

#include <cmath>

namespace {

class Scan : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        listModel("prop_tree_pine_01", 8, 20);
    }
    // Scans from the player's position and returns what it listed.
    std::vector<EntityHandle> scan(float x = 0, float y = 0) {
        world->clearCalls();
        world->runAsScript([&] { scanNearbyTrees(Vector3{x, y, 0}); });
        return {nearbyTrees.begin(), nearbyTrees.begin() + nearbyCount};
    }
};

} // namespace

TEST_F(Scan, AGoneObjectCostsOneCallOneOutsideTwoOneInsideThree) {
    const EntityHandle gone = world->addObject("prop_tree_pine_01", 1, 1, 0);
    const EntityHandle far = world->addObject("prop_tree_pine_01", 500, 0, 0);
    const EntityHandle near = world->addObject("prop_tree_pine_01", 5, 0, 0);
    world->vanish(gone); // listed this frame, gone by the time it is tested
    EXPECT_EQ(scan(), std::vector<EntityHandle>{near});
    char g[16], f[16], n[16];
    std::snprintf(g, sizeof g, "0x%X", gone);
    std::snprintf(f, sizeof f, "0x%X", far);
    std::snprintf(n, sizeof n, "0x%X", near);
    const std::vector<std::string> expected = {
        "worldGetAllObjects(4096)",
        std::string("DOES_ENTITY_EXIST(") + g + ")",
        std::string("DOES_ENTITY_EXIST(") + f + ")",
        std::string("GET_ENTITY_COORDS(") + f + ", 1)",
        std::string("DOES_ENTITY_EXIST(") + n + ")",
        std::string("GET_ENTITY_COORDS(") + n + ", 1)",
        std::string("GET_ENTITY_MODEL(") + n + ")",
    };
    EXPECT_EQ(callsOfFrame(0), expected);
}

TEST_F(Scan, AnEmptyOrNegativeListingEmptiesTheList) {
    world->addObject("prop_tree_pine_01", 5, 0, 0);
    ASSERT_EQ(scan().size(), 1u);
    world->faults.listing = sim::Listing::Zero;
    EXPECT_TRUE(scan().empty());
    world->faults.listing = sim::Listing::Normal;
    ASSERT_EQ(scan().size(), 1u);
    world->faults.listing = sim::Listing::Negative;
    EXPECT_TRUE(scan().empty());
    EXPECT_EQ(world->calls().size(), 1u) << "nothing after the listing";
}

TEST_F(Scan, AHostThatReportsMoreThanItsCapacityIsReadOnlyToTheBuffersEnd) {
    for (int i = 0; i < 10; ++i) {
        world->addObject("prop_tree_pine_01", static_cast<float>(i), 0, 0);
    }
    world->faults.listing = sim::Listing::Overfull;
    EXPECT_EQ(scan().size(), 10u);
    EXPECT_EQ(callsNamed("DOES_ENTITY_EXIST").size(), 4096u);
}

TEST_F(Scan, AnObjectExactlyOnTheCircleIsIn) {
    const EntityHandle on = world->addObject("prop_tree_pine_01", 60, 80, 0); // 100 m, exactly
    world->addObject("prop_tree_pine_01", 60, std::nextafter(80.0f, 81.0f), 0);
    EXPECT_EQ(scan(), std::vector<EntityHandle>{on});
}

TEST_F(Scan, HeightPlaysNoPart) {
    const EntityHandle above = world->addObject("prop_tree_pine_01", 3, 4, 1.0e6f);
    const EntityHandle below = world->addObject("prop_tree_pine_01", 3, 4, -1.0e6f);
    EXPECT_EQ(scan(), (std::vector<EntityHandle>{above, below}));
}

TEST_F(Scan, OddRadiiBehaveAsTheirSquareSays) {
    const EntityHandle here = world->addObject("prop_tree_pine_01", 2, 3, 0);
    const EntityHandle near = world->addObject("prop_tree_pine_01", 2 + 49, 3, 0);
    const EntityHandle mid = world->addObject("prop_tree_pine_01", 2 + 51, 3, 0);
    const EntityHandle far = world->addObject("prop_tree_pine_01", 2 + 5000, 3, 0);
    settings.scanRadius = 0;
    EXPECT_EQ(scan(2, 3), std::vector<EntityHandle>{here});
    settings.scanRadius = -50;
    EXPECT_EQ(scan(2, 3), (std::vector<EntityHandle>{here, near}));
    settings.scanRadius = NAN;
    EXPECT_EQ(scan(2, 3), (std::vector<EntityHandle>{here, near, mid, far}));
}

TEST_F(Scan, OnlyListedModelsAreCandidatesHoweverClose) {
    world->addObject("prop_bench_01", 0, 0, 0);
    const EntityHandle pine = world->addObject("prop_tree_pine_01", 0, 0, 0);
    EXPECT_EQ(scan(), std::vector<EntityHandle>{pine});
    blockPropModels.clear();
    blockPropParams.clear();
    EXPECT_TRUE(scan().empty());
}
