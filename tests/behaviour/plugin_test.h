#pragma once

// The plug-in in this process, in a fresh simulated world and a scratch game
// folder for every test. The same tests run against the sources linked into
// the Linux suite and against the shipped BrambleCap.asi under Wine; a test
// fails if the plug-in broke the host's protocol.

#include "natives/host.h"
#include "standin/world.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class PluginTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The loader attaching and detaching the plug-in: DllMain of the linked
    // sources on Linux, LoadLibrary and FreeLibrary of the .asi under Wine.
    // Unloading what is not loaded does nothing.
    void load();
    void unload();

    void writeConfig(std::string_view text);
    std::string readFile(const std::string& name) const;
    // Writes the configuration, loads the plug-in and runs frames.
    void start(std::string_view config, int frames = 1);
    // Unloads the plug-in and starts it again in a new, empty world.
    void restart(std::string_view config, int frames = 1);

    // The calls of one frame, as "NAME(arguments)", and just their names.
    std::vector<std::string> callsOfFrame(int frame) const;
    std::vector<std::string> namesOfFrame(int frame) const;
    std::size_t count(std::string_view name) const;
    // The native calls named so, in order.
    std::vector<const standin::HostCall*> callsNamed(std::string_view name) const;
    // The names the plug-in asked the game to hash, in order.
    std::vector<std::string> hashedNames() const;
    // The text of every status line the plug-in asked the game to draw.
    std::vector<std::string> statusLines() const;
    // The shields standing in the world.
    std::vector<const standin::Object*> shields() const;

    std::unique_ptr<standin::World> world;
    std::filesystem::path gameFolder;

  private:
    std::filesystem::path previousFolder;
    bool loaded = false;
};

// The platform's half (tests/linux/plugin_linked.cpp, tests/windows/plugin_asi.cpp):
// bring the plug-in in as the loader would, with fresh tables, and let it go.
void attachPlugin();
void detachPlugin();
// The module handle the plug-in was given.
ModuleHandle pluginModule();

// A file's bytes, all of them.
std::string readWholeFile(const std::filesystem::path& path);
// ASCII text as Notepad's "Unicode" saves it, or its "Unicode big endian", without a mark.
std::string utf16Text(std::string_view text, bool bigEndian);

// A float argument of a logged call, from its low 32 bits.
float floatArgument(const standin::HostCall& call, int i);
