// dockstate.cpp - CDockState and CControlBarInfo: where a frame's bars are
// docked or floating, which are visible and where they were docked and
// floated last, taken from the frame (GetDockState) and given back to it
// (SetDockState), kept in the profile or in an archive.
#include "docimpl.h"
#include <afxext.h>
#include <algorithm>
#include <vector>

// Profile sections "<name>-Summary" (Bars, ScreenCX, ScreenCY) and
// "<name>-Bar<n>", keys named as programs reading them expect.
static const char kSummarySection[] = "%s-Summary";
static const char kBarSection[] = "%s-Bar%d";
static const char kBarID[] = "BarID";
static const char kVisible[] = "Visible";
static const char kHorz[] = "Horz";
static const char kFloating[] = "Floating";
static const char kXPos[] = "XPos";
static const char kYPos[] = "YPos";
static const char kMRUWidth[] = "MRUWidth";
static const char kDocking[] = "Docking";
static const char kMRUDockID[] = "MRUDockID";
static const char kMRUDockLeftPos[] = "MRUDockLeftPos";
static const char kMRUDockTopPos[] = "MRUDockTopPos";
static const char kMRUDockRightPos[] = "MRUDockRightPos";
static const char kMRUDockBottomPos[] = "MRUDockBottomPos";
static const char kMRUFloatStyle[] = "MRUFloatStyle";
static const char kMRUFloatXPos[] = "MRUFloatXPos";
static const char kMRUFloatYPos[] = "MRUFloatYPos";
static const char kBars[] = "Bars";
static const char kScreenCX[] = "ScreenCX";
static const char kScreenCY[] = "ScreenCY";
static const char kBar[] = "Bar#%d";

// A dock bar entry that is a place-holder carries this bit in the state.
static const UINT_PTR kPlaceHolderBit = 0x10000;

// A stored state is outside input: its counts are believed only this far.
// A frame has at most 256 control bar ids, each docked or in a floating
// frame of its own, so no state it writes comes near.
static const int kMaxBarInfos = 1024;
static const int kMaxBarEntries = 1024;
// A section name is one registry key (at most 255 characters): a longer
// profile name is cut, the same way when saving and loading.
static const int kMaxProfileName = 240;

static CString SectionName(const char* pszFormat, LPCTSTR lpszProfileName, int nIndex = 0)
{
    CString strName(lpszProfileName != NULL ? lpszProfileName : "");
    if (strName.GetLength() > kMaxProfileName)
        strName = strName.Left(kMaxProfileName);
    CString strSection;
    strSection.Format(pszFormat, (LPCTSTR)strName, nIndex);
    return strSection;
}

// The dock bars a stored MRU dock place may name: a frame edge's.
static UINT DockBarIDOrZero(UINT nID)
{
    return nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM ? nID : 0;
}

// A stored MRU width beyond what a window can be means "none".
static UINT MRUWidthOrDefault(UINT nWidth)
{
    return nWidth <= 32767 ? nWidth : 32767;
}

// ---------------------------------------------------------------------------
// CControlBarInfo
// ---------------------------------------------------------------------------

CControlBarInfo::CControlBarInfo()
    : m_nBarID(0), m_bVisible(TRUE), m_bFloating(FALSE), m_bHorz(TRUE), m_bDockBar(FALSE), m_pointPos(-1, -1),
      m_nMRUWidth(32767), m_bDocking(FALSE), m_uMRUDockID(0), m_rectMRUDockPos(0, 0, 0, 0), m_dwMRUFloatStyle(0),
      m_ptMRUFloatPos(-1, -1), m_pBar(NULL)
{
}

