#include "tools/sim/output_folder.h"

#include "config/config_format.h"
#include "tools/files/command_line.h"
#include "tools/files/shown_path.h"
#include "tools/files/user_file.h"

OwnedFolder outputFolder(const DryRunCommand& command) {
    const std::u8string generic = filePath(command.out).generic_u8string();
    std::string path(generic.begin(), generic.end());
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back(); // so that its outputs read "OUT/map.svg"
    }
    OwnedFolder folder{path,
                       "--out",
                       ".bramblecap-sim",
                       "bramblecap-sim made this folder, and replaces map.svg, plot.svg and the "
                       "files in game/ on every run into it.\n",
                       {"map.svg", "plot.svg", "game/" + std::string(ConfigFormat::fileName),
                        "game/" + std::string(ConfigFormat::logFileName)}};
    std::vector<NamedInput> inputs;
    for (const auto& [option, path] : {std::pair{"--config", command.configPath},
                                       {"--world", command.worldPath},
                                       {"--route", command.routePath}}) {
        if (!path.empty()) {
            inputs.push_back({option, path});
        }
    }
    if (std::string problem = ownedFolderProblem(folder, inputs); !problem.empty()) {
        throw Mistake{problem};
    }
    return folder;
}

void claimOutput(const OwnedFolder& folder) {
    if (std::string cause; !claimOwnedFolder(folder, cause)) {
        throw Mistake{"cannot create " + shownPath(folder.path) + ": " + cause};
    }
}

void writeOutput(const std::string& path, const std::string& text) {
    if (std::string cause; !replaceFile(path, text, cause)) {
        throw Mistake{"cannot write " + shownPath(path) + ": " + cause};
    }
}
