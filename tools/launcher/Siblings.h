// Siblings slow to start. The shell starts the launchers of a selection in a
// quick row, but a loaded machine may take a second or more to bring each
// one to life, longer than the quiet moment that ends a gathering. So every
// launcher says, as soon as it knows its channel, that it is there and which
// channel it is joining; the gatherer goes on listening while a launcher
// (this program's file, in this session, started around the same time) has
// not said so yet, or is joining its channel and has not arrived.
#pragma once
#include "framework/Handle.h"
#include "tools/launcher/Channel.h"

#include <windows.h>

#include <string>

namespace launcher {

// This launcher's word, kept while it lives (named events are the word:
// they exist as long as their maker holds them).
class CMembership {
public:
    explicit CMembership(const ChannelNames& names);
    CMembership(const CMembership&) = delete;
    CMembership& operator=(const CMembership&) = delete;
    // Heard by the gatherer, or gathering itself: no longer on its way.
    void Joined() { m_joining.Reset(); }

private:
    fx::CKernelHandle m_here, m_joining;
};

class CSiblingWatch {
public:
    explicit CSiblingWatch(const ChannelNames& names);
    // Whether a sibling may still come: a launcher started around this one
    // that has not said which channel it joins (for up to kStartingLimitMs
    // after its start), or one on its way to this channel.
    bool SomeMayStillCome() const;

    // A launcher started longer ago than this is not waited for.
    static constexpr ULONGLONG kStartingLimitMs = 15000;
    // Nor one started this much before this one.
    static constexpr ULONGLONG kEarlierMs = 5000;

private:
    std::wstring m_joiningPrefix;
    std::wstring m_image;
    ULONGLONG m_started = 0; // this process's start, in ms of the system time
    DWORD m_session = 0;
};

} // namespace launcher
