// The hand-over of a selection: a CF_HDROP file list. Any program can put any
// bytes on the clipboard under that format, so the list is read by our own
// parser over the block's real size, never by trusting its header.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The paths of a DROPFILES block of `size` bytes (wide or ANSI). A list that
// is not terminated inside the block ends at the block's end. No value when
// the header is malformed (too short, or its list offset outside the block).
std::optional<std::vector<std::wstring>> ParseDropFiles(const BYTE* block, size_t size);

// The paths of a drop handle (a clipboard list, or the one WM_DROPFILES
// brings), read within its GlobalSize; no value when it holds no valid list.
std::optional<std::vector<std::wstring>> ReadDropList(HGLOBAL drop);

// Takes the file list off the clipboard. The clipboard is emptied only when
// it held a valid list: whatever else the user copied stays where it is. No
// value when there was no valid list or the clipboard could not be opened.
std::optional<std::vector<std::wstring>> TakeClipboardDropList();

// How our launcher names, on a program's command line, the section that holds
// the selection it hands that program: "--selection=<handle>", a handle the
// program inherited from the launcher and nobody else holds.
inline constexpr wchar_t kSelectionSwitch[] = L"--selection=";

// The selection a program starts with. A selection handed by our launcher
// comes first: the paths in the section its command line names (the handle
// is closed once read). A section that cannot be read, or an empty list,
// gives no value and the clipboard is left alone: the launcher meant this
// run, not the clipboard's list. Without a handed selection, the clipboard's
// list (TakeClipboardDropList), for launchers that hand it there.
std::optional<std::vector<std::wstring>> TakeStartSelection();

// The paths of a DROPFILES block at the start of a section, read within the
// view's real size; closes the handle.
std::optional<std::vector<std::wstring>> ReadSelectionSection(HANDLE section);

// The DROPFILES block (wide) for the paths: double-NUL terminated, also when
// empty.
std::vector<BYTE> MakeDropFiles(const std::vector<std::wstring>& paths);

// The same block as a CF_HDROP handle; the caller owns it until it hands it
// to the clipboard or to a drop.
HGLOBAL MakeDropList(const std::vector<std::wstring>& paths);
