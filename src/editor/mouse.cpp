#include "mouse.h"
void moveCursor(Editor&) {}
PassResult editStep(Editor&) { return PassResult::Continue; }
