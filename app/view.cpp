#include "view.h"

#include "commands.h"
#include "dialogs/meshdialog.h"
#include "dialogs/slidedialog.h"
#include "framework/app.h"
#include "framework/dpi.h"
#include "motion/slide.h"
#include "res/resource.h"
#include "transitions/random.h"
#include "transitions/transition.h"

IMPLEMENT_DYNCREATE(CDorvelView)

const TransitionCommand* FindTransitionCommand(UINT id) {
    for (const TransitionCommand& command : kTransitionCommands) {
        if (command.id == id) return &command;
    }
    return nullptr;
}

namespace {

// The "Slid Show" dialog moves every 15 ms.
const int kSlideDelay15Ms = 3;

// Both pictures are this size, at 96 DPI; they are shown scaled for the view's DPI.
const int kPictureWidth = 800;
const int kPictureHeight = 600;

}  // namespace

BEGIN_MESSAGE_MAP(CDorvelView, CView)
    ON_WM_ERASEBKGND()
    ON_COMMAND_TABLE(FindTransitionCommand, RunTransitionCommand)
    ON_COMMAND(ID_VIEW_FADE, OnFadeInOut)
    ON_COMMAND(ID_VIEW_SEMI_TRANSPARENT, OnSemiTransparentShow)
    ON_COMMAND(ID_DIALOG_SLID_SHOW, OnSlidShow)
    ON_UPDATE_COMMAND_UI(ID_DIALOG_SLID_SHOW, OnUpdateSlidShow)
END_MESSAGE_MAP()

void DrawPictureCallback(CWnd* view, CDC* dc) {
    // Through the virtual OnDraw: a view derived from this one reveals its own picture.
    static_cast<CView*>(view)->OnDraw(dc);
}

CDorvelView::CDorvelView() {
    CCreatedDC display;
    display.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr);
    // Without a display DC this makes a DC compatible with the screen, which serves as well.
    m_dcMem.CreateCompatibleDC(display.GetSafeHdc() ? &display : nullptr);
}

BOOL CDorvelView::PreCreateWindow(CREATESTRUCTW& cs) {
    // The "Slid Show" dialog is a child of the view: neither a repaint nor a transition drawn
    // through the view's DC may paint over it (it would carry those pixels on as it moves).
    cs.style |= WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

void CDorvelView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    SeedRandom();
    LoadNextPicture();
}

void CDorvelView::LoadNextPicture() {
    LoadPicture(m_nNextPicture);
    m_nNextPicture = 1 - m_nNextPicture;
}

void CDorvelView::LoadPicture(int which) {
    if (m_nDpi == 0) m_nDpi = WindowDpi(m_hWnd);
    CBitmap picture;
    picture.LoadBitmap(AfxGetResourceHandle(), which == 0 ? L"Genie" : L"Mouse");
    // Scaled once here, smoothly, so that every paint and transition is a plain copy.
    CBitmap scaled = ScaledToDpi(picture, m_nDpi);
    if (scaled.GetSafeHandle() != nullptr) picture = std::move(scaled);
    // A picture that cannot be loaded leaves the current one in place.
    if (picture.GetSafeHandle() != nullptr && m_selPicture.Select(m_dcMem, picture)) {
        m_bmpPicture = std::move(picture);  // deletes the picture just deselected
    }
}

void CDorvelView::OnDpiChanged(int dpi) {
    // The window's DPI is the last one WM_DPICHANGED gave (Microsoft, "WM_DPICHANGED").
    if (dpi <= 0 || dpi == m_nDpi) return;
    m_nDpi = dpi;
    if (m_bmpPicture.GetSafeHandle() != nullptr) LoadPicture(1 - m_nNextPicture);
    Invalidate(FALSE);
}

RECT CDorvelView::PictureRect() const {
    SIZE size = BitmapSize(m_bmpPicture);
    if (size.cx <= 0 || size.cy <= 0) {
        int dpi = m_nDpi != 0 ? m_nDpi : WindowDpi(m_hWnd);
        size = SIZE{ScaleToDpi(kPictureWidth, dpi), ScaleToDpi(kPictureHeight, dpi)};
    }
    return RECT{0, 0, size.cx, size.cy};
}

