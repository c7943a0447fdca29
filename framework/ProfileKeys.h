// ProfileKeys.h - every section and key of the application's profile, with
// its type and default, so that no code spells a key twice.
//
// All access goes through the application object's profile calls; the
// helpers at the end take that object, so this header needs no window class.
// Integers are stored as REG_DWORD, strings as REG_SZ; flags are integers
// taken as true when non-zero.
#pragma once

#include <afx.h>

struct PROFILE_INT_KEY
{
    LPCSTR pszSection;
    LPCSTR pszEntry;
    int nDefault;
};

struct PROFILE_STRING_KEY
{
    LPCSTR pszSection;
    LPCSTR pszEntry;
    LPCSTR pszDefault;   // NULL: the default is computed by the reader
};

// The company key under the current user's software key.
inline constexpr char szProfileCompanyKey[] = "Dunmorrow";

// ---------------------------------------------------------------------------
// Sections
// ---------------------------------------------------------------------------
inline constexpr char szSectionBasedApp[] = "CBasedApp";
inline constexpr char szSectionSettings[] = "Settings";
inline constexpr char szSectionBasedMainFrame[] = "CBasedMainFrame";
inline constexpr char szSectionMainFrameTopmost[] = "MainFrame";
inline constexpr char szSectionCommonSettings[] = "CommonSettings";
inline constexpr char szSectionRecentFiles[] = "Recent File List";
inline constexpr char szSectionMainFrame[] = "CMainFrame";
inline constexpr char szSectionPellucorView[] = "CPellucorView";
inline constexpr char szSectionTip[] = "Tip";
inline constexpr char szSectionLogWindowView[] = "CLogWindowView";
inline constexpr char szSectionTraceList[] = "CTraceList";

// ---------------------------------------------------------------------------
// Framework and application keys
// ---------------------------------------------------------------------------
inline constexpr PROFILE_INT_KEY profileEnableLog = {szSectionBasedApp, "m_bEnableLog", 1};
inline constexpr PROFILE_INT_KEY profileAutoSaveEnable = {szSectionSettings, "m_bAutoSaveEnable", 0};
inline constexpr PROFILE_INT_KEY profileSaveTime = {szSectionSettings, "m_iSaveTime", 10};   // minutes
inline constexpr PROFILE_INT_KEY profileMinimizeToTray = {szSectionSettings, "m_bMinimizeToTray", 1};
inline constexpr PROFILE_INT_KEY profileAutoSaveByMinimize = {szSectionSettings, "m_bAutoSaveByMinimize", 0};
inline constexpr PROFILE_INT_KEY profileDontCloseAndMinimize = {szSectionSettings, "m_bDontCloseAndMinimize", 0};
inline constexpr PROFILE_INT_KEY profileAutoSaveBySwitch = {szSectionSettings, "m_bAutoSaveBySwitch", 0};
inline constexpr PROFILE_INT_KEY profileStartWithWindows = {szSectionSettings, "m_bStartWithWindows", 0};
inline constexpr PROFILE_INT_KEY profileMainFrameX = {szSectionSettings, "Main Frame X", 0};
inline constexpr PROFILE_INT_KEY profileMainFrameY = {szSectionSettings, "Main Frame Y", 0};
inline constexpr PROFILE_INT_KEY profileMainFrameWidth = {szSectionSettings, "Main Frame Width", 800};
inline constexpr PROFILE_INT_KEY profileMainFrameHeight = {szSectionSettings, "Main Frame Height", 600};
// 0 normal, 1 minimised, 2 maximised.
inline constexpr PROFILE_INT_KEY profileMainFrameState = {szSectionSettings, "Main Frame State", 2};
inline constexpr PROFILE_INT_KEY profileDedupeBasket = {szSectionSettings, "bDedupeBasket", 1};
inline constexpr PROFILE_INT_KEY profileSortBasket = {szSectionSettings, "bSortBasket", 1};
inline constexpr PROFILE_INT_KEY profileFullScreen = {szSectionBasedMainFrame, "m_bFullScreen", 0};
inline constexpr PROFILE_INT_KEY profileTopmost = {szSectionMainFrameTopmost, "Topmost", 0};
// Default: the program folder.
inline constexpr PROFILE_STRING_KEY profileBackupFolder = {szSectionCommonSettings, "BackupFolder", NULL};
inline constexpr PROFILE_STRING_KEY profileRecentFile1 = {szSectionRecentFiles, "File1", ""};
inline constexpr int nProfileRecentFiles = 4;

