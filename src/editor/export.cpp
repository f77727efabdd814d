#include "export.h"
void exportCommand(Editor&) {}
