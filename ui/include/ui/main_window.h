#pragma once
// The program's one window: the drop area and the two switch buttons. It is the Controls the
// core works on, and it owns the run-wide Switcher, so the run state lives as long as it does.
#include <windows.h>
#include <wrl/client.h>

#include <string>

#include "core/switcher.h"
#include "platform/win32_raii.h"
#include "ui/file_drop_target.h"
#include "ui/window_dpi.h"


class MainWindow : public Controls {
public:
    MainWindow(Platform& platform, Text programDirectory);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window hidden, centred on the primary screen, with its controls in place.
    bool Create(HINSTANCE instance);
    // Shows the window; activating it puts the keyboard focus on a usable button.
    void Show();

    Switcher& App() { return app_; }
    // Null once the window is destroyed.
    HWND Handle() const { return window_; }
    HWND ControlHandle(Control control) const;

    // The UAC shield on both buttons when a switch would ask for administrator rights; decided
    // once the mode is chosen, and again after a set-up.
    void DecideShield();

    void SetVisible(Control control, bool visible) override;
    void SetEnabled(Control control, bool enabled) override;
    void RegisterDropArea() override;

    // What a drop on the drop area does: the core's set-up, then, if the window is the active
    // one, the focus on a usable button (activating the window later does the same).
    void OnFilesDropped(const std::string& droppedPaths);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK GroupBoxProc(HWND control, UINT message, WPARAM wParam,
                                         LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK ButtonProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateControls(HINSTANCE instance);
    void SetIcons(HINSTANCE instance);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    // English first, then Chinese; the window itself when neither button can take the focus.
    void FocusUsableButton();
    // Sizes, places and letters everything for dpi; the window itself is sized by the caller.
    void ApplyDpi(UINT dpi);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    HFONT ControlFont() const;
    void PaintBackground(HDC dc) const;
    void FillGroupBox(HWND control, HDC dc) const;

    Switcher app_;
    HWND window_ = nullptr;
    HWND groupBox_ = nullptr;
    HWND englishButton_ = nullptr;
    HWND chineseButton_ = nullptr;
    UniqueBrush groupBoxBrush_;
    UINT dpi_ = kDesignDpi;
    // The GUI font made for dpi_, unless the stock one is.
    UniqueFont dpiFont_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    Microsoft::WRL::ComPtr<FileDropTarget> dropTarget_;
};
