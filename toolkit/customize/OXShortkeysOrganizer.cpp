#include "OXShortkeysOrganizer.h"

#include <vector>

#include "OXRegistryValFile.h"

IMPLEMENT_DYNAMIC(COXShortkeysOrganizer, CObject)

namespace
{
const char kStateValue[] = "AcceleratorsState";

struct CKeyWord
{
    const char* pszName;
    WORD key;
};
const CKeyWord kKeyWords[] = {
    {"Slash", 191}, {"Enter", 13}, {"End", 35}, {"Insert", 45}, {"Del", 46}, {"Home", 36},
    {"Esc", 27}, {"Up", 38}, {"Down", 40}, {"Right", 39}, {"Left", 37}, {"Page Up", 33}, {"Page Down", 34},
    {"F1", 112}, {"F2", 113}, {"F3", 114}, {"F4", 115}, {"F5", 116}, {"F6", 117}, {"F7", 118}, {"F8", 119},
    {"F9", 120}, {"F10", 121}, {"F11", 122}, {"F12", 123},
    {"Num 0", 96}, {"Num 1", 97}, {"Num 2", 98}, {"Num 3", 99}, {"Num 4", 100}, {"Num 5", 101},
    {"Num 6", 102}, {"Num 7", 103}, {"Num 8", 104}, {"Num 9", 105},
    {"Num /", 111}, {"Num *", 106}, {"Num -", 109}, {"Num +", 107},
};

// Keys whose scan code carries the extended prefix: their names differ from
// those of the keys sharing the scan code (Home from keypad 7, Enter...).
bool IsExtendedKey(WORD key)
{
    switch (key) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
    case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_SNAPSHOT:
        return true;
    default:
        return false;
    }
}

// The system's name of a virtual key, as shortcuts show it.
CString SystemKeyName(WORD key)
{
    if (key == 191)
        return "Slash";
    LONG lParam = (LONG)(::MapVirtualKeyA(key, 0) << 16);
    if (IsExtendedKey(key))
        lParam |= 1L << 24;
    char szName[64] = "";
    ::GetKeyNameTextA(lParam, szName, sizeof szName);
    return szName;
}
} // namespace

COXShortkeysOrganizer::COXShortkeysOrganizer() : m_pFrameWnd(NULL) {}

COXShortkeysOrganizer::~COXShortkeysOrganizer()
{
    Empty(m_arrAccelTables);
    Empty(m_arrRemovedAccel);
    ReleaseCreatedTables();
}

void COXShortkeysOrganizer::ReleaseCreatedTables()
{
    // A table the frame or a template still translates with stays theirs:
    // the organizer may go before the windows it served. Only while the
    // frame is known can its table be told apart.
    for (INT_PTR i = 0; i < m_arrCreatedAccel.GetSize(); i++)
        if (!IsTableInUse(m_arrCreatedAccel[i]))
            ::DestroyAcceleratorTable(m_arrCreatedAccel[i]);
    m_arrCreatedAccel.RemoveAll();
}

BOOL COXShortkeysOrganizer::IsTableInUse(HACCEL hAccel) const
{
    if (m_pFrameWnd != NULL && ::IsWindow(m_pFrameWnd->GetSafeHwnd()) && m_pFrameWnd->m_hAccelTable == hAccel)
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
        CMultiDocTemplate* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
        if (pTemplate != NULL && pTemplate->m_hAccelTable == hAccel)
            return TRUE;
    }
    return FALSE;
}

void COXShortkeysOrganizer::Empty(CArray<_tagOXACCELTABLE*, _tagOXACCELTABLE*>& arrTables)
{
    for (INT_PTR i = 0; i < arrTables.GetSize(); i++)
        delete arrTables[i];
    arrTables.RemoveAll();
}

_tagOXACCELTABLE* COXShortkeysOrganizer::Find(const CArray<_tagOXACCELTABLE*, _tagOXACCELTABLE*>& arrTables,
                                              CDocTemplate* pDocTemplate)
{
    for (INT_PTR i = 0; i < arrTables.GetSize(); i++)
        if (arrTables[i]->m_pDocTemplate == pDocTemplate)
            return arrTables[i];
    return NULL;
}

_tagOXACCELTABLE* COXShortkeysOrganizer::GetTable(CDocTemplate* pDocTemplate) const
{
    return Find(m_arrAccelTables, pDocTemplate);
}

