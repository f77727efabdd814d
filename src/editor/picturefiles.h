// picturefiles.h - the picture tables as text files: reading and writing records.
//
// Both the slot files and the export files hold one record per entry in use,
// in ascending entry order: the entry's coordinates in plain decimal, each
// followed by a separator (a blank or a comma), then a line end. A lines file
// ends with one more line end. The texts are built in memory, for the callers
// to hand to filereplace.h.
#ifndef TESSARY_PICTUREFILES_H
#define TESSARY_PICTUREFILES_H

#include <string>

#include "picture.h"

static_assert(p_number == l_number, "a Table addresses both tables through rows of one length");

// Coordinate rows of a line entry, the most that any table has.
constexpr int maxFields = 4;

// One of the two picture tables, seen through its coordinate rows.
struct Table {
    int (*rows)[p_number];      // x, y for points; x1, y1, x2, y2 for lines
    bool* used;                 // occupancy flags
    int fields;                 // coordinate rows per entry
    void (*emptyEntry)(int i);  // makes entry i empty
};

Table pointTable();
Table lineTable();

// File names are built in buffers of this size, as prefix + slot digit + ".txt".
constexpr int fileNameSize = 80;

struct PictureFileNames {
    char points[fileNameSize];
    char lines[fileNameSize];
};

// Names "<pointsPrefix><nr>.txt" and "<linesPrefix><nr>.txt" for slot nr (1 to 7).
PictureFileNames pictureFileNames(const char* pointsPrefix, const char* linesPrefix, int nr);

struct PictureFileTexts {
    std::string points;
    std::string lines;
};

// The contents of the points and lines files for the entries in use of both
// tables, each coordinate followed by `separator`.
PictureFileTexts pictureFileTexts(char separator);

enum class ReadResult {
    complete,    // every record of the file was read
    stopped,     // reading ended early; the records before the stop were kept
    unreadable,  // the file could not be opened or read; the table is empty
};

// Reads white-space separated records from the named file into an emptied
// table, from entry 0 on, and sets `count` to the number of entries filled.
// Every complete record is kept, whatever its values. Reading stops early at a
// token that is not a whole number within int, at a partial last record, or at
// a record beyond the table's capacity.
ReadResult readTable(const char* fileName, const Table& table, int& count);

#endif
