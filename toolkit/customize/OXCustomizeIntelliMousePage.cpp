#include "OXCustomizeIntelliMousePage.h"

#include "OXCustomizeProfile.h"

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------

static const OXIntelliMouseStartEvent g_startEvents[] = {
    {WM_LBUTTONDOWN, IDS_OX_IM_EVENT_FIRST + 0, "WM_LBUTTONDOWN"},
    {WM_MBUTTONDOWN, IDS_OX_IM_EVENT_FIRST + 1, "WM_MBUTTONDOWN"},
    {WM_RBUTTONDOWN, IDS_OX_IM_EVENT_FIRST + 2, "WM_RBUTTONDOWN"},
    {WM_LBUTTONUP, IDS_OX_IM_EVENT_FIRST + 3, "WM_LBUTTONUP"},
    {WM_MBUTTONUP, IDS_OX_IM_EVENT_FIRST + 4, "WM_MBUTTONUP"},
    {WM_RBUTTONUP, IDS_OX_IM_EVENT_FIRST + 5, "WM_RBUTTONUP"},
    {WM_LBUTTONDBLCLK, IDS_OX_IM_EVENT_FIRST + 6, "WM_LBUTTONDBLCLK"},
    {WM_MBUTTONDBLCLK, IDS_OX_IM_EVENT_FIRST + 7, "WM_MBUTTONDBLCLK"},
    {WM_RBUTTONDBLCLK, IDS_OX_IM_EVENT_FIRST + 8, "WM_RBUTTONDBLCLK"},
};
static const int g_nStartEvents = sizeof(g_startEvents) / sizeof(g_startEvents[0]);

const OXIntelliMouseStartEvent* OXIntelliMouseStartEvents(int& nCount)
{
    nCount = g_nStartEvents;
    return g_startEvents;
}

int OXIntelliMouseStartEventIndex(UINT nMessage)
{
    for (int i = 0; i < g_nStartEvents; i++)
        if (g_startEvents[i].nMessage == nMessage)
            return i;
    return -1;
}

UINT OXIntelliMouseStartEventMessage(int nIndex)
{
    return nIndex >= 0 && nIndex < g_nStartEvents ? g_startEvents[nIndex].nMessage : 0;
}

DWORD OXIntelliMouseKeyState(BOOL bCtrl, BOOL bShift, BOOL bAlt)
{
    return (bCtrl ? OX_IMKEY_CONTROL : 0) | (bShift ? OX_IMKEY_SHIFT : 0) | (bAlt ? OX_IMKEY_ALT : 0);
}

void OXIntelliMouseKeyFlags(DWORD dwKeyState, BOOL& bCtrl, BOOL& bShift, BOOL& bAlt)
{
    bCtrl = (dwKeyState & OX_IMKEY_CONTROL) != 0;
    bShift = (dwKeyState & OX_IMKEY_SHIFT) != 0;
    bAlt = (dwKeyState & OX_IMKEY_ALT) != 0;
}

BOOL COXCustomizeIntelliMouseOrganizer::IsQualified(HWND hWnd, LPCTSTR lpszClassName)
{
    return m_pPage != NULL ? m_pPage->IsQualifiedWindow(hWnd, lpszClassName) : TRUE;
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COXCustomizeIntelliMousePage, COXCustomizePage)

BEGIN_MESSAGE_MAP(COXCustomizeIntelliMousePage, COXCustomizePage)
END_MESSAGE_MAP()

static const LPCTSTR kSupportIntelliMouse = "SupportIntelliMouse";
static const LPCTSTR kOnlyViews = "OnlyViews";
static const LPCTSTR kStartEventIndex = "StartEventIndex";
static const LPCTSTR kAltKeyPressed = "AltKeyPressed";
static const LPCTSTR kCtrlKeyPressed = "CtrlKeyPressed";
static const LPCTSTR kShiftKeyPressed = "ShiftKeyPressed";

