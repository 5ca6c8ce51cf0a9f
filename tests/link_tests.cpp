// The hyperlink control and the About box on real windows: links opened through registry
// fixtures with a stand-in browser (linkrecorder.exe) that records its command line, colours
// read back from the screen, real pointer input.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/aboutbox.h"
#include "dialogs/linkstatic.h"
#include "framework/app.h"
#include "res/resource.h"
#include "support/platform.h"
#include "support/wintest.h"
#include "tests/check.h"

using wintest::Utf8;

namespace {

CWinApp theApp(L"Lantrel Test");  // the error box's caption

class TestLink : public CLinkStatic {
public:
    using CLinkStatic::OpenLink;
    using CLinkStatic::ShowOpenError;
    std::string Text() const { return Utf8(GetWindowText().Str()); }
    std::string Url() const { return Utf8(m_strUrl.Str()); }
    std::string TipText() { return Utf8(m_toolTip.GetText(this, 1).Str()); }
    // The same for any link, such as the About box's own.
    static std::string UrlOf(CLinkStatic& link) { return Utf8((link.*&TestLink::m_strUrl).Str()); }
    static std::string TipTextOf(CLinkStatic& link) {
        return Utf8((link.*&TestLink::m_toolTip).GetText(&link, 1).Str());
    }
};

std::wstring TestDir() {
    wchar_t path[MAX_PATH];
    std::wstring dir(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
    return dir.substr(0, dir.rfind(L'\\') + 1);
}

const std::wstring kRecorder = L"\"" + TestDir() + L"linkrecorder.exe\"";
const std::wstring kRecordFile = TestDir() + L"recorded.txt";

// The command line the stand-in browser was started with ("" if it did not run in waitMs).
std::string Recorded(int waitMs = 10000) {
    for (int waited = 0; waited <= waitMs; waited += 20) {
        HANDLE file =
            ::CreateFileW(kRecordFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            char text[4096];
            DWORD read = 0;
            ::ReadFile(file, text, sizeof(text), &read, nullptr);
            ::CloseHandle(file);
            ::DeleteFileW(kRecordFile.c_str());
            return std::string(text, read);
        }
        wintest::Settle(20);
    }
    return "";
}

// Opens url as a click does: what the stand-in browser received, or "code N" on failure.
std::string Open(const std::wstring& url) {
    TestLink link;
    int code = link.OpenLink(url.c_str(), SW_SHOWNOACTIVATE);
    return code > 32 ? Recorded() : "code " + std::to_string(code);
}

// Keys under HKEY_CLASSES_ROOT made for one test, removed with it.
class ClassesFixture {
public:
    ~ClassesFixture() {
        for (const auto& key : m_keys) ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    }
    void Set(const std::wstring& path, const std::wstring& value, LPCWSTR name = nullptr) {
        ::RegSetKeyValueW(HKEY_CLASSES_ROOT, path.c_str(), name, REG_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        std::wstring top = path.substr(0, path.find(L'\\'));
        if (std::find(m_keys.begin(), m_keys.end(), top) == m_keys.end()) m_keys.push_back(top);
    }
    void HtmlHandler(const std::wstring& command) {
        Set(L".htm", L"LantrelTest.Html");
        Set(L"LantrelTest.Html\\shell\\open\\command", command);
    }

private:
    std::vector<std::wstring> m_keys;
};

}  // namespace

TEST_CASE(FallbackRunsTheHtmlHandlerWithTheUrlAppended) {
    SKIP_IF(platform::NeedBareLinkAssociations());
    ClassesFixture fixture;
    const std::string program = Utf8(kRecorder);
    // An unknown scheme: the shell's own code, kept when there is no ".htm" class.
    CHECK_EQ(Open(L"lantrel-none:page"), "code 31");
    fixture.HtmlHandler(kRecorder + L" -nohome \"%1\" -x");
    CHECK_EQ(Open(L"lantrel-none:page"), program + " -nohome  lantrel-none:page");
    fixture.HtmlHandler(kRecorder + L" -nohome %1");
    CHECK_EQ(Open(L"lantrel-none:page"), program + " -nohome  lantrel-none:page");
    fixture.HtmlHandler(kRecorder + L" -nohome");
    CHECK_EQ(Open(L"lantrel-none:page"), program + " -nohome lantrel-none:page");
    // Quotation marks, blanks and other characters cannot split or leave the one argument.
    CHECK_EQ(Open(L"lantrel-none:a\"b c\u00e9"), program + " -nohome lantrel-none:a%22b%20c%C3%A9");
    // The longest command line that fits the 520-character buffer runs whole.
    fixture.HtmlHandler(kRecorder + L" %1");
    std::wstring url = L"lantrel-none:";
    url.append(519 - kRecorder.size() - 2 - url.size(), L'a');
    CHECK_EQ(Open(url), program + "  " + Utf8(url));
}

TEST_CASE(FallbackRefusesWhatItCannotRunAsRegistered) {
    SKIP_IF(platform::NeedBareLinkAssociations());
    ClassesFixture fixture;
    fixture.Set(L".htm", L"LantrelTest.Html");  // a class without an open command
    CHECK_EQ(Open(L"lantrel-none:x"), "code 31");
    // A value longer than the registry buffer is not read at all, never cut short.
    fixture.HtmlHandler(kRecorder + L" " + std::wstring(300, L'x') + L" %1");
    CHECK_EQ(Open(L"lantrel-none:x"), "code 31");
    fixture.HtmlHandler(L"\"" + TestDir() + L"linkrecorder.exe -x \"%1\"");  // quote left open
    CHECK_EQ(Open(L"lantrel-none:x"), "code 27");
    fixture.HtmlHandler(L"\"%1\"");  // nothing but the placeholder
    CHECK_EQ(Open(L"lantrel-none:x"), "code 27");
    fixture.HtmlHandler(L"C:\\lantrel-nowhere\\browser.exe %1");
    CHECK_EQ(Open(L"lantrel-none:x"), "code 2");  // WinExec's failure
    fixture.HtmlHandler(kRecorder + L" %1");
    std::wstring url = L"lantrel-none:";
    url.append(520 - kRecorder.size() - 2 - url.size(), L'a');  // one character too many
    CHECK_EQ(Open(url), "code 8");
    CHECK_EQ(Open(L""), "code 2");  // nothing to open
    CHECK_EQ(Open(L"  "), "code 2");
    CHECK_EQ(Recorded(500), "");
}

TEST_CASE(ErrorBoxShowsTheMessageOfEachCode) {
    const std::pair<int, const char*> table[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30,
         "The DDE transaction could not\nbe completed because other DDE transactions\n"
         "were being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {1, "Unknown Error (1) occurred."},
        {33, "Unknown Error (33) occurred."},
    };
    TestLink link;
    wintest::BoxCloser closer(L"Lantrel Test");
    for (const auto& row : table) link.ShowOpenError(row.first);
    std::vector<std::string> texts = closer.Texts();
    CHECK_EQ(texts.size(), std::size(table));
    for (size_t i = 0; i < texts.size() && i < std::size(table); ++i) {
        CHECK_EQ(texts[i], std::string("Unable to open hyperlink:\n\n") + table[i].second);
    }
}

namespace {

// Pumps like the modal loop: the link sees its messages first (the tooltip relay).
void Pump(int ms) {
    DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (CWnd::WalkPreTranslateTree(nullptr, &msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjectsEx(0, nullptr, 5, QS_ALLINPUT, 0);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

// The one link colour the screen shows in rect, at least along the underline: 'n'ormal,
// 'v'isited, 'h'over; '?' for none or a mixture.
char ShownColour(const RECT& rect) {
    COLORREF hover = ::GetSysColor(COLOR_HIGHLIGHT);
    const unsigned colours[3] = {0x0000EEu, 0x551A8Bu,
                                 RGB(GetBValue(hover), GetGValue(hover), GetRValue(hover))};
    int counts[3] = {0, 0, 0};
    for (unsigned pixel : wintest::ReadScreen(rect)) {
        for (int i = 0; i < 3; ++i) counts[i] += pixel == colours[i];
    }
    int shown = -1;
    for (int i = 0; i < 3; ++i) {
        if (counts[i] > 0) shown = shown == -1 && counts[i] >= rect.right - rect.left ? i : 3;
    }
    return shown >= 0 && shown < 3 ? "nvh"[shown] : '?';
}

HCURSOR CursorOf(CWnd& link) {
    ::SetCursor(nullptr);
    link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
}

// Cursor 109: 32 x 32 monochrome (a 32 x 64 mask and no colour), hot spot (6, 0).
bool IsHandCursor(HCURSOR cursor) {
    ICONINFO info = {};
    if (cursor == nullptr || !::GetIconInfo(cursor, &info)) return false;
    BITMAP mask = {};
    ::GetObjectW(info.hbmMask, sizeof(mask), &mask);
    bool hand = !info.fIcon && info.xHotspot == 6 && info.yHotspot == 0 &&
                info.hbmColor == nullptr && mask.bmWidth == 32 && mask.bmHeight == 64;
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return hand;
}

std::string VisibleTipText() {
    HWND tip = nullptr;
    while ((tip = ::FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr))) {
        if (!::IsWindowVisible(tip)) continue;
        wchar_t text[512] = {};
        TOOLINFOW info = {};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.lpszText = text;
        ::SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        return Utf8(text);
    }
    return "";
}

}  // namespace

TEST_CASE(LinkGoesNormalHoverVisitedAndBackOnScreen) {
    SKIP_IF(platform::NeedBareLinkAssociations());
    ClassesFixture fixture;  // a scheme the shell itself opens with the stand-in browser
    fixture.Set(L"lantrel-test", L"", L"URL Protocol");
    fixture.Set(L"lantrel-test\\shell\\open\\command", kRecorder + L" \"%1\"");
    CAboutBox box;
    CHECK(box.Create(IDD_ABOUTBOX));
    box.ShowWindow(SW_SHOW);
    auto* link =
        dynamic_cast<CLinkStatic*>(CWnd::FromHandlePermanent(box.GetDlgItem(IDC_EMAIL_LINK)));
    CHECK(link != nullptr);
    if (link == nullptr) return;
    RECT rect, dialog;
    link->GetWindowRect(&rect);
    box.GetWindowRect(&dialog);
    auto moveTo = [](int x, int y) {
        wintest::MoveMouse(x, y);
        Pump(150);
    };
    const int overY = (rect.top + rect.bottom) / 2;
    moveTo(dialog.left + 12, dialog.bottom - 12);
    CHECK_EQ(ShownColour(rect), 'n');
    moveTo(rect.left + 4, overY);
    CHECK_EQ(ShownColour(rect), 'h');
    CHECK(::GetCapture() == link->m_hWnd);
    CHECK(IsHandCursor(::GetCursor()));
    std::string tip;  // shown once the pointer rests
    for (int i = 0; i < 100 && tip.empty(); ++i) {
        Pump(50);
        tip = VisibleTipText();
    }
    CHECK_EQ(tip, "mailto:pat@example.com");

    link->SetLinkUrl(L"lantrel-test:visit");
    wintest::ClickMouse();
    Pump(100);
    CHECK_EQ(Recorded(), Utf8(kRecorder) + " \"lantrel-test:visit\"");
    CHECK_EQ(ShownColour(rect), 'h');  // hover wins while the pointer stays
    moveTo(dialog.left + 12, dialog.bottom - 12);
    CHECK_EQ(ShownColour(rect), 'v');
    CHECK(::GetCapture() == nullptr);

    link->SetLinkUrl(L"lantrel-none:fail");
    moveTo(rect.left + 16, overY);  // elsewhere on the link: no double click
    std::vector<std::string> texts;
    {
        wintest::BoxCloser closer(L"Lantrel Test");
        wintest::ClickMouse();
        for (int i = 0; i < 200 && texts.empty(); ++i) {
            Pump(50);
            texts = closer.Texts();
        }
    }
    CHECK(texts.size() == 1 && texts[0] ==
                                   "Unable to open hyperlink:\n\nThere is no application "
                                   "associated\nwith the given filename extension.");
    CHECK(::GetActiveWindow() == box.m_hWnd);  // back to the box the error box was over
    moveTo(dialog.left + 12, dialog.bottom - 12);
    CHECK_EQ(ShownColour(rect), 'n');  // visited cleared, and no hover left behind
    box.DestroyWindow();
}

TEST_CASE(AboutBoxLinksTargetTheAuthorsAddressAndHomepage) {
    CAboutBox box;
    CHECK(box.Create(IDD_ABOUTBOX));
    const std::pair<int, const char*> links[] = {{IDC_EMAIL_LINK, "mailto:pat@example.com"},
                                                 {IDC_HOMEPAGE_LINK, "http://www.example.org/"}};
    for (const auto& [id, target] : links) {
        auto* link = dynamic_cast<CLinkStatic*>(CWnd::FromHandlePermanent(box.GetDlgItem(id)));
        CHECK(link != nullptr);
        if (link == nullptr) continue;
        CHECK_EQ(TestLink::UrlOf(*link), target);  // what a click opens
        CHECK_EQ(TestLink::TipTextOf(*link), target);
    }
    box.DestroyWindow();
}

TEST_CASE(FitToTextKeepsTheEdgeItsAlignmentKeeps) {
    CDialog dialog(IDD_ABOUTBOX);
    CHECK(dialog.Create(IDD_ABOUTBOX));
    auto rectOf = [&](CWnd& child) {
        RECT r;
        child.GetWindowRect(&r);
        ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    auto textSize = [](CStatic& link) {
        SIZE size = {};
        CClientDC dc(link.m_hWnd);
        CSelectObject selected(dc, link.GetFont());
        CString text = link.GetWindowText();
        ::GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
        return size;
    };
    // The template's e-mail link: left-aligned, 102 x 8 dialog units, becomes its text.
    RECT before = {71, 30, 71 + 102, 30 + 8};
    ::MapDialogRect(dialog.m_hWnd, &before);
    TestLink email;
    email.SubclassDlgItem(IDC_EMAIL_LINK, &dialog);
    RECT after = rectOf(email);
    SIZE text = textSize(email);
    RECT want = {before.left, before.top, before.left + text.cx, before.top + text.cy};
    CHECK(text.cx < before.right - before.left && ::EqualRect(&after, &want));

    // 201 x 41 pixels: the odd margins are halved with truncation.
    for (DWORD style : {SS_RIGHT, SS_CENTER, SS_CENTERIMAGE, SS_CENTER | SS_CENTERIMAGE}) {
        HWND control =
            ::CreateWindowW(L"STATIC", L"Link text", WS_CHILD | style, 10, 10, 201, 41,
                            dialog.m_hWnd, reinterpret_cast<HMENU>(2000), nullptr, nullptr);
        ::SendMessageW(control, WM_SETFONT, dialog.SendMessage(WM_GETFONT), FALSE);
        TestLink link;
        link.SubclassDlgItem(2000, &dialog);
        SIZE size = textSize(link);
        int dx = (201 - size.cx) / 2, dy = (41 - size.cy) / 2;
        RECT r = rectOf(link);
        if (style & SS_CENTERIMAGE) {
            CHECK(r.top == 10 + dy && r.bottom == 51 - dy);
        } else {
            CHECK(r.top == 10 && r.bottom == 10 + size.cy);
        }
        if (style & SS_CENTER) {
            CHECK(r.left == 10 + dx && r.right == 211 - dx);
        } else if (style & SS_RIGHT) {
            CHECK(r.left == 211 - size.cx && r.right == 211);
        } else {
            CHECK(r.left == 10 && r.right == 10 + size.cx);
        }
        link.DestroyWindow();
    }
    dialog.DestroyWindow();
}

TEST_CASE(BlankTextShowsTheUrlAndBlankUrlTakesTheText) {
    CDialog dialog(IDD_ABOUTBOX);
    CHECK(dialog.Create(IDD_ABOUTBOX));
    auto attach = [&](TestLink& link, UINT id, LPCWSTR text, bool font) {
        HWND control = ::CreateWindowW(L"STATIC", text, WS_CHILD, 10, 10, 150, 20, dialog.m_hWnd,
                                       reinterpret_cast<HMENU>(UINT_PTR{id}), nullptr, nullptr);
        if (font) ::SendMessageW(control, WM_SETFONT, dialog.SendMessage(WM_GETFONT), FALSE);
        link.SubclassDlgItem(id, &dialog);
    };
    TestLink before, after, plain;
    before.SetLinkUrl(L"lantrel-test:before");  // given before the control is attached
    attach(before, 2001, L"", true);
    CHECK(before.Text() == "lantrel-test:before" && before.TipText() == "lantrel-test:before");
    attach(after, 2002, L"", true);  // as the About box does it: URL set afterwards
    after.SetLinkUrl(L"lantrel-test:after");
    CHECK(after.Text() == "lantrel-test:after" && after.TipText() == "lantrel-test:after");
    RECT r;
    after.GetClientRect(&r);
    CHECK(r.right > 0 && r.bottom > 0);
    // No URL: the text is the target.  No font of its own: the system font, underlined.
    attach(plain, 2003, L"Click here", false);
    CHECK(plain.Url() == "Click here" && plain.TipText() == "Click here");
    LOGFONTW logFont = {};
    CHECK(::GetObjectW(plain.GetFont(), sizeof(logFont), &logFont) == sizeof(logFont));
    CHECK_EQ(logFont.lfUnderline, 1);
    dialog.DestroyWindow();
}

TEST_CASE(EachLinkOwnsItsCursor) {
    CDialog dialog(IDD_ABOUTBOX);
    CHECK(dialog.Create(IDD_ABOUTBOX));
    auto first = std::make_unique<TestLink>();
    first->SubclassDlgItem(IDC_EMAIL_LINK, &dialog);
    TestLink second;
    second.SubclassDlgItem(IDC_HOMEPAGE_LINK, &dialog);
    HCURSOR firstCursor = CursorOf(*first), secondCursor = CursorOf(second);
    CHECK(IsHandCursor(firstCursor) && IsHandCursor(secondCursor));
    first->DestroyWindow();
    first.reset();
    ICONINFO info = {};
    CHECK(!::GetIconInfo(firstCursor, &info));                              // went with its link
    CHECK(CursorOf(second) == secondCursor && IsHandCursor(secondCursor));  // the other's works
    dialog.DestroyWindow();
}

namespace {

struct AboutCycle {
    std::vector<HGDIOBJ> fonts;
    std::vector<HCURSOR> cursors;
    int links = 0;  // links found, each with the hand cursor
} g_cycle;

// Runs inside the About box's modal loop: looks at the links, then presses OK.
void CALLBACK InspectAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    HWND box = ::FindWindowW(L"#32770", L"About Quorlish");
    for (int id : {IDC_EMAIL_LINK, IDC_HOMEPAGE_LINK}) {
        CWnd* link = CWnd::FromHandlePermanent(::GetDlgItem(box, id));
        if (link == nullptr) continue;
        g_cycle.fonts.push_back(reinterpret_cast<HGDIOBJ>(link->SendMessage(WM_GETFONT)));
        g_cycle.cursors.push_back(CursorOf(*link));
        g_cycle.links += IsHandCursor(g_cycle.cursors.back());
    }
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

int ThreadWindows() {
    int count = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND, LPARAM n) { return BOOL{++*reinterpret_cast<int*>(n) > 0}; },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

TEST_CASE(AboutBoxOpensAndClosesAHundredTimes) {
    int windows = ThreadWindows(), failures = 0;
    DWORD start = ::GetTickCount();
    for (int i = 0; i < 100; ++i) {
        g_cycle = AboutCycle();
        ::SetTimer(nullptr, 0, 1, InspectAboutBox);
        INT_PTR result = CAboutBox().DoModal();
        bool ok = result == IDOK && g_cycle.links == 2 && g_cycle.fonts[0] != g_cycle.fonts[1];
        // Everything the two links made is gone with the box.
        ICONINFO info = {};
        for (HCURSOR cursor : g_cycle.cursors) ok = ok && !::GetIconInfo(cursor, &info);
        for (HGDIOBJ font : g_cycle.fonts) ok = ok && ::GetObjectType(font) == 0;
        failures += !(ok && ThreadWindows() == windows);
    }
    CHECK_EQ(failures, 0);
    std::printf("  measured: 100 About boxes opened and closed in %lu ms\n",
                ::GetTickCount() - start);
}

int main(int argc, char** argv) {
    ::SetEnvironmentVariableW(L"LANTREL_RECORD_FILE", kRecordFile.c_str());  // for the recorder
    return check::RunAllTests(argc, argv);
}
