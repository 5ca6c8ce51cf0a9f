// Drives a running Lantrel from a script: waits for its frame, runs menu commands, closes it.
//
//   drive wait              waits until the frame is shown and has stopped moving
//   drive command ID...     runs each command (returns when it has been handled)
//   drive post ID           posts a command and returns at once
//   drive close             closes the frame (as File > Exit does)
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cstdlib>

#include "tools/frame.h"

namespace {

HWND WaitForFrame(int timeoutMs) {
    RECT last = {};
    int stable = 0;
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (HWND frame = FindLantrelFrame()) {
            RECT now;
            ::GetWindowRect(frame, &now);
            stable = ::EqualRect(&now, &last) ? stable + 1 : 0;
            last = now;
            if (stable >= 5) return frame;
        }
        ::Sleep(50);
    }
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: drive wait | command ID... | post ID | close\n");
        return 2;
    }
    HWND frame = WaitForFrame(20000);
    if (frame == nullptr) {
        std::fprintf(stderr, "drive: no Lantrel frame\n");
        return 1;
    }
    if (std::wcscmp(argv[1], L"wait") == 0) return 0;
    if (std::wcscmp(argv[1], L"close") == 0) {
        ::PostMessageW(frame, WM_CLOSE, 0, 0);
        return 0;
    }
    bool post = std::wcscmp(argv[1], L"post") == 0;
    for (int i = 2; i < argc; ++i) {
        UINT id = static_cast<UINT>(std::wcstoul(argv[i], nullptr, 10));
        if (post) {
            ::PostMessageW(frame, WM_COMMAND, id, 0);
        } else {
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(frame, WM_COMMAND, id, 0, SMTO_NORMAL, 60000, &result);
        }
    }
    return 0;
}
