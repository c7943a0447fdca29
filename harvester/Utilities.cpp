// Utilities.cpp - window-free application helpers.
#include "Utilities.h"
#include "Formula.h"

CString NumberToText(UINT nNumber)
{
    CString sText;
    sText.Format("%u", nNumber);
    return sText;
}

CString ByteToEscape(BYTE by)
{
    return CFormula::ByteToHex(by);
}

BYTE Utf8PairToCp1251(BYTE byLead, BYTE byTrail)
{
    if (byLead == 0xD0 && byTrail >= 0xB0 && byTrail <= 0xBF)
        return (BYTE)(0xE0 + (byTrail - 0xB0));   // а to п
    if (byLead == 0xD1 && byTrail >= 0x80 && byTrail <= 0x8F)
        return (BYTE)(0xF0 + (byTrail - 0x80));   // р to я
    if (byLead == 0xD1 && byTrail == 0x91)
        return 0xB8;                              // ё
    return 0x20;
}

void SplitAtLineFeeds(const CString& sText, CStringArray& aLines)
{
    aLines.RemoveAll();
    int nStart = 0;
    int nFeed = sText.Find('\n');
    while (nFeed != -1) {
        CString sPiece = sText.Mid(nStart, nFeed - nStart);
        // The next search skips the byte after this feed, so a second feed
        // right behind it ends up inside the next piece, where it is removed.
        int nNext = nFeed + 2 <= sText.GetLength() ? sText.Find('\n', nFeed + 2) : -1;
        sPiece.Remove('\r');
        sPiece.Remove('\n');
        if (!sPiece.IsEmpty())
            aLines.Add(sPiece);
        nStart = nFeed + 1;
        nFeed = nNext;
    }
    CString sLast = sText.Mid(nStart);
    sLast.Remove('\n');
    sLast.Remove(' ');
    sLast.Remove('\r');
    if (!sLast.IsEmpty())
        aLines.Add(sLast);
}

size_t CStringHash::operator()(const CString& s) const
{
    // FNV-1a over the bytes.
    UINT64 h = 14695981039346656037ULL;
    LPCSTR p = s;
    for (int i = 0, n = s.GetLength(); i < n; i++) {
        h ^= (BYTE)p[i];
        h *= 1099511628211ULL;
    }
    return (size_t)(h ^ (h >> 32));
}

int PumpPendingMessages()
{
    MSG msg;
    CWinThread* pThread = AfxGetThread();
    while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
        if (pThread == NULL || !pThread->PumpMessage()) {
            ::PostQuitMessage(0);
            return 0;
        }
    }
    return 1;
}

BOOL HasActiveWindow(const CWinThread* pApp)
{
    return pApp != NULL && pApp->m_pActiveWnd != NULL && ::IsWindow(pApp->m_pActiveWnd->GetSafeHwnd());
}

void ShowActiveWindow(CWinThread* pApp, int nCmdShow)
{
    if (HasActiveWindow(pApp))
        pApp->m_pActiveWnd->ShowWindow(nCmdShow);
}
