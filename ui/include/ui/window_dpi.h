#pragma once
// The display's DPI for one window and what follows from it: pixel sizes and the GUI font.
// The per-monitor functions are looked up at run time, so the program still starts on
// Windows 7, where a window's DPI is the screen's.
#include <windows.h>

#include "platform/win32_raii.h"


// The DPI every size in the program is written for.
constexpr UINT kDesignDpi = USER_DEFAULT_SCREEN_DPI;


// GetDpiForWindow (Windows 10), else the screen's LOGPIXELSX.
UINT WindowDpi(HWND window);
// The DPI the stock objects are made for: GetDpiForSystem (Windows 10), else the screen's.
UINT StockObjectDpi();

int ScaleToDpi(int pixelsAtDesignDpi, UINT dpi);
// Left and top, width and height each scaled, so equal sizes stay equal.
RECT ScaleToDpi(const RECT& atDesignDpi, UINT dpi);

// The stock GUI font remade for dpi; null where the stock font itself is made for dpi.
UniqueFont GuiFontForDpi(UINT dpi);
