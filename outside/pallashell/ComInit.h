// Pallashell: COM for the duration of a shell call on the calling thread.
#pragma once
#include <windows.h>

// The shell's icon lookup and folder picker need COM on the calling thread.
// A thread that already has it, in any apartment, keeps it as it is.
class CComInit {
public:
    CComInit() noexcept;
    ~CComInit();
    CComInit(const CComInit&) = delete;
    CComInit& operator=(const CComInit&) = delete;

private:
    bool m_initialized;
};
