// plotterformats.cpp - HP-GL and G-code text from the strokes in drawing order.
#include "plotterformats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int canvasSpanX = Image_Width - 1, canvasSpanY = Image_Height - 1;  // cells from the first to the last

// The cell's place on the plotter in mm, y counting up from the bottom row.
struct Millimetres {
    double x, y;
};
Millimetres place(Cell c, const PlotterLayout& layout) {
    return {layout.left + layout.scale * c.x, layout.bottom + layout.scale * (canvasSpanY - c.y)};
}

std::string hpglPoint(Cell c, const PlotterLayout& layout) {
    const Millimetres at = place(c, layout);
    return std::to_string(std::lround(hpglUnitsPerMm * at.x)) + "," + std::to_string(std::lround(hpglUnitsPerMm * at.y));
}

// To a thousandth, without trailing zeros: "12", "12.5", "0.125".
std::string millimetres(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", std::round(value * 1000) / 1000 + 0.0);
    std::string number = text;
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.') number.pop_back();
    return number == "-0" ? "0" : number;
}

std::string gcodePoint(Cell c, const PlotterLayout& layout) {
    const Millimetres at = place(c, layout);
    return "X" + millimetres(at.x) + " Y" + millimetres(at.y);
}

// The lines as given, each ended by a newline; nothing for none.
std::string programLines(std::string lines) {
    while (!lines.empty() && (lines.back() == '\n' || lines.back() == '\r')) lines.pop_back();
    return lines.empty() ? "" : lines + "\n";
}

}  // namespace

PlotterLayout plotterLayout(const std::optional<Sheet>& sheet) {
    if (!sheet) return {};
    const double scale = std::min((sheet->width - 2 * sheet->margin) / canvasSpanX,
                                  (sheet->height - 2 * sheet->margin) / canvasSpanY);
    return {scale, (sheet->width - scale * canvasSpanX) / 2, (sheet->height - scale * canvasSpanY) / 2};
}

std::string plotDescription(const std::string& name, const std::vector<Stroke>& order, const PlotterLayout& layout,
                            const std::optional<Sheet>& sheet) {
    size_t lines = 0, dots = 0;
    for (const Stroke& stroke : order) {
        if (stroke.size() == 1) ++dots;
        else lines += stroke.size() - 1;
    }
    std::string text = name + ": " + std::to_string(lines) + (lines == 1 ? " line, " : " lines, ") +
                       std::to_string(dots) + (dots == 1 ? " dot, " : " dots, ") + millimetres(layout.scale * canvasSpanX) +
                       " x " + millimetres(layout.scale * canvasSpanY) + " mm ";
    if (!sheet) return text + "from the machine's zero";
    return text + "on " + sheet->name + " (" + millimetres(sheet->width) + " x " + millimetres(sheet->height) +
           " mm, margin " + millimetres(sheet->margin) + " mm)";
}

std::string encodeHpgl(const std::vector<Stroke>& order, const PlotterLayout& layout) {
    std::string text = "IN;\nSP1;\n";
    for (const Stroke& stroke : order) {
        text += "PU" + hpglPoint(stroke.front(), layout) + ";\nPD";
        for (size_t i = 1; i < stroke.size(); ++i) text += (i > 1 ? "," : "") + hpglPoint(stroke[i], layout);
        text += ";\n";
    }
    return text + "PU;\nSP0;\n";
}

std::string encodeGcode(const std::vector<Stroke>& order, const PlotterLayout& layout, const GcodeSettings& gcode,
                        const std::string& description) {
    const std::string penUp = programLines(penUpLines(gcode)), penDown = programLines(penDownLines(gcode));
    const std::string travel = gcode.travelFeed ? " F" + millimetres(*gcode.travelFeed) + "\n" : "\n";
    const std::string draw = " F" + millimetres(gcode.feed) + "\n";
    std::string text = "; " + description + "\nG21\nG90\n" + programLines(gcode.start) + penUp;
    for (const Stroke& stroke : order) {
        text += "G0 " + gcodePoint(stroke.front(), layout) + travel + penDown;
        for (size_t i = 1; i < stroke.size(); ++i) text += "G1 " + gcodePoint(stroke[i], layout) + draw;
        text += penUp;
    }
    return text + "G0 X0 Y0" + travel + programLines(gcode.end);
}
