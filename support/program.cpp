#include "program.h"

#include <algorithm>

#include "app/commands.h"
#include "framework/gdi.h"
#include "res/resource.h"
#include "support/wintest.h"

namespace program {

std::wstring LantrelPath() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    size_t slash = path.find_last_of(L"\\/");
    std::wstring dir = path.substr(0, slash);  // ...\tests or ...\tools
    std::wstring top = dir.substr(0, dir.find_last_of(L"\\/"));
    std::wstring built = top + L"\\app\\lantrel.exe";  // the build tree: ...\app\lantrel.exe
    // The release package's test kit: tests\ beside lantrel.exe.
    return ::GetFileAttributesW(built.c_str()) != INVALID_FILE_ATTRIBUTES ? built
                                                                          : top + L"\\lantrel.exe";
}

void Wait(int ms) {
    wintest::Settle(ms);
}

Lantrel::~Lantrel() {
    if (Running()) Kill();
    if (m_info.hProcess) ::CloseHandle(m_info.hProcess);
    if (m_info.hThread) ::CloseHandle(m_info.hThread);
}

bool Lantrel::Launch(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + LantrelPath() + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    return ::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &m_info) != FALSE;
}

namespace {

struct FindFrame {
    DWORD pid;
    HWND found;
    std::vector<HWND> others;
};

BOOL CALLBACK FindFrameProc(HWND hWnd, LPARAM param) {
    auto* find = reinterpret_cast<FindFrame*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid != find->pid || !::IsWindowVisible(hWnd)) return TRUE;
    wchar_t text[64] = {};
    ::GetWindowTextW(hWnd, text, 64);
    if (find->found == nullptr && lstrcmpW(text, L"Lantrel") == 0 && ::GetMenu(hWnd) != nullptr) {
        find->found = hWnd;
    } else {
        find->others.push_back(hWnd);
    }
    return TRUE;
}

}  // namespace

bool Lantrel::Start(const std::wstring& arguments, int timeoutMs) {
    if (!Launch(arguments)) return false;
    ::WaitForInputIdle(m_info.hProcess, static_cast<DWORD>(timeoutMs));
    DWORD end = ::GetTickCount() + static_cast<DWORD>(timeoutMs);
    RECT last = {};
    int stable = 0;
    while (static_cast<int>(end - ::GetTickCount()) > 0 && Running()) {
        FindFrame find = {m_info.dwProcessId, nullptr, {}};
        ::EnumWindows(FindFrameProc, reinterpret_cast<LPARAM>(&find));
        if (find.found != nullptr) {
            RECT now;
            ::GetWindowRect(find.found, &now);
            stable = ::EqualRect(&now, &last) ? stable + 1 : 0;
            last = now;
            if (stable >= 5) {  // the opening animation is over
                m_hFrame = find.found;
                Wait(200);
                return true;
            }
        }
        Wait(50);
    }
    return false;
}

bool Lantrel::StartWatching(std::vector<RECT>& frames, int timeoutMs) {
    frames.clear();
    if (!Launch(L"")) return false;
    DWORD start = ::GetTickCount();
    DWORD lastChange = start;
    HWND frame = nullptr;
    while (static_cast<int>(::GetTickCount() - start) < timeoutMs && Running()) {
        if (frame == nullptr) {
            FindFrame find = {m_info.dwProcessId, nullptr, {}};
            ::EnumWindows(FindFrameProc, reinterpret_cast<LPARAM>(&find));
            frame = find.found;
        }
        RECT now;
        if (frame != nullptr && ::GetWindowRect(frame, &now)) {
            if (frames.empty() || !::EqualRect(&now, &frames.back())) {
                frames.push_back(now);
                lastChange = ::GetTickCount();
            } else if (::GetTickCount() - lastChange > 500) {  // the opening animation is over
                m_hFrame = frame;
                Wait(200);
                return true;
            }
        }
        ::Sleep(1);
    }
    return false;
}

