// BasedDocument.cpp - CBasedDocument.
#include "BasedDocument.h"

IMPLEMENT_DYNCREATE(CBasedDocument, CDocument)

BEGIN_MESSAGE_MAP(CBasedDocument, CDocument)
END_MESSAGE_MAP()

BOOL CBasedDocument::IsModified()
{
    return m_bModified;
}

void CBasedDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CBasedDocument::OnNewDocument()
{
    return CDocument::OnNewDocument();
}
