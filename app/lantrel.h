// The application object.
#ifndef LANTREL_APP_LANTREL_H
#define LANTREL_APP_LANTREL_H

#include "framework/app.h"

class CDorvelApp : public CWinApp {
public:
    CDorvelApp();
    BOOL InitInstance() override;

protected:
    void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

#endif
