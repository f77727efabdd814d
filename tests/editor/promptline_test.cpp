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
};

class FittedMessage : public ::testing::TestWithParam<Fitting> {};

TEST_P(FittedMessage, KeepsTheReasonAndShortensTheName) {
    const Fitting& c = GetParam();
    const FileMessage message = FileMessage().text(c.before).name(c.path).reason(c.reason);
    EXPECT_EQ(message.fitted(messageLength), c.shown);
    EXPECT_EQ(message.full(), c.before + c.path + ": " + c.reason);
}

INSTANTIATE_TEST_SUITE_P(Messages, FittedMessage, ::testing::ValuesIn(fittings));

}  // namespace
