#include "config/load_config.h"

#include "config/config_file.h"
#include "config/config_parser.h"
#include "config/config_tables.h"
#include "config/default_config.h"
#include "config/line_reasons.h"
#include "config/model_name_hints.h"
#include "config/quoted_text.h"
#include "natives/native_bridge.h"

namespace {

struct Reader {
    ConfigReading* reading;
    LinePlace place;
    ListedModelNames names; // compares by the local hash: no native call
};

void noteWithoutEffect(const ConfigLine& line, Reader& reader) {
    ConfigReading& reading = *reader.reading;
    if (reading.withoutEffect.size() == loggedLinesWithoutEffect) {
        ++reading.moreWithoutEffect;
        return;
    }
    reading.withoutEffect.push_back("line " + std::to_string(line.number) + " " +
                                    quotedText(line.text) + ": " +
                                    noEffectReason(line, reader.place));
}

void noteModelName(const ConfigLine& line, Reader& reader) {
    // The name as the game reads it, up to a NUL.
    const auto hint = modelNameHint(reader.names, line.number, line.name);
    if (!hint) {
        return;
    }
    ConfigReading& reading = *reader.reading;
    if (reading.modelNameHints.size() == loggedModelNameHints) {
        ++reading.moreModelNameHints;
        return;
    }
    reading.modelNameHints.push_back("line " + std::to_string(line.number) + ": " + *hint);
}

// The plug-in's reading of a line: settings and entries go into the tables,
// each name hashed by the game.
void applyLine(const ConfigLine& line, void* context) {
    auto& reader = *static_cast<Reader*>(context);
    switch (line.kind) {
    case LineKind::Setting:
        applySetting(line, settings);
        break;
    case LineKind::Entry: {
        const ModelHash model = NativeBridge::getHashKey(line.name);
        blockPropModels.insert(model);
        blockPropParams[model] = line.params;
        if (reader.reading != nullptr) {
            noteModelName(line, reader);
        }
        break;
    }
    case LineKind::Header:
        reader.place.headerSeen = true;
        break;
    case LineKind::WithoutEffect:
        if (reader.reading != nullptr) {
            noteWithoutEffect(line, reader);
        }
        break;
    case LineKind::Blank:
    case LineKind::Comment:
        break;
    }
}

} // namespace

void writeDefaultConfig() {
    writeConfigBytes(configPath, defaultConfigText());
}

void loadConfig(ConfigReading* reading) {
    if (reading != nullptr) {
        *reading = {};
    }
    if (!configFileExists(configPath)) {
        writeDefaultConfig();
        if (reading != nullptr) {
            reading->defaultWritten = true;
        }
    }
    const auto bytes = readConfigBytes(configPath);
    if (!bytes) {
        return;
    }
    blockPropModels.clear();
    blockPropParams.clear();
    Reader reader{reading, {false, startsWithByteOrderMark(*bytes)}, {}};
    parseConfig(*bytes, {applyLine, &reader});
}