COXCustomizeIntelliMousePage::COXCustomizeIntelliMousePage()
    : m_bAltKeyPressed(FALSE), m_bCtrlKeyPressed(FALSE), m_bOnlyViews(FALSE), m_bShiftKeyPressed(FALSE),
      m_bSupportIntelliMouse(TRUE), m_nStartEventIndex(0), m_mapStartEventNames(10)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_INTELLIMOUSE;
    m_organizer.m_pPage = this;
    m_mapStartEventNames.InitHashTable(17);
    for (int i = 0; i < g_nStartEvents; i++) {
        m_arrStartEvents.Add(g_startEvents[i].nMessage);
        StartEventTexts texts;
        texts.sDescription.LoadString(g_startEvents[i].nDescriptionID);
        texts.sName = g_startEvents[i].lpszName;
        m_mapStartEventNames.SetAt(g_startEvents[i].nMessage, texts);
    }
}

COXCustomizeIntelliMousePage::~COXCustomizeIntelliMousePage()
{
    // The organizer goes with the page: no window of the thread may keep a
    // handler that asks a page that is gone.
    if (m_organizer.GetAttachedThread() != 0)
        m_organizer.DetachAllInThread();
}

CString COXCustomizeIntelliMousePage::GetTitle() const
{
    return LoadText(IDS_OX_CUSTOMIZE_INTELLIMOUSE_TITLE);
}

CString COXCustomizeIntelliMousePage::GetTooltip() const
{
    return LoadText(IDS_OX_CUSTOMIZE_INTELLIMOUSE_TIP);
}

BOOL COXCustomizeIntelliMousePage::InitializeIntelliMouse(BOOL bSupportIntelliMouse, UINT nStartEvent,
                                                          DWORD dwKeyState, BOOL bOnlyViews,
                                                          LPCTSTR lpszProfileName)
{
    int nIndex = OXIntelliMouseStartEventIndex(nStartEvent);
    if (nIndex < 0)
        return FALSE;
    m_bSupportIntelliMouse = bSupportIntelliMouse;
    m_nStartEventIndex = nIndex;
    OXIntelliMouseKeyFlags(dwKeyState, m_bCtrlKeyPressed, m_bShiftKeyPressed, m_bAltKeyPressed);
    m_bOnlyViews = bOnlyViews;
    if (lpszProfileName != NULL) {
        m_sProfileName = lpszProfileName;
        LoadFromProfile();
    }
    Apply();
    return TRUE;
}

void COXCustomizeIntelliMousePage::LoadFromProfile()
{
    if (m_sProfileName.IsEmpty())
        return;
    m_bSupportIntelliMouse = OXGetProfileBool(m_sProfileName, kSupportIntelliMouse, m_bSupportIntelliMouse);
    m_bOnlyViews = OXGetProfileBool(m_sProfileName, kOnlyViews, m_bOnlyViews);
    // An index past the list would pick no event at all.
    m_nStartEventIndex = OXGetProfileIntInRange(m_sProfileName, kStartEventIndex, m_nStartEventIndex, 0,
                                                g_nStartEvents - 1);
    m_bAltKeyPressed = OXGetProfileBool(m_sProfileName, kAltKeyPressed, m_bAltKeyPressed);
    m_bCtrlKeyPressed = OXGetProfileBool(m_sProfileName, kCtrlKeyPressed, m_bCtrlKeyPressed);
    m_bShiftKeyPressed = OXGetProfileBool(m_sProfileName, kShiftKeyPressed, m_bShiftKeyPressed);
}

void COXCustomizeIntelliMousePage::SaveToProfile() const
{
    if (m_sProfileName.IsEmpty())
        return;
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileInt(m_sProfileName, kSupportIntelliMouse, m_bSupportIntelliMouse);
    pApp->WriteProfileInt(m_sProfileName, kOnlyViews, m_bOnlyViews);
    pApp->WriteProfileInt(m_sProfileName, kStartEventIndex, m_nStartEventIndex);
    pApp->WriteProfileInt(m_sProfileName, kAltKeyPressed, m_bAltKeyPressed);
    pApp->WriteProfileInt(m_sProfileName, kCtrlKeyPressed, m_bCtrlKeyPressed);
    pApp->WriteProfileInt(m_sProfileName, kShiftKeyPressed, m_bShiftKeyPressed);
}

