// The real window, run in-process against real files: a program folder and a stand-in Photoshop
// folder under the temporary directory. Error boxes are recorded instead of shown.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/state_files.h"
#include "core/program_texts.h"
#include "platform/wide_text.h"
#include "platform/win32_platform.h"
#include "temp_folder.h"
#include "ui/program.h"

namespace {

constexpr COLORREF kLightYellow = RGB(255, 255, 162);
constexpr char kLanguageFileBelowPhotoshop[] = "Locales\\zh_CN\\Support Files\\tw10428.dat";

std::string LanguageBytes() {
    static const char bytes[] = "tw10428\0\x1a\xff\x80 language data\r\n";
    return std::string(bytes, sizeof bytes - 1);
}

class RecordingPlatform : public Win32Platform {
public:
    RecordingPlatform() : Win32Platform(kErrorCaption) {}
    std::vector<std::string> errorBoxes;
    void ShowErrorBox(const std::string& message) override { errorBoxes.push_back(message); }
};

// Ends a loop that would otherwise wait forever when Esc failed to close the window.
HWND loopWindow = nullptr;
bool safetyNetUsed = false;
void CALLBACK CloseStuckWindow(HWND, UINT, UINT_PTR, DWORD) {
    safetyNetUsed = true;
    DestroyWindow(loopWindow);
}

int RunLoopWithSafetyNet(HWND window) {
    loopWindow = window;
    safetyNetUsed = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10000, CloseStuckWindow);
    const int exitCode = RunMessageLoop(window);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(safetyNetUsed) << "the window did not close";
    return exitCode;
}

void PostKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

enum class StartState { NotSetUp, ChineseInstalled, SwitchedToEnglish };

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = temp_.Path();
        ASSERT_FALSE(folder_.empty());
        std::string folder = folder_;
        for (const char* part : {"\\PS", "\\Locales", "\\zh_CN", "\\Support Files"}) {
            folder += part;
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        }
        ASSERT_TRUE(platform_.WriteWholeFile(PhotoshopFolder() + "\\Photoshop.exe", "MZ"));
    }

    void TearDown() override {
        window_.reset();
        PumpMessages();
    }

    std::string PhotoshopFolder() const { return folder_ + "\\PS"; }
    std::string LanguageFile() const {
        return PhotoshopFolder() + "\\" + kLanguageFileBelowPhotoshop;
    }
    std::string BackupFile() const { return BackupFileName(folder_); }

    // The files as a set-up leaves them, then as switching to English leaves them if asked.
    void Prepare(StartState state, const std::string& backupBytes = LanguageBytes()) {
        if (state != StartState::SwitchedToEnglish) {
            ASSERT_TRUE(platform_.WriteWholeFile(LanguageFile(), LanguageBytes()));
        }
        if (state == StartState::NotSetUp) return;
        ASSERT_TRUE(platform_.WriteWholeFile(PathFileName(folder_), LanguageFile()));
        ASSERT_TRUE(platform_.WriteWholeFile(BackupFile(), backupBytes));
    }

    void Open() {
        window_ = std::make_unique<MainWindow>(platform_, folder_);
        ASSERT_TRUE(OpenMainWindow(*window_, GetModuleHandleW(nullptr)));
        PumpMessages();
    }

    // Handles what is queued as the program's loop would, paint messages included.
    void PumpMessages() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchProgramMessage(window_ ? window_->Handle() : nullptr, message);
        }
    }

    HWND Window() const { return window_->Handle(); }
    HWND Handle(Control control) const { return window_->ControlHandle(control); }

    std::optional<std::string> FileBytes(const std::string& path) {
        std::string bytes;
        if (!platform_.FileExists(path) || !platform_.ReadWholeFile(path, bytes)) {
            return std::nullopt;
        }
        return bytes;
    }

    RecordingPlatform platform_;
    TempFolder temp_;
    std::string folder_;
    std::unique_ptr<MainWindow> window_;
};

RECT ClientRectOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return SIZE{};
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

