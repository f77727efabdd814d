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

// Images of 1024 x 800 pixels: four to a cell; the ink is tested at each pixel's centre, in cells.
constexpr int imageWidth = Image_Width * 4, imageHeight = Image_Height * 4;
using InkAt = std::function<bool(double x, double y)>;
using Strokes = std::vector<std::vector<Spot>>;

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

double distance(Spot p, Spot a) { return std::hypot(p.x - a.x, p.y - a.y); }

// From p to the segment a-b.
double distance(Spot p, Spot a, Spot b) {
    const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0;
    return distance(p, {a.x + t * dx, a.y + t * dy});
}

double nearest(Spot p, const std::vector<Spot>& spots) {
    double best = 1e9;
    for (const Spot& s : spots) best = std::min(best, distance(p, s));
    return best;
}

// Spots every quarter cell along each stroke.
std::vector<Spot> along(const Strokes& strokes) {
    std::vector<Spot> spots;
    for (const auto& stroke : strokes)
        for (size_t i = 1; i < stroke.size(); ++i) {
            const Spot a = stroke[i - 1], b = stroke[i];
            const int steps = std::max(1, static_cast<int>(4 * distance(a, b)));
            for (int k = 0; k <= steps; ++k) spots.push_back({a.x + (b.x - a.x) * k / steps, a.y + (b.y - a.y) * k / steps});
        }
    return spots;
}

// Where ink meets no ink, between pixels of the image.
std::vector<Spot> edgeOf(const InkAt& ink) {
    std::vector<Spot> edge;
    for (double y = 0.125; y < Image_Height; y += 0.25)
        for (double x = 0.125; x < Image_Width; x += 0.25) {
            if (ink(x, y) != ink(x + 0.25, y)) edge.push_back({x + 0.125, y});
            if (ink(x, y) != ink(x, y + 0.25)) edge.push_back({x, y + 0.125});
        }
    return edge;
}

// A closed stroke through `corners` spots round `c`, from the top, `step` corners apart (a circle, a star).
Strokes polygon(Spot c, double r, int corners, int step) {
    std::vector<Spot> spots;
    for (double k = 0, turn = 2 * M_PI * step / corners; k <= corners; ++k)
        spots.push_back({c.x + r * std::sin(k * turn), c.y - r * std::cos(k * turn)});
    return {spots};
}

// "TEXT" in strokes of cells.
const Strokes text = {{{20, 60}, {60, 60}},   {{40, 60}, {40, 140}},   {{120, 60}, {80, 60}, {80, 140}, {120, 140}},
                      {{80, 100}, {110, 100}}, {{140, 60}, {180, 140}}, {{180, 60}, {140, 140}},
                      {{200, 60}, {240, 60}},  {{220, 60}, {220, 140}}};

InkAt thick(const Strokes& strokes, double halfWidth) {
    return [strokes, halfWidth](double x, double y) {
        for (const auto& stroke : strokes)
            for (size_t i = 1; i < stroke.size(); ++i)
                if (distance({x, y}, stroke[i - 1], stroke[i]) <= halfWidth) return true;
        return false;
    };
}

TEST(Vectorize, FindsShapesWithinACellAndAHalfBothWays) {
    const Spot mid = {128, 100};
    // The outlines are the ink's edge; shapes without centre lines are traced for outlines only.
    const struct { const char* name; InkAt ink; Strokes centre; } shapes[] = {
        {"square", [](double x, double y) { return x > 70 && x < 190 && y > 40 && y < 160; }, {}},
        {"ring", [mid](double x, double y) { return std::abs(distance({x, y}, mid) - 60) < 4; }, polygon(mid, 60, 360, 1)},
        {"star", thick(polygon(mid, 90, 5, 2), 1.25), polygon(mid, 90, 5, 2)},
        {"text", thick(text, 2), text},
    };
    for (const auto& shape : shapes)
        for (const LineKind kind : {LineKind::outlines, LineKind::centreLines}) {
            const bool outlines = kind == LineKind::outlines;
            if (!outlines && shape.centre.empty()) continue;
            SCOPED_TRACE(std::string(shape.name) + (outlines ? " outline" : " centre line"));
            const std::vector<Spot> truth = outlines ? edgeOf(shape.ink) : along(shape.centre);
            const FoundLines found = findLines(imageOf(shape.ink), kind, PictureTables());
            ASSERT_FALSE(found.placed.lines.empty());
            std::vector<Spot> drawn;
            for (const CellLine& line : found.placed.lines) {
                EXPECT_NE(line.from, line.to);
                for (const Spot& s : along({{{1.0 * line.from.x, 1.0 * line.from.y}, {1.0 * line.to.x, 1.0 * line.to.y}}})) {
                    const Spot cell = {std::floor(s.x + 0.5) + 0.5, std::floor(s.y + 0.5) + 0.5};  // as drawn
                    drawn.push_back(cell);
                    EXPECT_LE(nearest(cell, truth), 1.5) << " at " << cell.x << "," << cell.y;
                }
            }
            size_t near = 0;
            for (const Spot& s : truth) near += nearest(s, drawn) <= 1.5 + std::sqrt(0.5);
            EXPECT_GE(near, truth.size() * 95 / 100);
        }
}

