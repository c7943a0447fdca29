// The frames that host sizing bars: COXFrameWndSizeDock (SDI) and
// COXMDIFrameWndSizeDock (MDI). They dock bars in size dock bars along their
// four edges, keep each sizing bar's sizes in the profile beside the
// standard bar state ("BarSize_<id>", seven 32-bit integers, and
// "Version" 2), arrange floating frames, and answer the drag query message:
// non-zero lets sizing bars run their own drag (off until the program turns
// it on with SetOwnBarDrag).
#pragma once

#include <afxwin.h>
#include <afxext.h>

class COXSizeControlBar;

// The seven integers of a sizing bar's profile record.
struct OXBARSIZERECORD
{
    LONG nFloatCx, nFloatCy, nHorzCx, nHorzCy, nVertCx, nVertCy, nInMDIFloat;
};

// Operations both frames share, over the frame they are given.
namespace OXSizeDock
{
// Creates the size dock bars dwDockStyle asks for and makes
// floating frames of the standard kind.
void EnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle);
void TileDockedBars(CFrameWnd* pFrame, DWORD dwDockStyle);
void SaveSizeBarState(CFrameWnd* pFrame, LPCTSTR lpszProfileName, BOOL bExcludeViewBars);
void LoadSizeBarState(CFrameWnd* pFrame, LPCTSTR lpszProfileName);
void FloatControlBarNotify(CFrameWnd* pFrame, CControlBar* pBar, CPoint pt, DWORD dwStyle);
// pt in screen coordinates. A bar floating alone in a floating dock bar that
// allows every edge of dwStyle only moves there; any other gets a new
// floating frame, shown (without activation) only when the bar is visible.
void FloatControlBarAt(CFrameWnd* pFrame, CControlBar* pBar, CPoint pt, DWORD dwStyle);
// Arranges the floating frames of the frame's visible floating bars in
// pParent's client area; they lose the style bits dwStyleRemove.
void ArrangeFloatingBars(CFrameWnd* pFrame, CWnd* pParent, UINT nCorner, DWORD dwStyleRemove = 0);

// The record of a bar, and a stored value read back: FALSE for a value of
// another length; sizes are clamped to 0..32767 so that no stored value
// makes an absurd window.
OXBARSIZERECORD MakeRecord(const COXSizeControlBar* pBar, BOOL bInMDIFloat);
BOOL ReadRecord(const BYTE* pData, UINT nBytes, OXBARSIZERECORD& record);
CString RecordName(UINT nID);
// A record read back, every size bounded by the work area. The frame's own
// size bounds only how the dock bars lay a row out (a program loads its bars
// before it maximises its frame), so a size saved in a larger frame comes
// back whole once the frame is that large again.
void BoundRecord(OXBARSIZERECORD& record, CSize sizeWorkArea);

// Where ArrangeWindows puts windows of the given sizes in a client area of
// sizeClient, from the corner nCorner (bit 0x1 with 0x4: from the left, else
// from the right; 0x1 with 0x2: from the top, else from the bottom). The
// windows go in the order given (the caller sorts them, largest first) into
// bands: each window takes the first band, from the starting edge, in
// which it fits beside the windows already there; a new band opens below
// (above) the last. A window wider than the client keeps its place
// (its entry is FALSE in pPlaced).
void PlaceWindows(CSize sizeClient, const CSize* pSizes, int nCount, UINT nCorner, CPoint* pPositions,
                  BOOL* pPlaced);
void ArrangeWindows(CWnd* pParent, CObArray& arrWnd, UINT nCorner);
}   // namespace OXSizeDock

class COXFrameWndSizeDock : public CFrameWnd
{
    DECLARE_DYNCREATE(COXFrameWndSizeDock)
public:
    COXFrameWndSizeDock();

