#include "config/settings.h"

#include "config/config_parser.h"

void applySetting(const ConfigLine& line, Settings& settings) {
    switch (line.setting) {
    case SettingKey::ScanRadius:
        settings.scanRadius = line.settingNumber;
        break;
    case SettingKey::Debug:
        settings.debug = line.settingOn;
        break;
    }
}
