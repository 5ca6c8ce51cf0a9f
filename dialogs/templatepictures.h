// Pictures that static controls load from a dialog template.
#ifndef LANTREL_DIALOGS_TEMPLATEPICTURES_H
#define LANTREL_DIALOGS_TEMPLATEPICTURES_H

#include <windows.h>

#include <vector>

#include "framework/gdi.h"

// A picture static (SS_BITMAP) that loaded its bitmap from the template is meant to delete it
// when the control is destroyed; Wine's static control never does, so every dialog shown
// there would leak its pictures.  This takes the pictures of the dialog's picture statics
// over: setting a control's own bitmap again tells the control the application owns it now
// (Windows then leaves it alone, as Wine always does).  Keep the owners until the dialog's
// window has gone.
std::vector<CBitmap> TakeTemplatePictures(HWND dialog);

#endif
