// Any bytes at all as BrambleCap.ini: the reader must neither crash, leak nor
// break the invariant that both model tables hold the same keys.
#include "config/config_reader.h"
#include "natives/name_hash.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

ModelHash hashName(const char* name) {
    return nameHash(name);
}

// Reads every field of every line, as the checker does.
void touch(const ConfigLine& line, void* context) {
    auto& bytes = *static_cast<std::size_t*>(context);
    bytes += line.text.size() + line.section.size() + line.key.size() + line.value.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::size_t bytes = 0;
    const ConfigObserver observer{touch, &bytes};
    readConfig(in, hashName, &observer);
    if (blockPropModels.size() != blockPropParams.size()) {
        std::abort();
    }
    for (const ModelHash model : blockPropModels) {
        if (!blockPropParams.contains(model)) {
            std::abort();
        }
    }
    return 0;
}
