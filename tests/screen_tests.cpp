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
std::vector<int> StepMap(int width, int height, int type, int flags) {
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

// Whether a screen ('N' new picture, 'O' old, '=' both agree) shows the new picture exactly on
// the steps revealed so far: every new pixel from an earlier step than every old one; for
// tiles, no tile partly new.
bool Consistent(const std::vector<int>& map, const std::vector<char>& state, bool tiles) {
    std::vector<char> tileState(tiles ? map.size() : 0, 0);
    int lastNew = -1, firstOld = INT_MAX;
    for (size_t p = 0; p < map.size(); ++p) {
        if (tiles && map[p] >= 0 && state[p] != '=') {
            char& seen = tileState[map[p]];
            if (seen != 0 && seen != state[p]) return false;
            seen = state[p];
        }
        if (state[p] == 'N') lastNew = std::max(lastNew, map[p]);
        if (state[p] == 'O') firstOld = std::min(firstOld, map[p]);
    }
    return tiles || firstOld == INT_MAX || lastNew < firstOld;
}

}  // namespace

TEST_CASE(EveryRegionTransitionRevealsTheNewPictureStepByStep) {
    program::Pictures pictures;
    program::Lantrel app;
    CHECK(pictures.Load() && app.Start());
    if (!app.Frame() || pictures.genie.empty()) return;
    RECT view = app.ViewOnScreen();
    int width = view.right - view.left, height = view.bottom - view.top;
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
        std::vector<std::vector<int>> maps = {StepMap(width, height, command.type, command.flags)};
        if (command.randomDirection) {
            maps.push_back(StepMap(width, height, command.type, command.flags | Reverse));
        }
        program::Wait(100);
        const auto& oldPicture = genieShown ? pictures.genie : pictures.mouse;
        const auto& newPicture = genieShown ? pictures.mouse : pictures.genie;
        std::vector<bool> fits(maps.size(), true);  // directions that every frame agrees with
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
                fits[d] = fits[d] && Consistent(maps[d], state, command.type == RandomThreads);
            }
            if (olds == 0) break;
            midFrames += news > 0;
        }
        DWORD_PTR result;  // returns once the command has been handled
        ::SendMessageTimeoutW(app.Frame(), WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
        program::Match end = program::Compare(pictures, app.ViewOnScreen(), {0, 0, width, height});
        std::printf("  command %u: %d frames mid-transition\n", command.id, midFrames);
        CHECK(std::find(fits.begin(), fits.end(), true) != fits.end());
        CHECK_EQ(foreign, 0);
        CHECK(midFrames > 0 || command.type == Lens);  // the lens does not pause
        CHECK_EQ(genieShown ? end.genie : end.mouse, 0);
        CHECK_EQ(end.other, 0);
        genieShown = !genieShown;
    }
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
