/* Numeric IDs of the dialog templates, the icon and every control the
   program refers to. Shared by the resource script and the C++ code, so it
   holds preprocessor definitions only. */
#ifndef PLATELIER_RESOURCE_IDS_H
#define PLATELIER_RESOURCE_IDS_H

#define IDD_MAIN 128
#define IDD_ABOUT 129
#define IDI_APPLICATION_ICON 128

/* MainDialog */
#define IDC_MASTER_PATH 300
#define IDC_CYAN_PATH 301
#define IDC_MAGENTA_PATH 302
#define IDC_YELLOW_PATH 303
#define IDC_BLACK_PATH 304
#define IDC_MASTER_BROWSE 400
#define IDC_CYAN_BROWSE 401
#define IDC_MAGENTA_BROWSE 402
#define IDC_YELLOW_BROWSE 403
#define IDC_BLACK_BROWSE 404
#define IDC_TITLE 500
#define IDC_CYAN_NAME 501
#define IDC_MAGENTA_NAME 502
#define IDC_YELLOW_NAME 503
#define IDC_BLACK_NAME 504
#define IDC_SAVE_ALL 600
#define IDC_RENAME_CHANNELS 601
#define IDC_RENAME_FILES 602
#define IDC_NEW_FILESET 603
#define IDC_QUIT 604

/* AboutDialog: its OK button is 501, not IDOK. */
#define IDC_ABOUT_OK 501

/* Items the program appends to MainDialog's system menu. */
#define IDM_ABOUT 1024
#define IDM_HELP 1280

/* The command MainDialog posts itself to open the master named when the
   program started; no control has it. */
#define IDM_OPEN_NAMED_MASTER 700

#endif
