// The toolkit's tool bar: a control bar over the common-controls tool bar,
// flat by default, that takes its button texts from the string table or the
// menu, draws drop-down arrows and its hot, selected and checked states in
// twelve colours of its own, draws its non-client area, gripper, separators
// and buttons through the current skin's tool bar element, can show a small
// icon at its start and can be dragged by any part of its surface to float
// or dock it.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>
#include <afxcoll.h>

#include <map>
#include <vector>

#include "OXSHBDropSource.h"
#include "OXSHBDropTarget.h"
#include "OXToolbarSkin.h"

// A tool bar whose bar style always starts aligned to the top.
class CMFCToolBar : public CToolBar
{
    DECLARE_DYNAMIC(CMFCToolBar)
public:
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR) override;
};

// The main window's answer to this message decides whether a press on a
// bar's surface drags the bar by the bar's own loop (non-zero).
#define WM_QUERYSIZEDOCKDRAG (WM_USER + 92)

// Where button texts come from (SetButtonTextFromID).
enum
{
    OXTB_TEXT_PROMPT = 0,    // the command's string up to the first "\n"
    OXTB_TEXT_TOOLTIP = 1,   // the command's string after the first "\n"
    OXTB_TEXT_MENU = 2,      // the command's item text in the main menu
    OXTB_TEXT_BYHAND = 3,    // left as set
    OXTB_TEXT_NONE = 4,      // no text
};

// The four colour sets of a button state: a text, a background and a
// border colour each.
enum
{
    OXTB_COLOR_NORMAL = 0,
    OXTB_COLOR_HOT = 1,
    OXTB_COLOR_SELECTED = 2,
    OXTB_COLOR_CHECKED = 3,
};

class COXCoolToolBar;

// A window a cool tool bar carries in place of a separator button (a combo
// box, an edit, a slider...): registered once for the process, it can sit on
// several bars, each with an object of its own.
class CustomButtonControl
{
public:
    virtual ~CustomButtonControl() {}
    virtual CWnd* GetControlWindow() = 0;
    // Creates the window as a child of pBar, with the id nID.
    virtual BOOL CreateControl(UINT nID, COXCoolToolBar* pBar, DWORD dwStyle, DWORD dwStyle2, LPCTSTR lpszClass,
                               LPCTSTR lpszText) = 0;
    // The object to put on another bar (its window created there), or NULL.
    virtual CustomButtonControl* CloneForBar(COXCoolToolBar* pBar) = 0;
    // Its button left the bar.
    virtual void OnRemove() {}
    virtual void SetCustomizationMode(BOOL bOn) { (void)bOn; }
    // Whether a bar that takes it off may not put it back later.
    virtual BOOL IsReleasedOnRemoval() { return FALSE; }
    virtual void SaveState(CArchive& ar) { (void)ar; }
    virtual void LoadState(CArchive& ar) { (void)ar; }
};

// Flags of a custom button: where its window shows.
enum
{
    OXCBD_SHOWVERT = 1,    // docked at the left or the right
    OXCBD_SHOWHORZ = 2,    // docked at the top or the bottom
    OXCBD_SHOWFLOAT = 4,   // floating
    OXCBD_SHOWANY = 7,
};

typedef struct _tagOXCUSTOMBUTTONDESCRIPTOR
{
    CustomButtonControl* m_pControl;   // not owned
    int m_nID;                         // the window's id, the registration's key
    int m_nWidth;                      // of the separator it sits on
    int m_nHeight;                     // positive and below the row: centred
    int m_nFlags;                      // OXCBD_SHOW...
    int m_nImage;                      // shown as a plain button while hidden
} OXCUSTOMBUTTONDESCRIPTOR;

