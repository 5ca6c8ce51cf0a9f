// The framework layer on its own: handle owners, window lifetime, command routing,
// automatic menu enabling, notification reflection, strings, the recent-file list.
#include <windows.h>

#include <dlgs.h>

#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/afxres.h"
#include "framework/app.h"
#include "framework/doctemplate.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "framework/gdi.h"
#include "framework/profile.h"
#include "framework/recentfiles.h"
#include "framework/view.h"
#include "support/wintest.h"
#include "tests/check.h"
#include "animation/pacing.h"

static_assert(!std::is_copy_constructible<CRgn>::value, "owners are not copied");
static_assert(!std::is_copy_assignable<CBitmap>::value, "owners are not copied");
static_assert(!std::is_copy_constructible<CDC>::value, "owners are not copied");
static_assert(!std::is_copy_constructible<CCreatedDC>::value, "owners are not copied");
static_assert(!std::is_copy_constructible<CClientDC>::value, "owners are not copied");
static_assert(!std::is_copy_constructible<CPaintDC>::value, "owners are not copied");
static_assert(!std::is_copy_constructible<CSelectObject>::value, "owners are not copied");
static_assert(!std::is_copy_constructible<CSelection>::value, "owners are not copied");
static_assert(!std::is_copy_assignable<CSelection>::value, "owners are not copied");
static_assert(std::is_nothrow_move_constructible<CRgn>::value, "owners move");
static_assert(std::is_nothrow_move_assignable<CCreatedDC>::value, "owners move");
static_assert(std::is_nothrow_move_constructible<CSelection>::value, "owners move");
static_assert(std::is_nothrow_move_assignable<CSelection>::value, "owners move");
static_assert(!std::is_move_constructible<CClientDC>::value, "scopes stay where they began");
static_assert(!std::is_move_constructible<CPaintDC>::value, "scopes stay where they began");
static_assert(!std::is_move_constructible<CSelectObject>::value, "scopes stay where they began");

namespace {

bool IsGdiObject(HGDIOBJ handle) {
    return ::GetObjectType(handle) != 0;
}

// ---- a document/view/frame/application set whose handlers record who ran ---------------

const UINT kShared = 40001;     // handled by view, document, frame and application
const UINT kDocOnly = 40002;    // handled by the document alone
const UINT kAppOnly = 40003;    // handled by the application alone
const UINT kNobody = 40004;     // no handler anywhere
const UINT kDisabled = 40005;   // handled, but its update handler disables it
const UINT kCloseSelf = 40006;  // the view's handler destroys the frame, then goes on
// Rows of the view's command table, and an id between them that no row holds.
const UINT kFirstRow = 40007;
const UINT kBetweenRows = 40008;
const UINT kSecondRow = 40009;

struct TestRow {
    UINT id;
    const char* trace;
};
const TestRow kTestRows[] = {{kFirstRow, "first-row "}, {kSecondRow, "second-row "}};

const TestRow* FindTestRow(UINT id) {
    for (const TestRow& row : kTestRows) {
        if (row.id == id) return &row;
    }
    return nullptr;
}

std::string g_trace;

class TestApp : public CWinApp {
public:
    void OnShared() { g_trace += "app "; }
    void OnAppOnly() { g_trace += "app-only "; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(kShared, OnShared)
    ON_COMMAND(kAppOnly, OnAppOnly)
END_MESSAGE_MAP()
TestApp theTestApp;

class TestDoc : public CDocument {
    DECLARE_DYNCREATE(TestDoc)
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) ar.Write(content.data(), content.size());
    }
    std::string content;
    void OnShared() { g_trace += "doc "; }
    void OnDocOnly() { g_trace += "doc-only "; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestDoc)
BEGIN_MESSAGE_MAP(TestDoc, CDocument)
    ON_COMMAND(kShared, OnShared)
    ON_COMMAND(kDocOnly, OnDocOnly)
END_MESSAGE_MAP()

int g_viewsDestroyed = 0;
bool g_handlerFinished = false;

class TestView : public CView {
    DECLARE_DYNCREATE(TestView)
public:
    ~TestView() override { ++g_viewsDestroyed; }
    void OnDraw(CDC*) override {}
    void OnShared() { g_trace += "view "; }
    void OnDisabled() { g_trace += "disabled-ran "; }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnRow(const TestRow& row) { g_trace += row.trace; }
    void OnCloseSelf() {
        int marker = 12345;
        m_nTouched = 0;
        // The frame goes away while this handler runs, through a nested message loop.
        ::PostMessageW(::GetParent(m_hWnd), WM_CLOSE, 0, 0);
        PumpAndWait(2);
        m_nTouched = marker;  // this object must still be alive here
        g_handlerFinished = m_nTouched == marker && m_hWnd == nullptr;
    }
    int m_nTouched = 0;
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestView)
BEGIN_MESSAGE_MAP(TestView, CView)
    ON_COMMAND(kShared, OnShared)
    ON_COMMAND(kDisabled, OnDisabled)
    ON_UPDATE_COMMAND_UI(kDisabled, OnUpdateDisabled)
    ON_COMMAND(kCloseSelf, OnCloseSelf)
    ON_COMMAND_TABLE(FindTestRow, OnRow)
END_MESSAGE_MAP()

class TestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(TestFrame)
public:
    void OnShared() { g_trace += "frame "; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestFrame)
BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_COMMAND(kShared, OnShared)
END_MESSAGE_MAP()

HWND OpenTestFrame() {
    static bool added = false;
    if (!added) {
        theTestApp.AddDocTemplate(new CSingleDocTemplate(
            1, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame), RUNTIME_CLASS(TestView)));
        added = true;
    }
    theTestApp.m_pMainWnd = nullptr;
    theTestApp.OnFileNew();
    wintest::Settle(50);
    return theTestApp.m_pMainWnd ? theTestApp.m_pMainWnd->m_hWnd : nullptr;
}

void Command(HWND frame, UINT id) {
    ::SendMessageW(frame, WM_COMMAND, id, 0);
}

}  // namespace

