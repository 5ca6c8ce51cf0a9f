// The transition frame on real windows: what reaches the screen, and the window region left.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "app/view.h"
#include "support/wintest.h"
#include "tests/check.h"
#include "tests/oracle.h"
#include "transitions/effects.h"
#include "animation/pacing.h"
#include "transitions/regioncopy.h"
#include "transitions/transition.h"

using Type = EffectType;
using Flags = EffectFlags;

namespace {

const int kLeft = 60, kTop = 40;  // where the test view sits on the screen

COLORREF NewPicture(int x, int y) {
    return RGB(40 + x % 200, 200 - y % 150, 90);
}

unsigned ToScreen(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// The view's current picture for the transitions: a 100 x 100 pattern, like the program's
// 800 x 600 one that may be smaller than the client area.
int g_drawCalls = 0;
void DrawSmallPicture(CWnd*, CDC* dc) {
    ++g_drawCalls;
    static wintest::Picture picture(100, 100, NewPicture);
    ::BitBlt(*dc, 0, 0, 100, 100, picture.Dc(), 0, 0, SRCCOPY);
}

double Millis(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * (to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

// Screen pixels of the test view (client coordinates).
std::vector<unsigned> ViewPixels(int width, int height) {
    RECT r = {kLeft, kTop, kLeft + width, kTop + height};
    return wintest::ReadScreen(r);
}

bool HasWindowRegion(HWND hWnd) {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    bool has = ::GetWindowRgn(hWnd, region) != ERROR;
    ::DeleteObject(region);
    return has;
}

// A request on view with a source picture filled by NewPicture.
struct Fixture {
    wintest::RecordingView view;
    wintest::Picture source{200, 150, NewPicture};
    CDC sourceDC{source.Dc()};
    std::unique_ptr<CClientDC> targetDC;
    TransitionRequest request;

    Fixture() {
        view.paintColor = RGB(0, 0, 0);
        view.Open(kLeft, kTop, 200, 150);
        targetDC = std::make_unique<CClientDC>(view.m_hWnd);
        request = {&view, targetDC.get(), &sourceDC};
    }
};

// A test view that, each time a step sets its window region, reads back what its client area
// shows and gives the new picture a plain colour of that step's own, so that what one step
// changes is told apart from what the steps before it changed.  It reads through its host's DC
// (children not clipped), which the step's region does not restrict.
class StepReader : public wintest::RecordingView {
public:
    // Opens the view; with a border, the program's: a sunken client edge.
    bool OpenView(int width, int height, bool border) {
        if (!Open(kLeft, kTop, width, height)) return false;
        if (border) {
            ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        }
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        wintest::Settle(50);
        GetClientRect(&client);
        source = std::make_unique<wintest::Picture>(client.right, client.bottom, Black);
        sourceDC = std::make_unique<CDC>(source->Dc());
        targetDC = std::make_unique<CClientDC>(m_hWnd);
        request = {this, targetDC.get(), sourceDC.get()};
        return true;
    }
    // Runs routine on the whole client area with the given steps; shown[k] is the client area
    // as step k found it, and the last entry as the routine left it; step k copied colours[k].
    // remember: the request keeps what the last step revealed, as RunTransition's does.
    void Run(EffectRoutine routine, EffectType type, EffectFlags flags, int stepX, int stepY,
             bool remember = false) {
        ClearRegions();
        shown.clear();
        colours.clear();
        closing = routine == GrowShapeEffect && HasFlags(flags, EffectFlags::Reverse);
        revealed.DeleteObject();
        request.revealed = remember ? &revealed : nullptr;
        TransitionPlan plan = PlanTransition(type, flags, client);
        plan.stepX = stepX;
        plan.stepY = stepY;
        m_bReading = true;
        routine(plan, request);
        m_bReading = false;
        shown.push_back(ReadClient());
    }
    RECT client = {};
    bool closing = false;  // the last run was of a closing shape
    std::vector<std::vector<unsigned>> shown;
    std::vector<COLORREF> colours;
    TransitionRequest request;
    CRgn revealed;

protected:
    void OnWindowPosChanged(WINDOWPOS* pos) {
        size_t before = regions.size();
        wintest::RecordingView::OnWindowPosChanged(pos);
        if (m_bReading && regions.size() > before) {
            shown.push_back(ReadClient());
            // Never one used before, in this run or an earlier one.
            colours.push_back(RGB(20 + m_nColours % 200, 250 - m_nColours / 200, 128));
            ++m_nColours;
            CBrush brush(colours.back());
            ::FillRect(source->Dc(), &client, brush);
        }
    }
    DECLARE_MESSAGE_MAP()

private:
    static COLORREF Black(int, int) { return RGB(0, 0, 0); }
    std::vector<unsigned> ReadClient() {
        HDC host = ::GetDCEx(Host(), nullptr, DCX_CACHE);
        RECT r = client;
        ::MapWindowPoints(m_hWnd, Host(), reinterpret_cast<POINT*>(&r), 2);
        std::vector<unsigned> pixels = wintest::ReadDc(host, r);
        ::ReleaseDC(Host(), host);
        return pixels;
    }
    std::unique_ptr<wintest::Picture> source;
    std::unique_ptr<CDC> sourceDC;
    std::unique_ptr<CClientDC> targetDC;
    bool m_bReading = false;
    int m_nColours = 0;
};

BEGIN_MESSAGE_MAP(StepReader, wintest::RecordingView)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

// True if step k of the last run changes client pixel (x, y): the step copies the bounding box
// of its region (client coordinates, as built) while the window, which reads its region in
// window coordinates, shows only window points of the region.  So the pixel changes when it
// lies in that box and its window point (x + cx, y + cy) in the region.  The region read back
// is the one built, cut to the window's rectangle.  The cut leaves the box's left and top
// edges alone wherever they lie inside the client area (the regions reach beyond its left or
// top edge only where they also cover its first column or row), but for the closing shapes:
// the client area without a shape that begins larger than it, whose box always holds the
// whole client area.
bool StepChanges(const StepReader& view, size_t k, int x, int y, int cx, int cy) {
    RECT box = view.client;
    if (!view.closing) ::GetRgnBox(view.regions[k], &box);
    POINT pixel = {x, y};
    return ::PtInRect(&box, pixel) && ::PtInRegion(view.regions[k], x + cx, y + cy);
}

// Checks that each step of the last run changed exactly the client pixels StepChanges says, to
// the step's colour (added: only those the step before did not change).  Prints the first step
// that did not.
bool EachStepChangedItsRegion(const char* what, StepReader& view, bool added = false) {
    RECT window;
    view.GetWindowRect(&window);
    POINT origin = {0, 0};
    ::ClientToScreen(view.m_hWnd, &origin);
    int cx = origin.x - window.left, cy = origin.y - window.top;
    int width = view.client.right, height = view.client.bottom;
    if (view.shown.size() != view.regions.size() + 1 || view.regions.size() < 10) {
        std::printf("  %s: %zu readings of %zu steps\n", what, view.shown.size(),
                    view.regions.size());
        return false;
    }
    for (size_t k = 0; k < view.regions.size(); ++k) {
        unsigned colour = ToScreen(view.colours[k]);
        int wrong = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                size_t p = static_cast<size_t>(y) * width + x;
                bool inside = StepChanges(view, k, x, y, cx, cy) &&
                              !(added && k > 0 && StepChanges(view, k - 1, x, y, cx, cy));
                bool changed = view.shown[k][p] != view.shown[k + 1][p];
                bool bad = inside != changed || (changed && view.shown[k + 1][p] != colour);
                wrong += bad;
            }
        }
        if (wrong != 0) {
            std::printf(
                "  %s (client origin %d, %d in the window): step %zu of %zu, %d pixels "
                "wrong; region %s\n",
                what, cx, cy, k, view.regions.size(), wrong,
                wintest::Describe(view.regions[k]).c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

TEST_CASE(RevealRegionShowsTheNewPictureOnlyInsideTheRegion) {
    Fixture f;
    CRgn region;
    region.CreateEllipticRgn(20, 10, 120, 110);
    RECT box;
    region.GetRgnBox(&box);
    HRGN expected = ::CreateEllipticRgn(20, 10, 120, 110);
    RevealRegion(std::move(region), &f.request);
    CHECK(region.GetSafeHandle() == nullptr);  // taken over
    wintest::Settle(50);
    std::vector<unsigned> shown = ViewPixels(200, 150);
    int wrongInside = 0, wrongOutside = 0;
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            unsigned pixel = shown[y * 200 + x];
            if (::PtInRegion(expected, x, y)) {
                wrongInside += pixel != ToScreen(NewPicture(x, y));
            } else {
                wrongOutside += pixel != 0;
            }
        }
    }
    CHECK_EQ(wrongInside, 0);
    CHECK_EQ(wrongOutside, 0);
    ::DeleteObject(expected);
    // The step's region was set while copying and is gone afterwards.
    CHECK_EQ(f.view.regions.size(), 1u);
    if (!f.view.regions.empty()) {
        HRGN ellipse = ::CreateEllipticRgn(20, 10, 120, 110);
        CHECK(wintest::SameRegion(f.view.regions[0], ellipse));
        ::DeleteObject(ellipse);
    }
    CHECK(!HasWindowRegion(f.view.m_hWnd));
}

// A window region is in window coordinates: on the program's bordered view every step changes
// its box's part of its region moved up and left by the border, as a copy of the box through
// the region itself would.  Reversed wipes and doors, and growing shapes, would otherwise show
// a 2-pixel strip on their left or top a step early.
TEST_CASE(EachStepChangesWhatItsWindowRegionCoversWithinItsBoxWithOrWithoutABorder) {
    StepReader bordered;
    CHECK(bordered.OpenView(300, 200, true));
    CHECK_EQ(bordered.client.right, 296);  // a 2-pixel edge all round
    int stepX, stepY;
    BaseSteps(bordered.client.right, bordered.client.bottom, stepX, stepY);
    const Flags both = Flags::Horizontal | Flags::Vertical;
    bordered.Run(WipeEffect, Type::SmoothAway, both, stepX / 100, stepY / 100);
    CHECK(EachStepChangedItsRegion("wipe", bordered));
    bordered.Run(WipeEffect, Type::SmoothAway, both | Flags::Reverse, -stepX / 100, -stepY / 100);
    CHECK(EachStepChangedItsRegion("reversed wipe", bordered));
    bordered.Run(WipeEffect, Type::DoorLike, Flags::Horizontal | Flags::Reverse, -stepX / 100, 0);
    CHECK(EachStepChangedItsRegion("opening door", bordered));
    bordered.Run(GrowShapeEffect, Type::CircleLike, Flags::None, stepX, stepY);
    CHECK(EachStepChangedItsRegion("circle", bordered));
    bordered.Run(GrowShapeEffect, Type::RectLike, Flags::None, stepX, stepY);
    CHECK(EachStepChangedItsRegion("rectangle", bordered));
    bordered.Run(GrowShapeEffect, Type::Lens, Flags::Reverse, 2 * stepX, 2 * stepY);
    CHECK(EachStepChangedItsRegion("lens", bordered));
    StepReader plain;
    CHECK(plain.OpenView(300, 200, false));
    plain.Run(WipeEffect, Type::SmoothAway, both | Flags::Reverse, -8, -5);
    CHECK(EachStepChangedItsRegion("reversed wipe without a border", plain));
}

// As RunTransition runs them, the steps copy only what is new: the picture does not change
// during a transition, so what the last step copied is still on the screen.  Each step changes
// exactly those of its pixels the last step did not, however they are spread.
TEST_CASE(WithTheLastRegionKeptEachStepCopiesOnlyWhatItAdds) {
    StepReader view;
    CHECK(view.OpenView(300, 200, true));
    int stepX, stepY;
    BaseSteps(view.client.right, view.client.bottom, stepX, stepY);
    view.Run(WipeEffect, Type::DoorLike, Flags::Horizontal, stepX / 100, 0, true);
    CHECK(EachStepChangedItsRegion("doors", view, true));
    view.Run(GrowShapeEffect, Type::CircleLike, Flags::Reverse, stepX, stepY, true);
    CHECK(EachStepChangedItsRegion("closing circle", view, true));
    view.Run(GrowShapeEffect, Type::Lens, Flags::None, 2 * stepX, 2 * stepY, true);
    CHECK(EachStepChangedItsRegion("turning lens", view, true));
    view.Run(BlindsEffect, Type::Mosaic, Flags::Horizontal, stepX / 100, stepY / 100, true);
    CHECK(EachStepChangedItsRegion("mosaic", view, true));
    view.Run(CornerSweepEffect, Type::Corner, Flags::Vertical, stepX, stepY, true);
    CHECK(EachStepChangedItsRegion("corner", view, true));
}

namespace {

// The area of the pieces area is copied through; covered: every pixel of area lies in one.
long long PiecesArea(const CRgn& area, size_t& count, bool& covered) {
    std::vector<RECT> pieces = CopyPieces(area);
    CRgn left;
    left.CreateRectRgn(0, 0, 0, 0);
    left.CombineRgn(&area, nullptr, RGN_COPY);
    long long total = 0;
    for (const RECT& r : pieces) {
        total += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
        CRgn piece;
        piece.CreateRectRgnIndirect(r);
        left.CombineRgn(&left, &piece, RGN_DIFF);
    }
    RECT box;
    covered = left.GetRgnBox(&box) == NULLREGION;
    count = pieces.size();
    return total;
}

}  // namespace

// The pieces a region is copied through cover it and follow its pixels: for a ring, a diagonal
// band and scattered strips a small part of the bounding box, in no more pieces than the
// region has rectangles.
TEST_CASE(RegionsAreCopiedInPiecesThatFollowTheirPixels) {
    std::vector<RECT> band, columns, bricks;
    for (LONG y = 0; y < 1000; ++y) band.push_back({1000 - y, y, 1008 - y, y + 1});
    for (LONG x = 0; x < 2000; x += 40) columns.push_back({x, 0, x + 4, 1000});
    for (LONG y = 0; y < 1000; y += 15) {
        for (LONG x = y % 30 ? 40 : 0; x < 2000; x += 80) bricks.push_back({x, y, x + 4, y + 15});
    }
    CRgn shapes[4], inner;
    shapes[0].CreateEllipticRgn(0, 0, 1600, 1600);
    inner.CreateEllipticRgn(6, 6, 1594, 1594);
    shapes[0].CombineRgn(&shapes[0], &inner, RGN_DIFF);
    shapes[1] = wintest::MakeRegion(band);
    shapes[2] = wintest::MakeRegion(columns);
    shapes[3] = wintest::MakeRegion(bricks);
    const char* names[4] = {"ring", "band", "columns", "bricks"};
    for (int i = 0; i < 4; ++i) {
        size_t count = 0;
        bool covered = false;
        long long total = PiecesArea(shapes[i], count, covered);
        RECT box;
        shapes[i].GetRgnBox(&box);
        long long boxArea = static_cast<long long>(box.right - box.left) * (box.bottom - box.top);
        size_t rects = wintest::RegionData(shapes[i]).Count();
        std::printf("  %s: %zu rectangles, %zu pieces of %lld pixels, box %lld\n", names[i], rects,
                    count, total, boxArea);
        CHECK(covered);
        CHECK(total * 4 < boxArea);
        CHECK(count <= rects);
    }
}

TEST_CASE(RegionWithoutAreaOnlyPausesAndNoRegionDoesNothing) {
    Fixture f;
    f.request.delay = 6;  // 30 ms
    CRgn empty;
    empty.CreateRectRgn(50, 50, 50, 90);
    LARGE_INTEGER t0, t1, t2;
    ::QueryPerformanceCounter(&t0);
    RevealRegion(std::move(empty), &f.request);
    ::QueryPerformanceCounter(&t1);
    CRgn none;
    RevealRegion(std::move(none), &f.request);
    ::QueryPerformanceCounter(&t2);
    CHECK(Millis(t0, t1) >= 25.0);
    CHECK(Millis(t1, t2) < 25.0);
    wintest::Settle(50);
    int changed = 0;
    for (unsigned p : ViewPixels(200, 150)) changed += p != 0;
    CHECK_EQ(changed, 0);
    CHECK(!HasWindowRegion(f.view.m_hWnd));
}

TEST_CASE(TypesWithoutAnEffectSwitchAtOnceAndTypeZeroDoesNothing) {
    wintest::RecordingView view;
    view.paintColor = RGB(0, 0, 0);
    CHECK(view.Open(kLeft, kTop, 300, 200));
    unsigned window = ToScreen(::GetSysColor(COLOR_WINDOW));

    g_drawCalls = 0;
    RunTransition(&view, DrawSmallPicture, 2, Flags::None, Type::None);
    CHECK_EQ(g_drawCalls, 0);
    int changed = 0;
    for (unsigned p : ViewPixels(300, 200)) changed += p != 0;
    CHECK_EQ(changed, 0);

    // No such effect, the number after the last effect's, and a large one.
    EffectType last = Type::None;
    for (const TransitionDescriptor& row : TransitionDescriptors()) last = row.type;
    for (int type : {static_cast<int>(kNoSuchEffect), static_cast<int>(last) + 1, 1000}) {
        for (int flags : {0, 1, 1 | 2 | 4}) {  // none, Reverse, Reverse with both axes
            ::InvalidateRect(view.m_hWnd, nullptr, TRUE);
            wintest::Settle(30);
            RunTransition(&view, DrawSmallPicture, 2, static_cast<EffectFlags>(flags),
                          static_cast<EffectType>(type));
            wintest::Settle(30);
            std::vector<unsigned> shown = ViewPixels(300, 200);
            int wrong = 0;
            for (int y = 0; y < 200; ++y) {
                for (int x = 0; x < 300; ++x) {
                    // The picture where it reaches, the window colour beyond it.
                    unsigned want = x < 100 && y < 100 ? ToScreen(NewPicture(x, y)) : window;
                    wrong += shown[y * 300 + x] != want;
                }
            }
            if (wrong != 0)
                std::printf("  type %d flags %d: %d pixels wrong\n", type, flags, wrong);
            CHECK_EQ(wrong, 0);
            CHECK(!HasWindowRegion(view.m_hWnd));
        }
    }
}

// The closing copy is the whole client area from the new picture, whatever the steps before
// it are known to have revealed: here a left half said to be revealed while the screen is
// still black there.
TEST_CASE(TheFinalCopyIsTheWholeClientArea) {
    Fixture f;
    wintest::Settle(50);
    CRgn revealed;
    revealed.CreateRectRgn(0, 0, 100, 150);
    f.request.revealed = &revealed;
    // No steps, only the closing copy.
    DispatchTransition(PlanTransition(kNoSuchEffect, Flags::None, &f.view), f.request);
    wintest::Settle(50);
    std::vector<unsigned> shown = ViewPixels(200, 150);
    int wrong = 0;
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) wrong += shown[y * 200 + x] != ToScreen(NewPicture(x, y));
    }
    CHECK_EQ(wrong, 0);
}

TEST_CASE(FadeOutLeavesNoFinalCopy) {
    wintest::RecordingView view;
    view.paintColor = RGB(0, 0, 0);
    CHECK(view.Open(kLeft, kTop, 100, 100));
    RunTransition(&view, DrawSmallPicture, 2, Flags::None, Type::FadeOut);
    wintest::Settle(50);  // all that was drawn on the screen, a copy at the very end too
    // The screen holds whatever the fade-out left, never the full new picture.
    std::vector<unsigned> shown = ViewPixels(100, 100);
    int full = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) full += shown[y * 100 + x] == ToScreen(NewPicture(x, y));
    }
    CHECK(full < 100);
    CHECK(!HasWindowRegion(view.m_hWnd));
}

