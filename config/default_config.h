#pragma once

#include <string>

// The file the plug-in writes when BrambleCap.ini is missing: 75 lines, each
// ended by CR LF.
std::string defaultConfigText();
