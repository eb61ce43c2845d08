// bramblecap-sim: the plug-in at work in a simulated world, frame by frame,
// before anyone starts the game. Every input is checked before anything is
// written, and only into a folder of the dry run's own.
#include "tools/files/command_line.h"
#include "tools/sim/command_line.h"
#include "tools/sim/dry_run.h"
#include "tools/sim/map_picture.h"
#include "tools/sim/output_folder.h"
#include "tools/sim/plot_picture.h"
#include "tools/sim/progress.h"
#include "tools/sim/read_inputs.h"
#include "tools/sim/shipped_plugin.h"
#include "tools/sim/summary.h"

#include <cstdio>
#include <exception>

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
        } else if (const std::string problem = asiOptionProblem(); !problem.empty()) {
            throw Mistake{problem};
        }
        const std::string worldSource = readInputs(command);
        DryRunOptions& options = command.run;
        if (const FramePlan plan = planFrames(options); !plan.problem.empty()) {
            throw Mistake{plan.problem};
        }
        const OwnedFolder folder = outputFolder(command);
        if (const std::string problem = pluginProblem(command.asi); !problem.empty()) {
            throw Mistake{problem};
        }
        claimOutput(folder);
        options.gameFolder = outputPath(folder, "game");

        Progress progress(outputIsTerminal());
        const DryRunResult result =
            runDryRun(options, shippedPlugin(command.asi),
                      [&](const FrameRecord& r, int frames) { progress.show(r, frames); });
        if (!result.failure.empty()) {
            throw Mistake{result.failure};
        }

        const RunOutputs outputs{folder.path, outputPath(folder, "map.svg"),
                                 outputPath(folder, "plot.svg")};
        writeOutput(outputs.map, drawMap(options.world, options.route, result));
        writeOutput(outputs.plot, drawPlot(result));
        printSummary(command, worldSource, result, outputs);
        if (!outputArrived("bramblecap-sim")) {
            return 2;
        }
        return result.protocolErrors.empty() ? 0 : 1;
    } catch (const Mistake& mistake) {
        std::fprintf(stderr, "bramblecap-sim: %s\n", mistake.message.c_str());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bramblecap-sim: %s\n", failure.what());
    }
    return 2;
}
