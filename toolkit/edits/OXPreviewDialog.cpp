#include "OXPreviewDialog.h"

#include <afxcmn.h>
#include <dlgs.h>

#include <string>

#include "toolkit_res.h"

IMPLEMENT_DYNAMIC(COXPreviewDialog, CFileDialog)

static const char PROFILE_SECTION[] = "COXPreviewDialog Settings";
static const char PROFILE_PREVIEW[] = "Preview";
static const char PROFILE_OFFSET[] = "Preview Window Offset";
static const int MIN_SIDE = 50;             // neither the list nor the pane gets narrower
static const COLORREF BUTTON_MASK = RGB(192, 192, 192);
static const int ID_FOLDER_COMBO = cmb2;    // 1137
static const int ID_FILE_TYPE = cmb1;       // 1136
static const int ID_FILE_NAME = edt1;       // 1152

// One window procedure serves every open dialog.
static CMap<HWND, HWND, COXPreviewDialog*, COXPreviewDialog*>& DialogMap()
{
    static CMap<HWND, HWND, COXPreviewDialog*, COXPreviewDialog*> map;
    return map;
}

// ---------------------------------------------------------------------------
// The pane
// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(COXPreviewWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void COXPreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    if (m_pPreviewDialog)
        m_pPreviewDialog->PaintPreview(&dc, &rect);
}

BOOL COXPreviewWnd::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;   // the painting covers it all
}

// ---------------------------------------------------------------------------
// The dialog
// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(COXPreviewDialog, CFileDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

COXPreviewDialog::COXPreviewDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                                   LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd),
      m_rectPreview(0, 0, 0, 0), m_rectSplitter(0, 0, 0, 0), m_rectDragLimits(0, 0, 0, 0), m_ptLastDrag(0, 0)
{
    if (IsOldStyle())
        AfxThrowNotSupportedException();
    m_previewWnd.m_pPreviewDialog = this;
}

COXPreviewDialog::~COXPreviewDialog()
{
    HWND hDialog = NULL;
    COXPreviewDialog* pDlg;
    POSITION pos = DialogMap().GetStartPosition();
    while (pos) {
        HWND h;
        DialogMap().GetNextAssoc(pos, h, pDlg);
        if (pDlg == this)
            hDialog = h;
    }
    if (hDialog) {
        if (m_pfnOldDialogProc && ::IsWindow(hDialog))
            ::SetWindowLongPtr(hDialog, GWLP_WNDPROC, (LONG_PTR)m_pfnOldDialogProc);
        DialogMap().RemoveKey(hDialog);
    }
}

CRect COXPreviewDialog::AdjustRectToFit(const CRect& rectSource, const CRect& rectTarget)
{
    int cx = rectSource.Width(), cy = rectSource.Height();
    int tx = rectTarget.Width(), ty = rectTarget.Height();
    if (cx > tx && cx > 0) {
        cy = (int)((long long)cy * tx / cx);
        cx = tx;
    }
    if (cy > ty && cy > 0) {
        cx = (int)((long long)cx * ty / cy);
        cy = ty;
    }
    CRect rect;
    rect.left = rectSource.left + (tx - cx) / 2;
    rect.top = rectSource.top + (ty - cy) / 2;
    rect.right = rect.left + cx;
    rect.bottom = rect.top + cy;
    return rect;
}

HWND COXPreviewDialog::FindFileList() const
{
    HWND hDialog = ::IsWindow(m_hWnd) ? DialogHwnd() : NULL;
    for (HWND h = hDialog ? ::GetWindow(hDialog, GW_CHILD) : NULL; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        char szClass[64] = "";
        ::GetClassNameA(h, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "SHELLDLL_DefView") == 0)
            return h;
    }
    return NULL;
}

HWND COXPreviewDialog::FindToolbar() const
{
    HWND hDialog = ::IsWindow(m_hWnd) ? DialogHwnd() : NULL;
    for (HWND h = hDialog ? ::GetWindow(hDialog, GW_CHILD) : NULL; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        char szClass[64] = "";
        ::GetClassNameA(h, szClass, sizeof(szClass));
        CRect rect;
        ::GetClientRect(h, &rect);
        if (lstrcmpiA(szClass, "ToolbarWindow32") == 0 && rect.Width() > rect.Height())
            return h;
    }
    return NULL;
}

