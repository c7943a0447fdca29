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

// ---------------------------------------------------------------------------
// Option tree marks: four 16-pixel images each, grey 192,192,192 clear.
// ---------------------------------------------------------------------------
#define IDB_OX_OPTION_LIGHT             27262
#define IDB_OX_OPTION_DARK              27263

// ---------------------------------------------------------------------------
// History combo (COXHistoryCombo): its tool bar and the commands of its
// buttons (a command's tip is the second "\n" piece of its string).
// ---------------------------------------------------------------------------
#define IDR_OX_HISTORY_COMBO            28022
#define ID_OX_HISTORY_ADD               26391
#define ID_OX_HISTORY_DELETE            26392
#define ID_OX_HISTORY_BROWSE            26393
#define ID_OX_HISTORY_SPARE1            26394
#define ID_OX_HISTORY_SPARE2            26395

// ---------------------------------------------------------------------------
// Browse edits and the folder picker (COXBrowseDirEdit, COXBrowseFileEdit,
// COXBrowseColorEdit, COXFolderPickerDlg)
// ---------------------------------------------------------------------------
#define IDD_OX_FOLDER_PICKER            28019
#define IDC_OX_FOLDER_COMBO             26410
#define IDC_OX_FOLDER_TREE              26411
#define IDC_OX_FOLDER_GO                26412
#define IDC_OX_FOLDER_CONTEXTMENU       26413
#define IDC_OX_FOLDER_SHOWFILES         26414
#define IDC_OX_FOLDER_SHELLITEMS        26415
#define IDC_OX_FOLDER_HIDDEN            26416
#define IDC_OX_FOLDER_BELOWROOT         26417
#define IDC_OX_FOLDER_REFRESH           26418
#define IDS_OX_BROWSE_DIR_TITLE         26582
#define IDS_OX_COLOR_COMPONENTS         26584
#define IDS_OX_FOLDER_PICKER_TITLE      26622
#define IDS_OX_FOLDER_TREE_TEXT         26962
#define IDS_OX_FOLDER_TITLE_ROOT        26963
#define IDS_OX_FOLDER_TITLE_DESKTOP     26964

// ---------------------------------------------------------------------------
// Shell folder tree (COXShellFolderTree): the caption of its top item
// ---------------------------------------------------------------------------
#define IDS_OX_SHELLTREE_ROOT           27003

// ---------------------------------------------------------------------------
// File dialog with preview (COXPreviewDialog): the switch button's picture,
// text and tip
// ---------------------------------------------------------------------------
#define IDB_OX_PREVIEW_BUTTON           27261
#define IDS_OX_PREVIEW_BUTTON           26973
#define IDS_OX_PREVIEW_TIP              26974

// ---------------------------------------------------------------------------
// Calculator (COXCalculatorCtrl, COXCalculatorPopup): the dialog and its
// accelerators (26450), the buttons, the number-base combo, the scientific
// check box and the display; the error texts and the pop-up's OK and Cancel.
// ---------------------------------------------------------------------------
#define IDD_OX_CALCULATOR               26450
#define IDC_OX_CALC_C                   26451
#define IDC_OX_CALC_CE                  26452
#define IDC_OX_CALC_BACKSPACE           26453
#define IDC_OX_CALC_7                   26454
#define IDC_OX_CALC_8                   26455
#define IDC_OX_CALC_9                   26456
#define IDC_OX_CALC_4                   26457
#define IDC_OX_CALC_5                   26458
#define IDC_OX_CALC_6                   26459
#define IDC_OX_CALC_1                   26460
#define IDC_OX_CALC_2                   26461
#define IDC_OX_CALC_3                   26462
#define IDC_OX_CALC_DIVIDE              26463
#define IDC_OX_CALC_MULTIPLY            26464
#define IDC_OX_CALC_SUBTRACT            26465
#define IDC_OX_CALC_ADD                 26466
#define IDC_OX_CALC_EQUALS              26467
#define IDC_OX_CALC_0                   26468
#define IDC_OX_CALC_SIGN                26469
#define IDC_OX_CALC_SEPARATOR           26470
#define IDC_OX_CALC_SQRT                26471
#define IDC_OX_CALC_MOD                 26472
#define IDC_OX_CALC_RECIPROCAL          26473
#define IDC_OX_CALC_BASE                26474
#define IDC_OX_CALC_PI                  26475
#define IDC_OX_CALC_COS                 26476
#define IDC_OX_CALC_SIN                 26477
#define IDC_OX_CALC_TAN                 26478
#define IDC_OX_CALC_TANH                26479
#define IDC_OX_CALC_SCIENTIFIC          26480
#define IDC_OX_CALC_FACTORIAL           26481
#define IDC_OX_CALC_DISPLAY             26482
#define IDC_OX_CALC_POWER               26483
#define IDC_OX_CALC_LN                  26484
#define IDC_OX_CALC_LOG                 26485
#define IDC_OX_CALC_A                   26486   // A-F: 26486-26491
#define IDC_OX_CALC_F                   26491
#define IDS_OX_CALC_INVALID             27280
#define IDS_OX_CALC_RANGE               27281
#define IDS_OX_CALC_OK                  27282
#define IDS_OX_CALC_CANCEL              27283

