#include "soak.h"

#include <cstdio>
#include <iterator>
#include <random>
#include <vector>

#include "app/commands.h"
#include "res/resource.h"
#include "support/program.h"
#include "support/wintest.h"

namespace soak {

namespace {

using program::Lantrel;

const UINT kNoOps[] = {ID_EDIT_UNDO,  ID_EDIT_CUT,  ID_EDIT_COPY,
                       ID_EDIT_PASTE, ID_NEXT_PANE, ID_DIALOG_SMOOTH_VERTICAL};

bool Sliding(const Lantrel& app) {
    return ::GetWindow(app.View(), GW_CHILD) != nullptr;
}

std::string Caption(HWND hWnd) {
    wchar_t text[128] = {};
    ::GetWindowTextW(hWnd, text, 128);
    std::string narrow;
    for (wchar_t c : std::wstring(text)) narrow += c < 128 ? static_cast<char>(c) : '?';
    return narrow;
}

class Session {
public:
    Session(Report& report, bool verbose) : m_report(report), m_verbose(verbose) {}

    bool Start(const std::wstring& file) {
        m_file = file;
        DWORD launched = ::GetTickCount();
        if (!m_app.Start(L"\"" + file + L"\"")) {
            // Which way it failed, so that a rare failure says what happened.
            std::string how = "showed no frame";
            if (m_app.Process() == nullptr) {
                how = "could not be launched (error " + std::to_string(::GetLastError()) + ")";
            } else if (!m_app.Running()) {
                how = "ended with exit code " + std::to_string(m_app.WaitExit(0)) + " after " +
                      std::to_string(::GetTickCount() - launched) + " ms";
            }
            Problem("the program did not start: it " + how);
            return false;
        }
        m_expected = 'G';
        return true;
    }

    // Runs one random command; false once the program is gone.
    bool Step(std::mt19937& random) {
        int pick = static_cast<int>(random() % 100);
        if (pick < 55) {
            Transition(m_commands[random() % m_commands.size()]);
        } else if (pick < 63) {
            Slide(random);
        } else if (pick < 70) {
            Modal(ID_VIEW_SEMI_TRANSPARENT, random() % 2 ? VK_ESCAPE : VK_RETURN);
        } else if (pick < 76) {
            Modal(ID_APP_ABOUT, VK_RETURN);
        } else if (pick < 84) {
            Switch(ID_FILE_NEW);
        } else if (pick < 90) {
            Switch(ID_FILE_MRU_FILE1);
        } else if (pick < 92) {
            OpenThroughDialog();
        } else {
            Send(kNoOps[random() % (sizeof(kNoOps) / sizeof(UINT))]);
        }
        ++m_report.commands;
        return CheckAlive();
    }

    // One of each kind first: the platform fills its caches the first few times (DC caches,
    // the Open dialog's file icons: some 90 GDI objects under Wine), growth but no leak.
    void WarmUp() {
        std::mt19937 fixed(1);
        Transition(ID_VIEW_SMOOTH_VERTICAL);
        Transition(ID_VIEW_FADE);
        Modal(ID_APP_ABOUT, VK_RETURN);
        Modal(ID_APP_ABOUT, VK_RETURN);
        Modal(ID_VIEW_SEMI_TRANSPARENT, VK_ESCAPE);
        Slide(fixed);
        Switch(ID_FILE_NEW);
        Switch(ID_FILE_MRU_FILE1);
        // The shell caches the file icons over the first two showings of the Open dialog
        // (under Wine the second adds a device context, its region and a bitmap).
        OpenThroughDialog();
        OpenThroughDialog();
        CheckAlive();
    }

    resources::Counts Measure() const {
        return resources::Measure(m_app.Process(), m_app.ProcessId());
    }

    void Finish() {
        m_report.finalPicture = program::AwaitPicture(m_app, m_expected);
        if (m_report.finalPicture != m_expected) {
            Problem(std::string("the view shows ") + m_report.finalPicture + ", expected " +
                    m_expected);
        }
        m_app.PostCommand(ID_APP_EXIT);
        int code = m_app.WaitExit(30000);
        if (code != 0) Problem("exit code " + std::to_string(code));
    }

private:
    void Problem(const std::string& what) {
        m_report.problems.push_back("command " + std::to_string(m_report.commands) + ": " + what);
        if (m_verbose) std::printf("  problem: %s\n", m_report.problems.back().c_str());
    }

    void Flip() {
        m_expected = m_expected == 'G' ? 'M' : 'G';
        ++m_report.switches;
    }

