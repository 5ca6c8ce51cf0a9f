// The real lantrel.exe seen on the screen while its View commands run: mid-transition the view
// shows the new picture exactly as far as the steps revealed so far reach and the old picture
// elsewhere, and at the end the whole new picture.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "res/resource.h"
#include "tests/check.h"
#include "tests/program.h"
#include "tests/wintest.h"
#include "transitions/effects.h"

namespace {

// For every client pixel, the first step whose region covers it (INT_MAX: none), from the
// regions the effect gives a recording view of the program's client size.  For random tiles,
// whose order is random, the tile whose inside (clear of the overlaps) holds the pixel, or -1.
// A region is in window coordinates: client pixel (x, y) lies at origin + (x, y) in them.
std::vector<int> StepMap(int width, int height, POINT origin, int type, int flags) {
    bool tiles = type == RandomThreads;
    std::vector<int> map(static_cast<size_t>(width) * height, tiles ? -1 : INT_MAX);
    wintest::RecordingView view;
    view.Open(-width - 50, 0, width, height);  // off the screen, clear of the program
    CClientDC target(view.m_hWnd);
    TransitionRequest request;
    request.window = &view;
    request.targetDC = request.sourceDC = &target;
    request.flags = flags;
    request.type = type;
    DispatchTransition(&request);
    for (int k = 0; k < static_cast<int>(view.regions.size()); ++k) {
        std::vector<char> data(::GetRegionData(view.regions[k], 0, nullptr));
        auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
        ::GetRegionData(view.regions[k], static_cast<DWORD>(data.size()), rgn);
        for (DWORD i = 0; i < rgn->rdh.nCount; ++i) {
            RECT r = reinterpret_cast<const RECT*>(rgn->Buffer)[i];
            if (tiles) ::InflateRect(&r, -2, -2);  // [x + 2, x + side)
            ::OffsetRect(&r, -origin.x, -origin.y);
            for (LONG y = std::max(0L, r.top); y < std::min<LONG>(height, r.bottom); ++y) {
                for (LONG x = std::max(0L, r.left); x < std::min<LONG>(width, r.right); ++x) {
                    int& at = map[static_cast<size_t>(y) * width + x];
                    at = tiles ? k : std::min(at, k);
                }
            }
        }
    }
    return map;
}

// How a screen ('N' new picture, 'O' old, '=' both agree) agrees with the steps of a map.
// Exact: the new picture exactly on the steps revealed so far, every new pixel from an earlier
// step than every old one; for tiles, no tile partly new.  OneStepPartly: so, but for one step
// (one tile) shown in part: a frame caught while the program drew, since Wine hands the
// window's pixels to the X server, which reads them a moment later and may find the next step
// half drawn.  Wrong: anything else.
enum class Fit { Exact, OneStepPartly, Wrong };
Fit Consistent(const std::vector<int>& map, const std::vector<char>& state, bool tiles) {
    std::vector<char> tileState(tiles ? map.size() : 0, 0);
    int lastNew = -1, firstOld = INT_MAX, partlyTiles = 0;
    for (size_t p = 0; p < map.size(); ++p) {
        if (tiles && map[p] >= 0 && state[p] != '=') {
            char& seen = tileState[map[p]];
            if (seen != 0 && seen != 'P' && seen != state[p]) {
                seen = 'P';
                ++partlyTiles;
            } else if (seen == 0) {
                seen = state[p];
            }
        }
        if (state[p] == 'N') lastNew = std::max(lastNew, map[p]);
        if (state[p] == 'O') firstOld = std::min(firstOld, map[p]);
    }
    if (tiles) {
        return partlyTiles == 0 ? Fit::Exact : partlyTiles == 1 ? Fit::OneStepPartly : Fit::Wrong;
    }
    if (firstOld == INT_MAX || lastNew < firstOld) return Fit::Exact;
    return lastNew == firstOld ? Fit::OneStepPartly : Fit::Wrong;
}

}  // namespace

