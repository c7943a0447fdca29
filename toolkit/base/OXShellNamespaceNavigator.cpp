#include "OXShellNamespaceNavigator.h"

#include <shellapi.h>
#include <string.h>

static const UINT FIRST_MENU_COMMAND = 1;
static const UINT LAST_MENU_COMMAND = 0x7FFF;

COXShellNamespaceNavigator::COXShellNamespaceNavigator()
{
    if (FAILED(::SHGetMalloc(&m_pShellMalloc)) || m_pShellMalloc == NULL)
        AfxThrowMemoryException();
}

COXShellNamespaceNavigator::~COXShellNamespaceNavigator()
{
    if (m_bEnumerating)
        EndEnumeration();
    if (m_bAutoCleanUp) {
        POSITION pos = m_mapIDLists.GetStartPosition();
        while (pos) {
            LPITEMIDLIST pidl;
            BOOL b;
            m_mapIDLists.GetNextAssoc(pos, pidl, b);
            m_pShellMalloc->Free(pidl);
        }
        m_mapIDLists.RemoveAll();
    }
    if (m_bAutoCleanUp) {
        POSITION pos = m_mapShellFolders.GetStartPosition();
        while (pos) {
            IShellFolder* pFolder;
            BOOL b;
            m_mapShellFolders.GetNextAssoc(pos, pFolder, b);
            pFolder->Release();
        }
        m_mapShellFolders.RemoveAll();
    }
    m_pShellMalloc->Release();
}

// ---------------------------------------------------------------------------
// ID lists
// ---------------------------------------------------------------------------

int COXShellNamespaceNavigator::GetIDListSize(LPCITEMIDLIST pidl)
{
    if (pidl == NULL)
        return 0;
    int nSize = sizeof(USHORT);   // the terminator
    for (const BYTE* p = (const BYTE*)pidl; ((LPCITEMIDLIST)p)->mkid.cb; p += ((LPCITEMIDLIST)p)->mkid.cb)
        nSize += ((LPCITEMIDLIST)p)->mkid.cb;
    return nSize;
}

LPCITEMIDLIST COXShellNamespaceNavigator::GetNextIDListItem(LPCITEMIDLIST pidl)
{
    if (pidl == NULL || pidl->mkid.cb == 0)
        return NULL;
    LPCITEMIDLIST pNext = (LPCITEMIDLIST)((const BYTE*)pidl + pidl->mkid.cb);
    return pNext->mkid.cb ? pNext : NULL;
}

int COXShellNamespaceNavigator::GetIDListItemCount(LPCITEMIDLIST pidl)
{
    int n = 0;
    for (LPCITEMIDLIST p = (pidl && pidl->mkid.cb) ? pidl : NULL; p; p = GetNextIDListItem(p))
        ++n;
    return n;
}

LPITEMIDLIST COXShellNamespaceNavigator::CopyIDList(LPCITEMIDLIST pidl) const
{
    if (pidl == NULL)
        return NULL;
    int nSize = GetIDListSize(pidl);
    LPITEMIDLIST pCopy = (LPITEMIDLIST)m_pShellMalloc->Alloc(nSize);
    if (pCopy)
        memcpy(pCopy, pidl, nSize);
    return pCopy;
}

LPITEMIDLIST COXShellNamespaceNavigator::ConcatenatePIDLs(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) const
{
    if (pidl1 == NULL)
        return CopyIDList(pidl2);
    if (pidl2 == NULL)
        return CopyIDList(pidl1);
    int cb1 = GetIDListSize(pidl1) - (int)sizeof(USHORT);
    int cb2 = GetIDListSize(pidl2);
    LPITEMIDLIST pNew = (LPITEMIDLIST)m_pShellMalloc->Alloc(cb1 + cb2);
    if (pNew) {
        memcpy(pNew, pidl1, cb1);
        memcpy((BYTE*)pNew + cb1, pidl2, cb2);
    }
    return pNew;
}

void COXShellNamespaceNavigator::FreeIDList(LPITEMIDLIST pidl) const
{
    if (pidl)
        m_pShellMalloc->Free(pidl);
}

