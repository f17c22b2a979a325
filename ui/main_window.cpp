#include "ui/main_window.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <string>
#include <utility>

#include "core/drop_acceptance.h"
#include "core/elevated_switch.h"
#include "core/switch_commands.h"
#include "core/program_texts.h"
#include "platform/wide_text.h"

namespace {

constexpr wchar_t kWindowClass[] = L"PsLangSwitchWindow";
constexpr int kWindowWidth = 392;
constexpr int kWindowHeight = 302;
constexpr RECT kGroupBoxBounds = {16, 24, 16 + 352, 24 + 232};
constexpr RECT kChineseBounds = {96, 72, 96 + 192, 72 + 40};
constexpr RECT kEnglishBounds = {96, 144, 96 + 192, 144 + 40};
constexpr COLORREF kDropAreaColour = RGB(255, 255, 162);

// Away from IDOK and IDCANCEL, which the dialog keys send with no control behind them.
enum ControlId : int { kGroupBoxId = 101, kEnglishId = 102, kChineseId = 103 };

constexpr DWORD kWindowStyle =
    WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_MINIMIZEBOX;
constexpr DWORD kButtonStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_MULTILINE | BS_CENTER |
                               BS_VCENTER | BS_PUSHBUTTON;
constexpr DWORD kGroupBoxStyle = WS_CHILD | WS_CLIPSIBLINGS | BS_CENTER | BS_GROUPBOX;

constexpr UINT_PTR kSubclassId = 1;

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateChild(HWND parent, HINSTANCE instance, const char* caption, DWORD style, int id,
                 RECT bounds) {
    const std::wstring text = WideFrom936(caption);
    return CreateWindowExW(0, L"BUTTON", text.c_str(), style, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void CentreOnPrimaryScreen(HWND window, UINT dpi) {
    const int width = ScaleToDpi(kWindowWidth, dpi);
    const int height = ScaleToDpi(kWindowHeight, dpi);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CanTakeFocus(HWND control) {
    return control && IsWindowVisible(control) && IsWindowEnabled(control);
}

}  // namespace

MainWindow::MainWindow(Platform& platform, Text programDirectory)
    : app_{platform, *this, std::move(programDirectory), {}} {}

MainWindow::~MainWindow() {
    if (window_) DestroyWindow(window_);
}

bool MainWindow::Create(HINSTANCE instance) {
    if (window_ || !RegisterWindowClass(instance, WindowProc)) return false;
    // WindowProc takes the handle from WM_NCCREATE on, so window_ is set before this returns.
    if (!CreateWindowExW(0, kWindowClass, L"", kWindowStyle, 0, 0, kWindowWidth, kWindowHeight,
                         nullptr, nullptr, instance, this)) {
        return false;
    }
    // Only a window knows its DPI, and the primary screen holds (0, 0); it stays hidden until
    // it has the size made for that DPI.
    dpi_ = WindowDpi(window_);
    dpiFont_ = GuiFontForDpi(dpi_);
    CentreOnPrimaryScreen(window_, dpi_);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), FALSE);
    SetIcons(instance);
    if (!CreateControls(instance)) {
        DestroyWindow(window_);
        return false;
    }
    return true;
}

void MainWindow::SetIcons(HINSTANCE instance) {
    const auto load = [instance](int size) {
        return static_cast<HICON>(
            LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, size, size, 0));
    };
    bigIcon_.Reset(load(32));
    smallIcon_.Reset(load(16));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

// Created hidden, bottom-most first; a new child lands at the bottom of the z-order, so each is
// raised on top of the one before. Shown without activation: the window itself stays hidden.
bool MainWindow::CreateControls(HINSTANCE instance) {
    groupBoxBrush_.Reset(CreateSolidBrush(kDropAreaColour));
    groupBox_ = CreateChild(window_, instance, kDropAreaCaption, kGroupBoxStyle, kGroupBoxId,
                            ScaleToDpi(kGroupBoxBounds, dpi_));
    englishButton_ = CreateChild(window_, instance, kSwitchToEnglishCaption, kButtonStyle,
                                 kEnglishId, ScaleToDpi(kEnglishBounds, dpi_));
    chineseButton_ = CreateChild(window_, instance, kSwitchToChineseCaption, kButtonStyle,
                                 kChineseId, ScaleToDpi(kChineseBounds, dpi_));
    if (!groupBoxBrush_ || !groupBox_ || !englishButton_ || !chineseButton_) return false;
    // A themed group box draws its caption in the theme's colour, whatever WM_CTLCOLORSTATIC
    // asks; unthemed it is black on the drop area's yellow. The buttons keep the theme.
    SetWindowTheme(groupBox_, L"", L"");

    const auto self = reinterpret_cast<DWORD_PTR>(this);
    SetWindowSubclass(groupBox_, GroupBoxProc, kSubclassId, self);
    SetWindowSubclass(englishButton_, ButtonProc, kSubclassId, self);
    SetWindowSubclass(chineseButton_, ButtonProc, kSubclassId, self);

    const WPARAM font = reinterpret_cast<WPARAM>(ControlFont());
    for (HWND control : {groupBox_, englishButton_, chineseButton_}) {
        SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, font, FALSE);
        ShowWindow(control, SW_SHOWNA);
    }
    return true;
}

