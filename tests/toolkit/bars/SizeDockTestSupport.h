// What tests of sizing bars in size-dock frames share: a watch that learns of
// every fault a layout raised where the layer's dispatch caught it, and the
// user's gestures given as the messages the windows' own loops read.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include <string>
#include <vector>

#include "OXSizeDockBar.h"
#include "testsupport.h"

// A layout run from a message (a size change, the idle layout, a drag's end)
// is inside the layer's dispatch, which catches what it throws and reports it
// (a log line through the exception log hook, and a box): the test that
// caused it would never see it. While a watch lives, hardware faults on this
// thread become exceptions (as the program's exception reporter makes them),
// every report is kept and every box is answered.
class CLayoutFaultWatch
{
public:
    CLayoutFaultWatch();
    ~CLayoutFaultWatch();
    CLayoutFaultWatch(const CLayoutFaultWatch&) = delete;
    CLayoutFaultWatch& operator=(const CLayoutFaultWatch&) = delete;

    // The reports and the texts of the boxes shown since the last Clear.
    std::vector<std::string> Faults() const;
    // Adds a fault the test caught itself (a step's direct call threw).
    void Note(const std::string& strFault) { m_faults.push_back(strFault); }
    void Clear();

private:
    static void AFXAPI OnLog(LPCTSTR lpszText);
    static void __cdecl Translate(unsigned int nCode, EXCEPTION_POINTERS* pPointers);

    CDialogAnswerer m_answerer;
    std::vector<std::string> m_faults;
    AFX_EXCEPTION_LOG_HOOK m_pfnOldHook;
    AFX_SE_TRANSLATOR m_pfnOldTranslator;
    CLayoutFaultWatch* m_pPrevious;
};

// A frame a test docks its bars in (created, its docking enabled by its own
// kind's EnableDocking, which is not virtual): while shown it is the
// application's main window (a floating frame's owner); Close puts the old
// main window back and destroys the frame if it still is one.
class CTestMainFrame
{
public:
    void Show(CFrameWnd* pFrame);
    void Close();

private:
    CFrameWnd* m_pFrame = NULL;
    CWnd* m_pOldMain = NULL;
};

// A window's rectangle on the screen, and its text.
CRect WindowRectOf(CWnd* pWnd);
std::string NameOf(CWnd* pWnd);

// The rows of a dock bar as text, "[Bar 1, #59471] [Bar 2]": bars by their
// window text, place-holders by '#' and their id.
std::string DescribeRows(CDockBar* pDock);

// Drags a splitter of a dock bar by d (along x for a vertical strip, y for a
// horizontal one): the moves and the release are queued before the press,
// and the tracker's loop, run from the press, reads them.
void DragSplitterByMessages(COXSizeDockBar* pDock, int nSplitter, int d);

// Drags a docked or floating bar through its dock context from a point on
// it (screen) to ptTo (screen), released there.
void DragBarByMessages(CControlBar* pBar, CPoint ptFrom, CPoint ptTo);

// The double click on a floating bar's frame caption that docks it back.
void DoubleClickFloatingCaption(CControlBar* pBar);
