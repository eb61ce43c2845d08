// Shields over candidates: the budget, the cap, the model and the position.
#include "plugin_test.h"

#include "config/text.h"
#include "natives/native_list.h"
#include "shields/shields.h"

#include <cmath>

namespace {

constexpr std::string_view pinesAndStatus =
    "[Settings]\r\ndebug=1\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=8,20\r\n";

// The registry fills in ceil(maxShields / newShieldsPerFrame) frames: with 800
// and 12, 66 frames of twelve and then one of eight, 67.
constexpr int framesToFill =
    (static_cast<int>(maxShields) + newShieldsPerFrame - 1) / newShieldsPerFrame;

class Placement : public PluginTest {
  protected:
    // Pines one metre apart in rows of forty, all within the default radius.
    std::vector<EntityHandle> plant(int trees, float firstRow = 0) {
        std::vector<EntityHandle> planted;
        for (int i = 0; i < trees; ++i) {
            planted.push_back(world->addObject("prop_tree_pine_01", static_cast<float>(i % 40),
                                               firstRow + static_cast<float>(i / 40), 0));
        }
        return planted;
    }
    std::size_t createdInFrame(int frame) const {
        std::size_t n = 0;
        for (const standin::HostCall* create : callsNamed("CREATE_OBJECT")) {
            n += create->frame == frame ? 1 : 0;
        }
        return n;
    }
};

} // namespace

TEST_F(Placement, TwoAndAHalfBudgetsOfTreesTakeThreeFramesInListOrder) {
    const std::size_t budget = newShieldsPerFrame; // 12: 30 trees, 12 + 12 + 6
    plant(static_cast<int>(budget * 5 / 2));
    start(pinesAndStatus, 4);
    EXPECT_EQ(createdInFrame(1), budget);
    EXPECT_EQ(createdInFrame(2), budget);
    EXPECT_EQ(createdInFrame(3), budget / 2);
    EXPECT_EQ(createdInFrame(4), 0u);
    const auto creations = callsNamed("CREATE_OBJECT");
    for (std::size_t i = 0; i < creations.size(); ++i) {
        EXPECT_EQ(floatArgument(*creations[i], 1), static_cast<float>(i)) << "in list order";
    }
}

TEST_F(Placement, AtTheCapNoCandidateIsExaminedButTheScanAndStatusLineRun) {
    const std::size_t trees = maxShields + 5; // 805
    plant(static_cast<int>(trees));
    start(pinesAndStatus, framesToFill);
    ASSERT_EQ(shields().size(), maxShields);
    world->runFrames(1);
    EXPECT_EQ(createdInFrame(framesToFill + 1), 0u);
    EXPECT_EQ(statusLines().back(), "Radius: 100  Nearby:" + std::to_string(trees) +
                                        "  TreeShields:" + std::to_string(maxShields) +
                                        "  Processed:0");
    const std::vector<std::string> names = namesOfFrame(framesToFill + 1);
    const auto status = std::find(names.begin(), names.end(), "BEGIN_TEXT_COMMAND_PRINT");
    ASSERT_NE(status, names.end());
    // 3 + 3 * (805 + 800) = 4,818
    EXPECT_EQ(static_cast<std::size_t>(status - names.begin()), 3 + 3 * (trees + maxShields))
        << "the scan's three questions for every tree and shield, then at once the status line";
}

TEST_F(Placement, OneShieldBelowTheCapOneMoreAndNoFurther) {
    plant(static_cast<int>(maxShields) - 1);
    start(pinesAndStatus, framesToFill);
    ASSERT_EQ(shields().size(), maxShields - 1);
    plant(5, 30);
    world->runFrames(1);
    EXPECT_EQ(createdInFrame(framesToFill + 1), 1u);
    EXPECT_EQ(shields().size(), maxShields);
}

TEST_F(Placement, TheFirstNumberSelectsAModelFrom1To19) {
    const std::pair<const char*, int> cases[] = {
        {"0", 1},    {"-3", 1},    {"1.99", 1},        {"2.5", 2},        {"18.99", 18},
        {"19", 19},  {"19.9", 19}, {"250", 19},        {"1e10", 19},      {"inf", 19},
        {"-inf", 1}, {"nan", 1},   {"-2147483648", 1}, {"2147483648", 19}};
    std::string config = "[BLOCK_PROPS]\r\n";
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string name = "m" + std::to_string(i);
        config += name + "=" + cases[i].first + ",0\r\n";
        world->addObject(name, static_cast<float>(i), 0, 0);
    }
    // 14 trees at 12 a frame: two frames.
    const auto budget = static_cast<std::size_t>(newShieldsPerFrame);
    start(config, static_cast<int>((std::size(cases) + budget - 1) / budget));
    const auto creations = callsNamed("CREATE_OBJECT");
    ASSERT_EQ(creations.size(), std::size(cases));
    for (const standin::HostCall* create : creations) {
        const auto i = static_cast<std::size_t>(floatArgument(*create, 1));
        EXPECT_EQ(create->args[0], nameHash("bramble_cap_" + std::to_string(cases[i].second)))
            << cases[i].first;
    }
}

