// A dragged command as one block of global memory under the private
// clipboard format "TBX_Command_Button": the command's record, then, when it
// carries a menu, the records of that menu's items, depth first.
//
// One record, packed, integers 4-byte little-endian:
//   command id (a menu item: its id, -1 for a submenu's opener, 0 for a
//   separator), the text and its zero byte, image index (-1 for menu items),
//   style (one byte), continuation.
// Within one menu every continuation is 1 but the last item's, which is 2;
// an opener's submenu follows its record at once; the block's last
// continuation is 0. The first record's is 2 when a menu follows.
//
// The block comes from any process that offers the format, so it is read by
// one reader only, bounded by the block's size and nesting, that takes it
// whole or not at all.
#pragma once

#include <afxwin.h>
#include <afxole.h>

#include <vector>

// One record read back, with the records of the submenu it opens (or, for a
// dragged command, of the menu it carries).
struct OXCOMMANDDATAITEM
{
    int nCommandId;
    CString sText;
    int nImage;
    BYTE nStyle;
    std::vector<OXCOMMANDDATAITEM> arrItems;
};

class COXCommandDragData
{
public:
    // The registered clipboard format (registered on first use).
    static CLIPFORMAT GetFormat();

    // A new data source carrying the block of a command and, when hMenu is
    // not NULL, of its menu; the caller owns it. An image of -1 for a
    // command is looked up in the main window's bitmap menu organizer.
    static COleDataSource* CreateCommandDataSource(LPCTSTR lpszText, int nImage, int nCommandId, BYTE nStyle,
                                                   HMENU hMenu);
    // The block itself, in newly allocated fixed global memory; NULL when
    // it cannot be allocated.
    static HGLOBAL CreateCommandData(LPCTSTR lpszText, int nImage, int nCommandId, BYTE nStyle, HMENU hMenu);

    // The bytes the menu's records take (0 for a menu with nothing to write).
    static int GetCommandDataMenuSize(HMENU hMenu);
    // Appends the menu's records at *ppCursor and advances it.
    static void WriteCommandDataMenu(LPBYTE* ppCursor, HMENU hMenu);
    // Appends one record with continuation 1 and advances the cursor.
    static void WriteCommandDataRecord(LPBYTE* ppCursor, LPCTSTR lpszText, int nImage, int nCommandId,
                                       BYTE nStyle);

    // Reads a block of nSize bytes into its first record (with everything
    // that follows it). FALSE, and arrItems left empty, for a block that
    // runs past its end, has a text without its zero byte, a continuation
    // other than 0, 1 or 2, menus nested deeper than kMaxDepth, or no
    // final 0. *pnRead, when given, is the number of bytes the records took.
    static BOOL Read(const BYTE* pData, SIZE_T nSize, OXCOMMANDDATAITEM& item, SIZE_T* pnRead = NULL);
    // Reads records that are the items of one menu, as a bar filling a menu
    // from them takes them: up to the record that ends the menu (2) or the
    // block (0), the records of a submenu right after the item opening it.
    // Bounded as Read; FALSE, and arrItems unchanged, for any fault.
    static BOOL ReadMenu(const BYTE* pData, SIZE_T nSize, std::vector<OXCOMMANDDATAITEM>& arrItems,
                         SIZE_T* pnRead = NULL);

    // Levels of menus a block may hold, the dragged command's own level
    // counting as the first.
    enum { kMaxDepth = 16 };
};
