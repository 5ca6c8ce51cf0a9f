// The application shell in this process: the real application object, frame, view and menu
// built from the real resources (linked into this test), inspected from inside.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/lantrel.h"
#include "app/view.h"
#include "dialogs/meshdialog.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "res/resource.h"
#include "support/program.h"
#include "support/wintest.h"
#include "tests/check.h"
#include "tests/oracle.h"

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
    // Every command of the oracle: an item where it has one, with its caption, enabled where the
    // command has a handler; no item anywhere for the others.
    HMENU view = OpenPopup(2), dialog = OpenPopup(3);
    for (const oracle::Command& command : oracle::kCommands) {
        bool inView = command.menu != nullptr && lstrcmpW(command.menu, L"View") == 0;
        bool inDialog = command.menu != nullptr && !inView;
        CHECK_EQ(::GetMenuState(view, command.id, MF_BYCOMMAND) != static_cast<UINT>(-1), inView);
        CHECK_EQ(::GetMenuState(dialog, command.id, MF_BYCOMMAND) != static_cast<UINT>(-1),
                 inDialog);
        if (!inView && !inDialog) continue;
        HMENU menu = inView ? view : dialog;
        if (ItemText(menu, command.id) != command.caption ||
            Enabled(menu, command.id) != command.handled) {
            std::printf("  menu item %u\n", command.id);
        }
        CHECK(ItemText(menu, command.id) == command.caption);
        CHECK_EQ(Enabled(menu, command.id), command.handled);
    }
    CHECK_EQ(::GetMenuItemCount(view), static_cast<int>(std::size(oracle::kViewMenu)));
    for (int i = 0; i < ::GetMenuItemCount(view); ++i) {
        CHECK_EQ(::GetMenuItemID(view, i), oracle::kViewMenu[i]);
    }
    // The transition commands are the View menu's items in its order, but for the meshed
    // dialog and the fade, which have handlers of their own.
    std::vector<UINT> rows, transitions;
    for (const TransitionCommand& command : kTransitionCommands) rows.push_back(command.id);
    for (UINT id : oracle::kViewMenu) {
        if (oracle::RevealsByRegions(*oracle::Find(id))) transitions.push_back(id);
    }
    CHECK(rows == transitions);
    CHECK_EQ(::GetMenuItemCount(dialog), 3);
    CHECK_EQ(::GetMenuItemID(dialog, 0), static_cast<UINT>(ID_DIALOG_SLID_SHOW));
    CHECK_EQ(::GetMenuItemID(dialog, 1), 0u);
}

// Every row of the program's transition table, field by field, as documented; and no command
// that reveals by regions without its row.
TEST_CASE(TransitionCommandsAreTheDocumentedRows) {
    for (const TransitionCommand& row : kTransitionCommands) {
        const oracle::Command* want = oracle::Find(row.id);
        CHECK(want != nullptr);
        if (want == nullptr) continue;
        if (static_cast<int>(row.type) != want->type || row.delay != want->delay ||
            static_cast<int>(row.flags) != want->flags || row.randomReverse != want->random) {
            std::printf("  command %u\n", row.id);
        }
        CHECK_EQ(static_cast<int>(row.type), want->type);
        CHECK_EQ(row.delay, want->delay);
        CHECK_EQ(static_cast<int>(row.flags), want->flags);
        CHECK_EQ(row.randomReverse, want->random);
    }
    size_t regionCommands = 0;
    for (const oracle::Command& command : oracle::kCommands) {
        if (!oracle::RevealsByRegions(command)) continue;
        ++regionCommands;
        CHECK(FindTransitionCommand(command.id) != nullptr);
    }
    CHECK_EQ(std::size(kTransitionCommands), regionCommands);
}