_tagOXACCELTABLE* COXShortkeysOrganizer::RemovedTable(CDocTemplate* pDocTemplate)
{
    _tagOXACCELTABLE* pTable = Find(m_arrRemovedAccel, pDocTemplate);
    if (pTable == NULL) {
        pTable = new _tagOXACCELTABLE;
        pTable->m_pDocTemplate = pDocTemplate;
        m_arrRemovedAccel.Add(pTable);
    }
    return pTable;
}

BOOL COXShortkeysOrganizer::IsMainMDIFrame() const
{
    return m_pFrameWnd != NULL && m_pFrameWnd == AfxGetThread()->GetMainWnd()
        && m_pFrameWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
}

BOOL COXShortkeysOrganizer::Attach(CFrameWnd* pFrameWnd, BOOL bBuild)
{
    if (m_pFrameWnd != NULL || pFrameWnd == NULL)
        return FALSE;
    m_pFrameWnd = pFrameWnd;
    return bBuild ? BuildTables() : TRUE;
}

BOOL COXShortkeysOrganizer::Detach()
{
    if (m_pFrameWnd != NULL) {
        ReleaseCreatedTables();
        m_pFrameWnd = NULL;
        Empty(m_arrAccelTables);
        Empty(m_arrRemovedAccel);
    }
    return TRUE;
}

BOOL COXShortkeysOrganizer::BuildTables()
{
    if (m_pFrameWnd == NULL)
        return FALSE;
    Empty(m_arrAccelTables);
    BOOL bOk = TRUE;
    if (m_pFrameWnd->m_hAccelTable != NULL)
        bOk = AddTable(m_pFrameWnd->m_hAccelTable, NULL);
    if (IsMainMDIFrame()) {
        CWinApp* pApp = AfxGetApp();
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL && bOk;) {
            CMultiDocTemplate* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
            if (pTemplate != NULL && pTemplate->m_hAccelTable != NULL)
                bOk = AddTable(pTemplate->m_hAccelTable, pTemplate);
        }
    }
    return bOk;
}

BOOL COXShortkeysOrganizer::AddTable(HACCEL hAccel, CDocTemplate* pDocTemplate)
{
    if (m_pFrameWnd == NULL || hAccel == NULL || GetTable(pDocTemplate) != NULL)
        return FALSE;
    int nCount = ::CopyAcceleratorTableA(hAccel, NULL, 0);
    std::vector<ACCEL> entries(nCount > 0 ? nCount : 1);
    if (nCount > 0 && ::CopyAcceleratorTableA(hAccel, entries.data(), nCount) != nCount)
        return FALSE;
    _tagOXACCELTABLE* pTable = new _tagOXACCELTABLE;
    pTable->m_pDocTemplate = pDocTemplate;
    for (int i = 0; i < nCount; i++)
        pTable->m_accelerators.Add(entries[i]);
    m_arrAccelTables.Add(pTable);
    return TRUE;
}

HACCEL COXShortkeysOrganizer::CreateAccelTable(CDocTemplate* pDocTemplate)
{
    _tagOXACCELTABLE* pTable = GetTable(pDocTemplate);
    if (m_pFrameWnd == NULL || pTable == NULL)
        return NULL;
    HACCEL hAccel = ::CreateAcceleratorTableA(pTable->m_accelerators.GetData(), (int)pTable->m_accelerators.GetSize());
    if (hAccel != NULL)
        m_arrCreatedAccel.Add(hAccel);
    return hAccel;
}

BOOL COXShortkeysOrganizer::ApplyAccelerators()
{
    if (m_pFrameWnd == NULL)
        return FALSE;
    if (GetTable(NULL) != NULL)
        m_pFrameWnd->m_hAccelTable = CreateAccelTable(NULL);
    if (IsMainMDIFrame()) {
        CWinApp* pApp = AfxGetApp();
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
            CMultiDocTemplate* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
            if (pTemplate == NULL || GetTable(pTemplate) == NULL)
                continue;
            HACCEL hOld = pTemplate->m_hAccelTable;
            HACCEL hNew = CreateAccelTable(pTemplate);
            pTemplate->m_hAccelTable = hNew;
            for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != NULL;) {
                CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
                for (POSITION posView = pDoc->GetFirstViewPosition(); posView != NULL;) {
                    CFrameWnd* pFrame = pDoc->GetNextView(posView)->GetParentFrame();
                    if (pFrame != NULL && pFrame->m_hAccelTable == hOld)
                        pFrame->m_hAccelTable = hNew;
                }
            }
        }
    }
    Empty(m_arrRemovedAccel);
    return TRUE;
}

