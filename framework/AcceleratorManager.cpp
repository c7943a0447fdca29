// AcceleratorManager.cpp - CAcceleratorManager.
#include "AcceleratorManager.h"

#include "BasedApp.h"
#include "FrameworkUtils.h"

IMPLEMENT_DYNAMIC(CAcceleratorManager, CObject)

const char CAcceleratorManager::szShortcutsFile[] = "Users_Shortcuts.shortcuts";

namespace {

const DWORD kFileVersion = 1;
const DWORD kHeaderMark = 0xFFFF;
const DWORD kTrailerSize = 20;
const DWORD kFileHeadSize = 8;   // version and N

void DeleteCommands(CMapWordToCCmdAccelOb& map)
{
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        WORD wID;
        CCmdAccelOb* pCmd;
        map.GetNextAssoc(pos, wID, pCmd);
        delete pCmd;
    }
    map.RemoveAll();
}

void CopyCommands(const CMapWordToCCmdAccelOb& from, CMapWordToCCmdAccelOb& to)
{
    POSITION pos = from.GetStartPosition();
    while (pos != NULL) {
        WORD wID;
        CCmdAccelOb* pCmd;
        from.GetNextAssoc(pos, wID, pCmd);
        CCmdAccelOb* pCopy = new CCmdAccelOb;
        *pCopy = *pCmd;
        to.SetAt(wID, pCopy);
    }
}

class CFileCloser
{
public:
    explicit CFileCloser(HANDLE h) : m_h(h) {}
    ~CFileCloser()
    {
        if (m_h != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_h);
    }
    HANDLE m_h;
};

}  // namespace

CString CAcceleratorManager::GetShortcutsPath()
{
    CBasedApp* pApp = dynamic_cast<CBasedApp*>(AfxGetApp());
    CString strFolder = pApp != NULL ? pApp->GetProgramFolder() : ::GetProgramFolder();
    return strFolder + szShortcutsFile;
}

CAcceleratorManager::CAcceleratorManager()
    : m_pWndConnected(NULL),
      m_mapAccelString(10),
      m_mapAccelTable(10),
      m_mapAccelTableSaved(10),
      m_bDefaultTable(false),
      m_hRegKey(HKEY_CURRENT_USER),
      m_bAutoSave(false)
{
    m_mapAccelString.InitHashTable(17, FALSE);
    m_mapAccelTable.InitHashTable(17, FALSE);
    m_mapAccelTableSaved.InitHashTable(17, FALSE);
}

CAcceleratorManager::~CAcceleratorManager()
{
    if (m_bAutoSave && !m_szRegKey.IsEmpty()) {
        if (!Write())
            AfxMessageBox("CAcceleratorManager::~CAcceleratorManager\nError in CAcceleratorManager::Write...");
    }
    DeleteAll();
}

void CAcceleratorManager::Connect(CFrameWnd* pWnd)
{
    m_pWndConnected = pWnd;
    m_bAutoSave = false;
}

void CAcceleratorManager::DeleteAll()
{
    DeleteCommands(m_mapAccelTable);
    DeleteCommands(m_mapAccelTableSaved);
    m_mapAccelString.RemoveAll();
}

CAcceleratorManager& CAcceleratorManager::operator=(const CAcceleratorManager& accelmgr)
{
    if (this == &accelmgr)
        return *this;
    DeleteAll();
    CopyCommands(accelmgr.m_mapAccelTable, m_mapAccelTable);
    CopyCommands(accelmgr.m_mapAccelTableSaved, m_mapAccelTableSaved);
    POSITION pos = accelmgr.m_mapAccelString.GetStartPosition();
    while (pos != NULL) {
        CString strName;
        WORD wID;
        accelmgr.m_mapAccelString.GetNextAssoc(pos, strName, wID);
        m_mapAccelString.SetAt(strName, wID);
    }
    m_bDefaultTable = accelmgr.m_bDefaultTable;
    return *this;
}

CCmdAccelOb* CAcceleratorManager::Lookup(WORD wIDCommand) const
{
    CCmdAccelOb* pCmd = NULL;
    return m_mapAccelTable.Lookup(wIDCommand, pCmd) ? pCmd : NULL;
}

// ---------------------------------------------------------------------------
// Commands and accelerators
// ---------------------------------------------------------------------------

