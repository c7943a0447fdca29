// COXSHBListCtrl: the list of one shortcut-bar group. One column of items
// (an image, large or small, over or beside a label) that it lays out,
// scrolls by whole items with two buttons, paints off screen and renames in
// place; items drag out and drop in with OLE. Inside a bar every
// notification goes out through the bar; a list standing alone notifies its
// owner (or parent) and takes its style from its own window styles.
#pragma once

#include <afxcmn.h>
#include <functional>
#include <map>
#include <vector>

#include "OXSHBDropSource.h"
#include "OXSHBEdit.h"
#include "OXSHBTypes.h"

class COXShortcutBar;
class COleDataSource;

// Hit-test flags of the list besides the LVHT_ ones.
#define SHBLC_ONIMAGEANDTEXT    (-2)   // inside image and label's bounds, on neither
#define SHBLC_ONITEMROW         (-1)   // elsewhere in the item's row
#define SHBLC_ONTOPSCROLLBUTTON (-3)
#define SHBLC_ONBOTTOMSCROLLBUTTON (-4)

#define SHBLC_IDT_SCROLL      1
#define SHBLC_IDT_CHECKMOUSE  275

// One item as the layout sees it.
struct SHBLISTITEMRECTS
{
    CRect rectItem;    // view coordinates
    CRect rectImage;   // relative to rectItem's top-left
    CRect rectLabel;   // relative to rectItem's top-left
};

