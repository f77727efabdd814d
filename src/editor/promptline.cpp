// promptline.cpp - asking and reporting on the prompt line.
#include "promptline.h"

#include <cstdio>

static const ColorRGB white(255, 255, 255);
static const ColorRGB black(0, 0, 0);

double askNumber(const char* message) { return getScalar(message, promptLineX, promptLineY, white, true, black); }

void fileFailureText(char (&text)[messageLength + 1], const char* action, const char* fileName,
                     const char* secondFileName) {
    if (secondFileName) {
        std::snprintf(text, sizeof text, "%s failed: %s, %s", action, fileName, secondFileName);
    } else {
        std::snprintf(text, sizeof text, "%s failed: %s", action, fileName);
    }
}

std::string fileFailureLine(const char* action, const FileFailure& failure, const FileFailure* second) {
    std::string line = std::string(action) + " failed: " + failure.path + ": " + failure.reason;
    if (second) line += ", " + second->path + ": " + second->reason;
    return line;
}

void reportFileFailure(const char* action, const FileFailure& failure, const FileFailure* second) {
    char text[messageLength + 1];
    fileFailureText(text, action, failure.path.c_str(), second ? second->path.c_str() : nullptr);
    reportMessage(text, fileFailureLine(action, failure, second));
}

void showMessage(const std::string& text) {
    print(text.substr(0, messageLength).c_str(), promptLineX, promptLineY, white, true, black, messageLength);
}

void reportMessage(const std::string& text) { reportMessage(text, text); }

void reportMessage(const std::string& text, const std::string& logged) {
    showMessage(text);
    if (!logged.empty()) std::fprintf(stderr, "%s\n", logged.c_str());
}