TEST_CASE(OwnersDeleteOnceAndDetachGivesAway) {
    HRGN given;
    {
        CRgn a;
        CHECK(a.CreateRectRgn(0, 0, 10, 10));
        HRGN handle = a.GetSafeHandle();
        CRgn b(std::move(a));
        CHECK(a.GetSafeHandle() == nullptr);
        CHECK(b.GetSafeHandle() == handle);
        CRgn c;
        c.CreateRectRgn(0, 0, 1, 1);
        HRGN replaced = c.GetSafeHandle();
        c = std::move(b);  // c's old region is deleted, b's moves in
        CHECK(!IsGdiObject(replaced));
        CHECK(IsGdiObject(handle));
        given = c.Detach();
    }
    CHECK(IsGdiObject(given));  // detached: still alive, ours to hand on
    ::DeleteObject(given);
    HBRUSH brush;
    {
        CBrush b(RGB(1, 2, 3));
        brush = b;
        CHECK(IsGdiObject(brush));
    }
    CHECK(!IsGdiObject(brush));
}

TEST_CASE(DcScopesReleaseAndRestore) {
    CCreatedDC memory;
    CHECK(memory.CreateCompatibleDC(nullptr));
    HGDIOBJ original = ::GetCurrentObject(memory, OBJ_BITMAP);
    CBitmap bitmap;
    HDC screen = ::GetDC(nullptr);
    bitmap.CreateCompatibleBitmap(screen, 8, 8);
    ::ReleaseDC(nullptr, screen);
    {
        CSelectObject select(memory, bitmap);
        CHECK(select.Selected());
        CHECK(::GetCurrentObject(memory, OBJ_BITMAP) == bitmap.GetSafeHandle());
    }
    CHECK(::GetCurrentObject(memory, OBJ_BITMAP) == original);

    // A held selection: a second object replaces the first, and what goes back, on reset or
    // from where it moved to, is the DC's own.
    CBitmap other;
    other.CreateCompatibleBitmap(memory, 8, 8);
    CSelection held;
    CHECK(held.Select(memory, bitmap));
    CHECK(held.Select(memory, other));
    CHECK(::GetCurrentObject(memory, OBJ_BITMAP) == other.GetSafeHandle());
    held.Reset();
    CHECK(::GetCurrentObject(memory, OBJ_BITMAP) == original);
    CHECK(!held.Select(memory, nullptr));
    {
        CSelection moved;
        CHECK(held.Select(memory, bitmap));
        moved = std::move(held);
        CHECK(!held.Selected());
        held.Reset();  // nothing left to put back
        CHECK(::GetCurrentObject(memory, OBJ_BITMAP) == bitmap.GetSafeHandle());
    }
    CHECK(::GetCurrentObject(memory, OBJ_BITMAP) == original);
    HDC dc = memory.GetSafeHdc();
    memory.DeleteDC();
    CHECK(::GetObjectType(dc) == 0);
}

