// The calculator's arithmetic as key sequences and what the display shows.
#include <afx.h>
#include <gtest/gtest.h>

#include "OXCalculatorEngine.h"

namespace {

// Keys: digits 0-9 and A-F; + - * / % (mod) ^ (power); = ; . (separator);
// ~ (sign); b (backspace); c (C); e (CE); ! (factorial); q (square root);
// l (log); n (ln); r (1/x); p (pi); s (scientific); h, o, x, d (bases).
void Press(COXCalculatorEngine& calc, const char* keys)
{
    typedef COXCalculatorEngine E;
    for (const char* k = keys; *k; ++k) {
        switch (*k) {
        case '+': calc.Operator(E::OP_ADD); break;
        case '-': calc.Operator(E::OP_SUBTRACT); break;
        case '*': calc.Operator(E::OP_MULTIPLY); break;
        case '/': calc.Operator(E::OP_DIVIDE); break;
        case '%': calc.Operator(E::OP_MOD); break;
        case '^': calc.Operator(E::OP_POWER); break;
        case '=': calc.Equals(); break;
        case '.': calc.Fraction(); break;
        case '~': calc.ChangeSign(); break;
        case 'b': calc.Backspace(); break;
        case 'c': calc.ClearAll(); break;
        case 'e': calc.ClearEntry(); break;
        case '!': calc.Function(E::OP_FACTORIAL); break;
        case 'q': calc.Function(E::OP_SQRT); break;
        case 'l': calc.Function(E::OP_LOG10); break;
        case 'n': calc.Function(E::OP_LN); break;
        case 'r': calc.Function(E::OP_RECIPROCAL); break;
        case 'p': calc.Pi(); break;
        case 's': calc.SetScientific(TRUE); break;
        case 'h': calc.SetBase(E::BASE_HEX); break;
        case 'o': calc.SetBase(E::BASE_OCTAL); break;
        case 'x': calc.SetBase(E::BASE_BINARY); break;
        case 'd': calc.SetBase(E::BASE_DECIMAL); break;
        default:
            calc.Digit(*k >= 'A' ? *k - 'A' + 10 : *k - '0');
        }
    }
}

TEST(OXCalculatorRules, KeySequencesShow)
{
    struct Case { const char* keys; const char* shown; };
    const Case cases[] = {
        {"2+3=", "5."},
        {"2+3==", "8."},                 // the last operator repeats with its operand
        {"3+=", "6."},                   // the operand is a copy of the result
        {"12.5*2=", "25."},
        {"1.25", "1.25"},
        {"1.", "1."},
        {"7/2=", "3.5"},
        {"7%4=", "3."},
        {"2^10=", "1024."},
        {"2^1~=", "0.5"},                // a negative power
        {"2^0=", "1."},
        {"1^999999999999=", "1."},       // a huge power does not loop
        {"2^99999999=", "inf"},
        {"0!", "1."},
        {"5!", "120."},
        {"18!", "6402373705728000."},
        {"171!", "inf"},
        {"3~!", "Invalid input"},        // a negative factorial
        {"3~!4+5=", "Invalid input"},    // the error blocks computing
        {"3~!c4+5=", "9."},              // until cleared
        {"0/0=", "nan"},
        {"0l", "-inf"},
        {"9q", "3."},
        {"2+7=q", "3."},                 // a function works on the number shown
        {"4r", "0.25"},
        {"123b", "12."},
        {"1.25b", "1.2"},
        {"1.b", "1."},
        {"5~", "-5."},
        {"5~3", "-53."},
        {"p", "3.14159265359"},
        {"12e", "0."},
        {"2+3e4=", "6."},
        {"shFF", "ff"},
        {"s255h", "ff"},
        {"s5x", "101"},
        {"s8o", "10"},
        {"sxAB2", "0"},                  // digits above the base are refused
        {"s1x1d", "1."},                 // the entry becomes the result on a base change
        {"s1x.", "1"},                   // no separator outside base 10
    };
    for (const Case& c : cases) {
        COXCalculatorEngine calc;
        Press(calc, c.keys);
        EXPECT_STREQ(calc.GetDisplayText(), c.shown) << c.keys;
    }
}

TEST(OXCalculatorRules, LargestFactorialIsFiniteThenInfinite)
{
    COXCalculatorEngine calc;
    Press(calc, "170!");
    CString shown = calc.GetDisplayText();
    EXPECT_EQ(shown.Left(14), "72574156153079");
    EXPECT_EQ(shown.GetLength(), 307 + 1);
    EXPECT_EQ(shown.Right(1), ".");
}

TEST(OXCalculatorRules, ThirteenDigitsAtMost)
{
    COXCalculatorEngine calc;
    Press(calc, "1234567890123");
    EXPECT_FALSE(calc.Digit(4));
    EXPECT_STREQ(calc.GetDisplayText(), "1234567890123.");
    COXCalculatorEngine frac;
    Press(frac, "0.123456789012");
    EXPECT_FALSE(frac.Digit(3));
    EXPECT_STREQ(frac.GetDisplayText(), "0.123456789012");
}

TEST(OXCalculatorRules, LocaleSeparator)
{
    COXCalculatorEngine calc;
    calc.SetDecimalSeparator(',');
    Press(calc, "1.5*3=");
    EXPECT_STREQ(calc.GetDisplayText(), "4,5");
    EXPECT_DOUBLE_EQ(calc.GetResult(), 4.5);
}

}  // namespace
