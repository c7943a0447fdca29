// TipDlg.cpp - the tip of the day and its reader of "tips.txt".
#include "TipDlg.h"

#include <sys/stat.h>
#include <algorithm>
#include <time.h>
#include "BasedApp.h"
#include "ProfileKeys.h"
#include "framework_res.h"

namespace {

const char szNoTipsFile[] = "Tips file does not exist in the prescribed directory";
const char szNoTips[] = "The tips file holds no tips";
const char szReadTrouble[] = "Trouble reading the tips file";
const char szHeader[] = "Did you know...";

// The unnamed frame around the tip area.
const UINT nOuterFrameId = 65535;

// Lines that begin with these are no tips: blank or tab (indented notes),
// an empty line, ";" (comments).
bool IsSkippedLine(const char* pszLine)
{
    return pszLine[0] == ' ' || pszLine[0] == '\t' || pszLine[0] == '\n' || pszLine[0] == ';';
}

}  // namespace

BEGIN_MESSAGE_MAP(CTipDlg, CBaseDlg)
    ON_BN_CLICKED(IDC_TIP_NEXT, &CTipDlg::OnNextTip)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

BEGIN_DYNAMIC_MAP(CTipDlg, CBaseDlg)
    DYNAMIC_MAP_ENTRY_EX(nOuterFrameId, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdResize)
    DYNAMIC_MAP_ENTRY_EX(IDC_TIP_FRAME, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdResize)
    DYNAMIC_MAP_ENTRY_EX(IDC_TIP_STARTUP, cdxCDynamicWnd::mdNone, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_TIP_NEXT, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDCANCEL, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
END_DYNAMIC_MAP()

CTipDlg::CTipDlg(CWnd* pParent) : CBaseDlg(IDD_TIP, pParent), m_pStream(NULL), m_bNoTips(FALSE)
{
    m_strProfile = "CTipDlg";
    CWinApp* pApp = AfxGetApp();
    m_bStartup = !ReadProfileKey(pApp, profileTipStartUp);
    long nOffset = ReadProfileKey(pApp, profileTipFilePos);

    // Binary, so that the remembered offset is the true byte offset whatever
    // the file's line ends; the reader turns CR LF into LF itself.
    m_pStream = fopen(szTipsFile, "rb");
    if (m_pStream == NULL) {
        m_strTip = szNoTipsFile;
        return;
    }

    // A file with another time stamp was replaced: its offsets mean nothing.
    CString strTime = FileTimeText(m_pStream);
    if (strTime != ReadProfileKey(pApp, profileTipTimeStamp)) {
        WriteProfileKey(pApp, profileTipTimeStamp, strTime);
        nOffset = 0;
    }

    if (fseek(m_pStream, nOffset, SEEK_SET) != 0)
        WarningMessage(szReadTrouble, "Warning");
    else
        GetNextTipString(m_strTip);
}

CTipDlg::~CTipDlg()
{
    if (m_pStream != NULL) {
        WriteProfileKey(AfxGetApp(), profileTipFilePos, (int)ftell(m_pStream));
        fclose(m_pStream);
        m_pStream = NULL;
    }
}

CString CTipDlg::FileTimeText(FILE* pStream)
{
    struct _stat64i32 st;
    if (_fstat64i32(_fileno(pStream), &st) != 0)
        return CString();
    __time64_t tChange = st.st_ctime;
    const char* pszTime = _ctime64(&tChange);
    CString strTime(pszTime != NULL ? pszTime : "");
    strTime.TrimRight();
    return strTime;
}

void CTipDlg::GetNextTipString(CString& strNext)
{
    if (m_pStream == NULL)
        return;
    char szLine[nMaxTipLength + 1];
    // The first end of file may come after a start in the middle; only a
    // second one in a row has seen every line without a tip among them.
    int nEnds = 0;
    for (;;) {
        if (fgets(szLine, sizeof szLine, m_pStream) == NULL) {
            if (++nEnds > 1) {
                m_bNoTips = TRUE;
                strNext = szNoTips;
                return;
            }
            clearerr(m_pStream);
            if (fseek(m_pStream, 0, SEEK_SET) != 0)
                WarningMessage(szReadTrouble, "Warning");
            continue;
        }
        size_t nLength = strlen(szLine);
        if (nLength >= 2 && szLine[nLength - 2] == '\r' && szLine[nLength - 1] == '\n') {
            szLine[nLength - 2] = '\n';
            szLine[nLength - 1] = '\0';
        }
        if (!IsSkippedLine(szLine))
            break;
    }
    m_bNoTips = FALSE;
    strNext = szLine;
}

void CTipDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Control(pDX, IDC_TIP_NEXT, m_btnNext);
    DDX_Check(pDX, IDC_TIP_STARTUP, m_bStartup);
    DDX_Text(pDX, IDC_TIP_TEXT, m_strTip);
}

BOOL CTipDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    if (!HasTips())
        m_btnNext.EnableWindow(FALSE);

    m_btnClose.SetIcon(IDI_INPUT_CLOSE, 16, 16);
    m_btnClose.EnableBalloonTooltip();
    m_btnClose.SetTooltipText("Close this dialog");
    m_btnNext.SetIcon(IDI_TIP_NEXT, 16, 16);
    m_btnNext.EnableBalloonTooltip();
    m_btnNext.SetTooltipText("Show next tip");
    return TRUE;
}

void CTipDlg::OnNextTip()
{
    GetNextTipString(m_strTip);
    // Only the tip: a full exchange would also undo a change of the check box
    // that has not been read back yet.
    SetDlgItemText(IDC_TIP_TEXT, m_strTip);
    if (!HasTips())
        m_btnNext.EnableWindow(FALSE);
}

void CTipDlg::OnCancel()
{
    UpdateData(TRUE);
    CBaseDlg::OnCancel();
    WriteProfileKey(AfxGetApp(), profileTipStartUp, m_bStartup ? 0 : 1);
}

void CTipDlg::OnPaint()
{
    CPaintDC dc(this);
    CWnd* pFrame = GetDlgItem(IDC_TIP_FRAME);
    if (pFrame == NULL)
        return;
    CRect rc;
    pFrame->GetWindowRect(rc);
    ScreenToClient(rc);
    dc.FillSolidRect(rc, RGB(255, 255, 255));

    CBitmap bmp;
    if (bmp.LoadBitmap(IDB_TIP_HEADER)) {
        BITMAP bm;
        bmp.GetBitmap(&bm);
        CDC dcMem;
        dcMem.CreateCompatibleDC(&dc);
        CBitmap* pOld = dcMem.SelectObject(&bmp);
        // Never past the picture's own right edge: beyond it there is nothing to copy.
        dc.BitBlt(rc.left, rc.top, std::min(rc.Width(), (int)bm.bmWidth), bm.bmHeight, &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
        rc.left += bm.bmWidth;
        rc.bottom = rc.top + bm.bmHeight;
    }
    dc.DrawText(szHeader, -1, rc, DT_VCENTER | DT_SINGLELINE);
}

HBRUSH CTipDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd != NULL && pWnd->GetDlgCtrlID() == IDC_TIP_TEXT) {
        pDC->SetBkColor(RGB(255, 255, 255));
        return (HBRUSH)::GetStockObject(WHITE_BRUSH);
    }
    return CBaseDlg::OnCtlColor(pDC, pWnd, nCtlColor);
}
