#pragma once

// The game as the plug-in sees it: the handles, hashes and positions natives
// pass, and one typed operation per native. Every call into the game goes
// through here: init with the hash, push each argument widened to 64 bits,
// call, and copy what the caller needs out of the result before the next native.

#include <cstdint>

// 32-bit script handle of a game entity; 0 means no entity.
using EntityHandle = std::uint32_t;
// Model hash as GET_HASH_KEY and GET_ENTITY_MODEL return it.
using ModelHash = std::uint32_t;

// The position record natives return: each float sits in its own 8-byte slot.
struct Vector3 {
    alignas(8) float x;
    alignas(8) float y;
    alignas(8) float z;
};
static_assert(sizeof(Vector3) == 24);

namespace NativeBridge {
EntityHandle playerPedId();
Vector3 getEntityCoords(EntityHandle entity);
bool doesEntityExist(EntityHandle entity);
ModelHash getEntityModel(EntityHandle entity);
EntityHandle createObject(ModelHash model, float x, float y, float z);
// The native takes the handle by reference and may write to it.
void deleteEntity(EntityHandle* entity);
ModelHash getHashKey(const char* name);
void requestModel(ModelHash model);
bool hasModelLoaded(ModelHash model);
void beginTextCommandPrint(const char* label);
void addTextComponentSubstringPlayerName(const char* text);
void endTextCommandPrint(int milliseconds, bool drawNow);
} // namespace NativeBridge
