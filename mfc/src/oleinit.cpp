// OLE start-up and shut-down, per thread.
#include "afxole.h"

namespace {

// OLE must be shut down on the thread that started it. The thread's own
// state does that when the thread ends (for the main thread: at exit), unless
// AfxOleTerm did it earlier.
struct OleThreadState
{
    BOOL bInitialized = FALSE;
    ~OleThreadState()
    {
        if (bInitialized)
            OleUninitialize();
    }
};

thread_local OleThreadState t_oleState;

}  // namespace

BOOL AFXAPI AfxOleInit()
{
    if (t_oleState.bInitialized)
        return TRUE;
    if (FAILED(OleInitialize(NULL)))
        return FALSE;
    t_oleState.bInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxOleTerm(BOOL bJustRevoke)
{
    if (bJustRevoke || !t_oleState.bInitialized)
        return;
    t_oleState.bInitialized = FALSE;
    OleUninitialize();
}
