// The real lantrel.exe seen on the screen while its View commands run: mid-transition the view
// shows the new picture exactly as far as the steps revealed so far reach and the old picture
// elsewhere, and at the end the whole new picture; each command lasts as long as its steps'
// pauses, and those with a random direction run both ways.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <vector>

#include "res/resource.h"
#include "support/program.h"
#include "support/wintest.h"
#include "tests/check.h"
#include "tests/oracle.h"
#include "transitions/effects.h"

using Type = EffectType;
using Flags = EffectFlags;

namespace {

// One direction of a transition, from the regions the effect gives a recording view (off the
// screen, clear of the program) of the program's view's size and edge: for every client pixel the
// first step whose region covers it (INT_MAX: none); for random tiles, whose order is random, the
// tile whose inside (clear of the overlaps) holds the pixel, or -1.  count: the steps, each one
// pause.  A region is in window coordinates: client pixel (x, y) lies at origin + (x, y) in
// them, origin being where the program's view has its client area (inside its sunken edge).
// A step copies its region's bounding box (client coordinates, as built), so it reveals only
// what of the moved region lies in that box.  The region read back is the one built, cut to
// the window's rectangle, and its box is the cut region's: where the region reached beyond the
// window, the box as built may have reached further left or up (a wedge from the centre slants
// on beyond the top edge, left of all it keeps inside), and the step then also changes the
// strip of the moved region that far, at most the origin wide.  So a pixel has two steps: the first that
// surely changes it (in the cut box: `map`), and the first that may (in the moved region
// alone, for a region cut at the window's edge: `earliest`).  For the closing shapes, the
// client area without a shape that begins larger than it, the box holds the whole client area.
struct Steps {
    std::vector<int> map, earliest;
    int count = 0;
};

// Whether a region read back in window coordinates touches an edge of the window (width x
// height): the cut may have taken some of it away there.
bool AtWindowEdge(const RECT& box, int width, int height) {
    return box.left <= 0 || box.top <= 0 || box.right >= width || box.bottom >= height;
}

Steps StepMap(wintest::RecordingView& view, POINT origin, EffectType type, EffectFlags flags) {
    RECT client;
    view.GetClientRect(&client);
    int width = client.right, height = client.bottom;
    bool tiles = type == Type::RandomThreads;
    bool closing =
        DescribeTransition(type)->routine == GrowShapeEffect && HasFlags(flags, Flags::Reverse);
    Steps steps;
    steps.map.assign(static_cast<size_t>(width) * height, tiles ? -1 : INT_MAX);
    steps.earliest = steps.map;
    view.ClearRegions();
    CClientDC target(view.m_hWnd);
    DispatchTransition(PlanTransition(type, flags, &view), {&view, &target, &target});
    steps.count = static_cast<int>(view.regions.size());
    RECT window;
    view.GetWindowRect(&window);
    for (int k = 0; k < steps.count; ++k) {
        RECT box = client, cut;
        if (!closing) ::GetRgnBox(view.regions[k], &box);
        ::GetRgnBox(view.regions[k], &cut);
        bool mayReachFurther = !closing && !tiles &&
                               AtWindowEdge(cut, window.right - window.left,
                                            window.bottom - window.top);
        for (RECT r : wintest::RegionData(view.regions[k])) {
            if (tiles) ::InflateRect(&r, -2, -2);  // [x + 2, x + side)
            ::OffsetRect(&r, -origin.x, -origin.y);
            RECT surely;
            ::IntersectRect(&surely, &r, &box);
            for (LONG y = std::max(0L, r.top); y < std::min<LONG>(height, r.bottom); ++y) {
                for (LONG x = std::max(0L, r.left); x < std::min<LONG>(width, r.right); ++x) {
                    size_t p = static_cast<size_t>(y) * width + x;
                    POINT at = {x, y};
                    bool sure = ::PtInRect(&surely, at);
                    if (sure || mayReachFurther) steps.earliest[p] = std::min(steps.earliest[p], k);
                    if (sure) steps.map[p] = tiles ? k : std::min(steps.map[p], k);
                }
            }
        }
    }
    return steps;
}

// Whether a screen ('N' new picture, 'O' old, '=' both agree) shows the new picture exactly on
// the steps revealed so far: every new pixel from an earlier step (the first that may change
// it) than every old one (the first that surely changes it); for
// tiles, no tile partly new.  Under Wine a frame may run a few steps ahead in part of the
// view: the X server copies the window's pixels from memory the program shares with it, and
// may do so only after the program has drawn the next steps there; so the new pixels may reach
// up to slack steps beyond the first old one, and as many tiles may be caught half drawn (a
// real fault breaks the order far more).
bool Consistent(const Steps& steps, const std::vector<char>& state, bool tiles) {
    const std::vector<int>& map = steps.map;
    int slack = 1 + steps.count / 20;
    std::vector<char> tileState(tiles ? map.size() : 0, 0);
    int lastNew = -1, firstOld = INT_MAX, partlyTiles = 0;
    for (size_t p = 0; p < map.size(); ++p) {
        if (tiles && map[p] >= 0 && state[p] != '=') {
            char& seen = tileState[map[p]];
            if (seen == 0) {
                seen = state[p];
            } else if (seen != 'P' && seen != state[p]) {
                seen = 'P';
                ++partlyTiles;
            }
        }
        if (state[p] == 'N') lastNew = std::max(lastNew, steps.earliest[p]);
        if (state[p] == 'O') firstOld = std::min(firstOld, map[p]);
    }
    if (tiles) return partlyTiles <= slack;
    return firstOld == INT_MAX || lastNew < firstOld + slack;
}

// One run of a View command, read back from the screen until no pixel of the old picture is
// left: which of the candidate step maps every frame agreed with, how many frames showed the
// transition half-way, how many pixels showed neither picture, and the command's round trip
// (from posting it to the end of its handler, so at least the pauses of its steps).
struct Run {
    std::vector<bool> fits;
    int midFrames = 0, foreign = 0;
    int ms = 0;
};

Run Watch(const program::Lantrel& app, UINT id, const std::vector<const Steps*>& directions,
          bool tiles, bool genieShown) {
    const program::Pictures& pictures = program::SharedPictures();
    const auto& oldPicture = genieShown ? pictures.genie : pictures.mouse;
    const auto& newPicture = genieShown ? pictures.mouse : pictures.genie;
    RECT view = app.ViewOnScreen();
    int width = view.right - view.left;
    Run run;
    run.fits.assign(directions.size(), true);
    std::vector<char> state(static_cast<size_t>(width) * (view.bottom - view.top));
    auto start = std::chrono::steady_clock::now();
    app.PostCommand(id);
    for (DWORD end = ::GetTickCount() + 20000; static_cast<int>(end - ::GetTickCount()) > 0;) {
        std::vector<unsigned> shown = wintest::ReadScreen(view);
        int news = 0, olds = 0;
        for (size_t p = 0; p < state.size(); ++p) {
            size_t at = (p / width) * 800 + p % width;
            bool isNew = shown[p] == newPicture[at], isOld = shown[p] == oldPicture[at];
            state[p] = isNew && isOld ? '=' : isNew ? 'N' : isOld ? 'O' : '?';
            news += isNew && !isOld;
            olds += isOld && !isNew;
            run.foreign += !isNew && !isOld;
        }
        for (size_t d = 0; d < directions.size(); ++d) {
            run.fits[d] = run.fits[d] && Consistent(*directions[d], state, tiles);
        }
        if (olds == 0) break;
        run.midFrames += news > 0;
    }
    // Sent after the posted command, so answered once its handler has returned.
    DWORD_PTR result;
    ::SendMessageTimeoutW(app.Frame(), WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
    run.ms = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now() - start)
                                  .count());
    return run;
}

