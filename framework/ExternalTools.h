// ExternalTools.h - the user's list of outside programs ("external tools"):
// the record, the "ExternalTools.ini" file it is kept in, the external-tools
// menu and the starting of a tool.
//
// The file is a text stream in the system's 8-bit code page: the line "1.1",
// then five lines per tool (title, command, arguments, hot-key text, and
// "%d %d" of the virtual key and the modifiers). Nothing is escaped, so a
// field holding a line break cannot be kept.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

// The file's name in the program folder.
inline constexpr char szExternalToolsFile[] = "ExternalTools.ini";
// Its first line; a reader ignores whatever stands there.
inline constexpr char szExternalToolsVersion[] = "1.1";

// The main frame's tools command (its update handler rebuilds the menu) and
// the commands of the tools themselves, one per tool in list order.
#define ID_EXTERNAL_TOOLS           32771
#define ID_EXTERNAL_TOOL_FIRST      32772
#define ID_EXTERNAL_TOOL_LAST       32872

// Hot-key modifier flags as the hot-key control gives them.
#ifndef HOTKEYF_SHIFT
#define HOTKEYF_SHIFT   0x01
#define HOTKEYF_CONTROL 0x02
#define HOTKEYF_ALT     0x04
#endif

class CExternalTool
{
public:
    CExternalTool() : m_nVirtualKey(0), m_nModifiers(0) {}

    CString m_strTitle;       // the menu text
    CString m_strCommand;     // the program or document started
    CString m_strArguments;   // its parameters
    CString m_strHotKey;      // the hot key's display name; empty when none
    short m_nVirtualKey;      // 0 when there is no hot key
    short m_nModifiers;       // HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT
};

// The list owns its records (see DeleteExternalTools).
typedef CArray<CExternalTool*, CExternalTool*> CExternalToolArray;

// Appends the tools of the file to the list. FALSE when the file cannot be
// opened (the list is left as it was) or reading failed part way (the tools
// read so far stay). A record cut by the end of the file is kept with empty
// fields and zero keys.
BOOL LoadExternalTools(CExternalToolArray& arrTools, LPCSTR pszPath);

// Writes the whole list. The text goes to a temporary file beside the target
// first, which then replaces the target: a failure at any point leaves the
// previous file as it was (and no temporary file behind) and returns FALSE.
BOOL SaveExternalTools(const CExternalToolArray& arrTools, LPCSTR pszPath);

// Deletes every record and empties the list.
void DeleteExternalTools(CExternalToolArray& arrTools);

// Rebuilds the tools menu below its first item: everything from position 1 on
// is removed; with tools, a separator follows the first item and then one item
// per tool with the command ID_EXTERNAL_TOOL_FIRST + its index, its title and,
// when it has one, "\t", eight blanks and its hot-key text.
void RebuildExternalToolsMenu(CMenu* pMenu, const CExternalToolArray& arrTools);

// The update handler of the editor's command: rebuilds the tools below it when
// the item is in a menu, and enables the command itself, menu item and
// tool-bar button alike.
void UpdateExternalToolsMenu(CCmdUI* pCmdUI, const CExternalToolArray& arrTools);

// Starts the tool of a tool command through the shell (default verb, the
// tool's arguments, no working folder, SW_SHOW). A command outside the list
// starts nothing and returns FALSE. When the shell cannot start it, the user
// is warned ("Application is unable to execute!. Check its parameters.") and
// FALSE is returned.
BOOL StartExternalTool(const CExternalToolArray& arrTools, UINT nID);

// The modifiers held down now, as hot-key flags.
int GetHeldHotKeyModifiers();

// The index of the tool whose hot key is this key with exactly these
// modifiers, or -1. Tools without a key never match.
int FindExternalToolByHotKey(const CExternalToolArray& arrTools, UINT nVirtualKey, int nModifiers);

// Whether a tool's hot key may take the key from the window it went to. A key
// held with Ctrl or Alt is always the tool's, as a menu accelerator is. A key
// without them (alone or with Shift only) types or edits text: it is the
// tool's only when it is a function key (F1 to F24), or when the window takes
// no typing (answers WM_GETDLGCODE without wanting characters or selection).
BOOL MayTakeHotKey(UINT nVirtualKey, int nModifiers, HWND hTarget);