    void EnableDocking(DWORD dwDockStyle) { OXSizeDock::EnableDocking(this, dwDockStyle); }
    void TileDockedBars(DWORD dwDockStyle = CBRS_ALIGN_ANY) { OXSizeDock::TileDockedBars(this, dwDockStyle); }
    void SaveSizeBarState(LPCTSTR lpszProfileName) { OXSizeDock::SaveSizeBarState(this, lpszProfileName, FALSE); }
    void LoadSizeBarState(LPCTSTR lpszProfileName) { OXSizeDock::LoadSizeBarState(this, lpszProfileName); }
    void FloatControlBarNotify(CControlBar* pBar, CPoint pt, DWORD dwStyle)
    {
        OXSizeDock::FloatControlBarNotify(this, pBar, pt, dwStyle);
    }
    void FloatControlBarAt(CControlBar* pBar, CPoint pt, DWORD dwStyle)
    {
        OXSizeDock::FloatControlBarAt(this, pBar, pt, dwStyle);
    }
    void ArrangeFloatingBars(UINT nCorner) { OXSizeDock::ArrangeFloatingBars(this, this, nCorner); }
    void SetOwnBarDrag(BOOL bOwn) { m_bOwnBarDrag = bOwn; }

    BOOL m_bOwnBarDrag;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
};

class COXMDIFrameWndSizeDock : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(COXMDIFrameWndSizeDock)
public:
    COXMDIFrameWndSizeDock();

    void EnableDocking(DWORD dwDockStyle) { OXSizeDock::EnableDocking(this, dwDockStyle); }
    void TileDockedBars(DWORD dwDockStyle = CBRS_ALIGN_ANY) { OXSizeDock::TileDockedBars(this, dwDockStyle); }
    void SaveSizeBarState(LPCTSTR lpszProfileName) { OXSizeDock::SaveSizeBarState(this, lpszProfileName, FALSE); }
    void SaveSizeBarStateExcludingViewBars(LPCTSTR lpszProfileName)
    {
        OXSizeDock::SaveSizeBarState(this, lpszProfileName, TRUE);
    }
    void LoadSizeBarState(LPCTSTR lpszProfileName) { OXSizeDock::LoadSizeBarState(this, lpszProfileName); }
    void FloatControlBarNotify(CControlBar* pBar, CPoint pt, DWORD dwStyle)
    {
        OXSizeDock::FloatControlBarNotify(this, pBar, pt, dwStyle);
    }
    void FloatControlBarAt(CControlBar* pBar, CPoint pt, DWORD dwStyle)
    {
        OXSizeDock::FloatControlBarAt(this, pBar, pt, dwStyle);
    }
    void ArrangeFloatingBars(UINT nCorner);
    void SetOwnBarDrag(BOOL bOwn) { m_bOwnBarDrag = bOwn; }

    // A docked MDI child that counts as the active one. Children delete
    // themselves, so the frame keeps the window handle and finds the object
    // through the permanent map: a child gone reads as none.
    CMDIChildWnd* GetActiveDockedChild();
    void SetActiveDockedChild(CWnd* pChild);
    CMDIChildWnd* GetActiveMDIChild(BOOL* pbMaximized = NULL);
    BOOL IsActiveChildMaximized();

    COXSizeControlBar* m_pActiveSizeBar;
    HWND m_hWndActiveDockedChild;
    BOOL m_bClosing;
    BOOL m_bOwnBarDrag;

    // Docked MDI children (COXMDIChildWndSizeDock) and bars floating as MDI
    // children (COXMDIFloatWnd). A docked child becomes the active one
    // without MDI activation; any other is activated by the MDI client.
    void ActivateMDIChild(CMDIChildWnd* pChild);
    // Gives the active child the active caption, its view to the frame,
    // and updates the title.
    void UpdateActiveChildState();
    // Makes pView the frame's active view; a view floating in a view bar's
    // frame is moved in hidden for the change, so that it neither shows nor
    // activates that frame, and then goes back with its style as it was.
    void SetActiveViewOf(CView* pView);
    // Another shown MDI child than pChild becomes the active one.
    void ActivateNextChild(CMDIChildWnd* pChild);
    void MDIMaximizeChild(CWnd* pWnd);
    void MDIRestoreChild(CWnd* pWnd);
    // pt in screen coordinates; the window stays inside the MDI client.
    void FloatControlBarInMDIChild(CControlBar* pBar, CPoint pt, DWORD dwStyle = CBRS_ALIGN_TOP, BOOL bShow = TRUE);
    // Out of an MDI float window into a floating frame at that window's
    // top-left.
    void FloatControlBarInFrame(CControlBar* pBar, CPoint pt, DWORD dwStyle = CBRS_ALIGN_TOP);
    void UndockAllChildren();

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    BOOL DestroyWindow() override;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCloseFrame();
    // The dock item of a maximised child's system menu, chosen in the menu
    // bar, reaches the frame: it goes on to the child.
    BOOL RouteDockCommand(UINT nID);
};
