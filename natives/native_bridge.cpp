#include "natives/native_bridge.h"

#include "natives/host.h"
#include "natives/native_hashes.h"

#include <bit>
#include <cstring>

namespace {

std::uint64_t widen(std::uint32_t value) {
    return value;
}
std::uint64_t widen(float value) {
    return std::bit_cast<std::uint32_t>(value);
}
std::uint64_t widen(const void* address) {
    return reinterpret_cast<std::uintptr_t>(address);
}

template <typename... Args> const HostWord* invoke(std::uint64_t hash, Args... args) {
    nativeInit(hash);
    (nativePush64(widen(args)), ...);
    return nativeCall();
}

std::uint32_t firstWord(const HostWord* result) {
    std::uint32_t word;
    std::memcpy(&word, result, sizeof word);
    return word;
}

} // namespace

namespace NativeBridge {

EntityHandle playerPedId() {
    return firstWord(invoke(NativeHash::PLAYER_PED_ID));
}

Vector3 getEntityCoords(EntityHandle entity) {
    Vector3 position;
    std::memcpy(&position, invoke(NativeHash::GET_ENTITY_COORDS, entity, 1u), sizeof position);
    return position;
}

bool doesEntityExist(EntityHandle entity) {
    return firstWord(invoke(NativeHash::DOES_ENTITY_EXIST, entity)) != 0;
}

ModelHash getEntityModel(EntityHandle entity) {
    return firstWord(invoke(NativeHash::GET_ENTITY_MODEL, entity));
}

EntityHandle createObject(ModelHash model, float x, float y, float z) {
    return firstWord(invoke(NativeHash::CREATE_OBJECT, model, x, y, z, 0u, 0u, 0u));
}

void deleteEntity(EntityHandle* entity) {
    invoke(NativeHash::DELETE_ENTITY, entity);
}

ModelHash getHashKey(const char* name) {
    return firstWord(invoke(NativeHash::GET_HASH_KEY, name));
}

void requestModel(ModelHash model) {
    invoke(NativeHash::REQUEST_MODEL, model);
}

bool hasModelLoaded(ModelHash model) {
    return firstWord(invoke(NativeHash::HAS_MODEL_LOADED, model)) != 0;
}

void beginTextCommandPrint(const char* label) {
    invoke(NativeHash::BEGIN_TEXT_COMMAND_PRINT, label);
}

void addTextComponentSubstringPlayerName(const char* text) {
    invoke(NativeHash::ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME, text);
}

void endTextCommandPrint(int milliseconds, bool drawNow) {
    invoke(NativeHash::END_TEXT_COMMAND_PRINT, static_cast<std::uint32_t>(milliseconds),
           static_cast<std::uint32_t>(drawNow));
}

} // namespace NativeBridge
