#include "slidedialog.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CSlideDialog, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSlideDialog::CSlideDialog(CWnd* parent) : CDialog(IDD_SLIDE_DIALOG, parent) {}

BOOL CSlideDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_picture.ShowResource(m_hWnd, L"DINOSAUR");
    return TRUE;
}

void CSlideDialog::OnDestroy() {
    m_picture.TakeBack(m_hWnd);
    Default();
}