// ---------------------------------------------------------------------------
// Paths and names
// ---------------------------------------------------------------------------

static BOOL ParseIn(IShellFolder* pFolder, HWND hOwner, LPCTSTR lpszName, LPITEMIDLIST* ppidl)
{
    WCHAR wszName[MAX_PATH] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, lpszName, -1, wszName, MAX_PATH);
    wszName[MAX_PATH - 1] = 0;
    ULONG chEaten = 0;
    LPITEMIDLIST pidl = NULL;
    if (FAILED(pFolder->ParseDisplayName(hOwner, NULL, wszName, &chEaten, &pidl, NULL)) || pidl == NULL)
        return FALSE;
    *ppidl = pidl;
    return TRUE;
}

BOOL COXShellNamespaceNavigator::GetPIDLFromPath(LPCTSTR lpszPath, LPITEMIDLIST* ppidl) const
{
    if (ppidl == NULL)
        return FALSE;
    *ppidl = NULL;
    if (lpszPath == NULL || *lpszPath == '\0')
        return TRUE;
    IShellFolder* pDesktop = NULL;
    if (FAILED(::SHGetDesktopFolder(&pDesktop)))
        return FALSE;
    LPITEMIDLIST pidl = NULL;
    BOOL bOk = ParseIn(pDesktop, OwnerHwnd(), lpszPath, &pidl);
    pDesktop->Release();
    if (!bOk)
        return FALSE;
    *ppidl = CopyIDList(pidl);
    ::CoTaskMemFree(pidl);
    return *ppidl != NULL;
}

BOOL COXShellNamespaceNavigator::ParseRelativeName(IShellFolder* pFolder, LPCTSTR lpszName,
                                                   LPITEMIDLIST* ppidl) const
{
    if (pFolder == NULL || ppidl == NULL || lpszName == NULL)
        return FALSE;
    *ppidl = NULL;
    LPITEMIDLIST pidl = NULL;
    if (!ParseIn(pFolder, OwnerHwnd(), lpszName, &pidl))
        return FALSE;
    *ppidl = CopyIDList(pidl);
    ::CoTaskMemFree(pidl);
    return *ppidl != NULL;
}

CString COXShellNamespaceNavigator::GetDisplayName(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative) const
{
    CString sName;
    STRRET str = {};
    if (pFolder == NULL || FAILED(pFolder->GetDisplayNameOf(pidlRelative, SHGDN_NORMAL, &str)))
        return sName;
    char szName[MAX_PATH] = "";
    switch (str.uType) {
    case STRRET_WSTR:
        ::WideCharToMultiByte(CP_ACP, 0, str.pOleStr, -1, szName, MAX_PATH, NULL, NULL);
        szName[MAX_PATH - 1] = 0;
        ::CoTaskMemFree(str.pOleStr);
        break;
    case STRRET_OFFSET:
        lstrcpynA(szName, (const char*)pidlRelative + str.uOffset, MAX_PATH);
        break;
    case STRRET_CSTR:
        lstrcpynA(szName, str.cStr, MAX_PATH);
        break;
    }
    sName = szName;
    return sName;
}

CString COXShellNamespaceNavigator::GetPathFromIDL(LPCITEMIDLIST pidl)
{
    char szPath[MAX_PATH] = "";
    if (pidl == NULL || !::SHGetPathFromIDListA(pidl, szPath))
        return CString();
    return CString(szPath);
}

CString COXShellNamespaceNavigator::GetSpecialFolderPath(int nFolder) const
{
    LPITEMIDLIST pidl = NULL;
    if (FAILED(::SHGetSpecialFolderLocation(OwnerHwnd(), nFolder, &pidl)) || pidl == NULL)
        return CString();
    CString sPath = GetPathFromIDL(pidl);
    ::CoTaskMemFree(pidl);
    return sPath;
}

// ---------------------------------------------------------------------------
// Folders
// ---------------------------------------------------------------------------

