#include "dpi.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// GetDpiForWindow is looked up at run time: user32 of Windows before 10 (1607) has no such
// export, and a program linked to it there would not start at all.
GetDpiForWindowFn FindGetDpiForWindow() {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForWindow")));
}

}  // namespace

int ScreenDpi() {
    CClientDC screen(nullptr);
    int dpi = screen.GetSafeHdc() != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : kDefaultDpi;
}

int WindowDpi(HWND window) {
    static const GetDpiForWindowFn getDpiForWindow = FindGetDpiForWindow();
    if (window == nullptr || !::IsWindow(window)) return kDefaultDpi;
    if (getDpiForWindow != nullptr) {
        UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int ScaleToDpi(int value, int dpi) {
    return dpi == kDefaultDpi ? value : ::MulDiv(value, dpi, kDefaultDpi);
}

int ScaleFromDpi(int value, int dpi) {
    return dpi == kDefaultDpi || dpi <= 0 ? value : ::MulDiv(value, kDefaultDpi, dpi);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

CBitmap ScaledToDpi(HBITMAP bitmap, int dpi) {
    CBitmap scaled;
    SIZE size = BitmapSize(bitmap);
    if (dpi == kDefaultDpi || size.cx <= 0 || size.cy <= 0) return scaled;
    int width = ScaleToDpi(size.cx, dpi);
    int height = ScaleToDpi(size.cy, dpi);
    if (width <= 0 || height <= 0) return scaled;
    CClientDC screen(nullptr);
    CCreatedDC from, to;
    if (screen.GetSafeHdc() == nullptr || !from.CreateCompatibleDC(&screen) ||
        !to.CreateCompatibleDC(&screen) || !scaled.CreateCompatibleBitmap(screen, width, height)) {
        scaled.DeleteObject();
        return scaled;
    }
    BOOL copied;
    {
        CSelectObject selectFrom(from, bitmap);
        CSelectObject selectTo(to, scaled);
        // HALFTONE averages the source pixels that map to each destination pixel; the brush
        // origin must be set again after choosing it ("SetStretchBltMode", Microsoft).
        ::SetStretchBltMode(to, HALFTONE);
        ::SetBrushOrgEx(to, 0, 0, nullptr);
        copied = ::StretchBlt(to, 0, 0, width, height, from, 0, 0, size.cx, size.cy, SRCCOPY);
    }  // both bitmaps deselected: either may be deleted now
    if (!copied) scaled.DeleteObject();
    return scaled;
}
