// COXListBoxEx: an owner-drawn list box of variable item height in which every
// item carries its own looks (font, colours for the normal and the selected
// state, an image of a lent image list, an indent) and a tooltip text. Items
// can be gathered into a most-recently-used group at the top, set off from the
// rest by a line under its last item, which can be saved to and loaded from
// the application profile.
//
// Every list box message the rules send goes through SendListMessage, and the
// style they read through GetListStyle, so that the bookkeeping (records that
// follow their items, the MRU group's moves) runs over a list of another kind
// as well as over the window.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

// The profile section the group is saved to on WM_DESTROY (auto-save on), and
// the values of any section SaveMRU writes.
#define OXLISTBOXEX_MRU_SECTION "OXLISTBOXEX_MRU"
#define OXLISTBOXEX_MRU_MAXNUMBER "MRU_MaxNumber"
#define OXLISTBOXEX_MRU_COUNT "MRU_Count"
#define OXLISTBOXEX_MRU_ENTRY "MRU_Entry_%d"

// The id of the tool that covers the whole control.
#define OXLISTBOXEX_LIST_TOOL_ID 0xFFF0
// The strip under the last item of the MRU group.
#define OXLISTBOXEX_SEPARATOR_HEIGHT 4

// Which fields SetItemInfo sets.
#define OXLBI_FONT 0x01
#define OXLBI_TEXTCOLOR 0x02
#define OXLBI_BKCOLOR 0x04
#define OXLBI_TOOLTIPTEXT 0x08
#define OXLBI_IMAGE 0x10
#define OXLBI_INDENT 0x20
#define OXLBI_HIGHLIGHTTEXTCOLOR 0x40
#define OXLBI_HIGHLIGHTBKCOLOR 0x80
#define OXLBI_ALL 0xFF

typedef struct _tagOXLISTBOXITEM
{
    CFont* pFont;               // not owned; NULL: the device context's font
    COLORREF clrText;
    COLORREF clrHighlightText;
    COLORREF clrBk;
    COLORREF clrHighlightBk;
    CString sToolTipText;       // empty: no tool
    int nImage;                 // -1: none
    int nIndent;                // pixels left of the image
    RECT rectItem;              // relative to the item's top-left corner
    RECT rectImage;
    RECT rectText;
    int nMRUPosition;           // -1: outside the group

    // The defaults, with the system colours of now.
    _tagOXLISTBOXITEM();
} OXLISTBOXITEM;

// An item's three rectangles from its indent, the image size, its text size
// and whether it is the last item of the MRU group (which gets the separator
// strip below its content). Callable without a window.
void OXCalcListItemRects(int nIndent, CSize sizeImage, CSize sizeText, BOOL bLastMRU,
                         CRect& rectItem, CRect& rectImage, CRect& rectText);

class COXListBoxEx : public CListBox
{
    DECLARE_DYNAMIC(COXListBoxEx)
public:
    COXListBoxEx();
    virtual ~COXListBoxEx();

    // What the owner sets.
    void SetBkColor(COLORREF clr) { m_clrBackground = clr; }
    void SetHighlightOnlyText(BOOL bOnlyText) { m_bHighlightOnlyText = bOnlyText; }
    void SetToolTipText(LPCTSTR lpszText);
    void SetMRUAutoSave(BOOL bAutoSave) { m_bMRUAutoSave = bAutoSave; }
    BOOL IsMRUAutoSave() const { return m_bMRUAutoSave; }

    virtual CString GetToolTipText() const { return m_sToolTipText; }
    virtual COLORREF GetBkColor() const { return m_clrBackground; }
    virtual BOOL IsHighlightOnlyText() const { return m_bHighlightOnlyText; }
    virtual CToolTipCtrl* GetToolTipCtrl() { return &m_tooltip; }
    virtual CImageList* GetImageList() const { return m_pImageList; }

