#pragma once

#include "sim/world.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

// The real BrambleCap.asi in a fresh game folder, loaded into the stand-in host.
class AsiTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    void load();
    void unload();
    void writeConfig(std::string_view text);
    std::string readFile(const std::string& name) const;
    std::vector<std::string> callsOfFrame(int frame) const;
    // The text of every status line the plug-in asked the game to draw.
    std::vector<std::string> statusLines() const;

    std::unique_ptr<sim::World> world;
    HMODULE module = nullptr;
    std::string gameFolder;

  private:
    std::string previousFolder;
};
