#include "tools/sim/svg_pictures.h"

#include "config/quoted_text.h"
#include "shields/shield_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace {

// Listed models: ten colours apart from each other and from the marks below.
const char* const palette[] = {"#2ca02c", "#9467bd", "#8c564b", "#e377c2", "#bcbd22",
                               "#17becf", "#7b4173", "#e6ab02", "#393b79", "#636363"};
constexpr const char* unlistedColour = "#b0b0b0";
constexpr const char* shieldColour = "#d62728";
constexpr const char* scanColour = "#1f77b4";
constexpr const char* retirementColour = "#ff7f0e";
constexpr const char* candidatesColour = "#2ca02c";

std::string fixed(double value, int decimals = 1) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string modelLabel(const PlacedObject& object) {
    if (!object.model.empty()) {
        return object.model;
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", object.hash);
    return text;
}

// World metres to picture pixels, north up.
struct Frame {
    double minX, maxY, scale;
    double px(double x) const { return 20 + (x - minX) * scale; }
    double py(double y) const { return 60 + (maxY - y) * scale; }
};

bool save(const std::string& path, const std::string& svg) {
    std::ofstream out(path, std::ios::binary);
    out << svg;
    return static_cast<bool>(out);
}

std::string dot(double x, double y, double r, const std::string& fill) {
    return "<circle cx=\"" + fixed(x) + "\" cy=\"" + fixed(y) + "\" r=\"" + fixed(r) +
           "\" fill=\"" + fill + "\"/>";
}

std::string ring(double x, double y, double r, const std::string& stroke, const char* dashes = "") {
    return "<circle cx=\"" + fixed(x) + "\" cy=\"" + fixed(y) + "\" r=\"" + fixed(r) +
           "\" fill=\"none\" stroke=\"" + stroke + "\" stroke-width=\"1.5\"" +
           (*dashes != 0 ? std::string(" stroke-dasharray=\"") + dashes + "\"" : "") + "/>";
}

// The four moments both pictures mark: a fifth, nine twentieths, seven tenths
// and nineteen twentieths of the way, as the kept records nearest them.
std::vector<FrameRecord> momentsOf(const DryRunResult& result) {
    std::vector<FrameRecord> moments;
    if (result.frames.empty()) {
        return moments;
    }
    for (const double share : {0.2, 0.45, 0.7, 0.95}) {
        const double wanted = 1 + share * (result.framesRun - 1);
        const auto nearest =
            std::min_element(result.frames.begin(), result.frames.end(),
                             [&](const FrameRecord& a, const FrameRecord& b) {
                                 return std::fabs(a.frame - wanted) < std::fabs(b.frame - wanted);
                             });
        moments.push_back(*nearest);
    }
    return moments;
}

const char* const momentLetters[] = {"A", "B", "C", "D"};

} // namespace

double roundStep(double span, int ticks) {
    const double raw = std::max(span, 1e-9) / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw) {
            return factor * power;
        }
    }
    return 10 * power;
}

