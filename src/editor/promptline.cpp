// promptline.cpp - asking and reporting on the prompt line.
#include "promptline.h"

#include <cstdio>

static const ColorRGB white(255, 255, 255);
static const ColorRGB black(0, 0, 0);

std::optional<double> askNumber(const char* message) {
    double answer = 0;
    if (!getScalarUnlessClosed(answer, message, promptLineX, promptLineY, white, true, black)) return std::nullopt;
    return answer;
}

FileMessage fileFailureMessage(const char* action, const FileFailure& failure) {
    return FileMessage().text(std::string(action) + " failed: ").name(failure.path).reason(failure.reason);
}

std::string fileFailureLine(const char* action, const FileFailure& failure, const FileFailure* second) {
    std::string line = std::string(action) + " failed: " + failure.path + ": " + failure.reason;
    if (second) line += ", " + second->path + ": " + second->reason;
    return line;
}

void reportFileFailure(const char* action, const FileFailure& failure, const FileFailure* second) {
    reportMessage(fileFailureMessage(action, failure), fileFailureLine(action, failure, second));
}

void showMessage(const std::string& text) {
    // File names are UTF-8: a glyph a character, as the trace prompt showed them.
    print(fontGlyphs(text).substr(0, messageLength).c_str(), promptLineX, promptLineY, white, true, black,
          messageLength);
}

void reportMessage(const std::string& text) { reportMessage(text, text); }

void reportMessage(const std::string& text, const std::string& logged) {
    showMessage(text);
    if (!logged.empty()) std::fprintf(stderr, "%s\n", logged.c_str());
}

void reportMessage(const FileMessage& message) { reportMessage(message, message.full()); }

void reportMessage(const FileMessage& message, const std::string& logged) {
    reportMessage(message.fitted(messageLength), logged);
}
