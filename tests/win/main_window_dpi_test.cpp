// The window at other DPIs than 96: its size, its controls, its font, and the move to a monitor
// of another DPI. The MainWindowAt144Dpi cases need a display of 144 DPI; the ctest test
// win_tests_144dpi runs them in a Wine prefix set up so (tests/win/run_at_dpi.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/win32_platform.h"
#include "temp_folder.h"
#include "ui/main_window.h"
#include "ui/program.h"
#include "core/program_texts.h"
#include "ui/window_dpi.h"

namespace {

constexpr COLORREF kLightYellow = RGB(255, 255, 162);

class QuietPlatform : public Win32Platform {
public:
    QuietPlatform() : Win32Platform(kErrorCaption) {}
    void ShowErrorBox(const std::string&) override {}
};

struct Layout {
    SIZE outer;
    RECT chinese, english, groupBox;
};

// Written out rather than computed, so a wrong rounding or a forgotten control shows.
const Layout kLayoutAt96 = {
    {392, 302}, {96, 72, 288, 112}, {96, 144, 288, 184}, {16, 24, 368, 256}};
const Layout kLayoutAt144 = {
    {588, 453}, {144, 108, 432, 168}, {144, 216, 432, 276}, {24, 36, 552, 384}};
const Layout kLayoutAt192 = {
    {784, 604}, {192, 144, 576, 224}, {192, 288, 576, 368}, {32, 48, 736, 512}};

const Layout& LayoutAt(UINT dpi) {
    return dpi == 144 ? kLayoutAt144 : dpi == 192 ? kLayoutAt192 : kLayoutAt96;
}

RECT RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

HFONT FontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}

LONG HeightOf(HFONT font) {
    LOGFONTW description{};
    if (!GetObjectW(font, sizeof description, &description)) return 0;
    return description.lfHeight;
}

HFONT StockGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

class MainWindowDpiTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(temp_.Path().empty()); }
    void TearDown() override {
        window_.reset();
        PumpMessages();
    }

    // In set-up mode (an empty program folder) the group box shows; the buttons are laid out
    // all the same.
    void Open() {
        window_ = std::make_unique<MainWindow>(platform_, temp_.Path());
        ASSERT_TRUE(OpenMainWindow(*window_, GetModuleHandleW(nullptr)));
        PumpMessages();
    }

    void PumpMessages() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchProgramMessage(window_ ? window_->Handle() : nullptr, message);
        }
    }

    // What Windows sends when the window lands on a monitor of another DPI.
    void MoveToMonitorOf(UINT dpi, RECT suggested) {
        SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        PumpMessages();
    }

    HWND Window() const { return window_->Handle(); }
    HWND Handle(Control control) const { return window_->ControlHandle(control); }

    void ExpectControlsAt(const Layout& layout) {
        ExpectRect(RectInParent(Handle(Control::SwitchToChineseButton)), layout.chinese,
                   "Chinese button");
        ExpectRect(RectInParent(Handle(Control::SwitchToEnglishButton)), layout.english,
                   "English button");
        ExpectRect(RectInParent(Handle(Control::DropGroupBox)), layout.groupBox, "group box");
    }

    // One font for all three controls, which is returned.
    HFONT ExpectOneFont() {
        const HFONT font = FontOf(Handle(Control::SwitchToChineseButton));
        EXPECT_NE(font, nullptr);
        EXPECT_EQ(FontOf(Handle(Control::SwitchToEnglishButton)), font);
        EXPECT_EQ(FontOf(Handle(Control::DropGroupBox)), font);
        return font;
    }

    // Each caption, in its control's font, fits inside the control: the fault of a window
    // whose sizes stayed at 96 DPI while its font grew.
    void ExpectCaptionsFit() {
        for (Control control : {Control::SwitchToChineseButton, Control::SwitchToEnglishButton,
                                Control::DropGroupBox}) {
            const HWND handle = Handle(control);
            wchar_t caption[64] = {};
            const int length = GetWindowTextW(handle, caption, 64);
            ASSERT_GT(length, 0);
            const HDC dc = GetDC(handle);
            const HGDIOBJ old = SelectObject(dc, FontOf(handle));
            SIZE text{};
            GetTextExtentPoint32W(dc, caption, length, &text);
            SelectObject(dc, old);
            ReleaseDC(handle, dc);
            RECT client{};
            GetClientRect(handle, &client);
            EXPECT_LT(text.cx, client.right * 3 / 4) << "caption " << static_cast<int>(control);
            EXPECT_LT(text.cy, client.bottom / 2) << "caption " << static_cast<int>(control);
        }
    }

    QuietPlatform platform_;
    TempFolder temp_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace

