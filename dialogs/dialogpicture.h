// The picture a dialog's picture statics (SS_BITMAP) show, loaded by the program and handed to
// them with STM_SETIMAGE, the case whose ownership the documentation settles: "The client is
// responsible to delete any bitmap sent to a static control", and the message returns "a
// handle to the image previously associated with the static control", which is the client's
// to delete from then on as well (the static deletes only a picture it loaded itself and was
// never given another).  Common Controls 6 may show a copy instead: "if the bitmap passed in the
// STM_SETIMAGE message contains pixels with nonzero alpha, the static control takes a copy of
// the bitmap.  This copied bitmap is returned by the next STM_SETIMAGE message" (STM_SETIMAGE,
// Remarks).  So the picture is taken back before the controls go, and a copy deleted.
#ifndef LANTREL_DIALOGS_DIALOGPICTURE_H
#define LANTREL_DIALOGS_DIALOGPICTURE_H

#include <windows.h>

#include "framework/gdi.h"

class CDialogPicture {
public:
    CDialogPicture() = default;
    CDialogPicture(CDialogPicture&&) = default;
    CDialogPicture& operator=(CDialogPicture&&) = default;

    // Makes bitmap the picture of every picture static of dialog; the picture a control had
    // (from its template) is deleted.
    void Show(HWND dialog, CBitmap bitmap);
    // The same with the bitmap resource name of the program's resources.
    void ShowResource(HWND dialog, LPCWSTR name);
    // Takes the picture back from the controls, which must still exist (the dialog's
    // WM_DESTROY), deleting any copy a control made of it, and deletes it.
    void TakeBack(HWND dialog);

private:
    CBitmap m_bitmap;
};

#endif
