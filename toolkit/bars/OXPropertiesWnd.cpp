#include "OXPropertiesWnd.h"

#include <algorithm>

#include "OXEdit.h"
#include "OXSkinElements.h"
#include "OXSkins.h"
#include "OXSkinnedApp.h"

// ---------------------------------------------------------------------------
// COXPropertyTree
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(COXPropertyTree, COXTreeCtrl)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// The editor is a child of the list, so its keys pass here on their way:
// both end the edit and still go on to the editor and the list.
BOOL COXPropertyTree::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && m_pPropertiesWnd != NULL) {
        if (pMsg->wParam == VK_RETURN)
            m_pPropertiesWnd->FinishEditProperty(TRUE);
        else if (pMsg->wParam == VK_ESCAPE)
            m_pPropertiesWnd->FinishEditProperty(FALSE);
    }
    return COXTreeCtrl::PreTranslateMessage(pMsg);
}

// Any scrolling slides the rows under the editor, which stays where it is:
// typing would then land in another property's value. The edit ends first.
LRESULT COXPropertyTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case LVM_SCROLL:
        if (m_pPropertiesWnd != NULL)
            m_pPropertiesWnd->FinishEditProperty(TRUE);
        break;
    default:
        break;
    }
    return COXTreeCtrl::WindowProc(message, wParam, lParam);
}

void COXPropertyTree::OnLButtonDown(UINT nFlags, CPoint point)
{
    COXTreeCtrl::OnLButtonDown(nFlags, point);
    if (m_hWnd != NULL && HitTest(point) < 0 && m_pPropertiesWnd != NULL)
        m_pPropertiesWnd->FinishEditProperty(TRUE);
}

