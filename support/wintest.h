// Helpers for tests and tools that run against real windows: a test view that records the
// window region of every step, region comparison, and pixels read back from the screen.
#ifndef LANTREL_SUPPORT_WINTEST_H
#define LANTREL_SUPPORT_WINTEST_H

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "framework/gdi.h"
#include "framework/wnd.h"
#include "support/regiondata.h"

namespace wintest {

// Pumps pending messages and waits ms milliseconds, so windows paint and reach the screen.
void Settle(int ms = 50);
// Runs work on a thread of its own and waits for it. The thread takes the windows it made with
// it when it ends: a window left on a test's thread, which often waits without taking messages,
// would hold up the program whenever it sends to every top-level window (under Wine 10 even a
// destroyed window leaves such a one behind).
void OnOwnThread(const std::function<void()>& work);

// A top-level popup window at (x, y) whose client area is exactly width x height (no border,
// no caption), hosting a child "view" of the same size, in which the tests and the timing tools
// run transitions.  Each time SetWindowRgn changes the view's region (WM_WINDOWPOSCHANGED) the
// view notes the time and records the region it is given, as a copy.
class RecordingView : public CWnd {
public:
    RecordingView();
    ~RecordingView() override;
    // Creates host and view; returns false if either failed.
    bool Open(int x, int y, int width, int height);
    void Close();
    HWND Host() const { return m_hHost; }

    // Regions seen so far, owned (empty entries for "no region").
    std::vector<CRgn> regions;
    void ClearRegions();
    bool recordEmpty = false;  // also record "no region" states
    // False: only the times are noted.  Reading a region back costs the platform more than a
    // reveal step itself (under Wine), so a view that times the steps leaves it out.
    bool recordRegions = true;

    // Forgets the regions and times seen so far; times count from here.
    void Reset();
    // When each reveal step seen started, in ms since Reset: every step sets a region and
    // clears it again, and a transition ends with one more clear, so the steps start at the
    // even notifications (the step count is the size).
    std::vector<double> StepTimes() const;

    // Paints with this colour when it receives WM_PAINT (-1: paint nothing).
    COLORREF paintColor = RGB(0, 0, 0);

protected:
    // Records the region each change of position finds.
    void OnWindowPosChanged(WINDOWPOS* pos);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    HWND m_hHost = nullptr;
    std::vector<double> m_notifications;  // ms since m_start of each WM_WINDOWPOSCHANGED
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// A region from a list of rectangles (left, top, right, bottom).
CRgn MakeRegion(const std::vector<RECT>& rects);
// True if the two regions cover exactly the same pixels.
bool SameRegion(HRGN a, HRGN b);
// The rectangles a region is made of, as text ("(l,t,r,b) ..."), for failure messages.
std::string Describe(HRGN region);
// Number of pixels inside the region.
long long Area(HRGN region);

// The screen's pixels in rect (screen coordinates), as 0x00RRGGBB values, row by row.
std::vector<unsigned> ReadScreen(const RECT& rect);

// Pixels of rect (coordinates of dc) as 0x00RRGGBB values, row by row.
std::vector<unsigned> ReadDc(HDC dc, const RECT& rect);

// One screen pixel as 0x00RRGGBB.
unsigned ScreenPixel(int x, int y);

// A 24-bit memory picture of width x height filled by fill(x, y) -> COLORREF, selected into a
// memory DC, usable as a source for copies.
class Picture {
public:
    Picture(int width, int height, COLORREF (*fill)(int x, int y));
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const;

private:
    int m_nWidth, m_nHeight;
    unsigned* m_pBits = nullptr;  // the bitmap's pixels, set as it is made
    CCreatedDC m_dc;
    CBitmap m_bitmap;
    CSelectObject m_select;  // the bitmap in the DC; ends first, puts the DC's own back
};

// Pointer input as the user makes it (SendInput): move to screen point (x, y); left click.
void MoveMouse(int x, int y);
void ClickMouse();
// One key pressed and released, as typed on the keyboard.
void PressKey(WORD key);

// While it lives, closes every message box with this caption that the creating thread shows,
// keeping each one's text (UTF-8) in order.
class BoxCloser {
public:
    explicit BoxCloser(const std::wstring& caption);
    ~BoxCloser();
    BoxCloser(const BoxCloser&) = delete;
    BoxCloser& operator=(const BoxCloser&) = delete;
    std::vector<std::string> Texts();

private:
    struct State;
    State* m_pState;
};

std::string Utf8(const std::wstring& text);

// A dialog template of a module, read back one line for the dialog and one per control:
// style, extended style, position, size (a control's id), then class, text and font as the
// template names them; a control's class in capitals, predefined ones by name; "none" if absent.
std::wstring ReadDialogTemplate(HMODULE module, int id);

// The version resource of an .exe or .dll, read back as Explorer reads it: a line with the
// numbers of its fixed part, its file type and first translation, then "Name|value|" for each
// of the usual strings it holds in that translation; "none" if it has none.
std::wstring ReadVersionResource(const std::wstring& path);

}  // namespace wintest

#endif
