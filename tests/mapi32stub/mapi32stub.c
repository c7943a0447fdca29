/* A stand-in for the system's mail interface, for tests: it sends nothing and
   writes down what it was asked to send, one line per fact, to the file named
   by PELLUCOR_MAPI_LOG (or "mapi32.log" beside itself), then reports success.
   Line breaks inside texts are written as \r and \n so that one fact stays on
   one line. */
#include <windows.h>
#include <mapi.h>
#include <xcmc.h>
#include <stdio.h>

#define STUB_SESSION 0x5157

static HMODULE g_hSelf;

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved)
{
    (void)lpReserved;
    if (dwReason == DLL_PROCESS_ATTACH)
        g_hSelf = hInstance;
    return TRUE;
}

static FILE* OpenLog(void)
{
    char path[MAX_PATH + 16];
    DWORD n = GetEnvironmentVariableA("PELLUCOR_MAPI_LOG", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
    {
        char* dot;
        n = GetModuleFileNameA(g_hSelf, path, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            return NULL;
        dot = strrchr(path, '.');
        if (dot != NULL)
            strcpy(dot, ".log");
        else
            strcat(path, ".log");
    }
    return fopen(path, "ab");
}

static void PutText(FILE* f, const char* s)
{
    if (s == NULL)
    {
        fputs("(null)", f);
        return;
    }
    for (; *s; ++s)
    {
        if (*s == '\r')
            fputs("\\r", f);
        else if (*s == '\n')
            fputs("\\n", f);
        else
            fputc(*s, f);
    }
}

static void PutLine(const char* text)
{
    FILE* f = OpenLog();
    if (f == NULL)
        return;
    fputs(text, f);
    fputc('\n', f);
    fclose(f);
}

static void PutRecipient(FILE* f, const MapiRecipDesc* r)
{
    static const char* const classes[] = { "orig", "to", "cc", "bcc" };
    if (r->ulRecipClass < 4)
        fputs(classes[r->ulRecipClass], f);
    else
        fprintf(f, "class %lu", (unsigned long)r->ulRecipClass);
    fputs(": ", f);
    PutText(f, r->lpszName);
    fputs(" <", f);
    PutText(f, r->lpszAddress);
    fputs(">", f);
    if (r->ulEIDSize != 0 || r->lpEntryID != NULL)
        fputs(" with entry id", f);
    fputc('\n', f);
}

ULONG WINAPI MAPILogon(ULONG_PTR ulUIParam, LPSTR lpszProfileName, LPSTR lpszPassword,
                       FLAGS flFlags, ULONG ulReserved, LPLHANDLE lplhSession)
{
    FILE* f = OpenLog();
    (void)ulUIParam; (void)ulReserved;
    if (f != NULL)
    {
        fprintf(f, "logon profile=%s password=%s flags=0x%lx\n", lpszProfileName ? "set" : "none",
                lpszPassword ? "set" : "none", (unsigned long)flFlags);
        fclose(f);
    }
    if (lplhSession != NULL)
        *lplhSession = STUB_SESSION;
    return SUCCESS_SUCCESS;
}

ULONG WINAPI MAPILogoff(LHANDLE lhSession, ULONG_PTR ulUIParam, FLAGS flFlags, ULONG ulReserved)
{
    FILE* f = OpenLog();
    (void)ulUIParam; (void)ulReserved;
    if (f != NULL)
    {
        fprintf(f, "logoff session=%s flags=0x%lx\n", lhSession == STUB_SESSION ? "ok" : "other",
                (unsigned long)flFlags);
        fclose(f);
    }
    return SUCCESS_SUCCESS;
}

ULONG WINAPI MAPISendMail(LHANDLE lhSession, ULONG_PTR ulUIParam, lpMapiMessage lpMessage,
                          FLAGS flFlags, ULONG ulReserved)
{
    FILE* f = OpenLog();
    ULONG i;
    (void)ulUIParam; (void)ulReserved;
    if (f == NULL)
        return SUCCESS_SUCCESS;
    fprintf(f, "send session=%s flags=0x%lx\n", lhSession == STUB_SESSION ? "ok" : "other",
            (unsigned long)flFlags);
    if (lpMessage == NULL)
    {
        fputs("no message\n", f);
        fclose(f);
        return SUCCESS_SUCCESS;
    }
    if (lpMessage->lpOriginator != NULL)
        PutRecipient(f, lpMessage->lpOriginator);
    else
        fputs("orig: none\n", f);
    for (i = 0; i < lpMessage->nRecipCount && lpMessage->lpRecips != NULL; ++i)
        PutRecipient(f, &lpMessage->lpRecips[i]);
    fputs("subject: ", f);
    PutText(f, lpMessage->lpszSubject);
    fputs("\ntext: ", f);
    PutText(f, lpMessage->lpszNoteText);
    fputc('\n', f);
    if (lpMessage->lpFiles == NULL)
        fprintf(f, "files: %lu, no list\n", (unsigned long)lpMessage->nFileCount);
    else
    {
        fprintf(f, "files: %lu\n", (unsigned long)lpMessage->nFileCount);
        for (i = 0; i < lpMessage->nFileCount; ++i)
        {
            const MapiFileDesc* d = &lpMessage->lpFiles[i];
            fputs("file: ", f);
            PutText(f, d->lpszPathName);
            fputs(" | ", f);
            PutText(f, d->lpszFileName);
            fprintf(f, " | position=%ld flags=0x%lx type=%s\n", (long)d->nPosition,
                    (unsigned long)d->flFlags, d->lpFileType ? "set" : "none");
        }
    }
    if (lpMessage->lpszMessageType || lpMessage->lpszDateReceived || lpMessage->lpszConversationID
        || lpMessage->flFlags)
        fputs("extra message fields set\n", f);
    fclose(f);
    return SUCCESS_SUCCESS;
}

ULONG WINAPI MAPIFreeBuffer(LPVOID pv)
{
    (void)pv;
    return SUCCESS_SUCCESS;
}

/* The CMC road: present so that a caller finds it complete; every call is
   written down by name only. */
CMC_return_code WINAPI cmc_query_configuration(CMC_session_id session, CMC_enum item,
                                               CMC_buffer reference, CMC_extension* extensions)
{
    (void)session; (void)item; (void)reference; (void)extensions;
    PutLine("cmc_query_configuration");
    return CMC_SUCCESS;
}

CMC_return_code WINAPI cmc_logon(CMC_string service, CMC_string user, CMC_string password,
                                 CMC_object_identifier character_set, CMC_ui_id ui_id,
                                 CMC_uint16 caller_cmc_version, CMC_flags logon_flags,
                                 CMC_session_id* session, CMC_extension* logon_extensions)
{
    (void)service; (void)user; (void)password; (void)character_set; (void)ui_id;
    (void)caller_cmc_version; (void)logon_flags; (void)logon_extensions;
    PutLine("cmc_logon");
    if (session != NULL)
        *session = STUB_SESSION;
    return CMC_SUCCESS;
}

CMC_return_code WINAPI cmc_send(CMC_session_id session, CMC_message* message, CMC_flags send_flags,
                                CMC_ui_id ui_id, CMC_extension* send_extensions)
{
    (void)session; (void)message; (void)send_flags; (void)ui_id; (void)send_extensions;
    PutLine("cmc_send");
    return CMC_SUCCESS;
}

CMC_return_code WINAPI cmc_logoff(CMC_session_id session, CMC_ui_id ui_id, CMC_flags logoff_flags,
                                  CMC_extension* logoff_extensions)
{
    (void)session; (void)ui_id; (void)logoff_flags; (void)logoff_extensions;
    PutLine("cmc_logoff");
    return CMC_SUCCESS;
}

CMC_return_code WINAPI cmc_free(CMC_buffer memory)
{
    (void)memory;
    return CMC_SUCCESS;
}