TEST_F(Placement, TheShieldStandsAtTheTreesXAndYRaisedByTheHeightOffsetInItsModel) {
    world->addObject("prop_tree_pine_01", 12.345f, -6.789f, 30.5f);
    world->addObject("prop_palm_med_01a", -0.1f, 0.3f, 7.0f);
    start("[BLOCK_PROPS]\r\nprop_tree_pine_01=8,20\r\nprop_palm_med_01a=2.5,-4.25\r\n");
    const auto creations = callsNamed("CREATE_OBJECT");
    ASSERT_EQ(creations.size(), 2u);
    EXPECT_EQ(creations[0]->args[0], nameHash("bramble_cap_8"));
    EXPECT_EQ(floatArgument(*creations[0], 1), 12.345f);
    EXPECT_EQ(floatArgument(*creations[0], 2), -6.789f);
    EXPECT_EQ(floatArgument(*creations[0], 3), 30.5f + 20.0f);
    EXPECT_EQ(creations[1]->args[0], nameHash("bramble_cap_2"));
    EXPECT_EQ(floatArgument(*creations[1], 1), -0.1f);
    EXPECT_EQ(floatArgument(*creations[1], 2), 0.3f);
    EXPECT_EQ(floatArgument(*creations[1], 3), 2.75f) << "a negative offset goes below the tree";
}

TEST_F(Placement, ACandidateListedTwiceGetsOneShield) {
    plant(3);
    world->faults.listing = standin::Listing::Twice;
    start(pinesAndStatus);
    EXPECT_EQ(statusLines(),
              std::vector<std::string>{"Radius: 100  Nearby:6  TreeShields:3  Processed:0"});
    EXPECT_EQ(createdInFrame(1), 3u);
}

TEST_F(Placement, AFailedCreationCostsNoBudgetAndTheTreeIsTriedAgain) {
    plant(20);
    world->faults.createFails = 1;
    start(pinesAndStatus);
    EXPECT_EQ(createdInFrame(1), 20u);
    EXPECT_TRUE(shields().empty());
    world->faults.createFails = 0;
    world->runFrames(1);
    EXPECT_EQ(shields().size(), 12u);
}

TEST_F(Placement, ACreatedObjectReportedMissingIsNeitherRecordedNorDeleted) {
    plant(2);
    world->faults.createdMissing = 1;
    start("[BLOCK_PROPS]\r\nprop_tree_pine_01=8,20\r\n");
    EXPECT_EQ(createdInFrame(1), 2u);
    EXPECT_EQ(count("DELETE_ENTITY"), 0u);
    const std::vector<std::string> names = namesOfFrame(1);
    EXPECT_EQ(std::vector<std::string>(names.end() - 3, names.end()),
              (std::vector<std::string>{"CREATE_OBJECT", "DOES_ENTITY_EXIST", "scriptWait"}))
        << "nothing recorded, so nothing for retirement to look at";
    world->faults.createdMissing = 0;
    world->runFrames(1);
    EXPECT_EQ(shields().size(), 2u);
}

TEST_F(Placement, ACandidateThatChangedSinceTheScanIsSkipped) {
    const std::vector<EntityHandle> trees = plant(3);
    // Right after the scan has asked for each tree's model, the first tree
    // vanishes and the second turns into something unlisted.
    int modelQueries = 0;
    world->onCall = [&](const standin::HostCall& call) {
        if (call.hash == NativeHash::GET_ENTITY_MODEL && ++modelQueries == 3) {
            world->vanish(trees[0]);
            world->changeModel(trees[1], nameHash("prop_bench_01a"));
        }
    };
    start(pinesAndStatus);
    world->onCall = nullptr;
    EXPECT_EQ(statusLines(),
              std::vector<std::string>{"Radius: 100  Nearby:3  TreeShields:1  Processed:0"});
    ASSERT_EQ(shields().size(), 1u);
    EXPECT_EQ(shields()[0]->x, 2.0f) << "over the third tree";
}

TEST_F(Placement, NoCandidatesMeansNoCallBeyondTheScanAndTheStatusLine) {
    world->addObject("prop_bench_01", 1, 1, 0);
    start(pinesAndStatus, 2);
    EXPECT_EQ(namesOfFrame(2),
              (std::vector<std::string>{"PLAYER_PED_ID", "GET_ENTITY_COORDS", "worldGetAllObjects",
                                        "DOES_ENTITY_EXIST", "GET_ENTITY_COORDS",
                                        "GET_ENTITY_MODEL", "BEGIN_TEXT_COMMAND_PRINT",
                                        "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME",
                                        "END_TEXT_COMMAND_PRINT", "scriptWait"}));
}
