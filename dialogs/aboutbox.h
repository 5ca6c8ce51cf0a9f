// CAboutBox: the Help menu's About box, with the author's e-mail address and homepage as links.
#ifndef LANTREL_DIALOGS_ABOUTBOX_H
#define LANTREL_DIALOGS_ABOUTBOX_H

#include "dialogs/linkstatic.h"
#include "framework/dialog.h"

class CAboutBox : public CDialog {
public:
    CAboutBox();

    BOOL OnInitDialog() override;

    // The links' targets.
    static const wchar_t kEmailUrl[];
    static const wchar_t kHomepageUrl[];

private:
    CLinkStatic m_linkEmail;
    CLinkStatic m_linkHomepage;
};

#endif
