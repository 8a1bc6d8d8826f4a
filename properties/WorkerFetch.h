// A value fetched on a worker for a window: what reads a drive must hold up
// the worker alone, never a window, since a drive can take seconds to answer.
// The window hears of the value by a posted message carrying the fetch's id
// and takes it; a fetch started anew lets the old one go, so a late answer
// to an older question finds nothing to take.
#pragma once
#include "framework/WorkerThread.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace fennix {

template <class T>
class CWorkerFetch {
public:
    CWorkerFetch() = default;
    // A fetch still running is let go, never waited for.
    ~CWorkerFetch() { m_worker.Abandon(); }
    CWorkerFetch(const CWorkerFetch&) = delete;
    CWorkerFetch& operator=(const CWorkerFetch&) = delete;

    // Runs fetch on a worker, which posts doneMessage to window with this
    // fetch's id in wParam. fetch must own all it touches: it may outlive
    // this object.
    void Start(std::function<T()> fetch, HWND window, UINT doneMessage)
    {
        m_worker.Abandon();
        auto result = std::make_shared<Result>();
        m_result = result;
        const WPARAM id = ++m_id;
        m_worker.Start([result, fetch = std::move(fetch), window, doneMessage, id](const std::atomic<bool>& stop) {
            T value = fetch();
            {
                std::lock_guard<std::mutex> hold(result->lock);
                result->value = std::move(value);
            }
            if (!stop)
                ::PostMessageW(window, doneMessage, id, 0);
        });
    }
    // Lets a fetch still running go; its answer is never taken.
    void Cancel()
    {
        m_worker.Abandon();
        m_result.reset();
    }
    // Started, and its answer not taken yet.
    bool IsPending() const { return m_result != nullptr; }
    // The value of the fetch whose message carries id, once; nothing for a
    // fetch let go since.
    std::optional<T> Take(WPARAM id)
    {
        if (id != m_id || !m_result)
            return std::nullopt;
        std::shared_ptr<Result> result = std::move(m_result);
        std::lock_guard<std::mutex> hold(result->lock);
        return std::move(result->value);
    }

private:
    // Shared with the worker, which may outlive this object.
    struct Result {
        std::mutex lock;
        std::optional<T> value;
    };

    std::shared_ptr<Result> m_result;
    fx::CWorkerThread m_worker;
    WPARAM m_id = 0;
};

} // namespace fennix
