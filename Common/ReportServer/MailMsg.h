// MailMsg.h: a mail message handed to the user's mail program through the
// system's mail interface ("mapi32.dll", loaded by name at run time), so that
// the user sees the prepared message and sends it.
#pragma once

#include <afx.h>
#include <mapi.h>
#include <xcmc.h>
#include <map>

class CMailMsg
{
public:
    // The library is looked up by name through the usual search order, so a
    // mail interface placed beside the program answers before the system's.
    explicit CMailMsg(LPCTSTR lpszLibrary = "mapi32.dll");
    virtual ~CMailMsg();

    void SetFrom(LPCTSTR lpszAddress, LPCTSTR lpszName);
    void AddRecipient(LPCTSTR lpszAddress, LPCTSTR lpszName);
    void AddCc(LPCTSTR lpszAddress, LPCTSTR lpszName);
    void AddBcc(LPCTSTR lpszAddress, LPCTSTR lpszName);
    void AddAttachment(LPCTSTR lpszPath, LPCTSTR lpszTitle);
    void SetSubject(LPCTSTR lpszSubject) { m_sSubject = lpszSubject; }
    void SetMessage(LPCTSTR lpszMessage) { m_sMessage = lpszMessage; }

    BOOL Initialize();
    void Uninitialize();
    BOOL Send();

protected:
    // Keyed and ordered by the text of the key; setting a key again replaces its value.
    typedef std::map<CString, CString> CTextMap;

    CTextMap m_from;            // address -> display name; only the first entry is used
    CTextMap m_to;              // address -> display name
    CTextMap m_cc;
    CTextMap m_bcc;
    CTextMap m_attachments;     // file path -> title shown in the mail
    CString m_sSubject;
    CString m_sMessage;

    CString m_sLibrary;
    HMODULE m_hMapi;

    typedef CMC_return_code (WINAPI *PFNCMCQUERYCONFIGURATION)(CMC_session_id, CMC_enum, CMC_buffer, CMC_extension*);
    typedef CMC_return_code (WINAPI *PFNCMCLOGON)(CMC_string, CMC_string, CMC_string, CMC_object_identifier,
                                                  CMC_ui_id, CMC_uint16, CMC_flags, CMC_session_id*, CMC_extension*);
    typedef CMC_return_code (WINAPI *PFNCMCSEND)(CMC_session_id, CMC_message*, CMC_flags, CMC_ui_id, CMC_extension*);
    typedef CMC_return_code (WINAPI *PFNCMCLOGOFF)(CMC_session_id, CMC_ui_id, CMC_flags, CMC_extension*);

    PFNCMCQUERYCONFIGURATION m_lpCmcQueryConfiguration;
    PFNCMCLOGON m_lpCmcLogon;
    PFNCMCSEND m_lpCmcSend;
    PFNCMCLOGOFF m_lpCmcLogoff;

    LPMAPILOGON m_lpMapiLogon;
    LPMAPISENDMAIL m_lpMapiSendMail;
    LPMAPILOGOFF m_lpMapiLogoff;

    BOOL m_bReady;

private:
    BOOL EnsureReady() { return m_bReady || Initialize(); }
    CMailMsg(const CMailMsg&);
    CMailMsg& operator=(const CMailMsg&);
};
