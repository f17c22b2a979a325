#pragma once
// One table of path cases with the extension and file titles the program must derive from them.
// Both platforms run it, so the in-memory path rules cannot drift away from Windows' own.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/path_helpers.h"
#include "platform/platform.h"

struct PathRuleCase {
    std::string path;
    std::string extension;
    std::string titleWithExtension;
    std::string titleWithoutExtension;
};

inline std::vector<PathRuleCase> PathRuleCases() {
    // Titles of 255 bytes still fit the old 256-byte title buffer; 256 bytes do not.
    const std::string longest = std::string(251, 'a') + ".exe";
    const std::string tooLong = std::string(252, 'a') + ".exe";
    const std::string withNul = std::string("C:\\x\\a.exe\0b.txt", 16);
    return {
        {"C:\\x\\Photoshop.exe", ".exe", "Photoshop.exe", "Photoshop"},
        {"C:\\x\\README", "", "README", "README"},
        // A space after the last dot, or a backslash, ends any extension.
        {"C:\\x\\file.my ext", "", "file.my ext", "file.my ext"},
        {"C:\\a.b\\c", "", "c", "c"},
        {"C:\\x\\", "", "x\\", "x\\"},
        // '/' separates names but does not end an extension; the title's own extension counts.
        {"C:\\a.b/c", ".b/c", "c", "c"},
        {"a.tar.gz", ".gz", "a.tar.gz", "a.tar"},
        {"C:\\Users\\a\\Desktop\\Photoshop.LNK", ".LNK", "Photoshop.LNK", "Photoshop"},
        {"D:\\\xd6\xd0\xce\xc4\\Photoshop.exe", ".exe", "Photoshop.exe", "Photoshop"},
        // 0xD5 0x5C is one character whose second byte looks like a backslash.
        {"D:\\x\\a.\xd5\\b", ".\xd5\\b", "a.\xd5\\b", "a"},
        {"D:\\x\\\xd5\\Photoshop.exe", ".exe", "\xd5\\Photoshop.exe", "\xd5\\Photoshop"},
        // Code page 936 leads with 0x81 to 0xFE only: after 0x80 or 0xFF a backslash is one.
        {"D:\\x\\a\x80\\b.exe", ".exe", "b.exe", "b"},
        {"D:\\x\\a\xff\\b.exe", ".exe", "b.exe", "b"},
        // A lead byte at the very end stands alone.
        {"D:\\x\\a.b\xd6", ".b\xd6", "a.b\xd6", "a"},
        // Several dropped files arrive as one text, each path ending in CR LF.
        {"C:\\a\\photoshop.exe\r\nC:\\b\\x.txt\r\n", ".txt\r\n", "x.txt\r\n", "x"},
        {"D:\\photoshop.exe.d\\Photoshop.exe", ".exe", "Photoshop.exe", "Photoshop"},
        {"C:Photoshop.exe", ".exe", "Photoshop.exe", "Photoshop"},
        {"", "", "", ""},
        // The Windows calls see a C string; what follows a NUL byte is simply carried along.
        {withNul, std::string(".exe\0b.txt", 10), std::string("a.exe\0b.txt", 11), "a"},
        {"C:\\x\\" + longest, ".exe", longest, std::string(251, 'a')},
        {"C:\\x\\" + tooLong, ".exe", "", ""},
    };
}

inline std::string PrintablePath(const std::string& path) {
    std::string printable;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            printable += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            printable += escaped;
        }
    }
    return printable;
}

inline void ExpectPathRules(Platform& platform) {
    for (const PathRuleCase& c : PathRuleCases()) {
        SCOPED_TRACE(PrintablePath(c.path));
        EXPECT_EQ(FileExtension(platform, c.path), c.extension);
        EXPECT_EQ(FileTitle(platform, c.path, true), c.titleWithExtension);
        EXPECT_EQ(FileTitle(platform, c.path, false), c.titleWithoutExtension);
        EXPECT_EQ(FileTitle(platform, c.path), c.titleWithoutExtension);
    }
}