CRect COXPreviewDialog::ChildRect(HWND hChild) const
{
    CRect rect(0, 0, 0, 0);
    if (hChild) {
        ::GetWindowRect(hChild, &rect);
        ::MapWindowPoints(NULL, DialogHwnd(), (LPPOINT)&rect, 2);
    }
    return rect;
}

void COXPreviewDialog::MoveChild(HWND hChild, const CRect& rect)
{
    if (hChild)
        ::SetWindowPos(hChild, NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void COXPreviewDialog::ForEachViewer(void (*pfn)(COXFileViewer*, void*), void* pData)
{
    for (int i = 0; i < m_arrViewers.GetSize(); ++i)
        pfn(m_arrViewers[i], pData);
}

BOOL COXPreviewDialog::InsertFileViewer(COXFileViewer* pViewer, int nIndex)
{
    if (nIndex < 0 || nIndex > m_arrViewers.GetSize())
        AfxThrowInvalidArgException();
    m_arrViewers.InsertAt(nIndex, pViewer);
    pViewer->m_pPreviewDialog = this;
    if (::IsWindow(m_previewWnd.m_hWnd) && m_previewWnd.IsWindowVisible())
        m_previewWnd.RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return TRUE;
}

BOOL COXPreviewDialog::RemoveFileViewer(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_arrViewers.GetSize())
        AfxThrowInvalidArgException();
    m_arrViewers.RemoveAt(nIndex);
    if (::IsWindow(m_previewWnd.m_hWnd) && m_previewWnd.IsWindowVisible())
        m_previewWnd.RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return TRUE;
}

COXFileViewer* COXPreviewDialog::GetFileViewer(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrViewers.GetSize())
        AfxThrowInvalidArgException();
    return m_arrViewers[nIndex];
}

BOOL COXPreviewDialog::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    return TRUE;
}

void COXPreviewDialog::OnInitDone()
{
    CFileDialog::OnInitDone();
    AddPreviewButton();
    SetFlatToolbar(m_bFlatToolbar);
    HWND hDialog = DialogHwnd();
    if (hDialog && m_pfnOldDialogProc == NULL) {
        m_pfnOldDialogProc = (WNDPROC)::SetWindowLongPtr(hDialog, GWLP_WNDPROC, (LONG_PTR)GlobalDialogProc);
        DialogMap().SetAt(hDialog, this);
    }
}

void COXPreviewDialog::SetFlatToolbar(BOOL bFlat)
{
    m_bFlatToolbar = bFlat;
    HWND hBar = FindToolbar();
    if (hBar == NULL)
        return;
    LONG_PTR style = ::GetWindowLongPtr(hBar, GWL_STYLE);
    style = bFlat ? (style | TBSTYLE_FLAT) : (style & ~(LONG_PTR)TBSTYLE_FLAT);
    ::SetWindowLongPtr(hBar, GWL_STYLE, style);
    ::InvalidateRect(hBar, NULL, TRUE);
}

