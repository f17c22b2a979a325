// This file is UTF-8; the build compiles it with -fexec-charset=CP936 so every literal below
// reaches Windows as code-page-936 bytes. Keep all Chinese literals here and nowhere else.
#include "core/texts.h"

const char kPathFileSuffix[] = "\\储存路径.pp";
const char kBackupFileSuffix[] = "\\文件备份.pp";
const char kLanguageFolder[] = "Locales\\zh_CN\\Support Files\\";
const char kLanguageFileName[] = "tw10428.dat";
const char kPhotoshopExeName[] = "photoshop.exe";
const char kShortcutExtension[] = ".lnk";

const char kErrorCaption[] = "错误";
const char kSwitchToChineseCaption[] = "切换到中文版";
const char kSwitchToEnglishCaption[] = "切换到英文版";
const char kDropAreaCaption[] = "请将PS的主程序或者桌面快捷方式拖放到这里";

const char kNotPhotoshopMessage[] =
    "你拖进来的不是photoshop主程序,或者你的主程序名字不是photoshop.exe";
const char kNoLanguageFileMessage[] = "photoshop自带的语言文件不存在，难道你用的不是中文版？";
const char kCannotSaveSettingsMessage[] =
    "无法在本程序所在的文件夹保存设置，请把本程序移到一个可以写入的文件夹，再重新拖放PS的主程序。";

const char kCannotDeleteMessage[] =
    "删除语言文件失败，请先关闭photoshop，或者以管理员身份运行本程序。";
const char kCannotRestoreMessage[] =
    "恢复语言文件失败，请先关闭photoshop，或者以管理员身份运行本程序。";
const char kBackupMissingMessage[] =
    "语言文件的备份不见了，无法切换到中文版。请重新打开本程序，再把PS的主程序拖进来重新设置。";
const char kCannotRefreshBackupMessage[] =
    "无法备份语言文件，所以没有删除它。请把本程序移到一个可以写入的文件夹后再试。";
