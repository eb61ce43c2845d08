// bramblecap-sim: the plug-in at work in a simulated world, frame by frame,
// before anyone starts the game. Every input is checked before anything is
// written, and only into a folder of the dry run's own.
#include "config/config_format.h"
#include "tools/files/files.h"
#include "tools/sim/program.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string_view>

namespace {

// A problem, when there is one, stops the run as the user's mistake.
void stopOn(const std::string& problem) {
    if (!problem.empty()) {
        throw Mistake{problem};
    }
}

// What a reader gave, or its error as the user's mistake.
template <typename T> T orMistake(std::optional<T> read, const std::string& error) {
    stopOn(read ? "" : error);
    return std::move(*read);
}

// A world of one's own with no route: drive across its middle and back.
std::vector<Waypoint> acrossTheMiddle(const std::vector<PlacedObject>& world) {
    float minX = 0, maxX = 0, midY = 0;
    if (!world.empty()) {
        minX = maxX = world.front().x;
        for (const PlacedObject& o : world) {
            minX = std::min(minX, o.x), maxX = std::max(maxX, o.x), midY += o.y;
        }
        midY /= static_cast<float>(world.size());
    }
    return {{minX, midY}, {maxX, midY}, {minX, midY}};
}

// Reads the INI, the world and the route the command names into its run
// options, or makes the generated country and a route across it; throws
// Mistake. Returns where the world came from, as the summary names it.
std::string readInputs(DryRunCommand& command) {
    DryRunOptions& run = command.run;
    std::string worldSource, error;
    if (command.worldPath.empty()) {
        Country country = generateCountry(run.seed);
        run.world = std::move(country.objects);
        run.route = std::move(country.route);
        worldSource = "generated from seed " + std::to_string(run.seed);
    } else {
        run.world = orMistake(readWorldFile(command.worldPath, error), error);
        worldSource = shownPath(command.worldPath);
    }
    if (!command.routePath.empty()) {
        run.route = orMistake(readRouteFile(command.routePath, error), error);
    } else if (!command.worldPath.empty()) {
        run.route = acrossTheMiddle(run.world);
    }
    if (!command.configPath.empty()) {
        run.configText = orMistake(readInputFile(command.configPath, error), error);
    }
    return worldSource;
}

// The mark keeps a check value of the BrambleCap.ini a run leaves in the game
// folder (64-bit FNV-1a: any edit changes it, and the mark stays small), so
// that the next run can tell a player's edit from it.
std::string markText(std::string_view config) {
    std::uint64_t check = 0xcbf29ce484222325;
    for (const char c : config) {
        check = (check ^ static_cast<unsigned char>(c)) * 0x100000001b3;
    }
    return "bramblecap-sim made this folder, and replaces map.svg, plot.svg and the files in "
           "game/ on every run into it.\ngame/BrambleCap.ini as its last run left it: " +
           std::to_string(check) + "\n";
}

// The game folder's BrambleCap.ini, where it is what the last run left there
// or what this run writes: removed before the mark's check value changes. An
// edited one is left as it is, and the run stops; throws Mistake.
void removeLastConfig(const OwnedFolder& folder, const std::string& config,
                      const std::string& written) {
    std::string cause;
    if (pathKind(config) != PathKind::File) {
        return;
    }
    const auto left = readUserFile(config, cause);
    if (!left) {
        throw Mistake{"cannot read " + shownPath(config) + ": " + cause};
    }
    if (readUserFile(outputPath(folder, folder.markName), cause) != markText(*left) &&
        *left != written) {
        throw Mistake{shownPath(config) + " is not the file the last run left there (edited?), " +
                      "and a run replaces it: to try it, copy it out of " + shownPath(folder.path) +
                      " and give the copy as --config; or remove it"};
    }
    if (!removeOwnFile(config, cause)) {
        throw Mistake{"cannot remove " + shownPath(config) + ": " + cause};
    }
}

// The dry run's folder (--out): its pictures, and the game folder the plug-in
// reads and writes. Checked against what is there and against the run's
// inputs before anything is written; throws Mistake.
OwnedFolder outputFolder(const DryRunCommand& command) {
    OwnedFolder folder{ownedFolderPath(command.out),
                       "--out",
                       ".bramblecap-sim",
                       markText(gameConfigText(command.run)),
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
    stopOn(ownedFolderProblem(folder, inputs));
    return folder;
}

// Writes one of the run's outputs (a picture) whole; throws Mistake.
void writeOutput(const std::string& path, const std::string& text) {
    if (std::string cause; !replaceFile(path, text, cause)) {
        throw Mistake{"cannot write " + shownPath(path) + ": " + cause};
    }
}

} // namespace

int main(int argc, char** argv) {
    useUnixLineEnds();
    useUtf8Output();
    try {
        DryRunCommand command = parseCommandLine(commandLineArguments(argc, argv));
        if (command.help) {
            std::fputs(usageText().c_str(), stdout);
            return outputArrived("bramblecap-sim") ? 0 : 2;
        }
        if (command.asi.empty()) {
            command.asi = defaultAsiPath(argv[0]);
        } else {
            stopOn(asiOptionProblem());
        }
        const std::string worldSource = readInputs(command);
        DryRunOptions& options = command.run;
        stopOn(planFrames(options).problem);
        const OwnedFolder folder = outputFolder(command);
        stopOn(pluginProblem(command.asi));
        // Held, and the player's edit kept, before anything there changes.
        stopOn(holdOwnedFolder(folder));
        options.gameFolder = outputPath(folder, "game");
        // Joined as every output is: after \\?\ only "\" parts the names.
        const std::string config =
            outputPath(folder, "game/" + std::string(ConfigFormat::fileName));
        const std::string written = gameConfigText(options);
        removeLastConfig(folder, config, written);
        // Made and marked, and cleared of what a former run left there.
        if (std::string cause; !claimOwnedFolder(folder, cause)) {
            throw Mistake{"cannot create " + shownPath(folder.path) + ": " + cause};
        }

        const DryRunResult result =
            runDryRun(options, shippedPlugin(command.asi), progressShown(terminalColumns()));
        stopOn(result.failure);
        // A plug-in that writes another default file than this program's: the
        // mark's copy is what it left.
        std::string cause;
        if (const auto left = readUserFile(config, cause); left && *left != written) {
            writeOutput(outputPath(folder, folder.markName), markText(*left));
        }

        const RunOutputs outputs{
            outputPath(folder, "map.svg"), outputPath(folder, "plot.svg"),
            outputPath(folder, "game/" + std::string(ConfigFormat::logFileName))};
        writeOutput(outputs.map, drawMap(options.world, options.route, result));
        writeOutput(outputs.plot, drawPlot(result));
        printSummary(command, worldSource, result, outputs);
        if (!outputArrived("bramblecap-sim")) {
            return 2;
        }
        return result.protocolErrors.empty() ? 0 : 1;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bramblecap-sim: %s\n", failure.what());
    }
    return 2;
}
