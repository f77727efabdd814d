#include "colorprompts.h"
void backgroundColorCommand(Editor&) {}
void drawColorCommand(Editor&) {}
