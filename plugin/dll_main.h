#pragma once

// The DLL entry's types, without the Windows headers where they are not wanted.
#ifdef _WIN32
#include <windows.h>
#else
#include "natives/host.h"

#include <cstdint>
using BOOL = int;
using DWORD = std::uint32_t;
using HINSTANCE = ModuleHandle;
using LPVOID = void*;
#define WINAPI
#define TRUE 1
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#endif

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);
