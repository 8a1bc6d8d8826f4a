// Private messages between Fennix's windows. The values are fixed: the drop
// window, the folder search dialog and the folder page all rely on them.
// All three are sent (not posted) and return 0.
#pragma once
#include <windows.h>

namespace fennix {

// Drop window -> sheet: wParam 1 with the HDROP in lParam after a drop, else 0.
constexpr UINT WM_DROPWND_RESTORE = WM_USER + 9;
// Search dialog -> sheet: wParam 0 stop, 1 start, 2 start with subfolders;
// lParam the filter text, valid during the call only.
constexpr UINT WM_SEARCH_START = WM_USER + 10;
// Folder page -> sheet -> search dialog: the walk has ended.
constexpr UINT WM_SEARCH_DONE = WM_USER + 11;
// Folder page -> sheet -> search dialog: how far the walk has come; lParam a
// FolderTotals, valid during the call only. Sent, returns 0.
constexpr UINT WM_SEARCH_PROGRESS = WM_USER + 12;

// Folder page's walk worker -> folder page: the walk of id wParam has ended.
constexpr UINT WM_WALK_DONE = WM_APP + 20;
// Sheet -> itself: give the keyboard to the search dialog once the frame shows.
constexpr UINT WM_ACTIVATE_SEARCH = WM_APP + 21;
// Folder page -> itself: take the pie page away once the sheet has switched back.
constexpr UINT WM_REMOVE_PIE_PAGE = WM_APP + 22;
// Frame -> itself: fit the frame to the sheet, which has taken a new DPI's size.
constexpr UINT WM_FIT_TO_SHEET = WM_APP + 23;
// Shell icon worker -> the window that asked: the icon of fetch wParam is ready.
constexpr UINT WM_SHELL_ICON = WM_APP + 24;
// First item's worker -> sheet: the facts of look-up wParam are ready.
constexpr UINT WM_FIRST_ITEM = WM_APP + 25;

} // namespace fennix
