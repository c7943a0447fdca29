// AboutDlg.cpp - the about box and its animated text panel.
#include "AboutDlg.h"

#include <math.h>
#include "VersionText.h"
#include "framework_res.h"

namespace {

const COLORREF clrWhite = RGB(255, 255, 255);
const COLORREF clrTitle = 0xE78C10;     // title lines
const COLORREF clrText = RGB(0, 0, 0);

const char szDefaultText[] = "\tCAboutCtrl\n\n";
const int nDefaultX = 460;
const int nPasses = 2;                  // passes after the first

// The wave: degrees to radians as the drawing has always done it, and the
// angle step per tick.
const double dDegToRad = 0.0174;
const int nAngleStep = 6;

// One text of the process for every about box, with the version in place.
CString g_strAboutText;
BOOL g_bSplashEnabled = FALSE;
CAboutDlg* g_pSplash = NULL;
HHOOK g_hSplashFilter = NULL;

}  // namespace

// ---------------------------------------------------------------------------
// CAboutCtrl
// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CAboutCtrl, CStatic)
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CAboutCtrl::CAboutCtrl()
    : m_strText(szDefaultText),
      m_nX(nDefaultX),
      m_bWave(FALSE),
      m_bScroll(FALSE),
      m_nPassesLeft(nPasses),
      m_nTextTop(0),
      m_ptTile(0, 0),
      m_nAngleWave(0),
      m_nAngleSway(0),
      m_bClosePosted(FALSE),
      m_pOldText(NULL),
      m_sizeWave(0, 0),
      m_pFrameBits(NULL),
      m_pOldFrame(NULL),
      m_sizeFrame(0, 0)
{
}

CAboutCtrl::~CAboutCtrl()
{
    FreePictures();
}

void CAboutCtrl::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    DrawTextPicture();
    if (m_bmpTile.GetSafeHandle() == NULL && m_bmpTile.LoadBitmap(IDB_ABOUT_TILE))
        m_brTile.CreatePatternBrush(&m_bmpTile);
    LoadWave();

    CRect rc;
    GetClientRect(rc);
    m_nTextTop = rc.Height();      // scrolling starts at the bottom
    m_nPassesLeft = nPasses;
    m_bClosePosted = FALSE;
    SetTimer(nTimerId, nTickMs, NULL);
}

