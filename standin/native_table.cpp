#include "standin/native_table.h"

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

} // namespace standin
