// The menu element skins: how a bitmap menu's owner-drawn items are laid out
// and drawn, and, in the flat forms, how the popup menu window itself looks
// (flat border, image column, drop shadow, the join with the bar item that
// opened it).
//
//   COXMenuSkinClassic  system colours, 3D edges, the stock popup window
//   COXMenuSkinXP       flat items on the scheme's colours, shadowed popups
//   COXMenuSkin2003     the XP form with gradient image columns and joins
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class COXBitmapMenu;
class COXShadowedItemWnd;
class COXSkinXP;
class COXSkin2003;
struct COXImageInfo;

// Item state bits a bitmap menu adds to the owner-draw state of an item that
// is shown only once the menu has been expanded (a rarely used item).
#define OXODS_HIDDEN        0x1000
#define OXODS_HIDDENFIRST   0x2000
#define OXODS_HIDDENLAST    0x4000

// The distances a menu skin lays items out with.
struct OXMENUSKINMETRICS
{
    int m_nImageLeft;          // item's left edge to the image
    int m_nImageColumnPad;     // added to the image width for the image column
    int m_nTextGap;            // image column to text
    int m_nRightTextGap;       // text to shortcut, only when the menu has shortcuts
    int m_nShortcutRight;      // shortcut to the item's right edge
    int m_nTextMargin;         // added to the text height for an item's height
    int m_nImageMargin;        // added to the image height for an item's height
    int m_nSeparatorHeight;
    int m_nMinImageWidth;
    int m_nMenuBarButtonPad;   // added to each button's text width in a menu bar
};

class COXMenuSkin
{
public:
    virtual ~COXMenuSkin() {}

    virtual void DrawBackground(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectText,
                                const RECT& rectImage, COXBitmapMenu* pMenu) = 0;
    // The frame behind an item's image.
    virtual void DrawButton(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectFrame,
                            COXBitmapMenu* pMenu) = 0;
    virtual void DrawImage(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectImage,
                           COXBitmapMenu* pMenu) = 0;
    // lpszText is the item's whole text: label, a tab, shortcut.
    virtual void DrawText(CDC* pDC, UINT nState, LPCTSTR lpszText, const RECT& rectText,
                          const RECT& rectShortcut, COXBitmapMenu* pMenu) = 0;
    virtual void DrawSeparator(CDC* pDC, const RECT& rect, COXBitmapMenu* pMenu) = 0;
    // The frame of the item selected while the menu is customized.
    virtual void DrawCustomized(CDC* pDC, const RECT& rect, COXBitmapMenu* pMenu) = 0;
    // A bar with end ticks along the item's top (bBefore) or bottom, in the
    // DC's current pen.
    virtual void DrawInsertMark(CDC* pDC, const RECT& rect, BOOL bBefore, COXBitmapMenu* pMenu);
    // A whole item that opens a submenu.
    virtual void DrawSubmenuItem(CDC* pDC, UINT nState, LPCTSTR lpszText, COXImageInfo* pImageInfo,
                                 const RECT& rectImageFrame, const RECT& rectImage, const RECT& rectText,
                                 const RECT& rectShortcut, COXBitmapMenu* pMenu) = 0;
    // The item that shows a menu's hidden items.
    virtual void DrawExpansionItem(CDC* pDC, const RECT& rect, UINT nState, COXBitmapMenu* pMenu) = 0;
    // The arrow of an item that opens a submenu, at the item's right end
    // (SubmenuArrowRect), in the colour of the item's text.
    virtual void DrawSubmenuArrow(CDC* pDC, UINT nState, const RECT& rectItem, COXBitmapMenu* pMenu) = 0;
    virtual const OXMENUSKINMETRICS& GetMetrics() const = 0;
    // The window that stands for a bar item while its popup is open
    // (COXShadowedItemWnd); FALSE leaves it to default painting.
    virtual BOOL PaintShadowedItem(CWnd* pItemWnd) { (void)pItemWnd; return FALSE; }
    // Which sides of an item's frame are drawn, and which shadow bands
    // (1 right, 2 bottom), for a popup at nSide (1 below, 2 right, 4 left,
    // 8 above): the side that touches the popup stays open.
    static void ShadowedItemSides(int nSide, BOOL& bLeft, BOOL& bTop, BOOL& bRight, BOOL& bBottom, int& nBands);
    // Every message of every popup menu window of the process comes here,
    // with the system's own procedure.
    virtual LRESULT PopupWindowProc(WNDPROC pfnOld, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        return ::CallWindowProc(pfnOld, hWnd, nMsg, wParam, lParam);
    }
    // The frame of the window that shows a menu while it is customized;
    // FALSE leaves it to the window's default painting.
    virtual BOOL DrawPopupNonClient(CWnd* /*pPopup*/) { return FALSE; }
    // A separator's measured height in this skin.
    virtual void AdjustSeparatorHeight(UINT& /*nHeight*/) {}
    // Splits an item into the frame behind its image, the image, the text
    // and the shortcut text.
    virtual void DistributeSpace(const RECT& rectItem, COXImageInfo* pImageInfo, RECT& rectImageFrame,
                                 RECT& rectImage, RECT& rectText, RECT& rectShortcut, COXBitmapMenu* pMenu);

