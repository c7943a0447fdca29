// bardialog.cpp - CDialogBar: a control bar made from a dialog template, its
// controls enabled through the owner's command routing.
#include "docimpl.h"
#include <afxext.h>

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

// The template lays out the bar's inside; only border lines surround it.
CDialogBar::CDialogBar() : m_sizeDefault(0, 0)
{
    SetBorders(0, 0, 0, 0);
}

CDialogBar::~CDialogBar()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

// The bar keeps the template's size (plus its border lines); the frame's
// layout places it.
BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    m_dwStyle = nStyle & CBRS_ALL;
    if (!AfxCreateChildDialog(this, lpszTemplateName, pParentWnd, WS_CLIPSIBLINGS, 0, nID))
        return FALSE;
    // the template's size is the client area; the border lines come on top
    CRect rect, rectInside(0, 0, 0, 0);
    GetWindowRect(&rect);
    CalcInsideRect(rectInside, (m_dwStyle & CBRS_ORIENT_VERT) == 0 || (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    m_sizeDefault = CSize(rect.Width() - rectInside.Width(), rect.Height() - rectInside.Height());
    if (!ExecuteDlgInit(lpszTemplateName))
        return FALSE;
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips(TRUE);
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return CSize(bHorz ? 32767 : m_sizeDefault.cx, bHorz ? m_sizeDefault.cy : 32767);
    return m_sizeDefault;
}

// Every control with an id is updated like a menu item, but only push
// buttons are disabled for want of a handler: check boxes, radio buttons and
// the other controls keep working on their own.
void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    state.m_pOther = NULL;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        state.m_nID = (UINT)::GetDlgCtrlID(hWndChild);
        if (state.m_nID == 0 || state.m_nID == (UINT)IDC_STATIC || state.m_nID == 0xFFFF)
            continue;
        state.m_pOther = CWnd::FromHandle(hWndChild);
        BOOL bDisableTemp = bDisableIfNoHndler;
        if (bDisableTemp) {
            if ((::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) == 0) {
                bDisableTemp = FALSE;
            } else {
                UINT nStyle = (UINT)(::GetWindowLongPtr(hWndChild, GWL_STYLE) & 0x0F);
                if (nStyle == (UINT)BS_AUTOCHECKBOX || nStyle == (UINT)BS_AUTO3STATE ||
                    nStyle == (UINT)BS_GROUPBOX || nStyle == (UINT)BS_AUTORADIOBUTTON)
                    bDisableTemp = FALSE;
            }
        }
        if (!CCmdTarget::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            state.DoUpdate(pTarget, bDisableTemp);
    }
}
