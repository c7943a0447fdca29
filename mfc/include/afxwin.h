// afxwin.h - the window core of the layer: command targets and message maps,
// CWnd, threads and the application object, and the headers of the window,
// GDI, control and document families.
#ifndef PELLUCOR_AFXWIN_H
#define PELLUCOR_AFXWIN_H

#include "afx.h"
#if __has_include("afxcoll.h")
#include "afxcoll.h"
#endif
#include "atltypes.h"
#include "afxres.h"
#include <commctrl.h>
#include <shellapi.h>

// winuser.h makes GetNextWindow a two-argument macro, which would break the
// CWnd member of that name; keep the Win32 call available as a function.
#ifdef GetNextWindow
#undef GetNextWindow
inline HWND GetNextWindow(HWND hWnd, UINT wCmd) { return ::GetWindow(hWnd, wCmd); }
#endif

#ifndef afx_msg
#define afx_msg
#endif

// ---------------------------------------------------------------------------
// Classes declared here or in the family headers included below
// ---------------------------------------------------------------------------
class CCmdTarget;
class CCmdUI;
class CWnd;
class CWinThread;
class CWinApp;
class CCommandLineInfo;
class CRecentFileList;
class COleDropTarget;
class COleDataObject;
// GDI and menus (afxwin_gdi.h)
class CDC;
class CGdiObject;
class CPen;
class CBrush;
class CFont;
class CBitmap;
class CPalette;
class CRgn;
class CMenu;
class CImageList;
// Dialogs and controls (afxwin_ctl.h)
class CDialog;
class CDataExchange;
class CScrollBar;
class CListBox;
// Documents, views and frames (afxwin_doc.h)
class CDocument;
class CView;
class CFrameWnd;
class CMDIFrameWnd;
class CMDIChildWnd;
class CDocTemplate;
class CDocManager;
struct CCreateContext;

#if __has_include("afxwin_gdi.h")
#include "afxwin_gdi.h"
#endif

// ---------------------------------------------------------------------------
// The framework's private window messages
// ---------------------------------------------------------------------------
#define WM_SIZEPARENT       0x0361  // lParam = AFX_SIZEPARENTPARAMS*
#define WM_SETMESSAGESTRING 0x0362  // wParam = string id (or 0), lParam = text
#define WM_IDLEUPDATECMDUI  0x0363  // wParam = bDisableIfNoHandler
#define WM_INITIALUPDATE    0x0364  // sent to views by the frame
#define WM_COMMANDHELP      0x0365
#define WM_HELPHITTEST      0x0366
#define WM_EXITHELPMODE     0x0367
#define WM_RECALCPARENT     0x0368
#define WM_SIZECHILD        0x0369
#define WM_KICKIDLE         0x036A  // posted to run idle processing
#define WM_QUERYCENTERWND   0x036B
#define WM_DISABLEMODAL     0x036C
#define WM_FLOATSTATUS      0x036D
#define WM_ACTIVATETOPLEVEL 0x036E

// The old combined control-colour message: ON_WM_CTLCOLOR entries are keyed
// by it and receive every WM_CTLCOLORxxx message.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// A child's notification reflected back to the child's own message map is
// keyed as WM_REFLECT_BASE + the original message.
#define WM_REFLECT_BASE 0xBC00

// Command codes carried in CCmdTarget::OnCmdMsg's nCode.
#define CN_COMMAND            0
#define CN_UPDATE_COMMAND_UI  ((UINT)(-1))
#define CN_NOTIFY             0x004E   // WM_NOTIFY, the high word of a notify nCode

// Frame window styles.
#define FWS_ADDTOTITLE  0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS  0x00002000L
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// Layout request passed to bars with WM_SIZEPARENT.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;       // deferred moves, or NULL when only measuring
    RECT rect;       // the parent's client area still free
    SIZE sizeTotal;  // space taken by the bars so far
    BOOL bStretch;   // whether bars stretch to the full width/height
};

// Reflected WM_CTLCOLORxxx: lParam of WM_REFLECT_BASE + WM_CTLCOLOR.
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// pExtra of OnCmdMsg for a WM_NOTIFY.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// ---------------------------------------------------------------------------
// Message maps
//
// An entry binds a handler through a static_cast to the exact member-function
// type the message calls, so a handler with the wrong signature does not
// compile. Keep the window class first among the bases of a class that has a
// message map (no virtual inheritance): handlers are called through pointers
// to members of CCmdTarget/CWnd/CWinThread.
// ---------------------------------------------------------------------------
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSGW)(void);
typedef void (AFX_MSG_CALL CWinThread::*AFX_PMSGT)(void);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;   // window message (WM_COMMAND/WM_NOTIFY for commands and notifications)
    UINT nCode;      // control or notify code, CN_COMMAND or CN_UPDATE_COMMAND_UI
    UINT nID;        // control or command id (0 for window messages)
    UINT nLastID;    // last id of a range
    UINT_PTR nSig;   // AfxSig: how to crack and call; for registered messages the UINT*
    AFX_PMSG pfn;    // the handler
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Handler to look up without calling (CCmdTarget::OnCmdMsg's pHandlerInfo).
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// The call shapes of handlers. Each ON_ macro names the one its handler has.
enum AfxSig : UINT_PTR
{
    AfxSig_end = 0,
    // commands, notifications and control notifications (CCmdTarget members)
    AfxSigCmd_v,            // void ()
    AfxSigCmd_b,            // BOOL ()                    reflected _EX
    AfxSigCmd_RANGE,        // void (UINT id)
    AfxSigCmd_EX,           // BOOL (UINT id)
    AfxSigCmdUI,            // void (CCmdUI*)
    AfxSigNotify_v,         // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,         // BOOL (NMHDR*, LRESULT*)    reflected _EX
    AfxSigNotify_RANGE,     // void (UINT id, NMHDR*, LRESULT*)
    AfxSigNotify_EX,        // BOOL (UINT id, NMHDR*, LRESULT*)
    // generic window-message shapes (CWnd members)
    AfxSig_lwl,             // LRESULT (WPARAM, LPARAM)   ON_MESSAGE
    AfxSig_vv,              // void ()
    AfxSig_bv,              // BOOL ()
    AfxSig_uv,              // UINT ()
    AfxSig_hv,              // HCURSOR ()
    AfxSig_lv,              // LRESULT ()
    AfxSig_vb,              // void (BOOL)
    AfxSig_bb,              // BOOL (BOOL)
    AfxSig_vW,              // void (CWnd*) from wParam
    AfxSig_vWl,             // void (CWnd*) from lParam
    AfxSig_vPOINT,          // void (UINT, CPoint): mouse messages
    AfxSig_vuuu,            // void (UINT, UINT, UINT): keyboard messages
    AfxSig_vuPOINT,         // void (UINT nHitTest, CPoint): non-client mouse messages
    // one shape per message
    AfxSig_OnCreate,        // int (LPCREATESTRUCT)
    AfxSig_OnNcCreate,      // BOOL (LPCREATESTRUCT)
    AfxSig_OnSize,          // void (UINT, int, int)
    AfxSig_OnMove,          // void (int, int)
    AfxSig_OnTimer,         // void (UINT_PTR)
    AfxSig_OnSizing,        // void (UINT, LPRECT)
    AfxSig_OnGetMinMaxInfo, // void (MINMAXINFO*)
    AfxSig_OnParentNotify,  // void (UINT, LPARAM)
    AfxSig_OnEraseBkgnd,    // BOOL (CDC*)
    AfxSig_OnCtlColor,      // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_OnSettingChange, // void (UINT, LPCTSTR)
    AfxSig_OnContextMenu,   // void (CWnd*, CPoint)
    AfxSig_OnInitMenuPopup, // void (CMenu*, UINT, BOOL)
    AfxSig_OnInitMenu,      // void (CMenu*)
    AfxSig_OnMeasureItem,   // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_OnDrawItem,      // void (int, LPDRAWITEMSTRUCT)
    AfxSig_OnCompareItem,   // int (int, LPCOMPAREITEMSTRUCT)
    AfxSig_OnDeleteItem,    // void (int, LPDELETEITEMSTRUCT)
    AfxSig_OnCharToItem,    // int (UINT, CListBox*, UINT)
    AfxSig_OnMenuChar,      // LRESULT (UINT, UINT, CMenu*)
    AfxSig_OnEnterIdle,     // void (UINT, CWnd*)
    AfxSig_OnMouseActivate, // int (CWnd*, UINT, UINT)
    AfxSig_OnSetCursor,     // BOOL (CWnd*, UINT, UINT)
    AfxSig_OnActivate,      // void (UINT, CWnd*, BOOL)
    AfxSig_OnActivateApp,   // void (BOOL, DWORD)
    AfxSig_OnNcCalcSize,    // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_OnNcHitTest,     // LRESULT (CPoint)
    AfxSig_OnWindowPos,     // void (WINDOWPOS*)
    AfxSig_OnShowWindow,    // void (BOOL, UINT)
    AfxSig_OnSysCommand,    // void (UINT, LPARAM)
    AfxSig_OnScroll,        // void (UINT, UINT, CScrollBar*)
    AfxSig_OnMouseWheel,    // BOOL (UINT, short, CPoint)
    AfxSig_OnStyleChanged,  // void (int, LPSTYLESTRUCT)
    AfxSig_OnDropFiles,     // void (HDROP)
    AfxSig_OnCopyData,      // BOOL (CWnd*, COPYDATASTRUCT*)
    AfxSig_OnMenuSelect,    // void (UINT, UINT, HMENU)
    AfxSig_OnDevModeChange, // void (LPTSTR)
    AfxSig_OnHelpInfo,      // BOOL (HELPINFO*)
    AfxSig_OnMDIActivate,   // void (BOOL, CWnd*, CWnd*)
    AfxSig_OnMouseHover,    // void (UINT, CPoint)
    AfxSig_OnRenderFormat,  // void (UINT)
    // reflected to the control's own map
    AfxSig_CtlColorReflect, // HBRUSH (CDC*, UINT)
    AfxSig_DrawItemReflect, // void (LPDRAWITEMSTRUCT)
    AfxSig_MeasureItemReflect, // void (LPMEASUREITEMSTRUCT)
    AfxSig_DeleteItemReflect,  // void (LPDELETEITEMSTRUCT)
    AfxSig_CompareItemReflect, // int (LPCOMPAREITEMSTRUCT)
    AfxSig_ToItemReflect,   // int (UINT, UINT)   char/vkey to item
    AfxSig_ScrollReflect,   // void (UINT, UINT)
    AfxSig_ParentNotifyReflect, // void (UINT, LPARAM)
    // thread messages (CWinThread members)
    AfxSig_vwl,             // void (WPARAM, LPARAM)
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass) \
    template <typename type_name> \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const { return GetThisMessageMap(); } \
    template <typename type_name> \
    const AFX_MSGMAP* PASCAL theClass<type_name>::GetThisMessageMap() \
    { \
        typedef theClass<type_name> ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// Casts that check the handler's type, then store it as an AFX_PMSG.
#define AFX_CMD_HANDLER(type, fn) (reinterpret_cast<AFX_PMSG>(static_cast<type>(fn)))
#define AFX_WND_HANDLER(type, fn) \
    (static_cast<AFX_PMSG>(reinterpret_cast<AFX_PMSGW>(static_cast<type>(fn))))
#define AFX_THREAD_HANDLER(type, fn) \
    (static_cast<AFX_PMSG>(reinterpret_cast<AFX_PMSGT>(static_cast<type>(fn))))

#define AFX_WM_ENTRY(msg, sig, type, fn) \
    { msg, 0, 0, 0, sig, AFX_WND_HANDLER(type, &ThisClass::fn) },

// ---- commands and command UI ----------------------------------------------
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(void), memberFxn) },
#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_EX, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*), memberFxn) },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmdUI, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*), memberFxn) },
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, CN_UPDATE_COMMAND_UI, 0, 0, AfxSigCmdUI, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*), memberFxn) },

