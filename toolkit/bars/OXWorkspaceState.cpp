#include "OXWorkspaceState.h"

#include <afxpriv.h>
#include <algorithm>

#include "OXChildFrameState.h"
#include "OXOwnedObjects.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"
#include "OXSplitterColRowState.h"

IMPLEMENT_SERIAL(COXWorkspaceState, CObject, 1 | VERSIONABLE_SCHEMA)

// The registry key under the profile that holds the values.
static const char kWorkspaceKey[] = "WorkspaceState";
static const char kDefaultValueName[] = "Main";
// A dock-tab entry: its key and the four fields of its value.
static const UINT kDockTabEntryBytes = sizeof(DWORD) + sizeof(OXDOCKTABPOSITION);
static_assert(sizeof(OXDOCKTABPOSITION) == 16, "the record keeps four 32-bit fields");

COXWorkspaceState::COXWorkspaceState()
    : m_nScreenWidth(::GetSystemMetrics(SM_CXSCREEN)), m_nScreenHeight(::GetSystemMetrics(SM_CYSCREEN)),
      m_bIncludeMainWindow(TRUE), m_wndPlacement(), m_bIncludeBars(TRUE), m_pDockState(new CDockState),
      m_mapDockTabPositions(10), m_bIncludeChildFrames(TRUE), m_pChildFrameStates(new CObArray),
      m_bIncludeSplitterPanes(TRUE), m_pSplitterPaneStates(new CObArray), m_nSerializedVersion(-1)
{
    m_mapDockTabPositions.InitHashTable(17);
}

COXWorkspaceState::~COXWorkspaceState()
{
    OXDeleteObArray(m_pChildFrameStates);
    OXDeleteObArray(m_pSplitterPaneStates);
    delete m_pDockState;
    m_mapDockTabPositions.RemoveAll();
}

void COXWorkspaceState::EmptyArray(CObArray* pArray)
{
    for (INT_PTR i = 0; i < pArray->GetSize(); i++)
        delete pArray->GetAt(i);
    pArray->RemoveAll();
}

CString COXWorkspaceState::NameOrDefault(LPCTSTR lpszName, LPCTSTR lpszDefault)
{
    if (lpszName != NULL && *lpszName != '\0')
        return lpszName;
    return lpszDefault != NULL ? lpszDefault : "";
}

// ---------------------------------------------------------------------------
// The record
// ---------------------------------------------------------------------------

void COXWorkspaceState::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (DWORD)nMagic << (LONG)nVersion;
        StoreProperties(ar);
        return;
    }
    const UINT nSchema = ar.GetObjectSchema();
    if (nSchema != (UINT)-1 && nSchema > 1)
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    DWORD dwMagic;
    LONG nRecordVersion;
    ar >> dwMagic;
    if (dwMagic != nMagic)
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    ar >> nRecordVersion;
    if (nRecordVersion > nVersion)
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    LoadProperties(ar);
    m_nSerializedVersion = (int)nRecordVersion;
}

void COXWorkspaceState::StoreProperties(CArchive& ar)
{
    ar << (LONG)m_nScreenWidth << (LONG)m_nScreenHeight;
    ar << (LONG)m_bIncludeMainWindow;
    const WINDOWPLACEMENT& wp = m_wndPlacement;
    ar << (DWORD)wp.flags << (DWORD)wp.showCmd;
    ar << (LONG)wp.ptMinPosition.x << (LONG)wp.ptMinPosition.y;
    ar << (LONG)wp.ptMaxPosition.x << (LONG)wp.ptMaxPosition.y;
    ar << (LONG)wp.rcNormalPosition.left << (LONG)wp.rcNormalPosition.top << (LONG)wp.rcNormalPosition.right
       << (LONG)wp.rcNormalPosition.bottom;
    ar << (LONG)m_bIncludeBars;
    ar << (CObject*)m_pDockState;
    ar << (LONG)m_bIncludeChildFrames;
    ar << (LONG)m_bIncludeSplitterPanes;
    ar << (CObject*)m_pChildFrameStates;
    ar.WriteCount((DWORD_PTR)m_mapDockTabPositions.GetCount());
    for (POSITION pos = m_mapDockTabPositions.GetStartPosition(); pos != NULL;) {
        UINT nKey;
        OXDOCKTABPOSITION position;
        m_mapDockTabPositions.GetNextAssoc(pos, nKey, position);
        ar << (DWORD)nKey;
        ar.Write(&position, sizeof position);
    }
    ar << (LONG)m_bIncludeSplitterPanes;
    ar << (CObject*)m_pSplitterPaneStates;
}

