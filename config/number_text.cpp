#include "config/number_text.h"

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
float readNumber(std::string_view text) {
    const char* p = text.data();
    const char* const last = p + text.size();
    while (p != last && (*p == ' ' || (*p >= '\t' && *p <= '\r'))) {
        ++p;
    }
    const bool negative = p != last && *p == '-';
    p += p != last && (*p == '-' || *p == '+') ? 1 : 0;
    const bool hex = last - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    const char* const digits = hex ? p + 2 : p;
    if (hex && (digits == last || !(isDigit(*digits, true) || *digits == '.'))) {
        return negative ? -0.0f : 0.0f; // "0x" and no hexadecimal digit: only the 0 converts
    }
    if (digits != last && (*digits == '-' || *digits == '+')) {
        return 0.0f; // a second sign: nothing converts
    }
    double value = 0.0;
    const auto error = hex ? std::from_chars(digits, last, value, std::chars_format::hex).ec
                           : std::from_chars(digits, last, value).ec;
    if (error == std::errc::invalid_argument) {
        if (!hex) {
            return 0.0f; // nothing converts, so no sign either
        }
        value = 0.0; // "0x." and no digit: only the 0 converts
    } else if (error == std::errc::result_out_of_range) {
        value = tooLarge(digits, last, hex) ? HUGE_VAL : 0.0;
    }
    return static_cast<float>(negative ? -value : value);
}
