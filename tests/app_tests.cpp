// The real lantrel.exe, started and driven from outside as a user would: menu commands, keys,
// command lines; its frame, menu, pictures and files checked from outside.
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "res/resource.h"
#include "support/platform.h"
#include "support/program.h"
#include "support/wintest.h"
#include "tests/check.h"

using program::Lantrel;

namespace {

// Where the 800 x 600 frame's left edge lies centred on this screen (112 on 1024 x 768).
int CentredLeft() {
    return ::GetSystemMetrics(SM_CXSCREEN) / 2 - 800 / 2;
}

char Shown(const Lantrel& app) {
    return program::ShownPicture(app);
}

std::wstring TempFile(const wchar_t* name, const std::string& contents) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + name;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    ::CloseHandle(file);
    return path;
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(1 << 16, '\0');
    DWORD read = 0;
    ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

std::wstring RecentFile(int n) {
    wchar_t name[16];
    wsprintfW(name, L"File%d", n);
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    LONG status = ::RegGetValueW(
        HKEY_CURRENT_USER,
        L"software\\Local AppWizard-Generated Applications\\Dorvel\\Recent File List", name,
        RRF_RT_REG_SZ, nullptr, value, &size);
    return status == ERROR_SUCCESS ? value : L"";
}

void SetRecentFiles(const std::vector<std::wstring>& paths) {
    const wchar_t* key =
        L"software\\Local AppWizard-Generated Applications\\Dorvel\\Recent File List";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key);
    HKEY list = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &list, nullptr);
    for (size_t i = 0; i < paths.size(); ++i) {
        wchar_t name[16];
        wsprintfW(name, L"File%d", static_cast<int>(i + 1));
        ::RegSetValueExW(list, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(paths[i].c_str()),
                         static_cast<DWORD>((paths[i].size() + 1) * sizeof(wchar_t)));
    }
    ::RegCloseKey(list);
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

int g_nPaints = 0;

LRESULT CALLBACK CountingPaints(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        ++g_nPaints;
        PAINTSTRUCT paint;
        ::BeginPaint(hWnd, &paint);
        ::EndPaint(hWnd, &paint);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A window of this process at the bottom right of the screen, clear of the frame, that counts
// its paints in g_nPaints and never takes the focus.
HWND OpenPaintCounter() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = CountingPaints;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"LantrelTestPaintCounter";
    ::RegisterClassW(&windowClass);
    HWND counter = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClass.lpszClassName,
                                     L"", WS_POPUP, ::GetSystemMetrics(SM_CXSCREEN) - 90,
                                     ::GetSystemMetrics(SM_CYSCREEN) - 68, 80, 60, nullptr, nullptr,
                                     windowClass.hInstance, nullptr);
    ::ShowWindow(counter, SW_SHOWNOACTIVATE);
    return counter;
}

}  // namespace

TEST_CASE(StartsCentredAtItsSizeShowingGenie) {
    Lantrel app;
    CHECK(app.Start());
    if (!app.Frame()) return;
    RECT frame;
    ::GetWindowRect(app.Frame(), &frame);
    // Centred: on a 1024 x 768 screen (1024 / 2 - 800 / 2, 768 / 2 - 600 / 2) = (112, 84).
    CHECK_EQ(frame.left, CentredLeft());
    CHECK_EQ(frame.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - 600 / 2);
    CHECK_EQ(frame.right - frame.left, 800);
    CHECK_EQ(frame.bottom - frame.top, 600);
    CHECK(!::IsZoomed(app.Frame()));
    wchar_t caption[64] = {};
    ::GetWindowTextW(app.Frame(), caption, 64);
    CHECK(lstrcmpW(caption, L"Lantrel") == 0);
    // A thin border, system menu, minimise and maximise boxes, and no sizing border.
    DWORD style = static_cast<DWORD>(::GetWindowLongW(app.Frame(), GWL_STYLE));
    const DWORD boxes = WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    CHECK_EQ(style & (boxes | WS_THICKFRAME), boxes);
    // The client area is smaller than the picture: the picture is cut off at the right/bottom.
    RECT view = app.ViewOnScreen();
    CHECK(view.right - view.left < 800);
    CHECK(view.bottom - view.top < 600);
    CHECK_EQ(Shown(app), 'G');
    // No tool bar or status bar: the view is the frame's only child.
    CHECK(::GetWindow(app.View(), GW_HWNDNEXT) == nullptr);
    CHECK(::GetWindow(app.View(), GW_HWNDPREV) == nullptr);
}

