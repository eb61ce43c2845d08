#include "sim/hash_key.h"

namespace sim {

std::uint32_t hashKey(std::string_view name) {
    std::uint32_t hash = 0;
    for (const char raw : name) {
        const unsigned char c = static_cast<unsigned char>(raw);
        hash += (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
        hash += hash << 10;
        hash ^= hash >> 6;
    }
    hash += hash << 3;
    hash ^= hash >> 11;
    hash += hash << 15;
    return hash;
}

} // namespace sim
