// The text helpers on arbitrary bytes, start positions and counts. Besides the sanitizers'
// findings, it checks what follows from core/text_helpers.h: results stay inside the text, matches are
// real, the prefix before the start is kept, and on texts without two-byte characters the
// results agree with a plain search.
#include <vector>

#include "core/text_helpers.h"
#include "fuzz/fuzz_input.h"

namespace {

bool IsLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

bool IsAscii(const Text& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The case folding of FindText and ReplaceText: byte by byte, ASCII capitals only.
char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c; }

Text FoldEach(Text text) {
    for (char& c : text) c = Fold(c);
    return text;
}

bool MatchesAt(const Text& text, std::size_t at, const Text& sought, bool foldCase) {
    if (at > text.size() || text.size() - at < sought.size()) return false;
    for (std::size_t i = 0; i < sought.size(); ++i) {
        const char a = text[at + i], b = sought[i];
        if (foldCase ? Fold(a) != Fold(b) : a != b) return false;
    }
    return true;
}

// Start positions are 1-based; 1 and everything below it mean the first byte.
std::size_t Offset(int start) { return start > 1 ? static_cast<std::size_t>(start) - 1 : 0; }

// Non-overlapping replacement from left to right without rescanning; right for texts in which
// every byte is a character of its own.
Text ReplaceInAscii(const Text& text, const Text& sought, const Text& replacement, int start,
                    int count, bool caseSensitive) {
    const std::size_t offset = Offset(start);
    if (sought.empty() || offset >= text.size() || count == 0) return text;
    const Text haystack = caseSensitive ? text : FoldEach(text);
    const Text needle = caseSensitive ? sought : FoldEach(sought);
    Text result = text.substr(0, offset);
    std::size_t pos = offset;
    for (int left = count; left != 0; left -= left > 0 ? 1 : 0) {
        const std::size_t found = haystack.find(needle, pos);
        if (found == Text::npos) break;
        result += text.substr(pos, found - pos) + replacement;
        pos = found + needle.size();
    }
    return result + text.substr(pos);
}

void CheckConcatAndEquals(const Text& a, const Text& b, const Text& c) {
    FUZZ_CHECK(ConcatText({}).empty());
    FUZZ_CHECK(ConcatText({a, b, c}) == a + b + c);
    FUZZ_CHECK(TextEquals(a, a));
    FUZZ_CHECK(TextEquals(a, b) == TextEquals(b, a));
    if (a.find('\0') == Text::npos && b.find('\0') == Text::npos)
        FUZZ_CHECK(TextEquals(a, b) == (a == b));
}

void CheckLower(const Text& text) {
    const Text lower = ToLowerText(text);
    FUZZ_CHECK(lower.size() == text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Only ASCII capitals change, and only into their small letter.
        if (lower[i] != text[i]) FUZZ_CHECK(text[i] >= 'A' && text[i] <= 'Z' && lower[i] == text[i] + 0x20);
    }
    // A two-byte character keeps both bytes, even a trail byte that looks like a capital.
    for (std::size_t i = 0; i < text.size(); i += IsLead(text[i]) ? 2 : 1) {
        if (IsLead(text[i]) && i + 1 < text.size()) FUZZ_CHECK(lower[i + 1] == text[i + 1]);
    }
    // Lowering keeps every byte below 0x80 where it was, so the characters stay the same.
    FUZZ_CHECK(ToLowerText(lower) == lower);
    if (IsAscii(text)) FUZZ_CHECK(lower == FoldEach(text));
}

void CheckFind(const Text& text, const Text& sought, int start, bool ignoreCase) {
    const int found = FindText(text, sought, start, ignoreCase);
    const std::size_t offset = Offset(start);
    if (start < 1) FUZZ_CHECK(found == FindText(text, sought, 1, ignoreCase));
    if (sought.empty()) {
        FUZZ_CHECK(found == (offset < text.size() ? 1 : -1));
        return;
    }
    FUZZ_CHECK(found == -1 || found >= 1);
    if (found != -1) {
        const std::size_t at = static_cast<std::size_t>(found) - 1;
        FUZZ_CHECK(at >= offset);
        FUZZ_CHECK(MatchesAt(text, at, sought, ignoreCase));
    }
    // Folding only widens what matches, along the same walk through the characters.
    const int exact = FindText(text, sought, start, false);
    const int folded = FindText(text, sought, start, true);
    if (exact != -1) FUZZ_CHECK(folded != -1 && folded <= exact);
    if (IsAscii(text)) {
        const std::size_t plain = offset > text.size() ? Text::npos
                                  : ignoreCase ? FoldEach(text).find(FoldEach(sought), offset)
                                               : text.find(sought, offset);
        FUZZ_CHECK(found == (plain == Text::npos ? -1 : static_cast<int>(plain) + 1));
    }
    // The first match among the characters stepped through from the start position, a lone
    // lead byte at the end included; never one that begins on a trail byte.
    int expected = -1;
    for (std::size_t at = offset; at < text.size(); at += IsLead(text[at]) ? 2 : 1) {
        if (MatchesAt(text, at, sought, ignoreCase)) {
            expected = static_cast<int>(at) + 1;
            break;
        }
    }
    FUZZ_CHECK(found == expected);
}

void CheckReplace(const Text& text, const Text& sought, const Text& replacement, int start,
                  int count, bool caseSensitive) {
    const Text result = ReplaceText(text, sought, replacement, start, count, caseSensitive);
    const std::size_t offset = Offset(start);
    if (text.empty() || sought.empty() || count == 0 || offset >= text.size())
        FUZZ_CHECK(result == text);
    if (start < 1)
        FUZZ_CHECK(result == ReplaceText(text, sought, replacement, 1, count, caseSensitive));
    FUZZ_CHECK(ReplaceText(text, sought, sought, start, count, true) == text);
    if (offset < text.size()) FUZZ_CHECK(result.compare(0, offset, text, 0, offset) == 0);

    if (!sought.empty() && count != 0) {
        // The first replacement lands where FindText sees the first occurrence.
        const int first = FindText(text, sought, start, !caseSensitive);
        if (first == -1) {
            FUZZ_CHECK(result == text);
        } else {
            const std::size_t at = static_cast<std::size_t>(first) - 1;
            FUZZ_CHECK(result.compare(0, at, text, 0, at) == 0);
            FUZZ_CHECK(result.compare(at, replacement.size(), replacement) == 0);
        }
    }
    if (IsAscii(text))
        FUZZ_CHECK(result == ReplaceInAscii(text, sought, replacement, start, count, caseSensitive));
}

Text Batch(const Text& text, const std::vector<ReplacePair>& p, int count, int start, bool cs) {
    switch (p.size()) {
        case 0: return BatchReplace(text, {}, count, start, cs);
        case 1: return BatchReplace(text, {p[0]}, count, start, cs);
        case 2: return BatchReplace(text, {p[0], p[1]}, count, start, cs);
        case 3: return BatchReplace(text, {p[0], p[1], p[2]}, count, start, cs);
        case 4: return BatchReplace(text, {p[0], p[1], p[2], p[3]}, count, start, cs);
        default: return BatchReplace(text, {p[0], p[1], p[2], p[3], p[4]}, count, start, cs);
    }
}

void CheckBatch(const Text& text, const std::vector<ReplacePair>& pairs, int count, int start,
                bool caseSensitive) {
    Text expected = text;
    for (const ReplacePair& pair : pairs)
        expected = ReplaceText(expected, pair.find, pair.replacement, start, count, caseSensitive);
    FUZZ_CHECK(Batch(text, pairs, count, start, caseSensitive) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const Text text = in.Text();
    const Text sought = in.Text();
    const Text replacement = in.Text();
    const int start = in.Int(text.size());
    const int count = in.Int(text.size());
    const bool flag = in.Flag();
    std::vector<ReplacePair> pairs(in.Byte() % 6);
    for (ReplacePair& pair : pairs) {
        pair.find = in.Text();
        pair.replacement = in.Text();
    }

    CheckConcatAndEquals(text, sought, replacement);
    CheckLower(text);
    CheckFind(text, sought, start, flag);
    CheckReplace(text, sought, replacement, start, count, flag);
    CheckBatch(text, pairs, count, start, flag);
    return 0;
}
