// The application shell in this process: the real application object, frame, view and menu
// built from the real resources (linked into this test), inspected from inside.
#include <windows.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/lantrel.h"
#include "app/view.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "res/resource.h"
#include "support/wintest.h"
#include "tests/check.h"

namespace {

CDorvelApp* App() {
    static CDorvelApp* app = [] {
        // Start from no settings at all, whatever earlier programs left in this prefix.
        ::RegDeleteTreeW(HKEY_CURRENT_USER,
                         L"software\\Local AppWizard-Generated Applications\\Dorvel");
        auto* created = new CDorvelApp;
        created->m_hInstance = ::GetModuleHandleW(nullptr);
        created->m_nCmdShow = SW_SHOWNORMAL;
        created->m_strAppName.LoadString(AfxGetResourceHandle(), AFX_IDS_APP_TITLE);
        created->InitInstance();
        wintest::Settle(300);
        return created;
    }();
    return app;
}

HWND Frame() {
    return App()->m_pMainWnd ? App()->m_pMainWnd->m_hWnd : nullptr;
}

CDorvelView* View() {
    return static_cast<CDorvelView*>(CWnd::FromHandlePermanent(::GetDlgItem(Frame(), 0xE900)));
}

HMENU OpenPopup(int index) {
    HMENU popup = ::GetSubMenu(::GetMenu(Frame()), index);
    ::SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), index);
    return popup;
}

std::wstring ItemText(HMENU menu, UINT id) {
    wchar_t text[512] = {};
    ::GetMenuStringW(menu, id, text, 512, MF_BYCOMMAND);
    return text;
}

bool Enabled(HMENU menu, UINT id) {
    return (::GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::wstring TempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

}  // namespace

TEST_CASE(ApplicationNameAndTitleComeFromTheStrings) {
    CHECK(Frame() != nullptr);
    CHECK(App()->m_strAppName == CString(L"Dorvel"));
    CString idle;
    idle.LoadString(AfxGetResourceHandle(), AFX_IDS_IDLEMESSAGE);
    CHECK(idle == CString(L"Ready"));
    CString doc;
    doc.LoadString(AfxGetResourceHandle(), IDR_MAINFRAME);
    CHECK(doc == CString(L"Lantrel\n\nLantrel\n\n\nLantrel.Document\nLantrel Document"));
    CString prompt;
    prompt.LoadString(AfxGetResourceHandle(), ID_DIALOG_SLID_SHOW);
    CHECK(prompt == CString(L"the new picture come up with a slide window/n"));
    CHECK(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)) != nullptr);
}

TEST_CASE(MenuIsTheResourceMenuWithAutomaticEnabling) {
    HMENU bar = ::GetMenu(Frame());
    CHECK(bar != nullptr);
    if (bar == nullptr) return;
    CHECK_EQ(::GetMenuItemCount(bar), 5);
    const wchar_t* popups[] = {L"&File", L"&Edit", L"View", L"Dialog", L"&Help"};
    for (int i = 0; i < 5; ++i) {
        wchar_t text[64] = {};
        ::GetMenuStringW(bar, i, text, 64, MF_BYPOSITION);
        CHECK(lstrcmpW(text, popups[i]) == 0);
    }
    struct Item {
        int popup;
        UINT id;
        const wchar_t* text;
        bool enabled;
    };
    const Item items[] = {
        {0, ID_FILE_NEW, L"&New\tCtrl+N", true},
        {0, ID_FILE_OPEN, L"&Open...\tCtrl+O", true},
        {0, ID_FILE_SAVE, L"&Save\tCtrl+S", true},
        {0, ID_FILE_SAVE_AS, L"Save &As...", true},
        {0, ID_FILE_MRU_FILE1, L"Recent File", false},
        {0, ID_APP_EXIT, L"E&xit", true},
        {1, ID_EDIT_UNDO, L"&Undo\tCtrl+Z", false},
        {1, ID_EDIT_CUT, L"Cu&t\tCtrl+X", false},
        {1, ID_EDIT_COPY, L"&Copy\tCtrl+C", false},
        {1, ID_EDIT_PASTE, L"&Paste\tCtrl+V", false},
        {2, ID_VIEW_SMOOTH_VERTICAL, L"Vertically Smooth Away", true},
        {2, ID_VIEW_BLIND_HORIZONTAL, L"Window Blind Horizotally", true},
        {2, ID_VIEW_FADE, L"Fade In/Out", true},
        {3, ID_DIALOG_SMOOTH_VERTICAL, L"Vertically Smooth Away", false},
        {4, ID_APP_ABOUT, L"&About Lantrel...", true},
    };
    for (int popup = 0; popup < 5; ++popup) {
        HMENU menu = OpenPopup(popup);
        for (const Item& item : items) {
            if (item.popup != popup) continue;
            if (ItemText(menu, item.id) != item.text) std::printf("  menu item %u\n", item.id);
            CHECK(ItemText(menu, item.id) == item.text);
            CHECK_EQ(Enabled(menu, item.id), item.enabled);
        }
    }
    HMENU view = ::GetSubMenu(bar, 2);
    const UINT order[] = {32772, 32773, 32777, 32778, 32775, 32779, 32792, 32793, 32780,
                          32781, 32782, 32783, 32784, 32786, 32787, 32788, 32790};
    CHECK_EQ(::GetMenuItemCount(view), 17);
    for (int i = 0; i < 17; ++i) CHECK_EQ(::GetMenuItemID(view, i), order[i]);
    // The transition commands are the View menu's items in its order, but for the meshed
    // dialog and the fade, which have handlers of their own.
    std::vector<UINT> rows, transitions;
    for (const TransitionCommand& command : kTransitionCommands) rows.push_back(command.id);
    for (UINT id : order) {
        if (id != ID_VIEW_SEMI_TRANSPARENT && id != ID_VIEW_FADE) transitions.push_back(id);
    }
    CHECK(rows == transitions);
    HMENU dialog = ::GetSubMenu(bar, 3);
    CHECK_EQ(::GetMenuItemCount(dialog), 3);
    CHECK_EQ(::GetMenuItemID(dialog, 0), static_cast<UINT>(ID_DIALOG_SLID_SHOW));
    CHECK_EQ(::GetMenuItemID(dialog, 1), 0u);
    CHECK(ItemText(dialog, ID_DIALOG_SLID_SHOW) == L"Slid Show");
}