// A custom button that is a window of a registered class (the common
// controls, edits, combo boxes); clones make the same window on another bar.
class COXCustomButtonWnd : public CustomButtonControl
{
public:
    // A control of its own class (and styles added to those it is given),
    // whatever class the bar asks for; without one, the bar's.
    explicit COXCustomButtonWnd(LPCTSTR lpszClass = NULL, DWORD dwStyle = 0)
        : m_strOwnClass(lpszClass != NULL ? lpszClass : ""), m_dwOwnStyle(dwStyle)
    {
    }
    ~COXCustomButtonWnd() override;
    CWnd* GetControlWindow() override { return m_wnd.m_hWnd != NULL ? &m_wnd : NULL; }
    BOOL CreateControl(UINT nID, COXCoolToolBar* pBar, DWORD dwStyle, DWORD dwStyle2, LPCTSTR lpszClass,
                       LPCTSTR lpszText) override;
    CustomButtonControl* CloneForBar(COXCoolToolBar* pBar) override;

protected:
    CWnd m_wnd;
    UINT m_nID = 0;
    DWORD m_dwStyle = 0, m_dwStyle2 = 0;
    CString m_strClass, m_strText;
    CString m_strOwnClass;
    DWORD m_dwOwnStyle;
};

// The customization notification (WM_NOTIFY, code OXCTBN_CUSTOMIZE) a bar
// sends before it acts on a command; a non-zero answer means done.
#define OXCTBN_CUSTOMIZE 32899
struct OXCTBNOTIFY
{
    NMHDR hdr;
    int nCommand;
    void* pData;
};
// The commands.
#define ID_OXCUSTTB_SELECTION_CHANGED 32892
#define ID_OXCUSTTB_DELETE 32893
#define ID_OXCUSTTB_APPEARANCE 32894
#define ID_OXCUSTTB_IMAGEONLY 32895
#define ID_OXCUSTTB_IMAGEANDTEXT 32896
#define ID_OXCUSTTB_SEPARATOR_BEFORE 32897
#define ID_OXCUSTTB_SEPARATOR_AFTER 32898

// Updates a tool bar button at idle through the bar's control.
class COXCoolToolBarCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR) override {}
};

