#include "SizeDockTestSupport.h"

#include <cstdio>
#include <stdexcept>

namespace {

CLayoutFaultWatch* g_pWatch = NULL;   // the newest watch of the test thread

}   // namespace

CLayoutFaultWatch::CLayoutFaultWatch() : m_pPrevious(g_pWatch)
{
    g_pWatch = this;
    m_pfnOldHook = AfxSetExceptionLogHook(&CLayoutFaultWatch::OnLog);
    m_pfnOldTranslator = AfxSetSeTranslator(&CLayoutFaultWatch::Translate);
}

CLayoutFaultWatch::~CLayoutFaultWatch()
{
    AfxSetSeTranslator(m_pfnOldTranslator);
    AfxSetExceptionLogHook(m_pfnOldHook);
    g_pWatch = m_pPrevious;
}

void AFXAPI CLayoutFaultWatch::OnLog(LPCTSTR lpszText)
{
    if (g_pWatch != NULL)
        g_pWatch->m_faults.push_back(std::string("reported: ") + lpszText);
}

void __cdecl CLayoutFaultWatch::Translate(unsigned int nCode, EXCEPTION_POINTERS* pPointers)
{
    char sz[160];
    snprintf(sz, sizeof(sz), "hardware exception 0x%08X at %p, address %p", nCode,
             pPointers->ExceptionRecord->ExceptionAddress,
             pPointers->ExceptionRecord->NumberParameters > 1
                 ? (void*)pPointers->ExceptionRecord->ExceptionInformation[1]
                 : NULL);
    throw std::runtime_error(sz);
}

std::vector<std::string> CLayoutFaultWatch::Faults() const
{
    std::vector<std::string> faults = m_faults;
    for (const ShownDialog& shown : m_answerer.Shown())
        faults.push_back("box: " + shown.text);
    return faults;
}

void CLayoutFaultWatch::Clear()
{
    m_faults.clear();
    m_answerer.Clear();
}

void CTestMainFrame::Show(CFrameWnd* pFrame)
{
    m_pFrame = pFrame;
    m_pOldMain = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->UpdateWindow();
}

void CTestMainFrame::Close()
{
    if (m_pFrame == NULL)
        return;
    AfxGetApp()->m_pMainWnd = m_pOldMain;
    if (::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();
    m_pFrame = NULL;
}

CRect WindowRectOf(CWnd* pWnd)
{
    CRect r;
    pWnd->GetWindowRect(&r);
    return r;
}

std::string NameOf(CWnd* pWnd)
{
    CString str;
    pWnd->GetWindowText(str);
    return (LPCTSTR)str;
}

std::string DescribeRows(CDockBar* pDock)
{
    std::string str;
    BOOL bOpen = FALSE;
    for (int i = 1; i < pDock->m_arrBars.GetSize(); ++i) {
        void* pVoid = pDock->m_arrBars[i];
        if (pVoid == NULL) {
            str += bOpen ? "] " : "[] ";
            bOpen = FALSE;
            continue;
        }
        str += bOpen ? ", " : "[";
        bOpen = TRUE;
        CControlBar* pBar = pDock->GetDockedControlBar(i);
        if (pBar == NULL) {
            str += "#" + std::to_string((unsigned)(UINT_PTR)pVoid);
        } else {
            CString strText;
            pBar->GetWindowText(strText);
            str += (LPCTSTR)strText;
            if (!pBar->IsVisible())
                str += " (hidden)";
        }
    }
    if (bOpen)
        str += "]";
    return str;
}

void DragSplitterByMessages(COXSizeDockBar* pDock, int nSplitter, int d)
{
    const COXSplitterRect* pSplitter = (COXSplitterRect*)pDock->m_arrSplitters[nSplitter];
    const CPoint ptFrom = CRect(pSplitter->m_rect).CenterPoint();
    const CSize step = pSplitter->m_nType == COXSplitterRect::vertical ? CSize(d, 0) : CSize(0, d);
    for (int i = 1; i <= 3; ++i) {
        const CPoint pt(ptFrom.x + step.cx * i / 3, ptFrom.y + step.cy * i / 3);
        pDock->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }
    const CPoint ptTo = ptFrom + step;
    pDock->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptTo.x, ptTo.y));
    pDock->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFrom.x, ptFrom.y));
}

void DragBarByMessages(CControlBar* pBar, CPoint ptFrom, CPoint ptTo)
{
    CPoint ptMid((ptFrom.x + ptTo.x) / 2, (ptFrom.y + ptTo.y) / 2);
    pBar->ScreenToClient(&ptMid);
    CPoint ptEnd = ptTo;
    pBar->ScreenToClient(&ptEnd);
    pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptMid.x, ptMid.y));
    pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptEnd.x, ptEnd.y));
    pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptEnd.x, ptEnd.y));
    pBar->m_pDockContext->StartDrag(ptFrom);
}

void DoubleClickFloatingCaption(CControlBar* pBar)
{
    CFrameWnd* pFloat = pBar->GetParentFrame();
    if (pFloat != NULL)
        pFloat->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
}
