// skeleton.cpp - thinning ink to its skeleton and following the skeleton into strokes.
#include "skeleton.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {

// The ink with a blank border one pixel wide, so that every ink pixel has
// eight neighbours to look at; pixel (x, y) is at (y + 1) * stride + x + 1.
struct Framed {
    int stride, rows;
    std::vector<std::uint8_t> px;
    // The neighbours clockwise from north: N, NE, E, SE, S, SW, W, NW.
    std::array<int, 8> step;

    explicit Framed(const InkBitmap& ink)
        : stride(ink.width + 2), rows(ink.height + 2), px(static_cast<size_t>(stride) * rows, 0) {
        step = {-stride, -stride + 1, 1, stride + 1, stride, stride - 1, -1, -stride - 1};
        for (int y = 0; y < ink.height; ++y)
            std::copy_n(&ink.ink[static_cast<size_t>(y) * ink.width], ink.width, &px[static_cast<size_t>(y + 1) * stride + 1]);
    }
    // The eight neighbours as bits, bit i for step[i].
    unsigned ring(int p) const {
        unsigned bits = 0;
        for (int i = 0; i < 8; ++i) bits |= static_cast<unsigned>(px[p + step[i]] != 0) << i;
        return bits;
    }
    int degree(int p) const;
    Spot centre(int p, int scale) const {
        return {((p % stride) - 0.5) / scale, ((p / stride) - 0.5) / scale};
    }
};

bool bit(unsigned ring, int i) { return (ring >> i) & 1u; }

int setBits(unsigned ring) {
    int count = 0;
    for (int i = 0; i < 8; ++i) count += bit(ring, i);
    return count;
}

int Framed::degree(int p) const {
    static const std::array<std::uint8_t, 256> counts = [] {
        std::array<std::uint8_t, 256> table{};
        for (unsigned ring = 0; ring < 256; ++ring) table[ring] = static_cast<std::uint8_t>(setBits(ring));
        return table;
    }();
    return counts[ring(p)];
}

// Zhang and Suen's test: pixel with neighbours `ring` goes in this
// subiteration (0 or 1) when it lies on the edge (2..6 neighbours), takes no
// connection with it (one run of neighbours round it) and faces the
// subiteration's side (south-east first, then north-west).
bool thinsAwayTest(unsigned ring, int subiteration) {
    const int count = setBits(ring);
    if (count < 2 || count > 6) return false;
    int runs = 0;
    for (int i = 0; i < 8; ++i) runs += !bit(ring, i) && bit(ring, (i + 1) % 8);
    if (runs != 1) return false;
    const bool n = bit(ring, 0), e = bit(ring, 2), s = bit(ring, 4), w = bit(ring, 6);
    return subiteration == 0 ? !(n && e && s) && !(e && s && w) : !(n && e && w) && !(n && s && w);
}

// The test for every ring of neighbours, worked out once.
bool thinsAway(unsigned ring, int subiteration) {
    static const std::array<std::array<bool, 256>, 2> table = [] {
        std::array<std::array<bool, 256>, 2> t{};
        for (int sub = 0; sub < 2; ++sub)
            for (unsigned r = 0; r < 256; ++r) t[sub][r] = thinsAwayTest(r, sub);
        return t;
    }();
    return table[subiteration][ring];
}

// Thins the ink in place. Each subiteration visits only the pixels whose
// neighbours changed in it or the one before (a pixel must face both kinds of
// test after a change), and those of the first two: all of the edge.
bool thin(Framed& f, const GoOn& goOn) {
    std::vector<int> visit, marked, next;
    // Subiterations are counted in 16 bits: each takes a layer a pixel deep,
    // and no ink is wider than the 1024 x 800 pixels of the grid.
    std::vector<std::uint16_t> changedAt(f.px.size(), 0), queuedAt(f.px.size(), 0);
    long long inkCount = 0, taken = 0;
    for (int p = 0; p < static_cast<int>(f.px.size()); ++p) {
        if (!f.px[p]) continue;
        ++inkCount;
        if (f.degree(p) < 8) visit.push_back(p);
    }
    for (std::uint16_t sub = 1; !visit.empty(); ++sub) {
        if (!goOn(static_cast<int>(taken * 100 / std::max(inkCount, 1LL)))) return false;
        marked.clear();
        for (const int p : visit)
            if (thinsAway(f.ring(p), (sub + 1) % 2)) marked.push_back(p);
        for (const int p : marked) f.px[p] = 0;
        taken += static_cast<long long>(marked.size());
        next.clear();
        for (const int p : marked)
            for (const int s : f.step)
                if (f.px[p + s]) changedAt[p + s] = sub;
        for (const int p : visit)
            if (f.px[p] && changedAt[p] + 1 >= sub && queuedAt[p] != sub) queuedAt[p] = sub, next.push_back(p);
        for (const int p : marked)
            for (const int s : f.step)
                if (f.px[p + s] && queuedAt[p + s] != sub) queuedAt[p + s] = sub, next.push_back(p + s);
        visit.swap(next);
    }
    return true;
}