// ---- control notifications (WM_COMMAND from a control) ---------------------
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(void), memberFxn) },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },

#define ON_BN_CLICKED(id, memberFxn)       ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn)      ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn)     ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)        ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn)        ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn)      ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn)     ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn)       ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn)      ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn)       ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn)       ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn)    ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)       ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn)     ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn)    ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn)    ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_ERRSPACE(id, memberFxn)     ON_CONTROL(LBN_ERRSPACE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn)    ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn)   ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn)   ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn)     ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn)      ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn)     ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn)       ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn)     ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn)    ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_ERRSPACE(id, memberFxn)     ON_CONTROL(CBN_ERRSPACE, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn)      ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn)       ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_STN_ENABLE(id, memberFxn)       ON_CONTROL(STN_ENABLE, id, memberFxn)
#define ON_STN_DISABLE(id, memberFxn)      ON_CONTROL(STN_DISABLE, id, memberFxn)

// ---- WM_NOTIFY -------------------------------------------------------------
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_EX, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_EX, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },

// ---- reflected to the control that sent them --------------------------------
// Plain _REFLECT entries consume the notification; with _REFLECT_EX the
// handler returns FALSE to let the parent have it as well.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(void), memberFxn) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(void), memberFxn) },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },

#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_WM_ENTRY(WM_CTLCOLOR + WM_REFLECT_BASE, AfxSig_CtlColorReflect, \
                 HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_WM_ENTRY(WM_DRAWITEM + WM_REFLECT_BASE, AfxSig_DrawItemReflect, \
                 void (AFX_MSG_CALL CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_WM_ENTRY(WM_MEASUREITEM + WM_REFLECT_BASE, AfxSig_MeasureItemReflect, \
                 void (AFX_MSG_CALL CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem)
#define ON_WM_DELETEITEM_REFLECT() \
    AFX_WM_ENTRY(WM_DELETEITEM + WM_REFLECT_BASE, AfxSig_DeleteItemReflect, \
                 void (AFX_MSG_CALL CWnd::*)(LPDELETEITEMSTRUCT), DeleteItem)
#define ON_WM_COMPAREITEM_REFLECT() \
    AFX_WM_ENTRY(WM_COMPAREITEM + WM_REFLECT_BASE, AfxSig_CompareItemReflect, \
                 int (AFX_MSG_CALL CWnd::*)(LPCOMPAREITEMSTRUCT), CompareItem)
#define ON_WM_CHARTOITEM_REFLECT() \
    AFX_WM_ENTRY(WM_CHARTOITEM + WM_REFLECT_BASE, AfxSig_ToItemReflect, \
                 int (AFX_MSG_CALL CWnd::*)(UINT, UINT), CharToItem)
#define ON_WM_VKEYTOITEM_REFLECT() \
    AFX_WM_ENTRY(WM_VKEYTOITEM + WM_REFLECT_BASE, AfxSig_ToItemReflect, \
                 int (AFX_MSG_CALL CWnd::*)(UINT, UINT), VKeyToItem)
#define ON_WM_HSCROLL_REFLECT() \
    AFX_WM_ENTRY(WM_HSCROLL + WM_REFLECT_BASE, AfxSig_ScrollReflect, \
                 void (AFX_MSG_CALL CWnd::*)(UINT, UINT), HScroll)
#define ON_WM_VSCROLL_REFLECT() \
    AFX_WM_ENTRY(WM_VSCROLL + WM_REFLECT_BASE, AfxSig_ScrollReflect, \
                 void (AFX_MSG_CALL CWnd::*)(UINT, UINT), VScroll)
#define ON_WM_PARENTNOTIFY_REFLECT() \
    AFX_WM_ENTRY(WM_PARENTNOTIFY + WM_REFLECT_BASE, AfxSig_ParentNotifyReflect, \
                 void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), ParentNotify)

// ---- user, registered and thread messages -----------------------------------
#define ON_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, AfxSig_lwl, \
      AFX_WND_HANDLER(LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), memberFxn) },
// nSig holds the address of the variable with the registered message number.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, (UINT_PTR)(const UINT*)(&nMessageVariable), \
      AFX_WND_HANDLER(LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), memberFxn) },
#define ON_THREAD_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, AfxSig_vwl, \
      AFX_THREAD_HANDLER(void (AFX_MSG_CALL CWinThread::*)(WPARAM, LPARAM), memberFxn) },
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, (UINT_PTR)(const UINT*)(&nMessageVariable), \
      AFX_THREAD_HANDLER(void (AFX_MSG_CALL CWinThread::*)(WPARAM, LPARAM), memberFxn) },

