// MailMsg.cpp: composing a mail and handing it to the mail program.
#include "MailMsg.h"

#include <vector>

CMailMsg::CMailMsg(LPCTSTR lpszLibrary)
    : m_sLibrary(lpszLibrary), m_hMapi(NULL),
      m_lpCmcQueryConfiguration(NULL), m_lpCmcLogon(NULL), m_lpCmcSend(NULL), m_lpCmcLogoff(NULL),
      m_lpMapiLogon(NULL), m_lpMapiSendMail(NULL), m_lpMapiLogoff(NULL),
      m_bReady(FALSE)
{
}

CMailMsg::~CMailMsg()
{
    Uninitialize();
}

template <class T> static T GetEntry(HMODULE hModule, LPCSTR lpszName)
{
    return reinterpret_cast<T>(::GetProcAddress(hModule, lpszName));
}

// The library offers two roads, CMC and Simple MAPI; it is usable when either
// is complete. Sending always takes Simple MAPI.
BOOL CMailMsg::Initialize()
{
    if (m_hMapi == NULL)
        m_hMapi = ::LoadLibraryA(m_sLibrary);
    if (m_hMapi == NULL)
        return FALSE;

    m_lpCmcQueryConfiguration = GetEntry<PFNCMCQUERYCONFIGURATION>(m_hMapi, "cmc_query_configuration");
    m_lpCmcLogon = GetEntry<PFNCMCLOGON>(m_hMapi, "cmc_logon");
    m_lpCmcSend = GetEntry<PFNCMCSEND>(m_hMapi, "cmc_send");
    m_lpCmcLogoff = GetEntry<PFNCMCLOGOFF>(m_hMapi, "cmc_logoff");
    m_lpMapiLogon = GetEntry<LPMAPILOGON>(m_hMapi, "MAPILogon");
    m_lpMapiSendMail = GetEntry<LPMAPISENDMAIL>(m_hMapi, "MAPISendMail");
    m_lpMapiLogoff = GetEntry<LPMAPILOGOFF>(m_hMapi, "MAPILogoff");

    m_bReady = (m_lpCmcLogon != NULL && m_lpCmcSend != NULL && m_lpCmcLogoff != NULL)
            || (m_lpMapiLogon != NULL && m_lpMapiSendMail != NULL && m_lpMapiLogoff != NULL);
    return m_bReady;
}

void CMailMsg::Uninitialize()
{
    if (m_hMapi != NULL)
        ::FreeLibrary(m_hMapi);
    m_hMapi = NULL;
    m_lpCmcQueryConfiguration = NULL;
    m_lpCmcLogon = NULL;
    m_lpCmcSend = NULL;
    m_lpCmcLogoff = NULL;
    m_lpMapiLogon = NULL;
    m_lpMapiSendMail = NULL;
    m_lpMapiLogoff = NULL;
    m_bReady = FALSE;
}

// Without a mail interface there is nothing to send to: the setters keep
// nothing, and the message stays empty.
static void KeepIfReady(BOOL bReady, std::map<CString, CString>& entries, LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    if (bReady)
        entries[lpszKey] = lpszValue;
}

void CMailMsg::SetFrom(LPCTSTR lpszAddress, LPCTSTR lpszName)
{
    KeepIfReady(EnsureReady(), m_from, lpszAddress, lpszName);
}

void CMailMsg::AddRecipient(LPCTSTR lpszAddress, LPCTSTR lpszName)
{
    KeepIfReady(EnsureReady(), m_to, lpszAddress, lpszName);
}

void CMailMsg::AddCc(LPCTSTR lpszAddress, LPCTSTR lpszName)
{
    KeepIfReady(EnsureReady(), m_cc, lpszAddress, lpszName);
}

void CMailMsg::AddBcc(LPCTSTR lpszAddress, LPCTSTR lpszName)
{
    KeepIfReady(EnsureReady(), m_bcc, lpszAddress, lpszName);
}

void CMailMsg::AddAttachment(LPCTSTR lpszPath, LPCTSTR lpszTitle)
{
    KeepIfReady(EnsureReady(), m_attachments, lpszPath, lpszTitle);
}

// Simple MAPI takes non-const strings it never writes.
static LPSTR Text(const CString& s)
{
    return const_cast<LPSTR>(static_cast<LPCSTR>(s));
}

static MapiRecipDesc Recipient(ULONG ulClass, const CString& sAddress, const CString& sName)
{
    MapiRecipDesc desc = {};
    desc.ulRecipClass = ulClass;
    desc.lpszName = Text(sName);
    desc.lpszAddress = Text(sAddress);
    return desc;
}

static void AddRecipients(std::vector<MapiRecipDesc>& recips, ULONG ulClass,
                          const std::map<CString, CString>& entries)
{
    for (const auto& entry : entries)
        recips.push_back(Recipient(ulClass, entry.first, entry.second));
}

// The message goes to the mail program with MAPI_DIALOG: the user sees it
// prepared and decides whether to send. Only the result of the send counts;
// a cancel there is a FALSE like any failure, and nothing is shown here.
BOOL CMailMsg::Send()
{
    if (!EnsureReady())
        return FALSE;
    if (m_lpMapiLogon == NULL || m_lpMapiSendMail == NULL || m_lpMapiLogoff == NULL)
        return FALSE;

    MapiRecipDesc originator = {};
    if (!m_from.empty())
        originator = Recipient(MAPI_ORIG, m_from.begin()->first, m_from.begin()->second);

    std::vector<MapiRecipDesc> recips;
    AddRecipients(recips, MAPI_TO, m_to);
    AddRecipients(recips, MAPI_CC, m_cc);
    AddRecipients(recips, MAPI_BCC, m_bcc);

    std::vector<MapiFileDesc> files;
    for (CTextMap::const_iterator it = m_attachments.begin(); it != m_attachments.end(); ++it)
    {
        MapiFileDesc file = {};
        file.nPosition = (ULONG)-1;     // not placed in the text
        file.lpszPathName = Text(it->first);
        file.lpszFileName = Text(it->second);
        files.push_back(file);
    }

    MapiMessage message = {};
    message.lpszSubject = Text(m_sSubject);
    message.lpszNoteText = Text(m_sMessage);
    message.lpOriginator = m_from.empty() ? NULL : &originator;
    message.nRecipCount = (ULONG)recips.size();
    message.lpRecips = recips.empty() ? NULL : &recips[0];
    message.nFileCount = (ULONG)files.size();
    message.lpFiles = files.empty() ? NULL : &files[0];

    LHANDLE hSession = 0;
    m_lpMapiLogon(0, NULL, NULL, 0, 0, &hSession);     // a failed logon shows in the send
    ULONG nResult = m_lpMapiSendMail(hSession, 0, &message, MAPI_DIALOG, 0);
    m_lpMapiLogoff(hSession, 0, 0, 0);

    return nResult == SUCCESS_SUCCESS;
}
