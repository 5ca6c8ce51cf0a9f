#include "platform.h"

#include <windows.h>

#include <cstdlib>

namespace platform {

std::string WineVersion() {
    // Wine's ntdll exports wine_get_version; Windows' does not.
    using GetVersion = const char*(CDECL*)();
    auto get = reinterpret_cast<GetVersion>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
    return get != nullptr ? get() : "";
}

std::string NeedScreen(int width, int height) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    if (cx == width && cy == height) return "";
    return "needs a " + std::to_string(width) + " x " + std::to_string(height) +
           " screen; this one is " + std::to_string(cx) + " x " + std::to_string(cy);
}

namespace {

// A value of HKEY_CURRENT_USER\Software\Wine\X11 Driver ("" if it is not set).
std::wstring X11DriverSetting(const wchar_t* name) {
    wchar_t value[16] = {};
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", name, RRF_RT_REG_SZ,
                       nullptr, value, &size) != ERROR_SUCCESS) {
        return L"";
    }
    return value;
}

bool IsNo(const std::wstring& value) {
    return !value.empty() && (value[0] == L'N' || value[0] == L'n' || value[0] == L'0' ||
                              value[0] == L'F' || value[0] == L'f');
}

}  // namespace

std::string NeedWineSettings() {
    const std::string version = WineVersion();
    if (version.empty()) return "";
    std::string missing;
    if (!IsNo(X11DriverSetting(L"Managed"))) missing += " \"Managed\" = \"N\"";
    if (std::atoi(version.c_str()) >= 10 && !IsNo(X11DriverSetting(L"ClientSideGraphics"))) {
        missing += std::string(missing.empty() ? "" : " and") + " \"ClientSideGraphics\" = \"N\"";
    }
    if (missing.empty()) return "";
    return "under Wine " + version + " it needs" + missing +
           " under HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver, as the project's prefixes have";
}

std::string NeedBareLinkAssociations() {
    if (WineVersion().empty()) {
        return "runs under Wine only: it registers stand-in programs for links and \".htm\" files "
               "under HKEY_CLASSES_ROOT, which on Windows would change your own associations";
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, L".htm", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        ::RegCloseKey(key);
        return "needs a Wine prefix where no program is registered for \".htm\" files (a fresh "
               "one made without Wine's browser engine)";
    }
    return "";
}

}  // namespace platform
