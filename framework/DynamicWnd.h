// DynamicWnd.h - the dynamic layout engine: a window's child controls follow
// the window's size by anchor percentages, described once per window class in
// a static dynamic map. cdxCDynamicWnd is a mix-in: the window form (dialog,
// form view, property sheet or page) is the first base and forwards its size,
// sizing, timer, min/max, parent-notify and destroy messages to it.
#pragma once

#include <afxwin.h>
#include "ProfileKeys.h"
#include <afxtempl.h>

class cdxCSizeIconCtrl;
class cdxCDynamicWnd;

// One row of a window class's dynamic map.
struct DynamicMapEntry
{
    int nType;     // 0 end of the map, 1 four percentages, 2 two layout modes
    int nID;       // dialog item id; 0 = every child not registered yet
    BYTE b1, b2, b3, b4;   // type 1: x1, y1, x2, y2; type 2: horizontal mode, vertical mode
};

// The dynamic map of a window class:
//   DECLARE_DYNAMIC_MAP()                         in the class
//   BEGIN_DYNAMIC_MAP(CMyDlg, cdxCDynamicDialog)  in the .cpp
//       DYNAMIC_MAP_ENTRY(IDC_LIST, 0, 0, 100, 100)
//       DYNAMIC_MAP_ENTRY_EX(IDOK, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
//       DYNAMIC_MAP_DEFAULT_ENTRY(0, 0, 0, 0)
//   END_DYNAMIC_MAP()
#define DECLARE_DYNAMIC_MAP() \
protected: \
    static const DynamicMapEntry s_dynamicMap[]; \
    const DynamicMapEntry* GetDynamicMap(const DynamicMapEntry* pAlreadySeen) const override;

