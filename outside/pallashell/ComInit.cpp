#include "outside/pallashell/ComInit.h"

#include <objbase.h>

namespace {

// Lives as long as its thread, so that shell calls in a loop (an icon per
// file) do not start and stop COM each time.
class CThreadComInit {
public:
    CThreadComInit() noexcept
        // S_FALSE (already initialised here) must be balanced too; RPC_E_CHANGED_MODE must not.
        : m_initialized(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
    {
    }
    ~CThreadComInit()
    {
        if (m_initialized)
            ::CoUninitialize();
    }
    CThreadComInit(const CThreadComInit&) = delete;
    CThreadComInit& operator=(const CThreadComInit&) = delete;

private:
    bool m_initialized;
};

} // namespace

void EnsureComOnThisThread() noexcept
{
    thread_local CThreadComInit com;
}
