// The formatted, numeric and masked edits under the real edit messages: paste,
// cut and clear through the real clipboard, the Delete key, the masked edit's
// movement keys, and the notifications an outside text change sends.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <string.h>

#include "EditsTestSupport.h"
#include "OXMaskedEdit.h"
#include "OXNumericEdit.h"
#include "testsupport.h"

namespace {

const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
const char kUntouched[] = "untouched";

// One message to a fresh edit: the selection [s, e) it finds, the message
// (WM_KEYDOWN stands for the Delete key), what the clipboard holds before it
// (NULL: kUntouched), the text after it and what the clipboard holds then
// (NULL: what it held before).
struct EditCase
{
    int s, e;
    UINT message;
    const char* clipboard;
    const char* shown;
    const char* clipboardAfter;
};

class OXEditClipboard : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_host.CreateHost()); }
    void TearDown() override { m_host.DestroyWindow(); }

    void PutOnClipboard(const char* pszText)
    {
        ASSERT_TRUE(::OpenClipboard(m_host.m_hWnd));
        ::EmptyClipboard();
        size_t n = strlen(pszText) + 1;
        HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, n);
        memcpy(::GlobalLock(hData), pszText, n);
        ::GlobalUnlock(hData);
        ::SetClipboardData(CF_TEXT, hData);
        ::CloseClipboard();
    }
    static std::string ClipboardText()
    {
        if (!::OpenClipboard(NULL))
            return "(the clipboard could not be opened)";
        std::string sText;
        if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
            sText = (const char*)::GlobalLock(hData);
            ::GlobalUnlock(hData);
        }
        ::CloseClipboard();
        return sText;
    }

    // Runs each case on a fresh edit that prepare() sets up and fills.
    template <class TEdit>
    void Run(const std::vector<EditCase>& cases, const std::function<void(TEdit&)>& prepare)
    {
        for (size_t i = 0; i < cases.size(); ++i) {
            const EditCase& c = cases[i];
            TEdit edit;
            ASSERT_TRUE(edit.Create(kEditStyle, CRect(10, 10, 300, 34), &m_host, 101));
            prepare(edit);
            PutOnClipboard(c.clipboard ? c.clipboard : kUntouched);
            const std::string before = WindowText(edit.m_hWnd);
            edit.SetFocus();
            edit.SendMessage(EM_SETSEL, c.s, c.e);
            if (c.message == WM_KEYDOWN)
                edit.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
            else
                edit.SendMessage(c.message);
            EXPECT_EQ(WindowText(edit.m_hWnd), c.shown)
                << "case " << i << ": [" << c.s << ", " << c.e << ") of \"" << before << "\"";
            const char* pszBefore = c.clipboard ? c.clipboard : kUntouched;
            EXPECT_EQ(ClipboardText(), c.clipboardAfter ? c.clipboardAfter : pszBefore) << "case " << i;
            edit.DestroyWindow();
        }
    }

    CNotifyHost m_host;
};

TEST_F(OXEditClipboard, FormattedEditKeepsItsLiteralsOutOfTheInput)
{
    Run<COXEdit>({
        // a paste over part of a literal replaces only the input it covers
        {2, 7, WM_PASTE, "99", "Tel: 99345", NULL},
        {0, 0, WM_PASTE, "7", "Tel: 712345", NULL},
        {10, 10, WM_PASTE, "6", "Tel: 123456", NULL},
        {0, 10, WM_PASTE, "Tel: 12345", "Tel: 12345", NULL},  // the selected literals come back
        {3, 10, WM_PASTE, ": 5", "Tel: 5", NULL},
        {3, 10, WM_PASTE, "Tel: 5", "Tel: Tel: 5", NULL},      // other text is input as it is
        {5, 6, WM_PASTE, "a\r\nb", "Tel: a2345", NULL},      // one line in a single-line edit
        {7, 7, WM_PASTE, "", "Tel: 12345", NULL},
        {3, 7, WM_CUT, NULL, "Tel: 345", ": 12"},
        {6, 8, WM_CLEAR, NULL, "Tel: 145", NULL},
        {0, 0, WM_KEYDOWN, NULL, "Tel: 2345", NULL},          // Delete in the literals takes the next input
        {7, 9, WM_KEYDOWN, NULL, "Tel: 125", NULL},
        {10, 10, WM_KEYDOWN, NULL, "Tel: 12345", NULL},
    }, [](COXEdit& edit) {
        edit.SetMask("Tel: #");
        edit.SetWindowText("12345");
    });
    Run<COXEdit>({
        {1, 4, WM_PASTE, "9", "19 kg", NULL},
        {0, 5, WM_PASTE, "34 kg", "34 kg", NULL},
        {2, 2, WM_CLEAR, NULL, "12 kg", NULL},
        {2, 5, WM_CUT, NULL, "12 kg", " kg"},
    }, [](COXEdit& edit) {
        edit.SetMask("# kg");
        edit.SetWindowText("12");
    });
}

TEST_F(OXEditClipboard, NumericEditNormalisesWhatArrives)
{
    Run<COXNumericEdit>({
        {2, 2, WM_PASTE, "9", "(19,234.50)", NULL},
        {0, 3, WM_PASTE, "7", "(7,234.50)", NULL},
        {0, 10, WM_PASTE, "12x3.456", "(123.45)", NULL},
        {0, 10, WM_CUT, NULL, "0.00", "(1,234.50)"},
        {3, 6, WM_CLEAR, NULL, "(1.50)", NULL},
        {6, 6, WM_KEYDOWN, NULL, "(1,234.00)", NULL},         // the separator stays, the digit after it goes
        {1, 2, WM_KEYDOWN, NULL, "(234.50)", NULL},
    }, [](COXNumericEdit& edit) {
        COXNumberLocale loc;
        loc.sDecimal = ".";
        loc.sGroup = ",";
        loc.sGrouping = "3;0";
        loc.sDigits = "2";
        loc.sNegative = "0";
        edit.ApplyLocale(loc, FALSE);
        edit.SetValue(-1234.5);
    });
}

