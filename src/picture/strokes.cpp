// strokes.cpp - the picture's lines chained into strokes, a trail at a time.
//
// The lines form a web of cells. A walk that starts where an odd number of
// unused lines end can only stop at another such cell, so walking from each of
// them first leaves every cell with an even number of unused lines; any walk
// from then on comes back to where it started, and is spliced into a stroke
// that passes there. That gives each web its fewest strokes.
#include "strokes.h"

#include <algorithm>
#include <utility>

namespace {

template <typename T>
void sortUnique(std::vector<T>& values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

using Segment = std::pair<Cell, Cell>;  // the lesser cell first

// The distinct lines as a graph of cells, each line walked along once.
class LineWeb {
public:
    explicit LineWeb(const std::vector<Segment>& segments) {
        for (const Segment& s : segments) {
            cells.push_back(s.first);
            cells.push_back(s.second);
        }
        sortUnique(cells);
        links.resize(cells.size());
        nextLink.assign(cells.size(), 0);
        for (size_t line = 0; line < segments.size(); ++line) {
            const int a = vertex(segments[line].first), b = vertex(segments[line].second);
            links[a].push_back({static_cast<int>(line), b});
            links[b].push_back({static_cast<int>(line), a});
        }
        walked.assign(segments.size(), false);
        for (const auto& l : links) unwalked.push_back(static_cast<int>(l.size()));
    }

    int vertices() const { return static_cast<int>(cells.size()); }
    Cell cell(int v) const { return cells[v]; }
    int unwalkedAt(int v) const { return unwalked[v]; }

    // The cells of a walk from `start` along lines not walked yet, taking at
    // each cell the first such line, until none is left where it stands.
    std::vector<int> walk(int start) {
        std::vector<int> trail = {start};
        for (int v = start; unwalked[v] > 0; trail.push_back(v)) {
            while (walked[links[v][nextLink[v]].first]) ++nextLink[v];
            const auto [line, other] = links[v][nextLink[v]];
            walked[line] = true;
            --unwalked[v];
            --unwalked[other];
            v = other;
        }
        return trail;
    }

private:
    int vertex(Cell c) const {
        return static_cast<int>(std::lower_bound(cells.begin(), cells.end(), c) - cells.begin());
    }

    std::vector<Cell> cells;                             // sorted, each once
    std::vector<std::vector<std::pair<int, int>>> links;  // per cell: (line, cell at its other end)
    std::vector<size_t> nextLink;                        // per cell: links before it are walked
    std::vector<bool> walked;                            // per line
    std::vector<int> unwalked;                           // per cell: its lines not walked yet
};

// Splices into `trail`, wherever it passes a cell with lines not walked yet,
// the closed walks from there. Every cell must have an even number of them.
void spliceClosedWalks(LineWeb& web, std::vector<int>& trail) {
    for (size_t i = 0; i < trail.size(); ++i) {
        while (web.unwalkedAt(trail[i]) > 0) {
            const std::vector<int> loop = web.walk(trail[i]);
            trail.insert(trail.begin() + static_cast<long>(i) + 1, loop.begin() + 1, loop.end());
        }
    }
}

std::vector<std::vector<int>> trailsOf(LineWeb& web) {
    std::vector<std::vector<int>> trails;
    for (int v = 0; v < web.vertices(); ++v) {
        if (web.unwalkedAt(v) % 2 == 1) trails.push_back(web.walk(v));
    }
    for (std::vector<int>& trail : trails) spliceClosedWalks(web, trail);
    for (int v = 0; v < web.vertices(); ++v) {
        if (web.unwalkedAt(v) == 0) continue;
        trails.push_back(web.walk(v));
        spliceClosedWalks(web, trails.back());
    }
    return trails;
}

}  // namespace

std::vector<Stroke> pictureStrokes(const PictureTables& t) {
    std::vector<Segment> segments;
    std::vector<Cell> dots;
    for (int i = 0; i < p_number; ++i) {
        if (t.pixel_oc[i] && t.pointOnCanvas(i)) dots.push_back({t.pixel[0][i], t.pixel[1][i]});
    }
    for (int i = 0; i < l_number; ++i) {
        if (!t.line_oc[i] || !t.lineOnCanvas(i)) continue;
        const Cell a = {t.lines[0][i], t.lines[1][i]}, b = {t.lines[2][i], t.lines[3][i]};
        if (a == b) dots.push_back(a);
        else segments.push_back(std::minmax(a, b));
    }
    sortUnique(segments);
    sortUnique(dots);
    LineWeb web(segments);
    std::vector<Stroke> strokes;
    for (const std::vector<int>& trail : trailsOf(web)) {
        Stroke& stroke = strokes.emplace_back();
        for (int v : trail) stroke.push_back(web.cell(v));
    }
    for (Cell dot : dots) strokes.push_back({dot});
    return strokes;
}
