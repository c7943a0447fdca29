// The frame element skin in the Office XP and Office 2003 looks: a flat
// 1-pixel border around a framed window (the properties window) and the
// colours of its frame. The Classic form (OXSkinElements.h) leaves the
// border to the system.
#pragma once

#include <afxwin.h>

#include "OXSkinElements.h"

class COXSkinXP;
class COXSkin2003;

class COXFrameSkinXP : public COXFrameSkin
{
public:
    explicit COXFrameSkinXP(COXSkinXP* pSkin) : m_pSkin(pSkin) {}

    // The whole window rectangle framed in the skin's frame border colour.
    void DrawBorder(CWnd* pWnd) override;
    // Grows rect by the 1-pixel border DrawBorder paints.
    void AdjustBorderRect(RECT& rect) override;
    COLORREF GetBackgroundColor() override;
    COLORREF GetBorderColor() override;

    // The border drawn into any DC, the window's rectangle at rectWindow.
    void DrawBorderOn(CDC* pDC, const RECT& rectWindow);

protected:
    COXSkinXP* m_pSkin;
};

// The 2003 frame fills with the dock bar background and takes its lines in
// the frame border colour.
class COXFrameSkin2003 : public COXFrameSkinXP
{
public:
    explicit COXFrameSkin2003(COXSkin2003* pSkin);

    COLORREF GetBackgroundColor() override;
    COLORREF GetBorderColor() override;
};
