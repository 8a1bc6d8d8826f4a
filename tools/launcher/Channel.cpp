#include "tools/launcher/Channel.h"

#include "common/SelectedPath.h"
#include "framework/MessagePump.h"

#include <sddl.h>

#include <algorithm>
#include <cstring>

namespace launcher {

namespace {

// "CVL1" at the start of every message, "ACK1" as the gatherer's receipt.
constexpr DWORD kMagic = 0x314C5643;
constexpr BYTE kReceipt[4] = {'A', 'C', 'K', '1'};
constexpr size_t kHeaderSize = 2 * sizeof(DWORD);
// A sibling has this long to send its message, the gatherer to answer it.
constexpr DWORD kMessageLimitMs = 10000;
// Pipe buffers: the answers to every sibling fit in without waiting.
constexpr DWORD kPipeBuffer = 64 * 1024;

std::wstring UserSid()
{
    std::wstring text = L"nouser";
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return text;
    fx::CKernelHandle owned(token);
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    wchar_t* sid = nullptr;
    if (size && ::GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
        text = sid;
        ::LocalFree(sid);
    }
    return text;
}

// FNV-1a over the path's lower-case form: one channel per program file,
// however its path is spelt.
std::wstring PathHash(const std::wstring& path)
{
    std::wstring lower = path;
    if (!lower.empty())
        ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, path.c_str(), static_cast<int>(path.size()),
                        lower.data(), static_cast<int>(lower.size()), nullptr, nullptr, 0);
    unsigned long long hash = 0xcbf29ce484222325ull;
    for (wchar_t c : lower) {
        hash ^= static_cast<unsigned long long>(c);
        hash *= 0x100000001b3ull;
    }
    wchar_t text[17];
    for (int i = 15; i >= 0; --i, hash >>= 4)
        text[i] = L"0123456789abcdef"[hash & 0xF];
    text[16] = L'\0';
    return text;
}

void PutDword(std::vector<BYTE>& out, DWORD value)
{
    const size_t at = out.size();
    out.resize(at + sizeof(value));
    std::memcpy(out.data() + at, &value, sizeof(value));
}

bool TakeDword(const BYTE*& at, const BYTE* end, DWORD& value)
{
    if (static_cast<size_t>(end - at) < sizeof(value))
        return false;
    std::memcpy(&value, at, sizeof(value));
    at += sizeof(value);
    return true;
}

// One read or write on a pipe opened for overlapped use, whole, within
// limitMs; a pending transfer is cancelled and waited out. The thread waits
// for input meanwhile (fx::WaitPumping), as the shell may expect of a
// launcher it started before it starts the next.
bool Transfer(HANDLE pipe, bool write, BYTE* data, size_t size, DWORD limitMs)
{
    fx::CKernelHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event)
        return false;
    const ULONGLONG end = ::GetTickCount64() + limitMs;
    size_t done = 0;
    while (done < size) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = event.Get();
        ::ResetEvent(event.Get());
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 20));
        const BOOL now = write ? ::WriteFile(pipe, data + done, chunk, nullptr, &overlapped)
                               : ::ReadFile(pipe, data + done, chunk, nullptr, &overlapped);
        if (!now && ::GetLastError() != ERROR_IO_PENDING)
            return false;
        const ULONGLONG tick = ::GetTickCount64();
        const DWORD wait = tick < end ? static_cast<DWORD>(end - tick) : 0;
        DWORD moved = 0;
        if (!fx::WaitPumping(event.Get(), wait)) {
            ::CancelIoEx(pipe, &overlapped);
            ::GetOverlappedResult(pipe, &overlapped, &moved, TRUE);
            return false;
        }
        if (!::GetOverlappedResult(pipe, &overlapped, &moved, FALSE) || moved == 0)
            return false;
        done += moved;
    }
    return true;
}

HANDLE NewPipeInstance(const std::wstring& name, bool first)
{
    return ::CreateNamedPipeW(name.c_str(),
                              PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
                              PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                              PIPE_UNLIMITED_INSTANCES, kPipeBuffer, kPipeBuffer, 0, nullptr);
}

