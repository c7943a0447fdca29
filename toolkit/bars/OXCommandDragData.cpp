#include "OXCommandDragData.h"

#include <string.h>

#include "OXBitmapMenu.h"
#include "OXBitmapMenuOrganizer.h"

namespace {

const int kMaxItemText = 300;
// Id, image, style and continuation around the text's own bytes and zero.
const int kRecordFixed = 4 + 1 + 4 + 1 + 4;

void PutInt(LPBYTE& p, int n)
{
    memcpy(p, &n, 4);
    p += 4;
}

void SetInt(LPBYTE p, int n) { memcpy(p, &n, 4); }

int TextBytes(LPCTSTR lpszText) { return lpszText != NULL ? (int)strlen(lpszText) : 0; }

// An item's text: a bitmap menu keeps it in the item's data, any other menu
// in the item.
CString ItemText(HMENU hMenu, int nPos)
{
    CString strText;
    COXBitmapMenu* pBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(hMenu));
    if (pBitmapMenu != NULL && pBitmapMenu->GetItemDataText(nPos, strText))
        return strText;
    char szText[kMaxItemText + 1] = "";
    ::GetMenuStringA(hMenu, (UINT)nPos, szText, kMaxItemText + 1, MF_BYPOSITION);
    return szText;
}

// Positions of the items of a menu at nDepth that are written. A submenu
// with nothing to write is left out: its opener would take its next
// siblings as its items when read back. So is one too deep to be read back,
// which would make the whole block unreadable.
void WrittenItems(HMENU hMenu, int nDepth, std::vector<int>& arrPos)
{
    arrPos.clear();
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        if (HMENU hSub = ::GetSubMenu(hMenu, i)) {
            std::vector<int> arrSub;
            if (nDepth >= COXCommandDragData::kMaxDepth)
                continue;
            WrittenItems(hSub, nDepth + 1, arrSub);
            if (arrSub.empty())
                continue;
        }
        arrPos.push_back(i);
    }
}

int MenuSize(HMENU hMenu, int nDepth)
{
    std::vector<int> arrPos;
    WrittenItems(hMenu, nDepth, arrPos);
    int nSize = 0;
    for (int nPos : arrPos) {
        nSize += ItemText(hMenu, nPos).GetLength() + kRecordFixed;
        if (HMENU hSub = ::GetSubMenu(hMenu, nPos))
            nSize += MenuSize(hSub, nDepth + 1);
    }
    return nSize;
}

// Writes a menu's records; returns where the last continuation is, NULL
// when nothing was written.
LPBYTE WriteMenu(LPBYTE& p, HMENU hMenu, int nDepth)
{
    std::vector<int> arrPos;
    WrittenItems(hMenu, nDepth, arrPos);
    LPBYTE pLast = NULL;
    for (size_t i = 0; i < arrPos.size(); ++i) {
        const int nPos = arrPos[i];
        HMENU hSub = ::GetSubMenu(hMenu, nPos);
        const int nId = hSub != NULL ? -1 : (int)::GetMenuItemID(hMenu, nPos);
        COXCommandDragData::WriteCommandDataRecord(&p, ItemText(hMenu, nPos), -1, nId, 0);
        pLast = p - 4;
        if (i + 1 == arrPos.size())
            SetInt(pLast, 2);
        if (hSub != NULL)
            pLast = WriteMenu(p, hSub, nDepth + 1);
    }
    return pLast;
}

// Reads from a cursor that never passes the end of the block.
class CBoundedReader
{
public:
    CBoundedReader(const BYTE* pData, SIZE_T nSize) : m_p(pData), m_pEnd(pData + nSize) {}

    BOOL Int(int& n)
    {
        if ((SIZE_T)(m_pEnd - m_p) < 4)
            return FALSE;
        memcpy(&n, m_p, 4);
        m_p += 4;
        return TRUE;
    }
    BOOL Byte(BYTE& b)
    {
        if (m_p >= m_pEnd)
            return FALSE;
        b = *m_p++;
        return TRUE;
    }
    BOOL Text(CString& str)
    {
        const BYTE* pZero = (const BYTE*)memchr(m_p, 0, (SIZE_T)(m_pEnd - m_p));
        if (pZero == NULL)
            return FALSE;
        str = CString((LPCSTR)m_p, (int)(pZero - m_p));
        m_p = pZero + 1;
        return TRUE;
    }
    // One record; its continuation must be 0, 1 or 2.
    BOOL Record(OXCOMMANDDATAITEM& item, int& nContinuation)
    {
        return Int(item.nCommandId) && Text(item.sText) && Int(item.nImage) && Byte(item.nStyle) &&
               Int(nContinuation) && nContinuation >= 0 && nContinuation <= 2;
    }
    // The records of one menu at nDepth: how the menu ended (0: the whole
    // block ended, 2: only this menu), -1 for a fault.
    int Level(std::vector<OXCOMMANDDATAITEM>& arrItems, int nDepth)
    {
        if (nDepth > COXCommandDragData::kMaxDepth)
            return -1;
        for (;;) {
            OXCOMMANDDATAITEM item;
            int nContinuation = 0;
            if (!Record(item, nContinuation))
                return -1;
            int nEnd = nContinuation;
            if (item.nCommandId == -1 && nContinuation != 0) {
                const int nSubEnd = Level(item.arrItems, nDepth + 1);
                if (nSubEnd < 0)
                    return -1;
                if (nSubEnd == 0)
                    nEnd = 0;
            }
            arrItems.push_back(item);
            if (nEnd != 1)
                return nEnd;
        }
    }
    SIZE_T Offset(const BYTE* pStart) const { return (SIZE_T)(m_p - pStart); }

private:
    const BYTE* m_p;
    const BYTE* m_pEnd;
};

}   // namespace

