// The view the benchmark runs transitions in: a child window in a borderless popup at the
// screen's top-left, which paints nothing and notes when each reveal step sets its region.
#ifndef LANTREL_TOOLS_BENCHVIEW_H
#define LANTREL_TOOLS_BENCHVIEW_H

#include <chrono>
#include <vector>

#include "framework/handle.h"
#include "framework/wnd.h"

struct WindowTraits {
    using Handle = HWND;
    static void Close(HWND handle) { ::DestroyWindow(handle); }
};

class CStepCountingView : public CWnd {
public:
    ~CStepCountingView() override;
    // Creates host and view with a client area of width x height; false if either failed.
    bool Open(int width, int height);

    // Milliseconds from the last Reset to each WM_WINDOWPOSCHANGED that found a window region
    // set: one per reveal step (the step's other notification clears the region).
    // Start times (ms since Reset) of the reveal steps seen.
    std::vector<double> StepTimes() const;
    void Reset();

protected:
    void OnWindowPosChanged(WINDOWPOS* pos);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();  // paints nothing
    DECLARE_MESSAGE_MAP()

private:
    UniqueHandle<WindowTraits> m_host;
    std::vector<double> m_notifications;  // times of WM_WINDOWPOSCHANGED since Reset
    std::chrono::steady_clock::time_point m_start;
};

#endif
