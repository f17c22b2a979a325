// The program's Chinese texts must reach Windows as code-page-936 bytes. iconv converts the
// same words, written here in UTF-8, as an independent check of the build's conversion.
#include "core/program_texts.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

std::string To936(const std::string& utf8) {
    iconv_t cd = iconv_open("CP936", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    char* dst = out.data();
    size_t inLeft = utf8.size(), outLeft = out.size();
    const size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    EXPECT_NE(rc, static_cast<size_t>(-1));
    out.resize(out.size() - outLeft);
    return out;
}

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(ChineseTexts, AreCodePage936Bytes) {
    EXPECT_EQ(std::string(kPathFileSuffix), "\x5c\xb4\xa2\xb4\xe6\xc2\xb7\xbe\xb6\x2e\x70\x70");
    EXPECT_EQ(std::string(kErrorCaption), "\xb4\xed\xce\xf3");

    const struct {
        const char* bytes;
        const char8_t* utf8;
    } cases[] = {
        {kPathFileSuffix, u8"\\储存路径.pp"},
        {kBackupFileSuffix, u8"\\文件备份.pp"},
        {kErrorCaption, u8"错误"},
        {kSwitchToChineseCaption, u8"切换到中文版"},
        {kSwitchToEnglishCaption, u8"切换到英文版"},
        {kDropAreaCaption, u8"请将PS的主程序或者桌面快捷方式拖放到这里"},
        {kNotPhotoshopMessage,
         u8"你拖进来的不是photoshop主程序,或者你的主程序名字不是photoshop.exe"},
        {kNoLanguageFileMessage, u8"photoshop自带的语言文件不存在，难道你用的不是中文版？"},
        {kPreviousBackupSuffix, u8"\\旧文件备份.pp"},
        {kPhotoshopRunningMessage, u8"Photoshop正在运行，请先关闭Photoshop，再切换语言。"},
    };
    for (const auto& c : cases) EXPECT_EQ(std::string(c.bytes), To936(Utf8(c.utf8)));
}

}  // namespace
