// The "Slid Show" dialog: a captionless child window holding only the dinosaur picture.
#ifndef LANTREL_DIALOGS_SLIDEDIALOG_H
#define LANTREL_DIALOGS_SLIDEDIALOG_H

#include "framework/dialog.h"

class CSlideDialog : public CDialog {
public:
    explicit CSlideDialog(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
};

#endif