BOOL CAcceleratorManager::CreateEntry(WORD wIDCommand, LPCSTR szCommand)
{
    WORD wID;
    if (m_mapAccelString.Lookup(szCommand, wID))
        return FALSE;
    CCmdAccelOb* pOld = Lookup(wIDCommand);
    if (pOld != NULL) {
        // The id had another name: the new command takes its place whole.
        m_mapAccelString.RemoveKey(pOld->m_szCommand);
        delete pOld;
    }
    m_mapAccelTable.SetAt(wIDCommand, new CCmdAccelOb(wIDCommand, szCommand));
    m_mapAccelString.SetAt(szCommand, wIDCommand);
    return TRUE;
}

BOOL CAcceleratorManager::SetAccel(BYTE cVirt, WORD wIDCommand, WORD wKey, LPCSTR szCommand, bool bLocked)
{
    WORD wIDKnown;
    if (m_mapAccelString.Lookup(szCommand, wIDKnown) && wIDKnown != wIDCommand)
        return FALSE;
    CCmdAccelOb* pCmd = Lookup(wIDCommand);
    if (pCmd != NULL) {
        if (pCmd->m_szCommand != szCommand)
            return FALSE;
        if (pCmd->Find(cVirt, wKey) != NULL)
            return FALSE;
        pCmd->Add(cVirt, wKey, bLocked);
    } else {
        m_mapAccelTable.SetAt(wIDCommand, new CCmdAccelOb(cVirt, wIDCommand, wKey, szCommand, bLocked));
    }
    m_mapAccelString.SetAt(szCommand, wIDCommand);
    return TRUE;
}

BOOL CAcceleratorManager::AddCommandAccel(WORD wIDCommand, LPCSTR szCommand, bool bLocked)
{
    if (m_pWndConnected == NULL || m_pWndConnected->m_hAccelTable == NULL)
        return FALSE;
    HACCEL hAccel = m_pWndConnected->m_hAccelTable;
    int nCount = ::CopyAcceleratorTableA(hAccel, NULL, 0);
    if (nCount <= 0)
        return FALSE;
    std::vector<ACCEL> accels((size_t)nCount);
    nCount = ::CopyAcceleratorTableA(hAccel, accels.data(), nCount);
    BOOL bResult = FALSE;
    for (int i = 0; i < nCount; ++i) {
        if (accels[(size_t)i].cmd == wIDCommand)
            bResult = SetAccel(accels[(size_t)i].fVirt, wIDCommand, accels[(size_t)i].key, szCommand, bLocked);
    }
    return bResult;
}

