// The shell's way in: our launcher as a COM local server ("launch.exe
// -Embedding") of one class per program. The context-menu verbs name a class
// as their DropTarget and the Send To items are files of a type whose drop
// handler is one: the shell creates the object, calls DragEnter and then Drop
// once with a data object holding the whole selection, however large, and
// the launcher starts the program with it (StartWithSelection).
//
// A local server rather than a DLL in the shell's process: a fault of ours
// stays out of Explorer, no DLL of ours stays loaded (and locked) in it, and
// the server is the same exe that starts the programs.
#pragma once
#include <windows.h>

#include <string>

namespace launcher {

struct ProgramClass {
    CLSID clsid;
    const wchar_t* program; // the exe beside the launcher
};

// The classes, one per program: the installer writes the same ids.
extern const ProgramClass kProgramClasses[3];

// How long a data object may take to hand over its list.
constexpr DWORD kDataLimitMs = 10000;

// Serves the classes until every object made is gone and no other came in a
// second after (or none was asked for within a minute); the programs are
// looked for in `folder`. The exit code.
int ServeDropTargets(const std::wstring& folder);

} // namespace launcher
