#pragma once

#include "config/settings.h"

#include <istream>
#include <string>
#include <string_view>

// What one line of the configuration file does, as the reader decides it.
enum class LineEffect {
    Blank,
    Comment,
    Header,
    OutsideUsedSection, // content before the first header or in a section nobody reads
    NoEquals,
    Setting,
    UnknownSetting,
    Entry,
    EntryWithoutComma,
};

struct ConfigLine {
    int number = 0;
    std::string_view text;    // the line with every CR removed
    std::string_view section; // the section the line falls in; a header's is the one it opens
    LineEffect effect = LineEffect::Blank;
    std::string_view key;
    std::string_view value;
    ModelHash hash = 0;        // entries only
    PropShieldParams params{}; // entries only
};

// Someone who wants to know what each line did: the checker listens, the
// plug-in does not, so the reader only tests a pointer per line.
struct ConfigObserver {
    void (*onLine)(const ConfigLine& line, void* context);
    void* context;
};

using HashName = ModelHash (*)(const char* name);

// Whether a debug value turns the status line on: "true", "TRUE", "True" or "1".
bool debugValueIsTrue(std::string_view value);

// Empties the model tables and reads the stream into them and into the
// Settings record, line by line until a read fails.
void readConfig(std::istream& in, HashName hashName, const ConfigObserver* observer);

// Opens the file as the game's runtime would and reads it; false when it does
// not open, and then nothing changes.
bool readConfigFile(const std::string& path, HashName hashName, const ConfigObserver* observer);