#define BEGIN_DYNAMIC_MAP(theClass, baseClass) \
    const DynamicMapEntry* theClass::GetDynamicMap(const DynamicMapEntry* pAlreadySeen) const \
    { \
        return pAlreadySeen == theClass::s_dynamicMap ? NULL : theClass::s_dynamicMap; \
    } \
    const DynamicMapEntry theClass::s_dynamicMap[] = {

#define DYNAMIC_MAP_ENTRY(id, x1, y1, x2, y2) { 1, (int)(id), (BYTE)(x1), (BYTE)(y1), (BYTE)(x2), (BYTE)(y2) },
#define DYNAMIC_MAP_ENTRY_EX(id, modeH, modeV) { 2, (int)(id), (BYTE)(modeH), (BYTE)(modeV), 0, 0 },
#define DYNAMIC_MAP_DEFAULT_ENTRY(x1, y1, x2, y2) DYNAMIC_MAP_ENTRY(0, x1, y1, x2, y2)
#define DYNAMIC_MAP_DEFAULT_ENTRY_EX(modeH, modeV) DYNAMIC_MAP_ENTRY_EX(0, modeH, modeV)
#define END_DYNAMIC_MAP() { 0, 0, 0, 0, 0, 0 } };

// The snapshot one relayout computes positions from.
class cdxCDynamicLayoutInfo : public CObject
{
public:
    CSize m_szCurrent;      // current client size
    CSize m_szInitial;      // client size at set-up
    CSize m_szDelta;        // current - initial
    int m_nCtrlCnt;         // registered controls
    CPoint m_pntScrollPos;  // the owner's scroll position (scroll-aware owners only)
    BOOL m_bUseScrollPos;

    cdxCDynamicLayoutInfo() : m_nCtrlCnt(0), m_pntScrollPos(0, 0), m_bUseScrollPos(FALSE) {}
    // Nothing moves when neither the size nor the scroll position changed.
    BOOL IsDefault() const
    {
        return m_szDelta.cx == 0 && m_szDelta.cy == 0 &&
               (!m_bUseScrollPos || (m_pntScrollPos.x == 0 && m_pntScrollPos.y == 0));
    }
};

class cdxCDynamicWnd
{
public:
    enum Freedom { fdNone = 0, fdHoriz = 1, fdVert = 2, fdAll = 3 };
    enum Flags { flSizeIcon = 1, flAntiFlicker = 2, flSWPCopyBits = 4, flDefault = flSizeIcon | flAntiFlicker };
    // Layout modes, each expanded into the two percentages of one direction.
    enum Mode { mdNone = 0, mdResize = 1, mdRepos = 2, mdRelative = 3 };
    enum { DEFAULT_TIMER_ID = 29028, ANTI_FLICKER_DELAY = 120 };

    // A registered child: its initial rectangle, anchors and minimum size.
    struct Position
    {
        LONG left, top, right, bottom;   // normal-position rectangle at registration
        BYTE x1, y1, x2, y2;             // share (0..100) of the size change per edge
        CSize szMin;

        Position() : left(0), top(0), right(0), bottom(0), x1(0), y1(0), x2(0), y2(0), szMin(0, 0) {}
        CRect GetRect() const { return CRect(left, top, right, bottom); }
    };

    // The percentages (first edge, second edge) of one layout mode.
    static void ModeToPercent(BYTE nMode, BYTE& nFirst, BYTE& nSecond);

    cdxCDynamicWnd(Freedom fd, UINT nFlags);
    virtual ~cdxCDynamicWnd();

    // ---- what a window class may set before set-up ----
    CWnd* m_pWnd;                   // the owner; NULL before set-up and after destroy
    cdxCSizeIconCtrl* m_pSizeIcon;  // owned
    BYTE m_bIsAntiFlickering;       // the class redraw bits are currently altered
    int m_iDisabled;                // > 0: no layout
    int m_nOrgClassRedrawBits;      // CS_HREDRAW | CS_VREDRAW of the owner's class at set-up
    CMap<HWND, HWND, Position, const Position&> m_Map;
    int m_Freedom;
    UINT m_nDynFlags;
    CSize m_szInitial;
    CSize m_szMin;
    CSize m_szMax;                  // 0 = no limit
    UINT m_idSizeIcon;
    UINT_PTR m_nMyTimerID;          // 0 until set-up
    BYTE m_bUseScrollPos;           // form views: positions follow the scroll position

    // ---- virtual operations ----
    virtual int GetControlCount() const { return (int)m_Map.GetCount(); }
    virtual CSize GetCurrentClientSize() const;
    virtual BOOL UpdateControlPosition(CWnd& wnd, const Position& pos, BOOL bReposition);
    virtual void Layout();
    virtual BOOL GetControlPosition(HWND hWnd, UINT nID, CRect& rectNew, const cdxCDynamicLayoutInfo& li);
    virtual BOOL RemoveControl(HWND hWnd);
    virtual void RestoreWindowPosition() {}
    virtual void StoreWindowPosition() {}
    virtual cdxCDynamicLayoutInfo* DoCreateLayoutInfo();
    virtual void StartAntiFlickerTimer(BOOL bRightOrBottom);
    virtual const DynamicMapEntry* GetDynamicMap(const DynamicMapEntry* pAlreadySeen) const
    {
        (void)pAlreadySeen;
        return NULL;
    }

    // ---- operations ----
    BOOL IsWindow() const { return m_pWnd != NULL && ::IsWindow(m_pWnd->m_hWnd); }
    BOOL IsDisabled() const { return m_iDisabled > 0; }
    void DoInitWindow(CWnd& rWnd);
    void DoInitWindow(CWnd& rWnd, const CSize& szInitial);

    BOOL AddControl(CWnd& wnd, BYTE x1, BYTE y1, BYTE x2, BYTE y2, const CSize& szMin = CSize(0, 0),
                    BOOL bReposition = TRUE);
    BOOL AddControl(UINT nID, BYTE x1, BYTE y1, BYTE x2, BYTE y2, const CSize& szMin = CSize(0, 0),
                    BOOL bReposition = TRUE);
    BOOL AddControlByModes(CWnd& wnd, Mode modeH, Mode modeV, const CSize& szMin = CSize(0, 0),
                           BOOL bReposition = TRUE);
    BOOL AddControlByModes(UINT nID, Mode modeH, Mode modeV, const CSize& szMin = CSize(0, 0),
                           BOOL bReposition = TRUE);
    int AddAllChildControls(BYTE x1, BYTE y1, BYTE x2, BYTE y2, BOOL bOverwrite = FALSE, BOOL bRelayout = TRUE);
    BOOL RemoveControl(CWnd& wnd, BOOL bRestore);
    BOOL GetControlPositionRecord(HWND hWnd, Position& pos) const;
    CSize GetNonClientSize() const;
    BOOL GrowWindow(const CSize& szDelta);
    BOOL GrowWindowByPercent(int nPercent);

    // ---- message entry points for the window forms ----
    void DoOnSize(UINT nType);
    void DoOnSizing(UINT fwSide);
    void DoOnTimer(UINT_PTR nIDEvent);
    void DoOnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void DoOnParentNotify(UINT message, LPARAM lParam);
    void DoOnDestroy();

protected:
    // Puts the two class redraw bits back when the anti-flicker trick left them changed.
    void RestoreClassRedrawBits();
    BOOL RepositionNow(HWND hWnd);

private:
    cdxCDynamicWnd(const cdxCDynamicWnd&) = delete;
    void operator=(const cdxCDynamicWnd&) = delete;
};

// The engine that also keeps the owner's placement in the application profile,
// under "WindowPositions\<profile name>".
class cdxCDynamicWndEx : public cdxCDynamicWnd
{
public:
    cdxCDynamicWndEx(Freedom fd, UINT nFlags) : cdxCDynamicWnd(fd, nFlags) {}

    CString m_strProfileName;   // empty: the placement is not kept

    // Restore options.
    enum { rflg_state = 1, rflg_visibility = 2, rflg_all = rflg_state | rflg_visibility };

    BOOL StorePlacement(LPCTSTR lpszSection);
    BOOL RestorePlacement(LPCTSTR lpszSection, UINT nOptions);
    void RestoreWindowPosition() override;
    void StoreWindowPosition() override;
    CString GetPlacementSection() const { return CString(szWindowPositionsSection) + "\\" + m_strProfileName; }
};

// The message forwarders of a window form. A message map is a table of one
// class's member functions, so a template base cannot supply these handlers;
// the macros write them once for every form:
//   class CMyWnd : public CSomeWnd, public cdxCDynamicWnd
//   {
//   protected:
//       DECLARE_DYNAMIC_LAYOUT_HANDLERS()
//       DECLARE_MESSAGE_MAP()
//   };
//   BEGIN_MESSAGE_MAP(CMyWnd, CSomeWnd)
//       ON_DYNAMIC_LAYOUT_MESSAGES()
//   END_MESSAGE_MAP()
//   IMPLEMENT_DYNAMIC_LAYOUT_HANDLERS(CMyWnd, CSomeWnd)
// The window base sees each message first, except WM_DESTROY: the engine
// stores the placement and puts the class bits back while the window still
// works. The _NO_PARENT_NOTIFY forms leave WM_PARENTNOTIFY out: a child
// destroyed there keeps its record (the property sheet).
#define DECLARE_DYNAMIC_LAYOUT_HANDLERS_NO_PARENT_NOTIFY() \
    afx_msg void OnSize(UINT nType, int cx, int cy); \
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect); \
    afx_msg void OnTimer(UINT_PTR nIDEvent); \
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI); \
    afx_msg void OnDestroy();

