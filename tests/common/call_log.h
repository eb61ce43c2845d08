#pragma once

// Reading what the stand-in host was asked, for the Linux and the Wine tests alike.

#include "natives/native_hashes.h"
#include "sim/world.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The calls of one frame, as "NAME(arguments)".
inline std::vector<std::string> callsOfFrame(const sim::World& world, int frame) {
    std::vector<std::string> calls;
    for (const sim::HostCall& call : world.calls()) {
        if (call.frame == frame) {
            calls.push_back(sim::describe(call));
        }
    }
    return calls;
}

// The text of every status line the plug-in asked the game to draw.
inline std::vector<std::string> statusLines(const sim::World& world) {
    std::vector<std::string> lines;
    for (const sim::HostCall& call : world.calls()) {
        if (call.kind == sim::CallKind::Native &&
            call.hash == NativeHash::ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME) {
            lines.push_back(call.text);
        }
    }
    return lines;
}

inline std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