// ---------------------------------------------------------------------------
// COXPropertyDescriptionPane
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(COXPropertyDescriptionPane, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

COXPropertyDescriptionPane::COXPropertyDescriptionPane()
{
    // A bold face is asked for by weight: a face name with a style in it
    // names no installed font and falls back to the system's.
    LOGFONT lf = {};
    lf.lfHeight = 85;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyn(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    m_fontTitle.CreatePointFontIndirect(&lf);
    m_fontText.CreatePointFont(85, "Tahoma");
}

BOOL COXPropertyDescriptionPane::Create(CWnd* pParentWnd, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW));
    return CWnd::Create(lpszClass, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void COXPropertyDescriptionPane::SetDescription(LPCTSTR lpszTitle, LPCTSTR lpszDescription)
{
    m_sTitle = lpszTitle != NULL ? lpszTitle : "";
    m_sDescription = lpszDescription != NULL ? lpszDescription : "";
    if (m_hWnd != NULL)
        Invalidate();
}

void COXPropertyDescriptionPane::OnPaint()
{
    CPaintDC dc(this);
    COXPropertiesWnd* pParent = DYNAMIC_DOWNCAST(COXPropertiesWnd, GetParent());
    COXFrameSkinClassic classic;
    COXFrameSkin* pSkin = pParent != NULL ? pParent->GetFrameSkin() : &classic;
    const COLORREF clrBack = pSkin->GetBackgroundColor();
    CRect rect;
    GetClientRect(&rect);
    dc.FillSolidRect(&rect, clrBack);

    CRect rectBox(rect.left, rect.top + 4, rect.right, rect.bottom);
    CPen pen(PS_SOLID, 1, pSkin->GetBorderColor());
    CBrush brush(clrBack);
    CPen* pOldPen = dc.SelectObject(&pen);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    dc.Rectangle(&rectBox);
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldPen);

    CRect rectText = rectBox;
    rectText.DeflateRect(5, 3);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    CFont* pOldFont = dc.SelectObject(&m_fontTitle);
    dc.DrawText(m_sTitle, &rectText, DT_SINGLELINE | DT_NOPREFIX);
    rectText.top += 25;
    dc.SelectObject(&m_fontText);
    dc.DrawText(m_sDescription, &rectText, DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(pOldFont);
}

// ---------------------------------------------------------------------------
// COXPropertiesWnd
// ---------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(COXPropertiesWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(COXPropertiesWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_COMMAND(ID_OX_PROPERTIES_CATEGORIZED, OnCategorized)
    ON_UPDATE_COMMAND_UI(ID_OX_PROPERTIES_CATEGORIZED, OnUpdateCategorized)
    ON_COMMAND(ID_OX_PROPERTIES_ALPHABETICAL, OnAlphabetical)
    ON_UPDATE_COMMAND_UI(ID_OX_PROPERTIES_ALPHABETICAL, OnUpdateAlphabetical)
    ON_NOTIFY(LVN_ITEMCHANGED, COXPropertiesWnd::IDC_TREE, OnTreeItemChanged)
    ON_MESSAGE(WM_PROPERTIES_EDIT, OnPropertiesEdit)
    ON_MESSAGE(WM_TREE_FITCOLUMNS, OnTreeFitColumns)
    ON_MESSAGE(WM_PROPERTIES_REDRAW, OnPropertiesRedraw)
END_MESSAGE_MAP()

COXPropertiesWnd::COXPropertiesWnd()
    : m_pEditor(NULL),
      m_hEditItem(NULL),
      m_mapCategories(10),
      m_mapDescriptions(10),
      m_mapEditors(10),
      m_bCategorized(TRUE),
      m_tree(this),
      m_pClassicSkin(NULL),
      m_bRedrawDeferred(FALSE)
{
    m_mapCategories.InitHashTable(17);
    m_mapDescriptions.InitHashTable(17);
    m_mapEditors.InitHashTable(17);
}

COXPropertiesWnd::~COXPropertiesWnd()
{
    delete m_pClassicSkin;
}

// ---- properties and categories ----

void COXPropertiesWnd::SetCategoryLook(HTREEITEM hItem)
{
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_tree.SetSubItem(hItem, 1, 0, NULL);
    m_tree.SetItemBackColor(hItem, clrFace, 0);
    m_tree.SetItemBackColor(hItem, clrFace, 1);
    m_tree.SetItemNoEdit(hItem, 0);
    m_tree.SetItemNoEdit(hItem, 1);
}

HTREEITEM COXPropertiesWnd::AddCategory(LPCTSTR lpszName)
{
    HTREEITEM hItem = m_tree.InsertItem(lpszName, TVI_ROOT, TVI_LAST);
    if (hItem == NULL)
        return NULL;
    SetCategoryLook(hItem);
    m_tree.Expand(hItem, TVE_EXPAND);
    return hItem;
}

HTREEITEM COXPropertiesWnd::FindCategory(LPCTSTR lpszName) const
{
    for (HTREEITEM h = m_tree.GetChildItem(TVI_ROOT); h != NULL; h = m_tree.GetNextSiblingItem(h))
        if (m_tree.GetItemText(h, 0).Compare(lpszName) == 0)
            return h;
    return NULL;
}

HTREEITEM COXPropertiesWnd::FindProperty(LPCTSTR lpszName, LPCTSTR lpszCategory) const
{
    HTREEITEM hParent = lpszCategory != NULL ? FindCategory(lpszCategory) : NULL;
    if (hParent == NULL)
        hParent = TVI_ROOT;
    for (HTREEITEM h = m_tree.GetChildItem(hParent); h != NULL; h = m_tree.GetNextSiblingItem(h))
        if (m_tree.GetItemText(h, 0).Compare(lpszName) == 0)
            return h;
    return NULL;
}

HTREEITEM COXPropertiesWnd::AddProperty(LPCTSTR lpszName, LPCTSTR lpszValue, LPCTSTR lpszDescription,
                                        LPCTSTR lpszCategory, CEdit* pEditor)
{
    const BOOL bCategory = lpszCategory != NULL && *lpszCategory != '\0';
    HTREEITEM hParent = TVI_ROOT;
    if (bCategory) {
        hParent = FindCategory(lpszCategory);
        if (hParent == NULL)
            hParent = AddCategory(lpszCategory);
        if (hParent == NULL)
            return NULL;
    }
    DeferRedraw();
    HTREEITEM hItem = m_tree.InsertItem(lpszName, hParent, TVI_LAST);
    if (hItem == NULL)
        return NULL;
    m_tree.SetSubItem(hItem, 1, 0, NULL);
    m_tree.SetItemNoEdit(hItem, 0);
    m_tree.SetItemNoEdit(hItem, 1);
    m_tree.SortChildren(hParent, 0, TRUE);

    m_mapCategories.SetAt(hItem, bCategory ? lpszCategory : "");
    m_mapDescriptions.SetAt(hItem, lpszDescription != NULL ? lpszDescription : "");
    if (pEditor != NULL)
        m_mapEditors.SetAt(hItem, pEditor);
    if (lpszValue != NULL)
        SetPropertyValue(hItem, lpszValue);
    return hItem;
}

// Properties come in bursts (a whole object's at once), and the list draws
// itself again each time its drawing is switched back on: the list stays
// locked until the burst is over, when the window's queue is next read.
void COXPropertiesWnd::DeferRedraw()
{
    if (m_bRedrawDeferred || m_hWnd == NULL || m_tree.m_hWnd == NULL)
        return;
    if (!PostMessage(WM_PROPERTIES_REDRAW))
        return;
    m_bRedrawDeferred = TRUE;
    m_tree.SetRedraw(FALSE);
}

void COXPropertiesWnd::EndDeferredRedraw()
{
    if (!m_bRedrawDeferred)
        return;
    m_bRedrawDeferred = FALSE;
    m_tree.SetRedraw(TRUE);
}

LRESULT COXPropertiesWnd::OnPropertiesRedraw(WPARAM, LPARAM)
{
    EndDeferredRedraw();
    return 0;
}

BOOL COXPropertiesWnd::IsProperty(HTREEITEM hItem) const
{
    CString sCategory;
    return hItem != NULL && m_mapCategories.Lookup(hItem, sCategory);
}

// A category's handle, or one the window never gave, is refused: deleting a
// category would take its properties along and leave their entries behind.
BOOL COXPropertiesWnd::DeleteProperty(HTREEITEM hItem)
{
    FinishEditProperty(TRUE);
    if (!IsProperty(hItem))
        return FALSE;
    if (!OnDeleteProperty(hItem))
        return FALSE;
    HTREEITEM hParent = m_tree.GetParentItem(hItem);
    m_mapCategories.RemoveKey(hItem);
    m_mapDescriptions.RemoveKey(hItem);
    m_mapEditors.RemoveKey(hItem);
    const BOOL bResult = m_tree.DeleteItem(hItem);
    if (hParent != NULL && hParent != TVI_ROOT && hParent != m_tree.GetRootItem() && !m_tree.ItemHasChildren(hParent))
        m_tree.DeleteItem(hParent);
    return bResult;
}

BOOL COXPropertiesWnd::DeleteAllProperties()
{
    CArray<HTREEITEM, HTREEITEM> arrItems;
    for (POSITION pos = m_mapCategories.GetStartPosition(); pos != NULL;) {
        HTREEITEM hItem;
        CString sCategory;
        m_mapCategories.GetNextAssoc(pos, hItem, sCategory);
        arrItems.Add(hItem);
    }
    BOOL bAll = TRUE;
    for (int i = 0; i < arrItems.GetSize(); i++)
        if (!DeleteProperty(arrItems[i]))
            bAll = FALSE;
    return bAll;
}

CString COXPropertiesWnd::GetPropertyValue(HTREEITEM hItem) const
{
    return m_tree.GetItemText(hItem, 1);
}

void COXPropertiesWnd::SetPropertyValue(HTREEITEM hItem, LPCTSTR lpszValue)
{
    m_tree.SetItemText(hItem, lpszValue, 1);
}

HTREEITEM COXPropertiesWnd::GetSelectedProperty() const
{
    HTREEITEM hItem = m_tree.GetNextItem((HTREEITEM)NULL, 0x30);
    return IsProperty(hItem) ? hItem : NULL;
}

// ---- views ----

void COXPropertiesWnd::SetCategorized(BOOL bCategorized)
{
    if (bCategorized)
        ShowCategorized();
    else
        ShowAlphabetical();
}

void COXPropertiesWnd::ShowCategorized()
{
    if (m_bCategorized)
        return;
    FinishEditProperty(TRUE);
    m_bCategorized = TRUE;
    m_tree.ModifyStyle(0, TVS_LINESATROOT);
    m_tree.SetRedraw(FALSE);
    CMap<HTREEITEM, HTREEITEM, BOOL, BOOL> mapSorted;
    for (POSITION pos = m_mapCategories.GetStartPosition(); pos != NULL;) {
        HTREEITEM hItem;
        CString sCategory;
        m_mapCategories.GetNextAssoc(pos, hItem, sCategory);
        if (sCategory.IsEmpty())
            continue;
        HTREEITEM hCategory = FindCategory(sCategory);
        if (hCategory == NULL)
            hCategory = AddCategory(sCategory);
        if (hCategory == NULL)
            continue;
        m_tree.MoveItem(hItem, hCategory, TVI_LAST);
        mapSorted.SetAt(hCategory, TRUE);
    }
    // Each category sorted once, when all its properties are in: a stable
    // sort of the final children orders them as sorting after each move would.
    for (POSITION pos = mapSorted.GetStartPosition(); pos != NULL;) {
        HTREEITEM hCategory;
        BOOL bMoved;
        mapSorted.GetNextAssoc(pos, hCategory, bMoved);
        m_tree.SortChildren(hCategory, 0, TRUE);
    }
    m_tree.SortChildren(TVI_ROOT, 0, TRUE);
    m_tree.SetRedraw(TRUE);
}

void COXPropertiesWnd::ShowAlphabetical()
{
    if (!m_bCategorized)
        return;
    FinishEditProperty(TRUE);
    m_bCategorized = FALSE;
    m_tree.ModifyStyle(TVS_LINESATROOT, 0);
    m_tree.SetRedraw(FALSE);
    for (HTREEITEM h = m_tree.GetChildItem(TVI_ROOT); h != NULL;) {
        HTREEITEM hNext = m_tree.GetNextSiblingItem(h);
        if (!IsProperty(h)) {
            for (HTREEITEM hChild = m_tree.GetChildItem(h); hChild != NULL; hChild = m_tree.GetChildItem(h))
                if (!m_tree.MoveItem(hChild, TVI_ROOT, TVI_LAST))
                    break;
            m_tree.DeleteItem(h);
        }
        h = hNext;
    }
    m_tree.SortChildren(TVI_ROOT, 0, TRUE);
    m_tree.SetRedraw(TRUE);
}

void COXPropertiesWnd::OnCategorized()
{
    ShowCategorized();
}

void COXPropertiesWnd::OnUpdateCategorized(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bCategorized ? 1 : 0);
}

void COXPropertiesWnd::OnAlphabetical()
{
    ShowAlphabetical();
}

void COXPropertiesWnd::OnUpdateAlphabetical(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bCategorized ? 0 : 1);
}

