// The edits' rules without a window, as tables: the formatted edit's mask and
// typing, the numeric normalisation and typing under the English and the
// Russian locale (code page 1251: the group separator is a no-break space),
// the masked edit's cells and the IP address parser.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "OXEdit.h"
#include "OXIPEdit.h"
#include "OXMaskedEdit.h"
#include "OXNumericEdit.h"

namespace {

COXNumberLocale EnglishNumbers()
{
    COXNumberLocale loc;
    loc.sDecimal = ".";
    loc.sGroup = ",";
    loc.sLeadingZero = "1";
    loc.sGrouping = "3;0";
    loc.sDigits = "2";
    loc.sNegative = "1";
    return loc;
}

COXNumberLocale RussianNumbers()
{
    COXNumberLocale loc = EnglishNumbers();
    loc.sDecimal = ",";
    loc.sGroup = "\xA0";
    return loc;
}

COXNumberLocale RussianMoney()
{
    COXNumberLocale loc = RussianNumbers();
    loc.sCurrency = "р.";
    loc.sPositive = "3";
    loc.sNegative = "8";
    return loc;
}

// ---------------------------------------------------------------------------
// Formatted edit
// ---------------------------------------------------------------------------

TEST(OXEditRules, MaskSplitsIntoLiterals)
{
    struct Case { const char* mask; BOOL ok; const char* left; const char* right; };
    const Case cases[] = {
        {"Tel: #", TRUE, "Tel: ", ""},
        {"##a#b", TRUE, "#a", "b"},
        {"a#b#c", TRUE, "a", "bc"},
        {"#", TRUE, "", ""},
        {"##", FALSE, "Tel: ", ""},
        {"", FALSE, "Tel: ", ""},
        {"no hash", FALSE, "Tel: ", ""},
    };
    for (const Case& c : cases) {
        COXEdit edit;
        edit.SetMask("Tel: #");
        EXPECT_EQ(edit.SetMask(c.mask), c.ok) << c.mask;
        EXPECT_STREQ(edit.GetLeftLiterals(), c.left) << c.mask;
        EXPECT_STREQ(edit.GetRightLiterals(), c.right) << c.mask;
        EXPECT_STREQ(edit.GetMask(), c.ok ? c.mask : "Tel: #") << c.mask;
    }
}

TEST(OXEditRules, TypingKeepsLiteralsInInsertAndOverwrite)
{
    COXEdit edit;
    edit.SetMask("Tel: # ext");
    // a position inside the literals goes to the first insert position
    EXPECT_EQ(edit.InsertAt(2, '5'), 5);
    EXPECT_EQ(edit.InsertAt(6, '6'), 6);
    EXPECT_EQ(edit.InsertAt(5, '4'), 5);
    EXPECT_STREQ(edit.GetModelText(), "Tel: 456 ext");
    EXPECT_FALSE(edit.IsInsertPosition(4));
    EXPECT_TRUE(edit.IsInsertPosition(8));
    EXPECT_FALSE(edit.IsInsertPosition(9));
    EXPECT_EQ(edit.GetNextInsertPosition(0), 5);
    EXPECT_EQ(edit.GetPrevInsertPosition(11), 8);

    edit.SetInsertMode(FALSE);
    EXPECT_EQ(edit.SetAt(6, '9'), 6);
    EXPECT_STREQ(edit.GetInputData(), "496");
    EXPECT_EQ(edit.SetAt(8, '1'), -1) << "overwrite at the end of the input is refused";
    // Cyrillic bytes are characters like any other
    edit.SetInsertMode(TRUE);
    EXPECT_EQ(edit.InsertAt(8, '\xC6'), 8);
    EXPECT_STREQ(edit.GetInputData(), "496\xC6");
    EXPECT_EQ(edit.PosToInputIndex(4), -1);
    EXPECT_EQ(edit.InputIndexToPos(4), 9);
    EXPECT_EQ(edit.InputIndexToPos(5), -1);
}

TEST(OXEditRules, DeletingNeverSplitsCrLf)
{
    struct Case { int start, end; const char* rest; int count; };
    const Case cases[] = {
        {3, 4, "abcd", 2},        // the LF takes its CR along
        {2, 3, "abcd", 2},        // the CR takes its LF along
        {0, 1, "b\r\ncd", 1},
        {4, 6, "ab\r\n", 2},
    };
    for (const Case& c : cases) {
        COXEdit edit;
        edit.SetInputData("ab\r\ncd");
        int s = c.start, e = c.end;
        EXPECT_EQ(edit.DeleteRange(s, e), c.count) << c.start;
        EXPECT_STREQ(edit.GetInputData(), c.rest) << c.start;
    }
}

// ---------------------------------------------------------------------------
// Numeric and currency edits
// ---------------------------------------------------------------------------

TEST(OXNumericRules, NormalisesUnderBothLocales)
{
    struct Case { const char* input; const char* english; const char* russian; double value; };
    const Case cases[] = {
        {"", "0.00", "0,00", 0},
        {"5", "5.00", "5,00", 5},
        {"1234~5", "1,234.50", "1\xA0" "234,50", 1234.5},
        {"1234567", "1,234,567.00", "1\xA0" "234\xA0" "567,00", 1234567},
        {"007", "7.00", "7,00", 7},
        {"1~2~3", "12.30", "12,30", 12.3},
        {"~456", "0.45", "0,45", 0.45},
        {"-12", "-12.00", "-12,00", -12},
        {"12\xC6" "3", "123.00", "123,00", 123},   // a Cyrillic letter is dropped, not misread
    };
    for (int russian = 0; russian < 2; ++russian) {
        for (const Case& c : cases) {
            COXNumericEdit edit;
            edit.ApplyLocale(russian ? RussianNumbers() : EnglishNumbers(), FALSE);
            CString input = c.input;
            input.Replace('~', edit.GetDecimalSeparator());
            edit.EmptyData(TRUE);
            edit.SetInputData(input);
            EXPECT_STREQ(edit.GetModelText(), russian ? c.russian : c.english) << c.input;
            EXPECT_DOUBLE_EQ(edit.GetValue(), c.value) << c.input;
        }
    }
}

TEST(OXNumericRules, RulesAndLimits)
{
    COXNumericEdit edit;
    edit.ApplyLocale(EnglishNumbers(), FALSE);
    EXPECT_TRUE(edit.SetMaxIntegerDigitCount(3));
    edit.EmptyData(TRUE);
    edit.SetInputData("4567");
    EXPECT_STREQ(edit.GetModelText(), "567.00");
    EXPECT_TRUE(edit.SetMaxIntegerDigitCount(-1));
    EXPECT_TRUE(edit.SetFractionalDigitCount(0));
    EXPECT_STREQ(edit.GetModelText(), "567");
    EXPECT_TRUE(edit.SetGroupLength(0));
    edit.SetValue(1234567);
    EXPECT_STREQ(edit.GetModelText(), "1234567");
    edit.SetShowLeadingZero(FALSE);
    edit.SetFractionalDigitCount(2);
    edit.SetValue(0.5);
    EXPECT_STREQ(edit.GetModelText(), ".50");

    EXPECT_FALSE(edit.SetGroupSeparator('.'));
    EXPECT_FALSE(edit.SetGroupSeparator('7'));
    EXPECT_FALSE(edit.SetGroupSeparator('-'));
    EXPECT_FALSE(edit.SetGroupSeparator(0));
    EXPECT_FALSE(edit.SetDecimalSeparator(','));
    EXPECT_FALSE(edit.SetGroupLength(-1));
    EXPECT_FALSE(edit.SetFractionalDigitCount(-1));
    EXPECT_FALSE(edit.SetMaxIntegerDigitCount(-2));
    EXPECT_FALSE(edit.SetPositiveFormat("no number"));
}

TEST(OXNumericRules, TypingFollowsTheRules)
{
    COXNumericEdit edit;
    edit.ApplyLocale(EnglishNumbers(), FALSE);
    // typed into an empty edit, a digit takes the zero's place
    EXPECT_EQ(edit.InsertAt(0, '5'), 0);
    EXPECT_STREQ(edit.GetModelText(), "5.00");
    // the separator only moves the caret behind the existing one
    EXPECT_EQ(edit.InsertAt(1, '.'), 1);
    EXPECT_EQ(edit.InsertAt(2, '1'), 2);
    EXPECT_EQ(edit.InsertAt(3, '2'), 3);
    EXPECT_EQ(edit.InsertAt(4, '3'), 3) << "a third fraction digit overwrites the last";
    EXPECT_STREQ(edit.GetModelText(), "5.13");
    // a zero at the front is refused in insert mode
    EXPECT_EQ(edit.InsertAt(0, '0'), -1);
    EXPECT_EQ(edit.InsertAt(0, 'x'), -1);
    EXPECT_EQ(edit.InsertAt(0, '\xE0'), -1);
    // the minus flips the sign and keeps the caret on its digit
    EXPECT_EQ(edit.InsertAt(1, '-'), 1);
    EXPECT_STREQ(edit.GetModelText(), "-5.13");
    EXPECT_DOUBLE_EQ(edit.GetValue(), -5.13);
    EXPECT_TRUE(edit.SetNegativeFormat("(1.1)"));
    EXPECT_STREQ(edit.GetModelText(), "(5.13)");
    EXPECT_EQ(edit.InsertAt(2, '-'), 0) << "one literal fewer on the left";
    EXPECT_STREQ(edit.GetModelText(), "5.13");

    // digits typed one after another group themselves
    COXNumericEdit seven;
    seven.ApplyLocale(EnglishNumbers(), FALSE);
    int pos = 0;
    for (const char* p = "1234567"; *p; ++p)
        pos = seven.InsertAt(pos, *p) + 1;
    EXPECT_STREQ(seven.GetModelText(), "1,234,567.00");
    EXPECT_STREQ(seven.GetInputData(), "1234567.00");
    EXPECT_EQ(pos, 9);

    // deleting the whole number of a negative value leaves a positive zero
    COXNumericEdit negative;
    negative.ApplyLocale(EnglishNumbers(), FALSE);
    negative.SetValue(-42.5);
    int s = 0, e = negative.GetModelText().GetLength();
    EXPECT_EQ(negative.DeleteRange(s, e), 4) << "the four digits; the separator stays";
    EXPECT_STREQ(negative.GetModelText(), "0.00");
    EXPECT_FALSE(negative.IsNegative());

    // the count is the characters deleted, and both ends follow the group
    // separators that went before the start
    struct Case { double value; int start, end; int count; const char* shown; int startAfter, endAfter; };
    const Case cases[] = {
        {1234.5, 0, 1, 1, "234.50", 0, 1},
        {1234567, 2, 5, 3, "1,567.00", 2, 5},
        {1234567, 4, 9, 4, "123.00", 3, 8},        // "4,567": one group separator fewer before the start
        {12.5, 2, 3, 0, "12.50", 2, 3},            // the separator alone is never deleted
        {12.5, 3, 5, 2, "12.00", 3, 5},
    };
    for (const Case& c : cases) {
        COXNumericEdit edit;
        edit.ApplyLocale(EnglishNumbers(), FALSE);
        edit.SetValue(c.value);
        int nStart = c.start, nEnd = c.end;
        EXPECT_EQ(edit.DeleteRange(nStart, nEnd), c.count) << c.value << " [" << c.start << ", " << c.end << ")";
        EXPECT_STREQ(edit.GetModelText(), c.shown) << c.value << " [" << c.start << ", " << c.end << ")";
        EXPECT_EQ(nStart, c.startAfter) << c.value << " [" << c.start << ", " << c.end << ")";
        EXPECT_EQ(nEnd, c.endAfter) << c.value << " [" << c.start << ", " << c.end << ")";
    }
}

TEST(OXNumericRules, ValuesShowUnderBothLocales)
{
    struct Case { double value; const char* english; const char* russian; };
    const Case cases[] = {
        {1234.5, "1,234.50", "1\xA0" "234,50"},
        {-1234.5, "-1,234.50", "-1\xA0" "234,50"},
        {0.05, "0.05", "0,05"},
        {1e6, "1,000,000.00", "1\xA0" "000\xA0" "000,00"},
    };
    for (const Case& c : cases) {
        COXNumericEdit en, ru;
        en.ApplyLocale(EnglishNumbers(), FALSE);
        ru.ApplyLocale(RussianNumbers(), FALSE);
        en.SetValue(c.value);
        ru.SetValue(c.value);
        EXPECT_STREQ(en.GetModelText(), c.english);
        EXPECT_STREQ(ru.GetModelText(), c.russian);
        EXPECT_DOUBLE_EQ(ru.GetValue(), c.value);
    }
}

// The value is the number the text shows, so that dialog data exchange saves
// what the user saw: digits cut by the limits and rounding count.
TEST(OXNumericRules, TheValueIsWhatTheTextShows)
{
    struct Case { int maxInteger, fraction; double set; const char* shown; double value; };
    const Case cases[] = {
        {3, 2, 4567, "567.00", 567},
        {-1, 2, 1.006, "1.01", 1.01},
        {-1, 2, -1.006, "-1.01", -1.01},
        {-1, 0, 2.6, "3", 3},
        {2, 1, -123.45, "-23.5", -23.5},
    };
    for (const Case& c : cases) {
        COXNumericEdit edit;
        edit.ApplyLocale(EnglishNumbers(), FALSE);
        edit.SetMaxIntegerDigitCount(c.maxInteger);
        edit.SetFractionalDigitCount(c.fraction);
        edit.SetValue(c.set);
        EXPECT_STREQ(edit.GetModelText(), c.shown) << c.set;
        EXPECT_DOUBLE_EQ(edit.GetValue(), c.value) << c.set;
    }
}

TEST(OXNumericRules, ProgramSettingsSurviveLocaleChanges)
{
    COXNumericEdit edit;
    edit.ApplyLocale(EnglishNumbers(), FALSE);
    edit.SetFractionalDigitCount(3);
    edit.SetValue(2.5);
    edit.ApplyLocale(RussianNumbers(), FALSE);
    EXPECT_EQ(edit.GetFractionalDigitCount(), 3) << "set by the program";
    EXPECT_EQ(edit.GetDecimalSeparator(), ',') << "followed the locale";
    EXPECT_STREQ(edit.GetModelText(), "2,500");
    EXPECT_DOUBLE_EQ(edit.GetValue(), 2.5);
}

TEST(OXNumericRules, CurrencyFormatsFromTheLocale)
{
    COXCurrencyEdit en;
    en.SetValue(-1234.5);
    EXPECT_STREQ(en.GetModelText(), "($1,234.50)");
    en.ApplyLocale(EnglishNumbers(), TRUE);   // negative amounts: code 1
    EXPECT_STREQ(en.GetModelText(), "-$1,234.50");
    en.SetValue(1234.5);
    EXPECT_STREQ(en.GetModelText(), "$1,234.50");

    COXCurrencyEdit ru;
    ru.ApplyLocale(RussianMoney(), TRUE);
    ru.SetValue(1234.5);
    EXPECT_STREQ(ru.GetModelText(), "1\xA0" "234,50 р.");
    ru.SetValue(-1234.5);
    EXPECT_STREQ(ru.GetModelText(), "-1\xA0" "234,50 р.");
    EXPECT_DOUBLE_EQ(ru.GetValue(), -1234.5);
    EXPECT_TRUE(ru.SetCurrencySymbol("RUB"));
    EXPECT_STREQ(ru.GetModelText(), "-1\xA0" "234,50 RUB");
    EXPECT_FALSE(ru.SetCurrencySymbol(""));
    EXPECT_FALSE(ru.SetPositiveFormat("1.1"));
}

// ---------------------------------------------------------------------------
// Masked edit
// ---------------------------------------------------------------------------

TEST(OXMaskedRules, CellsTakeTheirClasses)
{
    struct Case { const char* mask; const char* typed; const char* shown; };
    const Case cases[] = {
        {"(###) ###-####", "5551234567", "(555) 123-4567"},
        {"(###) ###-####", "55", "(55 )    -    "},
        {"###-####", "1x2", "12 -    "},
        {">>>", "ab\xE6", "AB\xC6"},              // Cyrillic lower-case ж becomes Ж
        {"<<", "\xC6Q", "\xE6q"},
        {"AA", "a!", "a "},                       // punctuation refused
        {"&&", "\xC0z", "z "},                    // above 0x7E refused
        {"??", "\xE0\xFF", "\xE0\xFF"},            // Cyrillic letters are letters
        {"\\##", "7", "#7"},
    };
    for (const Case& c : cases) {
        COXMaskedEdit edit(c.mask);
        int pos = 0;
        for (const char* p = c.typed; *p; ++p) {
            int r = edit.InsertAt(pos, *p);
            if (r >= 0)
                pos = r + 1;
        }
        EXPECT_STREQ(edit.GetCellText(), c.shown) << c.mask << " / " << c.typed;
    }
}

TEST(OXMaskedRules, InsertShiftsDeleteCloses)
{
    COXMaskedEdit edit("###-####");
    EXPECT_TRUE(edit.SetInputData("1234567"));
    EXPECT_STREQ(edit.GetCellText(), "123-4567");
    EXPECT_EQ(edit.InsertAt(0, '9'), 0);
    EXPECT_STREQ(edit.GetCellText(), "912-3456") << "the last one falls off";
    EXPECT_EQ(edit.DeleteRange(1, 2), 1);
    EXPECT_STREQ(edit.GetCellText(), "923-456 ");
    EXPECT_EQ(edit.SetAt(3, '5'), 3) << "a literal cell is left alone";
    EXPECT_EQ(edit.SetAt(4, 'x'), -1);
    EXPECT_EQ(edit.GetNextInputPos(3), 4);
    EXPECT_EQ(edit.GetPrevInputPos(3), 3);
    EXPECT_EQ(edit.GetFirstEmptyInputPos(0), 7);
    edit.SetPromptSymbol('_');
    EXPECT_STREQ(edit.GetCellText(), "923-456_");
    EXPECT_FALSE(edit.SetInputData("12a"));
    EXPECT_STREQ(edit.GetCellText(), "12_-____");
    EXPECT_STREQ(edit.GetMask(), "###-####");
}

// ---------------------------------------------------------------------------
// IP address edit
// ---------------------------------------------------------------------------

TEST(OXIPRules, ParsesExactlyFourGroups)
{
    struct Case { const char* text; BOOL ok; BYTE b[4]; };
    const Case cases[] = {
        {"10.0.0.1", TRUE, {10, 0, 0, 1}},
        {" 10.  0.  0.  1", TRUE, {10, 0, 0, 1}},
        {"255.255.255.255", TRUE, {255, 255, 255, 255}},
        {"1..2.3", FALSE, {}},
        {"10..0.1", FALSE, {}},
        {"1.2.3.", FALSE, {}},
        {".1.2.3", FALSE, {}},
        {"   .  2.  3.  4", FALSE, {}},
        {"256.1.1.1", FALSE, {}},
        {"1.2.3", FALSE, {}},
        {"1.2.3.4.5", FALSE, {}},
        {"0001.1.1.1", FALSE, {}},
        {"a.b.c.d", FALSE, {}},
        {"1,2.3.4", FALSE, {}},
        {"", FALSE, {}},
    };
    for (const Case& c : cases) {
        BYTE b[4] = {9, 9, 9, 9};
        EXPECT_EQ(COXIPEdit::ParseAddress(c.text, b[0], b[1], b[2], b[3]), c.ok) << c.text;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(b[i], c.ok ? c.b[i] : 9) << c.text;
    }
}

TEST(OXIPRules, ValueTextOfTheCells)
{
    COXIPEdit edit;
    EXPECT_STREQ(edit.GetCellText(), "   .   .   .   ");
    EXPECT_STREQ(edit.GetValueText(), "");
    edit.SetValueText("1.2.3.4");
    EXPECT_STREQ(edit.GetCellText(), "  1.  2.  3.  4");
    EXPECT_STREQ(edit.GetValueText(), "1.2.3.4");
    edit.SetInputData("300");
    EXPECT_STREQ(edit.GetValueText(), "<bad address>");
    EXPECT_FALSE(edit.IsValidAddress(edit.GetCellText()));
    edit.SetValueText("1..2.3");
    EXPECT_STREQ(edit.GetCellText(), "   .   .   .   ");
}

}  // namespace
