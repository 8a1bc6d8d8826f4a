// Resource ids of Larkway.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif

// Dialogs, menu, strings.
#define IDS_ABOUT_MENU 101   // "&About Larkway..."
#define IDD_SEND 102
#define IDS_SELECT_DESTINATION 102 // "Select Destination Folder"
#define IDS_OPTIONS 109
#define IDD_OPTIONS 110
#define IDD_ORGANIZE_FAVORITES 111
#define IDM_SEND 145
#define IDD_FAVORITE_NAME 159
#define IDD_ABOUT 160

// Icons.
#define IDI_APP 128
#define IDI_BROWSE 129
#define IDI_EXIT_HOT 130
#define IDI_ABOUT 131
#define IDI_SEND_HOT 132
#define IDI_EXIT 133
#define IDI_SEND 134
#define IDI_ABOUT_HOT 135
#define IDI_BROWSE_HOT 138
#define IDI_MOVE 139
#define IDI_COPY 140
#define IDI_ADD_FAVORITE 148
#define IDI_ADD_FAVORITE_HOT 149
#define IDI_UP_HOT 150
#define IDI_CANCEL 151
#define IDI_CLEAR_HOT 152
#define IDI_CLEAR 153
#define IDI_DOWN_HOT 154
#define IDI_DOWN 155
#define IDI_CANCEL_HOT 156
#define IDI_UP 157
#define IDI_FAVORITES_HOT 161
#define IDI_FAVORITES 162
#define IDI_OPTIONS 163
#define IDI_OPTIONS_HOT 164

// Send dialog controls.
#define IDC_DESTINATION 1000
#define IDC_BROWSE 1001
#define IDC_ABOUT_BUTTON 1002
#define IDC_COPY_MOVE 1003
#define IDC_FREE_SPACE 1006
#define IDC_REQUIRED_SPACE 1007
#define IDC_ITEM_LIST 1009
#define IDC_ITEMS_HEADER 1010
#define IDC_ADD_FAVORITE 1011
#define IDC_FAVORITES 1012
#define IDC_ITEM_PROGRESS 1022
#define IDC_ACTIVITY_BAR 1024

// Name dialog; the favourites page's name edit too.
#define IDC_FAVORITE_NAME 1000

// Options page.
#define IDC_FAVORITE_COUNT 1000
#define IDC_SIZE_FOLDERS 1014
#define IDC_FAVORITE_COUNT_SPIN 1015
#define IDC_SET_DEFAULTS 1017

// Favourites page.
#define IDC_FAVORITE_TARGET 1001
#define IDC_FAVORITE_LIST 1012
#define IDC_MOVE_UP 1013
#define IDC_MOVE_DOWN 1014
#define IDC_DELETE_FAVORITE 1015
#define IDC_BROWSE_FAVORITE 1016
#define IDC_CLEAR_FAVORITES 1017

// Commands.
#define IDM_ABOUTBOX 0x0010
#define ID_VIEW_OPTIONS 32775
#define ID_FAVORITE_FIRST 32776 // one command per favourite, ten in all
#define ID_FAVORITE_LAST 32785
