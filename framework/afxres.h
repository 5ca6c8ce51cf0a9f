// Standard command, string and control ids shared by the framework and resource scripts.
// Plain #defines only: windres reads this file too.
#ifndef LANTREL_FRAMEWORK_AFXRES_H
#define LANTREL_FRAMEWORK_AFXRES_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// File commands
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FILE2 0xE111
#define ID_FILE_MRU_FILE3 0xE112
#define ID_FILE_MRU_FILE4 0xE113
#define ID_FILE_MRU_LAST 0xE11F

// Edit commands
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_UNDO 0xE12B

// Window and application commands
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141

// Framework strings
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001

// Child window ids
#define AFX_IDW_PANE_FIRST 0xE900

#endif
