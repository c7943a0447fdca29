// COXChildFrameState: the record of one document frame window: its window
// placement, its document's path, the classes of document, frame and view,
// and its splitter's row and column sizes. A saved workspace keeps one per
// MDI child and later opens the document again in a frame of the same kind,
// where it was.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class COXChildFrameState : public CObject
{
    DECLARE_SERIAL(COXChildFrameState)
public:
    COXChildFrameState();
    virtual ~COXChildFrameState();

    virtual BOOL ComputeProperties(CWnd* pFrame);
    virtual BOOL ApplyProperties();
    virtual BOOL ComputeSplitterProperties(CWnd* pFrame);
    virtual BOOL ApplySplitterProperties(CWnd* pFrame);
    virtual void StoreProperties(CArchive& ar);
    virtual void LoadProperties(CArchive& ar);
    virtual void Serialize(CArchive& ar);

    // The names other parts of the toolkit call.
    BOOL Capture(CWnd* pFrame) { return ComputeProperties(pFrame); }
    BOOL Apply() { return ApplyProperties(); }
    void SetSaveSplitterState(BOOL bSave) { m_bSaveSplitterState = bSave; }

    // The frame ApplyProperties last opened or made.
    CFrameWnd* GetAppliedFrame() const { return m_pAppliedFrame; }

    WINDOWPLACEMENT m_windowPlacement;
    CString m_sDocumentPath;
    CString m_sDocumentClass;
    CString m_sFrameClass;
    CString m_sViewClass;
    BOOL m_bSaveSplitterState;
    CObArray* m_pSplitterStates;
    int m_nSchema;

protected:
    void EmptySplitterStates();
    static CView* FindView(CWnd* pFrame);
    CDocTemplate* FindTemplate() const;

    CFrameWnd* m_pAppliedFrame;
};