std::string svgText(std::string_view text) {
    std::string escaped;
    for (const char c : visibleText(text)) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

bool writeMap(const std::string& path, const std::vector<PlacedObject>& world,
              const std::vector<Waypoint>& route, const DryRunResult& result) {
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
    const double margin = 40;
    minX -= margin, maxX += margin, minY -= margin, maxY += margin;
    const double scale = std::min(1400.0 / (maxX - minX), 900.0 / (maxY - minY));
    const Frame f{minX, maxY, scale};
    const double width = std::max(40 + (maxX - minX) * scale, 900.0);
    const double mapHeight = (maxY - minY) * scale;

    std::map<ModelHash, std::pair<std::string, std::string>> colours; // hash -> label, colour
    for (const PlacedObject& o : world) {
        if (result.listed.contains(o.hash) && !colours.contains(o.hash)) {
            colours[o.hash] = {modelLabel(o), palette[colours.size() % std::size(palette)]};
        }
    }
    const double legendRows = std::ceil((static_cast<double>(colours.size()) + 7) / 3);
    const double height = 80 + mapHeight + 40 + 20 * legendRows;

    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << fixed(width, 0) << "\" height=\""
        << fixed(height, 0) << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#f7f5ee\"/>\n"
        << "<text x=\"20\" y=\"24\" font-size=\"16\" font-weight=\"bold\">BrambleCap dry run: "
        << result.framesRun << " frames, scan radius " << fixed(result.radius, 0) << " m</text>\n"
        << "<text x=\"20\" y=\"44\" fill=\"#555\">" << result.created << " shields placed, "
        << result.retired << " retired, " << (result.created - result.retired)
        << " standing at the end</text>\n";

    svg << "<g opacity=\"0.5\">\n";
    for (const PlacedObject& o : world) {
        if (!result.listed.contains(o.hash)) {
            svg << dot(f.px(o.x), f.py(o.y), 1.3, unlistedColour) << "\n";
        }
    }
    svg << "</g>\n<g opacity=\"0.85\">\n";
    for (const PlacedObject& o : world) {
        if (result.listed.contains(o.hash)) {
            svg << dot(f.px(o.x), f.py(o.y), 1.8, colours[o.hash].second) << "\n";
        }
    }
    svg << "</g>\n<g opacity=\"0.45\">\n";
    for (const ShieldMark& s : result.shields) {
        if (s.retired >= 0) {
            svg << ring(f.px(s.x), f.py(s.y), 3, shieldColour) << "\n";
        }
    }
    svg << "</g>\n";
    for (const ShieldMark& s : result.shields) {
        if (s.retired < 0) {
            svg << dot(f.px(s.x), f.py(s.y), 3, shieldColour) << "\n";
        }
    }
    svg << "<polyline fill=\"none\" stroke=\"#333\" stroke-width=\"1.5\" "
           "stroke-dasharray=\"6 4\" points=\"";
    for (const Waypoint& w : route) {
        svg << fixed(f.px(w.x)) << "," << fixed(f.py(w.y)) << " ";
    }
    svg << "\"/>\n";

    const std::vector<FrameRecord> moments = momentsOf(result);
    for (std::size_t i = 0; i < moments.size(); ++i) {
        const double cx = f.px(moments[i].x), cy = f.py(moments[i].y);
        if (std::isfinite(result.radius)) {
            svg << ring(cx, cy, std::fabs(result.radius) * scale, scanColour) << "\n"
                << ring(cx, cy, std::fabs(result.radius + retirementMargin) * scale,
                        retirementColour, "8 5")
                << "\n";
        }
        svg << dot(cx, cy, 4, "#000") << "<text x=\"" << fixed(cx + 6) << "\" y=\"" << fixed(cy - 6)
            << "\" font-weight=\"bold\">" << momentLetters[i] << "</text>"
            << "<text x=\"" << fixed(cx + 18) << "\" y=\"" << fixed(cy - 6) << "\">frame "
            << moments[i].frame << "</text>\n";
    }

    // A scale bar of a round length, about a fifth of the map's width.
    const double metres = roundStep((maxX - minX) / 5, 1);
    const double barY = 80 + mapHeight + 10, barEnd = 20 + metres * scale;
    svg << "<path d=\"M20 " << fixed(barY - 4) << " V" << fixed(barY) << " H" << fixed(barEnd)
        << " V" << fixed(barY - 4) << "\" fill=\"none\" stroke=\"#000\" stroke-width=\"1.5\"/>"
        << "<text x=\"" << fixed(barEnd + 8) << "\" y=\"" << fixed(barY + 2) << "\">"
        << fixed(metres, 0) << " m</text>\n";

    // Legend, three to a row, each with the mark the map draws.
    std::vector<std::pair<std::string, std::string>> entries; // mark, text
    const auto marked = [&](std::string mark, std::string text) {
        entries.emplace_back(std::move(mark), std::move(text));
    };
    for (const auto& [hash, entry] : colours) {
        marked(dot(6, -4, 4, entry.second), svgText(entry.first) + " (listed)");
    }
    marked(dot(6, -4, 4, unlistedColour), "unlisted objects");
    marked(dot(6, -4, 4, shieldColour), "shield standing at the end");
    marked(ring(6, -4, 4, shieldColour), "shield placed, later retired");
    marked("<line x1=\"0\" y1=\"-4\" x2=\"14\" y2=\"-4\" stroke=\"#333\" stroke-width=\"1.5\" "
           "stroke-dasharray=\"4 2\"/>",
           "route");
    marked(dot(6, -4, 3, "#000"), "the player at moments A to D");
    marked(ring(6, -4, 5, scanColour), "scan circle (scan radius)");
    marked(ring(6, -4, 5, retirementColour, "3 2"),
           "retirement circle (scan radius + " + fixed(retirementMargin, 0) + " m)");
    const double legendTop = 80 + mapHeight + 40;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const double x = 20 + static_cast<double>(i % 3) * 300;
        const double y = legendTop + 20 * static_cast<double>(i / 3);
        svg << "<g transform=\"translate(" << fixed(x) << " " << fixed(y) << ")\">"
            << entries[i].first << "<text x=\"20\" y=\"0\">" << entries[i].second
            << "</text></g>\n";
    }
    svg << "</svg>\n";
    return save(path, svg.str());
}

