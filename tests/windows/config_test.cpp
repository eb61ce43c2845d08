// The configuration file as the shipped .asi writes and reads it.
#include "../common/default_file.h"
#include "asi_fixture.h"

#include <filesystem>

using Config = AsiTest;

TEST_F(Config, AMissingFileIsWrittenWithTheDefaultBytes) {
    load();
    world->runFrames(1);
    EXPECT_EQ(readFile("BrambleCap.ini"), expectedDefaultFile);
}

TEST_F(Config, NumbersReadAsTheStandardConversionReadsThem) {
    // The system runtime's atof would read all of these as 0.
    const std::pair<const char*, const char*> cases[] = {{"0x10", "Radius: 16"},
                                                         {"inf", "Radius: inf"},
                                                         {"1e2", "Radius: 100"},
                                                         {" 50m", "Radius: 50"},
                                                         {"nan", "Radius: nan"}};
    for (const auto& [value, shown] : cases) {
        SCOPED_TRACE(value);
        world.reset(); // one world at a time
        world = std::make_unique<sim::World>();
        writeConfig(std::string("[Settings]\r\ndebug=1\r\nscanRadius=") + value + "\r\n");
        load();
        world->runFrames(1);
        ASSERT_EQ(statusLines().size(), 1u);
        EXPECT_EQ(statusLines()[0].substr(0, statusLines()[0].find("  ")), shown);
        unload();
    }
}

TEST_F(Config, ADirectoryInTheFilesPlaceCountsAsPresentAndReadsAsNothing) {
    std::filesystem::create_directory(std::filesystem::path(gameFolder) / "BrambleCap.ini");
    world->addObject("prop_tree_pine_01", 5, 5, 0);
    load();
    world->runFrames(3);
    EXPECT_TRUE(
        std::filesystem::is_directory(std::filesystem::path(gameFolder) / "BrambleCap.ini"));
    EXPECT_EQ(world->existingScriptObjects(), 0u) << "no file read, no models listed";
}
