#include "OXOptionTreeCtrl.h"

#include "toolkit_res.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(COXOptionTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(COXOptionTreeCtrl, CTreeCtrl)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_CHAR()
    ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDownNotify)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMA, OnDeleteItemNotify)
    ON_NOTIFY_REFLECT_EX(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

namespace
{
const COLORREF kMask = RGB(192, 192, 192);

BOOL AddBitmap(CImageList& list, UINT nID, COLORREF clrMask, int* pFirst)
{
    CBitmap bmp;
    if (!bmp.LoadBitmap(nID))
        return FALSE;
    const int n = list.Add(&bmp, clrMask);
    if (pFirst != NULL)
        *pFirst = n;
    return n >= 0;
}
} // namespace

COXOptionTreeCtrl::COXOptionTreeCtrl() : m_bDark(FALSE), m_mapOptions(10), m_mapLocks(10)
{
    m_mapOptions.InitHashTable(17);
    m_mapLocks.InitHashTable(17);
}

COXOptionTreeCtrl::~COXOptionTreeCtrl()
{
}

BOOL COXOptionTreeCtrl::IsDarkColor(COLORREF clr)
{
    return GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 300;
}

namespace
{
int Luminance(COLORREF clr)
{
    return (299 * GetRValue(clr) + 587 * GetGValue(clr) + 114 * GetBValue(clr)) / 1000;
}

COLORREF Mix(COLORREF a, COLORREF b, int nPercentOfB)
{
    auto mix = [&](int x, int y) { return (x * (100 - nPercentOfB) + y * nPercentOfB) / 100; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}
} // namespace

COLORREF COXOptionTreeCtrl::ReadableOn(COLORREF clrBack, COLORREF clrPreferred)
{
    const int nBack = Luminance(clrBack);
    if (std::abs(Luminance(clrPreferred) - nBack) >= kMinContrast)
        return clrPreferred;
    return nBack >= 128 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

void COXOptionTreeCtrl::GetSelectionColors(COLORREF clrBack, COLORREF clrText, BOOL bFocus, COLORREF& clrSelText,
                                           COLORREF& clrSelBack)
{
    // With the focus, the system's highlight; without it, a quiet shade of
    // the background towards the highlight, as a light tree shows its
    // selection in grey. The text always stands out from what it is on.
    const COLORREF clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    clrSelBack = bFocus ? clrHighlight : Mix(clrBack, clrHighlight, 35);
    clrSelText = ReadableOn(clrSelBack, bFocus ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : clrText);
}

// A dark tree draws its selected item in colours of its own: the list's
// usual grey for a selection without the focus would carry the light text
// of a dark tree, and light on light cannot be read.
BOOL COXOptionTreeCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (!m_bDark)
        return FALSE;   // the owner may draw the tree as it likes
    NMTVCUSTOMDRAW* pDraw = (NMTVCUSTOMDRAW*)pNMHDR;
    *pResult = CDRF_DODEFAULT;
    if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (pDraw->nmcd.uItemState & CDIS_SELECTED)) {
        COLORREF clrBack = GetBkColor(), clrText = GetTextColor();
        if (clrBack == (COLORREF)-1)
            clrBack = ::GetSysColor(COLOR_WINDOW);
        if (clrText == (COLORREF)-1)
            clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        GetSelectionColors(clrBack, clrText, ::GetFocus() == m_hWnd, pDraw->clrText, pDraw->clrTextBk);
    }
    return TRUE;
}

void COXOptionTreeCtrl::ChooseImageList()
{
    if (m_hWnd == NULL)
        return;
    COLORREF clr = (COLORREF)::SendMessageA(m_hWnd, TVM_GETBKCOLOR, 0, 0);
    if (clr == (COLORREF)-1)
        clr = ::GetSysColor(COLOR_WINDOW);
    m_bDark = IsDarkColor(clr);
    CImageList& list = m_bDark ? m_imagesDark : m_imagesLight;
    ::SendMessageA(m_hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)list.GetSafeHandle());
}