HFONT MainWindow::ControlFont() const {
    return dpiFont_ ? dpiFont_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void MainWindow::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    UniqueFont previousFont = std::exchange(dpiFont_, GuiFontForDpi(dpi));
    const WPARAM font = reinterpret_cast<WPARAM>(ControlFont());
    SendMessageW(window_, WM_SETFONT, font, FALSE);
    const struct {
        HWND control;
        RECT bounds;
    } layout[] = {{groupBox_, kGroupBoxBounds},
                  {englishButton_, kEnglishBounds},
                  {chineseButton_, kChineseBounds}};
    for (const auto& [control, bounds] : layout) {
        const RECT rect = ScaleToDpi(bounds, dpi);
        SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, font, TRUE);
    }
    // previousFont goes only now, when no control draws with it any more.
}

// The window moved to a monitor of another DPI: Windows suggests the rectangle that keeps it
// in place at the new scale.
void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyDpi(dpi);
}

void MainWindow::Show() {
    ShowWindow(window_, SW_SHOW);
}

HWND MainWindow::ControlHandle(Control control) const {
    switch (control) {
        case Control::DropGroupBox: return groupBox_;
        case Control::SwitchToChineseButton: return chineseButton_;
        case Control::SwitchToEnglishButton: return englishButton_;
    }
    return nullptr;
}

void MainWindow::SetVisible(Control control, bool visible) {
    ShowWindow(ControlHandle(control), visible ? SW_SHOW : SW_HIDE);
}

void MainWindow::SetEnabled(Control control, bool enabled) {
    EnableWindow(ControlHandle(control), enabled ? TRUE : FALSE);
}

void MainWindow::RegisterDropArea() {
    if (dropTarget_) return;
    dropTarget_ = FileDropTarget::Create(
        [this](const std::string& droppedPaths) { OnFilesDropped(droppedPaths); });
    dropTarget_->Register(groupBox_);
    // An elevated window gets no OLE drag from a normal Explorer, but it does get the shell's
    // older WM_DROPFILES once those messages may cross from lower rights.
    DragAcceptFiles(groupBox_, TRUE);
    for (const UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA),
                               static_cast<UINT>(0x0049) /* WM_COPYGLOBALDATA */}) {
        ChangeWindowMessageFilterEx(groupBox_, message, MSGFLT_ALLOW, nullptr);
    }
}


void MainWindow::DecideShield() {
    if (!IsWindowVisible(chineseButton_)) return;
    const BOOL shield = SwitchNeedsElevation(app_.platform, app_.state.languageFilePath);
    for (HWND button : {chineseButton_, englishButton_}) {
        SendMessageW(button, BCM_SETSHIELD, 0, shield);
    }
}

// A set-up hides the drop area and shows the buttons; the focus must not stay on the window,
// where only Esc would work. An inactive window is left alone: SetFocus would activate it.
void MainWindow::OnFilesDropped(const std::string& droppedPaths) {
    const bool wasSetUp = IsWindowVisible(chineseButton_) != FALSE;
    OnFileDropped(app_, droppedPaths);
    if (wasSetUp || !IsWindowVisible(chineseButton_)) return;
    DecideShield();
    // SetFocus would activate a window the user is not looking at.
    if (window_ && GetActiveWindow() == window_) FocusUsableButton();
}