// ---- editing ----

CRect COXPropertiesWnd::GetValueCellRect(HTREEITEM hItem)
{
    CRect rect(0, 0, 0, 0);
    const int nRow = hItem != NULL ? m_tree.RowOf(hItem) : -1;
    if (m_tree.m_hWnd == NULL || nRow < 0 || !m_tree.GetSubItemRect(nRow, 1, LVIR_LABEL, rect))
        return CRect(0, 0, 0, 0);
    rect.right--;
    rect.bottom--;
    return rect;
}

void COXPropertiesWnd::StartEditProperty(HTREEITEM hItem)
{
    CEdit* pEditor = NULL;
    if (hItem == NULL || !m_mapEditors.Lookup(hItem, pEditor) || pEditor == NULL || m_tree.m_hWnd == NULL)
        return;
    EndDeferredRedraw();
    const CRect rect = GetValueCellRect(hItem);
    if (pEditor->m_hWnd != NULL) {
        pEditor->MoveWindow(&rect);
    } else if (!pEditor->Create(WS_CHILD, rect, &m_tree, IDC_EDITOR)) {
        return;
    }
    m_pEditor = pEditor;
    pEditor->SetOwner(&m_tree);
    pEditor->SendMessage(WM_SETFONT, (WPARAM)m_tree.SendMessage(WM_GETFONT), FALSE);
    PlaceEditor(pEditor, hItem);
    pEditor->ShowWindow(SW_SHOW);

    // A masked editor takes the value as its window text: the text shows
    // the mask's literals, which a value keeps.
    const CString sValue = GetPropertyValue(hItem);
    COXEdit* pEdit = dynamic_cast<COXEdit*>(pEditor);
    if (pEdit != NULL) {
        pEdit->EmptyData();
        pEdit->InsertText(sValue, 0);
    } else {
        pEditor->SetWindowText(sValue);
    }
    m_hEditItem = hItem;
}

