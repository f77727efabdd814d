// vectorize_test.cpp - lines from the traced image: shapes found within 1.5
// cells both ways, the room left, one undo step, and hostile images.
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <thread>

#include "editor_fixture.h"
#include "promptline.h"
#include "vectorize.h"
#include "vectorizing.h"

namespace {

// Images of 1024 x 800 pixels: four to a cell, so pixel p lies at p / 4 on the canvas.
constexpr int imageWidth = Image_Width * 4, imageHeight = Image_Height * 4;
using InkAt = std::function<bool(double x, double y)>;  // in cells

TraceImage imageOf(const InkAt& ink) {
    TraceFitter fitter(imageWidth, imageHeight);
    std::vector<std::uint8_t> row(imageWidth * 3);
    for (int y = 0; y < imageHeight; ++y) {
        for (int x = 0; x < imageWidth; ++x)
            std::fill_n(&row[x * 3], 3, ink((x + 0.5) / 4, (y + 0.5) / 4) ? 20 : 235);
        fitter.addPixels(y, 0, 1, row.data(), 3, imageWidth);
    }
    return fitter.finish();
}

double segmentDistance(Spot p, Spot a, Spot b) {
    const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

using Strokes = std::vector<std::vector<Spot>>;

// Spots every quarter cell along each stroke.
std::vector<Spot> along(const Strokes& strokes) {
    std::vector<Spot> spots;
    for (const auto& stroke : strokes)
        for (size_t i = 1; i < stroke.size(); ++i) {
            const Spot a = stroke[i - 1], b = stroke[i];
            const int steps = std::max(1, static_cast<int>(4 * std::hypot(b.x - a.x, b.y - a.y)));
            for (int k = 0; k <= steps; ++k) spots.push_back({a.x + (b.x - a.x) * k / steps, a.y + (b.y - a.y) * k / steps});
        }
    return spots;
}

// Where ink meets no ink, between pixels of the image.
std::vector<Spot> edgeOf(const InkAt& ink) {
    std::vector<Spot> edge;
    for (int y = 0; y < imageHeight; ++y)
        for (int x = 0; x < imageWidth; ++x) {
            const bool here = ink((x + 0.5) / 4, (y + 0.5) / 4);
            if (here != ink((x + 1.5) / 4, (y + 0.5) / 4)) edge.push_back({(x + 1.0) / 4, (y + 0.5) / 4});
            if (here != ink((x + 0.5) / 4, (y + 1.5) / 4)) edge.push_back({(x + 0.5) / 4, (y + 1.0) / 4});
        }
    return edge;
}

Strokes circle(Spot c, double r) {
    std::vector<Spot> spots;
    for (int k = 0; k <= 360; ++k) spots.push_back({c.x + r * std::cos(k * M_PI / 180), c.y + r * std::sin(k * M_PI / 180)});
    return {spots};
}

Strokes pentagram(Spot c, double r) {
    std::vector<Spot> spots;
    for (int k = 0; k <= 5; ++k) {
        const double angle = -M_PI / 2 + k * 4 * M_PI / 5;
        spots.push_back({c.x + r * std::cos(angle), c.y + r * std::sin(angle)});
    }
    return {spots};
}

// "TEXT" in strokes of cells.
Strokes text() {
    const auto at = [](double left, std::vector<Spot> spots) {
        for (Spot& s : spots) s.x += left;
        return spots;
    };
    return {at(20, {{0, 60}, {40, 60}}), at(20, {{20, 60}, {20, 140}}),
            at(80, {{40, 60}, {0, 60}, {0, 140}, {40, 140}}), at(80, {{0, 100}, {30, 100}}),
            at(140, {{0, 60}, {40, 140}}), at(140, {{40, 60}, {0, 140}}),
            at(200, {{0, 60}, {40, 60}}), at(200, {{20, 60}, {20, 140}})};
}

InkAt thick(const Strokes& strokes, double halfWidth) {
    return [strokes, halfWidth](double x, double y) {
        for (const auto& stroke : strokes)
            for (size_t i = 1; i < stroke.size(); ++i)
                if (segmentDistance({x, y}, stroke[i - 1], stroke[i]) <= halfWidth) return true;
        return false;
    };
}

// The centres of the cells a line passes, sampled finely along it.
std::vector<Spot> cellsOf(const CellLine& line) {
    std::vector<Spot> cells;
    const int steps = 4 * std::max(std::abs(line.to.x - line.from.x), std::abs(line.to.y - line.from.y)) + 1;
    for (int k = 0; k <= steps; ++k) {
        const double x = line.from.x + (line.to.x - line.from.x) * static_cast<double>(k) / steps;
        const double y = line.from.y + (line.to.y - line.from.y) * static_cast<double>(k) / steps;
        cells.push_back({std::floor(x + 0.5) + 0.5, std::floor(y + 0.5) + 0.5});
    }
    return cells;
}

double nearest(Spot p, const std::vector<Spot>& spots) {
    double best = 1e9;
    for (const Spot& s : spots) best = std::min(best, std::hypot(p.x - s.x, p.y - s.y));
    return best;
}

struct ShapeCase {
    const char* name;
    LineKind kind;
    InkAt ink;
    Strokes centre;  // the centre lines; the outlines are the ink's edge
};

TEST(Vectorize, FindsShapesWithinACellAndAHalfBothWays) {
    const Spot middle = {128, 100};
    const InkAt disc = [middle](double x, double y) { return std::hypot(x - middle.x, y - middle.y) < 60; };
    const InkAt ring = [middle](double x, double y) { return std::abs(std::hypot(x - middle.x, y - middle.y) - 60) < 4; };
    const InkAt square = [](double x, double y) { return x > 70 && x < 190 && y > 40 && y < 160; };
    const ShapeCase cases[] = {
        {"disc", LineKind::outlines, disc, {}},
        {"ring", LineKind::outlines, ring, {}},
        {"square", LineKind::outlines, square, {}},
        {"star", LineKind::outlines, thick(pentagram(middle, 90), 1.25), {}},
        {"text", LineKind::outlines, thick(text(), 2), {}},
        {"ring", LineKind::centreLines, ring, circle(middle, 60)},
        {"star", LineKind::centreLines, thick(pentagram(middle, 90), 1.25), pentagram(middle, 90)},
        {"text", LineKind::centreLines, thick(text(), 2), text()},
    };
    for (const ShapeCase& shape : cases) {
        const bool outlines = shape.kind == LineKind::outlines;
        const std::vector<Spot> truth = outlines ? edgeOf(shape.ink) : along(shape.centre);
        const FoundLines found = findLines(imageOf(shape.ink), shape.kind, PictureTables());
        ASSERT_FALSE(found.placed.lines.empty()) << shape.name;
        std::vector<Spot> drawn;
        for (const CellLine& line : found.placed.lines) {
            EXPECT_NE(line.from, line.to) << shape.name;
            for (const Spot& cell : cellsOf(line)) {
                drawn.push_back(cell);
                EXPECT_LE(nearest(cell, truth), 1.5) << shape.name << (outlines ? " outline" : " centre line") << " at "
                                                     << cell.x << "," << cell.y;
            }
        }
        size_t near = 0;
        for (const Spot& s : truth) near += nearest(s, drawn) <= 1.5 + std::sqrt(0.5);
        EXPECT_GE(near, truth.size() * 95 / 100) << shape.name << (outlines ? " outline" : " centre line");
    }
}

TEST(Vectorize, FitsTheRoomLeftAndSaysHow) {
    const TraceImage image = imageOf(thick(text(), 2));
    PictureTables picture;
    for (int i = 0; i < 500; ++i) picture.createLine(i % 250, 199, i % 250 + 1, 199 - i / 250);
    for (const LineKind kind : {LineKind::outlines, LineKind::centreLines}) {
        const FoundLines found = findLines(image, kind, picture);
        EXPECT_LE(found.placed.lines.size(), 12u);
        EXPECT_GT(found.placed.tolerance, placingTolerances[0]);
        const PictureTables after = withPlacedLines(picture, found.placed);
        EXPECT_EQ(after.lines_amount, 500 + static_cast<int>(found.placed.lines.size()));
        EXPECT_NE(foundLinesReport(found.placed).find(" within "), std::string::npos) << foundLinesReport(found.placed);
    }
    PlacedLines placed;
    placed.lines.resize(143);
    EXPECT_EQ(foundLinesReport(placed), "Added 143 lines from the image");
    placed.tolerance = 1.5;
    EXPECT_EQ(foundLinesReport(placed), "Added 143 lines within 1.5 cells");
    placed.lines.clear();
    placed.points.resize(1);
    placed.tolerance = placingTolerances[0];
    EXPECT_EQ(foundLinesReport(placed), "Added 0 lines and 1 point");
    EXPECT_EQ(foundLinesReport(PlacedLines()), "No lines found in the image");
}

TEST(Vectorize, HostileAndBlankImagesGiveOnlyLinesOnTheCanvas) {
    const std::string corpus = std::filesystem::path(__FILE__).parent_path().string() + "/../../fuzz/corpus/trace_image/";
    std::vector<TraceImage> images = {TraceImage(), imageOf([](double, double) { return true; }),
                                      imageOf([](double x, double y) { return (static_cast<int>(x * 7) ^ static_cast<int>(y * 5)) % 3 == 0; })};
    for (const auto& file : std::filesystem::directory_iterator(corpus))
        if (std::optional<TraceImage> image = readTraceImage(file.path().string()).image) images.push_back(*image);
    ASSERT_GT(images.size(), 4u);
    for (const TraceImage& image : images)
        for (const LineKind kind : {LineKind::outlines, LineKind::centreLines}) {
            const PictureTables after = withPlacedLines(PictureTables(), findLines(image, kind, PictureTables()).placed);
            for (int i = 0; i < l_number; ++i) {
                if (!after.line_oc[i]) continue;
                EXPECT_TRUE(after.lineOnCanvas(i));
                EXPECT_FALSE(after.lines[0][i] == after.lines[2][i] && after.lines[1][i] == after.lines[3][i]);
            }
        }
}

class VectorizeKeys : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        e.trace.image = std::make_shared<const TraceImage>(imageOf([](double x, double y) {
            return std::max(std::abs(x - 120), std::abs(y - 100)) < 20 && std::max(std::abs(x - 120), std::abs(y - 100)) > 16;
        }));
    }
    void finish() {
        for (int wait = 0; e.finding.running && wait < 5000; ++wait) {
            followLineFinding(e);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
};

TEST_F(VectorizeKeys, AddTheLinesAsOneUndoStep) {
    for (const bool shift : {false, true}) {
        e.picture.clear();
        addLine(0, 0, 5, 0);
        const PictureTables before = tables();
        setKey(SDLK_LSHIFT, shift);
        pressKey(SDLK_i, [&] { vectorizeKeys(e); });
        finish();
        ASSERT_GT(tables().lines_amount, 1);
        expectText("Added " + std::to_string(tables().lines_amount - 1) + " lines from the image", promptLineX, promptLineY);
        ASSERT_TRUE(e.picture.undo());
        EXPECT_EQ(tables(), before);
    }
}

TEST_F(VectorizeKeys, EscapeCancelsAndAFullTableOrNoImageAddsNothing) {
    pressKey(SDLK_i, [&] { vectorizeKeys(e); });
    ASSERT_TRUE(e.finding.running);
    setKey(SDLK_ESCAPE, true);
    readKeys();
    EXPECT_TRUE(findingKeepsEscape(e));
    vectorizeKeys(e);
    EXPECT_FALSE(e.finding.running);
    EXPECT_TRUE(findingKeepsEscape(e));  // until Escape is let go
    setKey(SDLK_ESCAPE, false);
    readKeys();
    vectorizeKeys(e);
    EXPECT_FALSE(findingKeepsEscape(e));
    EXPECT_TRUE(tables().empty());

    const std::pair<const char*, std::function<void()>> refusals[] = {
        {noRoomForLines, [&] { for (int i = 0; i < l_number; ++i) addLine(i % 256, i / 256, i % 256, i / 256 + 2); }},
        {noImageToTrace, [&] { e.trace.image.reset(); }}};
    for (const auto& [message, prepare] : refusals) {
        prepare();
        const PictureTables before = tables();
        pressKey(SDLK_i, [&] { vectorizeKeys(e); });
        EXPECT_FALSE(e.finding.running);
        EXPECT_EQ(tables(), before);
        expectText(message, promptLineX, promptLineY);
    }
}

}  // namespace
