// exportfiles.cpp - sorting the tables and writing the export files.
#include "exportfiles.h"

#include <climits>

#include "promptline.h"

int sortKeyFromAnswer(double answer) {
    if (!(answer > INT_MIN - 1.0 && answer < INT_MAX + 1.0)) return -1;
    return static_cast<int>(answer);
}

static void exchangeEntries(const Table& table, int a, int b) {
    for (int row = 0; row < table.fields; ++row) {
        const int tmp = table.rows[row][a];
        table.rows[row][a] = table.rows[row][b];
        table.rows[row][b] = tmp;
    }
}

void sortTable(const Table& table, int key) {
    if (key < 0 || key >= table.fields) return;
    int inUse[p_number];
    int count = 0;
    for (int i = 0; i < p_number; ++i) {
        if (table.used[i]) inUse[count++] = i;
    }
    const int* whatsort = table.rows[key];
    bool swapped = true;
    for (int j = 1; swapped; ++j) {
        swapped = false;
        for (int i = 0; i < count - j; ++i) {
            if (whatsort[inUse[i]] > whatsort[inUse[i + 1]]) {
                exchangeEntries(table, inUse[i], inUse[i + 1]);
                swapped = true;
            }
        }
    }
}

bool exportPicture(int nr, int mode1, int mode2) {
    sortTable(pointTable(), mode1);
    sortTable(lineTable(), mode2);
    const PictureFileNames names = pictureFileNames("epixels", "elines", nr);
    const char* failed = writePictureFiles(names, ',');
    if (failed) reportFileFailure("Export", failed);
    return !failed;
}