void COXPreviewDialog::AddPreviewButton()
{
    HWND hBar = FindToolbar();
    if (hBar == NULL)
        return;
    ::SendMessage(hBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    BOOL bResizable = (::GetWindowLongPtr(DialogHwnd(), GWL_STYLE) & WS_THICKFRAME) != 0;
    if (bResizable) {
        ::SetWindowLongPtr(hBar, GWL_STYLE, ::GetWindowLongPtr(hBar, GWL_STYLE) | TBSTYLE_LIST);
        int nCount = (int)::SendMessage(hBar, TB_BUTTONCOUNT, 0, 0);
        for (int i = 0; i < nCount; ++i) {
            TBBUTTON button = {};
            ::SendMessage(hBar, TB_GETBUTTON, i, (LPARAM)&button);
            if (button.idCommand == 0)
                continue;
            TBBUTTONINFOA info = {};
            info.cbSize = sizeof(info);
            info.dwMask = TBIF_STYLE;
            ::SendMessage(hBar, TB_GETBUTTONINFOA, button.idCommand, (LPARAM)&info);
            info.fsStyle |= BTNS_AUTOSIZE;
            ::SendMessage(hBar, TB_SETBUTTONINFOA, button.idCommand, (LPARAM)&info);
        }
    }
    int nImage = -1;
    HBITMAP hBitmap = ::LoadBitmapA(AfxFindResourceHandle(MAKEINTRESOURCE(IDB_OX_PREVIEW_BUTTON), RT_BITMAP),
                                    MAKEINTRESOURCE(IDB_OX_PREVIEW_BUTTON));
    HIMAGELIST hImages = (HIMAGELIST)::SendMessage(hBar, TB_GETIMAGELIST, 0, 0);
    if (hBitmap && hImages) {
        nImage = ImageList_AddMasked(hImages, hBitmap, BUTTON_MASK);
        ::SendMessage(hBar, TB_SETIMAGELIST, 0, (LPARAM)hImages);
    } else if (hBitmap) {
        TBADDBITMAP tbab = {NULL, (UINT_PTR)hBitmap};
        nImage = (int)::SendMessage(hBar, TB_ADDBITMAP, 1, (LPARAM)&tbab);
    }
    if (hBitmap)
        ::DeleteObject(hBitmap);

    CString sText;
    sText.LoadString(IDS_OX_PREVIEW_BUTTON);
    // The string list wants two NULs at its end.
    std::string text((LPCSTR)sText);
    text.push_back('\0');
    TBBUTTON button = {};
    button.iBitmap = nImage;
    button.idCommand = OX_PREVIEW_BUTTON_ID;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_CHECK | (bResizable ? BTNS_AUTOSIZE : 0);
    button.iString = ::SendMessage(hBar, TB_ADDSTRINGA, 0, (LPARAM)text.c_str());
    ::SendMessage(hBar, TB_ADDBUTTONSA, 1, (LPARAM)&button);
    ::SendMessage(hBar, TB_AUTOSIZE, 0, 0);
    ::SendMessage(hBar, TB_SETBUTTONSIZE, 0, MAKELPARAM(24, 22));

    CRect rectBar = ChildRect(hBar);
    rectBar.right += 8;
    rectBar.left -= bResizable ? 72 : 6;
    MoveChild(hBar, rectBar);
    HWND hCombo = ::GetDlgItem(DialogHwnd(), ID_FOLDER_COMBO);
    if (hCombo) {
        CRect rectCombo = ChildRect(hCombo);
        rectCombo.right = rectBar.left - 2;
        MoveChild(hCombo, rectCombo);
    }
    // Its commands and notifications come here.
    ::SendMessage(hBar, TB_SETPARENT, (WPARAM)m_hWnd, 0);
}

void COXPreviewDialog::InitializePreview()
{
    HWND hList = FindFileList();
    if (hList == NULL)
        return;
    m_bInitialized = TRUE;
    CRect rectList = ChildRect(hList);
    m_nListWidth = rectList.Width();
    m_nListHeight = rectList.Height();
    CWinApp* pApp = AfxGetApp();
    BOOL bPreview = pApp ? pApp->GetProfileInt(PROFILE_SECTION, PROFILE_PREVIEW, m_bPreview) : m_bPreview;
    SetPreview(bPreview);
    ::PostMessage(DialogHwnd(), WM_OX_PREVIEW_LOADOFFSET, 0, 0);
}

void COXPreviewDialog::SetPreview(BOOL bOn)
{
    BOOL bChanged = !bOn != !m_bPreview;
    if (!::IsWindow(m_hWnd)) {
        m_bPreview = bOn;
        return;
    }
    HWND hList = FindFileList();
    HWND hBar = FindToolbar();
    BOOL bPane = ::IsWindow(m_previewWnd.m_hWnd);
    if (bOn && !bPane && hList) {
        CRect rectList = ChildRect(hList);
        int nListRight = rectList.right;
        HWND hCombo = ::GetDlgItem(DialogHwnd(), ID_FOLDER_COMBO);
        int nComboRight = hCombo ? ChildRect(hCombo).right : rectList.right - rectList.Width() / 3;
        int nBarLeft = hBar ? ChildRect(hBar).left : nComboRight + 2;
        // An offset kept from a larger dialog is cut so that both sides
        // keep their least width.
        if (nComboRight - m_nPreviewOffset < rectList.left + MIN_SIDE)
            m_nPreviewOffset = nComboRight - rectList.left - MIN_SIDE;
        if (nBarLeft - m_nPreviewOffset > nListRight - MIN_SIDE)
            m_nPreviewOffset = nBarLeft - nListRight + MIN_SIDE;
        rectList.right = nComboRight - m_nPreviewOffset;
        m_rectPreview.SetRect(nBarLeft - m_nPreviewOffset, rectList.top, nListRight, rectList.bottom);
        MoveChild(hList, rectList);
        if (hBar && !::SendMessage(hBar, TB_ISBUTTONCHECKED, OX_PREVIEW_BUTTON_ID, 0))
            ::SendMessage(hBar, TB_CHECKBUTTON, OX_PREVIEW_BUTTON_ID, TRUE);
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                                (HBRUSH)(COLOR_BTNFACE + 1), NULL);
        m_previewWnd.CreateEx(WS_EX_STATICEDGE, lpszClass, "", WS_CHILD | WS_VISIBLE, m_rectPreview,
                              CWnd::FromHandle(DialogHwnd()), OX_PREVIEW_PANE_ID);
        m_rectSplitter.SetRect(rectList.right, rectList.top, m_rectPreview.left, rectList.bottom);
        m_rectDragLimits.SetRect(rectList.left + MIN_SIDE, rectList.top, m_rectPreview.right - MIN_SIDE,
                                 rectList.bottom);
        for (int i = 0; i < m_arrViewers.GetSize(); ++i)
            m_arrViewers[i]->OnCreatePreviewWnd(&m_previewWnd);
    } else if (!bOn && bPane) {
        for (int i = 0; i < m_arrViewers.GetSize(); ++i)
            m_arrViewers[i]->OnDestroyPreviewWnd(&m_previewWnd);
        CRect rectPane = ChildRect(m_previewWnd.m_hWnd);
        m_previewWnd.DestroyWindow();
        if (hList) {
            CRect rectList = ChildRect(hList);
            rectList.right = rectPane.right;
            MoveChild(hList, rectList);
        }
        if (hBar && ::SendMessage(hBar, TB_ISBUTTONCHECKED, OX_PREVIEW_BUTTON_ID, 0))
            ::SendMessage(hBar, TB_CHECKBUTTON, OX_PREVIEW_BUTTON_ID, FALSE);
        m_rectPreview.SetRectEmpty();
        m_rectSplitter.SetRectEmpty();
    }
    m_bPreview = bOn;
    UpdatePreview();
    if (bChanged) {
        UpdatePreview();
        for (int i = 0; i < m_arrViewers.GetSize(); ++i)
            m_arrViewers[i]->OnPreview(bOn);
    }
}

