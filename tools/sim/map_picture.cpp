#include "tools/sim/pictures.h"

#include "config/text.h"
#include "shields/shields.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace {

constexpr double edge = 20; // from the picture's left edge
constexpr double titleY = 24, subtitleY = 44;
constexpr double mapTop = 60;                        // below the two title lines
constexpr double worldMargin = 40;                   // metres of land around what is drawn
constexpr double mostWidth = 1400, mostHeight = 900; // of the map, in pixels
constexpr double leastPictureWidth = 900;            // room for the legend
constexpr double scaleBarBelow = 30, scaleTick = 4, scaleLabelGap = 8, scaleLabelDrop = 2;
constexpr double legendBelow = 60, legendRow = 20, legendColumn = 300;
constexpr std::size_t legendColumns = 3;
constexpr double keyX = 6, keyY = -4, keyTextX = 20; // a legend entry's mark and text
constexpr double keyRadius = 4, keyRingRadius = 5, keyPlayerRadius = 3, keyLineLength = 14;
constexpr double keyGap = 2;                       // between two marks of one entry
constexpr double labelGap = 6, frameLabelGap = 18; // a moment's letter and frame
constexpr double unlistedRadius = 1.3, listedRadius = 1.8, shieldRadius = 3, playerRadius = 4;
// A retired shield: a small thin cross, under the objects, so that it hides
// neither their colours nor the shields standing.
constexpr double crossArm = 2.2, crossWidth = 0.7, crossOpacity = 0.6;

constexpr const char* unlistedColour = "#b0b0b0";
constexpr const char* scanColour = "#1f77b4";
constexpr const char* retirementColour = "#ff7f0e";
constexpr const char* routeColour = "#333";
constexpr double routeWidth = 1.5;
constexpr double arrowSpacing = 150, arrowLength = 9, arrowHalfWidth = 4.5;
constexpr double routeStartRadius = 5, routeEndSide = 9, routeLabelGap = 8, routeLabelDrop = 6;

// The hues a listed model may take, in degrees: yellow to teal, and violet to
// pink, clear of the shields' red, the scan circle's blue and the retirement
// circle's orange; in one of two lightnesses.
constexpr int greensFrom = 45, greensTo = 190, violetsFrom = 225, violetsTo = 330;
constexpr double saturation = 0.7, darker = 0.32, lighter = 0.45;

// A listed model's colour, "#RRGGBB", from its hash alone, so that a model has
// the same colour in every run and every world.
std::string modelColour(ModelHash hash) {
    constexpr ModelHash greens = greensTo - greensFrom, violets = violetsTo - violetsFrom;
    const auto step = static_cast<int>(hash % (greens + violets));
    const double hue = step < static_cast<int>(greens)
                           ? greensFrom + step
                           : violetsFrom + step - static_cast<int>(greens);
    // A bit the hue hardly depends on chooses the lightness.
    const double lightness = (hash >> 16 & 1) != 0 ? darker : lighter;
    // The usual HSL to RGB conversion, each channel 0 to 255.
    const double a = saturation * std::min(lightness, 1 - lightness);
    const auto channel = [&](int n) {
        const double k = std::fmod(n + hue / 30, 12);
        return static_cast<int>(
            std::lround((lightness - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}))) * 255));
    };
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", channel(0), channel(8), channel(4));
    return text;
}

// The route on the map, in picture pixels: a dashed line with arrowheads
// along it the way the player drives, a start mark and an end mark; the marks
// also stand in the legend.
void drawArrowhead(SvgWriter& svg, double x, double y, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    // The tip ahead of (x, y), the two barbs behind it on either side.
    const double backX = x - arrowLength * c, backY = y - arrowLength * s;
    svg.element(
        "polygon",
        {{"fill", routeColour},
         {"points", svgPoints({{x, y},
                               {backX - arrowHalfWidth * s, backY + arrowHalfWidth * c},
                               {backX + arrowHalfWidth * s, backY - arrowHalfWidth * c}})}});
}

void drawRouteStart(SvgWriter& svg, double x, double y) {
    svg.outline("circle", {{"cx", x}, {"cy", y}, {"r", routeStartRadius}, {"fill", "#fff"}},
                routeColour, 2);
}

void drawRouteEnd(SvgWriter& svg, double x, double y) {
    svg.element("rect", {{"x", x - routeEndSide / 2},
                         {"y", y - routeEndSide / 2},
                         {"width", routeEndSide},
                         {"height", routeEndSide},
                         {"fill", routeColour}});
}

