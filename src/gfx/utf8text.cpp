// utf8text.cpp - UTF-8 text as the built-in font shows it, and the UTF-8
// editing the line prompt does.
//
// The font holds the 256 glyphs of code page 437: printable ASCII, and
// letters such as é, ä or ß among its upper half. fontGlyphs() gives one glyph
// per character of a UTF-8 text, looked up through the C library's iconv
// (glibc's IBM437 table), and '?' for a character the font lacks or a byte
// that is no UTF-8:
//
//     print(fontGlyphs("Straße.png").c_str(), x, y, white, true, black, 0);
//
// appendUtf8() and eraseLastUtf8() build a UTF-8 text a character at a time.
#include <iconv.h>

#include <algorithm>

#include "input.h"

namespace {

constexpr char unknownGlyph = '?';

// The bytes of the UTF-8 character that starts at `text[at]`: 1 to 4, or 0
// when no whole, shortest-form character starts there.
size_t utf8Length(const std::string& text, size_t at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                            : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return 0;
    return length;
}

// The code page 437 glyph of one UTF-8 character of two bytes or more.
char glyphOf(const char* character, size_t length) {
    static const iconv_t toFont = iconv_open("IBM437", "UTF-8");
    if (toFont == reinterpret_cast<iconv_t>(-1)) return unknownGlyph;
    char in[4], glyph = unknownGlyph;
    std::copy(character, character + length, in);
    char* from = in;
    char* to = &glyph;
    size_t left = length, room = 1;
    const bool converted = iconv(toFont, &from, &left, &to, &room) != static_cast<size_t>(-1) && left == 0;
    iconv(toFont, nullptr, nullptr, nullptr, nullptr);  // a failure leaves no state behind
    return converted ? glyph : unknownGlyph;
}

}  // namespace

std::string fontGlyphs(const std::string& utf8) {
    std::string glyphs;
    for (size_t at = 0; at < utf8.size();) {
        const size_t length = utf8Length(utf8, at);
        const unsigned char first = static_cast<unsigned char>(utf8[at]);
        if (length == 1) glyphs += first >= 0x20 && first != 0x7F ? utf8[at] : unknownGlyph;
        else glyphs += length == 0 ? unknownGlyph : glyphOf(&utf8[at], length);
        at += length == 0 ? 1 : length;
    }
    return glyphs;
}

bool appendUtf8(std::string& text, Uint32 character, size_t maxBytes) {
    std::string bytes;
    if (character < 0x80) {
        bytes = {static_cast<char>(character)};
    } else if (character < 0x800) {
        bytes = {static_cast<char>(0xC0 | character >> 6), static_cast<char>(0x80 | (character & 0x3F))};
    } else if (character < 0x10000) {
        bytes = {static_cast<char>(0xE0 | character >> 12), static_cast<char>(0x80 | (character >> 6 & 0x3F)),
                 static_cast<char>(0x80 | (character & 0x3F))};
    } else {
        bytes = {static_cast<char>(0xF0 | character >> 18), static_cast<char>(0x80 | (character >> 12 & 0x3F)),
                 static_cast<char>(0x80 | (character >> 6 & 0x3F)), static_cast<char>(0x80 | (character & 0x3F))};
    }
    if (text.size() + bytes.size() > maxBytes) return false;
    text += bytes;
    return true;
}

void eraseLastUtf8(std::string& text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
    if (!text.empty()) text.pop_back();
}
