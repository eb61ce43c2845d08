// bramblecap-sim: the plug-in at work in a simulated world, frame by frame,
// before anyone starts the game.
#include "tools/sim/dry_run.h"
#include "tools/sim/generated_world.h"
#include "tools/sim/shipped_plugin.h"
#include "tools/sim/svg_pictures.h"
#include "tools/sim/world_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

const char* const usage =
    "usage: bramblecap-sim [options]\n"
    "  --config FILE   BrambleCap.ini to try (default: the plug-in writes its default file)\n"
    "  --world FILE    world as CSV: header \"model,x,y,z\", one object a line, the model a\n"
    "                  name or a hash such as 0x1A2B3C4D (default: generated country)\n"
    "  --route FILE    the player's route as CSV: header \"x,y\", one waypoint a line\n"
    "                  (default: across the generated country and back)\n"
    "  --frames N      frames to run (default: as many as the route takes)\n"
    "  --speed M       metres the player moves a frame (default 1)\n"
    "  --seed N        seed of the generated world (default 1)\n"
    "  --debug         ask for the plug-in's own status line (debug=true)\n"
    "  --out DIR       where the pictures go (default: dry-run)\n"
    "  --asi FILE      the plug-in to load (Windows build; default: BrambleCap.asi beside this "
    "program)\n";

struct Arguments {
    std::string config, world, route, out = "dry-run", asi;
    int frames = 0;
    float speed = 1;
    std::uint64_t seed = 1;
    bool debug = false;
};

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "bramblecap-sim: %s\n", message.c_str());
    std::exit(2);
}

Arguments parse(int argc, char** argv) {
    Arguments a;
    a.asi = defaultAsiPath(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                fail(option + " needs a value\n" + usage);
            }
            return argv[++i];
        };
        const auto number = [&](double low) {
            const std::string text = value();
            char* end = nullptr;
            const double n = std::strtod(text.c_str(), &end);
            if (*end != '\0' || !std::isfinite(n) || n < low) {
                fail(option + " takes a number of at least " +
                     std::to_string(static_cast<int>(low)) + ", not \"" + text + "\"");
            }
            return n;
        };
        if (option == "-h" || option == "--help") {
            std::fputs(usage, stdout);
            std::exit(0);
        } else if (option == "--config") {
            a.config = value();
        } else if (option == "--world") {
            a.world = value();
        } else if (option == "--route") {
            a.route = value();
        } else if (option == "--frames") {
            a.frames = static_cast<int>(number(1));
        } else if (option == "--speed") {
            a.speed = static_cast<float>(number(0));
        } else if (option == "--seed") {
            a.seed = static_cast<std::uint64_t>(number(0));
        } else if (option == "--debug") {
            a.debug = true;
        } else if (option == "--out") {
            a.out = value();
        } else if (option == "--asi") {
            a.asi = value();
        } else {
            fail("unknown option " + option + "\n" + usage);
        }
    }
    return a;
}

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fail(path + ": cannot open the file");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string grouped(long long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return (value < 0 ? "-" : "") + digits;
}

std::string spreadText(const Spread& s) {
    return "min " + grouped(s.minimum) + ", median " + grouped(s.median) + ", max " +
           grouped(s.maximum);
}

// The plug-in's own status line when it drew one, else what the world shows.
std::string statusOf(const FrameRecord& record) {
    if (!record.statusLine.empty()) {
        return record.statusLine;
    }
    return "nearby " + std::to_string(record.candidates) + ", shields held " +
           std::to_string(record.held);
}

