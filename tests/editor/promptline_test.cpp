// promptline_test.cpp - messages that name files, fitted to the prompt line's
// 40 characters: the reason whole, the name giving way. Where they are drawn
// is checked by the slot and export tests, through promptLineShows.
#include <string>

#include <gtest/gtest.h>

#include "promptline.h"

namespace {

struct Fitting {
    const char* before;  // the text before the name
    std::string path, reason, shown;
};

const std::string longName = "a-very-long-name-for-a-picture-of-the-sea.png";

const Fitting fittings[] = {
    {"Cannot trace ", "/home/ann/pictures/beach.png", "No such file or directory",
     "Cannot trace beach.png: No such file"},
    {"Cannot trace ", "/tmp/" + longName, "Permission denied", "Cannot trace a-ve...a.png: No permission"},
    {"Cannot trace ", longName, "damaged PNG: IDAT: incorrect data check", "Cannot trace a-ver...ea.png: damaged PNG"},
    {"Kept copy failed: ", "/home/ann/.local/state/tessary/4f3a/unsaved.txt", "No space left on device",
     "Kept copy failed: un...xt: No space left"},
    {"Export failed: ", "picture3.svg", "Permission denied", "Export failed: pict...svg: No permission"},
    {"Cannot trace ", "a.png", std::string(45, 'r'), "Cannot trace a.png: " + std::string(20, 'r')},
    {"Cannot trace ", "a.txt", "not a PNG or BMP image", "Cannot trace ...: not a PNG or BMP image"},
};

class FittedMessage : public ::testing::TestWithParam<Fitting> {};

TEST_P(FittedMessage, KeepsTheReasonAndShortensTheName) {
    const Fitting& c = GetParam();
    const FileMessage message = FileMessage().text(c.before).name(c.path).reason(c.reason);
    EXPECT_EQ(message.fitted(messageLength), c.shown);
    EXPECT_EQ(message.full(), c.before + c.path + ": " + c.reason);
}

INSTANTIATE_TEST_SUITE_P(Messages, FittedMessage, ::testing::ValuesIn(fittings));

// Whatever the name's length, in a folder or not, the reason is whole (its
// first clause where the details leave no room) and the line is not passed.
TEST(FittedMessage, KeepsTheReasonWholeAtAnyNameLength) {
    const std::pair<std::string, std::string> reasons[] = {  // the reason, and the end of the line that shows it
        {"not a PNG or BMP image", ": not a PNG or BMP image"},
        {"No such file or directory", ": No such file"},
        {"unsupported BMP: not 24 or 32 bits per pixel", ": unsupported BMP"},
        {"Permission denied", ": No permission"},
    };
    for (const auto& [reason, end] : reasons) {
        for (size_t length = 0; length <= 300; ++length) {
            const std::string name(length, 'n');
            for (const std::string& path : {name, "/home/ann/" + name, name + ".png"}) {
                const std::string shown = FileMessage().text("Cannot trace ").name(path).reason(reason).fitted(messageLength);
                EXPECT_LE(shown.size(), size_t(messageLength)) << path;
                ASSERT_GE(shown.size(), end.size()) << path;
                EXPECT_EQ(shown.substr(shown.size() - end.size()), end) << path << ": " << shown;
            }
        }
    }
}

}  // namespace
