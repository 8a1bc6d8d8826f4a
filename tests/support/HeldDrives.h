// Holds the asking of the given drives (CDiskInfo's read hook), or a walk's
// listing of a folder (CFolderWalker's listing delay), as drives slow to
// answer would, until let go; at the latest a minute on, so that something
// that waited for a held drive shows as late rather than hung.
#pragma once
#include "common/FolderWalker.h"
#include "framework/Handle.h"
#include "outside/pallavol/DiskInfo.h"
#include "tests/support/TestSupport.h"

#include <atomic>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>

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

// Holds the walk's listing of every folder whose path ends in the given
// text (a string literal, as L"\\slow"). The events outlive it: a walk
// abandoned meanwhile may still wait on them.
class HeldListing {
public:
    explicit HeldListing(const wchar_t* pathEnd)
    {
        s_pathEnd = pathEnd;
        ::ResetEvent(Entered());
        ::ResetEvent(Released());
        CFolderWalker::SetListingDelay([](const std::wstring& folder) {
            if (folder.ends_with(s_pathEnd.load()) && ::SetEvent(Entered()))
                ::WaitForSingleObject(Released(), 60000);
        });
    }
    ~HeldListing() { LetGo(); }
    HeldListing(const HeldListing&) = delete;
    HeldListing& operator=(const HeldListing&) = delete;

    void LetGo() const
    {
        ::SetEvent(Released());
        CFolderWalker::SetListingDelay(nullptr);
    }
    // Waits (answering this thread's messages) until the walk is held there.
    bool WaitUntilHeld() const
    {
        return PumpUntil([] { return ::WaitForSingleObject(Entered(), 0) == WAIT_OBJECT_0; });
    }

private:
    static HANDLE Entered() { return Events().first; }
    static HANDLE Released() { return Events().second; }
    static std::pair<HANDLE, HANDLE> Events()
    {
        static const std::pair<HANDLE, HANDLE> events{::CreateEventW(nullptr, TRUE, FALSE, nullptr),
                                                      ::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        return events;
    }
    static inline std::atomic<const wchar_t*> s_pathEnd{L""};
};

} // namespace testing_support
