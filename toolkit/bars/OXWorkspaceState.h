// COXWorkspaceState: the layout of a running application, captured and put
// back later: the main window's placement, where every control bar is docked
// or floating (with the tab places of sizing bars that share a dock bar), the
// MDI child frames with their documents, and the main frame's splitter row
// and column sizes. It keeps the state in memory and writes it through an
// archive into a file or, as one binary value, into the registry.
//
// A stored record is outside input: it is read into a fresh object that
// replaces this one's content only when the whole record was good, counts are
// believed only as far as the bytes could hold them, and a class is checked
// before anything of it is made.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxtempl.h>
#include <vector>

// Where a tabbed sizing control bar sits: the tab control of dock bar
// nDockBarID holds it at nTabIndex (-1: no tab), bActive when that tab was
// the selected one. Stored as four 32-bit fields, as is.
struct OXDOCKTABPOSITION
{
    UINT nBarID;
    UINT nDockBarID;
    int nTabIndex;
    BOOL bActive;
};

typedef CMap<UINT, UINT, OXDOCKTABPOSITION, OXDOCKTABPOSITION&> COXDockTabPositionMap;

class COXWorkspaceState : public CObject
{
    DECLARE_SERIAL(COXWorkspaceState)
public:
    enum : DWORD { nMagic = 0x1234FEDC };
    enum { nVersion = 1 };
    // The largest registry value read back: far beyond any workspace (a
    // hundred MDI children and their splitters take a few kilobytes).
    enum { nMaxRegistryBytes = 4 * 1024 * 1024 };

    COXWorkspaceState();
    virtual ~COXWorkspaceState();

    virtual void Serialize(CArchive& ar);

    // Every step runs; the result is the AND of the steps.
    virtual BOOL CaptureState();
    virtual BOOL ApplyState();

    // bSaveAllModified asks the application to save its modified documents
    // (Cancel stops the store: FALSE, nothing captured or written); bCapture
    // captures first. bClearModified clears no flag the save left set: a
    // saved document is clean already, and one the user chose not to save
    // keeps its edits, to be asked about again. The file is written beside
    // its name and then replaces it, so a failed store keeps the last one.
    virtual BOOL StoreToFile(LPCTSTR lpszFileName, BOOL bSaveAllModified = TRUE, BOOL bCapture = TRUE,
                             BOOL bClearModified = TRUE);
    // With bApply, what was loaded is applied; the result is then that of
    // the load and the apply.
    virtual BOOL LoadFromFile(LPCTSTR lpszFileName, BOOL bApply = TRUE);
    // HKEY root\Software\<registry key>\<profile name>\WorkspaceState, the
    // value named lpszValueName. NULL or empty names take the defaults:
    // "Main", the application's registry key (none: FALSE) and profile name.
    virtual BOOL StoreToRegistry(LPCTSTR lpszValueName = NULL, LPCTSTR lpszRegistryKey = NULL,
                                 LPCTSTR lpszProfileName = NULL, HKEY hKeyRoot = HKEY_CURRENT_USER,
                                 BOOL bSaveAllModified = TRUE, BOOL bCapture = TRUE, BOOL bClearModified = TRUE);
    virtual BOOL LoadFromRegistry(LPCTSTR lpszValueName = NULL, LPCTSTR lpszRegistryKey = NULL,
                                  LPCTSTR lpszProfileName = NULL, HKEY hKeyRoot = HKEY_CURRENT_USER,
                                  BOOL bApply = TRUE);

    virtual BOOL CaptureDockTabPositions(CPtrArray& arrBarInfo);
    virtual BOOL ApplyDockTabPositions(CPtrArray& arrBarInfo);
    virtual BOOL CaptureChildFrames();
    virtual BOOL ApplyChildFrames();
    virtual BOOL CaptureSplitterPanes(CFrameWnd* pFrame);
    virtual BOOL ApplySplitterPanes(CFrameWnd* pFrame);
    virtual void StoreProperties(CArchive& ar);
    virtual void LoadProperties(CArchive& ar);
    // Throws what the open, the archive or the replace threw.
    virtual void SerializeFile(LPCTSTR lpszFileName, BOOL bStoring);
    virtual BOOL LoadFromByteArray(const CByteArray& bytes);
    virtual BOOL StoreToByteArray(CByteArray& bytes);
    virtual BOOL AccessRegistryValue(BOOL bWrite, LPCTSTR lpszValueName, LPCTSTR lpszRegistryKey,
                                     LPCTSTR lpszProfileName, HKEY hKeyRoot, CByteArray& bytes);

    void SetIncludeMainWindow(BOOL bInclude) { m_bIncludeMainWindow = bInclude; }
    void SetIncludeMainWnd(BOOL bInclude) { SetIncludeMainWindow(bInclude); }
    void SetIncludeBars(BOOL bInclude) { m_bIncludeBars = bInclude; }
    void SetIncludeChildFrames(BOOL bInclude) { m_bIncludeChildFrames = bInclude; }
    void SetIncludeSplitterPanes(BOOL bInclude) { m_bIncludeSplitterPanes = bInclude; }


    int m_nScreenWidth, m_nScreenHeight;
    BOOL m_bIncludeMainWindow;
    WINDOWPLACEMENT m_wndPlacement;
    BOOL m_bIncludeBars;
    CDockState* m_pDockState;
    COXDockTabPositionMap m_mapDockTabPositions;
    BOOL m_bIncludeChildFrames;
    CObArray* m_pChildFrameStates;       // COXChildFrameState*, Z order from the top
    BOOL m_bIncludeSplitterPanes;
    CObArray* m_pSplitterPaneStates;     // COXSplitterColRowState*, rows first
    int m_nSerializedVersion;

protected:
    static void EmptyArray(CObArray* pArray);
    // Takes everything a load reads from other (which gets this one's).
    void SwapLoadedState(COXWorkspaceState& other);
    // The application's document save: FALSE when the user cancelled.
    BOOL SaveDocuments(BOOL bSaveAllModified, BOOL bClearModified);
    static CString NameOrDefault(LPCTSTR lpszName, LPCTSTR lpszDefault);

private:
    COXWorkspaceState(const COXWorkspaceState&) = delete;
    void operator=(const COXWorkspaceState&) = delete;
};
