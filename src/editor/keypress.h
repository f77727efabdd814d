// keypress.h - the editor's two key tests, over the layer's key array.
//
// keyDown is the level test (the key is held); keyPressed the edge test, true
// once per press: it remembers, per key, whether the current press has been
// reported. Both read the array that readKeys refreshed at the pass's start.
#ifndef TESSARY_KEYPRESS_H
#define TESSARY_KEYPRESS_H

#include <map>

// Per key, whether its current press has already been reported by keyPressed.
extern std::map<int, bool> keypressed;

bool keyDown(int key);     // level test: the key is held
bool keyPressed(int key);  // edge test: true once per press
bool ctrlHeld();           // either Ctrl key is held
bool shiftHeld();          // either Shift key is held
bool deleteKeyPressed();   // Delete or Backspace: a press of either

#endif
