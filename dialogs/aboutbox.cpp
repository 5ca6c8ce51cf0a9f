#include "aboutbox.h"

#include "res/resource.h"

const wchar_t CAboutBox::kEmailUrl[] = L"mailto:pat@example.com";
const wchar_t CAboutBox::kHomepageUrl[] = L"http://www.example.org/";

CAboutBox::CAboutBox() : CDialog(IDD_ABOUTBOX, nullptr) {}

BOOL CAboutBox::OnInitDialog() {
    CDialog::OnInitDialog();
    m_linkEmail.SubclassDlgItem(IDC_EMAIL_LINK, this);
    m_linkEmail.SetLinkUrl(kEmailUrl);
    m_linkHomepage.SubclassDlgItem(IDC_HOMEPAGE_LINK, this);
    m_linkHomepage.SetLinkUrl(kHomepageUrl);
    return TRUE;
}
