#include "PellucorView.h"

#include "PellucorDoc.h"

IMPLEMENT_DYNCREATE(CPellucorView, CFormView)

BEGIN_MESSAGE_MAP(CPellucorView, CFormView)
END_MESSAGE_MAP()

CPellucorView::CPellucorView() : CFormView(IDD) {}

CPellucorDoc* CPellucorView::GetDocument() const
{
  return static_cast<CPellucorDoc*>(m_pDocument);
}

void CPellucorView::DoDataExchange(CDataExchange* pDX)
{
  CFormView::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_KEYWORD, m_wndKeyword);
  DDX_Control(pDX, IDC_RESULTS, m_wndResults);
  DDX_Control(pDX, IDC_BASKET, m_wndBasket);
}

void CPellucorView::OnInitialUpdate()
{
  CFormView::OnInitialUpdate();
  m_wndResults.SetExtendedStyle(m_wndResults.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  CRect rc;
  m_wndResults.GetClientRect(&rc);
  m_wndResults.InsertColumn(0, "Keyword", LVCFMT_LEFT, rc.Width() - 103);
  m_wndResults.InsertColumn(1, "Queries", LVCFMT_RIGHT, 100);
}
