#pragma once

#include <span>
#include <string>
#include <string_view>

// The file the plug-in writes when BrambleCap.ini is missing: 75 lines, each
// ended by CR LF.
std::string defaultConfigText();

// The 70 model names of that file, in its order.
std::span<const std::string_view> defaultModelNames();