// The 8-connected groups the set neighbours of `ring` form among themselves.
int ringGroups(unsigned ring) {
    std::array<int, 8> group;
    std::iota(group.begin(), group.end(), 0);
    const auto root = [&group](int i) {
        while (group[i] != i) i = group[i];
        return i;
    };
    const auto join = [&](int a, int b) {
        if (bit(ring, a) && bit(ring, b)) group[root(a)] = root(b);
    };
    for (int i = 0; i < 8; ++i) join(i, (i + 1) % 8);
    for (int i = 0; i < 8; i += 2) join(i, (i + 2) % 8);  // two sides meet diagonally past an empty corner
    int groups = 0;
    for (int i = 0; i < 8; ++i) groups += bit(ring, i) && root(i) == i;
    return groups;
}

// Clears the inner corner of each staircase step (a pixel with ink on two
// sides at a right angle, whose neighbours stay connected without it), so
// that a diagonal run is one pixel wide and no step looks like a junction.
void straightenCorners(Framed& f) {
    for (int p = 0; p < static_cast<int>(f.px.size()); ++p) {
        if (!f.px[p]) continue;
        const unsigned ring = f.ring(p);
        const bool rightAngle = (bit(ring, 0) || bit(ring, 4)) && (bit(ring, 2) || bit(ring, 6));
        if (rightAngle && ringGroups(ring) == 1) f.px[p] = 0;
    }
}

// Each ink pixel's distance to the nearest blank one, in thirds of a pixel
// (the 3-4 chamfer distance): half the stroke's width at the skeleton.
std::vector<std::uint16_t> distanceToEdge(const Framed& f) {
    std::vector<std::uint16_t> d(f.px.size(), 0);
    constexpr std::uint16_t far = 0xffff;
    for (size_t p = 0; p < f.px.size(); ++p) d[p] = f.px[p] ? far : 0;
    const int first = f.stride + 1, last = static_cast<int>(f.px.size()) - f.stride - 2;
    const std::array<std::pair<int, int>, 4> before = {{{-1, 3}, {-f.stride - 1, 4}, {-f.stride, 3}, {-f.stride + 1, 4}}};
    for (int p = first; p <= last; ++p)
        if (d[p]) for (const auto& [s, cost] : before) d[p] = static_cast<std::uint16_t>(std::min(d[p] + 0, d[p + s] + cost));
    for (int p = last; p >= first; --p)
        if (d[p]) for (const auto& [s, cost] : before) d[p] = static_cast<std::uint16_t>(std::min(d[p] + 0, d[p - s] + cost));
    return d;
}

// A stroke as the pixels it passes, from one end to the other.
struct Walk {
    std::vector<int> pixels;
    bool closed = false;
};

// The skeleton's strokes: between ends and junctions (pixels of any number of
// neighbours but two), and round loops of pixels of two neighbours each.
class Follower {
public:
    explicit Follower(const Framed& f) : f(f), degree(f.px.size(), 0), visited(f.px.size(), 0) {
        for (int p = 0; p < static_cast<int>(f.px.size()); ++p)
            if (f.px[p]) degree[p] = static_cast<std::uint8_t>(f.degree(p));
    }

