#include "standin/world.h"

#include "config/text.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace standin {

namespace {

// Handles with the top bit set, so that a handle pushed sign-extended shows.
constexpr EntityHandle firstHandle = 0x80000100;
// What the game leaves in the parts of a result nobody should read.
constexpr std::uint32_t paddingNoise = 0xDEADBEEF;
constexpr int overfullExtra = 100;

float lowFloat(std::uint64_t value) {
    return std::bit_cast<float>(lowWord(value));
}

} // namespace

World* activeWorld = nullptr;

World::World(std::uint64_t seed)
    : random(seed), protocol([this](std::string message) { protocolError(std::move(message)); }) {
    if (activeWorld != nullptr) {
        std::fprintf(stderr, "stand-in host: a second world while one is active\n");
    }
    activeWorld = this;
    Object player;
    player.handle = firstHandle;
    player.isPed = true;
    all.push_back(player);
    ped = player.handle;
}

World::~World() {
    context.stop();
    if (activeWorld == this) {
        activeWorld = nullptr;
    }
}

EntityHandle World::addObject(ModelHash model, float x, float y, float z) {
    Object object;
    object.handle = firstHandle + static_cast<EntityHandle>(all.size());
    object.model = model;
    object.x = x;
    object.y = y;
    object.z = z;
    all.push_back(object);
    present.push_back(object.handle);
    return object.handle;
}

EntityHandle World::addObject(std::string_view modelName, float x, float y, float z) {
    return addObject(nameHash(modelName), x, y, z);
}

void World::reserve(std::size_t objects) {
    all.reserve(objects + 1);
    present.reserve(objects);
}

void World::vanish(EntityHandle handle) {
    if (Object* object = find(handle); object != nullptr && object->exists) {
        object->exists = false;
        object->vanishedFrame = currentFrame;
    }
}

void World::changeModel(EntityHandle handle, ModelHash model) {
    if (Object* object = find(handle)) {
        object->model = model;
    }
}

void World::setPlayerPosition(float x, float y, float z) {
    Object& player = all.front();
    player.x = x;
    player.y = y;
    player.z = z;
}

void World::setModelLatency(ModelHash model, int frames) {
    streaming[model].latency = frames;
}

void World::setModelLatency(std::string_view modelName, int frames) {
    setModelLatency(nameHash(modelName), frames);
}

const Object* World::object(EntityHandle handle) const {
    return const_cast<World*>(this)->find(handle);
}

Object* World::find(EntityHandle handle) {
    const EntityHandle index = handle - firstHandle;
    return index < all.size() ? &all[index] : nullptr;
}

bool World::modelLoaded(ModelHash model) const {
    const auto found = streaming.find(model);
    if (found == streaming.end() || found->second.requestedFrame < 0) {
        return false;
    }
    const int latency = found->second.latency;
    return latency >= 0 && currentFrame >= found->second.requestedFrame + latency;
}

bool World::chance(double p) {
    return p > 0 && std::uniform_real_distribution<double>(0.0, 1.0)(random) < p;
}

void World::applyVanishing() {
    if (faults.vanish <= 0 || present.empty()) {
        return;
    }
    const double expected = faults.vanish * static_cast<double>(present.size());
    int count = static_cast<int>(expected);
    if (chance(expected - count)) {
        ++count;
    }
    std::uniform_int_distribution<std::size_t> pick(0, present.size() - 1);
    for (int i = 0; i < count; ++i) {
        vanish(present[pick(random)]);
    }
}

int World::listObjects(int* handles, int capacity) {
    int count = 0;
    std::erase_if(present, [&](EntityHandle handle) {
        const Object& o = *find(handle);
        return !o.exists && o.vanishedFrame != currentFrame;
    });
    const Object& player = all.front();
    const float reach = streamingRadius * streamingRadius;
    for (const EntityHandle handle : present) {
        const Object& o = *find(handle);
        const float dx = o.x - player.x;
        const float dy = o.y - player.y;
        if (dx * dx + dy * dy <= reach && count < capacity) {
            handles[count++] = static_cast<int>(o.handle);
        }
    }
    switch (faults.listing) {
    case Listing::Normal:
        break;
    case Listing::Zero:
        count = 0;
        break;
    case Listing::Negative:
        count = -1;
        break;
    case Listing::Overfull:
        std::fill(handles + count, handles + capacity, 0);
        count = capacity + overfullExtra;
        break;
    case Listing::Twice: {
        const int once = std::min(count, capacity - count);
        std::copy(handles, handles + once, handles + count);
        count += once;
        break;
    }
    }
    return count;
}

void World::answer(Native native, HostCall& call) {
    const auto reply = [&](std::uint32_t value) { result[0] = resultNoise | value; };
    const auto& a = call.args;
    switch (native) {
    case Native::PLAYER_PED_ID:
        reply(ped);
        return;
    case Native::GET_ENTITY_COORDS: {
        const Object* o = find(lowWord(a[0]));
        const float xyz[3] = {o != nullptr && o->exists ? o->x : 0.0f,
                              o != nullptr && o->exists ? o->y : 0.0f,
                              o != nullptr && o->exists ? o->z : 0.0f};
        for (int i = 0; i < 3; ++i) {
            result[i] = (std::uint64_t{paddingNoise} << 32) | std::bit_cast<std::uint32_t>(xyz[i]);
        }
        return;
    }
    case Native::DOES_ENTITY_EXIST: {
        const Object* o = find(lowWord(a[0]));
        reply(o != nullptr && o->exists ? 1 : 0);
        return;
    }
    case Native::GET_ENTITY_MODEL: {
        const Object* o = find(lowWord(a[0]));
        reply(o != nullptr && o->exists ? o->model : 0);
        return;
    }
    case Native::CREATE_OBJECT: {
        const ModelHash model = lowWord(a[0]);
        if (!modelLoaded(model)) {
            protocolError("CREATE_OBJECT with model " + hexText(model) + ", which is not loaded");
            reply(0);
            return;
        }
        if (chance(faults.createFails)) {
            reply(0);
            return;
        }
        const EntityHandle handle =
            addObject(model, lowFloat(a[1]), lowFloat(a[2]), lowFloat(a[3]));
        Object& created = all.back();
        created.createdByScript = true;
        if (chance(faults.createdMissing)) {
            created.exists = false;
            created.vanishedFrame = currentFrame;
        }
        reply(handle);
        return;
    }
    case Native::DELETE_ENTITY: {
        Object* o = find(call.target);
        if (o == nullptr || !o->exists) {
            protocolError("DELETE_ENTITY on " + hexText(call.target) + ", which does not exist");
        } else if (!o->createdByScript) {
            protocolError("DELETE_ENTITY on " + hexText(call.target) +
                          ", which the script did not create");
        } else {
            o->exists = false;
        }
        *address<std::uint32_t>(a[0]) = 0; // the game clears the caller's variable
        return;
    }
    case Native::GET_HASH_KEY:
        reply(nameHash(call.text));
        return;
    case Native::REQUEST_MODEL: {
        Streaming& state = streaming[lowWord(a[0])];
        if (state.requestedFrame < 0) {
            state.requestedFrame = currentFrame;
        }
        return;
    }
    case Native::HAS_MODEL_LOADED:
        reply(modelLoaded(lowWord(a[0])) ? 1 : 0);
        return;
    case Native::BEGIN_TEXT_COMMAND_PRINT:
    case Native::ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME:
    case Native::END_TEXT_COMMAND_PRINT: // the status line's natives only draw
        return;
    }
}

} // namespace standin
