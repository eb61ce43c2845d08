#pragma once

// Listed model names a player probably did not mean: a near miss of one of the
// default file's names, or another spelling of a model listed before. The
// checker and the plug-in's log give these hints in the same words.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class ModelNameHints {
  public:
    // Every entry of a file passes here, in the file's order; the hint for the
    // entry on `line` listing `name`, if it deserves one.
    std::optional<std::string> hint(int line, std::string_view name);

  private:
    struct Listed {
        int line;
        std::string name;
    };
    // By the game's hash of the name: the last line that listed each model.
    std::unordered_map<std::uint32_t, Listed> listed;
};
