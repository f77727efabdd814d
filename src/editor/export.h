// export.h - sorted comma-separated export of the picture.
#ifndef TESSARY_EXPORT_H
#define TESSARY_EXPORT_H

#include "state.h"

void exportCommand(Editor& e);  // key r

#endif