TEST_CASE(EveryRegionTransitionRevealsTheNewPictureStepByStep) {
    program::Pictures pictures;
    program::Lantrel app;
    CHECK(pictures.Load() && app.Start());
    if (!app.Frame() || pictures.genie.empty()) return;
    RECT view = app.ViewOnScreen(), window;
    int width = view.right - view.left, height = view.bottom - view.top;
    ::GetWindowRect(app.View(), &window);
    POINT origin = {view.left - window.left, view.top - window.top};  // the view's sunken edge
    struct Command {
        UINT id;
        int type, flags;
        bool randomDirection;
    };
    const Command commands[] = {
        {ID_VIEW_SMOOTH_VERTICAL, SmoothAway, Vertical, true},
        {ID_VIEW_SMOOTH_HORIZONTAL, SmoothAway, Horizontal, true},
        {ID_VIEW_DOOR_VERTICAL, DoorLike, Vertical, true},
        {ID_VIEW_DOOR_HORIZONTAL, DoorLike, Horizontal, true},
        {ID_VIEW_CIRCLE_LIKE, CircleLike, 0, true},
        {ID_VIEW_RECT_LIKE, RectLike, 0, true},
        {ID_VIEW_DIAMOND_LIKE, DiamondLike, 0, true},
        {ID_VIEW_LENS_LIKE, Lens, 0, true},
        {ID_VIEW_CORNER_LT_RB, Corner, Horizontal, true},
        {ID_VIEW_CORNER_RT_LB, Corner, Vertical, true},
        {ID_VIEW_BLIND_VERTICAL, WindowBlind, Vertical, false},
        {ID_VIEW_BLIND_HORIZONTAL, WindowBlind, Horizontal, false},
        {ID_VIEW_MOSAIC_VERTICAL, Mosaic, Vertical, false},
        {ID_VIEW_MOSAIC_HORIZONTAL, Mosaic, Horizontal, false},
        {ID_VIEW_RANDOM_THREADS, RandomThreads, 0, false},
    };
    bool genieShown = true;
    for (const Command& command : commands) {
        std::vector<std::vector<int>> maps = {
            StepMap(width, height, origin, command.type, command.flags)};
        if (command.randomDirection) {
            maps.push_back(StepMap(width, height, origin, command.type, command.flags | Reverse));
        }
        program::Wait(100);
        const auto& oldPicture = genieShown ? pictures.genie : pictures.mouse;
        const auto& newPicture = genieShown ? pictures.mouse : pictures.genie;
        std::vector<bool> fits(maps.size(), true);  // directions that every frame agrees with
        std::vector<int> partly(maps.size(), 0);     // frames that caught a step half drawn
        std::vector<char> state(maps[0].size());
        int midFrames = 0, foreign = 0;
        app.PostCommand(command.id);
        for (DWORD end = ::GetTickCount() + 20000; static_cast<int>(end - ::GetTickCount()) > 0;) {
            std::vector<unsigned> shown = wintest::ReadScreen(app.ViewOnScreen());
            int news = 0, olds = 0;
            for (size_t p = 0; p < state.size(); ++p) {
                size_t at = (p / width) * 800 + p % width;
                bool isNew = shown[p] == newPicture[at], isOld = shown[p] == oldPicture[at];
                state[p] = isNew && isOld ? '=' : isNew ? 'N' : isOld ? 'O' : '?';
                news += isNew && !isOld;
                olds += isOld && !isNew;
                foreign += !isNew && !isOld;
            }
            for (size_t d = 0; d < maps.size(); ++d) {
                Fit fit = Consistent(maps[d], state, command.type == RandomThreads);
                fits[d] = fits[d] && fit != Fit::Wrong;
                partly[d] += fit == Fit::OneStepPartly;
            }
            if (olds == 0) break;
            midFrames += news > 0;
        }
        DWORD_PTR result;  // returns once the command has been handled
        ::SendMessageTimeoutW(app.Frame(), WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
        program::Match end = program::Compare(pictures, app.ViewOnScreen(), {0, 0, width, height});
        // A step half drawn is caught now and then, not in frame after frame as when the steps
        // reveal other pixels than their regions say.
        bool fitted = false;
        for (size_t d = 0; d < maps.size(); ++d) {
            if (fits[d] && partly[d] <= midFrames / 10) {
                fitted = true;
                std::printf("  command %u: %d frames mid-transition, %d with a step half drawn\n",
                            command.id, midFrames, partly[d]);
            }
        }
        for (size_t d = 0; d < maps.size() && !fitted; ++d) {
            std::printf("  command %u, direction %zu: %s, %d of %d frames with a step half drawn\n",
                        command.id, d, fits[d] ? "in order" : "out of order", partly[d], midFrames);
        }
        CHECK(fitted);
        CHECK_EQ(foreign, 0);
        CHECK(midFrames > 0);
        CHECK_EQ(genieShown ? end.genie : end.mouse, 0);
        CHECK_EQ(end.other, 0);
        genieShown = !genieShown;
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
            size_t at = static_cast<size_t>(area.top - view.top + y) * 800 + area.left - view.left + x;
            unsigned pixel = shown[static_cast<size_t>(y) * width + x];
            bool isNew = pixel == pictures.mouse[at], isOld = pixel == pictures.genie[at];
            news += isNew && !isOld;
            olds += isOld && !isNew;
            foreign += !isNew && !isOld;
        }
        if (news > 0 && olds > 0) ++mixedRows;
        else if (news > 0) ++newRows;
        else if (olds > 0) ++oldRows;
    }
    std::printf("  menu area %ld x %ld: %d new rows, %d old, %d mixed, %d foreign pixels\n",
                area.right - area.left, area.bottom - area.top, newRows, oldRows, mixedRows,
                foreign);
    CHECK_EQ(foreign, 0);
    CHECK_EQ(mixedRows, 0);
    CHECK(oldRows > 0);  // not the whole new picture ahead of the wipe
    CHECK(app.SendCommand(0));
    CHECK_EQ(program::ShownPicture(app), 'M');
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
        if (dinosaur && ::IntersectRect(&inside, &rect, &view) && ::EqualRect(&inside, &rect)) break;
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
    // Outside the dialog (and where it may have moved since), the new picture throughout.
    std::vector<unsigned> shown = wintest::ReadScreen(view);
    ::GetWindowRect(dinosaur, &moved);
    ::UnionRect(&rect, &rect, &moved);
    ::InflateRect(&rect, 16, 16);
    int width = view.right - view.left, wrong = 0;
    for (int y = 0; y < view.bottom - view.top; ++y) {
        for (int x = 0; x < width; ++x) {
            POINT at = {view.left + x, view.top + y};
            unsigned pixel = shown[static_cast<size_t>(y) * width + x];
            wrong += !::PtInRect(&rect, at) && pixel != pictures.mouse[y * 800 + x];
        }
    }
    CHECK_EQ(wrong, 0);
}

// "Lens like" has no pause of its own; each of its steps must still reach the screen.
TEST_CASE(LensLikeIsSeenStepByStep) {
    program::Lantrel app;
    CHECK(app.Start());
    if (!app.Frame()) return;
    RECT view = app.ViewOnScreen();
    std::vector<unsigned> last = wintest::ReadScreen(view);
    const std::vector<unsigned> first = last;
    int states = 0;
    DWORD start = ::GetTickCount(), changed = start, settled = start;
    app.PostCommand(ID_VIEW_LENS_LIKE);
    for (DWORD now = start; now - start < 5000 && (states == 0 || now - settled < 500);
         now = ::GetTickCount()) {
        ::Sleep(10);
        std::vector<unsigned> shown = wintest::ReadScreen(view);
        if (shown == last) continue;
        if (states++ == 0) changed = ::GetTickCount();
        settled = ::GetTickCount();
        last = std::move(shown);
    }
    std::printf("  %d states on screen over %lu ms\n", states, settled - changed);
    CHECK(last != first);
    CHECK(states >= 40);
    CHECK(settled - changed >= 500);  // 63 steps, one display refresh each
    CHECK_EQ(program::ShownPicture(app), 'M');
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
