// AccelsOb.cpp - CAccelsOb and the key-name tables.
#include "AccelsOb.h"

IMPLEMENT_DYNAMIC(CAccelsOb, CObject)

namespace {

struct KeyName {
    WORD wKey;
    const char* pszName;
};

// Looked up by code, first match.
const KeyName kKeyNames[] = {
    {1, "VK_LBUTTON"}, {2, "VK_RBUTTON"}, {3, "VK_CANCEL"}, {4, "VK_MBUTTON"}, {8, "BACK"}, {9, "TAB"},
    {12, "VK_CLEAR"}, {13, "RETURN"}, {16, "SHIFT"}, {17, "CONTROL"}, {18, "MENU"}, {19, "PAUSE"},
    {20, "CAPITAL"}, {27, "ESCAPE"}, {32, "SPACE"}, {33, "PRIOR"}, {34, "NEXT"}, {35, "END"}, {36, "HOME"},
    {37, "LEFT"}, {38, "UP"}, {39, "RIGHT"}, {40, "DOWN"}, {41, "VK_SELECT"}, {42, "PRINT"},
    {43, "EXECUTE"}, {44, "SNAPSHOT"}, {45, "INSERT"}, {46, "DELETE"}, {47, "VK_HELP"},
    {48, "0"}, {49, "1"}, {50, "2"}, {51, "3"}, {52, "4"}, {53, "5"}, {54, "6"}, {55, "7"}, {56, "8"}, {57, "9"},
    {65, "A"}, {66, "B"}, {67, "C"}, {68, "D"}, {69, "E"}, {70, "F"}, {71, "G"}, {72, "H"}, {73, "I"},
    {74, "J"}, {75, "K"}, {76, "L"}, {77, "M"}, {78, "N"}, {79, "O"}, {80, "P"}, {81, "Q"}, {82, "R"},
    {83, "S"}, {84, "T"}, {85, "U"}, {86, "V"}, {87, "W"}, {88, "X"}, {89, "Y"}, {90, "Z"},
    {91, "VK_LWIN"}, {92, "VK_RWIN"}, {93, "VK_APPS"},
    {96, "NUMPAD0"}, {97, "NUMPAD1"}, {98, "NUMPAD2"}, {99, "NUMPAD3"}, {100, "NUMPAD4"},
    {101, "NUMPAD5"}, {102, "NUMPAD6"}, {103, "NUMPAD7"}, {104, "NUMPAD8"}, {105, "NUMPAD9"},
    {106, "MULTIPLY"}, {107, "ADD"}, {108, "SEPARATOR"}, {109, "SUBTRACT"}, {110, "DECIMAL"}, {111, "DIVIDE"},
    {112, "F1"}, {113, "F2"}, {114, "F3"}, {115, "F4"}, {116, "F5"}, {117, "F6"}, {118, "F7"}, {119, "F8"},
    {120, "F9"}, {121, "F10"}, {122, "F11"}, {123, "F12"}, {124, "F13"}, {125, "F14"}, {126, "F15"},
    {127, "F16"}, {128, "F17"}, {129, "F18"}, {130, "F19"}, {131, "F20"}, {132, "F21"}, {133, "F22"},
    {134, "F23"}, {135, "F24"}, {144, "NUMLOCK"}, {145, "VK_SCROLL"},
    {246, "VK_ATTN"}, {247, "VK_CRSEL"}, {248, "VK_EXSEL"}, {249, "VK_EREOF"}, {250, "VK_PLAY"},
    {251, "VK_ZOOM"}, {252, "VK_NONAME"}, {253, "VK_PA1"}, {254, "VK_OEM_CLEAR"},
};
static_assert(sizeof(kKeyNames) / sizeof(kKeyNames[0]) == 120, "one row per named key");

// The modifiers, in the order they are written.
const KeyName kModifierNames[] = {{FCONTROL, "Ctrl"}, {FALT, "Alt"}, {FSHIFT, "Shift"}};

const BYTE kPackedLocked = 1;
const BYTE kPackedUnlocked = 2;

}  // namespace

// Keys the table does not name (the punctuation keys, whose symbols depend on
// the keyboard layout, and any code a user or a file may bring) take the
// keyboard's own name for them, else their code: a key is always shown as
// something a user can read and tell apart.
CString GetKeyName(WORD wKey)
{
    if (wKey == 0)
        return CString();
    for (const KeyName& row : kKeyNames)
        if (row.wKey == wKey)
            return row.pszName;
    if (wKey <= 0xFF) {
        const UINT nScan = ::MapVirtualKeyA(wKey, MAPVK_VK_TO_VSC);
        char szName[64] = "";
        if (nScan != 0 && ::GetKeyNameTextA((LONG)(nScan << 16), szName, sizeof(szName)) > 0)
            return szName;
    }
    CString strCode;
    strCode.Format("Key 0x%02X", (unsigned)wKey);
    return strCode;
}

BOOL GetAccelString(BYTE cVirt, WORD wKey, CString& strText)
{
    strText.Empty();
    if (wKey == 0)
        return FALSE;
    for (const KeyName& row : kModifierNames) {
        if (cVirt & row.wKey) {
            strText += row.pszName;
            strText += "+";
        }
    }
    strText += GetKeyName(wKey);
    return TRUE;
}

BOOL GetAccelString(const ACCEL& accel, CString& strText)
{
    return GetAccelString(accel.fVirt, accel.key, strText);
}

CAccelsOb::CAccelsOb() : m_cVirt(0), m_wKey(0), m_bLocked(false) {}

CAccelsOb::CAccelsOb(BYTE cVirt, WORD wKey, bool bLocked) : m_cVirt(cVirt), m_wKey(wKey), m_bLocked(bLocked) {}

CAccelsOb::CAccelsOb(const CAccelsOb* pFrom)
    : m_cVirt(pFrom->m_cVirt), m_wKey(pFrom->m_wKey), m_bLocked(pFrom->m_bLocked)
{
}

CAccelsOb::CAccelsOb(DWORD dwPacked) : m_cVirt(0), m_wKey(0), m_bLocked(false)
{
    SetData(dwPacked);
}

CAccelsOb& CAccelsOb::operator=(const CAccelsOb& from)
{
    m_cVirt = from.m_cVirt;
    m_wKey = from.m_wKey;
    m_bLocked = from.m_bLocked;
    return *this;
}

void CAccelsOb::GetString(CString& strText) const
{
    GetAccelString(m_cVirt, m_wKey, strText);
}

bool CAccelsOb::IsEqual(WORD wKey, bool bCtrl, bool bAlt, bool bShift) const
{
    return m_wKey == wKey && ((m_cVirt & FCONTROL) != 0) == bCtrl && ((m_cVirt & FALT) != 0) == bAlt &&
           ((m_cVirt & FSHIFT) != 0) == bShift;
}

DWORD CAccelsOb::GetData() const
{
    return (DWORD)m_wKey | ((DWORD)m_cVirt << 16) | ((DWORD)(m_bLocked ? kPackedLocked : kPackedUnlocked) << 24);
}

void CAccelsOb::SetData(DWORD dwPacked)
{
    m_wKey = LOWORD(dwPacked);
    m_cVirt = (BYTE)((dwPacked >> 16) & 0xFF);
    m_bLocked = ((dwPacked >> 24) & 0xFF) == kPackedLocked;
}