void CAboutCtrl::DrawTextPicture()
{
    FreePictures();
    CClientDC dcScreen(NULL);
    m_dcText.CreateCompatibleDC(&dcScreen);
    m_bmpText.CreateCompatibleBitmap(&dcScreen, cxPicture, cyPicture);
    m_pOldText = m_dcText.SelectObject(&m_bmpText);
    m_dcText.FillSolidRect(0, 0, cxPicture, cyPicture, clrWhite);
    m_dcText.SetBkMode(TRANSPARENT);

    int y = 0;
    int nStart = 0;
    const int nLength = m_strText.GetLength();
    while (nStart <= nLength) {
        int nEnd = m_strText.Find('\n', nStart);
        if (nEnd < 0)
            nEnd = nLength;
        CString strLine = m_strText.Mid(nStart, nEnd - nStart);
        nStart = nEnd + 1;

        int nHeight = 14;
        int nWeight = FW_NORMAL;
        COLORREF clr = clrText;
        if (!strLine.IsEmpty() && strLine[0] == '\t') {
            strLine = strLine.Mid(1);
            nHeight = 20;
            nWeight = FW_BOLD;
            clr = clrTitle;
        } else if (!strLine.IsEmpty() && strLine[0] == '\r') {
            strLine = strLine.Mid(1);
            nWeight = FW_BOLD;
        }
        CFont font;
        font.CreateFont(nHeight, 0, 0, 0, nWeight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
        CFont* pOldFont = m_dcText.SelectObject(&font);
        m_dcText.SetTextColor(clr);
        CRect rcLine(0, y, cxPicture, cyPicture);
        m_dcText.DrawText(strLine, rcLine, DT_SINGLELINE | DT_NOPREFIX);
        TEXTMETRIC tm;
        m_dcText.GetTextMetrics(&tm);
        y += tm.tmHeight;
        m_dcText.SelectObject(pOldFont);
        if (nEnd == nLength)
            break;
    }
}

void CAboutCtrl::FreePictures()
{
    if (m_dcText.GetSafeHdc() != NULL) {
        m_dcText.SelectObject(m_pOldText);
        m_dcText.DeleteDC();
    }
    m_bmpText.DeleteObject();
    m_pOldText = NULL;
    if (m_dcFrame.GetSafeHdc() != NULL) {
        m_dcFrame.SelectObject(m_pOldFrame);
        m_dcFrame.DeleteDC();
    }
    m_bmpFrame.DeleteObject();
    m_pFrameBits = NULL;
    m_pOldFrame = NULL;
    m_sizeFrame = CSize(0, 0);
}

void CAboutCtrl::LoadWave()
{
    if (m_bmpWave.GetSafeHandle() != NULL || !m_bmpWave.LoadBitmap(IDB_ABOUT_WAVE))
        return;
    BITMAP bm;
    m_bmpWave.GetBitmap(&bm);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    m_arrWave.assign((size_t)bm.bmWidth * bm.bmHeight, 0);
    CClientDC dcScreen(NULL);
    if (::GetDIBits(dcScreen, (HBITMAP)m_bmpWave.GetSafeHandle(), 0, bm.bmHeight, m_arrWave.data(), &bmi,
                    DIB_RGB_COLORS) == bm.bmHeight)
        m_sizeWave = CSize(bm.bmWidth, bm.bmHeight);
    else
        m_arrWave.clear();
}

// Each column of the sprite rides its own point of a sine and the whole
// sprite sways from side to side; white is the sprite's background. The
// pixels go straight into the frame: a copy per column through the device
// context would cost far more than a tick.
void CAboutCtrl::DrawWave(const CRect& rc)
{
    if (m_pFrameBits == NULL || m_arrWave.empty())
        return;
    ::GdiFlush();
    const int cx = rc.Width(), cy = rc.Height();
    int xSway = (int)(sin(m_nAngleSway * dDegToRad) * (cx / 4.25));
    int xLeft = (cx - m_sizeWave.cx) / 2 + xSway;
    int yBase = cy - m_sizeWave.cy - 20;
    for (int nColumn = 0; nColumn < m_sizeWave.cx; nColumn++) {
        int x = xLeft + nColumn;
        if (x < 0 || x >= cx)
            continue;
        int yTop = yBase + (int)(sin((m_nAngleWave + nColumn * nAngleStep) * dDegToRad) * 10 + 2.5);
        for (int nRow = 0; nRow < m_sizeWave.cy; nRow++) {
            int y = yTop + nRow;
            DWORD dwPixel = m_arrWave[(size_t)nRow * m_sizeWave.cx + nColumn] & 0xFFFFFF;
            if (y < 0 || y >= cy || dwPixel == 0xFFFFFF)
                continue;
            m_pFrameBits[(size_t)y * cx + x] = dwPixel;
        }
    }
    m_nAngleWave = (m_nAngleWave + nAngleStep / 2) % 360;
    m_nAngleSway = (m_nAngleSway + nAngleStep * 2) % 360;
}

void CAboutCtrl::Tick()
{
    if (GetSafeHwnd() == NULL || m_dcText.GetSafeHdc() == NULL)
        return;
    CRect rc;
    GetClientRect(rc);
    if (rc.IsRectEmpty())
        return;

    if (m_dcFrame.GetSafeHdc() == NULL || m_sizeFrame != rc.Size()) {
        if (m_dcFrame.GetSafeHdc() != NULL) {
            m_dcFrame.SelectObject(m_pOldFrame);
            m_dcFrame.DeleteDC();
            m_bmpFrame.DeleteObject();
        }
        CClientDC dc(this);
        m_dcFrame.CreateCompatibleDC(&dc);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = rc.Width();
        bmi.bmiHeader.biHeight = -rc.Height();
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = NULL;
        m_bmpFrame.Attach(::CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0));
        m_pFrameBits = (DWORD*)pBits;
        m_pOldFrame = m_dcFrame.SelectObject(&m_bmpFrame);
        m_sizeFrame = rc.Size();
    }

    // The background drifts 2 right and 1 down, coming back in at the other
    // side once it has left the client area.
    m_ptTile.x += 2;
    m_ptTile.y += 1;
    if (m_ptTile.x >= rc.Width())
        m_ptTile.x = 0;
    if (m_ptTile.y >= rc.Height())
        m_ptTile.y = 0;
    BITMAP bmTile;
    if (m_brTile.GetSafeHandle() != NULL && m_bmpTile.GetBitmap(&bmTile) && bmTile.bmWidth > 0 &&
        bmTile.bmHeight > 0) {
        m_dcFrame.SetBrushOrg(m_ptTile.x % bmTile.bmWidth, m_ptTile.y % bmTile.bmHeight);
        m_dcFrame.FillRect(rc, &m_brTile);
    } else {
        m_dcFrame.FillSolidRect(rc, clrWhite);
    }

    if (m_bWave)
        DrawWave(rc);

    int yText = GetTextTop();
    m_dcFrame.TransparentBlt(m_nX, yText, cxPicture, cyPicture, &m_dcText, 0, 0, cxPicture, cyPicture, clrWhite);

    CClientDC dc(this);
    dc.BitBlt(0, 0, rc.Width(), rc.Height(), &m_dcFrame, 0, 0, SRCCOPY);

    if (!m_bScroll)
        return;
    m_nTextTop--;
    if (m_nTextTop <= -cyPicture) {
        // gone above the top: the next pass starts at the bottom
        m_nTextTop = rc.Height();
        m_nPassesLeft--;
        if (m_nPassesLeft == -1 && !m_bClosePosted) {
            m_bClosePosted = TRUE;
            CWnd* pParent = GetParent();
            if (pParent != NULL)
                pParent->PostMessage(WM_CLOSE);
        }
    }
}

void CAboutCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == nTimerId)
        Tick();
    else
        CStatic::OnTimer(nIDEvent);
}

void CAboutCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->PostMessage(WM_CLOSE);
    CStatic::OnLButtonDown(nFlags, point);
}

// Frames are drawn by the timer; painting only has to validate.
void CAboutCtrl::OnPaint()
{
    CPaintDC dc(this);
}

void CAboutCtrl::OnDestroy()
{
    KillTimer(nTimerId);
    FreePictures();
    CStatic::OnDestroy();
}

// ---------------------------------------------------------------------------
// CAboutDlg
// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(LPCTSTR lpszAbout, int nX, BOOL bWave, BOOL bScroll, CWnd* pParent)
    : CDialog(IDD_ABOUT, pParent), m_nX(nX), m_bScroll(bScroll), m_bModeless(FALSE)
{
    CString strText(lpszAbout);
    strText.Replace("***", GetVersionText());
    g_strAboutText = strText;
    m_ctrlAbout.SetText(g_strAboutText);
    m_ctrlAbout.SetXPosition(nX);
    m_ctrlAbout.SetWave(bWave);
    m_ctrlAbout.SetScroll(bScroll);
}

BOOL CAboutDlg::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_bModeless = TRUE;
    return CDialog::Create(nIDTemplate, pParentWnd);
}

int CAboutDlg::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    CenterWindow();
    ShowWindow(SW_SHOW);
    if (!m_bScroll)
        SetTimer(1, 1000, NULL);
    return 0;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    if (GetDlgItem(IDC_ABOUT_TEXT) != NULL && m_ctrlAbout.GetSafeHwnd() == NULL)
        DDX_Control(pDX, IDC_ABOUT_TEXT, m_ctrlAbout);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    if (m_ctrlAbout.GetSafeHwnd() != NULL)
        m_ctrlAbout.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    return TRUE;
}

// A non-modal box that is closed goes away rather than staying hidden.
void CAboutDlg::OnCancel()
{
    if (m_bModeless)
        DestroyWindow();
    else
        CDialog::OnCancel();
}

void CAboutDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    if (this == g_pSplash) {
        g_pSplash = NULL;
        if (g_hSplashFilter != NULL) {
            ::UnhookWindowsHookEx(g_hSplashFilter);
            g_hSplashFilter = NULL;
        }
        delete this;
    } else if (m_bModeless && !m_bScroll) {
        // Only a box made with Create belongs to its window; a modal box lives
        // on its caller's stack or in its owner's member.
        delete this;
    }
}

void CAboutDlg::EnableSplashScreen(BOOL bEnable)
{
    g_bSplashEnabled = bEnable;
}

CAboutDlg* CAboutDlg::GetSplashScreen()
{
    return g_pSplash;
}

void CAboutDlg::SetAboutText(LPCTSTR lpszText)
{
    g_strAboutText = lpszText;
}

CString CAboutDlg::GetAboutText()
{
    return g_strAboutText;
}

BOOL CAboutDlg::ShowSplashScreen(CWnd* pParent)
{
    if (!g_bSplashEnabled || g_pSplash != NULL)
        return FALSE;
    CAboutDlg* pBox = new CAboutDlg(g_strAboutText, 0, TRUE, TRUE, pParent);
    if (!pBox->Create(IDD_ABOUT, pParent)) {
        delete pBox;
        return FALSE;
    }
    g_pSplash = pBox;
    if (::IsWindow(pBox->m_wndProgress.GetSafeHwnd())) {
        pBox->m_wndProgress.SetRange(0, 100);
        pBox->m_wndProgress.SetPos(0);
        pBox->m_wndProgress.SetColors(2, (COLORREF)0x9E0000, (COLORREF)0xFFFFFF);
        pBox->m_wndProgress.ShowWindow(SW_SHOW);
    }
    g_hSplashFilter = ::SetWindowsHookEx(WH_GETMESSAGE, &CAboutDlg::SplashMessageFilter, NULL, ::GetCurrentThreadId());
    return TRUE;
}

LRESULT CALLBACK CAboutDlg::SplashMessageFilter(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && wParam == PM_REMOVE && g_pSplash != NULL) {
        MSG* pMsg = (MSG*)lParam;
        switch (pMsg->message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            g_pSplash->DestroyWindow();
            pMsg->message = WM_NULL;   // the press only closed the box
            CWnd* pMain = AfxGetMainWnd();
            if (pMain != NULL && pMain->GetSafeHwnd() != NULL)
                pMain->UpdateWindow();
            break;
        }
        default:
            break;
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
