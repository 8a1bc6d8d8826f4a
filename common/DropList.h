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

// Takes the file list off the clipboard and empties the clipboard, whatever
// it held. No value when the clipboard held no valid file list or could not
// be opened.
std::optional<std::vector<std::wstring>> TakeClipboardDropList();

// Builds a CF_HDROP block (wide DROPFILES) for the paths; the caller owns it
// until it hands it to the clipboard or to a drop.
HGLOBAL MakeDropList(const std::vector<std::wstring>& paths);