void COXCustomizeIntelliMousePage::Apply()
{
    if (m_organizer.GetAttachedThread() != 0)
        m_organizer.DetachAllInThread();
    UINT nStartEvent = OXIntelliMouseStartEventMessage(m_nStartEventIndex);
    if (!m_bSupportIntelliMouse || nStartEvent == 0)
        return;
    m_organizer.AttachAllInThread(::GetCurrentThreadId(), nStartEvent,
                                  OXIntelliMouseKeyState(m_bCtrlKeyPressed, m_bShiftKeyPressed, m_bAltKeyPressed));
}

BOOL COXCustomizeIntelliMousePage::IsQualifiedWindow(HWND hWnd, LPCTSTR /*lpszClassName*/)
{
    if (!m_bOnlyViews)
        return TRUE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView));
}

BOOL COXCustomizeIntelliMousePage::ApplyChanges()
{
    if (!UpdateData(TRUE))
        return FALSE;
    Apply();
    return TRUE;
}

BOOL COXCustomizeIntelliMousePage::OnCloseManager(BOOL bIsOk)
{
    if (bIsOk) {
        BOOL bApplied = ApplyChanges();
        if (bApplied)
            SaveToProfile();
        return bApplied;
    }
    if (!m_sProfileName.IsEmpty()) {
        LoadFromProfile();
        Apply();
    }
    return TRUE;
}

void COXCustomizeIntelliMousePage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_IMP_START_EVENT, m_comboStartEvent);
    DDX_Control(pDX, IDC_OX_IMP_SEP_EVENT, m_sepEvent);
    DDX_Control(pDX, IDC_OX_IMP_SEP_KEYS, m_sepKeys);
    DDX_Check(pDX, IDC_OX_IMP_SUPPORT, m_bSupportIntelliMouse);
    DDX_Check(pDX, IDC_OX_IMP_CTRL, m_bCtrlKeyPressed);
    DDX_Check(pDX, IDC_OX_IMP_SHIFT, m_bShiftKeyPressed);
    DDX_Check(pDX, IDC_OX_IMP_ALT, m_bAltKeyPressed);
    DDX_Check(pDX, IDC_OX_IMP_ONLY_VIEWS, m_bOnlyViews);
    // A list with nothing chosen keeps the event the page had.
    int nIndex = m_nStartEventIndex;
    DDX_CBIndex(pDX, IDC_OX_IMP_START_EVENT, nIndex);
    if (pDX->m_bSaveAndValidate && OXIntelliMouseStartEventMessage(nIndex) != 0)
        m_nStartEventIndex = nIndex;
}

void COXCustomizeIntelliMousePage::OnInitPage()
{
    COXCustomizePage::OnInitPage();
    // Lines and the list widen with the page.
    for (int nID : {IDC_OX_IMP_SEP_EVENT, IDC_OX_IMP_START_EVENT, IDC_OX_IMP_SEP_KEYS})
        m_LayoutManager.TieChild(nID, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    m_comboStartEvent.SetColumnCount(2);
    m_comboStartEvent.SetColumnWidth(0, 150);
    m_comboStartEvent.SetColumnWidth(1, 150);
    for (INT_PTR i = 0; i < m_arrStartEvents.GetSize(); i++) {
        StartEventTexts texts;
        m_mapStartEventNames.Lookup(m_arrStartEvents[i], texts);
        LPCTSTR row[2] = {texts.sDescription, texts.sName};
        m_comboStartEvent.AddString(row, 2);
    }
    m_comboStartEvent.SetFitDropDownToColumns(TRUE);
    m_bInitialized = TRUE;
    UpdateData(FALSE);
}
