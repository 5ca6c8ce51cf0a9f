// The "Semi-Transparent Show" dialog: a small modal dialog seen through a mesh region.
#ifndef LANTREL_DIALOGS_MESHDIALOG_H
#define LANTREL_DIALOGS_MESHDIALOG_H

#include <vector>

#include "framework/dialog.h"
#include "framework/gdi.h"

class CMeshDialog : public CDialog {
public:
    explicit CMeshDialog(CWnd* parent);

    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Set once painting the frame has taken long (the system built the mesh's visible region
    // for it): a press on the close box is then followed without drawing it pressed.
    bool m_bSlowFrame = false;

private:
    void FollowCloseBoxPress();

    std::vector<CBitmap> m_pictures;  // the dinosaur, deleted after the window has gone
};

#endif