void CDorvelView::OnDraw(CDC* pDC) {
    DrawPicture(pDC);
    FillBeyondPicture(pDC);
}

void CDorvelView::DrawPicture(CDC* pDC) {
    RECT picture = PictureRect();
    if (m_bmpPicture.GetSafeHandle() == nullptr) {
        // No picture could be loaded (yet): show the window colour, not the memory DC's
        // one-pixel bitmap stretched into garbage.
        pDC->FillRect(&picture, ::GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    pDC->BitBlt(0, 0, picture.right, picture.bottom, &m_dcMem, 0, 0, SRCCOPY);
}

void CDorvelView::FillBeyondPicture(CDC* pDC) {
    // A client area larger than the picture (a maximised frame) shows the window colour
    // beyond it, as the transitions do; the picture itself is never erased, so nothing flickers.
    RECT client;
    GetClientRect(&client);
    HBRUSH window = ::GetSysColorBrush(COLOR_WINDOW);
    RECT picture = PictureRect();
    RECT right = {picture.right, 0, client.right, client.bottom};
    RECT below = {0, picture.bottom, picture.right, client.bottom};
    if (right.left < right.right && right.top < right.bottom) pDC->FillRect(&right, window);
    if (below.left < below.right && below.top < below.bottom) pDC->FillRect(&below, window);
}

BOOL CDorvelView::OnEraseBkgnd(CDC*) {
    return FALSE;
}

void CDorvelView::SwitchPicture(int delay, EffectFlags flags, EffectType type) {
    // The screen keeps the old picture for the transition to replace: first it must show it
    // whole (a menu just closed over it), and before the next picture is loaded.
    ShowPendingPaint(m_hWnd);
    LoadNextPicture();
    RunTransition(this, DrawPictureCallback, delay, flags, type);
}

void CDorvelView::RunTransitionCommand(const TransitionCommand& command) {
    EffectFlags flags = command.flags;
    if (command.randomReverse && RandomInRange(0, 1) == 1) flags |= EffectFlags::Reverse;
    SwitchPicture(command.delay, flags, command.type);
}

void CDorvelView::OnFadeInOut() {
    ShowPendingPaint(m_hWnd);
    // The fade holds each of its frames for a display refresh; the delay plays no part in it.
    RunTransition(this, DrawPictureCallback, kDelay10Ms, EffectFlags::None, EffectType::FadeOut);
    LoadNextPicture();
    RunTransition(this, DrawPictureCallback, kDelay10Ms, EffectFlags::None, EffectType::FadeIn);
}

void CDorvelView::OnSemiTransparentShow() {
    CMeshDialog dialog(this);
    dialog.DoModal();
    // The frame may have been closed from inside the modal loop; then there is nothing to
    // repaint (and no window handle to give InvalidateRect, which would take the whole screen).
    if (m_hWnd == nullptr) return;
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
}

void CDorvelView::OnSlidShow() {
    // Other commands run inside the slide's waits; a second slide would only freeze this one
    // half-way, so it is refused (its menu item is greyed meanwhile).
    if (m_bSliding) return;
    m_bSliding = true;
    CSlideDialog dialog;
    // A WS_CHILD template: hidden at (0, 0) of the view until the slide places it outside.
    if (dialog.Create(IDD_SLIDE_DIALOG, this)) {
        PlanSlide(&dialog, SlideHorizontal | SlideVertical, kSlideDelay15Ms, FixedSteps,
                  SlideStartOutside, SlideEndOutside);
    }
    dialog.DestroyWindow();  // nothing if the window went with the view during the slide
    m_bSliding = false;
}

void CDorvelView::OnUpdateSlidShow(CCmdUI* pCmdUI) {
    pCmdUI->Enable(!m_bSliding);
}
