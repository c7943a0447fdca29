// The physical-unit edit: conversions with factors and offsets, the unit
// name after the number, and a unit chosen from its menu by a real command.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "EditsTestSupport.h"
#include "OXPhysicalEdit.h"
#include "testsupport.h"

namespace {

const LPCTSTR g_lengthNames[] = {"m", "mm"};
const double g_lengthConversion[][3] = {{0, 1, 0}, {0, 0.001, 0}};
const COXPhysicalUnitTable g_length = {2, 0, g_lengthNames, g_lengthConversion, "Bad length: %1"};

const LPCTSTR g_temperatureNames[] = {"°C", "°F"};
const double g_temperatureConversion[][3] = {{0, 1, 0}, {-32, 5.0 / 9.0, 0}};
const COXPhysicalUnitTable g_temperature = {2, 0, g_temperatureNames, g_temperatureConversion, NULL};

COXNumberLocale English()
{
    COXNumberLocale loc;
    loc.sDecimal = ".";
    loc.sGroup = ",";
    loc.sGrouping = "3;0";
    loc.sDigits = "2";
    loc.sNegative = "1";
    return loc;
}

TEST(OXPhysicalRules, ConvertsWithFactorsAndOffsets)
{
    struct Case { const COXPhysicalUnitTable* table; double value; int from, to; double expected; };
    const Case cases[] = {
        {&g_length, 1.5, 0, 1, 1500},
        {&g_length, 1500, 1, 0, 1.5},
        {&g_temperature, 212, 1, 0, 100},
        {&g_temperature, 0, 0, 1, 32},
        {&g_temperature, -40, 1, 0, -40},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(COXPhysicalEdit::ConvertValue(c.value, c.from, c.to, c.table->arrConversion), c.expected, 1e-9);
}

TEST(OXPhysicalRules, UnitNameFollowsTheNumber)
{
    COXPhysicalEdit edit(&g_length, 0, TRUE);
    edit.ApplyLocale(English(), FALSE);
    edit.SetValue(1.5, 0);
    EXPECT_STREQ(edit.GetModelText(), "1.50 m");
    EXPECT_DOUBLE_EQ(edit.GetValue(1), 1500);
    edit.SetValue(-2, 0);
    EXPECT_STREQ(edit.GetModelText(), "-2.00 m") << "the sign keeps the unit";
    edit.SetNegativeFormat("(1.1)");
    EXPECT_STREQ(edit.GetModelText(), "(2.00) m");
    edit.SetFractionalDigitCount(0);
    EXPECT_STREQ(edit.GetModelText(), "(2) m") << "the format keeps the unit";
    edit.ShowUnit(FALSE);
    EXPECT_STREQ(edit.GetModelText(), "(2)");
}

// A unit outside the table would index past the conversion rows: it is
// refused everywhere a unit comes in, and the value stays as it was.
TEST(OXPhysicalRules, UnitsOutsideTheTableAreRefused)
{
    COXPhysicalEdit edit(&g_length, 7, TRUE);
    EXPECT_EQ(edit.GetUnit(), 0) << "the default unit instead";
    edit.ApplyLocale(English(), FALSE);
    edit.SetValue(1.5, 0);
    for (int nUnit : {2, -2, 1000000}) {
        edit.SetValue(9, nUnit);
        EXPECT_EQ(edit.GetUnit(), 0) << nUnit;
        EXPECT_STREQ(edit.GetModelText(), "1.50 m") << nUnit;
        EXPECT_DOUBLE_EQ(edit.GetValue(nUnit), 1.5) << nUnit;
        EXPECT_DOUBLE_EQ(edit.ConvertValue(1.5, 0, nUnit), 1.5) << nUnit;
        EXPECT_DOUBLE_EQ(edit.ConvertValue(1.5, nUnit, 1), 1.5) << nUnit;
    }
    EXPECT_DOUBLE_EQ(edit.GetValue(1), 1500) << "the known units still convert";

    COXPhysicalEdit plain;
    plain.ApplyLocale(English(), FALSE);
    plain.SetValue(2.25);
    EXPECT_DOUBLE_EQ(plain.GetValue(), 2.25) << "without a table the number is plain";
}

TEST(OXPhysicalWindow, TheMenuConvertsIntoTheChosenUnit)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost());
    COXPhysicalEdit edit(&g_length, 0, TRUE);
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 34), &host, 101));
    edit.ApplyLocale(English(), FALSE);
    edit.SetValue(1.5, 0);
    EXPECT_EQ(WindowText(edit.m_hWnd), "1.50 m");
    edit.SendMessage(WM_COMMAND, COXPhysicalEdit::ID_FIRST_UNIT + 1, 0);
    EXPECT_EQ(WindowText(edit.m_hWnd), "1,500.00 mm");
    EXPECT_EQ(edit.GetUnit(), 1);
    edit.SendMessage(WM_COMMAND, COXPhysicalEdit::ID_FIRST_UNIT + 2, 0);
    EXPECT_EQ(edit.GetUnit(), 1) << "no such unit";
    edit.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
