// The natives the stand-in knows, the protocol it holds the plug-in to, and
// its log's calls as text.
#include "standin/protocol.h"

#include "config/text.h"

#include <bit>
#include <cinttypes>
#include <cstdio>

namespace standin {

const NativeSignature* findNative(std::uint64_t hash) {
    for (const NativeSignature& native : nativeSignatures) {
        if (native.hash == hash) {
            return &native;
        }
    }
    return nullptr;
}

const char* nativeName(std::uint64_t hash) {
    const NativeSignature* native = findNative(hash);
    return native != nullptr ? native->name : "UNKNOWN_NATIVE";
}

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

std::string hexText(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%" PRIX64, value);
    return text;
}

namespace {

std::string argument(const HostCall& call, ArgKind kind, std::uint64_t value) {
    switch (kind) {
    case ArgKind::Float:
        return shownNumber(std::bit_cast<float>(static_cast<std::uint32_t>(value)));
    case ArgKind::Text:
        return "\"" + call.text + "\"";
    case ArgKind::HandleByAddress:
        return "&" + hexText(call.target);
    case ArgKind::Value:
        break;
    }
    return value < 10 ? std::to_string(value) : hexText(value);
}

} // namespace

std::string describe(const HostCall& call) {
    switch (call.kind) {
    case CallKind::ScriptRegister:
        return "scriptRegister";
    case CallKind::ScriptUnregister:
        return "scriptUnregister";
    case CallKind::ScriptWait:
        return "scriptWait(" + std::to_string(call.args[0]) + ")";
    case CallKind::WorldGetAllObjects:
        return "worldGetAllObjects(" + std::to_string(call.args[1]) + ")";
    case CallKind::Native:
        break;
    }
    const NativeSignature* native = findNative(call.hash);
    std::string text = nativeName(call.hash);
    text += '(';
    for (int i = 0; i < call.argCount; ++i) {
        text += i > 0 ? ", " : "";
        const bool known = native != nullptr && i < native->argCount;
        text += argument(call, known ? native->args[i] : ArgKind::Value, call.args[i]);
    }
    return text + ')';
}

} // namespace standin
