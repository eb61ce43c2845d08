#pragma once

// Every game native the plug-in calls, declared once: its name, its 64-bit
// hash, what its result holds and how each argument travels. The hashes the
// plug-in pushes (NativeHash below), the checks on the bridge's typed
// functions, and the stand-in host's table and dispatch all come from here,
// so a native added here that the stand-in does not answer fails to compile.

#include <array>
#include <cstddef>
#include <cstdint>

// How an argument travels in its 64-bit slot.
enum class ArgKind {
    Value,           // handle, hash, integer or flag: 32 bits, zero-extended
    Float,           // the 32-bit pattern in the low half, the high half zero
    Text,            // the address of NUL-terminated text
    HandleByAddress, // the address of a 32-bit variable holding a handle
};

// What the caller reads from the result.
enum class ResultKind {
    Nothing,  // the result is not read
    Word,     // a handle or hash in the low 32 bits of the first word
    Flag,     // zero or not in the low 32 bits of the first word
    Position, // three floats, each in the low half of its own 8-byte slot
};

// X(name, hash, result kind, argument kinds...)
#define BRAMBLECAP_NATIVES(X)                                                                      \
    X(PLAYER_PED_ID, 0xD80958FC74E988A6, Word)                                                     \
    X(GET_ENTITY_COORDS, 0x3FEF770D40960D5A, Position, Value, Value)                               \
    X(DOES_ENTITY_EXIST, 0x7239B21A38F536BA, Flag, Value)                                          \
    X(GET_ENTITY_MODEL, 0x9F47B058362C84B5, Word, Value)                                           \
    X(CREATE_OBJECT, 0x509D5878EB39E842, Word, Value, Float, Float, Float, Value, Value, Value)    \
    X(DELETE_ENTITY, 0xAE3CBE5BF394C9C9, Nothing, HandleByAddress)                                 \
    X(GET_HASH_KEY, 0xD24D37CC275948CC, Word, Text)                                                \
    X(REQUEST_MODEL, 0x963D27A58DF860AC, Nothing, Value)                                           \
    X(HAS_MODEL_LOADED, 0x98A4EB5D89A0C952, Flag, Value)                                           \
    X(BEGIN_TEXT_COMMAND_PRINT, 0xB87A37EEB7FAA67D, Nothing, Text)                                 \
    X(ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME, 0x6C188BE134E074AA, Nothing, Text)                 \
    X(END_TEXT_COMMAND_PRINT, 0x9D77056A530643F6, Nothing, Value, Value)

#define BRAMBLECAP_NATIVE_ENUMERATOR(name, ...) name,
enum class Native { BRAMBLECAP_NATIVES(BRAMBLECAP_NATIVE_ENUMERATOR) };
#undef BRAMBLECAP_NATIVE_ENUMERATOR

struct NativeSignature {
    Native native;
    std::uint64_t hash;
    const char* name;
    ResultKind result;
    std::array<ArgKind, 7> args; // the first argCount are used
    int argCount;
};

namespace native_list {

template <typename... Kinds>
constexpr NativeSignature signature(Native native, std::uint64_t hash, const char* name,
                                    ResultKind result, Kinds... args) {
    return {native, hash, name, result, {args...}, sizeof...(args)};
}

using enum ArgKind;
using enum ResultKind;

#define BRAMBLECAP_NATIVE_SIGNATURE(name, hash, ...)                                               \
    signature(Native::name, hash, #name, __VA_ARGS__),
inline constexpr NativeSignature signatures[] = {BRAMBLECAP_NATIVES(BRAMBLECAP_NATIVE_SIGNATURE)};
#undef BRAMBLECAP_NATIVE_SIGNATURE

} // namespace native_list

// In the order of the enum, so that a native's signature is found by its value.
inline constexpr const auto& nativeSignatures = native_list::signatures;

constexpr const NativeSignature& signatureOf(Native native) {
    return nativeSignatures[static_cast<std::size_t>(native)];
}

// The game natives the plug-in calls, by their 64-bit hashes.
namespace NativeHash {
#define BRAMBLECAP_NATIVE_HASH(name, ...)                                                          \
    inline constexpr std::uint64_t name = signatureOf(Native::name).hash;
BRAMBLECAP_NATIVES(BRAMBLECAP_NATIVE_HASH)
#undef BRAMBLECAP_NATIVE_HASH
} // namespace NativeHash
