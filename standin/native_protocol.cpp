#include "standin/native_protocol.h"

#include "standin/host_call.h"

namespace standin {

NativeProtocol::NativeProtocol(std::function<void(std::string)> report)
    : report(std::move(report)) {}

void NativeProtocol::init(std::uint64_t hash) {
    if (initialised) {
        report(std::string("nativeInit before the call of ") + nativeName(pending.hash));
    }
    pending = {};
    pending.hash = hash;
    initialised = true;
}

void NativeProtocol::push(std::uint64_t value) {
    if (!initialised) {
        report("nativePush64 without nativeInit");
        return;
    }
    if (pending.argCount == static_cast<int>(pending.args.size())) {
        report(std::string("too many arguments for ") + nativeName(pending.hash));
        return;
    }
    pending.args[pending.argCount++] = value;
}

std::optional<NativeCall> NativeProtocol::finish() {
    if (!initialised) {
        report("nativeCall without nativeInit");
        return std::nullopt;
    }
    initialised = false;
    return pending;
}

const NativeSignature* NativeProtocol::check(const NativeCall& call) const {
    const NativeSignature* native = findNative(call.hash);
    if (native == nullptr) {
        report("unknown native " + hexText(call.hash));
        return nullptr;
    }
    if (call.argCount != native->argCount) {
        report(std::string(native->name) + " with " + std::to_string(call.argCount) +
               " arguments, expected " + std::to_string(native->argCount));
        return nullptr;
    }
    for (int i = 0; i < call.argCount; ++i) {
        if (zeroExtended(native->args[i]) && (call.args[i] >> 32) != 0) {
            report(std::string(native->name) + " argument " + std::to_string(i + 1) +
                   " is not zero-extended: " + hexText(call.args[i]));
        }
    }
    return native;
}

} // namespace standin
