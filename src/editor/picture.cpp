// picture.cpp - entry operations on the point and line tables, and the palette.
#include "picture.h"

int pixel[2][p_number];
bool pixel_oc[p_number];
int lines[4][l_number];
bool line_oc[l_number];

constexpr ColorRGB Colors[paletteSize] = {
    ColorRGB(0, 0, 0),       ColorRGB(255, 255, 255), INTtoRGB(0x68372B), INTtoRGB(0x70A4B2),
    INTtoRGB(0x6F3D86),      INTtoRGB(0x588D43),      INTtoRGB(0x352879), INTtoRGB(0xB8C76F),
    INTtoRGB(0x6F4F25),      INTtoRGB(0x433900),      INTtoRGB(0x9A6759), INTtoRGB(0x444444),
    INTtoRGB(0x6C6C6C),      INTtoRGB(0x9AD284),      INTtoRGB(0x6C5EB5), INTtoRGB(0x959595),
};

// The lowest free entry below `count`; entry `count` itself is free whenever no
// lower one is, because `count` equals the number of entries in use.
static int freeEntry(const bool* occupied, int count) {
    for (int i = 0; i < count; ++i) {
        if (!occupied[i]) return i;
    }
    return count;
}

void createPixel(int x, int y, int pa) {
    const int i = freeEntry(pixel_oc, pa);
    pixel[0][i] = x;
    pixel[1][i] = y;
    pixel_oc[i] = true;
}

void emptyPixel(int position) {
    pixel[0][position] = -1;
    pixel[1][position] = -1;
    pixel_oc[position] = false;
}

void createLine(int x1, int y1, int x2, int y2, int la) {
    const int i = freeEntry(line_oc, la);
    lines[0][i] = x1;
    lines[1][i] = y1;
    lines[2][i] = x2;
    lines[3][i] = y2;
    line_oc[i] = true;
}

void emptyLine(int pos) {
    for (int row = 0; row < 4; ++row) lines[row][pos] = -1;
    line_oc[pos] = false;
}

void clearPicture(int& pixels_Amount, int& lines_amount) {
    for (int i = 0; i < p_number; ++i) emptyPixel(i);
    for (int i = 0; i < l_number; ++i) emptyLine(i);
    pixels_Amount = 0;
    lines_amount = 0;
}