    // The label and shortcut parts of an item's text (split at the first tab).
    static void SplitText(LPCTSTR lpszText, CString& strLabel, CString& strShortcut);
    // The image rectangle of an image in its list, at (0, 0); empty without.
    static CRect ImageRect(COXImageInfo* pImageInfo);
    // The right end of an item where its submenu arrow goes: room for the
    // arrow the system draws after an owner-drawn item, which the menu keeps
    // out of there once the skin has drawn its own.
    static CRect SubmenuArrowRect(const RECT& rectItem);

protected:
    // The "Marlett" glyph of arrows, at the menu check mark's height.
    static void DrawGlyph(CDC* pDC, const RECT& rect, LPCTSTR lpszGlyph, COLORREF clr, UINT nFormat);
    // A small arrow pointing right, centred in rect.
    static void DrawArrow(CDC* pDC, const RECT& rect, COLORREF clr);
    // Label and shortcut drawn with DrawState in clr.
    static void DrawLabelAndShortcut(CDC* pDC, LPCTSTR lpszText, const RECT& rectText,
                                     const RECT& rectShortcut, COLORREF clr, UINT nStateFlags);
};

class COXMenuSkinClassic : public COXMenuSkin
{
public:
    COXMenuSkinClassic();

    void DrawBackground(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectText,
                        const RECT& rectImage, COXBitmapMenu* pMenu) override;
    void DrawButton(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectFrame,
                    COXBitmapMenu* pMenu) override;
    void DrawImage(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectImage,
                   COXBitmapMenu* pMenu) override;
    void DrawText(CDC* pDC, UINT nState, LPCTSTR lpszText, const RECT& rectText, const RECT& rectShortcut,
                  COXBitmapMenu* pMenu) override;
    void DrawSeparator(CDC* pDC, const RECT& rect, COXBitmapMenu* pMenu) override;
    void DrawCustomized(CDC* pDC, const RECT& rect, COXBitmapMenu* pMenu) override;
    void DrawSubmenuItem(CDC* pDC, UINT nState, LPCTSTR lpszText, COXImageInfo* pImageInfo,
                         const RECT& rectImageFrame, const RECT& rectImage, const RECT& rectText,
                         const RECT& rectShortcut, COXBitmapMenu* pMenu) override;
    void DrawExpansionItem(CDC* pDC, const RECT& rect, UINT nState, COXBitmapMenu* pMenu) override;
    void DrawSubmenuArrow(CDC* pDC, UINT nState, const RECT& rectItem, COXBitmapMenu* pMenu) override;
    const OXMENUSKINMETRICS& GetMetrics() const override { return m_metrics; }

    // Where the text area's fill starts (the image area's right edge or
    // further right, by the item's kind).
    static int TextFillLeft(UINT nState, BOOL bCheckImage, const RECT& rectImage, int nImageWidth,
                            int nImageLeft);
    static COLORREF TextColor(UINT nState);

protected:
    OXMENUSKINMETRICS m_metrics;
};

class COXMenuSkinXP : public COXMenuSkin
{
public:
    explicit COXMenuSkinXP(COXSkinXP* pSkin);

