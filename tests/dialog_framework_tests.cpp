// Framework behaviour the hyperlink control leans on, on real windows: subclassing order,
// reflection of control notifications and colours, the modal loop (also ended from another
// thread), tooltips.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/static.h"
#include "framework/tooltip.h"
#include "support/wintest.h"
#include "tests/check.h"

namespace {

CWinApp theApp(L"Framework Test");

// Takes its own click and paints its own background red; notes what reaches it.
class ReflectingStatic : public CStatic {
public:
    int clicks = 0, messages = 0;
    bool attachedBeforeMessages = false;
    std::vector<UINT> offered;

    BOOL PreTranslateMessage(MSG* pMsg) override {
        offered.push_back(pMsg->message);
        return FALSE;
    }

protected:
    void PreSubclassWindow() override {
        SendMessage(WM_GETTEXTLENGTH);
        attachedBeforeMessages = m_hWnd != nullptr && messages == 0;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        ++messages;
        return CStatic::WindowProc(message, wParam, lParam);
    }
    void OnClicked() { ++clicks; }
    HBRUSH CtlColor(CDC*, UINT) { return m_brush; }
    DECLARE_MESSAGE_MAP()
    CBrush m_brush{RGB(255, 0, 0)};
};

BEGIN_MESSAGE_MAP(ReflectingStatic, CStatic)
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// Template 1: statics 10 and 11 (SS_NOTIFY), at (0, 0).  Modal, it attaches static 10, posts
// one message to it and one to itself, and ends when it is offered the second.
class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(1) {}
    bool modal = false;
    int parentClicks[2] = {0, 0};
    std::vector<UINT> offered;
    ReflectingStatic child;
    RECT shownAt = {};
    bool ownerDisabled = false;

    BOOL PreTranslateMessage(MSG* pMsg) override {
        offered.push_back(pMsg->message);
        if (pMsg->message == WM_APP + 1) {
            GetWindowRect(&shownAt);
            ownerDisabled = !::IsWindowEnabled(::GetWindow(m_hWnd, GW_OWNER));
            EndDialog(IDOK);
        }
        return CDialog::PreTranslateMessage(pMsg);
    }

protected:
    BOOL OnInitDialog() override {
        if (modal && child.SubclassDlgItem(10, this)) {
            ::PostMessageW(child.m_hWnd, WM_APP, 0, 0);
            PostMessage(WM_APP + 1);
        }
        return TRUE;
    }
    void OnTen() { ++parentClicks[0]; }
    void OnEleven() { ++parentClicks[1]; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
    ON_COMMAND(10, OnTen)
    ON_COMMAND(11, OnEleven)
END_MESSAGE_MAP()

// A pixel of the control's background, past the end of its text.
unsigned BackgroundPixel(HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    return wintest::ScreenPixel(r.right - 2, r.bottom - 2);
}

void ClickOn(HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    wintest::MoveMouse(r.left + 2, (r.top + r.bottom) / 2);
    wintest::Settle(50);
    wintest::ClickMouse();
    wintest::Settle(100);
}

bool Contains(const std::vector<UINT>& messages, UINT message) {
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

}  // namespace

TEST_CASE(ClickAndColourAreReflectedToTheControlThatSentThem) {
    TestDialog dialog;
    CHECK(dialog.Create(1));
    dialog.ShowWindow(SW_SHOW);
    ReflectingStatic templated, created;  // on a template's static; made by CStatic::Create
    CHECK(templated.SubclassDlgItem(10, &dialog));
    CHECK(templated.attachedBeforeMessages);
    RECT rect = {130, 10, 170, 30};
    CHECK(created.Create(L"Made", WS_VISIBLE | SS_NOTIFY, rect, &dialog, 12));
    dialog.Invalidate();
    wintest::Settle(100);
    CHECK_EQ(BackgroundPixel(templated.m_hWnd), 0xFF0000u);
    CHECK_EQ(BackgroundPixel(created.m_hWnd), 0xFF0000u);
    CHECK(BackgroundPixel(dialog.GetDlgItem(11)) != 0xFF0000u);

    ClickOn(templated.m_hWnd);
    ClickOn(dialog.GetDlgItem(11));
    ::Sleep(::GetDoubleClickTime());  // a separate click, not a double click
    ClickOn(created.m_hWnd);
    CHECK_EQ(templated.clicks, 1);
    CHECK_EQ(created.clicks, 1);
    CHECK_EQ(dialog.parentClicks[0], 0);  // taken by the control, not seen by the parent
    CHECK_EQ(dialog.parentClicks[1], 1);  // no control object: the parent's command
    dialog.DestroyWindow();
}

TEST_CASE(DoModalCentresOverTheMainWindowAndOffersMessagesToTheChain) {
    CWnd main;
    CHECK(main.CreateEx(0, nullptr, L"main", WS_POPUP | WS_VISIBLE, 40, 30, 600, 500, nullptr,
                        nullptr));
    theApp.m_pMainWnd = &main;
    TestDialog dialog;
    dialog.modal = true;
    // Should the loop never offer the message that ends the box, cancel it instead of hanging.
    UINT_PTR guard = ::SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) {
        ::PostMessageW(::FindWindowW(L"#32770", L"Framework test"), WM_COMMAND, IDCANCEL, 0);
    });
    CHECK_EQ(dialog.DoModal(), IDOK);
    ::KillTimer(nullptr, guard);
    theApp.m_pMainWnd = nullptr;
    CHECK_EQ((dialog.shownAt.left + dialog.shownAt.right) / 2, 40 + 300);
    CHECK_EQ((dialog.shownAt.top + dialog.shownAt.bottom) / 2, 30 + 250);
    CHECK(dialog.ownerDisabled);
    CHECK(::IsWindowEnabled(main.m_hWnd));
    // The control's message went to the control first, then up to the dialog.
    CHECK(Contains(dialog.child.offered, WM_APP));
    CHECK(Contains(dialog.offered, WM_APP));
    main.DestroyWindow();
}

