#include "meshdialog.h"

#include "dialogs/templatepictures.h"
#include "motion/mesh.h"
#include "res/resource.h"

CMeshDialog::CMeshDialog(CWnd* parent) : CDialog(IDD_MESH_DIALOG, parent) {}

BOOL CMeshDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pictures = TakeTemplatePictures(m_hWnd);
    // Still hidden and at the template's (0, 0): the framework centres it afterwards, and the
    // region moves with the window.
    MakeMeshRegion(this, m_rgnMesh);
    return TRUE;
}
