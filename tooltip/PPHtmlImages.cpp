// PPHtmlImages.cpp - CPPHtmlDrawer: pictures (resources, libraries, files,
// handles, the image list), their effects and shadow, hot areas, the hand
// cursor and following links.
#include "PPHtmlDrawer.h"
#include <stdlib.h>
#include <algorithm>

namespace {

const int kMaxPictureSide = 4096;

CPPLinkOpener g_defaultOpener;
CPPLinkOpener* g_pOpener = &g_defaultOpener;

// The module that holds a resource: the application's resource module, else
// the program itself.
HINSTANCE FindModule(UINT nID, LPCSTR lpszType)
{
    return AfxFindResourceHandle(MAKEINTRESOURCE(nID), lpszType);
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// A picture dimension: a percentage of the picture's own size or pixels.
int PictureDimension(CPPHtmlDrawer& drawer, const std::string& value, int own)
{
    if (value.empty())
        return own;
    if (value[value.size() - 1] == '%')
        return ::MulDiv(own, atoi(value.c_str()), 100);
    return drawer.GetLengthUnit(value.c_str(), own);
}

}  // namespace

// ---------------------------------------------------------------------------
// Loaders
// ---------------------------------------------------------------------------

HICON CPPHtmlDrawer::LoadIconResource(UINT nID, int cx, int cy)
{
    if (nID == 0)
        return NULL;
    return (HICON)::LoadImageA(FindModule(nID, RT_GROUP_ICON), MAKEINTRESOURCE(nID), IMAGE_ICON, cx, cy,
                               LR_DEFAULTCOLOR);
}

HICON CPPHtmlDrawer::LoadIconFile(LPCTSTR lpszPath, int cx, int cy)
{
    if (!lpszPath || !*lpszPath)
        return NULL;
    return (HICON)::LoadImageA(NULL, lpszPath, IMAGE_ICON, cx, cy, LR_LOADFROMFILE);
}

// A library named here is mapped as data only: none of its code runs.
HICON CPPHtmlDrawer::LoadIconFromLibrary(UINT nID, int cx, int cy, LPCTSTR lpszLibrary)
{
    if (nID == 0)
        return NULL;
    HINSTANCE hInst = m_hResInst;
    bool bFree = false;
    if (lpszLibrary && *lpszLibrary) {
        hInst = ::LoadLibraryExA(lpszLibrary, NULL, LOAD_LIBRARY_AS_DATAFILE);
        bFree = true;
    }
    if (!hInst)
        return NULL;
    HICON h = (HICON)::LoadImageA(hInst, MAKEINTRESOURCE(nID), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR);
    if (bFree)
        ::FreeLibrary(hInst);
    return h;
}

HBITMAP CPPHtmlDrawer::LoadBitmapResource(UINT nID)
{
    if (nID == 0)
        return NULL;
    return (HBITMAP)::LoadImageA(FindModule(nID, RT_BITMAP), MAKEINTRESOURCE(nID), IMAGE_BITMAP, 0, 0,
                                 LR_DEFAULTCOLOR);
}

HBITMAP CPPHtmlDrawer::LoadBitmapFile(LPCTSTR lpszPath)
{
    if (!lpszPath || !*lpszPath)
        return NULL;
    return (HBITMAP)::LoadImageA(NULL, lpszPath, IMAGE_BITMAP, 0, 0,
                                 LR_CREATEDIBSECTION | LR_DEFAULTSIZE | LR_LOADFROMFILE);
}

HBITMAP CPPHtmlDrawer::LoadBitmapFromLibrary(UINT nID, LPCTSTR lpszLibrary)
{
    if (nID == 0)
        return NULL;
    HINSTANCE hInst = m_hResInst;
    bool bFree = false;
    if (lpszLibrary && *lpszLibrary) {
        hInst = ::LoadLibraryExA(lpszLibrary, NULL, LOAD_LIBRARY_AS_DATAFILE);
        bFree = true;
    }
    if (!hInst)
        return NULL;
    HBITMAP h = (HBITMAP)::LoadImageA(hInst, MAKEINTRESOURCE(nID), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
    if (bFree)
        ::FreeLibrary(hInst);
    return h;
}

// A module the drawer loaded itself is freed when another takes its place; a
// module the caller gave stays the caller's, and the caller may replace it.
void CPPHtmlDrawer::SetResourceModule(HINSTANCE hInst)
{
    if (m_bFreeResInst && m_hResInst)
        ::FreeLibrary(m_hResInst);
    m_hResInst = hInst;
    m_bFreeResInst = FALSE;
}

void CPPHtmlDrawer::SetResourceModuleFile(LPCTSTR lpszPath, DWORD dwFlags)
{
    HINSTANCE hInst = (lpszPath && *lpszPath) ? ::LoadLibraryExA(lpszPath, NULL, dwFlags) : NULL;
    SetResourceModule(hInst);
    m_bFreeResInst = hInst != NULL;
}

// A new bitmap replaces the list: the old list is destroyed and a new one made.
void CPPHtmlDrawer::SetImageList(HBITMAP hBitmap, int cx, int cy, int nCount, COLORREF crMask)
{
    if (m_hImageList) {
        ImageList_Destroy(m_hImageList);
        m_hImageList = NULL;
    }
    if (!hBitmap)
        return;
    m_hImageList = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, nCount, 1);
    if (!m_hImageList)
        return;
    ImageList_AddMasked(m_hImageList, hBitmap, crMask);
    m_szImageList_cx = cx;
    m_szImageList_cy = cy;
}

void CPPHtmlDrawer::SetImageListFromResource(UINT nIdBitmap, int cx, int cy, int nCount, COLORREF crMask)
{
    HBITMAP hbm = LoadBitmapResource(nIdBitmap);
    SetImageList(hbm, cx, cy, nCount, crMask);
    if (hbm)
        ::DeleteObject(hbm);
}

void CPPHtmlDrawer::SetImageShadow(int nOffsetX, int nOffsetY, BYTE nDarkenPercent, BOOL bGradient,
                                   int nDepthX, int nDepthY)
{
    m_nShadowOffsetX = nOffsetX;
    m_nShadowOffsetY = nOffsetY;
    m_nShadowDarkness = nDarkenPercent > 100 ? 100 : nDarkenPercent;
    m_bGradientShadow = bGradient;
    m_nShadowDepthX = nDepthX;
    m_nShadowDepthY = nDepthY;
    const BYTE grey = (BYTE)::MulDiv(255, 100 - m_nShadowDarkness, 100);
    m_crShadow = RGB(grey, grey, grey);
}

DWORD CPPHtmlDrawer::ParseImageStyle(const CString& str) const
{
    DWORD style = 0;
    for (int i = 0; i < str.GetLength(); ++i) {
        switch (str[i]) {
        case 'g': style |= IMAGE_EFFECT_GRAYEN; break;
        case 'd': style |= IMAGE_EFFECT_DARKEN; break;
        case 'l': style |= IMAGE_EFFECT_LIGHTEN; break;
        case 's':
            if (m_nShadowOffsetX || m_nShadowOffsetY)
                style |= m_bGradientShadow ? IMAGE_EFFECT_BLURRED_SHADOW : IMAGE_EFFECT_SHADOW;
            break;
        default: break;
        }
    }
    return style;
}

// ---------------------------------------------------------------------------
// Pictures in the text
// ---------------------------------------------------------------------------

void CPPHtmlDrawer::DrawPicture(const std::string& name, const std::string& tag, bool bMeasure)
{
    const bool bBmp = name == "bmp", bIcon = name == "icon";
    UINT idres = 0, iddll = 0;
    bool bIdres = false, bIddll = false, bHandle = false, bFile = false;
    unsigned long long handle = 0;
    std::string file, srcdll, width = "100%", height = "100%";
    COLORREF crMask = RGB(255, 0, 255);
    BOOL bMask = FALSE;
    DWORD style = 0, hotstyle = 0;
    int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
    bool bSizeGiven = false;
    int index = 0;

    size_t pos = 0;
    TagName(tag, pos);
    std::string an, av;
    while (NextAttribute(tag, pos, an, av)) {
        const CString v(av.c_str());
        if (an == "index") {
            index = atoi(av.c_str());
        } else if (an == "idres") {
            idres = (UINT)strtoul(av.c_str(), NULL, 0);
            bIdres = true;
        } else if (an == "iddll") {
            iddll = (UINT)strtoul(av.c_str(), NULL, 0);
            bIddll = true;
        } else if (an == "handle") {
            handle = strtoull(av.c_str(), NULL, 0);
            bHandle = true;
        } else if (an == "file") {
            file = av;
            bFile = true;
        } else if (an == "srcdll") {
            srcdll = av;
        } else if (an == "mask") {
            crMask = GetStyleColor(v, crMask);
            bMask = TRUE;
        } else if (an == "style") {
            style = hotstyle = ParseImageStyle(v);
        } else if (an == "hotstyle") {
            hotstyle = ParseImageStyle(v);
        } else if (an == "cx") {
            cx = GetLengthUnit(v, cx);
            bSizeGiven = true;
        } else if (an == "cy") {
            cy = GetLengthUnit(v, cy);
            bSizeGiven = true;
        } else if (an == "width") {
            width = av;
        } else if (an == "height") {
            height = av;
        }
    }
    cx = Clamp(cx, 0, 256);
    cy = Clamp(cy, 0, 256);
    const bool bSource = bIdres || bFile || bIddll || bHandle;
    if (!bSource && (bBmp || bIcon))
        return;

    // Load what the tag names; pictures loaded here are freed at the end.
    HBITMAP hBitmap = NULL;
    HICON hIcon = NULL;
    bool bOwned = true;
    int w = 0, h = 0;
    if (bIcon) {
        // The drawn size is "width" and "height" over the icon's size; an
        // icon the drawer loads is loaded at the drawn size, unless "cx" and
        // "cy" ask for another, so that a 16-pixel request takes the icon's
        // own 16-pixel image rather than a shrunk large one.
        if (bHandle && !bIdres && !bFile && !bIddll && !bSizeGiven) {
            SIZE own = CPPDrawManager::MeasureIcon((HICON)(UINT_PTR)handle);
            cx = Clamp(own.cx, 0, 256);
            cy = Clamp(own.cy, 0, 256);
        }
        w = Clamp(PictureDimension(*this, width, cx), 0, 256);
        h = Clamp(PictureDimension(*this, height, cy), 0, 256);
        const int loadCx = bSizeGiven ? cx : w, loadCy = bSizeGiven ? cy : h;
        if (bIdres)
            hIcon = LoadIconResource(idres, loadCx, loadCy);
        else if (bFile)
            hIcon = LoadIconFile(file.c_str(), loadCx, loadCy);
        else if (bIddll)
            hIcon = LoadIconFromLibrary(iddll, loadCx, loadCy, srcdll.c_str());
        else {
            hIcon = (HICON)(UINT_PTR)handle;
            bOwned = false;
        }
        if (!hIcon)
            return;
    } else if (bSource) {
        if (bIdres)
            hBitmap = LoadBitmapResource(idres);
        else if (bFile)
            hBitmap = LoadBitmapFile(file.c_str());
        else if (bIddll)
            hBitmap = LoadBitmapFromLibrary(iddll, srcdll.c_str());
        else {
            hBitmap = (HBITMAP)(UINT_PTR)handle;
            bOwned = false;
            if (::GetObjectType(hBitmap) != OBJ_BITMAP)
                hBitmap = NULL;
        }
        if (!hBitmap)
            return;
        SIZE own = CPPDrawManager::MeasureBitmap(hBitmap);
        if (!bBmp) {
            // A strip of cells cx x cy, read row by row: cell "index" is copied out.
            const int perRow = cx > 0 ? own.cx / cx : 0, rows = cy > 0 ? own.cy / cy : 0;
            HBITMAP cell = NULL;
            if (index >= 0 && perRow > 0 && index < perRow * rows) {
                HDC src = ::CreateCompatibleDC(m_hDC), dst = ::CreateCompatibleDC(m_hDC);
                cell = ::CreateCompatibleBitmap(m_hDC, cx, cy);
                if (src && dst && cell) {
                    HGDIOBJ o1 = ::SelectObject(src, hBitmap), o2 = ::SelectObject(dst, cell);
                    ::BitBlt(dst, 0, 0, cx, cy, src, (index % perRow) * cx, (index / perRow) * cy, SRCCOPY);
                    ::SelectObject(src, o1);
                    ::SelectObject(dst, o2);
                }
                if (src)
                    ::DeleteDC(src);
                if (dst)
                    ::DeleteDC(dst);
            }
            if (bOwned)
                ::DeleteObject(hBitmap);
            hBitmap = cell;
            bOwned = true;
            if (!hBitmap)
                return;
            own.cx = cx;
            own.cy = cy;
        }
        w = PictureDimension(*this, width, own.cx);
        h = PictureDimension(*this, height, own.cy);
    } else {
        // An entry of the image list.
        if (!m_hImageList || index < 0 || index >= ImageList_GetImageCount(m_hImageList))
            return;
        w = PictureDimension(*this, width, m_szImageList_cx);
        h = PictureDimension(*this, height, m_szImageList_cy);
        if (!bMeasure)
            hIcon = ImageList_GetIcon(m_hImageList, index, ILD_NORMAL);
    }
    w = Clamp(w, 0, kMaxPictureSide);
    h = Clamp(h, 0, kMaxPictureSide);

    const bool bShadow = (HasShadowStyle(style) || HasShadowStyle(hotstyle)) && w && h;
    const int boxW = w + (bShadow ? m_nShadowOffsetX : 0), boxH = h + (bShadow ? m_nShadowOffsetY : 0);
    if (bMeasure) {
        m_line.nHorzAlign = m_defStyle.nHorzAlign;
        m_nLineAscent = std::max(m_nLineAscent, boxH);
    } else {
        const int top = ItemTop(boxH, 0, true);
        RECT rc = {m_x, top, m_x + boxW, top + boxH};
        AddHotArea(rc);
        const bool bHot = m_defStyle.nTypeLink != HTML_LINK_NONE && m_nCurIndexLink == m_nCurrentHotId;
        const DWORD effects = bHot ? hotstyle : style;
        if (hBitmap)
            m_drawmanager.DrawBitmapWithEffects(m_hDC, m_x, top, w, h, hBitmap, bMask, crMask, effects, bShadow,
                                                m_nShadowOffsetX, m_nShadowOffsetY, m_nShadowDepthX,
                                                m_nShadowDepthY, m_crShadow);
        else if (hIcon)
            m_drawmanager.DrawIconWithEffects(m_hDC, m_x, top, w, h, hIcon, effects, bShadow, m_nShadowOffsetX,
                                              m_nShadowOffsetY, m_nShadowDepthX, m_nShadowDepthY, m_crShadow);
    }
    m_x += boxW;
    if (bOwned) {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        if (hIcon)
            ::DestroyIcon(hIcon);
    }
}

// ---------------------------------------------------------------------------
// Cursor, hot areas and links
// ---------------------------------------------------------------------------

// The hand cursor of the system help program, else the system's own hand.
void CPPHtmlDrawer::SetHyperlinkCursor(HCURSOR hCursor)
{
    if (hCursor && hCursor == m_hLinkCursor)
        return;
    if (m_hLinkCursor)
        ::DestroyCursor(m_hLinkCursor);
    m_hLinkCursor = NULL;
    if (hCursor) {
        m_hLinkCursor = hCursor;
        return;
    }
    char path[MAX_PATH + 32] = "";
    UINT n = ::GetWindowsDirectoryA(path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        lstrcatA(path, "\\winhlp32.exe");
        HMODULE hModule = ::LoadLibraryExA(path, NULL, LOAD_LIBRARY_AS_DATAFILE);
        if (hModule) {
            HCURSOR h = ::LoadCursorA(hModule, MAKEINTRESOURCE(106));
            if (h)
                m_hLinkCursor = (HCURSOR)::CopyIcon((HICON)h);
            ::FreeLibrary(hModule);
        }
    }
    if (!m_hLinkCursor)
        m_hLinkCursor = (HCURSOR)::CopyIcon((HICON)::LoadCursor(NULL, IDC_HAND));
}

int CPPHtmlDrawer::HitTestHotAreas(POINT pt) const
{
    for (size_t i = 0; i < m_arrHotAreas.size(); ++i)
        if (::PtInRect(&m_arrHotAreas[i].rect, pt))
            return (int)i;
    return -1;
}

BOOL CPPHtmlDrawer::OnHotAreaSetCursor(POINT pt)
{
    const int index = HitTestHotAreas(pt);
    if (index >= 0) {
        const HtmlHotArea area = m_arrHotAreas[index];     // a redraw may rebuild the list
        if (area.nIndexLink != m_nCurrentHotId) {
            m_nCurrentHotId = area.nIndexLink;
            SendRedrawRequest((WPARAM)(INT_PTR)m_nCurrentHotId);
        }
        if (!area.sHyperlink.IsEmpty() && m_hLinkCursor) {
            ::SetCursor(m_hLinkCursor);
            return TRUE;
        }
    } else if (m_nCurrentHotId != -2) {
        m_nCurrentHotId = -2;
        SendRedrawRequest((WPARAM)(INT_PTR)-2);
    }
    return FALSE;
}

void CPPHtmlDrawer::OnHotAreaClick(POINT pt)
{
    const int index = HitTestHotAreas(pt);
    if (index >= 0)
        ActivateHotArea(index);
}

void CPPHtmlDrawer::ActivateHotArea(int nIndex)
{
    if (nIndex < 0 || nIndex >= (int)m_arrHotAreas.size())
        return;
    const HtmlHotArea area = m_arrHotAreas[nIndex];
    if (area.sHyperlink.IsEmpty())
        return;
    if (area.nTypeLink == HTML_LINK_HREF)
        OpenLink(area.sHyperlink, SW_SHOW);
    else if (area.nTypeLink == HTML_LINK_MESSAGE)
        SendLinkCallback((WPARAM)(LPCSTR)area.sHyperlink);
}

// The shell opens the link; when it cannot, the program registered for .htm
// pages gets the link as one quoted argument.
INT_PTR CPPHtmlDrawer::OpenLink(LPCTSTR lpszLink, int nShowCmd)
{
    SetHyperlinkCursor(NULL);
    const CString link = lpszLink ? lpszLink : "";
    INT_PTR result = g_pOpener->ShellOpen(link, nShowCmd);
    if (result > 32)
        return result;
    const CString command = BuildLinkCommand(g_pOpener->HtmOpenCommand(), link);
    if (command.IsEmpty())
        return result;
    return g_pOpener->RunCommand(command, nShowCmd) ? 33 : result;
}

// The link becomes one argument: quoted, inner quotes escaped with the
// backslashes before them doubled. Links that a program could take for an
// option or that carry control characters are refused.
CString CPPHtmlDrawer::BuildLinkCommand(const CString& sTemplate, const CString& sLink)
{
    if (sTemplate.IsEmpty() || sLink.IsEmpty() || sLink[0] == '-' || sLink[0] == '/')
        return CString();
    std::string arg = "\"";
    const std::string link = (LPCSTR)sLink;
    size_t backslashes = 0;
    for (size_t i = 0; i < link.size(); ++i) {
        const unsigned char c = (unsigned char)link[i];
        if (c < 0x20 || c == 0x7F)
            return CString();
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            arg.append(backslashes * 2 + 1, '\\');
            arg += '"';
        } else {
            arg.append(backslashes, '\\');
            arg += (char)c;
        }
        backslashes = 0;
    }
    arg.append(backslashes * 2, '\\');
    arg += '"';
    std::string cmd = (LPCSTR)sTemplate;
    size_t at = cmd.find("\"%1\"");
    size_t len = 4;
    if (at == std::string::npos) {
        at = cmd.find("%1");
        len = 2;
    }
    if (at == std::string::npos)
        cmd += " " + arg;
    else
        cmd.replace(at, len, arg);
    return CString(cmd.c_str());
}