// ---------------------------------------------------------------------------
// Calendar pop-up (COXCalendarPopup): the today and none buttons' texts.
// ---------------------------------------------------------------------------
#define IDS_OX_CALENDAR_TODAY           26854
#define IDS_OX_CALENDAR_NONE            26855

// ---------------------------------------------------------------------------
// Font list box (COXFontListBox): its two face-type marks, 16 pixels each,
// grey 192,192,192 clear: 0 not TrueType, 1 TrueType.
// ---------------------------------------------------------------------------
#define IDB_OX_FONT_TYPES               26360

// ---------------------------------------------------------------------------
// File dialog with preview (COXPreviewDialog): the text shown where a file
// has no preview, in English and in Russian (a string block of its own, so
// that each language's block is whole).
// ---------------------------------------------------------------------------
#define IDS_OX_PREVIEW_NONE             26976

// ---------------------------------------------------------------------------
// Button appearance dialog (COXButtonAppearanceDlg)
// ---------------------------------------------------------------------------
#define IDD_OX_BUTTON_APPEARANCE        26030
#define IDC_OX_BA_STYLE_IMAGE           26229   // image only; image and text next
#define IDC_OX_BA_STYLE_TEXT            26230
#define IDC_OX_BA_IMAGES                26231
#define IDC_OX_BA_SEP_STYLE             26232
#define IDC_OX_BA_SEP_IMAGE             26233
#define IDC_OX_BA_TEXT                  26234
#define IDC_OX_BA_OPTION                26235
#define IDC_OX_BA_COMBO                 26237
#define IDC_OX_BA_HEIGHT                26238
#define IDC_OX_BA_HEIGHT_SPIN           26239
#define IDC_OX_BA_WIDTH                 26240
#define IDC_OX_BA_WIDTH_SPIN            26241
#define IDC_OX_BA_SHOW_HORZ             26242
#define IDC_OX_BA_SEP_TEXT              26243
#define IDC_OX_BA_SHOW_VERT             26244
#define IDC_OX_BA_SHOW_FLOATING         26245
#define IDC_OX_BA_SEP_CUSTOM            26246

// ---------------------------------------------------------------------------
// Customize manager (COXCustomizeManager): its dialog, the Apply button, the
// page shortcut bar, the title and the two lines that bound the page area.
// ---------------------------------------------------------------------------
#define IDC_OX_CUSTOMIZE_APPLY          26001
#define IDD_OX_CUSTOMIZE_MANAGER        26002
#define IDC_OX_CUSTOMIZE_SHORTCUTBAR    26043
#define IDC_OX_CUSTOMIZE_TITLE          26045
#define IDC_OX_CUSTOMIZE_SEP_BOTTOM     26046
#define IDC_OX_CUSTOMIZE_SEP_TOP        26047

