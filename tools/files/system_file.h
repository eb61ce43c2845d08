#pragma once

// The calls on files that POSIX and Windows make differently, and no more:
// user_file.cpp reads and writes a user's files over them, once for both.
// A call that fails leaves its cause for lastSystemCause.

#include "tools/files/files.h"

#include <cstddef>
#include <cstdint>
#include <string>

// A descriptor or a HANDLE; both systems give -1 for none.
using SystemFile = std::intptr_t;
inline constexpr SystemFile noFile = -1;

// Why the last call failed, in the words the Linux build uses.
std::string lastSystemCause();

// Opens what is at `path` for reading, a folder or a FIFO too, without waiting.
SystemFile openToRead(const std::string& path);
// A new file for writing; fails where anything is, a link included.
SystemFile createNew(const std::string& path);
// What an open file is and its size; false when the system cannot tell.
bool describeFile(SystemFile file, PathKind& kind, std::uintmax_t& size);
// The bytes read or written: 0 at the end of the file, or when nothing was
// written; -1 on failure.
long long readSome(SystemFile file, char* buffer, std::size_t size);
long long writeSome(SystemFile file, const char* bytes, std::size_t size);
bool flushToDisk(SystemFile file);
bool closeFile(SystemFile file);

// Renames `from` over `to` in one step, whatever `to` was.
bool renameOver(const std::string& from, const std::string& to);
// Removes the entry at `path` itself: a link, never its target.
bool removeEntry(const std::string& path);
// Whether another program holds the file open so that it can be neither
// removed nor replaced (Windows lets a program hold a file so; POSIX does not).
bool openElsewhere(const std::string& path);
// Opens the file at `path`, made if missing, and locks it for the rest of the
// process's life. False when it cannot; `busy` when another process holds it.
bool lockForLife(const std::string& path, bool& busy);
// Makes a temporary file's name this process's own.
unsigned long processNumber();
