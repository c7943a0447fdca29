// GridDefaultCell.h - CGridDefaultCell: the cell that supplies, to every cell
// that leaves a property unset, the format, colours, font, margin, and the
// default column width and row height. Every grid owns four.
#pragma once

#include "GridCell.h"

class CGridDefaultCell : public CGridCell
{
    DECLARE_DYNCREATE(CGridDefaultCell)

public:
    CGridDefaultCell();
    virtual ~CGridDefaultCell();

    DWORD GetState() const override { return m_nState | CELLSTATE_READONLY; }
    void SetState(DWORD /*nState*/) override {}
    void SetData(LPARAM /*lParam*/) override {}
    void SetFont(const LOGFONT* plf) override;
    LOGFONT* GetFont() const override { return m_pLogFont; }
    CFont* GetFontObject() const override;

    virtual BOOL GetFlag() const { return m_bFlag; }
    virtual void SetFlag(BOOL bFlag) { m_bFlag = bFlag; }
    virtual int GetWidth() const { return m_nWidth; }
    virtual int GetHeight() const { return m_nHeight; }
    virtual void SetWidth(int nWidth) { m_nWidth = nWidth; }
    virtual void SetHeight(int nHeight) { m_nHeight = nHeight; }

protected:
    int m_nWidth;
    int m_nHeight;
    CFont m_Font;
    BOOL m_bFlag;
};
