// Gallery: the drop edits: a list edit, a calculator edit and a
// physical-unit edit with its unit menu. Alt+Enter or the "..." button drops
// each one's pop-up.
#include "Gallery.h"
#include "OXCalculatorEdit.h"
#include "OXListEdit.h"
#include "OXPhysicalEdit.h"
#include "toolkit_res.h"

namespace {

enum { ID_LIST = 600, ID_CALC, ID_LENGTH, ID_TEMPERATURE };
const UINT WM_DROP_CALCULATOR = WM_APP + 40;
const UINT WM_TYPE_SUM = WM_APP + 42;

const LPCTSTR g_lengthNames[] = {"m", "cm", "mm", "km"};
const double g_lengthConversion[][3] = {{0, 1, 0}, {0, 0.01, 0}, {0, 0.001, 0}, {0, 1000, 0}};
const COXPhysicalUnitTable g_length = {4, 0, g_lengthNames, g_lengthConversion, "Not a length: %1"};

const LPCTSTR g_temperatureNames[] = {"°C", "°F", "K"};
const double g_temperatureConversion[][3] = {{0, 1, 0}, {-32, 5.0 / 9.0, 0}, {0, 1, -273.15}};
const COXPhysicalUnitTable g_temperature = {3, 0, g_temperatureNames, g_temperatureConversion, NULL};

class CShownCalculatorEdit : public COXCalculatorEdit
{
public:
    using COXCalculatorEdit::OnDropButton;
};

class CDropEditsPage : public CGalleryPage
{
public:
    CDropEditsPage() : m_length(&g_length, 0, TRUE), m_temperature(&g_temperature, 0, TRUE) {}

protected:
    template <class TEdit> void Place(TEdit& edit, UINT nID, int cx)
    {
        edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, NextRect(cx, 24), this, nID);
        ApplyFont(&edit);
    }

    void Populate() override
    {
        NewRow("List edit (Alt+Enter or the button drops the list)");
        Place(m_list, ID_LIST, 200);
        CStringArray items;
        for (const char* s : {"Brenvik", "Dunmorrow", "Fennicle", "Pellucor", "Слова", "Ключевые фразы"})
            items.Add(s);
        m_list.SendMessage(WM_NULL);
        m_list.SetItems(items);

        NewRow("Calculator edit");
        Place(m_calculator, ID_CALC, 200);
        m_calculator.SetValue(2);

        NewRow("Physical-unit edits: length and temperature (the button opens the unit menu)");
        Place(m_length, ID_LENGTH, 160);
        m_length.SetValue(1.5, 0);
        Place(m_temperature, ID_TEMPERATURE, 160);
        m_temperature.SetValue(100, 0);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DROP_CALCULATOR) {
            // The keys are pressed by a message that the pop-up's own loop
            // takes first, before any paint or timer: "2 + 3 =" is done
            // before the page can look settled, and the picture shows 5.
            PostMessage(WM_TYPE_SUM);
            m_calculator.OnDropButton();
            return 0;
        }
        if (message == WM_TYPE_SUM) {
            COXCalculatorCtrl& calc = m_calculator.GetCalculatorPopup().GetCalculator();
            for (UINT nKey : {IDC_OX_CALC_ADD, IDC_OX_CALC_3, IDC_OX_CALC_EQUALS})
                calc.PressButton(nKey);
            return 0;
        }
        return CGalleryPage::WindowProc(message, wParam, lParam);
    }

    void ShowOff() override { PostMessage(WM_DROP_CALCULATOR); }

    COXListEdit m_list;
    CShownCalculatorEdit m_calculator;
    COXPhysicalEdit m_length, m_temperature;
};

}  // namespace

GALLERY_PAGE(CDropEditsPage, "edits", "Drop edits");
