// picturefiles.cpp - reading and writing the picture tables as text records.
#include "picturefiles.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

PictureFileNames pictureFileNames(const char* pointsPrefix, const char* linesPrefix, int nr) {
    PictureFileNames names = {};
    const char digit = static_cast<char>(nr + 48);
    std::snprintf(names.points, sizeof names.points, "%s%c.txt", pointsPrefix, digit);
    std::snprintf(names.lines, sizeof names.lines, "%s%c.txt", linesPrefix, digit);
    return names;
}

// ---------------------------------------------------------------------------
// Writing
// ---------------------------------------------------------------------------

// A name beside a file, in the same directory so that renames never cross file
// systems: "<name>.tmp" where the new file is written before it replaces the
// old one, "<name>.bak" where the old file is kept while the pair is replaced.
struct SideName {
    char text[fileNameSize + 4];
    SideName(const char* fileName, const char* suffix) { std::snprintf(text, sizeof text, "%s%s", fileName, suffix); }
};

static bool writeRecords(std::FILE* file, const ConstTable& table, char separator) {
    for (int i = 0; i < p_number; ++i) {
        if (!table.used[i]) continue;
        for (int row = 0; row < table.fields; ++row) {
            if (std::fprintf(file, "%d%c", table.rows[row][i], separator) < 0) return false;
        }
        if (std::fputc('\n', file) == EOF) return false;
    }
    return true;
}

// True only when every byte reached the file and it closed without error.
static bool writeTableFile(const char* fileName, const ConstTable& table, char separator, bool extraLineEnd) {
    std::FILE* file = std::fopen(fileName, "w");
    if (!file) return false;
    bool written = writeRecords(file, table, separator);
    if (written && extraLineEnd) written = std::fputc('\n', file) != EOF;
    written = written && std::fflush(file) == 0 && !std::ferror(file);
    return std::fclose(file) == 0 && written;
}

// A rename cannot put a file where a directory stands. Checking both names
// before the first rename keeps the first file from being replaced when the
// second could not be.
static bool replaceable(const char* fileName) {
    std::error_code error;
    return !std::filesystem::is_directory(fileName, error);
}

// Keeps the old file (if any) under `backup` as a second link, so that it never
// stops existing under its own name. False when an old file exists but could
// not be kept.
static bool keepOldFile(const char* fileName, const char* backup, bool& kept) {
    std::error_code error;
    std::filesystem::remove(backup, error);
    kept = std::filesystem::exists(fileName, error);
    if (!kept) return !error;
    std::filesystem::create_hard_link(fileName, backup, error);
    if (error) std::filesystem::copy_file(fileName, backup, error);
    return !error;
}

// Replaces both files by their temporaries. When the lines file cannot be
// replaced, the points file goes back to what it was.
static const char* replaceBoth(const PictureFileNames& names, const SideName& pointsTemp, const SideName& linesTemp) {
    const SideName pointsBackup(names.points, ".bak");
    bool hadOldPoints = false;
    if (!keepOldFile(names.points, pointsBackup.text, hadOldPoints)) return names.points;
    const char* failed = nullptr;
    if (std::rename(pointsTemp.text, names.points) != 0) {
        failed = names.points;
    } else if (std::rename(linesTemp.text, names.lines) != 0) {
        failed = names.lines;
        if (hadOldPoints) {
            std::rename(pointsBackup.text, names.points);
        } else {
            std::remove(names.points);
        }
    }
    std::remove(pointsBackup.text);
    return failed;
}

const char* writePictureFiles(const PictureFileNames& names, const PictureTables& picture, char separator) {
    const SideName pointsTemp(names.points, ".tmp");
    const SideName linesTemp(names.lines, ".tmp");
    const char* failed = nullptr;
    if (!writeTableFile(pointsTemp.text, pointTable(picture), separator, false)) {
        failed = names.points;
    } else if (!writeTableFile(linesTemp.text, lineTable(picture), separator, true)) {
        failed = names.lines;
    } else if (!replaceable(names.points)) {
        failed = names.points;
    } else if (!replaceable(names.lines)) {
        failed = names.lines;
    } else {
        failed = replaceBoth(names, pointsTemp, linesTemp);
    }
    if (failed) {
        std::remove(pointsTemp.text);
        std::remove(linesTemp.text);
    }
    return failed;
}

// ---------------------------------------------------------------------------
// Reading
// ---------------------------------------------------------------------------

// Any magnitude beyond this lies off the canvas; numbers are held at it so
// that no digit string, however long, can overflow.
static const int hugeMagnitude = 1000000;

enum class Token { number, notNumber, end };

static bool isWhite(int c) { return c != EOF && std::isspace(static_cast<unsigned char>(c)); }
static bool isDigit(int c) { return c != EOF && std::isdigit(static_cast<unsigned char>(c)); }

// Reads the next white-space separated token. It is a number when it is an
// optional sign followed by decimal digits and nothing else.
static Token readWholeNumber(std::FILE* file, int& value) {
    int c = std::fgetc(file);
    while (isWhite(c)) c = std::fgetc(file);
    if (c == EOF) return Token::end;
    const bool negative = c == '-';
    if (c == '-' || c == '+') c = std::fgetc(file);
    if (!isDigit(c)) return Token::notNumber;
    int magnitude = 0;
    for (; isDigit(c); c = std::fgetc(file)) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > hugeMagnitude) magnitude = hugeMagnitude;
    }
    if (c != EOF && !isWhite(c)) return Token::notNumber;
    value = negative ? -magnitude : magnitude;
    return Token::number;
}

// Every (x, y) pair of the record is a canvas cell.
static bool recordOnCanvas(const int* record, int fields) {
    for (int field = 0; field + 1 < fields; field += 2) {
        if (!onCanvas(record[field], record[field + 1])) return false;
    }
    return true;
}

static void emptyEntry(const Table& table, int entry) {
    for (int row = 0; row < table.fields; ++row) table.rows[row][entry] = -1;
    table.used[entry] = false;
}

static void storeRecord(const Table& table, int entry, const int* record) {
    for (int row = 0; row < table.fields; ++row) table.rows[row][entry] = record[row];
    table.used[entry] = true;
}

bool readTable(const char* fileName, const Table& table, int& count) {
    count = 0;
    std::FILE* file = std::fopen(fileName, "r");
    if (!file) return false;
    int record[maxFields];
    int filled = 0;
    int value = 0;
    while (count < p_number && readWholeNumber(file, value) == Token::number) {
        record[filled++] = value;
        if (filled < table.fields) continue;
        filled = 0;
        if (recordOnCanvas(record, table.fields)) storeRecord(table, count++, record);
    }
    const bool readable = !std::ferror(file);
    std::fclose(file);
    if (readable) return true;
    for (int i = 0; i < count; ++i) emptyEntry(table, i);
    count = 0;
    return false;
}
