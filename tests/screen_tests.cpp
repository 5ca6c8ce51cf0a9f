// The real lantrel.exe seen on the screen while its View commands run: mid-transition the view
// shows the new picture exactly as far as the steps revealed so far reach and the old picture
// elsewhere, and at the end the whole new picture.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

#include "res/resource.h"
#include "tests/check.h"
#include "tests/program.h"
#include "tests/wintest.h"
#include "transitions/effects.h"

using program::Lantrel;

namespace {

// For every client pixel, the first step whose region covers it (INT_MAX: none), from the
// regions the effect gives a recording view of the program's client size.  For random tiles,
// the tile whose inside (away from the overlaps) holds the pixel, or -1.
std::vector<int> StepMap(int width, int height, int type, int flags) {
    std::vector<int> map(static_cast<size_t>(width) * height, type == RandomThreads ? -1 : INT_MAX);
    wintest::RecordingView view;
    view.Open(-width - 50, 0, width, height);  // off the screen, clear of the program
    CClientDC target(view.m_hWnd);
    CDC source;
    source.CreateCompatibleDC(&target);
    TransitionRequest request;
    request.window = &view;
    request.targetDC = &target;
    request.sourceDC = &source;
    request.flags = flags;
    request.type = type;
    DispatchTransition(&request);
    for (size_t k = 0; k < view.regions.size(); ++k) {
        std::vector<char> data(::GetRegionData(view.regions[k], 0, nullptr));
        auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
        if (data.empty() || !::GetRegionData(view.regions[k], data.size(), rgn)) continue;
        const RECT* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
        for (DWORD i = 0; i < rgn->rdh.nCount; ++i) {
            RECT r = rects[i];
            if (type == RandomThreads) ::InflateRect(&r, -2, -2);  // [x + 2, x + side)
            for (LONG y = std::max(0L, r.top); y < std::min<LONG>(height, r.bottom); ++y) {
                for (LONG x = std::max(0L, r.left); x < std::min<LONG>(width, r.right); ++x) {
                    int& at = map[static_cast<size_t>(y) * width + x];
                    if (type == RandomThreads) {
                        at = static_cast<int>(k);
                    } else {
                        at = std::min(at, static_cast<int>(k));
                    }
                }
            }
        }
    }
    return map;
}

// Whether a screen shows the new picture exactly on the pixels of the steps revealed so far:
// every new pixel belongs to an earlier step than every old one (for tiles: no tile is partly
// new).  Pixels on which both pictures agree say nothing.
bool Consistent(const std::vector<int>& map, const std::vector<char>& state, bool tiles) {
    if (tiles) {
        std::vector<char> tileState(map.size(), 0);
        for (size_t p = 0; p < map.size(); ++p) {
            if (map[p] < 0 || state[p] == '=') continue;
            char& seen = tileState[map[p]];
            if (seen != 0 && seen != state[p]) return false;
            seen = state[p];
        }
        return true;
    }
    int lastNew = -1, firstOld = INT_MAX;
    for (size_t p = 0; p < map.size(); ++p) {
        if (state[p] == 'N') lastNew = std::max(lastNew, map[p]);
        if (state[p] == 'O') firstOld = std::min(firstOld, map[p]);
    }
    return firstOld == INT_MAX || lastNew < firstOld;
}

struct Command {
    UINT id;
    int type, flags;
    bool randomDirection, paced;
};

}  // namespace

TEST_CASE(EveryRegionTransitionRevealsTheNewPictureStepByStep) {
    program::Pictures pictures;
    CHECK(pictures.Load());
    Lantrel app;
    CHECK(app.Start());
    if (!app.Frame() || pictures.genie.empty()) return;
    RECT view = app.ViewOnScreen();
    int width = view.right - view.left, height = view.bottom - view.top;
    const Command commands[] = {
        {ID_VIEW_SMOOTH_VERTICAL, SmoothAway, Vertical, true, true},
        {ID_VIEW_SMOOTH_HORIZONTAL, SmoothAway, Horizontal, true, true},
        {ID_VIEW_DOOR_VERTICAL, DoorLike, Vertical, true, true},
        {ID_VIEW_DOOR_HORIZONTAL, DoorLike, Horizontal, true, true},
        {ID_VIEW_CIRCLE_LIKE, CircleLike, 0, true, true},
        {ID_VIEW_RECT_LIKE, RectLike, 0, true, true},
        {ID_VIEW_DIAMOND_LIKE, DiamondLike, 0, true, true},
        {ID_VIEW_LENS_LIKE, Lens, 0, true, false},
        {ID_VIEW_CORNER_LT_RB, Corner, Horizontal, true, true},
        {ID_VIEW_CORNER_RT_LB, Corner, Vertical, true, true},
        {ID_VIEW_BLIND_VERTICAL, WindowBlind, Vertical, false, true},
        {ID_VIEW_BLIND_HORIZONTAL, WindowBlind, Horizontal, false, true},
        {ID_VIEW_MOSAIC_VERTICAL, Mosaic, Vertical, false, true},
        {ID_VIEW_MOSAIC_HORIZONTAL, Mosaic, Horizontal, false, true},
        {ID_VIEW_RANDOM_THREADS, RandomThreads, 0, false, true},
    };
    bool genieShown = true;
    for (const Command& command : commands) {
        // The step maps of both directions where the command picks one at random.
        std::vector<std::vector<int>> maps = {StepMap(width, height, command.type, command.flags)};
        if (command.randomDirection) {
            maps.push_back(StepMap(width, height, command.type, command.flags | Reverse));
        }
        program::Wait(100);
        const std::vector<unsigned>& oldPicture = genieShown ? pictures.genie : pictures.mouse;
        const std::vector<unsigned>& newPicture = genieShown ? pictures.mouse : pictures.genie;
        std::vector<bool> fits(maps.size(), true);  // directions every frame so far agrees with
        int midFrames = 0, others = 0;
        std::vector<char> state(static_cast<size_t>(width) * height);
        app.PostCommand(command.id);
        for (DWORD end = ::GetTickCount() + 20000; static_cast<int>(end - ::GetTickCount()) > 0;) {
            std::vector<unsigned> shown = wintest::ReadScreen(app.ViewOnScreen());
            int news = 0, olds = 0;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    size_t at = static_cast<size_t>(y) * width + x, in = y * 800 + x;
                    bool isNew = shown[at] == newPicture[in], isOld = shown[at] == oldPicture[in];
                    state[at] = isNew && isOld ? '=' : isNew ? 'N' : isOld ? 'O' : '?';
                    news += state[at] == 'N';
                    olds += state[at] == 'O';
                    others += state[at] == '?';
                }
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
        CHECK(std::count(fits.begin(), fits.end(), true) > 0);
        CHECK_EQ(others, 0);
        CHECK(midFrames > 0 || !command.paced);
        CHECK_EQ(genieShown ? end.genie : end.mouse, 0);
        CHECK_EQ(end.other, 0);
        genieShown = !genieShown;
    }
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