// The prompt strings of the oracle's commands as lantrel.exe holds them, and none where a
// command has none.
TEST_CASE(CommandPromptsAreTheDocumentedStrings) {
    HMODULE exe = ::LoadLibraryExW(program::LantrelPath().c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    CHECK(exe != nullptr);
    if (exe == nullptr) return;
    for (const oracle::Command& command : oracle::kCommands) {
        wchar_t text[256] = {};
        int length = ::LoadStringW(exe, command.id, text, 256);
        bool right = command.prompt == nullptr ? length == 0 : lstrcmpW(text, command.prompt) == 0;
        if (!right) std::printf("  string %u: \"%s\"\n", command.id, wintest::Utf8(text).c_str());
        CHECK(right);
    }
    ::FreeLibrary(exe);
}

namespace {

// The ids Microsoft gives the Windows versions in an application manifest's supportedOS
// elements, and the one Windows 10 and 11 look for.
const char* const kSupportedOsIds[] = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
};
const GUID kWindows10Id = {
    0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};

// Resource 1 of type RT_MANIFEST of lantrel.exe, the manifest the loader reads at its start.
std::string ShippedManifest() {
    HMODULE exe = ::LoadLibraryExW(program::LantrelPath().c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    HRSRC found = exe ? ::FindResourceW(exe, MAKEINTRESOURCEW(1), RT_MANIFEST) : nullptr;
    std::string text;
    if (found != nullptr) {
        text.assign(static_cast<const char*>(::LockResource(::LoadResource(exe, found))),
                    ::SizeofResource(exe, found));
    }
    if (exe != nullptr) ::FreeLibrary(exe);
    return text;
}

// Whether the activation context this thread runs in (with none activated, the one the
// process's manifest made: GetCurrentActCtx then gives none, which QueryActCtxW takes for it)
// counts Windows 10 among its operating systems.  The id is looked for wherever it lies,
// followed by the type "operating system": Windows 10 has added a field to each element since
// the record was first documented.
bool ActiveContextNamesWindows10() {
    HANDLE context = nullptr;
    if (!::GetCurrentActCtx(&context)) return false;
    SIZE_T size = 0;
    ::QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, nullptr, 0,
                   &size);
    std::vector<BYTE> info(size);
    bool read = size >= sizeof(DWORD) &&
                ::QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext,
                               info.data(), size, &size);
    if (context != nullptr) ::ReleaseActCtx(context);
    const DWORD os = ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS;
    for (size_t at = sizeof(DWORD); read && at + sizeof(GUID) + sizeof(DWORD) <= size; at += 4) {
        if (std::memcmp(&info[at], &kWindows10Id, sizeof(GUID)) == 0 &&
            std::memcmp(&info[at + sizeof(GUID)], &os, sizeof(os)) == 0) {
            return true;
        }
    }
    return false;
}

// Whether the dialogs' buttons are those of the common controls (version 6 registers its own
// "Button" class; before it, the class is the system's, in user32).
bool ButtonsAreTheCommonControls() {
    WNDCLASSEXW button = {};
    button.cbSize = sizeof(button);
    HMODULE owner = nullptr;
    wchar_t path[MAX_PATH] = {};
    if (!::GetClassInfoExW(nullptr, L"Button", &button) ||
        !::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              reinterpret_cast<LPCWSTR>(button.lpfnWndProc), &owner) ||
        ::GetModuleFileNameW(owner, path, MAX_PATH) == 0) {
        return false;
    }
    std::wstring name(path);
    name = name.substr(name.find_last_of(L'\\') + 1);
    std::printf("  the Button class is %s's\n", wintest::Utf8(name).c_str());
    return ::lstrcmpiW(name.c_str(), L"comctl32.dll") == 0;
}

}  // namespace

// lantrel.exe carries its manifest: the Windows versions it was made for (without Windows 10's
// id, Windows 10 and 11 answer it as the last Windows it names would), no elevation, and Common
// Controls 6 (the controls drawn in the style of the Windows they run on).  This program links the same
// manifest, and the loader has put it in effect here as it does for the program.
TEST_CASE(ManifestOfTheProgramIsShippedAndInEffect) {
    const std::string manifest = ShippedManifest();
    CHECK(!manifest.empty());
    for (const char* id : kSupportedOsIds) {
        if (manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>") == std::string::npos) {
            std::printf("  no supportedOS %s\n", id);
            CHECK(false);
        }
    }
    CHECK(manifest.find("level=\"asInvoker\"") != std::string::npos);
    CHECK(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"") !=
          std::string::npos);
    CHECK(manifest.find("publicKeyToken=\"6595b64144ccf1df\"") != std::string::npos);
    CHECK(ActiveContextNamesWindows10());
    CHECK(ButtonsAreTheCommonControls());
}