// Everything is read into a fresh object first; only a record read to its
// end replaces what this one holds.
void COXWorkspaceState::LoadProperties(CArchive& ar)
{
    COXWorkspaceState loaded;
    LONG v[12];
    DWORD flags, showCmd;
    ar >> v[0] >> v[1];
    loaded.m_nScreenWidth = v[0];
    loaded.m_nScreenHeight = v[1];
    ar >> v[0];
    loaded.m_bIncludeMainWindow = v[0];
    ar >> flags >> showCmd;
    for (int i = 0; i < 8; i++)
        ar >> v[i];
    WINDOWPLACEMENT& wp = loaded.m_wndPlacement;
    wp.length = sizeof wp;
    wp.flags = flags;
    wp.showCmd = showCmd;
    wp.ptMinPosition = {v[0], v[1]};
    wp.ptMaxPosition = {v[2], v[3]};
    wp.rcNormalPosition = {v[4], v[5], v[6], v[7]};
    ar >> v[0];
    loaded.m_bIncludeBars = v[0];

    // A null reference reads as an empty object: the state always has one.
    if (CObject* pDockState = OXReadOwnedObject(ar, RUNTIME_CLASS(CDockState), TRUE)) {
        delete loaded.m_pDockState;
        loaded.m_pDockState = (CDockState*)pDockState;
    }
    ar >> v[0] >> v[1];
    loaded.m_bIncludeChildFrames = v[0];
    loaded.m_bIncludeSplitterPanes = v[1];
    if (CObArray* pChildren = OXReadOwnedObArray(ar, RUNTIME_CLASS(COXChildFrameState))) {
        OXDeleteObArray(loaded.m_pChildFrameStates);
        loaded.m_pChildFrameStates = pChildren;
    }

    const DWORD_PTR nEntries = ar.ReadCount();
    OXCheckCount(ar, nEntries, kDockTabEntryBytes);
    for (DWORD_PTR i = 0; i < nEntries; i++) {
        DWORD nKey;
        OXDOCKTABPOSITION position;
        ar >> nKey;
        if (ar.Read(&position, sizeof position) != sizeof position)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        loaded.m_mapDockTabPositions.SetAt((UINT)nKey, position);
    }

    // The switch is stored twice; the second copy is the one kept.
    ar >> v[0];
    loaded.m_bIncludeSplitterPanes = v[0];
    if (CObArray* pPanes = OXReadOwnedObArray(ar, RUNTIME_CLASS(COXSplitterColRowState))) {
        OXDeleteObArray(loaded.m_pSplitterPaneStates);
        loaded.m_pSplitterPaneStates = pPanes;
    }
    SwapLoadedState(loaded);
}

