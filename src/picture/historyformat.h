// historyformat.h - the undo history as the bytes of a file, and back.
//
// A history is saved with the tables it leads to, the picture as saved, and
// comes back only onto those same tables: the file carries a key of them (a
// hash of their saved bytes, made by the caller), and each step is written as
// the entries in which it differs from its neighbour, the first from those
// tables. Numbers are little-endian:
//
//     "TSHISTRY"                      8 bytes
//     version                         u32, 1
//     key                             u64
//     undo steps, redo steps          u32 each, together at most History::depth
//     length of the steps             u32, then the steps
//     CRC-32 of all the bytes before  u32
//
// The undo steps come first, the one `u` reaches first leading, each written
// against the tables before it in that order (the first against the saved
// tables); then the redo steps the same way. A step:
//
//     changed point entries           u16, then each: index u16, in use u8, x i32, y i32
//     changed line entries            u16, then each: index u16, in use u8, x1 y1 x2 y2 i32
//     pixels_Amount, lines_amount     i32 each
//
// A file holds at most historyFileLimit bytes: the oldest steps are left out
// until the rest fits, the far end of the undo steps first, so reading or
// writing a history never costs more. A file that is not whole (cut short,
// a byte changed, from a newer version, too large) is refused with the reason.
//
//     const std::string bytes = encodeHistory(picture.keptHistory(), savedTables, key);
//     const DecodedHistory read = decodeHistory(bytes, loadedTables, key);
#ifndef TESSARY_HISTORYFORMAT_H
#define TESSARY_HISTORYFORMAT_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "history.h"

constexpr std::size_t historyFileLimit = 1 << 20;
constexpr std::uint32_t historyVersion = 1;

// The reasons a file is refused, each short enough to be shown whole after
// "History of slot 1 not read: " on the prompt line.
namespace historyFault {
constexpr const char* damaged = "damaged";
constexpr const char* truncated = "truncated";
constexpr const char* tooNew = "too new";
constexpr const char* tooLarge = "too large";
}  // namespace historyFault

// The bytes of `history`, which leads to `saved`, under `key`; at most
// `limit` bytes (the oldest steps left out), never less than a history
// without steps needs.
std::string encodeHistory(const History& history, const PictureTables& saved, std::uint64_t key,
                          std::size_t limit = historyFileLimit);

// What the bytes of a history file hold for the tables `current` with the
// key `key`: the history; or nothing with an empty fault, when the file is
// whole but saved with other tables; or nothing with the fault's reason.
struct DecodedHistory {
    std::optional<History> history;
    std::string fault;
};
DecodedHistory decodeHistory(const std::string& bytes, const PictureTables& current, std::uint64_t key);

// Where the key lies in a file, and its last four bytes: the CRC-32 (as zip
// and PNG have it) of the bytes before them. For a fuzzer that gets past both.
constexpr std::size_t historyKeyOffset = 12;
std::uint32_t historyChecksum(const char* bytes, std::size_t size);

// 64-bit FNV-1a of `bytes`, continuing from `hash`: the key of saved bytes.
std::uint64_t fnv1a64(const std::string& bytes, std::uint64_t hash = 14695981039346656037ull);

#endif
