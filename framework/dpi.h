// Display scaling: the DPI a window is shown at, and the program's own pixel sizes scaled to it.
// The program declares per-monitor DPI awareness (res/lantrel.exe.manifest), so the system no
// longer stretches it: every size in pixels that it chooses itself (the frame, the pictures,
// the steps of its animations) is meant at 96 DPI and scaled here.
#ifndef LANTREL_FRAMEWORK_DPI_H
#define LANTREL_FRAMEWORK_DPI_H

#include <windows.h>

#include "gdi.h"

// 100 % scaling (USER_DEFAULT_SCREEN_DPI): the DPI every unscaled size is meant for.
constexpr int kDefaultDpi = 96;

// The DPI window is shown at: GetDpiForWindow where the system has it (Windows 10 1607 on; for
// a per-monitor aware window, the DPI of its monitor, the last one WM_DPICHANGED gave), else the
// screen's (ScreenDpi).  kDefaultDpi for no window or an answer of 0.
int WindowDpi(HWND window);

// The screen's DPI, GetDeviceCaps(LOGPIXELSX) of a screen DC: the system DPI, which is what
// Windows before 8.1 scale by, and the primary monitor's at logon after that.
int ScreenDpi();

// value pixels at 96 DPI in pixels at dpi, rounded to the nearest (MulDiv).  Unchanged at 96.
int ScaleToDpi(int value, int dpi);

// value pixels at dpi back in pixels at 96 DPI, rounded to the nearest.  Unchanged at 96.
int ScaleFromDpi(int value, int dpi);

// A copy of bitmap scaled by dpi / 96 with a smoothing filter (StretchBlt in HALFTONE mode into
// a bitmap compatible with the screen).  None (an empty CBitmap) at 96 DPI, for no bitmap, or
// if the copy cannot be made: the bitmap itself serves then.
CBitmap ScaledToDpi(HBITMAP bitmap, int dpi);

// The size of bitmap in pixels; 0 x 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

#endif
