#include "view.h"

#include "dialogs/meshdialog.h"
#include "dialogs/slidedialog.h"
#include "framework/app.h"
#include "motion/slide.h"
#include "res/resource.h"
#include "transitions/random.h"
#include "transitions/transition.h"

IMPLEMENT_DYNCREATE(CDorvelView)

BEGIN_MESSAGE_MAP(CDorvelView, CView)
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_VIEW_SMOOTH_VERTICAL, OnSmoothVertical)
    ON_COMMAND(ID_VIEW_SMOOTH_HORIZONTAL, OnSmoothHorizontal)
    ON_COMMAND(ID_VIEW_CIRCLE_LIKE, OnCircleLike)
    ON_COMMAND(ID_VIEW_DOOR_VERTICAL, OnDoorVertical)
    ON_COMMAND(ID_VIEW_DOOR_HORIZONTAL, OnDoorHorizontal)
    ON_COMMAND(ID_VIEW_RECT_LIKE, OnRectLike)
    ON_COMMAND(ID_VIEW_CORNER_LT_RB, OnCornerLtRb)
    ON_COMMAND(ID_VIEW_CORNER_RT_LB, OnCornerRtLb)
    ON_COMMAND(ID_VIEW_BLIND_VERTICAL, OnBlindVertical)
    ON_COMMAND(ID_VIEW_BLIND_HORIZONTAL, OnBlindHorizontal)
    ON_COMMAND(ID_VIEW_MOSAIC_VERTICAL, OnMosaicVertical)
    ON_COMMAND(ID_VIEW_MOSAIC_HORIZONTAL, OnMosaicHorizontal)
    ON_COMMAND(ID_VIEW_RANDOM_THREADS, OnRandomThreads)
    ON_COMMAND(ID_VIEW_FADE, OnFadeInOut)
    ON_COMMAND(ID_VIEW_DIAMOND_LIKE, OnDiamondLike)
    ON_COMMAND(ID_VIEW_LENS_LIKE, OnLensLike)
    ON_COMMAND(ID_VIEW_SEMI_TRANSPARENT, OnSemiTransparentShow)
    ON_COMMAND(ID_DIALOG_SLID_SHOW, OnSlidShow)
    ON_UPDATE_COMMAND_UI(ID_DIALOG_SLID_SHOW, OnUpdateSlidShow)
END_MESSAGE_MAP()

namespace {

// Both pictures are this size; OnDraw copies exactly this block.
const int kPictureWidth = 800;
const int kPictureHeight = 600;

}  // namespace

void DrawPictureCallback(CWnd* view, CDC* dc) {
    static_cast<CView*>(view)->OnDraw(dc);
}

CDorvelView::CDorvelView() {
    CDC display;
    display.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr);
    // Without a display DC this makes a DC compatible with the screen, which serves as well.
    m_dcMem.CreateCompatibleDC(display.GetSafeHdc() ? &display : nullptr);
}

CDorvelView::~CDorvelView() {
    if (m_hInitialBitmap != nullptr) m_dcMem.SelectObject(m_hInitialBitmap);
    m_dcMem.DeleteDC();
    m_bmpPicture.DeleteObject();
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
    CBitmap picture;
    picture.LoadBitmap(AfxGetResourceHandle(), m_nNextPicture == 0 ? L"Genie" : L"Mouse");
    // A picture that cannot be loaded leaves the current one in place.
    if (picture.GetSafeHandle() != nullptr) {
        HGDIOBJ previous = m_dcMem.SelectObject(picture);
        if (previous != nullptr && previous != HGDI_ERROR) {
            if (m_hInitialBitmap == nullptr) m_hInitialBitmap = static_cast<HBITMAP>(previous);
            m_bmpPicture = std::move(picture);  // deletes the picture just deselected
        }
    }
    m_nNextPicture = 1 - m_nNextPicture;
}

void CDorvelView::OnDraw(CDC* pDC) {
    if (m_bmpPicture.GetSafeHandle() == nullptr) {
        // No picture could be loaded (yet): show the window colour, not the memory DC's
        // one-pixel bitmap stretched into garbage.
        RECT picture = {0, 0, kPictureWidth, kPictureHeight};
        pDC->FillRect(&picture, ::GetSysColorBrush(COLOR_WINDOW));
        FillBeyondPicture(pDC);
        return;
    }
    pDC->BitBlt(0, 0, kPictureWidth, kPictureHeight, &m_dcMem, 0, 0, SRCCOPY);
    FillBeyondPicture(pDC);
}

