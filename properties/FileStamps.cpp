#include "properties/FileStamps.h"

#include <oleauto.h>

#include <string>

namespace fennix {

namespace {
// Bits that only describe the file and are never written back.
const DWORD kNotSettable = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_NORMAL |
                           FILE_ATTRIBUTE_SPARSE_FILE | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_COMPRESSED |
                           FILE_ATTRIBUTE_ENCRYPTED;
} // namespace

std::optional<FILETIME> LocalToFileTime(const SYSTEMTIME& date, const SYSTEMTIME& timeOfDay)
{
    SYSTEMTIME local = JoinDateAndTime(date, timeOfDay);
    SYSTEMTIME utc{};
    FILETIME result{};
    // TzSpecificLocalTimeToSystemTime applies the daylight-saving rule of the
    // date itself, not today's, unlike LocalFileTimeToFileTime.
    if (!::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !::SystemTimeToFileTime(&utc, &result))
        return std::nullopt;
    return result;
}

std::optional<SYSTEMTIME> FileTimeToLocal(const FILETIME& utc)
{
    SYSTEMTIME universal{}, local{};
    if (!::FileTimeToSystemTime(&utc, &universal) || !::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return std::nullopt;
    return local;
}

SYSTEMTIME JoinDateAndTime(const SYSTEMTIME& date, const SYSTEMTIME& timeOfDay)
{
    SYSTEMTIME joined = date;
    joined.wHour = timeOfDay.wHour;
    joined.wMinute = timeOfDay.wMinute;
    joined.wSecond = timeOfDay.wSecond;
    joined.wMilliseconds = 0;
    return joined;
}

std::optional<SYSTEMTIME> ParseTypedTime(const wchar_t* text)
{
    DATE date = 0;
    SYSTEMTIME parsed{};
    if (!text)
        return std::nullopt;
    std::wstring copy = text; // VarDateFromStr takes a writable string
    if (FAILED(::VarDateFromStr(copy.data(), LOCALE_USER_DEFAULT, 0, &date)) ||
        !::VariantTimeToSystemTime(date, &parsed))
        return std::nullopt;
    return parsed;
}

DWORD ComposeAttributes(DWORD current, const AttributeChoice& shown, const AttributeChoice& chosen)
{
    DWORD value = current & ~kNotSettable;
    const struct {
        bool shown, chosen;
        DWORD bit;
    } boxes[] = {{shown.archive, chosen.archive, FILE_ATTRIBUTE_ARCHIVE},
                 {shown.readOnly, chosen.readOnly, FILE_ATTRIBUTE_READONLY},
                 {shown.system, chosen.system, FILE_ATTRIBUTE_SYSTEM},
                 {shown.hidden, chosen.hidden, FILE_ATTRIBUTE_HIDDEN}};
    for (const auto& box : boxes) {
        if (box.chosen != box.shown)
            value = box.chosen ? value | box.bit : value & ~box.bit;
    }
    return value ? value : FILE_ATTRIBUTE_NORMAL;
}

} // namespace fennix