// Only what differs from the defaults is written; an empty, visible,
// unmoved edge dock bar is not saved at all (FALSE).
BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    const CString strSection = SectionName(kBarSection, lpszProfileName, nIndex);
    LPCTSTR szSection = strSection;
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString(szSection, NULL, NULL);
    if (m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1 &&
        m_arrBarID.GetSize() <= 1)
        return FALSE;
    pApp->WriteProfileInt(szSection, kBarID, (int)m_nBarID);
    if (!m_bVisible)
        pApp->WriteProfileInt(szSection, kVisible, m_bVisible);
    if (m_bFloating) {
        pApp->WriteProfileInt(szSection, kHorz, m_bHorz);
        pApp->WriteProfileInt(szSection, kFloating, m_bFloating);
    }
    if (m_pointPos.x != -1)
        pApp->WriteProfileInt(szSection, kXPos, m_pointPos.x);
    if (m_pointPos.y != -1)
        pApp->WriteProfileInt(szSection, kYPos, m_pointPos.y);
    if (m_nMRUWidth != 32767)
        pApp->WriteProfileInt(szSection, kMRUWidth, (int)m_nMRUWidth);
    if (m_bDocking) {
        pApp->WriteProfileInt(szSection, kDocking, m_bDocking);
        pApp->WriteProfileInt(szSection, kMRUDockID, (int)m_uMRUDockID);
        pApp->WriteProfileInt(szSection, kMRUDockLeftPos, m_rectMRUDockPos.left);
        pApp->WriteProfileInt(szSection, kMRUDockTopPos, m_rectMRUDockPos.top);
        pApp->WriteProfileInt(szSection, kMRUDockRightPos, m_rectMRUDockPos.right);
        pApp->WriteProfileInt(szSection, kMRUDockBottomPos, m_rectMRUDockPos.bottom);
        pApp->WriteProfileInt(szSection, kMRUFloatStyle, (int)m_dwMRUFloatStyle);
        pApp->WriteProfileInt(szSection, kMRUFloatXPos, m_ptMRUFloatPos.x);
        pApp->WriteProfileInt(szSection, kMRUFloatYPos, m_ptMRUFloatPos.y);
    }
    if (m_arrBarID.GetSize() > 1) {   // one entry is an empty dock bar
        pApp->WriteProfileInt(szSection, kBars, (int)m_arrBarID.GetSize());
        for (int i = 0; i < (int)m_arrBarID.GetSize(); i++) {
            char szKey[16];
            wsprintfA(szKey, kBar, i);
            pApp->WriteProfileInt(szSection, szKey, (int)(UINT_PTR)m_arrBarID[i]);
        }
    }
    return TRUE;
}

// Positions are scaled from the saved screen size to this one (not the
// "none" markers). A section without a bar id is missing (FALSE); a dock
// bar's entries end at the first one missing, and at kMaxBarEntries.
BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState)
{
    const CString strSection = SectionName(kBarSection, lpszProfileName, nIndex);
    LPCTSTR szSection = strSection;
    CWinApp* pApp = AfxGetApp();
    m_nBarID = pApp->GetProfileInt(szSection, kBarID, 0);
    m_arrBarID.RemoveAll();
    if (m_nBarID == 0)
        return FALSE;
    m_bVisible = (BOOL)pApp->GetProfileInt(szSection, kVisible, TRUE);
    m_bHorz = (BOOL)pApp->GetProfileInt(szSection, kHorz, TRUE);
    m_bFloating = (BOOL)pApp->GetProfileInt(szSection, kFloating, FALSE);
    m_pointPos = CPoint((int)pApp->GetProfileInt(szSection, kXPos, -1), (int)pApp->GetProfileInt(szSection, kYPos, -1));
    if (m_pointPos != CPoint(-1, -1))
        pDockState->ScalePoint(m_pointPos);
    m_nMRUWidth = MRUWidthOrDefault(pApp->GetProfileInt(szSection, kMRUWidth, 32767));
    m_bDocking = (BOOL)pApp->GetProfileInt(szSection, kDocking, 0);
    if (m_bDocking) {
        m_uMRUDockID = DockBarIDOrZero(pApp->GetProfileInt(szSection, kMRUDockID, 0));
        m_rectMRUDockPos = CRect((int)pApp->GetProfileInt(szSection, kMRUDockLeftPos, 0),
                                 (int)pApp->GetProfileInt(szSection, kMRUDockTopPos, 0),
                                 (int)pApp->GetProfileInt(szSection, kMRUDockRightPos, 0),
                                 (int)pApp->GetProfileInt(szSection, kMRUDockBottomPos, 0));
        pDockState->ScaleRectPos(m_rectMRUDockPos);
        m_dwMRUFloatStyle = pApp->GetProfileInt(szSection, kMRUFloatStyle, 0);
        m_ptMRUFloatPos = CPoint((int)pApp->GetProfileInt(szSection, kMRUFloatXPos, 0),
                                 (int)pApp->GetProfileInt(szSection, kMRUFloatYPos, 0));
        if (m_ptMRUFloatPos.x != CW_USEDEFAULT)
            pDockState->ScalePoint(m_ptMRUFloatPos);
    }
    int nBars = (int)pApp->GetProfileInt(szSection, kBars, 0);
    if (nBars > kMaxBarEntries)
        nBars = kMaxBarEntries;
    // no stored entry is all ones: it marks one that is missing
    const int kMissing = -1;
    for (int i = 0; i < nBars; i++) {
        char szKey[16];
        wsprintfA(szKey, kBar, i);
        UINT nEntry = pApp->GetProfileInt(szSection, szKey, kMissing);
        if (nEntry == (UINT)kMissing)
            break;
        m_arrBarID.Add((void*)(UINT_PTR)nEntry);
    }
    return TRUE;
}

