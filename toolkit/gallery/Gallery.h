// The toolkit gallery: a list of every toolkit control; choosing one opens a
// page with it, to try by hand and to screenshot.
//
// A control joins the gallery with one line in a .cpp of
// toolkit/gallery/<subsystem>/ (every .cpp there is built in):
//
//   GALLERY_PAGE(CBitmapButtonPage, "edits", "Bitmap button");
//
// where CBitmapButtonPage derives from CGalleryPage and creates its controls
// in Populate(). A page that is a window or dialog of its own registers a
// function instead, which opens it modeless and returns it:
//
//   GALLERY_ENTRY("edits", "Colour buttons dialog", OpenColourDialog);
//
// test_toolkit_gallery opens and closes every registered entry.
#pragma once

#include <afxwin.h>
#include <initializer_list>
#include <utility>
#include <vector>

struct GalleryEntry {
    const char* subsystem;              // "edits", "customize", "bars", "lists"
    const char* name;                   // as listed, and as named by /open
    CWnd* (*open)(CWnd* pGallery);      // opens the page, modeless
};

// Every registered entry, sorted by subsystem and name.
const std::vector<GalleryEntry>& GalleryEntries();
const GalleryEntry* FindGalleryEntry(const char* name);
bool RegisterGalleryEntry(const char* subsystem, const char* name, CWnd* (*open)(CWnd*));

// A top-level window that holds one control family. Controls are placed in
// rows, left to right (NextRect), under an optional caption per row; the
// window fits itself around them after Populate and deletes itself when
// closed. Every WM_COMMAND and WM_NOTIFY that reaches the page from its
// controls is written to the event log at the bottom, after the page's own
// handlers have seen it (but for what comes at every paint or pointer move,
// and what the screenshot set-up stirs up).
class CGalleryPage : public CWnd
{
public:
    CGalleryPage();

    BOOL CreatePage(CWnd* pGallery, LPCTSTR lpszTitle);

    // Puts the page in the state its screenshot shows (a pop-up dropped, a
    // button pressed): the gallery calls it, through ShowOffScripted, when
    // started with /show.
    virtual void ShowOff() {}
    // ShowOff with the event log closed: the log starts with what the user
    // does, so what the set-up stirs up (a focus given, a key typed, an
    // option ticked) is not written there. A set-up that does what a user
    // could says so itself, in one line (LogSetUp).
    void ShowOffScripted();

    // Layout helpers for Populate.
    CRect NextRect(int cx, int cy);     // the next place in the current row
    // A drop-down combo's place: its window reaches cyDropped down over its
    // list, but the row grows by its field only.
    CRect NextComboRect(int cx, int cyDropped);
    void NewRow(LPCTSTR lpszCaption = NULL);
    void ApplyFont(CWnd* pWnd);         // the page's font on a control
    // A line in the event log: what the user did. Dropped while the log is
    // closed (during the screenshot set-up and its later steps).
    void Log(LPCTSTR lpszFormat, ...);
    // The set-up's own line, "set-up: " and what it did, written whether
    // the log is closed or not.
    void LogSetUp(LPCTSTR lpszFormat, ...);

    // The keys a dialog gives its controls: Tab and Shift+Tab through the
    // tab stops, arrows through a group, Enter on the default button where
    // one stands, mnemonics. A control that asks for a key (WM_GETDLGCODE)
    // keeps it, and Escape stays with the control: a page has no Cancel.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Keeps the log closed while it lives, as ShowOffScripted does for
    // ShowOff: for a step of the set-up that ShowOff leaves to run later
    // (a posted click, a timer's move), which is not the user's either.
    class CSetUpStep
    {
    public:
        explicit CSetUpStep(CGalleryPage* pPage) : m_pPage(pPage), m_bWasLogging(pPage->m_bLogging)
        {
            pPage->m_bLogging = FALSE;
        }
        ~CSetUpStep() { m_pPage->m_bLogging = m_bWasLogging; }
        CSetUpStep(const CSetUpStep&) = delete;
        CSetUpStep& operator=(const CSetUpStep&) = delete;

    private:
        CGalleryPage* m_pPage;
        BOOL m_bWasLogging;
    };

    virtual void Populate() = 0;

