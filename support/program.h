// Drives the real lantrel.exe from a test program or a tool, as a user would: starts it, finds
// its frame and view, sends it menu commands and keys, reads its pixels back from the screen
// (the pictures and what the view shows: pictures.cpp).
#ifndef LANTREL_SUPPORT_PROGRAM_H
#define LANTREL_SUPPORT_PROGRAM_H

#include <windows.h>

#include <string>
#include <vector>

namespace program {

// Full path of lantrel.exe: in the build tree (app/ next to the caller's directory, tests/ or
// tools/), else in the folder above the caller's (the release package's test kit).
std::wstring LantrelPath();

class Lantrel {
public:
    Lantrel() = default;
    ~Lantrel();
    Lantrel(const Lantrel&) = delete;
    Lantrel& operator=(const Lantrel&) = delete;

    // Starts the program with a raw argument string and waits until its frame is shown and
    // has stopped moving.  False if no frame appeared (the program may have ended).
    bool Start(const std::wstring& arguments = L"", int timeoutMs = 15000);
    // Starts the program and waits for it to end without looking for a frame.
    // Returns its exit code, or -1 if it was still running after timeoutMs (it is killed).
    // Given windowSeen, looks every millisecond meanwhile for any window of it on screen.
    int RunToExit(const std::wstring& arguments, int timeoutMs = 15000, bool* windowSeen = nullptr);
    // Like Start, but watches the frame from the moment it appears, polling every
    // millisecond: frames gets every distinct window rectangle seen (the opening animation).
    bool StartWatching(std::vector<RECT>& frames, int timeoutMs = 15000);
    // Polls the frame every millisecond until it is gone or timeoutMs have passed and
    // returns every distinct window rectangle seen (the closing animation).
    std::vector<RECT> WatchUntilGone(int timeoutMs = 15000) const;

    HWND Frame() const { return m_hFrame; }
    HWND View() const;
    // The view's client area in screen coordinates.
    RECT ViewOnScreen() const;
    DWORD ProcessId() const { return m_info.dwProcessId; }
    HANDLE Process() const { return m_info.hProcess; }
    bool Running() const;

    // Posts a menu/accelerator command and returns at once.
    void PostCommand(UINT id) const;
    // Sends a command and returns when the program has handled it (the transition is over).
    // False if the program did not answer within timeoutMs (it hangs).  Command 0 (none) waits
    // for the end of what the program is doing: an animation answers a message sent to it only
    // at its end, or once it has waited 4 s, so it is sent again until it is answered at once.
    bool SendCommand(UINT id, int timeoutMs = 60000) const;
    // Brings the frame to the front and types keys (virtual-key codes; modifiers are held
    // down for the whole chord), e.g. Keys({VK_CONTROL, 'N'}).
    void Keys(const std::vector<WORD>& chord) const;
    // Types the chord into whatever window has the keyboard focus.
    static void Press(const std::vector<WORD>& chord);
    // Types text into whatever window has the keyboard focus.
    static void Type(const std::wstring& text);
    // Waits for the program to end; exit code, or -1 if still running after timeoutMs.
    int WaitExit(int timeoutMs = 15000);
    void Kill();

    // The top-level windows of the program other than its frame (message boxes, dialogs).
    std::vector<HWND> OtherWindows() const;
    // Waits until a window other than the frame is shown and has the focus; nullptr if none.
    HWND WaitForOtherWindow(int timeoutMs = 15000) const;

private:
    bool Launch(const std::wstring& arguments);
    PROCESS_INFORMATION m_info = {};
    HWND m_hFrame = nullptr;
};

// Waits up to timeoutMs for windows to settle (pumps this thread's messages meanwhile).
void Wait(int ms);

// The two pictures as stored in lantrel.exe, 800 x 600, 0x00RRGGBB, row by row from the top.
struct Pictures {
    std::vector<unsigned> genie, mouse;
    bool Load();
};

// Which picture a screen area shows: counts of pixels equal to genie, to mouse, to neither.
// area is in view client coordinates; view is where the view's client origin is on screen.
struct Match {
    int genie = 0, mouse = 0, other = 0;
    int Total() const { return genie + mouse + other; }
};
Match Compare(const Pictures& pictures, const RECT& viewOnScreen, const RECT& area);

// The pictures of lantrel.exe, loaded once.
const Pictures& SharedPictures();
// What the view shows over the whole area the picture covers: 'G' Genie, 'M' Mouse, '?'
// neither (mixed, or something else).
char ShownPicture(const Lantrel& app);
// The same once the view shows want ('\0': either picture whole), or after timeoutMs: what the
// program drew last may reach the screen a little after it has answered (Wine hands it to the
// X server asynchronously).
char AwaitPicture(const Lantrel& app, char want, int timeoutMs = 3000);

// Whether every pixel of a screen area shows the window colour (the part off the screen is
// not read; an empty area counts as true).
bool ShowsWindowColour(RECT screenArea);
// Whether both areas show it within timeoutMs, for the same reason as AwaitPicture; waitedMs
// says after how long.
bool AwaitWindowColour(RECT first, RECT second, int& waitedMs, int timeoutMs = 3000);

// One display refresh in whole milliseconds (60 Hz where the display does not say): how long
// the program holds each frame of an animation that has no pause of its own.
int RefreshMs();

// The View commands that switch the picture: every transition command in menu order, then
// "Fade In/Out".
std::vector<UINT> PictureCommands();

}  // namespace program

#endif