// Where the program's view has its client area in window coordinates: inside its sunken edge.
POINT ClientOrigin(const program::Lantrel& app) {
    RECT view = app.ViewOnScreen(), window;
    ::GetWindowRect(app.View(), &window);
    return POINT{view.left - window.left, view.top - window.top};
}

// Opens recorder off the screen with the program's view's window and client size (its sunken
// edge): a step's region is cut to the window it is set on.
void OpenLikeTheView(wintest::RecordingView& recorder, const program::Lantrel& app) {
    RECT window;
    ::GetWindowRect(app.View(), &window);
    int width = window.right - window.left, height = window.bottom - window.top;
    recorder.Open(-width - 50, 0, width, height);
    ::SetWindowLongPtrW(recorder.m_hWnd, GWL_EXSTYLE, ::GetWindowLongPtrW(app.View(), GWL_EXSTYLE));
    ::SetWindowPos(recorder.m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

}  // namespace

// Each command of the View menu that reveals by regions, once, on the program's own view:
// every frame agrees with the command's steps in one direction, and the command lasts its
// steps' pauses (not less; more only within reason, a loaded machine draws slowly).
TEST_CASE(EveryRegionCommandRevealsStepByStepAtItsPace) {
    program::Lantrel app;
    CHECK(app.Start());
    if (!app.Frame() || program::SharedPictures().genie.empty()) return;
    RECT view = app.ViewOnScreen();
    int width = view.right - view.left, height = view.bottom - view.top;
    POINT origin = ClientOrigin(app);
    wintest::RecordingView recorder;
    OpenLikeTheView(recorder, app);
    bool genieShown = true;
    for (const oracle::Command& command : oracle::kCommands) {
        if (!oracle::RevealsByRegions(command)) continue;
        Type type = static_cast<Type>(command.type);
        Flags flags = static_cast<Flags>(command.flags);
        std::vector<Steps> steps = {StepMap(recorder, origin, type, flags)};
        if (command.random)
            steps.push_back(StepMap(recorder, origin, type, flags | Flags::Reverse));
        std::vector<const Steps*> directions;
        for (const Steps& s : steps) directions.push_back(&s);
        program::Wait(100);
        Run run = Watch(app, command.id, directions, type == Type::RandomThreads, genieShown);
        program::Match end =
            program::Compare(program::SharedPictures(), app.ViewOnScreen(), {0, 0, width, height});
        int pause = command.delay > 0 ? command.delay * 5 : program::RefreshMs();
        int paused = steps[0].count * pause;
        std::printf("  command %u: %d frames mid-transition, %d ms for %d steps of %d ms\n",
                    command.id, run.midFrames, run.ms, steps[0].count, pause);
        CHECK(std::find(run.fits.begin(), run.fits.end(), true) != run.fits.end());
        CHECK_EQ(run.foreign, 0);
        CHECK(run.midFrames > 0);
        CHECK_EQ(genieShown ? end.genie : end.mouse, 0);
        CHECK_EQ(end.other, 0);
        CHECK(run.ms >= paused * 9 / 10);
        CHECK(run.ms <= paused * 3 + 1500);
        genieShown = !genieShown;
    }
}

// The commands whose direction is random, run again and again on a small view (few steps, so
// short runs) until each has been seen both ways: a run goes the way whose steps all its frames
// agreed with (which part of the view the new picture reached first).  Each run reverses with
// an even chance (successive draws of the runtime's generator behave as fair coins over its
// whole period), so a correct command shows both ways in three runs on average.  One that
// never reverses fails after kRuns runs whose direction was clear; so does a correct one, with
// the chance 2^(1 - kRuns) (counted over the generator's whole period: one in nine million per
// command, about one in a million for all ten).
TEST_CASE(EveryRandomCommandRunsBothWays) {
    const int kRuns = 24;
    const int kWidth = 64, kHeight = 48;
    program::Lantrel app;
    CHECK(app.Start());
    if (!app.Frame() || program::SharedPictures().genie.empty()) return;
    // The view alone is made small (its frame lays it out again only when it is resized
    // itself); the window is larger than its client area by the view's edge.
    RECT outer, inner;
    ::GetWindowRect(app.View(), &outer);
    ::GetClientRect(app.View(), &inner);
    ::SetWindowPos(app.View(), nullptr, 0, 0, kWidth + (outer.right - outer.left) - inner.right,
                   kHeight + (outer.bottom - outer.top) - inner.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    program::Wait(300);
    RECT view = app.ViewOnScreen();
    CHECK_EQ(view.right - view.left, kWidth);
    CHECK_EQ(view.bottom - view.top, kHeight);
    CHECK_EQ(program::AwaitPicture(app, 'G'), 'G');
    POINT origin = ClientOrigin(app);
    wintest::RecordingView recorder;
    OpenLikeTheView(recorder, app);
    bool genieShown = true;
    for (const oracle::Command& command : oracle::kCommands) {
        if (!oracle::RevealsByRegions(command) || !command.random) continue;
        Type type = static_cast<Type>(command.type);
        Flags flags = static_cast<Flags>(command.flags);
        Steps forward = StepMap(recorder, origin, type, flags);
        Steps reverse = StepMap(recorder, origin, type, flags | Flags::Reverse);
        int seen[2] = {0, 0}, unclear = 0, wrong = 0, ms = 0;
        for (int runs = 0;
             runs < 2 * kRuns && seen[0] + seen[1] < kRuns && (seen[0] == 0 || seen[1] == 0);
             ++runs) {
            Run run = Watch(app, command.id, {&forward, &reverse}, false, genieShown);
            genieShown = !genieShown;
            ms += run.ms;
            wrong += run.foreign > 0;
            if (run.fits[0] != run.fits[1]) {
                ++seen[run.fits[0] ? 0 : 1];
            } else {
                ++unclear;
            }
        }
        std::printf("  command %u: %d forward, %d reverse, %d unclear, %d ms\n", command.id,
                    seen[0], seen[1], unclear, ms);
        CHECK(seen[0] > 0 && seen[1] > 0);
        CHECK_EQ(wrong, 0);
    }
}

TEST_CASE(AMenuClosedByItsCommandLeavesNoImageOnTheTransition) {
    const program::Pictures& pictures = program::SharedPictures();
    program::Lantrel app;
    CHECK(app.Start());
    if (!app.Frame() || pictures.genie.empty()) return;
    // By keyboard: Alt selects "File", two to the right is "View", Down opens it on its first
    // item, "Vertically Smooth Away".
    app.Keys({VK_MENU});
    program::Lantrel::Press({VK_RIGHT});
    program::Lantrel::Press({VK_RIGHT});
    program::Lantrel::Press({VK_DOWN});
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    CHECK(menu != nullptr && ::IsWindowVisible(menu));
    if (menu == nullptr) return;
    RECT view = app.ViewOnScreen(), menuRect, area;
    ::GetWindowRect(menu, &menuRect);
    CHECK(::IntersectRect(&area, &menuRect, &view));
    INPUT enter[2] = {};
    enter[0].type = enter[1].type = INPUT_KEYBOARD;
    enter[0].ki.wVk = enter[1].ki.wVk = VK_RETURN;
    enter[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, enter, sizeof(INPUT));
    program::Wait(250);
    // A quarter into the wipe, where the menu was: whole rows of the new picture where the wipe
    // has reached (from the top or the bottom), the old picture in the rows it has not, and
    // nothing of the menu.
    std::vector<unsigned> shown = wintest::ReadScreen(area);
    int width = area.right - area.left, oldRows = 0, newRows = 0, mixedRows = 0, foreign = 0;
    for (int y = 0; y < area.bottom - area.top; ++y) {
        int news = 0, olds = 0;
        for (int x = 0; x < width; ++x) {
            size_t at =
                static_cast<size_t>(area.top - view.top + y) * 800 + area.left - view.left + x;
            unsigned pixel = shown[static_cast<size_t>(y) * width + x];
            bool isNew = pixel == pictures.mouse[at], isOld = pixel == pictures.genie[at];
            news += isNew && !isOld;
            olds += isOld && !isNew;
            foreign += !isNew && !isOld;
        }
        if (news > 0 && olds > 0) {
            ++mixedRows;
        } else if (news > 0) {
            ++newRows;
        } else if (olds > 0) {
            ++oldRows;
        }
    }
    std::printf("  menu area %ld x %ld: %d new rows, %d old, %d mixed, %d foreign pixels\n",
                area.right - area.left, area.bottom - area.top, newRows, oldRows, mixedRows,
                foreign);
    CHECK_EQ(foreign, 0);
    CHECK_EQ(mixedRows, 0);
    CHECK(oldRows > 0);  // not the whole new picture ahead of the wipe
    CHECK(app.SendCommand(0));
    CHECK_EQ(program::AwaitPicture(app, 'M'), 'M');
}

namespace {

// The pixels of a moving window, read while it held still; its rectangle in rect.
std::vector<unsigned> StillWindow(HWND window, RECT& rect) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        RECT after;
        ::GetWindowRect(window, &rect);
        std::vector<unsigned> pixels = wintest::ReadScreen(rect);
        ::GetWindowRect(window, &after);
        if (::EqualRect(&rect, &after)) return pixels;
    }
    return {};
}

// What a window shows: two still reads 30 ms apart that agree (the screen can lag behind the
// window's position for a moment), taken at two places while it moves.
std::vector<unsigned> WindowImage(HWND window, RECT& rect, bool moving) {
    RECT lastRect;
    std::vector<unsigned> last = StillWindow(window, lastRect);
    for (int attempt = 0; attempt < 50; ++attempt) {
        ::Sleep(30);
        std::vector<unsigned> now = StillWindow(window, rect);
        if (now == last && (!moving || !::EqualRect(&rect, &lastRect))) break;
        last = std::move(now);
        lastRect = rect;
    }
    return last;
}

}  // namespace

