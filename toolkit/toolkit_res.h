// toolkit_res.h - the toolkit's resource ids (toolkit.rc).
//
// The ids are the ones the toolkit's Parts name (20000 and up); each block
// says which control uses them. They are the toolkit's own and are not part
// of the program's resources: an executable that uses a toolkit control links
// toolkit.rc (TOOLKIT_RC in CMake). Texts and drawings are ours.
//
// Ids 20000-29999 belong to this script. Tests and gallery pages keep their own
// resources below 20000 (see toolkit/README.md).
#pragma once

// ---------------------------------------------------------------------------
// Popup bar (COXPopupBarCtrl): the tear-off bar's tooltip and the caption of a
// torn-off, floating bar.
// ---------------------------------------------------------------------------
#define IDS_OX_POPUPBAR_TEAROFF         26538
#define IDS_OX_POPUPBAR_TITLE           26539

// ---------------------------------------------------------------------------
// Colour picker (COXColorPickerCtrl, COXColorPickerButton): the captions the
// grid column set-up dialog gives the default and custom buttons, and the
// names of the 40 default colours, shown as the cells' tooltips. The names
// run 26540-26579 in cell order, except that cells 16 and 24 carry 26563 and
// 26555.
// ---------------------------------------------------------------------------
#define IDS_OX_COLORPICKER_DEFAULT      26536
#define IDS_OX_COLORPICKER_CUSTOM       26537
#define IDS_OX_COLOR_FIRST              26540   // the colour names: 26540-26579
#define IDS_OX_COLOR_LAST               26579

// ---------------------------------------------------------------------------
// Bitmap button (COXBitmapButton): the hand cursors of the hyperlink look,
// for the enabled and for the disabled button.
// ---------------------------------------------------------------------------
#define IDC_OX_HAND                     28020
#define IDC_OX_HAND_DISABLED            28021

// ---------------------------------------------------------------------------
// Middle-button scrolling (COXIntelliMouse): the origin mark shown where the
// scrolling started, and the pointer of each direction (bits: 1 left, 2 up,
// 4 right, 8 down; 5, 10 and 15 the neutral shapes).
// ---------------------------------------------------------------------------
#define IDB_OX_SCROLL_ORIGIN            28006
#define IDC_OX_SCROLL_NEUTRAL           28008
#define IDC_OX_SCROLL_LEFT              28009
#define IDC_OX_SCROLL_RIGHT             28010
#define IDC_OX_SCROLL_UP                28011
#define IDC_OX_SCROLL_DOWN              28012
#define IDC_OX_SCROLL_UPLEFT            28013
#define IDC_OX_SCROLL_UPRIGHT           28014
#define IDC_OX_SCROLL_DOWNLEFT          28015
#define IDC_OX_SCROLL_DOWNRIGHT         28016
#define IDC_OX_SCROLL_VERTICAL          28017
#define IDC_OX_SCROLL_HORIZONTAL        28018

// ---------------------------------------------------------------------------
// Shortcut bar (COXShortcutBar): the context menu's commands; the last two
// are added by a group's list.
// ---------------------------------------------------------------------------
#define IDS_OX_SHB_LARGEICONS           26840
#define IDS_OX_SHB_SMALLICONS           26841
#define IDS_OX_SHB_ADDNEWGROUP          26842
#define IDS_OX_SHB_REMOVEGROUP          26843
#define IDS_OX_SHB_RENAMEGROUP          26844
#define IDS_OX_SHB_REMOVEITEM           26845
#define IDS_OX_SHB_RENAMEITEM           26846