BOOL COXOptionTreeCtrl::SetupImageLists()
{
    if (m_imagesLight.GetSafeHandle() == NULL) {
        if (!m_imagesLight.Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 4) ||
            !AddBitmap(m_imagesLight, IDB_OX_OPTION_LIGHT, kMask, NULL))
            return FALSE;
    }
    if (m_imagesDark.GetSafeHandle() == NULL) {
        if (!m_imagesDark.Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 4) ||
            !AddBitmap(m_imagesDark, IDB_OX_OPTION_DARK, kMask, NULL))
            return FALSE;
    }
    ChooseImageList();
    return TRUE;
}

int COXOptionTreeCtrl::AddImages(UINT nBitmapID, COLORREF clrMask, UINT nDarkBitmapID, COLORREF clrDarkMask)
{
    int nFirst = -1;
    if (!AddBitmap(m_imagesLight, nBitmapID, clrMask, &nFirst))
        return -1;
    if (nDarkBitmapID != 0)
        AddBitmap(m_imagesDark, nDarkBitmapID, clrDarkMask, NULL);
    else
        AddBitmap(m_imagesDark, nBitmapID, clrMask, NULL);
    return nFirst;
}

int COXOptionTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    if (Default() == -1)
        return -1;
    return SetupImageLists() ? 0 : -1;
}

void COXOptionTreeCtrl::PreSubclassWindow()
{
    if (AfxGetThreadState()->m_pWndInit == NULL)
        SetupImageLists();
    CTreeCtrl::PreSubclassWindow();
}

LRESULT COXOptionTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = CTreeCtrl::WindowProc(message, wParam, lParam);
    if (message == TVM_SETBKCOLOR || message == WM_SETTINGCHANGE)
        ChooseImageList();
    return lResult;
}

// ---------------------------------------------------------------------------
// Items
// ---------------------------------------------------------------------------
HTREEITEM COXOptionTreeCtrl::AddGroup(LPCTSTR lpszText, HTREEITEM hParent, BOOL bExpanded, int nImage,
                                      int nSelectedImage, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA is = {};
    is.hParent = hParent;
    is.hInsertAfter = hInsertAfter;
    is.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
    is.item.pszText = (LPSTR)lpszText;
    is.item.iImage = nImage;
    is.item.iSelectedImage = nSelectedImage;
    is.item.cChildren = 1;
    is.item.stateMask = TVIS_EXPANDED;
    is.item.state = bExpanded ? TVIS_EXPANDED : 0;
    return CTreeCtrl::InsertItem(&is);
}

HTREEITEM COXOptionTreeCtrl::AddOption(UINT uID, LPCTSTR lpszText, HTREEITEM hParent, int nImage,
                                       HTREEITEM hInsertAfter, BOOL bLocked)
{
    TVINSERTSTRUCTA is = {};
    is.hParent = hParent;
    is.hInsertAfter = hInsertAfter;
    is.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    is.item.pszText = (LPSTR)lpszText;
    is.item.iImage = nImage;
    is.item.iSelectedImage = nImage;
    return InsertOptionItem(uID, &is, bLocked);
}

HTREEITEM COXOptionTreeCtrl::AddCheckBox(UINT uID, LPCTSTR lpszText, HTREEITEM hParent, int nCheck,
                                         HTREEITEM hInsertAfter, BOOL bLocked)
{
    return AddOption(uID, lpszText, hParent, nCheck == 1 ? kCheckOn : kCheckOff, hInsertAfter, bLocked);
}

HTREEITEM COXOptionTreeCtrl::AddRadioButton(UINT uID, LPCTSTR lpszText, HTREEITEM hParent, int nCheck,
                                            HTREEITEM hInsertAfter, BOOL bLocked)
{
    return AddOption(uID, lpszText, hParent, nCheck == 1 ? kRadioOn : kRadioOff, hInsertAfter, bLocked);
}

HTREEITEM COXOptionTreeCtrl::InsertOptionItem(UINT uID, TVINSERTSTRUCT* pInsert, BOOL bLocked)
{
    HTREEITEM hExisting;
    if (uID == 0 || m_mapOptions.Lookup(uID, hExisting))
        return NULL;
    HTREEITEM hItem = (HTREEITEM)::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, (LPARAM)pInsert);
    if (hItem == NULL)
        return NULL;
    m_mapOptions.SetAt(uID, hItem);
    m_mapLocks.SetAt(hItem, bLocked ? 1 : 0);
    return hItem;
}

