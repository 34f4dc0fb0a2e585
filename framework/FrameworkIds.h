// Ids that belong to the framework: the application title and the idle
// prompt, the standard File, Edit, View, Window and Help commands, the
// recent-file items, the control bars, the splitter panes and the MDI
// window list. Plain #defines only, so that the resource compiler reads
// them too (resources/resource.h includes this header).
#pragma once

// Strings the framework loads.
#define IDS_APP_TITLE 57344              // caption of every message box
#define IDS_IDLE_MESSAGE 57345           // "Ready" in the status bar
#define IDS_FAILED_TO_LAUNCH_HELP 61703
#define IDS_PARSE_INT 61712               // a dialog number field without a number
#define IDS_PARSE_INT_RANGE 61715         // a dialog number outside its range

// Standard commands (57600 block).
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_PRINT_SETUP 57606
#define ID_FILE_PRINT 57607
#define ID_FILE_MRU_FILE1 57616          // the recent-file items follow in order
#define ID_FILE_MRU_FILE2 57617
#define ID_FILE_MRU_FILE3 57618
#define ID_FILE_MRU_FILE4 57619
#define ID_FILE_MRU_LAST 57631           // the last id the recent-file range may use
#define ID_EDIT_UNDO 57643
#define ID_WINDOW_ARRANGE 57649
#define ID_WINDOW_CASCADE 57650
#define ID_WINDOW_TILE_HORZ 57651
#define ID_WINDOW_TILE_VERT 57652
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665

// The View menu's bar commands double as the bars' child-window ids.
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393
#define IDW_TOOL_BAR ID_VIEW_TOOLBAR
#define IDW_STATUS_BAR ID_VIEW_STATUS_BAR
#define IDW_FIRST_PANE 0xE900            // a splitter's panes: 16 ids per row

// The MDI window list: the first window's menu id, which is also the id of
// the one prompt that every item of the list shares.
#define ID_FIRST_MDI_CHILD 0xFF00
#define IDS_MDI_CHILD_PROMPT ID_FIRST_MDI_CHILD
