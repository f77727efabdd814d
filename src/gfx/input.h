// input.h - pieces shared by the layer's key readers and modal prompts (not public).
//
// Each key that the readers know has one fixed release latch in keyReleased[];
// a press fires once and the key must be seen up before it fires again, whichever
// reader looks at it next. Return and keypad Enter share one latch.
#ifndef TESSARY_GFX_INPUT_H
#define TESSARY_GFX_INPUT_H

#include <string>

#include "gfx.h"

// The latch slot of an SDL key symbol, or -1 for a key the readers do not know.
int latchSlot(int key);

// The latch rule: true when `key` is down and its latch is set (the latch is then
// cleared); a key seen up sets its latch. Unknown keys never fire.
bool keyFires(int key);

// Backspace under the latch rule, firing only when `canErase` is true: the latch
// is used up only by an erasure, so Backspace held on an empty entry erases the
// first character typed after it.
bool backspaceFires(bool canErase);

// Draws a prompt's message and presents the window; returns the cell where the
// entry starts, right after the message.
void drawPromptMessage(const char* message, int x, int y, ColorRGB color, bool bg, ColorRGB color2, int& entryX,
                       int& entryY);

// The Enter test that closes every prompt pass: Return or keypad Enter pressed.
bool enterFires();

// One event pumped per prompt pass; a close request or Escape ends the program.
void pumpOrEnd();

// Appends `character` (a Unicode code point) to the UTF-8 `text`, unless that
// would make it longer than `maxBytes`: then false, and `text` stays as it is.
bool appendUtf8(std::string& text, Uint32 character, size_t maxBytes);
// Erases the last UTF-8 character of `text`, all its bytes.
void eraseLastUtf8(std::string& text);

#endif
