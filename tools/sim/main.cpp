// bramblecap-sim: the plug-in at work in a simulated world, frame by frame,
// before anyone starts the game.
#include "tools/sim/dry_run.h"
#include "tools/sim/generated_world.h"
#include "tools/sim/shipped_plugin.h"
#include "tools/sim/svg_pictures.h"
#include "tools/sim/world_file.h"

#include "config/quoted_text.h"
#include "shields/shield_limits.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace {

const char* const usage =
    "usage: bramblecap-sim [options]\n"
    "  --config FILE       BrambleCap.ini to try (default: the plug-in writes its default file)\n"
    "  --world FILE        world as CSV: header \"model,x,y,z\", one object a line, the model a\n"
    "                      name or a hash such as 0x1A2B3C4D (default: generated country)\n"
    "  --route FILE        the player's route as CSV: header \"x,y\", one waypoint a line\n"
    "                      (default: across the generated country and back)\n"
    "  --frames N          frames to run, 1 to 200000 (default: as many as the route takes)\n"
    "  --speed M           metres the player moves a frame, above 0 (default 1)\n"
    "  --seed N            seed of the generated world, a whole number (default 1)\n"
    "  --debug             ask for the plug-in's status line and its log (debug=true)\n"
    "  --missing-model K   shield model K (1 to 19) never loads, as if its asset were missing\n"
    "  --out DIR           where the map, the plot and the game folder go (default: build/demo)\n"
    "  --asi FILE          the plug-in to load (Windows build; default: BrambleCap.asi beside\n"
    "                      this program)\n";

struct Arguments {
    std::string config, world, route, out = "build/demo", asi;
    int frames = 0;
    double speed = 1;
    std::uint64_t seed = 1;
    bool debug = false;
    std::vector<int> missingModels;
};

// A user's mistake: one line, and exit 2.
struct Mistake {
    std::string message;
};

template <typename Number>
Number wholeNumber(const std::string& option, const std::string& text, Number low, Number high) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < low ||
        value > high) {
        throw Mistake{option + " takes a whole number from " + std::to_string(low) + " to " +
                      std::to_string(high) + ", not " + quotedText(text)};
    }
    return value;
}

double decimalNumber(const std::string& option, const std::string& text, double low, double high) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        !(value >= low && value <= high)) {
        char range[64];
        std::snprintf(range, sizeof range, "%g to %g", low, high);
        throw Mistake{option + " takes a number from " + range + ", not " + quotedText(text)};
    }
    return value;
}

Arguments parse(int argc, char** argv) {
    Arguments a;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                throw Mistake{option + " needs a value (bramblecap-sim --help lists the options)"};
            }
            return argv[++i];
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
            a.frames = wholeNumber(option, value(), 1, maxDryRunFrames);
        } else if (option == "--speed") {
            a.speed = decimalNumber(option, value(), 0, 1000);
        } else if (option == "--seed") {
            a.seed = wholeNumber<std::uint64_t>(option, value(), 0, UINT64_MAX);
        } else if (option == "--missing-model") {
            a.missingModels.push_back(wholeNumber(option, value(), 1, shieldModelCount));
        } else if (option == "--debug") {
            a.debug = true;
        } else if (option == "--out") {
            a.out = value();
        } else if (option == "--asi") {
            a.asi = value();
        } else {
            throw Mistake{"unknown option " + quotedText(option) +
                          " (bramblecap-sim --help lists the options)"};
        }
    }
    if (a.asi.empty()) {
        a.asi = defaultAsiPath(argv[0]);
    }
    return a;
}

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw Mistake{path + ": cannot open the file"};
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The output folder, made if need be, with the game folder inside it.
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

// On a terminal, a bar redrawn a few times a second and at the end; into a
// pipe or a file, a line at every tenth of the run.
class Progress {
  public:
    explicit Progress(bool terminal) : terminal(terminal) {}

