// Retiring shields that fell behind the player, forgetting vanished ones.
#include "plugin_test.h"

#include <cmath>

namespace {

constexpr std::string_view pines = "[BLOCK_PROPS]\r\nprop_tree_pine_01=1,0\r\n";

class Retirement : public PluginTest {
  protected:
    // The shield over the tree at x, y, which the plug-in placed.
    const standin::Object* shieldAt(float x, float y) const {
        for (const standin::Object* shield : shields()) {
            if (shield->x == x && shield->y == y) {
                return shield;
            }
        }
        return nullptr;
    }
    std::vector<std::string> deletedInFrame(int frame) const {
        std::vector<std::string> deleted;
        for (const standin::HostCall* call : callsNamed("DELETE_ENTITY")) {
            if (call->frame == frame) {
                deleted.push_back(standin::hexText(call->target));
            }
        }
        return deleted;
    }
};

} // namespace

TEST_F(Retirement, AnEmptyRegistryCallsNothing) {
    start(pines, 2);
    EXPECT_EQ(namesOfFrame(2), (std::vector<std::string>{"PLAYER_PED_ID", "GET_ENTITY_COORDS",
                                                         "worldGetAllObjects", "scriptWait"}));
}

TEST_F(Retirement, AShieldExactlyAtTheMarginStaysAndOneJustBeyondGoes) {
    // With the player moved to (0, 150), the first shield lies 150 m away,
    // exactly scanRadius + 50; the second one step of a float further.
    world->addObject("prop_tree_pine_01", 0, 0, 0);
    world->addObject("prop_tree_pine_01", 0, -0x1p-16f, 0);
    start(pines);
    ASSERT_EQ(shields().size(), 2u);
    const std::string beyond = standin::hexText(shieldAt(0, -0x1p-16f)->handle);
    world->setPlayerPosition(0, 150, 0);
    world->runFrames(1);
    EXPECT_EQ(deletedInFrame(2), std::vector<std::string>{beyond});
    ASSERT_EQ(shields().size(), 1u);
    EXPECT_NE(shieldAt(0, 0), nullptr);
}

TEST_F(Retirement, TheDistanceIsWorkedInSinglePrecision) {
    // 94.2434921² + 116.696892² is 22,500.00036 exactly, beyond 150 m; rounded
    // after each step in single precision it is 22,500, on the circle: it stays.
    world->setPlayerPosition(94.2434921f, 116.696892f, 0);
    world->addObject("prop_tree_pine_01", 94.2434921f, 116.696892f, 0);
    start(pines);
    world->setPlayerPosition(0, 0, 0);
    world->runFrames(1);
    EXPECT_EQ(count("DELETE_ENTITY"), 0u);
    EXPECT_EQ(shields().size(), 1u);
}

TEST_F(Retirement, SinglePrecisionStepsPutShieldsInsideTheMarginBeyondIt) {
    // From the player moved to (0.3, 0.7), both shields lie within 150 m
    // exactly and in double precision rounded once to float (22,500 at most),
    // but in float steps each difference rounds up, and the sum of the squares
    // rounds to 22,500.00195, the float after 22,500: both are retired.
    //   dx 143.37695 -> 143.376953, dy 44.0800392 -> 44.08004,
    //     20,556.9512 + 1,943.04993 = 22,500.0011 (exactly 22,499.99967);
    //   dx 145.903806 -> 145.903809, dy 34.8149292 -> 34.81493,
    //     21,287.9219 + 1,212.07935 = 22,500.0012 (exactly 22,499.99977).
    world->addObject("prop_tree_pine_01", -143.07695f, -43.3800392f, 0);
    world->addObject("prop_tree_pine_01", -145.603806f, -34.1149292f, 0);
    world->setPlayerPosition(-144, -39, 0);
    start(pines);
    ASSERT_EQ(shields().size(), 2u);
    world->setPlayerPosition(0.3f, 0.7f, 0);
    world->runFrames(1);
    EXPECT_EQ(deletedInFrame(2).size(), 2u) << "a distance rounded once would keep both";
    EXPECT_TRUE(shields().empty());
}

