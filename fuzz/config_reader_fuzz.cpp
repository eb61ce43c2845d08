// Any bytes at all as BrambleCap.ini: the parser, and the verdicts on its
// lines, must neither crash, leak nor read past a line; and every number
// field must read as the C library's strtod reads it in the "C" locale, as far
// as it reads, the rule the plug-in keeps without it.
#include "config/config_format.h"
#include "config/explain.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool sameNumber(float a, float b) {
    return std::isnan(a) ? std::isnan(b) : std::memcmp(&a, &b, sizeof a) == 0;
}

// The number as strtod reads it, and whether readNumberText took as many characters.
float cLibraryNumber(std::string_view text) {
    const std::string copy(text); // strtod needs the text to end
    char* end = nullptr;
    const auto value = static_cast<float>(std::strtod(copy.c_str(), &end));
    const NumberText ours = readNumberText(text);
    if (ours.length != static_cast<std::size_t>(end - copy.c_str()) ||
        !sameNumber(ours.value, value)) {
        std::abort();
    }
    return value;
}

struct Reading {
    std::size_t bytes = 0;
};

// Reads every field of every line, and checks each number against strtod.
void check(const ConfigLine& line, void* context) {
    auto& reading = *static_cast<Reading*>(context);
    reading.bytes += line.text.size() + line.section.size() + line.key.size() + line.value.size();
    if (line.kind == LineKind::Entry) {
        const auto comma = line.value.find(',');
        const std::string_view first = line.value.substr(0, comma);
        const std::string_view second = line.value.substr(comma + 1);
        if (!sameNumber(line.params.shieldModelIndex, cLibraryNumber(first)) ||
            !sameNumber(line.params.heightOffset,
                        cLibraryNumber(second.substr(0, second.find(','))))) {
            std::abort();
        }
    } else if (line.kind == LineKind::Setting && line.setting == SettingKey::ScanRadius &&
               !sameNumber(line.settingNumber, cLibraryNumber(line.value))) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Reading reading;
    parseConfig(bytes, {check, &reading});
    // Every line says what the plug-in does with it, every warning what to do.
    for (const LineVerdict& line : judgeConfig(bytes).lines) {
        if (line.does.empty() || std::ranges::any_of(line.warnings, [](const Warning& warning) {
                return warning.problem.empty() || warning.fix.empty();
            })) {
            std::abort();
        }
    }
    return 0;
}
