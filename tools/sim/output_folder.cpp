#include "tools/sim/output_folder.h"

#include "tools/sim/command_line.h"

#include <filesystem>
#include <fstream>
#include <system_error>

void prepareOutput(const std::string& out) {
    std::error_code error;
    const std::filesystem::path folder(out);
    if (std::filesystem::exists(folder, error) && !std::filesystem::is_directory(folder, error)) {
        throw Mistake{"cannot create " + out + ": a file of that name is in the way"};
    }
    std::filesystem::create_directories(folder / "game", error);
    if (error) {
        throw Mistake{"cannot create " + out + ": " + error.message()};
    }
}

void writeOutput(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) {
        throw Mistake{"cannot write " + path};
    }
}
