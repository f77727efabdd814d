// tables.h - the picture's point and line tables as one plain value.
//
// Both tables have 512 entries, each with an occupancy flag. An empty entry
// holds -1 in every coordinate, which lies off the canvas, so it is never drawn
// and never found at a cursor cell. Rows name coordinates: pixel[0] is x and
// pixel[1] is y; lines[0..3] are x1, y1, x2, y2. The counts always equal the
// entries in use, because every change goes through the operations below.
//
// A PictureTables is a value: the picture holds the current one, the history
// keeps earlier ones, and loading builds a fresh one from the slot files.
//
//     PictureTables t;            // both tables empty
//     t.createPixel(3, 4);        // lowest free entry, count 1
//     t.emptyPixel(t.pointAt(3, 4));
#ifndef TESSARY_TABLES_H
#define TESSARY_TABLES_H

constexpr int p_number = 512;     // capacity of the point table
constexpr int l_number = 512;     // capacity of the line table
constexpr int Image_Width = 256;  // canvas width in cells
constexpr int Image_Height = 200; // canvas height in cells

// True for a cell of the 256 x 200 canvas.
inline bool onCanvas(int x, int y) { return x >= 0 && x < Image_Width && y >= 0 && y < Image_Height; }

struct PictureTables {
    int pixel[2][p_number];
    bool pixel_oc[p_number];
    int lines[4][l_number];
    bool line_oc[l_number];
    int pixels_Amount;  // point entries in use
    int lines_amount;   // line entries in use

    PictureTables() { clear(); }

    // Empties every entry of both tables; both counts become 0.
    void clear();
    bool empty() const { return pixels_Amount == 0 && lines_amount == 0; }

    // Stores a point in the lowest free entry below the count, or in the entry
    // at the count when none is free. False, storing nothing, when the table is full.
    bool createPixel(int x, int y);
    // Empties entry i if it is in use.
    void emptyPixel(int i);
    // The same for lines.
    bool createLine(int x1, int y1, int x2, int y2);
    void emptyLine(int i);

    // The first point entry in use at cell (x, y), or -1.
    int pointAt(int x, int y) const;

    // Entry i of each table holds a point or line whose every end is a canvas cell.
    bool pointOnCanvas(int i) const { return onCanvas(pixel[0][i], pixel[1][i]); }
    bool lineOnCanvas(int i) const {
        return onCanvas(lines[0][i], lines[1][i]) && onCanvas(lines[2][i], lines[3][i]);
    }

    bool operator==(const PictureTables& other) const;
    bool operator!=(const PictureTables& other) const { return !(*this == other); }
};

static_assert(p_number == l_number, "a Table addresses both tables through rows of one length");

// Coordinate rows of a line entry, the most that any table has.
constexpr int maxFields = 4;

// One table seen through its coordinate rows, for the code that treats points
// and lines alike: the files and the sort. Built from a PictureTables with
// pointTable and lineTable; `Int` and `Flag` are const for a read-only view.
template <typename Int, typename Flag>
struct TableRows {
    Int (*rows)[p_number];  // x, y for points; x1, y1, x2, y2 for lines
    Flag* used;             // occupancy flags
    int fields;             // coordinate rows per entry
};
using Table = TableRows<int, bool>;
using ConstTable = TableRows<const int, const bool>;

inline Table pointTable(PictureTables& t) { return {t.pixel, t.pixel_oc, 2}; }
inline Table lineTable(PictureTables& t) { return {t.lines, t.line_oc, 4}; }
inline ConstTable pointTable(const PictureTables& t) { return {t.pixel, t.pixel_oc, 2}; }
inline ConstTable lineTable(const PictureTables& t) { return {t.lines, t.line_oc, 4}; }

// Stable bubble sort, ascending on row `key`, of the entries in use taken in
// ascending entry order. Coordinates move among those entries only, so the
// same entries stay in use. A key that names no row of the table leaves it
// unchanged.
void sortTable(const Table& table, int key);

#endif
