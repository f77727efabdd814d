// slot_load_fuzz.cpp - loads arbitrary bytes as a picture slot.
//
// The input up to its first NUL byte becomes pixels1.txt, the rest lines1.txt.
// After the load the tables must hold exactly the entries the counts say,
// packed from entry 0, with every entry past them empty; anything else aborts.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor.h"
#include "fuzz_file.h"
#include "slotcommands.h"

namespace {

void checkTable(int count, const bool* used, const int (*rows)[p_number], int fields) {
    if (count < 0 || count > p_number) std::abort();
    for (int i = 0; i < p_number; ++i) {
        if (used[i] != (i < count)) std::abort();
        for (int row = 0; row < fields; ++row) {
            if (!used[i] && rows[row][i] != -1) std::abort();
        }
    }
}

Editor editor;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    char directory[] = "/tmp/slot-fuzz-XXXXXX";
    if (!mkdtemp(directory) || chdir(directory) != 0) std::abort();
    startUp(editor);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const Uint8* data, size_t size) {
    const Uint8* split = static_cast<const Uint8*>(std::memchr(data, 0, size));
    const size_t pointsSize = split ? static_cast<size_t>(split - data) : size;
    writeFile("pixels1.txt", data, pointsSize);
    writeFile("lines1.txt", data + pointsSize + (split ? 1 : 0), size - pointsSize - (split ? 1 : 0));
    editor.nr = 1;
    loadPicture(editor);
    const PictureTables& t = editor.picture.tables();
    checkTable(t.pixels_Amount, t.pixel_oc, t.pixel, 2);
    checkTable(t.lines_amount, t.line_oc, t.lines, 4);
    return 0;
}
