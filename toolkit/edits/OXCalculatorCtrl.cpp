#include "OXCalculatorCtrl.h"

#include "toolkit_res.h"

namespace {

enum Kind { DIGIT, OPERATOR, FUNCTION, EQUALS, SIGN, SEPARATOR, PI, BACKSPACE, CLEAR_ENTRY, CLEAR_ALL };

struct ButtonInfo
{
    UINT nID;
    Kind kind;
    int nValue;
    COLORREF clr;
};

const COLORREF BLUE = RGB(0, 0, 255), DARK_BLUE = RGB(0, 0, 128), RED = RGB(255, 0, 0), DARK_RED = RGB(128, 0, 0);
typedef COXCalculatorEngine E;

const ButtonInfo g_buttons[COXCalculatorCtrl::BUTTON_COUNT] = {
    {IDC_OX_CALC_0, DIGIT, 0, BLUE}, {IDC_OX_CALC_1, DIGIT, 1, BLUE}, {IDC_OX_CALC_2, DIGIT, 2, BLUE},
    {IDC_OX_CALC_3, DIGIT, 3, BLUE}, {IDC_OX_CALC_4, DIGIT, 4, BLUE}, {IDC_OX_CALC_5, DIGIT, 5, BLUE},
    {IDC_OX_CALC_6, DIGIT, 6, BLUE}, {IDC_OX_CALC_7, DIGIT, 7, BLUE}, {IDC_OX_CALC_8, DIGIT, 8, BLUE},
    {IDC_OX_CALC_9, DIGIT, 9, BLUE},
    {26486, DIGIT, 10, DARK_BLUE}, {26487, DIGIT, 11, DARK_BLUE}, {26488, DIGIT, 12, DARK_BLUE},
    {26489, DIGIT, 13, DARK_BLUE}, {26490, DIGIT, 14, DARK_BLUE}, {26491, DIGIT, 15, DARK_BLUE},
    {IDC_OX_CALC_ADD, OPERATOR, E::OP_ADD, RED}, {IDC_OX_CALC_SUBTRACT, OPERATOR, E::OP_SUBTRACT, RED},
    {IDC_OX_CALC_MULTIPLY, OPERATOR, E::OP_MULTIPLY, RED}, {IDC_OX_CALC_DIVIDE, OPERATOR, E::OP_DIVIDE, RED},
    {IDC_OX_CALC_MOD, OPERATOR, E::OP_MOD, RED}, {IDC_OX_CALC_POWER, OPERATOR, E::OP_POWER, RED},
    {IDC_OX_CALC_SIN, FUNCTION, E::OP_SIN, RED}, {IDC_OX_CALC_COS, FUNCTION, E::OP_COS, RED},
    {IDC_OX_CALC_TAN, FUNCTION, E::OP_TAN, RED}, {IDC_OX_CALC_TANH, FUNCTION, E::OP_TANH, RED},
    {IDC_OX_CALC_FACTORIAL, FUNCTION, E::OP_FACTORIAL, RED}, {IDC_OX_CALC_LOG, FUNCTION, E::OP_LOG10, RED},
    {IDC_OX_CALC_LN, FUNCTION, E::OP_LN, RED}, {IDC_OX_CALC_RECIPROCAL, FUNCTION, E::OP_RECIPROCAL, RED},
    {IDC_OX_CALC_SQRT, FUNCTION, E::OP_SQRT, RED},
    {IDC_OX_CALC_EQUALS, EQUALS, 0, RED}, {IDC_OX_CALC_SIGN, SIGN, 0, BLUE},
    {IDC_OX_CALC_SEPARATOR, SEPARATOR, 0, BLUE}, {IDC_OX_CALC_PI, PI, 0, DARK_BLUE},
    {IDC_OX_CALC_BACKSPACE, BACKSPACE, 0, DARK_RED}, {IDC_OX_CALC_CE, CLEAR_ENTRY, 0, DARK_RED},
    {IDC_OX_CALC_C, CLEAR_ALL, 0, DARK_RED},
};

const ButtonInfo* FindButton(UINT nID)
{
    for (const ButtonInfo& info : g_buttons)
        if (info.nID == nID)
            return &info;
    return NULL;
}

// The buttons' bold font, made once and kept for the process.
CFont& ButtonFont()
{
    static CFont s_font;
    if (s_font.m_hObject == NULL)
        s_font.CreateFont(-8, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    return s_font;
}

}  // namespace

IMPLEMENT_DYNCREATE(COXCalculatorCtrl, CDialog)

COXCalculatorCtrl::COXCalculatorCtrl(double dValue)
    : CDialog(IDD_OX_CALCULATOR), m_bExtended(FALSE), m_nBase(0), m_engine(dValue), m_hAccel(NULL)
{
    char szSep[8] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, szSep, sizeof(szSep)) > 0 && szSep[0])
        m_engine.SetDecimalSeparator(szSep[0]);
}

BOOL COXCalculatorCtrl::Create(CWnd* pParent)
{
    return CDialog::Create(IDD_OX_CALCULATOR, pParent);
}

