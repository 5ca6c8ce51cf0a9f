#include "cmdtarget.h"

BOOL CCmdTarget::OnCmdMsg(UINT id, CCmdUI* pCmdUI) {
    AfxMsg msg;
    msg.kind = pCmdUI ? AfxMsg::UpdateCommandUI : AfxMsg::Command;
    msg.id = id;
    msg.pCmdUI = pCmdUI;
    if (ProcessMessageMap(msg)) return TRUE;
    if (pCmdUI == nullptr) return FALSE;
    // No update handler here: does this object handle the command itself?
    msg.kind = AfxMsg::CommandProbe;
    msg.pCmdUI = nullptr;
    if (!ProcessMessageMap(msg)) return FALSE;
    pCmdUI->Enable(TRUE);
    return TRUE;
}

BOOL CCmdTarget::ProcessMessageMap(AfxMsg&) {
    return FALSE;
}

void CCmdUI::Enable(BOOL on) {
    if (m_hMenu != nullptr) {
        ::EnableMenuItem(m_hMenu, m_nIndex,
                         MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    m_bEnabled = on;
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetText(LPCWSTR text) {
    if (m_hMenu == nullptr) return;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPWSTR>(text);
    ::SetMenuItemInfoW(m_hMenu, m_nIndex, TRUE, &info);
}

void CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
    m_bEnableChanged = FALSE;
    BOOL handled = target->OnCmdMsg(m_nID, this);
    if (!handled && disableIfNoHandler && !m_bEnableChanged) Enable(FALSE);
}