// Reads one sibling's message and gives its receipt. Paths it says it took
// are checked again: whatever comes down a pipe may come from anyone.
std::optional<std::vector<GivenPath>> TakeMessage(HANDLE connection)
{
    BYTE header[kHeaderSize];
    if (!ReadAll(connection, header, sizeof(header), kMessageLimitMs))
        return std::nullopt;
    DWORD magic = 0, size = 0;
    std::memcpy(&magic, header, sizeof(magic));
    std::memcpy(&size, header + sizeof(magic), sizeof(size));
    if (magic != kMagic || size > kLongestMessage)
        return std::nullopt;
    std::vector<BYTE> message(kHeaderSize + size);
    std::memcpy(message.data(), header, kHeaderSize);
    if (size && !ReadAll(connection, message.data() + kHeaderSize, size, kMessageLimitMs))
        return std::nullopt;
    std::optional<std::vector<GivenPath>> entries = DecodeEntries(message.data(), message.size());
    if (!entries || !WriteAll(connection, kReceipt, sizeof(kReceipt), kMessageLimitMs))
        return std::nullopt;
    for (GivenPath& entry : *entries) {
        if (entry.refusal != Refusal::None)
            continue;
        if (std::optional<std::wstring> full = NormalizeSelectedPath(entry.text); full && full->size() <= kLongestPath)
            entry.text = std::move(*full);
        else
            entry.refusal = entry.text.empty() ? Refusal::Empty : Refusal::NotAPath;
    }
    return entries;
}

} // namespace

std::wstring SessionPrefix()
{
    DWORD session = 0;
    ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
    return L"Local\\Corvale.Launch." + UserSid() + L"." + std::to_wstring(session);
}

ChannelNames NamesFor(const std::wstring& programPath)
{
    const std::wstring name = SessionPrefix() + L"." + PathHash(programPath);
    return {name, L"\\\\.\\pipe\\" + name.substr(name.find(L'\\') + 1), name + L".Joining."};
}

std::wstring HandOverLockName()
{
    return SessionPrefix() + L".HandOver";
}

std::vector<BYTE> EncodeEntries(const std::vector<GivenPath>& entries)
{
    std::vector<BYTE> out;
    PutDword(out, kMagic);
    PutDword(out, 0); // the size, once known
    PutDword(out, static_cast<DWORD>(entries.size()));
    for (const GivenPath& entry : entries) {
        PutDword(out, static_cast<DWORD>(entry.refusal));
        PutDword(out, static_cast<DWORD>(entry.text.size()));
        const size_t at = out.size(), bytes = entry.text.size() * sizeof(wchar_t);
        out.resize(at + bytes);
        if (bytes)
            std::memcpy(out.data() + at, entry.text.data(), bytes);
    }
    const DWORD size = static_cast<DWORD>(out.size() - kHeaderSize);
    std::memcpy(out.data() + sizeof(DWORD), &size, sizeof(size));
    return out;
}

std::optional<std::vector<GivenPath>> DecodeEntries(const BYTE* bytes, size_t size)
{
    if (!bytes || size < kHeaderSize)
        return std::nullopt;
    const BYTE* at = bytes;
    const BYTE* const end = bytes + size;
    DWORD magic = 0, payload = 0, count = 0;
    TakeDword(at, end, magic);
    TakeDword(at, end, payload);
    if (magic != kMagic || payload != size - kHeaderSize || payload > kLongestMessage || !TakeDword(at, end, count))
        return std::nullopt;
    // Each entry takes at least its two numbers: a count beyond that is a lie.
    if (count > static_cast<size_t>(end - at) / (2 * sizeof(DWORD)))
        return std::nullopt;
    std::vector<GivenPath> entries;
    entries.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        DWORD refusal = 0, length = 0;
        if (!TakeDword(at, end, refusal) || !TakeDword(at, end, length) ||
            length > static_cast<size_t>(end - at) / sizeof(wchar_t))
            return std::nullopt;
        GivenPath entry;
        entry.text.resize(length);
        std::memcpy(entry.text.data(), at, length * sizeof(wchar_t));
        at += length * sizeof(wchar_t);
        entry.refusal = refusal > static_cast<DWORD>(Refusal::Last) ? Refusal::NotAPath : static_cast<Refusal>(refusal);
        entries.push_back(std::move(entry));
    }
    if (at != end)
        return std::nullopt;
    return entries;
}

bool WriteAll(HANDLE pipe, const BYTE* data, size_t size, DWORD limitMs)
{
    return Transfer(pipe, true, const_cast<BYTE*>(data), size, limitMs);
}

bool ReadAll(HANDLE pipe, BYTE* data, size_t size, DWORD limitMs)
{
    return Transfer(pipe, false, data, size, limitMs);
}

CGatherer::~CGatherer() = default;

bool CGatherer::Listen(const std::wstring& pipeName)
{
    m_pipeName = pipeName;
    m_listening.Reset(NewPipeInstance(pipeName, true));
    return static_cast<bool>(m_listening);
}

