#include "bench_world.h"

#include "config/config.h"
#include "config/text.h"
#include "natives/natives.h"
#include "plugin/plugin.h"
#include "shields/shields.h"

#include <cmath>
#include <random>
#include <stdexcept>

namespace {

void list(const char* name) {
    const ModelHash model = nameHash(name);
    blockPropModels.insert(model);
    blockPropParams[model] = {8, 20};
}

} // namespace

BenchWorld makeBenchWorld(int objects, int shields) {
    // One world after another in a process: each starts from load-time tables.
    resetPluginTables();
    BenchWorld bench{std::make_unique<standin::World>(7), objects, shields};
    standin::World& world = *bench.world;
    world.setLogging(false);
    list("prop_tree_pine_01");
    list("prop_palm_med_01a");
    world.runAsScript(loadShieldModels);
    shieldRegistry.reserve(maxShields);

    std::mt19937 random(42);
    std::uniform_real_distribution<float> angle(0, 6.2831853f), inside(0, 95), outside(160, 1000);
    const auto at = [&](std::uniform_real_distribution<float>& distance) {
        const float a = angle(random), d = distance(random);
        return std::pair{d * std::cos(a), d * std::sin(a)};
    };
    // Trees inside the radius, each to get one of the shields; the other
    // shields belong to trees that have streamed out of the world.
    const int others = objects - shields;
    const int treesInside = std::min(shields, others / 4);
    std::vector<std::pair<float, float>> shieldSpots;
    std::vector<EntityHandle> shieldedTrees;
    for (int i = 0; i < others; ++i) {
        const int kind = i < treesInside ? 0 : 1 + (i - treesInside) % 3;
        auto [x, y] = at(kind == 0 || kind == 2 ? inside : outside);
        const char* model = kind == 0 || kind == 1 ? "prop_tree_pine_01" : "prop_bench_01a";
        const EntityHandle handle = world.addObject(model, x, y, 0);
        if (kind == 0) {
            shieldSpots.emplace_back(x, y);
            shieldedTrees.push_back(handle);
        }
    }
    for (EntityHandle goneTree = 0x7000000; static_cast<int>(shieldSpots.size()) < shields;
         ++goneTree) {
        shieldSpots.push_back(at(inside));
        shieldedTrees.push_back(goneTree);
    }
    world.runAsScript([&] {
        for (std::size_t i = 0; i < shieldSpots.size(); ++i) {
            const auto [x, y] = shieldSpots[i];
            shieldRegistry.emplace(shieldedTrees[i],
                                   NativeBridge::createObject(shieldModels[7], x, y, 20));
        }
    });
    if (static_cast<int>(shieldRegistry.size()) != shields) {
        throw std::logic_error("bench world: shields do not match");
    }
    return bench;
}

void runPluginFrame(standin::World& world) {
    world.runAsScript(runFrame);
}

std::size_t callsOfOneFrame(standin::World& world) {
    world.clearCalls();
    world.setLogging(true);
    runPluginFrame(world);
    world.setLogging(false);
    const std::size_t calls = world.calls().size();
    world.clearCalls();
    return calls;
}