void COXWorkspaceState::SwapLoadedState(COXWorkspaceState& other)
{
    std::swap(m_nScreenWidth, other.m_nScreenWidth);
    std::swap(m_nScreenHeight, other.m_nScreenHeight);
    std::swap(m_bIncludeMainWindow, other.m_bIncludeMainWindow);
    std::swap(m_wndPlacement, other.m_wndPlacement);
    std::swap(m_bIncludeBars, other.m_bIncludeBars);
    std::swap(m_pDockState, other.m_pDockState);
    std::swap(m_bIncludeChildFrames, other.m_bIncludeChildFrames);
    std::swap(m_pChildFrameStates, other.m_pChildFrameStates);
    std::swap(m_bIncludeSplitterPanes, other.m_bIncludeSplitterPanes);
    std::swap(m_pSplitterPaneStates, other.m_pSplitterPaneStates);
    // The map's entries are copied in the order they were read, so a store
    // after the load lists them as the loader's own map would.
    std::vector<std::pair<UINT, OXDOCKTABPOSITION>> mine, theirs;
    for (int pass = 0; pass < 2; pass++) {
        COXDockTabPositionMap& map = pass == 0 ? m_mapDockTabPositions : other.m_mapDockTabPositions;
        auto& entries = pass == 0 ? mine : theirs;
        for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
            UINT nKey;
            OXDOCKTABPOSITION position;
            map.GetNextAssoc(pos, nKey, position);
            entries.push_back({nKey, position});
        }
        map.RemoveAll();
    }
    // GetNextAssoc gives a bucket's newest entry first: insert backwards.
    for (auto it = theirs.rbegin(); it != theirs.rend(); ++it)
        m_mapDockTabPositions.SetAt(it->first, it->second);
    for (auto it = mine.rbegin(); it != mine.rend(); ++it)
        other.m_mapDockTabPositions.SetAt(it->first, it->second);
}

// ---------------------------------------------------------------------------
// Capture
// ---------------------------------------------------------------------------

BOOL COXWorkspaceState::CaptureState()
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != NULL ? pThread->GetMainWnd() : NULL;
    CFrameWnd* pFrame = pMainWnd != NULL ? pMainWnd->GetTopLevelFrame() : NULL;
    BOOL bOk = TRUE;

    memset(&m_wndPlacement, 0, sizeof m_wndPlacement);
    if (m_bIncludeMainWindow && pMainWnd != NULL) {
        m_wndPlacement.length = sizeof m_wndPlacement;
        if (!pMainWnd->GetWindowPlacement(&m_wndPlacement))
            bOk = FALSE;
    }
    if (m_bIncludeBars && pFrame != NULL) {
        pFrame->GetDockState(*m_pDockState);
        if (!CaptureDockTabPositions(m_pDockState->m_arrBarInfo))
            bOk = FALSE;
    }
    EmptyArray(m_pSplitterPaneStates);
    if (m_bIncludeSplitterPanes && !CaptureSplitterPanes(pFrame))
        bOk = FALSE;
    EmptyArray(m_pChildFrameStates);
    if (m_bIncludeChildFrames && !CaptureChildFrames())
        bOk = FALSE;
    return bOk;
}

// The tab control of a size dock bar: where it holds pBar (-1 without a
// tab) and whether that tab is the selected one; FALSE while the dock bar
// has no tab control window.
static BOOL FindDockTab(COXSizeDockBar* pDockBar, COXSizeControlBar* pBar, int& nIndex, BOOL& bSelected)
{
    nIndex = -1;
    bSelected = FALSE;
    COXDockTabCtrl& tabs = pDockBar->m_wndTabContainer;
    if (!::IsWindow(tabs.m_hWnd))
        return FALSE;
    nIndex = tabs.FindBar(pBar);
    bSelected = nIndex >= 0 && nIndex == tabs.GetCurSel();
    return TRUE;
}

BOOL COXWorkspaceState::CaptureDockTabPositions(CPtrArray& arrBarInfo)
{
    m_mapDockTabPositions.RemoveAll();
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != NULL ? pThread->GetMainWnd() : NULL;
    CFrameWnd* pFrame = pMainWnd != NULL ? pMainWnd->GetTopLevelFrame() : NULL;
    if (pFrame == NULL)
        return TRUE;
    for (INT_PTR i = 0; i < arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = (CControlBarInfo*)arrBarInfo[i];
        CControlBar* pBar = pFrame->GetControlBar(pInfo->m_nBarID);
        pInfo->m_pBar = pBar;
        COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pBar);
        COXSizeDockBar* pDockBar = pSizeBar != NULL ? pSizeBar->GetSizeDockBar() : NULL;
        int nIndex;
        BOOL bSelected;
        if (pDockBar == NULL || !FindDockTab(pDockBar, pSizeBar, nIndex, bSelected))
            continue;
        OXDOCKTABPOSITION position = {pInfo->m_nBarID, (UINT)pDockBar->GetDlgCtrlID(), nIndex, bSelected};
        m_mapDockTabPositions.SetAt(pInfo->m_nBarID, position);
    }
    return TRUE;
}