void drawRoute(SvgWriter& svg, const std::vector<PicturePoint>& route) {
    if (route.empty()) {
        return;
    }
    svg.polyline(route, routeColour, routeWidth, "6 4");
    // An arrowhead every so many pixels of the way, the first half a spacing in.
    double untilNext = arrowSpacing / 2;
    for (std::size_t i = 1; i < route.size(); ++i) {
        const auto [x0, y0] = route[i - 1];
        const auto [x1, y1] = route[i];
        const double leg = std::hypot(x1 - x0, y1 - y0);
        double along = untilNext;
        for (; along <= leg; along += arrowSpacing) {
            drawArrowhead(svg, x0 + (x1 - x0) * along / leg, y0 + (y1 - y0) * along / leg,
                          std::atan2(y1 - y0, x1 - x0));
        }
        untilNext = along - leg;
    }
    const auto [startX, startY] = route.front();
    const auto [endX, endY] = route.back();
    drawRouteEnd(svg, endX, endY);
    drawRouteStart(svg, startX, startY);
    // Start below its mark and end above, so that a route that comes back
    // where it began keeps both readable.
    svg.text({{"x", startX + routeLabelGap},
              {"y", startY + routeLabelGap + routeLabelDrop},
              {"font-weight", "bold"}},
             "start");
    svg.text({{"x", endX + routeLabelGap}, {"y", endY - routeLabelGap}, {"font-weight", "bold"}},
             "end");
}

// A world larger than a picture can hold is drawn as an even sample of it.
std::vector<PlacedObject> evenSample(const std::vector<PlacedObject>& world) {
    const std::size_t stride = (world.size() + keptWorldMarks - 1) / keptWorldMarks;
    std::vector<PlacedObject> sample;
    for (std::size_t i = 0; i < world.size(); i += stride) {
        sample.push_back(world[i]);
    }
    return sample;
}

// The crosses of the retired shields, all in one path.
std::string crosses(const std::vector<PicturePoint>& points) {
    std::string d;
    for (const auto& [x, y] : points) {
        d += "M" + svgNumber(x - crossArm) + " " + svgNumber(y - crossArm) + "l" +
             svgNumber(2 * crossArm) + " " + svgNumber(2 * crossArm) + "m0 " +
             svgNumber(-2 * crossArm) + "l" + svgNumber(-2 * crossArm) + " " +
             svgNumber(2 * crossArm);
    }
    return d;
}

void drawCrosses(SvgWriter& svg, const std::vector<PicturePoint>& points) {
    svg.outline("path", {{"d", crosses(points)}, {"fill", "none"}, {"opacity", crossOpacity}},
                shieldColour, crossWidth);
}

struct LegendEntry {
    std::string text;
    std::function<void(SvgWriter&)> mark; // drawn around (keyX, keyY)
};

// World metres to picture pixels, north up.
struct Projection {
    double minX, maxY, scale;
    double px(double x) const { return edge + (x - minX) * scale; }
    double py(double y) const { return mapTop + (maxY - y) * scale; }
};

} // namespace

