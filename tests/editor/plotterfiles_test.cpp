// plotterfiles_test.cpp - Shift+E's HP-GL, G-code and ILDA files read back:
// each draws exactly the picture's lines and points, over random pictures;
// the ILDA bytes of one small picture; and e and Shift+E writing each their own files.
#include <cmath>
#include <map>
#include <numeric>
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

// What a file draws: lines between places, and dots.
struct Drawing {
    std::vector<std::array<Place, 2>> lines;
    std::vector<Place> dots;
};

Place cellPlace(int x, int y) { return {fine * x, fine * y}; }

// The pen's path: moves with the pen up, draws with it down; a pen lowered
// and raised again where it stands leaves a dot.
class Pen {
public:
    void up() {
        if (down && !moved) drawing.dots.push_back(at);
        down = false;
    }
    void lower() {
        if (!down) moved = false;
        down = true;
    }
    void moveTo(Place to) {
        if (down && to != at) {
            drawing.lines.push_back({at, to});
            moved = true;
        }
        at = to;
    }
    Drawing drawing;

private:
    Place at = cellPlace(0, 199);
    bool down = false, moved = false;
};

// Whole numbers separated by commas; none in an empty text.
std::vector<long> numbers(const std::string& text) {
    std::vector<long> found;
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, ',');) found.push_back(std::stol(item));
    return found;
}

Drawing readHpgl(const std::string& text) {
    Pen pen;
    std::stringstream in(text);
    for (std::string instruction; std::getline(in >> std::ws, instruction, ';');) {
        const std::string name = instruction.substr(0, 2);
        const std::vector<long> xy = numbers(instruction.substr(2));
        if (name == "PU") pen.up();
        if (name == "PD") pen.lower();
        for (size_t i = 0; i + 1 < xy.size(); i += 2) pen.moveTo({fine * xy[i] / 40, fine * (199 - xy[i + 1] / 40)});
        if (name == "PD" && xy.empty()) pen.up();
    }
    pen.up();
    return pen.drawing;
}

Drawing readGcode(const std::string& text) {
    Pen pen;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) {
        long x = 0, y = 0;
        if (line == "G0 Z5") pen.up();
        else if (line == "G1 Z0 F500") pen.lower();
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
    const long records = word(bytes, 24) & 0xFFFF;
    for (long i = 0; i < records; ++i) {
        const size_t at = 32 + 8 * static_cast<size_t>(i);
        if (bytes[at + 4] & ildaBlanked) pen.up();
        else pen.lower();
        pen.moveTo({word(bytes, at) + 128 * fine, 100 * fine - word(bytes, at + 2)});
    }
    pen.up();
    return pen.drawing;
}

// The lines merged where they lie on one straight line and overlap or touch,
// so that a line cut into pieces equals the whole: each as its direction, its
// offset across it and its span along it; sorted.
std::vector<std::array<long, 5>> merged(const std::vector<std::array<Place, 2>>& lines) {
    std::map<std::array<long, 3>, std::vector<std::pair<long, long>>> spans;
    for (const auto& [a, b] : lines) {
        long dx = b[0] - a[0], dy = b[1] - a[1];
        const long g = std::gcd(dx, dy);
        const long sign = dx < 0 || (dx == 0 && dy < 0) ? -1 : 1;
        dx *= sign;
        dx /= g;
        dy *= sign;
        dy /= g;
        const long along1 = dx * a[0] + dy * a[1], along2 = dx * b[0] + dy * b[1];
        spans[{dx, dy, dx * a[1] - dy * a[0]}].push_back(std::minmax(along1, along2));
    }
    std::vector<std::array<long, 5>> result;
    for (auto& [line, list] : spans) {
        std::sort(list.begin(), list.end());
        for (const auto& span : list) {
            if (!result.empty() && std::equal(line.begin(), line.end(), result.back().begin()) &&
                span.first <= result.back()[4])
                result.back()[4] = std::max(result.back()[4], span.second);
            else result.push_back({line[0], line[1], line[2], span.first, span.second});
        }
    }
    return result;
}

double totalLength(const std::vector<std::array<Place, 2>>& lines) {
    double length = 0;
    for (const auto& [a, b] : lines) length += std::hypot(b[0] - a[0], b[1] - a[1]);
    return length;
}

