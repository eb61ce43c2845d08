// Retiring shields that fell behind the player, forgetting vanished ones.
#include "config/settings.h"
#include "natives/native_bridge.h"
#include "plugin_fixture.h"
#include "shields/shield_registry.h"
#include "shields/shield_retirement.h"
#include "natives/name_hash.h"

#include <cmath>

namespace {

class Retirement : public PluginTest {
  protected:
    // A shield the plug-in placed over a tree with this handle.
    EntityHandle shieldAt(EntityHandle tree, float x, float y, float z = 0) {
        EntityHandle shield = 0;
        world->runAsScript([&] {
            const ModelHash model = nameHash("bramble_cap_1");
            NativeBridge::requestModel(model);
            shield = NativeBridge::createObject(model, x, y, z);
        });
        shieldRegistry.emplace(tree, shield);
        return shield;
    }
    void retire(float x = 0, float y = 0, float z = 0) {
        world->clearCalls();
        world->runAsScript([&] { retireShields(Vector3{x, y, z}); });
    }
};

} // namespace

TEST_F(Retirement, AnEmptyRegistryCallsNothing) {
    retire();
    EXPECT_TRUE(world->calls().empty());
}

TEST_F(Retirement, AShieldExactlyAtTheMarginStaysAndOneJustBeyondGoes) {
    const EntityHandle at = shieldAt(1, 150, 0);
    const EntityHandle beyond = shieldAt(2, 0, std::nextafter(150.0f, 151.0f));
    retire();
    EXPECT_TRUE(shieldRegistry.contains(1));
    EXPECT_FALSE(shieldRegistry.contains(2));
    EXPECT_TRUE(world->object(at)->exists);
    EXPECT_FALSE(world->object(beyond)->exists);
    const auto deletes = callsNamed("DELETE_ENTITY");
    ASSERT_EQ(deletes.size(), 1u);
    EXPECT_EQ(deletes[0]->target, beyond);
}

TEST_F(Retirement, AStayingShieldCostsTwoCallsARetiredOneFour) {
    const EntityHandle shield = shieldAt(1, 400, 0);
    retire();
    char s[16];
    std::snprintf(s, sizeof s, "0x%X", shield);
    EXPECT_EQ(callsOfFrame(0), (std::vector<std::string>{
                                   std::string("DOES_ENTITY_EXIST(") + s + ")",
                                   std::string("GET_ENTITY_COORDS(") + s + ", 1)",
                                   std::string("DOES_ENTITY_EXIST(") + s + ")",
                                   std::string("DELETE_ENTITY(&") + s + ")",
                               }));
    shieldAt(2, 10, 0);
    retire();
    EXPECT_EQ(namesOfFrame(0),
              (std::vector<std::string>{"DOES_ENTITY_EXIST", "GET_ENTITY_COORDS"}));
}

TEST_F(Retirement, HeightPlaysNoPart) {
    shieldAt(1, 10, 10, 1000);
    shieldAt(2, 10, 10, -1000);
    retire(0, 0, 0);
    EXPECT_EQ(shieldRegistry.size(), 2u);
}

TEST_F(Retirement, AVanishedShieldIsForgottenWithoutCoordinatesOrDelete) {
    const EntityHandle shield = shieldAt(7, 1, 1);
    processedTrees.insert(7);
    world->vanish(shield);
    retire();
    EXPECT_TRUE(shieldRegistry.empty());
    EXPECT_TRUE(processedTrees.empty());
    EXPECT_EQ(namesOfFrame(0),
              (std::vector<std::string>{"DOES_ENTITY_EXIST", "DOES_ENTITY_EXIST"}));
}

TEST_F(Retirement, EveryEntryIsVisitedOnceAndAllOutOfRangeGoInOnePass) {
    for (EntityHandle tree = 1; tree <= 50; ++tree) {
        shieldAt(tree, 1000.0f + static_cast<float>(tree), 0);
    }
    retire();
    EXPECT_TRUE(shieldRegistry.empty());
    EXPECT_EQ(callsNamed("DELETE_ENTITY").size(), 50u);
    EXPECT_EQ(callsNamed("GET_ENTITY_COORDS").size(), 50u);
}

TEST_F(Retirement, OnlyTheShieldDecidesNotTheTree) {
    const EntityHandle tree = world->addObject("prop_tree_pine_01", 5, 5, 0);
    shieldAt(tree, 5, 5);
    world->vanish(tree);
    retire();
    EXPECT_TRUE(shieldRegistry.contains(tree));
}

TEST_F(Retirement, ANegativeRadiusGetsNoSpecialTreatment) {
    settings.scanRadius = -60; // (-60 + 50)^2 = 100: ten metres
    shieldAt(1, 9.9f, 0);
    shieldAt(2, 10.1f, 0);
    retire();
    EXPECT_TRUE(shieldRegistry.contains(1));
    EXPECT_FALSE(shieldRegistry.contains(2));
}

TEST_F(Retirement, ANotANumberRadiusRetiresOnlyVanishedShields) {
    settings.scanRadius = NAN;
    shieldAt(1, 100000, 0);
    world->vanish(shieldAt(2, 1, 0));
    retire();
    EXPECT_TRUE(shieldRegistry.contains(1));
    EXPECT_FALSE(shieldRegistry.contains(2));
}
