#pragma once

// Windows speaks UTF-16; the tools keep UTF-8 throughout and convert at the
// system's door, so that every name reads as it does on Linux.

#include <string>
#include <string_view>
#include <windows.h>

std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);
// A system error in the words the Linux build uses where there are such words
// ("No such file or directory"), else the system's own message.
std::string systemCause(DWORD error);
