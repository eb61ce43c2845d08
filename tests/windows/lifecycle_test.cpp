// The shipped .asi under a Windows loader: attach, frames, detach.
#include "asi_fixture.h"

#include <cstdio>

using Lifecycle = AsiTest;

TEST_F(Lifecycle, LoadingRegistersTheScriptOnceWithTheModuleHandleDllMainReceived) {
    load();
    EXPECT_EQ(world->registrations(), 1);
    EXPECT_EQ(reinterpret_cast<HMODULE>(world->registeredModule()), module);
    ASSERT_EQ(world->calls().size(), 1u) << "registration calls no native";
}

TEST_F(Lifecycle, TheTablesHoldTheirLoadTimeValuesWhenTheScriptStarts) {
    // No radius and no models in the file: what the status line shows is what
    // the tables held when the DLL was loaded.
    writeConfig("[Settings]\r\ndebug=true\r\n");
    world->addObject("prop_tree_pine_01", 5, 5, 0);
    load();
    world->runFrames(1);
    const std::vector<std::string> lines = statusLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "Radius: 100  Nearby:0  TreeShields:0  Processed:0");
}

TEST_F(Lifecycle, AFrameReadsThePlayerThenPlacesThenRetiresThenYieldsOnce) {
    writeConfig("[BLOCK_PROPS]\r\nprop_tree_pine_01=1,0\r\n");
    const EntityHandle tree = world->addObject("prop_tree_pine_01", 10, 0, 0);
    load();
    world->runFrames(2);
    const EntityHandle shield = tree + 1; // the next handle the world hands out
    char ped[16], t[16], s[16];
    std::snprintf(ped, sizeof ped, "0x%X", world->playerPed());
    std::snprintf(t, sizeof t, "0x%X", tree);
    std::snprintf(s, sizeof s, "0x%X", shield);
    const std::string T(t), S(s);
    const std::vector<std::string> expected = {
        "PLAYER_PED_ID()",
        std::string("GET_ENTITY_COORDS(") + ped + ", 1)",
        "worldGetAllObjects(4096)",
        "DOES_ENTITY_EXIST(" + T + ")",
        "GET_ENTITY_COORDS(" + T + ", 1)",
        "GET_ENTITY_MODEL(" + T + ")",
        "DOES_ENTITY_EXIST(" + S + ")",
        "GET_ENTITY_COORDS(" + S + ", 1)",
        "GET_ENTITY_MODEL(" + S + ")",
        "DOES_ENTITY_EXIST(" + T + ")",
        "DOES_ENTITY_EXIST(" + S + ")",
        "GET_ENTITY_COORDS(" + S + ", 1)",
        "scriptWait(0)",
    };
    EXPECT_EQ(callsOfFrame(2), expected);
}

TEST_F(Lifecycle, UnloadingUnregistersWithTheSameHandleAndCallsNoNative) {
    writeConfig("[BLOCK_PROPS]\r\nprop_tree_pine_01=1,0\r\n");
    world->addObject("prop_tree_pine_01", 10, 0, 0);
    load();
    const HMODULE loaded = module;
    world->runFrames(2);
    ASSERT_EQ(world->existingScriptObjects(), 1u);
    world->clearCalls();
    unload();
    EXPECT_EQ(world->unregistrations(), 1);
    ASSERT_EQ(world->calls().size(), 1u);
    EXPECT_EQ(world->calls()[0].kind, sim::CallKind::ScriptUnregister);
    EXPECT_EQ(world->calls()[0].args[0], reinterpret_cast<std::uintptr_t>(loaded));
    EXPECT_EQ(world->existingScriptObjects(), 1u) << "shields stay in the world";
}
