// drawingorder.cpp - the greedy order of the strokes, and its improvement by
// reversing runs of strokes (2-opt) and moving short runs (Or-opt).
//
// An order is a list of visits: a stroke and whether it is drawn backwards.
// The pen-up moves are the gaps: gap p runs from the exit of visit p - 1 (the
// origin for p = 0) to the entry of visit p; after the last visit there is
// none. Each move below changes two or three gaps, so its gain is known from
// those alone. The moves tried join an end to one of its nearest ends, which
// keeps the work near linear in the strokes.
#include "drawingorder.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <deque>
#include <initializer_list>

namespace {

// Moves tried before the improvement stops, whether or not it could go on:
// enough for full tables to settle, and a bound on the time they take.
constexpr long moveBudget = 400000;
// The nearest ends of other strokes whose joins are tried from each end.
constexpr size_t nearEnds = 8;
// Gains below this are rounding, not a shorter order.
constexpr double leastGain = 1e-9;

double distance(Cell a, Cell b) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

int squaredDistance(Cell a, Cell b) { return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y); }

struct Visit {
    int stroke;
    bool backwards;
};

// End 2s of the strokes is the first cell of stroke s, end 2s + 1 its last.
Cell endCell(const std::vector<Stroke>& strokes, int end) {
    const Stroke& s = strokes[end / 2];
    return end % 2 == 0 ? s.front() : s.back();
}

std::vector<Visit> greedyVisits(const std::vector<Stroke>& strokes) {
    std::vector<int> left(strokes.size());
    for (size_t s = 0; s < left.size(); ++s) left[s] = static_cast<int>(s);
    std::vector<Visit> visits;
    Cell at = plotterOrigin;
    while (!left.empty()) {
        size_t chosen = 0;
        int nearest = INT_MAX, chosenEnd = 0;
        for (size_t i = 0; i < left.size(); ++i) {
            for (int end = 2 * left[i]; end <= 2 * left[i] + 1; ++end) {
                const int d = squaredDistance(at, endCell(strokes, end));
                if (d < nearest || (d == nearest && end / 2 < chosenEnd / 2)) {
                    nearest = d;
                    chosen = i;
                    chosenEnd = end;
                }
            }
        }
        visits.push_back({chosenEnd / 2, chosenEnd % 2 == 1});
        at = endCell(strokes, chosenEnd ^ 1);
        left[chosen] = left.back();
        left.pop_back();
    }
    return visits;
}

// For each end, and for the origin (numbered after the ends), the nearest ends
// of other strokes, nearest first. Scans outwards from each end in order of
// column, and stops where the column distance alone rules out the rest.
std::vector<std::vector<int>> nearestEnds(const std::vector<Stroke>& strokes) {
    const int origin = 2 * static_cast<int>(strokes.size());
    auto cellOf = [&](int end) { return end == origin ? plotterOrigin : endCell(strokes, end); };
    std::vector<int> byColumn(origin + 1);
    for (int end = 0; end <= origin; ++end) byColumn[end] = end;
    std::sort(byColumn.begin(), byColumn.end(), [&](int a, int b) {
        const Cell ca = cellOf(a), cb = cellOf(b);
        return ca.x != cb.x ? ca.x < cb.x : a < b;
    });
    std::vector<std::vector<int>> near(origin + 1);
    for (size_t at = 0; at < byColumn.size(); ++at) {
        const int end = byColumn[at];
        const Cell c = cellOf(end);
        std::vector<std::pair<int, int>> found;  // (squared distance, end), nearest first
        auto consider = [&](int other) {
            if (other == origin || other / 2 == end / 2) return;
            const std::pair<int, int> candidate = {squaredDistance(c, cellOf(other)), other};
            if (found.size() == nearEnds && candidate >= found.back()) return;
            if (found.size() == nearEnds) found.pop_back();
            found.insert(std::upper_bound(found.begin(), found.end(), candidate), candidate);
        };
        auto outOfReach = [&](int other) {
            const int dx = cellOf(other).x - c.x;
            return found.size() == nearEnds && dx * dx > found.back().first;
        };
        for (size_t i = at + 1; i < byColumn.size() && !outOfReach(byColumn[i]); ++i) consider(byColumn[i]);
        for (size_t i = at; i-- > 0 && !outOfReach(byColumn[i]);) consider(byColumn[i]);
        for (const auto& f : found) near[end].push_back(f.second);
    }
    return near;
}

