// ddx.cpp - dialog data exchange (DDX_) and validation (DDV_).
//
// Each DDX_ function prepares its control (so a later failure can return the
// focus to it) and copies one value: into the control when loading, out of
// it when saving. A value the control's text cannot give (a bad number, a
// value out of range) is refused with the standard message box and
// CDataExchange::Fail, which ends the UpdateData pass with a CUserException.
#include <afxwin.h>
#include <afxcmn.h>
#include <afxdisp.h>
#include <float.h>
#include <limits.h>
#include <errno.h>
#include <stdlib.h>

// ---------------------------------------------------------------------------
// CDataExchange
// ---------------------------------------------------------------------------

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE), m_idLastControl(0)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (hWndCtrl == NULL) {
        TRACE("DDX: no control with id %d\n", nIDC);
        AfxThrowNotSupportedException();
    }
    m_hWndLastControl = hWndCtrl;
    m_idLastControl = (UINT)nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

static BOOL IsComboBox(HWND hWnd)
{
    char szClass[16];
    return ::GetClassNameA(hWnd, szClass, sizeof(szClass)) && lstrcmpiA(szClass, "ComboBox") == 0;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != NULL) {
        // Back to the offending field, its text selected for retyping.
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl) {
            if (IsComboBox(m_hWndLastControl))
                ::SendMessage(m_hWndLastControl, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
            else
                ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

// The text of a standard prompt: the program's string resource when it has
// one, else the English default; %1 and %2 are replaced by the arguments.
static CString LoadPrompt(UINT nIDPrompt, LPCSTR lpszDefault, LPCSTR lpsz1 = NULL, LPCSTR lpsz2 = NULL)
{
    CString strPrompt;
    if (!strPrompt.LoadString(nIDPrompt) || strPrompt.IsEmpty())
        strPrompt = lpszDefault;
    if (lpsz1 != NULL)
        strPrompt.Replace("%1", lpsz1);
    if (lpsz2 != NULL)
        strPrompt.Replace("%2", lpsz2);
    return strPrompt;
}

// Shows the refusal and fails the exchange.
[[noreturn]] static void Refuse(CDataExchange* pDX, UINT nIDPrompt, LPCSTR lpszDefault,
                                LPCSTR lpsz1 = NULL, LPCSTR lpsz2 = NULL)
{
    AfxMessageBox(LoadPrompt(nIDPrompt, lpszDefault, lpsz1, lpsz2), MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

static const char szParseInt[] = "Please enter an integer.";
static const char szParseUInt[] = "Please enter a positive integer.";
static const char szParseByte[] = "Please enter an integer between 0 and 255.";
static const char szParseReal[] = "Please enter a number.";
static const char szParseIntRange[] = "Please enter an integer between %1 and %2.";
static const char szParseRealRange[] = "Please enter a number between %1 and %2.";
static const char szParseStringSize[] = "Please enter no more than %1 characters.";
static const char szParseDateTime[] = "Please enter a date and/or time.";

static CString GetText(HWND hWnd)
{
    CString str;
    int nLen = ::GetWindowTextLength(hWnd);
    if (nLen > 0) {
        int nGot = ::GetWindowText(hWnd, str.GetBufferSetLength(nLen), nLen + 1);
        str.ReleaseBuffer(nGot);
    }
    return str;
}

// Setting a control's text to what it already shows is skipped: no flicker
// and no EN_CHANGE for an unchanged value.
static void SetTextIfChanged(HWND hWnd, LPCSTR lpszNew)
{
    int nNewLen = lstrlenA(lpszNew);
    if (::GetWindowTextLength(hWnd) == nNewLen) {
        char szOld[256];
        if (nNewLen < (int)sizeof(szOld)) {
            ::GetWindowTextA(hWnd, szOld, sizeof(szOld));
            if (lstrcmpA(szOld, lpszNew) == 0)
                return;
        } else if (GetText(hWnd) == lpszNew) {
            return;
        }
    }
    ::SetWindowTextA(hWnd, lpszNew);
}

static bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

// A whole integer: blanks around it allowed, an optional sign, decimal
// digits, nothing else. FALSE for anything else or a value outside
// [llMin, llMax] (an unsigned maximum above LLONG_MAX is given as ullMax).
static BOOL ParseInteger(LPCSTR psz, BOOL bSigned, ULONGLONG ullMax, LONGLONG llMin, ULONGLONG& ullValue, bool& bNegative)
{
    while (IsBlank(*psz))
        ++psz;
    bNegative = false;
    if (*psz == '+' || *psz == '-') {
        bNegative = *psz == '-';
        ++psz;
    }
    if (*psz < '0' || *psz > '9')
        return FALSE;
    ULONGLONG v = 0;
    for (; *psz >= '0' && *psz <= '9'; ++psz) {
        unsigned d = (unsigned)(*psz - '0');
        if (v > (ULLONG_MAX - d) / 10)
            return FALSE;
        v = v * 10 + d;
    }
    while (IsBlank(*psz))
        ++psz;
    if (*psz != '\0')
        return FALSE;
    if (bNegative && v != 0) {
        if (!bSigned)
            return FALSE;
        // -v >= llMin
        if (v > (ULONGLONG)(-(llMin + 1)) + 1)
            return FALSE;
    } else if (v > ullMax) {
        return FALSE;
    }
    ullValue = v;
    return TRUE;
}

template <class T>
static void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, LONGLONG llMin, LONGLONG llMax,
                           UINT nIDPrompt, LPCSTR lpszPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        ULONGLONG v = 0;
        bool bNegative = false;
        if (!ParseInteger(GetText(hWndCtrl), TRUE, (ULONGLONG)llMax, llMin, v, bNegative))
            Refuse(pDX, nIDPrompt, lpszPrompt);
        value = (T)(bNegative ? (LONGLONG)(0 - v) : (LONGLONG)v);
    } else {
        CString str;
        str.Format("%I64d", (LONGLONG)value);
        SetTextIfChanged(hWndCtrl, str);
    }
}

template <class T>
static void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, ULONGLONG ullMax, UINT nIDPrompt,
                             LPCSTR lpszPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        ULONGLONG v = 0;
        bool bNegative = false;
        if (!ParseInteger(GetText(hWndCtrl), FALSE, ullMax, 0, v, bNegative))
            Refuse(pDX, nIDPrompt, lpszPrompt);
        value = (T)v;
    } else {
        CString str;
        str.Format("%I64u", (ULONGLONG)value);
        SetTextIfChanged(hWndCtrl, str);
    }
}

