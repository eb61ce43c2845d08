#include "tools/sim/route_marks.h"

#include <cmath>

namespace {

constexpr const char* routeColour = "#333";
constexpr double lineWidth = 1.5;
constexpr double arrowSpacing = 150, arrowLength = 9, arrowHalfWidth = 4.5; // pixels
constexpr double startRadius = 5, endSide = 9, labelGap = 8, labelDrop = 6;

} // namespace

void drawRouteLine(SvgWriter& svg, const std::vector<PicturePoint>& route) {
    svg.element("polyline", {{"fill", "none"},
                             {"stroke", routeColour},
                             {"stroke-width", lineWidth},
                             {"stroke-dasharray", "6 4"},
                             {"points", svgPoints(route)}});
}

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
    svg.element("circle", {{"cx", x},
                           {"cy", y},
                           {"r", startRadius},
                           {"fill", "#fff"},
                           {"stroke", routeColour},
                           {"stroke-width", 2.0}});
}

void drawRouteEnd(SvgWriter& svg, double x, double y) {
    svg.element("rect", {{"x", x - endSide / 2},
                         {"y", y - endSide / 2},
                         {"width", endSide},
                         {"height", endSide},
                         {"fill", routeColour}});
}

void drawRoute(SvgWriter& svg, const std::vector<PicturePoint>& route) {
    if (route.empty()) {
        return;
    }
    drawRouteLine(svg, route);
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
    svg.text(
        {{"x", startX + labelGap}, {"y", startY + labelGap + labelDrop}, {"font-weight", "bold"}},
        "start");
    svg.text({{"x", endX + labelGap}, {"y", endY - labelGap}, {"font-weight", "bold"}}, "end");
}
