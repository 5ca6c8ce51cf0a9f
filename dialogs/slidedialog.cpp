#include "slidedialog.h"

#include "res/resource.h"

CSlideDialog::CSlideDialog(CWnd* parent) : CDialog(IDD_SLIDE_DIALOG, parent) {}

BOOL CSlideDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    return TRUE;
}
