// number_entry_fuzz.cpp - drives the number prompt's entry with arbitrary key sequences.
//
// Each input byte is one key: 0-9 a digit, 10 the point, 11 the minus, 12
// Backspace. After every key the text must read [-]digits[.digits], stay within
// its cells, and agree with the value the prompt would return.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "scalarentry.h"

namespace {

const int backspaceKey = 12;
const int keyCount = 13;

// The text's own value: what the digits shown say.
double shownValue(const char* text) {
    const char* digits = text[0] == '-' ? text + 1 : text;
    if (digits[0] == 0 || std::strcmp(digits, ".") == 0) return 0.0;
    return std::strtod(text, nullptr);
}

void checkEntry(const ScalarEntry& entry) {
    const char* text = entry.number;
    const size_t length = strnlen(text, numberCells);
    if (length >= static_cast<size_t>(numberCells)) std::abort();
    if (static_cast<int>(length) != entry.position || entry.maxPos < entry.position) std::abort();
    if (entry.maxPos > maxEntryLength) std::abort();
    int points = 0;
    for (size_t i = 0; i < length; ++i) {
        const char c = text[i];
        const bool ok = (c >= '0' && c <= '9') || (c == '-' && i == 0) || (c == '.' && ++points == 1);
        if (!ok) std::abort();
    }
    const double expected = shownValue(text);
    const double tolerance = 1e-9 * std::fmax(1.0, std::fabs(expected));
    if (!(std::fabs(entry.value - expected) <= tolerance)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    ScalarEntry entry;
    for (size_t i = 0; i < size; ++i) {
        const int key = data[i] % keyCount;
        if (key == backspaceKey) {
            if (entry.position > 0) eraseLastChar(entry);
        } else {
            applyNumericCode(entry, key);
        }
        checkEntry(entry);
    }
    return 0;
}