std::string drawMap(const std::vector<PlacedObject>& everyObject,
                    const std::vector<Waypoint>& route, const DryRunResult& result) {
    const std::vector<PlacedObject> world = evenSample(everyObject);
    double minX = 1e30, maxX = -1e30, minY = 1e30, maxY = -1e30;
    const auto extend = [&](double x, double y) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    };
    for (const PlacedObject& o : world) {
        extend(o.x, o.y);
    }
    for (const Waypoint& w : route) {
        extend(w.x, w.y);
    }
    minX -= worldMargin, maxX += worldMargin, minY -= worldMargin, maxY += worldMargin;
    const double scale = std::min(mostWidth / (maxX - minX), mostHeight / (maxY - minY));
    const Projection f{minX, maxY, scale};
    const double mapBottom = mapTop + (maxY - minY) * scale;

    // Listed models by name, each in its own colour.
    std::map<std::string, std::string> models;
    std::map<ModelHash, std::string> colours;
    for (const PlacedObject& o : world) {
        if (result.listed.contains(o.hash) && !colours.contains(o.hash)) {
            colours[o.hash] = modelColour(o.hash);
            models[o.model.empty() ? hashText(o.hash) : o.model] = colours[o.hash];
        }
    }
    const auto dotKey = [](std::string colour, double radius = keyRadius) {
        return [colour, radius](SvgWriter& svg) { svg.dot(keyX, keyY, radius, colour); };
    };
    std::vector<LegendEntry> legend;
    for (const auto& [label, colour] : models) {
        legend.push_back({label + " (listed)", dotKey(colour)});
    }
    legend.push_back({"unlisted objects", dotKey(unlistedColour)});
    legend.push_back({"shield standing at the end", dotKey(shieldColour)});
    legend.push_back({"shield placed, later retired", [](SvgWriter& svg) {
                          drawCrosses(svg, {{keyX, keyY}});
                      }});
    legend.push_back(
        {"route, arrows the way the player drives", [](SvgWriter& svg) {
             svg.polyline({{0, keyY}, {keyLineLength, keyY}}, routeColour, routeWidth, "6 4");
             drawArrowhead(svg, keyLineLength, keyY, 0);
         }});
    legend.push_back({"start and end of the route", [](SvgWriter& svg) {
                          drawRouteStart(svg, keyX - keyRadius, keyY);
                          drawRouteEnd(svg, keyX + keyRadius + keyGap, keyY);
                      }});
    legend.push_back({"the player at moments A to D", dotKey("#000", keyPlayerRadius)});
    legend.push_back({"scan circle (scan radius)",
                      [](SvgWriter& svg) { svg.ring(keyX, keyY, keyRingRadius, scanColour); }});
    legend.push_back(
        {"retirement circle (scan radius + " + svgNumber(retirementMargin) + " m)",
         [](SvgWriter& svg) { svg.ring(keyX, keyY, keyRingRadius, retirementColour, "3 2"); }});
    const double legendRows = std::ceil(static_cast<double>(legend.size()) / legendColumns);

    SvgWriter svg(std::max(2 * edge + (maxX - minX) * scale, leastPictureWidth),
                  mapBottom + legendBelow + legendRow * legendRows, "#f7f5ee");
    svg.text({{"x", edge}, {"y", titleY}, {"font-size", 16.0}, {"font-weight", "bold"}},
             "BrambleCap dry run: " + counted(result.framesRun, "frame") + ", scan radius " +
                 svgNumber(std::round(result.radius)) + " m");
    svg.text({{"x", edge}, {"y", subtitleY}, {"fill", "#555"}},
             counted(result.created, "shield") + " placed, " + std::to_string(result.retired) +
                 " retired, " + std::to_string(result.created - result.retired) +
                 " standing at the end");

    svg.open("g", {{"opacity", 0.5}});
    for (const PlacedObject& o : world) {
        if (!result.listed.contains(o.hash)) {
            svg.dot(f.px(o.x), f.py(o.y), unlistedRadius, unlistedColour);
        }
    }
    svg.close();
    std::vector<PicturePoint> retired;
    for (const ShieldMark& s : result.shields) {
        if (!s.standing) {
            retired.emplace_back(f.px(s.x), f.py(s.y));
        }
    }
    drawCrosses(svg, retired);
    svg.open("g", {{"opacity", 0.85}});
    for (const PlacedObject& o : world) {
        if (result.listed.contains(o.hash)) {
            svg.dot(f.px(o.x), f.py(o.y), listedRadius, colours[o.hash]);
        }
    }
    svg.close();
    for (const ShieldMark& s : result.shields) {
        if (s.standing) {
            svg.dot(f.px(s.x), f.py(s.y), shieldRadius, shieldColour);
        }
    }
    std::vector<PicturePoint> routePoints;
    for (const Waypoint& w : route) {
        routePoints.emplace_back(f.px(w.x), f.py(w.y));
    }
    drawRoute(svg, routePoints);

    const std::vector<FrameRecord> moments = momentsOf(result);
    for (std::size_t i = 0; i < moments.size(); ++i) {
        const double cx = f.px(moments[i].x), cy = f.py(moments[i].y);
        if (std::isfinite(result.radius)) {
            svg.ring(cx, cy, std::fabs(result.radius) * scale, scanColour);
            svg.ring(cx, cy, std::fabs(result.radius + retirementMargin) * scale, retirementColour,
                     "8 5");
        }
        svg.dot(cx, cy, playerRadius, "#000");
        svg.text({{"x", cx + labelGap}, {"y", cy - labelGap}, {"font-weight", "bold"}},
                 momentLetters[i]);
        svg.text({{"x", cx + frameLabelGap}, {"y", cy - labelGap}},
                 "frame " + std::to_string(moments[i].frame));
    }

    // A scale bar of a round length, about a fifth of the map's width.
    const double metres = roundStep((maxX - minX) / 5, 1);
    const double barY = mapBottom + scaleBarBelow, barEnd = edge + metres * scale;
    svg.outline(
        "path",
        {{"d", "M" + svgNumber(edge) + " " + svgNumber(barY - scaleTick) + " V" + svgNumber(barY) +
                   " H" + svgNumber(barEnd) + " V" + svgNumber(barY - scaleTick)},
         {"fill", "none"}},
        "#000", 1.5);
    svg.text({{"x", barEnd + scaleLabelGap}, {"y", barY + scaleLabelDrop}},
             svgNumber(metres) + " m");

    // Legend, three to a row, each with the mark the map draws.
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const double x = edge + static_cast<double>(i % legendColumns) * legendColumn;
        const double y =
            mapBottom + legendBelow + legendRow * static_cast<double>(i / legendColumns);
        svg.open("g", {{"transform", "translate(" + svgNumber(x) + " " + svgNumber(y) + ")"}});
        legend[i].mark(svg);
        svg.text({{"x", keyTextX}, {"y", 0.0}}, legend[i].text);
        svg.close();
    }
    return svg.finish();
}