// ---- window messages --------------------------------------------------------
#define AFX_SIG_VV  void (AFX_MSG_CALL CWnd::*)(void)
#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, AfxSig_OnCreate, int (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() AFX_WM_ENTRY(WM_NCCREATE, AfxSig_OnNcCreate, BOOL (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, AfxSig_vv, AFX_SIG_VV, OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, AfxSig_vv, AFX_SIG_VV, OnNcDestroy)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, AfxSig_vv, AFX_SIG_VV, OnClose)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, AfxSig_OnSize, void (AFX_MSG_CALL CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, AfxSig_OnMove, void (AFX_MSG_CALL CWnd::*)(int, int), OnMove)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, AfxSig_OnTimer, void (AFX_MSG_CALL CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_SIZING() AFX_WM_ENTRY(WM_SIZING, AfxSig_OnSizing, void (AFX_MSG_CALL CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVING() AFX_WM_ENTRY(WM_MOVING, AfxSig_OnSizing, void (AFX_MSG_CALL CWnd::*)(UINT, LPRECT), OnMoving)
#define ON_WM_ENTERSIZEMOVE() AFX_WM_ENTRY(WM_ENTERSIZEMOVE, AfxSig_vv, AFX_SIG_VV, OnEnterSizeMove)
#define ON_WM_EXITSIZEMOVE() AFX_WM_ENTRY(WM_EXITSIZEMOVE, AfxSig_vv, AFX_SIG_VV, OnExitSizeMove)
#define ON_WM_GETMINMAXINFO() AFX_WM_ENTRY(WM_GETMINMAXINFO, AfxSig_OnGetMinMaxInfo, void (AFX_MSG_CALL CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_PARENTNOTIFY() AFX_WM_ENTRY(WM_PARENTNOTIFY, AfxSig_OnParentNotify, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), OnParentNotify)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, AfxSig_vv, AFX_SIG_VV, OnPaint)
#define ON_WM_NCPAINT() AFX_WM_ENTRY(WM_NCPAINT, AfxSig_vv, AFX_SIG_VV, OnNcPaint)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_OnEraseBkgnd, BOOL (AFX_MSG_CALL CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_CTLCOLOR() AFX_WM_ENTRY(WM_CTLCOLOR, AfxSig_OnCtlColor, HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_SYSCOLORCHANGE() AFX_WM_ENTRY(WM_SYSCOLORCHANGE, AfxSig_vv, AFX_SIG_VV, OnSysColorChange)
#define ON_WM_SETTINGCHANGE() AFX_WM_ENTRY(WM_SETTINGCHANGE, AfxSig_OnSettingChange, void (AFX_MSG_CALL CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_CONTEXTMENU() AFX_WM_ENTRY(WM_CONTEXTMENU, AfxSig_OnContextMenu, void (AFX_MSG_CALL CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_INITMENU() AFX_WM_ENTRY(WM_INITMENU, AfxSig_OnInitMenu, void (AFX_MSG_CALL CWnd::*)(CMenu*), OnInitMenu)
#define ON_WM_INITMENUPOPUP() AFX_WM_ENTRY(WM_INITMENUPOPUP, AfxSig_OnInitMenuPopup, void (AFX_MSG_CALL CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MEASUREITEM() AFX_WM_ENTRY(WM_MEASUREITEM, AfxSig_OnMeasureItem, void (AFX_MSG_CALL CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_DRAWITEM() AFX_WM_ENTRY(WM_DRAWITEM, AfxSig_OnDrawItem, void (AFX_MSG_CALL CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_COMPAREITEM() AFX_WM_ENTRY(WM_COMPAREITEM, AfxSig_OnCompareItem, int (AFX_MSG_CALL CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_DELETEITEM() AFX_WM_ENTRY(WM_DELETEITEM, AfxSig_OnDeleteItem, void (AFX_MSG_CALL CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_CHARTOITEM() AFX_WM_ENTRY(WM_CHARTOITEM, AfxSig_OnCharToItem, int (AFX_MSG_CALL CWnd::*)(UINT, CListBox*, UINT), OnCharToItem)
#define ON_WM_VKEYTOITEM() AFX_WM_ENTRY(WM_VKEYTOITEM, AfxSig_OnCharToItem, int (AFX_MSG_CALL CWnd::*)(UINT, CListBox*, UINT), OnVKeyToItem)
#define ON_WM_MENUCHAR() AFX_WM_ENTRY(WM_MENUCHAR, AfxSig_OnMenuChar, LRESULT (AFX_MSG_CALL CWnd::*)(UINT, UINT, CMenu*), OnMenuChar)
#define ON_WM_MENUSELECT() AFX_WM_ENTRY(WM_MENUSELECT, AfxSig_OnMenuSelect, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_ENTERMENULOOP() AFX_WM_ENTRY(WM_ENTERMENULOOP, AfxSig_vb, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP() AFX_WM_ENTRY(WM_EXITMENULOOP, AfxSig_vb, void (AFX_MSG_CALL CWnd::*)(BOOL), OnExitMenuLoop)
#define ON_WM_ENTERIDLE() AFX_WM_ENTRY(WM_ENTERIDLE, AfxSig_OnEnterIdle, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*), OnEnterIdle)
#define ON_WM_MOUSEACTIVATE() AFX_WM_ENTRY(WM_MOUSEACTIVATE, AfxSig_OnMouseActivate, int (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define AFX_SIG_MOUSE void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)
#define ON_WM_MOUSEMOVE() AFX_WM_ENTRY(WM_MOUSEMOVE, AfxSig_vPOINT, AFX_SIG_MOUSE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig_vPOINT, AFX_SIG_MOUSE, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_ENTRY(WM_LBUTTONUP, AfxSig_vPOINT, AFX_SIG_MOUSE, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AfxSig_vPOINT, AFX_SIG_MOUSE, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WM_ENTRY(WM_RBUTTONDOWN, AfxSig_vPOINT, AFX_SIG_MOUSE, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_ENTRY(WM_RBUTTONUP, AfxSig_vPOINT, AFX_SIG_MOUSE, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_WM_ENTRY(WM_RBUTTONDBLCLK, AfxSig_vPOINT, AFX_SIG_MOUSE, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_WM_ENTRY(WM_MBUTTONDOWN, AfxSig_vPOINT, AFX_SIG_MOUSE, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_WM_ENTRY(WM_MBUTTONUP, AfxSig_vPOINT, AFX_SIG_MOUSE, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_WM_ENTRY(WM_MBUTTONDBLCLK, AfxSig_vPOINT, AFX_SIG_MOUSE, OnMButtonDblClk)
#define ON_WM_MOUSEHOVER() AFX_WM_ENTRY(WM_MOUSEHOVER, AfxSig_OnMouseHover, AFX_SIG_MOUSE, OnMouseHover)
#define ON_WM_MOUSELEAVE() AFX_WM_ENTRY(WM_MOUSELEAVE, AfxSig_vv, AFX_SIG_VV, OnMouseLeave)
#define ON_WM_MOUSEWHEEL() AFX_WM_ENTRY(WM_MOUSEWHEEL, AfxSig_OnMouseWheel, BOOL (AFX_MSG_CALL CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_SETCURSOR() AFX_WM_ENTRY(WM_SETCURSOR, AfxSig_OnSetCursor, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_CAPTURECHANGED() AFX_WM_ENTRY(WM_CAPTURECHANGED, AfxSig_vWl, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnCaptureChanged)
#define AFX_SIG_KEY void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT)
#define ON_WM_KEYDOWN() AFX_WM_ENTRY(WM_KEYDOWN, AfxSig_vuuu, AFX_SIG_KEY, OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_ENTRY(WM_KEYUP, AfxSig_vuuu, AFX_SIG_KEY, OnKeyUp)
#define ON_WM_CHAR() AFX_WM_ENTRY(WM_CHAR, AfxSig_vuuu, AFX_SIG_KEY, OnChar)
#define ON_WM_DEADCHAR() AFX_WM_ENTRY(WM_DEADCHAR, AfxSig_vuuu, AFX_SIG_KEY, OnDeadChar)
#define ON_WM_SYSKEYDOWN() AFX_WM_ENTRY(WM_SYSKEYDOWN, AfxSig_vuuu, AFX_SIG_KEY, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_WM_ENTRY(WM_SYSKEYUP, AfxSig_vuuu, AFX_SIG_KEY, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_WM_ENTRY(WM_SYSCHAR, AfxSig_vuuu, AFX_SIG_KEY, OnSysChar)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_ACTIVATE() AFX_WM_ENTRY(WM_ACTIVATE, AfxSig_OnActivate, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP() AFX_WM_ENTRY(WM_ACTIVATEAPP, AfxSig_OnActivateApp, void (AFX_MSG_CALL CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, AfxSig_vb, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEnable)
#define ON_WM_CANCELMODE() AFX_WM_ENTRY(WM_CANCELMODE, AfxSig_vv, AFX_SIG_VV, OnCancelMode)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, AfxSig_uv, UINT (AFX_MSG_CALL CWnd::*)(void), OnGetDlgCode)
#define ON_WM_NCCALCSIZE() AFX_WM_ENTRY(WM_NCCALCSIZE, AfxSig_OnNcCalcSize, void (AFX_MSG_CALL CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, AfxSig_OnNcHitTest, LRESULT (AFX_MSG_CALL CWnd::*)(CPoint), OnNcHitTest)
#define AFX_SIG_NCMOUSE void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)
#define ON_WM_NCMOUSEMOVE() AFX_WM_ENTRY(WM_NCMOUSEMOVE, AfxSig_vuPOINT, AFX_SIG_NCMOUSE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_WM_ENTRY(WM_NCLBUTTONDOWN, AfxSig_vuPOINT, AFX_SIG_NCMOUSE, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_WM_ENTRY(WM_NCLBUTTONUP, AfxSig_vuPOINT, AFX_SIG_NCMOUSE, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_WM_ENTRY(WM_NCLBUTTONDBLCLK, AfxSig_vuPOINT, AFX_SIG_NCMOUSE, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_WM_ENTRY(WM_NCRBUTTONDOWN, AfxSig_vuPOINT, AFX_SIG_NCMOUSE, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_WM_ENTRY(WM_NCRBUTTONUP, AfxSig_vuPOINT, AFX_SIG_NCMOUSE, OnNcRButtonUp)
#define ON_WM_NCMBUTTONDOWN() AFX_WM_ENTRY(WM_NCMBUTTONDOWN, AfxSig_vuPOINT, AFX_SIG_NCMOUSE, OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() AFX_WM_ENTRY(WM_NCMBUTTONUP, AfxSig_vuPOINT, AFX_SIG_NCMOUSE, OnNcMButtonUp)
#define ON_WM_NCACTIVATE() AFX_WM_ENTRY(WM_NCACTIVATE, AfxSig_bb, BOOL (AFX_MSG_CALL CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_WINDOWPOSCHANGING() AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, AfxSig_OnWindowPos, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, AfxSig_OnWindowPos, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_SHOWWINDOW() AFX_WM_ENTRY(WM_SHOWWINDOW, AfxSig_OnShowWindow, void (AFX_MSG_CALL CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_SYSCOMMAND() AFX_WM_ENTRY(WM_SYSCOMMAND, AfxSig_OnSysCommand, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_HSCROLL() AFX_WM_ENTRY(WM_HSCROLL, AfxSig_OnScroll, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() AFX_WM_ENTRY(WM_VSCROLL, AfxSig_OnScroll, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_QUERYENDSESSION() AFX_WM_ENTRY(WM_QUERYENDSESSION, AfxSig_bv, BOOL (AFX_MSG_CALL CWnd::*)(void), OnQueryEndSession)
#define ON_WM_ENDSESSION() AFX_WM_ENTRY(WM_ENDSESSION, AfxSig_vb, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEndSession)
#define ON_WM_QUERYOPEN() AFX_WM_ENTRY(WM_QUERYOPEN, AfxSig_bv, BOOL (AFX_MSG_CALL CWnd::*)(void), OnQueryOpen)
#define ON_WM_STYLECHANGED() AFX_WM_ENTRY(WM_STYLECHANGED, AfxSig_OnStyleChanged, void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)
#define ON_WM_STYLECHANGING() AFX_WM_ENTRY(WM_STYLECHANGING, AfxSig_OnStyleChanged, void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_DROPFILES() AFX_WM_ENTRY(WM_DROPFILES, AfxSig_OnDropFiles, void (AFX_MSG_CALL CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_COPYDATA() AFX_WM_ENTRY(WM_COPYDATA, AfxSig_OnCopyData, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, COPYDATASTRUCT*), OnCopyData)
#define ON_WM_QUERYNEWPALETTE() AFX_WM_ENTRY(WM_QUERYNEWPALETTE, AfxSig_bv, BOOL (AFX_MSG_CALL CWnd::*)(void), OnQueryNewPalette)
#define ON_WM_PALETTECHANGED() AFX_WM_ENTRY(WM_PALETTECHANGED, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnPaletteChanged)
#define ON_WM_PALETTEISCHANGING() AFX_WM_ENTRY(WM_PALETTEISCHANGING, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnPaletteIsChanging)
#define ON_WM_CHILDACTIVATE() AFX_WM_ENTRY(WM_CHILDACTIVATE, AfxSig_vv, AFX_SIG_VV, OnChildActivate)
#define ON_WM_DEVMODECHANGE() AFX_WM_ENTRY(WM_DEVMODECHANGE, AfxSig_OnDevModeChange, void (AFX_MSG_CALL CWnd::*)(LPTSTR), OnDevModeChange)
#define ON_WM_TIMECHANGE() AFX_WM_ENTRY(WM_TIMECHANGE, AfxSig_vv, AFX_SIG_VV, OnTimeChange)
#define ON_WM_FONTCHANGE() AFX_WM_ENTRY(WM_FONTCHANGE, AfxSig_vv, AFX_SIG_VV, OnFontChange)
#define ON_WM_HELPINFO() AFX_WM_ENTRY(WM_HELP, AfxSig_OnHelpInfo, BOOL (AFX_MSG_CALL CWnd::*)(HELPINFO*), OnHelpInfo)
#define ON_WM_QUERYDRAGICON() AFX_WM_ENTRY(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (AFX_MSG_CALL CWnd::*)(void), OnQueryDragIcon)
#define ON_WM_MDIACTIVATE() AFX_WM_ENTRY(WM_MDIACTIVATE, AfxSig_OnMDIActivate, void (AFX_MSG_CALL CWnd::*)(BOOL, CWnd*, CWnd*), OnMDIActivate)
#define ON_WM_RENDERFORMAT() AFX_WM_ENTRY(WM_RENDERFORMAT, AfxSig_OnRenderFormat, void (AFX_MSG_CALL CWnd::*)(UINT), OnRenderFormat)
#define ON_WM_RENDERALLFORMATS() AFX_WM_ENTRY(WM_RENDERALLFORMATS, AfxSig_vv, AFX_SIG_VV, OnRenderAllFormats)
#define ON_WM_DESTROYCLIPBOARD() AFX_WM_ENTRY(WM_DESTROYCLIPBOARD, AfxSig_vv, AFX_SIG_VV, OnDestroyClipboard)
#define ON_WM_THEMECHANGED() AFX_WM_ENTRY(WM_THEMECHANGED, AfxSig_lv, LRESULT (AFX_MSG_CALL CWnd::*)(void), OnThemeChanged)

