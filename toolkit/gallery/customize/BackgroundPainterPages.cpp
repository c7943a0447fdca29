// Gallery: the background painter behind an MDI frame's client and its two
// docked tool bars, one picture across them all, the bars' buttons choosing
// how it is laid (tiled, stretched, centred, at the bottom right); and the
// button appearance dialog on a bitmap button.
#include "Gallery.h"

#include <afxext.h>

#include "OXBackgroundPainter.h"
#include "OXBitmapButton.h"
#include "OXButtonAppearanceDlg.h"

namespace {

// A 32 x 32 tile: a pale blue field crossed by darker diagonals, so that a
// seam between two painted windows would show as a broken line.
void MakeTile(COXDIB& dib)
{
    const int n = 32;
    dib.CreateEmpty(24, n, n);
    BYTE* pBits = (BYTE*)dib.FindDIBBits();
    const DWORD nRow = OXDIBLayout::RowBytes(24, n);
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++) {
            const bool bLine = (x + y) % 16 < 2 || (x - y + 32) % 32 == 0;
            BYTE* p = pBits + (size_t)(n - 1 - y) * nRow + 3 * x;
            p[0] = bLine ? 150 : 245;   // blue
            p[1] = bLine ? 110 : 225;
            p[2] = bLine ? 60 : 205;
        }
}

// Four 16 x 15 button pictures: coloured squares on a grey face.
HBITMAP MakeButtonImages()
{
    CClientDC screen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 64, 15);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 64, 15, RGB(192, 192, 192));
    const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 150, 40), RGB(40, 70, 200), RGB(220, 170, 20)};
    for (int i = 0; i < 4; i++)
        dc.FillSolidRect(i * 16 + 3, 2, 10, 10, colours[i]);
    dc.SelectObject(pOld);
    return (HBITMAP)bitmap.Detach();
}

// The tool bars' commands, each a way of laying the picture.
enum : UINT { ID_PAINT_TILED = 40001, ID_PAINT_STRETCHED, ID_PAINT_CENTER, ID_PAINT_BOTTOMRIGHT };
const int kPaintTypes[] = {OXPaintTiled, OXPaintStretched, OXPaintCenter, OXPaintBottomRight};

class CPaintedFrame : public CMDIFrameWnd
{
public:
    BOOL CreatePainted(CWnd* pGallery)
    {
        CRect rect;
        pGallery->GetWindowRect(&rect);
        if (!Create(NULL, "Background painter",
                    WS_OVERLAPPEDWINDOW, CRect(rect.right + 10, rect.top, rect.right + 650, rect.top + 440), pGallery))
            return FALSE;
        EnableDocking(CBRS_ALIGN_ANY);
        static const UINT ids[] = {ID_PAINT_TILED, ID_PAINT_STRETCHED, ID_SEPARATOR, ID_PAINT_CENTER,
                                   ID_PAINT_BOTTOMRIGHT};
        for (CToolBar& bar : m_bars) {
            if (!bar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS))
                return FALSE;
            bar.SetBitmap(MakeButtonImages());
            bar.SetButtons(ids, 5);
            bar.EnableDocking(CBRS_ALIGN_ANY);
        }
        DockControlBar(&m_bars[0], AFX_IDW_DOCKBAR_TOP);
        DockControlBar(&m_bars[1], AFX_IDW_DOCKBAR_LEFT);
        COXDIB tile;
        MakeTile(tile);
        m_organizer.AttachToThread(this, &tile, OXPaintTiled, OX_DEFAULT_BACKGROUND);
        CMDIChildWnd* pChild = new CMDIChildWnd;
        pChild->Create(NULL, "A child over the picture", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                       CRect(150, 120, 420, 260), this);
        ShowWindow(SW_SHOW);
        RecalcLayout();
        return TRUE;
    }

protected:
    void PostNcDestroy() override
    {
        m_organizer.DetachFromThread(FALSE);
        CMDIFrameWnd::PostNcDestroy();
    }

    // Every painted window lays the picture the chosen way; the button of
    // the way in use stays down.
    afx_msg void OnPaintType(UINT nID)
    {
        m_nPaintType = kPaintTypes[nID - ID_PAINT_TILED];
        m_organizer.SetPaintType(NULL, m_nPaintType, TRUE);
    }
    afx_msg void OnUpdatePaintType(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(kPaintTypes[pCmdUI->m_nID - ID_PAINT_TILED] == m_nPaintType);
    }

    CToolBar m_bars[2];
    COXBackgroundPainterOrganizer m_organizer;
    int m_nPaintType = OXPaintTiled;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedFrame, CMDIFrameWnd)
    ON_COMMAND_RANGE(ID_PAINT_TILED, ID_PAINT_BOTTOMRIGHT, &CPaintedFrame::OnPaintType)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PAINT_TILED, ID_PAINT_BOTTOMRIGHT, &CPaintedFrame::OnUpdatePaintType)
END_MESSAGE_MAP()

CWnd* OpenPaintedFrame(CWnd* pGallery)
{
    CPaintedFrame* pFrame = new CPaintedFrame;
    if (!pFrame->CreatePainted(pGallery)) {
        if (pFrame->GetSafeHwnd() != NULL)
            pFrame->DestroyWindow();   // deletes it
        else
            delete pFrame;
        return NULL;
    }
    return pFrame;
}

// The appearance dialog asked about a bitmap button; OK gives the button the
// text chosen, or none for an image-only style.
class CButtonAppearancePage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("A bitmap button and its appearance dialog");
        m_button.Create("Harvest", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_OWNERDRAW, NextRect(120, 40), this, 100);
        m_button.LoadIcon(IDI_APPLICATION, FALSE, 32, 32);
        ApplyFont(&m_button);
        m_edit.Create("Appearance...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(120, 26), this, 101);
        ApplyFont(&m_edit);
        MakeBlocks(this, m_images, {RGB(200, 40, 40), RGB(40, 150, 40), RGB(40, 70, 200), RGB(220, 170, 20)});
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == 101 && HIWORD(wParam) == BN_CLICKED)
            EditAppearance();
        return CGalleryPage::OnCommand(wParam, lParam);
    }
    void ShowOff() override { PostMessage(WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), (LPARAM)m_edit.m_hWnd); }

    void EditAppearance()
    {
        COXButtonAppearanceDlg dlg(this);
        dlg.m_pImageList = &m_images;
        dlg.m_nImageIndex = m_nImage;
        dlg.m_nStyle = m_nStyle;
        m_button.GetWindowText(dlg.m_sText);
        if (dlg.m_sText.IsEmpty())
            dlg.m_sText = m_sText;
        if (dlg.DoModal() != IDOK)
            return;
        m_nStyle = dlg.m_nStyle;
        m_nImage = dlg.m_nImageIndex;
        m_sText = dlg.m_sText;
        m_button.SetText(m_nStyle == 1 ? (LPCTSTR)m_sText : "");
        Log("style %d, image %d, text \"%s\"", m_nStyle, m_nImage, (LPCTSTR)m_sText);
    }

    COXBitmapButton m_button;
    CButton m_edit;
    CImageList m_images;
    int m_nStyle = 1;
    int m_nImage = 0;
    CString m_sText;
};

} // namespace

GALLERY_ENTRY("customize", "Background painter", OpenPaintedFrame);
GALLERY_PAGE(CButtonAppearancePage, "customize", "Button appearance dialog");