TEST_F(Retirement, AStayingShieldCostsTwoCallsARetiredOneFour) {
    world->addObject("prop_tree_pine_01", 10, 0, 0);
    start(pines, 2);
    const std::string s = standin::hexText(shields()[0]->handle);
    const std::vector<std::string> staying = callsOfFrame(2);
    EXPECT_EQ(std::vector<std::string>(staying.end() - 3, staying.end()),
              (std::vector<std::string>{"DOES_ENTITY_EXIST(" + s + ")",
                                        "GET_ENTITY_COORDS(" + s + ", 1)", "scriptWait(0)"}));
    world->setPlayerPosition(400, 0, 0);
    world->runFrames(1);
    const std::vector<std::string> retired = callsOfFrame(3);
    EXPECT_EQ(std::vector<std::string>(retired.end() - 5, retired.end()),
              (std::vector<std::string>{
                  "DOES_ENTITY_EXIST(" + s + ")", "GET_ENTITY_COORDS(" + s + ", 1)",
                  "DOES_ENTITY_EXIST(" + s + ")", "DELETE_ENTITY(&" + s + ")", "scriptWait(0)"}));
    EXPECT_TRUE(shields().empty());
}

TEST_F(Retirement, HeightPlaysNoPart) {
    world->addObject("prop_tree_pine_01", 10, 10, 1000);
    world->addObject("prop_tree_pine_01", 10, 10, -1000);
    start(pines, 2);
    EXPECT_EQ(shields().size(), 2u);
    EXPECT_EQ(count("DELETE_ENTITY"), 0u);
}

TEST_F(Retirement, AVanishedShieldIsForgottenWithoutCoordinatesOrDeleteAndTheTreeShieldedAgain) {
    world->addObject("prop_tree_pine_01", 1, 1, 0);
    start(pines);
    const std::string s = standin::hexText(shields()[0]->handle);
    world->vanish(shields()[0]->handle);
    world->runFrames(2);
    const std::vector<std::string> forgotten = callsOfFrame(2);
    EXPECT_EQ(std::vector<std::string>(forgotten.end() - 3, forgotten.end()),
              (std::vector<std::string>{"DOES_ENTITY_EXIST(" + s + ")",
                                        "DOES_ENTITY_EXIST(" + s + ")", "scriptWait(0)"}));
    EXPECT_EQ(count("DELETE_ENTITY"), 0u);
    EXPECT_EQ(count("CREATE_OBJECT"), 2u) << "a new shield in frame 3";
    EXPECT_EQ(shields().size(), 1u);
}

TEST_F(Retirement, EveryShieldOutOfRangeGoesInOnePass) {
    for (int i = 0; i < 50; ++i) {
        world->addObject("prop_tree_pine_01", static_cast<float>(i), 0, 0);
    }
    start(pines, 5);
    ASSERT_EQ(shields().size(), 50u);
    world->setPlayerPosition(1000, 0, 0);
    world->runFrames(1);
    EXPECT_EQ(deletedInFrame(6).size(), 50u);
    EXPECT_TRUE(shields().empty());
}

TEST_F(Retirement, OnlyTheShieldDecidesNotTheTree) {
    const EntityHandle tree = world->addObject("prop_tree_pine_01", 5, 5, 0);
    start(pines);
    world->vanish(tree);
    world->runFrames(2);
    EXPECT_EQ(shields().size(), 1u);
    EXPECT_EQ(count("DELETE_ENTITY"), 0u);
}

TEST_F(Retirement, ANegativeRadiusGetsNoSpecialTreatment) {
    // (-60 + 50)² = 100: shields more than ten metres away go, though the scan
    // takes trees up to sixty metres away.
    world->addObject("prop_tree_pine_01", 9.9f, 0, 0);
    world->addObject("prop_tree_pine_01", 10.1f, 0, 0);
    start("[Settings]\r\nscanRadius=-60\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=1,0\r\n");
    EXPECT_EQ(count("CREATE_OBJECT"), 2u);
    ASSERT_EQ(shields().size(), 1u);
    EXPECT_EQ(shields()[0]->x, 9.9f);
}

TEST_F(Retirement, ANotANumberRadiusRetiresOnlyVanishedShields) {
    world->addObject("prop_tree_pine_01", 100000, 0, 0);
    world->addObject("prop_tree_pine_01", 1, 0, 0);
    start("[Settings]\r\nscanRadius=nan\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=1,0\r\n");
    ASSERT_EQ(shields().size(), 2u) << "every listed object is near";
    world->vanish(shieldAt(1, 0)->handle);
    world->runFrames(1);
    EXPECT_EQ(count("DELETE_ENTITY"), 0u);
    ASSERT_EQ(shields().size(), 1u);
    EXPECT_EQ(shields()[0]->x, 100000.0f);
}
