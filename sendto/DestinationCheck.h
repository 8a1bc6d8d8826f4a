// What the send dialog shows of a destination (its drive's free space, and
// whether the drive can be read), found out on a worker: a drive that takes
// seconds to answer never holds up the typing. Only the latest question
// counts; the dialog drops an answer for a text no longer in the field.
#pragma once
#include "framework/Handle.h"
#include "framework/WorkerThread.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace larkway {

struct DestinationFigures {
    std::wstring destination; // the text asked about
    std::wstring root;        // its drive root ("E:\", "\\server\share\")
    bool readable = false;    // the drive is there and holds a medium
    uint64_t freeBytes = 0;
    std::wstring freeText;    // the free space in units, as the line shows it
};

// The figures of a destination with a root; waits for the drive.
DestinationFigures ReadDestinationFigures(const std::wstring& destination, const std::wstring& root);

class CDestinationCheck {
public:
    CDestinationCheck() = default;
    ~CDestinationCheck() { Stop(); }

    // Each answer is posted to owner as the message answered.
    void Start(HWND owner, UINT answered);
    // Replaces any question not yet taken up.
    void Ask(const std::wstring& destination, const std::wstring& root);
    // The latest answer, once; none when it was taken already.
    std::optional<DestinationFigures> TakeAnswer();
    // Never waits: a worker held in a slow drive's call is left to end on
    // its own, and posts nothing after.
    void Stop();

private:
    // What the worker shares with this object; the worker holds it too, so
    // one left in a slow call never touches a destroyed object.
    struct Exchange {
        fx::CKernelHandle wake; // set when a question waits, or when stopping
        std::mutex lock;
        std::optional<std::pair<std::wstring, std::wstring>> question; // destination, root
        std::optional<DestinationFigures> answer;
    };
    static void Run(const std::shared_ptr<Exchange>& exchange, HWND owner, UINT answered,
                    const std::atomic<bool>& stop);

    fx::CWorkerThread m_thread;
    std::shared_ptr<Exchange> m_exchange;
};

} // namespace larkway
