// machines_test.cpp - the plotter and laser settings file: good files give
// their settings, bad ones are refused naming their line and key.
#include "machines.h"

#include <fstream>
#include <sstream>

#include "file_fixture.h"

namespace {

using MachinesTest = FileTest;

// The settings read, in short, or the failure whole.
std::string readBack(const std::string& path, bool mustExist) {
    const MachinesRead read = readMachines(path, mustExist);
    if (read.failure) return read.failure->full();
    const MachineProfile& p = read.profile;
    const std::optional<Sheet> sheet = paperSheet(p.paper);
    std::ostringstream text;
    text << penUpLines(p.gcode) << " / " << penDownLines(p.gcode) << ", " << (sheet ? sheet->name : "no paper") << ", "
         << p.gcode.feed << ", " << p.laser.scanRate << " " << p.laser.frameRate << " " << p.laser.colour;
    return text.str();
}

TEST_F(MachinesTest, GoodFilesGiveTheirSettingsAndBadOnesAreRefusedWithTheirLineAndKey) {
    const std::pair<const char*, std::string> rows[] = {  // a file, and its settings in short or why it is refused
        {"[gcode]\npen_up = \"M5\"\npen_down = \"M3 S1000\"\nfeed = 800.5\n", "M5 / M3 S1000, no paper, 800.5, 30000 20 0"},
        {"[gcode]\npen = \"servo\"\npen_up = \"M3 S10\"\n", "M3 S10 / M3 S1000\nG4 P0.2, no paper, 1500, 30000 20 0"},
        {"[paper]\nsize = \"A4\"\n[laser]\nscan_rate = 20000\nframe_rate = 5\ncolour = 2\n",
         "G0 Z2 / G0 Z0, A4 landscape, 1500, 20000 5 2"},
        {"[paper]\nsize = \"300x200\"\norientation = \"portrait\"\n", "G0 Z2 / G0 Z0, 300 x 200 mm portrait, 1500, 30000 20 0"},
        {"[gcode]\npen_up = \"M5\"\n\npen_down = 3\n", "m.toml line 4: pen_down: expected a string"},
        {"[gcode]\npen_dwn = \"M5\"\n", "m.toml line 2: pen_dwn: unknown key in [gcode]"},
        {"[plotter]\nfeed = 1\n", "m.toml line 1: plotter: unknown table"},
        {"paper = \"a4\"\n", "m.toml line 1: paper: expected a table"},
        {"[gcode]\nfeed = 0\n", "m.toml line 2: feed: expected a number above 0, at most 100000"},
        {"[gcode]\npen = \"solenoid\"\n", "m.toml line 2: pen: expected \"z\" or \"servo\""},
        {"[paper]\nsize = \"0x100\"\n", "m.toml line 2: size: expected \"a4\", \"a3\", \"a5\", \"letter\" or \"WxH\" in mm"},
        {"[paper]\nsize = \"a5\"\nmargin = 80\n", "m.toml line 3: margin: a margin of 80 mm leaves no room on A5 landscape"},
        {"[laser]\nframe_rate = 2.5\n", "m.toml line 2: frame_rate: expected a whole number 1-100"},
        {"[gcode]\nfeed = = 3\n", "m.toml line 2: Error while parsing value: could not determine value type"},
    };
    for (const auto& [file, expected] : rows) {
        std::ofstream("m.toml") << file;
        EXPECT_EQ(readBack("m.toml", false), expected) << file;
    }
}

TEST_F(MachinesTest, AMissingDefaultFileIsTheDefaultsButAFileNamedOrUnreadableIsRefused) {
    EXPECT_EQ(readBack("missing.toml", false), "G0 Z2 / G0 Z0, no paper, 1500, 30000 20 0");
    EXPECT_EQ(readBack("missing.toml", true), "missing.toml: No such file or directory");
    std::filesystem::create_directory("folder.toml");
    EXPECT_EQ(readBack("folder.toml", false), "folder.toml: Is a directory");
}

}  // namespace
