// promptline.h - the prompt line at the bottom left of the status panel.
//
// The number prompts of the colour and export commands ask there, and the file
// commands report there when they cannot open, read or write a file, or read
// only part of one. Both are
// drawn white on black. Only its part left of x 320 stays on screen: the
// overview's backdrop covers the rest on the next pass.
#ifndef TESSARY_PROMPTLINE_H
#define TESSARY_PROMPTLINE_H

#include <string>

#include "gfx.h"

constexpr int promptLineX = 0;
constexpr int promptLineY = 620;
// Characters of a message: 40 cells of 8 pixels reach x 319.
constexpr int messageLength = 40;

// Asks for a number on the prompt line (the layer's modal number prompt).
double askNumber(const char* message);

// Builds "<action> failed: <fileName>" (", <secondFileName>" when one is given),
// cut to messageLength characters.
void fileFailureText(char (&text)[messageLength + 1], const char* action, const char* fileName,
                     const char* secondFileName);

// Shows that text on the prompt line over all messageLength cells, so that older
// prompt text there goes, and writes it to standard error.
void reportFileFailure(const char* action, const char* fileName, const char* secondFileName = nullptr);

// The same for any message: cut to messageLength characters on the prompt line,
// whole on standard error.
void reportMessage(const std::string& text);
// Shows `shown` there, and writes `logged`, a longer text, to standard error
// (nothing when it is empty: news that only the window needs).
void reportMessage(const std::string& shown, const std::string& logged);

#endif