BOOL COXWorkspaceState::CaptureChildFrames()
{
    CWinThread* pThread = AfxGetThread();
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pThread != NULL ? pThread->GetMainWnd() : NULL);
    if (pMDIFrame == NULL || pMDIFrame->m_hWndMDIClient == NULL)
        return TRUE;
    BOOL bOk = TRUE;
    // Only permanent MDI children without an owner count; anything else in
    // the client (a floating window on top) is passed over, not the end.
    for (HWND h = ::GetWindow(pMDIFrame->m_hWndMDIClient, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(h));
        if (pChild == NULL || ::GetWindow(h, GW_OWNER) != NULL)
            continue;
        COXChildFrameState* pState = new COXChildFrameState;
        pState->SetSaveSplitterState(m_bIncludeSplitterPanes);
        if (pState->Capture(pChild)) {
            m_pChildFrameStates->Add(pState);
        } else {
            delete pState;
            bOk = FALSE;
        }
    }
    return bOk;
}

BOOL COXWorkspaceState::CaptureSplitterPanes(CFrameWnd* pFrame)
{
    CSplitterWnd* pSplitter = COXSplitterColRowState::FindSplitter(pFrame);
    return pSplitter == NULL || COXSplitterColRowState::CaptureAll(pSplitter, *m_pSplitterPaneStates);
}

// ---------------------------------------------------------------------------
// Apply
// ---------------------------------------------------------------------------

