// A history written as a file's bytes and read back is the history in memory,
// step for step, over random edit sequences of every kind the editor makes
// (strokes, chained lines, the group's moves, flips, turns, pastes and erases,
// clears, sorts, undo and redo); any file cut short or with a byte changed is
// refused with a reason; and a history over its limit keeps its newest steps.
#include <random>

#include <gtest/gtest.h>

#include "group.h"
#include "historyformat.h"
#include "picture.h"

namespace {

constexpr std::uint64_t key = 0x5eed;

// The tables as a load reads them back: the entries in use packed from entry 0.
PictureTables packed(const PictureTables& t) {
    PictureTables p;
    for (int i = 0; i < p_number; ++i)
        if (t.pixel_oc[i]) p.createPixel(t.pixel[0][i], t.pixel[1][i]);
    for (int i = 0; i < l_number; ++i)
        if (t.line_oc[i]) p.createLine(t.lines[0][i], t.lines[1][i], t.lines[2][i], t.lines[3][i]);
    return p;
}

// One edit of a random kind, as the editor's steps make it; a stroke may be
// left held, to end with the next edit or be kept as held.
void randomEdit(Picture& picture, std::mt19937& random) {
    auto upTo = [&](int most) { return std::uniform_int_distribution<int>(0, most)(random); };
    const PictureTables& t = picture.tables();
    PictureTables edited = t;
    const Group group = groupInBox(t, boxBetween(upTo(30), upTo(30), upTo(30), upTo(30)));
    int x = upTo(30), y = upTo(30);
    switch (upTo(9)) {
    case 0:
        picture.holdStroke(true);
        for (int n = upTo(4); n >= 0; --n) picture.addPoint(upTo(30), upTo(30));
        picture.erasePoint(t.pointAt(upTo(30), upTo(30)));
        picture.holdStroke(upTo(1) == 0);
        break;
    case 1:  // a chain: each line starts where the last one ended
        for (int n = upTo(3); n >= 0; --n, x += 3, y += 2) picture.addLine(x, y, x + 3, y + 2);
        break;
    case 2: picture.eraseLine(upTo(8)); break;
    case 3: moveGroup(edited, group, upTo(8) - 4, upTo(8) - 4); break;
    case 4: flipGroup(edited, group, upTo(1) ? Flip::leftRight : Flip::topBottom); break;
    case 5: turnGroup(edited, group, upTo(1) ? Turn::clockwise : Turn::counterClockwise); break;
    case 6:
        pasteClip(edited, copyGroup(t, group), x, y);
        eraseGroup(edited, groupInBox(t, boxBetween(0, 0, x, y)));
        break;
    case 7: upTo(5) ? picture.sort(upTo(1), upTo(3)) : picture.clear(); break;
    case 8: picture.undo(); break;
    case 9: picture.redo(); break;
    }
    if (!(edited == t)) picture.replace(edited);
}

Picture randomPicture(unsigned seed, int edits) {
    std::mt19937 random(seed);
    Picture picture;
    for (int i = 0; i < edits; ++i) randomEdit(picture, random);
    return picture;
}

TEST(HistoryFormat, ASavedHistoryReadsBackAsTheOneInMemory) {
    for (unsigned seed = 0; seed < 60; ++seed) {
        SCOPED_TRACE(seed);
        const Picture picture = randomPicture(seed, static_cast<int>(seed % 7) * 12);
        const History kept = picture.keptHistory();
        const PictureTables saved = packed(picture.tables());
        const std::string bytes = encodeHistory(kept, saved, key);
        const DecodedHistory read = decodeHistory(bytes, saved, key);
        ASSERT_TRUE(read.history) << read.fault;
        EXPECT_TRUE(*read.history == kept);
        const DecodedHistory other = decodeHistory(bytes, saved, key + 1);
        EXPECT_TRUE(!other.history && other.fault.empty()) << "saved with other tables: none, and no fault";
    }
}

TEST(HistoryFormat, AFileCutShortOrChangedIsRefused) {
    const Picture picture = randomPicture(7, 30);
    const PictureTables saved = packed(picture.tables());
    const std::string bytes = encodeHistory(picture.keptHistory(), saved, key);
    ASSERT_GT(picture.history().undoSteps(), 5);
    std::mt19937 random(1);
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const DecodedHistory cut = decodeHistory(bytes.substr(0, at), saved, key);
        EXPECT_EQ(cut.fault, historyFault::truncated) << "cut at " << at;
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ std::uniform_int_distribution<int>(1, 255)(random));
        const DecodedHistory flipped = decodeHistory(changed, saved, key);
        EXPECT_TRUE(!flipped.history && !flipped.fault.empty()) << "byte " << at;
    }
    std::string newer = bytes.substr(0, bytes.size() - 4);
    newer[8] = static_cast<char>(historyVersion + 1);
    newer += std::string(4, '\0');
    const std::uint32_t checksum = historyChecksum(newer.data(), newer.size() - 4);
    for (int i = 0; i < 4; ++i) newer[newer.size() - 4 + i] = static_cast<char>(checksum >> (8 * i));
    EXPECT_EQ(decodeHistory(newer, saved, key).fault, historyFault::tooNew);
    EXPECT_EQ(decodeHistory(bytes + std::string(historyFileLimit, '\0'), saved, key).fault, historyFault::tooLarge);
}

TEST(HistoryFormat, OverItsLimitTheNewestStepsAreKept) {
    Picture picture = randomPicture(3, 40);
    for (int i = 0; i < 3; ++i) picture.undo();
    const History kept = picture.keptHistory();
    const PictureTables saved = packed(picture.tables());
    const std::size_t whole = encodeHistory(kept, saved, key).size();
    for (const std::size_t limit : {whole, whole - 1, whole / 2, std::size_t(0)}) {
        SCOPED_TRACE(limit);
        const std::string bytes = encodeHistory(kept, saved, key, limit);
        EXPECT_TRUE(bytes.size() <= limit || limit == 0);
        const DecodedHistory read = decodeHistory(bytes, saved, key);
        ASSERT_TRUE(read.history);
        const History::Steps& undone = read.history->undoable();
        EXPECT_TRUE(std::equal(undone.begin(), undone.end(), kept.undoable().end() - undone.size(),
                               [](const History::Step& a, const History::Step& b) { return *a == *b; }));
        EXPECT_EQ(undone.size() == kept.undoable().size(), limit == whole);
    }
}

}  // namespace