namespace {

int g_slidShowDuringSlide = -1;  // as read while the dialog slides; -1 until then

void CALLBACK ReadMenuDuringSlide(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND slid = ::GetWindow(View()->m_hWnd, GW_CHILD);
    if (slid == nullptr || !::IsWindowVisible(slid)) return;  // not sliding yet
    ::KillTimer(nullptr, timer);
    g_slidShowDuringSlide = Enabled(OpenPopup(3), ID_DIALOG_SLID_SHOW);
}

}  // namespace

// The only command refused while something moves: "Slid Show" is greyed while its dialog
// slides, as a user opening the menu then would find it, and enabled again afterwards.
TEST_CASE(SlidShowIsGreyedWhileItsDialogSlides) {
    CHECK(Enabled(OpenPopup(3), ID_DIALOG_SLID_SHOW));
    UINT_PTR timer = ::SetTimer(nullptr, 0, 100, ReadMenuDuringSlide);
    ::SendMessageW(Frame(), WM_COMMAND, ID_DIALOG_SLID_SHOW, 0);
    ::KillTimer(nullptr, timer);
    CHECK_EQ(g_slidShowDuringSlide, 0);
    CHECK(Enabled(OpenPopup(3), ID_DIALOG_SLID_SHOW));
}

// Accelerator table 128, entry by entry, as the keys are given.
TEST_CASE(AcceleratorsAreTheGivenKeys) {
    struct Key {
        WORD key;
        BYTE modifiers;
        WORD command;
    };
    const Key kKeys[] = {
        {'N', FCONTROL, 57600},       {'O', FCONTROL, 57601},       {'S', FCONTROL, 57603},
        {'Z', FCONTROL, 57643},       {'X', FCONTROL, 57635},       {'C', FCONTROL, 57634},
        {'V', FCONTROL, 57637},       {VK_BACK, FALT, 57643},       {VK_DELETE, FSHIFT, 57635},
        {VK_INSERT, FCONTROL, 57634}, {VK_INSERT, FSHIFT, 57637},   {VK_F6, 0, 57680},
        {VK_F6, FSHIFT, 57681},
    };
    HACCEL table = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128));
    CHECK(table != nullptr);
    ACCEL entries[32] = {};
    int count = ::CopyAcceleratorTableW(table, entries, 32);
    CHECK_EQ(count, 13);
    for (int i = 0; i < count && i < 13; ++i) {
        const ACCEL& a = entries[i];
        if (a.key != kKeys[i].key || (a.fVirt & ~0x80) != (FVIRTKEY | kKeys[i].modifiers) ||
            a.cmd != kKeys[i].command) {
            std::printf("  entry %d: key %u, flags %#x, command %u\n", i, a.key, a.fVirt, a.cmd);
        }
        CHECK_EQ(a.key, kKeys[i].key);
        CHECK_EQ(a.fVirt & ~0x80, FVIRTKEY | kKeys[i].modifiers);  // 0x80: the table's last
        CHECK_EQ(a.cmd, kKeys[i].command);
    }
}

