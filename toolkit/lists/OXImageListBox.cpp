// COXImageListBox: pick an image out of an image list.
#include "OXImageListBox.h"
#include "OXListUpdate.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

CSize OXImageListBoxItemSize(int cx, int cy)
{
    return CSize(cx + cx / 4, cy + cy / 4);
}

BOOL OXIconFileDirectoryFits(const BYTE* pHeader, UINT nHeader, ULONGLONG nFileSize)
{
    if (nHeader < 6)
        return FALSE;
    UINT nCount = pHeader[4] | (pHeader[5] << 8);
    if (nCount == 0 || nHeader < 6 + 16 * nCount)
        return FALSE;
    for (UINT i = 0; i < nCount; i++) {
        const BYTE* e = pHeader + 6 + 16 * i;
        ULONGLONG nSize = e[8] | (e[9] << 8) | (e[10] << 16) | ((ULONGLONG)e[11] << 24);
        ULONGLONG nOffset = e[12] | (e[13] << 8) | (e[14] << 16) | ((ULONGLONG)e[15] << 24);
        if (nSize == 0 || nOffset < 6 + 16 * (ULONGLONG)nCount || nOffset + nSize > nFileSize)
            return FALSE;
    }
    return TRUE;
}

namespace {

// FALSE for an icon file (by its first bytes) whose images do not all lie
// within it: the system would make icons of whatever follows.
BOOL IconFileWhole(LPCTSTR lpszFile)
{
    CFile file;
    if (!file.Open(lpszFile, CFile::modeRead | CFile::shareDenyNone))
        return FALSE;
    std::vector<BYTE> header(6);
    UINT nRead = file.Read(header.data(), 6);
    if (nRead < 4 || header[0] != 0 || header[1] != 0 || header[2] != 1 || header[3] != 0)
        return TRUE;   // not an icon file: the system reads it
    if (nRead == 6) {
        UINT nCount = header[4] | (header[5] << 8);
        header.resize(6 + 16 * (size_t)nCount);
        nRead += file.Read(header.data() + 6, 16 * nCount);
    }
    return OXIconFileDirectoryFits(header.data(), nRead, file.GetLength());
}

// Adds the icons to the list drawn side by side into one strip, their
// pictures over the list's background and their masks, a few hundred at a
// time: adding them one by one copies each through bitmaps of its own, which
// costs several times reading them from the file. FALSE when a strip could
// not be drawn or added.
BOOL AddIconStrips(CImageList& list, const std::vector<HICON>& icons, int cx, int cy, COLORREF clrBack)
{
    const int kPerStrip = 256;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    BOOL bOk = hMem != NULL;
    for (size_t first = 0; bOk && first < icons.size(); first += kPerStrip) {
        int n = (int)std::min(icons.size() - first, (size_t)kPerStrip);
        HBITMAP hImage = ::CreateCompatibleBitmap(hScreen, cx * n, cy);
        HBITMAP hMask = ::CreateBitmap(cx * n, cy, 1, 1, NULL);
        bOk = hImage != NULL && hMask != NULL;
        if (bOk) {
            HGDIOBJ hOld = ::SelectObject(hMem, hImage);
            CRect all(0, 0, cx * n, cy);
            ::SetBkColor(hMem, clrBack);
            ::ExtTextOutA(hMem, 0, 0, ETO_OPAQUE, &all, NULL, 0, NULL);
            for (int i = 0; i < n; i++)
                ::DrawIconEx(hMem, cx * i, 0, icons[first + i], cx, cy, 0, NULL, DI_IMAGE);
            ::SelectObject(hMem, hMask);
            for (int i = 0; i < n; i++)
                ::DrawIconEx(hMem, cx * i, 0, icons[first + i], cx, cy, 0, NULL, DI_MASK);
            ::SelectObject(hMem, hOld);
            bOk = ImageList_Add(list.GetSafeHandle(), hImage, hMask) >= 0;
        }
        if (hImage)
            ::DeleteObject(hImage);
        if (hMask)
            ::DeleteObject(hMask);
    }
    if (hMem)
        ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    return bOk;
}

}  // namespace

