// The picture view: shows "Genie" or "Mouse" and turns View commands into transitions.
#ifndef LANTREL_APP_VIEW_H
#define LANTREL_APP_VIEW_H

#include "framework/view.h"
#include "transitions/effecttype.h"

struct TransitionCommand;

class CDorvelView : public CView {
    DECLARE_DYNCREATE(CDorvelView)

public:
    CDorvelView();

    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    // Loads the other picture into the memory DC, scaled for the view's DPI; nothing is drawn.
    void LoadNextPicture();
    // Scales the picture on show again, for dpi, and repaints.
    void OnDpiChanged(int dpi) override;

protected:
    // Draws the picture alone, 800 x 600 at 96 DPI and scaled for the view's DPI (the window
    // colour there if there is none).
    void DrawPicture(CDC* pDC);
    BOOL OnEraseBkgnd(CDC* pDC);
    // Fills the client area beyond the picture with the window colour.
    void FillBeyondPicture(CDC* pDC);
    // Loads picture 0 ("Genie") or 1 ("Mouse") into the memory DC, scaled for m_nDpi.
    void LoadPicture(int which);
    // The picture's rectangle in the view: its own size, or 800 x 600 scaled if there is none.
    RECT PictureRect() const;
    // Loads the next picture and runs one transition to it.
    void SwitchPicture(int delay, EffectFlags flags, EffectType type);
    // One row of the transition command table: its picture switch.
    void RunTransitionCommand(const TransitionCommand& command);
    // Fades the current picture out, switches, and fades the next one in.
    void OnFadeInOut();
    void OnSemiTransparentShow();
    void OnSlidShow();
    void OnUpdateSlidShow(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    int m_nNextPicture = 0;   // 0: "Genie" next, 1: "Mouse" next
    CCreatedDC m_dcMem;       // holds the current picture
    CBitmap m_bmpPicture;     // the picture selected into m_dcMem
    CSelection m_selPicture;  // puts m_dcMem's own bitmap back before both of those go
    bool m_bSliding = false;  // a "Slid Show" is running: a second one is refused
    int m_nDpi = 0;           // the DPI the pictures are scaled for; 0: the window's, at first load
};

// Draws view (a CView) into dc as it paints itself, through its OnDraw.
void DrawPictureCallback(CWnd* view, CDC* dc);

#endif
