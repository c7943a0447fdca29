// COXLayoutManager: keeps the child controls of one container in place when
// it is resized. Each child's sides are tied to an edge of the container or
// of another child, at a fixed distance or at a share of the base's extent,
// with optional minimum and maximum sizes; the container is subclassed and
// every WM_SIZE moves all children in one deferred batch.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#define OX_LM_NONE 0x7FFF   // no value
#define OX_LM_BUSY 0x7FFE   // being computed: meeting it again is a cycle

// Sides, combinable.
#define OX_LMS_TOP 1
#define OX_LMS_BOTTOM 2
#define OX_LMS_LEFT 4
#define OX_LMS_RIGHT 8
#define OX_LMS_ALL (OX_LMS_TOP | OX_LMS_BOTTOM | OX_LMS_LEFT | OX_LMS_RIGHT)

// Constraint kinds.
#define OX_LMT_NONE 0
#define OX_LMT_SAME 1       // value pixels from the base's same edge
#define OX_LMT_OPPOSITE 2   // value pixels from the base's opposite edge
#define OX_LMT_POSITION 3   // value / base-denominator of the base's extent

struct OXSideConstraint
{
    int nBaseID;      // 0: the container
    int nOffset;
    int nFarOffset;
    int nPos;         // the computed coordinate
    int nBaseIndex;   // cached index of the base's record, verified before use
};

class COXWndConstraint
{
public:
    explicit COXWndConstraint(int nID);

    // Index of a side in m_sides: top 0, bottom 1, left 2, right 3.
    static int SideIndex(int nSide);
    BOOL IsConstrained(int nIndex) const
    { return m_sides[nIndex].nOffset != OX_LM_NONE || m_sides[nIndex].nFarOffset != OX_LM_NONE; }

    int m_nID;
    BOOL m_bMinMax;
    int m_nMinWidth;
    int m_nMinHeight;
    int m_nMaxWidth;
    int m_nMaxHeight;
    OXSideConstraint m_sides[4];
};

class COXLayoutManager : public CObject
{
    DECLARE_DYNCREATE(COXLayoutManager)
public:
    explicit COXLayoutManager(CWnd* pContainer = NULL);
    virtual ~COXLayoutManager();

    void Attach(CWnd* pContainer);
    void Detach();
    CWnd* GetContainer() const { return m_pContainerWnd; }

    int AddChild(int nID, BOOL bSetDefault = TRUE);
    int AddChild(CWnd* pChild, BOOL bSetDefault = TRUE);
    void AddAllChildren(BOOL bSetDefault = TRUE);
    BOOL RemoveChild(int nID);
    void RemoveAllChildren();
    int GetChildCount() const { return (int)m_arrConstraints.GetSize(); }

    BOOL SetConstraint(int nID, int nSides, int nKind, int nValue, int nBaseID = 0);
    BOOL TieChild(int nID, int nSides, int nKind, int nBaseID = 0);
    BOOL RemoveConstraint(int nID, int nSides);
    BOOL GetConstraint(int nID, int nSide, int& nKind, int& nValue, int& nBaseID) const;
    BOOL SetMinMax(int nID, int nMinWidth, int nMinHeight, int nMaxWidth, int nMaxHeight);
    BOOL GetMinMax(int nID, SIZE& sizeMin, SIZE& sizeMax) const;

    virtual void SetDefaultConstraint(int nID);
    virtual BOOL RedrawLayout();
    virtual BOOL OnSize(int cx, int cy);

protected:
    int FindRecord(int nID) const;
    COXWndConstraint* GetRecord(int nID) const;
    void ResetBounds();
    BOOL ComputeSide(int nIndex, int nSide, int& nResult);
    BOOL CurrentEdges(int nID, CRect& rect) const;
    BOOL LayOut(int cx, int cy);
    BOOL MoveChildren();
    BOOL Subclass(HWND hWnd);
    void Unsubclass();
    static LRESULT CALLBACK LayoutWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CWnd* m_pContainerWnd;
    int m_nBase;
    int m_nMinMaxCount;
    int m_cx;
    int m_cy;
    int m_nMinWidth;
    int m_nMaxWidth;
    int m_nMinHeight;
    int m_nMaxHeight;
    CArray<COXWndConstraint*, COXWndConstraint*> m_arrConstraints;
    HWND m_hWndSubclassed;
    WNDPROC m_pfnOldWndProc;
};
