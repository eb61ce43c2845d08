// What a file of many lines costs: the verdicts on every line (the checker's
// and the log's work), the checker's whole run, and the plug-in's start-up,
// which with debug off only reads the file and hashes its names.
#include "config/explain.h"
#include "plugin/plugin.h"
#include "standin/world.h"
#include "tools/check/checker.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

// A file listing `count` tree models none of which is in the default file,
// each of a default name's length, so the near-miss search cannot turn them
// down by length alone.
std::string ownModels(long count, bool commented, bool debug) {
    std::string file = std::string("[Settings]\r\nscanRadius=100\r\ndebug=") +
                       (debug ? "true" : "false") + "\r\n\r\n[BLOCK_PROPS]\r\n";
    for (long i = 0; i < count; ++i) {
        file += (commented ? "# prop_tree_own_" : "prop_tree_own_") + std::to_string(i) +
                "=8.0,20.0\r\n";
    }
    return file;
}

void explainFile(benchmark::State& state) {
    const std::string file = ownModels(state.range(0), false, false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(judgeConfig(file));
    }
    state.counters["lines"] = static_cast<double>(state.range(0) + 5);
}

// bramblecap-check on a file of 100,000 tree models: reading it, the verdicts
// and the text, every line (0) or only those with warnings (1).
void checkLongFile(benchmark::State& state) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("bramblecap-check-bench-" + std::to_string(std::random_device{}()) + ".ini");
    std::ofstream(file, std::ios::binary) << ownModels(100000, false, false);
    const CheckOptions options{state.range(0) == 0 ? CheckOptions::View::EveryLine
                                                   : CheckOptions::View::Problems};
    for (auto _ : state) {
        std::ostringstream out, errors;
        benchmark::DoNotOptimize(checkFile(file.string(), options, out, errors));
    }
    std::filesystem::remove(file);
}

// The plug-in's start-up in a game folder of its own, up to the shield
// models: loadConfig and the log, as scriptMain runs them.
void startUp(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("bramblecap-config-bench-" + std::to_string(std::random_device{}()));
    const auto previous = std::filesystem::current_path();
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "BrambleCap.ini", std::ios::binary)
        << ownModels(20000, state.range(0) == 0, state.range(0) == 2);
    std::filesystem::current_path(folder);
    standin::World world;
    world.setLogging(false);
    for (auto _ : state) {
        resetPluginTables();
        world.runAsScript([] { benchmark::DoNotOptimize(logConfiguration(loadConfig())); });
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(explainFile)->ArgName("models")->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(checkLongFile)->ArgName("problems")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
// 0: every line commented out; 1: 20,000 names listed, debug off; 2: the same, debug on.
BENCHMARK(startUp)->ArgName("file")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
