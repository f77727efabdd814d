// exportfiles.cpp - sorting the tables and writing the export files.
#include "exportfiles.h"

#include <climits>

#include "filereplace.h"
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
    const PictureFileTexts texts = pictureFileTexts(',');
    // Each file on its own: one that cannot be written does not keep the other.
    const bool pointsWritten = replaceFile(names.points, texts.points);
    const bool linesWritten = replaceFile(names.lines, texts.lines);
    if (!pointsWritten && !linesWritten) {
        reportFileFailure("Export", names.points, names.lines);
    } else if (!pointsWritten || !linesWritten) {
        reportFileFailure("Export", pointsWritten ? names.lines : names.points);
    }
    return pointsWritten && linesWritten;
}