IShellFolder* COXShellNamespaceNavigator::RememberFolder(IShellFolder* pFolder)
{
    BOOL bKnown;
    if (pFolder == NULL)
        return NULL;
    if (m_mapShellFolders.Lookup(pFolder, bKnown))
        pFolder->Release();   // the map holds one reference per folder
    else
        m_mapShellFolders.SetAt(pFolder, TRUE);
    return pFolder;
}

IShellFolder* COXShellNamespaceNavigator::BindToSubfolder(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative) const
{
    IShellFolder* pSub = NULL;
    if (pFolder == NULL || pidlRelative == NULL
        || FAILED(pFolder->BindToObject(pidlRelative, NULL, IID_IShellFolder, (void**)&pSub)))
        return NULL;
    return pSub;
}

IShellFolder* COXShellNamespaceNavigator::GetShellFolder(LPCITEMIDLIST pidl)
{
    IShellFolder* pDesktop = NULL;
    if (FAILED(::SHGetDesktopFolder(&pDesktop)))
        return NULL;
    if (pidl == NULL || pidl->mkid.cb == 0)
        return RememberFolder(pDesktop);
    IShellFolder* pFolder = BindToSubfolder(pDesktop, pidl);
    if (pFolder == NULL)
        return RememberFolder(pDesktop);
    pDesktop->Release();
    return RememberFolder(pFolder);
}

IShellFolder* COXShellNamespaceNavigator::GetShellFolder(LPCTSTR lpszPath)
{
    LPITEMIDLIST pidl = NULL;
    if (lpszPath == NULL || *lpszPath == '\0' || !GetPIDLFromPath(lpszPath, &pidl))
        return GetShellFolder((LPCITEMIDLIST)NULL);
    IShellFolder* pFolder = GetShellFolder((LPCITEMIDLIST)pidl);
    FreeIDList(pidl);
    return pFolder;
}

IShellFolder* COXShellNamespaceNavigator::GetParentShellFolder(LPCITEMIDLIST pidl, LPITEMIDLIST* ppidlRelative)
{
    if (ppidlRelative)
        *ppidlRelative = NULL;
    if (pidl == NULL || pidl->mkid.cb == 0)
        return GetShellFolder((LPCITEMIDLIST)NULL);
    // The last item and the list up to it.
    LPCITEMIDLIST pLast = pidl;
    for (LPCITEMIDLIST p = pidl; p; p = GetNextIDListItem(p))
        pLast = p;
    if (ppidlRelative)
        *ppidlRelative = CopyIDList(pLast);
    int cbParent = (int)((const BYTE*)pLast - (const BYTE*)pidl);
    LPITEMIDLIST pidlParent = (LPITEMIDLIST)m_pShellMalloc->Alloc(cbParent + sizeof(USHORT));
    if (pidlParent == NULL)
        return GetShellFolder((LPCITEMIDLIST)NULL);
    memcpy(pidlParent, pidl, cbParent);
    *(USHORT*)((BYTE*)pidlParent + cbParent) = 0;
    IShellFolder* pFolder = GetShellFolder((LPCITEMIDLIST)pidlParent);
    FreeIDList(pidlParent);
    return pFolder;
}

// ---------------------------------------------------------------------------
// Records and enumeration
// ---------------------------------------------------------------------------

