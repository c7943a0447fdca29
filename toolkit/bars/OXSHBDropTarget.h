// OLE drag and drop as window messages: the drop target and the drop source
// turn every OLE call into a message sent to their window, with the address
// of a zeroed record that carries the call's arguments and takes the window's
// answer. A window that does not answer (a zero reply) gets the default
// behaviour of COleDropTarget / COleDropSource; a drag scroll takes the
// window's answer as it stands.
#pragma once

#include <afxole.h>

// Messages to the window, wParam 0, lParam the record.
#define SHBDTM_DRAGENTER        32941
#define SHBDTM_DRAGLEAVE        32942
#define SHBDTM_DRAGOVER         32943
#define SHBDTM_DRAGSCROLL       32944
#define SHBDTM_DROP             32945
#define SHBDTM_DROPEX           32946
#define SHBDSM_GIVEFEEDBACK     32947
#define SHBDSM_BEGINDRAG        32948
#define SHBDSM_QUERYCONTINUEDRAG 32949

// The drop target's record. Fields a message does not use stay 0.
struct OXDRAGDROPMESSAGE
{
    CWnd* pWnd;                      // the target window (all)
    COleDataObject* pDataObject;     // enter, over, drop, drop-ex
    DWORD dwKeyState;                // enter, over, scroll
    LONG x;                          // the point in client coordinates
    LONG y;
    DWORD dropEffect;                // drop: the effect; drop-ex: the default
    DWORD dropList;                  // drop-ex: the allowed effects
    DWORD result;                    // DROPEFFECT answer, or BOOL for a drop
};

class COXSHBDropTarget : public COleDropTarget
{
    DECLARE_DYNAMIC(COXSHBDropTarget)
public:
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                        DROPEFFECT dropList, CPoint point) override;
    // The window's answer to SHBDTM_DRAGSCROLL as it stands (0 when it does
    // not answer); DROPEFFECT_SCROLL scrolls the window vertically while
    // the point rests in the band along its top or bottom edge.
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

protected:
    DROPEFFECT AutoScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);
    static BOOL HasVerticalRange(CWnd* pWnd);
    enum { NO_SCROLL = 0xFFFF };
};
