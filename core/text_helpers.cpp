#include "core/text_helpers.h"

#include <algorithm>
#include <cstddef>

namespace {

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

char FoldAsciiCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c; }

// Byte-by-byte comparison; folding touches ASCII letters only, every other byte must match.
bool MatchesAt(const Text& text, std::size_t pos, const Text& sought, bool foldCase) {
    for (std::size_t i = 0; i < sought.size(); ++i) {
        char a = text[pos + i];
        char b = sought[i];
        if (foldCase) {
            a = FoldAsciiCase(a);
            b = FoldAsciiCase(b);
        }
        if (a != b) return false;
    }
    return true;
}

// Start positions are 1-based; 0 and anything below it mean the first byte.
std::size_t OffsetFromStart(int start) {
    return start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;  // no start - 1 overflow at INT_MIN
}

}  // namespace

Text ConcatText(std::initializer_list<Text> pieces) {
    Text result;
    for (const Text& piece : pieces) result += piece;
    return result;
}

bool TextEquals(const Text& a, const Text& b) { return a == b; }

Text ToLowerText(const Text& text) {
    Text result = text;
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (IsLeadByte(result[i])) {
            ++i;  // the trail byte may look like a capital but belongs to the character
        } else {
            result[i] = FoldAsciiCase(result[i]);
        }
    }
    return result;
}

int FindText(const Text& text, const Text& sought, int start, bool ignoreCase) {
    const std::size_t offset = OffsetFromStart(start);
    if (offset > 0 && offset >= text.size()) return -1;
    if (sought.empty()) return offset < text.size() ? 1 : -1;

    for (std::size_t pos = offset; text.size() - pos >= sought.size();) {
        if (MatchesAt(text, pos, sought, ignoreCase)) return static_cast<int>(pos + 1);
        if (IsLeadByte(text[pos])) {
            if (pos + 1 >= text.size()) return -1;  // a lead byte with no trail byte
            pos += 2;
        } else {
            pos += 1;
        }
    }
    return -1;
}

Text ReplaceText(const Text& text, const Text& sought, const Text& replacement, int start,
                 int count, bool caseSensitive) {
    const std::size_t offset = OffsetFromStart(start);
    if (text.empty() || sought.empty() || offset >= text.size() || count == 0) return text;
    const bool limited = count > 0;

    Text result = text.substr(0, offset);
    std::size_t pos = offset;
    while (text.size() - pos >= sought.size()) {
        if (MatchesAt(text, pos, sought, !caseSensitive)) {
            result += replacement;
            pos += sought.size();
            if (limited && --count == 0) break;
        } else {
            // Copy a whole character so a match can never begin on a trail byte.
            const std::size_t width = IsLeadByte(text[pos]) ? 2 : 1;
            result.append(text, pos, width);
            pos = std::min(pos + width, text.size());
        }
    }
    result.append(text, pos, Text::npos);
    return result;
}

Text BatchReplace(const Text& text, std::initializer_list<ReplacePair> pairs, int count, int start,
                  bool caseSensitive) {
    if (start == 0) start = 1;
    Text result = text;
    for (const ReplacePair& pair : pairs) {
        result = ReplaceText(result, pair.find, pair.replacement, start, count, caseSensitive);
    }
    return result;
}