const char* Name(Control control) {
    switch (control) {
        case Control::DropGroupBox: return "group box";
        case Control::SwitchToChineseButton: return "Chinese button";
        case Control::SwitchToEnglishButton: return "English button";
    }
    return "?";
}

}  // namespace

TEST_F(MainWindowTest, SitsCentredOnThePrimaryScreenWithItsControlsInPlace) {
    Open();
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 392) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - 302) / 2;
    RECT outer{};
    GetWindowRect(Window(), &outer);
    EXPECT_EQ(outer.left, left);
    EXPECT_EQ(outer.top, top);
    EXPECT_EQ(outer.right - outer.left, 392);
    EXPECT_EQ(outer.bottom - outer.top, 302);

    const struct {
        Control control;
        RECT rect;
    } expected[] = {
        {Control::SwitchToChineseButton, {96, 72, 96 + 192, 72 + 40}},
        {Control::SwitchToEnglishButton, {96, 144, 96 + 192, 144 + 40}},
        {Control::DropGroupBox, {16, 24, 16 + 352, 24 + 232}},
    };
    for (const auto& row : expected) {
        SCOPED_TRACE(Name(row.control));
        const RECT rect = ClientRectOf(Handle(row.control));
        EXPECT_EQ(rect.left, row.rect.left);
        EXPECT_EQ(rect.top, row.rect.top);
        EXPECT_EQ(rect.right, row.rect.right);
        EXPECT_EQ(rect.bottom, row.rect.bottom);
    }
}

TEST_F(MainWindowTest, StylesAreExactlyTheRequestedOnes) {
    Open();
    // Windows adds WS_CLIPSIBLINGS to every top-level window and WS_EX_WINDOWEDGE to any with
    // a dialog frame; the window asks for neither.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(Window(), GWL_STYLE)),
              static_cast<DWORD>(WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION |
                                 WS_SYSMENU | WS_DLGFRAME | WS_MINIMIZEBOX));
    EXPECT_EQ(GetWindowLongW(Window(), GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);

    const DWORD button = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_MULTILINE | BS_CENTER |
                         BS_VCENTER | BS_PUSHBUTTON;
    const struct {
        Control control;
        DWORD style;
        LONG exStyle;
    } expected[] = {
        {Control::SwitchToChineseButton, button, 0},
        {Control::SwitchToEnglishButton, button, 0},
        // Shell drops also arrive as WM_DROPFILES, for when OLE can't reach an elevated window.
        {Control::DropGroupBox, WS_CHILD | WS_CLIPSIBLINGS | BS_CENTER | BS_GROUPBOX,
         WS_EX_ACCEPTFILES},
    };
    for (const auto& row : expected) {
        SCOPED_TRACE(Name(row.control));
        const DWORD style = static_cast<DWORD>(GetWindowLongW(Handle(row.control), GWL_STYLE));
        EXPECT_EQ(style & ~WS_VISIBLE, row.style);
        EXPECT_EQ(GetWindowLongW(Handle(row.control), GWL_EXSTYLE), row.exStyle);
        wchar_t className[32] = {};
        GetClassNameW(Handle(row.control), className, 32);
        EXPECT_EQ(CompareStringOrdinal(className, -1, L"Button", -1, TRUE), CSTR_EQUAL);
    }
}

// The expected texts name code page 936 outright rather than going through WideFrom936, which
// the window uses: the second run under another code page shows that neither depends on it.
TEST_F(MainWindowTest, CaptionsAreTheChineseTextsWhateverTheAnsiCodePage) {
    Open();
    EXPECT_EQ(TextOf(Window()), L"");
    EXPECT_EQ(TextOf(Handle(Control::SwitchToChineseButton)),
              WideFromCodePage(936, kSwitchToChineseCaption));
    EXPECT_EQ(TextOf(Handle(Control::SwitchToEnglishButton)),
              WideFromCodePage(936, kSwitchToEnglishCaption));
    EXPECT_EQ(TextOf(Handle(Control::DropGroupBox)), WideFromCodePage(936, kDropAreaCaption));
    EXPECT_EQ(TextOf(Handle(Control::SwitchToEnglishButton)),
              L"\u5207\u6362\u5230\u82f1\u6587\u7248");  // "switch to English"
}