class COXCoolToolBar : public CMFCToolBar
{
    DECLARE_DYNAMIC(COXCoolToolBar)
public:
    COXCoolToolBar();
    ~COXCoolToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR) override;

    // ---- properties ----
    void SetCool(BOOL bCool) { m_bCool = bCool; }
    BOOL IsCool() const { return m_bCool; }
    void SetSeparator(BOOL bSeparator) { m_bSeparator = bSeparator; }
    BOOL IsSeparator() const { return m_bSeparator; }
    void SetDragAnywhere(BOOL bDragAnywhere) { m_bDragAnywhere = bDragAnywhere; }
    BOOL IsDragAnywhere() const { return m_bDragAnywhere; }
    void SetSecondButtonIndex(int nIndex) { m_nSecondButtonIndex = nIndex; }
    int GetSecondButtonIndex() const { return m_nSecondButtonIndex; }
    // A colour of a set (OXTB_COLOR_); CLR_DEFAULT leaves the skin's.
    void SetTextColor(COLORREF clr, int nSet = OXTB_COLOR_NORMAL) { m_clrText[nSet & 3] = clr; }
    void SetBkColor(COLORREF clr, int nSet = OXTB_COLOR_NORMAL) { m_clrBk[nSet & 3] = clr; }
    void SetBorderColor(COLORREF clr, int nSet = OXTB_COLOR_NORMAL) { m_clrBorder[nSet & 3] = clr; }
    COLORREF GetTextColor(int nSet = OXTB_COLOR_NORMAL) const { return m_clrText[nSet & 3]; }
    COLORREF GetBkColor(int nSet = OXTB_COLOR_NORMAL) const { return m_clrBk[nSet & 3]; }
    COLORREF GetBorderColor(int nSet = OXTB_COLOR_NORMAL) const { return m_clrBorder[nSet & 3]; }
    void SetTextType(int nTextType) { SetButtonTextFromID(0, 0xFFFF, nTextType); }
    int GetTextType() const { return m_nTextType; }
    void SetIcon(HICON hIcon) { m_hIcon = hIcon; }
    HICON GetIcon() const { return m_hIcon; }
    int GetDropDownArrowWidth() const { return m_nDropDownArrowWidth; }
    // The command of the button whose drop-down arrow was pressed last, -1
    // when none; the skin clears it when it draws that button.
    int GetDroppedButton() const { return m_nDropDownButton; }
    void SetDroppedButton(int nCommand) { m_nDropDownButton = nCommand; }
    int GetIndent() const { return m_nIndent; }
    BOOL SetIndent(int nIndent);
    BOOL SetButtonsMinMaxWidth(int nMinWidth, int nMaxWidth);
    void GetButtonsMinMaxWidth(int& nMinWidth, int& nMaxWidth) const
    {
        nMinWidth = m_nMinButtonWidth;
        nMaxWidth = m_nMaxButtonWidth;
    }
    BOOL SetMaxTextRows(int nRows);
    void SetDropDownArrow(BOOL bDropDownArrow);
    BOOL IsDropDownArrow() const;
    BOOL IsFlat() const { return (GetStyle() & TBSTYLE_FLAT) != 0; }
    BOOL IsList() const { return (GetStyle() & TBSTYLE_LIST) != 0; }
    BOOL IsGripper() const { return (m_dwStyle & CBRS_GRIPPER) != 0; }

    // ---- buttons ----
    void SetInsertMark(int nButton, DWORD dwFlags = 0);
    int HitTest(CPoint point) const;
    BOOL MoveButton(UINT nOldPos, UINT nNewPos);
    // The text after the first "\n" of the button's command string.
    CString GetButtonTooltip(int nIndex) const;
    // Sets the text type (any other than 0-4 becomes 4) and gives every
    // button whose command lies in [nFrom, nTo] its text of that type.
    void SetButtonTextFromID(UINT nFrom, UINT nTo, int nTextType);
    // Lets the control's button size and the bar's image size agree again.
    void UpdateSizes();
    // Redraws after a change: a new layout of the docking frame, the frame
    // of the bar, or only the bar.
    void RedrawToolBar(BOOL bRecalcLayout = TRUE, BOOL bRecalcNC = TRUE);

    // ---- resources, cached for the bar's life ----
    HBITMAP LoadBitmap(LPCTSTR lpszResourceName);
    HIMAGELIST LoadImageList(LPCTSTR lpszResourceName, int cx, int nGrow, COLORREF crMask,
                             UINT uType = IMAGE_BITMAP, UINT uFlags = LR_DEFAULTCOLOR);
    HIMAGELIST CreateImageList(LPCTSTR lpszResourceName, int cx, COLORREF crMask, UINT uFlags = ILC_COLOR24 | ILC_MASK,
                               int nInitial = 0, int nGrow = 1);

    // ---- customization ----
    // The commands offered by the customize dialog (the array stays the
    // caller's); a list makes the bar customizable in the toolkit's way.
    void SetButtonsIds(const UINT* pIds, int nCount);
    void SetCustomizable(BOOL bCustomizable = TRUE, BOOL bAdvanced = TRUE);
    virtual BOOL IsCustomizable(BOOL bAdvanced = TRUE) const;
    // In customization mode buttons are selected by the mouse and get a
    // context menu; hNotifyWnd hears of every action first.
    void SetCustomizationMode(BOOL bOn, HWND hNotifyWnd = NULL);
    BOOL IsInCustomizationMode() const { return m_bCustomizationMode; }
    // Selects a button (-1: none); returns the one selected before.
    int SetCustomizedButton(int nIndex);
    int GetCustomizedButton() const { return m_nCustomizedButton; }
    virtual void DisplayCustomizeButtonContextMenu(int nButton, int x, int y);
    // The context menu of a selected button.
    void BuildCustomizeMenu(CMenu& menu, int nButton);
    // Carries out a customization command (ID_OXCUSTTB_...) on the selected
    // button unless the notification window does; TRUE when either did.
    BOOL DoCustomizeCommand(int nCommand);
    virtual COXSHBDropSource* GetDropSource() { return &m_dropSource; }
    virtual COXSHBDropTarget* GetDropTarget() { return &m_dropTarget; }
    virtual BOOL DeleteButton(int nIndex) { return (BOOL)SendMessage(TB_DELETEBUTTON, nIndex); }

    // ---- custom buttons ----
    // Registers a custom button for the process (an id already registered
    // is updated); its index in the list, -1 on failure.
    static int AddCustomButton(CustomButtonControl* pControl, int nID, int nWidth = -1, int nHeight = -1,
                               int nFlags = OXCBD_SHOWANY, int nImage = -1);
    static BOOL UpdateCustomButton(int nIndex, const OXCUSTOMBUTTONDESCRIPTOR& descriptor);
    static int FindCustomButton(int nID);
    static int FindCustomButton(CWnd* pWnd);
    static BOOL GetCustomButton(int nIndex, OXCUSTOMBUTTONDESCRIPTOR& descriptor);
    // Forgets every registration (the objects stay their owners'); the
    // next load reads the stored descriptors again.
    static void RemoveAllCustomButtons();
    BOOL InsertCustomButton(int nIndex, int nCustomIndex, DWORD dwStyle = WS_CHILD | WS_VISIBLE, DWORD dwStyle2 = 0,
                            LPCTSTR lpszClass = NULL, LPCTSTR lpszText = NULL);
    BOOL InsertComboBox(int nIndex, int nCustomIndex, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN)
    { return InsertCustomButton(nIndex, nCustomIndex, dwStyle, 0, "ComboBox"); }
    BOOL InsertEditBox(int nIndex, int nCustomIndex, LPCTSTR lpszText = "",
                       DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL)
    { return InsertCustomButton(nIndex, nCustomIndex, dwStyle, 0, "Edit", lpszText); }
    BOOL InsertRichEditBox(int nIndex, int nCustomIndex, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER)
    { return InsertCustomButton(nIndex, nCustomIndex, dwStyle, 0, "RICHEDIT"); }
    BOOL InsertStatic(int nIndex, int nCustomIndex, LPCTSTR lpszText = "", DWORD dwStyle = WS_CHILD | WS_VISIBLE)
    { return InsertCustomButton(nIndex, nCustomIndex, dwStyle, 0, "Static", lpszText); }
    BOOL InsertHotKey(int nIndex, int nCustomIndex, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER)
    { return InsertCustomButton(nIndex, nCustomIndex, dwStyle, 0, HOTKEY_CLASSA); }
    BOOL InsertButton(int nIndex, int nCustomIndex, LPCTSTR lpszText = "", DWORD dwStyle = WS_CHILD | WS_VISIBLE)
    { return InsertCustomButton(nIndex, nCustomIndex, dwStyle, 0, "Button", lpszText); }
    BOOL InsertProgress(int nIndex, int nCustomIndex, DWORD dwStyle = WS_CHILD | WS_VISIBLE)
    { return InsertCustomButton(nIndex, nCustomIndex, dwStyle, 0, PROGRESS_CLASSA); }
    BOOL InsertSlider(int nIndex, int nCustomIndex, DWORD dwStyle = WS_CHILD | WS_VISIBLE | TBS_NOTICKS)
    { return InsertCustomButton(nIndex, nCustomIndex, dwStyle, 0, TRACKBAR_CLASSA); }
    BOOL InsertDateTimePicker(int nIndex, int nCustomIndex, const SYSTEMTIME* pTime = NULL,
                              DWORD dwStyle = WS_CHILD | WS_VISIBLE);
    BOOL InsertIPAddress(int nIndex, int nCustomIndex, DWORD dwStyle = WS_CHILD | WS_VISIBLE);
    BOOL InsertExtendedComboBox(int nIndex, int nCustomIndex,
                                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN)
    { return InsertCustomButton(nIndex, nCustomIndex, dwStyle, 0, WC_COMBOBOXEXA); }
    // The window of the custom button at a button index, or NULL.
    CWnd* GetCustomButtonWnd(int nIndex) const;
    BOOL IsCustomButton(int nIndex) const { return m_mapCustomButtons.count(nIndex) != 0; }
    int GetCustomButtonCount() const { return (int)m_mapCustomButtons.size(); }
    // Puts every custom button in [nFrom, nTo] (-1: the last) in its place.
    void UpdateCustomButtons(int nFrom = 0, int nTo = -1);

    // ---- rules of the custom buttons, free of windows ----
    typedef std::map<int, OXCUSTOMBUTTONDESCRIPTOR> CustomButtonMap;
    // The map after a button went in at i, went out at i, moved from a to b.
    static void MapAfterInsert(CustomButtonMap& map, int i);
    static void MapAfterDelete(CustomButtonMap& map, int i);
    static void MapAfterMove(CustomButtonMap& map, int a, int b);
    // A kept button index after an insertion or a deletion at i (-1: it was
    // the one deleted).
    static int IndexAfterInsert(int n, int i) { return n >= i && n != -1 ? n + 1 : n; }
    static int IndexAfterDelete(int n, int i) { return n == i ? -1 : n > i ? n - 1 : n; }
    static BOOL IsCustomControlShown(int nFlags, BOOL bFloating, BOOL bHorz);
    // Where the control goes in its separator's rectangle.
    static CRect CustomControlRect(const RECT& rectItem, int nHeight);
    // How far a combo box goes down on a bar whose first button ends at
    // nFirstBottom.
    static int ComboBoxOffset(int nFirstBottom) { return (nFirstBottom - 22) / 2 + 1; }

    // ---- state in the profile ----
    // The display properties (bProperties) in the section "<sub key>_<name>",
    // the buttons and custom buttons as binary values in lpszSubKey, the
    // control's own state under the application's key. FALSE when the
    // buttons cannot be saved or loaded (a customizable bar without a
    // registry: its properties still load) or a stored blob is unreadable
    // or holds a value out of bounds; a refused blob leaves the bar, its
    // custom controls included, as it was. A stored custom button whose
    // control is no longer registered is left out; the rest loads.
    virtual BOOL SaveBarState(LPCTSTR lpszSubKey, LPCTSTR lpszValueName, BOOL bProperties = TRUE);
    virtual BOOL LoadBarState(LPCTSTR lpszSubKey, LPCTSTR lpszValueName, BOOL bProperties = TRUE);

    // A button as the profile keeps it.
    struct ButtonState
    {
        int idCommand;
        int iBitmap;
        BYTE fsStyle;
        BOOL bHasText;
        CString strText;
    };
    // The blobs, free of windows: written as an archive writes them; read
    // whole or not at all (FALSE for a short or malformed blob).
    static std::vector<BYTE> WriteButtonsBlob(const std::vector<ButtonState>& buttons);
    static BOOL ReadButtonsBlob(const BYTE* pData, UINT nBytes, std::vector<ButtonState>& buttons);
    static std::vector<BYTE> WritePositionsBlob(const std::vector<std::pair<int, int>>& positions);
    static BOOL ReadPositionsBlob(const BYTE* pData, UINT nBytes, std::vector<std::pair<int, int>>& positions);
    // The registered custom buttons' descriptors; reading updates the
    // registration only when the whole blob reads.
    static std::vector<BYTE> WriteDescriptorsBlob();
    static BOOL ReadDescriptorsBlob(const BYTE* pData, UINT nBytes);

    // ---- docking ----
    void EnableDocking(DWORD dwDockStyle);
    void DockInto(CDockBar* pDockBar);
    // Starts the own drag from a caption at point (the bar's coordinates
    // from the floating frame's window origin); the caller then captures the
    // mouse for the bar and sets m_bDragging.
    void BeginCaptionDrag(CPoint point);
    BOOL m_bDragging;   // the bar is being dragged by its own loop

    // The skin element the bar draws through: the current skin's, else the
    // bar's own Classic one.
    COXToolbarSkin* GetToolbarSkin();

    // ---- rules free of windows ----
    // The text type-nTextType text of a command whose string resource is
    // strResource (bHasString FALSE when it has none) and whose main-menu
    // item text is strMenu (bInMenu FALSE when there is none).
    static CString ButtonTextFor(int nTextType, const CString& strResource, BOOL bHasString,
                                 const CString& strMenu, BOOL bInMenu);
    // The text types stored: 0-4, anything else 4.
    static int NormalizeTextType(int nTextType) { return nTextType >= 0 && nTextType <= 4 ? nTextType : 4; }
    // The width a button takes in the layout.
    struct WidthRule
    {
        int cxButton;          // the bar's button width
        int cxArrow;           // the drop-down arrow's width
        BOOL bDropDownArrows;  // arrows are drawn
        BOOL bFlat;            // TBSTYLE_FLAT
        BOOL bComCtl471;       // common controls 4.71 or later
    };
    static int ButtonWidth(const TBBUTTON& button, const WidthRule& rule, int cxItemRect);
    // The height a separator ending a wrapped row adds below it.
    static int WrappedSeparatorHeight(const TBBUTTON& button, const WidthRule& rule);
    // The size of an empty bar from one button's size.
    static CSize EmptyBarSize(CSize sizeButton, BOOL bFloating, BOOL bHorz);
    // The common-controls version, major << 16 | minor (0x00040000 when it
    // cannot be read), read once.
    static DWORD GetComCtlVersion();
    static BOOL IsComCtl471() { return GetComCtlVersion() >= 0x00040047; }
    // Forgets the version read, so that the next bar reads it again (tests
    // give it another through SetComCtlVersionOverride).
    static void ResetComCtlVersion() { s_dwComCtlVersion = 0; }

    // ---- overrides ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;

    CSize CalcLayout(DWORD dwMode, int nLength = -1) override;
    CSize CalcSize(TBBUTTON* pData, int nCount) override;
    int WrapToolBar(TBBUTTON* pData, int nCount, int nWidth) override;
    void SizeToolBar(TBBUTTON* pData, int nCount, int nLength, BOOL bVert = FALSE) override;
    int GetLayoutWidth(int nIndex, const TBBUTTON& button, CSize sizeButton) override;
    int GetWrappedSeparatorHeight(const TBBUTTON& button) override;
    void DrawGripper(CDC* pDC, const CRect& rect) override;
    virtual void DrawSeparator(CDC* pDC, CRect& rect);
    virtual void DrawIcon(CDC* pDC, CRect& rect);
    virtual void DrawDragRect(CDC* pDC, const CRect& rect);
    virtual void GetBorderMargins(CRect& rect, BOOL bHorz) { (void)rect, (void)bHorz; }
    virtual void DrawNonClientExtra(CDC* pDC, CRect& rect) { (void)pDC, (void)rect; }
    virtual void OnFloatingDocking(BOOL bFloating);
    virtual void OnChangeDockSide(DWORD dwDockSide);
    virtual void DrawNonClientBackground();
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;

