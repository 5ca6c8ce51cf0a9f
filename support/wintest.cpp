#include "wintest.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

namespace wintest {

void Settle(int ms) {
    DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjectsEx(0, nullptr, 5, QS_ALLINPUT, 0);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

void OnOwnThread(const std::function<void()>& work) {
    std::thread(work).join();
}

RecordingView::RecordingView() = default;

RecordingView::~RecordingView() {
    Close();
    ClearRegions();
}

bool RecordingView::Open(int x, int y, int width, int height) {
    LPCWSTR hostClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    m_hHost = ::CreateWindowExW(WS_EX_TOPMOST, hostClass, L"test host",
                                WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height,
                                nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (m_hHost == nullptr) return false;
    if (!CreateEx(0, nullptr, L"view", WS_CHILD | WS_VISIBLE, 0, 0, width, height, m_hHost,
                  reinterpret_cast<HMENU>(1))) {
        return false;
    }
    Settle(100);
    return true;
}

void RecordingView::Close() {
    if (m_hHost != nullptr) ::DestroyWindow(m_hHost);
    m_hHost = nullptr;
}

void RecordingView::ClearRegions() {
    regions.clear();
}

void RecordingView::Reset() {
    regions.clear();
    m_notifications.clear();
    m_start = std::chrono::steady_clock::now();
}

std::vector<double> RecordingView::StepTimes() const {
    std::vector<double> steps;
    for (size_t i = 0; i + 1 < m_notifications.size(); i += 2) steps.push_back(m_notifications[i]);
    return steps;
}

BEGIN_MESSAGE_MAP(RecordingView, CWnd)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

void RecordingView::OnWindowPosChanged(WINDOWPOS*) {
    auto now = std::chrono::steady_clock::now();
    m_notifications.push_back(std::chrono::duration<double, std::milli>(now - m_start).count());
    if (!recordRegions) return;
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(m_hWnd, region) == ERROR) {
        if (recordEmpty) regions.emplace_back();
    } else {
        regions.push_back(std::move(region));
    }
}

BOOL RecordingView::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void RecordingView::OnPaint() {
    CPaintDC dc(m_hWnd);
    if (paintColor != static_cast<COLORREF>(-1)) {
        CBrush brush(paintColor);
        dc.FillRect(&dc.PaintStruct().rcPaint, brush);
    }
}

CRgn MakeRegion(const std::vector<RECT>& rects) {
    CRgn result;
    result.CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : rects) {
        CRgn part;
        part.CreateRectRgnIndirect(r);
        result.CombineRgn(&result, &part, RGN_OR);
    }
    return result;
}

bool SameRegion(HRGN a, HRGN b) {
    CRgn empty, diff;
    empty.CreateRectRgn(0, 0, 0, 0);
    diff.CreateRectRgn(0, 0, 0, 0);
    return ::CombineRgn(diff, a ? a : empty, b ? b : empty, RGN_XOR) == NULLREGION;
}

std::string Describe(HRGN region) {
    if (region == nullptr) return "(no region)";
    std::vector<RECT> rects = RegionData(region).Rects();
    std::string text = std::to_string(rects.size()) + " rects:";
    for (size_t i = 0; i < rects.size() && i < 12; ++i) {
        char part[64];
        std::snprintf(part, sizeof(part), " (%ld,%ld,%ld,%ld)", rects[i].left, rects[i].top,
                      rects[i].right, rects[i].bottom);
        text += part;
    }
    if (rects.size() > 12) text += " ...";
    return text;
}

long long Area(HRGN region) {
    long long area = 0;
    for (const RECT& r : RegionData(region)) {
        area += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
    }
    return area;
}

namespace {

// A 32-bit top-down DIB section of width x height; bits gets its pixels.
CBitmap DibSection(int width, int height, unsigned*& bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pixels = nullptr;
    CBitmap bitmap;
    bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    bits = static_cast<unsigned*>(pixels);
    return bitmap;
}

}  // namespace

std::vector<unsigned> ReadDc(HDC dc, const RECT& rect) {
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    std::vector<unsigned> pixels(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0), 0);
    if (width <= 0 || height <= 0) return pixels;
    unsigned* copied = nullptr;
    CBitmap bitmap = DibSection(width, height, copied);
    CDC source(dc);
    CCreatedDC memory;
    memory.CreateCompatibleDC(&source);
    CSelectObject select(memory, bitmap);
    memory.BitBlt(0, 0, width, height, &source, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = copied[i] & 0x00FFFFFFu;
    return pixels;
}

std::vector<unsigned> ReadScreen(const RECT& rect) {
    CClientDC screen(nullptr);
    return ReadDc(screen, rect);
}

unsigned ScreenPixel(int x, int y) {
    RECT one = {x, y, x + 1, y + 1};
    return ReadScreen(one)[0];
}

namespace {

CCreatedDC ScreenMemoryDC() {
    CCreatedDC dc;
    dc.CreateCompatibleDC(nullptr);
    return dc;
}

}  // namespace

Picture::Picture(int width, int height, COLORREF (*fill)(int x, int y))
    : m_nWidth(width),
      m_nHeight(height),
      m_dc(ScreenMemoryDC()),
      m_bitmap(DibSection(width, height, m_pBits)),
      m_select(m_dc, m_bitmap) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = fill(x, y);
            m_pBits[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
}

COLORREF Picture::At(int x, int y) const {
    unsigned v = m_pBits[y * m_nWidth + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void MoveMouse(int x, int y) {
    // Warps the pointer too: injected input alone does not move it for a process that has no
    // window of its own yet.
    ::SetCursorPos(x, y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
}

void ClickMouse() {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

void PressKey(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

std::string Utf8(const std::wstring& text) {
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size,
                          nullptr, nullptr);
    return out;
}

struct BoxCloser::State {
    std::wstring caption;
    DWORD thread = 0;
    std::atomic<bool> stop{false};
    std::mutex lock;
    std::vector<std::string> texts;
    std::thread watcher;
};

BoxCloser::BoxCloser(const std::wstring& caption) : m_pState(new State) {
    m_pState->caption = caption;
    m_pState->thread = ::GetCurrentThreadId();
    m_pState->watcher = std::thread([state = m_pState] {
        HWND closed = nullptr;
        while (!state->stop) {
            // The boxes from a list of the windows, not FindWindowEx after the last box found:
            // that box is being destroyed, and Wine 10's server then loops for ever (Windows
            // answers at once).  The caption without a message: the box's thread may be busy.
            std::vector<HWND> boxes;
            ::EnumWindows(
                [](HWND hWnd, LPARAM param) {
                    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hWnd);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&boxes));
            for (HWND box : boxes) {
                wchar_t name[16] = {}, caption[256] = {};
                ::GetClassNameW(box, name, 16);
                ::InternalGetWindowText(box, caption, 256);
                if (box == closed || !::IsWindowVisible(box) ||
                    ::GetWindowThreadProcessId(box, nullptr) != state->thread ||
                    lstrcmpW(name, L"#32770") != 0 || state->caption != caption) {
                    continue;
                }
                wchar_t text[1024] = {};
                ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
                {
                    std::lock_guard<std::mutex> guard(state->lock);
                    state->texts.push_back(Utf8(text));
                }
                closed = box;
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            ::Sleep(20);
        }
    });
}

BoxCloser::~BoxCloser() {
    m_pState->stop = true;
    m_pState->watcher.join();
    delete m_pState;
}

std::vector<std::string> BoxCloser::Texts() {
    std::lock_guard<std::mutex> guard(m_pState->lock);
    return m_pState->texts;
}

std::wstring ReadDialogTemplate(HMODULE module, int id) {
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    auto* p =
        static_cast<const WORD*>(found ? ::LockResource(::LoadResource(module, found)) : nullptr);
    if (p == nullptr) return L"none";
    std::wstring text;
    auto numbers = [&](int n) {
        for (int i = 0; i < n; ++i) text += std::to_wstring(static_cast<short>(*p++)) + L" ";
    };
    auto name = [&](bool controlClass) {  // a string or an ordinal (#n)
        std::wstring name;
        if (*p == 0xFFFF) {
            const wchar_t* classes[] = {L"BUTTON", L"EDIT", L"STATIC"};
            bool predefined = controlClass && p[1] >= 0x80 && p[1] <= 0x82;
            name = predefined ? classes[p[1] - 0x80] : L"#" + std::to_wstring(p[1]);
            p += 2;
        } else {
            for (; *p; ++p) name += static_cast<wchar_t>(*p);
            ++p;
        }
        if (controlClass) ::CharUpperW(&name[0]);
        text += name + L"|";
    };
    auto styles = [&] {
        wchar_t hex[24];
        wsprintfW(hex, L"%08X %X ", p[0] | p[1] << 16, p[2] | p[3] << 16);
        text += hex;
        p += 4;
    };
    styles();
    int controls = *p++;
    numbers(4);
    for (int i = 0; i < 3; ++i) name(false);  // menu, class, caption
    numbers(1);                               // font size
    name(false);
    text += L"\n";
    for (int i = 0; i < controls; ++i) {
        p += (reinterpret_cast<UINT_PTR>(p) / 2) % 2;  // DWORD aligned
        styles();
        numbers(5);
        name(true);
        name(false);
        text += L"\n";
        p += 1 + *p / 2;  // creation data
    }
    return text;
}

std::wstring ReadVersionResource(const std::wstring& path) {
    DWORD ignored = 0, size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> data(size);
    if (size == 0 || !::GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return L"none";
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data.data(), L"\\", &value, &length) ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return L"no fixed part";
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    wchar_t line[200];
    wsprintfW(line, L"FILEVERSION %u.%u.%u.%u PRODUCTVERSION %u.%u.%u.%u FILETYPE %u",
              HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
              HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
              HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
              HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS),
              static_cast<unsigned>(fixed->dwFileType));
    std::wstring text = line;
    if (!::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
        length < 4) {
        return text + L" no translation\n";
    }
    const auto* translation = static_cast<const WORD*>(value);
    wsprintfW(line, L" TRANSLATION %04X %04X\n", translation[0], translation[1]);
    text += line;
    for (const wchar_t* name :
         {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName", L"LegalCopyright",
          L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        wsprintfW(line, L"\\StringFileInfo\\%04X%04X\\%s", translation[0], translation[1], name);
        if (::VerQueryValueW(data.data(), line, &value, &length) && length > 0) {
            text += std::wstring(name) + L"|" + static_cast<const wchar_t*>(value) + L"|\n";
        }
    }
    return text;
}

}  // namespace wintest