// --- A move to a monitor of another DPI, whatever the display's own ------------------------------

struct DpiMove {
    const char* name;
    UINT from, to;
};

class MainWindowDpiChange : public MainWindowDpiTest,
                            public testing::WithParamInterface<DpiMove> {};

INSTANTIATE_TEST_SUITE_P(Between, MainWindowDpiChange,
                         testing::Values(DpiMove{"Dpi96And144", 96, 144},
                                         DpiMove{"Dpi144And96", 144, 96},
                                         DpiMove{"Dpi96And192", 96, 192}),
                         [](const auto& info) { return std::string(info.param.name); });

// From the display's DPI to `from` first, unless it is that already: each step is a move.
TEST_P(MainWindowDpiChange, TakesTheSuggestedRectangleAndRescalesControlsAndFont) {
    const DpiMove& move = GetParam();
    Open();
    const auto moveTo = [this](UINT dpi, LONG left, LONG top) {
        const Layout& layout = LayoutAt(dpi);
        const RECT suggested = {left, top, left + layout.outer.cx, top + layout.outer.cy};
        MoveToMonitorOf(dpi, suggested);
        RECT outer{};
        GetWindowRect(Window(), &outer);
        ExpectRect(outer, suggested, "window");
        ExpectControlsAt(layout);
        const HFONT font = ExpectOneFont();
        // The stock font where it is made for this DPI, else one made for it.
        EXPECT_EQ(font == StockGuiFont(), dpi == StockObjectDpi()) << dpi << " DPI";
        ExpectCaptionsFit();
        return font;
    };
    if (WindowDpi(Window()) != move.from) moveTo(move.from, 0, 0);
    const HFONT fromFont = ExpectOneFont();
    const LONG fromHeight = HeightOf(fromFont);
    ASSERT_NE(fromHeight, 0);

    const HFONT toFont = moveTo(move.to, 50, 40);
    EXPECT_EQ(HeightOf(toFont), MulDiv(fromHeight, static_cast<int>(move.to),
                                       static_cast<int>(move.from)));

    // Back: the font of before, or one just like it, and the other one freed.
    moveTo(move.from, 0, 0);
    EXPECT_EQ(HeightOf(ExpectOneFont()), fromHeight);
    if (toFont != StockGuiFont()) {
        EXPECT_EQ(GetObjectType(toFont), 0u) << "the font made for " << move.to << " DPI was kept";
    }
}

TEST_F(MainWindowDpiTest, FontMadeForAnotherDpiGoesWithTheWindow) {
    Open();
    const UINT dpi = WindowDpi(Window()) == 192 ? 144 : 192;
    MoveToMonitorOf(dpi, {0, 0, LayoutAt(dpi).outer.cx, LayoutAt(dpi).outer.cy});
    const HFONT font = ExpectOneFont();
    ASSERT_NE(font, StockGuiFont());
    ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    DestroyWindow(Window());
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(GetObjectType(StockGuiFont()), static_cast<DWORD>(OBJ_FONT));
}

// --- The drop area's caption ---------------------------------------------------------------------

