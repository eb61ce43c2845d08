#include "config/load_config.h"

#include "config/config_reader.h"
#include "config/default_config.h"
#include "config/settings.h"
#include "natives/native_bridge.h"
#include "plugin/file_system.h"

void loadConfig() {
    if (!configFileExists(configPath)) {
        writeDefaultConfig();
    }
    readConfigFile(configPath, NativeBridge::getHashKey, nullptr);
}
