// DCSelect.h - guards that set one attribute of a device context and put the
// first previous value back when they go out of scope (or on Restore), so
// that a drawing routine leaves the caller's DC as it found it.
#pragma once

#include <afxwin.h>

class CSelect
{
public:
    explicit CSelect(CDC* pDC) : m_pDC(pDC) {}
    virtual ~CSelect() {}
    virtual void Restore() = 0;
    CDC* GetDC() const { return m_pDC; }
protected:
    CDC* m_pDC;
private:
    CSelect(const CSelect&) = delete;
    void operator=(const CSelect&) = delete;
};

// A font the guard made itself.
class CMyFont : public CFont
{
public:
    CMyFont() {}
};

class CSelFont : public CSelect
{
public:
    explicit CSelFont(CDC* pDC) : CSelect(pDC), m_hOldFont(NULL) {}
    CSelFont(CDC* pDC, CFont* pFont) : CSelect(pDC), m_hOldFont(NULL) { Select(pFont); }
    CSelFont(CDC* pDC, const LOGFONT& lf) : CSelect(pDC), m_hOldFont(NULL) { Select(lf); }
    ~CSelFont() override { Restore(); }

    void Select(CFont* pFont);
    // Makes the font and keeps it until Restore.
    void Select(const LOGFONT& lf);
    void Restore() override;
private:
    HGDIOBJ m_hOldFont;          // NULL: nothing to restore
    CMyFont m_font;
};

class CSelBkMode : public CSelect
{
public:
    explicit CSelBkMode(CDC* pDC) : CSelect(pDC), m_nOldBkMode(0) {}
    CSelBkMode(CDC* pDC, int nBkMode) : CSelect(pDC), m_nOldBkMode(0) { Select(nBkMode); }
    ~CSelBkMode() override { Restore(); }
    void Select(int nBkMode);
    void Restore() override;
private:
    int m_nOldBkMode;            // 0: nothing to restore
};

class CSelTextColor : public CSelect
{
public:
    explicit CSelTextColor(CDC* pDC) : CSelect(pDC), m_clrOld(CLR_INVALID) {}
    CSelTextColor(CDC* pDC, COLORREF clr) : CSelect(pDC), m_clrOld(CLR_INVALID) { Select(clr); }
    ~CSelTextColor() override { Restore(); }
    void Select(COLORREF clr);
    void Restore() override;
private:
    COLORREF m_clrOld;           // CLR_INVALID: nothing to restore
};

class CSelTextAlign : public CSelect
{
public:
    explicit CSelTextAlign(CDC* pDC) : CSelect(pDC), m_nOldAlign(GDI_ERROR) {}
    CSelTextAlign(CDC* pDC, UINT nAlign) : CSelect(pDC), m_nOldAlign(GDI_ERROR) { Select(nAlign); }
    ~CSelTextAlign() override { Restore(); }
    void Select(UINT nAlign);
    void Restore() override;
private:
    UINT m_nOldAlign;            // GDI_ERROR: nothing to restore
};
