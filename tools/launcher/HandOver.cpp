#include "tools/launcher/HandOver.h"

#include "common/DropList.h"
#include "framework/Handle.h"
#include "framework/MessagePump.h"

namespace launcher {

namespace {

// The clipboard open for this thread, tried again while another program
// holds it, up to a bound.
class COpenClipboard {
public:
    COpenClipboard(HWND owner, DWORD limitMs)
    {
        const ULONGLONG end = ::GetTickCount64() + limitMs;
        fx::CMessagePump pump;
        while (!(m_open = ::OpenClipboard(owner) != FALSE) && ::GetTickCount64() < end) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            pump.Pump();
        }
    }
    ~COpenClipboard()
    {
        if (m_open)
            ::CloseClipboard();
    }
    COpenClipboard(const COpenClipboard&) = delete;
    COpenClipboard& operator=(const COpenClipboard&) = delete;
    bool IsOpen() const { return m_open; }

private:
    bool m_open = false;
};

} // namespace

CHandOver::CHandOver()
    : m_owner(::CreateWindowExW(0, L"STATIC", L"launch", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
{
}

CHandOver::~CHandOver()
{
    if (m_owner)
        ::DestroyWindow(m_owner);
}

bool CHandOver::Put(const std::vector<std::wstring>& paths)
{
    fx::CGlobalMemory list(MakeDropList(paths));
    COpenClipboard clipboard(m_owner, kClipboardRetryMs);
    if (!list || !clipboard.IsOpen())
        return false;
    m_saved.Read();
    if (!::EmptyClipboard() || !::SetClipboardData(CF_HDROP, list.Get()))
        return false;
    list.Release(); // the clipboard owns it now
    m_put = true;
    m_sequence = ::GetClipboardSequenceNumber();
    return true;
}

void CHandOver::WaitForProgram(HANDLE process) const
{
    const ULONGLONG end = ::GetTickCount64() + kTakeMs;
    while (::GetClipboardSequenceNumber() == m_sequence && ::GetTickCount64() < end) {
        if (fx::WaitPumping(process, 50))
            return;
    }
}

bool CHandOver::GiveBack()
{
    if (!m_put)
        return true;
    m_put = false;
    const bool stillOurs = ::GetClipboardOwner() == m_owner && ::CountClipboardFormats() > 0;
    const bool emptied = !stillOurs && ::CountClipboardFormats() == 0;
    if (!stillOurs && !emptied)
        return true; // something newer is there
    if (emptied && m_saved.IsEmpty())
        return true; // as it was
    COpenClipboard clipboard(m_owner, kClipboardRetryMs);
    if (!clipboard.IsOpen())
        return false;
    ::EmptyClipboard();
    return m_saved.Write();
}

} // namespace launcher