// Closing through traits that carry what the close needs (as ReleaseDC needs its window).
struct CountingTraits {
    using Handle = int*;
    int* closes = nullptr;
    void Close(int*) const { ++*closes; }
};

TEST_CASE(DcOwnersMoveAndReleaseOnce) {
    int closesX = 0, closesY = 0, x = 0, y = 0;
    {
        UniqueHandle<CountingTraits> first(&x, CountingTraits{&closesX});
        UniqueHandle<CountingTraits> moved(std::move(first));
        CHECK(!first);
        UniqueHandle<CountingTraits> other(&y, CountingTraits{&closesY});
        other = std::move(moved);  // y closes with its own traits; x's traits come along
        CHECK_EQ(closesY, 1);
        CHECK_EQ(closesX, 0);
    }
    CHECK_EQ(closesX, 1);
    CHECK_EQ(closesY, 1);

    HDC dc;
    {
        CCreatedDC first;
        CHECK(first.CreateCompatibleDC(nullptr));
        dc = first;
        CCreatedDC second(std::move(first));
        CHECK(first.GetSafeHdc() == nullptr);
        CHECK(second.GetSafeHdc() == dc);
        CCreatedDC third;
        third.CreateCompatibleDC(nullptr);
        HDC replaced = third;
        third = std::move(second);
        CHECK(::GetObjectType(replaced) == 0);
        CHECK(::GetObjectType(dc) == OBJ_MEMDC);
    }
    CHECK(::GetObjectType(dc) == 0);

    // A window DC is never handed out twice while held; once released, the next GetDC for the
    // window gets a released one back from the cache.
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                    nullptr, nullptr);
    HDC painted, client, secondClient;
    {
        CPaintDC paint(window);
        painted = paint;
        CHECK(painted != nullptr);
        CHECK(paint.PaintStruct().hdc == painted);
    }
    {
        CClientDC first(window);
        client = first;
        CHECK(client == painted);
        CClientDC second(window);
        secondClient = second;
        CHECK(secondClient != client);
    }
    {
        CClientDC again(window);
        CHECK(again.GetSafeHdc() == client || again.GetSafeHdc() == secondClient);
    }
    ::DestroyWindow(window);
}

TEST_CASE(CommandsRouteViewDocumentFrameApplication) {
    HWND frame = OpenTestFrame();
    CHECK(frame != nullptr);
    if (frame == nullptr) return;
    g_trace.clear();
    Command(frame, kShared);
    Command(frame, kDocOnly);
    Command(frame, kAppOnly);
    Command(frame, kNobody);
    Command(frame, kDisabled);  // disabled by its update handler: not run
    Command(frame, kSecondRow);
    Command(frame, kBetweenRows);
    Command(frame, kFirstRow);
    CHECK_EQ(g_trace, std::string("view doc-only app-only second-row first-row "));
    ::DestroyWindow(frame);
    wintest::Settle(20);
}

