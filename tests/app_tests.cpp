// The real lantrel.exe driven from outside, as a user would: its frame grows and shrinks,
// its dialogs show, and it ends normally however it is closed.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/check.h"
#include "tests/mesh_expect.h"
#include "tests/wintest.h"

namespace {

const RECT kFrame = {112, 84, 912, 684};  // 800 x 600 centred on the 1024 x 768 screen

struct Search {
    DWORD pid;
    LPCWSTR className;  // or nullptr
    LPCWSTR title;      // or nullptr
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    wchar_t text[64] = L"";
    if (pid != search->pid) return TRUE;
    if (search->className &&
        (!::GetClassNameW(hWnd, text, 64) || lstrcmpW(text, search->className))) {
        return TRUE;
    }
    if (search->title && (::GetWindowTextW(hWnd, text, 64), lstrcmpW(text, search->title))) {
        return TRUE;
    }
    search->found = hWnd;
    return FALSE;
}

// Polls condition every millisecond for up to ms; true once it holds.
template <typename Condition>
bool WaitFor(Condition condition, int ms = 20000) {
    DWORD start = ::GetTickCount();
    while (!condition()) {
        if (static_cast<int>(::GetTickCount() - start) > ms) return false;
        ::Sleep(1);
    }
    return true;
}

RECT WindowRect(HWND hWnd) {
    RECT rect = {0, 0, 0, 0};
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

bool IsFrame(const RECT& rect) {
    return ::EqualRect(&rect, &kFrame) != 0;
}

// Which grow (or shrink) frame of the main frame rect is: 1 to 99 (100), else 0.
int GrowFrame(const RECT& r) {
    int k = (r.right - r.left) / 8;
    RECT want = {512 - 4 * k, 384 - 3 * k, 512 + 4 * k, 384 + 3 * k};
    return k >= 1 && k <= 99 && ::EqualRect(&r, &want) ? k : 0;
}
int ShrinkFrame(const RECT& r) {
    int k = (808 - (r.right - r.left)) / 8;
    RECT want = {108 + 4 * k, 81 + 3 * k, 916 - 4 * k, 687 - 3 * k};
    return k >= 1 && k <= 100 && ::EqualRect(&r, &want) ? k : 0;
}

// Waits until the screen in rect holds still (two reads 200 ms apart agree) and returns it.
std::vector<unsigned> SteadyScreen(const RECT& rect) {
    std::vector<unsigned> last = wintest::ReadScreen(rect), now;
    WaitFor([&] {
        ::Sleep(200);
        now = wintest::ReadScreen(rect);
        bool same = now == last;
        last = now;
        return same;
    });
    return now;
}

// One run of lantrel.exe, found next to this test's build directory.
class Program {
public:
    Program() {
        wchar_t path[MAX_PATH];
        std::wstring exe(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
        exe = exe.substr(0, exe.find_last_of(L"\\/")) + L"\\..\\app\\lantrel.exe";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        if (!::CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &m_info)) {
            return;
        }
        WaitFor([&] { return (frame = Find(nullptr, L"Lantrel")) != nullptr; });
    }
    ~Program() {
        if (m_info.hProcess == nullptr) return;
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_info.hProcess, 99);
        }
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }

