// cdxCDynamicBarDlg.cpp - cdxCDynamicBarDlg.
#include "cdxCDynamicBarDlg.h"

IMPLEMENT_DYNAMIC(cdxCDynamicBarDlg, cdxCDynamicDialog)

cdxCDynamicBarDlg::cdxCDynamicBarDlg(UINT nIDTemplate, CWnd* pParent)
    : cdxCDynamicDialog(nIDTemplate, pParent, fdAll, flAntiFlicker), m_nIDBarTemplate(nIDTemplate)
{
}