WORD COXShortkeysOrganizer::GetCommand(BYTE fVirt, WORD key, CDocTemplate* pDocTemplate) const
{
    const _tagOXACCELTABLE* pTable = m_pFrameWnd ? GetTable(pDocTemplate) : NULL;
    if (pTable != NULL)
        for (INT_PTR i = 0; i < pTable->m_accelerators.GetSize(); i++)
            if (IsSameKey(pTable->m_accelerators[i], fVirt, key))
                return pTable->m_accelerators[i].cmd;
    return 0;
}

WORD COXShortkeysOrganizer::GetRemovedCommand(BYTE fVirt, WORD key, CDocTemplate* pDocTemplate) const
{
    const _tagOXACCELTABLE* pTable = m_pFrameWnd ? Find(m_arrRemovedAccel, pDocTemplate) : NULL;
    if (pTable != NULL)
        for (INT_PTR i = 0; i < pTable->m_accelerators.GetSize(); i++)
            if (IsSameKey(pTable->m_accelerators[i], fVirt, key))
                return pTable->m_accelerators[i].cmd;
    return 0;
}

namespace
{
BOOL AppendByCommand(const _tagOXACCELTABLE* pTable, WORD cmd, CArray<ACCEL, const ACCEL&>& arrFound)
{
    if (pTable == NULL)
        return FALSE;
    for (INT_PTR i = 0; i < pTable->m_accelerators.GetSize(); i++)
        if (pTable->m_accelerators[i].cmd == cmd)
            arrFound.Add(pTable->m_accelerators[i]);
    return TRUE;
}

BOOL AppendByKey(const CArray<_tagOXACCELTABLE*, _tagOXACCELTABLE*>& arrTables, BYTE fVirt, WORD key,
                 CArray<ACCEL, const ACCEL&>& arrFound)
{
    for (INT_PTR t = 0; t < arrTables.GetSize(); t++)
        for (INT_PTR i = 0; i < arrTables[t]->m_accelerators.GetSize(); i++)
            if (COXShortkeysOrganizer::IsSameKey(arrTables[t]->m_accelerators[i], fVirt, key))
                arrFound.Add(arrTables[t]->m_accelerators[i]);
    return TRUE;
}
} // namespace

BOOL COXShortkeysOrganizer::FindAccelerators(WORD cmd, CDocTemplate* pDocTemplate, CArray<ACCEL, const ACCEL&>& arrFound) const
{
    return m_pFrameWnd != NULL && AppendByCommand(GetTable(pDocTemplate), cmd, arrFound);
}

BOOL COXShortkeysOrganizer::FindRemovedAccelerators(WORD cmd, CDocTemplate* pDocTemplate,
                                                    CArray<ACCEL, const ACCEL&>& arrFound) const
{
    return m_pFrameWnd != NULL && AppendByCommand(Find(m_arrRemovedAccel, pDocTemplate), cmd, arrFound);
}

BOOL COXShortkeysOrganizer::FindAllByKey(BYTE fVirt, WORD key, CArray<ACCEL, const ACCEL&>& arrFound) const
{
    return m_pFrameWnd != NULL && AppendByKey(m_arrAccelTables, fVirt, key, arrFound);
}

BOOL COXShortkeysOrganizer::FindAllRemovedByKey(BYTE fVirt, WORD key, CArray<ACCEL, const ACCEL&>& arrFound) const
{
    return m_pFrameWnd != NULL && AppendByKey(m_arrRemovedAccel, fVirt, key, arrFound);
}

BOOL COXShortkeysOrganizer::RemoveAccelerator(BYTE fVirt, WORD key, WORD cmd, CDocTemplate* pDocTemplate)
{
    _tagOXACCELTABLE* pTable = m_pFrameWnd ? GetTable(pDocTemplate) : NULL;
    if (pTable == NULL)
        return FALSE;
    _tagOXACCELTABLE* pRemoved = RemovedTable(pDocTemplate);
    for (INT_PTR i = 0; i < pTable->m_accelerators.GetSize(); i++) {
        ACCEL accel = pTable->m_accelerators[i];
        if (IsSameKey(accel, fVirt, key) && accel.cmd == cmd) {
            pRemoved->m_accelerators.Add(accel);
            pTable->m_accelerators.RemoveAt(i);
            break;
        }
    }
    return TRUE;
}

