#pragma once

// The seven functions of the host runtime, ScriptHookV.dll. The host exports
// them under the decorated names a Microsoft compiler gives these C++
// declarations, so the types are spelt as that ABI has them and no standard
// header is needed: `unsigned long` (32 bits on Windows) decorates as K,
// `unsigned long long` as _K. A fixed-width alias would name another type
// there (std::uint32_t is `unsigned int`, I) and so another function.
//
// - Microsoft's compiler: C++ declarations; the compiler writes the decorated
//   names, and cmake/msvc.cmake makes the import library from the decorated
//   names in natives/ScriptHookV.def.
// - MinGW: plain names, which natives/ScriptHookV.def maps to the decorated
//   ones in the import library.
// - The stand-in host in standin/ (Linux, or built as ScriptHookV.dll) defines the
//   plain names itself.

struct HINSTANCE__;
using ModuleHandle = HINSTANCE__*;
using ScriptEntry = void (*)();

#if defined(_WIN32)
using HostMilliseconds = unsigned long;
#else
using HostMilliseconds = unsigned int; // the same 32 bits on a 64-bit Linux
#endif
using HostWord = unsigned long long;

#if defined(_MSC_VER)
#define HOST_FUNCTION __declspec(dllimport)
#elif defined(_WIN32) && !defined(STANDIN_HOST)
#define HOST_FUNCTION extern "C" __declspec(dllimport)
#else
#define HOST_FUNCTION extern "C"
#endif

HOST_FUNCTION void scriptRegister(ModuleHandle module, ScriptEntry entry);
HOST_FUNCTION void scriptUnregister(ModuleHandle module);
HOST_FUNCTION void scriptWait(HostMilliseconds milliseconds);
HOST_FUNCTION int worldGetAllObjects(int* handles, int capacity);
HOST_FUNCTION void nativeInit(HostWord hash);
HOST_FUNCTION void nativePush64(HostWord value);
HOST_FUNCTION HostWord* nativeCall();
