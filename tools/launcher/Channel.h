// How the launchers of one selection find each other. The shell starts a
// static verb once per selected item; the first launcher of a target program
// in a user's session becomes the gatherer: it holds a named mutex, listens
// on a named pipe, and takes the paths of every sibling that arrives until a
// short quiet moment has passed with none, so the program gets the whole
// selection at once. A sibling hands its paths over the pipe, is told that
// they were taken, and later how the program's start went (its process id).
#pragma once
#include "framework/Handle.h"
#include "tools/launcher/GivenPaths.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace launcher {

// The names of the channel of one target program for this user and session.
struct ChannelNames {
    std::wstring mutex;   // held by the gatherer while it gathers and answers
    std::wstring pipe;    // where the siblings hand over their paths
    std::wstring joining; // with a process id: the event of a launcher on its way (Siblings.h)
};
// programPath: the full path of the target program, in any case.
ChannelNames NamesFor(const std::wstring& programPath);
// The mutex held by whichever launcher has a selection on the clipboard, so
// that two hand-overs (of two programs) never meet there.
std::wstring HandOverLockName();
// What the names of this user's session begin with.
std::wstring SessionPrefix();

// The message a sibling sends: its paths, and those it refused with the
// reason, so that the gatherer can tell the user about all of them at once.
std::vector<BYTE> EncodeEntries(const std::vector<GivenPath>& entries);
// Reads such a message; none when it is malformed (any byte may come down
// the pipe). Every bound is checked against the real size.
std::optional<std::vector<GivenPath>> DecodeEntries(const BYTE* bytes, size_t size);
// The largest message taken: 64 MiB, a selection of some 30 million characters.
constexpr size_t kLongestMessage = 64u << 20;

// How the program's start went, told to every sibling.
struct Answer {
    DWORD status = 1; // 0: started
    DWORD processId = 0;
};

// The gatherer's side.
class CGatherer {
public:
    CGatherer() = default;
    ~CGatherer();
    CGatherer(const CGatherer&) = delete;
    CGatherer& operator=(const CGatherer&) = delete;

    // Creates the pipe; false when the name is someone else's (on Windows:
    // Wine 8 does not refuse a second first instance, and the mutex keeps a
    // second gatherer of the channel away on both).
    bool Listen(const std::wstring& pipeName);
    // Adds the siblings' entries to `entries` as they arrive, until quietMs
    // have passed with no arrival and mayStillCome (asked now and then from
    // then on) says no more will come, or limitMs in all; then stops
    // listening. Returns how many siblings were heard.
    size_t Gather(std::vector<GivenPath>& entries, DWORD quietMs, DWORD limitMs,
                  const std::function<bool()>& mayStillCome = [] { return false; });
    // Tells every sibling heard how the start went and lets them go.
    void Tell(const Answer& answer);

private:
    bool ListenAgain();
    std::wstring m_pipeName;
    fx::CFileHandle m_listening;
    std::vector<fx::CFileHandle> m_heard;
};

// A sibling's side: hands the entries to the gatherer listening on the pipe.
// Returns the connection, kept for the answer, or nothing when no gatherer
// took them (none listens, or it stopped before it took them).
std::optional<fx::CFileHandle> HandToGatherer(const std::wstring& pipeName, const std::vector<GivenPath>& entries);
// Waits for the gatherer's answer; none when it went away without one.
std::optional<Answer> WaitForAnswer(HANDLE connection, DWORD limitMs);

// Low-level, for the tests that play a hostile sibling: writes or reads
// exactly `size` bytes on a pipe opened for overlapped use, within limitMs.
bool WriteAll(HANDLE pipe, const BYTE* data, size_t size, DWORD limitMs);
bool ReadAll(HANDLE pipe, BYTE* data, size_t size, DWORD limitMs);
// Opens the pipe as a sibling does (overlapped, read and write); an empty
// handle when no instance listens.
fx::CFileHandle ConnectToPipe(const std::wstring& pipeName);

} // namespace launcher
