// COXTreeCal: the tree's date editor, a calendar over a cell that reports the
// end of its edit itself, exactly once, and writes only a date it can read.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "OXCalendar.h"
#include "OXHookWnd.h"

class COXTreeCtrl;
class COXTreeCal;

// Return and Escape reaching the calendar's field as plain key messages (a
// loop that does not pre-translate, or a message sent straight to it).
class COXTreeCalKeys : public COXHookWnd
{
public:
    COXTreeCal* m_pCal = NULL;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class COXTreeCal : public COXCalendar
{
public:
    COXTreeCal() : m_nColumn(0), m_nRow(-1), m_bEnded(FALSE), m_pTree(NULL), m_bKeyTaken(FALSE) {}

    // Puts the cell's text into the field; the cell's choices, when there
    // are any, give the earliest and the latest date.
    void StartEdit(COXTreeCtrl* pTree, HTREEITEM hItem, int nRow, int nColumn);
    // Reports the field's text and destroys the window. A commit whose text
    // is neither a date in the range nor empty is reported as a cancel.
    void EndEdit(BOOL bCommit);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Whether the field's text may be written into the cell: empty, or a
    // date within the calendar's range.
    BOOL IsTextCommittable();

    int m_nColumn;
    int m_nRow;
    BOOL m_bEnded;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL IsOwnWindow(HWND hWnd) const;
    friend class COXTreeCalKeys;

    COXTreeCtrl* m_pTree;
    BOOL m_bKeyTaken;
    COXTreeCalKeys m_keys;
};