BOOL CAcceleratorManager::DeleteAccel(BYTE cVirt, WORD wIDCommand, WORD wKey)
{
    CCmdAccelOb* pCmd = Lookup(wIDCommand);
    if (pCmd == NULL)
        return FALSE;
    POSITION pos = pCmd->m_Accels.GetHeadPosition();
    while (pos != NULL) {
        POSITION posThis = pos;
        CAccelsOb* pAccel = pCmd->m_Accels.GetNext(pos);
        if (pAccel->m_bLocked)
            return FALSE;
        if (pAccel->m_cVirt == cVirt && pAccel->m_wKey == wKey) {
            pCmd->m_Accels.RemoveAt(posThis);
            delete pAccel;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CAcceleratorManager::DeleteEntry(WORD wIDCommand)
{
    CCmdAccelOb* pCmd = Lookup(wIDCommand);
    if (pCmd == NULL)
        return FALSE;
    POSITION pos = pCmd->m_Accels.GetHeadPosition();
    while (pos != NULL)
        if (pCmd->m_Accels.GetNext(pos)->m_bLocked)
            return FALSE;
    m_mapAccelString.RemoveKey(pCmd->m_szCommand);
    m_mapAccelTable.RemoveKey(wIDCommand);
    delete pCmd;
    return TRUE;
}

BOOL CAcceleratorManager::DeleteEntry(LPCSTR szCommand)
{
    WORD wID;
    if (!m_mapAccelString.Lookup(szCommand, wID))
        return TRUE;
    return DeleteEntry(wID);
}

BOOL CAcceleratorManager::CreateDefaultTable()
{
    if (m_bDefaultTable)
        return FALSE;
    POSITION pos = m_mapAccelTable.GetStartPosition();
    while (pos != NULL) {
        WORD wID;
        CCmdAccelOb* pCmd;
        m_mapAccelTable.GetNextAssoc(pos, wID, pCmd);
        CCmdAccelOb* pCopy = NULL;
        POSITION posAccel = pCmd->m_Accels.GetHeadPosition();
        while (posAccel != NULL) {
            CAccelsOb* pAccel = pCmd->m_Accels.GetNext(posAccel);
            if (pAccel->m_bLocked)
                continue;
            if (pCopy == NULL)
                pCopy = new CCmdAccelOb(wID, pCmd->m_szCommand);
            pCopy->Add(new CAccelsOb(pAccel));
        }
        if (pCopy != NULL)
            m_mapAccelTableSaved.SetAt(wID, pCopy);
    }
    m_bDefaultTable = true;
    return TRUE;
}

void CAcceleratorManager::Reset()
{
    if (m_mapAccelTableSaved.IsEmpty()) {
        POSITION pos = m_mapAccelTable.GetStartPosition();
        while (pos != NULL) {
            WORD wID;
            CCmdAccelOb* pCmd;
            m_mapAccelTable.GetNextAssoc(pos, wID, pCmd);
            pCmd->DeleteUserAccels();
        }
        return;
    }
    POSITION pos = m_mapAccelTableSaved.GetStartPosition();
    while (pos != NULL) {
        WORD wID;
        CCmdAccelOb* pSaved;
        m_mapAccelTableSaved.GetNextAssoc(pos, wID, pSaved);
        CCmdAccelOb* pCmd = Lookup(wID);
        if (pCmd == NULL)
            continue;
        pCmd->DeleteUserAccels();
        POSITION posAccel = pSaved->m_Accels.GetHeadPosition();
        while (posAccel != NULL)
            pCmd->Add(new CAccelsOb(pSaved->m_Accels.GetNext(posAccel)));
    }
}

BOOL CAcceleratorManager::UpdateWndTable()
{
    if (m_pWndConnected == NULL)
        return FALSE;
    std::vector<ACCEL> accels;
    POSITION pos = m_mapAccelTable.GetStartPosition();
    while (pos != NULL) {
        WORD wID;
        CCmdAccelOb* pCmd;
        m_mapAccelTable.GetNextAssoc(pos, wID, pCmd);
        POSITION posAccel = pCmd->m_Accels.GetHeadPosition();
        while (posAccel != NULL) {
            CAccelsOb* pAccel = pCmd->m_Accels.GetNext(posAccel);
            ACCEL accel = {};
            accel.fVirt = pAccel->m_cVirt;
            accel.key = pAccel->m_wKey;
            accel.cmd = pCmd->m_wIDCommand;
            accels.push_back(accel);
        }
    }
    if (accels.empty())
        return FALSE;
    HACCEL hNew = ::CreateAcceleratorTableA(accels.data(), (int)accels.size());
    if (hNew == NULL)
        return FALSE;
    // A frame without a table of its own cannot take a new one.
    if (m_pWndConnected->m_hAccelTable == NULL || !::DestroyAcceleratorTable(m_pWndConnected->m_hAccelTable)) {
        ::DestroyAcceleratorTable(hNew);
        return FALSE;
    }
    m_pWndConnected->m_hAccelTable = hNew;
    return TRUE;
}

// ---------------------------------------------------------------------------
// The file
// ---------------------------------------------------------------------------

void CAcceleratorManager::Fail(LPCSTR pszReason)
{
    m_strLastError.Format("The keyboard shortcuts in \"%s\" cannot be read: %s. The shortcuts in use are kept.",
                          (LPCSTR)GetShortcutsPath(), pszReason);
}

BOOL CAcceleratorManager::Write()
{
    m_strLastError.Empty();
    std::vector<DWORD> body(1, 0);
    DWORD nBlocks = 0;
    POSITION pos = m_mapAccelTable.GetStartPosition();
    while (pos != NULL) {
        WORD wID;
        CCmdAccelOb* pCmd;
        m_mapAccelTable.GetNextAssoc(pos, wID, pCmd);
        DWORD nUnlocked = (DWORD)pCmd->CountUnlocked();
        if (nUnlocked == 0)
            continue;
        body.push_back((nUnlocked << 16) | pCmd->m_wIDCommand);
        POSITION posAccel = pCmd->m_Accels.GetHeadPosition();
        while (posAccel != NULL) {
            CAccelsOb* pAccel = pCmd->m_Accels.GetNext(posAccel);
            if (!pAccel->m_bLocked)
                body.push_back(pAccel->GetData());
        }
        ++nBlocks;
    }
    body[0] = (nBlocks << 16) + kHeaderMark;

    CString strPath = GetShortcutsPath();
    CFileCloser file(::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
    if (file.m_h == INVALID_HANDLE_VALUE) {
        m_strLastError.Format("The keyboard shortcuts cannot be saved to \"%s\".", (LPCSTR)strPath);
        return FALSE;
    }
    std::vector<BYTE> bytes;
    auto put = [&bytes](DWORD v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back((BYTE)(v >> (8 * i)));
    };
    put(kFileVersion);
    put((DWORD)body.size());
    for (DWORD v : body)
        put(v);
    bytes.insert(bytes.end(), kTrailerSize, 0);
    DWORD nWritten = 0;
    if (!::WriteFile(file.m_h, bytes.data(), (DWORD)bytes.size(), &nWritten, NULL) || nWritten != bytes.size()) {
        m_strLastError.Format("The keyboard shortcuts cannot be saved to \"%s\".", (LPCSTR)strPath);
        return FALSE;
    }
    return TRUE;
}

BOOL CAcceleratorManager::ReadBody(std::vector<DWORD>& body)
{
    CFileCloser file(::CreateFileA(GetShortcutsPath(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, NULL));
    if (file.m_h == INVALID_HANDLE_VALUE)
        return FALSE;   // no file yet: nothing to say
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.m_h, &size)) {
        Fail("its size is unknown");
        return FALSE;
    }
    DWORD head[2] = {0, 0};
    DWORD nRead = 0;
    if (size.QuadPart < (LONGLONG)kFileHeadSize || !::ReadFile(file.m_h, head, sizeof(head), &nRead, NULL) ||
        nRead != sizeof(head)) {
        Fail("the file is cut short");
        return FALSE;
    }
    // The count is checked against what the file holds before anything is
    // sized by it: a damaged count must not ask for gigabytes, nor wrap
    // round in 32-bit arithmetic.
    ULONGLONG nMaxValues = ((ULONGLONG)size.QuadPart - kFileHeadSize) / 4;
    DWORD nValues = head[1];
    if ((ULONGLONG)nValues > nMaxValues) {
        CString strReason;
        strReason.Format("the file announces %lu values but holds only %llu", (unsigned long)nValues,
                         (unsigned long long)nMaxValues);
        Fail(strReason);
        return FALSE;
    }
    // A body of no values reads as a zero header value: no blocks.
    body.assign(nValues > 0 ? nValues : 1, 0);
    if (nValues > 0 && (!::ReadFile(file.m_h, body.data(), nValues * 4, &nRead, NULL) || nRead != nValues * 4)) {
        Fail("the file cannot be read");
        return FALSE;
    }
    return TRUE;
}

BOOL CheckShortcutsBody(const std::vector<DWORD>& body, CString& strReason)
{
    if (body.empty()) {
        strReason = "the file holds no values";
        return FALSE;
    }
    if ((body[0] & 0xFFFF) != kHeaderMark)
        return TRUE;   // no blocks to read
    size_t nBlocks = body[0] >> 16;
    size_t i = 1;
    for (size_t nBlock = 0; nBlock < nBlocks; ++nBlock) {
        if (i >= body.size()) {
            strReason.Format("it announces %u commands but holds only %u", (unsigned)nBlocks, (unsigned)nBlock);
            return FALSE;
        }
        size_t nAccels = body[i] >> 16;
        if (nAccels > body.size() - i - 1) {
            strReason.Format("command %u announces more shortcuts than the file holds", (unsigned)(body[i] & 0xFFFF));
            return FALSE;
        }
        i += 1 + nAccels;
    }
    return TRUE;
}

void CAcceleratorManager::ApplyBody(const std::vector<DWORD>& body)
{
    if ((body[0] & 0xFFFF) != kHeaderMark)
        return;
    size_t nBlocks = body[0] >> 16;
    size_t i = 1;
    for (size_t nBlock = 0; nBlock < nBlocks; ++nBlock) {
        DWORD dwBlock = body[i++];
        size_t nAccels = dwBlock >> 16;
        CCmdAccelOb* pCmd = Lookup((WORD)(dwBlock & 0xFFFF));
        if (pCmd != NULL)
            pCmd->DeleteUserAccels();
        for (size_t n = 0; n < nAccels; ++n, ++i) {
            if (pCmd != NULL)
                pCmd->Add(new CAccelsOb(body[i]));
        }
    }
}

BOOL CAcceleratorManager::Load(HKEY hRegKey, LPCSTR szRegKey)
{
    m_hRegKey = hRegKey;
    m_szRegKey = szRegKey;
    m_strLastError.Empty();

    std::vector<DWORD> body;
    CString strReason;
    if (!ReadBody(body) || !CheckShortcutsBody(body, strReason)) {
        if (!strReason.IsEmpty())
            Fail(strReason);
        // A damaged file is worth a word; a missing one is the first run.
        if (!m_strLastError.IsEmpty())
            AfxMessageBox(m_strLastError, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    ApplyBody(body);
    UpdateWndTable();
    return TRUE;
}

BOOL CAcceleratorManager::Load()
{
    if (m_szRegKey.IsEmpty())
        return FALSE;
    return Load(m_hRegKey, m_szRegKey);
}