// The caption is black on the yellow, and nothing else is drawn there: a caption in a theme's
// colour (blue on Windows 7) or a fill painted over it shows. Wine themes nothing by default,
// so here this holds the look rather than the group box's opting out of visual styles.
TEST_F(MainWindowDpiTest, DropAreaCaptionIsBlackOnYellow) {
    Open();
    const HWND box = Handle(Control::DropGroupBox);
    ASSERT_TRUE(IsWindowVisible(box));
    wchar_t caption[64] = {};
    const int length = GetWindowTextW(box, caption, 64);
    const HDC boxDc = GetDC(box);
    const HGDIOBJ old = SelectObject(boxDc, FontOf(box));
    SIZE text{};
    GetTextExtentPoint32W(boxDc, caption, length, &text);
    SelectObject(boxDc, old);
    ReleaseDC(box, boxDc);
    RECT client{};
    GetClientRect(box, &client);
    // The caption is centred on the top edge.
    const int left = (client.right - text.cx) / 2;

    const HDC dc = GetDCEx(box, nullptr, DCX_CACHE);
    ASSERT_NE(dc, nullptr);
    int black = 0, yellow = 0, other = 0;
    for (int y = 0; y < text.cy; ++y) {
        for (int x = left; x < left + text.cx; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            if (pixel == RGB(0, 0, 0)) {
                ++black;
            } else if (pixel == kLightYellow) {
                ++yellow;
            } else if (GetRValue(pixel) != GetGValue(pixel) || GetBValue(pixel) > GetRValue(pixel)) {
                ++other;  // neither black, yellow, nor a blend of the two
            }
        }
    }
    ReleaseDC(box, dc);
    EXPECT_GT(black, 20);
    EXPECT_GT(yellow, black);
    EXPECT_EQ(other, 0);
}

// --- At 144 DPI ----------------------------------------------------------------------------------

class MainWindowAt144Dpi : public MainWindowDpiTest {
protected:
    void SetUp() override {
        MainWindowDpiTest::SetUp();
        Open();
        if (WindowDpi(Window()) != 144) GTEST_SKIP() << "the display is not at 144 DPI";
    }
};

TEST_F(MainWindowAt144Dpi, IsCentredAtOneAndAHalfTimesTheSizeWithItsControlsScaled) {
    RECT outer{};
    GetWindowRect(Window(), &outer);
    EXPECT_EQ(outer.right - outer.left, 588);
    EXPECT_EQ(outer.bottom - outer.top, 453);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 588) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 453) / 2);
    ExpectControlsAt(kLayoutAt144);
    ExpectCaptionsFit();
}

// The stock font is made for the system's DPI, which under Wine is the display's: then it is
// the right one. Its height is half again that of the font at 96 DPI.
TEST_F(MainWindowAt144Dpi, LettersWithAFontOneAndAHalfTimesTheOneAt96Dpi) {
    const HFONT font = ExpectOneFont();
    EXPECT_EQ(font == StockGuiFont(), StockObjectDpi() == 144);
    const LONG height = HeightOf(font);
    MoveToMonitorOf(96, {0, 0, 392, 302});
    ExpectControlsAt(kLayoutAt96);
    const LONG heightAt96 = HeightOf(ExpectOneFont());
    ASSERT_NE(heightAt96, 0);
    EXPECT_EQ(height, MulDiv(heightAt96, 3, 2));
    ExpectCaptionsFit();
}

// --- The manifest, as the loader reads it ---------------------------------------------------------

namespace {

std::wstring WindowsSetting(const wchar_t* settingsNamespace, const wchar_t* name) {
    wchar_t value[64] = {};
    SIZE_T written = 0;
    // The process's default activation context: the one made from the executable's manifest.
    if (!QueryActCtxSettingsW(0, nullptr, settingsNamespace, name, value, 64, &written)) {
        return L"<missing>";
    }
    return value;
}

}  // namespace

TEST(ProgramResources, ManifestAsksForPerMonitorV2DpiAwarenessAndSystemAwareBeforeIt) {
    EXPECT_EQ(WindowsSetting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                             L"dpiAwareness"),
              L"PerMonitorV2");
    EXPECT_EQ(WindowsSetting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                             L"dpiAware"),
              L"true");
}
