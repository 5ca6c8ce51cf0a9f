// Framework behaviour the hyperlink control leans on, on real windows: subclassing order,
// reflection of control notifications and colours, the modal loop, tooltips.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/static.h"
#include "framework/tooltip.h"
#include "tests/check.h"
#include "tests/wintest.h"

namespace {

CWinApp theApp(L"Framework Test");

// Records the messages that reach the object, and the queued ones offered to it first.
class RecordingStatic : public CStatic {
public:
    std::vector<UINT> seen, offered;
    bool attachedBeforeMessages = false;

    BOOL PreTranslateMessage(MSG* pMsg) override {
        offered.push_back(pMsg->message);
        return FALSE;
    }

protected:
    void PreSubclassWindow() override {
        SendMessage(WM_GETTEXTLENGTH);
        attachedBeforeMessages = m_hWnd != nullptr && seen.empty();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        return CStatic::WindowProc(message, wParam, lParam);
    }
};

// Takes its own click and paints its own background red.
class ReflectingStatic : public CStatic {
public:
    int clicks = 0;

protected:
    void OnClicked() { ++clicks; }
    HBRUSH CtlColor(CDC*, UINT) { return m_brush; }
    DECLARE_MESSAGE_MAP()
    CBrush m_brush{RGB(255, 0, 0)};
};

BEGIN_MESSAGE_MAP(ReflectingStatic, CStatic)
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(1) {}
    int parentClicks[2] = {0, 0};
    std::vector<UINT> offered;
    RecordingStatic child;
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
        if (m_bModalTest) {
            child.SubclassDlgItem(10, this);
            ::PostMessageW(child.m_hWnd, WM_APP, 0, 0);
            PostMessage(WM_APP + 1);
        }
        return TRUE;
    }
    void OnTen() { ++parentClicks[0]; }
    void OnEleven() { ++parentClicks[1]; }
    DECLARE_MESSAGE_MAP()

public:
    bool m_bModalTest = false;
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

}  // namespace

TEST_CASE(SubclassDlgItemCallsPreSubclassWindowBeforeMessagesArrive) {
    TestDialog dialog;
    CHECK(dialog.Create(1));
    RecordingStatic control;
    CHECK(control.SubclassDlgItem(11, &dialog));
    CHECK(control.attachedBeforeMessages);
    CHECK_EQ(control.SendMessage(WM_GETTEXTLENGTH), 5);  // "Plain", from the control's own proc
    CHECK(control.seen.size() == 1 && control.seen[0] == WM_GETTEXTLENGTH);
    dialog.DestroyWindow();
}

TEST_CASE(ClickAndColourAreReflectedToTheControlThatSentThem) {
    TestDialog dialog;
    CHECK(dialog.Create(1));
    dialog.ShowWindow(SW_SHOW);
    ReflectingStatic templated, created;
    CHECK(templated.SubclassDlgItem(10, &dialog));
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
    dialog.m_bModalTest = true;
    // Should the loop never offer the message that ends the box, cancel it instead of hanging.
    UINT_PTR guard = ::SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) {
        ::PostMessageW(::FindWindowW(L"#32770", L"Framework test"), WM_COMMAND, IDCANCEL, 0);
    });
    CHECK_EQ(dialog.DoModal(), IDOK);
    ::KillTimer(nullptr, guard);
    theApp.m_pMainWnd = nullptr;
    RECT r = dialog.shownAt;
    CHECK_EQ((r.left + r.right) / 2, 40 + 300);
    CHECK_EQ((r.top + r.bottom) / 2, 30 + 250);
    CHECK(dialog.ownerDisabled);
    CHECK(main.IsWindow() && ::IsWindowEnabled(main.m_hWnd));
    // The control's message went to the control first, then up to the dialog.
    const std::vector<UINT>& offered = dialog.child.offered;
    CHECK(std::find(offered.begin(), offered.end(), WM_APP) != offered.end());
    CHECK(std::find(dialog.offered.begin(), dialog.offered.end(), WM_APP) != dialog.offered.end());
    main.DestroyWindow();
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

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
