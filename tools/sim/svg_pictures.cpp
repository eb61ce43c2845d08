#include "tools/sim/svg_pictures.h"

#include "shields/shield_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace {

const char* const palette[] = {"#2e7d32", "#558b2f", "#00897b", "#6d4c41", "#1565c0",
                               "#8e24aa", "#ef6c00", "#c0ca33", "#5d4037", "#00acc1"};
constexpr const char* shieldColour = "#d32f2f";

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

} // namespace

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
    const double width = 40 + (maxX - minX) * scale;
    const double mapHeight = (maxY - minY) * scale;

    std::map<ModelHash, std::pair<std::string, std::string>> colours; // hash -> label, colour
    for (const PlacedObject& o : world) {
        if (result.listed.contains(o.hash) && !colours.contains(o.hash)) {
            colours[o.hash] = {modelLabel(o), palette[colours.size() % std::size(palette)]};
        }
    }
    const double legendRows = static_cast<double>(colours.size()) + 5;
    const double height = 80 + mapHeight + 20 + 18 * std::ceil(legendRows / 3);

    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << fixed(width, 0) << "\" height=\""
        << fixed(height, 0) << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#f7f5ee\"/>\n"
        << "<text x=\"20\" y=\"24\" font-size=\"16\" font-weight=\"bold\">BrambleCap dry run: "
        << result.frames.size() << " frames, scan radius " << fixed(result.radius, 0)
        << " m</text>\n"
        << "<text x=\"20\" y=\"44\" fill=\"#555\">" << result.created << " shields placed, "
        << result.retired << " retired, " << (result.created - result.retired)
        << " standing at the end (filled red); 100 m = " << fixed(100 * scale, 0) << " px</text>\n";

    svg << "<g opacity=\"0.35\" fill=\"#8a8a8a\">\n";
    for (const PlacedObject& o : world) {
        if (!result.listed.contains(o.hash)) {
            svg << "<circle cx=\"" << fixed(f.px(o.x)) << "\" cy=\"" << fixed(f.py(o.y))
                << "\" r=\"1.3\"/>\n";
        }
    }
    svg << "</g>\n<g opacity=\"0.85\">\n";
    for (const PlacedObject& o : world) {
        if (result.listed.contains(o.hash)) {
            svg << "<circle cx=\"" << fixed(f.px(o.x)) << "\" cy=\"" << fixed(f.py(o.y))
                << "\" r=\"1.8\" fill=\"" << colours[o.hash].second << "\"/>\n";
        }
    }
    svg << "</g>\n<g fill=\"none\" stroke=\"" << shieldColour
        << "\" stroke-width=\"0.8\" opacity=\"0.35\">\n";
    for (const ShieldMark& s : result.shields) {
        if (s.retired >= 0) {
            svg << "<circle cx=\"" << fixed(f.px(s.x)) << "\" cy=\"" << fixed(f.py(s.y))
                << "\" r=\"3\"/>\n";
        }
    }
    svg << "</g>\n<g fill=\"" << shieldColour << "\" stroke=\"#5a0000\" stroke-width=\"0.6\">\n";
    for (const ShieldMark& s : result.shields) {
        if (s.retired < 0) {
            svg << "<circle cx=\"" << fixed(f.px(s.x)) << "\" cy=\"" << fixed(f.py(s.y))
                << "\" r=\"3\"/>\n";
        }
    }
    svg << "</g>\n<polyline fill=\"none\" stroke=\"#333\" stroke-width=\"1.5\" "
           "stroke-dasharray=\"6 4\" points=\"";
    for (const Waypoint& w : route) {
        svg << fixed(f.px(w.x)) << "," << fixed(f.py(w.y)) << " ";
    }
    svg << "\"/>\n";

    // The circles at a few moments of the drive.
    const std::size_t frames = result.frames.size();
    const bool drawCircles = std::isfinite(result.radius);
    for (const double share : {0.2, 0.45, 0.7, 0.95}) {
        if (frames == 0) {
            break;
        }
        const FrameRecord& at =
            result.frames[static_cast<std::size_t>(share * static_cast<double>(frames - 1))];
        const double cx = f.px(at.x), cy = f.py(at.y);
        if (drawCircles) {
            svg << "<circle cx=\"" << fixed(cx) << "\" cy=\"" << fixed(cy) << "\" r=\""
                << fixed(std::fabs(result.radius) * scale)
                << "\" fill=\"#3949ab\" fill-opacity=\"0.06\" "
                << "stroke=\"#3949ab\" stroke-width=\"1.5\"/>\n"
                << "<circle cx=\"" << fixed(cx) << "\" cy=\"" << fixed(cy) << "\" r=\""
                << fixed(std::fabs(result.radius + retirementMargin) * scale)
                << "\" fill=\"none\" stroke=\"#ef6c00\" stroke-width=\"1.5\" stroke-dasharray=\"8 "
                   "5\"/>\n";
        }
        svg << "<circle cx=\"" << fixed(cx) << "\" cy=\"" << fixed(cy)
            << "\" r=\"4\" fill=\"#000\"/>\n"
            << "<text x=\"" << fixed(cx + 6) << "\" y=\"" << fixed(cy - 6) << "\">frame "
            << at.frame << "</text>\n";
    }

    // Legend, three to a row.
    std::vector<std::pair<std::string, std::string>> entries; // colour, text
    for (const auto& [hash, entry] : colours) {
        entries.emplace_back(entry.second, entry.first + " (listed)");
    }
    entries.emplace_back("#8a8a8a", "unlisted objects");
    entries.emplace_back(shieldColour, "shield standing at the end");
    entries.emplace_back("#f4b4b4", "shield placed, later retired");
    entries.emplace_back("#3949ab", "scan circle");
    entries.emplace_back("#ef6c00", "retirement circle (scan radius + " +
                                        fixed(retirementMargin, 0) + " m)");
    const double legendTop = 80 + mapHeight;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const double x = 20 + static_cast<double>(i % 3) * 420;
        const double y = legendTop + 18 * static_cast<double>(i / 3);
        svg << "<circle cx=\"" << fixed(x + 5) << "\" cy=\"" << fixed(y - 4) << "\" r=\"5\" fill=\""
            << entries[i].first << "\"/><text x=\"" << fixed(x + 16) << "\" y=\"" << fixed(y)
            << "\">" << entries[i].second << "</text>\n";
    }
    svg << "</svg>\n";
    return save(path, svg.str());
}

