#include "common/FolderWalker.h"
#include "framework/Handle.h"
#include "framework/LongPath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using testing_support::TempDir;

const StopCheck kNeverStop;

struct Reported {
    bool isFolder;
    std::wstring folder, name;
    uint64_t size;
};

// Everything a walk reports, in order.
struct Recorder {
    std::vector<Reported> entries;

    bool Walk(const std::wstring& folder, bool recurse = true, StopCheck stop = {})
    {
        const auto add = [this](bool isFolder) {
            return [this, isFolder](const std::wstring& f, const WIN32_FIND_DATAW& e) {
                entries.push_back({isFolder, f, e.cFileName, EntrySize(e)});
            };
        };
        return CFolderWalker(add(false), add(true), std::move(stop)).Walk(folder, recurse);
    }
    // folder\name of every entry, sorted: listing order is the file system's.
    std::set<std::wstring> Paths() const
    {
        std::set<std::wstring> paths;
        for (const Reported& entry : entries)
            paths.insert(entry.folder + (entry.folder.back() == L'\\' ? L"" : L"\\") + entry.name);
        return paths;
    }
};

void ExpectTotals(const std::wstring& folder, uint64_t files, uint64_t folders, uint64_t bytes)
{
    const FolderTotals totals = MeasureFolder(folder, kNeverStop);
    EXPECT_EQ(totals.files, files) << testing::PrintToString(folder);
    EXPECT_EQ(totals.folders, folders) << testing::PrintToString(folder);
    EXPECT_EQ(totals.bytes, bytes) << testing::PrintToString(folder);
}

std::wstring Path(const TempDir& dir)
{
    return dir.Path().wstring();
}