// ---------------------------------------------------------------------------
// CCmdTarget: the root of everything that has a message map
// ---------------------------------------------------------------------------
class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() {}
    virtual ~CCmdTarget() {}

    // Routes a command, command-UI update or notification through this
    // object's message map. nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra =
    // CCmdUI*), a control notification code, or MAKELONG(code, WM_NOTIFY)
    // (pExtra = AFX_NOTIFY*). With pHandlerInfo, only reports the handler.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Wait cursor, counted by the application (AfxGetApp()->DoWaitCursor).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    DECLARE_MESSAGE_MAP()
};

// Finds the entry of a map chain for a window or thread message; NULL when
// none. Results are cached per thread and class.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg);

// ---------------------------------------------------------------------------
// CCmdUI: updates one menu item, control or bar pane from ON_UPDATE_COMMAND_UI
// ---------------------------------------------------------------------------
class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);   // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's routing for an update handler; with bDisableIfNoHndler
    // an item whose command nothing handles is disabled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID;
    UINT m_nIndex;          // menu item position or bar pane index
    CMenu* m_pMenu;         // the menu being updated, or NULL
    CMenu* m_pSubMenu;      // the popup of a popup item, or NULL
    CMenu* m_pParentMenu;
    CWnd* m_pOther;         // the control or bar being updated, or NULL
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;       // number of menu items or panes
};

// Updates every item of a popup menu through CCmdUI and pTarget's routing,
// as a frame does on WM_INITMENUPOPUP. Items of system commands (ids from
// 0xF000) are never auto-disabled, nor are popup items; items added or
// removed by a handler (a recent-file list) are followed.
void AFXAPI AfxUpdatePopupMenu(CCmdTarget* pTarget, CMenu* pPopupMenu, BOOL bAutoMenuEnable = TRUE);

