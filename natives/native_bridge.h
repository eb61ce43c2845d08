#pragma once

// One typed operation per game native. Every call into the game goes through
// here: init with the hash, push each argument widened to 64 bits, call, and
// copy what the caller needs out of the result before the next native.

#include "natives/types.h"

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