TEST_CASE(EveryViewCommandBringsTheOtherPicture) {
    Lantrel app;
    CHECK(app.Start());
    if (!app.Frame()) return;
    char expected = 'M';
    for (UINT id : program::PictureCommands()) {
        app.SendCommand(id);
        program::Wait(150);
        char shown = Shown(app);
        if (shown != expected) std::printf("  after command %u\n", id);
        CHECK_EQ(shown, expected);
        expected = expected == 'M' ? 'G' : 'M';
    }
    // The view has no window region left after any transition.
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    CHECK_EQ(::GetWindowRgn(app.View(), region), ERROR);
    ::DeleteObject(region);
}

TEST_CASE(CommandsWithoutHandlersDoNothing) {
    Lantrel app;
    CHECK(app.Start());
    if (!app.Frame()) return;
    const UINT idle[] = {ID_EDIT_UNDO,
                         ID_EDIT_CUT,
                         ID_EDIT_COPY,
                         ID_EDIT_PASTE,
                         ID_NEXT_PANE,
                         ID_PREV_PANE,
                         ID_DIALOG_SMOOTH_VERTICAL};
    for (UINT id : idle) app.SendCommand(id);
    // Their keys too: Ctrl+Z, Ctrl+X, Ctrl+C, Ctrl+V, Alt+Backspace, Shift+Delete,
    // Ctrl+Insert, Shift+Insert, F6, Shift+F6.
    app.Keys({VK_CONTROL, 'Z'});
    app.Keys({VK_CONTROL, 'X'});
    app.Keys({VK_CONTROL, 'C'});
    app.Keys({VK_CONTROL, 'V'});
    app.Keys({VK_MENU, VK_BACK});
    app.Keys({VK_SHIFT, VK_DELETE});
    app.Keys({VK_CONTROL, VK_INSERT});
    app.Keys({VK_SHIFT, VK_INSERT});
    app.Keys({VK_F6});
    app.Keys({VK_SHIFT, VK_F6});
    CHECK(app.Running());
    CHECK_EQ(Shown(app), 'G');
    CHECK(app.OtherWindows().empty());
    // Ctrl+N is File New: the document starts again and the picture switches at once.
    app.Keys({VK_CONTROL, 'N'});
    program::Wait(300);
    CHECK_EQ(Shown(app), 'M');
}

TEST_CASE(OpenedFilesEnterTheRecentFileListAndSaveKeepsTheirBytes) {
    const std::string precious = "precious bytes \x01\x02\x03 that must survive";
    std::wstring path = TempFile(L"lantrel-open.dat", precious);
    Lantrel app;
    CHECK(app.Start(L"\"" + path + L"\""));
    if (!app.Frame()) return;
    CHECK_EQ(Shown(app), 'G');
    wchar_t caption[64] = {};
    ::GetWindowTextW(app.Frame(), caption, 64);
    CHECK(lstrcmpiW(caption, L"Lantrel") == 0);
    CHECK_EQ(Narrow(RecentFile(1)), Narrow(path));
    // Save: nothing of the document's own to write, and the file keeps every byte.
    app.SendCommand(ID_FILE_SAVE);
    program::Wait(200);
    CHECK(app.OtherWindows().empty());
    CHECK_EQ(ReadFileBytes(path), precious);
    app.Keys({VK_CONTROL, 'S'});
    CHECK_EQ(ReadFileBytes(path), precious);
    CHECK_EQ(Narrow(RecentFile(1)), Narrow(path));  // saving keeps the entry intact
    // The recent-file item reopens it: the picture switches at once.
    app.SendCommand(ID_FILE_MRU_FILE1);
    program::Wait(300);
    CHECK_EQ(Shown(app), 'M');
    CHECK_EQ(ReadFileBytes(path), precious);
    ::DeleteFileW(path.c_str());
}

TEST_CASE(FileOpenTakesAnyFileAndSwitchesThePicture) {
    std::wstring path = TempFile(L"lantrel-any.bin", std::string("\0\xff binary", 9));
    Lantrel app;
    CHECK(app.Start());
    if (!app.Frame()) return;
    app.Keys({VK_CONTROL, 'O'});  // the Open dialog
    CHECK(app.WaitForOtherWindow() != nullptr);
    Lantrel::Type(path);
    Lantrel::Press({VK_RETURN});
    program::Wait(1000);
    CHECK(app.OtherWindows().empty());
    CHECK_EQ(Shown(app), 'M');
    CHECK_EQ(Narrow(RecentFile(1)), Narrow(path));
    CHECK_EQ(ReadFileBytes(path), std::string("\0\xff binary", 9));
    ::DeleteFileW(path.c_str());
}