TEST_CASE(ATransitionDuringSlidShowLeavesTheDinosaurWhole) {
    const program::Pictures& pictures = program::SharedPictures();
    program::Lantrel app;
    CHECK(app.Start());
    if (!app.Frame() || pictures.genie.empty()) return;
    RECT view = app.ViewOnScreen(), rect, inside;
    app.PostCommand(ID_DIALOG_SLID_SHOW);
    HWND dinosaur = nullptr;
    for (DWORD end = ::GetTickCount() + 10000; static_cast<int>(end - ::GetTickCount()) > 0;) {
        dinosaur = ::FindWindowExW(app.View(), nullptr, L"#32770", nullptr);
        ::GetWindowRect(dinosaur, &rect);
        if (dinosaur && ::IntersectRect(&inside, &rect, &view) && ::EqualRect(&inside, &rect)) {
            break;
        }
        ::Sleep(1);
    }
    CHECK(dinosaur != nullptr);
    std::vector<unsigned> before = WindowImage(dinosaur, rect, true);
    // The transition runs inside the slide's waits, which stand still meanwhile.
    app.PostCommand(ID_VIEW_SMOOTH_VERTICAL);
    program::Wait(400);
    CHECK(WindowImage(dinosaur, rect, false) == before);
    CHECK(app.SendCommand(0));  // answered once the transition is over
    RECT moved;
    std::vector<unsigned> after = WindowImage(dinosaur, rect, true);
    CHECK(!before.empty() && after == before);
    // Outside the dialog (and where it may have moved since), the new picture throughout, once
    // the last copy has reached the screen (on a loaded machine a moment after the answer).
    int wrong = 0;
    for (DWORD end = ::GetTickCount() + 1000;; program::Wait(50)) {
        std::vector<unsigned> shown = wintest::ReadScreen(view);
        ::GetWindowRect(dinosaur, &moved);
        ::UnionRect(&rect, &rect, &moved);
        RECT spared = rect;
        ::InflateRect(&spared, 16, 16);
        int width = view.right - view.left;
        wrong = 0;
        for (int y = 0; y < view.bottom - view.top; ++y) {
            for (int x = 0; x < width; ++x) {
                POINT at = {view.left + x, view.top + y};
                unsigned pixel = shown[static_cast<size_t>(y) * width + x];
                wrong += !::PtInRect(&spared, at) && pixel != pictures.mouse[y * 800 + x];
            }
        }
        if (wrong == 0 || static_cast<int>(end - ::GetTickCount()) <= 0) break;
    }
    CHECK_EQ(wrong, 0);
}

