#include "launcher/HandedStart.h"

#include "common/DropList.h"
#include "framework/Trace.h"

#include <cstring>
#include <mutex>

namespace launcher {

namespace {

// A section holding the block, inheritable so that a child can be given it.
// Empty when it could not be made; `error` then says why.
fx::CKernelHandle MakeSection(const std::vector<BYTE>& block, DWORD& error)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    const ULONGLONG size = block.size();
    fx::CKernelHandle section(::CreateFileMappingW(INVALID_HANDLE_VALUE, &inheritable, PAGE_READWRITE,
                                                   static_cast<DWORD>(size >> 32), static_cast<DWORD>(size), nullptr));
    const fx::CMappedView view(section ? ::MapViewOfFile(section.Get(), FILE_MAP_WRITE, 0, 0, 0) : nullptr);
    if (!view) {
        error = ::GetLastError();
        fx::TraceLastError(L"The section for a selection was not made");
        return fx::CKernelHandle();
    }
    std::memcpy(view.Get(), block.data(), block.size());
    return section;
}

// The attribute list that limits what a child inherits to one handle.
class CInheritOnly {
public:
    explicit CInheritOnly(HANDLE handle) : m_handle(handle)
    {
        SIZE_T size = 0;
        ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        m_storage.resize(size);
        auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_storage.data());
        if (::InitializeProcThreadAttributeList(list, 1, 0, &size) &&
            ::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &m_handle, sizeof(m_handle), nullptr,
                                        nullptr))
            m_list = list;
    }
    ~CInheritOnly()
    {
        if (m_list)
            ::DeleteProcThreadAttributeList(m_list);
    }
    CInheritOnly(const CInheritOnly&) = delete;
    CInheritOnly& operator=(const CInheritOnly&) = delete;
    LPPROC_THREAD_ATTRIBUTE_LIST Get() const { return m_list; }

private:
    HANDLE m_handle;
    std::vector<BYTE> m_storage;
    LPPROC_THREAD_ATTRIBUTE_LIST m_list = nullptr;
};

// One start at a time in this process: where the handle list is not honoured
// (Wine), a child inherits every inheritable handle there is, and while one
// hand-over starts its child no other hand-over's section is open to it.
std::mutex g_starting;

} // namespace

Started StartWithSelection(const std::wstring& program, const std::vector<std::wstring>& paths)
{
    Started started;
    const std::lock_guard<std::mutex> oneAtATime(g_starting);
    const fx::CKernelHandle section = MakeSection(MakeDropFiles(paths), started.error);
    if (!section)
        return started;
    const CInheritOnly inherit(section.Get());
    if (!inherit.Get()) {
        started.error = ::GetLastError();
        fx::TraceLastError(L"The handle a child inherits was not set");
        return started;
    }
    std::wstring commandLine = L"\"" + program + L"\" " + kSelectionSwitch +
                               std::to_wstring(reinterpret_cast<ULONG_PTR>(section.Get()));
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof(startup);
    startup.lpAttributeList = inherit.Get();
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, EXTENDED_STARTUPINFO_PRESENT,
                          nullptr, nullptr, &startup.StartupInfo, &process)) {
        started.error = ::GetLastError();
        fx::TraceLastError(L"Not started: " + program);
        return started;
    }
    // Owned from here; the thread's handle is not needed.
    const fx::CKernelHandle thread(process.hThread);
    started.process.Reset(process.hProcess);
    return started;
}

} // namespace launcher