namespace {

// Notes where it stands when its OnInitDialog runs, and moves itself there if told to.
class PlacedDialog : public CDialog {
public:
    PlacedDialog(UINT nIDTemplate, CWnd* parent, const POINT* moveTo = nullptr)
        : CDialog(nIDTemplate, parent), m_pMoveTo(moveTo) {}
    int inits = 0;
    bool attached = false;
    RECT atInit = {};

protected:
    BOOL OnInitDialog() override {
        ++inits;
        attached = CWnd::FromHandlePermanent(m_hWnd) == this;
        GetWindowRect(&atInit);
        if (m_pMoveTo) SetWindowPos(nullptr, m_pMoveTo->x, m_pMoveTo->y, 0, 0, SWP_NOSIZE);
        return TRUE;
    }

private:
    const POINT* m_pMoveTo;
};

POINT Centre(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

// WM_INITDIALOG reaches OnInitDialog through the dialog's map, once, the object attached; where
// the dialog stands is decided before: a pop-up over its owner, which its initialisation may
// move on from; a child where its template puts it in its parent.
TEST_CASE(DialogsArePlacedBeforeTheirInitialisationRunsFromTheMap) {
    CWnd owner;
    CHECK(owner.CreateEx(0, nullptr, L"owner", WS_POPUP | WS_VISIBLE, 60, 50, 500, 400, nullptr,
                         nullptr));
    PlacedDialog centred(1, &owner);
    CHECK(centred.Create(1));
    CHECK_EQ(centred.inits, 1);
    CHECK(centred.attached);
    POINT centre = Centre(centred.m_hWnd);
    CHECK_EQ(centre.x, 60 + 250);
    CHECK_EQ(centre.y, 50 + 200);
    CHECK_EQ((centred.atInit.left + centred.atInit.right) / 2, centre.x);
    centred.DestroyWindow();

    POINT corner = {7, 9};
    PlacedDialog moved(1, &owner, &corner);
    CHECK(moved.Create(1));
    RECT rect;
    moved.GetWindowRect(&rect);
    CHECK(rect.left == corner.x && rect.top == corner.y);
    moved.DestroyWindow();

    PlacedDialog child(2, &owner);
    CHECK(child.Create(2));
    RECT templated = {10, 20, 0, 0};
    ::MapDialogRect(child.m_hWnd, &templated);
    POINT origin = {0, 0};
    ::MapWindowPoints(child.m_hWnd, owner.m_hWnd, &origin, 1);
    CHECK(origin.x == templated.left && origin.y == templated.top);
    CHECK_EQ(child.inits, 1);
    child.DestroyWindow();
    owner.DestroyWindow();
}

TEST_CASE(EndDialogFromAnotherThreadWakesTheModalLoop) {
    TestDialog dialog;  // not modal-flagged: it posts itself nothing
    HANDLE returned = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool woke = false;
    std::thread closer([&] {
        HWND box = nullptr;
        for (int i = 0; i < 200 && !(box = ::FindWindowW(L"#32770", L"Framework test")); ++i) {
            ::Sleep(50);
        }
        ::Sleep(500);  // shown and painted: the loop waits in GetMessage for input
        // OK handled inside that wait, and no further message follows it.
        ::SendMessageW(box, WM_COMMAND, IDOK, 0);
        woke = ::WaitForSingleObject(returned, 5000) == WAIT_OBJECT_0;
        if (!woke) ::PostMessageW(box, WM_NULL, 0, 0);  // let the test go on
    });
    INT_PTR result = dialog.DoModal();
    ::SetEvent(returned);
    closer.join();
    ::CloseHandle(returned);
    CHECK_EQ(result, IDOK);
    CHECK(woke);
}

namespace {

// Template 3: an edit box, a check box, OK (the default) and Cancel.  Modal, it types keys, one
// every 100 ms, into whatever has the focus, noting where the focus is before each; it ends
// itself with kHung should the keys never end it.
const INT_PTR kHung = 99;

class KeyedDialog : public CDialog {
public:
    explicit KeyedDialog(std::vector<WORD> keys) : CDialog(3), m_keys(std::move(keys)) {}
    std::vector<int> focus;  // the control id with the focus before each key

protected:
    BOOL OnInitDialog() override {
        ::SetTimer(m_hWnd, 1, 100, nullptr);
        ::SetTimer(m_hWnd, 2, 5000, nullptr);
        return TRUE;  // the focus on the first control that takes it
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER) return CDialog::WindowProc(message, wParam, lParam);
        if (wParam == 2 || m_keys.empty()) {
            ::KillTimer(m_hWnd, wParam);
            if (wParam == 2) EndDialog(static_cast<int>(kHung));
            return 0;
        }
        HWND focused = ::GetFocus();
        focus.push_back(::GetDlgCtrlID(focused));
        // As the keyboard gives them: queued to the window with the focus.
        ::PostMessageW(focused, WM_KEYDOWN, m_keys.front(), 1);
        ::PostMessageW(focused, WM_KEYUP, m_keys.front(), 0xC0000001);
        m_keys.erase(m_keys.begin());
        return 0;
    }

private:
    std::vector<WORD> m_keys;
};

}  // namespace

// The dialog keys work in a modal dialog: Tab moves the focus to the next control that takes
// it, Enter chooses the default button, Escape cancels.
TEST_CASE(DialogKeysMoveTheFocusAndEndTheDialog) {
    struct Case {
        std::vector<WORD> keys;
        INT_PTR result;
        std::vector<int> focus;
    };
    const Case cases[] = {{{VK_TAB, VK_TAB, VK_RETURN}, IDOK, {20, 21, IDOK}},
                          {{VK_ESCAPE}, IDCANCEL, {20}},
                          {{VK_RETURN}, IDOK, {20}}};
    for (const Case& c : cases) {
        KeyedDialog dialog(c.keys);
        INT_PTR result = dialog.DoModal();
        CHECK_EQ(result, c.result);
        CHECK(dialog.focus == c.focus);
        if (result == kHung) return;  // one hang is enough
    }
}

TEST_CASE(ToolTipKeepsItsToolsTextsAndGoesWithItsObject) {
    TestDialog dialog;
    CHECK(dialog.Create(1));
    CStatic control;
    RECT rect = {10, 10, 60, 30};
    CHECK(control.Create(L"tool", WS_VISIBLE, rect, &dialog, 12));
    HWND tipWindow = nullptr;
    {
        CToolTipCtrl tip;
        CHECK(tip.Create(&control));
        tipWindow = tip.m_hWnd;
        CHECK(::GetWindow(tipWindow, GW_OWNER) == dialog.m_hWnd);
        CHECK(tip.AddTool(&control, L"first", nullptr, 1));
        CHECK(tip.GetText(&control, 1) == CString(L"first"));
        tip.UpdateTipText(L"second", &control, 1);
        CHECK(tip.GetText(&control, 1) == CString(L"second"));
        CHECK(tip.GetText(&control, 2).IsEmpty());
    }
    CHECK(!::IsWindow(tipWindow));
    dialog.DestroyWindow();
}

namespace {

// Whether this thread is in a single-threaded COM apartment.
bool InSingleThreadedApartment() {
    APTTYPE type = APTTYPE_MTA;
    APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
    return ::CoGetApartmentType(&type, &qualifier) == S_OK &&
           (type == APTTYPE_STA || type == APTTYPE_MAINSTA);
}

bool g_loopInApartment = false;

void CALLBACK NoteApartmentAndQuit(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    g_loopInApartment = InSingleThreadedApartment();
    ::PostQuitMessage(0);
}

}  // namespace

// The application's thread runs its message loop, where a click on a link calls ShellExecute, in
// a single-threaded COM apartment, as ShellExecute asks of its callers; it leaves it at the end.
TEST_CASE(ApplicationRunsInASingleThreadedApartment) {
    CHECK(!InSingleThreadedApartment());
    CHECK(::SetTimer(nullptr, 0, 1, NoteApartmentAndQuit) != 0);
    CHECK_EQ(AfxWinMain(::GetModuleHandleW(nullptr), const_cast<LPWSTR>(L""), SW_HIDE), 0);
    CHECK(g_loopInApartment);
    CHECK(!InSingleThreadedApartment());
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
