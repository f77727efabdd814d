// laserframe.cpp - the laser frame's records: waits, blanked steps, dwells,
// lines cut to the budget.
#include "laserframe.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "picture.h"

namespace {

LaserRecord at(Cell c, bool lit) { return {ildaUnitsPerCell * (c.x - 128), ildaUnitsPerCell * (100 - c.y), lit}; }

void repeat(std::vector<LaserRecord>& records, LaserRecord record, int times) { records.insert(records.end(), times, record); }

double cellDistance(Cell a, Cell b) { return std::hypot(b.x - a.x, b.y - a.y); }

// Blanked from `from` to `to` in steps within the limit (each record rounded
// to whole units, so a step is kept two units shorter), then a wait at `to`.
void travel(std::vector<LaserRecord>& records, LaserRecord from, LaserRecord to) {
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    const int steps = std::max(1, static_cast<int>(std::ceil(length / (blankedStepLimit - 2))));
    for (int k = 1; k < steps; ++k) {
        records.push_back({from.x + static_cast<int>(std::lround((to.x - from.x) * double(k) / steps)),
                           from.y + static_cast<int>(std::lround((to.y - from.y) * double(k) / steps)), false});
    }
    repeat(records, {to.x, to.y, false}, laserWait);
}

// The lit records from a to b, b included: the line cut into the fewest
// pieces, a power of two, none longer than `step` cells. Every cell lies on a
// multiple of 256 units, so each piece ends exactly on the line.
void lineRecords(std::vector<LaserRecord>& records, Cell a, Cell b, int step) {
    int pieces = 1;
    while (cellDistance(a, b) > step * pieces) pieces *= 2;
    const LaserRecord from = at(a, true), to = at(b, true);
    for (int k = 1; k <= pieces; ++k)
        records.push_back({from.x + (to.x - from.x) / pieces * k, from.y + (to.y - from.y) / pieces * k, true});
}

// The path turns at b by more than 45 degrees.
bool corner(Cell a, Cell b, Cell c) {
    const long ux = b.x - a.x, uy = b.y - a.y, vx = c.x - b.x, vy = c.y - b.y;
    const long along = ux * vx + uy * vy;
    return along <= 0 || 2 * along * along < (ux * ux + uy * uy) * (vx * vx + vy * vy);
}

void strokeRecords(std::vector<LaserRecord>& records, const Stroke& stroke, Cell from, int step) {
    travel(records, at(from, false), at(stroke.front(), false));
    repeat(records, at(stroke.front(), true), laserDwell);
    for (size_t i = 1; i < stroke.size(); ++i) {
        lineRecords(records, stroke[i - 1], stroke[i], step);
        const bool last = i + 1 == stroke.size();
        if (last || corner(stroke[i - 1], stroke[i], stroke[i + 1])) repeat(records, at(stroke[i], true), laserDwell - 1);
    }
    repeat(records, at(stroke.back(), false), laserWait);
}

std::vector<LaserRecord> frameRecords(const std::vector<Stroke>& order, int step) {
    std::vector<LaserRecord> records;
    for (size_t i = 0; i < order.size(); ++i) strokeRecords(records, order[i], (i ? order[i - 1] : order.back()).back(), step);
    if (records.empty()) records.push_back({0, 0, false});
    return records;
}

// The longest line, in cells.
double longestLine(const std::vector<Stroke>& order) {
    double longest = 0;
    for (const Stroke& stroke : order)
        for (size_t i = 1; i < stroke.size(); ++i) longest = std::max(longest, cellDistance(stroke[i - 1], stroke[i]));
    return longest;
}

// 4210 as "4,210".
std::string grouped(size_t number) {
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

}  // namespace

bool tooDarkForBeam(ColorRGB color) { return std::max({color.r, color.g, color.b}) < 255 / 3; }

LaserFrame layoutLaserFrame(const std::vector<Stroke>& order, ColorRGB drawingColor, const LaserSettings& laser) {
    LaserFrame frame;
    const ColorRGB asked = laser.colour ? Colors[laser.colour - 1] : drawingColor;
    frame.drawnWhite = tooDarkForBeam(asked);
    frame.black = std::max({asked.r, asked.g, asked.b}) == 0;
    frame.color = frame.drawnWhite ? ColorRGB(255, 255, 255) : asked;
    frame.budget = std::min<size_t>(laserRecordLimit, static_cast<size_t>(laser.scanRate / laser.frameRate));
    const double longest = longestLine(order);
    for (int step = litStep;; step *= 2) {
        frame.records = frameRecords(order, step);
        if (frame.records.size() <= frame.budget || step >= longest) return frame;
    }
}

std::optional<LaserNote> laserFrameNote(const LaserFrame& frame, const LaserSettings& laser) {
    const std::string why = frame.black ? "black gives no beam" : "too dark to see";
    const LaserNote white = {"Laser drawn white: " + why, "Laser drawn in white: " + why};
    if (frame.records.size() <= frame.budget) return frame.drawnWhite ? std::optional<LaserNote>(white) : std::nullopt;
    const double rate = double(laser.scanRate) / frame.records.size();
    char frames[24];
    std::snprintf(frames, sizeof frames, rate < 1 ? "%.1f" : "%.0f", rate < 1 ? rate : std::floor(rate));
    const std::string plays = grouped(frame.records.size()) + " points, " + frames + " frames/s";
    if (!frame.drawnWhite) return LaserNote{"Laser frame: " + plays, "Laser frame: " + plays};
    return LaserNote{"Laser white; " + plays, white.whole + "\nLaser frame: " + plays};
}
