// DynamicControlsManager.h - the group-based layout engine: each group has one
// rectangle and four anchor percentages, and every window of the group is put
// on the group's rectangle as the owner is sized. The owner routes its size,
// min/max and destroy messages to the manager's Do... entry points.
#pragma once

#include <afxext.h>
#include "DynamicWnd.h"

class cdxCDynamicControlsManager
{
public:
    class ControlPosition
    {
    public:
        virtual ~ControlPosition() {}
    };

    class ControlData : public ControlPosition
    {
        friend class cdxCDynamicControlsManager;
    public:
        class ControlEntry
        {
        public:
            // Links itself at the head of the group's list and counts in the manager.
            ControlEntry(ControlData& rMaster, CWnd& rCtrl);
            virtual ~ControlEntry();

            ControlData& m_rMaster;
            ControlEntry* m_pNext;
            ControlEntry* m_pPrev;
            CWnd& m_rCtrl;
        };

        ControlData(cdxCDynamicControlsManager& rMaster, CWnd& rCtrl, BYTE x1, BYTE x2, BYTE y1, BYTE y2);
        virtual ~ControlData();

        virtual BOOL IsUsed() const { return m_pCtrl != NULL; }
        virtual void Add(CWnd& rCtrl) { new ControlEntry(*this, rCtrl); }
        virtual BOOL Rem(CWnd& rCtrl);
        // Refused when the rectangle or the percentages are reversed.
        virtual BOOL Modify(const CRect& rect, BYTE x1, BYTE x2, BYTE y1, BYTE y2);
        virtual CRect GetCurrentPosition() const;
        virtual CRect GetPosition() const { return m_rectOriginal; }
        virtual void GetPercents(BYTE& x1, BYTE& x2, BYTE& y1, BYTE& y2) const
        {
            x1 = m_x1; x2 = m_x2; y1 = m_y1; y2 = m_y2;
        }

        // The group's rectangle for a size change of (dx, dy).
        CRect Compute(int dx, int dy) const;

        cdxCDynamicControlsManager& m_rMaster;
        ControlData* m_pNext;
        ControlData* m_pPrev;
        ControlEntry* m_pCtrl;
        BYTE m_x1, m_x2, m_y1, m_y2;
        CRect m_rectOriginal;
    };

    cdxCDynamicControlsManager();
    virtual ~cdxCDynamicControlsManager();

    virtual BOOL IsDisabled() const { return FALSE; }

    BOOL IsReady() const { return m_pWndParent != NULL && ::IsWindow(m_pWndParent->m_hWnd); }
    // With pClientSize: that client size is the initial one; without: the current one.
    void DoInitWindow(CWnd& rWnd, const CSize* pClientSize = NULL, BOOL bSizeIcon = FALSE);
    ControlPosition* AddControl(CWnd& rCtrl, BYTE x1, BYTE x2, BYTE y1, BYTE y2);
    ControlPosition* AddControlByModes(CWnd& rCtrl, cdxCDynamicWnd::Mode modeH, cdxCDynamicWnd::Mode modeV);
    BOOL RemoveControl(CWnd& rCtrl);
    void RemoveAllControls();
    int GetWindowCount() const { return m_iWndCnt; }

    void RelayoutGroups(BOOL bRedraw = TRUE);
    BOOL SetSizeLimits(const CSize& szMin, const CSize& szMax, BOOL bApply = TRUE);
    BOOL FitWindowToLimits();
    BOOL GrowWindow(const CSize& szDelta);
    BOOL GrowWindowByPercent(int nPercent);
    void HideSizeGrip() { if (m_pWndSizeIcon != NULL) m_pWndSizeIcon->ShowWindow(SW_HIDE); }
    void ShowSizeGrip() { if (m_pWndSizeIcon != NULL) m_pWndSizeIcon->ShowWindow(SW_SHOW); }

    BOOL StoreWindowPosition(CWnd& rWnd, LPCTSTR lpszSection) { return cdxStoreWindowPlacement(&rWnd, lpszSection); }
    BOOL RestoreWindowPosition(CWnd& rWnd, LPCTSTR lpszSection, UINT nOptions = cdxCDynamicWndEx::rflg_all)
    {
        return cdxRestoreWindowPlacement(&rWnd, lpszSection, nOptions);
    }

    // ---- message entry points ----
    void DoOnSize(UINT nType);
    void DoOnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void DoOnDestroy();

    CWnd* m_pWndParent;
    ControlData* m_pFirst;
    int m_iWndCnt;
    CSize m_szClientInitial;
    CSize m_szMin;                  // whole-window sizes
    CSize m_szMax;                  // 0 = no limit
    int m_Freedom;                  // cdxCDynamicWnd::Freedom: a fixed direction keeps its minimum
    cdxCSizeIconCtrl* m_pWndSizeIcon;
    UINT m_idSizeIcon;
    BOOL m_bUseScrollPos;

private:
    cdxCDynamicControlsManager(const cdxCDynamicControlsManager&) = delete;
    void operator=(const cdxCDynamicControlsManager&) = delete;
};
