#pragma once

// Files that look right in an editor but are another thing to the plug-in,
// which reads bytes as they are: saved as UTF-16, or with CR-only line ends.

#include <optional>
#include <string>
#include <string_view>

// What such a file is and how to save it right, in words a player can act on;
// nothing for a file of plain text lines.
std::optional<std::string> misreadTextForm(std::string_view bytes);
