// COXShellNamespaceNavigator: a service over the Windows shell namespace.
// It turns paths into item ID lists and shell folders, enumerates a folder's
// items into ready-to-show records (name, attributes, the four system image
// list indexes), and owns the shell allocator through which every ID list it
// hands out is allocated (free them with FreeIDList).
//
// Folders that GetShellFolder and GetParentShellFolder hand out are recorded;
// with auto clean-up on, the navigator releases them (and the ID lists
// recorded with RecordIDList) when it goes, and callers must not release them.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include <shlobj.h>

// One enumerated object. Allocated with the shell allocator; free it with
// FreeItemRecord, which releases the parent and frees both ID lists.
typedef struct tagNAVIGATORITEM
{
    IShellFolder* pParentFolder;    // a reference is held
    LPITEMIDLIST pidlRelative;      // relative to the parent (a copy)
    LPITEMIDLIST pidlFull;          // fully qualified (a copy)
    DWORD dwAttributes;             // SFGAO_ bits, all asked for
    char szName[MAX_PATH];          // display name
    int nIconLarge;
    int nIconLargeOpen;
    int nIconSmall;
    int nIconSmallOpen;
} NAVIGATORITEM, *LPNAVIGATORITEM;

class COXShellNamespaceNavigator
{
public:
    COXShellNamespaceNavigator();
    virtual ~COXShellNamespaceNavigator();

    void SetOwnerWnd(CWnd* pOwnerWnd) { m_pOwnerWnd = pOwnerWnd; }
    CWnd* GetOwnerWnd() const { return m_pOwnerWnd; }
    void SetAutoCleanUp(BOOL bAutoCleanUp) { m_bAutoCleanUp = bAutoCleanUp; }
    BOOL GetAutoCleanUp() const { return m_bAutoCleanUp; }
    IMalloc* GetMalloc() const { return m_pShellMalloc; }

    // ---- ID lists ----
    static int GetIDListSize(LPCITEMIDLIST pidl);
    static LPCITEMIDLIST GetNextIDListItem(LPCITEMIDLIST pidl);   // NULL at the terminator
    static int GetIDListItemCount(LPCITEMIDLIST pidl);
    LPITEMIDLIST CopyIDList(LPCITEMIDLIST pidl) const;
    LPITEMIDLIST ConcatenatePIDLs(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) const;
    void FreeIDList(LPITEMIDLIST pidl) const;
    void RecordIDList(LPITEMIDLIST pidl) { m_mapIDLists.SetAt(pidl, TRUE); }

    // ---- paths and names ----
    BOOL GetPIDLFromPath(LPCTSTR lpszPath, LPITEMIDLIST* ppidl) const;
    BOOL ParseRelativeName(IShellFolder* pFolder, LPCTSTR lpszName, LPITEMIDLIST* ppidl) const;
    CString GetDisplayName(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative) const;
    static CString GetPathFromIDL(LPCITEMIDLIST pidl);
    CString GetSpecialFolderPath(int nFolder) const;

    // ---- folders ----
    IShellFolder* GetShellFolder(LPCTSTR lpszPath);
    IShellFolder* GetShellFolder(LPCITEMIDLIST pidl);
    IShellFolder* GetParentShellFolder(LPCITEMIDLIST pidl, LPITEMIDLIST* ppidlRelative);
    // A subfolder of a folder, with a reference the caller releases; NULL on failure.
    IShellFolder* BindToSubfolder(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative) const;

    // ---- records and enumeration ----
    LPNAVIGATORITEM MakeItemRecord(IShellFolder* pParentFolder, LPCITEMIDLIST pidlRelative,
                                   LPCITEMIDLIST pidlFull) const;
    void FreeItemRecord(LPNAVIGATORITEM pItem) const;
    // Starts enumerating a folder (whose full ID list is given); FALSE while
    // another enumeration is open or when the folder refuses.
    BOOL BeginEnumeration(IShellFolder* pFolder, LPCITEMIDLIST pidlFolder,
                          DWORD dwFlags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN);
    LPNAVIGATORITEM GetNextEnumeratedObject(BOOL& bEnd);
    void EndEnumeration();
    BOOL IsEnumerating() const { return m_bEnumerating; }

    // ---- actions ----
    // Renames an item in its folder; the new relative ID list (the caller's
    // to free), or NULL on failure.
    LPITEMIDLIST Rename(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative, LPCTSTR lpszNewName) const;
    HMENU GetObjectContextMenu(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative, UINT nFlags) const;
    BOOL InvokeCommand(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative, UINT nCommand) const;
    BOOL InvokeDefaultCommand(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative) const;
    static HIMAGELIST GetSystemImageList(BOOL bSmall);

protected:
    IShellFolder* RememberFolder(IShellFolder* pFolder);
    IContextMenu* GetContextMenuInterface(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative) const;
    HWND OwnerHwnd() const { return m_pOwnerWnd ? m_pOwnerWnd->GetSafeHwnd() : NULL; }

    CWnd* m_pOwnerWnd = NULL;
    IEnumIDList* m_pEnumerator = NULL;
    BOOL m_bEnumerating = FALSE;
    IShellFolder* m_pEnumFolder = NULL;
    LPITEMIDLIST m_pidlEnumFolder = NULL;
    CMap<LPITEMIDLIST, LPITEMIDLIST, BOOL, BOOL> m_mapIDLists;
    CMap<IShellFolder*, IShellFolder*, BOOL, BOOL> m_mapShellFolders;
    BOOL m_bAutoCleanUp = FALSE;
    IMalloc* m_pShellMalloc = NULL;
};
