// The "Semi-Transparent Show" dialog: a small modal dialog seen through a mesh region.
#ifndef LANTREL_DIALOGS_MESHDIALOG_H
#define LANTREL_DIALOGS_MESHDIALOG_H

#include "dialogs/dialogpicture.h"
#include "framework/dialog.h"

class CMeshDialog : public CDialog {
public:
    explicit CMeshDialog(CWnd* parent);

    BOOL OnInitDialog() override;

protected:
    // Notes whether painting the frame took long.
    void OnNcPaint(HRGN region);
    // Follows a press on the close box itself once the frame is slow to paint.
    void OnNcLButtonDown(UINT hitTest, POINT point);
    // Once shown, spares the controls without a frame the request to paint one.
    void OnWindowPosChanged(WINDOWPOS* pos);
    // Takes the picture back while its control still exists.
    void OnDestroy();

    // Set once painting the frame has taken long (the system built the mesh's visible region
    // for it): a press on the close box is then followed without drawing it pressed.
    bool m_bSlowFrame = false;

    DECLARE_MESSAGE_MAP()

private:
    void FollowCloseBoxPress();

    CDialogPicture m_picture;  // the dinosaur, for as long as the window shows it
};

#endif