void CPPHtmlDrawer::SetLinkOpener(CPPLinkOpener* pOpener)
{
    g_pOpener = pOpener ? pOpener : &g_defaultOpener;
}

INT_PTR CPPLinkOpener::ShellOpen(LPCSTR lpszLink, int nShowCmd)
{
    return (INT_PTR)::ShellExecuteA(NULL, "open", lpszLink, NULL, NULL, nShowCmd);
}

CString CPPLinkOpener::HtmOpenCommand()
{
    char value[MAX_PATH + 1] = "";
    LONG size = MAX_PATH;
    HKEY key = NULL;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return CString();
    LONG rc = ::RegQueryValueA(key, NULL, value, &size);
    ::RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return CString();
    CString path = value;
    path += "\\shell\\open\\command";
    size = MAX_PATH;
    value[0] = 0;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return CString();
    rc = ::RegQueryValueA(key, NULL, value, &size);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS ? CString(value) : CString();
}

BOOL CPPLinkOpener::RunCommand(const CString& sCommandLine, int nShowCmd)
{
    STARTUPINFOA si;
    memset(&si, 0, sizeof(si));
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = (WORD)nShowCmd;
    PROCESS_INFORMATION pi;
    std::vector<char> cmd((LPCSTR)sCommandLine, (LPCSTR)sCommandLine + sCommandLine.GetLength() + 1);
    if (!::CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return FALSE;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return TRUE;
}
