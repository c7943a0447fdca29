// Gallery: the formatted edit with literals (insert and overwrite typing),
// numeric and currency edits under the English and the Russian number
// formats, a masked telephone number and the IP address edit.
#include "Gallery.h"
#include "OXIPEdit.h"
#include "OXNumericEdit.h"

namespace {

enum { ID_TEL = 500, ID_TEL_OVR, ID_NUM_EN, ID_NUM_RU, ID_CUR_EN, ID_CUR_RU, ID_MASK, ID_IP, ID_IP_BAD, ID_READ };

COXNumberLocale RussianLocale(BOOL bCurrency)
{
    COXNumberLocale loc;
    loc.sDecimal = ",";
    loc.sGroup = "\xA0";
    loc.sLeadingZero = "1";
    loc.sGrouping = "3;0";
    loc.sDigits = "2";
    loc.sNegative = bCurrency ? "8" : "1";
    if (bCurrency) {
        loc.sCurrency = "р.";
        loc.sPositive = "3";
    }
    return loc;
}

COXNumberLocale EnglishLocale(BOOL bCurrency)
{
    COXNumberLocale loc = RussianLocale(bCurrency);
    loc.sDecimal = ".";
    loc.sGroup = ",";
    if (bCurrency) {
        loc.sCurrency = "$";
        loc.sPositive = "0";
        loc.sNegative = "0";
    }
    return loc;
}

class CFormattedEditsPage : public CGalleryPage
{
public:
    CFormattedEditsPage() : m_mask("(###) ###-####") {}

protected:
    void Place(CEdit& edit, UINT nID, int cx)
    {
        edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, NextRect(cx, 24), this, nID);
        ApplyFont(&edit);
    }

    void Populate() override
    {
        NewRow("Formatted edit \"Tel: #\": insert mode, and overwrite mode (Insert toggles)");
        m_tel.SetMask("Tel: #");
        Place(m_tel, ID_TEL, 180);
        m_tel.SetWindowText("555-0199");
        m_telOverwrite.SetMask("Tel: # (home)");
        Place(m_telOverwrite, ID_TEL_OVR, 180);
        m_telOverwrite.SetInsertMode(FALSE);
        m_telOverwrite.SetWindowText("555-0123");

        NewRow("Numeric edits: English and Russian number formats");
        Place(m_numEnglish, ID_NUM_EN, 150);
        m_numEnglish.ApplyLocale(EnglishLocale(FALSE), FALSE);
        m_numEnglish.SetValue(1234.5);
        Place(m_numRussian, ID_NUM_RU, 150);
        m_numRussian.ApplyLocale(RussianLocale(FALSE), FALSE);
        m_numRussian.SetValue(1234.5);
        Place(m_numNegative, ID_NUM_RU + 100, 150);
        m_numNegative.ApplyLocale(EnglishLocale(FALSE), FALSE);
        m_numNegative.SetNegativeTextColor(RGB(192, 0, 0), FALSE);
        m_numNegative.SetNegativeFormat("(1.1)");
        m_numNegative.SetValue(-1234.5);

        NewRow("Currency edits: English and Russian currency formats");
        Place(m_curEnglish, ID_CUR_EN, 150);
        m_curEnglish.ApplyLocale(EnglishLocale(TRUE), TRUE);
        m_curEnglish.SetValue(-1234.5);
        Place(m_curRussian, ID_CUR_RU, 150);
        m_curRussian.ApplyLocale(RussianLocale(TRUE), TRUE);
        m_curRussian.SetValue(1234.5);
        m_read.Create("DDX values", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(90, 24), this, ID_READ);
        ApplyFont(&m_read);

        NewRow("Masked edit \"(###) ###-####\"");
        Place(m_mask, ID_MASK, 150);
        m_mask.SetWindowText("5551234567");

        NewRow("IP address edits: a valid address and a group of 300");
        Place(m_ip, ID_IP, 150);
        m_ip.SetValueText("10.0.0.1");
        Place(m_ipBad, ID_IP_BAD, 150);
        m_ipBad.SetWindowText("300  0  0  1");
        m_values.Create("", WS_CHILD | WS_VISIBLE, NextRect(220, 24), this);
        ApplyFont(&m_values);
        m_values.SetWindowText("\"" + m_ip.GetValueText() + "\"  \"" + m_ipBad.GetValueText() + "\"");
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == ID_READ && HIWORD(wParam) == BN_CLICKED) {
            CDataExchange dx(this, TRUE);
            double dEnglish = 0, dCurrency = 0;
            int nRussian = 0;
            DDX_NumericValue(&dx, ID_NUM_EN, dEnglish);
            DDX_NumericValue(&dx, ID_NUM_RU, nRussian);
            DDX_NumericValue(&dx, ID_CUR_EN, dCurrency);
            Log("values: %.2f, %d, %.2f", dEnglish, nRussian, dCurrency);
            return TRUE;
        }
        return CGalleryPage::OnCommand(wParam, lParam);
    }

    void ShowOff() override
    {
        m_tel.SetFocus();
        m_tel.SendMessage(EM_SETSEL, 8, 8);
        m_tel.SendMessage(WM_CHAR, '9');
        LogSetUp("typed 9 after \"Tel: 555\", in insert mode");
    }

    COXEdit m_tel, m_telOverwrite;
    COXNumericEdit m_numEnglish, m_numRussian, m_numNegative;
    COXCurrencyEdit m_curEnglish, m_curRussian;
    COXMaskedEdit m_mask;
    COXIPEdit m_ip, m_ipBad;
    CButton m_read;
    CStatic m_values;
};

}  // namespace

GALLERY_PAGE(CFormattedEditsPage, "edits", "Formatted edits");