// Keys given to QuestionMessageOnce live in "Settings": 1 once "don't ask me
// again" was ticked with Yes.
inline constexpr int nQuestionOnceDefault = 0;

// Dialog placement in "Settings": the dialog's name followed by these.
inline constexpr char szDialogXSuffix[] = " X";
inline constexpr char szDialogYSuffix[] = " Y";
inline constexpr char szDialogWidthSuffix[] = " Width";
inline constexpr char szDialogHeightSuffix[] = " Height";

// The last path of each export format, in "CMainFrame" (the phrase-match key
// is spelled with "Tot").
inline constexpr char szDefaultExportName[] = "Keywords";
inline constexpr char szDefaultMetaTagExportName[] = "[keywords] Meta Tag";
inline constexpr PROFILE_STRING_KEY profileExportHtml = {szSectionMainFrame, "OnExportTohtmlfile", szDefaultExportName};
inline constexpr PROFILE_STRING_KEY profileExportText = {szSectionMainFrame, "OnExportTotextfile", szDefaultExportName};
inline constexpr PROFILE_STRING_KEY profileExportCsv = {szSectionMainFrame, "OnExportTocsvfile", szDefaultExportName};
inline constexpr PROFILE_STRING_KEY profileExportExcel = {szSectionMainFrame, "OnExportToexcel", szDefaultExportName};
inline constexpr PROFILE_STRING_KEY profileExportMetaTag = {szSectionMainFrame, "OnExportTometatag",
                                                            szDefaultMetaTagExportName};
inline constexpr PROFILE_STRING_KEY profileExportBroadMatch = {szSectionMainFrame, "OnExportToAdwordsBroadMatch",
                                                               szDefaultExportName};
inline constexpr PROFILE_STRING_KEY profileExportExactMatch = {szSectionMainFrame, "OnExportToAdwordsExactMatch",
                                                               szDefaultExportName};
inline constexpr PROFILE_STRING_KEY profileExportPhraseMatch = {szSectionMainFrame, "OnExportTotAdwordsPhraseMatch",
                                                                szDefaultExportName};

// The keyword box: the last keyword, and its history entries "m_wndKeyword0"
// to "m_wndKeyword9" ("%s%d" of the prefix and the index); "Last" holds the
// current text of a history bound to no prefix.
inline constexpr PROFILE_STRING_KEY profileLastKeyword = {szSectionPellucorView, "m_wndKeyword", ""};
inline constexpr char szKeywordHistoryPrefix[] = "m_wndKeyword";
inline constexpr char szHistoryEntryFormat[] = "%s%d";
inline constexpr char szHistoryLastEntry[] = "Last";

// The statistics service's host (and port) that every request goes to.
inline constexpr PROFILE_STRING_KEY profileStatisticsHost = {szSectionSettings, "StatisticsHost", "127.0.0.1:8080"};

// Tip of the day: "StartUp" 1 = do not show at start-up; "FilePos" the offset of
// the next tip in "tips.txt"; "TimeStamp" the file's time text when "FilePos"
// was valid.
inline constexpr PROFILE_INT_KEY profileTipStartUp = {szSectionTip, "StartUp", 0};
inline constexpr PROFILE_INT_KEY profileTipFilePos = {szSectionTip, "FilePos", 0};
inline constexpr PROFILE_STRING_KEY profileTipTimeStamp = {szSectionTip, "TimeStamp", ""};

// Trace-log window: Disk mode at start (default: the application's, 1), and
// the log file (default: the program folder + "\Logs\log.txt").
inline constexpr PROFILE_INT_KEY profileLogDesired = {szSectionLogWindowView, "desired", 1};
inline constexpr PROFILE_STRING_KEY profileTraceListName = {szSectionTraceList, "name", NULL};

// ---------------------------------------------------------------------------
// Layout engine and views
// ---------------------------------------------------------------------------

