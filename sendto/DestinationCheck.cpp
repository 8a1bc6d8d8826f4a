#include "sendto/DestinationCheck.h"

#include "outside/pallavol/DiskInfo.h"

namespace larkway {

DestinationFigures ReadDestinationFigures(const std::wstring& destination, const std::wstring& root)
{
    const CDiskInfo drive(root);
    const uint64_t freeBytes = drive.GetDiskFreeInBytes();
    return {destination, root, drive.IsReadable(), freeBytes, drive.GetUnitSize(freeBytes)};
}

void CDestinationCheck::Start(HWND owner, UINT answered)
{
    Stop();
    auto exchange = std::make_shared<Exchange>();
    exchange->wake.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    m_exchange = exchange;
    m_thread.Start([exchange, owner, answered](const std::atomic<bool>& stop) { Run(exchange, owner, answered, stop); });
}

void CDestinationCheck::Ask(const std::wstring& destination, const std::wstring& root)
{
    if (!m_exchange)
        return;
    {
        std::lock_guard<std::mutex> lock(m_exchange->lock);
        m_exchange->question.emplace(destination, root);
    }
    ::SetEvent(m_exchange->wake.Get());
}

std::optional<DestinationFigures> CDestinationCheck::TakeAnswer()
{
    std::optional<DestinationFigures> answer;
    if (!m_exchange)
        return answer;
    std::lock_guard<std::mutex> lock(m_exchange->lock);
    answer.swap(m_exchange->answer);
    return answer;
}

void CDestinationCheck::Stop()
{
    if (!m_exchange)
        return;
    // The stop flag is set before the worker is woken to see it.
    m_thread.Abandon();
    ::SetEvent(m_exchange->wake.Get());
    m_exchange.reset();
}

void CDestinationCheck::Run(const std::shared_ptr<Exchange>& exchange, HWND owner, UINT answered,
                            const std::atomic<bool>& stop)
{
    while (::WaitForSingleObject(exchange->wake.Get(), INFINITE) == WAIT_OBJECT_0 && !stop) {
        std::optional<std::pair<std::wstring, std::wstring>> question;
        {
            std::lock_guard<std::mutex> lock(exchange->lock);
            question.swap(exchange->question);
        }
        if (!question)
            continue;
        DestinationFigures figures = ReadDestinationFigures(question->first, question->second);
        if (stop)
            return; // the window may be gone
        {
            std::lock_guard<std::mutex> lock(exchange->lock);
            exchange->answer = std::move(figures);
        }
        ::PostMessageW(owner, answered, 0, 0);
    }
}

} // namespace larkway
