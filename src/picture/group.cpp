// group.cpp - selecting a group of entries, and moving, flipping, turning,
// erasing, copying and pasting it.
#include "group.h"

#include <algorithm>

namespace {

// Calls visit(x, y) with a reference to each coordinate pair of the group: its
// points, and both ends of its lines.
template <typename Tables, typename Visit>
void eachEnd(Tables& t, const Group& g, Visit visit) {
    for (int i = 0; i < p_number; ++i) {
        if (g.points[i] && t.pixel_oc[i]) visit(t.pixel[0][i], t.pixel[1][i]);
    }
    for (int i = 0; i < l_number; ++i) {
        if (!g.lines[i] || !t.line_oc[i]) continue;
        visit(t.lines[0][i], t.lines[1][i]);
        visit(t.lines[2][i], t.lines[3][i]);
    }
}

// Moves each end of the group to map(x, y), given in cells of the box.
template <typename Map>
void remapGroup(PictureTables& t, const Group& g, Map map) {
    eachEnd(t, g, [&](int& x, int& y) {
        const auto [newX, newY] = map(x, y);
        x = newX;
        y = newY;
    });
}

// The first of `lowest` .. `highest` nearest to `value`.
int within(int value, int lowest, int highest) { return std::max(lowest, std::min(value, highest)); }

std::string counted(int n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

CellBox boxBetween(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

bool inBox(CellBox box, int x, int y) { return x >= box.x1 && x <= box.x2 && y >= box.y1 && y <= box.y2; }

Group& Group::operator|=(const Group& other) {
    points |= other.points;
    lines |= other.lines;
    return *this;
}

Group groupInBox(const PictureTables& t, CellBox box) {
    Group g;
    for (int i = 0; i < p_number; ++i) g.points[i] = t.pixel_oc[i] && inBox(box, t.pixel[0][i], t.pixel[1][i]);
    for (int i = 0; i < l_number; ++i) {
        g.lines[i] = t.line_oc[i] && inBox(box, t.lines[0][i], t.lines[1][i]) &&
                     inBox(box, t.lines[2][i], t.lines[3][i]);
    }
    return g;
}

Group entriesInUse(const PictureTables& t, const Group& g) {
    Group inUse;
    for (int i = 0; i < p_number; ++i) inUse.points[i] = g.points[i] && t.pixel_oc[i];
    for (int i = 0; i < l_number; ++i) inUse.lines[i] = g.lines[i] && t.line_oc[i];
    return inUse;
}

CellBox groupBounds(const PictureTables& t, const Group& g) {
    CellBox r = {Image_Width, Image_Height, -1, -1};
    eachEnd(t, g, [&](int x, int y) {
        r = {std::min(r.x1, x), std::min(r.y1, y), std::max(r.x2, x), std::max(r.y2, y)};
    });
    return r;
}

PictureTables groupOnly(const PictureTables& t, const Group& g) {
    PictureTables only = t;
    for (int i = 0; i < p_number; ++i) {
        if (!g.points[i]) only.emptyPixel(i);
    }
    for (int i = 0; i < l_number; ++i) {
        if (!g.lines[i]) only.emptyLine(i);
    }
    return only;
}

std::string groupCounts(const char* done, const Group& g) {
    return std::string(done) + " " + counted(static_cast<int>(g.points.count()), "point") + ", " +
           counted(static_cast<int>(g.lines.count()), "line");
}

CellStep moveGroup(PictureTables& t, const Group& g, int dx, int dy) {
    if (entriesInUse(t, g).empty()) return {0, 0};
    const CellBox r = groupBounds(t, g);
    const CellStep step = {within(dx, -r.x1, Image_Width - 1 - r.x2),
                           within(dy, -r.y1, Image_Height - 1 - r.y2)};
    remapGroup(t, g, [&](int x, int y) { return std::pair(x + step.dx, y + step.dy); });
    return step;
}

void flipGroup(PictureTables& t, const Group& g, Flip flip) {
    if (entriesInUse(t, g).empty()) return;
    const CellBox r = groupBounds(t, g);
    remapGroup(t, g, [&](int x, int y) {
        return flip == Flip::leftRight ? std::pair(r.x1 + r.x2 - x, y) : std::pair(x, r.y1 + r.y2 - y);
    });
}

std::string turnGroup(PictureTables& t, const Group& g, Turn turn) {
    if (entriesInUse(t, g).empty()) return "";
    const CellBox r = groupBounds(t, g);
    const int width = r.x2 - r.x1 + 1;
    const int height = r.y2 - r.y1 + 1;
    if (width > Image_Height) return "Too wide to turn: over 200 cells";
    // The turned bounds are height x width, centred where the old ones were
    // (a half cell off when the sides differ by an odd number: division that
    // rounds toward zero makes a turn and its opposite cancel out, and so
    // four turns the same way). Never shifted, which would break that.
    const int left = r.x1 + (width - height) / 2;
    const int top = r.y1 + (height - width) / 2;
    if (left < 0 || top < 0 || left + height > Image_Width || top + width > Image_Height) {
        return "No room to turn here";
    }
    remapGroup(t, g, [&](int x, int y) {
        const int across = x - r.x1, down = y - r.y1;
        return turn == Turn::clockwise ? std::pair(left + height - 1 - down, top + across)
                                       : std::pair(left + down, top + width - 1 - across);
    });
    return "";
}

void eraseGroup(PictureTables& t, const Group& g) {
    for (int i = 0; i < p_number; ++i) {
        if (g.points[i]) t.emptyPixel(i);
    }
    for (int i = 0; i < l_number; ++i) {
        if (g.lines[i]) t.emptyLine(i);
    }
}

Clip copyGroup(const PictureTables& t, const Group& g) {
    Clip clip;
    const Group inUse = entriesInUse(t, g);
    if (inUse.empty()) return clip;
    const CellBox r = groupBounds(t, inUse);
    clip.width = r.x2 - r.x1 + 1;
    clip.height = r.y2 - r.y1 + 1;
    for (int i = 0; i < p_number; ++i) {
        if (inUse.points[i]) clip.points.push_back({t.pixel[0][i] - r.x1, t.pixel[1][i] - r.y1});
    }
    for (int i = 0; i < l_number; ++i) {
        if (!inUse.lines[i]) continue;
        clip.lines.push_back({t.lines[0][i] - r.x1, t.lines[1][i] - r.y1, t.lines[2][i] - r.x1,
                              t.lines[3][i] - r.y1});
    }
    return clip;
}

Paste pasteClip(PictureTables& t, const Clip& clip, int x, int y) {
    const int freePoints = p_number - t.pixels_Amount;
    const int freeLines = l_number - t.lines_amount;
    std::string lacking;  // each table without room for the clip's entries
    if (static_cast<int>(clip.points.size()) > freePoints) lacking = counted(freePoints, "more point");
    if (static_cast<int>(clip.lines.size()) > freeLines) {
        lacking += (lacking.empty() ? "" : ", ") + counted(freeLines, "more line");
    }
    if (!lacking.empty()) return {{}, "Room for " + lacking};
    const int left = within(x, 0, Image_Width - clip.width);
    const int top = within(y, 0, Image_Height - clip.height);
    const PictureTables before = t;
    for (const auto& p : clip.points) t.createPixel(left + p[0], top + p[1]);
    for (const auto& l : clip.lines) t.createLine(left + l[0], top + l[1], left + l[2], top + l[3]);
    Paste paste;
    for (int i = 0; i < p_number; ++i) paste.pasted.points[i] = t.pixel_oc[i] && !before.pixel_oc[i];
    for (int i = 0; i < l_number; ++i) paste.pasted.lines[i] = t.line_oc[i] && !before.line_oc[i];
    return paste;
}
