#include "bench_world.h"

#include "../tests/common/plugin_tables.h"
#include "config/settings.h"
#include "natives/host.h"
#include "natives/native_bridge.h"
#include "natives/native_hashes.h"
#include "plugin/script_main.h"
#include "shields/shield_models.h"
#include "shields/shield_registry.h"
#include "natives/name_hash.h"

#include <cmath>
#include <random>
#include <stdexcept>

namespace {

enum Operation { PlayerPed, Coords, Exists, Model, Listing, Wait };

void list(const char* name) {
    const ModelHash model = nameHash(name);
    blockPropModels.insert(model);
    blockPropParams[model] = {8, 20};
}

} // namespace

BenchWorld makeBenchWorld(int objects, int shields) {
    resetPluginTables();
    BenchWorld bench{std::make_unique<sim::World>(7), objects, shields};
    sim::World& world = *bench.world;
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

void runPluginFrame(sim::World& world) {
    world.runAsScript(runFrame);
}

std::vector<ReplayCall> recordFrame(sim::World& world) {
    world.clearCalls();
    world.setLogging(true);
    runPluginFrame(world);
    world.setLogging(false);
    std::vector<ReplayCall> calls;
    for (const sim::HostCall& call : world.calls()) {
        const auto entity = static_cast<EntityHandle>(call.args[0]);
        switch (call.kind) {
        case sim::CallKind::WorldGetAllObjects:
            calls.push_back({Listing, 0});
            continue;
        case sim::CallKind::ScriptWait:
            calls.push_back({Wait, 0});
            continue;
        case sim::CallKind::Native:
            break;
        default:
            continue;
        }
        switch (call.hash) {
        case NativeHash::PLAYER_PED_ID:
            calls.push_back({PlayerPed, 0});
            break;
        case NativeHash::GET_ENTITY_COORDS:
            calls.push_back({Coords, entity});
            break;
        case NativeHash::DOES_ENTITY_EXIST:
            calls.push_back({Exists, entity});
            break;
        case NativeHash::GET_ENTITY_MODEL:
            calls.push_back({Model, entity});
            break;
        default:
            throw std::logic_error(std::string("bench world: a steady frame called ") +
                                   sim::nativeName(call.hash));
        }
    }
    world.clearCalls();
    return calls;
}

void replayFrame(sim::World& world, const std::vector<ReplayCall>& calls) {
    world.runAsScript([&] {
        int objects[4096];
        float sink = 0;
        for (const ReplayCall& call : calls) {
            switch (call.operation) {
            case PlayerPed:
                sink += static_cast<float>(NativeBridge::playerPedId());
                break;
            case Coords:
                sink += NativeBridge::getEntityCoords(call.entity).x;
                break;
            case Exists:
                sink += NativeBridge::doesEntityExist(call.entity) ? 1.0f : 0.0f;
                break;
            case Model:
                sink += static_cast<float>(NativeBridge::getEntityModel(call.entity));
                break;
            case Listing:
                sink += static_cast<float>(worldGetAllObjects(objects, 4096));
                break;
            case Wait:
                scriptWait(0);
                break;
            }
        }
        // Keeps the compiler from dropping the reads.
        volatile float keep = sink;
        (void)keep;
    });
}
