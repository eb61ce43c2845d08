// Shields over candidates: the budget, the cap, the model and the position.
#include "config/settings.h"
#include "natives/native_hashes.h"
#include "plugin_fixture.h"
#include "shields/nearby_scan.h"
#include "shields/shield_model_number.h"
#include "shields/shield_placement.h"
#include "shields/shield_registry.h"
#include "natives/name_hash.h"

#include <bit>
#include <cmath>

namespace {

class Placement : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        listModel("prop_tree_pine_01", 8, 20);
        prepareShieldModels();
    }
    std::vector<EntityHandle> plantRow(int trees, float y = 0) {
        std::vector<EntityHandle> row;
        for (int i = 0; i < trees; ++i) {
            row.push_back(world->addObject("prop_tree_pine_01", static_cast<float>(i), y, 0));
        }
        return row;
    }
    void place() {
        world->clearCalls();
        world->runAsScript([] { placeShields(Vector3{0, 0, 0}); });
    }
    static float argument(const sim::HostCall& call, int i) {
        return std::bit_cast<float>(static_cast<std::uint32_t>(call.args[i]));
    }
    // Fills the registry with pairs of trees and shields that stand far away.
    void fillRegistry(std::size_t shields) {
        for (std::size_t i = 0; i < shields; ++i) {
            shieldRegistry.emplace(0x100000u + static_cast<EntityHandle>(i), 0x200000u);
        }
    }
};

} // namespace

TEST_F(Placement, ThirtyTreesTakeThreeFramesInListOrder) {
    const std::vector<EntityHandle> trees = plantRow(30);
    const std::size_t expected[] = {12, 24, 30};
    for (const std::size_t total : expected) {
        place();
        EXPECT_EQ(shieldRegistry.size(), total);
        for (std::size_t i = 0; i < 30; ++i) {
            EXPECT_EQ(shieldRegistry.contains(trees[i]), i < total) << "tree " << i;
        }
    }
    place();
    EXPECT_TRUE(callsNamed("CREATE_OBJECT").empty());
}

TEST_F(Placement, At800ShieldsNoCandidateIsExaminedButTheScanAndStatusLineRun) {
    plantRow(5);
    fillRegistry(800);
    settings.debug = true;
    place();
    EXPECT_EQ(nearbyCount, 5);
    const std::vector<std::string> names = namesOfFrame(0);
    const std::vector<std::string> tail(names.end() - 4, names.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"GET_ENTITY_MODEL", "BEGIN_TEXT_COMMAND_PRINT",
                                              "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME",
                                              "END_TEXT_COMMAND_PRINT"}));
    EXPECT_EQ(names.size(), 1 + 5 * 3 + 3u);
}

TEST_F(Placement, At799ShieldsOneMoreAndNoFurther) {
    plantRow(5);
    fillRegistry(799);
    place();
    EXPECT_EQ(shieldRegistry.size(), 800u);
    EXPECT_EQ(callsNamed("CREATE_OBJECT").size(), 1u);
}

TEST_F(Placement, TheFirstNumberSelectsAModelFrom1To19) {
    const std::pair<float, int> cases[] = {
        {0.0f, 1},      {-3.0f, 1},  {1.99f, 1},          {2.5f, 2},          {18.99f, 18},
        {19.0f, 19},    {19.9f, 19}, {250.0f, 19},        {1e10f, 19},        {INFINITY, 19},
        {-INFINITY, 1}, {NAN, 1},    {-2147483648.0f, 1}, {2147483648.0f, 19}};
    for (const auto& [index, model] : cases) {
        EXPECT_EQ(shieldModelNumber(index), model) << index;
    }
}

TEST_F(Placement, TheShieldStandsAtTheTreesXAndYRaisedByTheHeightOffsetInItsModel) {
    listModel("prop_palm_med_01a", 2.5f, -4.25f);
    world->addObject("prop_tree_pine_01", 12.345f, -6.789f, 30.5f);
    world->addObject("prop_palm_med_01a", -0.1f, 0.3f, 7.0f);
    place();
    const auto creations = callsNamed("CREATE_OBJECT");
    ASSERT_EQ(creations.size(), 2u);
    EXPECT_EQ(creations[0]->args[0], nameHash("bramble_cap_8"));
    EXPECT_EQ(argument(*creations[0], 1), 12.345f);
    EXPECT_EQ(argument(*creations[0], 2), -6.789f);
    EXPECT_EQ(argument(*creations[0], 3), 30.5f + 20.0f);
    EXPECT_EQ(creations[1]->args[0], nameHash("bramble_cap_2"));
    EXPECT_EQ(argument(*creations[1], 1), -0.1f);
    EXPECT_EQ(argument(*creations[1], 2), 0.3f);
    EXPECT_EQ(argument(*creations[1], 3), 2.75f) << "a negative offset goes below the tree";
}

