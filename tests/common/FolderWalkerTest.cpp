// Fennix's folder page counts a tree with and without subfolders (tests/properties/FolderPageTest.cpp).
#include "common/FolderWalker.h"
#include "framework/Handle.h"
#include "framework/LongPath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

using testing_support::TempDir;
using Totals = std::tuple<uint64_t, uint64_t, uint64_t>; // files, folders, bytes

Totals Measure(const std::wstring& folder)
{
    const FolderTotals totals = MeasureFolder(folder, [] { return false; });
    return {totals.files, totals.folders, totals.bytes};
}

// Every entry a walk reports, as "folder|name", sorted: listing order is the file system's.
std::set<std::wstring> Walked(const std::wstring& folder, bool recurse = true, StopCheck stop = {})
{
    std::set<std::wstring> entries;
    const auto add = [&entries](const std::wstring& in, const WIN32_FIND_DATAW& entry) {
        entries.insert(in + L"|" + entry.cFileName);
    };
    EXPECT_EQ(CFolderWalker(add, add, stop).Walk(folder, recurse), !stop);
    return entries;
}

TEST(FolderWalker, ReportsAndCountsEveryEntryOfATreeWhateverFormNamesItButNoLinks)
{
    // Hidden and system files, names in any script and with dots, empty folders.
    TempDir dir;
    const std::wstring top = dir.Path().wstring(), one = top + L"\\one", two = one + L"\\two";
    const std::wstring odd = L"\u03a9 ..twodots", oddFile = L".\u6587\u4ef6 \U0001F600.bin";
    for (const auto& [name, size] : std::vector<std::pair<std::wstring, size_t>>{{L"a.txt", 10},
             {L"empty.bin", 0}, {L"hidden.txt", 7}, {L"system.sys", 3}, {L"one\\c.txt", 100},
             {L"one\\two\\d.txt", 1000}, {L"one\\two\\three\\e.txt", 1}, {odd + L"\\" + oddFile, 5}})
        dir.MakeFile(name, std::string(size, 'x'));
    ::SetFileAttributesW((top + L"\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW((top + L"\\system.sys").c_str(), FILE_ATTRIBUTE_SYSTEM);
    dir.MakeFolder(L"empty");
    dir.MakeFolder(L"one\\empty too");
    EXPECT_EQ(Walked(top), (std::set<std::wstring>{top + L"|a.txt", top + L"|empty.bin", top + L"|hidden.txt",
                                                   top + L"|system.sys", top + L"|empty", top + L"|one",
                                                   top + L"|" + odd, top + L"\\" + odd + L"|" + oddFile,
                                                   one + L"|c.txt", one + L"|empty too", one + L"|two",
                                                   two + L"|d.txt", two + L"|three", two + L"\\three|e.txt"}));
    int subfolders = 0;
    EXPECT_EQ(MeasureFolder(top, [] { return false; }, [&subfolders] { ++subfolders; }).files, 8u);
    EXPECT_EQ(subfolders, 6);
    for (const std::wstring& form : {top, top + L"\\", top + L"\\one\\..\\.", top + L"/one/../", L"\\\\?\\" + top})
        EXPECT_EQ(Measure(form), Totals(8, 6, 1126)) << testing::PrintToString(form);
    EXPECT_EQ(Measure(one), Totals(3, 3, 1101));
    EXPECT_EQ(Walked(one, false), (std::set<std::wstring>{one + L"|c.txt", one + L"|empty too", one + L"|two"}));
    // A relative path names no folder, even where the current one has it: that belongs to whoever called last.
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(top);
    for (const wchar_t* relative : {L".", L"one", L".\\one", L"C:one", L"c:"})
        EXPECT_EQ(Measure(relative), Totals(0, 0, 0)) << testing::PrintToString(relative);
    std::filesystem::current_path(saved);
    // A drive root is the folder of its entries as it is; a stop before the start lists nothing.
    EXPECT_EQ(Walked(L"C:\\", false).count(L"C:\\|windows"), 1u);
    EXPECT_EQ(Walked(top, true, [] { return true; }), std::set<std::wstring>{});

    // A folder gone between its listing in the parent and its own opening (deleted meanwhile, or refused to us)
    // counts nothing; nor does what cannot be listed.
    const std::wstring gone = top + L"\\gone";
    dir.MakeFile(L"gone\\g.txt", "ggg");
    CFolderWalker::SetListingDelay([](const std::wstring& folder) {
        if (folder.ends_with(L"\\gone")) {
            ::DeleteFileW((folder + L"\\g.txt").c_str());
            ::RemoveDirectoryW(folder.c_str());
        }
    });
    EXPECT_EQ(Measure(top), Totals(8, 7, 1126));
    CFolderWalker::SetListingDelay(nullptr);
    for (const std::wstring& missing : {gone, top + L"\\a.txt", top + L"\\nothing\\here",
                                        L"C:\\" + std::wstring(32000, L'n'), L"C:\\" + std::wstring(33000, L'n')})
        EXPECT_EQ(Walked(missing), std::set<std::wstring>{}) << missing.substr(0, 80);
    // Names of 200 characters, nested past 3,000 characters (Wine's Linux side takes no path over 4,096 bytes).
    std::wstring folder = top + L"\\empty";
    uint64_t levels = 0;
    for (wchar_t letter = L'a'; folder.size() < 3000; ++letter, ++levels) {
        folder += L"\\" + std::wstring(200, letter);
        ASSERT_TRUE(::CreateDirectoryW(fx::ExtendedLengthPath(folder).c_str(), nullptr)) << folder.size();
    }
    const std::wstring fileName(250, L'f');
    fx::CFileHandle(::CreateFileW(fx::ExtendedLengthPath(folder + L"\\" + fileName).c_str(), GENERIC_WRITE, 0,
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_EQ(Walked(top).count(folder + L"|" + fileName), 1u);
    EXPECT_EQ(Measure(top), Totals(9, 6 + levels, 1126));
    // Started inside the deep part, in the extended-length form too.
    const std::wstring inside = folder.substr(0, folder.rfind(L'\\'));
    EXPECT_EQ(Measure(inside), Totals(1, 1, 0));
    EXPECT_EQ(Measure(L"\\\\?\\" + inside), Totals(1, 1, 0));
    // Windows lists a reparse point with its tag in dwReserved0; Wine lists every Unix symbolic link with the
    // tag 0 (Larkway's sizing meets one, tests/sendto/SizingTest.cpp).
    const DWORD directory = FILE_ATTRIBUTE_DIRECTORY, reparse = directory | FILE_ATTRIBUTE_REPARSE_POINT;
    // Links as Wine lists them, symbolic, junctions; OneDrive's files on demand, deduplicated; a cloud file.
    const struct { DWORD attributes, tag; bool entered; } cases[] = {{directory, 0, true},
        {FILE_ATTRIBUTE_ARCHIVE, 0, false}, {reparse, 0, false}, {reparse, IO_REPARSE_TAG_SYMLINK, false},
        {reparse, IO_REPARSE_TAG_MOUNT_POINT, false}, {reparse, 0x9000001A, true}, {reparse, 0x80000013, true},
        {FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_ARCHIVE, 0x9000001A, false}};
    for (const auto& c : cases) {
        WIN32_FIND_DATAW entry{};
        entry.dwFileAttributes = c.attributes;
        entry.dwReserved0 = c.tag;
        EXPECT_EQ(IsFolderToEnter(entry), c.entered) << std::hex << c.attributes << " " << c.tag;
    }
}

} // namespace
