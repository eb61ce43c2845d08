// bramblecap-sim: the plug-in at work in a simulated world, frame by frame,
// before anyone starts the game.
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
#include <filesystem>

int main(int argc, char** argv) {
    useUnixLineEnds();
    try {
        DryRunCommand command = parseCommandLine(argc, argv);
        if (command.help) {
            std::fputs(usageText().c_str(), stdout);
            return 0;
        }
        if (command.asi.empty()) {
            command.asi = defaultAsiPath(argv[0]);
        }
        const std::string worldSource = readInputs(command);
        DryRunOptions& options = command.run;
        if (const FramePlan plan = planFrames(options); !plan.problem.empty()) {
            throw Mistake{plan.problem};
        }
        prepareOutput(command.out);
        options.gameFolder = (std::filesystem::absolute(command.out) / "game").string();

        Progress progress(outputIsTerminal());
        const DryRunResult result =
            runDryRun(options, shippedPlugin(command.asi),
                      [&](const FrameRecord& r, int frames) { progress.show(r, frames); });

        RunOutputs outputs;
        outputs.folder = std::filesystem::path(command.out).generic_string();
        outputs.map = outputs.folder + "/map.svg";
        outputs.plot = outputs.folder + "/plot.svg";
        writeOutput(outputs.map, drawMap(options.world, options.route, result));
        writeOutput(outputs.plot, drawPlot(result));
        printSummary(command, worldSource, result, outputs);
        return result.protocolErrors.empty() ? 0 : 1;
    } catch (const Mistake& mistake) {
        std::fprintf(stderr, "bramblecap-sim: %s\n", mistake.message.c_str());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bramblecap-sim: %s\n", failure.what());
    }
    return 2;
}
