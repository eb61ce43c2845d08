#include "standin/host_call.h"

#include "standin/native_table.h"

#include <bit>
#include <cinttypes>
#include <cstdio>

namespace standin {

std::string hexText(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%" PRIX64, value);
    return text;
}

namespace {

std::string argument(const HostCall& call, ArgKind kind, std::uint64_t value) {
    switch (kind) {
    case ArgKind::Float: {
        char number[32];
        std::snprintf(number, sizeof number, "%g",
                      static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(value))));
        return number;
    }
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
