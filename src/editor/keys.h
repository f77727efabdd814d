// keys.h - key tests and the keyboard commands of one pass.
#ifndef TESSARY_KEYS_H
#define TESSARY_KEYS_H

#include <map>

#include "state.h"

// Per key, whether its current press has already been reported by keyPressed.
extern std::map<int, bool> keypressed;

bool keyDown(int key);     // level test: the key is held
bool keyPressed(int key);  // edge test: true once per press

// Step 3 of the pass: every command key, tested once, in the fixed order.
void runKeyCommands(Editor& e);

#endif
