// Records what a running Lantrel shows while it runs one command, as numbered BMP frames.
//
//   record ID DIR [INTERVAL_MS]   posts command ID and records until the command is over
//   record start DIR              records the frame opening (run it just before lantrel.exe)
//   record close DIR              closes the frame and records until the program has ended
//
// Frames are the main frame's screen rectangle (a dialog that slides or opens over it is
// inside that rectangle), written as DIR/frame-0000.bmp, ...
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "framework/gdi.h"
#include "tools/frame.h"

namespace {

// The area recorded: the frame's final rectangle, 800 x 600 centred on the screen.
RECT RecordedArea() {
    int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    RECT area = {cx / 2 - 400, cy / 2 - 300, cx / 2 + 400, cy / 2 + 300};
    return area;
}

bool SaveFrame(const std::wstring& path, const RECT& area) {
    int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    CClientDC screen(nullptr);
    CCreatedDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.Attach(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    CSelectObject select(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + imageBytes;
    bool ok = false;
    UniqueFile out = TakeCreatedFile(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (out) {
        DWORD written = 0;
        ok = ::WriteFile(out.Get(), &file, sizeof(file), &written, nullptr) &&
             ::WriteFile(out.Get(), &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr) &&
             ::WriteFile(out.Get(), bits, imageBytes, &written, nullptr);
    }
    return ok;
}

class Recorder {
public:
    Recorder(std::wstring dir, int intervalMs) : m_dir(std::move(dir)), m_interval(intervalMs) {
        ::CreateDirectoryW(m_dir.c_str(), nullptr);
    }
    void Frame() {
        wchar_t name[32];
        wsprintfW(name, L"\\frame-%04d.bmp", m_count++);
        SaveFrame(m_dir + name, RecordedArea());
        ::Sleep(static_cast<DWORD>(m_interval));
    }
    int Count() const { return m_count; }

private:
    std::wstring m_dir;
    int m_interval;
    int m_count = 0;
};

// The program is idle again when it answers a message at once.
bool Idle(HWND frame) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5, &result) != 0;
}

// A visible window the frame owns (a modal dialog), or nullptr.  GetWindow(GW_ENABLEDPOPUP)
// finds none from another process under Wine.
HWND OwnedWindow(HWND frame) {
    struct Find {
        HWND frame, found;
    } find = {frame, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM param) -> BOOL {
            auto* find = reinterpret_cast<Find*>(param);
            if (!::IsWindowVisible(hWnd) || ::GetWindow(hWnd, GW_OWNER) != find->frame) return TRUE;
            find->found = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: record ID|start|close DIR [INTERVAL_MS]\n");
        return 2;
    }
    int interval = argc > 3 ? _wtoi(argv[3]) : 40;
    Recorder recorder(argv[2], interval);
    const int kMaxFrames = 250;

    if (std::wcscmp(argv[1], L"start") == 0) {
        // Until the frame is there and has kept its place for a while.
        RECT last = {};
        int stable = 0;
        while (recorder.Count() < kMaxFrames && stable < 8) {
            recorder.Frame();
            HWND frame = FindLantrelFrame();
            RECT now = {};
            if (frame) ::GetWindowRect(frame, &now);
            stable = frame && ::EqualRect(&now, &last) ? stable + 1 : 0;
            last = now;
        }
        return 0;
    }

    HWND frame = FindLantrelFrame();
    if (frame == nullptr) {
        std::fprintf(stderr, "record: no Lantrel frame\n");
        return 1;
    }
    if (std::wcscmp(argv[1], L"close") == 0) {
        ::PostMessageW(frame, WM_CLOSE, 0, 0);
        while (recorder.Count() < kMaxFrames && ::IsWindow(frame)) recorder.Frame();
        for (int i = 0; i < 3; ++i) recorder.Frame();
        return 0;
    }

    UINT id = static_cast<UINT>(std::wcstoul(argv[1], nullptr, 10));
    recorder.Frame();
    ::PostMessageW(frame, WM_COMMAND, id, 0);
    ::Sleep(30);
    // A modal dialog keeps the program in its own loop, answering once the dialog has painted:
    // record it for a second more, then close it as the user would.
    int idleFrames = 0, dialogFrames = 0;
    while (recorder.Count() < kMaxFrames && idleFrames < 6) {
        recorder.Frame();
        bool idle = Idle(frame);
        HWND popup = OwnedWindow(frame);
        dialogFrames = popup != nullptr && idle ? dialogFrames + 1 : 0;
        if (dialogFrames > 12) ::PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
        // A sliding dialog is a child of the view while it moves.
        bool sliding = ::GetWindow(::GetDlgItem(frame, 0xE900), GW_CHILD) != nullptr;
        idleFrames = idle && ::IsWindowEnabled(frame) && !sliding ? idleFrames + 1 : 0;
    }
    return 0;
}
