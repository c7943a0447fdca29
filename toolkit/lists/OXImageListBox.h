// COXImageListBox: a multi-column owner-drawn list box that shows the images
// of an image list it owns, one image an item, for the user to pick one. Item
// i's item data is the index of its image, kept in step through deletions.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// The item height and column width for images of cx by cy: a quarter more
// than the image each way. Callable without a window.
CSize OXImageListBoxItemSize(int cx, int cy);
// Whether every image an icon file's directory names lies within the file
// (nHeader bytes of its start at pHeader, nFileSize in all).
BOOL OXIconFileDirectoryFits(const BYTE* pHeader, UINT nHeader, ULONGLONG nFileSize);

class COXImageListBox : public CListBox
{
public:
    COXImageListBox(int cxImage = 16, int cyImage = 16, UINT nFlags = ILC_COLOR24 | ILC_MASK);
    virtual ~COXImageListBox();

    virtual COLORREF GetBkColor() const { return m_clrBackground; }
    virtual COLORREF GetHighlightColor() const { return m_clrHighlight; }
    virtual BOOL InitListBox();

    CImageList* GetImageList() { return &m_imageList; }

    int FillFromImageList(CImageList* pSource);
    int AppendImageList(CImageList* pSource);
    int AddImage(CBitmap* pImage, CBitmap* pMask);
    int AddImage(CBitmap* pImage, COLORREF clrMask);
    int AddIcon(HICON hIcon);
    BOOL ReplaceImage(int nIndex, CBitmap* pImage, CBitmap* pMask);
    int ReplaceIcon(int nIndex, HICON hIcon);
    BOOL GetImageInfo(int nIndex, IMAGEINFO* pImageInfo) const;
    HICON GetIcon(int nIndex) const;
    HICON GetSelectedIcon() const;
    // All icons of an executable or icon file (the running program's when the
    // name is empty). FALSE, with the images shown before kept, when the file
    // has no icons or not all of them could be read.
    BOOL LoadIconsFromFile(LPCTSTR lpszFileName = NULL, BOOL bSmallIcons = FALSE);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    BOOL IsItemIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
    void SetItemSize(CSize size);
    // One item for each image from nFirst on; the index of the first.
    int AddItemsFrom(int nFirst);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);

    CImageList m_imageList;
    int m_cxImage;
    int m_cyImage;
    COLORREF m_clrBackground;
    COLORREF m_clrHighlight;

    DECLARE_MESSAGE_MAP()
};
