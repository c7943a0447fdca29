#include "PellucorDoc.h"

IMPLEMENT_DYNCREATE(CPellucorDoc, CBasedDocument)

BEGIN_MESSAGE_MAP(CPellucorDoc, CBasedDocument)
END_MESSAGE_MAP()

CPellucorDoc* CPellucorDoc::s_pTheDocument = NULL;

CPellucorDoc::CPellucorDoc()
{
  s_pTheDocument = this;
}

CPellucorDoc::~CPellucorDoc()
{
  if (s_pTheDocument == this) s_pTheDocument = NULL;
}

BOOL CPellucorDoc::OnNewDocument()
{
  return CBasedDocument::OnNewDocument() ? TRUE : FALSE;
}

BOOL CPellucorDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
  return CDocument::OnSaveDocument(lpszPathName);
}