int COXPreviewDialog::SetPreviewOffset(int nOffset)
{
    if (!::IsWindow(m_previewWnd.m_hWnd) || !m_previewWnd.IsWindowVisible() || nOffset == m_nPreviewOffset) {
        if (!::IsWindow(m_previewWnd.m_hWnd))
            m_nPreviewOffset = nOffset;
        return m_nPreviewOffset;
    }
    HWND hList = FindFileList();
    if (hList == NULL)
        return m_nPreviewOffset;
    CRect rectList = ChildRect(hList);
    CRect rectPane = ChildRect(m_previewWnd.m_hWnd);
    int nChange = nOffset - m_nPreviewOffset;
    int nNewRight = rectList.right - nChange;
    if (nNewRight < rectList.left + MIN_SIDE)
        nNewRight = rectList.left + MIN_SIDE;
    int nGap = rectPane.left - rectList.right;
    if (nNewRight + nGap > rectPane.right - MIN_SIDE)
        nNewRight = rectPane.right - MIN_SIDE - nGap;
    nChange = rectList.right - nNewRight;
    m_nPreviewOffset += nChange;
    if (nChange != 0) {
        rectList.right -= nChange;
        rectPane.left -= nChange;
        MoveChild(hList, rectList);
        MoveChild(m_previewWnd.m_hWnd, rectPane);
        m_rectPreview = rectPane;
        m_previewWnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        m_rectSplitter.OffsetRect(-nChange, 0);
        for (int i = 0; i < m_arrViewers.GetSize(); ++i)
            m_arrViewers[i]->OnChangeSize();
    }
    return m_nPreviewOffset;
}

