// Resource and string ids, in numbered blocks. Shared by the resource
// script and the C++ code. The framework's own ids (application title,
// standard commands, bars) come from the framework.
#pragma once

#include "../framework/FrameworkIds.h"

// Image origins: window titles of new images (32900 block).
#define IDS_ORIGIN_CLIPBOARD 32900
#define IDS_ORIGIN_FRAME 32901
#define IDS_ORIGIN_ZOOM_IN 32902
#define IDS_ORIGIN_ZOOM_OUT 32903
#define IDS_ORIGIN_FLIP_H 32904
#define IDS_ORIGIN_FLIP_V 32905
#define IDS_ORIGIN_ROTATE_LEFT 32906
#define IDS_ORIGIN_ROTATE_RIGHT 32907
#define IDS_ORIGIN_BLACK_WHITE 32909
#define IDS_ORIGIN_GRAYSCALE 32910
#define IDS_ORIGIN_INVERT 32911
#define IDS_ORIGIN_CHANGE_COLOR 32912
#define IDS_ORIGIN_REDUCE_COLOR 32913
#define IDS_ORIGIN_MERGED 32914
#define IDS_ORIGIN_CROP 32916
#define IDS_ORIGIN_ERASE 32917
#define IDS_ORIGIN_SCREEN 32918
#define IDS_ORIGIN_WINDOW 32919
#define IDS_ORIGIN_REGION 32920
#define IDS_ORIGIN_TITLE_MENU 32921
#define IDS_ORIGIN_FREEHAND 32922
#define IDS_ORIGIN_POINTER 32923
#define IDS_ORIGIN_BUTTON 32924

// Codec and memory messages (32950 block): the format messages are defined
// with the format dispatch; the clipboard's two fill the gap at 32965.
#include "../formats/FormatMessages.h"
#define IDS_CANNOT_OPEN_CLIPBOARD 32965
#define IDS_NO_BITMAP_IN_CLIPBOARD 32966

// Resources of the main frame (2) and of the image windows (3): menus,
// accelerators, tool bar and icons.
#define IDR_MAINFRAME 2
#define IDR_IMAGETYPE 3

// Dialog templates of the application object.
#define IDD_SPLASH 1100
#define IDD_ABOUT 1126
// Controls of the About box.
#define IDC_ABOUT_RESOLUTION 1127
#define IDC_ABOUT_COLORS 1128
#define IDC_ABOUT_DRIVER 1129
#define IDC_ABOUT_ANIMATION 1130
#define IDC_ABOUT_VERSION 1131
#define IDC_SPLASH_VERSION 1132
// The title-bar dialogs: the clock (1120, controls 1460 block) and the
// snapshot buttons (1121, controls 1710 block; samples 1739-1743).
#define IDD_CLOCK 1120
#define IDD_SNAPSHOT_BUTTONS 1121
#define IDC_CLOCK_SAMPLE 1460
#define IDC_CLOCK_TIME 1461
#define IDC_CLOCK_DATE 1462
#define IDC_CLOCK_12_HOUR 1463
#define IDC_CLOCK_24_HOUR 1464
#define IDC_CLOCK_SECONDS 1465
#define IDC_CLOCK_AM_PM 1466
#define IDC_CLOCK_UPPER_CASE 1467
#define IDC_CLOCK_MDY 1469
#define IDC_CLOCK_DMY 1470
#define IDC_CLOCK_YMD 1471
#define IDC_CLOCK_SEPARATOR_LABEL 1472
#define IDC_CLOCK_SLASH 1473
#define IDC_CLOCK_HYPHEN 1474
#define IDC_CLOCK_FULL_STOP 1475
#define IDC_CLOCK_CENTURY 1476
#define IDC_CLOCK_HIDE 1477
#define IDC_CLOCK_TIME_GROUP 1478
#define IDC_CLOCK_DATE_GROUP 1479
#define IDC_CLOCK_DEFAULT 1480
#define IDC_CLOCK_COLOR 1481
#define IDC_CLOCK_HELP 1482
#define IDC_SNAP_SCREEN 1710
#define IDC_SNAP_WINDOW 1711
#define IDC_SNAP_REGION 1712
#define IDC_SNAP_FREEHAND 1713
#define IDC_SNAP_BUTTON 1734
#define IDC_SNAP_HIDE 1735
#define IDC_SNAP_DEFAULT 1736
#define IDC_SNAP_COLOR 1737
#define IDC_SNAP_HELP 1738
#define IDC_SNAP_SAMPLE_FIRST 1739
#define IDS_CLOCK_OFF 32981
// The open dialog's child template (Explorer style) and its controls; the
// classic dialog's controls are made by code.
#define IDD_FILE_OPEN_PREVIEW 1198
#define IDC_FILE_FACTS 1196
#define IDC_FILE_IMAGE_SIZE 1129
#define IDC_FILE_STANDARD_AREA 1119
#define IDC_FILE_PREVIEW_PANE 1128
#define IDC_FILE_PREVIEW_BUTTON 1127
#define IDC_CLASSIC_SIZE_PANE 101
#define IDC_CLASSIC_PREVIEW_PANE 102
#define IDC_CLASSIC_PREVIEW_CHECK 104

