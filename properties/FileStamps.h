// The arithmetic of a file's stamps and attributes as the file page edits
// them: local times with the daylight-saving rule of their own date, and the
// attribute word with the four editable bits replaced.
#pragma once
#include <windows.h>

#include <optional>

namespace fennix {

// A stored (UTC) file time as local time, by the rules in force on that date.
std::optional<SYSTEMTIME> FileTimeToLocal(const FILETIME& utc);

// The file time for a local date taken from `date` and a time of day taken
// from `timeOfDay`; none when the two do not make a valid time.
std::optional<FILETIME> LocalToFileTime(const SYSTEMTIME& date, const SYSTEMTIME& timeOfDay);

// The local time that LocalToFileTime writes: date and time of day joined.
SYSTEMTIME JoinDateAndTime(const SYSTEMTIME& date, const SYSTEMTIME& timeOfDay);

// A date or time the user typed into a picker, read in the user's own
// format ("15/07/2021", "14:30", "July 15, 2021 2:30 PM"); none when it is
// no date or time.
std::optional<SYSTEMTIME> ParseTypedTime(const wchar_t* text);

struct AttributeChoice {
    bool archive = false;
    bool readOnly = false;
    bool system = false;
    bool hidden = false;
    bool operator==(const AttributeChoice&) const = default;
};

// The attribute word to write onto a file whose word is now `current`: each
// of the four boxes the user changed (chosen differs from shown, what the
// page showed) sets or clears its bit; every other bit stays as the file has
// it now, also one another program changed meanwhile. FILE_ATTRIBUTE_NORMAL
// when nothing at all is left.
DWORD ComposeAttributes(DWORD current, const AttributeChoice& shown, const AttributeChoice& chosen);

} // namespace fennix