// A whole number in the C locale's notation, blanks around it allowed.
static BOOL ParseReal(LPCSTR psz, double& d)
{
    while (IsBlank(*psz))
        ++psz;
    if (*psz == '\0')
        return FALSE;
    char* pEnd = NULL;
    errno = 0;
    d = strtod(psz, &pEnd);
    if (pEnd == psz || errno == ERANGE)
        return FALSE;
    while (IsBlank(*pEnd))
        ++pEnd;
    return *pEnd == '\0';
}

static void ExchangeReal(CDataExchange* pDX, int nIDC, double& value, int nDigits)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double d = 0;
        if (!ParseReal(GetText(hWndCtrl), d))
            Refuse(pDX, AFX_IDP_PARSE_REAL, szParseReal);
        value = d;
    } else {
        CString str;
        str.Format("%.*g", nDigits, value);
        SetTextIfChanged(hWndCtrl, str);
    }
}

// ---------------------------------------------------------------------------
// DDX_Control and DDX_Text
// ---------------------------------------------------------------------------

// The first exchange subclasses the dialog's control with rControl, which
// from then on receives the control's messages and reflected notifications.
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = ::GetDlgItem(pDX->m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (hWndCtrl == NULL || !rControl.SubclassWindow(hWndCtrl)) {
        TRACE("DDX_Control: cannot subclass control %d\n", nIDC);
        AfxThrowNotSupportedException();
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = GetText(hWndCtrl);
    else
        SetTextIfChanged(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LPTSTR value, int nMaxLen)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int nLen = ::GetWindowText(hWndCtrl, value, nMaxLen);
        if (nLen >= 0 && nLen < nMaxLen)
            value[nLen] = '\0';
    } else {
        SetTextIfChanged(hWndCtrl, value);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    ExchangeUnsigned(pDX, nIDC, value, 255, AFX_IDP_PARSE_BYTE, szParseByte);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    ExchangeSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, AFX_IDP_PARSE_INT, szParseInt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT, szParseInt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX, AFX_IDP_PARSE_INT, szParseInt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LONGLONG& value)
{
    ExchangeSigned(pDX, nIDC, value, LLONG_MIN, LLONG_MAX, AFX_IDP_PARSE_INT, szParseInt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeUnsigned(pDX, nIDC, value, UINT_MAX, AFX_IDP_PARSE_UINT, szParseUInt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeUnsigned(pDX, nIDC, value, ULONG_MAX, AFX_IDP_PARSE_UINT, szParseUInt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, ULONGLONG& value)
{
    ExchangeUnsigned(pDX, nIDC, value, ULLONG_MAX, AFX_IDP_PARSE_UINT, szParseUInt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    ExchangeReal(pDX, nIDC, value, DBL_DIG);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    double d = value;
    ExchangeReal(pDX, nIDC, d, FLT_DIG);
    if (pDX->m_bSaveAndValidate) {
        if (d > FLT_MAX || d < -FLT_MAX)
            Refuse(pDX, AFX_IDP_PARSE_REAL, szParseReal);
        value = (float)d;
    }
}

// ---------------------------------------------------------------------------
// Buttons
// ---------------------------------------------------------------------------

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
    } else {
        if (value < 0 || value > 2)
            value = 0;   // not a check state
        ::SendMessage(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

// The group is the radio buttons from nIDC (which starts a WS_GROUP) up to the
// next control with WS_GROUP; value is the index of the checked one, -1 for
// none.
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = iButton;
            } else {
                ::SendMessage(hWndCtrl, BM_SETCHECK, iButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

// ---------------------------------------------------------------------------
// List and combo boxes
// ---------------------------------------------------------------------------

static CString GetListText(HWND hWnd, UINT nLenMsg, UINT nTextMsg, int nIndex)
{
    CString str;
    int nLen = (int)::SendMessage(hWnd, nLenMsg, nIndex, 0);
    if (nLen > 0) {
        int nGot = (int)::SendMessage(hWnd, nTextMsg, nIndex, (LPARAM)str.GetBufferSetLength(nLen));
        str.ReleaseBuffer(nGot < 0 ? 0 : nGot);
    }
    return str;
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int nIndex = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
        value = nIndex != LB_ERR ? GetListText(hWndCtrl, LB_GETTEXTLEN, LB_GETTEXT, nIndex) : CString();
    } else {
        // The first item starting with the value (ignoring case); the
        // selection stays when none does.
        ::SendMessage(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value);
    }
}

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        DDX_LBString(pDX, nIDC, value);
    } else {
        int nIndex = (int)::SendMessage(hWndCtrl, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCSTR)value);
        if (nIndex >= 0)
            ::SendMessage(hWndCtrl, LB_SETCURSEL, nIndex, 0);
    }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, index, 0);
}

// A combo box with an edit part counts as an edit for Fail and DDV_MaxChars.
static HWND PrepareCombo(CDataExchange* pDX, int nIDC)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if ((::GetWindowLong(hWndCtrl, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST)
        pDX->m_bEditLastControl = TRUE;
    return hWndCtrl;
}

static CString GetComboText(HWND hWndCtrl)
{
    CString str = GetText(hWndCtrl);
    if (str.IsEmpty() && (::GetWindowLong(hWndCtrl, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST) {
        int nIndex = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
        if (nIndex != CB_ERR)
            str = GetListText(hWndCtrl, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex);
    }
    return str;
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = PrepareCombo(pDX, nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = GetComboText(hWndCtrl);
    } else if (::SendMessage(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value) == CB_ERR) {
        // No item starts with it: the edit part shows it as typed (a drop
        // list ignores this).
        SetTextIfChanged(hWndCtrl, value);
    }
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = PrepareCombo(pDX, nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = GetComboText(hWndCtrl);
    } else {
        int nIndex = (int)::SendMessage(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCSTR)value);
        if (nIndex >= 0)
            ::SendMessage(hWndCtrl, CB_SETCURSEL, nIndex, 0);
        else
            SetTextIfChanged(hWndCtrl, value);
    }
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, index, 0);
}

// ---------------------------------------------------------------------------
// Scroll bars, sliders, date and time pickers, month calendars
// ---------------------------------------------------------------------------

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ::GetScrollPos(hWndCtrl, SB_CTL);
    else
        ::SetScrollPos(hWndCtrl, SB_CTL, value, TRUE);
}

void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hWndCtrl, TBM_GETPOS, 0, 0);
    else
        ::SendMessage(hWndCtrl, TBM_SETPOS, TRUE, value);
}

