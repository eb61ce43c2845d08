#include "natives/natives.h"

#include "natives/host.h"
#include "natives/native_list.h"

#include <array>
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

constexpr ArgKind kindOf(std::uint32_t) {
    return ArgKind::Value;
}
constexpr ArgKind kindOf(float) {
    return ArgKind::Float;
}
constexpr ArgKind kindOf(const char*) {
    return ArgKind::Text;
}
constexpr ArgKind kindOf(EntityHandle*) {
    return ArgKind::HandleByAddress;
}

// Calls the native, held by the compiler to its entry in the list: the
// arguments' kinds, and the kind of result the caller reads.
template <Native native, ResultKind read, typename... Args> const HostWord* invoke(Args... args) {
    constexpr NativeSignature signature = signatureOf(native);
    static_assert(signature.result == read, "the result is read as the native list says");
    static_assert(signature.argCount == sizeof...(Args) &&
                      signature.args == std::array<ArgKind, 7>{kindOf(Args{})...},
                  "the arguments are pushed as the native list says");
    nativeInit(signature.hash);
    (nativePush64(widen(args)), ...);
    return nativeCall();
}

using enum ResultKind;

std::uint32_t firstWord(const HostWord* result) {
    std::uint32_t word;
    std::memcpy(&word, result, sizeof word);
    return word;
}

} // namespace

namespace NativeBridge {

EntityHandle playerPedId() {
    return firstWord(invoke<Native::PLAYER_PED_ID, Word>());
}

Vector3 getEntityCoords(EntityHandle entity) {
    Vector3 position;
    std::memcpy(&position, invoke<Native::GET_ENTITY_COORDS, Position>(entity, 1u),
                sizeof position);
    return position;
}

bool doesEntityExist(EntityHandle entity) {
    return firstWord(invoke<Native::DOES_ENTITY_EXIST, Flag>(entity)) != 0;
}

ModelHash getEntityModel(EntityHandle entity) {
    return firstWord(invoke<Native::GET_ENTITY_MODEL, Word>(entity));
}

EntityHandle createObject(ModelHash model, float x, float y, float z) {
    return firstWord(invoke<Native::CREATE_OBJECT, Word>(model, x, y, z, 0u, 0u, 0u));
}

void deleteEntity(EntityHandle* entity) {
    invoke<Native::DELETE_ENTITY, Nothing>(entity);
}

ModelHash getHashKey(const char* name) {
    return firstWord(invoke<Native::GET_HASH_KEY, Word>(name));
}

void requestModel(ModelHash model) {
    invoke<Native::REQUEST_MODEL, Nothing>(model);
}

bool hasModelLoaded(ModelHash model) {
    return firstWord(invoke<Native::HAS_MODEL_LOADED, Flag>(model)) != 0;
}

void beginTextCommandPrint(const char* label) {
    invoke<Native::BEGIN_TEXT_COMMAND_PRINT, Nothing>(label);
}

void addTextComponentSubstringPlayerName(const char* text) {
    invoke<Native::ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME, Nothing>(text);
}

void endTextCommandPrint(int milliseconds, bool drawNow) {
    invoke<Native::END_TEXT_COMMAND_PRINT, Nothing>(static_cast<std::uint32_t>(milliseconds),
                                                    static_cast<std::uint32_t>(drawNow));
}

} // namespace NativeBridge
