// The program's single document. It holds nothing of its own: the harvest and
// the Basket live in the view.
#pragma once

#include "BasedDocument.h"

class CPellucorDoc : public CBasedDocument {
 protected:
  CPellucorDoc();
  DECLARE_DYNCREATE(CPellucorDoc)

 public:
  virtual ~CPellucorDoc();

  // The one document of the program while it exists, else NULL.
  static CPellucorDoc* GetTheDocument() { return s_pTheDocument; }

  BOOL OnNewDocument() override;
  BOOL OnSaveDocument(LPCTSTR lpszPathName) override;

 protected:
  static CPellucorDoc* s_pTheDocument;

  DECLARE_MESSAGE_MAP()
};
