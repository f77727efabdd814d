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

#include "tables.h"

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
PictureFileTexts pictureFileTexts(const PictureTables& picture, char separator);

enum class ReadResult {
    complete,    // every record of the file was read
    stopped,     // reading ended early; the records before the stop were kept
    unreadable,  // the file could not be opened or read; the table is empty
};

// Reads white-space separated records from the named file into an empty
// table, from entry 0 on, and sets `count` to the number of entries filled.
// Every complete record is kept, whatever its values. Reading stops early at a
// token that is not a whole number within int, at a partial last record, or at
// a record beyond the table's capacity. Only a regular file is read (a link
// to one is followed), and opening never waits. `error` is errno of a file
// that is unreadable (notRegularFile for a FIFO or device), else 0.
ReadResult readTable(const char* fileName, const Table& table, int& count, int& error);
// The same for the text of such a file held in memory.
ReadResult readTableText(const std::string& text, const Table& table, int& count);

#endif