// ---------------------------------------------------------------------------
// CWnd
// ---------------------------------------------------------------------------
// m_nFlags
#define WF_TOOLTIPS         0x0001  // window has tooltips for its children
#define WF_TEMPHIDE         0x0002
#define WF_STAYDISABLED     0x0004
#define WF_MODALLOOP        0x0008  // RunModalLoop is running
#define WF_CONTINUEMODAL    0x0010  // cleared by EndModalLoop
#define WF_STAYACTIVE       0x0020  // a frame keeps its caption active (a floating palette has the focus)
#define WF_KEEPMINIACTIVE   0x0200  // a floating frame is making its owner's caption active
#define WF_OLECTLCONTAINER  0x0100
#define WF_TRACKINGTOOLTIPS 0x0400

// RunModalLoop flags
#define MLF_NOIDLEMSG   0x0001  // don't send WM_ENTERIDLE to the parent
#define MLF_NOKICKIDLE  0x0002  // don't send WM_KICKIDLE
#define MLF_SHOWONIDLE  0x0004  // show the window when the loop first idles

// Opaque pass of a possibly-null 'this', so the compiler cannot drop the test.
template <class T>
inline const T* AfxOpaqueThis(const T* p)
{
    __asm__("" : "+r"(p));
    return p;
}

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    virtual ~CWnd();

    HWND m_hWnd;
    operator HWND() const { return GetSafeHwnd(); }
    BOOL operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }
    HWND GetSafeHwnd() const { const CWnd* p = AfxOpaqueThis(this); return p ? p->m_hWnd : NULL; }

    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // ---- handle maps and subclassing ----
    // FromHandle returns this thread's permanent wrapper of hWnd, else a
    // temporary CWnd deleted at idle (never keep its pointer).
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes the window's messages through this object's message map; the
    // previous procedure is called by DefWindowProc.
    virtual BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();
    virtual void PreSubclassWindow() {}

    // ---- creation ----
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);

    // ---- styles and ids ----
    DWORD GetStyle() const { return (DWORD)::GetWindowLongPtr(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) { return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags); }
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtr(m_hWnd, GWLP_ID, nID); }
    // The window that gets this one's notifications: the one set with SetOwner,
    // else a child's parent or a pop-up's owner. Setting it changes no window.
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd->GetSafeHwnd(); }

    // ---- messages ----
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessage(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessage(m_hWnd, message, wParam, lParam); }
    BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const { return ::SendNotifyMessage(m_hWnd, message, wParam, lParam); }
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);

    // ---- text and font ----
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // ---- menus ----
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL bRevert) const;
    BOOL HiliteMenuItem(CMenu* pMenu, UINT nIDHiliteItem, UINT nHilite);

    // ---- size and position ----
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) { MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint); }
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
    int GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(m_hWnd, hRgn); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) { return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { lpwndpl->length = sizeof(WINDOWPLACEMENT); return ::GetWindowPlacement(m_hWnd, lpwndpl); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, NULL, (LPPOINT)lpRect, 2); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)lpRect, 2); }
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount); }
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)lpRect, 2); }
    // Centres on the parent (child windows), the owner, or the work area.
    void CenterWindow(CWnd* pAlternateOwner = NULL);

    // ---- painting ----
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
    CDC* GetDC();
    CDC* GetWindowDC();
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    int ReleaseDC(CDC* pDC);
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
    int GetUpdateRgn(CRgn* pRgn, BOOL bErase = FALSE);
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, NULL, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void ValidateRgn(CRgn* pRgn);
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    void ShowOwnedPopups(BOOL bShow = TRUE) { ::ShowOwnedPopups(m_hWnd, bShow); }
    BOOL LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
    void UnlockWindowUpdate() { ::LockWindowUpdate(NULL); }
    BOOL FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }

    // ---- timers ----
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void (CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = NULL) { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

    // ---- state ----
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    static CWnd* PASCAL GetActiveWindow() { return CWnd::FromHandle(::GetActiveWindow()); }
    CWnd* SetActiveWindow() { return CWnd::FromHandle(::SetActiveWindow(m_hWnd)); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    static CWnd* PASCAL GetForegroundWindow() { return CWnd::FromHandle(::GetForegroundWindow()); }
    static CWnd* PASCAL GetCapture() { return CWnd::FromHandle(::GetCapture()); }
    CWnd* SetCapture() { return CWnd::FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* PASCAL GetFocus() { return CWnd::FromHandle(::GetFocus()); }
    CWnd* SetFocus() { return CWnd::FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* PASCAL GetDesktopWindow() { return CWnd::FromHandle(::GetDesktopWindow()); }

    // ---- dialog items ----
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) { ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton); }
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    CWnd* GetDlgItem(int nID) const { return CWnd::FromHandle(::GetDlgItem(m_hWnd, nID)); }
    void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const { return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const { return (int)::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount); }
    int GetDlgItemText(int nID, CString& rString) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const { return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const { return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam); }
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemText(m_hWnd, nID, lpszString); }
    // Fills list and combo boxes from an RT_DLGINIT resource.
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource);

    // ---- scrolling ----
    int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) { ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw); }
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE) { lpScrollInfo->cbSize = sizeof(SCROLLINFO); ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw); return TRUE; }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) { lpScrollInfo->cbSize = sizeof(SCROLLINFO); lpScrollInfo->fMask = nMask; return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo); }
    int GetScrollLimit(int nBar);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH) { return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags); }
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL) { ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect); }
    int ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate, LPRECT lpRectUpdate, UINT flags);
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const { (void)nBar; return NULL; }

    // ---- window tree ----
    CWnd* ChildWindowFromPoint(POINT point) const { return CWnd::FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const { return CWnd::FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags)); }
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName) { return CWnd::FromHandle(::FindWindow(lpszClassName, lpszWindowName)); }
    static CWnd* PASCAL FindWindowEx(HWND hwndParent, HWND hwndChildAfter, LPCTSTR lpszClass, LPCTSTR lpszWindow) { return CWnd::FromHandle(::FindWindowEx(hwndParent, hwndChildAfter, lpszClass, lpszWindow)); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return CWnd::FromHandle(::GetWindow(m_hWnd, nFlag)); }
    CWnd* GetTopWindow() const { return CWnd::FromHandle(::GetTopWindow(m_hWnd)); }
    CWnd* GetWindow(UINT nCmd) const { return CWnd::FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetLastActivePopup() const { return CWnd::FromHandle(::GetLastActivePopup(m_hWnd)); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
    CWnd* GetParent() const { return CWnd::FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* pWndNewParent) { return CWnd::FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }
    static CWnd* PASCAL WindowFromPoint(POINT point) { return CWnd::FromHandle(::WindowFromPoint(point)); }
    // Searches children depth first for the control id.
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    static CWnd* PASCAL GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm);
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetParentOwner() const;
    // The window a new popup should be owned by: the last active popup of
    // pParent's (or the main window's) top-level window.
    static CWnd* PASCAL GetSafeOwner(CWnd* pParent = NULL, HWND* pWndTop = NULL);
    static HWND PASCAL GetSafeOwner_(HWND hWnd, HWND* pWndTop);

    // ---- alerts, clipboard, caret, shell, icons ----
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);
    BOOL OpenClipboard() { return ::OpenClipboard(m_hWnd); }
    HWND SetClipboardViewer() { return ::SetClipboardViewer(m_hWnd); }
    BOOL ChangeClipboardChain(HWND hWndNext) { return ::ChangeClipboardChain(m_hWnd, hWndNext); }
    static CWnd* PASCAL GetClipboardOwner() { return CWnd::FromHandle(::GetClipboardOwner()); }
    static CWnd* PASCAL GetOpenClipboardWindow() { return CWnd::FromHandle(::GetOpenClipboardWindow()); }
    void CreateSolidCaret(int nWidth, int nHeight) { ::CreateCaret(m_hWnd, NULL, nWidth, nHeight); }
    void CreateGrayCaret(int nWidth, int nHeight) { ::CreateCaret(m_hWnd, (HBITMAP)1, nWidth, nHeight); }
    static CPoint PASCAL GetCaretPos() { CPoint pt; ::GetCaretPos(&pt); return pt; }
    static void PASCAL SetCaretPos(POINT point) { ::SetCaretPos(point.x, point.y); }
    void HideCaret() { ::HideCaret(m_hWnd); }
    void ShowCaret() { ::ShowCaret(m_hWnd); }
    void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) { return (HICON)::SendMessage(m_hWnd, WM_SETICON, bBigIcon, (LPARAM)hIcon); }
    HICON GetIcon(BOOL bBigIcon) const { return (HICON)::SendMessage(m_hWnd, WM_GETICON, bBigIcon, 0); }
    BOOL SetWindowContextHelpId(DWORD dwContextHelpId) { return ::SetWindowContextHelpId(m_hWnd, dwContextHelpId); }
    DWORD GetWindowContextHelpId() const { return ::GetWindowContextHelpId(m_hWnd); }
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // ---- dialog data ----
    // Runs DoDataExchange; FALSE when a value was refused (the user was told).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX) { (void)pDX; }

    // ---- dialog templates, dialog keys and control updates ----
    // A modeless dialog from a template resource, this object attached from
    // its first message on; the template's styles are kept.
    BOOL CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd);
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst = NULL);
    // Dialog keyboard and mouse handling (IsDialogMessage) for key and mouse
    // messages only; FALSE for every other message.
    BOOL PreTranslateInput(LPMSG lpMsg);
    // Runs the update handlers of pTarget for every child control, by id.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    // Enables a scroll bar control of GetScrollBarCtrl, else shows or hides
    // the window's own scroll bar.
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);

    // ---- layout ----
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };
    // Lays out the children whose ids are in [nIDFirst, nIDLast] (bars: they
    // take their space on WM_SIZEPARENT), then gives the rest of the client
    // area to the child nIDLeftOver (the view).
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags = reposDefault,
                        LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);

    // ---- tooltips for child controls ----
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    static void PASCAL CancelToolTips(BOOL bKeys = FALSE);
    void FilterToolTipMessage(MSG* pMsg);
    // The default finds the child control under point: the tool is the child
    // window, its text asked with TTN_NEEDTEXT; returns the control id or -1.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

    // ---- modal loops ----
    virtual int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }
    virtual void EndModalLoop(int nResult);

    // ---- overridables ----
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL IsFrameWnd() const { return FALSE; }
    virtual void OnFinalRelease() {}
    // Calls PreTranslateMessage from pMsg's window up through its parents,
    // stopping after hWndStop.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // The message being processed by this thread's window procedure.
    static const MSG* PASCAL GetCurrentMessage();
    // Calls DefWindowProc with the message being processed.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Sends the message being processed to hWndChild's OnChildNotify; TRUE
    // when the child consumed it.
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);

    UINT m_nFlags;          // WF_*
    WNDPROC m_pfnSuper;     // the procedure replaced by subclassing, or NULL
    HWND m_hWndOwner;       // set by SetOwner, else NULL
    int m_nModalResult;
    COleDropTarget* m_pDropTarget;   // registered for this window (revoked when it goes), or NULL