HTREEITEM COXOptionTreeCtrl::GetOptionItem(UINT uID) const
{
    HTREEITEM hItem = NULL;
    return m_mapOptions.Lookup(uID, hItem) ? hItem : NULL;
}

UINT COXOptionTreeCtrl::GetItemOption(HTREEITEM hItem) const
{
    POSITION pos = m_mapOptions.GetStartPosition();
    while (pos != NULL) {
        UINT uID;
        HTREEITEM h;
        m_mapOptions.GetNextAssoc(pos, uID, h);
        if (h == hItem)
            return uID;
    }
    return 0;
}

int COXOptionTreeCtrl::ImageOf(HTREEITEM hItem) const
{
    int nImage = -1, nSelected = -1;
    if (hItem == NULL || !CTreeCtrl::GetItemImage(hItem, nImage, nSelected))
        return -1;
    return nImage;
}

int COXOptionTreeCtrl::GetItemCheck(HTREEITEM hItem) const
{
    switch (ImageOf(hItem)) {
    case kCheckOff:
    case kRadioOff:
        return 0;
    case kCheckOn:
    case kRadioOn:
        return 1;
    default:
        return -1;
    }
}

BOOL COXOptionTreeCtrl::IsCheckBox(HTREEITEM hItem) const
{
    const int n = ImageOf(hItem);
    return n == kCheckOff || n == kCheckOn;
}

BOOL COXOptionTreeCtrl::IsRadioButton(HTREEITEM hItem) const
{
    const int n = ImageOf(hItem);
    return n == kRadioOff || n == kRadioOn;
}

void COXOptionTreeCtrl::SetImage(HTREEITEM hItem, int nImage, int nOld, int nNew)
{
    CTreeCtrl::SetItemImage(hItem, nImage, nImage);
    NMOPTIONTREE nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = GetDlgCtrlID();
    nm.hdr.code = (UINT)OTN_OPTIONCHANGED;
    nm.hItem = hItem;
    nm.uOptionID = GetItemOption(hItem);
    nm.nOldCheck = nOld;
    nm.nNewCheck = nNew;
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != NULL)
        ::SendMessageA(hParent, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
}

BOOL COXOptionTreeCtrl::SetItemCheck(HTREEITEM hItem, int nCheck)
{
    // Only off and on exist: any other state would take the mark away and
    // lose the option for good.
    if (hItem == NULL || (nCheck != 0 && nCheck != 1))
        return FALSE;
    const int nOld = GetItemCheck(hItem);
    if (nOld == nCheck)
        return TRUE;
    if (IsCheckBox(hItem)) {
        SetImage(hItem, nCheck == 1 ? kCheckOn : kCheckOff, nOld, nCheck);
        return TRUE;
    }
    if (!IsRadioButton(hItem))
        return FALSE;
    if (nCheck == 1) {
        for (HTREEITEM h = GetPrevSiblingItem(hItem); h != NULL && IsRadioButton(h); h = GetPrevSiblingItem(h))
            if (GetItemCheck(h) == 1)
                SetImage(h, kRadioOff, 1, 0);
        for (HTREEITEM h = GetNextSiblingItem(hItem); h != NULL && IsRadioButton(h); h = GetNextSiblingItem(h))
            if (GetItemCheck(h) == 1)
                SetImage(h, kRadioOff, 1, 0);
    }
    SetImage(hItem, nCheck == 1 ? kRadioOn : kRadioOff, nOld, nCheck);
    return TRUE;
}

UINT COXOptionTreeCtrl::GetCheckedRadio(UINT uFirstID, UINT uLastID) const
{
    HTREEITEM hLast = GetOptionItem(uLastID);
    for (HTREEITEM h = GetOptionItem(uFirstID); h != NULL; h = GetNextSiblingItem(h)) {
        const int n = ImageOf(h);
        if (n != kCheckOff && n != kRadioOff)
            return GetItemOption(h);
        if (h == hLast)
            break;
    }
    return 0;
}

void COXOptionTreeCtrl::SetItemLocked(HTREEITEM hItem, BOOL bLocked)
{
    if (hItem != NULL && GetItemOption(hItem) != 0)
        m_mapLocks.SetAt(hItem, bLocked ? 1 : 0);
}

