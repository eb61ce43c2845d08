#include "config/config_format.h"

#include <charconv>
#include <cmath>

namespace {

bool isDigit(char c, bool hex) {
    return (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
}

// Whether a number the double cannot hold is too large rather than too small,
// from the position of its first significant digit and its exponent.
bool tooLarge(const char* p, const char* last, bool hex) {
    long long order = 0;
    bool significant = false, fraction = false;
    for (; p != last && (*p == '.' || isDigit(*p, hex)); ++p) {
        if (*p == '.') {
            fraction = true;
        } else if (!significant) {
            significant = *p != '0';
            order += significant && !fraction ? 1 : (!significant && fraction ? -1 : 0);
        } else if (!fraction) {
            ++order;
        }
    }
    long long exponent = 0;
    if (p != last && (*p == (hex ? 'p' : 'e') || *p == (hex ? 'P' : 'E'))) {
        ++p;
        const bool negative = p != last && *p == '-';
        p += p != last && (*p == '-' || *p == '+') ? 1 : 0;
        for (; p != last && *p >= '0' && *p <= '9' && exponent < 1'000'000'000; ++p) {
            exponent = exponent * 10 + (*p - '0');
        }
        exponent = negative ? -exponent : exponent;
    }
    return (hex ? 4 * order : order) + exponent > 0;
}

} // namespace

// std::from_chars follows strtod's "C" locale grammar except for the sign and
// the "0x" prefix, which are read here.
NumberText readNumberText(std::string_view text) {
    const char* const first = text.data();
    const char* const last = first + text.size();
    const char* p = first;
    while (p != last && (*p == ' ' || (*p >= '\t' && *p <= '\r'))) {
        ++p;
    }
    const bool negative = p != last && *p == '-';
    p += p != last && (*p == '-' || *p == '+') ? 1 : 0;
    const bool hex = last - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    const char* const digits = hex ? p + 2 : p;
    const auto read = [&](double value, const char* end) {
        return NumberText{static_cast<float>(negative ? -value : value),
                          static_cast<std::size_t>(end - first)};
    };
    if (hex && (digits == last || !(isDigit(*digits, true) || *digits == '.'))) {
        return read(0.0, p + 1); // "0x" and no hexadecimal digit: only the 0 converts
    }
    if (digits != last && (*digits == '-' || *digits == '+')) {
        return {0.0f, 0}; // a second sign: nothing converts
    }
    double value = 0.0;
    const auto [end, error] = hex ? std::from_chars(digits, last, value, std::chars_format::hex)
                                  : std::from_chars(digits, last, value);
    if (error == std::errc::invalid_argument) {
        // Nothing converts, or after "0x." with no digit only the 0 does.
        return hex ? read(0.0, p + 1) : NumberText{0.0f, 0};
    }
    if (error == std::errc::result_out_of_range) {
        value = tooLarge(digits, last, hex) ? HUGE_VAL : 0.0;
    }
    return read(value, end);
}

float readNumber(std::string_view text) {
    return readNumberText(text).value;
}
