// The view in a program whose pictures cannot be loaded: it keeps working and shows the
// window colour instead of garbage.
#include <windows.h>

#include "app/view.h"
#include "support/wintest.h"
#include "tests/check.h"
#include "transitions/transition.h"

using Type = EffectType;
using Flags = EffectFlags;

TEST_CASE(MissingPicturesShowTheWindowColourAndNothingBreaks) {
    wintest::RecordingView host;
    CHECK(host.Open(40, 40, 300, 200));
    auto* view = static_cast<CDorvelView*>(RUNTIME_CLASS(CDorvelView)->CreateObject());
    RECT rect = {0, 0, 300, 200};
    CHECK(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, &host, 0xE900));
    view->m_bAutoDelete = true;
    view->OnInitialUpdate();  // "Genie" is not there
    wintest::Picture target(900, 700, [](int, int) -> COLORREF { return RGB(1, 2, 3); });
    CDC dc(target.Dc());
    view->OnDraw(&dc);
    COLORREF window = ::GetSysColor(COLOR_WINDOW);
    CHECK(target.At(0, 0) == window);
    CHECK(target.At(799, 599) == window);
    CHECK(target.At(800, 0) == RGB(1, 2, 3));  // still nothing beyond the picture
    for (int i = 0; i < 5; ++i) view->LoadNextPicture();
    // A transition to the missing picture runs to its end and leaves no region.
    RunTransition(view, DrawPictureCallback, 0, Flags::None, Type::SmoothAway);
    RunTransition(view, DrawPictureCallback, 0, Flags::None, Type::FadeOut);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    CHECK_EQ(::GetWindowRgn(view->m_hWnd, region), ERROR);
    ::DeleteObject(region);
    wintest::Settle(50);
    RECT client = {40, 40, 340, 240};
    int notWindow = 0;
    unsigned want = (GetRValue(window) << 16) | (GetGValue(window) << 8) | GetBValue(window);
    for (unsigned p : wintest::ReadScreen(client)) notWindow += p != want;
    CHECK_EQ(notWindow, 0);
    host.Close();
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