    // A top-level window of the program with that class and title (nullptr: any).
    HWND Find(LPCWSTR className, LPCWSTR title) const {
        Search search = {m_info.dwProcessId, className, title, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    HWND Dialog() const { return Find(L"#32770", nullptr); }
    void Command(UINT id) const { ::PostMessageW(frame, WM_COMMAND, id, 0); }
    bool Growing() const {
        RECT rect = WindowRect(frame);
        return rect.right - rect.left < 800 && rect.right > rect.left;
    }
    bool Grown() const {
        if (!WaitFor([&] { return IsFrame(WindowRect(frame)); })) return false;
        SteadyScreen(kFrame);
        return true;
    }
    DWORD ThreadId() const { return m_info.dwThreadId; }
    // The exit code, or -1 if the program has not ended within 20 s.
    int ExitCode() const {
        if (::WaitForSingleObject(m_info.hProcess, 20000) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        ::GetExitCodeProcess(m_info.hProcess, &code);
        return static_cast<int>(code);
    }

    HWND frame = nullptr;

private:
    PROCESS_INFORMATION m_info = {};
};

}  // namespace

TEST_CASE(FrameGrowsOpenAndShrinksAway) {
    Program program;
    CHECK(program.frame != nullptr);
    if (program.frame == nullptr) return;
    // Each distinct rectangle seen while it grows must be one of its frames, in order.
    std::vector<int> grow, shrink;
    RECT last = {0, 0, 0, 0};
    bool wrong = false;
    WaitFor([&] {
        RECT now = WindowRect(program.frame);
        if (::EqualRect(&now, &last)) return false;
        last = now;
        int k = GrowFrame(now);
        if (k != 0) grow.push_back(k);
        wrong |= !grow.empty() && k == 0 && !IsFrame(now);
        return !grow.empty() && IsFrame(now);
    });
    CHECK(!wrong);
    CHECK(grow.size() >= 20u);
    for (size_t i = 1; i < grow.size(); ++i) CHECK(grow[i] > grow[i - 1]);
    CHECK(program.Grown());

    ::PostMessageW(program.frame, WM_CLOSE, 0, 0);
    WaitFor([&] {
        RECT now = WindowRect(program.frame);
        if (!::IsWindow(program.frame)) return true;
        if (::EqualRect(&now, &last)) return false;
        last = now;
        int k = ShrinkFrame(now);
        if (k != 0) shrink.push_back(k);
        wrong |= k == 0 && !IsFrame(now);
        return false;
    });
    CHECK(!wrong);
    CHECK(shrink.size() >= 20u);
    for (size_t i = 1; i < shrink.size(); ++i) CHECK(shrink[i] > shrink[i - 1]);
    std::printf("  seen %zu grow and %zu shrink frames, the last %d\n", grow.size(), shrink.size(),
                shrink.empty() ? 0 : shrink.back());
    CHECK_EQ(program.ExitCode(), 0);
}

namespace {

// Pixels of the dialog's rectangle that differ from what the view showed there: in the mesh,
// and in its gaps (which must show the view).
void CountMeshPixels(const std::vector<unsigned>& view, const std::vector<unsigned>& shown, int w,
                     int h, int& meshChanged, int& gapChanged) {
    meshChanged = gapChanged = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool changed = view[y * w + x] != shown[y * w + x];
            (meshtest::InMesh(x, y, w, h) ? meshChanged : gapChanged) += changed ? 1 : 0;
        }
    }
}

}  // namespace

// "Semi-Transparent Show": centred over the frame, meshed caption and all, the view seen
// through the gaps; closing it repaints the view at once, with the same picture.  (Closing it
// every way is dialog_tests' part: Wine takes seconds to paint through a mesh.)
TEST_CASE(MeshDialogOverTheView) {
    Program program;
    CHECK(program.Grown());
    const std::vector<unsigned> picture = wintest::ReadScreen(kFrame);
    DWORD start = ::GetTickCount();
    program.Command(ID_VIEW_SEMI_TRANSPARENT);
    HWND dialog = nullptr;
    CHECK(WaitFor([&] { return (dialog = program.Dialog()) && ::IsWindowVisible(dialog); }));
    if (dialog == nullptr) return;
    RECT rect = WindowRect(dialog);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    CHECK(::GetWindow(dialog, GW_OWNER) == program.frame);
    CHECK(std::abs(rect.left + rect.right - 1024) <= 1);
    CHECK(std::abs(rect.top + rect.bottom - 768) <= 1);

    // What the view showed where the dialog is.
    std::vector<unsigned> view;
    for (int y = 0; y < h; ++y) {
        auto row = picture.begin() + (rect.top - kFrame.top + y) * 800 + rect.left - kFrame.left;
        view.insert(view.end(), row, row + w);
    }
    int meshChanged = 0, gapChanged = 0;
    CHECK(WaitFor(
        [&] {  // painted: a quarter of the window's pixels are the dialog's
            CountMeshPixels(view, wintest::ReadScreen(rect), w, h, meshChanged, gapChanged);
            return meshChanged > w * h / 4;
        },
        60000));
    CountMeshPixels(view, SteadyScreen(rect), w, h, meshChanged, gapChanged);
    CHECK_EQ(gapChanged, 0);
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    CHECK(::GetWindowRgn(dialog, region) != ERROR);
    CHECK_EQ(meshtest::MeshMismatch(region, w, h), std::string());

    ::PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    CHECK(WaitFor([&] { return !::IsWindow(dialog); }, 60000));
    // It takes the first Escape once it has painted all of itself.
    std::printf("  the %dx%d mesh dialog shown and closed in %lu ms\n", w, h,
                ::GetTickCount() - start);
    CHECK(WaitFor([&] { return wintest::ReadScreen(kFrame) == picture; }, 2000));
    program.Command(ID_APP_EXIT);
    CHECK_EQ(program.ExitCode(), 0);
}

