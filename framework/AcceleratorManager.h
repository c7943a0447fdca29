// AcceleratorManager.h - CAcceleratorManager: the commands of a frame window
// with their names and keyboard accelerators. Locked accelerators are built in:
// never removed, reset or saved. The manager rebuilds the frame's accelerator
// table from its commands, keeps a copy of the default set to go back to, and
// stores the user's accelerators in "Users_Shortcuts.shortcuts" in the
// program folder.
//
// File layout (32-bit little-endian values): version 1; N, the number of
// values in the body; the body; a 20-byte trailer that readers ignore. The
// body is a header value (block count << 16) + 0xFFFF, then one block per
// command holding unlocked accelerators: (count << 16) | command id, then
// that many packed accelerators (see CAccelsOb).
//
// A file whose counts do not fit in what it holds is refused whole, with a
// message, before anything is applied: the accelerators in use are kept.
#pragma once

#include <afxtempl.h>
#include <vector>
#include "CmdAccelOb.h"

typedef CMap<CString, LPCSTR, WORD, WORD> CMapStringToWord;
typedef CMap<WORD, WORD, CCmdAccelOb*, CCmdAccelOb*> CMapWordToCCmdAccelOb;

class CAcceleratorManager : public CObject
{
    DECLARE_DYNAMIC(CAcceleratorManager)
public:
    CAcceleratorManager();
    virtual ~CAcceleratorManager();

    // The name of the file, and its path in the program folder.
    static const char szShortcutsFile[];
    static CString GetShortcutsPath();

    // The frame whose accelerator table is rebuilt; saving at destruction
    // is switched off.
    void Connect(CFrameWnd* pWnd);
    CFrameWnd* GetFrame() const { return m_pWndConnected; }
    void SetAutoSave(bool bAutoSave) { m_bAutoSave = bAutoSave; }

    // Reads the file; the key and name are remembered first (only a non-empty
    // name matters: the parameterless form reads nothing without one).
    BOOL Load(HKEY hRegKey, LPCSTR szRegKey);
    BOOL Load();
    BOOL Write();
    // Why the last Load or Write failed ("" after a success or a missing file).
    CString GetLastErrorText() const { return m_strLastError; }

    // A command with no accelerators; nothing when the name is known.
    BOOL CreateEntry(WORD wIDCommand, LPCSTR szCommand);
    // FALSE when the name belongs to another command, the command has another
    // name, or it already has this accelerator.
    BOOL SetAccel(BYTE cVirt, WORD wIDCommand, WORD wKey, LPCSTR szCommand, bool bLocked = false);
    // Takes the frame table's accelerators of the command; the result of the
    // last one taken, FALSE when there is none.
    BOOL AddCommandAccel(WORD wIDCommand, LPCSTR szCommand, bool bLocked = true);
    // Stops with FALSE at the first locked accelerator on the way.
    BOOL DeleteAccel(BYTE cVirt, WORD wIDCommand, WORD wKey);
    BOOL DeleteEntry(WORD wIDCommand);
    BOOL DeleteEntry(LPCSTR szCommand);

    // Keeps a copy of the unlocked accelerators, once.
    BOOL CreateDefaultTable();
    void Reset();
    BOOL UpdateWndTable();
    bool IsEmpty() const { return m_mapAccelString.IsEmpty() != FALSE; }
    void DeleteAll();

    CAcceleratorManager& operator=(const CAcceleratorManager& accelmgr);

    // The command of an id, NULL when there is none.
    CCmdAccelOb* Lookup(WORD wIDCommand) const;

    CFrameWnd* m_pWndConnected;
    CMapStringToWord m_mapAccelString;
    CMapWordToCCmdAccelOb m_mapAccelTable;
    CMapWordToCCmdAccelOb m_mapAccelTableSaved;
    bool m_bDefaultTable;
    HKEY m_hRegKey;
    CString m_szRegKey;
    bool m_bAutoSave;

protected:
    // The file's body, checked against its own size; FALSE with the reason.
    BOOL ReadBody(std::vector<DWORD>& body);
    // Applies a body whose counts have been checked.
    void ApplyBody(const std::vector<DWORD>& body);
    void Fail(LPCSTR pszReason);

    CString m_strLastError;

private:
    CAcceleratorManager(const CAcceleratorManager&) = delete;
};

// Checks that the blocks a body announces lie within it; FALSE with the
// reason when they do not.
BOOL CheckShortcutsBody(const std::vector<DWORD>& body, CString& strReason);