void COXPreviewDialog::AdjustControls()
{
    HWND hList = FindFileList();
    if (hList == NULL || m_nListWidth < 0)
        return;
    CRect rectList = ChildRect(hList);
    int dx = rectList.Width() - m_nListWidth;
    int dy = rectList.Height() - m_nListHeight;
    m_nListWidth = rectList.Width();
    m_nListHeight = rectList.Height();
    HWND hDialog = DialogHwnd();
    if (LOBYTE(LOWORD(::GetVersion())) < 5) {
        for (int id : {IDOK, IDCANCEL}) {
            HWND h = ::GetDlgItem(hDialog, id);
            CRect r = ChildRect(h);
            r.OffsetRect(dx, 0);
            MoveChild(h, r);
        }
        for (int id : {ID_FILE_NAME, ID_FILE_TYPE}) {
            HWND h = ::GetDlgItem(hDialog, id);
            CRect r = ChildRect(h);
            r.right += dx;
            MoveChild(h, r);
        }
    }
    HWND hBar = FindToolbar();
    CRect rectClient;
    ::GetClientRect(hDialog, &rectClient);
    if (hBar) {
        CRect r = ChildRect(hBar);
        r.OffsetRect(rectClient.right - 2 - r.right, 0);
        MoveChild(hBar, r);
        HWND hCombo = ::GetDlgItem(hDialog, ID_FOLDER_COMBO);
        if (hCombo) {
            CRect rc = ChildRect(hCombo);
            rc.right = r.left - 2;
            MoveChild(hCombo, rc);
        }
    }
    if (m_bPreview && ::IsWindow(m_previewWnd.m_hWnd)) {
        CRect rectPane = ChildRect(m_previewWnd.m_hWnd);
        rectPane.OffsetRect(dx, 0);
        rectPane.bottom += dy;
        MoveChild(m_previewWnd.m_hWnd, rectPane);
        m_rectPreview = rectPane;
        m_rectSplitter.OffsetRect(dx, 0);
        m_rectSplitter.bottom += dy;
        m_rectDragLimits.right += dx;
        m_rectDragLimits.bottom += dy;
    }
}

void COXPreviewDialog::OnFolderChange()
{
    CFileDialog::OnFolderChange();
    HWND hList = FindFileList();
    if (m_bPreview && hList && ::IsWindow(m_previewWnd.m_hWnd)) {
        HWND hCombo = ::GetDlgItem(DialogHwnd(), ID_FOLDER_COMBO);
        if (hCombo) {
            CRect rectList = ChildRect(hList);
            rectList.right = ChildRect(hCombo).right - m_nPreviewOffset;
            MoveChild(hList, rectList);
            m_nListWidth = rectList.Width();
            m_nListHeight = rectList.Height();
        }
    }
    OnFileNameChange();
}

void COXPreviewDialog::OnFileNameChange()
{
    CString sPath = GetPathName();
    m_sCurrentFile = (!sPath.IsEmpty() && ::GetFileAttributesA(sPath) != INVALID_FILE_ATTRIBUTES) ? sPath : CString();
    UpdatePreview();
}

void COXPreviewDialog::NotifyFileChange(LPCTSTR lpszFile)
{
    BOOL bHandled = FALSE;
    for (int i = 0; i < m_arrViewers.GetSize(); ++i)
        if (m_arrViewers[i]->OnNewFileSelect(lpszFile, bHandled))
            bHandled = TRUE;
}

