#include "map/SvgCanvas.h"

#include <charconv>
#include <cmath>

#include "map/MapStyle.h"

namespace tarnwell {

namespace {

std::string Number(double value) {
    char text[32];
    const double rounded = std::round(value * 10) / 10;
    const auto [end, ec] = std::to_chars(text, text + sizeof text, rounded == 0 ? 0.0 : rounded,
                                         std::chars_format::fixed, 1);
    (void)ec;
    return std::string(text, end);
}

std::string Colour(Rgb c) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string text = "#";
    for (const std::uint8_t v : {c.r, c.g, c.b}) text += {Hex[v >> 4], Hex[v & 15]};
    return text;
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else if (static_cast<unsigned char>(c) < 0x20) out += '?';
        else out += c;
    }
    return out;
}

const char* ClassOf(LineStyle style) {
    switch (style) {
        case LineStyle::Coastline: return "coast";
        case LineStyle::Route: return "route";
        case LineStyle::PlanAirway: return "airway";
        case LineStyle::PlanDirect: return "direct";
    }
    return "";
}

const char* ClassOf(LabelStyle style) {
    switch (style) {
        case LabelStyle::Airport: return "airport-code";
        case LabelStyle::PlanPoint: return "point-ident";
        case LabelStyle::Airway: return "airway-name";
    }
    return "";
}

std::string LineRule(LineStyle style) {
    const LineLook look = LookOf(style);
    std::string rule = "." + std::string(ClassOf(style)) + "{fill:none;stroke:" + Colour(look.colour) +
                       ";stroke-width:" + Number(look.width) + ";stroke-linejoin:round;stroke-linecap:round";
    if (look.dashed) rule += ";stroke-dasharray:" + Number(DashOn) + " " + Number(DashOff);
    return rule + "}\n";
}

}  // namespace

SvgCanvas::SvgCanvas(int width, int height) : width_(width), height_(height) {}

void SvgCanvas::Polyline(std::span<const ScreenPoint> points, LineStyle style) {
    body_ += "<polyline class=\"" + std::string(ClassOf(style)) + "\" points=\"";
    for (std::size_t i = 0; i < points.size(); ++i)
        body_ += (i ? " " : "") + Number(points[i].x) + "," + Number(points[i].y);
    body_ += "\"/>\n";
}

void SvgCanvas::Mark(ScreenPoint at, MarkStyle style) {
    const double r = LookOf(style).radius;
    if (style == MarkStyle::Airport)
        body_ += "<circle class=\"airport\" cx=\"" + Number(at.x) + "\" cy=\"" + Number(at.y) + "\" r=\"" + Number(r) +
                 "\"/>\n";
    else
        body_ += "<rect class=\"point\" x=\"" + Number(at.x - r) + "\" y=\"" + Number(at.y - r) + "\" width=\"" +
                 Number(2 * r) + "\" height=\"" + Number(2 * r) + "\"/>\n";
}

void SvgCanvas::Label(ScreenPoint at, std::string_view text, LabelStyle style) {
    const bool centred = style == LabelStyle::Airway;
    body_ += "<text class=\"" + std::string(ClassOf(style)) + "\" x=\"" + Number(centred ? at.x : at.x + 5) +
             "\" y=\"" + Number(centred ? at.y + 4 : at.y - 4) + "\">" + Escaped(text) + "</text>\n";
}

std::string SvgCanvas::Finish() const {
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      std::to_string(width_) + "\" height=\"" + std::to_string(height_) + "\" viewBox=\"0 0 " +
                      std::to_string(width_) + " " + std::to_string(height_) + "\">\n<style>\n";
    for (const LineStyle style : {LineStyle::Coastline, LineStyle::Route, LineStyle::PlanAirway, LineStyle::PlanDirect})
        doc += LineRule(style);
    doc += ".airport{fill:" + Colour(LookOf(MarkStyle::Airport).fill) + "}\n";
    doc += ".point{fill:" + Colour(LookOf(MarkStyle::PlanPoint).fill) + "}\n";
    for (const LabelStyle style : {LabelStyle::Airport, LabelStyle::PlanPoint, LabelStyle::Airway})
        doc += "." + std::string(ClassOf(style)) + "{fill:" + Colour(ColourOf(style)) +
               ";font:10px sans-serif;paint-order:stroke;stroke:#ffffff;stroke-width:2.5" +
               (style == LabelStyle::Airway ? ";text-anchor:middle;font-style:italic" : "") + "}\n";
    doc += "</style>\n<rect width=\"100%\" height=\"100%\" fill=\"" + Colour(SeaColour) + "\"/>\n";
    return doc + body_ + "</svg>\n";
}

}  // namespace tarnwell
