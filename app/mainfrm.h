// The main frame: 800 x 600 outside at 100 % scaling (larger in proportion at higher
// scalings), centred on the screen, no tool or status bar.
#ifndef LANTREL_APP_MAINFRM_H
#define LANTREL_APP_MAINFRM_H

#include "framework/frame.h"

// Where a window of size cx x cy sits centred on a screen of screenCx x screenCy; each half is
// taken separately, truncating toward zero.
POINT CenteredFramePosition(int screenCx, int screenCy, int cx, int cy);

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)

public:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

protected:
    void OnClose();
    // Lets the grow and shrink frames be as small as one step: the platform's minimum
    // tracking size would otherwise widen the early frames and pull them off the centre.
    void OnGetMinMaxInfo(MINMAXINFO* info);
    // The frame has moved to a display of another scaling: it takes the size and place the
    // system suggests (lParam), and the view scales its picture again.
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

#endif