TEST_CASE(FourRecentFilesGoRoundThroughRestarts) {
    std::vector<std::wstring> files;
    for (const wchar_t* name :
         {L"lantrel-mru1.txt", L"lantrel-mru2.txt", L"lantrel-mru3.txt", L"lantrel-mru4.txt"}) {
        files.push_back(TempFile(name, "any"));
    }
    SetRecentFiles(files);
    // Each run opens the fourth entry, which moves to the top; the next run reads that list.
    for (int run = 0; run < 2; ++run) {
        Lantrel app;
        CHECK(app.Start());
        if (!app.Frame()) return;
        app.SendCommand(ID_FILE_MRU_FILE4);
        CHECK_EQ(program::AwaitPicture(app, 'M', 5000), 'M');  // a busy machine may lag
        app.PostCommand(ID_APP_EXIT);
        CHECK_EQ(app.WaitExit(), 0);
        std::rotate(files.begin(), files.begin() + 3, files.end());
        for (int n = 1; n <= 4; ++n) CHECK_EQ(Narrow(RecentFile(n)), Narrow(files[n - 1]));
    }
    for (const std::wstring& path : files) ::DeleteFileW(path.c_str());
}

TEST_CASE(BrokenRecentFileEntriesAreDroppedWithTheFrameworksMessage) {
    const wchar_t* key =
        L"software\\Local AppWizard-Generated Applications\\Dorvel\\Recent File List";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key);
    HKEY list = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &list, nullptr);
    auto set = [&](const wchar_t* name, const std::wstring& value) {
        ::RegSetValueExW(list, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    };
    set(L"File1", L"Z:\\no\\such\\gone.txt");  // a file that no longer exists
    set(L"File2", L"");                        // empty
    set(L"File3", std::wstring(40000, L'y'));  // overlong
    DWORD number = 7;
    ::RegSetValueExW(list, L"File4", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    ::RegCloseKey(list);

    Lantrel app;
    CHECK(app.Start());
    if (!app.Frame()) return;
    app.PostCommand(ID_FILE_MRU_FILE1);
    HWND box = app.WaitForOtherWindow();
    CHECK(box != nullptr);  // the open failed and said so
    Lantrel::Press({VK_RETURN});
    program::Wait(500);
    CHECK(app.OtherWindows().empty());
    CHECK(app.Running());
    CHECK_EQ(Shown(app), 'G');            // nothing else changed
    CHECK_EQ(Narrow(RecentFile(1)), "");  // and the entry is gone
    app.PostCommand(ID_FILE_MRU_FILE1);   // nothing left to open: nothing happens
    program::Wait(500);
    CHECK(app.OtherWindows().empty());
}

TEST_CASE(SaveAfterAFailedOpenNeverRevivesTheMissingFile) {
    std::wstring gone = TempFile(L"lantrel-gone.dat", "deleted soon");
    std::wstring kept = TempFile(L"lantrel-kept.dat", "kept bytes");
    SetRecentFiles({});
    {
        // The document's own file deleted behind its back: reopening it from the list fails,
        // and from then on Save asks for a name.
        Lantrel app;
        CHECK(app.Start(L"\"" + gone + L"\""));
        if (!app.Frame()) return;
        ::DeleteFileW(gone.c_str());
        app.PostCommand(ID_FILE_MRU_FILE1);
        CHECK(app.WaitForOtherWindow() != nullptr);  // the failed open says so
        Lantrel::Press({VK_RETURN});
        program::Wait(300);
        CHECK_EQ(Shown(app), 'G');  // and changes nothing on screen
        app.Keys({VK_CONTROL, 'S'});
        HWND saveAs = app.WaitForOtherWindow(5000);
        CHECK(saveAs != nullptr);
        if (saveAs != nullptr) Lantrel::Press({VK_ESCAPE});
        CHECK(::GetFileAttributesW(gone.c_str()) == INVALID_FILE_ATTRIBUTES);
        CHECK_EQ(Narrow(RecentFile(1)), "");
    }
    {
        // A document with a file of its own keeps it: Save goes there without asking.
        ::DeleteFileW(gone.c_str());
        SetRecentFiles({gone});
        Lantrel app;
        CHECK(app.Start(L"\"" + kept + L"\""));
        if (!app.Frame()) return;
        app.PostCommand(ID_FILE_MRU_FILE2);
        CHECK(app.WaitForOtherWindow() != nullptr);
        Lantrel::Press({VK_RETURN});
        app.Keys({VK_CONTROL, 'S'});
        program::Wait(500);
        CHECK(app.OtherWindows().empty());
        CHECK(::GetFileAttributesW(gone.c_str()) == INVALID_FILE_ATTRIBUTES);
        CHECK_EQ(ReadFileBytes(kept), "kept bytes");
        CHECK_EQ(Narrow(RecentFile(1)), Narrow(kept));
        CHECK_EQ(Narrow(RecentFile(2)), "");
    }
    ::DeleteFileW(gone.c_str());
    ::DeleteFileW(kept.c_str());
}

TEST_CASE(EveryWayOfClosingEndsTheProgramWithoutQuestions) {
    struct Way {
        const char* name;
        int kind;
    };
    const Way ways[] = {{"File Exit", 0}, {"system menu Close", 1}, {"Alt+F4", 2}};
    for (const Way& way : ways) {
        Lantrel app;
        CHECK(app.Start());
        if (!app.Frame()) continue;
        if (way.kind == 0) app.PostCommand(ID_APP_EXIT);
        if (way.kind == 1) ::PostMessageW(app.Frame(), WM_SYSCOMMAND, SC_CLOSE, 0);
        if (way.kind == 2) app.Keys({VK_MENU, VK_F4});
        int code = app.WaitExit(15000);
        if (code != 0) std::printf("  closing by %s\n", way.name);
        CHECK_EQ(code, 0);
    }
}

TEST_CASE(ClosedUnderTheMeshedDialogItEndsAndRepaintsNothingElse) {
    HWND counter = OpenPaintCounter();
    Lantrel app;
    CHECK(app.Start());
    if (app.Frame()) {
        app.PostCommand(ID_VIEW_SEMI_TRANSPARENT);
        HWND dialog = app.WaitForOtherWindow();
        CHECK(dialog != nullptr);
        RECT grown, now;
        ::GetWindowRect(app.Frame(), &grown);
        g_nPaints = 0;
        ::PostMessageW(app.Frame(), WM_CLOSE, 0, 0);  // reaches the frame through the modal loop
        // The frame shrinks away alone: the dialog is off the screen before the first step.
        for (int waited = 0; waited < 15000 && ::GetWindowRect(app.Frame(), &now) &&
                             ::EqualRect(&now, &grown);
             waited += 1) {
            ::Sleep(1);
        }
        CHECK(!::IsWindowVisible(dialog));
        CHECK_EQ(app.WaitExit(), 0);
        program::Wait(300);
        CHECK_EQ(g_nPaints, 0);  // windows outside the program were left alone
    }
    ::DestroyWindow(counter);
}

TEST_CASE(CommandLinesThatCannotBeServedEndQuietly) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring longName(5000, L'x');
    const std::wstring failing[] = {
        L"\"Z:\\no\\such\\file.txt\"",
        L"missing-file.txt",
        L"\"" + std::wstring(dir) + L"\"",  // a directory
        L"/p somefile.txt",
        L"/pt somefile.txt printer driver port",
        L"/dde",
        L"/Unregister",
        L"/Embedding",
        longName,
    };
    // Each ends at once with nothing on screen: no frame ever appears, let alone grows.
    for (const std::wstring& arguments : failing) {
        bool seen = false;
        int code = Lantrel().RunToExit(arguments, 15000, &seen);
        if (code != 0 || seen) {
            std::printf("  arguments %s...\n", Narrow(arguments.substr(0, 40)).c_str());
        }
        CHECK_EQ(code, 0);
        CHECK(!seen);
    }
    // Unknown switches and empty arguments change nothing: a new document as usual.
    const std::wstring harmless[] = {L"/zzz -q", L"\"\" \"\""};
    for (const std::wstring& arguments : harmless) {
        Lantrel app;
        CHECK(app.Start(arguments));
        if (!app.Frame()) continue;
        CHECK_EQ(Shown(app), 'G');
        app.PostCommand(ID_APP_EXIT);
        CHECK_EQ(app.WaitExit(), 0);
    }
}

TEST_CASE(MaximisedFrameShowsTheWindowColourBeyondThePicture) {
    Lantrel app;
    CHECK(app.Start());
    if (!app.Frame()) return;
    ::ShowWindow(app.Frame(), SW_MAXIMIZE);
    program::Wait(500);
    CHECK(::IsZoomed(app.Frame()));
    RECT view = app.ViewOnScreen();
    CHECK(view.right - view.left > 800);
    CHECK(view.bottom - view.top > 600);
    CHECK(program::ShowsWindowColour({view.left + 800, view.top, view.right, view.bottom}));
    app.SendCommand(ID_VIEW_SMOOTH_HORIZONTAL);
    program::Wait(300);
    CHECK_EQ(Shown(app), 'M');
    CHECK(program::ShowsWindowColour({view.left + 800, view.top, view.right, view.bottom}));
    ::ShowWindow(app.Frame(), SW_RESTORE);
    program::Wait(500);
    RECT frame;
    ::GetWindowRect(app.Frame(), &frame);
    CHECK_EQ(frame.left, CentredLeft());
    CHECK_EQ(frame.right - frame.left, 800);
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv, platform::NeedWineSettings());
}
