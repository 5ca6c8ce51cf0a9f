#include "slidedialog.h"

#include "dialogs/templatepictures.h"
#include "res/resource.h"

CSlideDialog::CSlideDialog(CWnd* parent) : CDialog(IDD_SLIDE_DIALOG, parent) {}

BOOL CSlideDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pictures = TakeTemplatePictures(m_hWnd);
    return TRUE;
}