TEST_CASE(DeadOrEmptyWindowsAreLeftAlone) {
    RunTransition(nullptr, DrawSmallPicture, 2, Flags::None, Type::SmoothAway);
    wintest::RecordingView dead;
    CHECK(dead.Open(kLeft, kTop, 50, 50));
    TransitionRequest request(&dead, nullptr, nullptr);
    TransitionPlan plan = PlanTransition(Type::SmoothAway, Flags::Horizontal, RECT{0, 0, 50, 50});
    HWND hWnd = dead.m_hWnd;
    dead.Close();
    CHECK(!::IsWindow(hWnd));
    DispatchTransition(plan, request);  // the window is gone: nothing is touched
    g_drawCalls = 0;
    RunTransition(&dead, DrawSmallPicture, 2, Flags::None, Type::SmoothAway);
    CHECK_EQ(g_drawCalls, 0);
    // A view without a client area: nothing to show, nothing to divide by.
    wintest::RecordingView flat;
    CHECK(flat.Open(kLeft, kTop, 0, 0));
    RunTransition(&flat, DrawSmallPicture, 0, Flags::None, kNoSuchEffect);
    for (const TransitionDescriptor& row : TransitionDescriptors()) {
        RunTransition(&flat, DrawSmallPicture, 0, Flags::None, row.type);
    }
    CHECK(!HasWindowRegion(flat.m_hWnd));
}

