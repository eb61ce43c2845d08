#include "tools/check/checker.h"

#include "config/config_format.h"
#include "config/explain.h"
#include "config/text.h"
#include "shields/shields.h"

#include <algorithm>
#include <cmath>

namespace {

bool allDigits(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// "80,5": a decimal comma, which the C library's reading stops at.
std::optional<std::string> decimalCommaWarning(std::string_view number, std::string_view rest,
                                               float value) {
    const bool hasSign = number.starts_with('+') || number.starts_with('-');
    if (!allDigits(number.substr(hasSign ? 1 : 0)) || rest.front() != ',' ||
        !allDigits(rest.substr(1))) {
        return std::nullopt;
    }
    return quotedText(std::string(number) + std::string(rest)) + " reads as " + shownNumber(value) +
           ": use a point as the decimal mark (" +
           quotedText(std::string(number) + "." + std::string(rest.substr(1))) + ")";
}

} // namespace

std::optional<std::string> numberTextWarning(std::string_view text, const std::string& field,
                                             bool commaSeparates) {
    const NumberText read = readNumberText(text);
    if (read.length == 0) {
        return field + " " + quotedText(text) + " holds no number: it reads as 0";
    }
    const std::string_view rest = trimmedText(text.substr(read.length));
    if (rest.empty()) {
        return std::nullopt;
    }
    if (!commaSeparates) {
        if (auto comma =
                decimalCommaWarning(trimmedText(text.substr(0, read.length)), rest, read.value)) {
            return comma;
        }
    }
    return quotedText(rest) + " after " + field + " is ignored";
}

std::optional<std::string> radiusWarning(float radius) {
    if (std::isnan(radius)) {
        return "every listed object in the world is then a candidate, and no shield is retired "
               "for distance";
    }
    if (std::isinf(radius)) {
        return "every listed object in the world is then a candidate";
    }
    if (radius == 0) {
        return "only objects at exactly the player's position are candidates";
    }
    if (radius > 0) {
        return std::nullopt;
    }
    // Both rules square their reach: the scan takes -radius, retirement keeps
    // shields within |radius + the margin|.
    const float reach = radius + retirementMargin;
    const float retiredBeyond = std::fabs(reach);
    const std::string rule =
        "radius + " + shownNumber(retirementMargin) + " = " + shownNumber(reach);
    const std::string scan = "a negative radius: the scan reaches " + shownNumber(-radius) + " m, ";
    if (retiredBeyond == 0) {
        return scan + "but shields are retired beyond " + rule + " m, so every shield is " +
               "deleted as soon as it is placed (and placed again in the next frame)";
    }
    if (retiredBeyond < -radius) {
        return scan + "but retirement keeps shields only within " + shownNumber(retiredBeyond) +
               " m (" + rule + "), so those between " + shownNumber(retiredBeyond) + " and " +
               shownNumber(-radius) +
               " m away are deleted as soon as they are placed (and placed again in the next "
               "frame)";
    }
    return scan + "and shields are retired beyond " + rule + " m";
}

std::optional<std::string> trueFalseWarning(std::string_view value, bool on,
                                            std::string_view what) {
    if (on || ConfigFormat::isOneOf(value, ConfigFormat::falseSpellings)) {
        return std::nullopt;
    }
    std::string spellings; // "true, TRUE, True, 1"
    for (const std::string_view spelling : ConfigFormat::trueSpellings) {
        spellings.append(spellings.empty() ? "" : ", ").append(spelling);
    }
    return quotedText(value) + " reads as false: only " + spellings + " turn on " +
           std::string(what);
}
