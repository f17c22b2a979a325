#include "ui/window_dpi.h"

namespace {

// The address of a user32 function Windows 7 lacks, or null.
template <typename Function>
Function NewerUser32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return nullptr;
    // Through void*, since a FARPROC has the wrong signature for every function it names.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

UINT ScreenDpi(int axis) {
    const HDC screen = GetDC(nullptr);
    if (!screen) return kDesignDpi;
    const int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

}  // namespace

UINT WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        NewerUser32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    return ScreenDpi(LOGPIXELSX);
}

UINT StockObjectDpi() {
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    static const auto getDpiForSystem =
        NewerUser32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    if (getDpiForSystem) {
        if (const UINT dpi = getDpiForSystem()) return dpi;
    }
    return ScreenDpi(LOGPIXELSY);
}

int ScaleToDpi(int pixelsAtDesignDpi, UINT dpi) {
    return MulDiv(pixelsAtDesignDpi, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

RECT ScaleToDpi(const RECT& atDesignDpi, UINT dpi) {
    const LONG left = ScaleToDpi(atDesignDpi.left, dpi);
    const LONG top = ScaleToDpi(atDesignDpi.top, dpi);
    return {left, top, left + ScaleToDpi(atDesignDpi.right - atDesignDpi.left, dpi),
            top + ScaleToDpi(atDesignDpi.bottom - atDesignDpi.top, dpi)};
}

UniqueFont GuiFontForDpi(UINT dpi) {
    const UINT stockDpi = StockObjectDpi();
    if (dpi == stockDpi) return UniqueFont();
    LOGFONTW font{};
    if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) return UniqueFont();
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(stockDpi));
    font.lfWidth = MulDiv(font.lfWidth, static_cast<int>(dpi), static_cast<int>(stockDpi));
    return UniqueFont(CreateFontIndirectW(&font));
}
