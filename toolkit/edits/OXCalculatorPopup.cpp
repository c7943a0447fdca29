#include "OXCalculatorPopup.h"

#include "OXDropEdit.h"
#include "OXSameOrChildWindow.h"
#include "toolkit_res.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(COXCalculatorPopup, CWnd)

COXCalculatorPopup::COXCalculatorPopup() : m_pOwner(NULL), m_nExitCode(EXIT_RUNNING)
{
}

COXCalculatorPopup::~COXCalculatorPopup()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL COXCalculatorPopup::Create(CWnd* pOwner, HBRUSH hbrBackground)
{
    WNDCLASSA wc = {};
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (!::GetClassInfoA(hInst, "CalculatorPopupWindow", &wc)) {
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = hbrBackground ? hbrBackground : (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = "CalculatorPopupWindow";
        if (!AfxRegisterClass(&wc))
            return FALSE;
    }
    if (!CreateEx(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, "CalculatorPopupWindow", "", WS_POPUP,
                  CRect(0, 0, 0, 0), pOwner, 0))
        return FALSE;
    if (!m_calculator.Create(this)) {
        DestroyWindow();
        return FALSE;
    }
    m_calculator.ShowWindow(SW_SHOW);
    CString sOK, sCancel;
    sOK.LoadString(IDS_OX_CALC_OK);
    sCancel.LoadString(IDS_OX_CALC_CANCEL);
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
    m_btnOK.Create(sOK, dwStyle, CRect(0, 0, 0, 0), this, IDOK);
    m_btnCancel.Create(sCancel, dwStyle, CRect(0, 0, 0, 0), this, IDCANCEL);
    m_btnOK.SetTextFont(m_calculator.GetFont());
    m_btnCancel.SetTextFont(m_calculator.GetFont());
    m_pOwner = pOwner;
    return TRUE;
}

void COXCalculatorPopup::Layout()
{
    CRect rect;
    m_calculator.GetWindowRect(&rect);
    const int W = rect.Width(), H = rect.Height();
    m_rectCalculator = CRect(5, 5, W + 5, H + 5);
    m_rectOK = CRect(5, H + 10, W / 2, H + 34);
    m_rectCancel = CRect(W - W / 2 + 10, H + 10, W + 5, H + 34);
    m_rectPopup = CRect(0, 0, W + 10 + 2 * ::GetSystemMetrics(SM_CXDLGFRAME),
                        H + 39 + 2 * ::GetSystemMetrics(SM_CYDLGFRAME));
    m_calculator.MoveWindow(&m_rectCalculator);
    m_btnOK.MoveWindow(&m_rectOK);
    m_btnCancel.MoveWindow(&m_rectCancel);
}

BOOL COXCalculatorPopup::PlacePopup(CSize size, const CRect& rcAnchor, UINT nAlignment, int dx, int dy,
                                    const CRect& rcWork, CPoint& pt)
{
    const int w = size.cx, h = size.cy;
    if (w > rcWork.Width() || h > rcWork.Height())
        return FALSE;
    auto horizontal = [&](BOOL bRight) {
        if (bRight) {
            pt.x = rcAnchor.right + dx;
            if (pt.x + w > rcWork.right)
                pt.x = rcAnchor.left - w - dx;
        } else {
            pt.x = rcAnchor.left - w - dx;
            if (pt.x < rcWork.left)
                pt.x = rcAnchor.right + dx;
        }
        return pt.x >= rcWork.left && pt.x + w <= rcWork.right;
    };
    auto vertical = [&](BOOL bBelow) {
        if (bBelow) {
            pt.y = rcAnchor.bottom + dy;
            if (pt.y + h > rcWork.bottom)
                pt.y = rcAnchor.top - h - dy;
        } else {
            pt.y = rcAnchor.top - h - dy;
            if (pt.y < rcWork.top)
                pt.y = rcAnchor.bottom + dy;
        }
        return pt.y >= rcWork.top && pt.y + h <= rcWork.bottom;
    };
    BOOL bFits;
    switch (nAlignment) {
    case ALIGN_LEFT:
    case ALIGN_RIGHT:
    case ALIGN_LEFT_BOTTOM:
    case ALIGN_RIGHT_BOTTOM:
        bFits = horizontal(nAlignment == ALIGN_RIGHT || nAlignment == ALIGN_RIGHT_BOTTOM);
        pt.y = nAlignment <= ALIGN_RIGHT ? rcAnchor.top + dy : rcAnchor.bottom - h - dy;
        break;
    case ALIGN_ABOVE:
    case ALIGN_BELOW:
    case ALIGN_ABOVE_RIGHT:
    case ALIGN_BELOW_RIGHT:
        bFits = vertical(nAlignment == ALIGN_BELOW || nAlignment == ALIGN_BELOW_RIGHT);
        pt.x = nAlignment <= ALIGN_BELOW ? rcAnchor.left + dx : rcAnchor.right - w - dx;
        break;
    default:
        return FALSE;
    }
    if (!bFits)
        return FALSE;
    pt.x = std::max((int)rcWork.left, std::min((int)pt.x, (int)rcWork.right - w));
    pt.y = std::max((int)rcWork.top, std::min((int)pt.y, (int)rcWork.bottom - h));
    return TRUE;
}

BOOL COXCalculatorPopup::Pick(double dValue, UINT nAlignment, CRect rcAnchor, int nOffsetX, int nOffsetY)
{
    if (m_hWnd == NULL)
        return FALSE;
    Layout();
    CRect rcWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    if (rcAnchor.IsRectEmpty()) {
        CWnd* pAnchor = m_pOwner ? m_pOwner : GetParent();
        if (pAnchor)
            pAnchor->GetWindowRect(&rcAnchor);
    }
    CPoint pt;
    if (!PlacePopup(m_rectPopup.Size(), rcAnchor, nAlignment, nOffsetX, nOffsetY, rcWork, pt))
        return FALSE;
    SetWindowPos(&CWnd::wndTop, pt.x, pt.y, m_rectPopup.Width(), m_rectPopup.Height(), SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    m_calculator.SetFocus();
    m_calculator.SetValue(dValue, TRUE);
    m_calculator.GetEngine().ClearOperators();
    m_nExitCode = EXIT_RUNNING;

    OXRunPopupLoop([&](MSG& msg) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
            m_calculator.GetEngine().TakeEntry();
            m_nExitCode = EXIT_OK;
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            m_nExitCode = EXIT_CANCEL;
        } else if (!m_calculator.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (m_nExitCode == EXIT_RUNNING && !IsSameOrChildWindow(m_hWnd, ::GetFocus()))
            m_nExitCode = EXIT_CANCEL;
        return m_nExitCode == EXIT_RUNNING;
    });
    if (m_nExitCode == EXIT_RUNNING)
        m_nExitCode = EXIT_CANCEL;   // a quit ends the pick as a cancel
    ShowWindow(SW_HIDE);
    return m_nExitCode == EXIT_OK;
}

BOOL COXCalculatorPopup::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDOK) {
        m_nExitCode = EXIT_OK;
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        m_nExitCode = EXIT_CANCEL;
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}