TEST_F(MainWindowTest, ControlsAreSiblingsFromTheChineseButtonDownToTheGroupBox) {
    Open();
    const HWND first = GetWindow(Window(), GW_CHILD);
    EXPECT_EQ(first, Handle(Control::SwitchToChineseButton));
    const HWND second = GetWindow(first, GW_HWNDNEXT);
    EXPECT_EQ(second, Handle(Control::SwitchToEnglishButton));
    const HWND third = GetWindow(second, GW_HWNDNEXT);
    EXPECT_EQ(third, Handle(Control::DropGroupBox));
    EXPECT_EQ(GetWindow(third, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetParent(third), Window());

    EXPECT_EQ(GetWindow(Window(), GW_OWNER), nullptr);
    EXPECT_EQ(GetMenu(Window()), nullptr);
}

TEST_F(MainWindowTest, UsesTheGuiFontTheButtonFaceAndItsOwnIcon) {
    Open();
    const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    for (Control control : {Control::SwitchToChineseButton, Control::SwitchToEnglishButton,
                            Control::DropGroupBox}) {
        SCOPED_TRACE(Name(control));
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(Handle(control), WM_GETFONT, 0, 0)),
                  font);
    }
    EXPECT_EQ(GetClassLongPtrW(Window(), GCLP_HBRBACKGROUND),
              static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));

    const SIZE big = IconSize(
        reinterpret_cast<HICON>(SendMessageW(Window(), WM_GETICON, ICON_BIG, 0)));
    const SIZE small = IconSize(
        reinterpret_cast<HICON>(SendMessageW(Window(), WM_GETICON, ICON_SMALL, 0)));
    EXPECT_EQ(big.cx, 32);
    EXPECT_EQ(big.cy, 32);
    EXPECT_EQ(small.cx, 16);
    EXPECT_EQ(small.cy, 16);
}

// --- Start-up modes: the controls, the focus, Esc and the drop area's colour -------------------

namespace {

struct ModeCase {
    const char* name;
    StartState state;
    bool groupBoxVisible;
    bool buttonsVisible;
    bool chineseEnabled;
    bool englishEnabled;
    std::optional<Control> focus;  // none: the window itself
    COLORREF colourInsideDropArea;  // at client 40,120, off the buttons
};

const ModeCase kModeCases[] = {
    {"NotSetUp", StartState::NotSetUp, true, false, true, true, std::nullopt, kLightYellow},
    {"ChineseInstalled", StartState::ChineseInstalled, false, true, false, true,
     Control::SwitchToEnglishButton, CLR_INVALID},
    {"SwitchedToEnglish", StartState::SwitchedToEnglish, false, true, true, false,
     Control::SwitchToChineseButton, CLR_INVALID},
};

void PrintTo(const ModeCase& c, std::ostream* out) { *out << c.name; }

}  // namespace

class MainWindowModes : public MainWindowTest, public testing::WithParamInterface<ModeCase> {};

