#include "tools/sim/world_file.h"

#include "config/config_format.h"
#include "config/text.h"
#include "tools/files/files.h"

#include <charconv>
#include <cmath>
#include <initializer_list>

namespace {

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto comma = line.find(',');
        parts.push_back(trimmedText(line.substr(0, comma)));
        if (comma == std::string_view::npos) {
            return parts;
        }
        line.remove_prefix(comma + 1);
    }
}

bool isHeader(std::string_view text, std::string_view header) {
    std::string squeezed(text);
    std::erase_if(squeezed, [](char c) { return c == ' ' || c == '\t'; });
    return sameIgnoringCase(squeezed, header);
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
    const std::size_t columns = fields(header).size();
    int number = 0;
    bool headerSeen = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        // A line ends in LF, after any CRs: Windows' CR LF, and the CR CR LF of a
        // program that wrote CR LF through a text-mode file.
        const std::string_view raw = text.substr(0, end);
        const std::string_view line = trimmedText(raw.substr(0, raw.find_last_not_of('\r') + 1));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::string where = name + ":" + std::to_string(number) + ": ";
        if (!headerSeen) {
            if (!isHeader(line, header)) {
                error = where + "the first line must be the header \"" + std::string(header) +
                        "\", found " + quotedText(line);
                return false;
            }
            headerSeen = true;
            continue;
        }
        const std::vector<std::string_view> f = fields(line);
        const std::string problem =
            f.size() == columns ? handle(f)
                                : "expected " + std::to_string(columns) + " fields (" +
                                      std::string(header) + "), found " + std::to_string(f.size());
        if (!problem.empty()) {
            error = where + problem + ": " + quotedText(line);
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
std::string readCoordinates(const std::vector<std::string_view>& f, std::size_t first,
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
        readCsv(text, name, "model,x,y,z", error, [&](const std::vector<std::string_view>& f) {
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
    const bool read =
        readCsv(text, name, "x,y", error, [&](const std::vector<std::string_view>& f) {
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
