#include "platform.h"

#include <windows.h>

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