// Archived: id, visible, floating, horizontal, position; from version 2 the
// MRU width and, for a docking bar, its MRU places; then the entries of a
// dock bar.
void CControlBarInfo::Serialize(CArchive& ar, CDockState* pDockState)
{
    if (ar.IsStoring()) {
        ar << (DWORD)m_nBarID << (DWORD)m_bVisible << (DWORD)m_bFloating << (DWORD)m_bHorz;
        ar << (LONG)m_pointPos.x << (LONG)m_pointPos.y;
        if (pDockState->GetVersion() > 1) {
            ar << (DWORD)m_nMRUWidth << (DWORD)m_bDocking;
            if (m_bDocking) {
                ar << (DWORD)m_uMRUDockID;
                ar << (LONG)m_rectMRUDockPos.left << (LONG)m_rectMRUDockPos.top << (LONG)m_rectMRUDockPos.right
                   << (LONG)m_rectMRUDockPos.bottom;
                ar << (DWORD)m_dwMRUFloatStyle;
                ar << (LONG)m_ptMRUFloatPos.x << (LONG)m_ptMRUFloatPos.y;
            }
        }
        ar << (WORD)m_arrBarID.GetSize();
        for (int i = 0; i < (int)m_arrBarID.GetSize(); i++)
            ar << (DWORD)(UINT_PTR)m_arrBarID[i];
    } else {
        DWORD dw;
        LONG x, y;
        ar >> dw;
        m_nBarID = dw;
        ar >> dw;
        m_bVisible = (BOOL)dw;
        ar >> dw;
        m_bFloating = (BOOL)dw;
        ar >> dw;
        m_bHorz = (BOOL)dw;
        ar >> x >> y;
        m_pointPos = CPoint(x, y);
        if (m_pointPos != CPoint(-1, -1))
            pDockState->ScalePoint(m_pointPos);
        if (pDockState->GetVersion() > 1) {
            ar >> dw;
            m_nMRUWidth = MRUWidthOrDefault(dw);
            ar >> dw;
            m_bDocking = (BOOL)dw;
            if (m_bDocking) {
                ar >> dw;
                m_uMRUDockID = DockBarIDOrZero(dw);
                LONG l, t, r, b;
                ar >> l >> t >> r >> b;
                m_rectMRUDockPos = CRect(l, t, r, b);
                pDockState->ScaleRectPos(m_rectMRUDockPos);
                ar >> dw;
                m_dwMRUFloatStyle = dw;
                ar >> x >> y;
                m_ptMRUFloatPos = CPoint(x, y);
                if (m_ptMRUFloatPos.x != CW_USEDEFAULT)
                    pDockState->ScalePoint(m_ptMRUFloatPos);
            }
        }
        WORD nCount;
        ar >> nCount;
        m_arrBarID.RemoveAll();
        if (nCount > kMaxBarEntries)
            AfxThrowArchiveException(CArchiveException::badIndex);
        for (WORD i = 0; i < nCount; i++) {
            ar >> dw;
            m_arrBarID.Add((void*)(UINT_PTR)dw);
        }
    }
}

// ---------------------------------------------------------------------------
// CDockState
// ---------------------------------------------------------------------------

IMPLEMENT_SERIAL(CDockState, CObject, 0)

