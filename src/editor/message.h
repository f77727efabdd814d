// message.h - tells the user that a file command failed.
//
// Save, load and export call reportFileFailure when they cannot open, read or
// write a file. The message goes on the prompt line, left of the overview
// backdrop (which starts at x 320 and would cover anything further right on
// the next pass), and to standard error.
#ifndef TESSARY_MESSAGE_H
#define TESSARY_MESSAGE_H

// Characters of a message: 40 cells of 8 pixels reach x 319.
constexpr int messageLength = 40;
constexpr int promptLineX = 0;
constexpr int promptLineY = 620;

// Builds "<action> failed: <fileName>" (", <secondFileName>" when one is given),
// cut to messageLength characters.
void fileFailureText(char (&text)[messageLength + 1], const char* action, const char* fileName,
                     const char* secondFileName);

// Shows that text at (promptLineX, promptLineY), white on black over all
// messageLength cells so that older prompt text there goes, and writes it to
// standard error.
void reportFileFailure(const char* action, const char* fileName, const char* secondFileName = nullptr);

#endif
