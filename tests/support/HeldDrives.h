// Holds the asking of the given drives (CDiskInfo's read hook), as drives
// slow to answer would, until let go; at the latest a minute on, so that
// something that waited for a held drive shows as late rather than hung.
#pragma once
#include "framework/Handle.h"
#include "outside/pallavol/DiskInfo.h"
#include "tests/support/TestSupport.h"

#include <atomic>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

namespace testing_support {

class HeldDrives {
public:
    explicit HeldDrives(std::initializer_list<std::wstring> roots) : m_gates(std::make_shared<Gates>())
    {
        for (const std::wstring& root : roots)
            m_gates->byRoot[root] = {fx::CKernelHandle(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
                                     fx::CKernelHandle(::CreateEventW(nullptr, TRUE, FALSE, nullptr))};
        // A worker may still be inside when this goes: the gates live on with it.
        CDiskInfo::SetReadHook([gates = m_gates](const std::wstring& root) {
            const auto gate = gates->byRoot.find(root);
            if (gate == gates->byRoot.end())
                return;
            ::SetEvent(gate->second.asked.Get());
            ::WaitForSingleObject(gate->second.open.Get(), 60000);
            ++gates->passed;
        });
    }
    ~HeldDrives()
    {
        CDiskInfo::SetReadHook(nullptr);
        for (auto& [root, gate] : m_gates->byRoot)
            ::SetEvent(gate.open.Get());
    }
    HeldDrives(const HeldDrives&) = delete;
    HeldDrives& operator=(const HeldDrives&) = delete;

    void LetGo(const std::wstring& root) const { ::SetEvent(m_gates->byRoot.at(root).open.Get()); }
    bool Asked(const std::wstring& root) const
    {
        return ::WaitForSingleObject(m_gates->byRoot.at(root).asked.Get(), 0) == WAIT_OBJECT_0;
    }
    // Waits (answering this thread's messages) until the drive is being asked:
    // every answer the worker gave before is then waiting to be taken.
    bool WaitUntilAsked(const std::wstring& root) const { return PumpUntil([&] { return Asked(root); }); }
    // How many held askings have been let go on (or timed out).
    int Passed() const { return m_gates->passed; }

private:
    struct Gate {
        fx::CKernelHandle asked, open;
    };
    struct Gates {
        std::map<std::wstring, Gate> byRoot;
        std::atomic<int> passed{0};
    };
    std::shared_ptr<Gates> m_gates;
};

} // namespace testing_support
