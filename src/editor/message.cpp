// message.cpp - the failure message of the file commands.
#include "message.h"

#include <cstdio>

#include "gfx.h"

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
    print(text, promptLineX, promptLineY, ColorRGB(255, 255, 255), true, ColorRGB(0, 0, 0), messageLength);
    std::fprintf(stderr, "%s\n", text);
}