    // Gives the page the tab stops and groups a dialog template would have
    // given its controls (see the .cpp); the pages make their controls with
    // the styles of the control itself.
    void SetUpDialogKeys();
    // Enter: the focused push button, else the page's default one, is
    // clicked as a dialog clicks it; FALSE when there is none.
    BOOL PressDefaultButton(MSG* pMsg);
    // The dialog manager moves the focus through this (arrows in a group).
    afx_msg LRESULT OnNextDlgCtl(WPARAM wParam, LPARAM lParam);

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    virtual void PostNcDestroy() override;

    CFont m_font;
    CEdit m_log;
    std::vector<CWnd*> m_captions;      // the row captions, owned
    int m_x = 0, m_y = 0, m_rowHeight = 0, m_right = 0;
    BOOL m_bLogging = FALSE;            // the log is open to the user's doings
    BOOL m_bArrowBack = FALSE;          // the arrow being handled goes left or up

    DECLARE_MESSAGE_MAP()
};

template <class TPage>
CWnd* OpenGalleryPage(CWnd* pGallery, const char* name)
{
    TPage* pPage = new TPage;
    if (!pPage->CreatePage(pGallery, name)) {
        delete pPage;
        return NULL;
    }
    return pPage;
}

#define GALLERY_CONCAT2(a, b) a##b
#define GALLERY_CONCAT(a, b) GALLERY_CONCAT2(a, b)

#define GALLERY_ENTRY(subsystem, name, openFunction)                                       \
    static const bool GALLERY_CONCAT(galleryEntry_, __LINE__) =                            \
        RegisterGalleryEntry(subsystem, name, openFunction)

#define GALLERY_PAGE(PageClass, subsystem, name)                                           \
    static const bool GALLERY_CONCAT(galleryPage_, __LINE__) = RegisterGalleryEntry(       \
        subsystem, name, [](CWnd* pGallery) { return OpenGalleryPage<PageClass>(pGallery, name); })

// Small 16-pixel pictures for the pages' lists, one a colour: a wide block
// and a small square in turn, on a magenta clear colour.
void MakeBlocks(CWnd* pWnd, CImageList& images, std::initializer_list<COLORREF> colours);

// TRUE while a visible window of the calling thread, or any of its children,
// still has something to paint.
BOOL ThreadHasPendingPaint();

// The gallery's main window: the list of entries and an Open button.
class CGalleryWindow : public CWnd
{
public:
    BOOL CreateGallery();
    // Opens an entry by name (and, with bShowOff, puts a CGalleryPage in its
    // screenshot state once it is shown); NULL when there is no such entry.
    CWnd* Open(const char* name, BOOL bShowOff = FALSE);

    // For a script that pictures a page: the file gets one line, "shown <name>"
    // once the page opened with Open(name, TRUE) is in its screenshot state and
    // nothing of the gallery's has been left to paint for half a second, "busy
    // <name>" when that never happens within 15 s (a page that keeps
    // animating), "missing <name>" when there is no such entry.
    void SetReadyFile(const char* path) { m_readyFile = path; }

protected:
    // Opens an entry and highlights it in the list: the list shows which
    // page is open.
    CWnd* OpenEntry(const GalleryEntry* pEntry);
    // Highlights the entry whose page hWnd is, or is owned by, if any.
    void HighlightEntryOf(HWND hWnd);
    static LRESULT CALLBACK ActivationHook(int nCode, WPARAM wParam, LPARAM lParam);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnOpen();
    afx_msg LRESULT OnShowOff(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg LRESULT OnRaiseOwned(WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy() override;
    void WriteReady(const char* state);
    // Puts the windows hOwner owns, directly or through others (a page, the
    // gallery's pages, their frames' floating bars), back above it, keeping
    // their order among themselves.
    void RaiseWindowsOwnedBy(HWND hOwner);

    CListBox m_list;
    std::vector<std::pair<HWND, const GalleryEntry*>> m_opened;   // the pages opened, with their entries
    HHOOK m_hActivationHook = NULL;
    CButton m_open;
    CFont m_font;
    CString m_readyFile;
    CString m_shownName;        // the page being watched for its last paint
    int m_quietTicks = 0;
    int m_settleTicks = 0;
    BOOL m_bInMenuLoop = FALSE;

    DECLARE_MESSAGE_MAP()
};

// The gallery with a Skin menu: a choice switches the skin of the whole
// application (a COXSkinnedApp), open pages included.
class CSkinnedGalleryWindow : public CGalleryWindow
{
public:
    void AddSkinMenu();
    // Ticks the current skin's item.
    void CheckCurrentSkin();

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