int COXOptionTreeCtrl::GetItemLocked(HTREEITEM hItem) const
{
    int n = 0;
    return m_mapLocks.Lookup(hItem, n) ? n : 0;
}

BOOL COXOptionTreeCtrl::DeleteAllOptions()
{
    m_mapOptions.RemoveAll();
    return CTreeCtrl::DeleteItem(TVI_ROOT);
}

// Every option with its profile entry, in the section named after the two names.
template <class F> BOOL COXOptionTreeCtrl::ForEachEntry(LPCTSTR lpszName1, LPCTSTR lpszName2, F f)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    CString section;
    section.Format("%s_%s", lpszName1, lpszName2);
    POSITION pos = m_mapOptions.GetStartPosition();
    while (pos != NULL) {
        UINT uID;
        HTREEITEM h;
        m_mapOptions.GetNextAssoc(pos, uID, h);
        CString entry;
        entry.Format("%d", (int)uID);
        f(pApp, section, entry, h);
    }
    return TRUE;
}

BOOL COXOptionTreeCtrl::SaveState(LPCTSTR lpszName1, LPCTSTR lpszName2)
{
    return ForEachEntry(lpszName1, lpszName2, [this](CWinApp* pApp, LPCTSTR lpszSection, LPCTSTR lpszEntry, HTREEITEM h) {
        pApp->WriteProfileInt(lpszSection, lpszEntry, GetItemCheck(h));
    });
}

BOOL COXOptionTreeCtrl::LoadState(LPCTSTR lpszName1, LPCTSTR lpszName2)
{
    return ForEachEntry(lpszName1, lpszName2, [this](CWinApp* pApp, LPCTSTR lpszSection, LPCTSTR lpszEntry, HTREEITEM h) {
        const int nValue = (int)pApp->GetProfileInt(lpszSection, lpszEntry, -1);
        if (nValue == 0 || nValue == 1)   // a stray value leaves the option as it is
            SetItemCheck(h, nValue);
    });
}

// ---------------------------------------------------------------------------
// The user
// ---------------------------------------------------------------------------
void COXOptionTreeCtrl::Toggle(HTREEITEM hItem)
{
    UpdateWindow();
    if (IsCheckBox(hItem))
        SetItemCheck(hItem, GetItemCheck(hItem) == 1 ? 0 : 1);
    else if (IsRadioButton(hItem) && GetItemCheck(hItem) == 0)
        SetItemCheck(hItem, 1);
    CRect rect;
    if (CTreeCtrl::GetItemRect(hItem, &rect, TRUE))
        ValidateRect(&rect);
}

void COXOptionTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    UINT uFlags = 0;
    HTREEITEM hItem = CTreeCtrl::HitTest(point, &uFlags);
    const BOOL bOnLabelEditing = (GetStyle() & TVS_EDITLABELS) && (uFlags & TVHT_ONITEMLABEL);
    const BOOL bCounts = hItem != NULL && (uFlags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)) &&
                         (IsCheckBox(hItem) || IsRadioButton(hItem)) && !bOnLabelEditing;
    if (bCounts && !GetItemLocked(hItem)) {
        if (::GetFocus() != m_hWnd)
            SetFocus();
        Toggle(hItem);
        SelectItem(hItem);
        return;
    }
    Default();
}

void COXOptionTreeCtrl::OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTVKEYDOWN* pKey = (const NMTVKEYDOWN*)pNMHDR;
    if (pKey->wVKey == VK_SPACE) {
        HTREEITEM hItem = GetSelectedItem();
        if (hItem != NULL && !GetItemLocked(hItem))
            Toggle(hItem);
    }
    *pResult = 0;
}

void COXOptionTreeCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    if (nChar == ' ')
        return;
    Default();
}

void COXOptionTreeCtrl::OnDeleteItemNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    HTREEITEM hItem = ((NMTREEVIEWA*)pNMHDR)->itemOld.hItem;
    const UINT uID = GetItemOption(hItem);
    if (uID != 0)
        m_mapOptions.RemoveKey(uID);
    m_mapLocks.RemoveKey(hItem);
    *pResult = 0;
}
