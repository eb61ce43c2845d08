#pragma once

// The host's native call protocol, kept as strictly as the game would:
// nativeInit, then nativePush64 once per argument, then nativeCall; one call
// at a time, a known native, its number of arguments, and every handle,
// hash, integer, flag or float zero-extended. Each break is reported.

#include "standin/native_table.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace standin {

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

} // namespace standin