    void show(const FrameRecord& record, int frames) {
        const int percent = static_cast<int>(100LL * record.frame / frames);
        const bool last = record.frame == frames;
        if (terminal) {
            const auto now = std::chrono::steady_clock::now();
            if (!last && now - drawn < std::chrono::milliseconds(250)) {
                return;
            }
            drawn = now;
            std::string bar(20, '.');
            std::fill(bar.begin(), bar.begin() + percent / 5, '#');
            std::printf("\r[%s] %3d%%  frame %d/%d  %-60s%s", bar.c_str(), percent, record.frame,
                        frames, statusOf(record).c_str(), last ? "\n" : "");
            std::fflush(stdout);
        } else if (last || record.frame % std::max(1, frames / 10) == 0) {
            std::printf("frame %d/%d (%d%%): %s\n", record.frame, frames, percent,
                        statusOf(record).c_str());
        }
    }

  private:
    bool terminal;
    std::chrono::steady_clock::time_point drawn{};
};

// A path as the user would type it: relative to here where it lies below,
// with forward slashes.
std::string shown(const std::filesystem::path& path) {
    std::error_code error;
    const auto relative = std::filesystem::relative(path, error);
    const auto& best = !error && !relative.empty() && *relative.begin() != ".." ? relative : path;
    return best.generic_string();
}

int run(int argc, char** argv) {
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
            throw Mistake{error};
        }
        options.world = std::move(*world);
        worldSource = args.world;
    }
    if (!args.route.empty()) {
        auto route = readRouteFile(args.route, error);
        if (!route) {
            throw Mistake{error};
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
    options.speed = static_cast<float>(args.speed);
    options.seed = args.seed;
    options.askForStatusLine = args.debug;
    options.missingModels = args.missingModels;
    if (const FramePlan plan = planFrames(options); !plan.problem.empty()) {
        throw Mistake{plan.problem};
    }
    prepareOutput(args.out);
    options.gameFolder = (std::filesystem::absolute(args.out) / "game").string();

    Progress progress(outputIsTerminal());
    const DryRunResult result =
        runDryRun(options, shippedPlugin(args.asi),
                  [&](const FrameRecord& r, int frames) { progress.show(r, frames); });

    std::size_t listedObjects = 0;
    for (const PlacedObject& o : options.world) {
        listedObjects += result.listed.contains(o.hash) ? 1 : 0;
    }
    const std::string out = std::filesystem::path(args.out).generic_string();
    const std::string map = out + "/map.svg", plot = out + "/plot.svg";
    if (!writeMap(map, options.world, options.route, result)) {
        throw Mistake{"cannot write " + map};
    }
    if (!writePlot(plot, result)) {
        throw Mistake{"cannot write " + plot};
    }

    std::printf("\nBrambleCap dry run\n");
    std::printf("  plug-in:                 %s\n", shown(args.asi).c_str());
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
    std::printf("  frames:                  %s\n", grouped(result.framesRun).c_str());
    std::printf("  shields:                 %s created, %s retired, peak %s held\n",
                grouped(result.created).c_str(), grouped(result.retired).c_str(),
                grouped(result.peakHeld).c_str());
    std::printf("  candidates per frame:    %s\n", spreadText(spreadOf(result.candidates)).c_str());
    std::printf("  native calls per frame:  %s\n",
                spreadText(spreadOf(result.nativeCalls)).c_str());
    std::printf("  pictures:                %s\n                           %s\n", map.c_str(),
                plot.c_str());
    if (result.logWritten) {
        std::printf("  the plug-in's log:       %s/game/BrambleCap.log\n", out.c_str());
    }
    for (const std::string& e : result.protocolErrors) {
        std::printf("  protocol error: %s\n", e.c_str());
    }
    return result.protocolErrors.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    useUnixLineEnds();
    try {
        return run(argc, argv);
    } catch (const Mistake& mistake) {
        std::fprintf(stderr, "bramblecap-sim: %s\n", mistake.message.c_str());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bramblecap-sim: %s\n", failure.what());
    }
    return 2;
}