LPNAVIGATORITEM COXShellNamespaceNavigator::MakeItemRecord(IShellFolder* pParentFolder, LPCITEMIDLIST pidlRelative,
                                                          LPCITEMIDLIST pidlFull) const
{
    LPNAVIGATORITEM pItem = (LPNAVIGATORITEM)m_pShellMalloc->Alloc(sizeof(NAVIGATORITEM));
    if (pItem == NULL)
        return NULL;
    memset(pItem, 0, sizeof(NAVIGATORITEM));
    pItem->pParentFolder = pParentFolder;
    if (pParentFolder)
        pParentFolder->AddRef();
    pItem->pidlRelative = CopyIDList(pidlRelative);
    pItem->pidlFull = CopyIDList(pidlFull);
    ULONG ulAttributes = 0xFFFFFFFF;
    if (pParentFolder && pidlRelative) {
        LPCITEMIDLIST apidl[1] = {pidlRelative};
        if (FAILED(pParentFolder->GetAttributesOf(1, apidl, &ulAttributes)))
            ulAttributes = 0;
    }
    pItem->dwAttributes = ulAttributes;
    lstrcpynA(pItem->szName, GetDisplayName(pParentFolder, pidlRelative), MAX_PATH);
    SHFILEINFOA sfi;
    const struct { int* pIndex; UINT uFlags; } icons[] = {
        {&pItem->nIconLarge, 0},
        {&pItem->nIconLargeOpen, SHGFI_OPENICON},
        {&pItem->nIconSmall, SHGFI_SMALLICON},
        {&pItem->nIconSmallOpen, SHGFI_SMALLICON | SHGFI_OPENICON},
    };
    for (const auto& icon : icons) {
        memset(&sfi, 0, sizeof(sfi));
        ::SHGetFileInfoA((LPCSTR)pidlFull, 0, &sfi, sizeof(sfi), SHGFI_PIDL | SHGFI_SYSICONINDEX | icon.uFlags);
        *icon.pIndex = sfi.iIcon;
    }
    return pItem;
}

void COXShellNamespaceNavigator::FreeItemRecord(LPNAVIGATORITEM pItem) const
{
    if (pItem == NULL)
        return;
    if (pItem->pParentFolder)
        pItem->pParentFolder->Release();
    FreeIDList(pItem->pidlRelative);
    FreeIDList(pItem->pidlFull);
    m_pShellMalloc->Free(pItem);
}

BOOL COXShellNamespaceNavigator::BeginEnumeration(IShellFolder* pFolder, LPCITEMIDLIST pidlFolder, DWORD dwFlags)
{
    if (m_bEnumerating || pFolder == NULL)
        return FALSE;
    IEnumIDList* pEnum = NULL;
    if (pFolder->EnumObjects(OwnerHwnd(), dwFlags, &pEnum) != S_OK || pEnum == NULL)
        return FALSE;
    m_pEnumerator = pEnum;
    m_pEnumFolder = pFolder;
    m_pEnumFolder->AddRef();
    m_pidlEnumFolder = CopyIDList(pidlFolder);
    m_bEnumerating = TRUE;
    return TRUE;
}

LPNAVIGATORITEM COXShellNamespaceNavigator::GetNextEnumeratedObject(BOOL& bEnd)
{
    bEnd = FALSE;
    if (!m_bEnumerating) {
        bEnd = TRUE;
        return NULL;
    }
    LPITEMIDLIST pidl = NULL;
    ULONG nFetched = 0;
    if (m_pEnumerator->Next(1, &pidl, &nFetched) != S_OK || nFetched == 0 || pidl == NULL) {
        bEnd = TRUE;
        return NULL;
    }
    LPITEMIDLIST pidlFull = ConcatenatePIDLs(m_pidlEnumFolder, pidl);
    LPNAVIGATORITEM pItem = MakeItemRecord(m_pEnumFolder, pidl, pidlFull);
    FreeIDList(pidlFull);
    ::CoTaskMemFree(pidl);
    return pItem;
}

void COXShellNamespaceNavigator::EndEnumeration()
{
    if (m_pEnumerator)
        m_pEnumerator->Release();
    if (m_pEnumFolder)
        m_pEnumFolder->Release();
    FreeIDList(m_pidlEnumFolder);
    m_pEnumerator = NULL;
    m_pEnumFolder = NULL;
    m_pidlEnumFolder = NULL;
    m_bEnumerating = FALSE;
}

// ---------------------------------------------------------------------------
// Actions
// ---------------------------------------------------------------------------

LPITEMIDLIST COXShellNamespaceNavigator::Rename(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative,
                                               LPCTSTR lpszNewName) const
{
    if (pFolder == NULL || pidlRelative == NULL || lpszNewName == NULL)
        return NULL;
    WCHAR wszName[MAX_PATH] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, lpszNewName, -1, wszName, MAX_PATH);
    wszName[MAX_PATH - 1] = 0;
    LPITEMIDLIST pidlNew = NULL;
    if (FAILED(pFolder->SetNameOf(OwnerHwnd(), pidlRelative, wszName, SHGDN_INFOLDER, &pidlNew)))
        return NULL;
    if (pidlNew == NULL)
        return NULL;
    LPITEMIDLIST pCopy = CopyIDList(pidlNew);
    ::CoTaskMemFree(pidlNew);
    return pCopy;
}

