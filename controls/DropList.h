// The hand-over of a selection: a CF_HDROP file list, read whole (wide or
// ANSI DROPFILES, any number of paths, any length).
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <optional>
#include <string>
#include <vector>

std::vector<std::wstring> ReadDropList(HDROP drop);

// Takes the file list off the clipboard and empties the clipboard, whatever
// it held. No value when the clipboard held no file list or could not be opened.
std::optional<std::vector<std::wstring>> TakeClipboardDropList();

// Builds a CF_HDROP block (wide DROPFILES) for the paths; the caller owns it
// until it hands it to the clipboard or to a drop.
HGLOBAL MakeDropList(const std::vector<std::wstring>& paths);
