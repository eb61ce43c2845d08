// The plug-in's own figures, read from the calls it makes and from the
// answers it gets, never from the world's state: the candidate list as its
// scan walks the host's listing, the status line it draws, and the shields it
// makes and deletes.
#include "standin/world.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace standin {

namespace {

// The number after "Nearby:" in the status line, if the line holds one.
std::optional<int> nearbyFigure(std::string_view line) {
    constexpr std::string_view field = "Nearby:";
    const std::size_t at = line.find(field);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const char* first = line.data() + at + field.size();
    int figure = 0;
    const auto [end, error] = std::from_chars(first, line.data() + line.size(), figure);
    return error == std::errc() && end != first ? std::optional<int>(figure) : std::nullopt;
}

} // namespace

void World::startObservedFrame() {
    observation.candidates = 0;
    observation.statusLine.clear(); // keeps its room: a frame allocates nothing here
    observation.statusNearby.reset();
    observation.shieldsCreated = 0;
    observation.shieldsRetired = 0;
    observation.hostRoom = 0;
    observation.hostListed = 0;
    observation.waitingForModels = false;
    observation.modelAnswers.clear(); // keeps its room too
    scanHandlesLeft = -1;
    newShield = 0;
}

void World::observe(const HostCall& call, const NativeSignature* native) {
    const EntityHandle created = newShield;
    newShield = 0;
    if (call.kind == CallKind::WorldGetAllObjects) {
        // A new scan starts an empty list; the plug-in walks the handles the
        // host listed, as many as the room it gave, and none when the count is
        // below 1.
        const auto listed = static_cast<std::int32_t>(call.result);
        const auto room = static_cast<std::int32_t>(call.args[1]);
        observation.candidates = 0;
        observation.waitingForModels = false;
        observation.hostRoom = room;
        observation.hostListed = std::max(0, std::min(listed, room));
        scanHandlesLeft = listed < 1 ? -1 : observation.hostListed;
        scannedHandle = 0;
        return;
    }
    // The scan asks of each listed handle whether it exists, then maybe its
    // position and its model; any other call, or one question too many, ends it.
    if (native == nullptr) {
        scanHandlesLeft = -1;
        return;
    }
    const Native asked = native->native;
    const bool scanning =
        scanHandlesLeft >= 0 &&
        (asked == Native::GET_ENTITY_COORDS || asked == Native::GET_ENTITY_MODEL ||
         (asked == Native::DOES_ENTITY_EXIST && scanHandlesLeft > 0));
    if (!scanning) {
        scanHandlesLeft = -1;
    }
    const EntityHandle handle = lowWord(call.args[0]);
    switch (asked) {
    case Native::DOES_ENTITY_EXIST:
        if (scanning) {
            --scanHandlesLeft;
            scannedHandle = handle;
        } else if (handle == created && created != 0 && lowWord(call.result) != 0) {
            ++observation.shieldsCreated; // the plug-in keeps a shield it finds standing
        }
        return;
    case Native::GET_ENTITY_MODEL:
        if (scanning && handle == scannedHandle) {
            observation.candidates += configuredModels.contains(lowWord(call.result)) ? 1 : 0;
            scannedHandle = 0;
        }
        return;
    case Native::GET_HASH_KEY:
        if (readingConfiguration) {
            lastHashed = lowWord(call.result);
            lastHashedNew = configuredModels.insert(lastHashed).second;
        }
        return;
    case Native::REQUEST_MODEL:
        // The name hashed just before the first request is the first shield
        // model's, not the configuration's, unless the configuration listed it too.
        if (readingConfiguration && lastHashedNew && lowWord(call.args[0]) == lastHashed) {
            configuredModels.erase(lastHashed);
        }
        readingConfiguration = false;
        return;
    case Native::HAS_MODEL_LOADED:
        observation.waitingForModels = true;
        observation.modelAnswers.emplace_back(lowWord(call.args[0]), lowWord(call.result) != 0);
        return;
    case Native::CREATE_OBJECT:
        newShield = lowWord(call.result);
        return;
    case Native::DELETE_ENTITY:
        ++observation.shieldsRetired;
        return;
    case Native::ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME:
        observation.statusLine = call.text;
        observation.statusNearby = nearbyFigure(observation.statusLine);
        return;
    case Native::PLAYER_PED_ID:
    case Native::GET_ENTITY_COORDS:
    case Native::BEGIN_TEXT_COMMAND_PRINT:
    case Native::END_TEXT_COMMAND_PRINT:
        return;
    }
}

} // namespace standin
