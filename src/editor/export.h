// export.h - the export command: asks for the two sort keys, then exports.
//
// The work is in exportfiles.h; this module only runs the two prompts.
#ifndef TESSARY_EXPORT_H
#define TESSARY_EXPORT_H

#include "state.h"

void exportCommand(Editor& e);  // key r

#endif
