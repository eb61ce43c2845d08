#pragma once

#include <cstdint>

// The game natives the plug-in calls, by their 64-bit hashes.
namespace NativeHash {
inline constexpr std::uint64_t PLAYER_PED_ID = 0xD80958FC74E988A6;
inline constexpr std::uint64_t GET_ENTITY_COORDS = 0x3FEF770D40960D5A;
inline constexpr std::uint64_t DOES_ENTITY_EXIST = 0x7239B21A38F536BA;
inline constexpr std::uint64_t GET_ENTITY_MODEL = 0x9F47B058362C84B5;
inline constexpr std::uint64_t CREATE_OBJECT = 0x509D5878EB39E842;
inline constexpr std::uint64_t DELETE_ENTITY = 0xAE3CBE5BF394C9C9;
inline constexpr std::uint64_t GET_HASH_KEY = 0xD24D37CC275948CC;
inline constexpr std::uint64_t REQUEST_MODEL = 0x963D27A58DF860AC;
inline constexpr std::uint64_t HAS_MODEL_LOADED = 0x98A4EB5D89A0C952;
inline constexpr std::uint64_t BEGIN_TEXT_COMMAND_PRINT = 0xB87A37EEB7FAA67D;
inline constexpr std::uint64_t ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME = 0x6C188BE134E074AA;
inline constexpr std::uint64_t END_TEXT_COMMAND_PRINT = 0x9D77056A530643F6;
} // namespace NativeHash