INSTANTIATE_TEST_SUITE_P(Start, MainWindowModes, testing::ValuesIn(kModeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(MainWindowModes, ShowsTheModesControlsAndFocusesTheUsefulButton) {
    const ModeCase& c = GetParam();
    Prepare(c.state);
    Open();
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(IsWindowVisible(Handle(Control::DropGroupBox)) != FALSE, c.groupBoxVisible);
    EXPECT_EQ(IsWindowVisible(Handle(Control::SwitchToChineseButton)) != FALSE, c.buttonsVisible);
    EXPECT_EQ(IsWindowVisible(Handle(Control::SwitchToEnglishButton)) != FALSE, c.buttonsVisible);
    EXPECT_EQ(IsWindowEnabled(Handle(Control::SwitchToChineseButton)) != FALSE, c.chineseEnabled);
    EXPECT_EQ(IsWindowEnabled(Handle(Control::SwitchToEnglishButton)) != FALSE, c.englishEnabled);
    EXPECT_EQ(GetFocus(), c.focus ? Handle(*c.focus) : Window());
    EXPECT_TRUE(platform_.errorBoxes.empty());
}

TEST_P(MainWindowModes, EscClosesTheWindowAndEndsTheLoopWithExitCodeZero) {
    Prepare(GetParam().state);
    Open();
    const HWND window = Window();
    PostKey(GetFocus() ? GetFocus() : window, VK_ESCAPE);
    EXPECT_EQ(RunLoopWithSafetyNet(window), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(window_->Handle(), nullptr);
}

TEST_P(MainWindowModes, DropAreaIsLightYellowOnlyWhileShown) {
    const ModeCase& c = GetParam();
    Prepare(c.state);
    Open();
    const COLORREF expected =
        c.colourInsideDropArea == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : c.colourInsideDropArea;
    // A DC that does not leave out the children, to read what the screen shows.
    const HDC dc = GetDCEx(Window(), nullptr, DCX_CACHE);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 40, 120), expected);    // the middle of the inside
    EXPECT_EQ(GetPixel(dc, 19, 250), expected);    // between the frame and the inside
    EXPECT_EQ(GetPixel(dc, 340, 26), expected);    // beside the caption, above the frame line
    EXPECT_EQ(GetPixel(dc, 8, 120), GetSysColor(COLOR_BTNFACE));  // left of the drop area
    ReleaseDC(Window(), dc);
}

TEST_F(MainWindowTest, AQuitMessageEndsTheLoopWithTheExitCodeItCarries) {
    Open();
    const HWND window = Window();
    PostQuitMessage(7);
    EXPECT_EQ(RunLoopWithSafetyNet(window), 7);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(MainWindowTest, EscSentStraightToTheWindowClosesIt) {
    Open();
    const HWND window = Window();
    SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(IsWindow(window));
}

// --- Keyboard between the buttons --------------------------------------------------------------

TEST_F(MainWindowTest, TabAndShiftTabMoveBetweenTheEnabledButtons) {
    Prepare(StartState::ChineseInstalled);
    Open();
    const HWND chinese = Handle(Control::SwitchToChineseButton);
    const HWND english = Handle(Control::SwitchToEnglishButton);
    ASSERT_EQ(GetFocus(), english);

    PostKey(english, VK_TAB);  // the only enabled button keeps the focus
    PumpMessages();
    EXPECT_EQ(GetFocus(), english);

    window_->SetEnabled(Control::SwitchToChineseButton, true);
    PostKey(english, VK_TAB);
    PumpMessages();
    EXPECT_EQ(GetFocus(), chinese);
    PostKey(chinese, VK_TAB);
    PumpMessages();
    EXPECT_EQ(GetFocus(), english);

    BYTE keys[256] = {};
    ASSERT_TRUE(GetKeyboardState(keys));
    BYTE shifted[256];
    std::copy(std::begin(keys), std::end(keys), std::begin(shifted));
    shifted[VK_SHIFT] = 0x80;
    SetKeyboardState(shifted);
    PostKey(english, VK_TAB);
    PumpMessages();
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), chinese);
}

TEST_F(MainWindowTest, EnterClicksNeitherButtonEvenAfterTabbing) {
    Prepare(StartState::ChineseInstalled);
    Open();
    window_->SetEnabled(Control::SwitchToChineseButton, true);
    const HWND chinese = Handle(Control::SwitchToChineseButton);
    const HWND english = Handle(Control::SwitchToEnglishButton);

    for (HWND focused : {english, chinese, english}) {
        ASSERT_EQ(GetFocus(), focused);
        PostKey(focused, VK_RETURN);
        PostMessageW(focused, WM_CHAR, L'\r', 1);
        PumpMessages();
        PostKey(focused, VK_TAB);
        PumpMessages();
    }

    for (HWND button : {chinese, english}) {
        EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
        EXPECT_TRUE(IsWindowEnabled(button));
    }
    EXPECT_NE(HIWORD(SendMessageW(Window(), DM_GETDEFID, 0, 0)), DC_HASDEFID);
    EXPECT_EQ(FileBytes(LanguageFile()), LanguageBytes());
    EXPECT_TRUE(platform_.errorBoxes.empty());
}