TEST(Vectorize, FitsTheRoomLeftAndSaysHow) {
    const TraceImage image = imageOf(thick(text, 2));
    PictureTables picture;
    for (int i = 0; i < 500; ++i) picture.createLine(i % 250, 199, i % 250 + 1, 199 - i / 250);
    for (const LineKind kind : {LineKind::outlines, LineKind::centreLines}) {
        const FoundLines found = findLines(image, kind, picture);
        EXPECT_LE(found.placed.lines.size(), 12u);
        EXPECT_EQ(withPlacedLines(picture, found.placed).lines_amount, 500 + static_cast<int>(found.placed.lines.size()));
        EXPECT_NE(foundLinesReport(found.placed).find(" within "), std::string::npos) << foundLinesReport(found.placed);
    }
    const struct { size_t lines, points; double tolerance; const char* report; } reports[] = {
        {143, 0, 1.5, "Added 143 lines within 1.5 cells"},
        {0, 1, placingTolerances[0], "Added 0 lines and 1 point"},
        {0, 0, placingTolerances[0], "No lines found in the image"}};
    for (const auto& r : reports) {
        PlacedLines placed{std::vector<CellLine>(r.lines), std::vector<Cell>(r.points), r.tolerance};
        EXPECT_EQ(foundLinesReport(placed), r.report);
    }
}

TEST(Vectorize, HostileAndBlankImagesGiveOnlyLinesOnTheCanvas) {
    const std::string corpus = std::filesystem::path(__FILE__).parent_path().string() + "/../../fuzz/corpus/trace_image/";
    std::vector<TraceImage> images = {TraceImage(), imageOf([](double, double) { return true; }),
                                      imageOf([](double x, double y) { return (int(x * 7) ^ int(y * 5)) % 3 == 0; })};
    for (const auto& file : std::filesystem::directory_iterator(corpus))
        if (std::optional<TraceImage> image = readTraceImage(file.path().string()).image) images.push_back(*image);
    ASSERT_GT(images.size(), 4u);
    for (const TraceImage& image : images)
        for (const LineKind kind : {LineKind::outlines, LineKind::centreLines}) {
            const PictureTables after = withPlacedLines(PictureTables(), findLines(image, kind, PictureTables()).placed);
            for (int i = 0; i < l_number; ++i)
                if (after.line_oc[i]) {
                    EXPECT_TRUE(after.lineOnCanvas(i));
                    EXPECT_FALSE(after.lines[0][i] == after.lines[2][i] && after.lines[1][i] == after.lines[3][i]);
                }
        }
}

// Key i over a traced diamond.
struct VectorizeKeys : EditorTest {
    void SetUp() override { EditorTest::SetUp(); e.trace.image = std::make_shared<const TraceImage>(diamond); }
    void pressI() { pressKey(SDLK_i, [&] { vectorizeKeys(e); }); }
    const TraceImage diamond = imageOf(thick(polygon({120, 100}, 18, 4, 1), 2));
};

TEST_F(VectorizeKeys, AddTheLinesAsOneUndoStep) {
    for (const bool shift : {false, true}) {
        e.picture.clear();
        addLine(0, 0, 5, 0);
        const PictureTables before = tables();
        setKey(SDLK_LSHIFT, shift);
        pressI();
        for (int wait = 0; e.finding.running && wait < 5000; ++wait, std::this_thread::sleep_for(std::chrono::milliseconds(1)))
            followLineFinding(e);
        ASSERT_GT(tables().lines_amount, 1);
        expectText("Added " + std::to_string(tables().lines_amount - 1) + " lines from the image", promptLineX, promptLineY);
        ASSERT_TRUE(e.picture.undo());
        EXPECT_EQ(tables(), before);
    }
}

TEST_F(VectorizeKeys, EscapeCancelsAndAFullTableOrNoImageAddsNothing) {
    pressI();
    ASSERT_TRUE(e.finding.running);
    for (const bool held : {true, false}) {  // Escape stays claimed until it is let go
        setKey(SDLK_ESCAPE, held);
        readKeys();
        vectorizeKeys(e);
        EXPECT_FALSE(e.finding.running);
        EXPECT_EQ(findingKeepsEscape(e), held);
    }
    EXPECT_TRUE(tables().empty());

    const std::pair<const char*, std::function<void()>> refusals[] = {
        {noRoomForLines, [&] { for (int i = 0; i < l_number; ++i) addLine(i % 256, i / 256, i % 256, i / 256 + 2); }},
        {noImageToTrace, [&] { e.trace.image.reset(); }}};
    for (const auto& [message, prepare] : refusals) {
        prepare();
        const PictureTables before = tables();
        pressI();
        EXPECT_FALSE(e.finding.running);
        EXPECT_EQ(tables(), before);
        expectText(message, promptLineX, promptLineY);
    }
}

}  // namespace
