// machines.cpp - reading the plotter and laser settings file with toml++,
// checking every key and value, and what the settings give.
#include "machines.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "keptpictures.h"

namespace {

constexpr long settingsFileLimit = 1 << 20;  // bytes; far more than every key with long G-code lines
constexpr double longestSide = 10000;        // mm

// Checks a value and stores it; returns why it is refused, empty when taken.
using Setter = std::function<std::string(const toml::node&)>;
struct Key {
    const char* name;
    Setter set;
};
struct Section {
    const char* name;
    std::vector<Key> keys;
};

Setter text(std::string& to) {
    return [&to](const toml::node& node) -> std::string {
        if (!node.is_string()) return "expected a string";
        to = node.as_string()->get();
        return "";
    };
}

Setter givenText(std::optional<std::string>& to) {
    return [&to](const toml::node& node) {
        std::string lines;
        const std::string refused = text(lines)(node);
        if (refused.empty()) to = lines;
        return refused;
    };
}

// A number above zero and at most `highest`, whole or not.
Setter positive(double& to, double highest) {
    return [&to, highest](const toml::node& node) -> std::string {
        if (!node.is_number()) return "expected a number";
        const double value = *node.value<double>();
        if (!(value > 0 && value <= highest)) return "expected a number above 0, at most " + std::to_string(int(highest));
        to = value;
        return "";
    };
}

Setter optionalPositive(std::optional<double>& to, double highest) {
    return [&to, highest](const toml::node& node) {
        double value = 0;
        const std::string refused = positive(value, highest)(node);
        if (refused.empty()) to = value;
        return refused;
    };
}

Setter whole(int& to, int lowest, int highest) {
    return [&to, lowest, highest](const toml::node& node) -> std::string {
        const std::string range = std::to_string(lowest) + "-" + std::to_string(highest);
        if (!node.is_integer()) return "expected a whole number " + range;
        const int64_t value = node.as_integer()->get();
        if (value < lowest || value > highest) return "expected a whole number " + range;
        to = static_cast<int>(value);
        return "";
    };
}

// One of the words of `choices`, stored as the value beside it.
template <typename Value>
Setter choice(Value& to, std::vector<std::pair<const char*, Value>> choices, const char* expected) {
    return [&to, choices, expected](const toml::node& node) -> std::string {
        if (node.is_string()) {
            for (const auto& [word, value] : choices) {
                if (node.as_string()->get() == word) {
                    to = value;
                    return "";
                }
            }
        }
        return expected;
    };
}

std::vector<Section> sections(MachineProfile& p) {
    return {
        {"paper",
         {{"size",
           [&p](const toml::node& node) -> std::string {
               const std::optional<std::string> name = node.value_exact<std::string>();
               if (name) p.paper.size = sheetSize(*name);
               return name && p.paper.size ? "" : "expected \"a4\", \"a3\", \"a5\", \"letter\" or \"WxH\" in mm";
           }},
          {"orientation", choice(p.paper.orientation, {{"landscape", Orientation::landscape},
                                                       {"portrait", Orientation::portrait}},
                                 "expected \"landscape\" or \"portrait\"")},
          {"margin", [&p](const toml::node& node) -> std::string {
               if (!node.is_number() || *node.value<double>() < 0 || *node.value<double>() > longestSide)
                   return "expected a number of mm, 0-10000";
               p.paper.margin = *node.value<double>();
               return "";
           }}}},
        {"gcode",
         {{"pen", choice(p.gcode.pen, {{"z", PenLift::z}, {"servo", PenLift::servo}}, "expected \"z\" or \"servo\"")},
          {"pen_up", givenText(p.gcode.penUp)},
          {"pen_down", givenText(p.gcode.penDown)},
          {"start", text(p.gcode.start)},
          {"end", text(p.gcode.end)},
          {"feed", positive(p.gcode.feed, 100000)},
          {"travel_feed", optionalPositive(p.gcode.travelFeed, 100000)}}},
        {"laser",
         {{"scan_rate", whole(p.laser.scanRate, 1000, 100000)},
          {"frame_rate", whole(p.laser.frameRate, 1, 100)},
          {"colour", whole(p.laser.colour, 1, 16)}}},
    };
}

struct Refusal {
    size_t line;
    std::string reason;  // "pen_down: expected a string"
};

// The first key of a section that is unknown or has a wrong value.
std::optional<Refusal> takeSection(const Section& section, const toml::table& table) {
    for (auto&& [key, node] : table) {
        const std::string name(key.str());
        const auto known = std::find_if(section.keys.begin(), section.keys.end(), [&](const Key& k) { return name == k.name; });
        if (known == section.keys.end()) return Refusal{key.source().begin.line, name + ": unknown key in [" + section.name + "]"};
        const std::string refused = known->set(node);
        if (!refused.empty()) return Refusal{node.source().begin.line, name + ": " + refused};
    }
    return std::nullopt;
}

std::optional<Refusal> takeProfile(const toml::table& file, MachineProfile& profile) {
    const std::vector<Section> known = sections(profile);
    for (auto&& [key, node] : file) {
        const std::string name(key.str());
        const auto section = std::find_if(known.begin(), known.end(), [&](const Section& s) { return name == s.name; });
        if (section == known.end()) return Refusal{key.source().begin.line, name + ": unknown table"};
        if (!node.is_table()) return Refusal{node.source().begin.line, name + ": expected a table"};
        if (std::optional<Refusal> refused = takeSection(*section, *node.as_table())) return refused;
    }
    const std::string problem = paperProblem(profile.paper);
    if (problem.empty()) return std::nullopt;
    const toml::node* margin = file.at_path("paper.margin").node();
    const toml::node* paper = margin ? margin : file.at_path("paper").node();
    return Refusal{paper->source().begin.line, "margin: " + problem};
}

// The file's bytes; none, with errno set, when it cannot be read or is too large.
std::optional<std::string> fileText(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[8192];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && long(bytes.size()) <= settingsFileLimit;)
        bytes.append(buffer, got);
    const bool failed = std::ferror(file), tooLarge = long(bytes.size()) > settingsFileLimit;
    const int reason = errno;
    std::fclose(file);
    errno = tooLarge ? EFBIG : reason;
    return failed || tooLarge ? std::nullopt : std::optional<std::string>(bytes);
}