bool writePlot(const std::string& path, const DryRunResult& result) {
    const double width = 1000, height = 400, left = 70, right = 20, top = 50, bottom = 60;
    const double plotWidth = width - left - right, plotHeight = height - top - bottom;
    int highest = 10;
    for (const FrameRecord& r : result.frames) {
        highest = std::max({highest, r.candidates, r.held});
    }
    const double yStep = roundStep(highest * 1.1);
    const double yMax = std::ceil(highest * 1.1 / yStep) * yStep;
    const double frames = std::max(1, result.framesRun);
    const auto px = [&](double frame) {
        return left + (frame - 1) * plotWidth / std::max(1.0, frames - 1);
    };
    const auto py = [&](double value) { return top + plotHeight - value * plotHeight / yMax; };

    const auto line = [&](int FrameRecord::*field) {
        std::ostringstream points;
        for (const FrameRecord& r : result.frames) {
            points << fixed(px(r.frame)) << "," << fixed(py(r.*field)) << " ";
        }
        return points.str();
    };

    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n"
        << "<text x=\"" << left << "\" y=\"24\" font-size=\"16\" font-weight=\"bold\">"
        << "Nearby candidates and shields held, frame by frame</text>\n";
    for (double value = 0; value <= yMax + yStep / 2; value += yStep) {
        svg << "<line x1=\"" << left << "\" x2=\"" << width - right << "\" y1=\""
            << fixed(py(value)) << "\" y2=\"" << fixed(py(value)) << "\" stroke=\"#e5e5e5\"/>"
            << "<text x=\"" << left - 8 << "\" y=\"" << fixed(py(value) + 4)
            << "\" text-anchor=\"end\">" << fixed(value, 0) << "</text>\n";
    }
    const double xStep = roundStep(frames, 8);
    for (double frame = xStep; frame <= frames; frame += xStep) {
        svg << "<line x1=\"" << fixed(px(frame)) << "\" x2=\"" << fixed(px(frame)) << "\" y1=\""
            << top + plotHeight << "\" y2=\"" << top + plotHeight + 5 << "\" stroke=\"#000\"/>"
            << "<text x=\"" << fixed(px(frame)) << "\" y=\"" << top + plotHeight + 18
            << "\" text-anchor=\"middle\">" << fixed(frame, 0) << "</text>\n";
    }
    const double cap = static_cast<double>(maxShields);
    if (yMax >= cap) {
        svg << "<line x1=\"" << left << "\" x2=\"" << width - right << "\" y1=\"" << fixed(py(cap))
            << "\" y2=\"" << fixed(py(cap)) << "\" stroke=\"#999\" stroke-dasharray=\"4 4\"/>"
            << "<text x=\"" << width - right << "\" y=\"" << fixed(py(cap) - 4)
            << "\" text-anchor=\"end\" fill=\"#777\">cap of " << maxShields << " shields</text>\n";
    }
    const std::vector<FrameRecord> moments = momentsOf(result);
    for (std::size_t i = 0; i < moments.size(); ++i) {
        const double x = px(moments[i].frame);
        svg << "<line x1=\"" << fixed(x) << "\" x2=\"" << fixed(x) << "\" y1=\"" << top
            << "\" y2=\"" << top + plotHeight << "\" stroke=\"#000\" stroke-dasharray=\"2 3\"/>"
            << "<text x=\"" << fixed(x + 4) << "\" y=\"" << top + 12 << "\" font-weight=\"bold\">"
            << momentLetters[i] << "</text>\n";
    }
    svg << "<line x1=\"" << left << "\" x2=\"" << left << "\" y1=\"" << top << "\" y2=\""
        << top + plotHeight << "\" stroke=\"#000\"/><line x1=\"" << left << "\" x2=\""
        << width - right << "\" y1=\"" << top + plotHeight << "\" y2=\"" << top + plotHeight
        << "\" stroke=\"#000\"/>\n"
        << "<text x=\"" << left + plotWidth / 2 << "\" y=\"" << height - 14
        << "\" text-anchor=\"middle\">frame (A to D: the moments drawn on the map)</text>\n"
        << "<text transform=\"translate(18 " << top + plotHeight / 2
        << ") rotate(-90)\" text-anchor=\"middle\">objects</text>\n"
        << "<polyline fill=\"none\" stroke=\"" << candidatesColour
        << "\" stroke-width=\"1.5\" points=\"" << line(&FrameRecord::candidates) << "\"/>\n"
        << "<polyline fill=\"none\" stroke=\"" << shieldColour << "\" stroke-width=\"2\" points=\""
        << line(&FrameRecord::held) << "\"/>\n"
        << "<line x1=\"" << left + 30 << "\" x2=\"" << left + 50 << "\" y1=\"" << top + 26
        << "\" y2=\"" << top + 26 << "\" stroke=\"" << candidatesColour
        << "\" stroke-width=\"1.5\"/><text x=\"" << left + 56 << "\" y=\"" << top + 30
        << "\">nearby candidates</text>\n"
        << "<line x1=\"" << left + 200 << "\" x2=\"" << left + 220 << "\" y1=\"" << top + 26
        << "\" y2=\"" << top + 26 << "\" stroke=\"" << shieldColour
        << "\" stroke-width=\"2\"/><text x=\"" << left + 226 << "\" y=\"" << top + 30
        << "\">shields held</text>\n</svg>\n";
    return save(path, svg.str());
}
