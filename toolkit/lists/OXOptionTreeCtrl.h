// COXOptionTreeCtrl: a tree of options, check boxes and radio buttons under
// group items, each option with an id of the caller's. The marks are the
// items' images, taken from a light or a dark set by the brightness of the
// tree's background; the parent hears of every change; the states can be
// saved to and restored from the application's profile.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

#define OTN_OPTIONCHANGED (-489)

struct NMOPTIONTREE
{
    NMHDR hdr;
    HTREEITEM hItem;
    UINT uOptionID;
    int nOldCheck;
    int nNewCheck;
};

class COXOptionTreeCtrl : public CTreeCtrl
{
    DECLARE_DYNAMIC(COXOptionTreeCtrl)
public:
    enum { kCheckOff = 0, kCheckOn = 1, kRadioOff = 2, kRadioOn = 3 };

    COXOptionTreeCtrl();
    virtual ~COXOptionTreeCtrl();

    virtual BOOL SetupImageLists();
    int AddImages(UINT nBitmapID, COLORREF clrMask, UINT nDarkBitmapID = 0, COLORREF clrDarkMask = 0);
    HTREEITEM AddGroup(LPCTSTR lpszText, HTREEITEM hParent = TVI_ROOT, BOOL bExpanded = TRUE, int nImage = -1,
                       int nSelectedImage = -1, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM AddCheckBox(UINT uID, LPCTSTR lpszText, HTREEITEM hParent = TVI_ROOT, int nCheck = 0,
                          HTREEITEM hInsertAfter = TVI_LAST, BOOL bLocked = FALSE);
    HTREEITEM AddRadioButton(UINT uID, LPCTSTR lpszText, HTREEITEM hParent = TVI_ROOT, int nCheck = 0,
                             HTREEITEM hInsertAfter = TVI_LAST, BOOL bLocked = FALSE);
    HTREEITEM InsertOptionItem(UINT uID, TVINSERTSTRUCT* pInsert, BOOL bLocked);

    HTREEITEM GetOptionItem(UINT uID) const;
    UINT GetItemOption(HTREEITEM hItem) const;
    int GetOptionCheck(UINT uID) const { return GetItemCheck(GetOptionItem(uID)); }
    int GetItemCheck(HTREEITEM hItem) const;
    BOOL IsCheckBox(HTREEITEM hItem) const;
    BOOL IsRadioButton(HTREEITEM hItem) const;
    // States are 0 and 1; anything else is refused (FALSE) and changes nothing.
    BOOL SetOptionCheck(UINT uID, int nCheck) { return SetItemCheck(GetOptionItem(uID), nCheck); }
    BOOL SetItemCheck(HTREEITEM hItem, int nCheck);
    BOOL CheckOption(UINT uID) { return SetOptionCheck(uID, 1); }
    UINT GetCheckedRadio(UINT uFirstID, UINT uLastID) const;
    void SetOptionLocked(UINT uID, BOOL bLocked) { SetItemLocked(GetOptionItem(uID), bLocked); }
    void SetItemLocked(HTREEITEM hItem, BOOL bLocked);
    int GetItemLocked(HTREEITEM hItem) const;
    BOOL DeleteAllOptions();
    BOOL SaveState(LPCTSTR lpszName1, LPCTSTR lpszName2);
    BOOL LoadState(LPCTSTR lpszName1, LPCTSTR lpszName2);
    BOOL IsDarkBackground() const { return m_bDark; }
    // Whether a background colour counts as dark.
    static BOOL IsDarkColor(COLORREF clr);
    // A text colour that can be read on a background: the preferred one
    // when it differs enough in brightness, else black or white.
    static COLORREF ReadableOn(COLORREF clrBack, COLORREF clrPreferred);
    // The colours of the selected item of a dark tree, with and without the focus.
    static void GetSelectionColors(COLORREF clrBack, COLORREF clrText, BOOL bFocus, COLORREF& clrSelText,
                                   COLORREF& clrSelBack);
    enum { kMinContrast = 110 };   // brightness steps, of 255
    void Toggle(HTREEITEM hItem);

    CImageList m_imagesLight;
    CImageList m_imagesDark;
    BOOL m_bDark;
    CMap<UINT, UINT, HTREEITEM, HTREEITEM> m_mapOptions;
    CMap<HTREEITEM, HTREEITEM, int, int> m_mapLocks;

protected:
    int ImageOf(HTREEITEM hItem) const;
    void SetImage(HTREEITEM hItem, int nImage, int nOld, int nNew);
    void ChooseImageList();
    template <class F> BOOL ForEachEntry(LPCTSTR lpszName1, LPCTSTR lpszName2, F f);
    HTREEITEM AddOption(UINT uID, LPCTSTR lpszText, HTREEITEM hParent, int nImage, HTREEITEM hInsertAfter,
                        BOOL bLocked);

    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteItemNotify(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