CLIPFORMAT COXCommandDragData::GetFormat()
{
    static CLIPFORMAT s_cf = 0;
    if (s_cf == 0)
        s_cf = (CLIPFORMAT)::RegisterClipboardFormatA("TBX_Command_Button");
    return s_cf;
}

// The dragged command's menu holds the second level of the block.
int COXCommandDragData::GetCommandDataMenuSize(HMENU hMenu) { return hMenu != NULL ? MenuSize(hMenu, 2) : 0; }

void COXCommandDragData::WriteCommandDataMenu(LPBYTE* ppCursor, HMENU hMenu)
{
    if (hMenu != NULL)
        WriteMenu(*ppCursor, hMenu, 2);
}

void COXCommandDragData::WriteCommandDataRecord(LPBYTE* ppCursor, LPCTSTR lpszText, int nImage, int nCommandId,
                                                BYTE nStyle)
{
    LPBYTE& p = *ppCursor;
    PutInt(p, nCommandId);
    const int nText = TextBytes(lpszText);
    if (nText > 0)
        memcpy(p, lpszText, (size_t)nText);
    p += nText;
    *p++ = 0;
    PutInt(p, nImage);
    *p++ = nStyle;
    PutInt(p, 1);
}

HGLOBAL COXCommandDragData::CreateCommandData(LPCTSTR lpszText, int nImage, int nCommandId, BYTE nStyle,
                                              HMENU hMenu)
{
    const int nMenuSize = GetCommandDataMenuSize(hMenu);
    const SIZE_T nSize = (SIZE_T)(TextBytes(lpszText) + kRecordFixed + nMenuSize);
    HGLOBAL hData = ::GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, nSize);
    if (hData == NULL)
        return NULL;
    LPBYTE pStart = (LPBYTE)::GlobalLock(hData);

    if (nCommandId != -1 && nImage == -1) {
        CWnd* pMain = AfxGetMainWnd();
        COXBitmapMenuOrganizer* pOrganizer =
            pMain != NULL ? COXBitmapMenuOrganizer::FindOrganizer(pMain->GetSafeHwnd()) : NULL;
        if (COXImageInfo* pInfo = pOrganizer != NULL ? pOrganizer->GetImageInfo((UINT)nCommandId) : NULL)
            nImage = pInfo->m_nIndex;
    }

    LPBYTE p = pStart;
    WriteCommandDataRecord(&p, lpszText, nImage, nCommandId, nStyle);
    LPBYTE pLast = p - 4;
    if (nMenuSize > 0) {
        SetInt(pLast, 2);
        pLast = WriteMenu(p, hMenu, 2);
    }
    SetInt(pLast, 0);
    ::GlobalUnlock(hData);
    return hData;
}

COleDataSource* COXCommandDragData::CreateCommandDataSource(LPCTSTR lpszText, int nImage, int nCommandId,
                                                            BYTE nStyle, HMENU hMenu)
{
    HGLOBAL hData = CreateCommandData(lpszText, nImage, nCommandId, nStyle, hMenu);
    if (hData == NULL)
        return NULL;
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(GetFormat(), hData);
    return pSource;
}

BOOL COXCommandDragData::Read(const BYTE* pData, SIZE_T nSize, OXCOMMANDDATAITEM& item, SIZE_T* pnRead)
{
    item = OXCOMMANDDATAITEM();
    if (pData == NULL)
        return FALSE;
    CBoundedReader reader(pData, nSize);
    OXCOMMANDDATAITEM first;
    int nContinuation = 0;
    // The dragged command is alone (0) or carries a menu (2).
    if (!reader.Record(first, nContinuation) || nContinuation == 1)
        return FALSE;
    if (nContinuation == 2 && reader.Level(first.arrItems, 2) != 0)
        return FALSE;
    item = first;
    if (pnRead != NULL)
        *pnRead = reader.Offset(pData);
    return TRUE;
}

BOOL COXCommandDragData::ReadMenu(const BYTE* pData, SIZE_T nSize, std::vector<OXCOMMANDDATAITEM>& arrItems,
                                  SIZE_T* pnRead)
{
    if (pData == NULL)
        return FALSE;
    CBoundedReader reader(pData, nSize);
    std::vector<OXCOMMANDDATAITEM> read;
    if (reader.Level(read, 1) < 0)
        return FALSE;
    arrItems.swap(read);
    if (pnRead != NULL)
        *pnRead = reader.Offset(pData);
    return TRUE;
}
