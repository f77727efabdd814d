// plotterfiles_test.cpp - Shift+E's HP-GL, G-code and ILDA files read back:
// each draws exactly the picture's lines and points, over random pictures;
// the ILDA bytes of one small picture; e and Shift+E writing each their own
// files, and the report of those that fail.
#include <cstdio>
#include <iomanip>
#include <random>
#include <set>
#include <sstream>

#include "export.h"
#include "file_fixture.h"
#include "ildafile.h"
#include "keys.h"

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

// The pen's path: lines where it moves lowered, a dot where it is lowered and
// raised again without moving.
struct Pen {
    Drawing drawing;
    Place at = cellPlace(0, 199);
    bool down = false, moved = false;

    void lower(bool lowered) {
        if (down && !lowered && !moved) drawing.dots.push_back(at);
        if (lowered && !down) moved = false;
        down = lowered;
    }
    void moveTo(Place to) {
        if (down && to != at) drawing.lines.push_back({at, to});
        moved = moved || (down && to != at);
        at = to;
    }
};

Drawing readHpgl(const std::string& text) {
    Pen pen;
    std::stringstream in(text);
    for (std::string op; std::getline(in >> std::ws, op, ';');) {
        pen.lower(op.rfind("PD", 0) == 0);
        long x, y;
        int used = 0;
        for (const char* xy = op.c_str() + 2; std::sscanf(xy, "%ld,%ld%n", &x, &y, &used) == 2;
             xy += used + (xy[used] == ','))
            pen.moveTo({fine * x / 40, fine * (199 - y / 40)});
        if (op == "PD") pen.lower(false);
    }
    return pen.drawing;
}

Drawing readGcode(const std::string& text) {
    Pen pen;
    std::stringstream in(text);
    long x, y;
    for (std::string line; std::getline(in, line);) {
        if (line.find(" Z") != std::string::npos) pen.lower(line == "G1 Z0 F500");
        else if (std::sscanf(line.c_str(), "G%*d X%ld Y%ld", &x, &y) == 2) pen.moveTo({fine * x, fine * (199 - y)});
    }
    return pen.drawing;
}

long word(const std::string& bytes, size_t at) {
    return static_cast<int16_t>((static_cast<unsigned char>(bytes[at]) << 8) | static_cast<unsigned char>(bytes[at + 1]));
}

// The records of the first frame; the beam is lit for a record without the blanking bit.
Drawing readIlda(const std::string& bytes) {
    Pen pen;
    for (size_t at = 32; at < 32 + 8 * static_cast<size_t>(word(bytes, 24) & 0xFFFF); at += 8) {
        pen.lower(!(bytes[at + 4] & ildaBlanked));
        pen.moveTo({word(bytes, at) + 128 * fine, 100 * fine - word(bytes, at + 2)});
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
        const Drawing expected = pictureDrawing(pictures[i]), hpgl = readHpgl(readFile("picture1.hpgl"));
        EXPECT_TRUE(drawsExactly(hpgl, expected)) << "HP-GL";
        EXPECT_TRUE(drawsExactly(readGcode(readFile("picture1.gcode")), expected)) << "G-code";
        // The laser's path is the pen's, with records added along the lines.
        const Drawing ilda = readIlda(readFile("picture1.ild"));
        EXPECT_EQ(straightened(ilda.lines), straightened(hpgl.lines)) << "ILDA";
        EXPECT_EQ(ilda.dots, hpgl.dots) << "ILDA";
    }
}

TEST_F(PlotterFilesTest, IldaHeaderAndRecordsByteByByte) {
    e.picture.addLine(0, 199, 10, 199);  // at the origin, so drawn first; 10 cells: cut in two
    e.picture.addPoint(1, 2);
    exportPlotterCommand(e);
    const std::string header = "494c444100000005" "7069637475726531" "5465737361727900";  // ILDA, 5, names
    const std::string green = "438d58";  // colour 6, blue first
    const std::string expected = header + "0008" "0000" "0001" "0000" +
                                 "80009d00" "40" "000000" "80009d00" "00" + green +  // blanked, lit at (0, 199)
                                 "85009d00" "00" + green + "8a009d00" "00" + green +  // (5, 199), (10, 199)
                                 "81006200" "40" "000000" "81006200" "00" + green +   // blanked, lit at (1, 2)
                                 "81006200" "00" + green + "81006200" "80" + green +  // dwell; the last record
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
    };
    const std::vector<std::string> plotterFiles = {"picture1.gcode", "picture1.hpgl", "picture1.ild"};
    const Row rows[] = {
        {false, {}, {"picture1.png", "picture1.svg"}, "Wrote picture1.svg, .png", ""},
        {true, {}, plotterFiles, "Wrote picture1.hpgl, .gcode, .ild", ""},
        {true, {"picture1.hpgl", "picture1.ild"}, plotterFiles, "Export failed: pic...pgl: Is a directory",
         "Export failed: picture1.hpgl: Is a directory\nExport failed: picture1.ild: Is a directory\n"},
    };
    e.picture.addLine(1, 2, 3, 4);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        for (const std::string& name : row.inTheWay) std::filesystem::create_directory(name);
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