// Placement records: "WindowPositions\" + the window's profile name; dynamic
// dialogs use "ID=0x%08lx" of their template id as that name.
inline constexpr char szWindowPositionsSection[] = "WindowPositions";
inline constexpr char szDialogProfileNameFormat[] = "ID=0x%08lx";
inline constexpr char szPlacementValid[] = "(valid)";   // 0 while written, 1 when complete
inline constexpr char szPlacementLeft[] = "Left";
inline constexpr char szPlacementTop[] = "Top";
inline constexpr char szPlacementRight[] = "Right";
inline constexpr char szPlacementBottom[] = "Bottom";
inline constexpr char szPlacementVisibility[] = "Visibility";   // 1 visible, 0 hidden
inline constexpr char szPlacementState[] = "State";             // 0 minimised, 1 maximised, -1 normal

// Grid views and grid dialogs, in their own section: the column's name holds
// its width, the name + "_Visible" whether it is shown.
inline constexpr int nGridColumnWidthDefault = 70;   // -1: a share of the client width
inline constexpr char szGridColumnVisibleSuffix[] = "_Visible";
inline constexpr int nGridColumnVisibleDefault = 1;
inline constexpr char szGridSortAscending[] = "SetSortAscending";
inline constexpr int nGridSortAscendingDefault = 0;
inline constexpr char szGridSortColumn[] = "SetSortColumn";
inline constexpr int nGridSortColumnDefault = 1;
// Grid dialogs start ascending and unsorted, and a refill of either reads
// the column back with -1 (unsorted) as its default.
inline constexpr int nGridDlgSortAscendingDefault = 1;
inline constexpr int nGridDlgSortColumnDefault = -1;
inline constexpr int nGridRefillSortColumnDefault = -1;
inline constexpr char szGridBackground[] = "m_clrBackground";
inline constexpr char szGridTextBackground[] = "m_clrTextBackground";
inline constexpr char szGridTextForeground[] = "m_clrTextForeground";
inline constexpr char szGridLines[] = "m_clrGridLines";
// First-run flag: section + "_" as both section and key, 1 until set up once.
inline constexpr char szGridFirstRunSuffix[] = "_";
inline constexpr char szGridSelectedRow[] = "SelectedRow";
// The external-tools editor keeps its selected row in its own section; the
// "Delete all" question is asked once in "Settings" under "ExtTools".
inline constexpr char szSectionExternalToolDlg[] = "CExternalToolDlg";
inline constexpr char szExternalToolsQuestionKey[] = "ExtTools";
inline constexpr char szTabViewCurrentTab[] = "CurrentTab";
inline constexpr int nTabViewCurrentTabDefault = 0;

// Sizing control bars: section "%s-SCBar-%d" of the bar's name and id.
inline constexpr char szSizingBarSectionFormat[] = "%s-SCBar-%d";
inline constexpr char szSizingBarHorzCX[] = "sizeHorzCX";
inline constexpr char szSizingBarHorzCY[] = "sizeHorzCY";
inline constexpr char szSizingBarVertCX[] = "sizeVertCX";
inline constexpr char szSizingBarVertCY[] = "sizeVertCY";
inline constexpr char szSizingBarFloatCX[] = "sizeFloatCX";
inline constexpr char szSizingBarFloatCY[] = "sizeFloatCY";

// ---------------------------------------------------------------------------
// Reading and writing through the application object (any class with MFC's
// profile calls).
// ---------------------------------------------------------------------------
template <class TApp>
inline int ReadProfileKey(TApp* pApp, const PROFILE_INT_KEY& key)
{
    return pApp->GetProfileInt(key.pszSection, key.pszEntry, key.nDefault);
}

template <class TApp>
inline BOOL WriteProfileKey(TApp* pApp, const PROFILE_INT_KEY& key, int nValue)
{
    return pApp->WriteProfileInt(key.pszSection, key.pszEntry, nValue);
}

// A key whose default is computed (pszDefault NULL) takes pszDefault given here.
template <class TApp>
inline auto ReadProfileKey(TApp* pApp, const PROFILE_STRING_KEY& key, LPCSTR pszDefault = NULL)
{
    return pApp->GetProfileString(key.pszSection, key.pszEntry,
                                  pszDefault ? pszDefault : (key.pszDefault ? key.pszDefault : ""));
}

template <class TApp>
inline BOOL WriteProfileKey(TApp* pApp, const PROFILE_STRING_KEY& key, LPCSTR pszValue)
{
    return pApp->WriteProfileString(key.pszSection, key.pszEntry, pszValue);
}