FileMessage lineFailure(const std::string& path, size_t line, const std::string& reason) {
    return FileMessage().name(path).text(" line " + std::to_string(line)).reason(reason);
}

std::string servoStep(const char* command) { return std::string(command) + "\nG4 P0.2"; }

}  // namespace

std::string machinesPath(const std::string& given) {
    if (!given.empty()) return given;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/tessary/machines.toml";
    const std::string home = homeFolder();
    return home.empty() ? "" : home + "/.config/tessary/machines.toml";
}

MachinesRead readMachines(const std::string& path, bool mustExist) {
    MachinesRead read;
    const std::optional<std::string> bytes = fileText(path);
    if (!bytes) {
        if (errno != ENOENT || mustExist) read.failure = FileMessage().name(path).reason(std::strerror(errno));
        return read;
    }
    try {
        const toml::table file = toml::parse(*bytes, path);
        if (std::optional<Refusal> refused = takeProfile(file, read.profile)) {
            read.profile = MachineProfile();
            read.failure = lineFailure(path, refused->line, refused->reason);
        }
    } catch (const toml::parse_error& error) {
        read.failure = lineFailure(path, error.source().begin.line, std::string(error.description()));
    }
    return read;
}

std::optional<SheetSize> sheetSize(const std::string& text) {
    struct Named {
        const char* word;
        SheetSize size;
    };
    static const Named named[] = {{"a3", {420, 297, "A3", true}},
                                  {"a4", {297, 210, "A4", true}},
                                  {"a5", {210, 148, "A5", true}},
                                  {"letter", {279.4, 215.9, "Letter", true}}};
    std::string lower;
    for (char c : text) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    for (const Named& n : named) {
        if (lower == n.word) return n.size;
    }
    double width = 0, height = 0;
    int used = 0;
    if (std::sscanf(lower.c_str(), "%lfx%lf%n", &width, &height, &used) != 2 || used != int(lower.size()) ||
        !(width > 0 && height > 0 && width <= longestSide && height <= longestSide))
        return std::nullopt;
    char name[64];
    std::snprintf(name, sizeof name, "%g x %g mm", width, height);
    return SheetSize{width, height, name, false};
}

std::optional<Sheet> paperSheet(const PaperSettings& paper) {
    if (!paper.size) return std::nullopt;
    const SheetSize& size = *paper.size;
    const double longer = std::max(size.width, size.height), shorter = std::min(size.width, size.height);
    switch (paper.orientation) {
        case Orientation::asGiven: return Sheet{size.width, size.height, paper.margin, size.name + (size.named ? " landscape" : "")};
        case Orientation::landscape: return Sheet{longer, shorter, paper.margin, size.name + " landscape"};
        case Orientation::portrait: break;
    }
    return Sheet{shorter, longer, paper.margin, size.name + " portrait"};
}

std::string paperProblem(const PaperSettings& paper) {
    const std::optional<Sheet> sheet = paperSheet(paper);
    if (!sheet || 2 * sheet->margin < std::min(sheet->width, sheet->height)) return "";
    char text[96];
    std::snprintf(text, sizeof text, "a margin of %g mm leaves no room on %s", sheet->margin, sheet->name.c_str());
    return text;
}

std::string penUpLines(const GcodeSettings& gcode) {
    if (gcode.penUp) return *gcode.penUp;
    return gcode.pen == PenLift::servo ? servoStep("M5") : "G0 Z2";
}

std::string penDownLines(const GcodeSettings& gcode) {
    if (gcode.penDown) return *gcode.penDown;
    return gcode.pen == PenLift::servo ? servoStep("M3 S1000") : "G0 Z0";
}