std::vector<RECT> Lantrel::WatchUntilGone(int timeoutMs) const {
    std::vector<RECT> frames;
    DWORD start = ::GetTickCount();
    RECT now;
    while (static_cast<int>(::GetTickCount() - start) < timeoutMs &&
           ::GetWindowRect(m_hFrame, &now)) {
        if (frames.empty() || !::EqualRect(&now, &frames.back())) frames.push_back(now);
        ::Sleep(1);
    }
    return frames;
}

int Lantrel::RunToExit(const std::wstring& arguments, int timeoutMs, bool* windowSeen) {
    if (!Launch(arguments)) return -2;
    if (windowSeen == nullptr) return WaitExit(timeoutMs);
    *windowSeen = false;
    DWORD end = ::GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (::WaitForSingleObject(m_info.hProcess, 1) == WAIT_TIMEOUT &&
           static_cast<int>(end - ::GetTickCount()) > 0) {
        FindFrame find = {m_info.dwProcessId, nullptr, {}};
        ::EnumWindows(FindFrameProc, reinterpret_cast<LPARAM>(&find));
        *windowSeen = *windowSeen || find.found != nullptr || !find.others.empty();
    }
    return WaitExit(0);
}

HWND Lantrel::View() const {
    return m_hFrame ? ::GetDlgItem(m_hFrame, 0xE900) : nullptr;
}

