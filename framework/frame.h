// CFrameWnd: a top-level window with a menu, accelerators and one view as its client.
#ifndef LANTREL_FRAMEWORK_FRAME_H
#define LANTREL_FRAMEWORK_FRAME_H

#include "wnd.h"

class CDocument;
class CView;

// What a frame needs to make its view.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
};

class CFrameWnd : public CWnd {
public:
    // Creates the frame from resource nIDResource: title (first field of the string),
    // menu, accelerator table and icon.
    BOOL LoadFrame(UINT nIDResource, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                   CCreateContext* context = nullptr);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands go to the active view (and its document), the frame, then the application.
    BOOL OnCmdMsg(UINT id, CCmdUI* pCmdUI) override;

    // The view while its window exists, else nullptr.
    CView* GetActiveView() const;
    CDocument* GetActiveDocument() const;
    // Sends the views their initial update and, if makeVisible, shows the frame.
    void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    void RecalcLayout();

    BOOL m_bAutoMenuEnable = TRUE;

protected:
    int OnCreate(LPCREATESTRUCTW cs);
    void OnClose();
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(HWND oldFocus);
    void OnInitMenuPopup(HMENU popup, UINT index, BOOL sysMenu);
    // Reports the window's end to the thread, which ends the program with its main window.
    void OnNcDestroy();
    virtual BOOL OnCreateClient(LPCREATESTRUCTW cs, CCreateContext* context);

    DECLARE_MESSAGE_MAP()

private:
    UINT m_nIDResource = 0;
    HACCEL m_hAccelTable = nullptr;  // a resource: freed with the module
    HWND m_hWndViewActive = nullptr;
    bool m_bShownOnce = false;
};

#endif
