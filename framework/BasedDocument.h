// BasedDocument.h - CBasedDocument: the framework's document base. It keeps
// nothing of its own; the program's document derives from it so that the
// modified flag and the new-document step have one home.
#pragma once

#include <afxwin.h>

class CBasedDocument : public CDocument
{
    DECLARE_DYNCREATE(CBasedDocument)
public:
    CBasedDocument() {}
    virtual ~CBasedDocument() {}

    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    BOOL OnNewDocument() override;

protected:
    DECLARE_MESSAGE_MAP()
};
