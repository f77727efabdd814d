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

void reportFileFailure(const char* action, const char* fileName, const char* secondFileName) {
    char text[messageLength + 1];
    fileFailureText(text, action, fileName, secondFileName);
    reportMessage(text);
}

void reportMessage(const std::string& text) { reportMessage(text, text); }

void reportMessage(const std::string& shown, const std::string& logged) {
    print(shown.substr(0, messageLength).c_str(), promptLineX, promptLineY, white, true, black, messageLength);
    if (!logged.empty()) std::fprintf(stderr, "%s\n", logged.c_str());
}
