// Stand-in browser for the link tests: writes the command line it was started with, as UTF-8,
// to the file named by LANTREL_RECORD_FILE (whole or not at all).
#include <windows.h>

#include <string>

#include "support/wintest.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t path[MAX_PATH];
    DWORD length = ::GetEnvironmentVariableW(L"LANTREL_RECORD_FILE", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    std::string line = wintest::Utf8(::GetCommandLineW());
    std::wstring partial = std::wstring(path) + L".part";
    HANDLE file =
        ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
    return ::MoveFileExW(partial.c_str(), path, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