    // Items
    int AddItem(LPCTSTR lpszText, int nMask, CFont* pFont = NULL, COLORREF clrText = ::GetSysColor(COLOR_WINDOWTEXT),
                COLORREF clrBk = ::GetSysColor(COLOR_WINDOW), LPCTSTR lpszToolTipText = NULL, int nImage = -1,
                int nIndent = 0, COLORREF clrHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT),
                COLORREF clrHighlightBk = ::GetSysColor(COLOR_HIGHLIGHT));
    virtual int AddItem(LPCTSTR lpszText, int nMask, const OXLISTBOXITEM* pItem);
    int InsertItem(int nIndex, LPCTSTR lpszText, int nMask, CFont* pFont = NULL,
                   COLORREF clrText = ::GetSysColor(COLOR_WINDOWTEXT), COLORREF clrBk = ::GetSysColor(COLOR_WINDOW),
                   LPCTSTR lpszToolTipText = NULL, int nImage = -1, int nIndent = 0,
                   COLORREF clrHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT),
                   COLORREF clrHighlightBk = ::GetSysColor(COLOR_HIGHLIGHT));
    int InsertItem(int nIndex, LPCTSTR lpszText, int nMask, const OXLISTBOXITEM* pItem);
    int DeleteString(UINT nIndex);
    void ResetContent();

    // Item looks
    virtual BOOL SetItemInfo(int nIndex, int nMask, CFont* pFont, COLORREF clrText, COLORREF clrBk,
                             LPCTSTR lpszToolTipText, int nImage, int nIndent, COLORREF clrHighlightText,
                             COLORREF clrHighlightBk);
    BOOL SetItemInfo(int nIndex, int nMask, const OXLISTBOXITEM* pItem);
    BOOL SetItemFont(int nIndex, CFont* pFont);
    BOOL SetItemTextColor(int nIndex, COLORREF clr);
    BOOL SetItemBkColor(int nIndex, COLORREF clr);
    BOOL SetItemToolTipText(int nIndex, LPCTSTR lpszText);
    BOOL SetItemImage(int nIndex, int nImage);
    BOOL SetItemIndent(int nIndex, int nIndent);
    BOOL SetItemHighlightTextColor(int nIndex, COLORREF clr);
    BOOL SetItemHighlightBkColor(int nIndex, COLORREF clr);

    OXLISTBOXITEM* GetItemInfo(int nIndex) const;
    CFont* GetItemFont(int nIndex) const;
    COLORREF GetItemTextColor(int nIndex) const;
    COLORREF GetItemHighlightTextColor(int nIndex) const;
    COLORREF GetItemBkColor(int nIndex) const;
    COLORREF GetItemHighlightBkColor(int nIndex) const;
    int GetItemImage(int nIndex) const;
    int GetItemIndent(int nIndex) const;
    CString GetItemToolTipText(int nIndex) const;

    void SetImageList(CImageList* pImageList);

    // The MRU group: items 0 to GetLastMRUIndex().
    virtual int MoveToMRU(int nIndex, int nPosition, BOOL bForce = FALSE);
    int AppendToMRU(int nIndex) { return MoveToMRU(nIndex, m_nLastMRUIndex + 1, FALSE); }
    virtual int RemoveFromMRU(int nIndex);
    // -1: no limit; 0: the group stays empty. A maximum below -1 is refused.
    void SetMaxMRU(int nMaxMRU);
    int GetMaxMRU() const { return m_nMaxMRU; }
    int GetLastMRUIndex() const { return m_nLastMRUIndex; }
    virtual BOOL SaveMRU(LPCTSTR lpszSection);
    virtual BOOL LoadMRU(LPCTSTR lpszSection);

    // Geometry
    virtual void CalcItemRects(int nIndex, CRect& rectItem, CRect& rectVisible, CRect& rectImage, CRect& rectText);
    virtual CSize GetImageSize() const;
    virtual CSize GetTextSize(int nIndex);
    void UpdateItemSize(int nIndex);

    virtual BOOL InitListBox();
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual void DrawSeparator(CDC* pDC, const CRect& rectStrip, const OXLISTBOXITEM* pItem);
    virtual void DrawItemImage(CDC* pDC, CPoint pt, UINT nStyle, const OXLISTBOXITEM* pItem);
    virtual void DrawItemText(CDC* pDC, const CString& sText, const CRect& rect, COLORREF clrText, CFont* pFont);

    // Where the rules reach the list: the window by default.
    virtual LRESULT SendListMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual DWORD GetListStyle() const;

    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
    void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override;

    // The bookkeeping of a deletion, before the item leaves the list.
    void OnItemDeleted(int nIndex);
    // What a deletion left to do once the item has gone.
    void FinishDeletion();
    void ClearRecords();
    void ShiftRecordsUp(int nFrom, int nCount);
    void ShiftRecords(int nFrom, int nBy);
    void RefreshToolTips();
    void AddListTool();
    // Many items at once: no drawing and no tool refresh until the last End.
    void BeginUpdate();
    void EndUpdate();
    // The size of a text in a font (NULL: the list's DC font), measured in
    // a client DC of the list.
    CSize MeasureText(const CString& sText, CFont* pFont);
    int ItemCount() { return (int)SendListMessage(LB_GETCOUNT); }
    CString ItemText(int nIndex);
    // Where a sorted list's new item goes: below the MRU group, among the rest.
    int SortedIndexBelowMRU(LPCTSTR lpszText);

    struct CItemState
    {
        OXLISTBOXITEM record;
        CString sText;
        DWORD_PTR dwData = 0;
        BOOL bSelected = FALSE;
        BOOL bCaret = FALSE;
    };
    CItemState SaveItemState(int nIndex);
    void RestoreItemState(int nIndex, const CItemState& state);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);

    CMap<int, int, OXLISTBOXITEM*, OXLISTBOXITEM*> m_mapItems;
    CToolTipCtrl m_tooltip;
    CImageList* m_pImageList;
    int m_nMaxMRU;
    int m_nLastMRUIndex;
    int m_nWidestItem;
    int m_nLastTopIndex;
    COLORREF m_clrBackground;
    BOOL m_bHighlightOnlyText;
    CString m_sToolTipText;
    BOOL m_bMRUAutoSave;
    BOOL m_bSizesPending = FALSE;
    int m_nUpdating = 0;
    BOOL m_bRedrawOff = FALSE;
    // The client DC texts are measured in while many items are added.
    HDC m_hMeasureDC = NULL;
    int m_nPendingExtent = 0;

    DECLARE_MESSAGE_MAP()
};