// ---------------------------------------------------------------------------
// Intelli-mouse customize page (COXCustomizeIntelliMousePage): its template,
// title, tip and picture, the descriptions of the nine start events (26905
// the left button pressed ... 26913 the right button double-clicked, in the
// page's list order), and its controls. The picture's id is the one the
// instance manager page names too: one picture serves both.
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_INTELLIMOUSE   26024
#define IDB_OX_CUSTOMIZE_INTELLIMOUSE   26037
#define IDS_OX_CUSTOMIZE_INTELLIMOUSE_TITLE 27286
#define IDS_OX_CUSTOMIZE_INTELLIMOUSE_TIP 27287
#define IDS_OX_IM_EVENT_FIRST           26905   // 26905-26913
#define IDS_OX_IM_EVENT_LAST            26913
#define IDC_OX_IMP_SUPPORT              26198
#define IDC_OX_IMP_ONLY_VIEWS           26199
#define IDC_OX_IMP_SEP_EVENT            26210
#define IDC_OX_IMP_START_EVENT          26211
#define IDC_OX_IMP_SEP_KEYS             26212
#define IDC_OX_IMP_SHIFT                26213
#define IDC_OX_IMP_CTRL                 26214
#define IDC_OX_IMP_ALT                  26215

// ---------------------------------------------------------------------------
// Splash window customize page (COXCustomizeSplashWindowPage). Radio groups:
// 26175-26176 image source, 26187-26188 show mode, 26181-26183 transparent
// colour type. 26174 is the line above the preview (the tray icon page's
// lower line has the same id).
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_SPLASH         26021
#define IDB_OX_CUSTOMIZE_SPLASH         26038
#define IDS_OX_CUSTOMIZE_SPLASH_TITLE   26616
#define IDS_OX_CUSTOMIZE_SPLASH_TIP     26617
#define IDC_OX_PAGE_SEP_LOWER           26174
#define IDC_OX_SPP_DEFAULT_IMAGE        26175
#define IDC_OX_SPP_IMAGE_FILE           26176
#define IDC_OX_SPP_SEP_TRANSPARENT      26177
#define IDC_OX_SPP_PREVIEW              26178
#define IDC_OX_SPP_SEP_DISPLAY          26179
#define IDC_OX_SPP_SEP_IMAGE            26180
#define IDC_OX_SPP_COLOR_TYPE_COLOR     26181
#define IDC_OX_SPP_COLOR_TYPE_NONE      26182
#define IDC_OX_SPP_COLOR_TYPE_POINT     26183
#define IDC_OX_SPP_COLOR                26184
#define IDC_OX_SPP_POINT_X              26185
#define IDC_OX_SPP_POINT_Y              26186
#define IDC_OX_SPP_SHOW_FOR             26187
#define IDC_OX_SPP_SHOW_UNTIL_CLOSED    26188
#define IDC_OX_SPP_DELAY                26189
#define IDC_OX_SPP_DELAY_SPIN           26190
#define IDC_OX_SPP_INTERRUPTABLE        26191
#define IDC_OX_SPP_DISPLAY              26192
#define IDC_OX_SPP_FILE_NAME            26193
#define IDC_OX_SPP_TOLERANCE            26196
#define IDC_OX_SPP_TOLERANCE_SPIN       26197

// ---------------------------------------------------------------------------
// Tray icon customize page (COXCustomizeTrayIconPage). Radio groups: 26194
// (left) and 26195 (right) the button that opens the menu, 26147 (default)
// and 26148 (from a file) the icon's source. Its lower line is 26174.
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_TRAYICON       26016
#define IDB_OX_CUSTOMIZE_TRAYICON       26036
#define IDS_OX_CUSTOMIZE_TRAYICON_TITLE 26618
#define IDS_OX_CUSTOMIZE_TRAYICON_TIP   26619
#define IDC_OX_TRP_SHOW                 26142
#define IDC_OX_TRP_SEP_ICON             26143
#define IDC_OX_TRP_ICONS                26144
#define IDC_OX_TRP_TOOLTIP              26145
#define IDC_OX_TRP_FILE_NAME            26146
#define IDC_OX_TRP_DEFAULT_ICON         26147
#define IDC_OX_TRP_FILE_ICON            26148
#define IDC_OX_TRP_DEFAULT_PICTURE      26149
#define IDC_OX_TRP_LEFT_BUTTON          26194
#define IDC_OX_TRP_RIGHT_BUTTON         26195

