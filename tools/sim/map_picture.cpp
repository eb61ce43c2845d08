#include "tools/sim/map_picture.h"

#include "tools/sim/picture_common.h"
#include "tools/sim/svg_writer.h"

#include "shields/shield_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
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
constexpr double labelGap = 6, frameLabelGap = 18; // a moment's letter and frame
constexpr double unlistedRadius = 1.3, listedRadius = 1.8, shieldRadius = 3, playerRadius = 4;

// Listed models: ten colours apart from each other and from the marks below.
constexpr const char* palette[] = {"#2ca02c", "#9467bd", "#8c564b", "#e377c2", "#bcbd22",
                                   "#17becf", "#7b4173", "#e6ab02", "#393b79", "#636363"};
constexpr const char* unlistedColour = "#b0b0b0";
constexpr const char* scanColour = "#1f77b4";
constexpr const char* retirementColour = "#ff7f0e";
constexpr const char* routeColour = "#333";

std::string modelLabel(const PlacedObject& object) {
    if (!object.model.empty()) {
        return object.model;
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", object.hash);
    return text;
}

// World metres to picture pixels, north up.
struct Projection {
    double minX, maxY, scale;
    double px(double x) const { return edge + (x - minX) * scale; }
    double py(double y) const { return mapTop + (maxY - y) * scale; }
};

// A world larger than a picture can hold is drawn as an even sample of it.
std::vector<PlacedObject> evenSample(const std::vector<PlacedObject>& world) {
    const std::size_t stride = (world.size() + keptWorldMarks - 1) / keptWorldMarks;
    std::vector<PlacedObject> sample;
    for (std::size_t i = 0; i < world.size(); i += stride) {
        sample.push_back(world[i]);
    }
    return sample;
}

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

    std::map<ModelHash, std::pair<std::string, std::string>> colours; // hash -> label, colour
    for (const PlacedObject& o : world) {
        if (result.listed.contains(o.hash) && !colours.contains(o.hash)) {
            colours[o.hash] = {modelLabel(o), palette[colours.size() % std::size(palette)]};
        }
    }
    constexpr std::size_t fixedLegendEntries = 7;
    const double legendRows =
        std::ceil(static_cast<double>(colours.size() + fixedLegendEntries) / legendColumns);
    SvgWriter svg(std::max(2 * edge + (maxX - minX) * scale, leastPictureWidth),
                  mapBottom + legendBelow + legendRow * legendRows, "#f7f5ee");
    svg.text({{"x", edge}, {"y", titleY}, {"font-size", 16.0}, {"font-weight", "bold"}},
             "BrambleCap dry run: " + std::to_string(result.framesRun) + " frames, scan radius " +
                 svgNumber(std::round(result.radius)) + " m");
    svg.text({{"x", edge}, {"y", subtitleY}, {"fill", "#555"}},
             std::to_string(result.created) + " shields placed, " + std::to_string(result.retired) +
                 " retired, " + std::to_string(result.created - result.retired) +
                 " standing at the end");

    svg.open("g", {{"opacity", 0.5}});
    for (const PlacedObject& o : world) {
        if (!result.listed.contains(o.hash)) {
            svg.dot(f.px(o.x), f.py(o.y), unlistedRadius, unlistedColour);
        }
    }
    svg.close();
    svg.open("g", {{"opacity", 0.85}});
    for (const PlacedObject& o : world) {
        if (result.listed.contains(o.hash)) {
            svg.dot(f.px(o.x), f.py(o.y), listedRadius, colours[o.hash].second);
        }
    }
    svg.close();
    svg.open("g", {{"opacity", 0.45}});
    for (const ShieldMark& s : result.shields) {
        if (s.retired >= 0) {
            svg.ring(f.px(s.x), f.py(s.y), shieldRadius, shieldColour);
        }
    }
    svg.close();
    for (const ShieldMark& s : result.shields) {
        if (s.retired < 0) {
            svg.dot(f.px(s.x), f.py(s.y), shieldRadius, shieldColour);
        }
    }
    std::vector<std::pair<double, double>> routePoints;
    for (const Waypoint& w : route) {
        routePoints.emplace_back(f.px(w.x), f.py(w.y));
    }
    svg.element("polyline", {{"fill", "none"},
                             {"stroke", routeColour},
                             {"stroke-width", 1.5},
                             {"stroke-dasharray", "6 4"},
                             {"points", svgPoints(routePoints)}});

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
    svg.element("path", {{"d", "M" + svgNumber(edge) + " " + svgNumber(barY - scaleTick) + " V" +
                                   svgNumber(barY) + " H" + svgNumber(barEnd) + " V" +
                                   svgNumber(barY - scaleTick)},
                         {"fill", "none"},
                         {"stroke", "#000"},
                         {"stroke-width", 1.5}});
    svg.text({{"x", barEnd + scaleLabelGap}, {"y", barY + scaleLabelDrop}},
             svgNumber(metres) + " m");

    // Legend, three to a row, each with the mark the map draws.
    std::size_t entry = 0;
    const auto legend = [&](const std::string& text, auto drawMark) {
        const double x = edge + static_cast<double>(entry % legendColumns) * legendColumn;
        const double y =
            mapBottom + legendBelow + legendRow * static_cast<double>(entry / legendColumns);
        ++entry;
        svg.open("g", {{"transform", "translate(" + svgNumber(x) + " " + svgNumber(y) + ")"}});
        drawMark();
        svg.text({{"x", keyTextX}, {"y", 0.0}}, text);
        svg.close();
    };
    for (const auto& [hash, model] : colours) {
        legend(model.first + " (listed)", [&] { svg.dot(keyX, keyY, keyRadius, model.second); });
    }
    legend("unlisted objects", [&] { svg.dot(keyX, keyY, keyRadius, unlistedColour); });
    legend("shield standing at the end", [&] { svg.dot(keyX, keyY, keyRadius, shieldColour); });
    legend("shield placed, later retired", [&] { svg.ring(keyX, keyY, keyRadius, shieldColour); });
    legend("route", [&] { svg.line(0, keyY, keyLineLength, keyY, routeColour, 1.5, "4 2"); });
    legend("the player at moments A to D", [&] { svg.dot(keyX, keyY, keyPlayerRadius, "#000"); });
    legend("scan circle (scan radius)", [&] { svg.ring(keyX, keyY, keyRingRadius, scanColour); });
    legend("retirement circle (scan radius + " + svgNumber(retirementMargin) + " m)",
           [&] { svg.ring(keyX, keyY, keyRingRadius, retirementColour, "3 2"); });
    return svg.finish();
}
