// plotterfiles_test.cpp - Shift+E's HP-GL, G-code and ILDA files read back:
// each draws exactly the picture's lines and points, over random pictures;
// the plotter files fitted to each paper; the laser frame's waits, steps,
// dwells and budget; the ILDA bytes of one small picture; e and Shift+E
// writing each their own files, and the report of those that fail.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <random>
#include <set>
#include <sstream>

#include "export.h"
#include "file_fixture.h"
#include "ildafile.h"
#include "keys.h"
#include "strokes.h"

namespace {

// Places in 256ths of a cell, x rightwards and y downwards as on the canvas.
using Place = std::array<long, 2>;
constexpr long fine = 256;

using Segment = std::array<Place, 2>;

// What a file draws: lines between places, in order, and dots.
struct Drawing {
    std::vector<Segment> lines;
    std::vector<Place> dots;
};

Place cellPlace(int x, int y) { return {fine * x, fine * y}; }

// Where a file puts the cells: its units a cell, column 0 and the bottom row (y up); with
// wholeCells the places are read back to the nearest cell.
struct Fit { double unitsPerCell, left, bottom; bool wholeCells = false; };
const Fit hpglUnits = {40, 0, 0}, gcodeUnits = {1, 0, 0}, ildaUnits = {256, -128 * 256, -99 * 256};

// The pen's path: lines where it moves lowered, a dot where it is lowered and
// raised again without moving; and every place it went, in the file's units.
struct Pen {
    Fit fit;
    Drawing drawing = {};
    std::vector<std::array<double, 2>> drawn = {};  // where it went lowered, and where it was lowered
    std::array<double, 2> raw = {0, 0};
    Place at = cellPlace(0, 199);
    bool down = false, moved = false;

