// Help > About of the real lantrel.exe, driven from outside as a user would: the box of
// template 100 centred over the frame, the links fitted to their text and drawn in the link
// colour, OK closes it.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "res/resource.h"
#include "tests/check.h"
#include "tests/wintest.h"

namespace {

// Waits up to 20 s for done() to hold.
template <typename Done>
bool WaitUntil(Done done) {
    for (int i = 0; i < 400; ++i) {
        if (done()) return true;
        ::Sleep(50);
    }
    return false;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

struct TemplateControl {
    const wchar_t* className;
    int id;
    const wchar_t* text;  // nullptr: not compared (the icon)
    DWORD style;
    RECT units;  // left, top, width, height in dialog units
    bool link;
};

}  // namespace

TEST_CASE(HelpAboutShowsTheBoxOverTheFrameAndOkClosesIt) {
    wchar_t path[MAX_PATH];
    std::wstring exe(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
    exe = exe.substr(0, exe.rfind(L'\\')) + L"\\..\\app\\lantrel.exe";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    CHECK(::CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process));
    if (process.hProcess == nullptr) return;
    HWND frame = nullptr, box = nullptr;
    CHECK(WaitUntil([&] { return (frame = ::FindWindowW(nullptr, L"Lantrel")) != nullptr; }));
    ::PostMessageW(frame, WM_COMMAND, ID_APP_ABOUT, 0);
    CHECK(WaitUntil([&] {
        box = ::FindWindowW(L"#32770", L"About Quorlish");
        return box != nullptr && ::IsWindowVisible(box);
    }));
    if (frame == nullptr || box == nullptr) {
        ::TerminateProcess(process.hProcess, 1);
        return;
    }
    RECT frameRect, boxRect;
    ::GetWindowRect(frame, &frameRect);
    ::GetWindowRect(box, &boxRect);
    CHECK(std::abs((frameRect.left + frameRect.right) - (boxRect.left + boxRect.right)) <= 2);
    CHECK(std::abs((frameRect.top + frameRect.bottom) - (boxRect.top + boxRect.bottom)) <= 2);
    CHECK(!::IsWindowEnabled(frame));

    // Every control of the template in order, measured against a copy made here.
    HWND copy = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUTBOX),
                                     nullptr, PlainDialogProc, 0);
    wintest::MoveMouse(0, 0);  // the pointer off the links (the copy's window lets it move)
    ::Sleep(300);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(copy, WM_GETFONT, 0, 0));
    LOGFONTW logFont = {};
    ::GetObjectW(font, sizeof(logFont), &logFont);
    logFont.lfUnderline = TRUE;
    HFONT underlined = ::CreateFontIndirectW(&logFont);
    const DWORD kStatic = WS_CHILD | WS_VISIBLE | WS_GROUP;
    const TemplateControl controls[] = {
        {L"Static", -1, nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, {7, 56, 20, 20}, false},
        {L"Static", -1, L"Lantrel Version 1.01", kStatic | SS_CENTER, {13, 6, 161, 8}, false},
        {L"Button", IDOK, L"OK", kStatic | WS_TABSTOP | BS_DEFPUSHBUTTON, {144, 58, 32, 14}, false},
        {L"Static", -1, L"Author:", kStatic | SS_RIGHT, {45, 21, 24, 8}, false},
        {L"Static",
         IDC_EMAIL_LINK,
         L"pat@example.com",
         kStatic | SS_NOTIFY,
         {71, 30, 102, 8},
         true},
        {L"Static", IDC_AUTHOR_NAME, L"Pat E.", kStatic, {71, 21, 27, 8}, false},
        {L"Static", -1, L"Email:", kStatic | SS_RIGHT, {47, 30, 22, 8}, false},
        {L"Static", -1, L"Homepage:", kStatic | SS_RIGHT, {31, 40, 38, 8}, false},
        {L"Static", IDC_HOMEPAGE_LINK, L"example.org", kStatic | SS_NOTIFY, {71, 40, 38, 8}, true},
    };
    HDC dc = ::GetDC(copy);
    HWND child = ::GetWindow(box, GW_CHILD);
    for (const TemplateControl& want : controls) {
        CHECK(child != nullptr);
        if (child == nullptr) break;
        wchar_t text[256] = {}, className[64] = {};
        ::GetClassNameW(child, className, 64);
        ::GetWindowTextW(child, text, 256);
        CHECK(lstrcmpiW(className, want.className) == 0);
        CHECK_EQ(static_cast<short>(::GetDlgCtrlID(child)), want.id);
        if (want.text) CHECK_EQ(wintest::Utf8(text), wintest::Utf8(want.text));
        CHECK_EQ(::GetWindowLongW(child, GWL_STYLE) & ~WS_DISABLED, static_cast<LONG>(want.style));
        RECT expected = want.units;  // position and size are converted each on its own
        ::MapDialogRect(copy, &expected);
        expected.right += expected.left;
        expected.bottom += expected.top;
        SIZE extent = {};
        ::SelectObject(dc, want.link ? underlined : font);
        ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
        if (want.id == -1 && want.text == nullptr) {  // the icon takes its own size
            expected.right = expected.left + ::GetSystemMetrics(SM_CXICON);
            expected.bottom = expected.top + ::GetSystemMetrics(SM_CYICON);
        } else if (want.link) {  // fitted to its text from its top-left corner
            expected.right = expected.left + extent.cx;
            expected.bottom = expected.top + extent.cy;
        } else if (want.id == IDC_AUTHOR_NAME) {
            CHECK(extent.cx <= expected.right - expected.left);  // the name is not cut
        }
        RECT got;
        ::GetWindowRect(child, &got);
        ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&got), 2);
        CHECK(::EqualRect(&got, &expected));
        if (want.link) {  // drawn in the link colour, underline included
            ::GetWindowRect(child, &got);
            int linkPixels = 0;
            for (unsigned pixel : wintest::ReadScreen(got)) linkPixels += pixel == 0x0000EEu;
            CHECK(linkPixels >= got.right - got.left);
        }
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    CHECK(child == nullptr);
    ::ReleaseDC(copy, dc);
    ::DestroyWindow(copy);
    ::DeleteObject(underlined);

    RECT ok;
    ::GetWindowRect(::GetDlgItem(box, IDOK), &ok);
    wintest::MoveMouse((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
    ::Sleep(100);
    wintest::ClickMouse();
    CHECK(WaitUntil([box] { return !::IsWindow(box); }));
    CHECK(::IsWindow(frame) && ::IsWindowEnabled(frame));
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    CHECK(::WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0);
    ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
