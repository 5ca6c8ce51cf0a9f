// Says where the test kit runs (run-tests.cmd prints it first): the Windows version, the
// display's size, colour depth, scaling and refresh rate, and whether the desktop composes.
// Aware of the display's scaling, so that it reports the display's own pixels.
#include <windows.h>
#include <dwmapi.h>

#include <cstdio>

namespace {

// The version Windows itself has (GetVersionEx answers what the manifest lets it).
void PrintWindowsVersion() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    using WineVersionFn = const char*(CDECL*)();
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
    auto wineVersion = reinterpret_cast<WineVersionFn>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "wine_get_version")));
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (rtlGetVersion == nullptr || rtlGetVersion(&version) != 0) {
        std::printf("Windows: version unknown\n");
        return;
    }
    std::printf("Windows %lu.%lu build %lu", version.dwMajorVersion, version.dwMinorVersion,
                version.dwBuildNumber);
    if (wineVersion != nullptr) std::printf(" (Wine %s)", wineVersion());
    std::printf("\n");
}

void PrintDisplay() {
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    std::printf("Display: %d x %d pixels, %d bits per pixel, %d dpi (scaling %d%%), ",
                ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                ::GetDeviceCaps(screen, BITSPIXEL), dpi, ::MulDiv(dpi, 100, 96));
    // "A vertical refresh rate value of 0 or 1 represents the display hardware's default
    // refresh rate" (GetDeviceCaps, VREFRESH).
    int refresh = ::GetDeviceCaps(screen, VREFRESH);
    if (refresh > 1) {
        std::printf("%d Hz\n", refresh);
    } else {
        std::printf("the hardware's default refresh rate\n");
    }
    ::ReleaseDC(nullptr, screen);
    BOOL composed = FALSE;
    HRESULT result = ::DwmIsCompositionEnabled(&composed);
    std::printf("Desktop composition: %s\n",
                FAILED(result) ? "unknown" : (composed ? "on" : "off"));
}

}  // namespace

int main() {
    ::SetProcessDPIAware();
    PrintWindowsVersion();
    PrintDisplay();
    return 0;
}