BEGIN_MESSAGE_MAP(COXImageListBox, CListBox)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(LB_DELETESTRING, OnDeleteString)
    ON_MESSAGE(LB_RESETCONTENT, OnResetContent)
END_MESSAGE_MAP()

COXImageListBox::COXImageListBox(int cxImage, int cyImage, UINT nFlags)
    : m_cxImage(cxImage), m_cyImage(cyImage), m_clrBackground(::GetSysColor(COLOR_WINDOW)),
      m_clrHighlight(::GetSysColor(COLOR_HIGHLIGHT))
{
    m_imageList.Create(cxImage, cyImage, nFlags, 0, 0);
}

COXImageListBox::~COXImageListBox()
{
    m_imageList.DeleteImageList();
}

BOOL COXImageListBox::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~(LBS_MULTIPLESEL | LBS_OWNERDRAWVARIABLE);
    cs.style |= LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN;
    return CListBox::PreCreateWindow(cs);
}

void COXImageListBox::PreSubclassWindow()
{
    if (AfxGetThreadState()->m_pWndInit == NULL)
        InitListBox();
    CListBox::PreSubclassWindow();
}

int COXImageListBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    return InitListBox() ? 0 : -1;
}

void COXImageListBox::OnDestroy()
{
    SendMessage(LB_RESETCONTENT);
    CListBox::OnDestroy();
}

void COXImageListBox::SetItemSize(CSize size)
{
    SendMessage(LB_SETITEMHEIGHT, 0, MAKELPARAM(size.cy, 0));
    SendMessage(LB_SETCOLUMNWIDTH, size.cx);
}

BOOL COXImageListBox::InitListBox()
{
    IMAGEINFO ii;
    if (m_imageList.GetSafeHandle() && m_imageList.GetImageCount() > 0 && m_imageList.GetImageInfo(0, &ii))
        SetItemSize(OXImageListBoxItemSize(ii.rcImage.right - ii.rcImage.left, ii.rcImage.bottom - ii.rcImage.top));
    else   // each from its own dimension: non-square images are not clipped
        SetItemSize(OXImageListBoxItemSize(m_cxImage, m_cyImage));
    return TRUE;
}

int COXImageListBox::AddItemsFrom(int nFirst)
{
    int nImages = m_imageList.GetImageCount();
    int nFirstItem = -1;
    // Many items at once: the list redraws (and sets its scroll bar) once.
    BOOL bRedrawOff = nImages - nFirst > 1 && OXHoldListDrawing(this);
    SendMessage(LB_INITSTORAGE, (WPARAM)(nImages - nFirst), 0);
    for (int i = nFirst; i < nImages; i++) {
        int nItem = (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)GetCount());
        if (nFirstItem < 0)
            nFirstItem = nItem;
    }
    if (bRedrawOff)
        OXReleaseListDrawing(this);
    return nFirstItem;
}

int COXImageListBox::FillFromImageList(CImageList* pSource)
{
    ResetContent();
    IMAGEINFO ii;
    if (!pSource || !pSource->GetSafeHandle() || pSource->GetImageCount() == 0 || !pSource->GetImageInfo(0, &ii))
        return 0;
    m_imageList.DeleteImageList();
    m_imageList.Create(pSource);
    SetItemSize(OXImageListBoxItemSize(ii.rcImage.right - ii.rcImage.left, ii.rcImage.bottom - ii.rcImage.top));
    AddItemsFrom(0);
    return GetCount();
}

