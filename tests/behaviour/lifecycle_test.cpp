// The DLL's entry, the script's start, the order of a frame's calls, and the
// bridge's widening, as the host sees them.
#include "plugin_test.h"

#include "config/text.h"

using Lifecycle = PluginTest;
using FrameLoop = PluginTest;
using Bridge = PluginTest;

namespace {
constexpr std::string_view onePine = "[BLOCK_PROPS]\r\nprop_tree_pine_01=1,0\r\n";
}

TEST_F(Lifecycle, LoadingRegistersTheScriptOnceWithItsModuleHandleAndCallsNoNative) {
    load();
    EXPECT_EQ(world->registrations(), 1);
    EXPECT_EQ(world->registeredModule(), pluginModule());
    ASSERT_EQ(world->calls().size(), 1u);
    EXPECT_EQ(world->calls()[0].kind, standin::CallKind::ScriptRegister);
}

TEST_F(Lifecycle, TheScriptStartsFromTheLoadTimeValues) {
    // No radius and no models in the file: what the status line shows is what
    // the plug-in held when it was loaded.
    world->addObject("prop_tree_pine_01", 5, 5, 0);
    start("[Settings]\r\ndebug=true\r\n");
    EXPECT_EQ(statusLines(),
              std::vector<std::string>{"Radius: 100  Nearby:0  TreeShields:0  Processed:0"});
}

TEST_F(Lifecycle, UnloadingUnregistersWithTheSameHandleCallsNoNativeAndLeavesShieldsStanding) {
    world->addObject("prop_tree_pine_01", 10, 0, 0);
    start(onePine, 2);
    const ModuleHandle loaded = pluginModule();
    ASSERT_EQ(shields().size(), 1u);
    world->clearCalls();
    unload();
    EXPECT_EQ(world->unregistrations(), 1);
    ASSERT_EQ(world->calls().size(), 1u);
    EXPECT_EQ(world->calls()[0].kind, standin::CallKind::ScriptUnregister);
    EXPECT_EQ(world->calls()[0].args[0], reinterpret_cast<std::uintptr_t>(loaded));
    EXPECT_EQ(shields().size(), 1u);
}

TEST_F(FrameLoop, EachFrameReadsThePlayerThenPlacesThenRetiresThenYieldsOnce) {
    const EntityHandle tree = world->addObject("prop_tree_pine_01", 10, 0, 0);
    start(onePine, 2);
    ASSERT_EQ(shields().size(), 1u);
    // Frame 2: the scan asks three questions of the tree and of its shield,
    // placement one of the shielded tree, retirement two of the shield.
    const std::string ped = standin::hexText(world->playerPed()), t = standin::hexText(tree),
                      s = standin::hexText(shields()[0]->handle);
    EXPECT_EQ(callsOfFrame(2), (std::vector<std::string>{
                                   "PLAYER_PED_ID()",
                                   "GET_ENTITY_COORDS(" + ped + ", 1)",
                                   "worldGetAllObjects(4096)",
                                   "DOES_ENTITY_EXIST(" + t + ")",
                                   "GET_ENTITY_COORDS(" + t + ", 1)",
                                   "GET_ENTITY_MODEL(" + t + ")",
                                   "DOES_ENTITY_EXIST(" + s + ")",
                                   "GET_ENTITY_COORDS(" + s + ", 1)",
                                   "GET_ENTITY_MODEL(" + s + ")",
                                   "DOES_ENTITY_EXIST(" + t + ")",
                                   "DOES_ENTITY_EXIST(" + s + ")",
                                   "GET_ENTITY_COORDS(" + s + ", 1)",
                                   "scriptWait(0)",
                               }));
}

TEST_F(FrameLoop, BothPassesDecideFromThePositionReadAtTheStartOfTheFrame) {
    // Exactly on the scan circle, then exactly on the retirement circle, in
    // single precision: a position that differed by one bit would tip one of them.
    world->setPlayerPosition(0.5f, 0.25f, 7);
    world->addObject("prop_tree_pine_01", 100.5f, 0.25f, 0);
    start("[Settings]\r\ndebug=1\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=1,0\r\n");
    world->setPlayerPosition(-49.5f, 0.25f, 7);
    world->runFrames(1);
    world->setPlayerPosition(-49.5f - 0.0001f, 0.25f, 7);
    world->runFrames(2);
    EXPECT_EQ(statusLines(), (std::vector<std::string>{
                                 "Radius: 100  Nearby:1  TreeShields:1  Processed:0",
                                 "Radius: 100  Nearby:0  TreeShields:1  Processed:0",
                                 "Radius: 100  Nearby:0  TreeShields:1  Processed:0",
                                 "Radius: 100  Nearby:0  TreeShields:0  Processed:0",
                             }));
    EXPECT_EQ(count("PLAYER_PED_ID"), 4u);
}

TEST_F(Bridge, ArgumentsGoWidenedAsTheHostExpects) {
    // The stand-in's handles have the top bit set and its results carry noise
    // in every half-word nobody should read: a sign-extended push, a 64-bit
    // read or a position read from the wrong slot shows.
    world->addObject("prop_tree_pine_01", -12.375f, 3.5f, 100.25f);
    start("[BLOCK_PROPS]\r\nprop_tree_pine_01=4,-1.5\r\n");
    for (const standin::HostCall* exists : callsNamed("DOES_ENTITY_EXIST")) {
        EXPECT_GE(exists->args[0], 0x80000000u);
        EXPECT_LE(exists->args[0], 0xFFFFFFFFu) << "pushed zero-extended";
    }
    const auto creations = callsNamed("CREATE_OBJECT");
    ASSERT_EQ(creations.size(), 1u);
    const standin::HostCall& create = *creations[0];
    EXPECT_EQ(create.args[0], std::uint64_t{nameHash("bramble_cap_4")});
    EXPECT_EQ(create.args[1], 0xC1460000u) << "-12.375f";
    EXPECT_EQ(create.args[2], 0x40600000u) << "3.5f";
    EXPECT_EQ(create.args[3], 0x42C58000u) << "98.75f: z read from its own slot, raised";
    EXPECT_EQ(create.args[4] | create.args[5] | create.args[6], 0u);
    EXPECT_EQ(hashedNames().front(), "prop_tree_pine_01") << "text goes by address";
}
