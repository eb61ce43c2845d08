// What only the linked build lets a test see: the plug-in's tables when the
// script is registered and after a read of the file.
#include "../behaviour/plugin_test.h"
#include "config/config.h"
#include "plugin/dll_main.h"
#include "plugin/plugin.h"
#include "shields/shields.h"

using Tables = PluginTest;

TEST_F(Tables, ThreadNotificationsReturnTrueAndCallNothing) {
    for (const DWORD reason : {2u, 3u, 7u}) {
        EXPECT_EQ(DllMain(pluginModule(), reason, nullptr), TRUE);
    }
    EXPECT_TRUE(world->calls().empty());
    EXPECT_FALSE(world->scriptRegistered());
}

TEST_F(Tables, TheyHoldTheirLoadTimeValuesWhenTheScriptIsRegistered) {
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
    load();
    EXPECT_TRUE(looked);
}

TEST_F(Tables, TheReaderNeverResetsASettingTheFileLacks) {
    resetPluginTables();
    settings = {42.0f, true};
    blockPropModels.insert(1);
    blockPropParams[1] = {2, 3};
    writeConfig("");
    world->runAsScript([] { loadConfig(); });
    EXPECT_TRUE(blockPropModels.empty());
    EXPECT_TRUE(blockPropParams.empty());
    EXPECT_EQ(settings.scanRadius, 42.0f);
    EXPECT_TRUE(settings.debug);
}

TEST_F(Tables, EachReadStartsFromEmptyTables) {
    resetPluginTables();
    writeConfig("[BLOCK_PROPS]\npine=1,2\n");
    world->runAsScript([] { loadConfig(); });
    writeConfig("[BLOCK_PROPS]\noak=1,2\npine =1,2\n");
    world->runAsScript([] { loadConfig(); });
    EXPECT_EQ(blockPropModels.size(), 2u);
    EXPECT_EQ(blockPropParams.size(), 2u);
    EXPECT_EQ(hashedNames(), (std::vector<std::string>{"pine", "oak", "pine "}));
}

TEST_F(Tables, AFileThatCannotBeCreatedOrOpenedLeavesEverythingAsItWas) {
    resetPluginTables();
    blockPropModels.insert(7);
    blockPropParams[7] = {1, 1};
    // A game folder that is gone: nothing can be created in it, not even by root.
    const auto gone = gameFolder / "gone";
    std::filesystem::create_directory(gone);
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);
    world->runAsScript([] { loadConfig(); });
    EXPECT_TRUE(blockPropModels.contains(7));
    EXPECT_EQ(settings.scanRadius, 100.0f);
    EXPECT_TRUE(world->calls().empty());
}
