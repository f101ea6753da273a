// The framework's standard command ids of the File menu and the prompts of
// its document commands, with the framework's values, so that menus, tool
// bars and message maps of every module agree on them.
#pragma once

// File commands.
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109

// The id of the view that fills a frame's client area.
// The status bar's idle message ("Ready", a framework string).
#define AFX_IDS_IDLEMESSAGE 0xE001
#define AFX_IDW_PANE_FIRST 0xE900

// Prompts of the document commands (string-table ids a module may supply).
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF100
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF101
#define AFX_IDP_ASK_TO_SAVE 0xF102
#define AFX_IDP_FAILED_TO_START_PRINT 0xF106
