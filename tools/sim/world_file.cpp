#include "tools/sim/world_file.h"

#include "config/config_format.h"
#include "config/text.h"
#include "tools/files/files.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>

namespace {

// Splits a CSV line at its commas into `parts`: blanks around a field are not
// its own, and a field in double quotes (as Excel writes one that holds a
// comma) is read without them, "" within standing for one quote. Returns what
// is wrong with the line's quotes, or empty.
std::string splitFields(std::string_view line, std::vector<std::string>& parts) {
    parts.clear();
    for (;;) {
        const std::string_view field = trimmedText(line.substr(0, line.find(',')));
        if (!field.starts_with('"')) {
            parts.emplace_back(field);
        } else {
            std::string& text = parts.emplace_back();
            std::size_t at = field.data() - line.data() + 1;
            for (; at < line.size() && (line[at] != '"' || line.substr(at, 2) == "\"\""); ++at) {
                at += line[at] == '"' ? 1 : 0; // the first of two quotes stands for nothing
                text += line[at];
            }
            if (at >= line.size()) {
                return "a quoted field has no closing quote";
            }
            line.remove_prefix(at + 1);
            if (!trimmedText(line.substr(0, line.find(','))).empty()) {
                return "a quoted field has text after its closing quote";
            }
        }
        const auto comma = line.find(',');
        if (comma == std::string_view::npos) {
            return "";
        }
        line.remove_prefix(comma + 1);
    }
}

bool isHeader(const std::vector<std::string>& fields, const std::vector<std::string>& header) {
    return std::ranges::equal(fields, header, [](const std::string& a, const std::string& b) {
        return sameIgnoringCase(a, b);
    });
}

// Walks the content lines of CSV text after its header, each with as many
// fields as the header names; the handler returns an error text for a bad
// line, or empty.
template <typename Handler>
bool readCsv(std::string_view text, const std::string& name, std::string_view header,
             std::string& error, Handler handle) {
    // Excel's "CSV UTF-8" starts with a byte-order mark, which says nothing here.
    if (startsWithByteOrderMark(text)) {
        text.remove_prefix(3);
    }
    const TextReader dryRun{"the dry run", "no header",
                            "save it as CSV UTF-8, or in Notepad choose Save As, Encoding: UTF-8"};
    if (auto form = misreadTextForm(text, name, dryRun)) {
        error = *form;
        return false;
    }
    std::vector<std::string> names, f;
    splitFields(header, names);
    int number = 0;
    bool headerSeen = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        // A line ends in LF, after any CRs: Windows' CR LF, and the CR CR LF of a
        // program that wrote CR LF through a text-mode file.
        const std::string_view raw = text.substr(0, end);
        const std::string_view written = raw.substr(0, raw.find_last_not_of('\r') + 1);
        const std::string_view line = trimmedText(written);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::string where = name + ":" + std::to_string(number) + ": ";
        std::string problem = splitFields(line, f);
        if (problem.empty() && !headerSeen) {
            if (!isHeader(f, names)) {
                error = where + "the first line must be the header \"" + std::string(header) +
                        "\", found " + quotedText(written);
                return false;
            }
            headerSeen = true;
            continue;
        }
        if (problem.empty()) {
            problem = f.size() == names.size()
                          ? handle(f)
                          : "expected " + std::to_string(names.size()) + " fields (" +
                                std::string(header) + "), found " + std::to_string(f.size());
        }
        if (!problem.empty()) {
            error = where + problem + ": " + quotedText(written);
            return false;
        }
    }
    if (!headerSeen) {
        error = name + ": the file has no header; it needs \"" + std::string(header) + "\"";
        return false;
    }
    return true;
}

// A name, or a hash such as 0x1A2B3C4D.
std::string readModel(std::string_view text, PlacedObject& object) {
    if (text.empty()) {
        return "the model is empty";
    }
    if (!text.starts_with("0x") && !text.starts_with("0X")) {
        object.model = text;
        object.hash = nameHash(text);
        return "";
    }
    const std::string_view digits = text.substr(2);
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), object.hash, 16);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
        return "the model " + quotedText(text) + " is not a 32-bit hexadecimal hash";
    }
    return "";
}

// The fields from `first` on as the coordinates x, y and z in turn, each the
// whole field, a number within the world's reach; or what is wrong with one.
std::string readCoordinates(const std::vector<std::string>& f, std::size_t first,
                            std::initializer_list<float*> values) {
    std::size_t i = 0;
    for (float* const value : values) {
        const std::string_view text = f[first + i];
        const std::string named = std::string(1, "xyz"[i++]) + " " + quotedText(text);
        const NumberText read = readNumberText(text);
        *value = read.value;
        if (text.empty() || read.length != text.size() || !std::isfinite(*value)) {
            return named + " is not a finite number";
        }
        if (std::fabs(*value) > farthestCoordinate) {
            return named + " lies beyond the 1,000,000 m a world may reach from its centre";
        }
    }
    return "";
}

} // namespace

std::optional<std::string> readInputFile(const std::string& path, std::string& error) {
    std::string cause;
    auto bytes = readUserFile(path, cause);
    if (!bytes) {
        error = "cannot read " + shownPath(path) + ": " + cause;
    }
    return bytes;
}

std::optional<std::vector<PlacedObject>> parseWorld(std::string_view text, const std::string& name,
                                                    std::string& error) {
    std::vector<PlacedObject> objects;
    const bool read =
        readCsv(text, name, "model,x,y,z", error, [&](const std::vector<std::string>& f) {
            PlacedObject& object = objects.emplace_back();
            const std::string problem = readModel(f[0], object);
            return problem.empty() ? readCoordinates(f, 1, {&object.x, &object.y, &object.z})
                                   : problem;
        });
    return read ? std::optional(std::move(objects)) : std::nullopt;
}

std::optional<std::vector<Waypoint>> parseRoute(std::string_view text, const std::string& name,
                                                std::string& error) {
    std::vector<Waypoint> route;
    const bool read = readCsv(text, name, "x,y", error, [&](const std::vector<std::string>& f) {
        Waypoint& point = route.emplace_back();
        return readCoordinates(f, 0, {&point.x, &point.y});
    });
    if (read && route.empty()) {
        error = name + ": the route has no waypoints";
    }
    return read && !route.empty() ? std::optional(std::move(route)) : std::nullopt;
}

std::optional<std::vector<PlacedObject>> readWorldFile(const std::string& path,
                                                       std::string& error) {
    const auto text = readInputFile(path, error);
    return text ? parseWorld(*text, shownPath(path), error) : std::nullopt;
}

std::optional<std::vector<Waypoint>> readRouteFile(const std::string& path, std::string& error) {
    const auto text = readInputFile(path, error);
    return text ? parseRoute(*text, shownPath(path), error) : std::nullopt;
}