    std::vector<Walk> walks() {
        std::vector<Walk> found;
        for (int p = 0; p < static_cast<int>(f.px.size()); ++p) {
            if (!f.px[p] || degree[p] == 2) continue;
            if (degree[p] == 0) found.push_back({{p}, false});
            for (const int s : f.step) {
                const int q = p + s;
                if (!f.px[q]) continue;
                if (degree[q] != 2 && q > p) found.push_back({{p, q}, false});
                else if (degree[q] == 2 && !visited[q]) found.push_back(walkFrom(p, q));
            }
        }
        for (int p = 0; p < static_cast<int>(f.px.size()); ++p) {
            if (!f.px[p] || degree[p] != 2 || visited[p]) continue;
            Walk loop = walkFrom(p, nextAfter(p, -1));
            loop.pixels.pop_back();  // back at p
            loop.closed = true;
            found.push_back(std::move(loop));
        }
        return found;
    }

    int degreeOf(int p) const { return degree[p]; }

private:
    // The neighbour of a pixel of two neighbours other than `from`.
    int nextAfter(int p, int from) const {
        for (const int s : f.step)
            if (f.px[p + s] && p + s != from) return p + s;
        return p;
    }
    // From p on through q until a pixel of other than two neighbours, or back at p.
    Walk walkFrom(int p, int q) {
        Walk walk{{p}, false};
        int from = p;
        while (true) {
            walk.pixels.push_back(q);
            if (degree[q] != 2 || q == p || visited[q]) break;
            visited[q] = 1;
            const int next = nextAfter(q, from);
            from = q;
            q = next;
        }
        return walk;
    }

    const Framed& f;
    std::vector<std::uint8_t> degree, visited;
};

// Junctions: 8-connected groups of pixels of three neighbours or more, each
// met at its centre: the group of each pixel (-1: none), and per group its
// centre and pixels, and the group it was merged into (mergeCloseJunctions).
struct Junctions {
    std::vector<int> group;
    std::vector<Spot> centre;
    std::vector<int> pixels, merged;

    int root(int g) const {
        while (g >= 0 && merged[g] != g) g = merged[g];
        return g;
    }
};

Junctions findJunctions(const Framed& f, const Follower& follower, int scale) {
    Junctions j{std::vector<int>(f.px.size(), -1), {}, {}, {}};
    std::vector<int> queue;
    for (int p = 0; p < static_cast<int>(f.px.size()); ++p) {
        if (!f.px[p] || follower.degreeOf(p) < 3 || j.group[p] >= 0) continue;
        const int id = static_cast<int>(j.centre.size());
        double x = 0, y = 0;
        queue = {p};
        j.group[p] = id;
        for (size_t k = 0; k < queue.size(); ++k) {
            const Spot c = f.centre(queue[k], scale);
            x += c.x, y += c.y;
            for (const int s : f.step) {
                const int q = queue[k] + s;
                if (f.px[q] && follower.degreeOf(q) >= 3 && j.group[q] < 0) j.group[q] = id, queue.push_back(q);
            }
        }
        j.centre.push_back({x / queue.size(), y / queue.size()});
        j.pixels.push_back(static_cast<int>(queue.size()));
        j.merged.push_back(id);
    }
    return j;
}

// The stroke's width at skeleton pixel p, in pixels, and at least a cell.
double strokeWidth(const std::vector<std::uint16_t>& distance, int p, int scale) {
    return std::max(2.0 * distance[p] / 3.0, static_cast<double>(scale));
}

// Where two strokes cross at a slant, thinning leaves two junctions and a
// short bridge between them; a pen crosses there at one point. Merges the
// junctions that a walk shorter than the stroke is wide links, each group
// met at the centre of all its pixels, and returns which walks were bridges.
std::vector<bool> mergeCloseJunctions(Junctions& j, const std::vector<Walk>& walks,
                                      const std::vector<std::uint16_t>& distance, int scale) {
    std::vector<bool> bridge(walks.size(), false);
    for (size_t i = 0; i < walks.size(); ++i) {
        const int a = walks[i].pixels.front(), b = walks[i].pixels.back();
        const int ra = j.root(j.group[a]), rb = j.root(j.group[b]);
        if (walks[i].closed || ra < 0 || rb < 0 || ra == rb) continue;
        const double width = std::max(strokeWidth(distance, a, scale), strokeWidth(distance, b, scale));
        if (static_cast<double>(walks[i].pixels.size()) >= width) continue;
        bridge[i] = true;
        j.merged[rb] = ra;
    }
    std::vector<Spot> sum(j.centre.size(), Spot{0, 0});
    std::vector<int> count(j.centre.size(), 0);
    for (size_t g = 0; g < j.centre.size(); ++g) {
        const int r = j.root(static_cast<int>(g));
        sum[r].x += j.centre[g].x * j.pixels[g], sum[r].y += j.centre[g].y * j.pixels[g];
        count[r] += j.pixels[g];
    }
    for (size_t g = 0; g < j.centre.size(); ++g) {
        const int r = j.root(static_cast<int>(g));
        j.centre[g] = {sum[r].x / count[r], sum[r].y / count[r]};
    }
    return bridge;
}