    void lower(bool lowered) {
        if (lowered && !down) drawn.push_back(raw);
        if (down && !lowered && !moved) drawing.dots.push_back(at);
        if (lowered && !down) moved = false;
        down = lowered;
    }
    void moveTo(double x, double y) {
        raw = {x, y};
        const double column = (x - fit.left) / fit.unitsPerCell, row = 199 - (y - fit.bottom) / fit.unitsPerCell;
        const Place to = fit.wholeCells ? cellPlace(std::lround(column), std::lround(row))
                                        : Place{std::lround(fine * column), std::lround(fine * row)};
        if (down) drawn.push_back({x, y});
        if (down && to != at) drawing.lines.push_back({at, to});
        moved = moved || (down && to != at);
        at = to;
    }
};

Pen readHpgl(const std::string& text, const Fit& fit = hpglUnits) {
    Pen pen{fit};
    std::stringstream in(text);
    for (std::string op; std::getline(in >> std::ws, op, ';');) {
        pen.lower(op.rfind("PD", 0) == 0);
        long x, y;
        int used = 0;
        for (const char* xy = op.c_str() + 2; std::sscanf(xy, "%ld,%ld%n", &x, &y, &used) == 2;
             xy += used + (xy[used] == ','))
            pen.moveTo(x, y);
        if (op == "PD") pen.lower(false);
    }
    return pen;
}

// The pen goes down and up with exactly the lines given, and nothing else moves it.
Pen readGcode(const std::string& text, const Fit& fit = gcodeUnits, const std::string& down = "G0 Z0",
              const std::string& up = "G0 Z2") {
    Pen pen{fit};
    std::stringstream in(text);
    double x, y;
    for (std::string line; std::getline(in, line);) {
        if (line == down || line == up) pen.lower(line == down);
        else if (std::sscanf(line.c_str(), "G%*d X%lf Y%lf", &x, &y) == 2) pen.moveTo(x, y);
    }
    return pen;
}

long word(const std::string& bytes, size_t at) {
    return static_cast<int16_t>((static_cast<unsigned char>(bytes[at]) << 8) | static_cast<unsigned char>(bytes[at + 1]));
}

struct Record { long x, y; int status; };

// The records of the first frame.
std::vector<Record> ildaRecords(const std::string& bytes) {
    std::vector<Record> records;
    for (size_t at = 32; at < 32 + 8 * static_cast<size_t>(word(bytes, 24) & 0xFFFF); at += 8)
        records.push_back({word(bytes, at), word(bytes, at + 2), static_cast<unsigned char>(bytes[at + 4])});
    return records;
}

// The beam is lit for a record without the blanking bit.
Drawing readIlda(const std::string& bytes) {
    Pen pen{ildaUnits};
    for (const Record& r : ildaRecords(bytes)) {
        pen.lower(!(r.status & ildaBlanked));
        pen.moveTo(r.x, r.y);
    }
    pen.lower(false);
    return pen.drawing;
}

// `next` starts where `line` ends and goes on in its direction.
bool goesOnStraight(const Segment& line, const Segment& next) {
    const long ux = line[1][0] - line[0][0], uy = line[1][1] - line[0][1];
    const long vx = next[1][0] - next[0][0], vy = next[1][1] - next[0][1];
    return line[1] == next[0] && ux * vy == uy * vx && ux * vx + uy * vy > 0;
}

// The lines that go on straight from the one before joined to it, so that a
// line cut into pieces is whole again.
std::vector<Segment> straightened(const std::vector<Segment>& lines) {
    std::vector<Segment> joined;
    for (const Segment& s : lines) {
        if (!joined.empty() && goesOnStraight(joined.back(), s)) joined.back()[1] = s[1];
        else joined.push_back(s);
    }
    return joined;
}

// What the picture should draw: each distinct line on the canvas once, and a
// dot for each point and each line of zero length.
Drawing pictureDrawing(const PictureTables& t) {
    Drawing expected;
    std::set<Segment> lines;
    std::set<Place> dots;
    for (int i = 0; i < p_number; ++i)
        if (t.pixel_oc[i] && t.pointOnCanvas(i)) dots.insert(cellPlace(t.pixel[0][i], t.pixel[1][i]));
    for (int i = 0; i < l_number; ++i) {
        if (!t.line_oc[i] || !t.lineOnCanvas(i)) continue;
        const Place a = cellPlace(t.lines[0][i], t.lines[1][i]), b = cellPlace(t.lines[2][i], t.lines[3][i]);
        if (a == b) dots.insert(a);
        else lines.insert({std::min(a, b), std::max(a, b)});
    }
    expected.lines.assign(lines.begin(), lines.end());
    expected.dots.assign(dots.begin(), dots.end());
    return expected;
}

// Every line of the picture drawn once, either way round, and nothing else;
// every dot once.
::testing::AssertionResult drawsExactly(Drawing drawn, const Drawing& expected) {
    for (Segment& line : drawn.lines) std::sort(line.begin(), line.end());
    std::sort(drawn.lines.begin(), drawn.lines.end());
    std::sort(drawn.dots.begin(), drawn.dots.end());
    if (drawn.lines != expected.lines) return ::testing::AssertionFailure() << "other lines";
    if (drawn.dots != expected.dots) return ::testing::AssertionFailure() << "other dots";
    return ::testing::AssertionSuccess();
}

// Random pictures: `count` lines and points among the cells up to `span`,
// so that lines meet, repeat and have zero length; and two entries off the canvas.
PictureTables randomPicture(std::mt19937& random, int count, int span) {
    std::uniform_int_distribution<int> cell(0, span);
    PictureTables t;
    t.createLine(5, 5, Image_Width, 5);
    t.createPixel(-1, 3);
    for (int i = 0; i < count; ++i) {
        t.createLine(cell(random), cell(random) % Image_Height, cell(random), cell(random) % Image_Height);
        t.createPixel(cell(random), cell(random) % Image_Height);
    }
    return t;
}

using PlotterFilesTest = FileTest;

TEST_F(PlotterFilesTest, EveryFormatDrawsExactlyThePicture) {
    std::vector<PictureTables> pictures(4);  // empty, a point, a line twice, with a line of zero length
    pictures[1].createPixel(7, 9);
    pictures[2].createLine(3, 4, 10, 4);
    pictures[2].createLine(10, 4, 3, 4);
    pictures[3] = pictures[2];
    pictures[3].createLine(6, 6, 6, 6);
    std::mt19937 random(34);
    for (int i = 0; i < 20; ++i) pictures.push_back(randomPicture(random, i * 5, i % 2 ? 12 : Image_Width - 1));
    pictures.push_back(randomPicture(random, l_number - 1, Image_Width - 1));
    for (size_t i = 0; i < pictures.size(); ++i) {
        SCOPED_TRACE("picture " + std::to_string(i));
        e.picture.replace(pictures[i]);
        exportPlotterCommand(e);
        const Drawing expected = pictureDrawing(pictures[i]), hpgl = readHpgl(readFile("picture1.hpgl")).drawing;
        EXPECT_TRUE(drawsExactly(hpgl, expected)) << "HP-GL";
        EXPECT_TRUE(drawsExactly(readGcode(readFile("picture1.gcode")).drawing, expected)) << "G-code";
        // The laser's path is the pen's, with records added along the lines.
        const Drawing ilda = readIlda(readFile("picture1.ild"));
        EXPECT_EQ(straightened(ilda.lines), straightened(hpgl.lines)) << "ILDA";
        EXPECT_EQ(ilda.dots, hpgl.dots) << "ILDA";
    }
}

// A plotter file (`units` a mm, rounded within `close`) draws the canvas at one scale, centred and as
// large as the sheet's margins allow; read back at that scale, it draws exactly the picture.
template <typename Read>
void expectFitted(Read read, double units, double close, std::array<double, 2> sheet, double margin,
                  const Drawing& expected) {
    std::array<double, 2> low = {1e9, 1e9}, high = {-1e9, -1e9}, span = {255, 199};
    for (const auto& place : read(Fit{1, 0, 0}).drawn)
        for (int i : {0, 1}) low[i] = std::min(low[i], place[i]), high[i] = std::max(high[i], place[i]);
    const double scale = (high[0] - low[0]) / 255;
    for (int i : {0, 1}) {
        EXPECT_NEAR((high[i] - low[i]) / span[i], scale, close / 50) << "one scale";
        EXPECT_NEAR(low[i] + high[i], sheet[i] * units, close) << "centred";
        EXPECT_GE(low[i], margin * units) << "within the margins";
    }
    EXPECT_NEAR(std::min(low[0], low[1]), margin * units, close) << "as large as fits";
    EXPECT_TRUE(drawsExactly(read(Fit{scale, low[0], low[1], true}).drawing, expected));
}

TEST_F(PlotterFilesTest, PlotterFilesFitThePaperAtOneScaleCentredWithinTheMargins) {
    const std::pair<const char*, std::array<double, 2>> papers[] = {
        {"a4", {297, 210}}, {"a3", {420, 297}}, {"a5", {210, 148}}, {"letter", {279.4, 215.9}}, {"300x120", {300, 120}}};
    std::mt19937 random(5);
    PictureTables picture = randomPicture(random, 40, Image_Width - 1);
    picture.createLine(0, 0, Image_Width - 1, Image_Height - 1);  // the canvas's corners
    e.picture.replace(picture);
    e.machinesFile = "m.toml";
    const Drawing expected = pictureDrawing(picture);
    for (const auto& [size, landscape] : papers) {
        for (const bool portrait : {false, true}) {
            for (const double margin : {0.0, 10.0, 12.5}) {
                SCOPED_TRACE(std::string(size) + (portrait ? " portrait " : " landscape ") + std::to_string(margin));
                std::ofstream("m.toml") << "[paper]\nsize = \"" << size << "\"\norientation = \""
                                        << (portrait ? "portrait" : "landscape") << "\"\nmargin = " << margin
                                        << "\n[gcode]\npen_up = \"M5\"\npen_down = \"M3 S1000\"\n";
                exportPlotterCommand(e);
                const std::array<double, 2> sheet = portrait ? std::array<double, 2>{landscape[1], landscape[0]} : landscape;
                const std::string hpgl = readFile("picture1.hpgl"), gcode = readFile("picture1.gcode");
                expectFitted([&](const Fit& fit) { return readHpgl(hpgl, fit); }, 40, 1, sheet, margin, expected);
                expectFitted([&](const Fit& fit) { return readGcode(gcode, fit, "M3 S1000", "M5"); }, 1, 0.001, sheet,
                             margin, expected);
            }
        }
    }
}

// The frame as places held, lit or blanked, for some records in a row.
struct Hold { Record at; bool lit; int records; };
std::vector<Hold> holds(const std::vector<Record>& records) {
    std::vector<Hold> held;
    for (const Record& r : records) {
        const bool lit = !(r.status & ildaBlanked);
        if (!held.empty() && held.back().lit == lit && held.back().at.x == r.x && held.back().at.y == r.y) ++held.back().records;
        else held.push_back({r, lit, 1});
    }
    return held;
}

// The frame played repeating: waits of 5 blanked records around every stroke, blanked steps within
// 1/16 of the field, dwells of 3 lit records at strokes' ends and sharp corners, the last bit on the
// last record alone; at most `budget` records, or else every lit one at a line's end.
void expectPlayableFrame(const std::vector<Record>& records, const std::set<std::array<long, 2>>& ends, size_t budget) {
    const std::vector<Hold> held = holds(records);
    bool fewest = true;
    for (size_t i = 0; i < held.size() && held.size() > 1; ++i) {
        const Hold &before = held[(i + held.size() - 1) % held.size()], &h = held[i], &next = held[(i + 1) % held.size()];
        const bool strokeEnd = before.lit != h.lit || h.lit != next.lit;
        EXPECT_GE(h.records, !strokeEnd ? 1 : h.lit ? 3 : 5) << (h.lit ? "a dwell" : "a wait");
        const double turn = std::atan2(next.at.y - h.at.y, next.at.x - h.at.x) - std::atan2(h.at.y - before.at.y, h.at.x - before.at.x);
        const bool corner = h.lit && !strokeEnd && std::abs(std::remainder(turn, 2 * M_PI)) > M_PI / 4 + 1e-9;  // over 45 degrees
        EXPECT_TRUE(!corner || h.records >= 3) << "a dwell at a corner";
        const double step = std::hypot(next.at.x - h.at.x, next.at.y - h.at.y);
        EXPECT_LE(step, h.lit && next.lit ? 1e6 : h.lit != next.lit ? 0 : 4096) << "blanked: a step; lit or not: in place";
        fewest = fewest && (!h.lit || ends.count({h.at.x, h.at.y}));
    }
    for (size_t i = 0; i < records.size(); ++i) EXPECT_EQ(records[i].status & ildaLast, i + 1 == records.size() ? ildaLast : 0);
    EXPECT_TRUE(records.size() <= budget || fewest) << records.size() << " records";
}

TEST_F(PlotterFilesTest, LaserFramesWaitStepAndDwellWithinTheirBudgetWhenThePictureAllows) {
    const std::pair<const char*, size_t> rows[] = {  // the settings, and the records they allow
        {"", 1500}, {"scan_rate = 12000\nframe_rate = 30\n", 400}, {"scan_rate = 1000\nframe_rate = 100\n", 10}};
    e.machinesFile = "m.toml";
    std::mt19937 random(11);
    for (const auto& [laser, budget] : rows) {
        std::ofstream("m.toml") << "[laser]\n" << laser;
        for (int i = 0; i < 12; ++i) {
            SCOPED_TRACE(std::string(laser) + " picture " + std::to_string(i));
            const PictureTables picture = randomPicture(random, i * 4, i % 3 ? 40 : Image_Width - 1);
            std::set<std::array<long, 2>> ends;  // the lines' ends and the dots, in ILDA units
            for (const Stroke& stroke : pictureStrokes(picture))
                for (Cell c : stroke) ends.insert({256L * (c.x - 128), 256L * (100 - c.y)});
            e.picture.replace(picture);
            ::testing::internal::CaptureStderr();
            exportPlotterCommand(e);
            const std::string logged = ::testing::internal::GetCapturedStderr();
            const std::vector<Record> records = ildaRecords(readFile("picture1.ild"));
            expectPlayableFrame(records, ends, budget);
            EXPECT_EQ(logged.rfind("Laser frame: ", 0), records.size() > budget ? 0 : std::string::npos) << logged;
        }
    }
}

TEST_F(PlotterFilesTest, IldaHeaderAndRecordsByteByByte) {
    e.picture.addLine(0, 199, 10, 199);  // 10 cells: cut in two
    e.picture.addPoint(1, 198);          // drawn first, on the way; near both ends of the line: no steps
    exportPlotterCommand(e);
    const std::string header = "494c444100000005" "7069637475726531" "5465737361727900";  // ILDA, 5, names
    const std::string green = "438d58", off = "000000";  // colour 6, blue first
    const auto records = [](const std::string& record, int times) { std::string all; while (times--) all += record; return all; };
    const std::string expected = header + "001e" "0000" "0001" "0000" +
                                 records("81009e00" "40" + off, 5) + records("81009e00" "00" + green, 3) +  // wait, the dot
                                 records("81009e00" "40" + off, 5) +                                         // wait
                                 records("80009d00" "40" + off, 5) + records("80009d00" "00" + green, 3) +  // wait, dwell at (0, 199)
                                 "85009d00" "00" + green + records("8a009d00" "00" + green, 3) +  // (5, 199), dwell at (10, 199)
                                 records("8a009d00" "40" + off, 4) + "8a009d00" "c0" + off +  // wait; the last record
                                 header + "0000" "0000" "0001" "0000";
    std::ostringstream hex;
    for (unsigned char byte : readFile("picture1.ild")) hex << std::hex << std::setw(2) << std::setfill('0') << +byte;
    EXPECT_EQ(hex.str(), expected);
}

TEST_F(PlotterFilesTest, EWritesTheImagesAndShiftEThePlotterFilesReportingEachFailure) {
    struct Row {
        bool shift;
        std::vector<std::string> inTheWay, names;  // directories made first; the names afterwards
        std::string message, logged;               // on the prompt line; on standard error
        std::string settings = "";                 // a settings file, m.toml, when not empty
        int colour = 6;                            // the drawing colour
    };
    const std::vector<std::string> plotterFiles = {"picture1.gcode", "picture1.hpgl", "picture1.ild"};
    const Row rows[] = {
        {false, {}, {"picture1.png", "picture1.svg"}, "Wrote picture1.svg, .png", ""},
        {true, {}, plotterFiles, "Wrote picture1.hpgl, .gcode, .ild", ""},
        {true, {"picture1.hpgl", "picture1.ild"}, plotterFiles, "Export failed: pic...pgl: Is a directory",
         "Export failed: picture1.hpgl: Is a directory\nExport failed: picture1.ild: Is a directory\n"},
        {true, {}, {"m.toml"}, "m.toml line 3: feed: expected a number", "m.toml line 3: feed: expected a number\n",
         "[gcode]\npen_up = \"M5\"\nfeed = \"fast\"\n"},
        {true, {}, {"m.toml", "picture1.gcode", "picture1.hpgl", "picture1.ild"}, "Laser white; 16 points, 62 frames/s",
         "Laser drawn in white: black gives no beam\nLaser frame: 16 points, 62 frames/s\n", "[laser]\nscan_rate = 1000\nframe_rate = 100\n", 1},
    };
    e.picture.addLine(1, 2, 3, 4);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        for (const std::string& name : row.inTheWay) std::filesystem::create_directory(name);
        if (!row.settings.empty()) std::ofstream("m.toml") << row.settings;
        e.machinesFile = row.settings.empty() ? "" : "m.toml";
        e.Draw_Color = Colors[row.colour - 1];
        const Uint32 beyond = rawPixel(promptLineX + 8 * messageLength, promptLineY);
        releaseAllKeys();
        keypressed.clear();
        setKey(SDLK_LSHIFT, row.shift);
        setKey(SDLK_e, true);
        readKeys();
        ::testing::internal::CaptureStderr();
        runKeyCommands(e);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), row.logged);
        EXPECT_EQ(directoryNames(), row.names);
        EXPECT_TRUE(promptLineShows(row.message, beyond));
        for (const std::string& name : directoryNames()) std::filesystem::remove_all(name);
    }
}

}  // namespace
