// COXShortkeysOrganizer: keyboard shortcuts changed while the program runs.
// Attached to a frame it copies the frame's accelerators and, for the main
// MDI frame, those of every document template into tables that can be
// edited, makes them live again, names shortcuts and reads names back, and
// keeps the tables in the registry ("AcceleratorsState").
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

struct _tagOXACCELTABLE
{
    CArray<ACCEL, const ACCEL&> m_accelerators;
    CDocTemplate* m_pDocTemplate;   // NULL: the frame's own table
};

class COXShortkeysOrganizer : public CObject
{
    DECLARE_DYNAMIC(COXShortkeysOrganizer)
public:
    COXShortkeysOrganizer();
    virtual ~COXShortkeysOrganizer();

    virtual void Serialize(CArchive& ar);
    virtual BOOL Attach(CFrameWnd* pFrameWnd, BOOL bBuild = TRUE);
    virtual BOOL Detach();
    virtual void SerializeAccelTable(CArchive& ar, _tagOXACCELTABLE* pTable);

    BOOL IsAttached() const { return m_pFrameWnd != NULL; }
    CFrameWnd* GetFrameWnd() const { return m_pFrameWnd; }
    int GetTableCount() const { return (int)m_arrAccelTables.GetSize(); }
    _tagOXACCELTABLE* GetTable(CDocTemplate* pDocTemplate) const;
    // The table at nIndex, in the order the tables were built; NULL past the end.
    _tagOXACCELTABLE* GetTableAt(int nIndex) const
    { return nIndex >= 0 && nIndex < GetTableCount() ? m_arrAccelTables[nIndex] : NULL; }

    BOOL BuildTables();
    BOOL AddTable(HACCEL hAccel, CDocTemplate* pDocTemplate);
    HACCEL CreateAccelTable(CDocTemplate* pDocTemplate);
    BOOL ApplyAccelerators();

    WORD GetCommand(BYTE fVirt, WORD key, CDocTemplate* pDocTemplate) const;
    WORD GetRemovedCommand(BYTE fVirt, WORD key, CDocTemplate* pDocTemplate) const;
    BOOL FindAccelerators(WORD cmd, CDocTemplate* pDocTemplate, CArray<ACCEL, const ACCEL&>& arrFound) const;
    BOOL FindRemovedAccelerators(WORD cmd, CDocTemplate* pDocTemplate, CArray<ACCEL, const ACCEL&>& arrFound) const;
    BOOL FindAllByKey(BYTE fVirt, WORD key, CArray<ACCEL, const ACCEL&>& arrFound) const;
    BOOL FindAllRemovedByKey(BYTE fVirt, WORD key, CArray<ACCEL, const ACCEL&>& arrFound) const;

    BOOL RemoveAccelerator(BYTE fVirt, WORD key, WORD cmd, CDocTemplate* pDocTemplate);
    BOOL RemoveAccelerator(const ACCEL* pAccel, CDocTemplate* pDocTemplate)
    { return RemoveAccelerator(pAccel->fVirt, pAccel->key, pAccel->cmd, pDocTemplate); }
    BOOL RemoveCommand(WORD cmd, CDocTemplate* pDocTemplate);
    BOOL AddAccelerator(BYTE fVirt, WORD key, WORD cmd, CDocTemplate* pDocTemplate, BOOL bReplace = FALSE);
    BOOL AddAccelerator(const ACCEL* pAccel, CDocTemplate* pDocTemplate, BOOL bReplace = FALSE)
    { return AddAccelerator(pAccel->fVirt, pAccel->key, pAccel->cmd, pDocTemplate, bReplace); }

    BOOL SaveState(LPCTSTR lpszSubKey);
    BOOL LoadState(LPCTSTR lpszSubKey, BOOL bApply = TRUE);

    static CString GetAccelKeyName(const ACCEL* pAccel);
    static BOOL ParseAccelKeyName(LPCTSTR lpszText, ACCEL* pAccel);
    static BOOL IsSameKey(const ACCEL& a, BYTE fVirt, WORD key)
    { return a.key == key && (a.fVirt & ~FNOINVERT) == (fVirt & ~FNOINVERT); }

protected:
    static void Empty(CArray<_tagOXACCELTABLE*, _tagOXACCELTABLE*>& arrTables);
    static _tagOXACCELTABLE* Find(const CArray<_tagOXACCELTABLE*, _tagOXACCELTABLE*>& arrTables,
                                  CDocTemplate* pDocTemplate);
    _tagOXACCELTABLE* RemovedTable(CDocTemplate* pDocTemplate);
    BOOL IsMainMDIFrame() const;
    BOOL IsTableInUse(HACCEL hAccel) const;
    // Destroys the tables made here that nothing translates with, and
    // forgets the others.
    void ReleaseCreatedTables();
    HKEY OpenProfileKey() const;

    CFrameWnd* m_pFrameWnd;
    CArray<_tagOXACCELTABLE*, _tagOXACCELTABLE*> m_arrAccelTables;
    CArray<HACCEL, HACCEL> m_arrCreatedAccel;
    CArray<_tagOXACCELTABLE*, _tagOXACCELTABLE*> m_arrRemovedAccel;
};
