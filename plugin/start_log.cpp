#include "plugin/start_log.h"

#include "config/config_file.h"
#include "config/config_format.h"
#include "config/config_tables.h"
#include "shields/shield_model_number.h"
#include "shields/shield_models.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const std::string logPath = ".\\" + std::string(logFileName);

struct ListWords {
    const char* one;
    const char* many;
    const char* more; // after "and N", for the lines past those kept
};

// "  N lines ...:", the lines kept, and how many more the checker tells.
std::string listed(const std::vector<std::string>& lines, int more, const ListWords& words) {
    const std::size_t count = lines.size() + static_cast<std::size_t>(more);
    std::string log = "  " + std::to_string(count) + (count == 1 ? words.one : words.many) + "\r\n";
    for (const std::string& line : lines) {
        log += "    " + line + "\r\n";
    }
    if (more > 0) {
        log += "    and " + std::to_string(more) + words.more + "\r\n";
    }
    return log;
}

std::string configurationPart(const ConfigReading& reading) {
    std::string log = "BrambleCap " BRAMBLECAP_VERSION ": what the plug-in saw as the script "
                      "started\r\n(written because debug is on in BrambleCap.ini)\r\n\r\n";
    log += "Configuration: " + configPath +
           (reading.defaultWritten ? " was missing; the default file was written and read"
                                   : " was read") +
           "\r\n";
    // "  scan radius 100 m; the status line is on"
    for (const SettingDeclaration& setting : settingTable) {
        log += &setting == &settingTable.front() ? "  " : "; ";
        switch (setting.key) {
        case SettingKey::ScanRadius: {
            char radius[64];
            std::snprintf(radius, sizeof radius, " %g m", static_cast<double>(settings.scanRadius));
            log += std::string(setting.what) + radius;
            break;
        }
        case SettingKey::Debug: // on, or there would be no log
            log += "the status line is on";
            break;
        }
    }
    log += "\r\n";
    log += "  " + std::to_string(blockPropModels.size()) +
           (blockPropModels.size() == 1 ? " model listed\r\n" : " models listed\r\n");
    const std::size_t without =
        reading.withoutEffect.size() + static_cast<std::size_t>(reading.moreWithoutEffect);
    if (without == 0) {
        log += "  every line takes effect\r\n";
        return log;
    }
    return log + listed(reading.withoutEffect, reading.moreWithoutEffect,
                        {" line had no effect:", " lines had no effect:",
                         " more; bramblecap-check.exe explains every line"});
}

std::string modelNamesPart(const ConfigReading& reading) {
    if (reading.modelNameHints.empty()) {
        return {};
    }
    return listed(reading.modelNameHints, reading.moreModelNameHints,
                  {" model name to check:", " model names to check:",
                   " more; bramblecap-check.exe names them all"});
}

std::string shieldModelsPart() {
    int loaded = 0;
    std::string missing;
    for (int k = 1; k <= shieldModelCount; ++k) {
        if (shieldModelLoaded[k - 1]) {
            ++loaded;
        } else {
            missing += "  " + shieldModelName(k) + "\r\n";
        }
    }
    const std::string frames = std::to_string(shieldModelFramesWaited) +
                               (shieldModelFramesWaited == 1 ? " frame" : " frames");
    if (missing.empty()) {
        return "Shield models: all " + std::to_string(shieldModelCount) + " loaded, after " +
               frames + "\r\n";
    }
    return "Shield models: " + std::to_string(loaded) + " of " + std::to_string(shieldModelCount) +
           " loaded; the wait ended after " + frames + " without:\r\n" + missing +
           "  Trees that select them get no shield; are the model assets installed?\r\n";
}

} // namespace

// With debug off nothing is put together, let alone written.
void logConfiguration(const ConfigReading& reading) {
    if (settings.debug) {
        writeConfigBytes(logPath, configurationPart(reading) + modelNamesPart(reading) +
                                      "Shield models: loading; the plug-in waits up to " +
                                      std::to_string(shieldModelWaitFrames) +
                                      " frames for them\r\n");
    }
}

void logShieldModels(const ConfigReading& reading) {
    if (settings.debug) {
        writeConfigBytes(logPath,
                         configurationPart(reading) + modelNamesPart(reading) + shieldModelsPart());
    }
}
