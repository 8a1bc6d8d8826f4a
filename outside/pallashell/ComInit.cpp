#include "outside/pallashell/ComInit.h"

#include <objbase.h>

CComInit::CComInit() noexcept
    // S_FALSE (already initialised here) must be balanced too; RPC_E_CHANGED_MODE must not.
    : m_initialized(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
{
}

CComInit::~CComInit()
{
    if (m_initialized)
        ::CoUninitialize();
}
