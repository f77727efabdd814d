#include "slots.h"
void saveCommand(Editor&) {}
void loadCommand(Editor&) {}