BOOL COXWorkspaceState::ApplyState()
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != NULL ? pThread->GetMainWnd() : NULL;
    CFrameWnd* pFrame = pMainWnd != NULL ? pMainWnd->GetTopLevelFrame() : NULL;
    BOOL bOk = TRUE;

    // A placement with no normal rectangle was never captured.
    if (m_bIncludeMainWindow && pMainWnd != NULL && !::IsRectEmpty(&m_wndPlacement.rcNormalPosition)) {
        WINDOWPLACEMENT wp = m_wndPlacement;
        wp.length = sizeof wp;
        // A damaged record must never start the program with no window to
        // see: a hidden window is shown normally, as is a command past the
        // known ones.
        const UINT nShowCmd = wp.showCmd != SW_HIDE && wp.showCmd <= SW_MAX ? wp.showCmd : SW_SHOWNORMAL;
        wp.showCmd = nShowCmd;
        // A window not shown yet stays hidden; it is shown later in its
        // saved state through the application's show command.
        if (!pMainWnd->IsWindowVisible())
            wp.showCmd = SW_HIDE;
        if (!pMainWnd->SetWindowPlacement(&wp))
            bOk = FALSE;
        if (CWinApp* pApp = AfxGetApp())
            pApp->m_nCmdShow = nShowCmd == SW_SHOWMINIMIZED ? SW_SHOWNORMAL : (int)nShowCmd;
    }

    if (m_bIncludeBars && pFrame != NULL) {
        CPtrArray& arrBarInfo = m_pDockState->m_arrBarInfo;
        // Flat tool bars are docked without the style and get it back after.
        std::vector<CToolBar*> flatBars;
        for (INT_PTR i = 0; i < arrBarInfo.GetSize(); i++) {
            CControlBarInfo* pInfo = (CControlBarInfo*)arrBarInfo[i];
            CControlBar* pBar = pFrame->GetControlBar(pInfo->m_nBarID);
            pInfo->m_pBar = pBar;
            CToolBar* pToolBar = DYNAMIC_DOWNCAST(CToolBar, pBar);
            if (pToolBar != NULL && (pToolBar->GetStyle() & TBSTYLE_FLAT)) {
                flatBars.push_back(pToolBar);
                pToolBar->ModifyStyle(TBSTYLE_FLAT, 0);
            }
        }
        pFrame->SetDockState(*m_pDockState);
        if (!ApplyDockTabPositions(arrBarInfo))
            bOk = FALSE;
        // A size change makes each floating frame lay its bars out again:
        // one pixel taller, then back. A frame is named by two records (its
        // floating dock bar's and its bar's) but nudged once, and it ends at
        // the size it was given: a sizable frame takes its client size as
        // its bar's floating size, so a pixel left there would be a pixel
        // more at every restore.
        std::vector<HWND> floatingFrames;
        for (INT_PTR i = 0; i < arrBarInfo.GetSize(); i++) {
            CControlBar* pBar = pFrame->GetControlBar(((CControlBarInfo*)arrBarInfo[i])->m_nBarID);
            if (pBar == NULL || !pBar->IsFloating())
                continue;
            CFrameWnd* pMiniFrame = pBar->GetParentFrame();
            if (pMiniFrame == NULL || pMiniFrame == pFrame ||
                std::find(floatingFrames.begin(), floatingFrames.end(), pMiniFrame->m_hWnd) != floatingFrames.end())
                continue;
            floatingFrames.push_back(pMiniFrame->m_hWnd);
            CRect rect;
            pMiniFrame->GetWindowRect(&rect);
            pMiniFrame->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height() + 1, TRUE);
            pMiniFrame->MoveWindow(&rect, TRUE);
        }
        for (CToolBar* pToolBar : flatBars)
            pToolBar->ModifyStyle(0, TBSTYLE_FLAT);
    }

    if (m_bIncludeSplitterPanes && !ApplySplitterPanes(pFrame))
        bOk = FALSE;
    if (m_bIncludeChildFrames && !ApplyChildFrames())
        bOk = FALSE;
    return bOk;
}

