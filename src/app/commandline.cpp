// commandline.cpp - parsing the arguments, then starting the editor or rendering.
//
// DIR is entered before anything else runs, so the editor and the render read
// and write their files there exactly as in the working directory. File names
// given to --svg, --png, --hpgl, --gcode, --ilda, --trace and --machines are taken
// relative to the directory the program was started in, as a shell user
// expects. --pictures names DIR by a rule, for the desktop entry: menu
// launches keep their files in the user's pictures folder rather than
// wherever the launcher starts programs.
#include "commandline.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "editor.h"
#include "picture.h"
#include "render.h"
#include "tracememory.h"
#include "vectorizeslot.h"

namespace {

const char* const version = "Tessary 0.3";

const char* const synopsis =
    "Usage: tessary [--dir DIR]\n"
    "       tessary --pictures\n"
    "       tessary [--dir DIR | --pictures] --trace FILE\n"
    "       tessary --render N [--dir DIR | --pictures] [--svg FILE] [--png FILE]\n"
    "               [--hpgl FILE] [--gcode FILE] [--ilda FILE]\n"
    "               [--background K] [--color K] [--separate]\n"
    "               [--paper SIZE] [--margin MM] [--portrait] [--pen z|servo]\n"
    "       tessary --render SLOTS [--dir DIR | --pictures] [--ilda FILE]\n"
    "               [--gif FILE] [--fps F] [--background K] [--color K] [--separate]\n"
    "       tessary --vectorize IMAGE --slot N [--centerline] [--dir DIR | --pictures]\n"
    "       tessary --version | --help | -h\n"
    "       (all but the last also take --machines FILE)\n";

const char* const details =
    "\n"
    "With no option, starts the editor in the working directory.\n"
    "\n"
    "  --dir DIR         use DIR as the folder of the slot, export and image files\n"
    "  --pictures        use Tessary in your pictures folder as DIR, made when\n"
    "                    missing: $(xdg-user-dir PICTURES)/Tessary, or\n"
    "                    ~/Pictures/Tessary where xdg-user-dir is missing;\n"
    "                    the desktop menu starts the editor so\n"
    "  --trace FILE      show the PNG or BMP image FILE under the picture, to trace\n"
    "                    over; key t chooses another, Shift+T shows or hides it\n"
    "  --render N        render slot N (1-7) to files, without a window\n"
    "  --render SLOTS    render the slots of a range such as 1-7 or a list such as\n"
    "                    1,3,5 as the frames of an animation, leaving out those\n"
    "                    that hold no picture: an ILDA show of one frame per slot\n"
    "                    and an animated GIF (neither --ilda nor --gif:\n"
    "                    animation.ild and animation.gif in DIR, as key Ctrl+E)\n"
    "  --svg FILE        write the SVG image to FILE\n"
    "  --png FILE        write the PNG image to FILE\n"
    "  --hpgl FILE       write HP-GL for pen plotters to FILE\n"
    "  --gcode FILE      write G-code for pen plotters to FILE\n"
    "  --ilda FILE       write an ILDA frame for laser projectors to FILE\n"
    "                    (none of these five: pictureN.svg and pictureN.png in DIR;\n"
    "                    key Shift+E writes pictureN.hpgl, .gcode and .ild)\n"
    "  --gif FILE        write the animated GIF of SLOTS to FILE\n"
    "  --fps F           frames a second of the GIF, 1-30 (default: the last\n"
    "                    that key Shift+A set for DIR, or 4)\n"
    "  --background K    background colour, palette number 1-16 (default 1)\n"
    "  --color K         drawing colour, palette number 1-16 (default 6), also\n"
    "                    the laser's colour\n"
    "  --separate        draw lines in dark green\n"
    "  --vectorize IMAGE save the outlines of the dark parts of the PNG or BMP\n"
    "                    IMAGE, fitted to the canvas, to slot N, without a window;\n"
    "                    the slot's old picture is kept (keys i and Shift+I add\n"
    "                    the lines of the traced image in the editor)\n"
    "  --slot N          the slot (1-7) that --vectorize saves to\n"
    "  --centerline      --vectorize saves centre lines: one line down each stroke\n"
    "  --machines FILE   read the plotter and laser settings from FILE instead of\n"
    "                    $XDG_CONFIG_HOME/tessary/machines.toml (default\n"
    "                    ~/.config/tessary/machines.toml)\n"
    "  --paper SIZE      fit the plotter files to a sheet: a4, a3, a5, letter or\n"
    "                    WxH in mm, landscape unless --portrait\n"
    "  --margin MM       the sheet's margin on every side (default 10)\n"
    "  --portrait        turn the sheet upright\n"
    "  --pen z|servo     lift the pen along Z (G0 Z2 / G0 Z0) or with a servo\n"
    "                    (M5 / M3 S1000, each with a G4 pause)\n"
    "  --version         print the version\n"
    "  -h, --help        print this help\n"
    "\n"
    "Unsaved pictures, and slot contents replaced by a save, are kept in\n"
    "$XDG_STATE_HOME/tessary/ (default ~/.local/state/tessary/); key k brings them back.\n"
    "\n"
    "Exit status: 0 done, 1 the work failed, 2 usage error.\n";

enum class Action { edit, render, vectorize, version, help };

struct Arguments {
    Action action = Action::edit;
    std::string dir;  // empty: the working directory
    std::string trace;  // the image to trace over; empty: the one remembered for the folder
    bool pictures = false;
    int nr = 0;
    std::vector<int> slots;  // a range or list of slots: the animation's; empty for slot nr alone
    std::string gif;
    int fps = 0;  // 0: the one remembered for the folder
    ImageFiles files;
    PlotterFiles plotterFiles;
    int background = 1;  // palette numbers, the editor's start colours
    int drawing = 6;
    bool separate = false;
    std::string machinesFile;  // the settings file named; empty: the default one
    MachineOverrides overrides;
    const char* renderOption = nullptr;  // an option that only --render takes, when given
    const char* traceOption = nullptr;   // --trace, which only the editor takes, when given
    std::string vectorize;               // the image --vectorize reads
    int slot = 0;                        // the slot it saves to
    bool centerline = false;
    bool renderGiven = false;
    const char* vectorizeOption = nullptr;  // an option that only --vectorize takes, when given
};

// A whole number in [lowest, highest] written in plain decimal digits.
bool numberIn(const char* text, int lowest, int highest, int& value) {
    if (*text == '\0' || std::strlen(text) > 2) return false;
    value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + (*c - '0');
    }
    return value >= lowest && value <= highest;
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "tessary: %s\n%s", message.c_str(), synopsis);
    return 2;
}

