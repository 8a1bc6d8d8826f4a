// The channel between the launchers of one selection: the message a sibling
// sends, read back whole or refused, and the gatherer and its siblings in
// one process.
#include "tools/launcher/Channel.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

using namespace launcher;

bool Same(const std::vector<GivenPath>& a, const std::vector<GivenPath>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].text != b[i].text || a[i].refusal != b[i].refusal)
            return false;
    return true;
}

std::optional<std::vector<GivenPath>> Decode(const std::vector<BYTE>& bytes)
{
    return DecodeEntries(bytes.data(), bytes.size());
}

void PutDword(std::vector<BYTE>& bytes, size_t at, DWORD value)
{
    std::memcpy(bytes.data() + at, &value, sizeof(value));
}

const std::vector<GivenPath> kEntries = {
    {L"C:\\a.txt", Refusal::None},
    {L"", Refusal::Empty},
    {L"C:\\Ünïcødé\\日本語 файл.txt", Refusal::None},
    {L"*.txt", Refusal::Wildcard},
    {L"C:\\" + std::wstring(40000, L'n'), Refusal::TooLong},
};

TEST(ChannelMessage, ReadsBackWhatWasSent)
{
    const std::optional<std::vector<GivenPath>> read = Decode(EncodeEntries(kEntries));
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(Same(*read, kEntries));
    EXPECT_TRUE(Decode(EncodeEntries({})).has_value());
    EXPECT_TRUE(Decode(EncodeEntries({}))->empty());
}

TEST(ChannelMessage, AnyMalformedMessageIsRefusedWhole)
{
    const std::vector<BYTE> good = EncodeEntries(kEntries);
    for (size_t cut : {size_t{0}, size_t{3}, size_t{8}, size_t{11}, size_t{12}, size_t{20}, good.size() - 1}) {
        SCOPED_TRACE(cut);
        std::vector<BYTE> shorter(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(Decode(shorter).has_value());
    }
    std::vector<BYTE> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(Decode(longer).has_value()); // its size no longer matches its header

    std::vector<BYTE> badMagic = good;
    badMagic[0] ^= 0xFF;
    EXPECT_FALSE(Decode(badMagic).has_value());

    std::vector<BYTE> lyingCount = good;
    for (DWORD count : {DWORD{6}, DWORD{4}, DWORD{0x7FFFFFFF}, DWORD{0xFFFFFFFF}}) {
        PutDword(lyingCount, 8, count);
        EXPECT_FALSE(Decode(lyingCount).has_value()) << count;
    }
    std::vector<BYTE> lyingLength = good;
    for (DWORD length : {DWORD{9}, DWORD{0x7FFFFFFF}, DWORD{0xFFFFFFFF}}) {
        PutDword(lyingLength, 16, length); // the first path's length
        EXPECT_FALSE(Decode(lyingLength).has_value()) << length;
    }
    std::vector<BYTE> lyingSize = good;
    PutDword(lyingSize, 4, 0xFFFFFFF0);
    EXPECT_FALSE(Decode(lyingSize).has_value());
    EXPECT_FALSE(DecodeEntries(nullptr, 0).has_value());
}

TEST(ChannelMessage, AnUnknownReasonReadsAsNoPath)
{
    std::vector<BYTE> odd = EncodeEntries({{L"C:\\a.txt", Refusal::None}});
    PutDword(odd, 12, 999); // the first entry's reason
    const std::optional<std::vector<GivenPath>> read = Decode(odd);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->front().refusal, Refusal::NotAPath);
}

TEST(ChannelNames, OneChannelPerProgramWhateverItsSpelling)
{
    const ChannelNames a = NamesFor(L"C:\\Programs\\Fennix.exe");
    EXPECT_EQ(NamesFor(L"c:\\PROGRAMS\\fennix.EXE").pipe, a.pipe);
    EXPECT_NE(NamesFor(L"C:\\Programs\\Larkway.exe").pipe, a.pipe);
    EXPECT_EQ(a.pipe.rfind(L"\\\\.\\pipe\\", 0), 0u);
    EXPECT_EQ(a.mutex.rfind(L"Local\\", 0), 0u);
    EXPECT_NE(HandOverLockName(), a.mutex);
}

std::wstring UniquePipe()
{
    static int counter = 0;
    return L"\\\\.\\pipe\\Corvale.ChannelTest." + std::to_wstring(::GetCurrentProcessId()) + L"." +
           std::to_wstring(++counter);
}

