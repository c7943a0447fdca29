// ExportThread.h - CExportThread: the writer of one export. It builds the
// whole text of one format from the Basket lines its dialog holds (a copy made
// on the user-interface thread, so nothing it reads changes under it), writes
// it in one write through CFileHandle, and closes the dialog: the finished
// flag is set and WM_CLOSE posted on success and on failure alike. A failure
// (the file handle's message) is posted to the dialog, which shows it on the
// user-interface thread.
#pragma once

#include <afxwin.h>

class CExportAndCopy;

class CExportThread : public CWinThread
{
    DECLARE_DYNCREATE(CExportThread)
protected:
    CExportThread();   // created through its run-time class

public:
    CExportAndCopy* m_pOwner;   // set before the thread is resumed

    BOOL InitInstance() override;
    int Run() override;

protected:
    virtual ~CExportThread();
    DECLARE_MESSAGE_MAP()
};
