#pragma once

// The host as the stand-in keeps it: the natives it answers, the call protocol
// it holds the plug-in to, the log of every call, and the context it runs the
// script on.

#include "natives/native_list.h"
#include "natives/natives.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace standin {

// The natives the stand-in answers are those of natives/native_list.h, found
// by the hash a call arrives with: this one's, or nullptr for one it does not know.
const NativeSignature* findNative(std::uint64_t hash);
const char* nativeName(std::uint64_t hash);

// Whether an argument of this kind must have zero in its upper 32 bits.
constexpr bool zeroExtended(ArgKind kind) {
    return kind == ArgKind::Value || kind == ArgKind::Float;
}

// The stand-in's log: one entry for every call into the host, with its raw
// 64-bit arguments, as tests, the dry run and the benchmarks read it.

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

// The host's native call protocol, kept as strictly as the game would:
// nativeInit, then nativePush64 once per argument, then nativeCall; one call
// at a time, a known native, its number of arguments, and every handle,
// hash, integer, flag or float zero-extended. Each break is reported.

// A call as it arrives: the hash and the arguments pushed for it.
struct NativeCall {
    std::uint64_t hash = 0;
    std::array<std::uint64_t, 8> args{};
    int argCount = 0;
};

class NativeProtocol {
  public:
    explicit NativeProtocol(std::function<void(std::string)> report);

    void init(std::uint64_t hash);
    void push(std::uint64_t value);
    // Ends the call in flight; nothing when nativeInit did not begin one.
    std::optional<NativeCall> finish();
    // The native to run for a finished call, or nullptr when it cannot run:
    // unknown, or with the wrong number of arguments. An argument that is not
    // zero-extended is reported, and the call runs.
    const NativeSignature* check(const NativeCall& call) const;

  private:
    std::function<void(std::string)> report;
    bool initialised = false;
    NativeCall pending;
};

// The context the host runs the plug-in's script on. The script and the host
// take turns: resume() runs the script until it yields in scriptWait, so one
// resume is one frame. Fibers on Windows, a handed-over thread on Linux.
class ScriptContext {
  public:
    ScriptContext();
    ~ScriptContext();
    ScriptContext(const ScriptContext&) = delete;
    ScriptContext& operator=(const ScriptContext&) = delete;

    void start(void (*entry)());
    void resume();
    // On the script's context: hands control back to the host until the next resume.
    void yield();
    // Abandons the script where it waits, as the host does when it unloads a script.
    void stop();

    bool started() const;
    bool isCurrent() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace standin