// ---------------------------------------------------------------------------
// Caption painter customize page (COXCustomizeCaptionPage): the state being
// edited (26860 active, 26861 inactive), the gradient's dark side (26862
// left, 26863 centre, 26864 right), its algorithm (26865 linear, 26866
// square), the title's nine places (26867-26870, then 26863 for the centre,
// 26872-26875) and its ellipsis (26876-26878).
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_CAPTION        26003
#define IDB_OX_CUSTOMIZE_CAPTION        26005
#define IDS_OX_CUSTOMIZE_CAPTION_TITLE  26604
#define IDS_OX_CUSTOMIZE_CAPTION_TIP    26605
#define IDC_OX_CPP_SEP_STATE            26044
#define IDC_OX_CPP_STATE                26048
#define IDC_OX_CPP_BACKGROUND           26049
#define IDC_OX_CPP_CAPTION_FONT         26060
#define IDC_OX_CPP_CAPTION_FONT_TEXT    26061
#define IDC_OX_CPP_GRADIENT             26062
#define IDC_OX_CPP_SEP_GRADIENT         26064
#define IDC_OX_CPP_ALIGNMENT            26065
#define IDC_OX_CPP_ALGORITHM            26066
#define IDC_OX_CPP_SMCAPTION_FONT       26067
#define IDC_OX_CPP_SHADES               26068
#define IDC_OX_CPP_SHADES_SPIN          26069
#define IDC_OX_CPP_TEXT_ALIGNMENT       26071
#define IDC_OX_CPP_TEXT_ELLIPSIS        26072
#define IDC_OX_CPP_SEP_PREVIEW          26073
#define IDC_OX_CPP_PREVIEW              26074
#define IDC_OX_CPP_SMCAPTION_FONT_TEXT  26075
#define IDC_OX_CPP_PAINT                26219
#define IDS_OX_CPP_STATE_ACTIVE         26860
#define IDS_OX_CPP_STATE_INACTIVE       26861
#define IDS_OX_CPP_ALIGN_LEFT           26862
#define IDS_OX_CPP_ALIGN_CENTER         26863
#define IDS_OX_CPP_ALIGN_RIGHT          26864
#define IDS_OX_CPP_LINEAR               26865
#define IDS_OX_CPP_SQUARE               26866
#define IDS_OX_CPP_TEXT_TOP_LEFT        26867
#define IDS_OX_CPP_TEXT_TOP_CENTER      26868
#define IDS_OX_CPP_TEXT_TOP_RIGHT       26869
#define IDS_OX_CPP_TEXT_CENTER_LEFT     26870
#define IDS_OX_CPP_TEXT_CENTER_RIGHT    26872
#define IDS_OX_CPP_TEXT_BOTTOM_LEFT     26873
#define IDS_OX_CPP_TEXT_BOTTOM_CENTER   26874
#define IDS_OX_CPP_TEXT_BOTTOM_RIGHT    26875
#define IDS_OX_CPP_ELLIPSIS_NONE        26876
#define IDS_OX_CPP_ELLIPSIS_END         26877
#define IDS_OX_CPP_ELLIPSIS_PATH        26878

// ---------------------------------------------------------------------------
// Background painter customize page (COXCustomizeBackgroundPage). Radio
// groups: 26121-26131 the paint types 0 to 10 in order, 26216 (the default
// image) and 26217 (a file). 26530 is the file combo's filter.
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_BACKGROUND     26012
#define IDB_OX_CUSTOMIZE_BACKGROUND     26033
#define IDS_OX_CUSTOMIZE_BACKGROUND_TITLE 26614
#define IDS_OX_CUSTOMIZE_BACKGROUND_TIP 26615
#define IDS_OX_BMP_FILE_FILTER          26530
#define IDC_OX_BGP_COLOR                26119
#define IDC_OX_BGP_TILED                26121   // paint type 0, then 1 to 10
#define IDC_OX_BGP_STRETCHED            26122
#define IDC_OX_BGP_TOP_LEFT             26123
#define IDC_OX_BGP_TOP_CENTER           26124
#define IDC_OX_BGP_TOP_RIGHT            26125
#define IDC_OX_BGP_CENTER_LEFT          26126
#define IDC_OX_BGP_CENTER               26127
#define IDC_OX_BGP_CENTER_RIGHT         26128
#define IDC_OX_BGP_BOTTOM_LEFT          26129
#define IDC_OX_BGP_BOTTOM_CENTER        26130
#define IDC_OX_BGP_BOTTOM_RIGHT         26131
#define IDC_OX_BGP_SEP_TYPE             26132
#define IDC_OX_BGP_FILE_NAME            26133
#define IDC_OX_BGP_SEP_IMAGE            26134
#define IDC_OX_BGP_PREVIEW              26135
#define IDC_OX_BGP_TYPE_LABEL           26136
#define IDC_OX_BGP_ONLY_CLIENT          26137
#define IDC_OX_BGP_PAINT                26139
#define IDC_OX_BGP_DEFAULT_IMAGE        26216
#define IDC_OX_BGP_IMAGE_FILE           26217
#define IDC_OX_BGP_COLOR_LABEL          26218