// --- The drop area ------------------------------------------------------------------------------

TEST_F(MainWindowTest, DropAreaIsTheGroupBoxRegisteredOnce) {
    Open();
    window_->RegisterDropArea();  // a second request changes nothing
    const auto other = FileDropTarget::Create([](const std::string&) {});
    EXPECT_EQ(RegisterDragDrop(Handle(Control::DropGroupBox), other.Get()),
              DRAGDROP_E_ALREADYREGISTERED);
    ASSERT_EQ(RegisterDragDrop(Window(), other.Get()), S_OK);
    RevokeDragDrop(Window());
}

// Set up in the same run, both buttons are enabled: the English one comes first, right after
// the drop and again whenever the window is activated.
TEST_F(MainWindowTest, SetUpInTheSameRunPutsTheFocusOnTheEnglishButton) {
    Prepare(StartState::NotSetUp);
    Open();
    ASSERT_EQ(GetFocus(), Window());

    window_->OnFilesDropped(PhotoshopFolder() + "\\Photoshop.exe");
    PumpMessages();

    EXPECT_TRUE(platform_.errorBoxes.empty());
    EXPECT_EQ(FileBytes(BackupFile()), LanguageBytes());
    const HWND chinese = Handle(Control::SwitchToChineseButton);
    const HWND english = Handle(Control::SwitchToEnglishButton);
    EXPECT_FALSE(IsWindowVisible(Handle(Control::DropGroupBox)));
    for (HWND button : {chinese, english}) {
        EXPECT_TRUE(IsWindowVisible(button));
        EXPECT_TRUE(IsWindowEnabled(button));
    }
    EXPECT_EQ(GetFocus(), english);

    // Left on the Chinese button, the focus still goes to the English one on reactivation.
    SetFocus(chinese);
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                                       50, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetActiveWindow(other);
    PumpMessages();
    ASSERT_NE(GetActiveWindow(), Window());
    SetActiveWindow(Window());
    PumpMessages();
    DestroyWindow(other);
    EXPECT_EQ(GetFocus(), english);
}

// --- Clicking the buttons against real files ----------------------------------------------------

namespace {

enum class Obstacle { None, LanguageFileLocked, LanguageFileReadOnly, BackupGone };

struct ClickCase {
    const char* name;
    StartState state;
    std::string backupBytes;
    Obstacle obstacle;
    Control clicked;
    std::size_t errorBoxes;
    std::optional<std::string> languageFileAfter;
    std::optional<std::string> backupAfter;
    Control enabledAfter;  // the only enabled button, which has the focus
};

const ClickCase kClickCases[] = {
    {"EnglishDeletesTheLanguageFile", StartState::ChineseInstalled, LanguageBytes(),
     Obstacle::None, Control::SwitchToEnglishButton, 0, std::nullopt, LanguageBytes(),
     Control::SwitchToChineseButton},
    {"ChineseRestoresItByteForByte", StartState::SwitchedToEnglish, LanguageBytes(),
     Obstacle::None, Control::SwitchToChineseButton, 0, LanguageBytes(), LanguageBytes(),
     Control::SwitchToEnglishButton},
    {"EnglishRefreshesAStaleBackupFirst", StartState::ChineseInstalled, "an older language file",
     Obstacle::None, Control::SwitchToEnglishButton, 0, std::nullopt, LanguageBytes(),
     Control::SwitchToChineseButton},
    {"EnglishKeepsALockedLanguageFile", StartState::ChineseInstalled, LanguageBytes(),
     Obstacle::LanguageFileLocked, Control::SwitchToEnglishButton, 1, LanguageBytes(),
     LanguageBytes(), Control::SwitchToEnglishButton},
    {"EnglishKeepsAReadOnlyLanguageFile", StartState::ChineseInstalled, LanguageBytes(),
     Obstacle::LanguageFileReadOnly, Control::SwitchToEnglishButton, 1, LanguageBytes(),
     LanguageBytes(), Control::SwitchToEnglishButton},
    {"ChineseWithoutABackupCreatesNothing", StartState::SwitchedToEnglish, LanguageBytes(),
     Obstacle::BackupGone, Control::SwitchToChineseButton, 1, std::nullopt, std::nullopt,
     Control::SwitchToChineseButton},
};

void PrintTo(const ClickCase& c, std::ostream* out) { *out << c.name; }

}  // namespace

