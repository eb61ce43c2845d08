#include "tools/sim/world_file.h"

#include "natives/name_hash.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> parts;
    std::istringstream in(line);
    std::string part;
    while (std::getline(in, part, ',')) {
        parts.push_back(trim(part));
    }
    if (!line.empty() && line.back() == ',') {
        parts.emplace_back();
    }
    return parts;
}

bool readCoordinate(const std::string& text, float& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtof(text.c_str(), &end);
    return *end == '\0' && errno == 0 && std::isfinite(value);
}

// Walks the content lines of a CSV file after its header; the handler returns
// an error text for a bad line, or empty.
template <typename Handler>
bool readCsv(const std::string& path, const std::string& header, std::string& error,
             Handler handle) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open the file";
        return false;
    }
    std::string line;
    int number = 0;
    bool headerSeen = false;
    while (std::getline(in, line)) {
        ++number;
        const std::string text = trim(line);
        if (text.empty() || text.front() == '#') {
            continue;
        }
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (!headerSeen) {
            std::string lower = text;
            for (char& c : lower) {
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
            lower.erase(std::remove(lower.begin(), lower.end(), ' '), lower.end());
            if (lower != header) {
                error = where + "the first line must be the header \"" + header + "\", found \"" +
                        text + "\"";
                return false;
            }
            headerSeen = true;
            continue;
        }
        if (std::string problem = handle(fields(text)); !problem.empty()) {
            error = where + problem + ": \"" + text + "\"";
            return false;
        }
    }
    if (!headerSeen) {
        error = path + ": the file is empty; it needs the header \"" + header + "\"";
        return false;
    }
    return true;
}

std::string readHash(const std::string& text, ModelHash& hash) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str() + 2, &end, 16);
    if (text.size() == 2 || *end != '\0' || errno != 0 || value > 0xFFFFFFFFull) {
        return "the model \"" + text + "\" is not a 32-bit hexadecimal hash";
    }
    hash = static_cast<ModelHash>(value);
    return "";
}

} // namespace

std::optional<std::vector<PlacedObject>> readWorldFile(const std::string& path,
                                                       std::string& error) {
    std::vector<PlacedObject> objects;
    const bool read = readCsv(path, "model,x,y,z", error, [&](const std::vector<std::string>& f) {
        if (f.size() != 4) {
            return "expected 4 fields (model,x,y,z), found " + std::to_string(f.size());
        }
        PlacedObject object;
        if (f[0].empty()) {
            return std::string("the model is empty");
        }
        if (f[0].rfind("0x", 0) == 0 || f[0].rfind("0X", 0) == 0) {
            if (std::string problem = readHash(f[0], object.hash); !problem.empty()) {
                return problem;
            }
        } else {
            object.model = f[0];
            object.hash = nameHash(f[0]);
        }
        const char* names[] = {"x", "y", "z"};
        float* values[] = {&object.x, &object.y, &object.z};
        for (int i = 0; i < 3; ++i) {
            if (!readCoordinate(f[i + 1], *values[i])) {
                return std::string(names[i]) + " \"" + f[i + 1] + "\" is not a finite number";
            }
        }
        objects.push_back(object);
        return std::string();
    });
    if (!read) {
        return std::nullopt;
    }
    return objects;
}

std::optional<std::vector<Waypoint>> readRouteFile(const std::string& path, std::string& error) {
    std::vector<Waypoint> route;
    const bool read = readCsv(path, "x,y", error, [&](const std::vector<std::string>& f) {
        if (f.size() != 2) {
            return "expected 2 fields (x,y), found " + std::to_string(f.size());
        }
        Waypoint point;
        if (!readCoordinate(f[0], point.x) || !readCoordinate(f[1], point.y)) {
            return std::string("x and y must be finite numbers");
        }
        route.push_back(point);
        return std::string();
    });
    if (!read) {
        return std::nullopt;
    }
    if (route.empty()) {
        error = path + ": the route has no waypoints";
        return std::nullopt;
    }
    return route;
}
