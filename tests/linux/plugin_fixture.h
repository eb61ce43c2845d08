#pragma once

#include "../common/plugin_tables.h"
#include "sim/world.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A fresh simulated world, fresh plug-in tables and a scratch game folder for
// every test; a test fails if the plug-in broke the host's protocol.
class PluginTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The loader attaching and detaching the DLL.
    void attach();
    void detach();
    void writeConfig(std::string_view text);
    std::string readFile(const std::string& name) const;

    // The calls of one frame, as "NAME(arguments)".
    std::vector<std::string> callsOfFrame(int frame) const;
    // Just the names of the calls of one frame.
    std::vector<std::string> namesOfFrame(int frame) const;
    std::size_t count(std::string_view name) const;
    // The calls named so, with their arguments, in order.
    std::vector<const sim::HostCall*> callsNamed(std::string_view name) const;

    // Tables set by hand, for tests of one pass.
    void listModel(std::string_view name, float shieldModelIndex, float heightOffset);
    // Runs the model preparation on the stand-in; every model loads at once.
    void prepareShieldModels();

    std::unique_ptr<sim::World> world;
    ModuleHandle module = reinterpret_cast<ModuleHandle>(0x7FF612340000);
    std::filesystem::path gameFolder;

  private:
    std::filesystem::path previousFolder;
    bool attached = false;
};