int COXImageListBox::AppendImageList(CImageList* pSource)
{
    IMAGEINFO mine, theirs;
    if (!pSource || !pSource->GetSafeHandle() || pSource->GetImageCount() == 0 || m_imageList.GetImageCount() == 0 ||
        !m_imageList.GetImageInfo(0, &mine) || !pSource->GetImageInfo(0, &theirs))
        return -1;
    CRect r1(mine.rcImage), r2(theirs.rcImage);
    if (r1.Size() != r2.Size())
        return -1;
    int nFirst = m_imageList.GetImageCount();
    for (int i = 0; i < pSource->GetImageCount(); i++) {
        HICON hIcon = ImageList_GetIcon(pSource->GetSafeHandle(), i, ILD_NORMAL);
        ImageList_ReplaceIcon(m_imageList.GetSafeHandle(), -1, hIcon);
        if (hIcon)
            ::DestroyIcon(hIcon);
    }
    return AddItemsFrom(nFirst);
}

int COXImageListBox::AddImage(CBitmap* pImage, CBitmap* pMask)
{
    if (ImageList_Add(m_imageList.GetSafeHandle(), (HBITMAP)pImage->GetSafeHandle(),
                      pMask ? (HBITMAP)pMask->GetSafeHandle() : NULL) < 0)
        return -1;
    return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)GetCount());
}

int COXImageListBox::AddImage(CBitmap* pImage, COLORREF clrMask)
{
    if (ImageList_AddMasked(m_imageList.GetSafeHandle(), (HBITMAP)pImage->GetSafeHandle(), clrMask) < 0)
        return -1;
    return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)GetCount());
}

int COXImageListBox::AddIcon(HICON hIcon)
{
    if (ImageList_ReplaceIcon(m_imageList.GetSafeHandle(), -1, hIcon) < 0)
        return -1;
    return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)GetCount());
}

BOOL COXImageListBox::ReplaceImage(int nIndex, CBitmap* pImage, CBitmap* pMask)
{
    if (!IsItemIndex(nIndex))
        return FALSE;
    return ImageList_Replace(m_imageList.GetSafeHandle(), nIndex, (HBITMAP)pImage->GetSafeHandle(),
                             pMask ? (HBITMAP)pMask->GetSafeHandle() : NULL);
}

int COXImageListBox::ReplaceIcon(int nIndex, HICON hIcon)
{
    if (!IsItemIndex(nIndex))
        return 0;
    return ImageList_ReplaceIcon(m_imageList.GetSafeHandle(), nIndex, hIcon);
}

BOOL COXImageListBox::GetImageInfo(int nIndex, IMAGEINFO* pImageInfo) const
{
    if (!IsItemIndex(nIndex))
        return FALSE;
    return ImageList_GetImageInfo(m_imageList.GetSafeHandle(), nIndex, pImageInfo);
}

HICON COXImageListBox::GetIcon(int nIndex) const
{
    if (!IsItemIndex(nIndex))
        return NULL;
    return ImageList_GetIcon(m_imageList.GetSafeHandle(), nIndex, ILD_NORMAL);
}

HICON COXImageListBox::GetSelectedIcon() const
{
    int nSel = GetCurSel();
    return nSel < 0 ? NULL : GetIcon(nSel);
}