protected:
    explicit CWnd(HWND hWnd);   // for the wndTop... constants
    virtual void PostNcDestroy() {}
    // WM_COMMAND: a control's notification goes to the control first
    // (reflection), then through OnCmdMsg; a menu or accelerator command whose
    // update handler disabled it is dropped.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // ---- message handlers: the default passes the message on (Default) ----
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) { (void)lpCreateStruct; return (int)Default(); }
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct) { (void)lpCreateStruct; return (BOOL)Default(); }
    afx_msg void OnDestroy() { Default(); }
    afx_msg void OnNcDestroy();
    afx_msg void OnClose() { Default(); }
    afx_msg void OnSize(UINT nType, int cx, int cy) { (void)nType; (void)cx; (void)cy; Default(); }
    afx_msg void OnMove(int x, int y) { (void)x; (void)y; Default(); }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { (void)nIDEvent; Default(); }
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect) { (void)fwSide; (void)pRect; Default(); }
    afx_msg void OnMoving(UINT fwSide, LPRECT pRect) { (void)fwSide; (void)pRect; Default(); }
    afx_msg void OnEnterSizeMove() { Default(); }
    afx_msg void OnExitSizeMove() { Default(); }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI) { (void)lpMMI; Default(); }
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnNcPaint() { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { (void)pDC; return (BOOL)Default(); }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos) { (void)pWnd; (void)pos; Default(); }
    afx_msg void OnInitMenu(CMenu* pMenu) { (void)pMenu; Default(); }
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) { (void)pPopupMenu; (void)nIndex; (void)bSysMenu; Default(); }
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg int OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex);
    afx_msg int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) { (void)nChar; (void)nFlags; (void)pMenu; return Default(); }
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) { (void)nItemID; (void)nFlags; (void)hSysMenu; Default(); }
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu) { (void)bIsTrackPopupMenu; Default(); }
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu) { (void)bIsTrackPopupMenu; Default(); }
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho) { (void)nWhy; (void)pWho; Default(); }
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) { (void)pDesktopWnd; (void)nHitTest; (void)message; return (int)Default(); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { (void)nFlags; (void)point; Default(); }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) { (void)nFlags; (void)point; Default(); }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point) { (void)nFlags; (void)point; Default(); }
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point) { (void)nFlags; (void)point; Default(); }
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point) { (void)nFlags; (void)point; Default(); }
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point) { (void)nFlags; (void)point; Default(); }
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point) { (void)nFlags; (void)point; Default(); }
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point) { (void)nFlags; (void)point; Default(); }
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point) { (void)nFlags; (void)point; Default(); }
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point) { (void)nFlags; (void)point; Default(); }
    afx_msg void OnMouseHover(UINT nFlags, CPoint point) { (void)nFlags; (void)point; Default(); }
    afx_msg void OnMouseLeave() { Default(); }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) { (void)nFlags; (void)zDelta; (void)pt; return (BOOL)Default(); }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) { (void)pWnd; (void)nHitTest; (void)message; return (BOOL)Default(); }
    afx_msg void OnCaptureChanged(CWnd* pWnd) { (void)pWnd; Default(); }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { (void)nChar; (void)nRepCnt; (void)nFlags; Default(); }
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { (void)nChar; (void)nRepCnt; (void)nFlags; Default(); }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { (void)nChar; (void)nRepCnt; (void)nFlags; Default(); }
    afx_msg void OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags) { (void)nChar; (void)nRepCnt; (void)nFlags; Default(); }
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { (void)nChar; (void)nRepCnt; (void)nFlags; Default(); }
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { (void)nChar; (void)nRepCnt; (void)nFlags; Default(); }
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags) { (void)nChar; (void)nRepCnt; (void)nFlags; Default(); }
    afx_msg void OnSetFocus(CWnd* pOldWnd) { (void)pOldWnd; Default(); }
    afx_msg void OnKillFocus(CWnd* pNewWnd) { (void)pNewWnd; Default(); }
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) { (void)nState; (void)pWndOther; (void)bMinimized; Default(); }
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID) { (void)bActive; (void)dwThreadID; Default(); }
    afx_msg void OnEnable(BOOL bEnable) { (void)bEnable; Default(); }
    afx_msg void OnCancelMode() { Default(); }
    afx_msg UINT OnGetDlgCode() { return (UINT)Default(); }
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) { (void)bCalcValidRects; (void)lpncsp; Default(); }
    afx_msg LRESULT OnNcHitTest(CPoint point) { (void)point; return Default(); }
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point) { (void)nHitTest; (void)point; Default(); }
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point) { (void)nHitTest; (void)point; Default(); }
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point) { (void)nHitTest; (void)point; Default(); }
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point) { (void)nHitTest; (void)point; Default(); }
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point) { (void)nHitTest; (void)point; Default(); }
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point) { (void)nHitTest; (void)point; Default(); }
    afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point) { (void)nHitTest; (void)point; Default(); }
    afx_msg void OnNcMButtonUp(UINT nHitTest, CPoint point) { (void)nHitTest; (void)point; Default(); }
    afx_msg BOOL OnNcActivate(BOOL bActive) { (void)bActive; return (BOOL)Default(); }
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos) { (void)lpwndpos; Default(); }
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos) { (void)lpwndpos; Default(); }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { (void)bShow; (void)nStatus; Default(); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) { (void)nID; (void)lParam; Default(); }
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnQueryEndSession() { return (BOOL)Default(); }
    afx_msg void OnEndSession(BOOL bEnding) { (void)bEnding; Default(); }
    afx_msg BOOL OnQueryOpen() { return (BOOL)Default(); }
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct) { (void)nStyleType; (void)lpStyleStruct; Default(); }
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct) { (void)nStyleType; (void)lpStyleStruct; Default(); }
    afx_msg void OnDropFiles(HDROP hDropInfo) { (void)hDropInfo; Default(); }
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct) { (void)pWnd; (void)pCopyDataStruct; return (BOOL)Default(); }
    afx_msg BOOL OnQueryNewPalette() { return (BOOL)Default(); }
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd) { (void)pFocusWnd; Default(); }
    afx_msg void OnPaletteIsChanging(CWnd* pRealizeWnd) { (void)pRealizeWnd; Default(); }
    afx_msg void OnChildActivate() { Default(); }
    afx_msg void OnDevModeChange(LPTSTR lpDeviceName) { (void)lpDeviceName; Default(); }
    afx_msg void OnTimeChange() { Default(); }
    afx_msg void OnFontChange() { Default(); }
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo) { (void)pHelpInfo; return (BOOL)Default(); }
    afx_msg HCURSOR OnQueryDragIcon() { return (HCURSOR)Default(); }
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) { (void)bActivate; (void)pActivateWnd; (void)pDeactivateWnd; Default(); }
    afx_msg void OnRenderFormat(UINT nFormat) { (void)nFormat; Default(); }
    afx_msg void OnRenderAllFormats() { Default(); }
    afx_msg void OnDestroyClipboard() { Default(); }
    afx_msg LRESULT OnThemeChanged() { return Default(); }

    DECLARE_MESSAGE_MAP()