// ---------------------------------------------------------------------------
// Customize page: cool controls (COXCustomizeCoolControlsPage)
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_COOLCONTROLS   26014
#define IDB_OX_COOL_PAGE                26034
#define IDB_OX_COOL_TYPES               26035
#define IDC_OX_COOL_CHECK_ALL           26138
#define IDC_OX_COOL_CONVERT             26140
#define IDC_OX_COOL_TYPES               26141
#define IDS_OX_COOL_TYPES_ROOT          26898
#define IDS_OX_COOL_TITLE               27284
#define IDS_OX_COOL_TOOLTIP             27285

// ---------------------------------------------------------------------------
// Customize page: instance manager (COXCustomizeInstanceManagerPage)
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_INSTANCES      26018
#define IDB_OX_INSTANCES_PAGE           26037   // the intelli-mouse page's picture
#define IDC_OX_INST_SEP_LIST            26087
#define IDC_OX_INST_SEP_OPTIONS         26088
#define IDC_OX_INST_SEP_COUNT           26160
#define IDC_OX_INST_LIST                26161
#define IDC_OX_INST_UNLIMITED           26162   // one instance and a number next
#define IDC_OX_INST_SINGLE              26163
#define IDC_OX_INST_NUMBER              26164
#define IDC_OX_INST_MAX                 26165
#define IDC_OX_INST_MAX_SPIN            26166
#define IDC_OX_INST_CLOSE               26167   // then activate, place behind,
#define IDC_OX_INST_ACTIVATE            26168   // maximize, minimize, restore
#define IDC_OX_INST_BEHIND              26169
#define IDC_OX_INST_MAXIMIZE            26170
#define IDC_OX_INST_MINIMIZE            26171
#define IDC_OX_INST_RESTORE             26172
#define IDC_OX_INST_COUNT               26173
#define IDC_OX_INST_COUNT_LABEL         26150   // "Running:", the count's label
#define IDS_OX_INST_TITLE               26602
#define IDS_OX_INST_TOOLTIP             26603
#define IDS_OX_INST_COL_INSTANCE        26900
#define IDS_OX_INST_COL_PROCESS         26901
#define IDS_OX_INST_COL_THIS            26902
#define IDS_OX_INST_ROW                 26903   // "%d": the row's number from 1
#define IDS_OX_INST_ROW_THIS            26904

// ---------------------------------------------------------------------------
// Cool tool bar customization: the items of a button's context menu
// ---------------------------------------------------------------------------
#define IDS_OX_CUSTTB_DELETE            26585
#define IDS_OX_CUSTTB_APPEARANCE        26586
#define IDS_OX_CUSTTB_IMAGEONLY         26587
#define IDS_OX_CUSTTB_IMAGEANDTEXT      26588
#define IDS_OX_CUSTTB_SEPARATORBEFORE   26589
#define IDS_OX_CUSTTB_SEPARATORAFTER    26590

// ---------------------------------------------------------------------------
// Property window (COXPropertiesWnd): its tool bar and the commands of the
// categorized and alphabetical views.
// ---------------------------------------------------------------------------
#define IDR_OX_PROPERTIES               28134
#define ID_OX_PROPERTIES_CATEGORIZED    28135
#define ID_OX_PROPERTIES_ALPHABETICAL   28136

