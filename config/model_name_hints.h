#pragma once

// Listed model names a player probably did not mean: a near miss of one of the
// default file's names, or another spelling of a model listed before. The
// checker and the plug-in's log give these hints in the same words.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// The entries of one file seen so far, by the game's hash of the name: the
// last line that listed each model, and the name it used.
struct ListedModelNames {
    struct Listed {
        int line;
        std::string name;
    };
    std::unordered_map<std::uint32_t, Listed> byHash;
};

// Every entry of a file passes here, in the file's order; the hint for the
// entry on `line` listing `name`, if it deserves one.
std::optional<std::string> modelNameHint(ListedModelNames& seen, int line, std::string_view name);