namespace {

// While a RegionWatch lives, the calls this program makes through its import table to give a
// window a region and to delete GDI objects are watched.  A region a window has taken belongs
// to the system, which deletes it when the window lets go of it: deleting it as well frees a
// handle the system still uses, or frees it twice.  Nothing of that shows under Wine, which
// copies the region and deletes the handle itself inside SetWindowRgn, so the calls are
// counted.  A region creation that returns such a handle again has made a new region of it.
std::set<HGDIOBJ> g_givenRegions;
int g_regionsTaken = 0, g_givenRegionsDeleted = 0;
decltype(&::SetWindowRgn) g_realSetWindowRgn = nullptr;
decltype(&::DeleteObject) g_realDeleteObject = nullptr;

int WINAPI WatchedSetWindowRgn(HWND window, HRGN region, BOOL redraw) {
    int taken = g_realSetWindowRgn(window, region, redraw);
    if (taken != 0 && region != nullptr) {
        g_givenRegions.insert(region);
        ++g_regionsTaken;
    }
    return taken;
}

BOOL WINAPI WatchedDeleteObject(HGDIOBJ object) {
    g_givenRegionsDeleted += static_cast<int>(g_givenRegions.erase(object));
    return g_realDeleteObject(object);
}

template <int N, typename... Args>
struct WatchedCreation {
    static inline HRGN(WINAPI* real)(Args...) = nullptr;
    static HRGN WINAPI Create(Args... args) {
        HRGN region = real(args...);
        g_givenRegions.erase(region);
        return region;
    }
};

class RegionWatch {
public:
    RegionWatch() {
        g_givenRegions.clear();
        g_regionsTaken = g_givenRegionsDeleted = 0;
        m_bWatching =
            Redirect("user32.dll", "SetWindowRgn", WatchedSetWindowRgn, g_realSetWindowRgn) &&
            Redirect("gdi32.dll", "DeleteObject", WatchedDeleteObject, g_realDeleteObject);
        using Rect = WatchedCreation<0, int, int, int, int>;
        using Ellipse = WatchedCreation<1, int, int, int, int>;
        using Polygon = WatchedCreation<2, const POINT*, int, int>;
        using Data = WatchedCreation<3, const XFORM*, DWORD, const RGNDATA*>;
        Redirect("gdi32.dll", "CreateRectRgn", Rect::Create, Rect::real);
        Redirect("gdi32.dll", "CreateEllipticRgn", Ellipse::Create, Ellipse::real);
        Redirect("gdi32.dll", "CreatePolygonRgn", Polygon::Create, Polygon::real);
        Redirect("gdi32.dll", "ExtCreateRegion", Data::Create, Data::real);
    }
    ~RegionWatch() {
        for (auto [slot, function] : m_undo) Write(slot, function);
    }
    RegionWatch(const RegionWatch&) = delete;
    RegionWatch& operator=(const RegionWatch&) = delete;
    bool Watching() const { return m_bWatching; }

private:
    static void Write(ULONG_PTR* slot, ULONG_PTR value) {
        DWORD protection;
        ::VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection);
        *slot = value;
        ::VirtualProtect(slot, sizeof(*slot), protection, &protection);
    }

    // Points this program's import slots for dll!name at hook; real gets the function.
    template <typename F>
    bool Redirect(const char* dll, const char* name, F hook, F& real) {
        auto function =
            reinterpret_cast<ULONG_PTR>(::GetProcAddress(::GetModuleHandleA(dll), name));
        auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
        auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        bool found = false;
        for (auto* from =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             function != 0 && from->Name != 0; ++from) {
            for (auto* slot = reinterpret_cast<ULONG_PTR*>(base + from->FirstThunk); *slot != 0;
                 ++slot) {
                if (*slot != function) continue;
                real = reinterpret_cast<F>(function);
                Write(slot, reinterpret_cast<ULONG_PTR>(hook));
                m_undo.push_back({slot, function});
                found = true;
            }
        }
        return found;
    }

    std::vector<std::pair<ULONG_PTR*, ULONG_PTR>> m_undo;
    bool m_bWatching = false;
};

// The "Semi-Transparent Show" dialog made small before it meshes itself (under Wine the mesh
// of the whole dialog takes seconds to paint through), and cancelled as soon as it runs.
class SmallMeshDialog : public CMeshDialog {
public:
    using CMeshDialog::CMeshDialog;
    BOOL OnInitDialog() override {
        SetWindowPos(nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        BOOL result = CMeshDialog::OnInitDialog();
        PostMessage(WM_COMMAND, IDCANCEL);
        return result;
    }
};

}  // namespace