// An order being improved, with where each stroke stands in it.
class Tour {
public:
    Tour(const std::vector<Stroke>& strokes, std::vector<Visit> visits)
        : strokes(strokes), visits(std::move(visits)), position(strokes.size()), near(nearestEnds(strokes)),
          queued(strokes.size(), false) {
        placed(0, size());
    }

    const std::vector<Visit>& order() const { return visits; }

    // Tries the moves that join the ends of each stroke's gaps to their
    // nearest ends, taking the best one there while it shortens the order.
    // A stroke is tried again only once a move has changed a gap of its, until
    // none is left to try or the budget is spent.
    void improve() {
        for (const Visit& v : visits) wake(v.stroke);
        while (!waiting.empty() && tried < moveBudget) {
            const int stroke = waiting.front();
            waiting.pop_front();
            queued[stroke] = false;
            if (!improveAt(position[stroke])) improveAt(position[stroke] + 1);
        }
    }

private:
    // A change of the order: visits i..j reversed, or the run of `length`
    // visits from i put before visit `to` (of the order as it is), backwards or not.
    struct Move {
        bool run = false;
        int i = 0, j = 0, length = 0, to = 0;
        bool backwards = false;
        double gain = 0;
    };

    int size() const { return static_cast<int>(visits.size()); }
    int originEnd() const { return 2 * size(); }

    // The end by which visit p is entered, or left; the origin before the first.
    int entryEnd(int p) const { return p < 0 ? originEnd() : 2 * visits[p].stroke + (visits[p].backwards ? 1 : 0); }
    int exitEnd(int p) const { return p < 0 ? originEnd() : entryEnd(p) ^ 1; }
    Cell cellOf(int end) const { return end == originEnd() ? plotterOrigin : endCell(strokes, end); }
    Cell entry(int p) const { return cellOf(entryEnd(p)); }
    Cell exit(int p) const { return cellOf(exitEnd(p)); }
    bool isExit(int end) const { return exitEnd(position[end / 2]) == end; }

    // The travel into visit p from `from`; nothing past the last visit.
    double join(Cell from, int p) const { return p >= size() ? 0 : distance(from, entry(p)); }
    double gapBefore(int p) const { return join(exit(p - 1), p); }

    double reversalGain(int i, int j) const {
        return gapBefore(i) + gapBefore(j + 1) - distance(exit(i - 1), exit(j)) - join(entry(i), j + 1);
    }

    double runGain(int i, int length, int to, bool backwards) const {
        const int last = i + length - 1;
        const Cell first = backwards ? exit(last) : entry(i), final = backwards ? entry(i) : exit(last);
        const double taken = gapBefore(i) + gapBefore(last + 1) - join(exit(i - 1), last + 1);
        return taken + gapBefore(to) - distance(exit(to - 1), first) - join(final, to);
    }

    void consider(Move candidate, Move& best) {
        ++tried;
        candidate.gain = candidate.run ? runGain(candidate.i, candidate.length, candidate.to, candidate.backwards)
                                       : reversalGain(candidate.i, candidate.j);
        if (candidate.gain > best.gain) best = candidate;
    }

    // Reversals that give gap g a new end: the exit before it joined to a
    // later exit or an earlier one, or its entry to another entry. Gap g may
    // be the one past the last visit: its exit can join another.
    void reversalsAt(int g, Move& best) {
        for (int end : near[exitEnd(g - 1)]) {
            const int k = position[end / 2];
            if (!isExit(end)) continue;
            if (k >= g) consider({false, g, k}, best);
            else if (k < g - 1) consider({false, k + 1, g - 1}, best);
        }
        static const std::vector<int> none;
        for (int end : g < size() ? near[entryEnd(g)] : none) {
            const int k = position[end / 2];
            if (isExit(end)) continue;
            if (k > g) consider({false, g, k - 1}, best);
            else if (k < g) consider({false, k, g - 1}, best);
        }
    }

    // The runs of one to three visits from g moved so that one of their ends
    // joins one of its nearest ends.
    void runMovesAt(int g, Move& best) {
        for (int length = 1; length <= 3 && g + length <= size(); ++length) {
            const int last = g + length - 1;
            for (bool fromFirst : {true, false}) {
                for (int end : near[fromFirst ? entryEnd(g) : exitEnd(last)]) {
                    const int k = position[end / 2];
                    if (k >= g && k <= last) continue;
                    // Joined to an exit, the run follows that visit; to an entry, it comes before it.
                    const int to = isExit(end) ? k + 1 : k;
                    if (to >= g && to <= last + 1) continue;
                    consider({true, g, 0, length, to, fromFirst != isExit(end)}, best);
                }
            }
        }
    }