IContextMenu* COXShellNamespaceNavigator::GetContextMenuInterface(IShellFolder* pFolder,
                                                                  LPCITEMIDLIST pidlRelative) const
{
    IContextMenu* pMenu = NULL;
    if (pFolder == NULL || pidlRelative == NULL)
        return NULL;
    LPCITEMIDLIST apidl[1] = {pidlRelative};
    if (FAILED(pFolder->GetUIObjectOf(OwnerHwnd(), 1, apidl, IID_IContextMenu, NULL, (void**)&pMenu)))
        return NULL;
    return pMenu;
}

HMENU COXShellNamespaceNavigator::GetObjectContextMenu(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative,
                                                       UINT nFlags) const
{
    IContextMenu* pMenu = GetContextMenuInterface(pFolder, pidlRelative);
    if (pMenu == NULL)
        return NULL;
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu && FAILED(pMenu->QueryContextMenu(hMenu, 0, FIRST_MENU_COMMAND, LAST_MENU_COMMAND, nFlags))) {
        ::DestroyMenu(hMenu);
        hMenu = NULL;
    }
    pMenu->Release();
    return hMenu;
}

// Runs a command of a menu that QueryContextMenu filled from the first id.
static BOOL InvokeMenuCommand(IContextMenu* pMenu, HWND hOwner, UINT nCommand)
{
    CMINVOKECOMMANDINFO ici = {};
    ici.cbSize = sizeof(ici);
    ici.hwnd = hOwner;
    ici.lpVerb = MAKEINTRESOURCEA(nCommand - FIRST_MENU_COMMAND);
    ici.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(pMenu->InvokeCommand(&ici));
}

BOOL COXShellNamespaceNavigator::InvokeCommand(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative,
                                               UINT nCommand) const
{
    if (nCommand < FIRST_MENU_COMMAND)
        return FALSE;
    IContextMenu* pMenu = GetContextMenuInterface(pFolder, pidlRelative);
    if (pMenu == NULL)
        return FALSE;
    BOOL bOk = FALSE;
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu && SUCCEEDED(pMenu->QueryContextMenu(hMenu, 0, FIRST_MENU_COMMAND, LAST_MENU_COMMAND, CMF_NORMAL))) {
        bOk = InvokeMenuCommand(pMenu, OwnerHwnd(), nCommand);
    }
    if (hMenu)
        ::DestroyMenu(hMenu);
    pMenu->Release();
    return bOk;
}

BOOL COXShellNamespaceNavigator::InvokeDefaultCommand(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative) const
{
    IContextMenu* pMenu = GetContextMenuInterface(pFolder, pidlRelative);
    if (pMenu == NULL)
        return FALSE;
    BOOL bOk = FALSE;
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu
        && SUCCEEDED(pMenu->QueryContextMenu(hMenu, 0, FIRST_MENU_COMMAND, LAST_MENU_COMMAND, CMF_DEFAULTONLY))
        && ::GetMenuItemCount(hMenu) > 0) {
        UINT nDefault = ::GetMenuDefaultItem(hMenu, FALSE, 0);
        if (nDefault != (UINT)-1 && nDefault >= FIRST_MENU_COMMAND) {
            bOk = InvokeMenuCommand(pMenu, OwnerHwnd(), nDefault);
        }
    }
    if (hMenu)
        ::DestroyMenu(hMenu);
    pMenu->Release();
    return bOk;
}

HIMAGELIST COXShellNamespaceNavigator::GetSystemImageList(BOOL bSmall)
{
    SHFILEINFOA sfi = {};
    return (HIMAGELIST)::SHGetFileInfoA("", 0, &sfi, sizeof(sfi),
                                        SHGFI_SYSICONINDEX | (bSmall ? SHGFI_SMALLICON : 0));
}
