// AccelDlgHelper.cpp - CAccelDlgHelper.
#include "AccelDlgHelper.h"

#include "AccelListBox.h"
#include "AcceleratorManager.h"
#include "KeyboardEdit.h"

CAccelDlgHelper::CAccelDlgHelper()
    : m_pManager(NULL), m_pKeyEdit(NULL), m_pAccelList(NULL), m_pCommandList(NULL), m_pOwner(NULL)
{
}

BOOL CAccelDlgHelper::GetSelectedCommand(WORD& wIDCommand) const
{
    int nSel = m_pCommandList->GetCurSel();
    if (nSel == LB_ERR)
        return FALSE;
    wIDCommand = (WORD)m_pCommandList->GetItemData(nSel);
    return TRUE;
}

void CAccelDlgHelper::FillCommandList()
{
    m_pCommandList->ResetContent();
    m_pOwner->SetWindowText("");
    POSITION pos = m_pManager->m_mapAccelString.GetStartPosition();
    while (pos != NULL) {
        CString strName;
        WORD wID;
        m_pManager->m_mapAccelString.GetNextAssoc(pos, strName, wID);
        int nIndex = m_pCommandList->AddString(strName);
        if (nIndex >= 0)
            m_pCommandList->SetItemData(nIndex, wID);
    }
    if (m_pCommandList->SetCurSel(0) != LB_ERR)
        ShowAccels();
}

void CAccelDlgHelper::ShowAccels()
{
    WORD wID;
    if (!GetSelectedCommand(wID))
        return;
    m_pAccelList->ResetContent();
    CCmdAccelOb* pCmd = m_pManager->Lookup(wID);
    if (pCmd != NULL) {
        POSITION pos = pCmd->m_Accels.GetHeadPosition();
        while (pos != NULL) {
            CAccelsOb* pAccel = pCmd->m_Accels.GetNext(pos);
            CString strText;
            pAccel->GetString(strText);
            int nIndex = m_pAccelList->AddString(strText);
            if (nIndex >= 0)
                m_pAccelList->SetItemDataPtr(nIndex, pAccel);
        }
    }
    m_pKeyEdit->ResetKey();
}

void CAccelDlgHelper::Assign()
{
    WORD wKey;
    bool bCtrl, bAlt, bShift;
    if (!m_pKeyEdit->GetAccelerator(wKey, bCtrl, bAlt, bShift))
        return;

    // One combination, one command: name the command that has it already.
    for (int i = 0; i < m_pCommandList->GetCount(); ++i) {
        CCmdAccelOb* pCmd = m_pManager->Lookup((WORD)m_pCommandList->GetItemData(i));
        if (pCmd == NULL)
            continue;
        POSITION pos = pCmd->m_Accels.GetHeadPosition();
        while (pos != NULL) {
            if (pCmd->m_Accels.GetNext(pos)->IsEqual(wKey, bCtrl, bAlt, bShift)) {
                m_pOwner->SetWindowText(pCmd->m_szCommand);
                m_pKeyEdit->SetSel(0, -1);
                m_pKeyEdit->SendMessage(EM_SCROLLCARET);
                return;
            }
        }
    }

    WORD wID;
    if (!GetSelectedCommand(wID))
        return;
    CCmdAccelOb* pCmd = m_pManager->Lookup(wID);
    if (pCmd == NULL)
        return;
    BYTE cVirt = FVIRTKEY;
    if (bCtrl)
        cVirt |= FCONTROL;
    if (bAlt)
        cVirt |= FALT;
    if (bShift)
        cVirt |= FSHIFT;
    CAccelsOb* pAccel = new CAccelsOb(cVirt, wKey, false);
    pCmd->Add(pAccel);
    CString strText;
    pAccel->GetString(strText);
    int nIndex = m_pAccelList->AddString(strText);
    if (nIndex >= 0)
        m_pAccelList->SetItemDataPtr(nIndex, pAccel);
    m_pOwner->SetWindowText("");
    m_pKeyEdit->ResetKey();
}

void CAccelDlgHelper::Remove()
{
    int nAccel = m_pAccelList->GetCurSel();
    WORD wID;
    if (nAccel == LB_ERR || !GetSelectedCommand(wID))
        return;
    CCmdAccelOb* pCmd = m_pManager->Lookup(wID);
    if (pCmd == NULL) {
        AfxMessageBox("internal error (CAccelDlgHelper::Remove : Lookup failed)");
        return;
    }
    CAccelsOb* pAccel = reinterpret_cast<CAccelsOb*>(m_pAccelList->GetItemDataPtr(nAccel));
    POSITION pos = pCmd->m_Accels.Find(pAccel);
    if (pAccel == NULL || pos == NULL) {
        AfxMessageBox("internal error (CAccelDlgHelper::Remove : pAccel unavailable)");
        return;
    }
    if (pAccel->m_bLocked) {
        AfxMessageBox("Unable to remove this\naccelerator (Locked)");
        return;
    }
    pCmd->m_Accels.RemoveAt(pos);
    delete pAccel;
    m_pAccelList->DeleteString(nAccel);
    m_pKeyEdit->ResetKey();
    m_pOwner->SetWindowText("");
}

void CAccelDlgHelper::ResetAll()
{
    m_pManager->Reset();
    FillCommandList();
}
