#include "sendto/DestinationCheck.h"

#include "outside/pallavol/DiskInfo.h"

DestinationFigures ReadDestinationFigures(const std::wstring& destination, const std::wstring& root)
{
    const CDiskInfo drive(root);
    const uint64_t freeBytes = drive.GetDiskFreeInBytes();
    return {destination, root, drive.GetDriveTypeA() != L"Error", freeBytes, drive.GetUnitSize(freeBytes)};
}

void CDestinationCheck::Start(HWND owner, UINT answered)
{
    Stop();
    m_stopping = false;
    m_wake.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    m_thread.Start([this, owner, answered](const std::atomic<bool>& stop) { Run(owner, answered, stop); });
}

void CDestinationCheck::Ask(const std::wstring& destination, const std::wstring& root)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_question.emplace(destination, root);
    }
    ::SetEvent(m_wake.Get());
}

std::optional<DestinationFigures> CDestinationCheck::TakeAnswer()
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::optional<DestinationFigures> answer;
    answer.swap(m_answer);
    return answer;
}

void CDestinationCheck::Stop()
{
    if (!m_wake)
        return;
    // The worker sleeps until woken: wake it to see the end.
    m_stopping = true;
    ::SetEvent(m_wake.Get());
    m_thread.Stop();
}

void CDestinationCheck::Run(HWND owner, UINT answered, const std::atomic<bool>& stop)
{
    while (::WaitForSingleObject(m_wake.Get(), INFINITE) == WAIT_OBJECT_0 && !m_stopping && !stop) {
        std::optional<std::pair<std::wstring, std::wstring>> question;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            question.swap(m_question);
        }
        if (!question)
            continue;
        DestinationFigures figures = ReadDestinationFigures(question->first, question->second);
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_answer = std::move(figures);
        }
        ::PostMessageW(owner, answered, 0, 0);
    }
}