namespace {

// A view derived from the program's that draws a plain colour of its own and records the
// window regions set on it.  A child of a host window, as the program's view is of its frame.
class DerivedView : public CDorvelView {
public:
    static constexpr COLORREF kOwnColour = RGB(30, 160, 90);
    bool Open(wintest::RecordingView& host, int width, int height) {
        RECT rect = {0, 0, width, height};
        return host.Open(kLeft, kTop, width, height) &&
               Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, &host, 0xE900);
    }
    void OnDraw(CDC* pDC) override {
        RECT client;
        GetClientRect(&client);
        CBrush own(kOwnColour);
        pDC->FillRect(&client, own);
    }
    std::vector<CRgn> regions;

protected:
    void OnWindowPosChanged(WINDOWPOS*) {
        CRgn region;
        region.CreateRectRgn(0, 0, 0, 0);
        if (::GetWindowRgn(m_hWnd, region) != ERROR) regions.push_back(std::move(region));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedView, CDorvelView)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

// The first value RandomInRange(0, 1) gives after srand(seed): msvcrt's generator (state *
// 214013 + 2531011 modulo 2^32, bits 16 to 30 of the new state), whose upper half of 16384
// values gives 1.
int FirstCoin(unsigned seed) {
    return (((seed * 214013u + 2531011u) >> 16) & 0x7FFF) >= 16384;
}

bool SameSteps(const std::vector<CRgn>& a, const std::vector<CRgn>& b) {
    bool same = a.size() == b.size();
    for (size_t k = 0; same && k < a.size(); ++k) same = wintest::SameRegion(a[k], b[k]);
    return same;
}

}  // namespace

