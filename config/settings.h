#pragma once

struct Settings {
    float scanRadius;
    bool debug;
};

// What the Settings record holds before the file is read, and keeps for every
// key the file lacks.
inline constexpr Settings initialSettings{100.0f, false};

// What a setting line of the file changes in the record: the plug-in's, and
// the checker's summary of it.
struct ConfigLine;
void applySetting(const ConfigLine& line, Settings& settings);

// Which shield model to spawn over a listed model, and how far above it.
struct PropShieldParams {
    float shieldModelIndex;
    float heightOffset;
};
