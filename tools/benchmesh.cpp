#include "tools/benchmesh.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

#include "framework/gdi.h"
#include "framework/wnd.h"
#include "motion/mesh.h"
#include "res/resource.h"
#include "support/mesh_expect.h"
#include "support/program.h"
#include "support/wintest.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct FindDialog {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM param) {
    auto* find = static_cast<FindDialog*>(reinterpret_cast<void*>(param));
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    wchar_t name[16] = {};
    ::GetClassNameW(hWnd, name, 16);
    if (pid != find->pid || lstrcmpW(name, L"#32770") != 0) return TRUE;
    find->found = hWnd;
    return FALSE;
}

// The program's dialog window, shown or not, or nullptr.
HWND Dialog(const program::Lantrel& app) {
    FindDialog find = {app.ProcessId(), nullptr};
    ::EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

// True if the dialog's thread takes a message within 200 ms: it is waiting for input, not
// inside a paint.
bool Answers(HWND hWnd) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 200, &ignored) != 0;
}

// Milliseconds from now until the window is gone (-1 after 60 s; it is then closed).
double UntilGone(HWND hWnd) {
    auto start = Clock::now();
    while (::IsWindow(hWnd)) {
        if (MsSince(start) > 60000) {
            ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
            return -1;
        }
        ::Sleep(1);
    }
    return MsSince(start);
}

class Bench {
public:
    explicit Bench(MeshFigures& figures) : m_figures(figures) {}

    bool Start(bool maximise) {
        if (!m_app.Start()) return Fail("lantrel.exe did not start");
        if (maximise) {
            ::ShowWindow(m_app.Frame(), SW_MAXIMIZE);
            program::Wait(500);
        }
        ::GetWindowRect(m_app.Frame(), &m_frame);
        m_view = wintest::ReadScreen(m_frame);
        return true;
    }

    void Finish() {
        m_app.PostCommand(ID_APP_EXIT);
        m_app.WaitExit();
    }

    // Shows the dialog and waits until its picture holds still while its thread answers:
    // painted ms from the command, or -1.
    double ShowPainted(HWND& dialog, RECT& rect) {
        Foreground();
        auto start = Clock::now();
        m_app.PostCommand(ID_VIEW_SEMI_TRANSPARENT);
        std::vector<unsigned> last;
        double changed = 0;
        dialog = nullptr;
        while (MsSince(start) < 120000) {
            if (dialog == nullptr || !::IsWindowVisible(dialog)) {
                dialog = Dialog(m_app);
                if (dialog != nullptr && ::IsWindowVisible(dialog)) ::GetWindowRect(dialog, &rect);
                ::Sleep(1);
                continue;
            }
            RECT now;
            ::GetWindowRect(dialog, &now);
            std::vector<unsigned> shown = wintest::ReadScreen(now);
            double t = MsSince(start);
            if (shown != last || !::EqualRect(&now, &rect)) {
                last = shown, rect = now, changed = t;
            } else if (t - changed > 3000 && Answers(dialog)) {
                ::Sleep(1000);  // a paint that was still due would have changed it by now
                if (wintest::ReadScreen(rect) == last && Answers(dialog)) break;
            }
            ::Sleep(1);
        }
        if (dialog == nullptr || last.empty()) return Fail("the dialog did not show"), -1;
        Check(rect, last);
        return changed;
    }

    // Escape given 0.3 s after the command: ms from the key to the window gone.
    double EarlyEscape() {
        Foreground();
        auto start = Clock::now();
        m_app.PostCommand(ID_VIEW_SEMI_TRANSPARENT);
        while (MsSince(start) < 300) ::Sleep(1);
        wintest::PressKey(VK_ESCAPE);
        auto pressed = Clock::now();
        HWND dialog = Dialog(m_app);
        if (dialog == nullptr) return Fail("no dialog 0.3 s after the command"), -1;
        UntilGone(dialog);
        double ms = MsSince(pressed);
        LeftOnScreen();
        return ms;
    }