TEST_CASE(RecentFileListFillsTheFileMenu) {
    std::wstring first = TempPath(L"lantrel & recent 1.txt");
    std::wstring second = TempPath(L"lantrel-recent-2.txt");
    for (const std::wstring& path : {first, second}) {
        HANDLE file =
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ::CloseHandle(file);
    }
    CHECK(App()->OpenDocumentFile(first.c_str()) != nullptr);
    CHECK(App()->OpenDocumentFile(second.c_str()) != nullptr);
    HMENU file = OpenPopup(0);
    CHECK(ItemText(file, ID_FILE_MRU_FILE1).find(L"&1 ") == 0);
    CHECK(ItemText(file, ID_FILE_MRU_FILE1).find(L"lantrel-recent-2.txt") != std::wstring::npos);
    CHECK(ItemText(file, ID_FILE_MRU_FILE2).find(L"lantrel && recent 1.txt") != std::wstring::npos);
    CHECK(Enabled(file, ID_FILE_MRU_FILE1));
    CHECK(Enabled(file, ID_FILE_MRU_FILE2));
    // Items keep their places: separator, two files, separator, Exit.
    CHECK_EQ(::GetMenuItemCount(file), 9);
    CHECK_EQ(::GetMenuItemID(file, 8), static_cast<UINT>(ID_APP_EXIT));
    // Opening again from the list moves the file to the top; the caption never changes.
    ::SendMessageW(Frame(), WM_COMMAND, ID_FILE_MRU_FILE2, 0);
    file = OpenPopup(0);
    CHECK(ItemText(file, ID_FILE_MRU_FILE1).find(L"recent 1.txt") != std::wstring::npos);
    wchar_t caption[64] = {};
    ::GetWindowTextW(Frame(), caption, 64);
    CHECK(lstrcmpW(caption, L"Lantrel") == 0);
    // At the end the list is kept under the program's own registry key, most recent first.
    App()->ExitInstance();
    wchar_t kept[MAX_PATH] = {};
    DWORD size = sizeof(kept);
    CHECK_EQ(::RegGetValueW(HKEY_CURRENT_USER,
                            L"software\\Local AppWizard-Generated Applications\\Dorvel\\"
                            L"Recent File List",
                            L"File1", RRF_RT_REG_SZ, nullptr, kept, &size),
             LONG{ERROR_SUCCESS});
    CHECK(std::wstring(kept).find(L"recent 1.txt") != std::wstring::npos);
    ::DeleteFileW(first.c_str());
    ::DeleteFileW(second.c_str());
}

TEST_CASE(SaveNeverDestroysAFile) {
    std::wstring path = TempPath(L"lantrel-save.dat");
    const char bytes[] = "keep me";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes, 7, &written, nullptr);
    ::CloseHandle(file);
    CDocument* doc = App()->OpenDocumentFile(path.c_str());
    CHECK(doc != nullptr);
    if (doc == nullptr) return;
    ::SendMessageW(Frame(), WM_COMMAND, ID_FILE_SAVE, 0);
    WIN32_FILE_ATTRIBUTE_DATA info = {};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info);
    CHECK_EQ(info.nFileSizeLow, 7u);
    // Saving under a new name makes an empty file there and leaves the old one alone.
    std::wstring other = TempPath(L"lantrel-save-new.dat");
    ::DeleteFileW(other.c_str());
    CHECK(doc->OnSaveDocument(other.c_str()));
    CHECK(::GetFileAttributesExW(other.c_str(), GetFileExInfoStandard, &info));
    CHECK_EQ(info.nFileSizeLow, 0u);
    CHECK(doc->OnSaveDocument(path.c_str()));
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info);
    CHECK_EQ(info.nFileSizeLow, 7u);
    ::DeleteFileW(path.c_str());
    ::DeleteFileW(other.c_str());
}

TEST_CASE(ViewPaintsOnlyThePictureAndNeverErases) {
    CDorvelView* view = View();
    CHECK(view != nullptr);
    if (view == nullptr) return;
    // An off-screen target larger than the picture, filled with a marker colour.
    wintest::Picture target(1000, 700, [](int, int) -> COLORREF { return RGB(1, 2, 3); });
    CDC dc(target.Dc());
    view->OnDraw(&dc);
    CHECK(target.At(799, 599) != RGB(1, 2, 3));
    CHECK(target.At(800, 10) == RGB(1, 2, 3));
    CHECK(target.At(10, 600) == RGB(1, 2, 3));
    CHECK(target.At(999, 699) == RGB(1, 2, 3));
    LRESULT erased =
        ::SendMessageW(view->m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Dc()), 0);
    CHECK_EQ(erased, 0);
    CHECK(target.At(900, 650) == RGB(1, 2, 3));
}

TEST_CASE(PicturesAlternateWithEveryLoad) {
    CDorvelView* view = View();
    if (view == nullptr) return;
    wintest::Picture a(800, 600, [](int, int) -> COLORREF { return 0; });
    wintest::Picture b(800, 600, [](int, int) -> COLORREF { return 0; });
    CDC dcA(a.Dc()), dcB(b.Dc());
    view->OnDraw(&dcA);
    view->LoadNextPicture();
    view->OnDraw(&dcB);
    int differing = 0;
    for (int y = 0; y < 600; y += 10) {
        for (int x = 0; x < 800; x += 10) differing += a.At(x, y) != b.At(x, y);
    }
    CHECK(differing > 4000);  // of 4800 samples
    view->LoadNextPicture();
    view->OnDraw(&dcB);
    int same = 0;
    for (int y = 0; y < 600; y += 10) {
        for (int x = 0; x < 800; x += 10) same += a.At(x, y) == b.At(x, y);
    }
    CHECK_EQ(same, 4800);
}

int main(int argc, char** argv) {
    int result = check::RunAllTests(argc, argv);
    if (Frame() != nullptr) ::DestroyWindow(Frame());
    return result;
}