TEST_CASE(MenuItemsAreEnabledExactlyWhenSomethingHandlesThem) {
    HWND frame = OpenTestFrame();
    if (frame == nullptr) return;
    HMENU popup = ::CreatePopupMenu();
    const UINT ids[] = {kShared,   kDocOnly,     kAppOnly,   kNobody,    kDisabled,
                        kFirstRow, kBetweenRows, kSecondRow, ID_APP_EXIT};
    for (UINT id : ids) ::AppendMenuW(popup, MF_STRING | MF_GRAYED, id, L"item");
    ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    ::SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    auto enabled = [&](UINT id) { return !(::GetMenuState(popup, id, 0) & MF_GRAYED); };
    CHECK(enabled(kShared));
    CHECK(enabled(kDocOnly));
    CHECK(enabled(kAppOnly));
    CHECK(!enabled(kNobody));
    CHECK(!enabled(kDisabled));
    CHECK(enabled(kFirstRow));
    CHECK(!enabled(kBetweenRows));
    CHECK(enabled(kSecondRow));
    CHECK(enabled(ID_APP_EXIT));  // the application's own Exit handler
    ::DestroyMenu(popup);
    ::DestroyWindow(frame);
    wintest::Settle(20);
}

TEST_CASE(WindowsDestroyedInsideTheirOwnHandlerOutliveIt) {
    HWND frame = OpenTestFrame();
    if (frame == nullptr) return;
    int destroyedBefore = g_viewsDestroyed;
    g_handlerFinished = false;
    Command(frame, kCloseSelf);
    CHECK(g_handlerFinished);                         // the handler ran to its end on a live object
    CHECK(!::IsWindow(frame));                        // the frame is gone
    CHECK(theTestApp.m_pMainWnd == nullptr);          // and forgotten as the main window
    CHECK_EQ(g_viewsDestroyed, destroyedBefore + 1);  // the view was deleted afterwards
    // The frame's end posted the quit request; take it so later tests keep running.
    MSG msg;
    bool quit = false;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) quit = quit || msg.message == WM_QUIT;
    CHECK(quit);
}

