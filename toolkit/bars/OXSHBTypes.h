// The shortcut bar's records, messages and codes, shared by the bar, its
// group lists and its in-place edit.
#pragma once

#include <afxwin.h>
#include <commctrl.h>

// A group of the bar: made from a counter (the first group is 1), never
// reused while the bar lives; NULL names no group.
typedef struct SHBGROUP__* HSHBGROUP;

// SHB_GROUPINFO mask bits.
#define SHBIF_TEXT          0x00010000
#define SHBIF_IMAGE         0x00020000
#define SHBIF_IMAGEEXPANDED 0x00040000
#define SHBIF_PARAM         0x00080000
#define SHBIF_ORDER         0x00100000
#define SHBIF_VIEW          0x00200000
#define SHBIF_DESCRIPTOR    0x00400000
#define SHBIF_CHILDWND      0x00800000
#define SHBIF_ALL           0x00FF0000

// SHB_DESCRIPTOR mask bits.
#define SHBIF_CLRBACK       0x0001
#define SHBIF_CLRTEXT       0x0002
#define SHBIF_HDRCLRBACK    0x0004
#define SHBIF_HDRCLRTEXT    0x0008
#define SHBIF_HDRTEXTFMT    0x0010
#define SHBIF_FONT          0x0020
#define SHBIF_HDRFONT       0x0040
#define SHBIF_HDRHEIGHT     0x0080

// Insert orders besides 0 .. count - 1.
#define SHBI_FIRST          (-1)
#define SHBI_LAST           (-2)
#define SHBI_SORT           (-3)

// Views of a group's list.
#define SHB_LARGEICON       1
#define SHB_SMALLICON       2

#define SHB_DEFAULTHEADERHEIGHT 18
#define SHB_DEFAULTHEADERFORMAT (DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS)

// Bar style bits (a 16-bit word).
#define SHBS_NODRAGITEM         0x0001
#define SHBS_DISABLEDRAGDROP    0x0002
#define SHBS_EDITHEADERS        0x0004
#define SHBS_EDITITEMS          0x0008
#define SHBS_INFOTIP            0x0010
#define SHBS_NOSCROLL           0x0020
#define SHBS_BOLDEXPANDEDGROUP  0x0040
#define SHBS_UNDERLINEHOTITEM   0x0080
#define SHBS_SHOWACTIVEALWAYS   0x0100
#define SHBS_DISABLEDRAGDROPHEADER 0x0200
#define SHBS_DRAWHEADERDRAGIMAGE 0x0400
#define SHBS_DRAWITEMDRAGIMAGE  0x0800
#define SHBS_AUTOSCROLL         0x1000
#define SHBS_ANIMATEEXPAND      0x2000
#define SHBS_AUTOEXPAND         0x4000
#define SHBS_FLATGROUPBUTTON    0x8000

// A group's colours, fonts and header height; a field counts when its bit is
// in nMask.
struct SHB_DESCRIPTOR
{
    COLORREF clrBackground;
    COLORREF clrText;
    COLORREF clrHeaderBackground;
    COLORREF clrHeaderText;
    UINT nHeaderTextFormat;
    LOGFONT lfText;
    LOGFONT lfHeader;
    int nHeaderHeight;
    UINT nMask;
};
typedef SHB_DESCRIPTOR* LPSHB_DESCRIPTOR;

// A group's record, as given to insert, get, set and find. Constructed zeroed;
// a text block it owns (bOwnsText) is freed with it. The text is
// nTextLength bytes; blocks the bar makes always hold one more, a NUL.
struct SHB_GROUPINFO
{
    LPSTR pszText;
    int nTextLength;
    int nImage;
    int nImageExpanded;
    LPARAM lParam;
    int nOrder;
    int nView;
    LPSHB_DESCRIPTOR pDescriptor;
    HWND hwndChild;
    UINT nMask;
    BOOL bOwnsText;

    SHB_GROUPINFO() { memset(this, 0, sizeof(*this)); }
    ~SHB_GROUPINFO() { FreeText(); }
    SHB_GROUPINFO(const SHB_GROUPINFO&) = delete;
    SHB_GROUPINFO& operator=(const SHB_GROUPINFO&) = delete;

    void FreeText()
    {
        if (bOwnsText && pszText != NULL)
            free(pszText);
        pszText = NULL;
        bOwnsText = FALSE;
    }
    // Back to the zeroed state, freeing an owned text.
    void Clear()
    {
        FreeText();
        memset(this, 0, sizeof(*this));
    }
};
typedef SHB_GROUPINFO* LPSHB_GROUPINFO;

// Every notification of the bar and its lists.
struct SHB_NOTIFY
{
    NMHDR hdr;
    HSHBGROUP hGroup;
    int nItem;
    LPARAM lParam;
};
typedef SHB_NOTIFY* LPSHB_NOTIFY;

