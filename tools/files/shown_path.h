#pragma once

// A path as a message shows it: exactly the name given, with every byte that a
// terminal would act on or that is not text (control bytes, ESC, broken UTF-8)
// escaped as config/quoted_text.h escapes the INI's contents; marks that turn
// the text's direction as \u202E. Names in UTF-8
// (Jürgen, Дерево.ini) stay as they are, on every build.

#include <string>
#include <string_view>

std::string shownPath(std::string_view path);
