#include "OXPhysicalEdit.h"

OX_IMPLEMENT_DYNAMIC_OVER_T(COXPhysicalEdit, COXDropEdit<COXNumericEdit>)

COXPhysicalEdit::COXPhysicalEdit() : m_nUnit(-1), m_pUnitTable(NULL), m_bUnitShown(FALSE)
{
}

COXPhysicalEdit::COXPhysicalEdit(const COXPhysicalUnitTable* pUnitTable, int nUnit, BOOL bShowUnit)
    : m_nUnit(nUnit), m_pUnitTable(pUnitTable), m_bUnitShown(FALSE)
{
    if (m_pUnitTable) {
        if (!IsUnit(m_nUnit))
            m_nUnit = m_pUnitTable->nDefaultUnit;
        m_menuUnits.CreatePopupMenu();
        for (int i = 0; i < m_pUnitTable->nUnitCount; ++i)
            m_menuUnits.AppendMenu(MF_STRING, ID_FIRST_UNIT + i, m_pUnitTable->arrUnitNames[i]);
        m_pMenu = &m_menuUnits;
    }
    ShowUnit(bShowUnit);
}

double COXPhysicalEdit::ConvertValue(double dValue, int nFrom, int nTo, const double (*conv)[3])
{
    if (conv == NULL || nFrom == nTo)
        return dValue;
    double dBase = (dValue + conv[nFrom][0]) * conv[nFrom][1] + conv[nFrom][2];
    return (dBase - conv[nTo][2]) / conv[nTo][1] - conv[nTo][0];
}

// A unit the table does not have converts nothing: its row would lie outside
// the conversion table.
double COXPhysicalEdit::ConvertValue(double dValue, int nFrom, int nTo) const
{
    if (!IsUnit(nFrom) || !IsUnit(nTo))
        return dValue;
    return ConvertValue(dValue, nFrom, nTo, GetConversionTable());
}

BOOL COXPhysicalEdit::IsUnit(int nUnit) const
{
    return nUnit >= 0 && nUnit < GetUnitCount();
}

CString COXPhysicalEdit::UnitText() const
{
    if (!IsUnit(m_nUnit))
        return CString();
    return CString(" ") + GetUnitNames()[m_nUnit];
}

// The unit text sits in the right literals just before the mask's own text
// after its '#'.
int COXPhysicalEdit::UnitTextIndex() const
{
    CString sMaskLeft, sMaskRight;
    SplitMask(sMaskLeft, sMaskRight);
    return m_arrRightLiterals.GetLength() - sMaskRight.GetLength();
}

void COXPhysicalEdit::ShowUnit(BOOL bShow)
{
    if (bShow == m_bUnitShown)
        return;
    CString sUnit = UnitText();
    int nIndex = UnitTextIndex();
    if (bShow)
        m_arrRightLiterals.Insert(nIndex, sUnit);
    else
        m_arrRightLiterals.Delete(nIndex - sUnit.GetLength(), sUnit.GetLength());
    m_bUnitShown = bShow;
    RefreshText(-1);
}

void COXPhysicalEdit::AdjustLiterals()
{
    COXDropEdit<COXNumericEdit>::AdjustLiterals();
    // rebuilding the literals dropped the unit text: it goes back in
    if (m_bUnitShown) {
        m_bUnitShown = FALSE;
        ShowUnit(TRUE);
    }
}

// A unit the table does not have leaves the edit as it was; an edit without
// units holds a plain number.
void COXPhysicalEdit::SetValue(double dValue, int nUnit)
{
    if (nUnit == -1)
        nUnit = GetDefaultUnit();
    if (GetUnitCount() > 0 && !IsUnit(nUnit))
        return;
    BOOL bShown = m_bUnitShown;
    ShowUnit(FALSE);
    m_nUnit = nUnit;
    ShowUnit(bShown);
    COXNumericEdit::SetValue(dValue);
}

double COXPhysicalEdit::GetValue(int nUnit) const
{
    if (nUnit == -1)
        nUnit = GetDefaultUnit();
    double dValue = COXNumericEdit::GetValue();
    return nUnit == m_nUnit ? dValue : ConvertValue(dValue, m_nUnit, nUnit);
}

void COXPhysicalEdit::ShowErrorMessage(LPCTSTR pszArg)
{
    if (m_hWnd)
        SetFocus();
    if (m_pUnitTable == NULL || m_pUnitTable->pszErrorMessage == NULL)
        return;
    CString sText;
    LPCSTR args[1] = {pszArg ? pszArg : ""};
    if (IS_INTRESOURCE(m_pUnitTable->pszErrorMessage))
        AfxFormatStrings(sText, (UINT)(UINT_PTR)m_pUnitTable->pszErrorMessage, args, 1);
    else
        AfxFormatStrings(sText, m_pUnitTable->pszErrorMessage, args, 1);
    AfxMessageBox(sText, MB_ICONEXCLAMATION);
}

BOOL COXPhysicalEdit::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int nID = LOWORD(wParam);
    if (nID < ID_FIRST_UNIT)
        return COXDropEdit<COXNumericEdit>::OnCommand(wParam, lParam);
    if (nID >= ID_FIRST_UNIT + GetUnitCount())
        return TRUE;
    int nUnit = nID - ID_FIRST_UNIT;
    SetValue(GetValue(nUnit), nUnit);
    MoveCaretForward(0);
    return TRUE;
}

void AFXAPI DDX_PhysicalValue(CDataExchange* pDX, int nIDC, double& value, int nUnit)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    COXPhysicalEdit* pEdit = DYNAMIC_DOWNCAST(COXPhysicalEdit, CWnd::FromHandlePermanent(hWnd));
    if (pEdit == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        value = pEdit->GetValue(nUnit);
    else
        pEdit->SetValue(value, nUnit);
}