TEST(Gathering, TheSiblingsPathsReachTheGathererAndItsAnswerReachesThem)
{
    const std::wstring pipe = UniquePipe();
    CGatherer gatherer;
    ASSERT_TRUE(gatherer.Listen(pipe));

    std::vector<GivenPath> entries{{L"C:\\first.txt", Refusal::None}};
    size_t heard = 0;
    std::thread gathering([&] { heard = gatherer.Gather(entries, 1500, 20000); });
    std::optional<fx::CFileHandle> one = HandToGatherer(pipe, {{L"C:\\second.txt", Refusal::None}});
    std::optional<fx::CFileHandle> two =
        HandToGatherer(pipe, {{L"C:\\third.txt", Refusal::None}, {L"NUL", Refusal::Device}});
    gathering.join();
    ASSERT_TRUE(one && two);
    EXPECT_EQ(heard, 2u);
    EXPECT_TRUE(Same(entries, {{L"C:\\first.txt", Refusal::None},
                               {L"C:\\second.txt", Refusal::None},
                               {L"C:\\third.txt", Refusal::None},
                               {L"NUL", Refusal::Device}}));
    // It stopped listening: a late sibling finds nobody.
    EXPECT_FALSE(HandToGatherer(pipe, {{L"C:\\late.txt", Refusal::None}}).has_value());

    gatherer.Tell(Answer{0, 1234});
    for (auto* connection : {&*one, &*two}) {
        const std::optional<Answer> answer = WaitForAnswer(connection->Get(), 5000);
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(answer->status, 0u);
        EXPECT_EQ(answer->processId, 1234u);
    }
}

TEST(Gathering, WhatASiblingSaysItTookIsCheckedAgain)
{
    const std::wstring pipe = UniquePipe();
    CGatherer gatherer;
    ASSERT_TRUE(gatherer.Listen(pipe));
    std::vector<GivenPath> entries;
    std::thread gathering([&] { gatherer.Gather(entries, 1500, 20000); });
    const std::optional<fx::CFileHandle> sibling = HandToGatherer(pipe, {
                                                                            {L"relative.txt", Refusal::None},
                                                                            {L"C:\\" + std::wstring(40000, L'n'), Refusal::None},
                                                                            {L"", Refusal::None},
                                                                            {L"C:/a/../b.txt", Refusal::None},
                                                                        });
    gathering.join();
    EXPECT_TRUE(sibling.has_value());
    EXPECT_TRUE(Same(entries, {{L"relative.txt", Refusal::NotAPath},
                               {L"C:\\" + std::wstring(40000, L'n'), Refusal::NotAPath},
                               {L"", Refusal::Empty},
                               {L"C:\\b.txt", Refusal::None}}));
}

TEST(Gathering, AMalformedMessageIsDroppedAndTheGathererGoesOn)
{
    const std::wstring pipe = UniquePipe();
    CGatherer gatherer;
    ASSERT_TRUE(gatherer.Listen(pipe));
    std::vector<GivenPath> entries;
    size_t heard = 0;
    std::thread gathering([&] { heard = gatherer.Gather(entries, 1500, 20000); });

    // A stranger: bytes that are no message, then one that claims to be huge.
    for (std::vector<BYTE> junk : {std::vector<BYTE>{'n', 'o', 'p', 'e', 1, 2, 3, 4},
                                   std::vector<BYTE>{'C', 'V', 'L', '1', 0xFF, 0xFF, 0xFF, 0x7F}}) {
        fx::CFileHandle stranger = ConnectToPipe(pipe);
        ASSERT_TRUE(stranger);
        EXPECT_TRUE(WriteAll(stranger.Get(), junk.data(), junk.size(), 5000));
        BYTE receipt[4];
        EXPECT_FALSE(ReadAll(stranger.Get(), receipt, sizeof(receipt), 5000)); // hung up on
    }
    const std::optional<fx::CFileHandle> sibling = HandToGatherer(pipe, {{L"C:\\good.txt", Refusal::None}});
    gathering.join();
    EXPECT_TRUE(sibling.has_value());
    EXPECT_EQ(heard, 1u);
    EXPECT_TRUE(Same(entries, {{L"C:\\good.txt", Refusal::None}}));
}

TEST(Gathering, ItListensOnWhileASiblingMayStillCome)
{
    const std::wstring pipe = UniquePipe();
    CGatherer gatherer;
    ASSERT_TRUE(gatherer.Listen(pipe));
    std::vector<GivenPath> entries;
    std::atomic<bool> late{true};
    std::atomic<int> asked{0};
    std::thread gathering([&] { gatherer.Gather(entries, 200, 20000, [&] { return ++asked, late.load(); }); });
    // Well past the quiet moment: the gatherer has been told one is on its way.
    ASSERT_TRUE(testing_support::PollUntil([&] { return asked > 10; }));
    const std::optional<fx::CFileHandle> sibling = HandToGatherer(pipe, {{L"C:\\late.txt", Refusal::None}});
    late = false;
    gathering.join();
    EXPECT_TRUE(sibling.has_value());
    EXPECT_TRUE(Same(entries, {{L"C:\\late.txt", Refusal::None}}));
}

TEST(Gathering, TheQuietMomentEndsTheGathering)
{
    const std::wstring pipe = UniquePipe();
    CGatherer gatherer;
    ASSERT_TRUE(gatherer.Listen(pipe));
    std::vector<GivenPath> entries;
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_EQ(gatherer.Gather(entries, 300, 20000), 0u);
    const ULONGLONG took = ::GetTickCount64() - start;
    EXPECT_GE(took, 250u);
    EXPECT_LT(took, 3000u);
}

} // namespace