// The options that name an output file, each with where its path goes.
using OutputOption = std::pair<const char*, std::string*>;
std::array<OutputOption, 6> outputOptions(Arguments& args) {
    return {{{"--svg", &args.files.svg},
             {"--png", &args.files.png},
             {"--hpgl", &args.plotterFiles.hpgl},
             {"--gcode", &args.plotterFiles.gcode},
             {"--ilda", &args.plotterFiles.ilda},
             {"--gif", &args.gif}}};
}

// Slots as a range ("2-5") or a list ("1,3,5", whose items may be ranges),
// each 1-7, into `slots` in slot order, each once.
bool slotsIn(const std::string& text, std::vector<int>& slots) {
    std::array<bool, 8> chosen{};
    size_t start = 0;
    do {
        const size_t end = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, end - start);
        const size_t dash = item.find('-');
        int first = 0, last = 0;
        if (!numberIn(item.substr(0, dash).c_str(), 1, 7, first)) return false;
        if (dash == std::string::npos) last = first;
        else if (!numberIn(item.substr(dash + 1).c_str(), first, 7, last)) return false;
        for (int slot = first; slot <= last; ++slot) chosen[slot] = true;
        start = end + 1;
    } while (start <= text.size());
    slots.clear();
    for (int slot = 1; slot <= 7; ++slot)
        if (chosen[slot]) slots.push_back(slot);
    return true;
}

// The value of --render: one slot, or the slots of an animation.
int takeSlots(const char* value, Arguments& args) {
    args.action = Action::render;
    args.slots.clear();  // the last --render given counts
    if (numberIn(value, 1, 7, args.nr)) return -1;
    const bool several = std::strpbrk(value, ",-") != nullptr;
    if (several && slotsIn(value, args.slots)) return -1;
    if (several)
        return usageError("--render takes a range of slots such as 1-7 or a list such as 1,3,5, not " +
                          std::string(value));
    return usageError("--render takes a slot number 1-7, not " + std::string(value));
}

// Where the file named by an output option goes; null for another option.
std::string* outputPath(const std::string& option, Arguments& args) {
    for (const auto& [name, path] : outputOptions(args)) {
        if (option == name) return path;
    }
    return nullptr;
}

