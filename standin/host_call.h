#pragma once

// The stand-in's log: one entry for every call into the host, with its raw
// 64-bit arguments, as tests, the dry run and the benchmarks read it.

#include "natives/natives.h"

#include <array>
#include <cstdint>
#include <string>

namespace standin {

enum class CallKind { ScriptRegister, ScriptUnregister, ScriptWait, WorldGetAllObjects, Native };

struct HostCall {
    CallKind kind = CallKind::Native;
    std::uint64_t hash = 0;
    std::array<std::uint64_t, 8> args{};
    int argCount = 0;
    std::string text;         // the text behind a text argument
    EntityHandle target = 0;  // DELETE_ENTITY: the handle its variable held
    std::uint64_t result = 0; // the first result word, or the object count
    int frame = 0;
};

// "NAME(arguments)": handles and hashes in hexadecimal, floats as numbers,
// text in quotes, a handle passed by address as &handle.
std::string describe(const HostCall& call);

// "0x" and the value in upper-case hexadecimal.
std::string hexText(std::uint64_t value);

// The low 32 bits of an argument or a result word: a handle, a hash, a flag.
inline std::uint32_t lowWord(std::uint64_t value) {
    return static_cast<std::uint32_t>(value);
}

// What an argument passed by address points to.
template <typename T> T* address(std::uint64_t value) {
    return reinterpret_cast<T*>(static_cast<std::uintptr_t>(value));
}

} // namespace standin