// Each dock bar's stack is rebuilt from its entries in the order of their
// indexes, and the tab that was selected is selected again. A bar joining
// a stack draws every untabbed sizing bar of its dock bar in with it, so a
// bar already there is moved to its place rather than left where the first
// insert put it, and a tab whose bar the record puts in no stack of this
// dock bar goes. Bars the record does not name are left as they are.
BOOL COXWorkspaceState::ApplyDockTabPositions(CPtrArray& arrBarInfo)
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != NULL ? pThread->GetMainWnd() : NULL;
    CFrameWnd* pFrame = pMainWnd != NULL ? pMainWnd->GetTopLevelFrame() : NULL;
    if (pFrame == NULL)
        return TRUE;
    struct StackEntry
    {
        COXSizeControlBar* pBar;
        OXDOCKTABPOSITION position;
    };
    std::vector<StackEntry> tabbed;
    // Every sizing bar the record names, and whether it shows.
    std::vector<std::pair<COXSizeControlBar*, BOOL>> named;
    for (INT_PTR i = 0; i < arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = (CControlBarInfo*)arrBarInfo[i];
        CControlBar* pBar = pFrame->GetControlBar(pInfo->m_nBarID);
        pInfo->m_pBar = pBar;
        COXSizeControlBar* pSizeBar = DYNAMIC_DOWNCAST(COXSizeControlBar, pBar);
        if (pSizeBar == NULL)
            continue;
        named.push_back({pSizeBar, pInfo->m_bVisible});
        OXDOCKTABPOSITION position;
        if (m_mapDockTabPositions.Lookup(pInfo->m_nBarID, position) && position.nTabIndex != -1)
            tabbed.push_back({pSizeBar, position});
    }
    std::stable_sort(tabbed.begin(), tabbed.end(), [](const StackEntry& a, const StackEntry& b) {
        return a.position.nTabIndex < b.position.nTabIndex;
    });

    static const UINT kDockBarIDs[] = {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_TOP,
                                       AFX_IDW_DOCKBAR_BOTTOM};
    BOOL bOk = TRUE;
    for (UINT nDockBarID : kDockBarIDs) {
        COXSizeDockBar* pDockBar = DYNAMIC_DOWNCAST(COXSizeDockBar, pFrame->GetControlBar(nDockBarID));
        if (pDockBar == NULL || !::IsWindow(pDockBar->m_wndTabContainer.m_hWnd))
            continue;
        COXDockTabCtrl& tabs = pDockBar->m_wndTabContainer;
        // Only a bar the dock state docked here can take its tab here, and
        // one tab is no stack.
        std::vector<StackEntry> stack;
        for (const StackEntry& entry : tabbed)
            if (entry.position.nDockBarID == nDockBarID && entry.pBar->GetSizeDockBar() == pDockBar)
                stack.push_back(entry);
        if (stack.size() < 2)
            stack.clear();
        auto InStack = [&stack](CControlBar* pBar) {
            return std::any_of(stack.begin(), stack.end(), [pBar](const StackEntry& e) { return e.pBar == pBar; });
        };
        auto Named = [&named](CControlBar* pBar) {
            return std::any_of(named.begin(), named.end(), [pBar](const std::pair<COXSizeControlBar*, BOOL>& n) {
                return n.first == pBar;
            });
        };
        // Placing the k-th bar at k leaves the ones before it in place: it
        // comes from k or beyond.
        for (int k = 0; k < (int)stack.size(); k++)
            if (tabs.FindBar(stack[k].pBar) != k)
                tabs.InsertBar(stack[k].pBar, k, FALSE);
        BOOL bRemoved = FALSE;
        for (int i = tabs.GetItemCount() - 1; i >= 0; i--) {
            CControlBar* pBar = tabs.GetTabBar(i);
            if (pBar != NULL && !InStack(pBar) && Named(pBar)) {
                tabs.RemoveBar(pBar);
                bRemoved = TRUE;
            }
        }
        // Taking tabs away shows and hides bars of the stack as it shrinks:
        // the bars out of it show as the dock state has them.
        if (bRemoved) {
            for (const auto& n : named)
                if (n.first->GetSizeDockBar() == pDockBar && !InStack(n.first))
                    pFrame->ShowControlBar(n.first, n.second, TRUE);
        }
        if (stack.empty())
            continue;
        int nSelect = 0;
        for (int k = 0; k < (int)stack.size(); k++) {
            if (tabs.FindBar(stack[k].pBar) != k)
                bOk = FALSE;
            if (stack[k].position.bActive)
                nSelect = k;
        }
        tabs.SetCurSel(nSelect);
        tabs.UpdateTabs();
    }
    return bOk;
}

