#include "config/load_config.h"

#include "config/config_file.h"
#include "config/config_parser.h"
#include "config/config_tables.h"
#include "config/default_config.h"
#include "natives/native_bridge.h"

namespace {

// The plug-in's reading of a line: settings and entries go into the tables,
// each name hashed by the game.
void applyLine(const ConfigLine& line, void*) {
    if (line.kind == LineKind::Setting) {
        if (line.setting == SettingKey::ScanRadius) {
            settings.scanRadius = line.scanRadius;
        } else {
            settings.debug = line.debug;
        }
    } else if (line.kind == LineKind::Entry) {
        const ModelHash model = NativeBridge::getHashKey(line.name);
        blockPropModels.insert(model);
        blockPropParams[model] = line.params;
    }
}

} // namespace

void writeDefaultConfig() {
    writeConfigBytes(configPath, defaultConfigText());
}

void loadConfig() {
    if (!configFileExists(configPath)) {
        writeDefaultConfig();
    }
    const auto bytes = readConfigBytes(configPath);
    if (!bytes) {
        return;
    }
    blockPropModels.clear();
    blockPropParams.clear();
    parseConfig(*bytes, {applyLine, nullptr});
}