protected:
    // The widths of the layout: rule and per-button width of this bar.
    WidthRule CurrentWidthRule();
    // The length of the row of a bar docked along the top or the bottom (the
    // width of the frame it docks in); 0 for a bar docked otherwise or
    // floating.
    int DockRowLength() const;
    // The window rectangle in window coordinates.
    CRect WindowRectAtOrigin() const;
    BOOL IsInsideTool(CPoint point) const;
    // One step of the own drag: the bar floats (or docks) at the point.
    void DragTo(CPoint ptScreen, UINT nFlags);
    void EndDrag();
    // Dispatches the paints that are due, so the bar's trail is repainted
    // while it moves; FALSE when a WM_QUIT came, which is posted again.
    static BOOL PumpPaints();
    CFrameWnd* GetNotifyFrame();

    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnToolbarChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    // customization
    afx_msg LRESULT OnInsertButton(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteButton(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMoveButton(WPARAM wParam, LPARAM lParam);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnGetButtonInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnQueryInsertDelete(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnBeginEndDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomizeCommand(UINT nID);
    afx_msg LRESULT OnDropTargetEnter(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDropTargetOver(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDropTargetLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDropTargetDrop(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

public:
    virtual DROPEFFECT OnDragEnter(OXDRAGDROPMESSAGE* pMessage);
    virtual DROPEFFECT OnDragOver(OXDRAGDROPMESSAGE* pMessage);
    virtual void OnDragLeave(OXDRAGDROPMESSAGE* pMessage);
    virtual BOOL OnDrop(OXDRAGDROPMESSAGE* pMessage);

protected:
    // The customization notification; the receiver's answer.
    LRESULT NotifyCustomize(int nCommand);
    // The button (a separator carrying a custom control included) under a
    // point, -1 over none.
    int CustomizeHit(CPoint point) const;
    void RedrawButton(int nIndex);
    BOOL InsertSeparator(int nIndex);
    void PlaceCustomButton(int nIndex, const OXCUSTOMBUTTONDESCRIPTOR& descriptor);
    // After the buttons changed size: the controls go with their separators.
    void FollowSeparators();
    void ArrangeButtons(const std::vector<ButtonState>& buttons);
    // The text of a command's string after the first "\n".
    static CString CommandTip(UINT nID);

public:
    int m_nDropDownArrowWidth;
    int m_nTextType;
    BOOL m_bCool;
    BOOL m_bSeparator;
    BOOL m_bDropDownArrow;
    int m_nIndent;
    int m_nMinButtonWidth, m_nMaxButtonWidth;
    COLORREF m_clrText[4];
    COLORREF m_clrBk[4];
    COLORREF m_clrBorder[4];
    int m_nLastFloating;      // 3 until the first position change
    DWORD m_dwLastDockSide;
    HICON m_hIcon;
    int m_nCustomizedButton;
    BOOL m_bCustomizable;
    BOOL m_bCustomizationMode;
    HWND m_hNotifyWnd;
    COXSHBDropSource m_dropSource;
    COXSHBDropTarget m_dropTarget;
    int m_nSecondButtonIndex;
    CPoint m_ptDragOffset;    // the press from the bar's top left corner
    CMapStringToPtr m_mapBitmaps;
    CMapStringToPtr m_mapImageLists;
    BOOL m_bInternalChange;
    BOOL m_bInRecalcLayout;
    UINT m_nDeferredUpdate;   // bit 0 re-lay-out, bit 1 re-place the controls
    BOOL m_bDragAnywhere;
    int m_nDropDownButton, m_nDropDownButtonCopy;
    const UINT* m_pCustomizeIds;   // the caller's
    int m_nCustomizeIdCount;
    CustomButtonMap m_mapCustomButtons;      // by button index
    std::map<UINT, CString> m_mapHiddenTexts;   // texts of image-only buttons
    BOOL m_bDragOver;                        // a drag is over the bar
    BOOL m_bDragStarted;                     // the drag started here

protected:
    COXToolbarSkin* m_pSkin;  // the bar's own Classic skin, owned

    std::vector<CustomButtonControl*> m_clones;   // made for this bar, owned

    static DWORD s_dwComCtlVersion;
    // The registered custom buttons: their ids (the index is the custom
    // button's) and descriptors by id.
    static std::vector<int> s_arrCustomButtonIDs;
    static std::map<int, OXCUSTOMBUTTONDESCRIPTOR> s_mapCustomButtons;
    // The registered descriptors are read from the profile once a process.
    static BOOL s_bDescriptorsLoaded;
};
