// The program's main view: the form with the keyword box, the result list and the Basket.
#pragma once

#include <afxcmn.h>
#include <afxext.h>
#include "resource.h"

class CPellucorDoc;

class CPellucorView : public CFormView {
 protected:
  CPellucorView();
  DECLARE_DYNCREATE(CPellucorView)

 public:
  enum { IDD = IDD_PELLUCOR_FORM };

  CPellucorDoc* GetDocument() const;

 protected:
  CComboBox m_wndKeyword;
  CListCtrl m_wndResults;
  CEdit m_wndBasket;

  void DoDataExchange(CDataExchange* pDX) override;
  void OnInitialUpdate() override;

  DECLARE_MESSAGE_MAP()
};