// What the picture should draw: each distinct line on the canvas once, and a
// dot for each point and each line of zero length.
Drawing pictureDrawing(const PictureTables& t) {
    Drawing expected;
    std::set<std::array<Place, 2>> lines;
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

// Every line drawn and nothing else (pieces of a line together count as the
// line; the total length shows that none is drawn twice), every dot once.
::testing::AssertionResult drawsExactly(Drawing drawn, const Drawing& expected) {
    std::sort(drawn.dots.begin(), drawn.dots.end());
    if (drawn.dots != expected.dots) return ::testing::AssertionFailure() << "other dots";
    if (merged(drawn.lines) != merged(expected.lines)) return ::testing::AssertionFailure() << "other lines";
    if (std::abs(totalLength(drawn.lines) - totalLength(expected.lines)) > 1e-6 * (1 + totalLength(expected.lines)))
        return ::testing::AssertionFailure() << "a line drawn twice";
    return ::testing::AssertionSuccess();
}

// Random pictures: `count` lines and points among the cells up to `span`,
// so that lines meet, repeat and have zero length; and a few cells off the canvas.
PictureTables randomPicture(std::mt19937& random, int count, int span) {
    std::uniform_int_distribution<int> cell(0, span);
    PictureTables t;
    for (int i = 0; i < count; ++i) {
        t.createLine(cell(random), cell(random) % Image_Height, cell(random), cell(random) % Image_Height);
        t.createPixel(cell(random), cell(random) % Image_Height);
    }
    if (count > 0) {
        t.createLine(5, 5, Image_Width, 5);
        t.createPixel(-1, 3);
    }
    return t;
}

using PlotterFilesTest = FileTest;

TEST_F(PlotterFilesTest, EveryFormatDrawsExactlyThePicture) {
    std::vector<PictureTables> pictures(4);
    pictures[1].createPixel(7, 9);
    for (PictureTables* t : {&pictures[2], &pictures[3]}) t->createLine(3, 4, 10, 4), t->createLine(10, 4, 3, 4);
    pictures[3].createLine(6, 6, 6, 6);
    std::mt19937 random(34);
    for (int i = 0; i < 20; ++i) pictures.push_back(randomPicture(random, i * 5, i % 2 ? 12 : Image_Width - 1));
    pictures.push_back(randomPicture(random, l_number - 1, Image_Width - 1));
    for (size_t i = 0; i < pictures.size(); ++i) {
        SCOPED_TRACE("picture " + std::to_string(i));
        e.picture.replace(pictures[i]);
        exportPlotterCommand(e);
        const Drawing expected = pictureDrawing(pictures[i]);
        EXPECT_TRUE(drawsExactly(readHpgl(readFile("picture1.hpgl")), expected)) << "HP-GL";
        EXPECT_TRUE(drawsExactly(readGcode(readFile("picture1.gcode")), expected)) << "G-code";
        EXPECT_TRUE(drawsExactly(readIlda(readFile("picture1.ild")), expected)) << "ILDA";
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
    std::string hex;
    for (unsigned char byte : readFile("picture1.ild")) {
        const char digits[] = "0123456789abcdef";
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    EXPECT_EQ(hex, expected);
}

TEST_F(PlotterFilesTest, EWritesTheImagesAndShiftEThePlotterFiles) {
    struct Row {
        bool shift;
        std::vector<std::string> names;
        std::string message;
    };
    const Row rows[] = {
        {false, {"picture1.png", "picture1.svg"}, "Wrote picture1.svg, .png"},
        {true, {"picture1.gcode", "picture1.hpgl", "picture1.ild"}, "Wrote picture1.hpgl, .gcode, .ild"},
    };
    e.picture.addLine(1, 2, 3, 4);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        const Uint32 before = rawPixel(promptLineX + 8 * messageLength, promptLineY);
        releaseAllKeys();
        setKey(SDLK_LSHIFT, row.shift);
        setKey(SDLK_e, true);
        readKeys();
        runKeyCommands(e);
        EXPECT_EQ(directoryNames(), row.names);
        EXPECT_TRUE(promptLineShows(row.message, before));
        for (const std::string& name : directoryNames()) std::filesystem::remove(name);
        releaseAllKeys();
        readKeys();
        runKeyCommands(e);
    }
}

TEST_F(PlotterFilesTest, EveryFileThatFailsIsNamed) {
    for (const char* name : {"picture2.hpgl", "picture2.ild"}) std::filesystem::create_directory(name);
    e.nr = 2;
    const Uint32 beyond = rawPixel(promptLineX + 8 * messageLength, promptLineY);
    ::testing::internal::CaptureStderr();
    exportPlotterCommand(e);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Export failed: picture2.hpgl: Is a directory\nExport failed: picture2.ild: Is a directory\n");
    EXPECT_TRUE(promptLineShows("Export failed: picture2.hpgl, .ild", beyond));
    EXPECT_EQ(readFile("picture2.gcode").substr(0, 8), "G21\nG90\n");
}

}  // namespace