// "Lens like" has no pause of its own; each of its steps must still reach the screen.
TEST_CASE(LensLikeIsSeenStepByStep) {
    program::Lantrel app;
    CHECK(app.Start());
    if (!app.Frame()) return;
    RECT view = app.ViewOnScreen();
    // Every 40th row of the view: the growing lens crosses some of them anew at every step,
    // and a few thin rows read fast enough to see each step, where the whole view would not.
    auto read = [&] {
        std::vector<unsigned> rows;
        for (int y = view.top; y < view.bottom; y += 40) {
            RECT row = {view.left, y, view.right, y + 1};
            std::vector<unsigned> shown = wintest::ReadScreen(row);
            rows.insert(rows.end(), shown.begin(), shown.end());
        }
        return rows;
    };
    std::vector<unsigned> last = read();
    const std::vector<unsigned> first = last;
    int states = 0;
    DWORD start = ::GetTickCount(), changed = start, settled = start;
    app.PostCommand(ID_VIEW_LENS_LIKE);
    for (DWORD now = start; now - start < 5000 && (states == 0 || now - settled < 500);
         now = ::GetTickCount()) {
        ::Sleep(2);
        std::vector<unsigned> shown = read();
        if (shown == last) continue;
        if (states++ == 0) changed = ::GetTickCount();
        settled = ::GetTickCount();
        last = std::move(shown);
    }
    std::printf("  %d states on screen over %lu ms\n", states, settled - changed);
    CHECK(last != first);
    CHECK(states >= 40);
    CHECK(settled - changed >= 500);  // 63 steps, one display refresh each
    CHECK_EQ(program::AwaitPicture(app, 'M'), 'M');
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