// The transition composes the view's picture as the view draws itself: a derived view's own
// OnDraw.  The screen shows another colour before, and the repaint the end of the transition
// asks for is cancelled, so that only the transition's copy can show the view's colour.
TEST_CASE(ATransitionRevealsWhatADerivedViewDraws) {
    wintest::RecordingView host;
    DerivedView* view = new DerivedView;
    view->m_bAutoDelete = true;
    CHECK(view->Open(host, 120, 90));
    {
        CClientDC dc(view->m_hWnd);
        CBrush red(RGB(255, 0, 0));
        RECT client = {0, 0, 120, 90};
        dc.FillRect(&client, red);
    }
    wintest::Settle(50);
    RunTransition(view, DrawPictureCallback, 0, Flags::None, kNoSuchEffect);
    ::ValidateRect(view->m_hWnd, nullptr);
    wintest::Settle(50);
    int other = 0;
    for (unsigned p : ViewPixels(120, 90)) other += p != ToScreen(DerivedView::kOwnColour);
    CHECK_EQ(other, 0);
    host.Close();
}

// Each command whose row says Reverse is drawn at random runs, for a draw of 0, the transition
// of its type and fixed flags, and for a draw of 1 the same with Reverse; the others never add
// Reverse.  The draws are made certain by seeding the generator (not the random tiles, whose
// shuffle seeds it from the clock).
TEST_CASE(CommandsReverseAtRandomAsTheirRowsSay) {
    unsigned seeds[2] = {0, 0};  // the first seed whose first draw is 0, and 1
    for (unsigned seed = 1; seeds[0] == 0 || seeds[1] == 0; ++seed) {
        if (seeds[FirstCoin(seed)] == 0) seeds[FirstCoin(seed)] = seed;
    }
    wintest::RecordingView host;
    DerivedView* view = new DerivedView;
    view->m_bAutoDelete = true;
    CHECK(view->Open(host, 64, 48));
    for (const oracle::Command& command : oracle::kCommands) {
        if (!oracle::RevealsByRegions(command) || command.type == 10) continue;
        for (int coin : {0, 1}) {
            if (!command.random && coin == 0) continue;
            view->regions.clear();
            std::srand(seeds[coin]);
            view->SendMessage(WM_COMMAND, command.id, 0);
            std::vector<CRgn> commanded = std::move(view->regions);
            view->regions.clear();
            int flags = command.flags | (command.random ? coin : 0);
            RunTransition(view, DrawPictureCallback, command.delay, static_cast<EffectFlags>(flags),
                          static_cast<EffectType>(command.type));
            if (commanded.empty() || !SameSteps(commanded, view->regions)) {
                std::printf("  command %u, draw %d: %zu steps, not those of flags %d\n",
                            command.id, coin, commanded.size(), flags);
                check::Fail(__FILE__, __LINE__, "another transition than the row's");
            }
        }
    }
    host.Close();
}

