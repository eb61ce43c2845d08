// The bridge widens every argument to 64 bits as the host expects and reads
// only what the host promises.
#include "natives/native_bridge.h"
#include "natives/native_hashes.h"
#include "plugin_fixture.h"
#include "natives/name_hash.h"

#include <bit>
#include <cmath>

using Bridge = PluginTest;

namespace {
const sim::HostCall& lastCall(const sim::World& world) {
    return world.calls().back();
}
} // namespace

TEST_F(Bridge, HandlesAndHashesGoZeroExtended) {
    const EntityHandle tree = world->addObject("prop_tree_pine_01", 1, 2, 3);
    ASSERT_GE(tree, 0x80000000u) << "the stand-in's handles have the top bit set";
    world->runAsScript([&] {
        EXPECT_TRUE(NativeBridge::doesEntityExist(tree));
        EXPECT_EQ(lastCall(*world).args[0], std::uint64_t{tree});
        EXPECT_EQ(NativeBridge::getEntityModel(tree), nameHash("prop_tree_pine_01"));
        NativeBridge::requestModel(0xFFFFFFF0u);
        EXPECT_EQ(lastCall(*world).args[0], 0x00000000'FFFFFFF0u);
    });
}

TEST_F(Bridge, FloatsGoAsTheirBitPatternInTheLowHalf) {
    const ModelHash shield = nameHash("bramble_cap_3");
    world->runAsScript([&] {
        NativeBridge::requestModel(shield);
        EXPECT_NE(NativeBridge::createObject(shield, -1.5f, 2.25f, -0.0f), 0u);
    });
    const sim::HostCall& create = lastCall(*world);
    ASSERT_EQ(create.argCount, 7);
    EXPECT_EQ(create.args[0], std::uint64_t{shield});
    EXPECT_EQ(create.args[1], 0xBFC00000u);
    EXPECT_EQ(create.args[2], 0x40100000u);
    EXPECT_EQ(create.args[3], 0x80000000u);
    EXPECT_EQ(create.args[4], 0u);
    EXPECT_EQ(create.args[5], 0u);
    EXPECT_EQ(create.args[6], 0u);
}

TEST_F(Bridge, PositionsAreReadFromEightByteSlots) {
    // The stand-in fills the unused half of each slot with noise.
    const EntityHandle tree = world->addObject("prop_tree_oak_01", 1.5f, -2.25f, 300000.0f);
    Vector3 position{};
    world->runAsScript([&] { position = NativeBridge::getEntityCoords(tree); });
    EXPECT_EQ(position.x, 1.5f);
    EXPECT_EQ(position.y, -2.25f);
    EXPECT_EQ(position.z, 300000.0f);
    EXPECT_EQ(lastCall(*world).args[1], 1u) << "GET_ENTITY_COORDS takes the flag 1";
}

TEST_F(Bridge, BooleansAndHandlesAreReadFromTheFirst32Bits) {
    // The stand-in sets the upper half of every result word.
    world->runAsScript([&] {
        EXPECT_FALSE(NativeBridge::doesEntityExist(0x12345));
        EXPECT_FALSE(NativeBridge::hasModelLoaded(nameHash("never_requested")));
        EXPECT_EQ(NativeBridge::playerPedId(), world->playerPed());
    });
}

TEST_F(Bridge, TextGoesByAddress) {
    ModelHash hash = 0;
    world->runAsScript([&] { hash = NativeBridge::getHashKey("ADDER"); });
    EXPECT_EQ(hash, 0xB779A091u) << "the game's hash of \"adder\", letter case ignored";
    EXPECT_EQ(lastCall(*world).text, "ADDER");
}

TEST_F(Bridge, DeleteEntityPassesTheAddressOfTheVariable) {
    const ModelHash model = nameHash("bramble_cap_1");
    EntityHandle shield = 0;
    world->runAsScript([&] {
        NativeBridge::requestModel(model);
        shield = NativeBridge::createObject(model, 0, 0, 0);
        EntityHandle copy = shield;
        NativeBridge::deleteEntity(&copy);
        EXPECT_EQ(lastCall(*world).args[0], reinterpret_cast<std::uintptr_t>(&copy));
    });
    EXPECT_EQ(lastCall(*world).target, shield);
    EXPECT_FALSE(world->object(shield)->exists);
}

TEST_F(Bridge, TheStatusLineNativesTakeTextAndTwoFlags) {
    world->runAsScript([&] {
        NativeBridge::beginTextCommandPrint("STRING");
        NativeBridge::addTextComponentSubstringPlayerName("hello");
        NativeBridge::endTextCommandPrint(1, true);
    });
    ASSERT_EQ(world->calls().size(), 3u);
    EXPECT_EQ(sim::describe(world->calls()[0]), "BEGIN_TEXT_COMMAND_PRINT(\"STRING\")");
    EXPECT_EQ(sim::describe(world->calls()[1]),
              "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"hello\")");
    EXPECT_EQ(sim::describe(world->calls()[2]), "END_TEXT_COMMAND_PRINT(1, 1)");
}