class MainWindowClicks : public MainWindowTest, public testing::WithParamInterface<ClickCase> {};

INSTANTIATE_TEST_SUITE_P(Switch, MainWindowClicks, testing::ValuesIn(kClickCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(MainWindowClicks, ChangesTheFilesAndOffersTheOtherSwitch) {
    const ClickCase& c = GetParam();
    Prepare(c.state, c.backupBytes);
    Open();

    FileHandle lock;
    switch (c.obstacle) {
        case Obstacle::None: break;
        case Obstacle::LanguageFileLocked:
            lock = FileHandle(CreateFileA(LanguageFile().c_str(), GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(lock.Valid());
            break;
        case Obstacle::LanguageFileReadOnly:
            ASSERT_TRUE(SetFileAttributesA(LanguageFile().c_str(), FILE_ATTRIBUTE_READONLY));
            break;
        case Obstacle::BackupGone: ASSERT_TRUE(DeleteFileA(BackupFile().c_str())); break;
    }

    SendMessageW(Handle(c.clicked), BM_CLICK, 0, 0);
    PumpMessages();
    lock.Close();
    SetFileAttributesA(LanguageFile().c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(platform_.errorBoxes.size(), c.errorBoxes);
    EXPECT_EQ(FileBytes(LanguageFile()), c.languageFileAfter);
    EXPECT_EQ(FileBytes(BackupFile()), c.backupAfter);
    const HWND enabled = Handle(c.enabledAfter);
    const HWND disabled = Handle(c.enabledAfter == Control::SwitchToChineseButton
                                     ? Control::SwitchToEnglishButton
                                     : Control::SwitchToChineseButton);
    EXPECT_TRUE(IsWindowEnabled(enabled));
    EXPECT_FALSE(IsWindowEnabled(disabled));
    EXPECT_EQ(GetFocus(), enabled);
}

// --- Resources bound into the executable --------------------------------------------------------

TEST(ProgramResources, VersionNamesTheProgramInChineseForZhCn) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, info.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<WORD*>(value)[0], 0x0804);
    EXPECT_EQ(static_cast<WORD*>(value)[1], 1200);

    const auto text = [&](const wchar_t* name) {
        const std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
        void* found = nullptr;
        UINT characters = 0;
        if (!VerQueryValueW(info.data(), key.c_str(), &found, &characters)) return std::wstring();
        return std::wstring(static_cast<const wchar_t*>(found));
    };
    // "Photoshop 中英文切换", spelled out so the check does not depend on the source's encoding.
    EXPECT_EQ(text(L"FileDescription"), L"Photoshop \u4e2d\u82f1\u6587\u5207\u6362");
    EXPECT_EQ(text(L"ProductName"), L"PsLangSwitch");
    EXPECT_EQ(text(L"FileVersion"), L"1.0.0.0");

    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
}

TEST(ProgramResources, ManifestAsksForCommonControls6AndTheInvokersRights) {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    const std::string manifest(bytes, SizeofResource(nullptr, found));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
              std::string::npos);
}

// --- A running Photoshop, and drops that arrive as WM_DROPFILES ---------------------------------

namespace {

std::string BesideTests(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

// A copy of the waiting program started as `exe`; ended when the test is done with it.
class RunningProgram {
public:
    explicit RunningProgram(const std::string& exe) {
        if (!CopyFileA(BesideTests("waiter.exe").c_str(), exe.c_str(), FALSE)) return;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::string commandLine = "\"" + exe + "\"";
        if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info)) {
            process_ = ProcessHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
    ~RunningProgram() {
        if (!process_.Valid()) return;
        TerminateProcess(process_.Get(), 0);
        WaitForSingleObject(process_.Get(), 5000);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    bool Started() const { return process_.Valid(); }

private:
    ProcessHandle process_;
};

// The shell's drop data for WM_DROPFILES, wide paths as Explorer sends them.
HGLOBAL WideDropFiles(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    const std::size_t bytes = list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), bytes);
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

// Photoshop reads its language file at start-up and may hold it: neither switch may run under
// the Photoshop of this set-up, while one of another install is no obstacle.
TEST_F(MainWindowTest, NeitherSwitchRunsUnderThisInstallsRunningPhotoshop) {
    Prepare(StartState::ChineseInstalled);
    const std::string exe = PhotoshopFolder() + "\\Photoshop.exe";
    {
        const RunningProgram photoshop(exe);
        ASSERT_TRUE(photoshop.Started());
        Open();
        window_->SetEnabled(Control::SwitchToChineseButton, true);
        for (Control button : {Control::SwitchToEnglishButton, Control::SwitchToChineseButton}) {
            SCOPED_TRACE(Name(button));
            platform_.errorBoxes.clear();
            SendMessageW(Handle(button), BM_CLICK, 0, 0);
            PumpMessages();
            EXPECT_EQ(platform_.errorBoxes, std::vector<std::string>{kPhotoshopRunningMessage});
            EXPECT_EQ(FileBytes(LanguageFile()), LanguageBytes());
            EXPECT_EQ(FileBytes(BackupFile()), LanguageBytes());
            EXPECT_TRUE(IsWindowEnabled(Handle(Control::SwitchToEnglishButton)));
        }
    }
    ASSERT_TRUE(CreateDirectoryA((folder_ + "\\Other").c_str(), nullptr));
    const RunningProgram other(folder_ + "\\Other\\Photoshop.exe");
    ASSERT_TRUE(other.Started());
    platform_.errorBoxes.clear();
    SendMessageW(Handle(Control::SwitchToEnglishButton), BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_TRUE(platform_.errorBoxes.empty());
    EXPECT_EQ(FileBytes(LanguageFile()), std::nullopt);
}

// What an elevated window gets from Explorer: the same text reaches the set-up as an OLE drop.
TEST_F(MainWindowTest, ShellDropsByWmDropFilesSetUpLikeOleDrops) {
    Prepare(StartState::NotSetUp);
    Open();
    const std::wstring exe = WideFromCodePage(CP_ACP, PhotoshopFolder() + "\\Photoshop.exe");

    PostMessageW(Handle(Control::DropGroupBox), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(WideDropFiles({exe, exe})), 0);
    PumpMessages();
    EXPECT_EQ(platform_.errorBoxes, std::vector<std::string>{kNotPhotoshopMessage});  // several
    EXPECT_FALSE(platform_.FileExists(PathFileName(folder_)));

    PostMessageW(Handle(Control::DropGroupBox), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(WideDropFiles({exe})), 0);
    PumpMessages();
    EXPECT_EQ(platform_.errorBoxes.size(), 1u);
    EXPECT_EQ(FileBytes(PathFileName(folder_)), LanguageFile());
    EXPECT_EQ(FileBytes(BackupFile()), LanguageBytes());
    EXPECT_FALSE(IsWindowVisible(Handle(Control::DropGroupBox)));
    EXPECT_EQ(GetFocus(), Handle(Control::SwitchToEnglishButton));
}
