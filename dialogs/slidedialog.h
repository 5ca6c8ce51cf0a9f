// The "Slid Show" dialog: a captionless child window holding only the dinosaur picture.
#ifndef LANTREL_DIALOGS_SLIDEDIALOG_H
#define LANTREL_DIALOGS_SLIDEDIALOG_H

#include "dialogs/dialogpicture.h"
#include "framework/dialog.h"

class CSlideDialog : public CDialog {
public:
    explicit CSlideDialog(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

protected:
    // Takes the picture back while its control still exists.
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    CDialogPicture m_picture;  // the dinosaur, for as long as the window shows it
};

#endif