TEST(FolderWalker, ReportsAndCountsEveryEntryOfATreeWhateverFormNamesIt)
{
    // Files at several depths, hidden and system ones, names in any script and
    // with dots, empty folders.
    TempDir dir;
    const std::wstring top = Path(dir);
    dir.MakeFile(L"a.txt", std::string(10, 'a'));
    dir.MakeFile(L"empty.bin", "");
    ::SetFileAttributesW(dir.MakeFile(L"hidden.txt", "hidden!").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW(dir.MakeFile(L"system.sys", "sys").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    dir.MakeFolder(L"empty");
    dir.MakeFile(L"one\\c.txt", std::string(100, 'c'));
    dir.MakeFolder(L"one\\empty too");
    dir.MakeFile(L"one\\two\\d.txt", std::string(1000, 'd'));
    dir.MakeFile(L"one\\two\\three\\e.txt", "e");
    const std::wstring odd = L"\u03a9 ..twodots", oddFile = L".\u6587\u4ef6 \U0001F600.bin";
    dir.MakeFile(odd + L"\\" + oddFile, "12345");

    Recorder recorder;
    EXPECT_TRUE(recorder.Walk(top));
    EXPECT_EQ(recorder.Paths(),
              (std::set<std::wstring>{top + L"\\a.txt", top + L"\\empty.bin", top + L"\\hidden.txt",
                                      top + L"\\system.sys", top + L"\\empty", top + L"\\one", top + L"\\one\\c.txt",
                                      top + L"\\one\\empty too", top + L"\\one\\two", top + L"\\one\\two\\d.txt",
                                      top + L"\\one\\two\\three", top + L"\\one\\two\\three\\e.txt", top + L"\\" + odd,
                                      top + L"\\" + odd + L"\\" + oddFile}));
    for (const Reported& entry : recorder.entries) {
        if (entry.name == L"d.txt") {
            EXPECT_EQ(entry.size, 1000u);
        }
    }
    Recorder flat;
    EXPECT_TRUE(flat.Walk(top, false));
    EXPECT_EQ(flat.Paths(), (std::set<std::wstring>{top + L"\\a.txt", top + L"\\empty.bin", top + L"\\hidden.txt",
                                                    top + L"\\system.sys", top + L"\\empty", top + L"\\one",
                                                    top + L"\\" + odd}));

    int subfolders = 0;
    const FolderTotals totals = MeasureFolder(top, kNeverStop, [&subfolders] { ++subfolders; });
    EXPECT_EQ(subfolders, 6);
    EXPECT_EQ(totals.bytes, 1126u);
    for (const std::wstring& form : {top, top + L"\\", top + L"\\one\\..\\.", top + L"/one/../", L"\\\\?\\" + top})
        ExpectTotals(form, 8, 6, 1126);
    ExpectTotals(top + L"\\one", 3, 3, 1101);
    ExpectTotals(top + L"\\empty", 0, 0, 0);
    // A relative path names no folder to walk, even where the current folder
    // has one: the current folder belongs to whoever called last.
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(top);
    for (const wchar_t* relative : {L".", L"one", L".\\one", L"C:one", L"c:"})
        ExpectTotals(relative, 0, 0, 0);
    std::filesystem::current_path(saved);
}

// Windows lists a reparse point with its tag in dwReserved0; Wine lists
// every Unix symbolic link with the tag 0 (Larkway's sizing meets one,
// tests/sendto/SizingTest.cpp).
TEST(FolderWalker, EntersFoldersAndReparsePointsThatAreNoLinks)
{
    const DWORD folder = FILE_ATTRIBUTE_DIRECTORY, reparse = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    const struct {
        DWORD attributes, tag;
        bool entered;
    } cases[] = {
        {folder, 0, true},
        {FILE_ATTRIBUTE_ARCHIVE, 0, false},
        {reparse, 0, false},                          // a link as Wine lists it
        {reparse, IO_REPARSE_TAG_SYMLINK, false},     // symbolic link
        {reparse, IO_REPARSE_TAG_MOUNT_POINT, false}, // junction, mount point
        {reparse, 0x9000001A, true},                  // OneDrive's files on demand
        {reparse, 0x80000013, true},                  // deduplicated
        {FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_ARCHIVE, 0x9000001A, false}, // a cloud file
    };
    for (const auto& c : cases) {
        WIN32_FIND_DATAW entry{};
        entry.dwFileAttributes = c.attributes;
        entry.dwReserved0 = c.tag;
        EXPECT_EQ(IsFolderToEnter(entry), c.entered) << std::hex << c.attributes << " " << c.tag;
    }
}

TEST(FolderWalker, WhatCannotBeListedCountsNothing)
{
    TempDir dir;
    dir.MakeFile(L"kept\\k.txt", "kk");
    dir.MakeFile(L"gone\\g.txt", "ggg");
    dir.MakeFile(L"z.txt", "z");
    // The folder disappears between its listing in the parent and its own
    // opening, as a folder deleted meanwhile or refused to us does.
    const std::wstring gone = Path(dir) + L"\\gone";
    CFolderWalker::SetListingDelay([](const std::wstring& folder) {
        if (folder.size() > 5 && folder.compare(folder.size() - 5, 5, L"\\gone") == 0) {
            ::DeleteFileW((folder + L"\\g.txt").c_str());
            ::RemoveDirectoryW(folder.c_str());
        }
    });
    ExpectTotals(Path(dir), 2, 2, 3);
    CFolderWalker::SetListingDelay(nullptr);

    for (const std::wstring& missing : {gone, Path(dir) + L"\\z.txt", Path(dir) + L"\\nothing\\here",
                                        L"C:\\" + std::wstring(32000, L'n'), L"C:\\" + std::wstring(33000, L'n')}) {
        Recorder none;
        EXPECT_TRUE(none.Walk(missing));
        EXPECT_TRUE(none.entries.empty());
    }
}

TEST(FolderWalker, PathsLongerThanMaxPath)
{
    // Names of 200 characters, nested until the path is over 3,000 characters
    // (Wine's Linux side takes no path over 4,096 bytes).
    TempDir dir;
    std::wstring folder = Path(dir);
    for (wchar_t letter = L'a'; folder.size() < 3000; ++letter) {
        folder += L"\\" + std::wstring(200, letter);
        ASSERT_TRUE(::CreateDirectoryW(fx::ExtendedLengthPath(folder).c_str(), nullptr)) << folder.size();
    }
    const std::wstring fileName(250, L'f');
    fx::CFileHandle(::CreateFileW(fx::ExtendedLengthPath(folder + L"\\" + fileName).c_str(), GENERIC_WRITE, 0,
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));

    Recorder recorder;
    EXPECT_TRUE(recorder.Walk(Path(dir)));
    ASSERT_FALSE(recorder.entries.empty());
    EXPECT_EQ(recorder.entries.back().folder, folder);
    EXPECT_EQ(recorder.entries.back().name, fileName);
    ExpectTotals(Path(dir), 1, recorder.entries.size() - 1, 0);
    // Started inside the deep part, in the extended-length form too.
    const std::wstring inside = folder.substr(0, folder.rfind(L'\\'));
    ExpectTotals(inside, 1, 1, 0);
    ExpectTotals(L"\\\\?\\" + inside, 1, 1, 0);
}

// Stops inside a walk are seen through the programs' sizing (tests/sendto/SizingTest.cpp,
// tests/properties/SelectionScanTest.cpp).
TEST(FolderWalker, AStopBeforeTheStartListsNothing)
{
    TempDir dir;
    dir.MakeFile(L"folder\\file.txt", "xy");
    Recorder none;
    EXPECT_FALSE(none.Walk(Path(dir), true, [] { return true; }));
    EXPECT_TRUE(none.entries.empty());
}

TEST(FolderWalker, ADriveRootIsTheFolderOfItsEntries)
{
    Recorder recorder;
    EXPECT_TRUE(recorder.Walk(L"C:\\", false));
    EXPECT_EQ(recorder.Paths().count(L"C:\\windows"), 1u);
    for (const Reported& entry : recorder.entries)
        EXPECT_EQ(entry.folder, L"C:\\") << entry.name;
}

} // namespace
