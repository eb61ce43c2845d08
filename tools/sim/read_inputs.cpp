#include "tools/sim/read_inputs.h"

#include "tools/sim/generated_world.h"
#include "tools/sim/world_file.h"

#include "tools/files/shown_path.h"
#include "tools/files/user_file.h"

#include <algorithm>

namespace {

std::string readWhole(const std::string& path) {
    std::string cause;
    auto bytes = readUserFile(path, cause);
    if (!bytes) {
        throw Mistake{"cannot read " + shownPath(path) + ": " + cause};
    }
    return std::move(*bytes);
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

} // namespace

std::string readInputs(DryRunCommand& command) {
    DryRunOptions& run = command.run;
    std::string worldSource, error;
    if (command.worldPath.empty()) {
        Country country = generateCountry(run.seed);
        run.world = std::move(country.objects);
        run.route = std::move(country.route);
        worldSource = "generated from seed " + std::to_string(run.seed);
    } else {
        auto world = readWorldFile(command.worldPath, error);
        if (!world) {
            throw Mistake{error};
        }
        run.world = std::move(*world);
        worldSource = shownPath(command.worldPath);
    }
    if (!command.routePath.empty()) {
        auto route = readRouteFile(command.routePath, error);
        if (!route) {
            throw Mistake{error};
        }
        run.route = std::move(*route);
    } else if (!command.worldPath.empty()) {
        run.route = acrossTheMiddle(run.world);
    }
    if (!command.configPath.empty()) {
        run.configText = readWhole(command.configPath);
    }
    return worldSource;
}
