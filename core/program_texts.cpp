// This file is UTF-8; the build compiles it with -fexec-charset=CP936 so every literal below
// reaches Windows as code-page-936 bytes. Keep all Chinese literals here and nowhere else.
#include "core/program_texts.h"

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
const char kCannotRefreshBackupMessage[] =
    "无法备份语言文件，所以没有删除它。请把本程序移到一个可以写入的文件夹后再试。";
const char kPreviousBackupSuffix[] = "\\旧文件备份.pp";
const char kTemporaryFileName[] = "PsLangSwitch.tmp";

const char kPhotoshopRunningMessage[] = "Photoshop正在运行，请先关闭Photoshop，再切换语言。";
const char kInvalidSettingsMessage[] =
    "保存的设置无效，没有改动任何文件。请把PS的主程序或者桌面快捷方式重新拖放到这里。";
const char kNoBackupMessage[] =
    "找不到语言文件的备份，无法切换到中文版。请在Photoshop中修复或者重新安装中文语言包。";
const char kBackupUnreadableMessage[] =
    "语言文件的备份被其他程序占用，无法读取，没有改动任何文件。请关闭占用它的程序后再试。";
const char kDeletePendingMessage[] =
    "语言文件正被其他程序使用，要等那个程序关闭后才会被删除。请关闭它后再打开本程序看看。";
const char kUnrepresentablePathMessage[] =
    "你拖进来的文件路径里有系统编码无法表示的字符，本程序无法使用。请把Photoshop装到路径只含中英文的文件夹里。";
const char kPathTooLongMessage[] =
    "你拖进来的文件路径太长，超过了Windows的260个字符限制。请把Photoshop装到路径较短的文件夹里。";
const char kUnexpectedErrorMessage[] = "本程序遇到意外错误，即将退出。请重新打开本程序再试。";