TEST_F(OXEditClipboard, MaskedEditFillsItsCells)
{
    Run<COXMaskedEdit>({
        {1, 1, WM_PASTE, "5551234567", "(555) 123-4567", NULL},
        {0, 14, WM_PASTE, "(555) 123-4567", "(555) 123-4567", NULL},
        {6, 9, WM_PASTE, "98", "(555) 984-567_", NULL},
        {1, 4, WM_CUT, NULL, "(123) 456-7___", "555"},
        {1, 4, WM_CLEAR, NULL, "(123) 456-7___", NULL},
        {4, 4, WM_KEYDOWN, NULL, "(555) 234-567_", NULL},    // from a literal cell to the next input cell
        {13, 14, WM_KEYDOWN, NULL, "(555) 123-456_", NULL},
    }, [](COXMaskedEdit& edit) {
        edit.SetMask("(###) ###-####");
        edit.SetPromptSymbol('_');
        edit.SetInputData("5551234567");
    });
}

TEST_F(OXEditClipboard, MaskedEditKeysMoveBetweenInputCells)
{
    COXMaskedEdit edit("(###) ###-####");
    ASSERT_TRUE(edit.Create(kEditStyle, CRect(10, 10, 300, 34), &m_host, 101));
    edit.SetPromptSymbol('_');
    edit.SetInputData("5551234567");
    edit.SetFocus();
    auto caret = [&] { return LOWORD(edit.SendMessage(EM_GETSEL)); };
    auto key = [&](int nFrom, UINT vk) {
        edit.SendMessage(EM_SETSEL, nFrom, nFrom);
        edit.SendMessage(WM_KEYDOWN, vk, 1);
        return caret();
    };
    struct Case { int from; UINT vk; int to; };
    const Case cases[] = {
        {0, VK_HOME, 1},      // never on the opening literal
        {8, VK_HOME, 1},
        {3, VK_RIGHT, 6},     // over ") " to the next input cell
        {8, VK_DOWN, 10},
        {6, VK_LEFT, 4},      // back over " " to just after the last input cell before it
        {10, VK_UP, 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(key(c.from, c.vk), c.to) << "key " << c.vk << " from " << c.from;

    const BOOL bInsert = edit.GetInsertMode();
    key(1, VK_INSERT);
    EXPECT_NE(edit.GetInsertMode(), bInsert);
    EXPECT_EQ(WindowText(edit.m_hWnd), "(555) 123-4567") << "Insert changes no text";
    edit.SetInsertMode(TRUE);

    // Backspace behind a literal deletes the input cell before it; the rest closes up.
    edit.SendMessage(EM_SETSEL, 6, 6);
    edit.SendMessage(WM_CHAR, '\b', 1);
    EXPECT_EQ(WindowText(edit.m_hWnd), "(551) 234-567_");
    EXPECT_EQ(caret(), 3);
    // Typing in insert mode shifts the cells along; the last one falls off.
    edit.SendMessage(WM_CHAR, '9', 1);
    EXPECT_EQ(WindowText(edit.m_hWnd), "(559) 123-4567");
    EXPECT_EQ(caret(), 6) << "on to the next input cell";
    edit.SendMessage(WM_CHAR, 'x', 1);
    EXPECT_EQ(WindowText(edit.m_hWnd), "(559) 123-4567") << "a letter in a digit cell is refused";
    edit.DestroyWindow();
}

// A parent that records the edit notifications its message map receives.
class CEditNotifyHost : public CNotifyHost
{
public:
    std::vector<UINT> m_editCodes;

protected:
    void OnEditUpdate() { m_editCodes.push_back(EN_UPDATE); }
    void OnEditChange() { m_editCodes.push_back(EN_CHANGE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditNotifyHost, CNotifyHost)
    ON_EN_UPDATE(101, OnEditUpdate)
    ON_EN_CHANGE(101, OnEditChange)
END_MESSAGE_MAP()

// An outside SetWindowText sends the parent EN_UPDATE but no EN_CHANGE; the
// edit's own rebuilds (typing) send both.
TEST(OXEditNotifications, OutsideTextSendsUpdateWithoutChange)
{
    CEditNotifyHost host;
    ASSERT_TRUE(host.CreateHost());
    COXEdit edit;
    edit.SetMask("Tel: #");
    ASSERT_TRUE(edit.Create(kEditStyle, CRect(10, 10, 300, 34), &host, 101));
    host.m_editCodes.clear();
    edit.SetWindowText("123");
    EXPECT_EQ(WindowText(edit.m_hWnd), "Tel: 123");
    EXPECT_EQ(host.m_editCodes, std::vector<UINT>({EN_UPDATE}));
    host.m_editCodes.clear();
    edit.SetFocus();
    edit.SendMessage(EM_SETSEL, 8, 8);
    edit.SendMessage(WM_CHAR, '4', 1);
    EXPECT_EQ(WindowText(edit.m_hWnd), "Tel: 1234");
    ASSERT_GE(host.m_editCodes.size(), 2u);
    EXPECT_EQ(host.m_editCodes[0], (UINT)EN_UPDATE);
    EXPECT_EQ(host.m_editCodes[1], (UINT)EN_CHANGE);
    edit.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
