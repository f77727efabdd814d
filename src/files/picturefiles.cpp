// picturefiles.cpp - reading and writing the picture tables as text records.
#include "picturefiles.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>

#include "filereplace.h"

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

static std::string tableText(const ConstTable& table, char separator, bool extraLineEnd) {
    std::string text;
    char field[16];
    for (int i = 0; i < p_number; ++i) {
        if (!table.used[i]) continue;
        for (int row = 0; row < table.fields; ++row) {
            std::snprintf(field, sizeof field, "%d%c", table.rows[row][i], separator);
            text += field;
        }
        text += '\n';
    }
    if (extraLineEnd) text += '\n';
    return text;
}

PictureFileTexts pictureFileTexts(const PictureTables& picture, char separator) {
    return {tableText(pointTable(picture), separator, false), tableText(lineTable(picture), separator, true)};
}

// ---------------------------------------------------------------------------
// Reading
// ---------------------------------------------------------------------------

enum class Token { number, notNumber, end };

static bool isWhite(int c) { return c != EOF && std::isspace(static_cast<unsigned char>(c)); }
static bool isDigit(int c) { return c != EOF && std::isdigit(static_cast<unsigned char>(c)); }

// Reads the next white-space separated token. It is a number when it is an
// optional sign followed by decimal digits and nothing else, and its value
// lies within int.
static Token readWholeNumber(std::FILE* file, int& value) {
    int c = std::fgetc(file);
    while (isWhite(c)) c = std::fgetc(file);
    if (c == EOF) return Token::end;
    const bool negative = c == '-';
    if (c == '-' || c == '+') c = std::fgetc(file);
    if (!isDigit(c)) return Token::notNumber;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; isDigit(c); c = std::fgetc(file)) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) return Token::notNumber;
    }
    if (c != EOF && !isWhite(c)) return Token::notNumber;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return Token::number;
}

static void emptyEntry(const Table& table, int entry) {
    for (int row = 0; row < table.fields; ++row) table.rows[row][entry] = -1;
    table.used[entry] = false;
}

static void storeRecord(const Table& table, int entry, const int* record) {
    for (int row = 0; row < table.fields; ++row) table.rows[row][entry] = record[row];
    table.used[entry] = true;
}

// Reads the records of an open stream and closes it. `error` takes errno of a
// stream that could not be opened or read.
static ReadResult readRecords(std::FILE* file, const Table& table, int& count, int& error) {
    count = 0;
    error = file ? 0 : errno;
    if (!file) return ReadResult::unreadable;
    int record[maxFields];
    int filled = 0;
    int value = 0;
    Token token;
    while ((token = readWholeNumber(file, value)) == Token::number) {
        if (count == p_number) break;  // a record more than the table holds
        record[filled++] = value;
        if (filled < table.fields) continue;
        filled = 0;
        storeRecord(table, count++, record);
    }
    const bool readable = !std::ferror(file);
    if (!readable) error = errno;
    std::fclose(file);
    if (readable) return token == Token::end && filled == 0 ? ReadResult::complete : ReadResult::stopped;
    for (int i = 0; i < count; ++i) emptyEntry(table, i);
    count = 0;
    return ReadResult::unreadable;
}

ReadResult readTable(const char* fileName, const Table& table, int& count, int& error) {
    struct stat info;
    const int fd = openRegularFile(fileName, true, info, error);
    std::FILE* file = fd < 0 ? nullptr : fdopen(fd, "r");
    if (fd >= 0 && !file) {
        error = errno;
        close(fd);
    }
    errno = error;  // readRecords takes the reason of a file not opened from errno
    return readRecords(file, table, count, error);
}

ReadResult readTableText(const std::string& text, const Table& table, int& count) {
    // fmemopen refuses an empty buffer, and an empty text holds no record.
    if (text.empty()) {
        count = 0;
        return ReadResult::complete;
    }
    int error = 0;
    return readRecords(fmemopen(const_cast<char*>(text.data()), text.size(), "r"), table, count, error);
}