void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessage(hWndCtrl, DTM_GETSYSTEMTIME, 0, (LPARAM)&st) == GDT_VALID)
            value = CTime(st);
        else
            value = CTime();
    } else if (value.GetAsSystemTime(st)) {
        ::SendMessage(hWndCtrl, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
    } else {
        ::SendMessage(hWndCtrl, DTM_SETSYSTEMTIME, GDT_NONE, (LPARAM)&st);   // a structure even for none
    }
}

void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessage(hWndCtrl, DTM_GETSYSTEMTIME, 0, (LPARAM)&st) == GDT_VALID) {
            value = COleDateTime(st);
        } else {
            value = COleDateTime();
            value.SetStatus(COleDateTime::null);
        }
    } else if (value.GetStatus() == COleDateTime::valid && value.GetAsSystemTime(st)) {
        ::SendMessage(hWndCtrl, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
    } else if (value.GetStatus() == COleDateTime::null) {
        ::SendMessage(hWndCtrl, DTM_SETSYSTEMTIME, GDT_NONE, (LPARAM)&st);   // a structure even for none
    } else {
        Refuse(pDX, AFX_IDP_PARSE_DATETIME, szParseDateTime);
    }
}

void AFXAPI DDX_MonthCalCtrl(CDataExchange* pDX, int nIDC, CTime& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessage(hWndCtrl, MCM_GETCURSEL, 0, (LPARAM)&st)) {
            st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
            value = CTime(st);
        }
    } else if (value.GetAsSystemTime(st)) {
        ::SendMessage(hWndCtrl, MCM_SETCURSEL, 0, (LPARAM)&st);
    }
}

