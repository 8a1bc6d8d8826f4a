// What the launcher makes of its command line: the arguments, split the way a
// list of paths needs, and each given path as the full path the programs are
// handed, or the reason it is left out.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace launcher {

// The arguments of a command line, the program's own name first. Spaces and
// tabs separate arguments outside double quotes; a double quote only opens or
// closes a quoted part, since no path holds one. A backslash stays a
// backslash, also right before a closing quote: the shell's "%1" for a drive
// gives "C:\", which the C runtime's rules would read as an escaped quote.
// A run of backslashes before a quote as a program quoting by those rules
// writes it (doubled: "C:\my dir\\") counts half, rounded up, so both forms
// give the same path.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

// Why a given path is not handed to the program.
enum class Refusal : std::uint32_t {
    None = 0,  // handed over
    Empty,     // ""
    TooLong,   // longer than any path can be (32,767 characters)
    Wildcard,  // a pattern such as "*.txt": it names no one file
    Device,    // "NUL", "COM1", "\\.\PhysicalDrive0", "C:\dir\CON"
    NotAPath,  // anything else no file can be named by (characters no name may hold)
    CutShort,  // the last of a command line at its limit: it may have lost its end
    Last = CutShort,
};

struct GivenPath {
    std::wstring text;               // the full path; the path as given when refused
    Refusal refusal = Refusal::None;
};

// A path as given on the command line, read the way the programs read a
// selected path: "/" as "\", "." and ".." resolved, the extended-length prefix
// dropped. A relative path is taken from the current folder of this process
// (the folder the shell starts the verb in, or the caller's).
GivenPath ReadGivenPath(const std::wstring& given);

// The reason in words, for the user: "is empty", "is a device", ...
std::wstring DescribeRefusal(Refusal refusal);

// The longest path the file systems take.
constexpr size_t kLongestPath = 32767;
// The longest command line a program can be started with (32,767 characters
// with the terminating NUL). A longer one is refused on Windows; Wine cuts it
// to this length, so the last argument of a line this long may have lost its end.
constexpr size_t kLongestCommandLine = 32766;

} // namespace launcher