// Clears the spurs: walks from an end to a junction shorter than the
// stroke is wide there (at least a cell). True when any went.
bool pruneSpurs(Framed& f, const std::vector<Walk>& walks, const Follower& follower, const std::vector<std::uint16_t>& distance,
                int scale) {
    bool pruned = false;
    for (const Walk& walk : walks) {
        if (walk.closed || walk.pixels.size() < 2) continue;
        const int a = walk.pixels.front(), b = walk.pixels.back();
        const bool aEnd = follower.degreeOf(a) == 1, bEnd = follower.degreeOf(b) == 1;
        if (aEnd == bEnd) continue;  // a stroke on its own, or between junctions
        const int junction = aEnd ? b : a;
        if (static_cast<double>(walk.pixels.size()) >= strokeWidth(distance, junction, scale)) continue;
        for (const int p : walk.pixels)
            if (p != junction) f.px[p] = 0;
        pruned = true;
    }
    return pruned;
}

std::vector<TracedPath> strokesOf(const Framed& f, const std::vector<Walk>& walks, const Follower& follower,
                                  const std::vector<std::uint16_t>& distance, int scale) {
    Junctions junctions = findJunctions(f, follower, scale);
    const std::vector<bool> bridge = mergeCloseJunctions(junctions, walks, distance, scale);
    const auto spotOf = [&](int p) {
        return junctions.group[p] >= 0 ? junctions.centre[junctions.group[p]] : f.centre(p, scale);
    };
    std::vector<TracedPath> strokes;
    for (size_t i = 0; i < walks.size(); ++i) {
        const Walk& walk = walks[i];
        const int a = walk.pixels.front(), b = walk.pixels.back();
        const int ra = junctions.root(junctions.group[a]), rb = junctions.root(junctions.group[b]);
        // Within one junction: a bridge, a step of its own group, or a tiny loop off it.
        if (!walk.closed && ra >= 0 && ra == rb && (bridge[i] || walk.pixels.size() < 4)) continue;
        TracedPath stroke;
        stroke.closed = walk.closed;
        stroke.wholeShape = walk.closed || (follower.degreeOf(a) <= 1 && follower.degreeOf(b) <= 1);
        for (const int p : walk.pixels) stroke.spots.push_back(spotOf(p));
        strokes.push_back(std::move(stroke));
    }
    return strokes;
}

}  // namespace

void dropSpecks(InkBitmap& ink, int minArea) {
    std::vector<std::uint8_t> seen(ink.ink.size(), 0);
    std::vector<int> piece;
    for (int start = 0; start < static_cast<int>(ink.ink.size()); ++start) {
        if (!ink.ink[start] || seen[start]) continue;
        piece = {start};
        seen[start] = 1;
        for (size_t k = 0; k < piece.size(); ++k) {
            const int x = piece[k] % ink.width, y = piece[k] / ink.width;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= ink.width || ny >= ink.height) continue;
                    const int q = ny * ink.width + nx;
                    if (ink.ink[q] && !seen[q]) seen[q] = 1, piece.push_back(q);
                }
        }
        if (static_cast<int>(piece.size()) < minArea)
            for (const int p : piece) ink.ink[p] = 0;
    }
}

std::optional<std::vector<TracedPath>> centreStrokes(const InkBitmap& ink, int scale, const GoOn& goOn) {
    Framed f(ink);
    const std::vector<std::uint16_t> distance = distanceToEdge(f);
    if (!thin(f, [&goOn](int percent) { return goOn(percent * 9 / 10); })) return std::nullopt;
    straightenCorners(f);
    std::optional<Follower> follower(std::in_place, f);
    std::vector<Walk> walks = follower->walks();
    if (pruneSpurs(f, walks, *follower, distance, scale)) {
        straightenCorners(f);
        follower.emplace(f);
        walks = follower->walks();
    }
    if (!goOn(95)) return std::nullopt;
    return strokesOf(f, walks, *follower, distance, scale);
}