namespace {

// A test view whose steps take long, as a large view's region work does (busy in each change
// of its window region), and which counts the clicks that reach it.
class SlowClickView : public wintest::RecordingView {
public:
    int busyMs = 0;
    int clicks = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_LBUTTONDOWN) ++clicks;
        if (message == WM_WINDOWPOSCHANGED && busyMs > 0) {
            LARGE_INTEGER t0, now;
            ::QueryPerformanceCounter(&t0);
            do ::QueryPerformanceCounter(&now);
            while (Millis(t0, now) < busyMs);
        }
        return wintest::RecordingView::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

// Transitions of 50 steps lasting over 5 s, half of each step busy, paced by the delay (150 ms
// a step) or by the display (delay 0): asked from another thread every 100 ms, the system never
// calls the window "not responding", and a click on the view during the first stays queued and
// reaches it after.
TEST_CASE(LongTransitionsNeverHangTheirWindowAndKeepAClickForAfter) {
    SlowClickView view;
    CHECK(view.Open(kLeft, kTop, 400, 150));
    wintest::Settle(50);
    for (int delay : {30, 0}) {
        view.busyMs = delay != 0 ? 40 : 60;  // two region changes a step
        view.clicks = 0;
        const int clicked = delay != 0 ? 1 : 0;
        std::atomic<bool> running{true};
        int polls = 0, hung = 0;
        std::thread poller([&] {
            for (int tick = 0; running; ++tick, ::Sleep(100)) {
                if (tick == 10 && clicked) {
                    wintest::MoveMouse(kLeft + 200, kTop + 75);
                    wintest::ClickMouse();
                }
                ++polls;
                hung += ::IsHungAppWindow(view.Host()) ? 1 : 0;
            }
        });
        // Without a click, another thread sends the view a message at 1 s: it waits for the
        // transition, but not so long that the window is hung.
        double answeredAfter = -1;
        std::thread sender([&] {
            if (clicked) return;
            ::Sleep(1000);
            LARGE_INTEGER s0, s1;
            DWORD_PTR result;
            ::QueryPerformanceCounter(&s0);
            if (::SendMessageTimeoutW(view.Host(), WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result)) {
                ::QueryPerformanceCounter(&s1);
                answeredAfter = Millis(s0, s1);
            }
        });
        LARGE_INTEGER t0, t1;
        ::QueryPerformanceCounter(&t0);
        RunTransition(&view, DrawSmallPicture, delay, Flags::Horizontal, Type::SmoothAway);
        ::QueryPerformanceCounter(&t1);
        running = false;
        poller.join();
        sender.join();
        if (!clicked) {
            std::printf("  a message sent at 1 s answered after %.0f ms\n", answeredAfter);
            CHECK(answeredAfter >= 3500 && answeredAfter < 5000);
        }
        int during = view.clicks;
        wintest::Settle(200);
        std::printf("  delay %d: %.1f s, hung in %d of %d polls; clicks %d during, %d after\n",
                    delay, Millis(t0, t1) / 1000, hung, polls, during, view.clicks - during);
        CHECK(Millis(t0, t1) > 5500);
        CHECK_EQ(hung, 0);
        CHECK_EQ(during, 0);
        CHECK_EQ(view.clicks, clicked);
    }
}

namespace {

// Busy for ms milliseconds without a call that could present drawing.
void Spin(double ms) {
    LARGE_INTEGER t0, now;
    ::QueryPerformanceCounter(&t0);
    do {
        ::QueryPerformanceCounter(&now);
    } while (Millis(t0, now) < ms);
}

}  // namespace

// A step that comes after its due time gets no time to wait; the wait must present what the
// step before it drew all the same, not leave it for a later step.
TEST_CASE(AStepAfterALateOneStillPresentsTheOneBefore) {
    Fixture f;
    StepPacer pacer;
    f.request.delay = 1;  // 5 ms
    f.request.pacer = &pacer;
    wintest::Settle(50);
    std::atomic<bool> running{true}, seen{false};
    const unsigned revealed = ToScreen(NewPicture(50, 75));
    std::thread sampler([&] {
        while (running && !seen) seen = wintest::ScreenPixel(kLeft + 50, kTop + 75) == revealed;
    });
    CRgn left, right;
    left.CreateRectRgn(0, 0, 100, 150);
    right.CreateRectRgn(100, 0, 200, 150);
    RevealRegion(std::move(left), &f.request);
    Spin(10);  // the next step is late: its pause has no time left
    RevealRegion(std::move(right), &f.request);
    Spin(25);  // so that no later wait could present the left half
    running = false;
    sampler.join();
    CHECK(seen);
}

// Started before the work that precedes the first step, a pacer takes that work out of the
// first pause as it does a step's own work; unstarted, the first pause lasts all its time.
TEST_CASE(AStartedPacerTakesTheWorkBeforeTheFirstStepOutOfItsPause) {
    LARGE_INTEGER t0, t1;
    StepPacer started;
    started.Start();
    Spin(60);
    ::QueryPerformanceCounter(&t0);
    started.Pause(40);
    ::QueryPerformanceCounter(&t1);
    double late = Millis(t0, t1);
    StepPacer unstarted;
    Spin(60);
    ::QueryPerformanceCounter(&t0);
    unstarted.Pause(40);
    ::QueryPerformanceCounter(&t1);
    std::printf("  first pause of 40 ms after 60 ms of work: %.1f ms started, %.1f ms not\n", late,
                Millis(t0, t1));
    CHECK(late < 20);
    CHECK(Millis(t0, t1) >= 35);
}

// The steps keep their period from the start of the transition: composing the new picture
// (here a drawing that takes 30 ms) is taken out of the first step's pause, so a transition of
// one 50 ms step lasts about 50 ms, not 80.  The shortest of up to five runs counts, as a busy
// machine only makes one longer.
TEST_CASE(ComposingThePictureIsTakenOutOfTheFirstPause) {
    wintest::RecordingView view;
    CHECK(view.Open(kLeft, kTop, 8, 40));  // a wipe across it is one step of 8 pixels
    double shortest = 1e9;
    for (int run = 0; run < 5 && shortest > 65; ++run) {
        view.ClearRegions();
        LARGE_INTEGER t0, t1;
        ::QueryPerformanceCounter(&t0);
        RunTransition(&view, [](CWnd*, CDC*) { Spin(30); }, 10, Flags::Horizontal,
                      Type::SmoothAway);
        ::QueryPerformanceCounter(&t1);
        CHECK_EQ(view.regions.size(), 1u);
        shortest = std::min(shortest, Millis(t0, t1));
    }
    std::printf("  a 50 ms step after 30 ms of drawing: %.1f ms\n", shortest);
    CHECK(shortest <= 65);
}

// A paced transition lasts its steps times delay x 5 ms: at least most of it (each pause is
// measured from the one before), and not much more even on a busy machine.
TEST_CASE(APacedTransitionLastsItsStepsTimesTheDelay) {
    wintest::RecordingView view;
    CHECK(view.Open(kLeft, kTop, 400, 150));
    LARGE_INTEGER t0, t1;
    ::QueryPerformanceCounter(&t0);
    RunTransition(&view, DrawSmallPicture, 2, Flags::Horizontal, Type::SmoothAway);
    ::QueryPerformanceCounter(&t1);
    CHECK_EQ(view.regions.size(), 50u);  // 400 pixels in steps of 8
    double nominal = 50 * 2 * 5;
    std::printf("  50 steps with delay 2 took %.0f ms (nominal %.0f ms)\n", Millis(t0, t1),
                nominal);
    CHECK(Millis(t0, t1) >= 0.8 * nominal);
    CHECK(Millis(t0, t1) <= 3 * nominal);
}

// How many of 100 reveal steps reach the screen while a second thread samples it: with a
// plain Sleep between steps Wine presents only every 50 ms or so.
TEST_CASE(EveryRevealStepReachesTheScreen) {
    Fixture f;
    f.request.delay = 2;  // 10 ms per step, as the View commands use
    std::atomic<bool> running{true};
    std::set<int> seen;
    int samples = 0;
    std::thread sampler([&] {
        RECT row = {kLeft, kTop + 75, kLeft + 200, kTop + 76};
        while (running) {
            std::vector<unsigned> line = wintest::ReadScreen(row);
            int revealed = 0;
            while (revealed < 200 && line[revealed] != 0) ++revealed;
            seen.insert(revealed);
            ++samples;
            ::Sleep(1);
        }
    });
    wintest::Settle(50);
    LARGE_INTEGER t0, t1;
    ::QueryPerformanceCounter(&t0);
    for (int k = 1; k <= 100; ++k) {
        CRgn step;
        step.CreateRectRgn(0, 0, 2 * k, 150);  // a wipe of 2 pixels per step
        RevealRegion(std::move(step), &f.request);
    }
    ::QueryPerformanceCounter(&t1);
    running = false;
    sampler.join();
    int states = static_cast<int>(seen.size()) - 1;  // minus the state before the first step
    std::printf(
        "  100 steps with delay 2 took %.0f ms; %d distinct states on screen "
        "(%d samples)\n",
        Millis(t0, t1), states, samples);
    CHECK(states >= 60);
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
