// tables.cpp - the entry operations of the point and line tables, and the sort.
#include "tables.h"

#include <algorithm>

// The lowest free entry below `count`; entry `count` itself is free whenever no
// lower one is, because `count` equals the number of entries in use.
static int freeEntry(const bool* occupied, int count) {
    for (int i = 0; i < count; ++i) {
        if (!occupied[i]) return i;
    }
    return count;
}

template <int fields>
static void emptyEntry(int (&rows)[fields][p_number], bool* used, int i) {
    for (int row = 0; row < fields; ++row) rows[row][i] = -1;
    used[i] = false;
}

void PictureTables::clear() {
    for (int i = 0; i < p_number; ++i) emptyEntry(pixel, pixel_oc, i);
    for (int i = 0; i < l_number; ++i) emptyEntry(lines, line_oc, i);
    pixels_Amount = 0;
    lines_amount = 0;
}

// Stores `values` in the lowest free entry and counts it; false when the table is full.
template <int fields>
static bool createEntry(int (&rows)[fields][p_number], bool* used, int& count, const int (&values)[fields]) {
    if (count < 0 || count >= p_number) return false;
    const int i = freeEntry(used, count);
    for (int row = 0; row < fields; ++row) rows[row][i] = values[row];
    used[i] = true;
    ++count;
    return true;
}

// Empties entry i and uncounts it, if it is an entry in use.
template <int fields>
static void emptyEntryInUse(int (&rows)[fields][p_number], bool* used, int& count, int i) {
    if (i < 0 || i >= p_number || !used[i]) return;
    emptyEntry(rows, used, i);
    --count;
}

bool PictureTables::createPixel(int x, int y) { return createEntry(pixel, pixel_oc, pixels_Amount, {x, y}); }

void PictureTables::emptyPixel(int i) { emptyEntryInUse(pixel, pixel_oc, pixels_Amount, i); }

bool PictureTables::createLine(int x1, int y1, int x2, int y2) {
    return createEntry(lines, line_oc, lines_amount, {x1, y1, x2, y2});
}

void PictureTables::emptyLine(int i) { emptyEntryInUse(lines, line_oc, lines_amount, i); }

int PictureTables::pointAt(int x, int y) const {
    for (int i = 0; i < p_number; ++i) {
        if (pixel_oc[i] && pixel[0][i] == x && pixel[1][i] == y) return i;
    }
    return -1;
}

template <typename T, int n>
static bool sameRow(const T (&a)[n], const T (&b)[n]) {
    return std::equal(a, a + n, b);
}

bool PictureTables::operator==(const PictureTables& other) const {
    return pixels_Amount == other.pixels_Amount && lines_amount == other.lines_amount &&
           sameRow(pixel_oc, other.pixel_oc) && sameRow(line_oc, other.line_oc) &&
           sameRow(pixel[0], other.pixel[0]) && sameRow(pixel[1], other.pixel[1]) &&
           sameRow(lines[0], other.lines[0]) && sameRow(lines[1], other.lines[1]) &&
           sameRow(lines[2], other.lines[2]) && sameRow(lines[3], other.lines[3]);
}

static void exchangeEntries(const Table& table, int a, int b) {
    for (int row = 0; row < table.fields; ++row) std::swap(table.rows[row][a], table.rows[row][b]);
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
