#pragma once
// Every text of the program that the user or the disk sees, as code-page-936 bytes. They are
// defined in program_texts.cpp, the one file compiled with the CP936 execution character set.

extern const char kPathFileSuffix[];       // "\储存路径.pp"
extern const char kBackupFileSuffix[];     // "\文件备份.pp"
// The backup before the latest refresh, kept until the next one replaces it.
extern const char kPreviousBackupSuffix[]; // "\旧文件备份.pp"
// Name of the one temporary file the program writes in a folder before putting it in place.
extern const char kTemporaryFileName[];    // "PsLangSwitch.tmp"
extern const char kLanguageFolder[];       // "Locales\zh_CN\Support Files\"
extern const char kLanguageFileName[];     // "tw10428.dat"
extern const char kPhotoshopExeName[];     // "photoshop.exe"
extern const char kShortcutExtension[];    // ".lnk"

extern const char kErrorCaption[];         // "错误"
extern const char kSwitchToChineseCaption[];
extern const char kSwitchToEnglishCaption[];
extern const char kDropAreaCaption[];

// Set-up messages.
extern const char kNotPhotoshopMessage[];
extern const char kNoLanguageFileMessage[];
extern const char kCannotSaveSettingsMessage[];

// Switch messages.
extern const char kCannotDeleteMessage[];
extern const char kCannotRestoreMessage[];
extern const char kCannotRefreshBackupMessage[];
extern const char kPhotoshopRunningMessage[];
extern const char kInvalidSettingsMessage[];
extern const char kNoBackupMessage[];
extern const char kBackupUnreadableMessage[];
extern const char kDeletePendingMessage[];

// More set-up messages.
extern const char kUnrepresentablePathMessage[];
extern const char kPathTooLongMessage[];

// Shown once before the program ends on an error nothing else caught.
extern const char kUnexpectedErrorMessage[];