namespace {

// How far from its rectangle the windowing system shows this top-level window.
// Windows (and Wine 8) show every window where its rectangle says. Wine 10 puts one that covers
// the whole screen, borders beyond the edges as a maximised window's are, at the screen's
// origin instead: a fault of Wine's, which moves every pixel the program draws there. A probe
// window of the same rectangle, black with one white mark, shows by how much, so the tests
// read the program's pixels where they are shown; any other rectangle is shown where it says.
POINT ShownDisplacement(HWND window) {
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    if (rect.left > 0 || rect.top > 0 || rect.right < cx || rect.bottom < cy) return POINT{0, 0};
    static RECT probed = {};
    static POINT shift = {};
    if (::EqualRect(&probed, &rect)) return shift;
    wintest::OnOwnThread([&] {
        HWND probe = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP,
                                       rect.left, rect.top, rect.right - rect.left,
                                       rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
        ::ShowWindow(probe, SW_SHOWNOACTIVATE);
        ::UpdateWindow(probe);
        const int mark = 16;  // where on the screen the mark belongs
        RECT spot = {mark - rect.left, mark - rect.top, mark - rect.left + 4, mark - rect.top + 4};
        // At most shown at the screen's origin: the mark then lies that much further in.
        RECT around = {0, 0, std::min<LONG>(cx, 2 * mark - rect.left),
                       std::min<LONG>(cy, 2 * mark - rect.top)};
        const int across = around.right;
        shift = POINT{0, 0};
        for (int tries = 0; tries < 20; ++tries) {
            {
                CClientDC dc(probe);  // drawn again each time: a repaint of the probe wipes it
                RECT all = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
                dc.FillRect(&all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
                dc.FillRect(&spot, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            }
            Wait(50);
            std::vector<unsigned> shown = wintest::ReadScreen(around);
            auto white = std::find(shown.begin(), shown.end(), 0xFFFFFFu);
            bool probeOnly = std::all_of(shown.begin(), shown.end(), [](unsigned pixel) {
                return pixel == 0 || pixel == 0xFFFFFFu;
            });
            if (white == shown.end() || !probeOnly) continue;  // not on the screen yet
            int at = static_cast<int>(white - shown.begin());
            shift = POINT{at % across - mark, at / across - mark};
            break;
        }
        ::DestroyWindow(probe);
        // The window it covered paints that part again. Wine 10, having misplaced both, works
        // out the part to paint in the wrong place and leaves a band of the probe's black;
        // asking the window for all of itself again costs a correct system nothing.
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    });
    Wait(300);  // for the windows it covered to paint again
    probed = rect;
    return shift;
}

}  // namespace

RECT Lantrel::ViewOnScreen() const {
    RECT client = {};
    HWND view = View();
    ::GetClientRect(view, &client);
    POINT origin = {0, 0};
    ::ClientToScreen(view, &origin);
    POINT shift = ShownDisplacement(m_hFrame);
    ::OffsetRect(&client, origin.x + shift.x, origin.y + shift.y);
    return client;
}

bool Lantrel::Running() const {
    return m_info.hProcess != nullptr && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

void Lantrel::PostCommand(UINT id) const {
    ::PostMessageW(m_hFrame, WM_COMMAND, id, 0);
}

bool Lantrel::SendCommand(UINT id, int timeoutMs) const {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        const ULONGLONG start = ::GetTickCount64();
        if (start >= end && id == 0) return false;
        DWORD_PTR result = 0;
        UINT left = static_cast<UINT>(end > start ? end - start : 1);
        if (::SendMessageTimeoutW(m_hFrame, WM_COMMAND, id, 0, SMTO_NORMAL, left, &result) == 0) {
            return false;
        }
        if (id != 0 || ::GetTickCount64() - start < 3000) return true;
        // Sent again only after a moment: the look that answered this one may still be running,
        // and it runs at once, mid-animation, whatever else is sent meanwhile (Wine's
        // PeekMessage processes "all pending sent messages" before it returns).
        ::Sleep(50);
    }
}

void Lantrel::Keys(const std::vector<WORD>& chord) const {
    ::SetForegroundWindow(m_hFrame);
    Wait(100);
    Press(chord);
}

void Lantrel::Press(const std::vector<WORD>& chord) {
    std::vector<INPUT> inputs;
    for (WORD key : chord) {
        INPUT down = {};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (size_t i = chord.size(); i-- > 0;) {
        INPUT up = {};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = chord[i];
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Wait(300);
}

void Lantrel::Type(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        INPUT press = {};
        press.type = INPUT_KEYBOARD;
        press.ki.wScan = c;
        press.ki.dwFlags = KEYEVENTF_UNICODE;
        inputs.push_back(press);
        press.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        inputs.push_back(press);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Wait(300);
}

int Lantrel::WaitExit(int timeoutMs) {
    if (m_info.hProcess == nullptr) return -2;
    DWORD end = ::GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (Running() && static_cast<int>(end - ::GetTickCount()) > 0) Wait(50);
    if (Running()) {
        Kill();
        return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(m_info.hProcess, &code);
    return static_cast<int>(code);
}

void Lantrel::Kill() {
    if (m_info.hProcess != nullptr) {
        ::TerminateProcess(m_info.hProcess, 99);
        ::WaitForSingleObject(m_info.hProcess, 5000);
    }
}

std::vector<HWND> Lantrel::OtherWindows() const {
    FindFrame find = {m_info.dwProcessId, nullptr, {}};
    ::EnumWindows(FindFrameProc, reinterpret_cast<LPARAM>(&find));
    std::vector<HWND> others;
    for (HWND w : find.others) {
        if (w != m_hFrame) others.push_back(w);
    }
    if (find.found != nullptr && find.found != m_hFrame) others.push_back(find.found);
    return others;
}

HWND Lantrel::WaitForOtherWindow(int timeoutMs) const {
    DWORD end = ::GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        std::vector<HWND> others = OtherWindows();
        if (!others.empty() && ::GetForegroundWindow() == others.front()) {
            Wait(500);  // let it finish filling in its controls
            return others.front();
        }
        Wait(100);
    }
    return nullptr;
}

std::vector<UINT> PictureCommands() {
    std::vector<UINT> ids;
    for (const TransitionCommand& command : kTransitionCommands) ids.push_back(command.id);
    ids.push_back(ID_VIEW_FADE);
    return ids;
}

}  // namespace program
