#pragma once

#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

// Text for an SVG: escaped for XML, bytes nobody can see shown as \xNN.
std::string svgText(std::string_view text);

// One attribute of an element; a number is written with at most one decimal,
// and an empty text leaves the attribute out.
struct SvgAttribute {
    SvgAttribute(std::string_view name, double number);
    SvgAttribute(std::string_view name, std::string_view text);
    SvgAttribute(std::string_view name, const char* text)
        : SvgAttribute(name, std::string_view(text)) {}
    SvgAttribute(std::string_view name, const std::string& text)
        : SvgAttribute(name, std::string_view(text)) {}

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

    void element(std::string_view tag, SvgAttributes attributes);
    void text(SvgAttributes attributes, std::string_view content);
    void open(std::string_view tag, SvgAttributes attributes);
    void close();
    // Closes every element still open and gives the document.
    std::string finish();

    void dot(double x, double y, double radius, std::string_view fill);
    void ring(double x, double y, double radius, std::string_view stroke,
              std::string_view dashes = "");
    void line(double x1, double y1, double x2, double y2, std::string_view stroke, double width = 1,
              std::string_view dashes = "");

  private:
    void start(std::string_view tag, SvgAttributes attributes);

    std::ostringstream svg;
    std::vector<std::string> opened;
};

// A number as the pictures write it, with at most one decimal.
std::string svgNumber(double value);

// "x,y x,y ..." for a polyline or polygon.
std::string svgPoints(const std::vector<std::pair<double, double>>& points);
