// lists_bench: the toolkit's list boxes where a user waits on them, each
// figure beside a floor measured in the same run:
//  - filling the font list box, beside enumerating the screen's faces and
//    measuring each face name in its own font;
//  - loading every icon of shell32.dll into the image list box, beside
//    extracting them alone.
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "OXFontListBox.h"
#include "OXImageListBox.h"

namespace {

CBenchApp theBenchApp("PellucorListsBench");

int CALLBACK CollectFace(const LOGFONT* plf, const TEXTMETRIC*, DWORD, LPARAM lParam)
{
    ((std::vector<LOGFONT>*)lParam)->push_back(*plf);
    return 1;
}

void BenchFonts(CWnd& host)
{
    COXFontListBox list;
    list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, CRect(0, 0, 300, 400), &host, 1);
    int nFaces = list.GetCount();
    double fill = MedianMs(5, [&] { list.FillFontList(); });

    double floor = MedianMs(5, [&] {
        std::vector<LOGFONT> faces;
        HDC hScreen = ::GetDC(NULL);
        ::EnumFontsA(hScreen, NULL, (FONTENUMPROCA)CollectFace, (LPARAM)&faces);
        ::ReleaseDC(NULL, hScreen);
        CClientDC dc(&list);
        for (LOGFONT& lf : faces) {
            lf.lfHeight = 20;
            lf.lfWidth = 0;
            HFONT hFont = ::CreateFontIndirectA(&lf);
            HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hFont);
            RECT r = {0, 0, 0, 0};
            ::DrawTextA(dc.GetSafeHdc(), lf.lfFaceName, -1, &r, DT_CALCRECT | DT_SINGLELINE);
            ::SelectObject(dc.GetSafeHdc(), hOld);
            ::DeleteObject(hFont);
        }
    });
    char what[64];
    snprintf(what, sizeof(what), "fill the font list (%d faces)", nFaces);
    Report(what, fill, "EnumFonts + measure each", floor);

    // What the bare list box itself costs for the same items: each inserted,
    // given its height, and the extent widened, with redrawing off.
    std::vector<CString> names;
    for (int i = 0; i < nFaces; i++) {
        CString name;
        list.GetText(i, name);
        names.push_back(name);
    }
    CListBox bare;
    bare.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, CRect(300, 0, 600, 400),
                &host, 3);
    double listOnly = MedianMs(5, [&] {
        bare.SetRedraw(FALSE);
        bare.ResetContent();
        for (size_t i = 0; i < names.size(); i++) {
            int k = bare.InsertString(bare.GetCount(), names[i]);
            bare.SetItemHeight(k, 24);
            bare.SetHorizontalExtent(100 + k);
        }
        bare.SetRedraw(TRUE);
    });
    Report("", fill, "the floor + a bare list of them", floor + listOnly);
    bare.DestroyWindow();
}

void BenchIcons(CWnd& host)
{
    char szSystem[MAX_PATH];
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    CString shell32 = CString(szSystem) + "\\shell32.dll";
    COXImageListBox list(32, 32);
    list.Create(WS_CHILD | WS_VISIBLE | WS_HSCROLL | LBS_NOTIFY, CRect(0, 0, 600, 300), &host, 2);
    UINT nIcons = ::ExtractIconExA(shell32, -1, NULL, NULL, 0);
    double load = MedianMs(5, [&] { list.LoadIconsFromFile(shell32); });

    // The same icons extracted and let go: all at once, then one by one
    // those the system did not hand out in the first call.
    double floor = MedianMs(5, [&] {
        UINT n = ::ExtractIconExA(shell32, -1, NULL, NULL, 0);
        std::vector<HICON> icons(n, (HICON)NULL);
        ::ExtractIconExA(shell32, 0, icons.data(), NULL, n);
        for (UINT i = 0; i < n; i++) {
            if (!icons[i])
                ::ExtractIconExA(shell32, (int)i, &icons[i], NULL, 1);
            if (icons[i])
                ::DestroyIcon(icons[i]);
        }
    });
    char what[64];
    snprintf(what, sizeof(what), "load shell32.dll's icons (%u)", nIcons);
    Report(what, load, "ExtractIconEx of them", floor);

    // The images have to go into an image list to be shown: the extraction
    // with each icon added to one.
    double withList = MedianMs(5, [&] {
        UINT n = ::ExtractIconExA(shell32, -1, NULL, NULL, 0);
        std::vector<HICON> icons(n, (HICON)NULL);
        ::ExtractIconExA(shell32, 0, icons.data(), NULL, n);
        HIMAGELIST hList = ImageList_Create(32, 32, ILC_COLOR24 | ILC_MASK, (int)n, 0);
        for (UINT i = 0; i < n; i++) {
            if (!icons[i])
                ::ExtractIconExA(shell32, (int)i, &icons[i], NULL, 1);
            if (icons[i]) {
                ImageList_ReplaceIcon(hList, -1, icons[i]);
                ::DestroyIcon(icons[i]);
            }
        }
        ImageList_Destroy(hList);
    });
    Report("", load, "the same + ImageList_ReplaceIcon", withList);
}

} // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOWNORMAL))
        return 1;
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "lists", WS_POPUP | WS_VISIBLE, CRect(0, 0, 700, 500), NULL, 0);
    BenchFonts(host);
    BenchIcons(host);
    host.DestroyWindow();
    return 0;
}
