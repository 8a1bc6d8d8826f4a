#include "outside/pallashell/ComInit.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <thread>

namespace {

TEST(ComInit, ComStaysOnTheThreadAfterTheFirstCall)
{
    HRESULT afterwards = E_FAIL;
    std::thread([&] {
        EnsureComOnThisThread();
        EnsureComOnThisThread();
        // COM is still there between shell calls: initialising again only
        // says so (S_FALSE), in the same apartment.
        afterwards = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(afterwards))
            ::CoUninitialize();
    }).join();
    EXPECT_EQ(afterwards, S_FALSE);
}

} // namespace
