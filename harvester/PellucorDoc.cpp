#include "PellucorDoc.h"

IMPLEMENT_DYNCREATE(CPellucorDoc, CDocument)

BEGIN_MESSAGE_MAP(CPellucorDoc, CDocument)
END_MESSAGE_MAP()

BOOL CPellucorDoc::OnNewDocument()
{
  return CDocument::OnNewDocument();
}
