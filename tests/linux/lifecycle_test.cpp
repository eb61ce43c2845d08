// The DLL's entry, the script's start and the order of a frame's calls.
#include "config/settings.h"
#include "plugin/dll_main.h"
#include "plugin_fixture.h"
#include "shields/shield_registry.h"

using Lifecycle = PluginTest;
using FrameLoop = PluginTest;

TEST_F(Lifecycle, ThreadNotificationsReturnTrueAndCallNothing) {
    for (const DWORD reason : {2u, 3u, 7u}) {
        EXPECT_EQ(DllMain(module, reason, nullptr), TRUE);
    }
    EXPECT_TRUE(world->calls().empty());
    EXPECT_FALSE(world->scriptRegistered());
}

TEST_F(Lifecycle, AttachRegistersTheScriptOnceWithTheModuleHandle) {
    attach();
    EXPECT_EQ(world->registrations(), 1);
    EXPECT_EQ(world->registeredModule(), module);
    ASSERT_EQ(world->calls().size(), 1u);
    EXPECT_EQ(world->calls()[0].kind, sim::CallKind::ScriptRegister);
}

TEST_F(Lifecycle, TablesHoldTheirLoadTimeValuesWhenTheScriptIsRegistered) {
    bool looked = false;
    world->onRegister = [&] {
        looked = true;
        EXPECT_EQ(configPath, ".\\BrambleCap.ini");
        EXPECT_EQ(configPath.size(), 16u);
        EXPECT_EQ(settings.scanRadius, 100.0f);
        EXPECT_FALSE(settings.debug);
        EXPECT_TRUE(blockPropModels.empty());
        EXPECT_TRUE(blockPropParams.empty());
        EXPECT_TRUE(shieldRegistry.empty());
        EXPECT_TRUE(processedTrees.empty());
    };
    attach();
    EXPECT_TRUE(looked);
    EXPECT_TRUE(world->calls().size() == 1) << "registration calls no native";
}

TEST_F(Lifecycle, DetachUnregistersWithTheSameHandleAndLeavesShieldsStanding) {
    world->addObject("prop_tree_pine_01", 10, 0, 0);
    attach();
    world->runFrames(3);
    ASSERT_EQ(world->existingScriptObjects(), 1u);
    world->clearCalls();
    detach();
    EXPECT_EQ(world->unregistrations(), 1);
    ASSERT_EQ(world->calls().size(), 1u);
    EXPECT_EQ(world->calls()[0].kind, sim::CallKind::ScriptUnregister);
    EXPECT_EQ(world->calls()[0].args[0], reinterpret_cast<std::uintptr_t>(module));
    EXPECT_EQ(world->existingScriptObjects(), 1u);
}

TEST_F(FrameLoop, EachFrameReadsThePlayerThenPlacesThenRetiresThenYieldsOnce) {
    const EntityHandle tree = world->addObject("prop_tree_pine_01", 10, 0, 0);
    attach();
    world->runFrames(2);
    // Frame 2: the tree already has its shield, so placement asks one question
    // of it; retirement two of the shield.
    const std::vector<std::string> calls = callsOfFrame(2);
    const EntityHandle shield = shieldRegistry.at(tree);
    char ped[16], treeText[16], shieldText[16];
    std::snprintf(ped, sizeof ped, "0x%X", world->playerPed());
    std::snprintf(treeText, sizeof treeText, "0x%X", tree);
    std::snprintf(shieldText, sizeof shieldText, "0x%X", shield);
    const std::vector<std::string> expected = {
        "PLAYER_PED_ID()",
        std::string("GET_ENTITY_COORDS(") + ped + ", 1)",
        "worldGetAllObjects(4096)",
        std::string("DOES_ENTITY_EXIST(") + treeText + ")",
        std::string("GET_ENTITY_COORDS(") + treeText + ", 1)",
        std::string("GET_ENTITY_MODEL(") + treeText + ")",
        std::string("DOES_ENTITY_EXIST(") + shieldText + ")",
        std::string("GET_ENTITY_COORDS(") + shieldText + ", 1)",
        std::string("GET_ENTITY_MODEL(") + shieldText + ")",
        std::string("DOES_ENTITY_EXIST(") + treeText + ")",
        std::string("DOES_ENTITY_EXIST(") + shieldText + ")",
        std::string("GET_ENTITY_COORDS(") + shieldText + ", 1)",
        "scriptWait(0)",
    };
    EXPECT_EQ(calls, expected);
}

TEST_F(FrameLoop, BothPassesDecideFromThePositionReadAtTheStartOfTheFrame) {
    // Exactly on the scan circle and exactly on the retirement circle, in
    // single precision: a position that differed by one bit would tip one of them.
    writeConfig("[Settings]\nscanRadius=100\n[BLOCK_PROPS]\nprop_tree_pine_01=1,0\n");
    world->setPlayerPosition(0.5f, 0.25f, 7);
    const EntityHandle near = world->addObject("prop_tree_pine_01", 100.5f, 0.25f, 0);
    attach();
    world->runFrames(1);
    ASSERT_TRUE(shieldRegistry.contains(near)) << "the tree on the scan circle is in";
    world->setPlayerPosition(-49.5f, 0.25f, 7); // the shield now lies 150 m away
    world->runFrames(1);
    EXPECT_TRUE(shieldRegistry.contains(near)) << "the shield on the retirement circle stays";
    world->setPlayerPosition(-49.5f - 0.0001f, 0.25f, 7);
    world->runFrames(1);
    EXPECT_FALSE(shieldRegistry.contains(near));
    EXPECT_EQ(count("PLAYER_PED_ID"), 3u);
}
