// Starting one of our programs with a selection: the list goes to that child
// alone, never through the clipboard or anything with a name.
#pragma once
#include "framework/Handle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace launcher {

struct Started {
    fx::CKernelHandle process; // empty when the program did not start
    DWORD error = ERROR_SUCCESS;
};

// Starts `program` with the paths in a DROPFILES block in an unnamed section
// whose handle only that child inherits; the child's command line names the
// handle (kSelectionSwitch), and it reads the block with the same parser as a
// clipboard list. An empty list tells the program it was handed nothing.
Started StartWithSelection(const std::wstring& program, const std::vector<std::wstring>& paths);

} // namespace launcher
