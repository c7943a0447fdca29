// COXTaskbarIcon: one icon in the notification area. A hidden window whose
// text is the icon's tip and whose small icon is the icon shown; the shell's
// mouse reports come back to it and go on to its owner (else its parent),
// or, with neither, to the icon window itself as the plain mouse message.
#pragma once

#include <afxwin.h>
#include <shellapi.h>

#define OX_TASKBAR_CALLBACK (WM_APP + 0xA3)   // 0x80A3

// The record the shell is given: the 88-byte form with a 64-character tip.
struct OXNOTIFYICONDATA
{
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[64];
};

class COXTaskbarIcon : public CWnd
{
    DECLARE_DYNAMIC(COXTaskbarIcon)
public:
    COXTaskbarIcon();
    virtual ~COXTaskbarIcon();

    virtual BOOL Create(UINT nID);
    virtual void SetTooltipText(UINT nIDText, BOOL bRefresh = TRUE);
    virtual void SetTooltipText(LPCTSTR lpszText, BOOL bRefresh = TRUE);
    virtual HICON SetIcon(LPCTSTR lpszIconName, BOOL bRefresh = TRUE);
    virtual HICON SetIcon(UINT nIDIcon, BOOL bRefresh = TRUE);
    virtual HICON SetIcon(HICON hIcon, BOOL bRefresh = TRUE);
    virtual BOOL Show();
    virtual BOOL Hide();
    virtual BOOL Refresh();
    virtual void GetTooltipText(CString& rText) const;
    virtual int GetTooltipText(LPTSTR lpszText, int nMaxCount) const;
    virtual HICON GetIcon() const;
    virtual BOOL Notify(DWORD dwMessage);

    BOOL IsShowing() const { return m_bShowing; }
    UINT GetIconID() const { return m_nIconID; }

    // The record for a message, as Notify gives it to the shell.
    void FillNotifyData(DWORD dwMessage, OXNOTIFYICONDATA& nid) const;

protected:
    afx_msg LRESULT OnTaskbarCallback(WPARAM wParam, LPARAM lParam);

    BOOL m_bShowing = FALSE;
    UINT m_nIconID = 0;

    DECLARE_MESSAGE_MAP()
};
