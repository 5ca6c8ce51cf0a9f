// The "Slid Show" dialog: a captionless child window holding only the dinosaur picture.
#ifndef LANTREL_DIALOGS_SLIDEDIALOG_H
#define LANTREL_DIALOGS_SLIDEDIALOG_H

#include <vector>

#include "framework/dialog.h"
#include "framework/gdi.h"

class CSlideDialog : public CDialog {
public:
    explicit CSlideDialog(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

private:
    std::vector<CBitmap> m_pictures;  // the dinosaur, deleted after the window has gone
};

#endif
