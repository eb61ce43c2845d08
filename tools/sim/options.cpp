#include "tools/sim/program.h"

#include "config/text.h"
#include "shields/shields.h"
#include "tools/files/files.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <set>
#include <string_view>

namespace {

enum class ValueKind { None, Text, Whole, Decimal };

struct Value {
    std::string text;
    std::uint64_t whole = 0;
    double decimal = 0;
};

struct Option {
    std::string_view name;
    std::string_view placeholder; // how the usage names the value
    ValueKind kind;
    std::uint64_t low, high; // the numbers allowed, for Whole and Decimal
    std::string_view help;   // rangeMark stands for the numbers allowed; "\n" breaks a line
    void (*apply)(DryRunCommand&, const Value&);
};

constexpr std::uint64_t noRange = 0;
constexpr std::string_view rangeMark = "RANGE";

// Every option, in the order the usage lists them.
const Option options[] = {
    {"--config", "FILE", ValueKind::Text, noRange, noRange,
     "BrambleCap.ini to try (default: the plug-in writes its default file)",
     [](DryRunCommand& c, const Value& v) { c.configPath = v.text; }},
    {"--world", "FILE", ValueKind::Text, noRange, noRange,
     "world as CSV: header \"model,x,y,z\", one object a line, the model a\n"
     "name or a hash such as 0x1A2B3C4D (default: generated country)",
     [](DryRunCommand& c, const Value& v) { c.worldPath = v.text; }},
    {"--route", "FILE", ValueKind::Text, noRange, noRange,
     "the player's route as CSV: header \"x,y\", one waypoint a line\n"
     "(default: across the generated country and back)",
     [](DryRunCommand& c, const Value& v) { c.routePath = v.text; }},
    {"--frames", "N", ValueKind::Whole, 1, maxDryRunFrames,
     "frames to run, RANGE (default: as many as the route takes)",
     [](DryRunCommand& c, const Value& v) { c.run.frames = static_cast<int>(v.whole); }},
    {"--speed", "M", ValueKind::Decimal, 0, 1000,
     "metres the player moves a frame, RANGE (default 1);\n"
     "0 stands still and needs --frames",
     [](DryRunCommand& c, const Value& v) { c.run.speed = static_cast<float>(v.decimal); }},
    {"--seed", "N", ValueKind::Whole, 0, std::numeric_limits<std::uint64_t>::max(),
     "seed of the generated world, a whole number (default 1)",
     [](DryRunCommand& c, const Value& v) { c.run.seed = v.whole; }},
    {"--debug", "", ValueKind::None, noRange, noRange,
     "ask for the plug-in's status line and its log (debug=true)",
     [](DryRunCommand& c, const Value&) { c.run.askForStatusLine = true; }},
    {"--missing-model", "K", ValueKind::Whole, 1, shieldModelCount,
     "shield model K (RANGE) never loads, as if its asset were missing",
     [](DryRunCommand& c, const Value& v) {
         c.run.missingModels.push_back(static_cast<int>(v.whole));
     }},
    {"--out", "DIR", ValueKind::Text, noRange, noRange,
     "where the map, the plot and the game folder go: a new\n"
     "or empty folder, or one the dry run made (default: build/demo)",
     [](DryRunCommand& c, const Value& v) { c.out = v.text; }},
    {"--asi", "FILE", ValueKind::Text, noRange, noRange,
     "the plug-in to load (Windows build; default: BrambleCap.asi beside\n"
     "this program)",
     [](DryRunCommand& c, const Value& v) { c.asi = v.text; }},
};

const char* const seeHelp = " (bramblecap-sim --help lists the options)";

// The range as the usage and the errors give it.
std::string rangeText(const Option& option) {
    return std::to_string(option.low) + " to " + std::to_string(option.high);
}

// A path that is empty or looks like an option is a slip: a value forgotten,
// or the next option taken for it.
void checkPath(const Option& option, const std::string& text) {
    const std::string what = option.placeholder == "DIR" ? "a folder" : "a file";
    if (text.empty()) {
        throw Mistake{std::string(option.name) + " takes " + what + ", not an empty path"};
    }
    if (text.size() > 1 && text.front() == '-') {
        throw Mistake{std::string(option.name) + " takes " + what + ", not the option " +
                      quotedText(text) + "; for " + what + " of that name, write ./" +
                      shownPath(text)};
    }
}

// The whole text as a number within the option's range; throws Mistake.
template <typename Number>
Number readNumber(const Option& option, const std::string& text, const char* what) {
    Number number{};
    const char* const last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, number);
    if (error != std::errc{} || end != last ||
        !(number >= static_cast<Number>(option.low) &&
          number <= static_cast<Number>(option.high))) {
        throw Mistake{std::string(option.name) + " takes " + what + " from " + rangeText(option) +
                      ", not " + quotedText(text)};
    }
    return number;
}

Value readValue(const Option& option, const std::string& text) {
    Value value{text};
    if (option.kind == ValueKind::Text) {
        checkPath(option, text);
    } else if (option.kind == ValueKind::Whole) {
        value.whole = readNumber<std::uint64_t>(option, text, "a whole number");
    } else if (option.kind == ValueKind::Decimal) {
        value.decimal = readNumber<double>(option, text, "a number");
    }
    return value;
}

} // namespace

DryRunCommand parseCommandLine(const std::vector<std::string>& arguments) {
    DryRunCommand command;
    // A second value for an option would win over the first in silence; only
    // --missing-model names one more model each time.
    std::set<std::string> given;
    const std::size_t count = arguments.size();
    for (std::size_t i = 1; i < count; ++i) {
        const std::string& name = arguments[i];
        if (name == "-h" || name == "--help") {
            command.help = true;
            return command;
        }
        const Option* const option = std::ranges::find(options, name, &Option::name);
        if (option == std::end(options)) {
            throw Mistake{"unknown option " + quotedText(name) + seeHelp};
        }
        if (option->kind != ValueKind::None && i + 1 >= count) {
            throw Mistake{name + " needs a value" + seeHelp};
        }
        const Value value =
            option->kind == ValueKind::None ? Value{} : readValue(*option, arguments[++i]);
        const std::string once =
            name == "--missing-model" ? name + " " + std::to_string(value.whole) : name;
        if (!given.insert(once).second) {
            throw Mistake{once + " is given twice; give it once"};
        }
        option->apply(command, value);
    }
    if (given.contains("--seed") && given.contains("--world")) {
        throw Mistake{"--seed shapes only the generated world, and --world gives a world of its "
                      "own; leave one out"};
    }
    return command;
}

std::string usageText() {
    constexpr std::size_t helpColumn = 22;
    std::string usage = "usage: bramblecap-sim [options]\n";
    for (const Option& option : options) {
        std::string line = "  " + std::string(option.name);
        if (!option.placeholder.empty()) {
            line += " " + std::string(option.placeholder);
        }
        line += std::string(line.size() < helpColumn ? helpColumn - line.size() : 1, ' ');
        for (const char c : option.help) {
            line += c == '\n' ? "\n" + std::string(helpColumn, ' ') : std::string(1, c);
        }
        if (const auto at = line.find(rangeMark); at != std::string::npos) {
            line.replace(at, rangeMark.size(), rangeText(option));
        }
        usage += line + "\n";
    }
    return usage;
}
