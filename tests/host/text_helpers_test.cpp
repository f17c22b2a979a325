#include "core/text_helpers.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Byte 0xB5 starts a two-byte character; "\xB5\x5A" is one character whose trail byte is 'Z'.
#define DBCS_Z "\xB5\x5A"

TEST(ConcatTextTest, JoinsPiecesAndSkipsEmptyOnes) {
    EXPECT_EQ(ConcatText({}), "");
    EXPECT_EQ(ConcatText({"", ""}), "");
    EXPECT_EQ(ConcatText({"C:\\PS", "", "\\", DBCS_Z, "x"}), "C:\\PS\\" DBCS_Z "x");
}

TEST(TextEqualsTest, ComparesExactBytes) {
    struct Case {
        Text a, b;
        bool equal;
    };
    const Case cases[] = {
        {"", "", true},
        {"abc", "abc", true},
        {"abc", "ABC", false},
        {"abc", "abcd", false},
        {"", "a", false},
        {"\xB5\xC1", "\xB5\xC1", true},
        {"\xB5\xC1", "\xB5\x41", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("a=" + c.a + " b=" + c.b);
        EXPECT_EQ(TextEquals(c.a, c.b), c.equal);
        EXPECT_EQ(TextEquals(c.b, c.a), c.equal);
    }
}

TEST(ToLowerTextTest, LowersAsciiCapitalsOnlyAndLeavesTwoByteCharactersAlone) {
    struct Case {
        Text input, expected;
    };
    const Case cases[] = {
        {"", ""},
        {"D:\\Apps\\PS\\PHOTOSHOP.EXE", "d:\\apps\\ps\\photoshop.exe"},
        // Neighbours of the capital range stay put.
        {"@AZ[`az{", "@az[`az{"},
        {DBCS_Z, DBCS_Z},
        {DBCS_Z "Z", DBCS_Z "z"},
        {"\x80" "A" "A", "\x80" "A" "a"},
        {"\x7F" "A", "\x7F" "a"},
        {"\xFF\xFF" "A", "\xFF\xFF" "a"},
        {"A\xB5", "a\xB5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(ToLowerText(c.input), c.expected);
    }
}

TEST(FindTextTest, FindsFirstOccurrenceFromStart) {
    struct Case {
        Text text, sought;
        int start;
        bool ignoreCase;
        int expected;
    };
    const Case cases[] = {
        {"C:\\a\\Foo.LNK", ".lnk", 1, false, -1},
        {"C:\\a\\Foo.LNK", ".lnk", 1, true, 9},
        {"C:\\a\\Foo.lnk", ".LNK", 1, true, 9},
        {"C:\\a\\Foo.lnk", ".lnk", 1, false, 9},
        // Start positions: 0, 1 and negatives all mean the first byte.
        {"abcabc", "abc", 0, false, 1},
        {"abcabc", "abc", 1, false, 1},
        {"abcabc", "abc", -5, false, 1},
        {"abcabc", "abc", INT_MIN, false, 1},
        {"abcabc", "abc", INT_MAX, false, -1},
        {"abcabc", "abc", 2, false, 4},
        {"abcabc", "abc", 4, false, 4},
        {"abcabc", "abc", 5, false, -1},
        {"abcabc", "c", 6, false, 6},
        {"abcabc", "c", 7, false, -1},
        {"abcabc", "c", 100, false, -1},
        {"ab", "abc", 1, false, -1},
        {"", "a", 0, false, -1},
        // Empty sought text reports 1 whenever any text remains from the start.
        {"abc", "", 1, false, 1},
        {"abc", "", 3, false, 1},
        {"abc", "", 4, false, -1},
        {"", "", 0, false, -1},
        // Only ASCII letters fold; '@'/'`' and '['/'{' differ by 0x20 too.
        {"`{", "@", 1, true, -1},
        {"`{", "[", 1, true, -1},
        {"\xE1", "\xC1", 1, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("text=" + c.text + " sought=" + c.sought + " start=" + std::to_string(c.start) +
                     " ignoreCase=" + std::to_string(c.ignoreCase));
        EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.expected);
    }
}

TEST(FindTextTest, NeverMatchesOnTheTrailByteOfATwoByteCharacter) {
    struct Case {
        Text text, sought;
        int start;
        int expected;
    };
    const Case cases[] = {
        {DBCS_Z, "Z", 1, -1},
        {DBCS_Z "Z", "Z", 1, 3},
        {"\xB5\xB5\xB6", "\xB5\xB6", 1, -1},
        {"\xB5\xB5\xB5\xB6", "\xB5\xB6", 1, 3},
        {"a" DBCS_Z "Z", "Z", 1, 4},
        // A start position inside a character begins the walk right there.
        {DBCS_Z, "Z", 2, 2},
        // A two-byte sought text matches at a character boundary.
        {"x" DBCS_Z, DBCS_Z, 1, 2},
        // A lone lead byte at the end: matchable itself, but the walk cannot step past it.
        {"ab\xB5", "\xB5", 1, 3},
        {"ab\xB5", "x", 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("text=" + c.text + " sought=" + c.sought + " start=" + std::to_string(c.start));
        EXPECT_EQ(FindText(c.text, c.sought, c.start, false), c.expected);
        EXPECT_EQ(FindText(c.text, c.sought, c.start, true), c.expected);
    }
}

TEST(FindTextTest, DefaultsSearchFromFirstByteCaseSensitively) {
    EXPECT_EQ(FindText("aA", "A"), 2);
}

struct ReplaceCase {
    Text text, sought, replacement;
    int start;
    int count;
    bool caseSensitive;
    Text expected;
};

void CheckReplace(const ReplaceCase& c) {
    SCOPED_TRACE("text=" + c.text + " sought=" + c.sought + " replacement=" + c.replacement +
                 " start=" + std::to_string(c.start) + " count=" + std::to_string(c.count) +
                 " caseSensitive=" + std::to_string(c.caseSensitive));
    EXPECT_EQ(ReplaceText(c.text, c.sought, c.replacement, c.start, c.count, c.caseSensitive),
              c.expected);
}

TEST(ReplaceTextTest, ReplacesNonOverlappingMatchesWithoutRescanning) {
    const ReplaceCase cases[] = {
        {"aXa", "a", "aa", 1, kAllOccurrences, true, "aaXaa"},
        {"aaaa", "aa", "b", 1, kAllOccurrences, true, "bb"},
        {"aaa", "aa", "b", 1, kAllOccurrences, true, "ba"},
        {"abab", "ab", "ba", 1, kAllOccurrences, true, "baba"},
        {"a.b.c", ".", "\\", 1, kAllOccurrences, true, "a\\b\\c"},
        {"abc", "abc", "", 1, kAllOccurrences, true, ""},
        {"ab", "abc", "x", 1, kAllOccurrences, true, "ab"},
        // Nothing to do: empty text, empty sought text, or zero count.
        {"", "a", "x", 1, kAllOccurrences, true, ""},
        {"abc", "", "x", 1, kAllOccurrences, true, "abc"},
        {"abc", "a", "x", 1, 0, true, "abc"},
    };
    for (const ReplaceCase& c : cases) CheckReplace(c);
}

TEST(ReplaceTextTest, CaseFoldingCoversAsciiLettersOnly) {
    const ReplaceCase cases[] = {
        {"ABab", "ab", "", 1, kAllOccurrences, false, ""},
        {"ABab", "ab", "", 1, kAllOccurrences, true, "AB"},
        {"aBAb", "Ab", "x", 1, kAllOccurrences, false, "xx"},
        {"`{", "@[", "x", 1, kAllOccurrences, false, "`{"},
        {"\xE1", "\xC1", "x", 1, kAllOccurrences, false, "\xE1"},
        // Folding is per byte, so it reaches the trail byte of a sought two-byte character.
        {DBCS_Z, "\xB5\x7A", "x", 1, kAllOccurrences, false, "x"},
        {DBCS_Z, "\xB5\x7A", "x", 1, kAllOccurrences, true, DBCS_Z},
    };
    for (const ReplaceCase& c : cases) CheckReplace(c);
}

TEST(ReplaceTextTest, CountLimitsReplacements) {
    const ReplaceCase cases[] = {
        {"aaaa", "a", "b", 1, 1, true, "baaa"},
        {"aaaa", "a", "b", 1, 2, true, "bbaa"},
        {"aaaa", "a", "b", 1, 4, true, "bbbb"},
        {"aaaa", "a", "b", 1, 9, true, "bbbb"},
        {"aaaa", "a", "b", 1, -1, true, "bbbb"},
        {"aaaa", "a", "b", 1, -7, true, "bbbb"},
        {"xAxa", "a", "b", 1, 1, false, "xbxa"},
    };
    for (const ReplaceCase& c : cases) CheckReplace(c);
}

TEST(ReplaceTextTest, StartKeepsThePrefixUnchanged) {
    const ReplaceCase cases[] = {
        {"abab", "ab", "X", 0, kAllOccurrences, true, "XX"},
        {"abab", "ab", "X", 1, kAllOccurrences, true, "XX"},
        {"abab", "ab", "X", -3, kAllOccurrences, true, "XX"},
        {"abab", "ab", "X", INT_MIN, kAllOccurrences, true, "XX"},
        {"abab", "ab", "X", INT_MAX, kAllOccurrences, true, "abab"},
        {"abab", "ab", "X", 2, kAllOccurrences, true, "abX"},
        {"abab", "ab", "X", 3, kAllOccurrences, true, "abX"},
        {"abab", "b", "X", 4, kAllOccurrences, true, "abaX"},
        {"abab", "b", "X", 5, kAllOccurrences, true, "abab"},
        {"ABab", "ab", "x", 2, kAllOccurrences, false, "ABx"},
        {"aaaa", "a", "b", 2, 1, true, "abaa"},
    };
    for (const ReplaceCase& c : cases) CheckReplace(c);
}

TEST(ReplaceTextTest, KeepsTwoByteCharactersWhole) {
    const ReplaceCase cases[] = {
        {DBCS_Z, "Z", "z", 1, kAllOccurrences, true, DBCS_Z},
        {DBCS_Z, "Z", "z", 1, kAllOccurrences, false, DBCS_Z},
        {DBCS_Z "Z", "Z", "z", 1, kAllOccurrences, true, DBCS_Z "z"},
        {"\xB5\xB5\xB6\xB6", "\xB5\xB6", "x", 1, kAllOccurrences, true, "\xB5\xB5\xB6\xB6"},
        {"Z" DBCS_Z "Z", "Z", "\xC4\xE3", 1, kAllOccurrences, true, "\xC4\xE3" DBCS_Z "\xC4\xE3"},
        {"x" DBCS_Z "y", DBCS_Z, "", 1, kAllOccurrences, true, "xy"},
        // A lone lead byte at the end is copied through as it is.
        {"a\xB5", "b", "c", 1, kAllOccurrences, true, "a\xB5"},
        {"a\xB5", "a", "c", 1, kAllOccurrences, true, "c\xB5"},
    };
    for (const ReplaceCase& c : cases) CheckReplace(c);
}

TEST(ReplaceTextTest, DefaultsReplaceEveryMatchIgnoringCaseWithNothing) {
    EXPECT_EQ(ReplaceText("Photoshop.EXE", ".exe"), "Photoshop");
}

TEST(BatchReplaceTest, TurnsExecutablePathIntoLanguageFilePath) {
    EXPECT_EQ(BatchReplace("X:\\PhotoShop.EXE",
                           {{"photoshop.exe", "Locales\\zh_CN\\Support Files\\tw10428.dat"}}),
              "X:\\Locales\\zh_CN\\Support Files\\tw10428.dat");
}

TEST(BatchReplaceTest, AppliesPairsInOrderToThePreviousResult) {
    EXPECT_EQ(BatchReplace("abc", {}), "abc");
    EXPECT_EQ(BatchReplace("abc", {{"a", "b"}, {"b", "c"}}), "ccc");
    EXPECT_EQ(BatchReplace("abc", {{"b", "c"}, {"a", "b"}}), "bcc");
    EXPECT_EQ(BatchReplace("abc", {{"", "X"}, {"a", "b"}, {"", ""}}), "bbc");
    EXPECT_EQ(BatchReplace("abc", {{"a", "x"}, {"b", "y"}, {"c", "z"}, {"xyz", "1"}, {"1", "22"}}),
              "22");
}

TEST(BatchReplaceTest, PassesCountStartAndCaseFlagToEveryPair) {
    struct Case {
        Text text;
        int count;
        int start;
        bool caseSensitive;
        Text expected;
    };
    // Pairs are {"a" -> "x"}, {"b" -> "y"} for every case.
    const Case cases[] = {
        {"aabb", kAllOccurrences, 1, false, "xxyy"},
        {"aabb", 1, 1, false, "xayb"},
        {"abab", kAllOccurrences, 0, false, "xyxy"},
        {"abab", kAllOccurrences, 3, false, "abxy"},
        {"abab", kAllOccurrences, INT_MIN, false, "xyxy"},
        {"AaBb", kAllOccurrences, 1, false, "xxyy"},
        {"AaBb", kAllOccurrences, 1, true, "AxBy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("text=" + c.text + " count=" + std::to_string(c.count) + " start=" +
                     std::to_string(c.start) + " caseSensitive=" + std::to_string(c.caseSensitive));
        EXPECT_EQ(BatchReplace(c.text, {{"a", "x"}, {"b", "y"}}, c.count, c.start, c.caseSensitive),
                  c.expected);
    }
}

}  // namespace

namespace {

// start - 1 would overflow at INT_MIN; any start below 1 means the first byte.
TEST(TextStartPositions, ExtremeStartsNeitherOverflowNorMisplace) {
    EXPECT_EQ(FindText("abcabc", "b", INT_MIN), 2);
    EXPECT_EQ(FindText("abcabc", "b", INT_MAX), -1);
    EXPECT_EQ(ReplaceText("abcabc", "b", "X", INT_MIN), "aXcaXc");
    EXPECT_EQ(ReplaceText("abcabc", "b", "X", INT_MAX), "abcabc");
    EXPECT_EQ(BatchReplace("abcabc", {{"b", "X"}}, kAllOccurrences, INT_MIN), "aXcaXc");
}

}  // namespace