namespace {

int g_clicks = 0;
class ReflectingButton : public CWnd {
public:
    void OnClicked() { ++g_clicks; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ReflectingButton, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

}  // namespace

TEST_CASE(ControlNotificationsAreReflectedToTheControl) {
    CWnd parent;
    CHECK(parent.CreateEx(0, nullptr, L"parent", WS_POPUP | WS_VISIBLE, 10, 10, 100, 60, nullptr,
                          nullptr));
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                                    parent.m_hWnd, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ReflectingButton control;
    CHECK(control.SubclassWindow(button));
    CHECK(CWnd::FromHandlePermanent(button) == &control);
    g_clicks = 0;
    ::SendMessageW(button, BM_CLICK, 0, 0);
    CHECK_EQ(g_clicks, 1);
    parent.DestroyWindow();
    CHECK(control.m_hWnd == nullptr);  // detached when its window went
}

namespace {

// Notes what its creation handlers see; lets itself be any size.
class UnboundedWindow : public CWnd {
public:
    LPVOID createParam = nullptr;
    bool answeredBeforeCreate = false;

protected:
    int OnCreate(LPCREATESTRUCTW cs) {
        createParam = cs->lpCreateParams;
        return 0;
    }
    void OnGetMinMaxInfo(MINMAXINFO* info) {
        Default();
        answeredBeforeCreate = answeredBeforeCreate || createParam == nullptr;
        info->ptMaxTrackSize = {4000, 4000};
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(UnboundedWindow, CWnd)
    ON_WM_CREATE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

}  // namespace

// The object travels in the creation parameter, its handlers seeing the caller's own, and has
// its window from the first message on: an overlapped window asks for its limits before
// WM_NCCREATE, and the object's answer is the one its size at creation keeps to.
TEST_CASE(CreationParameterReachesTheObjectFromTheFirstMessage) {
    int callerParam = 0;
    UnboundedWindow window;
    CHECK(window.CreateEx(0, nullptr, L"overlapped", WS_OVERLAPPED | WS_CAPTION, 0, 0, 1500, 1200,
                          nullptr, nullptr, &callerParam));
    CHECK(window.createParam == &callerParam);
    CHECK(window.answeredBeforeCreate);
    RECT rect;
    window.GetWindowRect(&rect);
    CHECK_EQ(rect.right - rect.left, 1500);  // the platform's own limit is the screen's
    CHECK_EQ(rect.bottom - rect.top, 1200);
    window.DestroyWindow();
}

TEST_CASE(StringsFieldsAndFormat) {
    CString doc(L"Lantrel\n\nLantrel\n\n\nLantrel.Document\nLantrel Document");
    CHECK(doc.Field(0) == CString(L"Lantrel"));
    CHECK(doc.Field(1).IsEmpty());
    CHECK(doc.Field(5) == CString(L"Lantrel.Document"));
    CHECK(doc.Field(6) == CString(L"Lantrel Document"));
    CHECK(doc.Field(7).IsEmpty());
    CString text;
    text.Format(L"Unknown Error (%d) occurred. %ls", 1, L"wide");
    CHECK(text == CString(L"Unknown Error (1) occurred. wide"));
    std::wstring big(5000, L'z');
    text.Format(L"%ls!", big.c_str());
    CHECK_EQ(text.GetLength(), 5001);
    CHECK_EQ(CString(L"a\"%1\"b").Find(L"\"%1\""), 1);
}

namespace {

// Answers each message box this thread shows with a button, noting what it said; a file
// dialog is given g_fileName (its file name box: cmb13, or edt1 in older layouts) and OK.
int g_boxAnswer = IDCANCEL;
std::vector<std::wstring> g_boxes;
std::wstring g_fileName;

LRESULT CALLBACK AnswerBox(int code, WPARAM wParam, LPARAM lParam) {
    HWND box = reinterpret_cast<HWND>(wParam);
    wchar_t kind[16] = {};
    HWND name = nullptr;
    if (code == HCBT_ACTIVATE) name = ::GetDlgItem(box, cmb13) ? ::GetDlgItem(box, cmb13)
                                                               : ::GetDlgItem(box, edt1);
    if (name != nullptr) {
        ::SetWindowTextW(name, g_fileName.c_str());
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    } else if (code == HCBT_ACTIVATE && ::GetClassNameW(box, kind, 16) &&
               lstrcmpW(kind, L"#32770") == 0) {
        wchar_t text[512] = {};
        ::GetDlgItemTextW(box, 0xFFFF, text, 512);  // a message box's text
        g_boxes.push_back(text);
        ::PostMessageW(box, WM_COMMAND, g_boxAnswer, 0);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string FileBytes(const std::wstring& path) {
    std::string bytes(64, '\0');
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ::ReadFile(file, bytes.data(), 64, &read, nullptr);
        ::CloseHandle(file);
    }
    bytes.resize(read);
    return bytes;
}

// Every file whose name begins with the document's (the document itself among them).
int FilesNamedLike(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((path + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 1;
    while (::FindNextFileW(find, &found)) ++count;
    ::FindClose(find);
    return count;
}

}  // namespace

// Closing a changed document asks first: Cancel closes nothing.  A save that cannot replace
// the file (held open by another program) says so and leaves the file as it was, with nothing
// beside it, and the document still changed; once the file is free, the save goes through.
TEST_CASE(CancelledCloseAndFailedSaveLeaveTheDocumentAsItWas) {
    HWND frame = OpenTestFrame();
    if (frame == nullptr) return;
    auto* doc = static_cast<TestDoc*>(
        static_cast<CFrameWnd*>(theTestApp.m_pMainWnd)->GetActiveDocument());
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, AnswerBox, nullptr, ::GetCurrentThreadId());
    g_boxes.clear();
    doc->SetModifiedFlag(TRUE);
    g_boxAnswer = IDCANCEL;
    ::SendMessageW(frame, WM_CLOSE, 0, 0);
    CHECK_EQ(g_boxes.size(), 1u);
    CHECK(g_boxes.size() == 1 && g_boxes[0].find(L"Save changes to ") == 0);
    CHECK(::IsWindow(frame));
    if (!::IsWindow(frame)) {  // closed all the same: the document went with it
        ::UnhookWindowsHookEx(hook);
        return;
    }
    CHECK(doc->IsModified());

    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + L"lantrel-framework-save.dat";
    HANDLE held = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(held, "keep me", 7, &written, nullptr);
    doc->SetPathName(path.c_str(), FALSE);
    doc->content = "the new contents";
    g_boxes.clear();
    g_boxAnswer = IDOK;
    Command(frame, ID_FILE_SAVE);
    CHECK_EQ(g_boxes.size(), 1u);  // the error, reported as the framework's save error
    CHECK(g_boxes.size() == 1 && g_boxes[0].find(L"Failed to save document.") != std::wstring::npos);
    CHECK_EQ(FileBytes(path), std::string("keep me"));
    CHECK_EQ(FilesNamedLike(path), 1);
    CHECK(doc->IsModified());
    ::CloseHandle(held);
    g_boxes.clear();
    Command(frame, ID_FILE_SAVE);
    CHECK(g_boxes.empty());
    CHECK_EQ(FileBytes(path), doc->content);
    CHECK_EQ(FilesNamedLike(path), 1);
    CHECK(!doc->IsModified());

    ::UnhookWindowsHookEx(hook);
    ::DeleteFileW(path.c_str());
    ::DestroyWindow(frame);
    wintest::Settle(20);
}

namespace {

std::wstring TempName(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

// The recent-file entry n as the application keeps it in its profile, or "".
std::wstring RecentEntry(int n) {
    wchar_t name[16], value[MAX_PATH] = {};
    wsprintfW(name, L"File%d", n);
    DWORD size = sizeof(value);
    ::RegGetValueW(HKEY_CURRENT_USER,
                   L"software\\Lantrel tests\\framework_tests\\Recent File List", name,
                   RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

bool SamePath(const CString& a, const std::wstring& b) {
    return lstrcmpiW(a, b.c_str()) == 0;
}

}  // namespace

// A file that cannot be opened says so with the framework's open error and leaves the document
// as it was; a file another program holds open for writing opens (the open reads nothing and
// shares).  Every file opened, from the list too, goes to the top of the recent-file list, which
// the profile keeps at once; Save As gives the document the new name, which enters the list.
TEST_CASE(OpenSaveAsAndTheRecentFileList) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"software\\Lantrel tests");
    theTestApp.m_strAppName = L"framework_tests";
    theTestApp.SetRegistryKey(L"Lantrel tests");
    theTestApp.LoadStdProfileSettings(4);
    HWND frame = OpenTestFrame();
    if (frame == nullptr) return;
    CDocument* doc = static_cast<CFrameWnd*>(theTestApp.m_pMainWnd)->GetActiveDocument();
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, AnswerBox, nullptr, ::GetCurrentThreadId());
    g_boxAnswer = IDOK;
    const std::wstring first = TempName(L"lantrel-open-first.dat"),
                       held = TempName(L"lantrel-open-held.dat"),
                       saved = TempName(L"lantrel-saved-as.dat");
    ::CloseHandle(::CreateFileW(first.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ::DeleteFileW(saved.c_str());
    CHECK(theTestApp.OpenDocumentFile(first.c_str()) == doc);

    g_boxes.clear();
    CHECK(theTestApp.OpenDocumentFile(TempName(L"lantrel-no-such.dat").c_str()) == nullptr);
    CHECK_EQ(g_boxes.size(), 1u);
    CHECK(g_boxes.size() == 1 && g_boxes[0].find(L"Failed to open document.") != std::wstring::npos);
    CHECK(SamePath(doc->GetPathName(), first));

    HANDLE writer = ::CreateFileW(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
    g_boxes.clear();
    CHECK(theTestApp.OpenDocumentFile(held.c_str()) == doc);
    CHECK(g_boxes.empty());
    ::CloseHandle(writer);
    CHECK(SamePath(RecentEntry(1).c_str(), held) && SamePath(RecentEntry(2).c_str(), first));
    Command(frame, ID_FILE_MRU_FILE2);
    CHECK(SamePath(doc->GetPathName(), first));
    CHECK(SamePath(RecentEntry(1).c_str(), first) && SamePath(RecentEntry(2).c_str(), held));

    g_fileName = saved;
    Command(frame, ID_FILE_SAVE_AS);
    CHECK(SamePath(doc->GetPathName(), saved));
    CHECK(doc->GetTitle() == CString(L"lantrel-saved-as.dat"));
    CHECK(SamePath(RecentEntry(1).c_str(), saved) && SamePath(RecentEntry(2).c_str(), first));
    CHECK(::GetFileAttributesW(saved.c_str()) != INVALID_FILE_ATTRIBUTES);

    ::UnhookWindowsHookEx(hook);
    for (const std::wstring& path : {first, held, saved}) ::DeleteFileW(path.c_str());
    ::DestroyWindow(frame);
    wintest::Settle(20);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"software\\Lantrel tests");
}

// Two file names on the command line open the first; a print switch anywhere keeps its
// command, with the file it names.
TEST_CASE(CommandLineOpensTheFirstOfTwoFiles) {
    CCommandLineInfo two;
    two.ParseParam(L"first.txt", FALSE, FALSE);
    two.ParseParam(L"second.txt", FALSE, TRUE);
    CHECK(two.m_strFileName == CString(L"first.txt"));
    CHECK_EQ(two.m_nShellCommand, int{CCommandLineInfo::FileOpen});
    CCommandLineInfo print;
    print.ParseParam(L"p", TRUE, FALSE);
    print.ParseParam(L"first.txt", FALSE, TRUE);
    CHECK(print.m_strFileName == CString(L"first.txt"));
    CHECK_EQ(print.m_nShellCommand, int{CCommandLineInfo::FilePrint});
    CCommandLineInfo none;
    none.ParseParam(L"", FALSE, TRUE);
    CHECK(none.m_strFileName.IsEmpty());
    CHECK_EQ(none.m_nShellCommand, int{CCommandLineInfo::FileNew});
    // A switch begins with '/' or '-' and is matched whatever its letters' case; one that is
    // not the framework's is ignored, never taken for a file.
    struct Line {
        const wchar_t* text;
        int command;
        const wchar_t* file;
    };
    const Line lines[] = {
        {L"lantrel.exe /P a.txt", CCommandLineInfo::FilePrint, L"a.txt"},
        {L"lantrel.exe -p a.txt", CCommandLineInfo::FilePrint, L"a.txt"},
        {L"lantrel.exe a.txt -Pt printer driver port", CCommandLineInfo::FilePrintTo, L"a.txt"},
        {L"lantrel.exe /pT a.txt", CCommandLineInfo::FilePrintTo, L"a.txt"},
        {L"lantrel.exe -DDE", CCommandLineInfo::FileDDE, L""},
        {L"lantrel.exe -unregserver", CCommandLineInfo::AppUnregister, L""},
        {L"\"C:\\a dir\\lantrel.exe\" \"-x\" b.txt", CCommandLineInfo::FileOpen, L"b.txt"},
    };
    for (const Line& line : lines) {
        CCommandLineInfo info;
        AfxParseCommandLine(info, line.text);
        CHECK_EQ(info.m_nShellCommand, line.command);
        CHECK(info.m_strFileName == CString(line.file));
    }
}

TEST_CASE(RecentFileListKeepsFourDistinctNewestFirst) {
    CRecentFileList list(ID_FILE_MRU_FILE1, L"Recent File List", L"File%d", 4);
    list.Add(L"C:\\a.txt");
    list.Add(L"C:\\b.txt");
    list.Add(L"c:\\A.TXT");  // the same file: moves to the top, once
    CHECK_EQ(list.GetSize(), 2);
    CHECK(list[0] == CString(L"c:\\A.TXT"));
    for (const wchar_t* name : {L"C:\\c", L"C:\\d", L"C:\\e"}) list.Add(name);
    CHECK_EQ(list.GetSize(), 4);
    CHECK(list[0] == CString(L"C:\\e"));
    CHECK(list[3] == CString(L"c:\\A.TXT") || list[3] == CString(L"C:\\b.txt"));
    list.Add(L"C:\\R&D\\plan.txt");
    CHECK(list.GetMenuText(0) == CString(L"&1 C:\\R&&D\\plan.txt"));
    list.Add(L"C:\\a very long folder name\\and another one\\deeper still\\file.txt");
    CString shortened = list.GetMenuText(0);
    CHECK(shortened.GetLength() <= 43);
    CHECK(shortened.Find(L"file.txt") > 0);
    list.Remove(0);
    list.Remove(99);  // out of range: nothing happens
    CHECK_EQ(list.GetSize(), 3);
    CHECK(list[0] == CString(L"C:\\R&D\\plan.txt"));
}

namespace {

// A profile in memory: "section/entry" -> value.
class MemoryProfile : public CProfile {
public:
    CString GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue) override {
        auto found = values.find(Key(section, entry));
        return found == values.end() ? CString(defaultValue) : CString(found->second);
    }
    BOOL WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value) override {
        if (value == nullptr) {
            values.erase(Key(section, entry));
        } else {
            values[Key(section, entry)] = value;
        }
        return TRUE;
    }
    static std::wstring Key(LPCWSTR section, LPCWSTR entry) {
        return std::wstring(section) + L"/" + entry;
    }
    std::map<std::wstring, std::wstring> values;
};

}  // namespace

TEST_CASE(RecentFileListKeepsItselfInTheProfile) {
    MemoryProfile profile;
    profile.values[L"Recent File List/File3"] = L"C:\\stale";  // beyond the list: goes
    profile.values[L"Other/File1"] = L"C:\\not ours";
    CRecentFileList list(ID_FILE_MRU_FILE1, L"Recent File List", L"File%d", 4);
    list.Add(L"C:\\old");
    list.Add(L"C:\\new");
    list.WriteList(profile);
    CHECK(profile.values[L"Recent File List/File1"] == L"C:\\new");
    CHECK(profile.values[L"Recent File List/File2"] == L"C:\\old");
    CHECK(profile.values.count(L"Recent File List/File3") == 0);
    CHECK(profile.values[L"Other/File1"] == L"C:\\not ours");
    CHECK_EQ(profile.values.size(), 3u);
    // Read back in order; empty entries and gaps are skipped.
    profile.values[L"Recent File List/File2"] = L"";
    profile.values[L"Recent File List/File4"] = L"C:\\last";
    CRecentFileList read(ID_FILE_MRU_FILE1, L"Recent File List", L"File%d", 4);
    read.ReadList(profile);
    CHECK_EQ(read.GetSize(), 2);
    CHECK(read[0] == CString(L"C:\\new"));
    CHECK(read[1] == CString(L"C:\\last"));
}

// What another program may have left in the profile: a value of another type is no string,
// and a string stored without its NUL, or with an odd byte, reads as its whole characters.
TEST_CASE(HostileProfileValuesReadAsTheirWholeCharactersOrNotAtAll) {
    const wchar_t* key = L"software\\Lantrel tests\\framework_tests\\Hostile";
    HKEY section = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &section,
                      nullptr);
    CRegistryProfile profile;
    profile.SetPlace(L"Lantrel tests", L"framework_tests");
    DWORD number = 0x00420041;  // "AB" if it were read as characters
    ::RegSetValueExW(section, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    CHECK(profile.GetProfileString(L"Hostile", L"Number", L"default") == CString(L"default"));
    const std::wstring text = L"C:\\recent\\file.txt";
    for (size_t length = 1; length <= text.size(); ++length) {
        for (DWORD odd : {0, 1}) {
            DWORD bytes = static_cast<DWORD>(length * sizeof(wchar_t)) + odd;
            std::wstring stored = text.substr(0, length) + L'Z';  // odd: the Z's low byte
            ::RegSetValueExW(section, L"Bare", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(stored.c_str()), bytes);
            CString read = profile.GetProfileString(L"Hostile", L"Bare", L"default");
            if (read != CString(text.substr(0, length))) {
                std::printf("  %lu bytes read as %ls\n", bytes, read.GetString());
            }
            CHECK(read == CString(text.substr(0, length)));
        }
    }
    ::RegCloseKey(section);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"software\\Lantrel tests");
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