#define DECLARE_DYNAMIC_LAYOUT_HANDLERS() \
    DECLARE_DYNAMIC_LAYOUT_HANDLERS_NO_PARENT_NOTIFY() \
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);

#define IMPLEMENT_DYNAMIC_LAYOUT_HANDLERS_NO_PARENT_NOTIFY(theClass, baseClass) \
    void theClass::OnSize(UINT nType, int cx, int cy) \
    { \
        baseClass::OnSize(nType, cx, cy); \
        DoOnSize(nType); \
    } \
    void theClass::OnSizing(UINT fwSide, LPRECT pRect) \
    { \
        baseClass::OnSizing(fwSide, pRect); \
        DoOnSizing(fwSide); \
    } \
    void theClass::OnTimer(UINT_PTR nIDEvent) \
    { \
        baseClass::OnTimer(nIDEvent); \
        DoOnTimer(nIDEvent); \
    } \
    void theClass::OnGetMinMaxInfo(MINMAXINFO* lpMMI) \
    { \
        baseClass::OnGetMinMaxInfo(lpMMI); \
        DoOnGetMinMaxInfo(lpMMI); \
    } \
    void theClass::OnDestroy() \
    { \
        DoOnDestroy(); \
        baseClass::OnDestroy(); \
    }

#define IMPLEMENT_DYNAMIC_LAYOUT_HANDLERS(theClass, baseClass) \
    IMPLEMENT_DYNAMIC_LAYOUT_HANDLERS_NO_PARENT_NOTIFY(theClass, baseClass) \
    void theClass::OnParentNotify(UINT message, LPARAM lParam) \
    { \
        baseClass::OnParentNotify(message, lParam); \
        DoOnParentNotify(message, lParam); \
    }

#define ON_DYNAMIC_LAYOUT_MESSAGES_NO_PARENT_NOTIFY() \
    ON_WM_SIZE() \
    ON_WM_SIZING() \
    ON_WM_TIMER() \
    ON_WM_GETMINMAXINFO() \
    ON_WM_DESTROY()

#define ON_DYNAMIC_LAYOUT_MESSAGES() \
    ON_DYNAMIC_LAYOUT_MESSAGES_NO_PARENT_NOTIFY() \
    ON_WM_PARENTNOTIFY()

// The placement record in the profile, shared by both layout engines.
BOOL AFXAPI cdxStoreWindowPlacement(CWnd* pWnd, LPCTSTR lpszSection);
// Grows a window by szDelta, half on each side, keeping its centre.
BOOL cdxGrowWindowAroundCentre(CWnd* pWnd, const CSize& szDelta);
BOOL AFXAPI cdxRestoreWindowPlacement(CWnd* pWnd, LPCTSTR lpszSection, UINT nOptions);

// ---------------------------------------------------------------------------
// cdxCSizeIconCtrl: the size grip in the bottom-right corner
// ---------------------------------------------------------------------------
class cdxCSizeIconCtrl : public CScrollBar
{
public:
    // The size-grip image, made once from the system's size-box bitmap.
    class AutoOEMImageList : public CImageList
    {
    public:
        AutoOEMImageList() : m_szImage(0, 0) {}
        BOOL EnsureCreated();
        CSize m_szImage;
    };
    static AutoOEMImageList& GetImageList();
    static HCURSOR GetSizeCursor();

    explicit cdxCSizeIconCtrl(BOOL bHideIfMaximised = TRUE) : m_bReflectParentState(bHideIfMaximised) {}
    virtual ~cdxCSizeIconCtrl() {}

    BOOL Create(CWnd* pParent, UINT nID);
    // The grip shows unless its parent is maximised (and it was asked to hide then).
    BOOL IsGripShown() const;
    void DrawGrip(CDC* pDC);

    BYTE m_bReflectParentState;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
