// scalarentry.h - the entry of the number prompt, kept as text and as a value (not public).
//
// getScalar feeds each number code from getNumeric to applyNumericCode and each
// Backspace press to eraseLastChar, then echoes `number`. The value is updated
// with every accepted key or erasure, so the text is never parsed.
#ifndef TESSARY_GFX_SCALARENTRY_H
#define TESSARY_GFX_SCALARENTRY_H

// Number codes of getNumeric.
constexpr int pointCode = 10;
constexpr int minusCode = 11;

constexpr int numberCells = 256;
// The last cell always keeps the terminator, so the entry holds at most 255 characters.
constexpr int maxEntryLength = numberCells - 1;

struct ScalarEntry {
    char number[numberCells] = {};  // the text shown: [-]digits[.digits]
    int position = 0;               // the cell where the next character goes
    int maxPos = 0;                 // the widest the entry has been; the echo's forced length
    double dc = 1.0;                // 1.0 before the point, then the weight of the next fraction digit
    double sign = 1.0;
    double value = 0.0;
};

// Takes one code of getNumeric (0..9 digit, 10 point, 11 minus, anything else
// nothing). A second point, a minus that is not first, and any character past
// the 255th are ignored.
void applyNumericCode(ScalarEntry& entry, int code);

// Removes the last character and takes it back out of the value; the caller
// guarantees position > 0.
void eraseLastChar(ScalarEntry& entry);

#endif
