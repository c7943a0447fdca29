// GridDropTarget.h - CGridDropTarget: the grid's OLE drop target (Part
// 4.113). It forwards drag enter, over, leave and drop on its grid's window
// to the grid's operations of the same name.
#pragma once

#include <afxwin.h>
#include <afxole.h>

class CGridCtrl;

class CGridDropTarget : public COleDropTarget
{
public:
    CGridDropTarget();
    virtual ~CGridDropTarget();

    BOOL Register(CGridCtrl* pGridCtrl);
    void Revoke() override;
    BOOL IsRegistered() const { return m_bIsRegistered; }

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

protected:
    CGridCtrl* m_pTargetGrid;
    BOOL m_bIsRegistered;
};