CDockState::CDockState()
    : m_bScaling(FALSE), m_rectDevice(0, 0, 0, 0), m_rectClip(0, 0, 0, 0), m_sizeLogical(0, 0), m_dwVersion(2)
{
}

CDockState::~CDockState()
{
    Clear();
}

void CDockState::Clear()
{
    for (int i = 0; i < (int)m_arrBarInfo.GetSize(); i++)
        delete (CControlBarInfo*)m_arrBarInfo[i];
    m_arrBarInfo.RemoveAll();
}

// The screen size the positions were saved on.
CSize CDockState::GetScreenSize()
{
    return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

// A stored size of 0 or less says nothing about the screen: no scaling.
void CDockState::SetScreenSize(CSize& size)
{
    m_sizeLogical = size;
    CSize sizeScreen = GetScreenSize();
    m_bScaling = size.cx > 0 && size.cy > 0 && size != sizeScreen;
    m_rectDevice = CRect(0, 0, sizeScreen.cx, sizeScreen.cy);
    // every monitor, not only the primary one
    m_rectClip = CRect(CPoint(::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN)),
                       CSize(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    if (m_rectClip.IsRectEmpty())
        m_rectClip = m_rectDevice;
}

// A point saved on another screen keeps its place in proportion, and stays
// within the screens on every side. Floating frames are kept on a work
// area when they are made (SetDockState).
void CDockState::ScalePoint(CPoint& pt)
{
    if (!m_bScaling || m_sizeLogical.cx <= 0 || m_sizeLogical.cy <= 0)
        return;
    CSize sizeDevice = m_rectDevice.Size();
    pt.x = ::MulDiv(pt.x, sizeDevice.cx, m_sizeLogical.cx);
    pt.y = ::MulDiv(pt.y, sizeDevice.cy, m_sizeLogical.cy);
    pt.x = std::max<int>(m_rectClip.left, std::min<int>(pt.x, m_rectClip.right));
    pt.y = std::max<int>(m_rectClip.top, std::min<int>(pt.y, m_rectClip.bottom));
}

void CDockState::ScaleRectPos(CRect& rect)
{
    if (!m_bScaling)
        return;
    CPoint pt = rect.TopLeft();
    CSize size = rect.Size();
    ScalePoint(pt);
    rect = CRect(pt, size);
}

void CDockState::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    const CString strSection = SectionName(kSummarySection, lpszProfileName);
    LPCTSTR szSection = strSection;
    int nIndex = 0;
    for (int i = 0; i < (int)m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = (CControlBarInfo*)m_arrBarInfo[i];
        if (pInfo->SaveState(lpszProfileName, nIndex))
            nIndex++;
    }
    pApp->WriteProfileInt(szSection, kBars, nIndex);
    CSize size = GetScreenSize();
    pApp->WriteProfileInt(szSection, kScreenCX, size.cx);
    pApp->WriteProfileInt(szSection, kScreenCY, size.cy);
}

// What the state held before goes; the bars end at the first section
// missing, and at kMaxBarInfos.
void CDockState::LoadState(LPCTSTR lpszProfileName)
{
    Clear();
    CWinApp* pApp = AfxGetApp();
    const CString strSection = SectionName(kSummarySection, lpszProfileName);
    int nBars = (int)pApp->GetProfileInt(strSection, kBars, 0);
    if (nBars > kMaxBarInfos)
        nBars = kMaxBarInfos;
    CSize size((int)pApp->GetProfileInt(strSection, kScreenCX, 0), (int)pApp->GetProfileInt(strSection, kScreenCY, 0));
    SetScreenSize(size);
    for (int i = 0; i < nBars; i++) {
        CControlBarInfo* pInfo = new CControlBarInfo;
        if (!pInfo->LoadState(lpszProfileName, i, this)) {
            delete pInfo;
            break;
        }
        m_arrBarInfo.Add(pInfo);
    }
}

// Version, the screen size, then the bars.
void CDockState::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_dwVersion;
        CSize size = GetScreenSize();
        ar << (LONG)size.cx << (LONG)size.cy;
        ar << (WORD)m_arrBarInfo.GetSize();
        for (int i = 0; i < (int)m_arrBarInfo.GetSize(); i++)
            ((CControlBarInfo*)m_arrBarInfo[i])->Serialize(ar, this);
    } else {
        Clear();
        ar >> m_dwVersion;
        LONG cx, cy;
        ar >> cx >> cy;
        CSize size(cx, cy);
        SetScreenSize(size);
        // an archive that fails part way leaves the state empty
        try {
            WORD nCount;
            ar >> nCount;
            if (nCount > kMaxBarInfos)
                AfxThrowArchiveException(CArchiveException::badIndex);
            for (WORD i = 0; i < nCount; i++) {
                CControlBarInfo* pInfo = new CControlBarInfo;
                m_arrBarInfo.Add(pInfo);
                pInfo->Serialize(ar, this);
            }
        } catch (...) {
            Clear();
            throw;
        }
    }
}

