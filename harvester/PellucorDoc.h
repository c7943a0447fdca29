// The program's single document.
#pragma once

#include <afxwin.h>

class CPellucorDoc : public CDocument {
 protected:
  CPellucorDoc() = default;
  DECLARE_DYNCREATE(CPellucorDoc)

 public:
  BOOL OnNewDocument() override;

 protected:
  DECLARE_MESSAGE_MAP()
};