bool writePlot(const std::string& path, const DryRunResult& result) {
    const double width = 1000, height = 380, left = 60, right = 20, top = 50, bottom = 50;
    const double plotWidth = width - left - right, plotHeight = height - top - bottom;
    int highest = 10;
    for (const FrameRecord& r : result.frames) {
        highest = std::max({highest, r.candidates, r.held});
    }
    const double yMax = std::ceil(highest * 1.1 / 10) * 10;
    const double frames = std::max<double>(1, static_cast<double>(result.frames.size()));
    const auto px = [&](double frame) {
        return left + (frame - 1) * plotWidth / std::max(1.0, frames - 1);
    };
    const auto py = [&](double value) { return top + plotHeight - value * plotHeight / yMax; };

    // At most one point per pixel column: the highest of the frames it covers.
    const auto line = [&](int FrameRecord::*field) {
        std::ostringstream points;
        const std::size_t step = std::max<std::size_t>(1, result.frames.size() / 1000);
        for (std::size_t i = 0; i < result.frames.size(); i += step) {
            int value = 0;
            for (std::size_t j = i; j < std::min(result.frames.size(), i + step); ++j) {
                value = std::max(value, result.frames[j].*field);
            }
            points << fixed(px(static_cast<double>(result.frames[i].frame))) << ","
                   << fixed(py(value)) << " ";
        }
        return points.str();
    };

    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n"
        << "<text x=\"" << left << "\" y=\"24\" font-size=\"16\" font-weight=\"bold\">"
        << "Nearby candidates and shields held, frame by frame</text>\n";
    for (int i = 0; i <= 5; ++i) {
        const double value = yMax * i / 5;
        svg << "<line x1=\"" << left << "\" x2=\"" << width - right << "\" y1=\""
            << fixed(py(value)) << "\" y2=\"" << fixed(py(value)) << "\" stroke=\"#e5e5e5\"/>\n"
            << "<text x=\"" << left - 8 << "\" y=\"" << fixed(py(value) + 4)
            << "\" text-anchor=\"end\">" << fixed(value, 0) << "</text>\n";
        const double frame = 1 + (frames - 1) * i / 5;
        svg << "<text x=\"" << fixed(px(frame)) << "\" y=\"" << height - bottom + 18
            << "\" text-anchor=\"middle\">" << fixed(frame, 0) << "</text>\n";
    }
    const double cap = static_cast<double>(maxShields);
    if (yMax >= cap) {
        svg << "<line x1=\"" << left << "\" x2=\"" << width - right << "\" y1=\"" << fixed(py(cap))
            << "\" y2=\"" << fixed(py(cap)) << "\" stroke=\"#999\" stroke-dasharray=\"4 4\"/>"
            << "<text x=\"" << width - right << "\" y=\"" << fixed(py(cap) - 4)
            << "\" text-anchor=\"end\" fill=\"#777\">cap of " << maxShields << " shields</text>\n";
    }
    svg << "<text x=\"" << left + plotWidth / 2 << "\" y=\"" << height - 10
        << "\" text-anchor=\"middle\">frame</text>\n"
        << "<polyline fill=\"none\" stroke=\"#2e7d32\" stroke-width=\"1.5\" points=\""
        << line(&FrameRecord::candidates)
        << "\"/>\n<polyline fill=\"none\" stroke=\"#d32f2f\" stroke-width=\"2\" points=\""
        << line(&FrameRecord::held) << "\"/>\n"
        << "<rect x=\"" << left + 10 << "\" y=\"" << top + 4
        << "\" width=\"12\" height=\"3\" fill=\"#2e7d32\"/>"
        << "<text x=\"" << left + 28 << "\" y=\"" << top + 10 << "\">nearby candidates</text>\n"
        << "<rect x=\"" << left + 170 << "\" y=\"" << top + 4
        << "\" width=\"12\" height=\"3\" fill=\"#d32f2f\"/>"
        << "<text x=\"" << left + 188 << "\" y=\"" << top + 10
        << "\">shields held</text>\n</svg>\n";
    return save(path, svg.str());
}
