// Gallery: the workspace state of an MDI frame. The page opens a frame with
// three documents (the second split in two columns), two tool bars, a
// floating sizing bar and three stacked as tabs; move them, then "Restart" stores the workspace in the
// registry and in a file, closes the documents and the frame, makes a new
// frame as a program starting would, and puts the workspace back. "Store"
// only stores it (a modified document is offered for saving first; Cancel
// stops the store).
#include <afxwin.h>
#include <afxext.h>

#include "Gallery.h"
#include "OXSizeDockBar.h"
#include "OXWorkspaceState.h"
#include "WorkspaceFrame.h"

namespace {

const char kRegistryKey[] = "Pellucor Gallery";
const char kProfileName[] = "Workspace";

class CWorkspacePage : public CGalleryPage
{
public:
    ~CWorkspacePage() override
    {
        CloseFrame();
        for (const CString& strPath : m_strPaths)
            ::DeleteFileA(strPath);
        ::DeleteFileA(m_strFolder + "\\workspace.wsp");
        ::RemoveDirectoryA(m_strFolder);
    }

protected:
    void Populate() override
    {
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        m_strFolder.Format("%spellucor-gallery-workspace-%lu", szTemp, ::GetCurrentProcessId());
        ::CreateDirectoryA(m_strFolder, NULL);
        for (int i = 0; i < 3; i++) {
            m_strPaths[i].Format("%s\\phrases%d.kw", (LPCTSTR)m_strFolder, i + 1);
            CString strText;
            strText.Format("seed keyword %d", i + 1);
            WriteWorkspaceDocument(m_strPaths[i], strText);
        }
        NewRow("An MDI frame: move the bars, documents and splitter, then restart it");
        m_restart.Create("Restart", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(90, 24), this,
                         ID_WORKSPACE_RESTART);
        m_store.Create("Store", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(90, 24), this, ID_WORKSPACE_STORE);
        ApplyFont(&m_restart);
        ApplyFont(&m_store);
        OpenFrame(FALSE);
    }

    // The stack's first tab moved last and the middle one selected, then a
    // restart: the new frame shows them so.
    void ShowOff() override
    {
        if (!FrameAlive())
            return;
        COXSizeDockBar* pRight = DYNAMIC_DOWNCAST(COXSizeDockBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT));
        if (pRight != NULL) {
            pRight->m_wndTabContainer.InsertBar(m_pFrame->m_pStackBars[0], CWorkspaceFrame::nStackBars - 1, FALSE);
            pRight->m_wndTabContainer.SetCurSel(1);
            pRight->m_wndTabContainer.UpdateTabs();
            m_pFrame->RecalcLayout();
        }
        Restart();
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam != 0 && HIWORD(wParam) == BN_CLICKED) {
            if (LOWORD(wParam) == ID_WORKSPACE_RESTART) {
                Restart();
                return TRUE;
            }
            if (LOWORD(wParam) == ID_WORKSPACE_STORE) {
                Store();
                return TRUE;
            }
        }
        return CGalleryPage::OnCommand(wParam, lParam);
    }

    // The workspace state works on the thread's main window: the frame is
    // that window while it is stored or put back.
    struct CMainWindowAs
    {
        explicit CMainWindowAs(CWnd* pWnd) : m_pThread(AfxGetThread()), m_pSaved(m_pThread->m_pMainWnd)
        {
            m_pThread->m_pMainWnd = pWnd;
        }
        ~CMainWindowAs() { m_pThread->m_pMainWnd = m_pSaved; }
        CWinThread* m_pThread;
        CWnd* m_pSaved;
    };

    BOOL FrameAlive() const { return m_pFrame != NULL && ::IsWindow(m_hWndFrame); }

    BOOL Store()
    {
        if (!FrameAlive())
            return FALSE;
        CMainWindowAs main(m_pFrame);
        COXWorkspaceState state;
        const BOOL bRegistry =
            state.StoreToRegistry(NULL, kRegistryKey, kProfileName, HKEY_CURRENT_USER, TRUE, TRUE, TRUE);
        const BOOL bFile = bRegistry && state.StoreToFile(m_strFolder + "\\workspace.wsp", FALSE, FALSE, FALSE);
        Log("stored: registry %s, file %s, %d documents", bRegistry ? "yes" : "no", bFile ? "yes" : "no",
            (int)state.m_pChildFrameStates->GetSize());
        return bRegistry && bFile;
    }

    void Restart()
    {
        if (FrameAlive() && !Store())
            return;
        CloseFrame();
        OpenFrame(TRUE);
    }

    void OpenFrame(BOOL bRestore)
    {
        m_pFrame = new CWorkspaceFrame;
        if (!m_pFrame->CreateWorkspaceFrame(CRect(430, 40, 1030, 560))) {
            Log("the frame could not be made");
            return;
        }
        m_hWndFrame = m_pFrame->m_hWnd;
        // Documents open in the main window's MDI client.
        CMainWindowAs main(m_pFrame);
        CWinApp* pApp = AfxGetApp();
        pApp->m_nCmdShow = SW_SHOWNORMAL;
        BOOL bRestored = FALSE;
        if (bRestore) {
            COXWorkspaceState state;
            bRestored = state.LoadFromRegistry(NULL, kRegistryKey, kProfileName, HKEY_CURRENT_USER, TRUE);
            Log("restored: %s", bRestored ? "yes" : "no");
        }
        if (!bRestored) {
            for (int i = 0; i < 3; i++)
                (i == 1 ? WorkspaceSplitTemplate() : WorkspacePlainTemplate())->OpenDocumentFile(m_strPaths[i]);
            m_pFrame->MDICascade();
        }
        m_pFrame->ShowWindow(pApp->m_nCmdShow);
        m_pFrame->RecalcLayout();
    }

    void CloseFrame()
    {
        WorkspacePlainTemplate()->CloseAllDocuments(FALSE);
        WorkspaceSplitTemplate()->CloseAllDocuments(FALSE);
        if (FrameAlive())
            m_pFrame->DestroyWindow();
        m_pFrame = NULL;
        m_hWndFrame = NULL;
    }

    CButton m_restart, m_store;
    CWorkspaceFrame* m_pFrame = NULL;
    HWND m_hWndFrame = NULL;
    CString m_strFolder;
    CString m_strPaths[3];
};

GALLERY_PAGE(CWorkspacePage, "bars", "Workspace");

} // namespace