BOOL COXImageListBox::LoadIconsFromFile(LPCTSTR lpszFileName, BOOL bSmallIcons)
{
    CWaitCursor wait;
    CString sFile(lpszFileName ? lpszFileName : "");
    if (!sFile.IsEmpty()) {
        CFileStatus status;
        if (!CFile::GetStatus(sFile, status))
            return FALSE;
    } else {
        char szPath[MAX_PATH + 1] = "";
        if (::GetModuleFileNameA(NULL, szPath, MAX_PATH) == 0)
            return FALSE;
        sFile = szPath;
    }
    if (!IconFileWhole(sFile))
        return FALSE;
    int cx = ::GetSystemMetrics(bSmallIcons ? SM_CXSMICON : SM_CXICON);
    int cy = ::GetSystemMetrics(bSmallIcons ? SM_CYSMICON : SM_CYICON);
    UINT nIcons = ::ExtractIconExA(sFile, -1, NULL, NULL, 0);
    // A file without icons (or one that is not what its name says) is no
    // success: the caller would take the images still shown for the file's.
    if (nIcons == 0 || nIcons == (UINT)-1)
        return FALSE;
    std::vector<HICON> icons(nIcons, (HICON)NULL);
    UINT nGot = bSmallIcons ? ::ExtractIconExA(sFile, 0, NULL, icons.data(), nIcons)
                            : ::ExtractIconExA(sFile, 0, icons.data(), NULL, nIcons);
    // Some systems hand out only the first of many icons asked at once, while
    // counting them all: the rest are asked for one by one.
    for (UINT i = 0; i < nIcons && nGot > 0; i++) {
        if (icons[i])
            continue;
        if (bSmallIcons)
            ::ExtractIconExA(sFile, (int)i, NULL, &icons[i], 1);
        else
            ::ExtractIconExA(sFile, (int)i, &icons[i], NULL, 1);
    }
    // Only a file read whole replaces what is shown: a damaged one leaves the
    // list as it was.
    BOOL bWhole = nGot > 0 && std::find(icons.begin(), icons.end(), (HICON)NULL) == icons.end();
    CImageList temp;
    if (bWhole) {
        temp.Create(cx, cy, ILC_COLOR24 | ILC_MASK, (int)nIcons, 0);
        bWhole = AddIconStrips(temp, icons, cx, cy, GetBkColor()) && temp.GetImageCount() == (int)nIcons;
    }
    for (HICON hIcon : icons) {
        if (hIcon)
            ::DestroyIcon(hIcon);
    }
    return bWhole && FillFromImageList(&temp) == (int)nIcons;
}

// ---------------------------------------------------------------------------
// Drawing and messages
// ---------------------------------------------------------------------------

void COXImageListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    int nImage = (int)lpDIS->itemData;
    if (m_imageList.GetImageCount() == 0 || (int)lpDIS->itemID < 0 || nImage < 0 || nImage >= GetCount())
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rectItem(lpDIS->rcItem);
    CRect rectImage(rectItem);
    rectImage.DeflateRect(rectItem.Width() / 10, rectItem.Height() / 10);
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    COLORREF clr = bSelected ? GetHighlightColor() : GetBkColor();
    const UINT nAction = lpDIS->itemAction;
    if (nAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        pDC->FillSolidRect(rectItem, clr);
    } else if ((nAction & ODA_FOCUS) && !(lpDIS->itemState & ODS_FOCUS)) {
        CBrush brush(clr);
        pDC->FrameRect(rectItem, &brush);
    }
    if (!bSelected && (nAction & ODA_SELECT)) {
        pDC->IntersectClipRect(rectItem);
        SendMessage(WM_ERASEBKGND, (WPARAM)lpDIS->hDC);
    }
    if (nAction & (ODA_DRAWENTIRE | ODA_SELECT))
        ImageList_Draw(m_imageList.GetSafeHandle(), nImage, lpDIS->hDC, rectImage.left, rectImage.top,
                       ILD_TRANSPARENT);
}

BOOL COXImageListBox::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(rectClient);
    int nCount = GetCount();
    if (nCount <= 0) {
        pDC->FillSolidRect(rectClient, GetBkColor());
        return TRUE;
    }
    CRect rectLast;
    if (GetItemRect(nCount - 1, rectLast) == LB_ERR)
        return TRUE;
    if (rectLast.bottom < rectClient.bottom)
        pDC->FillSolidRect(CRect(rectClient.left, rectLast.bottom, rectClient.right, rectClient.bottom), GetBkColor());
    if (rectLast.right < rectClient.right)
        pDC->FillSolidRect(CRect(rectLast.right, rectClient.top, rectClient.right, rectClient.bottom), GetBkColor());
    return TRUE;
}

LRESULT COXImageListBox::OnDeleteString(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    LRESULT lResult = Default();
    if (lResult == LB_ERR)
        return lResult;
    int nIndex = (int)wParam;
    m_imageList.Remove(nIndex);
    int nCount = GetCount();
    for (int i = nIndex; i < nCount; i++)
        SetItemData(i, GetItemData(i) - 1);
    return lResult;
}

LRESULT COXImageListBox::OnResetContent(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    LRESULT lResult = Default();
    m_imageList.SetImageCount(0);
    return lResult;
}