void COXPropertiesWnd::FinishEditProperty(BOOL bCommit)
{
    if (m_hEditItem == NULL)
        return;
    // Forgotten first: storing the value and clearing the selection call
    // back into the window, which must find no edit in progress.
    HTREEITEM hItem = m_hEditItem;
    CWnd* pEditor = m_pEditor;
    m_hEditItem = NULL;
    m_pEditor = NULL;
    if (bCommit && pEditor != NULL && pEditor->m_hWnd != NULL) {
        CString sNew;
        pEditor->GetWindowText(sNew);
        const CString sOld = GetPropertyValue(hItem);
        if (OnPropertyChanged(hItem, sOld, sNew))
            SetPropertyValue(hItem, sNew);
    }
    if (pEditor != NULL && pEditor->m_hWnd != NULL)
        pEditor->ShowWindow(SW_HIDE);
    if (m_tree.m_hWnd != NULL)
        m_tree.SelectItem(NULL);
}

BOOL COXPropertiesWnd::OnPropertyChanged(HTREEITEM, LPCTSTR, LPCTSTR)
{
    return TRUE;
}

BOOL COXPropertiesWnd::OnDeleteProperty(HTREEITEM)
{
    return TRUE;
}

void COXPropertiesWnd::MoveEditor()
{
    if (m_pEditor == NULL || m_pEditor->m_hWnd == NULL)
        return;
    HTREEITEM hItem = GetSelectedProperty();
    if (hItem == NULL)
        hItem = m_hEditItem;
    PlaceEditor(m_pEditor, hItem);
}