// The last record first: the child captured on top is made last and so
// ends on top, active.
BOOL COXWorkspaceState::ApplyChildFrames()
{
    // Each child is opened and then placed: the client is drawn once, at
    // the end, rather than at every step.
    CWinThread* pThread = AfxGetThread();
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pThread != NULL ? pThread->GetMainWnd() : NULL);
    HWND hClient = pMDIFrame != NULL ? pMDIFrame->m_hWndMDIClient : NULL;
    const BOOL bRedrawOff = hClient != NULL && ::IsWindowVisible(hClient) && m_pChildFrameStates->GetSize() > 1;
    if (bRedrawOff)
        ::SendMessage(hClient, WM_SETREDRAW, FALSE, 0);
    BOOL bOk = TRUE;
    try {
        for (INT_PTR i = m_pChildFrameStates->GetSize() - 1; i >= 0; i--) {
            COXChildFrameState* pState = DYNAMIC_DOWNCAST(COXChildFrameState, m_pChildFrameStates->GetAt(i));
            if (pState == NULL || !pState->Apply())
                bOk = FALSE;
        }
    } catch (...) {
        if (bRedrawOff)
            ::SendMessage(hClient, WM_SETREDRAW, TRUE, 0);
        throw;
    }
    if (bRedrawOff) {
        ::SendMessage(hClient, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(hClient, NULL, NULL, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    return bOk;
}

// A record for a row or column the splitter lacks is passed over (its index
// would reach past the splitter's arrays) and makes the result FALSE.
BOOL COXWorkspaceState::ApplySplitterPanes(CFrameWnd* pFrame)
{
    CSplitterWnd* pSplitter = COXSplitterColRowState::FindSplitter(pFrame);
    return pSplitter == NULL || COXSplitterColRowState::ApplyAll(pSplitter, *m_pSplitterPaneStates);
}

// ---------------------------------------------------------------------------
// Files, byte arrays and the registry
// ---------------------------------------------------------------------------

BOOL COXWorkspaceState::SaveDocuments(BOOL bSaveAllModified, BOOL bClearModified)
{
    // The documents the save left clean are the saved ones; one the user
    // chose not to save keeps its edits, so that it is asked about again
    // rather than lost unasked. Clearing thus leaves nothing more to do.
    (void)bClearModified;
    if (!bSaveAllModified)
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp == NULL || pApp->SaveAllModified();
}

void COXWorkspaceState::SerializeFile(LPCTSTR lpszFileName, BOOL bStoring)
{
    if (!bStoring) {
        CFile file;
        CFileException error;
        if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite, &error))
            throw new CFileException(error.m_cause, error.m_lOsError, lpszFileName);
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete, 4096);
        Serialize(ar);
        ar.Close();
        file.Close();
        return;
    }
    // Written beside the file first: a store that fails part way leaves the
    // last good one in place.
    const CString strTemp = CString(lpszFileName) + ".tmp";
    CFile file;
    CFileException error;
    if (!file.Open(strTemp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, strTemp);
    try {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete, 4096);
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (...) {
        file.Abort();
        ::DeleteFileA(strTemp);
        throw;
    }
    if (!::MoveFileExA(strTemp, lpszFileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const LONG lError = (LONG)::GetLastError();
        ::DeleteFileA(strTemp);
        AfxThrowFileException(CFileException::accessDenied, lError, lpszFileName);
    }
}

BOOL COXWorkspaceState::StoreToFile(LPCTSTR lpszFileName, BOOL bSaveAllModified, BOOL bCapture, BOOL bClearModified)
{
    if (!SaveDocuments(bSaveAllModified, bClearModified))
        return FALSE;
    BOOL bOk = bCapture ? CaptureState() : TRUE;
    try {
        SerializeFile(lpszFileName, TRUE);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return bOk;
}

BOOL COXWorkspaceState::LoadFromFile(LPCTSTR lpszFileName, BOOL bApply)
{
    try {
        SerializeFile(lpszFileName, FALSE);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return bApply ? ApplyState() : TRUE;
}

BOOL COXWorkspaceState::StoreToByteArray(CByteArray& bytes)
{
    try {
        CMemFile file(1024);
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete, 4096);
        Serialize(ar);
        ar.Close();
        const UINT nLength = (UINT)file.GetLength();
        bytes.SetSize(nLength);
        file.SeekToBegin();
        if (nLength > 0 && file.Read(bytes.GetData(), nLength) != nLength)
            AfxThrowFileException(CFileException::endOfFile);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL COXWorkspaceState::LoadFromByteArray(const CByteArray& bytes)
{
    try {
        CMemFile file(1024);
        if (bytes.GetSize() > 0)
            file.Write(bytes.GetData(), (UINT)bytes.GetSize());
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete, 4096);
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL COXWorkspaceState::AccessRegistryValue(BOOL bWrite, LPCTSTR lpszValueName, LPCTSTR lpszRegistryKey,
                                            LPCTSTR lpszProfileName, HKEY hKeyRoot, CByteArray& bytes)
{
    const REGSAM access = bWrite ? (KEY_READ | KEY_WRITE) : KEY_READ;
    if (!bWrite)
        bytes.RemoveAll();
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(hKeyRoot, "Software", 0, access, &hKey) != ERROR_SUCCESS)
        return FALSE;
    const LPCTSTR names[] = {lpszRegistryKey, lpszProfileName, kWorkspaceKey};
    for (LPCTSTR lpszName : names) {
        HKEY hSubKey = NULL;
        DWORD dwDisposition;
        const LONG lResult = ::RegCreateKeyExA(hKey, lpszName != NULL ? lpszName : "", 0, NULL,
                                               REG_OPTION_NON_VOLATILE, access, NULL, &hSubKey, &dwDisposition);
        ::RegCloseKey(hKey);
        if (lResult != ERROR_SUCCESS)
            return FALSE;
        hKey = hSubKey;
    }
    BOOL bOk = FALSE;
    if (bWrite) {
        bOk = ::RegSetValueExA(hKey, lpszValueName, 0, REG_BINARY, bytes.GetData(), (DWORD)bytes.GetSize()) ==
              ERROR_SUCCESS;
    } else {
        DWORD dwType = 0, dwSize = 0;
        if (::RegQueryValueExA(hKey, lpszValueName, NULL, &dwType, NULL, &dwSize) == ERROR_SUCCESS &&
            dwType == REG_BINARY && dwSize <= (DWORD)nMaxRegistryBytes) {
            bytes.SetSize(dwSize);
            DWORD dwRead = dwSize;
            bOk = ::RegQueryValueExA(hKey, lpszValueName, NULL, &dwType, bytes.GetData(), &dwRead) ==
                      ERROR_SUCCESS &&
                  dwRead == dwSize;
            if (!bOk)
                bytes.RemoveAll();
        }
    }
    ::RegCloseKey(hKey);
    return bOk;
}

BOOL COXWorkspaceState::StoreToRegistry(LPCTSTR lpszValueName, LPCTSTR lpszRegistryKey, LPCTSTR lpszProfileName,
                                        HKEY hKeyRoot, BOOL bSaveAllModified, BOOL bCapture, BOOL bClearModified)
{
    if (!SaveDocuments(bSaveAllModified, bClearModified))
        return FALSE;
    BOOL bOk = bCapture ? CaptureState() : TRUE;
    CWinApp* pApp = AfxGetApp();
    const CString strValue = NameOrDefault(lpszValueName, kDefaultValueName);
    const CString strKey = NameOrDefault(lpszRegistryKey, pApp != NULL ? pApp->m_pszRegistryKey : NULL);
    if (strKey.IsEmpty())
        return FALSE;
    const CString strProfile = NameOrDefault(lpszProfileName, pApp != NULL ? pApp->m_pszProfileName : NULL);
    CByteArray bytes;
    if (!StoreToByteArray(bytes) || !AccessRegistryValue(TRUE, strValue, strKey, strProfile, hKeyRoot, bytes))
        return FALSE;
    return bOk;
}

BOOL COXWorkspaceState::LoadFromRegistry(LPCTSTR lpszValueName, LPCTSTR lpszRegistryKey, LPCTSTR lpszProfileName,
                                         HKEY hKeyRoot, BOOL bApply)
{
    CWinApp* pApp = AfxGetApp();
    const CString strValue = NameOrDefault(lpszValueName, kDefaultValueName);
    const CString strKey = NameOrDefault(lpszRegistryKey, pApp != NULL ? pApp->m_pszRegistryKey : NULL);
    if (strKey.IsEmpty())
        return FALSE;
    const CString strProfile = NameOrDefault(lpszProfileName, pApp != NULL ? pApp->m_pszProfileName : NULL);
    CByteArray bytes;
    if (!AccessRegistryValue(FALSE, strValue, strKey, strProfile, hKeyRoot, bytes) || !LoadFromByteArray(bytes))
        return FALSE;
    return bApply ? ApplyState() : TRUE;
}