BOOL COXCalculatorCtrl::OnInitDialog()
{
    CDialog::OnInitDialog();
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    m_hAccel = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDD_OX_CALCULATOR));
    m_comboBase.SubclassDlgItem(IDC_OX_CALC_BASE, this);
    for (const char* name : {"Decimal", "Hexadecimal", "Octal", "Binary"})
        m_comboBase.AddString(name);
    m_comboBase.SetCurSel(0);
    m_display.SubclassDlgItem(IDC_OX_CALC_DISPLAY, this);
    m_display.SetBkColor(::GetSysColor(COLOR_WINDOW));
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        m_buttons[i].SubclassDlgItem(g_buttons[i].nID, this);
        m_buttons[i].SetTextColor(g_buttons[i].clr);
        m_buttons[i].SetFocusRectInflate(CSize(-4, -4));
        m_buttons[i].SetDefaultFrameInflate(CSize(-3, -3));
        m_buttons[i].SetTextFont(&ButtonFont());
        m_buttons[i].SetToolTip(TRUE);
    }
    UpdateDisplay();
    return TRUE;
}

void COXCalculatorCtrl::SetValue(double dValue, BOOL bFraction)
{
    m_engine.SetValue(dValue, bFraction);
    UpdateDisplay();
}

void COXCalculatorCtrl::SetDecimalSeparator(char ch)
{
    if (ch == m_engine.GetDecimalSeparator())
        return;
    m_engine.SetDecimalSeparator(ch);
    UpdateDisplay();
}

CString COXCalculatorCtrl::GetDisplayText() const
{
    CString sInvalid, sRange;
    sInvalid.LoadString(IDS_OX_CALC_INVALID);
    sRange.LoadString(IDS_OX_CALC_RANGE);
    return m_engine.GetDisplayText(sInvalid, sRange);
}

void COXCalculatorCtrl::UpdateDisplay()
{
    m_sDisplay = GetDisplayText();
    if (m_hWnd == NULL)
        return;
    const BOOL bScientific = m_engine.IsScientific();
    const int nBase = m_engine.GetBase();
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        const ButtonInfo& info = g_buttons[i];
        BOOL bEnable = TRUE;
        if (info.kind == DIGIT)
            bEnable = m_engine.IsDigitAllowed(info.nValue) && (info.nValue < 10 || bScientific);
        else if (info.kind == FUNCTION && info.nValue != E::OP_RECIPROCAL && info.nValue != E::OP_SQRT)
            bEnable = bScientific;
        else if (info.kind == OPERATOR && info.nValue == E::OP_POWER)
            bEnable = bScientific;
        else if (info.kind == PI || info.kind == SEPARATOR)
            bEnable = nBase == E::BASE_DECIMAL;
        if (m_buttons[i].m_hWnd && (m_buttons[i].IsWindowEnabled() != 0) != (bEnable != 0))
            m_buttons[i].EnableWindow(bEnable);
    }
    m_comboBase.EnableWindow(bScientific);
    if (m_comboBase.GetCurSel() != nBase)
        m_comboBase.SetCurSel(nBase);
    CheckDlgButton(IDC_OX_CALC_SCIENTIFIC, bScientific ? BST_CHECKED : BST_UNCHECKED);
    m_display.SetWindowText(m_sDisplay);
}

BOOL COXCalculatorCtrl::PressButton(UINT nID)
{
    const ButtonInfo* pInfo = FindButton(nID);
    if (pInfo == NULL)
        return FALSE;
    CWnd* pButton = GetDlgItem(nID);
    if (pButton && !pButton->IsWindowEnabled())
        return FALSE;
    switch (pInfo->kind) {
    case DIGIT: m_engine.Digit(pInfo->nValue); break;
    case OPERATOR: m_engine.Operator(pInfo->nValue); break;
    case FUNCTION: m_engine.Function(pInfo->nValue); break;
    case EQUALS: m_engine.Equals(); break;
    case SIGN: m_engine.ChangeSign(); break;
    case SEPARATOR: m_engine.Fraction(); break;
    case PI: m_engine.Pi(); break;
    case BACKSPACE: m_engine.Backspace(); break;
    case CLEAR_ENTRY: m_engine.ClearEntry(); break;
    case CLEAR_ALL: m_engine.ClearAll(); break;
    }
    UpdateDisplay();
    return TRUE;
}

BOOL COXCalculatorCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam), nCode = HIWORD(wParam);
    if (nID == IDC_OX_CALC_BASE) {
        if (nCode == CBN_SELCHANGE) {
            m_engine.SetBase(m_comboBase.GetCurSel());
            m_nBase = m_engine.GetBase();
            UpdateDisplay();
        }
        return TRUE;
    }
    if (nID == IDC_OX_CALC_SCIENTIFIC) {
        if (nCode == BN_CLICKED) {
            m_bExtended = IsDlgButtonChecked(IDC_OX_CALC_SCIENTIFIC) == BST_CHECKED;
            m_engine.SetScientific(m_bExtended);
            UpdateDisplay();
        }
        return TRUE;
    }
    // a click (BN_CLICKED) or an accelerator (no control window)
    if ((nCode == BN_CLICKED || lParam == 0) && FindButton(nID)) {
        PressButton(nID);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL COXCalculatorCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    if (m_hAccel && ::TranslateAccelerator(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}
