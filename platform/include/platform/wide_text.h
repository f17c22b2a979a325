#pragma once
// Conversions between the program's ANSI byte texts and the UTF-16 the "W" entry points take.
#include <windows.h>

#include <climits>
#include <string>

// Bytes that do not form a character of the code page become U+FFFD instead of failing the call.
inline std::wstring WideFromCodePage(UINT codePage, const std::string& text) {
    if (text.empty() || text.size() > INT_MAX) return std::wstring();
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), needed);
    return wide;
}

// Characters the code page cannot hold become its default character ('?'), never a look-alike,
// so that an altered path cannot silently name some other existing file.
inline std::string NarrowToCodePage(UINT codePage, const std::wstring& wide) {
    if (wide.empty() || wide.size() > INT_MAX) return std::string();
    const int length = static_cast<int>(wide.size());
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int needed =
        WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::string();
    std::string text(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), length, text.data(), needed, nullptr, nullptr);
    return text;
}

// The program's own texts are code-page-936 bytes whatever the system's ANSI code page is.
inline std::wstring WideFrom936(const std::string& text) {
    return WideFromCodePage(936, text);
}