BOOL COXShortkeysOrganizer::RemoveCommand(WORD cmd, CDocTemplate* pDocTemplate)
{
    _tagOXACCELTABLE* pTable = m_pFrameWnd ? GetTable(pDocTemplate) : NULL;
    if (pTable == NULL)
        return FALSE;
    _tagOXACCELTABLE* pRemoved = RemovedTable(pDocTemplate);
    for (INT_PTR i = pTable->m_accelerators.GetSize() - 1; i >= 0; i--) {
        if (pTable->m_accelerators[i].cmd == cmd) {
            ACCEL accel = pTable->m_accelerators[i];
            pRemoved->m_accelerators.InsertAt(0, accel);
            pTable->m_accelerators.RemoveAt(i);
        }
    }
    return TRUE;
}

BOOL COXShortkeysOrganizer::AddAccelerator(BYTE fVirt, WORD key, WORD cmd, CDocTemplate* pDocTemplate, BOOL bReplace)
{
    _tagOXACCELTABLE* pTable = m_pFrameWnd ? GetTable(pDocTemplate) : NULL;
    if (pTable == NULL)
        return FALSE;
    WORD cmdBound = GetCommand(fVirt, key, pDocTemplate);
    if (cmdBound != 0) {
        if (!bReplace)
            return FALSE;
        RemoveAccelerator(fVirt, key, cmdBound, pDocTemplate);
    }
    ACCEL accel = {fVirt, key, cmd};
    pTable->m_accelerators.Add(accel);
    return TRUE;
}

void COXShortkeysOrganizer::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (LONG)m_arrAccelTables.GetSize();
        for (INT_PTR i = 0; i < m_arrAccelTables.GetSize(); i++)
            SerializeAccelTable(ar, m_arrAccelTables[i]);
        return;
    }
    LONG nTables = 0;
    ar >> nTables;
    if (nTables <= 0 || nTables != m_arrAccelTables.GetSize())
        return;
    for (INT_PTR i = 0; i < m_arrAccelTables.GetSize(); i++)
        SerializeAccelTable(ar, m_arrAccelTables[i]);
}

void COXShortkeysOrganizer::SerializeAccelTable(CArchive& ar, _tagOXACCELTABLE* pTable)
{
    if (ar.IsStoring()) {
        ar << (LONG)pTable->m_accelerators.GetSize();
        for (INT_PTR i = 0; i < pTable->m_accelerators.GetSize(); i++) {
            const ACCEL& a = pTable->m_accelerators[i];
            ar << (BYTE)a.fVirt << (WORD)a.key << (WORD)a.cmd;
        }
        return;
    }
    LONG nCount = 0;
    ar >> nCount;
    // A count from the registry: no more entries than a value could hold.
    if (nCount < 0 || nCount > 0x10000)
        AfxThrowArchiveException(CArchiveException::badIndex);
    CArray<ACCEL, const ACCEL&> entries;
    for (LONG i = 0; i < nCount; i++) {
        BYTE fVirt;
        WORD key, cmd;
        ar >> fVirt >> key >> cmd;
        ACCEL a = {fVirt, key, cmd};
        entries.Add(a);
    }
    pTable->m_accelerators.Copy(entries);
}

HKEY COXShortkeysOrganizer::OpenProfileKey() const
{
    CWinApp* pApp = AfxGetApp();
    if (m_pFrameWnd == NULL || pApp == NULL || pApp->m_pszRegistryKey == NULL || pApp->m_pszProfileName == NULL)
        return NULL;
    return pApp->GetAppRegistryKey();
}

BOOL COXShortkeysOrganizer::SaveState(LPCTSTR lpszSubKey)
{
    HKEY hKey = OpenProfileKey();
    if (hKey == NULL)
        return FALSE;
    BOOL bOk = FALSE;
    try {
        COXRegistryValFile file(hKey, lpszSubKey, kStateValue);
        // A shorter state must not keep the tail of a longer one.
        file.SetLength(0);
        CArchive ar(&file, CArchive::store, 4096);
        Serialize(ar);
        ar.Close();
        file.Close();
        bOk = TRUE;
    } catch (CException* e) {
        e->Delete();
    }
    ::RegCloseKey(hKey);
    return bOk;
}