// Stores the value of --paper, --margin or --pen. Returns -1, or the exit
// status of a usage error.
int takeMachineValue(const std::string& option, const char* value, MachineOverrides& overrides) {
    if (option == "--paper") {
        overrides.paper = sheetSize(value);
        return overrides.paper ? -1 : usageError("--paper takes a4, a3, a5, letter or WxH in mm, not " + std::string(value));
    }
    if (option == "--pen") {
        const std::string pen = value;
        if (pen == "z" || pen == "servo") overrides.pen = pen == "z" ? PenLift::z : PenLift::servo;
        return overrides.pen ? -1 : usageError("--pen takes z or servo, not " + pen);
    }
    char* end = nullptr;
    const double margin = std::strtod(value, &end);
    if (*value == '\0' || *end != '\0' || !(margin >= 0 && margin <= 1000))
        return usageError("--margin takes a number of mm, 0-1000, not " + std::string(value));
    overrides.margin = margin;
    return -1;
}

// Stores the value of an option that takes one. Returns -1, or the exit
// status of a usage error.
int takeValue(const std::string& option, const char* value, Arguments& args) {
    if (option == "--dir") {
        args.dir = value;
        return -1;
    }
    if (option == "--trace") {
        if (*value == '\0') return usageError("--trace needs a file name");
        args.trace = value;
        return -1;
    }
    if (option == "--render") {
        args.renderGiven = true;
        return takeSlots(value, args);
    }
    if (option == "--fps") {
        if (!numberIn(value, fewestFps, mostFps, args.fps))
            return usageError("--fps takes 1-30 frames a second, not " + std::string(value));
        return -1;
    }
    if (option == "--vectorize") {
        if (*value == '\0') return usageError("--vectorize needs a file name");
        args.vectorize = value;
        args.action = Action::vectorize;
        return -1;
    }
    if (option == "--slot") {
        if (!numberIn(value, 1, 7, args.slot)) return usageError("--slot takes a slot number 1-7, not " + std::string(value));
        return -1;
    }
    if (option == "--machines") {
        if (*value == '\0') return usageError("--machines needs a file name");
        args.machinesFile = value;
        return -1;
    }
    if (option == "--paper" || option == "--margin" || option == "--pen") return takeMachineValue(option, value, args.overrides);
    if (std::string* path = outputPath(option, args)) {
        if (*value == '\0') return usageError(option + " needs a file name");
        *path = value;
        return -1;
    }
    if (!numberIn(value, 1, paletteSize, option == "--background" ? args.background : args.drawing))
        return usageError(option + " takes a palette number 1-16, not " + std::string(value));
    return -1;
}

// The switch an option without a value turns on; null for any other option.
bool* flagOf(const std::string& option, Arguments& args) {
    if (option == "--separate") return &args.separate;
    if (option == "--pictures") return &args.pictures;
    if (option == "--centerline") return &args.centerline;
    if (option == "--portrait") return &args.overrides.portrait;
    return nullptr;
}

bool takesValue(const std::string& option, Arguments& args) {
    for (const char* name : {"--dir", "--trace", "--render", "--background", "--color", "--vectorize", "--slot",
                             "--machines", "--paper", "--margin", "--pen", "--fps"}) {
        if (option == name) return true;
    }
    return outputPath(option, args) != nullptr;
}

// The options of one slot and those of an animation are not mixed. Returns -1,
// or the exit status of a usage error.
int animationOptionsFit(Arguments& args) {
    if (args.action != Action::render) return -1;
    if (args.slots.empty()) {
        if (!args.gif.empty()) return usageError("--gif goes with a range or list of slots only");
        if (args.fps != 0) return usageError("--fps goes with a range or list of slots only");
        return -1;
    }
    for (const auto& [option, path] : outputOptions(args)) {
        const bool ofAnimation = path == &args.plotterFiles.ilda || path == &args.gif;
        if (!ofAnimation && !path->empty()) return usageError(std::string(option) + " goes with one slot only");
    }
    const MachineOverrides& paper = args.overrides;  // the plotter's, which an animation has none of
    if (paper.paper || paper.margin || paper.portrait || paper.pen)
        return usageError("--paper, --margin, --portrait and --pen go with one slot only");
    return -1;
}

// Reads the arguments into `args`. Returns -1 when the program should go on,
// otherwise the exit status of a usage error.
int parse(int argc, char* argv[], Arguments& args) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h" || option == "--version") {
            args.action = option == "--version" ? Action::version : Action::help;
            return -1;
        }
        if (option == "--trace") args.traceOption = argv[i];
        else if (option == "--slot" || option == "--centerline") args.vectorizeOption = argv[i];
        else if (option != "--dir" && option != "--pictures" && option != "--render" && option != "--vectorize" &&
                 option != "--machines")
            args.renderOption = argv[i];
        if (bool* flag = flagOf(option, args)) {
            *flag = true;
            continue;
        }
        if (!takesValue(option, args)) return usageError("unknown option: " + option);
        if (i + 1 >= argc) return usageError(option + " needs a value");
        const int status = takeValue(option, argv[++i], args);
        if (status >= 0) return status;
    }
    if (args.renderGiven && !args.vectorize.empty()) return usageError("--render and --vectorize go apart");
    if (args.action != Action::edit && args.traceOption) return usageError("--trace goes with the editor only");
    if (args.action != Action::vectorize && args.vectorizeOption)
        return usageError(std::string(args.vectorizeOption) + " goes with --vectorize only");
    if (args.action == Action::vectorize && args.slot == 0) return usageError("--vectorize needs --slot N");
    if (args.action != Action::render && args.renderOption)
        return usageError(std::string(args.renderOption) + " goes with --render only");
    if (args.pictures && !args.dir.empty()) return usageError("--dir and --pictures name two folders");
    return animationOptionsFit(args);
}

