// ExternalTools.cpp - the external-tools file, menu and start.
#include "ExternalTools.h"

#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include "BasedApp.h"

namespace {

// One line of a text stream without its line end, of any length. FALSE at
// the end of the stream when nothing was read.
BOOL ReadLine(FILE* pFile, CString& strLine)
{
    strLine.Empty();
    char szBuffer[1024];
    BOOL bAny = FALSE;
    while (fgets(szBuffer, sizeof szBuffer, pFile) != NULL) {
        bAny = TRUE;
        size_t nLength = strlen(szBuffer);
        if (nLength > 0 && szBuffer[nLength - 1] == '\n') {
            szBuffer[nLength - 1] = '\0';
            strLine += szBuffer;
            return TRUE;
        }
        strLine += szBuffer;
    }
    return bAny;
}

// The numbers line: the virtual key is the text before the first blank, the
// modifiers the text from that blank on; without a blank the whole line is
// the modifiers and the key is 0.
void ParseKeys(const CString& strLine, CExternalTool& tool)
{
    int nBlank = strLine.Find(' ');
    CString strKey = nBlank >= 0 ? strLine.Left(nBlank) : CString();
    CString strModifiers = nBlank >= 0 ? strLine.Mid(nBlank) : strLine;
    tool.m_nVirtualKey = (short)atoi(strKey);
    tool.m_nModifiers = (short)atoi(strModifiers);
}

}  // namespace

BOOL LoadExternalTools(CExternalToolArray& arrTools, LPCSTR pszPath)
{
    FILE* pFile = fopen(pszPath, "rt");
    if (pFile == NULL)
        return FALSE;
    BOOL bResult = TRUE;
    try {
        CString strLine;
        ReadLine(pFile, strLine);   // the version line
        while (ReadLine(pFile, strLine)) {
            CExternalTool* pTool = new CExternalTool;
            pTool->m_strTitle = strLine;
            // a line missing at the end reads as empty
            ReadLine(pFile, pTool->m_strCommand);
            ReadLine(pFile, pTool->m_strArguments);
            ReadLine(pFile, pTool->m_strHotKey);
            ReadLine(pFile, strLine);
            ParseKeys(strLine, *pTool);
            arrTools.Add(pTool);
        }
    } catch (...) {
        bResult = FALSE;
    }
    fclose(pFile);
    return bResult;
}

BOOL SaveExternalTools(const CExternalToolArray& arrTools, LPCSTR pszPath)
{
    CString strTemp = CString(pszPath) + ".tmp";
    FILE* pFile = fopen(strTemp, "wt");
    if (pFile == NULL)
        return FALSE;
    bool bWritten = fprintf(pFile, "%s\n", szExternalToolsVersion) >= 0;
    for (INT_PTR i = 0; bWritten && i < arrTools.GetSize(); i++) {
        const CExternalTool* pTool = arrTools[i];
        bWritten = fprintf(pFile, "%s\n%s\n%s\n%s\n%d %d\n", (LPCSTR)pTool->m_strTitle,
                           (LPCSTR)pTool->m_strCommand, (LPCSTR)pTool->m_strArguments,
                           (LPCSTR)pTool->m_strHotKey, (int)pTool->m_nVirtualKey, (int)pTool->m_nModifiers) >= 0;
    }
    // a full disk shows only when the buffers are flushed
    bWritten = (fflush(pFile) == 0 && !ferror(pFile)) && bWritten;
    bWritten = (fclose(pFile) == 0) && bWritten;
    if (!bWritten || !::MoveFileExA(strTemp, pszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(strTemp);
        return FALSE;
    }
    return TRUE;
}

void DeleteExternalTools(CExternalToolArray& arrTools)
{
    for (INT_PTR i = 0; i < arrTools.GetSize(); i++)
        delete arrTools[i];
    arrTools.RemoveAll();
}

void RebuildExternalToolsMenu(CMenu* pMenu, const CExternalToolArray& arrTools)
{
    for (int nCount = ::GetMenuItemCount(pMenu->GetSafeHmenu()); nCount > 1; nCount--)
        pMenu->DeleteMenu(1, MF_BYPOSITION);
    if (arrTools.GetSize() == 0)
        return;
    pMenu->InsertMenu(1, MF_BYPOSITION | MF_SEPARATOR);
    for (INT_PTR i = 0; i < arrTools.GetSize(); i++) {
        const CExternalTool* pTool = arrTools[i];
        CString strText = pTool->m_strTitle;
        if (!pTool->m_strHotKey.IsEmpty())
            strText += "\t        " + pTool->m_strHotKey;
        pMenu->InsertMenu((UINT)(i + 2), MF_BYPOSITION | MF_STRING, (UINT_PTR)(ID_EXTERNAL_TOOL_FIRST + i), strText);
    }
}

void UpdateExternalToolsMenu(CCmdUI* pCmdUI, const CExternalToolArray& arrTools)
{
    pCmdUI->Enable(TRUE);
    if (pCmdUI->m_pMenu == NULL)
        return;
    RebuildExternalToolsMenu(pCmdUI->m_pMenu, arrTools);
    // the items just made are updated by the same pass
    pCmdUI->m_nIndexMax = (UINT)pCmdUI->m_pMenu->GetMenuItemCount();
}

BOOL StartExternalTool(const CExternalToolArray& arrTools, UINT nID)
{
    INT_PTR nIndex = (INT_PTR)nID - ID_EXTERNAL_TOOL_FIRST;
    if (nIndex < 0 || nIndex >= arrTools.GetSize())
        return FALSE;
    const CExternalTool* pTool = arrTools[nIndex];
    HINSTANCE hResult = ::ShellExecuteA(NULL, NULL, pTool->m_strCommand, pTool->m_strArguments, NULL, SW_SHOW);
    if ((INT_PTR)hResult <= 32) {
        WarningMessage("Application is unable to execute!. Check its parameters.", "Warning");
        return FALSE;
    }
    return TRUE;
}

int GetHeldHotKeyModifiers()
{
    int nModifiers = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        nModifiers |= HOTKEYF_SHIFT;
    if (::GetKeyState(VK_CONTROL) < 0)
        nModifiers |= HOTKEYF_CONTROL;
    if (::GetKeyState(VK_MENU) < 0)
        nModifiers |= HOTKEYF_ALT;
    return nModifiers;
}

int FindExternalToolByHotKey(const CExternalToolArray& arrTools, UINT nVirtualKey, int nModifiers)
{
    for (INT_PTR i = 0; i < arrTools.GetSize(); i++) {
        const CExternalTool* pTool = arrTools[i];
        if (pTool->m_nVirtualKey != 0 && (UINT)(BYTE)pTool->m_nVirtualKey == nVirtualKey &&
            (pTool->m_nModifiers & 7) == (nModifiers & 7))
            return (int)i;
    }
    return -1;
}

BOOL MayTakeHotKey(UINT nVirtualKey, int nModifiers, HWND hTarget)
{
    if (nModifiers & (HOTKEYF_CONTROL | HOTKEYF_ALT))
        return TRUE;
    if (nVirtualKey >= VK_F1 && nVirtualKey <= VK_F24)
        return TRUE;
    if (hTarget == NULL || !::IsWindow(hTarget))
        return TRUE;
    LRESULT nCode = ::SendMessage(hTarget, WM_GETDLGCODE, 0, 0);
    return (nCode & (DLGC_WANTCHARS | DLGC_HASSETSEL)) == 0;
}
