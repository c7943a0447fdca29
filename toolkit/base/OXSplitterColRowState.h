// COXSplitterColRowState: the size of one row or column of a splitter, kept
// and put back. COXSplitterRect: a splitter strip between docked bars, which
// can draw itself in 3D.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class COXSplitterColRowState : public CObject
{
    DECLARE_SERIAL(COXSplitterColRowState)
public:
    COXSplitterColRowState();

    BOOL Capture(CSplitterWnd* pSplitter, int nIndex, BOOL bRow);
    BOOL Apply(CSplitterWnd* pSplitter) const;
    virtual void Serialize(CArchive& ar);

    // The first splitter among a frame's children, NULL when it has none.
    static CSplitterWnd* FindSplitter(CWnd* pFrame);
    // Every row, then every column, of the splitter added to states (new
    // objects the array's owner deletes); FALSE when one could not be read.
    static BOOL CaptureAll(CSplitterWnd* pSplitter, CObArray& states);
    // The states put back (one naming no row or column of the splitter is
    // passed over and makes the answer FALSE), then the splitter laid out.
    static BOOL ApplyAll(CSplitterWnd* pSplitter, const CObArray& states);

    BOOL m_bRow;
    int m_nIndex;
    int m_nIdealSize;
    int m_nMinSize;
    int m_nSerializedVersion;
};

class COXSplitterRect : public CObject
{
public:
    COXSplitterRect(int nType, const RECT& rect) : m_rect(rect), m_nType((signed char)nType), m_nBarIndex(0) {}
    virtual ~COXSplitterRect() {}

    void Draw(CDC* pDC) const;

    enum { vertical = 1, horizontal = 2 };
    RECT m_rect;
    signed char m_nType;
    // Where in its dock bar's bar array the splitter was laid out.
    int m_nBarIndex;
};