// ---------------------------------------------------------------------------
// A bar's state
// ---------------------------------------------------------------------------

// A docked bar records its place in its dock bar and its dock context's MRU
// places; a dock bar records its entries (bar ids, 0 row ends, place-holders
// with kPlaceHolderBit) and, floating, its place on the screen and its
// orientation.
void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_nBarID = (UINT)::GetDlgCtrlID(m_hWnd);
    pInfo->m_pBar = this;
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = m_nMRUWidth;
    if (m_pDockBar != NULL) {
        CRect rect;
        GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        pInfo->m_pointPos = rect.TopLeft();
    }
    if (m_pDockContext != NULL) {
        pInfo->m_bDocking = TRUE;
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
    pInfo->m_arrBarID.RemoveAll();
    if (IsDockBar()) {
        CDockBar* pDockBar = (CDockBar*)this;
        pInfo->m_bDockBar = TRUE;
        pInfo->m_bFloating = pDockBar->m_bFloating;
        pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
        if (pInfo->m_bFloating) {
            CRect rect;
            GetWindowRect(&rect);
            pInfo->m_pointPos = rect.TopLeft();
        }
        for (int i = 0; i < (int)pDockBar->m_arrBars.GetSize(); i++) {
            void* pVoid = pDockBar->m_arrBars[i];
            CControlBar* pBar = pDockBar->GetDockedControlBar(i);
            if (pBar != NULL)
                pInfo->m_arrBarID.Add((void*)(UINT_PTR)(UINT)::GetDlgCtrlID(pBar->m_hWnd));
            else if (pVoid != NULL)
                pInfo->m_arrBarID.Add((void*)((UINT_PTR)pVoid | kPlaceHolderBit));
            else
                pInfo->m_arrBarID.Add(NULL);
        }
    }
}

