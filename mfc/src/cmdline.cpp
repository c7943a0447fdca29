// cmdline.cpp - CCommandLineInfo and CWinApp::ParseCommandLine.
#include "wndimpl.h"

#include <stdlib.h>
#include <string>
#include <vector>

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_bRegisterPerUser(FALSE),
      m_nShellCommand(FileNew)
{
}

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

// Flags are compared without case: /p prints, /pt prints to a printer,
// /dde waits for DDE, /Embedding and /Automation start for OLE (no splash),
// /Register and /Unregister (or /Regserver, /Unregserver) only register.
void CCommandLineInfo::ParseParamFlag(const char* pszParam)
{
    if (lstrcmpiA(pszParam, "pt") == 0) {
        m_nShellCommand = FilePrintTo;
    } else if (lstrcmpiA(pszParam, "p") == 0) {
        m_nShellCommand = FilePrint;
    } else if (lstrcmpiA(pszParam, "Register") == 0 || lstrcmpiA(pszParam, "Regserver") == 0) {
        m_nShellCommand = AppRegister;
    } else if (lstrcmpiA(pszParam, "RegisterPerUser") == 0 || lstrcmpiA(pszParam, "RegserverPerUser") == 0) {
        m_nShellCommand = AppRegister;
        m_bRegisterPerUser = TRUE;
    } else if (lstrcmpiA(pszParam, "Unregister") == 0 || lstrcmpiA(pszParam, "Unregserver") == 0) {
        m_nShellCommand = AppUnregister;
    } else if (lstrcmpiA(pszParam, "UnregisterPerUser") == 0 || lstrcmpiA(pszParam, "UnregserverPerUser") == 0) {
        m_nShellCommand = AppUnregister;
        m_bRegisterPerUser = TRUE;
    } else if (lstrcmpiA(pszParam, "dde") == 0) {
        m_nShellCommand = FileDDE;
    } else if (lstrcmpiA(pszParam, "Embedding") == 0) {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    } else if (lstrcmpiA(pszParam, "Automation") == 0) {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
}

// The first plain word is the file; after /pt the printer, driver and port.
void CCommandLineInfo::ParseParamNotFlag(const char* pszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

// A file name without a command opens the file.
void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}

// Splits a command line as the C runtime does: white space separates words,
// double quotes group them, 2n backslashes before a quote give n backslashes
// and a quote mark, 2n+1 give n backslashes and a literal quote.
static std::vector<std::string> SplitCommandLine(const char* psz)
{
    std::vector<std::string> args;
    const char* p = psz;
    for (;;) {
        while (*p == ' ' || *p == '\t')
            p++;
        if (*p == '\0')
            break;
        std::string arg;
        bool bInQuotes = false;
        while (*p != '\0' && (bInQuotes || (*p != ' ' && *p != '\t'))) {
            if (*p == '\\') {
                int nSlashes = 0;
                while (*p == '\\') {
                    nSlashes++;
                    p++;
                }
                if (*p == '"') {
                    arg.append((size_t)nSlashes / 2, '\\');
                    if (nSlashes % 2) {
                        arg += '"';
                        p++;
                    }
                } else {
                    arg.append((size_t)nSlashes, '\\');
                }
            } else if (*p == '"') {
                if (bInQuotes && p[1] == '"') {
                    arg += '"';   // "" inside quotes is a literal quote
                    p += 2;
                } else {
                    bInQuotes = !bInQuotes;
                    p++;
                }
            } else {
                arg += *p++;
            }
        }
        args.push_back(arg);
    }
    return args;
}

// m_lpCmdLine (the arguments after the program name, as WinMain received
// them) when set, else the C runtime's arguments.
void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    std::vector<std::string> args;
    if (m_lpCmdLine != NULL) {
        args = SplitCommandLine(m_lpCmdLine);
    } else {
        for (int i = 1; i < __argc; i++)
            args.push_back(__argv[i]);
    }
    for (size_t i = 0; i < args.size(); i++) {
        const char* pszParam = args[i].c_str();
        BOOL bFlag = FALSE;
        BOOL bLast = i + 1 == args.size();
        if (pszParam[0] == '-' || pszParam[0] == '/') {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, bLast);
    }
}