void COXPreviewDialog::UpdatePreview()
{
    if (m_sCurrentFile.CompareNoCase(m_sLastFile) == 0 && !m_bPreview == !m_bPreviewAtLastUpdate)
        return;
    NotifyFileChange(m_bPreview ? (LPCTSTR)m_sCurrentFile : "");
    if (m_bPreview && ::IsWindow(m_previewWnd.m_hWnd))
        m_previewWnd.Invalidate();
    m_sLastFile = m_sCurrentFile;
    m_bPreviewAtLastUpdate = m_bPreview;
}

BOOL COXPreviewDialog::PaintPreview(CDC* pDC, LPRECT lpRect)
{
    for (int i = 0; i < m_arrViewers.GetSize(); ++i)
        if (m_arrViewers[i]->OnPaintPreview(pDC, lpRect))
            return TRUE;
    DrawNoPreview(pDC, lpRect);
    return FALSE;
}

void COXPreviewDialog::DrawNoPreview(CDC* pDC, LPRECT lpRect)
{
    pDC->FillSolidRect(lpRect, ::GetSysColor(COLOR_BTNFACE));
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    CString sText;
    sText.LoadString(IDS_OX_PREVIEW_NONE);   // in the user's language where the toolkit has it
    pDC->DrawText(sText, lpRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    ::SelectObject(pDC->m_hDC, hOld);
}

void COXPreviewDialog::DoRealizePalette(CWnd* pFocusWnd)
{
    for (int i = 0; i < m_arrViewers.GetSize(); ++i)
        if (m_arrViewers[i]->OnDoRealizePalette(pFocusWnd))
            return;
}

BOOL COXPreviewDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == OX_PREVIEW_BUTTON_ID) {
        SetPreview(!m_bPreview);
        return TRUE;
    }
    // The tool bar reports here now; its other buttons are the dialog's.
    HWND hBar = FindToolbar();
    if (hBar && (HWND)lParam == hBar) {
        ::SendMessage(DialogHwnd(), WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CFileDialog::OnCommand(wParam, lParam);
}

BOOL COXPreviewDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hBar = FindToolbar();
    if (pNMHDR->code == TTN_NEEDTEXTA || pNMHDR->code == TTN_NEEDTEXTW) {
        UINT_PTR nID = pNMHDR->idFrom;
        if (((NMTTDISPINFOA*)pNMHDR)->uFlags & TTF_IDISHWND)
            nID = (UINT_PTR)::GetDlgCtrlID((HWND)nID);
        if (nID == OX_PREVIEW_BUTTON_ID) {
            CString sTip;
            sTip.LoadString(IDS_OX_PREVIEW_TIP);
            if (pNMHDR->code == TTN_NEEDTEXTA)
                lstrcpynA(((NMTTDISPINFOA*)pNMHDR)->szText, sTip, 80);
            else
                ::MultiByteToWideChar(CP_ACP, 0, sTip, -1, ((NMTTDISPINFOW*)pNMHDR)->szText, 80);
            *pResult = 0;
            ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
            return TRUE;
        }
        if (hBar && ::GetParent(pNMHDR->hwndFrom) != m_hWnd) {
            *pResult = ::SendMessage(DialogHwnd(), WM_NOTIFY, wParam, lParam);
            return TRUE;
        }
    }
    if (hBar && pNMHDR->hwndFrom == hBar) {
        *pResult = ::SendMessage(DialogHwnd(), WM_NOTIFY, wParam, lParam);
        return TRUE;
    }
    return CFileDialog::OnNotify(wParam, lParam, pResult);
}

void COXPreviewDialog::OnDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp) {
        pApp->WriteProfileInt(PROFILE_SECTION, PROFILE_PREVIEW, m_bPreview);
        pApp->WriteProfileInt(PROFILE_SECTION, PROFILE_OFFSET, m_nPreviewOffset);
    }
    CFileDialog::OnDestroy();
}

LRESULT CALLBACK COXPreviewDialog::GlobalDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    COXPreviewDialog* pDlg = NULL;
    if (!DialogMap().Lookup(hWnd, pDlg) || pDlg == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return pDlg->DialogWindowProc(hWnd, message, wParam, lParam);
}

