// GridCellBase.h - CGridCellBase: the abstract grid cell. It owns
// the state bits, answers every state query, finds the grid's matching default
// cell, and draws, prints and measures itself on top of the virtual accessors
// that the concrete cells (CGridCell, CGridDefaultCell) supply. Also the
// grid's shared records: the state bits, GRIDITEMINFO, GRIDDISPINFO,
// NMGRIDCELL and the cache-hint record.
#pragma once

#include <afxwin.h>
#include "CellRange.h"

class CGridCtrl;
class CGridDefaultCell;

// Cell state bits (one DWORD per cell).
#define CELLSTATE_FOCUSED      0x0001
#define CELLSTATE_SELECTED     0x0002
#define CELLSTATE_DROPHILITED  0x0004
#define CELLSTATE_READONLY     0x0008
#define CELLSTATE_FIXED        0x0010
#define CELLSTATE_FIXEDROW     0x0020
#define CELLSTATE_FIXEDCOL     0x0040
#define CELLSTATE_MODIFIED     0x0080

// Item mask bits of GRIDITEMINFO.
#define GRIDITEM_TEXT     0x0001
#define GRIDITEM_IMAGE    0x0002
#define GRIDITEM_PARAM    0x0004
#define GRIDITEM_STATE    0x0008
#define GRIDITEM_BKCLR    0x0010
#define GRIDITEM_FGCLR    0x0020
#define GRIDITEM_FORMAT   0x0040
#define GRIDITEM_FONT     0x0080
#define GRIDITEM_MARGIN   0x0100
#define GRIDITEM_ALL      (GRIDITEM_TEXT | GRIDITEM_IMAGE | GRIDITEM_PARAM | GRIDITEM_STATE | GRIDITEM_BKCLR | GRIDITEM_FGCLR | \
                       GRIDITEM_FORMAT | GRIDITEM_FONT | GRIDITEM_MARGIN)

// The display record of virtual mode and of GetItem / SetItem.
struct GRIDITEMINFO
{
    int row;
    int column;
    UINT mask;
    UINT state;
    UINT format;
    int image;
    COLORREF crBack;
    COLORREF crText;
    LPARAM lParam;
    LOGFONT lfFont;
    UINT margin;
    CString strText;
};

// The grid's notification record (WM_NOTIFY to the owner, else the parent).
struct NMGRIDCELL
{
    NMHDR hdr;
    int row;
    int column;
};

// Virtual-mode display request (LVN_GETDISPINFO) and the end-edit record.
struct GRIDDISPINFO
{
    NMHDR hdr;
    GRIDITEMINFO item;
};

// Virtual-mode cache hint (LVN_ODCACHEHINT).
struct GRIDCACHEHINT
{
    NMHDR hdr;
    CCellRange range;
};


class CGridCellBase : public CObject
{
    friend class CGridCtrl;
    DECLARE_DYNAMIC(CGridCellBase)

public:
    CGridCellBase();
    virtual ~CGridCellBase();

    // Setters.
    virtual void SetText(LPCTSTR /*szText*/) = 0;
    virtual void SetImage(int /*nImage*/) = 0;
    virtual void SetData(LPARAM /*lParam*/) = 0;
    virtual void SetState(DWORD nState) { m_nState = nState; }
    virtual void SetFormat(DWORD /*nFormat*/) = 0;
    virtual void SetTextClr(COLORREF /*clr*/) = 0;
    virtual void SetBackClr(COLORREF /*clr*/) = 0;
    virtual void SetFont(const LOGFONT* /*plf*/) = 0;
    virtual void SetMargin(UINT /*nMargin*/) = 0;
    virtual void SetGrid(CGridCtrl* /*pGrid*/) = 0;
    virtual void SetCoords(int nRow, int nCol)
    {
        m_nRow = nRow;
        m_nCol = nCol;
    }

    // Getters.
    virtual LPCTSTR GetText() const = 0;
    virtual LPCTSTR GetTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual LPARAM GetData() const = 0;
    virtual DWORD GetState() const { return m_nState; }
    virtual DWORD GetFormat() const = 0;
    virtual COLORREF GetTextClr() const = 0;
    virtual COLORREF GetBackClr() const = 0;
    virtual LOGFONT* GetFont() const = 0;
    virtual CFont* GetFontObject() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual CWnd* GetEditWnd() const = 0;
    virtual UINT GetMargin() const = 0;

    virtual CGridDefaultCell* GetDefaultCell() const;

    virtual BOOL IsDefaultFont() const = 0;
    virtual BOOL IsEditing() const = 0;
    virtual BOOL IsFocused() const { return (m_nState & CELLSTATE_FOCUSED) != 0; }
    virtual BOOL IsFixed() const { return (m_nState & CELLSTATE_FIXED) != 0; }
    virtual BOOL IsFixedCol() const { return (m_nState & CELLSTATE_FIXEDCOL) != 0; }
    virtual BOOL IsFixedRow() const { return (m_nState & CELLSTATE_FIXEDROW) != 0; }
    virtual BOOL IsSelected() const { return (m_nState & CELLSTATE_SELECTED) != 0; }
    virtual BOOL IsReadOnly() const { return (m_nState & CELLSTATE_READONLY) != 0; }
    virtual BOOL IsModified() const { return (m_nState & CELLSTATE_MODIFIED) != 0; }
    virtual BOOL IsDropHighlighted() const { return (m_nState & CELLSTATE_DROPHILITED) != 0; }

    // The virtual copy: through the accessors, so unset values arrive resolved.
    virtual void operator=(const CGridCellBase& cell);

    virtual void Reset();

    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    virtual BOOL GetTextRect(LPRECT pRect);
    virtual BOOL GetTipTextRect(LPRECT pRect) { return GetTextRect(pRect); }
    virtual CSize GetTextExtent(LPCTSTR str, CDC* pDC = NULL);
    virtual CSize GetCellExtent(CDC* pDC);

    virtual BOOL Edit(int /*nRow*/, int /*nCol*/, CRect /*rect*/, CPoint /*point*/, UINT /*nID*/, UINT /*nChar*/)
    {
        return FALSE;
    }
    virtual BOOL ValidateEdit(LPCTSTR /*str*/) { return TRUE; }
    virtual void EndEdit() {}

    virtual BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect);

    virtual void OnEndEdit() {}
    virtual void OnHoverStart() {}
    virtual void OnHover() {}
    virtual void OnHoverEnd() {}
    virtual void OnClick(CPoint /*PointCellRelative*/) {}
    virtual void OnPress(CPoint /*PointCellRelative*/) {}
    virtual void OnRightClick(CPoint /*PointCellRelative*/) {}
    virtual void OnDoubleClick(CPoint /*PointCellRelative*/) {}
    virtual BOOL OnSetCursor();

    // Passes a notification code to the grid's sender; 0 without a grid.
    LRESULT NotifyGrid(int nRow, int nCol, UINT nCode);

protected:
    DWORD m_nState;
    int m_nRow;
    int m_nCol;
};