void AFXAPI DDX_MonthCalCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessage(hWndCtrl, MCM_GETCURSEL, 0, (LPARAM)&st)) {
            st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
            value = COleDateTime(st);
        }
    } else if (value.GetStatus() == COleDateTime::valid && value.GetAsSystemTime(st)) {
        ::SendMessage(hWndCtrl, MCM_SETCURSEL, 0, (LPARAM)&st);
    }
}

// ---------------------------------------------------------------------------
// Validation
// ---------------------------------------------------------------------------

static void FailSignedRange(CDataExchange* pDX, LONGLONG minVal, LONGLONG maxVal)
{
    CString strMin, strMax;
    strMin.Format("%I64d", minVal);
    strMax.Format("%I64d", maxVal);
    Refuse(pDX, AFX_IDP_PARSE_INT_RANGE, szParseIntRange, strMin, strMax);
}

static void FailUnsignedRange(CDataExchange* pDX, ULONGLONG minVal, ULONGLONG maxVal)
{
    CString strMin, strMax;
    strMin.Format("%I64u", minVal);
    strMax.Format("%I64u", maxVal);
    Refuse(pDX, AFX_IDP_PARSE_INT_RANGE, szParseIntRange, strMin, strMax);
}

static void FailRealRange(CDataExchange* pDX, double minVal, double maxVal, int nDigits)
{
    CString strMin, strMax;
    strMin.Format("%.*g", nDigits, minVal);
    strMax.Format("%.*g", nDigits, maxVal);
    Refuse(pDX, AFX_IDP_PARSE_REAL_RANGE, szParseRealRange, strMin, strMax);
}

// Values are only checked when saving.
template <class T>
static void CheckSigned(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailSignedRange(pDX, (LONGLONG)minVal, (LONGLONG)maxVal);
}

template <class T>
static void CheckUnsigned(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailUnsignedRange(pDX, (ULONGLONG)minVal, (ULONGLONG)maxVal);
}

void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) { CheckUnsigned(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) { CheckSigned(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) { CheckSigned(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) { CheckSigned(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxLongLong(CDataExchange* pDX, LONGLONG value, LONGLONG minVal, LONGLONG maxVal) { CheckSigned(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) { CheckUnsigned(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) { CheckUnsigned(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxULongLong(CDataExchange* pDX, ULONGLONG value, ULONGLONG minVal, ULONGLONG maxVal) { CheckUnsigned(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxSlider(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) { CheckUnsigned(pDX, value, minVal, maxVal); }

void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRealRange(pDX, minVal, maxVal, FLT_DIG);
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRealRange(pDX, minVal, maxVal, DBL_DIG);
}

// Saving: refuses a longer text. Loading: limits the last prepared edit (or
// combo box edit) to nChars, so the user cannot type more.
void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString str;
            str.Format("%d", nChars);
            Refuse(pDX, AFX_IDP_PARSE_STRING_SIZE, szParseStringSize, str);
        }
    } else if (pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl) {
        if (IsComboBox(pDX->m_hWndLastControl))
            ::SendMessage(pDX->m_hWndLastControl, CB_LIMITTEXT, nChars, 0);
        else
            ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
    }
}
