#include "sim/native_table.h"

#include "natives/native_hashes.h"

namespace sim {

namespace {

constexpr ArgKind V = ArgKind::Value, F = ArgKind::Float, T = ArgKind::Text,
                  A = ArgKind::HandleByAddress;

constexpr NativeInfo natives[] = {
    {NativeHash::PLAYER_PED_ID, "PLAYER_PED_ID", {}, 0},
    {NativeHash::GET_ENTITY_COORDS, "GET_ENTITY_COORDS", {V, V}, 2},
    {NativeHash::DOES_ENTITY_EXIST, "DOES_ENTITY_EXIST", {V}, 1},
    {NativeHash::GET_ENTITY_MODEL, "GET_ENTITY_MODEL", {V}, 1},
    {NativeHash::CREATE_OBJECT, "CREATE_OBJECT", {V, F, F, F, V, V, V}, 7},
    {NativeHash::DELETE_ENTITY, "DELETE_ENTITY", {A}, 1},
    {NativeHash::GET_HASH_KEY, "GET_HASH_KEY", {T}, 1},
    {NativeHash::REQUEST_MODEL, "REQUEST_MODEL", {V}, 1},
    {NativeHash::HAS_MODEL_LOADED, "HAS_MODEL_LOADED", {V}, 1},
    {NativeHash::BEGIN_TEXT_COMMAND_PRINT, "BEGIN_TEXT_COMMAND_PRINT", {T}, 1},
    {NativeHash::ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME,
     "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME",
     {T},
     1},
    {NativeHash::END_TEXT_COMMAND_PRINT, "END_TEXT_COMMAND_PRINT", {V, V}, 2},
};

} // namespace

const NativeInfo* findNative(std::uint64_t hash) {
    for (const NativeInfo& native : natives) {
        if (native.hash == hash) {
            return &native;
        }
    }
    return nullptr;
}

const char* nativeName(std::uint64_t hash) {
    const NativeInfo* native = findNative(hash);
    return native != nullptr ? native->name : "UNKNOWN_NATIVE";
}

} // namespace sim
