// picturefiles.h - the picture tables as text files: reading and writing records.
//
// Both the slot files and the export files hold one record per entry in use,
// in ascending entry order: the entry's coordinates in plain decimal, each
// followed by a separator (a blank or a comma), then a line end. A lines file
// ends with one more line end. Writing goes to temporaries that replace the
// named files only when both were written completely, and the old points file
// is kept until the lines file has been replaced too, so a failed write never
// destroys the files it would have replaced.
#ifndef TESSARY_PICTUREFILES_H
#define TESSARY_PICTUREFILES_H

#include "tables.h"

// File names are built in buffers of this size, as prefix + slot digit + ".txt".
constexpr int fileNameSize = 80;

struct PictureFileNames {
    char points[fileNameSize];
    char lines[fileNameSize];
};

// Names "<pointsPrefix><nr>.txt" and "<linesPrefix><nr>.txt" for slot nr (1 to 7).
PictureFileNames pictureFileNames(const char* pointsPrefix, const char* linesPrefix, int nr);

// Writes the entries in use of both tables to the two named files, each
// coordinate followed by `separator`. Returns nullptr on success, or the name
// (within `names`) of the file that could not be written; both old files are
// then left as they were.
const char* writePictureFiles(const PictureFileNames& names, const PictureTables& picture, char separator);

// Reads blank-separated records from the named file into an empty table, from
// entry 0 on, and sets `count` to the number of entries filled. Stops at the
// end of the file, at the first token that is not a whole number, or when the
// table is full. Records with a coordinate off the canvas and a partial last
// record are left out. Returns false, with the table empty and `count` 0, when
// the file cannot be opened or read.
bool readTable(const char* fileName, const Table& table, int& count);

#endif
