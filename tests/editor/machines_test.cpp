// machines_test.cpp - the plotter and laser settings file: good files give
// their settings, bad ones are refused naming their line and key, and the
// sheets the paper settings give.
#include "machines.h"

#include <fstream>

#include "file_fixture.h"

namespace {

using MachinesTest = FileTest;

TEST_F(MachinesTest, GoodFilesGiveTheirSettings) {
    struct Row {
        const char* file;
        std::string penUp, penDown, sheet;  // sheet: its name, or empty for none
        double feed;
        int scanRate, colour;
    };
    const Row rows[] = {
        {"", "G0 Z2", "G0 Z0", "", 1500, 30000, 0},
        {"# nothing but a comment\n", "G0 Z2", "G0 Z0", "", 1500, 30000, 0},
        {"[gcode]\npen_up = \"M5\"\npen_down = \"M3 S1000\"\nfeed = 800.5\n", "M5", "M3 S1000", "", 800.5, 30000, 0},
        {"[gcode]\npen = \"servo\"\n", "M5\nG4 P0.2", "M3 S1000\nG4 P0.2", "", 1500, 30000, 0},
        {"[gcode]\npen = \"servo\"\npen_up = \"M3 S10\"\n", "M3 S10", "M3 S1000\nG4 P0.2", "", 1500, 30000, 0},
        {"[paper]\nsize = \"A4\"\n[laser]\nscan_rate = 20000\ncolour = 2\n", "G0 Z2", "G0 Z0", "A4 landscape", 1500, 20000, 2},
        {"[paper]\nsize = \"letter\"\norientation = \"portrait\"\nmargin = 0\n", "G0 Z2", "G0 Z0", "Letter portrait", 1500, 30000, 0},
        {"[paper]\nsize = \"300x200\"\n", "G0 Z2", "G0 Z0", "300 x 200 mm", 1500, 30000, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        std::ofstream("m.toml") << row.file;
        const MachinesRead read = readMachines("m.toml", true);
        ASSERT_FALSE(read.failure) << read.failure->full();
        EXPECT_EQ(penUpLines(read.profile.gcode), row.penUp);
        EXPECT_EQ(penDownLines(read.profile.gcode), row.penDown);
        const std::optional<Sheet> sheet = paperSheet(read.profile.paper);
        EXPECT_EQ(sheet ? sheet->name : "", row.sheet);
        EXPECT_EQ(read.profile.gcode.feed, row.feed);
        EXPECT_EQ(read.profile.laser.scanRate, row.scanRate);
        EXPECT_EQ(read.profile.laser.colour, row.colour);
    }
}

TEST_F(MachinesTest, BadFilesAreRefusedWithTheirLineAndKey) {
    struct Row {
        const char* file;
        std::string message;  // after "m.toml"
    };
    const Row rows[] = {
        {"[gcode]\npen_up = \"M5\"\n\npen_down = 3\n", " line 4: pen_down: expected a string"},
        {"[gcode]\npen_dwn = \"M5\"\n", " line 2: pen_dwn: unknown key in [gcode]"},
        {"[plotter]\nfeed = 1\n", " line 1: plotter: unknown table"},
        {"paper = \"a4\"\n", " line 1: paper: expected a table"},
        {"[gcode]\nfeed = 0\n", " line 2: feed: expected a number above 0, at most 100000"},
        {"[gcode]\ntravel_feed = \"fast\"\n", " line 2: travel_feed: expected a number"},
        {"[gcode]\npen = \"solenoid\"\n", " line 2: pen: expected \"z\" or \"servo\""},
        {"[paper]\nsize = \"b5\"\n", " line 2: size: expected \"a4\", \"a3\", \"a5\", \"letter\" or \"WxH\" in mm"},
        {"[paper]\nsize = \"0x100\"\n", " line 2: size: expected \"a4\", \"a3\", \"a5\", \"letter\" or \"WxH\" in mm"},
        {"[paper]\norientation = \"sideways\"\n", " line 2: orientation: expected \"landscape\" or \"portrait\""},
        {"[paper]\nsize = \"a5\"\nmargin = 80\n", " line 3: margin: a margin of 80 mm leaves no room on A5 landscape"},
        {"[paper]\nmargin = -1\n", " line 2: margin: expected a number of mm, 0 or more"},
        {"[laser]\nframe_rate = 2.5\n", " line 2: frame_rate: expected a whole number 1-100"},
        {"[laser]\ncolour = 17\n", " line 2: colour: expected a whole number 1-16"},
        {"[laser]\nscan_rate = 999\n", " line 2: scan_rate: expected a whole number 1000-100000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        std::ofstream("m.toml") << row.file;
        const MachinesRead read = readMachines("m.toml", false);
        ASSERT_TRUE(read.failure);
        EXPECT_EQ(read.failure->full(), "m.toml" + row.message);
        EXPECT_EQ(penUpLines(read.profile.gcode), "G0 Z2") << "nothing taken from a file refused";
    }
}

TEST_F(MachinesTest, AFileThatCannotBeReadOrParsedIsRefusedButAMissingDefaultIsNone) {
    EXPECT_FALSE(readMachines("missing.toml", false).failure);
    EXPECT_EQ(readMachines("missing.toml", true).failure->full(), "missing.toml: No such file or directory");
    std::filesystem::create_directory("folder.toml");
    EXPECT_EQ(readMachines("folder.toml", false).failure->full(), "folder.toml: Is a directory");
    std::ofstream("m.toml") << "[gcode]\nfeed = = 3\n";
    const std::string parsed = readMachines("m.toml", false).failure->full();
    EXPECT_EQ(parsed.rfind("m.toml line 2: ", 0), 0u) << parsed;
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    setenv("XDG_CONFIG_HOME", "/config", 1);
    EXPECT_EQ(machinesPath(""), "/config/tessary/machines.toml");
    EXPECT_EQ(machinesPath("mine.toml"), "mine.toml");
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
}

}  // namespace