LRESULT COXPreviewDialog::DialogWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnOld = m_pfnOldDialogProc;
    LRESULT lResult = ::CallWindowProcA(pfnOld, hWnd, message, wParam, lParam);
    if (!::IsWindow(m_hWnd) || message == WM_NCDESTROY) {
        // This object's window has gone: the dialog is no longer served.
        DialogMap().RemoveKey(hWnd);
        if (::IsWindow(hWnd))
            ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnOld);
        m_pfnOldDialogProc = NULL;
        m_bInitialized = FALSE;
        return lResult;
    }
    if (!m_bInitialized)
        InitializePreview();
    CPoint pt;
    switch (message) {
    case WM_SIZE:
        AdjustControls();
        for (int i = 0; i < m_arrViewers.GetSize(); ++i)
            m_arrViewers[i]->OnChangeSize();
        break;
    case WM_SETCURSOR:
        ::GetCursorPos(&pt);
        ::ScreenToClient(hWnd, &pt);
        if (m_bPreview && m_rectSplitter.PtInRect(pt)) {
            HCURSOR hCursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(OX_PREVIEW_SPLITTER_CURSOR));
            ::SetCursor(hCursor ? hCursor : ::LoadCursor(NULL, IDC_SIZEWE));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        pt = CPoint((short)LOWORD(lParam), (short)HIWORD(lParam));
        if (m_bPreview && m_rectSplitter.PtInRect(pt)) {
            ::SetCapture(hWnd);
            m_ptLastDrag = pt;
            m_bDragging = TRUE;
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (m_bDragging) {
            pt = CPoint((short)LOWORD(lParam), (short)HIWORD(lParam));
            int x = pt.x;
            if (!m_rectDragLimits.PtInRect(pt))
                x = x < m_rectDragLimits.left ? m_rectDragLimits.left : m_rectDragLimits.right;
            if (x != m_ptLastDrag.x)
                SetPreviewOffset(m_nPreviewOffset + m_ptLastDrag.x - x);
            m_ptLastDrag = CPoint(x, pt.y);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
        if (m_bDragging) {
            ::ReleaseCapture();
            m_bDragging = FALSE;
            return 0;
        }
        break;
    case WM_GETMINMAXINFO: {
        HWND hList = FindFileList();
        if (hList) {
            CRect rectDialog, rectList;
            ::GetWindowRect(hWnd, &rectDialog);
            ::GetWindowRect(hList, &rectList);
            MINMAXINFO* pInfo = (MINMAXINFO*)lParam;
            LONG nMin = rectDialog.Width() - rectList.Width() + MIN_SIDE;
            if (pInfo->ptMinTrackSize.x < nMin)
                pInfo->ptMinTrackSize.x = nMin;
        }
        break;
    }
    case WM_PALETTECHANGED:
        DoRealizePalette(CWnd::FromHandle((HWND)wParam));
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE)
            DoRealizePalette(this);
        break;
    case WM_OX_PREVIEW_LOADOFFSET: {
        CWinApp* pApp = AfxGetApp();
        int nOffset = pApp ? pApp->GetProfileInt(PROFILE_SECTION, PROFILE_OFFSET, m_nPreviewOffset) : m_nPreviewOffset;
        SetPreviewOffset(nOffset);
        break;
    }
    default:
        break;
    }
    // The dialog makes a new file list, as wide as ever, whenever it shows
    // another folder: keep it out of the pane.
    static BOOL s_bFitting = FALSE;
    if (!s_bFitting && m_bPreview && ::IsWindow(m_previewWnd.m_hWnd) && !m_rectSplitter.IsRectEmpty()) {
        HWND hList = FindFileList();
        CRect rectList = ChildRect(hList);
        if (hList && rectList.right > m_rectSplitter.left) {
            s_bFitting = TRUE;
            rectList.right = m_rectSplitter.left;
            MoveChild(hList, rectList);
            m_nListWidth = rectList.Width();
            m_nListHeight = rectList.Height();
            s_bFitting = FALSE;
        }
    }
    return lResult;
}
