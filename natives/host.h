#pragma once

// The seven functions of the host runtime. On Windows they are imported from
// ScriptHookV.dll under the host's decorated names (see ScriptHookV.def); on
// Linux the stand-in host in sim/ defines them.

#include <cstdint>

struct HINSTANCE__;
using ModuleHandle = HINSTANCE__*;
using ScriptEntry = void (*)();

#if defined(_WIN32) && !defined(STANDIN_HOST)
#define HOST_IMPORT __declspec(dllimport)
#else
#define HOST_IMPORT
#endif

extern "C" {
HOST_IMPORT void scriptRegister(ModuleHandle module, ScriptEntry entry);
HOST_IMPORT void scriptUnregister(ModuleHandle module);
HOST_IMPORT void scriptWait(std::uint32_t milliseconds);
HOST_IMPORT int worldGetAllObjects(int* handles, int capacity);
HOST_IMPORT void nativeInit(std::uint64_t hash);
HOST_IMPORT void nativePush64(std::uint64_t value);
HOST_IMPORT std::uint64_t* nativeCall();
}
