#include "keys.h"
std::map<int, bool> keypressed;
bool keyDown(int key) { return inkeys[key] != 0; }
bool keyPressed(int) { return false; }
void runKeyCommands(Editor&) {}