class COXSHBListCtrl : public CListCtrl
{
    DECLARE_DYNCREATE(COXSHBListCtrl)
public:
    COXSHBListCtrl();
    virtual ~COXSHBListCtrl();

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    // Virtual operations.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual int SetSelectedItem(int nItem);
    virtual void DrawScrollButtons(CDC* pDC);
    virtual void DrawInsertMark(CDC* pDC);
    virtual BOOL CreateEditControl();
    virtual void CalculateItemRects();
    virtual void CalculateScrollRects();
    virtual COleDropSource* GetDropSource();
    virtual COleDropTarget* GetDropTarget();
    virtual LRESULT BeginDragDrop(int nItem, COleDataSource* pDataSource);
    virtual LRESULT OnDragEnter(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDragOver(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDragLeave(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDrop(WPARAM wParam, LPARAM lParam);

    // Operations.
    int SetHotItem(int nItem);
    int SetActiveItem(int nItem);
    int GetHotItem() const { return m_nHotItem; }
    int GetLastHotItem() const { return m_nLastHotItem; }
    int GetActiveItem() const { return m_nActiveItem; }
    int GetSelectedItem() const { return m_nSelectedItem; }
    int GetEditItem() const { return m_nEditItem; }
    int GetDragItem() const { return m_nDragItem; }
    int GetInsertMark() const { return m_nInsertItemBefore; }
    int HitTest(CPoint point, int* pFlags, BOOL bOnlyItems = FALSE) const;
    BOOL GetItemRect(int nItem, LPRECT lpRect, int nCode) const;
    int FindItem(const LVFINDINFO* pFindInfo, int nStart = -1) const;
    int GetTopIndex() const;
    BOOL RedrawItem(int nItem);
    BOOL Scroll(CSize size);
    BOOL EnsureItemVisible(int nItem, BOOL bPartialOK);
    CRect GetViewRect(BOOL bVisibleOnly = FALSE) const;
    int GetCountPerPage() const;
    COXSHBEdit* EditItem(int nItem);
    COLORREF GetListBkColor() const;
    // Where, in the list's client area, the drawing now going on lands: an
    // item is drawn into a bitmap of its own whose origin is the item's
    // corner. A skin that spreads one picture over the list needs it.
    CPoint GetPaintOffset() const { return m_ptPaintOffset; }
    COLORREF GetListTextColor() const;
    DWORD GetBarStyle() const;
    int GetView() const;
    int GetItemImage(int nItem) const;
    CImageList* CreateDragImage(int nItem);
    CPoint GetScrollOffset() const { return m_ptOrigin; }
    CRect GetTopScrollButtonRect() const { return m_rectTopScrollButton; }
    CRect GetBottomScrollButtonRect() const { return m_rectBottomScrollButton; }
    BOOL IsScrollingUp() const { return m_bScrollingUp; }
    BOOL IsScrollingDown() const { return m_bScrollingDown; }
    COXShortcutBar* GetShortcutBar() const { return m_pShortcutBar; }
    HSHBGROUP GetGroup() const { return m_hGroup; }
    CRect GetInsertMarkRect(int nItem) const;
    // The items changed places (a sort): pressed and active go, the layout
    // is made again.
    void ItemsReordered();

    // Notifications: through the bar inside one, else to the owner.
    LRESULT SendSHBNotification(UINT nCode, int nItem, LPARAM lParam);
    // The same, with the record's value read back (the receiver's answer).
    LRESULT QuerySHBNotification(UINT nCode, int nItem, LPARAM& lParam);

    // The rules without a window. A text measurer gives the size of an
    // item's text drawn with the given DrawText flags in the given width.
    typedef std::function<CSize(int nItem, int nWidth, UINT nFormat)> TextMeasurer;
    static std::vector<SHBLISTITEMRECTS> LayoutItems(const CRect& rectClient, int nView,
                                                     const std::vector<CSize>& imageSizes,
                                                     const TextMeasurer& measure);
    // The insertion-mark rectangle for index k among the item rectangles
    // (view coordinates, before scrolling).
    static CRect InsertMarkRect(const std::vector<CRect>& items, int k, int nClientWidth, int nViewTop);
    static COLORREF InsertMarkColor(COLORREF clrBack);
    // Bytes of a dragged item, and the reading of such bytes. Parsing
    // checks every length against the block's size.
    struct DragImage
    {
        int nType;                  // 0 normal, 1 small
        std::vector<BYTE> bytes;    // a one-image list as an archive writes it
    };
    struct DragItem
    {
        CString sText;
        DWORD dwData;               // the item's data, as 32 bits
        std::vector<DragImage> images;
        std::vector<BYTE> extra;
    };
    static std::vector<BYTE> BuildDragBlock(const DragItem& item);
    static BOOL ParseDragBlock(const BYTE* pData, SIZE_T nSize, DragItem& item);
    static BOOL IsSoundImageStream(const std::vector<BYTE>& bytes);
    static BOOL ReadImage(const std::vector<BYTE>& bytes, CImageList& imageList);
    static std::vector<BYTE> WriteImage(CImageList* pSource, int nImage);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    BOOL InitListControl();
    CSize MeasureText(int nItem, int nWidth, UINT nFormat) const;
    void GetFont(LOGFONT* pLF) const;
    CRect GetUsableRect() const;
    CRect GetScrollExtent(int nReference) const;
    void StartScrolling(BOOL bUp);
    void StopScrolling();
    void ScrollStep(BOOL bUp);
    void CheckCapture();
    void UpdateHotItem();
    void PrepareDragDrop(int nItem);
    void FillListBackground(CDC* pDC, const CRect& rect);
    static HICON ReadDroppedIcon(const DragImage& image, CSize& size);
    CImageList* DropImageList(int nType, CSize size);
    LRESULT FillToolTipText(NMHDR* pNMHDR, BOOL bWide);
    void EndInPlaceEdit(BOOL bSave);
    void CancelInPlaceEdit();

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();

    COXShortcutBar* m_pShortcutBar;
    HSHBGROUP m_hGroup;
    int m_nSelectedItem;
    int m_nHotItem;
    int m_nLastHotItem;
    int m_nActiveItem;
    int m_nDragItem;
    int m_nEditItem;
    COXSHBEdit m_edit;
    std::map<int, CRect> m_mapItemToBoundRect;
    std::map<int, CRect> m_mapItemToImageRect;
    std::map<int, CRect> m_mapItemToTextRect;
    CRect m_rectTopScrollButton;
    CRect m_rectBottomScrollButton;
    CPoint m_ptOrigin;
    CPoint m_ptPaintOffset;
    COXSHBDropSource m_oleDropSource;
    COXSHBDropTarget m_oleDropTarget;
    CImageList m_ilLarge;
    CImageList m_ilSmall;
    BOOL m_bMouseIsOver;
    BOOL m_bScrollingUp;
    BOOL m_bScrollingDown;
    BOOL m_bAutoScrolling;
    BOOL m_bCreatingDragImage;
    BOOL m_bDragDropOwner;
    BOOL m_bDragDropOperation;
    CImageList* m_pDragImage;
    CPoint m_ptDragImage;
    CPoint m_ptClickedLButton;
    int m_nPressItem;
    UINT_PTR m_nScrollTimerID;
    UINT_PTR m_nCheckMouseTimerID;
    int m_nInsertItemBefore;
    DWORD m_dwDropEffect;      // the effect of the drop into this list, while its own drag runs
};