void CDorvelView::FillBeyondPicture(CDC* pDC) {
    // A client area larger than the picture (a maximised frame) shows the window colour
    // beyond it, as the transitions do; the picture itself is never erased, so nothing flickers.
    RECT client;
    GetClientRect(&client);
    HBRUSH window = ::GetSysColorBrush(COLOR_WINDOW);
    RECT right = {kPictureWidth, 0, client.right, client.bottom};
    RECT below = {0, kPictureHeight, kPictureWidth, client.bottom};
    if (right.left < right.right && right.top < right.bottom) pDC->FillRect(&right, window);
    if (below.left < below.right && below.top < below.bottom) pDC->FillRect(&below, window);
}

BOOL CDorvelView::OnEraseBkgnd(CDC*) {
    return FALSE;
}

int CDorvelView::RandomReverse() {
    return RandomInRange(0, 1);
}

void CDorvelView::SwitchPicture(int delay, int flags, int type) {
    // The screen keeps the old picture for the transition to replace: first it must show it
    // whole (a menu just closed over it), and before the next picture is loaded.
    ShowPendingPaint(m_hWnd);
    LoadNextPicture();
    RunTransition(this, DrawPictureCallback, delay, flags, type);
}

void CDorvelView::OnSmoothVertical() {
    SwitchPicture(2, RandomReverse() | EffectFlags::Vertical, EffectType::SmoothAway);
}

void CDorvelView::OnSmoothHorizontal() {
    SwitchPicture(2, RandomReverse() | EffectFlags::Horizontal, EffectType::SmoothAway);
}

void CDorvelView::OnDoorVertical() {
    SwitchPicture(2, RandomReverse() | EffectFlags::Vertical, EffectType::DoorLike);
}

void CDorvelView::OnDoorHorizontal() {
    SwitchPicture(2, RandomReverse() | EffectFlags::Horizontal, EffectType::DoorLike);
}

void CDorvelView::OnCircleLike() {
    SwitchPicture(2, RandomReverse(), EffectType::CircleLike);
}

void CDorvelView::OnRectLike() {
    SwitchPicture(2, RandomReverse(), EffectType::RectLike);
}

void CDorvelView::OnDiamondLike() {
    SwitchPicture(2, RandomReverse(), EffectType::DiamondLike);
}

void CDorvelView::OnLensLike() {
    SwitchPicture(0, RandomReverse(), EffectType::Lens);
}

void CDorvelView::OnCornerLtRb() {
    SwitchPicture(2, RandomReverse() | EffectFlags::Horizontal, EffectType::Corner);
}

void CDorvelView::OnCornerRtLb() {
    SwitchPicture(2, RandomReverse() | EffectFlags::Vertical, EffectType::Corner);
}

void CDorvelView::OnBlindVertical() {
    SwitchPicture(5, EffectFlags::Vertical, EffectType::WindowBlind);
}

void CDorvelView::OnBlindHorizontal() {
    SwitchPicture(5, EffectFlags::Horizontal, EffectType::WindowBlind);
}

void CDorvelView::OnMosaicVertical() {
    SwitchPicture(5, EffectFlags::Vertical, EffectType::Mosaic);
}

void CDorvelView::OnMosaicHorizontal() {
    SwitchPicture(5, EffectFlags::Horizontal, EffectType::Mosaic);
}

void CDorvelView::OnRandomThreads() {
    SwitchPicture(2, 0, EffectType::RandomThreads);
}

void CDorvelView::OnFadeInOut() {
    ShowPendingPaint(m_hWnd);
    RunTransition(this, DrawPictureCallback, 2, 0, EffectType::FadeOut);
    LoadNextPicture();
    RunTransition(this, DrawPictureCallback, 2, 0, EffectType::FadeIn);
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
        PlanSlide(&dialog, SlideHorizontal | SlideVertical, 3, 1, 1, 1);
    }
    dialog.DestroyWindow();  // nothing if the window went with the view during the slide
    m_bSliding = false;
}

void CDorvelView::OnUpdateSlidShow(CCmdUI* pCmdUI) {
    pCmdUI->Enable(!m_bSliding);
}