    bool improveAt(int g) {
        Move best;
        best.gain = leastGain;
        reversalsAt(g, best);
        runMovesAt(g, best);
        if (best.gain <= leastGain) return false;
        if (best.run) {
            const int last = best.i + best.length - 1;
            wakeAt({best.i - 1, best.i, last, last + 1, best.to - 1, best.to});
            moveRun(best.i, best.length, best.to, best.backwards);
        } else {
            wakeAt({best.i - 1, best.i, best.j, best.j + 1});
            reverse(best.i, best.j);
        }
        return true;
    }

    void wake(int stroke) {
        if (queued[stroke]) return;
        queued[stroke] = true;
        waiting.push_back(stroke);
    }

    // Wakes the strokes at these positions, which meet the gaps a move changes.
    void wakeAt(std::initializer_list<int> positions) {
        for (int p : positions) {
            if (p >= 0 && p < size()) wake(visits[p].stroke);
        }
    }

    void reverse(int i, int j) {
        std::reverse(visits.begin() + i, visits.begin() + j + 1);
        for (int p = i; p <= j; ++p) visits[p].backwards = !visits[p].backwards;
        placed(i, j + 1);
    }

    void moveRun(int i, int length, int to, bool backwards) {
        const auto at = visits.begin();
        if (to < i) std::rotate(at + to, at + i, at + i + length);
        else std::rotate(at + i, at + i + length, at + to);
        placed(std::min(i, to), std::max(i + length, to));
        const int start = to < i ? to : to - length;  // where the run stands now
        if (backwards) reverse(start, start + length - 1);
    }

    // Notes where the visits from..to - 1 stand now.
    void placed(int from, int to) {
        for (int p = from; p < to; ++p) position[visits[p].stroke] = p;
    }

    const std::vector<Stroke>& strokes;
    std::vector<Visit> visits;
    std::vector<int> position;             // per stroke
    std::vector<std::vector<int>> near;    // per end, and the origin
    std::deque<int> waiting;               // strokes whose gaps may yet improve, in turn
    std::vector<bool> queued;              // per stroke: waiting
    long tried = 0;                        // moves whose gain was worked out
};

std::vector<Stroke> drawn(const std::vector<Stroke>& strokes, const std::vector<Visit>& visits) {
    std::vector<Stroke> order;
    for (const Visit& v : visits) {
        order.push_back(strokes[v.stroke]);
        if (v.backwards) std::reverse(order.back().begin(), order.back().end());
    }
    return order;
}

// A stroke that closes on itself may start at any of its cells: each starts
// at the one that makes the travel to it and on from it shortest.
void enterLoopsNearest(std::vector<Stroke>& order) {
    for (size_t p = 0; p < order.size(); ++p) {
        Stroke& loop = order[p];
        if (loop.size() < 3 || loop.front() != loop.back()) continue;
        const Cell from = p == 0 ? plotterOrigin : order[p - 1].back();
        auto cost = [&](Cell start) {
            return distance(from, start) + (p + 1 < order.size() ? distance(start, order[p + 1].front()) : 0);
        };
        size_t best = 0;
        for (size_t r = 1; r + 1 < loop.size(); ++r) {
            if (cost(loop[r]) < cost(loop[best]) - leastGain) best = r;
        }
        loop.pop_back();
        std::rotate(loop.begin(), loop.begin() + static_cast<long>(best), loop.end());
        loop.push_back(loop.front());
    }
}

}  // namespace

std::vector<Stroke> greedyOrder(const std::vector<Stroke>& strokes) { return drawn(strokes, greedyVisits(strokes)); }

std::vector<Stroke> shortOrder(const std::vector<Stroke>& strokes) {
    Tour tour(strokes, greedyVisits(strokes));
    tour.improve();
    std::vector<Stroke> order = drawn(strokes, tour.order());
    enterLoopsNearest(order);
    return order;
}

std::vector<Stroke> drawingOrder(const PictureTables& tables) { return shortOrder(pictureStrokes(tables)); }

double penUpTravel(const std::vector<Stroke>& order) {
    double travel = 0;
    Cell at = plotterOrigin;
    for (const Stroke& stroke : order) {
        travel += distance(at, stroke.front());
        at = stroke.back();
    }
    return travel;
}