bool CGatherer::ListenAgain()
{
    m_listening.Reset(NewPipeInstance(m_pipeName, false));
    return static_cast<bool>(m_listening);
}

size_t CGatherer::Gather(std::vector<GivenPath>& entries, DWORD quietMs, DWORD limitMs,
                         const std::function<bool()>& mayStillCome)
{
    // How much longer to listen before asking again: the rest of the quiet
    // moment, then a short while at a time as long as one may still come.
    const DWORD kAskEveryMs = 50;
    fx::CKernelHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const ULONGLONG start = ::GetTickCount64(), end = start + limitMs;
    ULONGLONG lastArrival = start;
    auto listenFor = [&]() -> DWORD {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end)
            return 0;
        if (now < lastArrival + quietMs)
            return static_cast<DWORD>(std::min(lastArrival + quietMs, end) - now);
        return mayStillCome() ? static_cast<DWORD>(std::min<ULONGLONG>(kAskEveryMs, end - now)) : 0;
    };
    size_t heard = 0;
    while (m_listening && event) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = event.Get();
        ::ResetEvent(event.Get());
        bool arrived = ::ConnectNamedPipe(m_listening.Get(), &overlapped) != FALSE;
        const DWORD error = ::GetLastError();
        if (!arrived && error == ERROR_PIPE_CONNECTED) {
            arrived = true;
        } else if (!arrived && error == ERROR_IO_PENDING) {
            DWORD unused = 0, wait = 0;
            while (!arrived && (wait = listenFor()) != 0)
                arrived = fx::WaitPumping(event.Get(), wait);
            if (arrived) {
                arrived = ::GetOverlappedResult(m_listening.Get(), &overlapped, &unused, FALSE) != FALSE;
            } else {
                // Quiet long enough; one may still have come in just now.
                ::CancelIoEx(m_listening.Get(), &overlapped);
                arrived = ::GetOverlappedResult(m_listening.Get(), &overlapped, &unused, TRUE) != FALSE;
            }
        } else if (!arrived && error == ERROR_NO_DATA) {
            // Came and went before it was heard.
            ::DisconnectNamedPipe(m_listening.Get());
            continue;
        }
        if (!arrived)
            break;
        fx::CFileHandle connection = std::move(m_listening);
        if (std::optional<std::vector<GivenPath>> taken = TakeMessage(connection.Get())) {
            entries.insert(entries.end(), std::make_move_iterator(taken->begin()), std::make_move_iterator(taken->end()));
            m_heard.push_back(std::move(connection));
            ++heard;
            lastArrival = ::GetTickCount64();
        }
        if (::GetTickCount64() >= end || !ListenAgain())
            break;
    }
    m_listening.Reset();
    return heard;
}

void CGatherer::Tell(const Answer& answer)
{
    const DWORD words[2] = {answer.status, answer.processId};
    for (fx::CFileHandle& connection : m_heard)
        WriteAll(connection.Get(), reinterpret_cast<const BYTE*>(words), sizeof(words), 2000);
    m_heard.clear();
}

fx::CFileHandle ConnectToPipe(const std::wstring& pipeName)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        fx::CFileHandle pipe(::CreateFileW(pipeName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                                           nullptr));
        if (pipe || ::GetLastError() != ERROR_PIPE_BUSY)
            return pipe;
        // Every instance is busy: the gatherer is reading another sibling.
        ::WaitNamedPipeW(pipeName.c_str(), 500);
    }
    return fx::CFileHandle();
}

std::optional<fx::CFileHandle> HandToGatherer(const std::wstring& pipeName, const std::vector<GivenPath>& entries)
{
    fx::CFileHandle pipe = ConnectToPipe(pipeName);
    if (!pipe)
        return std::nullopt;
    const std::vector<BYTE> message = EncodeEntries(entries);
    BYTE receipt[sizeof(kReceipt)] = {};
    if (!WriteAll(pipe.Get(), message.data(), message.size(), kMessageLimitMs) ||
        !ReadAll(pipe.Get(), receipt, sizeof(receipt), kMessageLimitMs) ||
        std::memcmp(receipt, kReceipt, sizeof(receipt)) != 0)
        return std::nullopt;
    return pipe;
}

std::optional<Answer> WaitForAnswer(HANDLE connection, DWORD limitMs)
{
    DWORD words[2] = {};
    if (!ReadAll(connection, reinterpret_cast<BYTE*>(words), sizeof(words), limitMs))
        return std::nullopt;
    return Answer{words[0], words[1]};
}

} // namespace launcher