// ---------------------------------------------------------------------------
// Menu customization: the items of a menu item's context menu
// ---------------------------------------------------------------------------
#define IDS_OX_CUSTMENU_DELETE          26531
#define IDS_OX_CUSTMENU_APPEARANCE      26532
#define IDS_OX_CUSTMENU_ALWAYSSHOWN     26533
#define IDS_OX_CUSTMENU_SEPARATORBEFORE 26534
#define IDS_OX_CUSTMENU_SEPARATORAFTER  26535
// Customize page: shortcut keys (COXCustomizeShortkeysPage). 26914 names a
// menu ("%s"), 26915 a command without a string ("%u"), 26916 the command
// that has the key already ("%s").
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_SHORTKEYS      26027
#define IDB_OX_SHORTKEYS_FOLDER         26020
#define IDB_OX_SHORTKEYS_COMMAND        26026
#define IDB_OX_CUSTOMIZE_SHORTKEYS      26039
#define IDS_OX_SHORTKEYS_TITLE          26606
#define IDS_OX_SHORTKEYS_TIP            26607
#define IDS_OX_SKP_POPUP                26914
#define IDS_OX_SKP_COMMAND_ID           26915
#define IDS_OX_SKP_ASSIGNED_TO          26916
#define IDC_OX_SKP_RESET                26099
#define IDC_OX_SKP_SEP_SHORTCUTS        26111
#define IDC_OX_SKP_COMMANDS             26112
#define IDC_OX_SKP_SEP_DESCRIPTION      26113
#define IDC_OX_SKP_DESCRIPTION          26114
#define IDC_OX_SKP_SEP_COMMANDS         26116
#define IDC_OX_SKP_ASSIGNED_TO          26118
#define IDC_OX_SKP_SEP_NEW              26120
#define IDC_OX_SKP_TABLE                26220
#define IDC_OX_SKP_HOTKEY               26221
#define IDC_OX_SKP_ASSIGN               26222
#define IDC_OX_SKP_REMOVE               26223
#define IDC_OX_SKP_REMOVE_ALL           26224
#define IDC_OX_SKP_SHORTCUTS            26225

// ---------------------------------------------------------------------------
// Customize page: tool bars (COXCustomizeToolbarsPage). 26937 names a new
// tool bar ("%d"). 26098 and 26099 stay disabled.
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_TOOLBARS       26008
#define IDB_OX_CUSTOMIZE_TOOLBARS       26025
#define IDS_OX_TOOLBARS_TITLE           26610
#define IDS_OX_TOOLBARS_TIP             26611
#define IDS_OX_TBP_NEW_TITLE            26937
#define IDC_OX_TBP_SEP_BARS             26086
#define IDC_OX_TBP_SEP_BORDER           26087
#define IDC_OX_TBP_SEP_OPTIONS          26088
#define IDC_OX_TBP_TOOLTIPS             26089
#define IDC_OX_TBP_COOL_LOOK            26090
#define IDC_OX_TBP_GRIPPER              26092
#define IDC_OX_TBP_BORDER_SIZE          26093
#define IDC_OX_TBP_BORDER_SPIN          26094
#define IDC_OX_TBP_NEW                  26095
#define IDC_OX_TBP_DELETE               26096
#define IDC_OX_TBP_RENAME               26097
#define IDC_OX_TBP_UNUSED1              26098
#define IDC_OX_TBP_UNUSED2              26099
#define IDC_OX_TBP_BARS                 26110

