#pragma once

// What the map and the plot share: an SVG writer, the four moments both mark,
// the colour of shields, and round steps for axes and scale bars.

#include "tools/sim/dry_run.h"

#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Text for an SVG: escaped for XML, bytes nobody can see shown as \xNN.
std::string svgText(std::string_view text);
// A number as the pictures write it, with at most one decimal.
std::string svgNumber(double value);

using PicturePoint = std::pair<double, double>;
// "x,y x,y ..." for a polyline or polygon.
std::string svgPoints(const std::vector<PicturePoint>& points);

// One attribute of an element; a number is written as svgNumber writes it,
// and an empty text leaves the attribute out.
struct SvgAttribute {
    SvgAttribute(std::string_view name, double number);
    SvgAttribute(std::string_view name, std::string_view text);

    std::string_view name;
    std::string value; // escaped
};
using SvgAttributes = std::initializer_list<SvgAttribute>;

// An SVG document written element by element, one a line, its attributes and
// texts escaped.
class SvgWriter {
  public:
    // The document, in the pictures' font, on a background of one colour.
    SvgWriter(double width, double height, std::string_view background);

    void element(std::string_view tag, SvgAttributes attributes, SvgAttributes more = {});
    void text(SvgAttributes attributes, std::string_view content);
    void open(std::string_view tag, SvgAttributes attributes);
    void close();
    // Closes every element still open and gives the document.
    std::string finish();

    // A shape's own attributes, then a stroke of this colour, width and dashes
    // (none when empty).
    void outline(std::string_view tag, SvgAttributes attributes, std::string_view stroke,
                 double width, std::string_view dashes = "");
    void dot(double x, double y, double radius, std::string_view fill);
    void ring(double x, double y, double radius, std::string_view stroke,
              std::string_view dashes = "");
    void line(double x1, double y1, double x2, double y2, std::string_view stroke, double width = 1,
              std::string_view dashes = "");
    void polyline(const std::vector<PicturePoint>& points, std::string_view stroke, double width,
                  std::string_view dashes = "");

  private:
    void start(std::string_view tag, SvgAttributes attributes, SvgAttributes more = {});

    std::ostringstream svg;
    std::vector<std::string> opened;
};

inline constexpr const char* momentLetters[] = {"A", "B", "C", "D"};
inline constexpr const char* shieldColour = "#d62728";

// A fifth, nine twentieths, seven tenths and nineteen twentieths of the way,
// as the kept records nearest them.
std::vector<FrameRecord> momentsOf(const DryRunResult& result);

// The step between axis ticks for a span: 1, 2 or 5 times a power of ten,
// giving about `ticks` of them.
double roundStep(double span, int ticks = 5);