    // Closes a painted dialog by a key or its close box: ms to the window gone.
    double Close(HWND dialog, const RECT& rect, int way) {
        if (way == 2) {
            // The middle of the close box, as the window itself says where it is.
            RECT client;
            ::GetClientRect(dialog, &client);
            POINT origin = {0, 0};
            ::ClientToScreen(dialog, &origin);
            int frame = origin.x - rect.left;
            int size = ::GetSystemMetrics(SM_CXSIZE);
            POINT box = {rect.right - frame - size / 2 - 1,
                         rect.top + frame + ::GetSystemMetrics(SM_CYSIZE) / 2};
            // A pixel of the mesh: the gaps are not the window's, a click there is not its.
            if (!InMesh(box.x - rect.left, box.y - rect.top, rect.right - rect.left,
                        rect.bottom - rect.top)) {
                --box.x;
            }
            DWORD_PTR hit = 0;
            ::SendMessageTimeoutW(dialog, WM_NCHITTEST, 0, MAKELPARAM(box.x, box.y), SMTO_NORMAL,
                                  5000, &hit);
            if (hit != HTCLOSE) return Fail("no close box found"), UntilGone(Cancel(dialog)), -1;
            wintest::MoveMouse(box.x, box.y);
            ::Sleep(100);
        }
        auto start = Clock::now();
        if (way == 2) {
            wintest::ClickMouse();
        } else {
            wintest::PressKey(way == 0 ? VK_ESCAPE : VK_RETURN);
        }
        UntilGone(dialog);
        double ms = MsSince(start);
        if (way == 2) wintest::MoveMouse(m_frame.left + 400, m_frame.top + 300);
        LeftOnScreen();
        return ms;
    }

private:
    bool Fail(const char* problem) {
        if (m_figures.problem.empty()) m_figures.problem = problem;
        return false;
    }

    static HWND Cancel(HWND dialog) {
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return dialog;
    }

    // Keys go to the program, as to a user's program in front.
    void Foreground() {
        ::SetForegroundWindow(m_app.Frame());
        program::Wait(200);
    }

    // Every gap must show the view; most mesh pixels differ from it.
    void Check(const RECT& rect, const std::vector<unsigned>& shown) {
        int w = rect.right - rect.left, h = rect.bottom - rect.top, gaps = 0, drawn = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                bool differs = shown[y * w + x] != View(rect.left + x, rect.top + y);
                (InMesh(x, y, w, h) ? drawn : gaps) += differs;
            }
        }
        m_figures.gapsWrong = std::max(m_figures.gapsWrong, gaps);
        if (drawn <= w * h / 4) Fail("the dialog's mesh was not drawn");
        m_figures.width = w, m_figures.height = h;
    }

    // Waits up to 2 s for the frame to show the view again where the dialog was.
    void LeftOnScreen() {
        auto start = Clock::now();
        int wrong = 0;
        do {
            std::vector<unsigned> now = wintest::ReadScreen(m_frame);
            wrong = 0;
            for (size_t i = 0; i < now.size(); ++i) wrong += now[i] != m_view[i];
            if (wrong == 0) return;
            ::Sleep(20);
        } while (MsSince(start) < 2000);
        m_figures.leftOnScreen = std::max(m_figures.leftOnScreen, wrong);
    }

    unsigned View(int x, int y) const {
        int w = m_frame.right - m_frame.left;
        return m_view[(y - m_frame.top) * w + (x - m_frame.left)];
    }

    MeshFigures& m_figures;
    program::Lantrel m_app;
    RECT m_frame = {};
    std::vector<unsigned> m_view;
};

// One region made from the mesh's data, as the windowing system makes one each time it
// rebuilds the visible region of a window with this mesh: GetWindowRgn on a hidden window of
// the dialog's size.
void MeasureRebuild(MeshFigures& figures, int runs) {
    CWnd window;
    window.m_hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, figures.width,
                                      figures.height, nullptr, nullptr, nullptr, nullptr);
    CRgn mesh = MakeMeshRegion(&window);
    if (window.SetWindowRgn(mesh, TRUE)) mesh.Detach();  // the window's now
    for (int run = 0; run < runs; ++run) {
        CRgn read;
        read.CreateRectRgn(0, 0, 0, 0);
        auto start = Clock::now();
        ::GetWindowRgn(window.m_hWnd, read);
        figures.rebuildMs.push_back(MsSince(start));
        figures.rects = static_cast<int>(wintest::RegionData(read).Count());
    }
    window.DestroyWindow();
}

}  // namespace

MeshFigures MeasureMeshDialog(int runs, bool maximise) {
    MeshFigures figures;
    Bench bench(figures);
    if (!bench.Start(maximise)) return figures;
    for (int run = 0; run < 3 * runs && figures.problem.empty(); ++run) {
        HWND dialog = nullptr;
        RECT rect = {};
        double painted = bench.ShowPainted(dialog, rect);
        if (painted < 0) break;
        figures.paintedMs.push_back(painted);
        std::vector<double>* close[] = {&figures.escapeMs, &figures.enterMs, &figures.closeBoxMs};
        close[run % 3]->push_back(bench.Close(dialog, rect, run % 3));
        std::printf("  mesh dialog %d: painted %.0f ms, closed in %.0f ms\n", run + 1, painted,
                    close[run % 3]->back());
    }
    for (int run = 0; run < runs && figures.problem.empty(); ++run) {
        figures.earlyEscapeMs.push_back(bench.EarlyEscape());
        std::printf("  mesh dialog, Escape at 0.3 s: closed %.0f ms after it\n",
                    figures.earlyEscapeMs.back());
    }
    bench.Finish();
    if (figures.width > 0) MeasureRebuild(figures, runs);
    figures.ok = figures.problem.empty();
    return figures;
}