// Every region the program hands a window, at each step of a transition and as the meshed
// dialog's shape, is left to the system: the program deletes none of them.
TEST_CASE(RegionsGivenToWindowsAreLeftToTheSystem) {
    RegionWatch watch;
    CHECK(watch.Watching());
    ::SendMessageW(Frame(), WM_COMMAND, ID_VIEW_BLIND_VERTICAL, 0);
    std::printf("  a transition: %d regions taken, %d of them deleted by the program\n",
                g_regionsTaken, g_givenRegionsDeleted);
    CHECK(g_regionsTaken >= 10);  // one a step
    CHECK_EQ(g_givenRegionsDeleted, 0);
    int taken = g_regionsTaken, deleted = g_givenRegionsDeleted;
    {
        SmallMeshDialog dialog(View());
        CHECK_EQ(dialog.DoModal(), INT_PTR{IDCANCEL});
    }
    std::printf("  the meshed dialog: %d regions taken, %d of them deleted by the program\n",
                g_regionsTaken - taken, g_givenRegionsDeleted - deleted);
    CHECK_EQ(g_regionsTaken - taken, 1);
    CHECK_EQ(g_givenRegionsDeleted - deleted, 0);
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

namespace {

// Every 10th pixel of a picture drawn by draw into a canvas first filled with a colour neither
// picture holds, so whatever is left undrawn shows.
std::vector<COLORREF> Drawn(const std::function<void(CDC*)>& draw) {
    wintest::Picture canvas(800, 600, [](int, int) -> COLORREF { return RGB(1, 2, 3); });
    CDC dc(canvas.Dc());
    draw(&dc);
    std::vector<COLORREF> samples;
    for (int y = 0; y < 600; y += 10) {
        for (int x = 0; x < 800; x += 10) samples.push_back(canvas.At(x, y));
    }
    return samples;
}

// A picture resource as it is stored, drawn the way the view draws its picture.
std::vector<COLORREF> Resource(const wchar_t* name) {
    return Drawn([name](CDC* dc) {
        CBitmap picture;
        picture.LoadBitmap(::GetModuleHandleW(nullptr), name);
        CCreatedDC memory;
        memory.CreateCompatibleDC(dc);
        CSelectObject selected(memory.GetSafeHdc(), picture);
        dc->BitBlt(0, 0, 800, 600, &memory, 0, 0, SRCCOPY);
    });
}

}  // namespace

// Each load makes the view draw the other picture, whole.
TEST_CASE(PicturesAlternateWithEveryLoad) {
    CDorvelView* view = View();
    if (view == nullptr) return;
    const std::vector<COLORREF> genie = Resource(L"GENIE"), mouse = Resource(L"MOUSE");
    CHECK(genie != mouse);
    auto shown = [view] { return Drawn([view](CDC* dc) { view->OnDraw(dc); }); };
    const std::vector<COLORREF> first = shown();
    CHECK(first == genie || first == mouse);
    view->LoadNextPicture();
    CHECK(shown() == (first == genie ? mouse : genie));
    view->LoadNextPicture();
    CHECK(shown() == first);
}

// Whatever the screen, the frame keeps its whole 800 x 600 and may be maximised as far as the
// platform lets any window be: given the limits of a screen smaller than the frame and of a
// large one, it widens the first and leaves the second.
TEST_CASE(FrameTrackingLimitsKeepItsSizeAndLetItMaximise) {
    for (POINT platform : {POINT{652, 492}, POINT{3852, 2172}}) {
        MINMAXINFO info = {};
        info.ptMaxSize = info.ptMaxTrackSize = platform;
        info.ptMinTrackSize = {112, 27};
        ::SendMessageW(Frame(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        const LONG wantX = std::max<LONG>(platform.x, 800), wantY = std::max<LONG>(platform.y, 600);
        CHECK_EQ(info.ptMaxTrackSize.x, wantX);
        CHECK_EQ(info.ptMaxTrackSize.y, wantY);
    }
}

namespace {

// What the view's window shows at g_spot when its region first changes during a transition
// (as its first step begins), or CLR_INVALID.
HWND g_hWatched = nullptr;
POINT g_spot = {};
COLORREF g_shownAtFirstStep = CLR_INVALID;

LRESULT CALLBACK NoteFirstStep(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_hWatched && sent->message == WM_WINDOWPOSCHANGING &&
        g_shownAtFirstStep == CLR_INVALID) {
        CClientDC dc(g_hWatched);
        g_shownAtFirstStep = ::GetPixel(dc, g_spot.x, g_spot.y);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// A menu closed by its command leaves its image on the view, and the view's update region
// where it lay: the view repaints that before the transition begins, so the first step starts
// from the old picture whole and no image of the menu travels through the steps.
TEST_CASE(ATransitionStartsFromTheOldPictureWhole) {
    CDorvelView* view = View();
    if (view == nullptr) return;
    ::UpdateWindow(view->m_hWnd);
    g_hWatched = view->m_hWnd;
    g_spot = {300, 200};
    wintest::Picture old(800, 600, [](int, int) -> COLORREF { return RGB(1, 2, 3); });
    CDC oldDc(old.Dc());
    view->OnDraw(&oldDc);
    RECT menu = {g_spot.x - 40, g_spot.y - 40, g_spot.x + 40, g_spot.y + 40};
    {
        CClientDC dc(view->m_hWnd);
        CBrush ghost(RGB(255, 0, 255));
        dc.FillRect(&menu, ghost);
    }
    ::InvalidateRect(view->m_hWnd, &menu, FALSE);
    g_shownAtFirstStep = CLR_INVALID;
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, NoteFirstStep, nullptr, ::GetCurrentThreadId());
    ::SendMessageW(Frame(), WM_COMMAND, ID_VIEW_SMOOTH_VERTICAL, 0);
    ::UnhookWindowsHookEx(hook);
    CHECK_EQ(g_shownAtFirstStep, old.At(g_spot.x, g_spot.y));
}

int main(int argc, char** argv) {
    int result = check::RunAllTests(argc, argv);
    if (Frame() != nullptr) ::DestroyWindow(Frame());
    return result;
}
