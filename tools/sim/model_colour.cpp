#include "tools/sim/model_colour.h"

#include <cmath>
#include <cstdio>

namespace {

// The hues a model may take, in degrees: yellow to teal, and violet to pink.
constexpr int greensFrom = 45, greensTo = 190, violetsFrom = 225, violetsTo = 330;
constexpr double saturation = 0.7, darker = 0.32, lighter = 0.45;

// The usual HSL to RGB conversion, each channel 0 to 255.
std::string fromHsl(double hue, double s, double l) {
    const double chroma = (1 - std::fabs(2 * l - 1)) * s;
    const double sector = hue / 60;
    const double second = chroma * (1 - std::fabs(std::fmod(sector, 2) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(sector)) {
    case 0:
        r = chroma, g = second;
        break;
    case 1:
        r = second, g = chroma;
        break;
    case 2:
        g = chroma, b = second;
        break;
    case 3:
        g = second, b = chroma;
        break;
    case 4:
        r = second, b = chroma;
        break;
    default:
        r = chroma, b = second;
    }
    const double m = l - chroma / 2;
    const auto channel = [&](double c) { return static_cast<int>(std::lround((c + m) * 255)); };
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", channel(r), channel(g), channel(b));
    return text;
}

} // namespace

std::string modelColour(ModelHash hash) {
    constexpr ModelHash greens = greensTo - greensFrom, violets = violetsTo - violetsFrom;
    const auto step = static_cast<int>(hash % (greens + violets));
    const int hue = step < static_cast<int>(greens) ? greensFrom + step
                                                    : violetsFrom + step - static_cast<int>(greens);
    // A bit the hue hardly depends on chooses the lightness.
    return fromHsl(hue, saturation, (hash >> 16 & 1) != 0 ? darker : lighter);
}
