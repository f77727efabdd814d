// promptline_test.cpp - messages that name files, fitted to the prompt line's
// 40 characters: the reason whole, the name giving way. Where they are drawn
// is checked by the slot and export tests, through promptLineShows.
#include <string>

#include <gtest/gtest.h>

#include "promptline.h"

namespace {

struct Fitting {
    const char* before;  // the text before the name
    std::string path;
    std::string reason;
    const char* after;   // text after the reason
    std::string shown;
};

const std::string longName = "a-very-long-name-for-a-picture-of-the-sea.png";

const Fitting fittings[] = {
    {"Cannot trace ", "x.png", "No such file or directory", "", "Cannot trace x.png: No such file"},
    {"Cannot trace ", "/home/ann/pictures/holiday/beach.png", "No such file or directory", "",
     "Cannot trace beach.png: No such file"},
    {"Cannot trace ", "/tmp/" + longName, "Permission denied", "", "Cannot trace a-ve...a.png: No permission"},
    {"Cannot trace ", "pictures/" + longName, "damaged PNG: IDAT: incorrect data check", "",
     "Cannot trace a-ver...ea.png: damaged PNG"},
    {"Kept copy failed: ", "/home/ann/.local/state/tessary/4f3a/unsaved.txt", "No space left on device", "",
     "Kept copy failed: un...xt: No space left"},
    {"Save failed: ", "lines1.txt", "Read-only file system", "", "Save failed: lines1.txt: Read-only"},
    {"Export failed: ", "picture3.svg", "Permission denied", "", "Export failed: pict...svg: No permission"},
    {"Cannot trace ", "a.png", std::string(45, 'r'), "", "Cannot trace a.png: " + std::string(20, 'r')},
};

class FittedMessage : public ::testing::TestWithParam<Fitting> {};

TEST_P(FittedMessage, KeepsTheReasonAndShortensTheName) {
    const Fitting& c = GetParam();
    const FileMessage message = FileMessage().text(c.before).name(c.path).reason(c.reason).text(c.after);
    EXPECT_EQ(message.fitted(messageLength), c.shown.substr(0, messageLength));
    EXPECT_LE(message.fitted(messageLength).size(), static_cast<std::size_t>(messageLength));
    EXPECT_EQ(message.full(), c.before + c.path + ": " + c.reason + c.after);
}

INSTANTIATE_TEST_SUITE_P(Messages, FittedMessage, ::testing::ValuesIn(fittings));

}  // namespace
