#include "tools/launcher/Siblings.h"

#include "framework/GrowBuffer.h"

#include <tlhelp32.h>

namespace launcher {

namespace {

std::wstring HereName(DWORD processId)
{
    return SessionPrefix() + L".Here." + std::to_wstring(processId);
}

std::wstring JoiningName(const std::wstring& prefix, DWORD processId)
{
    return prefix + std::to_wstring(processId);
}

bool EventExists(const std::wstring& name)
{
    return static_cast<bool>(fx::CKernelHandle(::OpenEventW(SYNCHRONIZE, FALSE, name.c_str())));
}

ULONGLONG MsFromFileTime(const FILETIME& time)
{
    return ((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000;
}

ULONGLONG StartOf(HANDLE process)
{
    FILETIME created{}, exited{}, kernel{}, user{};
    return ::GetProcessTimes(process, &created, &exited, &kernel, &user) ? MsFromFileTime(created) : 0;
}

ULONGLONG Now()
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return MsFromFileTime(now);
}

std::wstring ImageOf(HANDLE process)
{
    return fx::ReadGrowingText([process](wchar_t* buffer, DWORD size) {
               DWORD length = size;
               if (::QueryFullProcessImageNameW(process, 0, buffer, &length))
                   return length;
               return ::GetLastError() == ERROR_INSUFFICIENT_BUFFER ? size * 2 : 0;
           }).value_or(L"");
}

bool SameFile(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring FileNameOf(const std::wstring& path)
{
    return path.substr(path.find_last_of(L"\\/") + 1);
}

} // namespace

CMembership::CMembership(const ChannelNames& names)
    : m_here(::CreateEventW(nullptr, TRUE, FALSE, HereName(::GetCurrentProcessId()).c_str())),
      m_joining(::CreateEventW(nullptr, TRUE, FALSE, JoiningName(names.joining, ::GetCurrentProcessId()).c_str()))
{
}

CSiblingWatch::CSiblingWatch(const ChannelNames& names)
    : m_joiningPrefix(names.joining), m_image(ImageOf(::GetCurrentProcess())), m_started(StartOf(::GetCurrentProcess()))
{
    ::ProcessIdToSessionId(::GetCurrentProcessId(), &m_session);
}

bool CSiblingWatch::SomeMayStillCome() const
{
    fx::CFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || m_image.empty())
        return false;
    const std::wstring name = FileNameOf(m_image);
    const ULONGLONG now = Now();
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        DWORD session = 0;
        if (entry.th32ProcessID == ::GetCurrentProcessId() || !SameFile(FileNameOf(entry.szExeFile), name) ||
            !::ProcessIdToSessionId(entry.th32ProcessID, &session) || session != m_session)
            continue;
        fx::CKernelHandle process(
            ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (!process || ::WaitForSingleObject(process.Get(), 0) != WAIT_TIMEOUT || !SameFile(ImageOf(process.Get()), m_image))
            continue;
        if (EventExists(JoiningName(m_joiningPrefix, entry.th32ProcessID)))
            return true; // on its way here
        const ULONGLONG started = StartOf(process.Get());
        if (!EventExists(HereName(entry.th32ProcessID)) && started + kEarlierMs >= m_started &&
            now < started + kStartingLimitMs)
            return true; // still starting: it may be ours
    }
    return false;
}

} // namespace launcher