// A bar takes its MRU width and places and its visibility and place in its
// dock bar; a dock bar takes its entries, docking each bar found by id
// (ids of bars that no longer exist are left out) and keeping its
// place-holders, with one row end between rows.
void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    if (!IsDockBar()) {
        m_nMRUWidth = MRUWidthOrDefault(pInfo->m_nMRUWidth);
        if (pInfo->m_bDocking && m_pDockContext != NULL) {
            m_pDockContext->m_uMRUDockID = DockBarIDOrZero(pInfo->m_uMRUDockID);
            m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
            m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
            m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
        }
        UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
        if (pInfo->m_pointPos.x == -1 && pInfo->m_pointPos.y == -1)
            nFlags |= SWP_NOMOVE;
        nFlags |= pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        m_nStateFlags &= ~(delayShow | delayHide);
        SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, nFlags);
        return;
    }

    CDockBar* pDockBar = (CDockBar*)this;
    CPtrArray arrBars;
    arrBars.Add(NULL);
    for (int i = 0; i < (int)pInfo->m_arrBarID.GetSize(); i++) {
        UINT_PTR nID = (UINT_PTR)pInfo->m_arrBarID[i];
        if (nID == 0) {
            if (arrBars[arrBars.GetSize() - 1] != NULL)
                arrBars.Add(NULL);
            continue;
        }
        if (nID & kPlaceHolderBit) {
            if ((nID & 0xFFFF) != 0)
                arrBars.Add((void*)(nID & 0xFFFF));
            continue;
        }
        CControlBar* pBar = pFrameWnd->GetControlBar((UINT)nID);
        if (pBar == NULL || pBar->IsDockBar() || pBar->m_pDockContext == NULL)
            continue;   // a bar that no longer exists (or cannot dock)
        // taken from the dock bar it is in now
        if (pBar->m_pDockBar != NULL && pBar->m_pDockBar != pDockBar) {
            CDockBar* pOld = pBar->m_pDockBar;
            int nPos = pOld->FindBar(pBar);
            if (nPos > 0) {
                pOld->m_arrBars.RemoveAt(nPos);
                if (nPos < (int)pOld->m_arrBars.GetSize() && pOld->m_arrBars[nPos - 1] == NULL &&
                    pOld->m_arrBars[nPos] == NULL)
                    pOld->m_arrBars.RemoveAt(nPos);
            }
            // a floating frame emptied by this goes
            if (pOld->m_bFloating && pOld->GetDockedCount() == 0) {
                pBar->m_pDockBar = NULL;
                if (pBar->GetParent() == pOld)
                    pBar->SetParent(pDockBar);
                CFrameWnd* pOldFrame = pOld->GetParentFrame();
                if (pOldFrame != NULL && pOldFrame != pFrameWnd)
                    pOldFrame->DestroyWindow();
            }
        } else if (pBar->m_pDockBar == pDockBar) {
            int nPos = pDockBar->FindBar(pBar);
            if (nPos > 0)
                pDockBar->m_arrBars[nPos] = (void*)0;   // taken again below
        }
        // the bar's style as DockControlBar gives it
        DWORD dwStyle = pBar->GetBarStyle() & ~CBRS_ALIGN_ANY;
        dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
        if (pDockBar->m_bFloating)
            dwStyle |= CBRS_FLOATING;
        else
            dwStyle &= ~CBRS_FLOATING;
        pBar->SetBarStyle(dwStyle);
        if (pDockBar->m_bFloating) {
            pDockBar->m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
            pDockBar->m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
            if (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI)
                pDockBar->m_dwStyle |= CBRS_FLOAT_MULTI;
            if (!(pDockBar->m_dwStyle & CBRS_FLOAT_MULTI)) {
                CString strTitle;
                pBar->GetWindowText(strTitle);
                pDockBar->SetWindowText(strTitle);
            }
        }
        if (pBar->GetParent() != pDockBar)
            pBar->SetParent(pDockBar);
        pBar->m_pDockBar = pDockBar;
        arrBars.Add(pBar);
    }
    if (arrBars[arrBars.GetSize() - 1] != NULL)
        arrBars.Add(NULL);
    // bars docked here that the state does not name stay, each in a row of
    // its own at the end
    for (int i = 0; i < (int)pDockBar->m_arrBars.GetSize(); i++) {
        CControlBar* pBar = pDockBar->GetDockedControlBar(i);
        if (pBar == NULL || pBar->m_pDockBar != pDockBar)
            continue;
        BOOL bNamed = FALSE;
        for (int j = 0; j < (int)arrBars.GetSize() && !bNamed; j++)
            bNamed = arrBars[j] == pBar;
        if (!bNamed) {
            arrBars.Add(pBar);
            arrBars.Add(NULL);
        }
    }
    pDockBar->m_arrBars.RemoveAll();
    pDockBar->m_arrBars.Append(arrBars);
    if (!pDockBar->m_bFloating)
        SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// ---------------------------------------------------------------------------
// The frame's state
// ---------------------------------------------------------------------------

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->m_hWnd == NULL)
            continue;
        CControlBarInfo* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        state.m_arrBarInfo.Add(pInfo);
    }
}

// Each bar goes where the first entry naming it puts it: later entries (in
// the same list or another) pass it over, so that no bar stands in two
// lists and no floating frame made here is emptied by a later entry.
// Entries of dock bars that are not there do not count.
static void KeepFirstPlaces(std::vector<CControlBarInfo*>& infos)
{
    std::vector<UINT_PTR> placed;
    for (CControlBarInfo* pInfo : infos) {
        if (pInfo->m_pBar == NULL || !pInfo->m_pBar->IsDockBar())
            continue;
        CPtrArray& arrIDs = pInfo->m_arrBarID;
        for (int i = 0; i < (int)arrIDs.GetSize();) {
            UINT_PTR nID = (UINT_PTR)arrIDs[i];
            if (nID != 0 && !(nID & kPlaceHolderBit)) {
                if (std::find(placed.begin(), placed.end(), nID) != placed.end()) {
                    arrIDs.RemoveAt(i);
                    continue;
                }
                placed.push_back(nID);
            }
            i++;
        }
    }
}

