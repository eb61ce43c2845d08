#include "config/config.h"

namespace {

// The plug-in's reading of a line: settings and entries go into the tables,
// each name hashed by the game.
void applyLine(const ConfigLine& line, void*) {
    switch (line.kind) {
    case LineKind::Setting:
        applySetting(line, settings);
        break;
    case LineKind::Entry: {
        const ModelHash model = NativeBridge::getHashKey(line.name);
        blockPropModels.insert(model);
        blockPropParams[model] = line.params;
        break;
    }
    case LineKind::Header:
    case LineKind::WithoutEffect:
    case LineKind::Blank:
    case LineKind::Comment:
        break;
    }
}

} // namespace

void writeDefaultConfig() {
    writeConfigBytes(configPath, defaultConfigText());
}

ConfigReading loadConfig() {
    ConfigReading reading;
    if (!configFileExists(configPath)) {
        writeDefaultConfig();
        reading.defaultWritten = true;
    }
    auto bytes = readConfigBytes(configPath);
    if (!bytes) {
        return reading;
    }
    blockPropModels.clear();
    blockPropParams.clear();
    parseConfig(*bytes, {applyLine, nullptr});
    if (settings.debug) {
        reading.bytes = std::move(*bytes);
    }
    return reading;
}