// ---------------------------------------------------------------------------
// Customize page: commands (COXCustomizeCommandsPage). 26894 names a folder
// ("%s"). The tree's five images are one bitmap.
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_COMMANDS       26010
#define IDB_OX_CUSTOMIZE_COMMANDS       26028
#define IDB_OX_CMP_TREE_IMAGES          29050
#define IDS_OX_COMMANDS_TITLE           26620
#define IDS_OX_COMMANDS_TIP             26621
#define IDS_OX_CMP_NEW_MENU             26890
#define IDS_OX_CMP_SEPARATOR            26891
#define IDS_OX_CMP_CUSTOM_BUTTONS       26892
#define IDS_OX_CMP_SEPARATOR_TIP        26893
#define IDS_OX_CMP_FOLDER_TIP           26894
#define IDS_OX_CMP_NEW_MENU_TIP         26895
#define IDS_OX_CMP_CUSTOM_BUTTONS_TIP   26896
#define IDS_OX_CMP_CUSTOM_BUTTON_TIP    26897
#define IDC_OX_CMP_SEP_MENU             26088
#define IDC_OX_CMP_SEP_COMMANDS         26111
#define IDC_OX_CMP_COMMANDS             26112
#define IDC_OX_CMP_SEP_SELECTION        26113
#define IDC_OX_CMP_DESCRIPTION          26114
#define IDC_OX_CMP_MODIFY               26115
#define IDC_OX_CMP_SHOW_ICONS           26117
#define IDC_OX_CMP_RECENTLY_USED        26236
#define IDC_OX_CMP_PREVIEW_FRAME        26247

// ---------------------------------------------------------------------------
// Customize page: tabbed MDI (COXCustomizeTabbedMDIPage). The option tree's
// items carry ids of their own (2000-2045, see the page's header).
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_TABBEDMDI      26004
#define IDB_OX_TABBEDMDI_PAGE           26007
#define IDB_OX_TABBEDMDI_POSITION       26009
#define IDB_OX_TABBEDMDI_TABS           26011
#define IDB_OX_TABBEDMDI_LOOK           26013
#define IDB_OX_TABBEDMDI_OPTIONS        26015
#define IDB_OX_TABBEDMDI_LINES          26017
#define IDC_OX_TMP_SUPPORT              26076
#define IDC_OX_TMP_OPTIONS              26077
#define IDC_OX_TMP_OFFSET_LABEL         26078
#define IDC_OX_TMP_OFFSET               26079
#define IDC_OX_TMP_OFFSET_SPIN          26080
#define IDS_OX_TMP_TITLE                26608
#define IDS_OX_TMP_TOOLTIP              26609
#define IDS_OX_TMP_ROOT                 26917
#define IDS_OX_TMP_POSITION             26918
#define IDS_OX_TMP_LEFT                 26919
#define IDS_OX_TMP_TOP                  26920
#define IDS_OX_TMP_RIGHT                26921
#define IDS_OX_TMP_BOTTOM               26922
#define IDS_OX_TMP_LOOK                 26923
#define IDS_OX_TMP_TABS                 26924
#define IDS_OX_TMP_BUTTONS              26925
#define IDS_OX_TMP_FLATBUTTONS          26926
#define IDS_OX_TMP_OPTIONS              26927
#define IDS_OX_TMP_LINES                26928
#define IDS_OX_TMP_SINGLELINE           26929
#define IDS_OX_TMP_MULTILINE            26930
#define IDS_OX_TMP_HOTTRACK             26931
#define IDS_OX_TMP_FIXEDWIDTH           26932
#define IDS_OX_TMP_FILLROWS             26933
#define IDS_OX_TMP_SCROLLOPPOSITE       26934
#define IDS_OX_TMP_FORCEICONLEFT        26935
#define IDS_OX_TMP_FORCELABELLEFT       26936

// ---------------------------------------------------------------------------
// Customize page: workspace state (COXCustomizeWorkspaceStatePage). The page
// tree's items carry ids of their own (2000 upward, one per page).
// ---------------------------------------------------------------------------
#define IDD_OX_CUSTOMIZE_WORKSPACE      26006
#define IDB_OX_WORKSPACE_PAGE           26019
#define IDB_OX_WORKSPACE_PAGES          26022
#define IDC_OX_WSP_SEP_PAGES            26063
#define IDC_OX_WSP_MAINWND              26081
#define IDC_OX_WSP_BARS                 26082
#define IDC_OX_WSP_SPLITTERPANES        26083
#define IDC_OX_WSP_CHILDFRAMES          26084
#define IDC_OX_WSP_PAGES                26085
#define IDS_OX_WSP_TITLE                26612
#define IDS_OX_WSP_TOOLTIP              26613
#define IDS_OX_WSP_ROOT                 26938

// ---------------------------------------------------------------------------
// Sizing bars' drag-dock context: the hint while a bar is dragged
// ---------------------------------------------------------------------------
#define IDS_OX_DRAGDOCK_HINT            26430