// A floating entry gets a new floating frame at its place (horizontal or
// vertical as it was); other entries find their bar by id, and are left
// out when it no longer exists. Then each bar takes its state, and the
// floating frames holding visible bars are laid out and shown; every
// floating frame made is kept on a monitor's work area, one left empty
// goes. The state itself is not changed: it is applied from a copy.
void CFrameWnd::SetDockState(const CDockState& state)
{
    std::vector<CControlBarInfo*> infos;
    std::vector<HWND> floatingFrames;   // per entry: the frame made for it
    for (int i = 0; i < (int)state.m_arrBarInfo.GetSize(); i++) {
        const CControlBarInfo* pStored = (const CControlBarInfo*)state.m_arrBarInfo[i];
        CControlBarInfo* pInfo = new CControlBarInfo;
        infos.push_back(pInfo);
        floatingFrames.push_back(NULL);
        pInfo->m_nBarID = pStored->m_nBarID;
        pInfo->m_bVisible = pStored->m_bVisible;
        pInfo->m_bFloating = pStored->m_bFloating;
        pInfo->m_bHorz = pStored->m_bHorz;
        pInfo->m_bDockBar = pStored->m_bDockBar;
        pInfo->m_pointPos = pStored->m_pointPos;
        pInfo->m_nMRUWidth = pStored->m_nMRUWidth;
        pInfo->m_bDocking = pStored->m_bDocking;
        pInfo->m_uMRUDockID = pStored->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = pStored->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = pStored->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = pStored->m_ptMRUFloatPos;
        pInfo->m_arrBarID.Copy(pStored->m_arrBarID);
        if (pInfo->m_bFloating) {
            CMiniDockFrameWnd* pDockFrame = CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            CRect rect(pInfo->m_pointPos, CSize(10, 10));
            pDockFrame->CalcWindowRect(&rect);
            pDockFrame->SetWindowPos(NULL, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pInfo->m_pBar = &pDockFrame->m_wndDockBar;
            floatingFrames.back() = pDockFrame->m_hWnd;
        } else {
            // floating dock bars share one id: only a floating entry (a frame
            // of its own) stands for one
            pInfo->m_pBar = GetControlBar(pInfo->m_nBarID);
            if (pInfo->m_pBar != NULL && pInfo->m_pBar->IsDockBar() && pInfo->m_pBar->IsFloating())
                pInfo->m_pBar = NULL;
            if (pInfo->m_pBar == NULL)
                continue;   // the bar is gone (or its id changed)
        }
        pInfo->m_pBar->m_nMRUWidth = MRUWidthOrDefault(pInfo->m_nMRUWidth);
    }
    KeepFirstPlaces(infos);
    for (CControlBarInfo* pInfo : infos) {
        if (pInfo->m_pBar != NULL)
            pInfo->m_pBar->SetBarInfo(pInfo, this);
    }
    for (size_t i = 0; i < infos.size(); i++) {
        HWND hWndFrame = floatingFrames[i];
        CMiniDockFrameWnd* pDockFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, CWnd::FromHandlePermanent(hWndFrame));
        if (hWndFrame == NULL || !::IsWindow(hWndFrame) || pDockFrame == NULL)
            continue;
        CDockBar* pDockBar = &pDockFrame->m_wndDockBar;
        if (pDockBar->GetDockedCount() == 0) {
            pDockFrame->DestroyWindow();   // nothing of it exists any more
            continue;
        }
        pDockFrame->RecalcLayout();
        AfxKeepOnWorkArea(pDockFrame->m_hWnd);
        if (pDockBar->GetDockedVisibleCount() > 0)
            pDockFrame->ShowWindow(SW_SHOWNA);
    }
    for (CControlBarInfo* pInfo : infos)
        delete pInfo;
    DelayRecalcLayout();
}

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const
{
    CDockState state;
    GetDockState(state);
    state.SaveState(lpszProfileName);
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    CDockState state;
    state.LoadState(lpszProfileName);
    SetDockState(state);
}
