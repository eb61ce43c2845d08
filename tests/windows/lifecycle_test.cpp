// The shipped .asi under a Windows loader: attach, frames, detach.
#include "asi_fixture.h"

#include "natives/native_hashes.h"
#include "natives/name_hash.h"

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

TEST_F(Lifecycle, ThreadsStartingAndEndingCallNothing) {
    load();
    world->clearCalls();
    // Each thread sends the DLL a thread attach and a thread detach.
    for (int i = 0; i < 3; ++i) {
        HANDLE thread = CreateThread(
            nullptr, 0, [](LPVOID) -> DWORD { return 0; }, nullptr, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    EXPECT_TRUE(world->calls().empty());
    EXPECT_EQ(world->registrations(), 1);
    EXPECT_EQ(world->unregistrations(), 0);
}

TEST_F(Lifecycle, BothPassesDecideFromThePositionReadAtTheStartOfTheFrame) {
    // Exactly on the scan circle, then exactly on the retirement circle, in
    // single precision: a position that differed by one bit would tip one of them.
    writeConfig("[Settings]\r\ndebug=1\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=1,0\r\n");
    world->setPlayerPosition(0.5f, 0.25f, 7);
    world->addObject("prop_tree_pine_01", 100.5f, 0.25f, 0);
    load();
    world->runFrames(1);
    world->setPlayerPosition(-49.5f, 0.25f, 7);
    world->runFrames(1);
    world->setPlayerPosition(-49.5f - 0.0001f, 0.25f, 7);
    world->runFrames(2);
    const std::vector<std::string> lines = statusLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Radius: 100  Nearby:1  TreeShields:1  Processed:0");
    EXPECT_EQ(lines[1], "Radius: 100  Nearby:0  TreeShields:1  Processed:0") << "kept at 150 m";
    EXPECT_EQ(lines[2], "Radius: 100  Nearby:0  TreeShields:1  Processed:0");
    EXPECT_EQ(lines[3], "Radius: 100  Nearby:0  TreeShields:0  Processed:0") << "retired beyond";
}

TEST_F(Lifecycle, TheBridgeWidensArgumentsAsTheHostExpects) {
    writeConfig("[BLOCK_PROPS]\r\nprop_tree_pine_01=4,-1.5\r\n");
    world->addObject("prop_tree_pine_01", -12.375f, 3.5f, 100.25f);
    load();
    world->runFrames(1);
    const sim::HostCall* create = nullptr;
    for (const sim::HostCall& call : world->calls()) {
        if (call.kind == sim::CallKind::Native && call.hash == NativeHash::CREATE_OBJECT) {
            create = &call;
        }
        if (call.kind == sim::CallKind::Native && call.hash == NativeHash::DOES_ENTITY_EXIST) {
            EXPECT_GE(call.args[0], 0x80000000u) << "handles with the top bit set";
            EXPECT_LE(call.args[0], 0xFFFFFFFFu) << "pushed zero-extended";
        }
    }
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create->args[0], std::uint64_t{nameHash("bramble_cap_4")});
    EXPECT_EQ(create->args[1], 0xC1460000u) << "-12.375f";
    EXPECT_EQ(create->args[2], 0x40600000u) << "3.5f";
    EXPECT_EQ(create->args[3], 0x42C58000u)
        << "98.75f: the position read from 8-byte slots, raised";
    EXPECT_EQ(create->args[4] | create->args[5] | create->args[6], 0u);
}