// Status bar indicators (their texts give the pane widths) and the
// settings-file filter (2000 block).
#define ID_INDICATOR_SIZE 2000
#define ID_INDICATOR_COLORS 2001
#define ID_INDICATOR_STAMP 2002
#define ID_INDICATOR_COUNT 2003
#define IDS_FILTER_OPEN 2010
#define IDS_FILTER_OPEN_MORE 2011
#define IDS_FILTER_SAVE 2012
#define IDS_FILTER_INI 2013

// Commands of the image windows and the application (32771 block).
#define ID_FILE_OPEN_NOTE 32771
#define ID_FILE_SAVE_NOTE 32772
#define ID_FILE_PRINT_ALL 32773
#define ID_EDIT_COPY_IMAGE 32775
#define ID_EDIT_PASTE_IMAGE 32776
#define ID_EDIT_COPY_TEXT 32777
#define ID_EDIT_PASTE_TEXT 32778
#define ID_EDIT_DELETE_IMAGE 32779
#define ID_EDIT_IMAGE_INFO 32780
#define ID_VIEW_NOTEPAD 32781
#define ID_VIEW_FULL_SCREEN 32784
#define ID_VIEW_BACKGROUND 32785
#define ID_TOOL_FRAME 32786
#define ID_TOOL_ZOOM_IN 32787
#define ID_TOOL_ZOOM_OUT 32788
#define ID_TOOL_SCALE 32789
#define ID_TOOL_FLIP_H 32790
#define ID_TOOL_FLIP_V 32791
#define ID_TOOL_ROTATE_LEFT 32792
#define ID_TOOL_ROTATE_RIGHT 32793
#define ID_TOOL_MERGE 32794
#define ID_TOOL_SHOW_BORDER 32795
#define ID_TOOL_MERGE_BACKGROUND 32796
#define ID_TOOL_BLACK_WHITE 32797
#define ID_TOOL_GRAYSCALE 32798
#define ID_TOOL_INVERT 32799
#define ID_TOOL_COUNT_COLORS 32800
#define ID_TOOL_CHANGE_COLORS 32801
#define ID_TOOL_REDUCE_COLORS 32802
#define ID_TOOL_SELECT_IMAGE 32803
#define ID_TOOL_INVERT_SELECTION 32804
#define ID_TOOL_RESET_CROP 32805
#define ID_TOOL_CROP 32806
#define ID_TOOL_ERASE 32807
#define ID_OPTIONS_CAPTURE_SETUP 32808
#define ID_OPTIONS_CLOCK 32809
#define ID_OPTIONS_SNAPSHOT_BUTTONS 32810
#define ID_OPTIONS_HOTKEY 32811
#define ID_OPTIONS_HOTBUTTON 32812
#define ID_OPTIONS_MASTER_RESET 32815
#define ID_OPTIONS_LOAD_SETTINGS 32816
#define ID_OPTIONS_SAVE_SETTINGS 32817
#define ID_WINDOW_CLOSE_ALL 32819
#define ID_HELP_CONTENTS 32820
#define ID_HELP_HOW_TO_USE 32821

// Application messages (32940 block).
#define IDS_MASTER_RESET_PROMPT 32940
#define IDS_RUN_IN_BACKGROUND 32941
#define IDS_CLOSE_ALL_PROMPT 32942

// Cursors (91 block): picking a colour, the capture modes, dragging images.
#define IDCUR_PICK_COLOR 91
#define IDCUR_BUTTON_CAPTURE 92
#define IDCUR_REGION_CAPTURE 93
#define IDCUR_DROP_ACCEPTED 94
#define IDCUR_DROP_REFUSED 95
#define IDCUR_MOVE_IMAGE 96
#define IDCUR_FREEHAND_CAPTURE 97
#define IDCUR_WINDOW_SELECT 98
