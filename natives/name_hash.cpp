#include "natives/name_hash.h"

std::uint32_t nameHash(std::string_view name) {
    std::uint32_t hash = 0;
    for (const char raw : name) {
        auto c = static_cast<unsigned char>(raw);
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<unsigned char>(c + ('a' - 'A'));
        } else if (c == '\\') {
            c = '/';
        }
        hash += c;
        hash += hash << 10;
        hash ^= hash >> 6;
    }
    hash += hash << 3;
    hash ^= hash >> 11;
    hash += hash << 15;
    return hash;
}