// The folder of --pictures, made when missing: Tessary in the pictures folder
// that xdg-user-dir names (it knows the user's localised folder names), or in
// ~/Pictures where the tool is missing. Empty, after saying why, without HOME.
std::string picturesFolder() {
    std::string pictures;
    if (FILE* tool = popen("xdg-user-dir PICTURES 2>/dev/null", "r")) {
        char line[4096];
        if (std::fgets(line, sizeof line, tool)) pictures = line;
        if (pclose(tool) != 0) pictures.clear();
    }
    if (!pictures.empty() && pictures.back() == '\n') pictures.pop_back();
    if (pictures.empty()) {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            std::fprintf(stderr, "tessary: no pictures folder: HOME is not set\n");
            return "";
        }
        pictures = std::string(home) + "/Pictures";
    }
    const std::string folder = pictures + "/Tessary";
    std::error_code error;  // a folder that cannot be made is reported when it is entered
    std::filesystem::create_directories(folder, error);
    return folder;
}

// Given output names are made absolute before DIR is entered; with none, the
// two image files get the names that key e would write, in DIR.
void resolveOutputFiles(Arguments& args) {
    bool named = false;
    for (const auto& [option, path] : outputOptions(args)) {
        if (path->empty()) continue;
        *path = std::filesystem::absolute(*path).string();
        named = true;
    }
    if (named) return;
    if (args.slots.empty()) {
        args.files = imageFileNames(args.nr);
        return;
    }
    const AnimationFiles names = animationFileNames();
    args.plotterFiles.ilda = names.ilda;
    args.gif = names.gif;
}

// Makes DIR the working directory; false, after saying why, when it is not a directory.
bool enterDirectory(const std::string& dir) {
    std::error_code error;
    if (!std::filesystem::is_directory(dir, error)) {
        std::fprintf(stderr, "tessary: not a directory: %s\n", dir.c_str());
        return false;
    }
    std::filesystem::current_path(dir, error);
    if (error) {
        std::fprintf(stderr, "tessary: cannot enter %s: %s\n", dir.c_str(), error.message().c_str());
        return false;
    }
    return true;
}

}  // namespace

int runCommandLine(int argc, char* argv[]) {
    Arguments args;
    const int status = parse(argc, argv, args);
    if (status >= 0) return status;
    if (args.action == Action::help) return std::printf("%s%s", synopsis, details) < 0 ? 1 : 0;
    if (args.action == Action::version) return std::puts(version) < 0 ? 1 : 0;
    if (args.action == Action::render) resolveOutputFiles(args);
    if (!args.machinesFile.empty()) args.machinesFile = std::filesystem::absolute(args.machinesFile).string();
    // The path is taken before the folder changes; messages name the image as given.
    const NamedPath traceImage = {args.trace.empty() ? "" : std::filesystem::absolute(args.trace).string(), args.trace};
    const NamedPath vectorized = {args.vectorize.empty() ? "" : std::filesystem::absolute(args.vectorize).string(),
                                  args.vectorize};
    if (args.pictures && (args.dir = picturesFolder()).empty()) return 2;
    if (!args.dir.empty() && !enterDirectory(args.dir)) return 2;
    if (args.action == Action::edit) return runEditor(traceImage, args.machinesFile);
    if (args.action == Action::vectorize)
        return vectorizeSlot({vectorized, args.slot, args.centerline ? LineKind::centreLines : LineKind::outlines});
    const ImageColors colors = {Colors[args.background - 1], Colors[args.drawing - 1], args.separate};
    if (args.slots.empty())
        return renderSlot({args.nr, args.files, args.plotterFiles, colors, args.machinesFile, args.overrides});
    const int fps = args.fps != 0 ? args.fps : rememberedFps(keptStoreForWorkingFolder());
    return renderAnimation({args.slots, {args.plotterFiles.ilda, args.gif}, colors, args.machinesFile, fps});
}
