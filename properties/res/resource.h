// Resource ids of Fennix.
#pragma once

#define IDD_ABOUT 100
#define IDD_FILE_PAGE 102
#define IDS_SHEET_CAPTION 103
#define IDD_DROP_WINDOW 142

#define IDI_APP 128
#define IDI_DONE_HOT 135
#define IDI_CANCEL 136
#define IDI_APPLY 137
#define IDI_DONE 138
#define IDI_APPLY_HOT 139
#define IDI_CANCEL_HOT 140
#define IDI_DROP_WAIT 143
#define IDI_DROP_DONE 144
#define IDI_MINIMIZE 152
#define IDI_MINIMIZE_HOT 154

#define IDC_MINIMIZE_BUTTON 109
