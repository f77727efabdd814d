// export.cpp - the export command's two sort-key prompts on the prompt line.
#include "export.h"

#include "exportfiles.h"
#include "promptline.h"

static int askSortKey(const char* message) { return sortKeyFromAnswer(askNumber(message)); }

void exportCommand(Editor& e) {
    // Both keys are asked for before any file is touched.
    const int mode1 = askSortKey("Export mode, enter pixels sort order( 0-x, 1-y): ");
    const int mode2 = askSortKey("Export mode, enter pixels sort order( 0-x1, 1-y1, 2-x2, 3-y2): ");
    exportPicture(e.picture, e.nr, mode1, mode2);
}