// A tooltip's text request: fill lpszText or szText (zeroed before asking).
struct SHB_TIPINFO
{
    LPSTR lpszText;
    char szText[80];
    HINSTANCE hinst;
};

// The context menu, offered to the group's window (33006) and the owner (33004).
class COXShortcutBar;
struct SHB_CONTEXTMENU
{
    CMenu* pMenu;
    COXShortcutBar* pShortcutBar;
    HSHBGROUP hGroup;
    POINT point;
};

// Notification codes (SHB_NOTIFY::hdr.code).
#define SHBN_DRAGENTER          32932
#define SHBN_DRAGLEAVE          32933
#define SHBN_DRAGOVER           32934
#define SHBN_DROP               32936
#define SHBN_ENDEDIT            32975   // from the edit, NMHDR + save flag
#define SHBN_BEGINDRAGHEADER    32976
#define SHBN_BEGINGROUPEDIT     32977
#define SHBN_DELETEGROUP        32978
#define SHBN_ENDGROUPEDIT       32979
#define SHBN_GETHEADERINFOTIP   32980
#define SHBN_GROUPEXPANDED      32981
#define SHBN_GROUPEXPANDING     32983
#define SHBN_DRAWHEADER         32984
#define SHBN_DROPGROUP          32985
#define SHBN_INSERTGROUP        32986
#define SHBN_BEGINDRAGITEM      32987
#define SHBN_BEGINITEMEDIT      32988
#define SHBN_DELETEALLITEMS     32989
#define SHBN_DELETEITEM         32990
#define SHBN_ENDITEMEDIT        32991
#define SHBN_GETITEMINFOTIP     32992
#define SHBN_INSERTITEM         32993
#define SHBN_SELECTITEM         32994
#define SHBN_ACTIVATEITEM       32995
#define SHBN_HOTITEM            32996
#define SHBN_DRAWITEM           32997
#define SHBN_GETDROPTARGET      32998
#define SHBN_GETDROPSOURCE      32999
#define SHBN_BEGINDRAGDROP      33000
#define SHBN_SETADDITIONALDROPDATA 33001
#define SHBN_HANDLEADDITIONALDROPDATA 33002
#define SHBN_DRAGDROPEND        33003
#define SHBN_CONTEXTMENU        33004

// Messages between the bar and its groups' windows (wParam 0).
#define SHBM_POPULATECONTEXTMENU 33006  // lParam SHB_CONTEXTMENU*
#define SHBM_SETSHBGROUP        33007   // lParam the group
#define SHBM_GROUPINFOCHANGED   33008   // lParam the changed SHB_GROUPINFO mask
#define SHBM_SHBINFOCHANGED     33009   // lParam a metric change code
#define SHBM_DELETESHBGROUP     33010
#define SHBLCM_CHECKCAPTURE     33011   // the list to itself: hover check
#define SHBLCM_STARTDRAGDROP    33012   // the list to itself: wParam item, lParam data source

// Metric change codes of SHBM_SHBINFOCHANGED.
#define SHBIF_SCRLBTNSIZE       0x0001
#define SHBIF_SCRLDELAY         0x0002
#define SHBIF_AUTOSCRLDELAY     0x0004
#define SHBIF_GROUPMARGIN       0x0008
#define SHBIF_CHILDMARGINS      0x0010
#define SHBIF_SHBSTYLE          0x0020
#define SHBIF_AUTOEXPANDDELAY   0x0040

// Context-menu commands.
#define SHB_IDMLARGEICON        33014
#define SHB_IDMSMALLICON        33015
#define SHB_IDMADDNEWGROUP      33016
#define SHB_IDMREMOVEGROUP      33017
#define SHB_IDMRENAMEGROUP      33018
#define SHB_IDMREMOVEITEM       33019
#define SHB_IDMRENAMEITEM       33020

// The registered clipboard format of a dragged item.
CLIPFORMAT AFXAPI OXGetSHBItemClipFormat();

// Sends an SHB_NOTIFY from hwndFrom (its control id in the record) to its
// owner, else its parent; lParam goes out in the record and comes back as
// the receiver left it. The receiver's reply, 0 when there is none.
LRESULT AFXAPI OXSendSHBNotify(HWND hwndFrom, UINT nCode, HSHBGROUP hGroup, int nItem, LPARAM& lParam);

// Hands a tip the owner filled to the tooltip's text request (TTN_NEEDTEXTA,
// or TTN_NEEDTEXTW with the text converted into the request's own buffer).
void AFXAPI OXFillToolTipText(NMHDR* pNMHDR, SHB_TIPINFO& tip);
