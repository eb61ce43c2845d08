#include "tools/sim/pictures.h"

#include "config/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string svgNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::string written = text;
    if (written.ends_with(".0")) {
        written.resize(written.size() - 2);
    }
    return written == "-0" ? "0" : written;
}

std::string svgText(std::string_view text) {
    constexpr std::pair<char, std::string_view> entities[] = {
        {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}};
    std::string escaped;
    for (const char c : visibleText(text)) {
        const auto entity =
            std::ranges::find(entities, c, &std::pair<char, std::string_view>::first);
        escaped += entity != std::end(entities) ? entity->second : std::string_view(&c, 1);
    }
    return escaped;
}

SvgAttribute::SvgAttribute(std::string_view name, double value)
    : name(name), value(svgNumber(value)) {}

SvgAttribute::SvgAttribute(std::string_view name, std::string_view text)
    : name(name), value(svgText(text)) {}

SvgWriter::SvgWriter(double width, double height, std::string_view background) {
    open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                 {"width", width},
                 {"height", height},
                 {"font-family", "sans-serif"},
                 {"font-size", 12.0}});
    element("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", background}});
}

void SvgWriter::start(std::string_view tag, SvgAttributes attributes, SvgAttributes more) {
    svg << '<' << tag;
    for (const SvgAttributes& list : {attributes, more}) {
        for (const SvgAttribute& a : list) {
            if (!a.value.empty()) {
                svg << ' ' << a.name << "=\"" << a.value << '"';
            }
        }
    }
}

void SvgWriter::element(std::string_view tag, SvgAttributes attributes, SvgAttributes more) {
    start(tag, attributes, more);
    svg << "/>\n";
}

void SvgWriter::text(SvgAttributes attributes, std::string_view content) {
    start("text", attributes);
    svg << '>' << svgText(content) << "</text>\n";
}

void SvgWriter::open(std::string_view tag, SvgAttributes attributes) {
    start(tag, attributes);
    svg << ">\n";
    opened.emplace_back(tag);
}

void SvgWriter::close() {
    svg << "</" << opened.back() << ">\n";
    opened.pop_back();
}

std::string SvgWriter::finish() {
    while (!opened.empty()) {
        close();
    }
    return svg.str();
}

void SvgWriter::outline(std::string_view tag, SvgAttributes attributes, std::string_view stroke,
                        double width, std::string_view dashes) {
    element(tag, attributes,
            {{"stroke", stroke}, {"stroke-width", width}, {"stroke-dasharray", dashes}});
}

void SvgWriter::dot(double x, double y, double radius, std::string_view fill) {
    element("circle", {{"cx", x}, {"cy", y}, {"r", radius}, {"fill", fill}});
}

void SvgWriter::ring(double x, double y, double radius, std::string_view stroke,
                     std::string_view dashes) {
    outline("circle", {{"cx", x}, {"cy", y}, {"r", radius}, {"fill", "none"}}, stroke, 1.5, dashes);
}

void SvgWriter::line(double x1, double y1, double x2, double y2, std::string_view stroke,
                     double width, std::string_view dashes) {
    outline("line", {{"x1", x1}, {"y1", y1}, {"x2", x2}, {"y2", y2}}, stroke, width, dashes);
}

void SvgWriter::polyline(const std::vector<PicturePoint>& points, std::string_view stroke,
                         double width, std::string_view dashes) {
    outline("polyline", {{"fill", "none"}, {"points", svgPoints(points)}}, stroke, width, dashes);
}

std::string svgPoints(const std::vector<PicturePoint>& points) {
    std::string text;
    for (const auto& [x, y] : points) {
        text += (text.empty() ? "" : " ") + svgNumber(x) + "," + svgNumber(y);
    }
    return text;
}

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
