// promptline.h - the prompt line at the bottom left of the status panel.
//
// The number prompts of the colour and export commands ask there, and the file
// commands report there when they cannot open, read or write a file, or read
// only part of one. Both are
// drawn white on black. Only its part left of x 320 stays on screen: the
// overview's backdrop covers the rest on the next pass. A message that names
// a file is fitted to the line (filemessage.h): the reason whole, the name
// giving way; standard error gets it whole.
#ifndef TESSARY_PROMPTLINE_H
#define TESSARY_PROMPTLINE_H

#include <optional>
#include <string>

#include "filemessage.h"
#include "filereplace.h"
#include "gfx.h"

constexpr int promptLineX = 0;
constexpr int promptLineY = 620;
// Characters of a message: 40 cells of 8 pixels reach x 319.
constexpr int messageLength = 40;

// Asks for a number on the prompt line (the layer's modal number prompt);
// nothing when the window was asked to close meanwhile: the close request is
// then queued again, for the loop to end the editor its usual way.
std::optional<double> askNumber(const char* message);

// "<action> failed: <file>: <reason>".
FileMessage fileFailureMessage(const char* action, const FileFailure& failure);

// The line for standard error: "<action> failed: <file>: <reason>", and
// ", <second file>: <reason>" when a second one failed too.
std::string fileFailureLine(const char* action, const FileFailure& failure, const FileFailure* second);

// Shows the first failure's fileFailureMessage on the prompt line, and writes
// fileFailureLine to standard error.
void reportFileFailure(const char* action, const FileFailure& failure, const FileFailure* second = nullptr);

// Any message, cut to messageLength characters, on the prompt line alone:
// the report of a command that did what was asked. The text is UTF-8, as
// file names are, shown a glyph a character (fontGlyphs).
void showMessage(const std::string& text);

// The same, and the whole message on standard error: something went wrong.
void reportMessage(const std::string& text);
// The same with another line for standard error: a fuller one (one that gives
// the reason or a path), or none when it is empty (news only the window needs).
void reportMessage(const std::string& text, const std::string& logged);

// A message that names files: fitted to the prompt line's messageLength
// characters, and in full, or as `logged`, on standard error.
void reportMessage(const FileMessage& message);
void reportMessage(const FileMessage& message, const std::string& logged);

#endif