// "Slid Show": the dinosaur dialog enters past the view's top-left corner, travels down and
// right, leaves past the bottom-right and is gone; a second "Slid Show" meanwhile is refused,
// the frame answers throughout, and the picture stays.
TEST_CASE(SlidShowCrossesTheView) {
    Program program;
    CHECK(program.Grown());
    const std::vector<unsigned> picture = wintest::ReadScreen(kFrame);
    HWND view = ::GetWindow(program.frame, GW_CHILD);
    RECT client;
    ::GetClientRect(view, &client);
    program.Command(ID_DIALOG_SLID_SHOW);
    HWND dialog = nullptr;
    CHECK(WaitFor([&] { return (dialog = ::FindWindowExW(view, nullptr, L"#32770", nullptr)); }));
    std::vector<POINT> path;
    bool atOrigin = false, second = false, answered = false;
    WaitFor([&] {
        RECT rect = WindowRect(dialog);
        bool visible = ::IsWindowVisible(dialog) != 0;
        if (!::IsWindow(dialog)) return true;
        ::MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&rect), 2);
        POINT at = {rect.left, rect.top};
        if (!visible) return false;
        atOrigin |= at.x == 0 && at.y == 0;
        if (path.empty() || path.back().x != at.x || path.back().y != at.y) path.push_back(at);
        if (path.size() == 5) {
            program.Command(ID_DIALOG_SLID_SHOW);
            DWORD_PTR ignored;
            answered = ::SendMessageTimeoutW(program.frame, WM_NULL, 0, 0, SMTO_BLOCK, 1000,
                                             &ignored) != 0 &&
                       ::IsWindow(dialog);
        }
        second |= ::FindWindowExW(view, dialog, L"#32770", nullptr) != nullptr;
        return false;
    });
    CHECK(!atOrigin);
    CHECK(!second);
    CHECK(answered);
    CHECK(path.size() >= 20u);
    // The last step lands exactly on the end, which may be a pixel or two short of the
    // rounded steps before it.
    for (size_t i = 1; i + 1 < path.size(); ++i) {
        CHECK(path[i].x > path[i - 1].x && path[i].y >= path[i - 1].y);
    }
    if (path.size() >= 20u) {
        CHECK(path.front().x < 0 && path.front().y < 0);  // out past the top-left corner
        CHECK(path.back().x >= client.right - 8 && path.back().x <= client.right + 8);
        CHECK(path.back().y > client.bottom / 2 && path.back().y <= client.bottom);
        std::printf("  seen %zu positions from (%ld, %ld) to (%ld, %ld), client %ldx%ld\n",
                    path.size(), path.front().x, path.front().y, path.back().x, path.back().y,
                    client.right, client.bottom);
    }
    ::Sleep(300);  // the refused second slide has not started late either
    CHECK(::FindWindowExW(view, nullptr, L"#32770", nullptr) == nullptr);
    CHECK(WaitFor([&] { return wintest::ReadScreen(kFrame) == picture; }, 2000));
    program.Command(ID_APP_EXIT);
    CHECK_EQ(program.ExitCode(), 0);
}

// However the program is asked to end in the middle of an animation or a dialog, it ends,
// with the exit code it was given.
TEST_CASE(ProgramEndsWhenClosedMidway) {
    {
        Program program;  // closed while it grows
        CHECK(WaitFor([&] { return program.Growing(); }));
        ::PostMessageW(program.frame, WM_CLOSE, 0, 0);
        CHECK_EQ(program.ExitCode(), 0);
    }
    {
        Program program;  // a quit request taken by the grow's waits
        CHECK(WaitFor([&] { return program.Growing(); }));
        ::PostThreadMessageW(program.ThreadId(), WM_QUIT, 3, 0);
        CHECK_EQ(program.ExitCode(), 3);
    }
    {
        Program program;  // closed while the dinosaur slides
        CHECK(program.Grown());
        program.Command(ID_DIALOG_SLID_SHOW);
        HWND view = ::GetWindow(program.frame, GW_CHILD);
        CHECK(WaitFor([&] {
            HWND dialog = ::FindWindowExW(view, nullptr, L"#32770", nullptr);
            return dialog != nullptr && ::IsWindowVisible(dialog);
        }));
        ::PostMessageW(program.frame, WM_CLOSE, 0, 0);
        CHECK_EQ(program.ExitCode(), 0);
    }
    {
        Program program;  // closed under the mesh dialog
        CHECK(program.Grown());
        program.Command(ID_VIEW_SEMI_TRANSPARENT);
        CHECK(WaitFor([&] { return program.Dialog() != nullptr; }));
        ::PostMessageW(program.frame, WM_CLOSE, 0, 0);
        CHECK_EQ(program.ExitCode(), 0);
    }
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
