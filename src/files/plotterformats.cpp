// plotterformats.cpp - HP-GL and G-code text from the strokes in drawing order.
#include "plotterformats.h"

namespace {

// Rows counted up from the bottom row, as a plotter's y runs.
int rowFromBottom(Cell c) { return Image_Height - 1 - c.y; }

std::string hpglPoint(Cell c) {
    return std::to_string(hpglUnitsPerCell * c.x) + "," + std::to_string(hpglUnitsPerCell * rowFromBottom(c));
}

std::string gcodePoint(Cell c) { return "X" + std::to_string(c.x) + " Y" + std::to_string(rowFromBottom(c)); }

}  // namespace

std::string encodeHpgl(const std::vector<Stroke>& order) {
    std::string text = "IN;\nSP1;\n";
    for (const Stroke& stroke : order) {
        text += "PU" + hpglPoint(stroke.front()) + ";\nPD";
        for (size_t i = 1; i < stroke.size(); ++i) text += (i > 1 ? "," : "") + hpglPoint(stroke[i]);
        text += ";\n";
    }
    return text + "PU;\nSP0;\n";
}

std::string encodeGcode(const std::vector<Stroke>& order) {
    std::string text = "G21\nG90\nG0 Z5\n";
    const std::string draw = " F" + std::to_string(drawingFeed) + "\n";
    for (const Stroke& stroke : order) {
        text += "G0 " + gcodePoint(stroke.front()) + "\nG1 Z0 F" + std::to_string(penDownFeed) + "\n";
        for (size_t i = 1; i < stroke.size(); ++i) text += "G1 " + gcodePoint(stroke[i]) + draw;
        text += "G0 Z5\n";
    }
    return text;
}
