// TraceEvent.h - the records of the trace log: a comment, an error, a note
// typed by the user, a block of data; each stamped with its time, thread and a
// process-wide sequence number, and rendered as one line of text.
//
// Events are built with new on any thread and handed, with their ownership,
// to CLogger::AddEvent; from then on the log window's list deletes them.
#pragma once

#include <afxwin.h>

class TraceEvent : public CObject
{
    DECLARE_DYNAMIC(TraceEvent)
public:
    explicit TraceEvent(int nNumber);
    virtual ~TraceEvent() {}

    virtual COLORREF GetColor() const = 0;
    virtual CString GetText() const;
    // "%d  " of the number, empty for -1.
    virtual CString GetNumberText() const;
    // "%06d| " sequence, "%04d  " number (six blanks for -1), thread, text.
    virtual CString GetLine() const;
    // "%08x " of the thread id.
    virtual CString GetThreadText() const;
    virtual int GetLineCount() const { return 1; }
    virtual int GetNumber() const { return m_nNumber; }
    virtual CFont* GetFont() const { return NULL; }

    // The sequence number the next event will get.
    static LONG PeekNextSequence() { return s_nNextSequence; }

    __time64_t m_time;      // seconds since 1970-01-01 UTC
    int m_nNumber;          // -1: no number
    DWORD m_dwThreadId;     // the thread that built the event
    int m_nSequence;

    // Longest text of the formatted events; longer results are cut.
    enum { nMaxFormattedText = 2047 };

private:
    static volatile LONG s_nNextSequence;
};

class TraceComment : public TraceEvent
{
    DECLARE_DYNAMIC(TraceComment)
public:
    TraceComment(int nNumber, const CString& strText);
    TraceComment(int nNumber, UINT nIDText);
    COLORREF GetColor() const override { return RGB(0, 0x80, 0); }
    CString GetText() const override { return m_strText; }
    CFont* GetFont() const override { return s_pFont; }

    CString m_strText;
    static CFont* s_pFont;   // the rows' font; NULL draws in the list's font
protected:
    explicit TraceComment(int nNumber) : TraceEvent(nNumber) {}
};

class TraceNote : public TraceComment
{
    DECLARE_DYNAMIC(TraceNote)
public:
    TraceNote(int nNumber, const CString& strText) : TraceComment(nNumber, strText) {}
    COLORREF GetColor() const override { return RGB(0xFF, 0, 0xFF); }
};

class TraceFormatComment : public TraceComment
{
    DECLARE_DYNAMIC(TraceFormatComment)
public:
    TraceFormatComment(int nNumber, LPCTSTR lpszFormat, ...) AFX_PRINTF_FORMAT(3, 4);
    TraceFormatComment(int nNumber, UINT nIDFormat, ...);
};

class TraceError : public TraceEvent
{
    DECLARE_DYNAMIC(TraceError)
public:
    explicit TraceError(int nNumber) : TraceEvent(nNumber) {}
    TraceError(int nNumber, const CString& strText);
    TraceError(int nNumber, UINT nIDText);
    COLORREF GetColor() const override { return RGB(0x80, 0, 0); }
    CString GetText() const override { return m_strText; }
    CFont* GetFont() const override { return s_pFont; }

    CString m_strText;
    static CFont* s_pFont;
};

class TraceFormatError : public TraceError
{
    DECLARE_DYNAMIC(TraceFormatError)
public:
    TraceFormatError(int nNumber, LPCTSTR lpszFormat, ...) AFX_PRINTF_FORMAT(3, 4);
    TraceFormatError(int nNumber, UINT nIDFormat, ...);
};

class TraceFormatMessage : public TraceError
{
    DECLARE_DYNAMIC(TraceFormatMessage)
public:
    TraceFormatMessage(int nNumber, DWORD dwError);

    // The system's message for the code (its first line), else the marked
    // string resource of that id, else "Unknown error %d (0x%08x)".
    static CString GetMessageText(DWORD dwError);
    // The same without asking the system.
    static CString GetResourceText(DWORD dwError);
};

class TraceData : public TraceEvent
{
    DECLARE_DYNAMIC(TraceData)
public:
    // Binary: exactly nLength bytes.
    TraceData(int nNumber, const void* pData, UINT nLength);
    // Text: shown escaped.
    TraceData(int nNumber, const CString& strText);
    TraceData(int nNumber, LPCTSTR lpszText);
    ~TraceData() override;
    TraceData(const TraceData&) = delete;
    TraceData& operator=(const TraceData&) = delete;

    COLORREF GetColor() const override { return RGB(0, 0, 0x80); }
    // Binary: "%02x " per byte. Text: printable ASCII as is, C escapes for
    // \a \b \t \n \v \f \r, a backslash before " and \, "\x%02x" otherwise.
    CString GetText() const override;
    CFont* GetFont() const override { return s_pFont; }

    BOOL m_bBinary;
    UINT m_nLength;
    BYTE* m_pData;
    static CFont* s_pFont;

private:
    void SetText(LPCTSTR lpszText, int nLength);
};

// Formats into at most TraceEvent::nMaxFormattedText characters; a longer
// result is cut there, never written past the buffer.
CString TraceFormatBounded(LPCTSTR lpszFormat, va_list args);
