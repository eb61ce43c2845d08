#include "tools/sim/pictures.h"

#include "shields/shields.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double width = 1000, height = 400;
constexpr double left = 70, right = 20, top = 50, bottom = 60; // the axes' distance from the edges
constexpr double plotWidth = width - left - right, plotHeight = height - top - bottom;
constexpr double axisY = top + plotHeight;
constexpr double titleY = 24;
constexpr double tickLength = 5, tickLabelBelow = 18, valueLabelLeft = 8, textRaise = 4;
constexpr double axisTitleBelow = 14, axisTitleLeft = 18;
constexpr double keyY = top + 26, keyLine = 20, keyTextGap = 6, keyTextDrop = 4;
constexpr double candidatesKeyX = left + 30, heldKeyX = left + 200, momentLetterDrop = 12;
constexpr int leastHighest = 10; // the value axis reaches at least this far
constexpr double headroom = 1.1; // above the highest value
constexpr const char* candidatesColour = "#2ca02c";
constexpr const char* gridColour = "#e5e5e5";
constexpr const char* capColour = "#999";

} // namespace

std::string drawPlot(const DryRunResult& result) {
    int highest = leastHighest;
    for (const FrameRecord& r : result.frames) {
        highest = std::max({highest, r.candidates, r.held});
    }
    const double yStep = roundStep(highest * headroom);
    const double yMax = std::ceil(highest * headroom / yStep) * yStep;
    const double frames = std::max(1, result.framesRun);
    const auto px = [&](double frame) {
        return left + (frame - 1) * plotWidth / std::max(1.0, frames - 1);
    };
    const auto py = [&](double value) { return axisY - value * plotHeight / yMax; };
    const auto line = [&](int FrameRecord::*field) {
        std::vector<PicturePoint> points;
        for (const FrameRecord& r : result.frames) {
            points.emplace_back(px(r.frame), py(r.*field));
        }
        return points;
    };

    SvgWriter svg(width, height, "#fff");
    svg.text({{"x", left}, {"y", titleY}, {"font-size", 16.0}, {"font-weight", "bold"}},
             "The plug-in's candidates and shields held, frame by frame");
    for (double value = 0; value <= yMax + yStep / 2; value += yStep) {
        svg.line(left, py(value), width - right, py(value), gridColour);
        svg.text(
            {{"x", left - valueLabelLeft}, {"y", py(value) + textRaise}, {"text-anchor", "end"}},
            svgNumber(value));
    }
    // Frames are whole: no tick between two of them, whatever the run's length.
    const double xStep = std::max(1.0, roundStep(frames, 8));
    for (double frame = xStep; frame <= frames; frame += xStep) {
        svg.line(px(frame), axisY, px(frame), axisY + tickLength, "#000");
        svg.text({{"x", px(frame)}, {"y", axisY + tickLabelBelow}, {"text-anchor", "middle"}},
                 svgNumber(frame));
    }
    const double cap = static_cast<double>(maxShields);
    if (yMax >= cap) {
        svg.line(left, py(cap), width - right, py(cap), capColour, 1, "4 4");
        svg.text({{"x", width - right},
                  {"y", py(cap) - textRaise},
                  {"text-anchor", "end"},
                  {"fill", "#777"}},
                 "cap of " + std::to_string(maxShields) + " shields");
    }
    const std::vector<FrameRecord> moments = momentsOf(result);
    for (std::size_t i = 0; i < moments.size(); ++i) {
        const double x = px(moments[i].frame);
        svg.line(x, top, x, axisY, "#000", 1, "2 3");
        svg.text({{"x", x + textRaise}, {"y", top + momentLetterDrop}, {"font-weight", "bold"}},
                 momentLetters[i]);
    }
    svg.line(left, top, left, axisY, "#000");
    svg.line(left, axisY, width - right, axisY, "#000");
    svg.text(
        {{"x", left + plotWidth / 2}, {"y", height - axisTitleBelow}, {"text-anchor", "middle"}},
        "frame (A to D: the moments drawn on the map)");
    svg.text({{"transform", "translate(" + svgNumber(axisTitleLeft) + " " +
                                svgNumber(top + plotHeight / 2) + ") rotate(-90)"},
              {"text-anchor", "middle"}},
             "objects");
    svg.polyline(line(&FrameRecord::candidates), candidatesColour, 1.5);
    svg.polyline(line(&FrameRecord::held), shieldColour, 2);
    const auto key = [&](double x, const char* colour, double strokeWidth, const char* label) {
        svg.line(x, keyY, x + keyLine, keyY, colour, strokeWidth);
        svg.text({{"x", x + keyLine + keyTextGap}, {"y", keyY + keyTextDrop}}, label);
    };
    key(candidatesKeyX, candidatesColour, 1.5, "candidates");
    key(heldKeyX, shieldColour, 2, "shields held");
    return svg.finish();
}
