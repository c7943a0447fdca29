// COXPhysicalEdit - a numeric drop edit that holds a value in one of several
// units of a physical quantity. The creator passes the unit table (names and
// conversion constants); the drop button opens a menu of the unit names, and
// choosing one converts the value and shows the unit's name after it.
#pragma once

#include "OXDropEdit.h"

// A unit table, given by the creator and not owned. A value v in unit i is
// (v + a) * f + b in the common base, with {a, f, b} = arrConversion[i].
struct COXPhysicalUnitTable
{
    int nUnitCount;
    int nDefaultUnit;
    const LPCTSTR* arrUnitNames;
    const double (*arrConversion)[3];
    LPCTSTR pszErrorMessage;        // a text, or a string resource id up to 0xFFFF
};

class COXPhysicalEdit : public COXDropEdit<COXNumericEdit>
{
    DECLARE_DYNAMIC(COXPhysicalEdit)
public:
    enum { ID_FIRST_UNIT = 4095 };

    COXPhysicalEdit();
    COXPhysicalEdit(const COXPhysicalUnitTable* pUnitTable, int nUnit = -1, BOOL bShowUnit = TRUE);

    // ---- virtual operations, in slot order after the drop edit's ----
    virtual double ConvertValue(double dValue, int nFrom, int nTo) const;
    virtual int GetUnitCount() const { return m_pUnitTable ? m_pUnitTable->nUnitCount : 0; }
    virtual int GetDefaultUnit() const { return m_pUnitTable ? m_pUnitTable->nDefaultUnit : 0; }
    virtual const LPCTSTR* GetUnitNames() const { return m_pUnitTable ? m_pUnitTable->arrUnitNames : NULL; }
    virtual const double (*GetConversionTable() const)[3] { return m_pUnitTable ? m_pUnitTable->arrConversion : NULL; }
    virtual void ShowErrorMessage(LPCTSTR pszArg);

    virtual void AdjustLiterals() override;

    void SetValue(double dValue, int nUnit = -1);
    double GetValue(int nUnit = -1) const;
    int GetUnit() const { return m_nUnit; }
    void ShowUnit(BOOL bShow);
    BOOL IsUnitShown() const { return m_bUnitShown; }
    static double ConvertValue(double dValue, int nFrom, int nTo, const double (*arrConversion)[3]);

protected:
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    CString UnitText() const;
    BOOL IsUnit(int nUnit) const;
    int UnitTextIndex() const;

    int m_nUnit;
    const COXPhysicalUnitTable* m_pUnitTable;
    BOOL m_bUnitShown;
    CMenu m_menuUnits;
};

void AFXAPI DDX_PhysicalValue(CDataExchange* pDX, int nIDC, double& value, int nUnit);
