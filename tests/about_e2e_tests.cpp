// Help > About of the real lantrel.exe, driven from outside as a user would: template 100 as
// shipped, the box centred over the frame, the links fitted to their text and drawn in the link
// colour, a link that fails explained in a box with the application's title, OK closes it.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "res/resource.h"
#include "support/platform.h"
#include "support/program.h"
#include "support/wintest.h"
#include "tests/check.h"

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

// While it lives, mailto: links open a program that does not exist, and no program is
// registered for ".htm" files (as in a fresh prefix), so a click on the e-mail link fails.
class MailtoGoesNowhere {
public:
    MailtoGoesNowhere() {
        DWORD size = sizeof(m_saved);
        m_bHadValue = ::RegGetValueW(HKEY_CLASSES_ROOT, kKey, nullptr, RRF_RT_REG_SZ, nullptr,
                                     m_saved, &size) == ERROR_SUCCESS;
        Set(L"\"C:\\lantrel-nowhere\\mail.exe\" \"%1\"");
    }
    ~MailtoGoesNowhere() {
        if (m_bHadValue) {
            Set(m_saved);
        } else {
            ::RegDeleteKeyValueW(HKEY_CLASSES_ROOT, kKey, nullptr);
        }
    }
    MailtoGoesNowhere(const MailtoGoesNowhere&) = delete;
    MailtoGoesNowhere& operator=(const MailtoGoesNowhere&) = delete;

private:
    static constexpr const wchar_t* kKey = L"mailto\\shell\\open\\command";
    static void Set(const wchar_t* value) {
        ::RegSetKeyValueW(HKEY_CLASSES_ROOT, kKey, nullptr, REG_SZ, value,
                          static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(wchar_t)));
    }
    wchar_t m_saved[1024] = {};
    bool m_bHadValue = false;
};

struct DialogSearch {
    DWORD processId;
    HWND except, found;
};

// A visible dialog of the process other than except, or nullptr.
HWND OtherDialog(DWORD processId, HWND except) {
    DialogSearch search = {processId, except, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM param) {
            auto* s = reinterpret_cast<DialogSearch*>(param);
            DWORD owner = 0;
            wchar_t windowClass[16] = {};
            ::GetWindowThreadProcessId(hWnd, &owner);
            ::GetClassNameW(hWnd, windowClass, 16);
            if (owner == s->processId && hWnd != s->except && ::IsWindowVisible(hWnd) &&
                lstrcmpW(windowClass, L"#32770") == 0) {
                s->found = hWnd;
            }
            return s->found == nullptr ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

TEST_CASE(ShippedAboutBoxTemplate) {
    HMODULE program =
        ::LoadLibraryExW(program::LantrelPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    CHECK(program != nullptr);
    if (program == nullptr) return;
    const std::wstring want =
        L"80C800C0 0 0 0 182 80 ||About Quorlish|10 System|\n"
        L"50000003 0 7 56 20 20 -1 STATIC|#128|\n"
        L"50020001 0 13 6 161 8 -1 STATIC|Lantrel Version 1.01|\n"
        L"50030001 0 144 58 32 14 1 BUTTON|OK|\n"
        L"50020002 0 45 21 24 8 -1 STATIC|Author:|\n"
        L"50020100 0 71 30 102 8 1008 STATIC|pat@example.com|\n"
        L"50020000 0 71 21 27 8 118 STATIC|Pat E.|\n"
        L"50020002 0 47 30 22 8 -1 STATIC|Email:|\n"
        L"50020002 0 31 40 38 8 -1 STATIC|Homepage:|\n"
        L"50020100 0 71 40 38 8 1007 STATIC|example.org|\n";
    std::wstring got = wintest::ReadDialogTemplate(program, IDD_ABOUTBOX);
    CHECK(got == want);
    if (got != want) std::printf("  template 100 reads:\n%s", wintest::Utf8(got).c_str());
    ::FreeLibrary(program);
}

// What Explorer shows of lantrel.exe (Properties > Details), and the same version as the About box.
TEST_CASE(VersionResourceSaysTheAboutBoxVersion) {
    const std::wstring want =
        L"FILEVERSION 1.1.0.0 PRODUCTVERSION 1.1.0.0 FILETYPE 1 TRANSLATION 0409 04B0\n"
        L"CompanyName|The Lantrel developers|\n"
        L"FileDescription|Lantrel picture transitions|\n"
        L"FileVersion|1.01|\n"
        L"InternalName|lantrel|\n"
        L"LegalCopyright|Copyright (c) 2026 the Lantrel developers, MIT License|\n"
        L"OriginalFilename|lantrel.exe|\n"
        L"ProductName|Lantrel|\n"
        L"ProductVersion|1.01|\n";
    std::wstring got = wintest::ReadVersionResource(program::LantrelPath());
    CHECK(got == want);
    if (got != want) std::printf("  the version resource reads:\n%s", wintest::Utf8(got).c_str());
    size_t at = got.find(L"ProductVersion|");
    at = at == std::wstring::npos ? got.size() : at + 15;
    std::wstring version = got.substr(at, got.find(L'|', at) - at);
    HMODULE program =
        ::LoadLibraryExW(program::LantrelPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::wstring about = wintest::ReadDialogTemplate(program, IDD_ABOUTBOX);
    CHECK(about.find(L" STATIC|Lantrel Version " + version + L"|\n") != std::wstring::npos);
    if (program != nullptr) ::FreeLibrary(program);
}

TEST_CASE(HelpAboutShowsTheBoxOverTheFrameAndOkClosesIt) {
    std::wstring exe = program::LantrelPath();
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
    // are fitted to their underlined text from their top-left corner.
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
                 ::GetWindowLongW(mine, GWL_STYLE));
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

    // A link that cannot be opened: the error box over the About box has the application's
    // title as its caption.
    const std::string why = platform::NeedBareLinkAssociations();
    if (!why.empty()) std::printf("  no failing link tried: %s\n", why.c_str());
    if (why.empty()) {
        MailtoGoesNowhere fixture;
        RECT email;
        ::GetWindowRect(::GetDlgItem(box, IDC_EMAIL_LINK), &email);
        wintest::MoveMouse(email.left + 3, (email.top + email.bottom) / 2);
        ::Sleep(100);
        wintest::ClickMouse();
        HWND error = nullptr;
        CHECK(
            WaitUntil([&] { return (error = OtherDialog(process.dwProcessId, box)) != nullptr; }));
        wchar_t caption[64] = {}, text[512] = {};
        ::GetWindowTextW(error, caption, 64);
        ::GetDlgItemTextW(error, 0xFFFF, text, 512);
        CHECK_EQ(wintest::Utf8(caption), "Dorvel");
        CHECK(wintest::Utf8(text).find("Unable to open hyperlink:\n\n") == 0);
        ::PostMessageW(error, WM_COMMAND, IDOK, 0);
        CHECK(WaitUntil([error] { return !::IsWindow(error); }));
        wintest::MoveMouse(0, 0);
    }

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
    return check::RunAllTests(argc, argv, platform::NeedWineSettings());
}
