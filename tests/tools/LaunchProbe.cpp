// A stand-in for our programs in the launcher's tests: takes the selection
// off the clipboard as they do and writes down what it got. Told what to do
// by its environment, which it inherits from the test through the launcher:
//   LAUNCH_PROBE_OUT    file each run appends its record to: the number of
//                       paths, then each path's length and characters (32-bit
//                       numbers, UTF-16); a run that found no list writes
//                       0xFFFFFFFF
//   LAUNCH_PROBE_LEAVE  set: leaves the clipboard alone, as a program that
//                       never takes the list
//   LAUNCH_PROBE_COPY   text put on the clipboard after the list is taken, as
//                       the user copying something meanwhile
//   LAUNCH_PROBE_STAY   milliseconds to stay before ending
// Ends with exit code 7.
#include "common/DropList.h"
#include "framework/Handle.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

std::optional<std::wstring> Variable(const wchar_t* name)
{
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

void Append(std::vector<BYTE>& out, const void* data, size_t size)
{
    const size_t at = out.size();
    out.resize(at + size);
    if (size)
        std::memcpy(out.data() + at, data, size);
}

void PutText(const std::wstring& text)
{
    fx::CGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    if (!memory)
        return;
    {
        fx::CGlobalLock<wchar_t> lock(memory.Get());
        std::memcpy(lock.Get(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    fx::CClipboard clipboard;
    if (clipboard.IsOpen() && ::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, memory.Get()))
        memory.Release();
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    std::optional<std::vector<std::wstring>> paths;
    if (!Variable(L"LAUNCH_PROBE_LEAVE"))
        paths = TakeClipboardDropList();
    if (const std::optional<std::wstring> copy = Variable(L"LAUNCH_PROBE_COPY"))
        PutText(*copy);

    std::vector<BYTE> record;
    const DWORD count = paths ? static_cast<DWORD>(paths->size()) : 0xFFFFFFFF;
    Append(record, &count, sizeof(count));
    if (paths) {
        for (const std::wstring& path : *paths) {
            const DWORD length = static_cast<DWORD>(path.size());
            Append(record, &length, sizeof(length));
            Append(record, path.data(), path.size() * sizeof(wchar_t));
        }
    }
    if (const std::optional<std::wstring> out = Variable(L"LAUNCH_PROBE_OUT")) {
        fx::CFileHandle file(::CreateFileW(out->c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (file)
            ::WriteFile(file.Get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    }
    if (const std::optional<std::wstring> stay = Variable(L"LAUNCH_PROBE_STAY"))
        ::Sleep(static_cast<DWORD>(std::wcstoul(stay->c_str(), nullptr, 10)));
    return 7;
}