// The status line as the game would draw it, kept in place on a terminal.
void showProgress(const FrameRecord& record, int frames, bool terminal) {
    const int percent = static_cast<int>(100LL * record.frame / frames);
    if (terminal) {
        if (record.frame % 10 != 0 && record.frame != frames) {
            return;
        }
        std::string bar(20, '.');
        std::fill(bar.begin(), bar.begin() + percent / 5, '#');
        std::printf("\r[%s] %3d%%  frame %d/%d  %-60s", bar.c_str(), percent, record.frame, frames,
                    statusOf(record).c_str());
        if (record.frame == frames) {
            std::printf("\n");
        }
        std::fflush(stdout);
    } else if (record.frame == frames || record.frame % std::max(1, frames / 10) == 0) {
        std::printf("frame %d/%d (%d%%): %s\n", record.frame, frames, percent,
                    statusOf(record).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    const Arguments args = parse(argc, argv);
    DryRunOptions options;
    std::string worldSource, error;
    if (args.world.empty()) {
        Country country = generateCountry(args.seed);
        options.world = std::move(country.objects);
        options.route = std::move(country.route);
        worldSource = "generated from seed " + std::to_string(args.seed);
    } else {
        auto world = readWorldFile(args.world, error);
        if (!world) {
            fail(error);
        }
        options.world = std::move(*world);
        worldSource = args.world;
    }
    if (!args.route.empty()) {
        auto route = readRouteFile(args.route, error);
        if (!route) {
            fail(error);
        }
        options.route = std::move(*route);
    } else if (!args.world.empty()) {
        // A world of one's own with no route: drive across its middle and back.
        float minX = 0, maxX = 0, midY = 0;
        if (!options.world.empty()) {
            minX = maxX = options.world.front().x;
            for (const PlacedObject& o : options.world) {
                minX = std::min(minX, o.x), maxX = std::max(maxX, o.x), midY += o.y;
            }
            midY /= static_cast<float>(options.world.size());
        }
        options.route = {{minX, midY}, {maxX, midY}, {minX, midY}};
    }
    if (!args.config.empty()) {
        options.configText = readWhole(args.config);
    }
    options.frames = args.frames;
    options.speed = args.speed;
    options.seed = args.seed;
    options.askForStatusLine = args.debug;
    std::filesystem::create_directories(args.out);
    const auto out = std::filesystem::absolute(args.out);
    options.gameFolder = (out / "game").string();

    const bool terminal = outputIsTerminal();
    const DryRunResult result =
        runDryRun(options, shippedPlugin(args.asi),
                  [&](const FrameRecord& r, int frames) { showProgress(r, frames, terminal); });

    std::vector<int> candidates, calls;
    for (const FrameRecord& r : result.frames) {
        candidates.push_back(r.candidates);
        calls.push_back(r.nativeCalls);
    }
    std::size_t listedObjects = 0;
    for (const PlacedObject& o : options.world) {
        listedObjects += result.listed.contains(o.hash) ? 1 : 0;
    }
    const std::string map = (out / "map.svg").string(), plot = (out / "plot.svg").string();
    const bool pictures =
        writeMap(map, options.world, options.route, result) && writePlot(plot, result);

    std::printf("\nBrambleCap dry run\n");
    std::printf("  plug-in:                 %s\n", args.asi.c_str());
    std::printf("  configuration:           %s\n",
                !args.config.empty() ? args.config.c_str()
                : args.debug         ? "the default file, with debug=true added"
                                     : "the default file, written by the plug-in");
    std::printf("                           scan radius %g m, %zu listed models%s\n",
                static_cast<double>(result.radius), result.listed.size(),
                args.debug ? ", status line asked for" : "");
    std::printf("  world:                   %s objects, %s of them listed; %s\n",
                grouped(static_cast<long long>(options.world.size())).c_str(),
                grouped(static_cast<long long>(listedObjects)).c_str(), worldSource.c_str());
    std::printf("  frames:                  %s\n",
                grouped(static_cast<long long>(result.frames.size())).c_str());
    std::printf("  shields:                 %s created, %s retired, peak %s held\n",
                grouped(result.created).c_str(), grouped(result.retired).c_str(),
                grouped(result.peakHeld).c_str());
    std::printf("  candidates per frame:    %s\n", spreadText(spreadOf(candidates)).c_str());
    std::printf("  native calls per frame:  %s\n", spreadText(spreadOf(calls)).c_str());
    std::printf("  pictures:                %s\n                           %s\n", map.c_str(),
                plot.c_str());
    for (const std::string& e : result.protocolErrors) {
        std::printf("  protocol error: %s\n", e.c_str());
    }
    return result.protocolErrors.empty() && pictures ? 0 : 1;
}
