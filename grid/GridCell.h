// GridCell.h - CGridCell: the ordinary cell the grid creates for every cell
//. Unset properties (format, colours, font, margin) fall back to
// the grid's matching default cell.
#pragma once

#include "GridCellBase.h"

class CGridCell : public CGridCellBase
{
    friend class CGridCtrl;
    DECLARE_DYNCREATE(CGridCell)

public:
    CGridCell();
    virtual ~CGridCell();

    void operator=(const CGridCell& cell)
    {
        if (this != &cell)
            CGridCellBase::operator=(cell);
    }
    using CGridCellBase::operator=;

    void SetText(LPCTSTR szText) override { m_strText = szText; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }
    void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
    void SetTextClr(COLORREF clr) override { m_crText = clr; }
    void SetBackClr(COLORREF clr) override { m_crBack = clr; }
    void SetFont(const LOGFONT* plf) override;
    void SetMargin(UINT nMargin) override { m_nMargin = nMargin; }
    void SetCoords(int /*nRow*/, int /*nCol*/) override {}   // ordinary cells do not know their place

    CWnd* GetEditWnd() const override { return m_pEditWnd; }
    LPCTSTR GetText() const override { return m_strText.IsEmpty() ? _T("") : (LPCTSTR)m_strText; }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override { return m_crText; }
    COLORREF GetBackClr() const override { return m_crBack; }
    LOGFONT* GetFont() const override;
    CFont* GetFontObject() const override;
    UINT GetMargin() const override;

    BOOL IsEditing() const override { return m_bEditing; }
    BOOL IsDefaultFont() const override { return m_pLogFont == NULL; }
    void Reset() override;

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    CString m_strText;
    LPARAM m_lParam;
    int m_nImage;
    DWORD m_nFormat;
    COLORREF m_crText;
    COLORREF m_crBack;
    LOGFONT* m_pLogFont;
    UINT m_nMargin;
    BOOL m_bEditing;
    CGridCtrl* m_pGrid;
    CWnd* m_pEditWnd;
};