    void DrawBackground(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectText,
                        const RECT& rectImage, COXBitmapMenu* pMenu) override;
    void DrawButton(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectFrame,
                    COXBitmapMenu* pMenu) override;
    void DrawImage(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectImage,
                   COXBitmapMenu* pMenu) override;
    void DrawText(CDC* pDC, UINT nState, LPCTSTR lpszText, const RECT& rectText, const RECT& rectShortcut,
                  COXBitmapMenu* pMenu) override;
    void DrawSeparator(CDC* pDC, const RECT& rect, COXBitmapMenu* pMenu) override;
    void DrawCustomized(CDC* pDC, const RECT& rect, COXBitmapMenu* pMenu) override;
    void DrawSubmenuItem(CDC* pDC, UINT nState, LPCTSTR lpszText, COXImageInfo* pImageInfo,
                         const RECT& rectImageFrame, const RECT& rectImage, const RECT& rectText,
                         const RECT& rectShortcut, COXBitmapMenu* pMenu) override;
    void DrawExpansionItem(CDC* pDC, const RECT& rect, UINT nState, COXBitmapMenu* pMenu) override;
    void DrawSubmenuArrow(CDC* pDC, UINT nState, const RECT& rectItem, COXBitmapMenu* pMenu) override;
    const OXMENUSKINMETRICS& GetMetrics() const override { return m_metrics; }
    LRESULT PopupWindowProc(WNDPROC pfnOld, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    BOOL DrawPopupNonClient(CWnd* pPopup) override;
    void AdjustSeparatorHeight(UINT& nHeight) override { nHeight = nHeight / 2 + 1; }
    void DistributeSpace(const RECT& rectItem, COXImageInfo* pImageInfo, RECT& rectImageFrame,
                         RECT& rectImage, RECT& rectText, RECT& rectShortcut, COXBitmapMenu* pMenu) override;

    virtual void DrawImageColumn(CDC* pDC, const RECT& rect);
    // Where a popup meets the bar item that opened it, the border is drawn over.
    virtual void DrawItemJoin(CDC* pDC, const RECT& rect);
    virtual void FillItemBackground(HDC hDC, const RECT& rect);

    // The popup's drop shadow, in the 4 pixels right of and below its frame
    // (rectPopup and rectOpener on the screen, drawn into the popup's window
    // DC). The colours under the shadow come from the screen, or from
    // *pSaved when it holds them already; when it is empty they are kept in
    // it, in the order they are read.
    // nBands: 1 the right band only, 2 the bottom one only, 3 both.
    void DrawShadow(HDC hDC, const RECT& rectPopup, const RECT& rectOpener, CArray<COLORREF, COLORREF>* pSaved,
                    int nBands = 3);
    BOOL PaintShadowedItem(CWnd* pItemWnd) override;
    // How much the shadow darkens a pixel (out of 255; 255 leaves it), at
    // index i along an edge n pixels long, k pixels in from the outside;
    // bTail covers the edge's last four pixels (the right edge's bottom).
    static int ShadowFactor(int i, int n, int k, BOOL bTail);
    static COLORREF Darken(COLORREF clr, int nFactor)
    {
        return RGB(::MulDiv(GetRValue(clr), nFactor, 255), ::MulDiv(GetGValue(clr), nFactor, 255),
                   ::MulDiv(GetBValue(clr), nFactor, 255));
    }
    // The image column of an item, from its left edge.
    CRect ImageColumn(const RECT& rectItem, int nImageWidth) const;
    // The part of a popup's frame a join is drawn over: rectOpener (on the
    // screen) when it touches rectFrame's top or bottom, deflated by 1
    // horizontally and inflated by 1 vertically; the other way round when
    // it touches a side; empty when it touches neither.
    static CRect JoinRect(const RECT& rectFrame, const RECT& rectOpener);
    // The position a popup window was last placed at, when known.
    BOOL GetPopupPos(HWND hWnd, CPoint& pt) const { return m_mapPopupPos.Lookup(hWnd, pt); }
    int GetPopupPosCount() const { return (int)m_mapPopupPos.GetCount(); }

    COXSkinXP* GetSkin() const { return m_pSkin; }

    // Where a window's client area lies in the window.
    static CPoint ClientOffset(HWND hWnd);
    // Whether the system gave a popup window a frame of its own around its
    // client area; without one it draws its border and margins in the
    // client, and the skin paints its frame after it.
    static BOOL HasOwnFrame(HWND hWnd);

protected:
    // The popup's border, column, shadow and join into hDC (window
    // coordinates); bPrint draws for an animation frame (no saved colours,
    // border in the shadow colour).
    // Whether a selected image stands out above its shadow.
    virtual BOOL RaisesSelectedImage() const { return TRUE; }
    // An item's or a separator's part of the image column, within rectItem;
    // bHidden for a rarely used item.
    virtual void DrawItemColumn(CDC* pDC, const RECT& rectItem, BOOL bHidden, COXBitmapMenu* pMenu);
    void PaintPopupFrame(HWND hWnd, HDC hDC, COXBitmapMenu* pMenu, BOOL bPrint);
    // The shadow of a shadowed item window, from what was under it.
    void PaintItemShadow(CDC* pDC, COXShadowedItemWnd* pWnd);
    // What a shadowed item shows over the button it covers, and its frame.
    virtual void FillShadowedItem(CDC*, const CRect&, COXShadowedItemWnd*) {}
    virtual COLORREF ShadowedItemBorderColor() const;
    LRESULT OnPrint(WNDPROC pfnOld, HWND hWnd, HDC hDC, LPARAM lParam, COXBitmapMenu* pMenu);

    COXSkinXP* m_pSkin;
    OXMENUSKINMETRICS m_metrics;
    CMap<HWND, HWND, CPoint, CPoint> m_mapPopupPos;
};

class COXMenuSkin2003 : public COXMenuSkinXP
{
public:
    explicit COXMenuSkin2003(COXSkin2003* pSkin);

    void DrawImageColumn(CDC* pDC, const RECT& rect) override;
    void DrawItemJoin(CDC* pDC, const RECT& rect) override;
    void FillItemBackground(HDC, const RECT&) override {}

protected:
    void DrawItemColumn(CDC* pDC, const RECT& rectItem, BOOL bHidden, COXBitmapMenu* pMenu) override;
    BOOL RaisesSelectedImage() const override { return FALSE; }
    void FillShadowedItem(CDC* pDC, const CRect& rect, COXShadowedItemWnd* pWnd) override;
    COLORREF ShadowedItemBorderColor() const override;
    COXSkin2003* Skin2003() const;
};

// The menu element of the application's current skin, else the one Classic
// element all bitmap menus of the process share.
COXMenuSkin* AFXAPI OXGetMenuSkin();
// Deletes the shared Classic element (the next request makes a new one).
void OXReleaseSharedMenuSkin();