void MainWindow::FocusUsableButton() {
    if (CanTakeFocus(englishButton_)) {
        SetFocus(englishButton_);
    } else if (CanTakeFocus(chineseButton_)) {
        SetFocus(chineseButton_);
    } else {
        SetFocus(window_);
    }
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Esc, through the dialog keys of the message loop.
    if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
        DestroyWindow(window_);
        return;
    }
    if (HIWORD(wParam) != BN_CLICKED) return;
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (control == chineseButton_) {
        OnSwitchToChinese(app_);
    } else if (control == englishButton_) {
        OnSwitchToEnglish(app_);
    } else {
        return;
    }
    // The pressed button is usually disabled now, and a disabled focus leaves no key working.
    FocusUsableButton();
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    // Nothing may unwind through the system's frames: one box, then the window goes and the
    // program ends.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        self->app_.platform.ShowErrorBox(kUnexpectedErrorMessage);
        DestroyWindow(window);
        return 0;
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
                FocusUsableButton();
                return 0;
            }
            break;
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        // Esc while the window itself has the focus, the set-up mode's normal case.
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                DestroyWindow(window_);
                return 0;
            }
            break;
        // Neither button is a default button, so Enter clicks nothing.
        case DM_GETDEFID:
            return 0;
        case WM_ERASEBKGND:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (reinterpret_cast<HWND>(lParam) == groupBox_) {
                const HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(0, 0, 0));
                SetBkColor(dc, kDropAreaColour);
                return reinterpret_cast<LRESULT>(groupBoxBrush_.Get());
            }
            break;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        // Before the children go: OLE holds a reference on the group box's registration.
        case WM_DESTROY:
            if (dropTarget_) dropTarget_->Revoke();
            break;
        case WM_NCDESTROY: {
            const HWND window = window_;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            window_ = groupBox_ = englishButton_ = chineseButton_ = nullptr;
            groupBoxBrush_.Reset();
            dpiFont_.Reset();
            return DefWindowProcW(window, message, wParam, lParam);
        }
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// A themed group box has the parent paint what lies under its frame, so the parent's
// background carries the drop area's colour wherever the group box is shown.
void MainWindow::PaintBackground(HDC dc) const {
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (groupBox_ && IsWindowVisible(groupBox_)) {
        RECT box{};
        GetWindowRect(groupBox_, &box);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&box), 2);
        FillRect(dc, &box, groupBoxBrush_.Get());
    }
}

void MainWindow::FillGroupBox(HWND control, HDC dc) const {
    RECT client{};
    GetClientRect(control, &client);
    FillRect(dc, &client, groupBoxBrush_.Get());
}

// A group box draws only its frame and caption; the inside is filled here first, since with
// WS_CLIPCHILDREN the parent never paints under it.
LRESULT CALLBACK MainWindow::GroupBoxProc(HWND control, UINT message, WPARAM wParam,
                                          LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* window = reinterpret_cast<MainWindow*>(self);
    switch (message) {
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT:
            if (!wParam) {
                PAINTSTRUCT paint{};
                const HDC dc = BeginPaint(control, &paint);
                window->FillGroupBox(control, dc);
                DefSubclassProc(control, message, reinterpret_cast<WPARAM>(dc), lParam);
                EndPaint(control, &paint);
                return 0;
            }
            [[fallthrough]];
        case WM_PRINTCLIENT:
            window->FillGroupBox(control, reinterpret_cast<HDC>(wParam));
            break;
        case WM_DROPFILES: {
            const auto drop = reinterpret_cast<HDROP>(wParam);
            try {
                std::string text;
                try {
                    text = DroppedPathsText(drop);
                } catch (...) {
                    DragFinish(drop);
                    throw;
                }
                DragFinish(drop);
                window->OnFilesDropped(text);
            } catch (...) {
                window->app_.platform.ShowErrorBox(kUnexpectedErrorMessage);
                DestroyWindow(window->window_);
            }
            return 0;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, GroupBoxProc, kSubclassId);
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

// The dialog keys make a focused push button the default one, after which Enter would click it.
LRESULT CALLBACK MainWindow::ButtonProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR) {
    if (message == BM_SETSTYLE && (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_PUSHBUTTON;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, ButtonProc, kSubclassId);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}