private:
    CWnd(const CWnd&) = delete;
    void operator=(const CWnd&) = delete;
    friend LRESULT AFXAPI AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
};

// The window procedure of every window with a CWnd: finds this thread's
// permanent CWnd and calls AfxCallWndProc.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AFXAPI AfxGetAfxWndProc();
// Calls pWnd->WindowProc with the message recorded as the current one; on
// WM_NCDESTROY detaches pWnd and calls PostNcDestroy. Whatever a handler
// throws is caught and reported here and a safe result returned.
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);

// The creation hook: the next window this thread creates is attached to pWnd
// and subclassed before its first message (WM_GETMINMAXINFO/WM_NCCREATE).
// Call around CreateWindowEx/CreateDialog*; Unhook returns FALSE when no
// window was attached.
void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
BOOL AFXAPI AfxUnhookWindowCreate();

// Window classes. The name is derived from the attributes; each is
// registered once per process.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0, HBRUSH hbrBackground = 0, HICON hIcon = 0);
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);
#define AFX_WND "AfxWnd"   // the class CWnd::PreCreateWindow gives windows without one

// Moves hWnd to lpRect (client coordinates of its parent) as part of
// lpLayout's deferred moves, or at once when lpLayout has none.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// Reports what the enclosing catch block caught: CException* (ReportError,
// then Delete), a CString thrown by value, std::exception or anything else.
// With bInteractive a message box shows the text; otherwise the text goes
// to the debugger output and the exception log hook only. Call only from
// inside a catch block.
void AFXAPI AfxReportCaughtException(BOOL bInteractive);
typedef void (AFXAPI* AFX_EXCEPTION_LOG_HOOK)(LPCTSTR lpszText);
AFX_EXCEPTION_LOG_HOOK AFXAPI AfxSetExceptionLogHook(AFX_EXCEPTION_LOG_HOOK pfnHook);

// Structured exceptions: a translator installed by a thread is called for
// hardware exceptions (access violation, divide by zero, stack overflow...)
// raised on that thread, and may throw a C++ exception that the thread's
// catch blocks receive (code built with -fnon-call-exceptions).
typedef void (__cdecl* AFX_SE_TRANSLATOR)(unsigned int nCode, EXCEPTION_POINTERS* pExceptionPointers);
AFX_SE_TRANSLATOR AFXAPI AfxSetSeTranslator(AFX_SE_TRANSLATOR pfnTranslator);

// ---------------------------------------------------------------------------
// CWinThread and AfxBeginThread
// ---------------------------------------------------------------------------
typedef UINT (AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    virtual ~CWinThread();

    // Starts the thread (always created suspended, then resumed unless
    // dwCreateFlags has CREATE_SUSPENDED).
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);

    CWnd* m_pMainWnd;        // main window of the thread; its destruction ends the loop
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;      // delete the object when the thread ends
    HANDLE m_hThread;
    operator HANDLE() const { const CWinThread* p = AfxOpaqueThis(this); return p ? p->m_hThread : NULL; }
    DWORD m_nThreadID;

    int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::PostThreadMessage(m_nThreadID, message, wParam, lParam); }

    virtual CWnd* GetMainWnd();
    virtual BOOL InitInstance() { return FALSE; }
    // The message loop: idle processing while the queue is empty, then
    // PumpMessage until WM_QUIT; returns ExitInstance().
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // lCount 0: WM_IDLEUPDATECMDUI to the main window and its descendants;
    // 1: temporary handle maps deleted. TRUE while more idle work remains.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    // A CException* caught at the window procedure: reported; the result for
    // the message (-1 for WM_CREATE).
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
    virtual void Delete();
    // Dispatches a thread message (hwnd NULL) through ON_THREAD_MESSAGE.
    BOOL DispatchThreadMessageEx(MSG* pMsg);

    MSG m_msgCur;
    LPVOID m_pThreadParams;
    AFX_THREADPROC m_pfnThreadProc;

protected:
    void CommonConstruct();
    POINT m_ptCursorLast;   // IsIdleMessage: a mouse move that did not move
    UINT m_nMsgLast;
    DECLARE_MESSAGE_MAP()
};

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling thread now (its ExitInstance is not called).
void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// Releases this thread's framework state (handle maps, hooks); thread entries
// of the layer call it, threads started otherwise may.
void AFXAPI AfxTermThread(HINSTANCE hInstTerm = NULL);

CWinThread* AFXAPI AfxGetThread();
BOOL AFXAPI AfxPumpMessage();
BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg);
void AFXAPI AfxPostQuitMessage(int nExitCode);

// ---------------------------------------------------------------------------
// CCommandLineInfo
// ---------------------------------------------------------------------------
class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();
    virtual ~CCommandLineInfo() {}

    // pszParam without its leading '/' or '-' when bFlag; bLast for the last one.
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    BOOL m_bRegisterPerUser;
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister,
           FileNothing = -1 } m_nShellCommand;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const char* pszParam);
    void ParseParamNotFlag(const char* pszParam);
    void ParseLast(BOOL bLast);
};

// ---------------------------------------------------------------------------
// CRecentFileList: the recent-file (MRU) list of the File menu
// ---------------------------------------------------------------------------
#define AFX_ABBREV_FILENAME_LEN 30
#define _AFX_MRU_COUNT 4
#define _AFX_MRU_MAX_COUNT 16

class CRecentFileList
{
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }

    virtual void Remove(int nIndex);
    // Puts the full path first, removing an earlier entry of the same file.
    virtual void Add(LPCTSTR lpszPathName);
    // The name shown in the menu: relative to lpszCurDir when the file is in
    // it, else abbreviated to m_nMaxDisplayLength. FALSE for an empty slot.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Replaces the menu item of pCmdUI->m_nID by one item per file ("&1 name").
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    int m_nSize;
    CString* m_arrNames;
    CString m_strSectionName;   // "Recent File List"
    CString m_strEntryFormat;   // "File%d"
    UINT m_nStart;              // number shown for the first entry - 1
    int m_nMaxDisplayLength;
    CString m_strOriginal;      // the menu text shown while the list is empty
};

// Shortens a path to nMaxLength characters as "C:\...\dir\file.ext"; with
// bAtLeastName the file name is always kept whole.
void AFXAPI AfxAbbreviateName(LPTSTR lpszCanon, int nMaxLength, BOOL bAtLeastName);

