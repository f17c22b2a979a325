#pragma once
// Byte texts in the ANSI code page (936). Positions and lengths count bytes; a byte of 0x80 or
// above starts a two-byte character wherever a text is stepped through. An empty text stands
// for "absent" too.
#include <initializer_list>
#include <string>

using Text = std::string;

// "Left out" for the count of ReplaceText and BatchReplace: replace every occurrence.
inline constexpr int kAllOccurrences = -1;

Text ConcatText(std::initializer_list<Text> pieces);

// Same bytes up to and including the terminator.
bool TextEquals(const Text& a, const Text& b);

// ASCII capitals lowered; two-byte characters are left alone, both bytes.
Text ToLowerText(const Text& text);

// 1-based byte position of the first occurrence of `sought`, or -1. A start position of 0 or 1
// both mean "from the first byte".
int FindText(const Text& text, const Text& sought, int start = 1, bool ignoreCase = false);

// Note the flag's sense: ReplaceText matches case-insensitively unless `caseSensitive`.
Text ReplaceText(const Text& text, const Text& sought, const Text& replacement = Text(),
                 int start = 1, int count = kAllOccurrences, bool caseSensitive = false);

struct ReplacePair {
    Text find;
    Text replacement;
};

// Applies ReplaceText for each pair in order (at most five are meaningful), each to the result
// of the one before, with the same start, count and case flag.
Text BatchReplace(const Text& text, std::initializer_list<ReplacePair> pairs,
                  int count = kAllOccurrences, int start = 1, bool caseSensitive = false);
