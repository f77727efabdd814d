// promptline_test.cpp - the failure message's text and its length limit. Where it is
// drawn is checked by the slot and export tests, through promptLineShows.
#include <string>

#include <gtest/gtest.h>

#include "promptline.h"

TEST(FailureMessage, NamesTheActionAndTheFiles) {
    char text[messageLength + 1];
    fileFailureText(text, "Save", "pixels3.txt", nullptr);
    EXPECT_STREQ(text, "Save failed: pixels3.txt");
    fileFailureText(text, "Load", "pixels7.txt", "lines7.txt");
    EXPECT_STREQ(text, "Load failed: pixels7.txt, lines7.txt");
    const std::string longName(100, 'n');
    fileFailureText(text, "Export", longName.c_str(), nullptr);
    EXPECT_EQ(std::string(text), "Export failed: " + longName.substr(0, messageLength - 15));
}