// ---------------------------------------------------------------------------
// CWinApp
//
// The document members (AddDocTemplate, GetFirstDocTemplatePosition,
// GetNextDocTemplate, OpenDocumentFile, OnFileNew, OnFileOpen,
// OnFilePrintSetup, DoPromptFileName, EnableShellOpen,
// RegisterShellFileTypes, UnregisterShellFileTypes, CloseAllDocuments,
// SaveAllModified, GetOpenDocumentCount) are implemented with the document
// classes (appdoc.cpp); everything else here with the window core.
// ---------------------------------------------------------------------------
class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    // ---- set up by AfxWinInit ----
    HINSTANCE m_hInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;

    LPCTSTR m_pszAppName;        // title: the constructor's name, AFX_IDS_APP_TITLE or the exe name
    LPCTSTR m_pszRegistryKey;    // company key under HKCU\Software, or NULL (INI file)
    LPCTSTR m_pszExeName;        // exe name without path and extension
    LPCTSTR m_pszHelpFilePath;
    LPCTSTR m_pszProfileName;    // app key under the company key, or the INI file
    BOOL m_bHelpMode;
    CDocManager* m_pDocManager;  // deleted by the destructor
    CRecentFileList* m_pRecentFileList;
    UINT m_nNumPreviewPages;
    int m_nWaitCursorCount;
    HCURSOR m_hcurWaitCursorRestore;

    // ---- resources ----
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const { return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName); }
    HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(NULL, lpszCursorName); }
    HCURSOR LoadOEMCursor(UINT nIDCursor) const { return ::LoadCursor(NULL, MAKEINTRESOURCE(nIDCursor)); }
    HICON LoadIcon(LPCTSTR lpszResourceName) const { return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName); }
    HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(NULL, lpszIconName); }
    HICON LoadOEMIcon(UINT nIDIcon) const { return ::LoadIcon(NULL, MAKEINTRESOURCE(nIDIcon)); }

    // ---- profile: HKCU\Software\<m_pszRegistryKey>\<m_pszProfileName>\<section>,
    //      or the INI file m_pszProfileName when no registry key is set ----
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    virtual UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    virtual BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    virtual CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // lpszEntry NULL deletes the section, lpszValue NULL the entry.
    virtual BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new[]; the caller deletes it with delete[].
    virtual BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    virtual BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // Keys opened or created; the caller closes them. NULL without a registry key.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);
    LONG DelRegTree(HKEY hParentKey, const CString& strKeyName);
    // Reads "Settings"/"PreviewPages" and, when nMaxMRU > 0, the recent-file list.
    void LoadStdProfileSettings(UINT nMaxMRU = _AFX_MRU_COUNT);
    void SaveStdProfileSettings();

private:
    // The application's key stays open for the application's own thread: every
    // profile value would otherwise open three keys to reach its section. It is
    // opened again when the key or profile name changes or the key was deleted.
    HKEY m_hAppKeyCache;
    CString m_strAppKeyCachePath;
    HKEY AppKeyForSections();
    void CloseAppKeyCache();
public:
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);

    // ---- command line ----
    // Splits m_lpCmdLine (quotes group words) or, when it is NULL, __argv.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FALSE when the program should not go on (nothing became the main
    // window, a registration-only run, a failed open).
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // ---- overridables ----
    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    // Shows every AfxMessageBox of the program; override to capture them.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // nCode 1 begins, -1 ends, 0 restores the wait cursor. The count never
    // goes below 0: an extra end is ignored.
    virtual void DoWaitCursor(int nCode);
    void BeginWaitCursor() { DoWaitCursor(1); }
    void EndWaitCursor() { DoWaitCursor(-1); }
    virtual void HideApplication();
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // ---- documents (appdoc.cpp) ----
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate);
    void EnableShellOpen();
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    void UnregisterShellFileTypes();
    int GetOpenDocumentCount();
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();

    // ---- commands (window core) ----
    afx_msg void OnAppExit();
    afx_msg void OnHelp();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    // Derives the names from the executable (AfxWinInit calls it).
    void SetCurrentHandles();

protected:
    DECLARE_MESSAGE_MAP()
};

CWinApp* AFXAPI AfxGetApp();
CWnd* AFXAPI AfxGetMainWnd();
LPCTSTR AFXAPI AfxGetAppName();
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm();
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

// The wait cursor for the life of the object (counted by the application, so
// nested waits keep it until the outermost ends). Restore puts it back after
// something (a message box) changed the cursor.
class CWaitCursor
{
public:
    CWaitCursor() { if (CWinApp* pApp = AfxGetApp()) pApp->BeginWaitCursor(); }
    ~CWaitCursor() { if (CWinApp* pApp = AfxGetApp()) pApp->EndWaitCursor(); }
    void Restore() { if (CWinApp* pApp = AfxGetApp()) pApp->DoWaitCursor(0); }

private:
    CWaitCursor(const CWaitCursor&) = delete;
    void operator=(const CWaitCursor&) = delete;
};

// ---------------------------------------------------------------------------
// This thread's window state, as handlers and hooks may read it
// ---------------------------------------------------------------------------
struct _AFX_THREAD_STATE
{
    // The window whose creation is under way (CreateEx, a dialog's Create)
    // until it is attached at its first message; NULL while a window is only
    // being subclassed.
    CWnd* m_pWndInit = NULL;
    HHOOK m_hHookOldCbtFilter = NULL;
    // The message the window procedure is processing (CWnd::Default,
    // GetCurrentMessage).
    MSG m_lastSentMsg = {};
    // The last popup menu initialised (WM_INITMENUPOPUP) and the window that
    // tracks it: where WM_MEASUREITEM of owner-drawn items finds its menu.
    HWND m_hTrackingWindow = NULL;
    HMENU m_hTrackingMenu = NULL;
    // UpdateData: control notifications to this window are dropped.
    HWND m_hLockoutNotifyWindow = NULL;
    // The message loop's message when no CWinThread runs this thread.
    MSG m_msgCur = {};
};
_AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

// ---------------------------------------------------------------------------
// System metrics, colours and cursors the framework draws with; refreshed by
// the main window on WM_SYSCOLORCHANGE and WM_SETTINGCHANGE.
// ---------------------------------------------------------------------------
struct AUX_DATA
{
    int cxVScroll, cyHScroll;
    int cxIcon, cyIcon;
    int cxBorder2, cyBorder2;       // the doubled border of bars and trackers
    int cxPixelsPerInch, cyPixelsPerInch;
    COLORREF clrBtnFace, clrBtnShadow, clrBtnHilite, clrBtnText, clrWindowFrame;
    HCURSOR hcurWait, hcurArrow, hcurHelp;
    BOOL bWin4, bWin95, bMarked4;

    AUX_DATA();
    void UpdateSysColors();
    void UpdateSysMetrics();
};
extern AUX_DATA afxData;

// ---------------------------------------------------------------------------
// The framework's window classes, registered when first needed
// ---------------------------------------------------------------------------
#define AFX_WND_REG                 0x00001
#define AFX_WNDCONTROLBAR_REG       0x00002
#define AFX_WNDMDIFRAME_REG         0x00004
#define AFX_WNDFRAMEORVIEW_REG      0x00008
#define AFX_WNDCOMMCTLS_REG         0x00010   // every common control class
#define AFX_WNDOLECONTROL_REG       0x00020
#define AFX_WNDCOMMCTL_UPDOWN_REG   0x00040
#define AFX_WNDCOMMCTL_TREEVIEW_REG 0x00080
#define AFX_WNDCOMMCTL_TAB_REG      0x00100
#define AFX_WNDCOMMCTL_PROGRESS_REG 0x00200
#define AFX_WNDCOMMCTL_LISTVIEW_REG 0x00400
#define AFX_WNDCOMMCTL_BAR_REG      0x00800   // tool bar, status bar, tooltips, trackbar
#define AFX_WNDCOMMCTL_ANIMATE_REG  0x01000
#define AFX_WNDCOMMCTL_HOTKEY_REG   0x02000
#define AFX_WNDCOMMCTL_USEREX_REG   0x04000   // CComboBoxEx
#define AFX_WNDCOMMCTL_DATE_REG     0x08000   // date picker, month calendar
#define AFX_WNDCOMMCTL_INTERNET_REG 0x10000
#define AFX_WNDCOMMCTL_COOL_REG     0x20000   // rebar
#define AFX_WNDCOMMCTL_PAGER_REG    0x40000
#define AFX_WNDCOMMCTL_LINK_REG     0x80000

#define AFX_WNDCONTROLBAR  "AfxControlBar"
#define AFX_WNDMDIFRAME    "AfxMDIFrame"
#define AFX_WNDFRAMEORVIEW "AfxFrameOrView"
#define AFX_WNDOLECONTROL  "AfxOleControl"
#define _afxWnd             AFX_WND
#define _afxWndControlBar   AFX_WNDCONTROLBAR
#define _afxWndMDIFrame     AFX_WNDMDIFRAME
#define _afxWndFrameOrView  AFX_WNDFRAMEORVIEW
#define _afxWndOleControl   AFX_WNDOLECONTROL

// TRUE when every class named by the flags is registered.
BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister);

// Closes the drop-down list of a combo box (in a bar or dialog) that has the
// focus, unless the input goes to that combo box itself.
void AFXAPI AfxCancelModes(HWND hWndRcvr);

// ---------------------------------------------------------------------------
// The control and document families
// ---------------------------------------------------------------------------
#if __has_include("afxwin_ctl.h")
#include "afxwin_ctl.h"
#endif
#if __has_include("afxwin_doc.h")
#include "afxwin_doc.h"
#endif

#endif // PELLUCOR_AFXWIN_H
