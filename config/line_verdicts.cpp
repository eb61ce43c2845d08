#include "config/explain.h"

#include "config/text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <unordered_map>

namespace {

// What a line sets, to tell whether a later line changes it.
struct Sets {
    enum class What { Nothing, Setting, Entry } what = What::Nothing;
    std::uint64_t key = 0; // the model's hash, or a setting past every hash
    float first = 0, second = 0;
};

struct Judging {
    FileVerdict verdict;
    LinePlace place;
    ListedModelNames names; // by the local hash: no native call
    std::vector<Sets> sets; // one for each line
};

// '"nan" is not a number', '"inf" is infinite', '"1e39" is too large, so it
// reads as infinite'.
std::string notFinite(std::string_view text, float value) {
    const std::string_view number = trimmedText(text.substr(0, readNumberText(text).length));
    if (std::isnan(value)) {
        return quotedText(number) + " is not a number";
    }
    return quotedText(number) + (number.find_first_of("iI") != std::string_view::npos
                                     ? " is infinite"
                                     : " is too large, so it reads as infinite");
}

// A number field that holds no number, or text after its number.
void numberTextWarnings(std::string_view text, const std::string& field, std::string_view fix,
                        std::vector<Warning>& warnings) {
    const NumberText read = readNumberText(text);
    if (read.length == 0) {
        warnings.push_back({field + " " + quotedText(text) + " holds no number: it reads as 0",
                            std::string(fix),
                            {}});
        return;
    }
    if (const std::string_view rest = trimmedText(text.substr(read.length)); !rest.empty()) {
        warnings.push_back({quotedText(rest) + " after " + field + " is ignored",
                            "delete " + quotedText(rest),
                            {}});
    }
}

// Whole numbers joined by commas where points were meant ("80,5",
// "8,0,20,0"), as a Windows set to a language with a decimal comma writes
// them: the groups, or none. Only a group that starts a number takes a sign.
std::vector<std::string> commaGroups(std::string_view value, std::size_t count) {
    std::vector<std::string> groups;
    value = trimmedText(value);
    for (std::size_t i = 0; i < count; ++i) {
        const auto comma = value.find(',');
        std::string_view group = value.substr(0, comma);
        if ((i == 0 || (count == 4 && i == 2)) &&
            (group.starts_with('-') || group.starts_with('+'))) {
            group.remove_prefix(1);
        }
        if (group.empty() ||
            !std::ranges::all_of(group, [](char c) { return c >= '0' && c <= '9'; }) ||
            (comma == std::string_view::npos) != (i + 1 == count)) {
            return {};
        }
        groups.emplace_back(value.substr(0, comma));
        value.remove_prefix(comma == std::string_view::npos ? value.size() : comma + 1);
    }
    return groups;
}

// The groups joined again, with a point before each group of `points`.
std::string withPoints(const std::vector<std::string>& groups,
                       std::initializer_list<std::size_t> points) {
    std::string text = groups.front();
    for (std::size_t i = 1; i < groups.size(); ++i) {
        text += (std::ranges::find(points, i) != points.end() ? "." : ",") + groups[i];
    }
    return quotedText(text);
}

const std::string decimalMark = "use a point as the decimal mark (";

void judgeRadius(const ConfigLine& line, std::vector<Warning>& warnings) {
    const float radius = line.settingNumber;
    if (const auto groups = commaGroups(line.value, 2); !groups.empty()) {
        warnings.push_back(
            {quotedText(trimmedText(line.value)) + " reads as " + shownNumber(radius),
             decimalMark + withPoints(groups, {1}) + ")",
             {}});
    } else {
        numberTextWarnings(line.value, "the radius", "write the radius in metres, such as 100",
                           warnings);
    }
    const std::string fix = "give the radius in metres, more than 0, such as 100";
    if (!std::isfinite(radius)) {
        warnings.push_back(
            {"the radius " + notFinite(line.value, radius) +
                 ": every listed object in the world is then a candidate" +
                 (std::isnan(radius) ? ", and no shield is retired for distance" : ""),
             fix,
             {}});
        return;
    }
    if (radius == 0) {
        warnings.push_back(
            {"a radius of 0: only objects at exactly the player's position are candidates",
             fix,
             {}});
        return;
    }
    if (radius > 0) {
        return;
    }
    // Both rules square their reach: the scan takes -radius, retirement keeps
    // shields within |radius + margin|.
    const std::string margin = "radius + " + shownNumber(retirementMargin);
    const float retiredBeyond = std::fabs(radius + retirementMargin);
    const std::string scan = "a negative radius: the scan reaches " + shownNumber(-radius) + " m, ";
    const std::string again = " are deleted as soon as they are placed (and placed again in the "
                              "next frame)";
    std::string problem;
    if (retiredBeyond == 0) {
        problem = scan + "but shields are retired beyond " + margin + " = 0 m, so all" + again;
    } else if (retiredBeyond < -radius) {
        problem = scan + "but retirement keeps shields only within " + shownNumber(retiredBeyond) +
                  " m (" + margin + " = " + shownNumber(radius + retirementMargin) +
                  "), so those between " + shownNumber(retiredBeyond) + " and " +
                  shownNumber(-radius) + " m away" + again;
    } else {
        problem = scan + "and shields are retired beyond " + margin + " = " +
                  shownNumber(retiredBeyond) + " m";
    }
    warnings.push_back({problem, fix, {}});
}

void judgeSetting(const ConfigLine& line, LineVerdict& out) {
    const SettingDeclaration& setting = declarationOf(line.setting);
    switch (line.setting) {
    case SettingKey::ScanRadius:
        out.does = "sets the " + std::string(setting.what) + " to " +
                   shownNumber(line.settingNumber) + " m";
        out.details =
            "read as " + shownNumber(line.settingNumber) + " from " + quotedText(line.value);
        judgeRadius(line, out.warnings);
        break;
    case SettingKey::Debug:
        out.does = (line.settingOn ? "turns on " : "turns off ") + std::string(setting.what);
        if (!line.settingOn && !ConfigFormat::isOneOf(line.value, ConfigFormat::falseSpellings)) {
            std::string listed; // "true, TRUE, True, 1"
            for (const std::string_view spelling : ConfigFormat::trueSpellings) {
                listed.append(listed.empty() ? "" : ", ").append(spelling);
            }
            out.warnings.push_back({quotedText(line.value) + " reads as false: only " + listed +
                                        " turn on " + std::string(setting.what),
                                    "write true to turn it on, or false to leave it off",
                                    {}});
        }
        break;
    }
}

void judgeNumbers(const ConfigLine& line, std::vector<Warning>& warnings) {
    const PropShieldParams& params = line.params;
    const auto four = commaGroups(line.value, 4), three = commaGroups(line.value, 3);
    if (!four.empty() || !three.empty()) {
        warnings.push_back(
            {quotedText(trimmedText(line.value)) + " reads as shield model number " +
                 shownNumber(params.shieldModelIndex) + " and height " +
                 shownNumber(params.heightOffset),
             decimalMark +
                 (four.empty() ? withPoints(three, {1}) + " or " + withPoints(three, {2})
                               : withPoints(four, {1, 3})) +
                 ")",
             {}});
    } else {
        const auto comma = line.value.find(',');
        numberTextWarnings(
            line.value.substr(0, comma), "the shield model number",
            "write a shield model number from 1 to " + std::to_string(shieldModelCount), warnings);
        numberTextWarnings(line.value.substr(comma + 1), "the height",
                           "write the height in metres, such as 20.0", warnings);
    }
    const float whole = std::trunc(params.shieldModelIndex);
    if (!(whole >= 1 && whole <= static_cast<float>(shieldModelCount))) {
        const std::string model = std::to_string(shieldModelNumber(params.shieldModelIndex));
        warnings.push_back(
            {(std::isfinite(params.shieldModelIndex)
                  ? "there is no shield model " + shownNumber(params.shieldModelIndex)
                  : "the shield model number " +
                        notFinite(line.value.substr(0, line.value.find(',')),
                                  params.shieldModelIndex)) +
                 ": shield model " + model + " will be used",
             "pick a shield model from 1 to " + std::to_string(shieldModelCount),
             {}});
    }
    if (!std::isfinite(params.heightOffset)) {
        warnings.push_back(
            {"the height " +
                 notFinite(line.value.substr(line.value.find(',') + 1), params.heightOffset) +
                 ": the shields get no real height",
             "give the height in metres, such as 20.0",
             {}});
    }
}

// A model given by the game's number for it, "0xA0542754": the number's value.
std::optional<std::uint32_t> writtenHash(std::string_view name) {
    if (name.size() < 3 || name.size() > 10 || name[0] != '0' ||
        (name[1] != 'x' && name[1] != 'X')) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const char* const end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(name.data() + 2, end, value, 16);
    return error == std::errc{} && stop == end ? std::optional(value) : std::nullopt;
}

// The game's model files; its model names are these files' names without them.
constexpr std::array<std::string_view, 7> modelFileExtensions = {".ydr", ".yft",  ".ydd", ".ytd",
                                                                 ".ybn", ".ytyp", ".ymap"};

std::optional<Warning> nameWarning(std::string_view key) {
    const std::string_view name = trimmedText(key);
    if (key.empty()) {
        return Warning{
            "the model name is empty", "write the tree model's name before the \"=\"", {}};
    }
    if (key != name && !name.empty() && (name.front() == '#' || name.front() == ';')) {
        return Warning{"a \"" + std::string(1, name.front()) +
                           "\" after a space makes no comment, so this lists a tree model by that "
                           "name",
                       "put the \"" + std::string(1, name.front()) + "\" first on the line",
                       {}};
    }
    if (key != name) {
        return Warning{"the spaces are part of the name, so it does not match " + quotedText(name),
                       "delete the spaces around the name",
                       {}};
    }
    if (isSettingKey(name)) {
        return Warning{quotedText(name) + " is a setting, not a tree model",
                       "move this line under " + bracketed(ConfigFormat::sectionSettings),
                       {}};
    }
    if (const auto hash = writtenHash(name)) {
        const auto known = std::ranges::find(defaultModelNames(), *hash, nameHash);
        return Warning{
            quotedText(name) +
                " is a model's hash, but tree models are listed by name: the game "
                "looks for a model called " +
                quotedText(name),
            known == defaultModelNames().end() ? "write the model's name instead"
                                               : "write its name instead, " + quotedText(*known),
            "the game's hash of the text " + quotedText(name) + " is " + hashText(nameHash(name))};
    }
    for (const std::string_view extension : modelFileExtensions) {
        if (name.size() > extension.size() &&
            sameIgnoringCase(name.substr(name.size() - extension.size()), extension)) {
            return Warning{quotedText(name) + " ends in the file extension " +
                               quotedText(name.substr(name.size() - extension.size())) +
                               ", which the game's model names do not have",
                           "write " + quotedText(name.substr(0, name.size() - extension.size())),
                           {}};
        }
    }
    if (name.size() >= 2 && name.front() == name.back() &&
        (name.front() == '"' || name.front() == '\'')) {
        return Warning{"the quotes are part of the name",
                       "delete them, so that it reads " +
                           quotedText(name.substr(1, name.size() - 2)),
                       {}};
    }
    return std::nullopt;
}

std::string heightText(float height) {
    if (!std::isfinite(height)) {
        return "at height " + shownNumber(height);
    }
    return shownNumber(std::fabs(height)) + (height < 0 ? " m below it" : " m above it");
}

// Returns the model's hash.
std::uint32_t judgeEntry(const ConfigLine& line, Judging& judging, bool nameLooksPlain,
                         LineVerdict& out) {
    const std::string_view name = line.name; // as the game reads it: up to a NUL
    const std::uint32_t hash = nameHash(name);
    const PropShieldParams& params = line.params;
    const int model = shieldModelNumber(params.shieldModelIndex);
    out.does = "gives tree model " + quotedText(name) + " shield model " + std::to_string(model) +
               ", " + heightText(params.heightOffset);
    out.details = "hash " + hashText(hash);
    if (params.shieldModelIndex != static_cast<float>(model)) {
        out.details += "; " + shownNumber(params.shieldModelIndex) + " selects shield model " +
                       std::to_string(model);
    }
    // Every name passes the hints in order, so that a later spelling finds it.
    auto hint = modelNameWarning(judging.names, line.number, name);
    if (name.size() < line.key.size()) {
        std::string whole(line.key);
        std::erase(whole, '\0');
        out.warnings.push_back(
            {"the name holds an invisible character that the game stops reading at, so "
             "the game reads the name as " +
                 quotedText(name),
             "delete it (retype the name if you cannot find it), so that it reads " +
                 quotedText(whole),
             "\\x00 at character " + std::to_string(name.size() + 1) + " of the name"});
    } else if (auto said = nameWarning(line.key)) {
        out.warnings.push_back(std::move(*said));
    } else if (hint && nameLooksPlain) {
        out.warnings.push_back(std::move(*hint));
    }
    judgeNumbers(line, out.warnings);
    return hash;
}

std::string headerDoes(std::string_view section) {
    if (section.empty()) {
        return "the lines below belong to no section";
    }
    const bool read =
        section == ConfigFormat::sectionSettings || section == ConfigFormat::sectionBlockProps;
    return "the lines below belong to " + bracketed(section) +
           (read ? "" : ", which the plug-in does not read");
}

void judgeLine(const ConfigLine& line, void* context) {
    auto& judging = *static_cast<Judging*>(context);
    LineVerdict out;
    out.number = line.number;
    std::string_view shown = line.raw;
    while (shown.ends_with('\r')) {
        shown.remove_suffix(1); // a CR LF's, or more before the LF: nothing joins there
    }
    out.text = shown;
    out.section = line.section;
    out.kind = line.kind;
    if (shown.find('\r') != std::string_view::npos) {
        out.warnings.push_back(
            {"a line break that Notepad shows but the plug-in drops (a lone CR, shown as \\r) "
             "joins this into one line: " +
                 quotedText(line.text),
             "in Notepad, delete that line break and press Enter in its place",
             "CR (\\x0D) without a LF (\\x0A) after it"});
    }
    const bool nameLooksPlain = !addLookAlikeWarnings(line, out.warnings);
    Sets sets;
    switch (line.kind) {
    case LineKind::Blank:
        out.does = "nothing: an empty line";
        break;
    case LineKind::Comment:
        out.does = "nothing: a comment";
        break;
    case LineKind::Header:
        judging.place.headerSeen = true;
        judging.place.spacedHeaderLine = 0;
        out.does = headerDoes(line.section);
        break;
    case LineKind::Setting:
        applySetting(line, judging.verdict.settings);
        judgeSetting(line, out);
        sets = {Sets::What::Setting, (1ull << 32) + static_cast<std::uint64_t>(line.setting),
                line.settingNumber, line.settingOn ? 1.0f : 0.0f};
        break;
    case LineKind::Entry:
        sets = {Sets::What::Entry, judgeEntry(line, judging, nameLooksPlain, out),
                line.params.shieldModelIndex, line.params.heightOffset};
        break;
    case LineKind::WithoutEffect:
        out.does = "the plug-in ignores this line";
        out.warnings.push_back(noEffectWarning(line, judging.place));
        if (isSpacedHeader(line.text)) {
            judging.place.spacedHeaderLine = line.number;
            judging.place.spacedHeader = line.text;
        }
        break;
    }
    judging.verdict.lines.push_back(std::move(out));
    judging.sets.push_back(sets);
}

bool sameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// A setting or a model that a later line sets otherwise: the earlier line's
// own warnings stand, and then this. A line repeated unchanged changes nothing.
void markOverridden(Judging& judging) {
    std::unordered_map<std::uint64_t, std::size_t> last;
    for (std::size_t i = judging.sets.size(); i-- > 0;) {
        const Sets& sets = judging.sets[i];
        if (sets.what == Sets::What::Nothing) {
            continue;
        }
        const auto later = last.find(sets.key);
        if (later == last.end()) {
            last.emplace(sets.key, i);
            continue;
        }
        const Sets& wins = judging.sets[later->second];
        if (sameBits(sets.first, wins.first) && sameBits(sets.second, wins.second)) {
            continue;
        }
        judging.verdict.lines[i].warnings.push_back(
            {"overridden by line " + std::to_string(judging.verdict.lines[later->second].number) +
                 (sets.what == Sets::What::Entry
                      ? ", which lists the same tree model with other numbers"
                      : ", which sets it again"),
             "keep only the line you want: the last one counts",
             {}});
    }
}

void judgeFile(std::string_view bytes, Judging& judging) {
    FileVerdict& verdict = judging.verdict;
    verdict.treeModels = judging.names.byHash.size();
    // Every line of such a file is a misreading: the one fix is to save it again.
    if (const std::string_view utf16 = utf16Form(bytes); !utf16.empty()) {
        for (LineVerdict& line : verdict.lines) {
            line.warnings.clear();
        }
        verdict.fileWarnings.push_back(
            {"the file " + savedAsUtf16(utf16, pluginReader, pluginFindsInUtf16),
             std::string(saveAsPlainText),
             {}});
        return;
    }
    if (const auto stop = bytes.find(ConfigFormat::endOfText); stop != std::string_view::npos) {
        const std::string_view rest = bytes.substr(stop + 1);
        if (rest.find_first_not_of("\r\n") != std::string_view::npos) {
            verdict.fileWarnings.push_back(
                {"a Ctrl-Z character ends the file for the game: " +
                     (rest.size() == 1
                          ? std::string("the byte after it is")
                          : "the " + std::to_string(rest.size()) + " bytes after it are") +
                     " never read",
                 "delete the Ctrl-Z (invisible, or a small box) where the file seems to end",
                 "\\x1A at byte " + std::to_string(stop + 1)});
        }
    }
    if (bytes.empty()) {
        verdict.fileWarnings.push_back(
            {"the file is empty: the plug-in keeps its settings and lists no tree model",
             "delete the file and start the game: the plug-in then writes the default file",
             {}});
    } else if (verdict.treeModels == 0) {
        verdict.fileWarnings.push_back(
            {"no tree model is listed under " + bracketed(ConfigFormat::sectionBlockProps) +
                 ": the plug-in will shield nothing",
             "list tree models under " + bracketed(ConfigFormat::sectionBlockProps) +
                 ", one a line, such as prop_tree_pine_01=8.0,20.0",
             {}});
    }
}

} // namespace

std::string bracketed(std::string_view section) {
    return "[" + visibleText(section) + "]";
}

bool isSettingKey(std::string_view key) {
    return std::ranges::any_of(settingTable, [&](const SettingDeclaration& setting) {
        return sameIgnoringCase(key, setting.text);
    });
}

FileVerdict judgeConfig(std::string_view bytes) {
    Judging judging;
    judging.place.fileStartsWithMark = startsWithByteOrderMark(bytes);
    parseConfig(bytes, {judgeLine, &judging});
    markOverridden(judging);
    judgeFile(bytes, judging);
    return std::move(judging.verdict);
}