TEST_F(Placement, ACandidateListedTwiceGetsOneShield) {
    plantRow(3);
    world->faults.listing = sim::Listing::Twice;
    place();
    EXPECT_EQ(nearbyCount, 6);
    EXPECT_EQ(shieldRegistry.size(), 3u);
    EXPECT_EQ(callsNamed("CREATE_OBJECT").size(), 3u);
}

TEST_F(Placement, AFailedCreationCostsNoBudgetAndTheTreeIsTriedAgain) {
    plantRow(20);
    world->faults.createFails = 1;
    place();
    EXPECT_EQ(callsNamed("CREATE_OBJECT").size(), 20u);
    EXPECT_TRUE(shieldRegistry.empty());
    world->faults.createFails = 0;
    place();
    EXPECT_EQ(shieldRegistry.size(), 12u);
}

TEST_F(Placement, ACreatedObjectReportedMissingIsNeitherRecordedNorDeleted) {
    plantRow(2);
    world->faults.createdMissing = 1;
    place();
    EXPECT_EQ(callsNamed("CREATE_OBJECT").size(), 2u);
    EXPECT_TRUE(shieldRegistry.empty());
    EXPECT_TRUE(callsNamed("DELETE_ENTITY").empty());
    const std::vector<std::string> names = namesOfFrame(0);
    EXPECT_EQ(std::vector<std::string>(names.end() - 2, names.end()),
              (std::vector<std::string>{"CREATE_OBJECT", "DOES_ENTITY_EXIST"}));
    world->faults.createdMissing = 0;
    place();
    EXPECT_EQ(shieldRegistry.size(), 2u);
}

TEST_F(Placement, ACandidateThatChangedSinceTheScanIsSkipped) {
    const std::vector<EntityHandle> trees = plantRow(3);
    // Right after the scan has asked for each tree's model, the first tree
    // vanishes and the second turns into something unlisted.
    int modelQueries = 0;
    world->onCall = [&](const sim::HostCall& call) {
        if (call.hash == NativeHash::GET_ENTITY_MODEL && ++modelQueries == 3) {
            world->vanish(trees[0]);
            world->changeModel(trees[1], nameHash("prop_bench_01a"));
        }
    };
    place();
    world->onCall = nullptr;
    EXPECT_EQ(nearbyCount, 3);
    EXPECT_FALSE(shieldRegistry.contains(trees[0]));
    EXPECT_FALSE(shieldRegistry.contains(trees[1]));
    EXPECT_TRUE(shieldRegistry.contains(trees[2]));
    EXPECT_EQ(callsNamed("CREATE_OBJECT").size(), 1u);
}

TEST_F(Placement, NoCandidatesMeansNoCallBeyondTheScanAndTheStatusLine) {
    world->addObject("prop_bench_01", 1, 1, 0);
    settings.debug = true;
    place();
    EXPECT_EQ(namesOfFrame(0), (std::vector<std::string>{"worldGetAllObjects", "DOES_ENTITY_EXIST",
                                                         "GET_ENTITY_COORDS", "GET_ENTITY_MODEL",
                                                         "BEGIN_TEXT_COMMAND_PRINT",
                                                         "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME",
                                                         "END_TEXT_COMMAND_PRINT"}));
}

TEST_F(Placement, AShieldedTreeCostsOneQuestion) {
    const std::vector<EntityHandle> trees = plantRow(1);
    place();
    ASSERT_EQ(shieldRegistry.size(), 1u);
    place();
    // The scan's three for the tree and three for its shield, then placement's one.
    const std::vector<std::string> names = namesOfFrame(0);
    EXPECT_EQ(names.size(), 1 + 3 + 3 + 1u);
    EXPECT_EQ(names.back(), "DOES_ENTITY_EXIST");
}