// The editor covers the value cell from its left edge, and its text stands
// where the list draws the values: its left margin reaches the list's text
// inset and its top is that of the list's centred line. An edit puts its
// text at its own top left, a pixel or two above and left of the others.
void COXPropertiesWnd::PlaceEditor(CWnd* pEditor, HTREEITEM hItem)
{
    CRect rect = GetValueCellRect(hItem);
    if (!rect.IsRectEmpty()) {
        const CPoint ptText = m_tree.GetSubItemTextOrigin(hItem, 1);
        pEditor->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                             MAKELONG(std::max(0, (int)(ptText.x - rect.left)), 0));
        rect.top = std::min(std::max(rect.top, ptText.y), rect.bottom);
    }
    pEditor->MoveWindow(&rect);
}

// The tree reports a change of an item's state: only a change of selection
// starts or ends an edit; focus and other state changes come and go with it.
void COXPropertiesWnd::OnTreeItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pNM = (const NMLISTVIEW*)pNMHDR;
    if (!(pNM->uChanged & LVIF_STATE) || !((pNM->uNewState ^ pNM->uOldState) & LVIS_SELECTED))
        return;
    HTREEITEM hItem = GetSelectedProperty();
    CString sTitle, sDescription;
    if (hItem != NULL) {
        sTitle = m_tree.GetItemText(hItem, 0);
        m_mapDescriptions.Lookup(hItem, sDescription);
        SendMessage(WM_PROPERTIES_EDIT, 0, (LPARAM)hItem);
    }
    m_descriptionPane.SetDescription(sTitle, sDescription);
}

LRESULT COXPropertiesWnd::OnPropertiesEdit(WPARAM, LPARAM lParam)
{
    if (m_pEditor != NULL)
        FinishEditProperty(TRUE);
    else
        StartEditProperty((HTREEITEM)lParam);
    return 0;
}

LRESULT COXPropertiesWnd::OnTreeFitColumns(WPARAM, LPARAM)
{
    MoveEditor();
    return 0;
}

// The tree asks for its flat property-list layout with a registered message.
LRESULT COXPropertiesWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TREE_QUERYFLAT)
        return 1;
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

// ---- creation, layout, painting ----

int COXPropertiesWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The frame's sunken edge goes at once, not at the next frame change.
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    if (!m_comboBox.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 0, 300), this, IDC_COMBOBOX))
        return -1;
    if (!m_toolBar.Create(this,
                          WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_FLYBY | CBRS_TOOLTIPS |
                              CBRS_SIZE_DYNAMIC,
                          IDR_OX_PROPERTIES) ||
        !m_toolBar.LoadToolBar(IDR_OX_PROPERTIES))
        return -1;
    m_toolBar.SetOwner(this);
    if (!m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                       CRect(0, 0, 0, 0), this, IDC_TREE,
                       TVXS_COLUMNHDR | TVXS_FULLROWSEL | TVXS_HGRID | TVXS_VGRID | TVXS_HGRIDEXT | TVXS_NOSORTHEADER |
                           TVXS_AUTOFITCOLUMNS | TVXS_NOFOCUSRECT))
        return -1;
    m_descriptionPane.Create(this, IDC_DESCRIPTION);
    m_tree.SetHGridColor(::GetSysColor(COLOR_BTNFACE));
    m_tree.SetVGridColor(::GetSysColor(COLOR_BTNFACE));

    LVCOLUMN lvc = {};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    lvc.fmt = LVCFMT_LEFT;
    lvc.cx = 100;
    lvc.pszText = (LPTSTR) "Property";
    m_tree.SetColumn(0, &lvc);
    m_tree.InsertColumn(1, "Value", LVCFMT_LEFT, 100);
    m_tree.m_edit.SetAutoSize(FALSE);
    return 0;
}

void COXPropertiesWnd::ShowChild(CWnd* pChild, BOOL bShow)
{
    if (pChild->m_hWnd == NULL)
        return;
    // Shown or hidden for real, then laid out: a style bit alone leaves a
    // hidden child's picture on the screen until something repaints there.
    pChild->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    RecalcLayout();
}

void COXPropertiesWnd::RecalcLayout(BOOL)
{
    if (m_hWnd == NULL || m_tree.m_hWnd == NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    int y = rect.top;
    if (m_comboBox.m_hWnd != NULL) {
        m_comboBox.MoveWindow(rect.left, y, rect.Width(), rect.Height());
        if (m_comboBox.GetStyle() & WS_VISIBLE) {
            CRect rectField;
            m_comboBox.GetClientRect(&rectField);
            y += rectField.Height();
        }
    }
    if (m_toolBar.m_hWnd != NULL) {
        m_toolBar.MoveWindow(rect.left, y, rect.Width(), kToolBarHeight);
        if (m_toolBar.GetStyle() & WS_VISIBLE)
            y += kToolBarHeight;
    }
    int bottom = rect.bottom;
    if (m_descriptionPane.m_hWnd != NULL) {
        m_descriptionPane.MoveWindow(rect.left, rect.bottom - kDescriptionHeight, rect.Width(), kDescriptionHeight);
        if (m_descriptionPane.GetStyle() & WS_VISIBLE)
            bottom -= kDescriptionHeight;
    }
    CRect rectTree(rect.left, y, rect.right, bottom);
    rectTree.DeflateRect(1, 1);
    if (rectTree.bottom < rectTree.top)
        rectTree.bottom = rectTree.top;
    if (rectTree.right < rectTree.left)
        rectTree.right = rectTree.left;
    m_tree.MoveWindow(&rectTree);
    MoveEditor();
    Invalidate();
}

void COXPropertiesWnd::OnSize(UINT, int, int)
{
    RecalcLayout();
}

COXFrameSkin* COXPropertiesWnd::GetFrameSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    if (pSkin != NULL && pSkin->GetFrameSkin() != NULL)
        return pSkin->GetFrameSkin();
    if (m_pClassicSkin == NULL)
        m_pClassicSkin = new COXFrameSkinClassic;
    return m_pClassicSkin;
}

void COXPropertiesWnd::OnPaint()
{
    CPaintDC dc(this);
    COXFrameSkin* pSkin = GetFrameSkin();
    CRect rect;
    GetClientRect(&rect);
    dc.FillSolidRect(&rect, pSkin->GetBackgroundColor());
    CBrush brushFace(::GetSysColor(COLOR_BTNFACE));
    dc.FrameRect(&rect, &brushFace);
    if (m_tree.m_hWnd != NULL) {
        CRect rectTree;
        m_tree.GetWindowRect(&rectTree);
        ScreenToClient(&rectTree);
        rectTree.InflateRect(1, 1);
        CBrush brushBorder(pSkin->GetBorderColor());
        dc.FrameRect(&rectTree, &brushBorder);
    }
}
