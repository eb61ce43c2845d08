// Any bytes at all as a world or a route file for the dry run (built once for
// each, PARSE naming the reader): the reader must neither crash nor leak, must
// give an error exactly when it gives nothing, and must never echo a byte a
// terminal would act on.
#include "tools/sim/world_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const auto read =
        PARSE(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.csv", error);
    if (read.has_value() == !error.empty()) {
        std::abort();
    }
    for (const char c : error) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
            std::abort();
        }
    }
    return 0;
}
