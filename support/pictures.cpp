// The program driver's half that reads the screen: the program's two pictures and which of
// them its view shows (declared in program.h).
#include "program.h"

#include <algorithm>

#include "framework/gdi.h"
#include "support/wintest.h"

namespace program {

namespace {

bool LoadPicture(HMODULE module, LPCWSTR name, std::vector<unsigned>& pixels) {
    CBitmap bitmap;
    bitmap.Attach(
        static_cast<HBITMAP>(::LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (bitmap.GetSafeHandle() == nullptr) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 800;
    info.bmiHeader.biHeight = -600;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    pixels.assign(800 * 600, 0);
    int lines = ::GetDIBits(CClientDC(nullptr), bitmap, 0, 600, pixels.data(), &info,
                            DIB_RGB_COLORS);
    for (unsigned& p : pixels) p &= 0x00FFFFFFu;
    return lines == 600;
}

}  // namespace

bool Pictures::Load() {
    HMODULE module = ::LoadLibraryExW(LantrelPath().c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) return false;
    bool ok = LoadPicture(module, L"GENIE", genie) && LoadPicture(module, L"MOUSE", mouse);
    ::FreeLibrary(module);
    return ok;
}

Match Compare(const Pictures& pictures, const RECT& viewOnScreen, const RECT& area) {
    RECT screenArea = area;
    ::OffsetRect(&screenArea, viewOnScreen.left, viewOnScreen.top);
    std::vector<unsigned> shown = wintest::ReadScreen(screenArea);
    Match match;
    int width = area.right - area.left;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            unsigned pixel = shown[static_cast<size_t>(y - area.top) * width + (x - area.left)];
            size_t at = static_cast<size_t>(y) * 800 + x;
            bool isGenie = x < 800 && y < 600 && pixel == pictures.genie[at];
            bool isMouse = x < 800 && y < 600 && pixel == pictures.mouse[at];
            if (isGenie && !isMouse) {
                ++match.genie;
            } else if (isMouse && !isGenie) {
                ++match.mouse;
            } else if (!isGenie && !isMouse) {
                ++match.other;
            }
        }
    }
    return match;
}

const Pictures& SharedPictures() {
    static Pictures pictures;
    static bool loaded = pictures.Load();
    (void)loaded;
    return pictures;
}

char ShownPicture(const Lantrel& app) {
    // The part of the picture that is on the screen (a small screen cuts the frame off).
    RECT view = app.ViewOnScreen();
    RECT area = {
        std::max<LONG>(0, -view.left), std::max<LONG>(0, -view.top),
        std::min<LONG>({800, view.right - view.left, ::GetSystemMetrics(SM_CXSCREEN) - view.left}),
        std::min<LONG>({600, view.bottom - view.top, ::GetSystemMetrics(SM_CYSCREEN) - view.top})};
    Match m = Compare(SharedPictures(), view, area);
    if (m.genie > m.Total() * 95 / 100 && m.mouse == 0) return 'G';
    if (m.mouse > m.Total() * 95 / 100 && m.genie == 0) return 'M';
    return '?';
}

char AwaitPicture(const Lantrel& app, char want, int timeoutMs) {
    DWORD end = ::GetTickCount() + static_cast<DWORD>(timeoutMs);
    char shown = ShownPicture(app);
    auto wanted = [want](char shown) { return want == '\0' ? shown != '?' : shown == want; };
    while (!wanted(shown) && static_cast<int>(end - ::GetTickCount()) > 0) {
        Wait(50);
        shown = ShownPicture(app);
    }
    return shown;
}

bool ShowsWindowColour(RECT screenArea) {
    RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (!::IntersectRect(&screenArea, &screenArea, &screen)) return true;
    unsigned window = ::GetSysColor(COLOR_WINDOW);
    unsigned rgb = ((window & 0xFF) << 16) | (window & 0xFF00) | ((window >> 16) & 0xFF);
    for (unsigned pixel : wintest::ReadScreen(screenArea)) {
        if (pixel != rgb) return false;
    }
    return true;
}

bool AwaitWindowColour(RECT first, RECT second, int& waitedMs, int timeoutMs) {
    const DWORD start = ::GetTickCount();
    bool shows = false;
    for (;;) {
        shows = ShowsWindowColour(first) && ShowsWindowColour(second);
        waitedMs = static_cast<int>(::GetTickCount() - start);
        if (shows || waitedMs >= timeoutMs) return shows;
        Wait(50);
    }
}

int RefreshMs() {
    int hertz = ::GetDeviceCaps(CClientDC(nullptr), VREFRESH);
    return 1000 / (hertz >= 24 && hertz <= 500 ? hertz : 60);
}
}  // namespace program
