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

    // Every control as template 100 makes it (a copy made here), but for the two links: they
    // also notify and are fitted to their underlined text from their top-left corner.
    HWND copy = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUTBOX),
                                     nullptr, PlainDialogProc, 0);
    wintest::MoveMouse(0, 0);  // the pointer off the links (the copy's window lets it move)
    ::Sleep(300);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(copy, WM_GETFONT, 0, 0));
    LOGFONTW logFont = {};
    ::GetObjectW(font, sizeof(logFont), &logFont);
    logFont.lfUnderline = TRUE;
    HFONT underlined = ::CreateFontIndirectW(&logFont);
    HDC dc = ::GetDC(copy);
    int controls = 0;
    HWND mine = ::GetWindow(copy, GW_CHILD), shown = ::GetWindow(box, GW_CHILD);
    for (; mine != nullptr && shown != nullptr; ++controls) {
        wchar_t text[256] = {}, shownText[256] = {};
        ::GetWindowTextW(mine, text, 256);
        ::GetWindowTextW(shown, shownText, 256);
        int id = ::GetDlgCtrlID(mine);
        bool link = id == IDC_EMAIL_LINK || id == IDC_HOMEPAGE_LINK;
        CHECK_EQ(::GetDlgCtrlID(shown), id);
        CHECK_EQ(wintest::Utf8(shownText), wintest::Utf8(text));
        CHECK_EQ(::GetWindowLongW(shown, GWL_STYLE) & ~WS_DISABLED,
                 ::GetWindowLongW(mine, GWL_STYLE) | (link ? SS_NOTIFY : 0));
        RECT want, got;
        ::GetWindowRect(mine, &want);
        ::MapWindowPoints(nullptr, copy, reinterpret_cast<POINT*>(&want), 2);
        ::GetWindowRect(shown, &got);
        ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&got), 2);
        SIZE extent = {};
        ::SelectObject(dc, link ? underlined : font);
        ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
        if (link) {
            want.right = want.left + extent.cx;
            want.bottom = want.top + extent.cy;
            // Drawn in the link colour, underline included. Waited for: on a busy machine the
            // box may not be painted yet, or the link may still show the hover colour of the
            // pointer that sat over it when the box opened.
            ::GetWindowRect(shown, &got);
            CHECK(WaitUntil([&got] {
                int linkPixels = 0;
                for (unsigned pixel : wintest::ReadScreen(got)) linkPixels += pixel == 0x0000EEu;
                return linkPixels >= got.right - got.left;
            }));
            ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&got), 2);
        } else if (id == IDC_AUTHOR_NAME) {
            CHECK(extent.cx <= want.right - want.left);  // the name is not cut
        }
        CHECK(::EqualRect(&got, &want));
        mine = ::GetWindow(mine, GW_HWNDNEXT);
        shown = ::GetWindow(shown, GW_HWNDNEXT);
    }
    CHECK(controls == 9 && mine == nullptr && shown == nullptr);
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