BOOL COXShortkeysOrganizer::LoadState(LPCTSTR lpszSubKey, BOOL bApply)
{
    HKEY hKey = OpenProfileKey();
    if (hKey == NULL)
        return FALSE;
    // Nothing stored, nothing to read: the value file would write an empty
    // value back, and a read must leave the profile as it found it.
    DWORD nStored = 0;
    if (::RegGetValueA(hKey, lpszSubKey, kStateValue, RRF_RT_ANY, NULL, NULL, &nStored) != ERROR_SUCCESS) {
        ::RegCloseKey(hKey);
        return bApply ? ApplyAccelerators() : TRUE;
    }
    BOOL bOk = FALSE;
    try {
        COXRegistryValFile file(hKey, lpszSubKey, kStateValue);
        if (file.GetLength() > 0) {
            // Read into copies first: a value cut short leaves the tables as
            // they were, not half replaced.
            CArray<CArray<ACCEL, const ACCEL&>*, CArray<ACCEL, const ACCEL&>*> before;
            for (INT_PTR i = 0; i < m_arrAccelTables.GetSize(); i++) {
                before.Add(new CArray<ACCEL, const ACCEL&>);
                before[i]->Copy(m_arrAccelTables[i]->m_accelerators);
            }
            try {
                CArchive ar(&file, CArchive::load, 4096);
                Serialize(ar);
                ar.Close();
                bOk = TRUE;
            } catch (CException* e) {
                e->Delete();
                for (INT_PTR i = 0; i < m_arrAccelTables.GetSize(); i++)
                    m_arrAccelTables[i]->m_accelerators.Copy(*before[i]);
            }
            for (INT_PTR i = 0; i < before.GetSize(); i++)
                delete before[i];
        } else {
            bOk = TRUE;
        }
        file.Abort();
    } catch (CException* e) {
        e->Delete();
    }
    ::RegCloseKey(hKey);
    if (bOk && bApply)
        bOk = ApplyAccelerators();
    return bOk;
}

CString COXShortkeysOrganizer::GetAccelKeyName(const ACCEL* pAccel)
{
    CString s;
    if (pAccel == NULL)
        return s;
    if (pAccel->fVirt & FSHIFT)
        s += "Shift+";
    if (pAccel->fVirt & FCONTROL)
        s += "Ctrl+";
    if (pAccel->fVirt & FALT)
        s += "Alt+";
    if (pAccel->fVirt & FVIRTKEY)
        s += SystemKeyName(pAccel->key);
    else
        s += (char)(pAccel->key & 0xFF);
    return s;
}

BOOL COXShortkeysOrganizer::ParseAccelKeyName(LPCTSTR lpszText, ACCEL* pAccel)
{
    if (lpszText == NULL || pAccel == NULL)
        return FALSE;
    CString s(lpszText);
    s.Trim();
    if (s.IsEmpty())
        return FALSE;
    BYTE fVirt = FVIRTKEY;
    for (;;) {
        int nPlus = s.Find('+');
        if (nPlus < 0 || s.GetLength() == 1 || (nPlus == s.GetLength() - 1))
            break;
        CString word = s.Left(nPlus);
        word.Trim();
        if (word.CompareNoCase("Shift") == 0)
            fVirt |= FSHIFT;
        else if (word.CompareNoCase("Ctrl") == 0)
            fVirt |= FCONTROL;
        else if (word.CompareNoCase("Alt") == 0)
            fVirt |= FALT;
        s = s.Mid(nPlus + 1);
    }
    s.Trim();
    WORD key = 0;
    if (s.GetLength() == 1) {
        if (s[0] == '/') {
            key = 111;
        } else {
            SHORT scan = ::VkKeyScanA(s[0]);
            if (scan == -1)
                return FALSE;   // no key types this character
            key = (WORD)(scan & 0xFF);
        }
    } else {
        for (const CKeyWord& w : kKeyWords)
            if (s.CompareNoCase(w.pszName) == 0) {
                key = w.key;
                break;
            }
        // Any name this class gives a key reads back as that key.
        for (WORD vk = 1; key == 0 && vk < 255; vk++) {
            CString name = SystemKeyName(vk);
            if (!name.IsEmpty() && s.CompareNoCase(name) == 0)
                key = vk;
        }
        if (key == 0)
            return FALSE;
    }
    pAccel->fVirt = fVirt;
    pAccel->key = key;
    pAccel->cmd = 0;
    return TRUE;
}
