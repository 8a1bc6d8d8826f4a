// What the folder search dialog accepts as a type filter before it lets the
// user start a walk: patterns such as "*.txt;*.doc" that the type statistics
// can match against file names.
#pragma once
#include <string_view>

namespace fennix {

// True for an empty filter (every file in the one "*.*" row), and for a text
// of at least three characters that begins with "*" in which every later "*"
// is followed by "." and a character that can start a type: not a blank,
// ".", ";", "," or "*". A leading "*.*" is allowed (it is the row every
// filter has anyway); a later one is not, nor a lone "*", nor "*.".
bool IsAcceptableFilter(std::wstring_view filter);

} // namespace fennix