    void Send(UINT id) {
        if (!m_app.SendCommand(id, 60000)) Problem("no answer to command " + std::to_string(id));
    }

    void Transition(UINT id) {
        Send(id);
        Flip();
    }

    void Switch(UINT id) {
        Send(id);
        Flip();
    }

    void Slide(std::mt19937& random) {
        m_app.PostCommand(ID_DIALOG_SLID_SHOW);
        program::Wait(300 + static_cast<int>(random() % 800));
        bool nested = false;
        if (random() % 2 && Sliding(m_app)) {
            // Another command while the dialog slides: a transition, or Slid Show again.
            UINT id = random() % 3
                          ? kTransitionCommands[random() % std::size(kTransitionCommands)].id
                          : ID_DIALOG_SLID_SHOW;
            m_app.PostCommand(id);
            nested = true;
        }
        for (int i = 0; i < 300 && (Sliding(m_app) || !m_app.SendCommand(0, 100)); ++i) {
            program::Wait(50);
        }
        if (Sliding(m_app)) Problem("the slide did not end");
        Send(0);  // whatever the nested command started is over
        char shown = program::AwaitPicture(m_app, '\0');
        if (shown == '?') Problem("a mixed picture after a slide");
        if (nested && shown != m_expected) {
            ++m_report.switches;  // the nested transition ran
            m_expected = shown;
        } else if (shown != m_expected) {
            Problem("a slide changed the picture");
            m_expected = shown;
        }
    }

    void Modal(UINT id, WORD closeKey) {
        m_app.PostCommand(id);
        HWND dialog = m_app.WaitForOtherWindow(60000);
        if (dialog == nullptr) {
            Problem("no dialog for command " + std::to_string(id));
            return;
        }
        Lantrel::Press({closeKey});
        for (int i = 0; i < 600 && !m_app.OtherWindows().empty(); ++i) program::Wait(50);
        if (!m_app.OtherWindows().empty()) Problem("dialog " + Caption(dialog) + " stayed open");
        Send(0);
        char shown = program::AwaitPicture(m_app, m_expected);
        if (shown != m_expected) Problem("a dialog changed the picture");
    }

    void OpenThroughDialog() {
        m_app.PostCommand(ID_FILE_OPEN);
        if (m_app.WaitForOtherWindow(15000) == nullptr) {
            Problem("no Open dialog");
            return;
        }
        Lantrel::Type(m_file);
        Lantrel::Press({VK_RETURN});
        for (int i = 0; i < 100 && !m_app.OtherWindows().empty(); ++i) program::Wait(50);
        Send(0);
        Flip();
    }

    bool CheckAlive() {
        if (!m_app.Running()) {
            Problem("the program ended");
            return false;
        }
        std::vector<HWND> others = m_app.OtherWindows();
        if (!others.empty()) {
            Problem("unexpected window \"" + Caption(others.front()) + "\"");
            for (HWND w : others) ::PostMessageW(w, WM_CLOSE, 0, 0);
            program::Wait(300);
        }
        return true;
    }

    Report& m_report;
    bool m_verbose;
    Lantrel m_app;
    const std::vector<UINT> m_commands = program::PictureCommands();
    std::wstring m_file;
    char m_expected = 'G';
};

std::wstring SoakFile() {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + L"lantrel-soak.txt";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, "soak", 4, &written, nullptr);
    ::CloseHandle(file);
    return path;
}

}  // namespace

Report Run(int commands, unsigned seed, bool verbose) {
    Report report;
    LARGE_INTEGER start, end, frequency;
    ::QueryPerformanceCounter(&start);
    std::mt19937 random(seed);
    Session session(report, verbose);
    std::wstring file = SoakFile();
    if (session.Start(file)) {
        session.WarmUp();
        int early = std::max(1, commands / 10);
        for (int i = 0; i < commands; ++i) {
            if (!session.Step(random)) break;
            if (i + 1 == early) report.early = session.Measure();
            if (i + 1 == commands - early) report.late = session.Measure();
            if (verbose && (i + 1) % 50 == 0) {
                resources::Counts now = session.Measure();
                std::printf("  %d commands: %d GDI objects, %d windows, %lld KiB private\n", i + 1,
                            now.gdiObjects, now.windows, now.privateKb);
                std::fflush(stdout);
            }
        }
        session.Finish();
    }
    ::DeleteFileW(file.c_str());
    ::QueryPerformanceCounter(&end);
    ::QueryPerformanceFrequency(&frequency);
    report.seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    return report;
}

}  // namespace soak
