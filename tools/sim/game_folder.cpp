#include "tools/sim/game_folder.h"

#include "config/config_format.h"
#include "tools/files/shown_path.h"
#include "tools/files/user_file.h"

#include <stdexcept>

namespace {

// debug=true where the plug-in reads it: before a Ctrl-Z, which ends the file
// for the game, and in a [Settings] section of its own (a later line wins).
std::string withDebugOn(std::string text) {
    const auto stop = text.find(ConfigFormat::endOfText);
    const std::string lines = "\r\n[" + std::string(ConfigFormat::sectionSettings) + "]\r\n" +
                              std::string(declarationOf(SettingKey::Debug).text) + "=" +
                              std::string(ConfigFormat::trueSpellings[0]) + "\r\n";
    text.insert(stop == std::string::npos ? text.size() : stop, lines);
    return text;
}

} // namespace

// The player's file, or none so that the plug-in writes its default. The copy
// is read back: a full disk must not leave the plug-in half a file.
void prepareGameFolder(const DryRunOptions& options) {
    const std::string path(ConfigFormat::fileName);
    // A log left by an earlier run is not this run's.
    for (const std::string& own : {path, std::string(ConfigFormat::logFileName)}) {
        if (std::string cause; !removeOwnFile(own, cause)) {
            throw std::runtime_error("cannot remove " + shownPath(options.gameFolder + "/" + own) +
                                     ": " + cause);
        }
    }
    if (!options.configText && !options.askForStatusLine) {
        return;
    }
    const std::string text = options.askForStatusLine
                                 ? withDebugOn(options.configText.value_or(defaultConfigText()))
                                 : *options.configText;
    std::string cause;
    if (!replaceFile(path, text, cause) || readUserFile(path, cause) != text) {
        throw std::runtime_error("cannot write " + shownPath(options.gameFolder + "/" + path) +
                                 ": " +
                                 (cause.empty() ? "it does not read back as written" : cause));
    }
}
