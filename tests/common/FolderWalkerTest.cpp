#include "common/FolderWalker.h"
#include "framework/Handle.h"
#include "framework/LongPath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <winioctl.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::LinuxFolderLink;
using testing_support::TempDir;

const StopCheck kNeverStop;

// One reported entry: the folder it lies in and its name.
struct Reported {
    bool isFolder;
    std::wstring folder;
    std::wstring name;
    DWORD attributes;
    uint64_t size;
};

// Everything a walk reports, in order.
class CRecorder {
public:
    std::vector<Reported> entries;

    CFolderWalker Walker(StopCheck shouldStop = {})
    {
        return CFolderWalker([this](const std::wstring& f, const WIN32_FIND_DATAW& e) { Add(false, f, e); },
                             [this](const std::wstring& f, const WIN32_FIND_DATAW& e) { Add(true, f, e); },
                             std::move(shouldStop));
    }
    // folder\name of every entry, sorted: listing order is the file system's.
    std::set<std::wstring> Paths() const
    {
        std::set<std::wstring> paths;
        for (const Reported& entry : entries)
            paths.insert(entry.folder + (entry.folder.back() == L'\\' ? L"" : L"\\") + entry.name);
        return paths;
    }

private:
    void Add(bool isFolder, const std::wstring& folder, const WIN32_FIND_DATAW& entry)
    {
        entries.push_back({isFolder, folder, entry.cFileName, entry.dwFileAttributes, EntrySize(entry)});
    }
};

void ExpectTotals(const FolderTotals& totals, uint64_t files, uint64_t folders, uint64_t bytes)
{
    EXPECT_EQ(totals.files, files);
    EXPECT_EQ(totals.folders, folders);
    EXPECT_EQ(totals.bytes, bytes);
}

std::wstring Path(const TempDir& dir)
{
    return dir.Path().wstring();
}

// Creates an empty file by its full path (any length).
void MakeEmptyFile(const std::wstring& path)
{
    fx::CFileHandle file(::CreateFileW(fx::ExtendedLengthPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(file) << "error " << ::GetLastError();
}

// A tree with files at several depths, hidden and system files and empty
// folders: 7 files, 1121 bytes, 5 folders below the top.
void BuildTree(const TempDir& dir)
{
    dir.MakeFile(L"a.txt", std::string(10, 'a'));
    dir.MakeFile(L"empty.bin", "");
    ::SetFileAttributesW(dir.MakeFile(L"hidden.txt", "hidden!").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW(dir.MakeFile(L"system.sys", "sys").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    dir.MakeFolder(L"empty");
    dir.MakeFile(L"one\\c.txt", std::string(100, 'c'));
    dir.MakeFolder(L"one\\empty too");
    dir.MakeFile(L"one\\two\\d.txt", std::string(1000, 'd'));
    dir.MakeFile(L"one\\two\\three\\e.txt", "e");
}

TEST(FolderWalker, MeasuresEveryFileAndFolderOfATree)
{
    TempDir dir;
    BuildTree(dir);
    int subfolders = 0;
    ExpectTotals(MeasureFolder(Path(dir), kNeverStop, [&subfolders] { ++subfolders; }), 7, 5, 1121);
    EXPECT_EQ(subfolders, 5);
    // The same folder named with a trailing backslash, "." and "..", "/" or
    // in the extended-length form.
    for (const std::wstring& form : {Path(dir) + L"\\", Path(dir) + L"\\one\\..\\.", Path(dir) + L"/one/../",
                                     L"\\\\?\\" + Path(dir)})
        ExpectTotals(MeasureFolder(form, kNeverStop), 7, 5, 1121);
    ExpectTotals(MeasureFolder(Path(dir) + L"\\one", kNeverStop), 3, 3, 1101);
    ExpectTotals(MeasureFolder(Path(dir) + L"\\empty", kNeverStop), 0, 0, 0);
}

TEST(FolderWalker, ReportsEachEntryWithItsFolderDepthFirst)
{
    TempDir dir;
    BuildTree(dir);
    const std::wstring top = Path(dir);
    CRecorder recorder;
    EXPECT_TRUE(recorder.Walker().Walk(top));

    EXPECT_EQ(recorder.Paths(),
              (std::set<std::wstring>{top + L"\\a.txt", top + L"\\empty.bin", top + L"\\hidden.txt",
                                      top + L"\\system.sys", top + L"\\empty", top + L"\\one", top + L"\\one\\c.txt",
                                      top + L"\\one\\empty too", top + L"\\one\\two", top + L"\\one\\two\\d.txt",
                                      top + L"\\one\\two\\three", top + L"\\one\\two\\three\\e.txt"}));
    ASSERT_EQ(recorder.entries.size(), 12u);
    for (const Reported& entry : recorder.entries) {
        EXPECT_EQ(entry.isFolder, (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) << entry.name;
        if (entry.name == L"d.txt")
            EXPECT_EQ(entry.size, 1000u);
        if (entry.name == L"system.sys")
            EXPECT_EQ(entry.attributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN),
                      DWORD(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    }
    // Depth first: a folder is reported, then everything below it, before
    // anything else of its parent.
    for (size_t i = 0; i < recorder.entries.size(); ++i) {
        if (!recorder.entries[i].isFolder)
            continue;
        const std::wstring folder = recorder.entries[i].folder + L"\\" + recorder.entries[i].name;
        size_t end = i + 1;
        while (end < recorder.entries.size() && recorder.entries[end].folder.rfind(folder, 0) == 0)
            ++end;
        for (size_t j = end; j < recorder.entries.size(); ++j)
            EXPECT_NE(recorder.entries[j].folder.rfind(folder, 0), 0u) << recorder.entries[j].name << " after " << folder;
    }

    // Not recursing: the folder's own entries only.
    CRecorder flat;
    EXPECT_TRUE(flat.Walker().Walk(top, false));
    EXPECT_EQ(flat.Paths(), (std::set<std::wstring>{top + L"\\a.txt", top + L"\\empty.bin", top + L"\\hidden.txt",
                                                    top + L"\\system.sys", top + L"\\empty", top + L"\\one"}));
}

TEST(FolderWalker, NamesInAnyScriptAndWithDots)
{
    TempDir dir;
    const std::wstring names[] = {L"na\u00efve \u00fc \u6587\u4ef6.txt", L"\u03a9 folder\\\U0001F600.bin", L".profile",
                                  L"..twodots", L"\u0434\u0432..\u0430\\x.y.z"};
    for (const std::wstring& name : names)
        dir.MakeFile(name, "12345");
    CRecorder recorder;
    EXPECT_TRUE(recorder.Walker().Walk(Path(dir)));
    const std::wstring top = Path(dir);
    EXPECT_EQ(recorder.Paths(),
              (std::set<std::wstring>{top + L"\\" + names[0], top + L"\\\u03a9 folder", top + L"\\" + names[1],
                                      top + L"\\.profile", top + L"\\..twodots", top + L"\\\u0434\u0432..\u0430",
                                      top + L"\\" + names[4]}));
    ExpectTotals(MeasureFolder(top, kNeverStop), 5, 2, 25);
}

TEST(FolderWalker, AFiveGiBSparseFileCountsAsFiveGiB)
{
    TempDir dir;
    const uint64_t fiveGiB = 5ull << 30;
    {
        fx::CFileHandle file(::CreateFileW((Path(dir) + L"\\big.bin").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                           nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD returned = 0;
        // Sparse, so the test writes no 5 GiB (Wine accepts the request; on
        // ext4 and tmpfs a file extended by its end is sparse anyway).
        ASSERT_TRUE(::DeviceIoControl(file.Get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr));
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(fiveGiB);
        ASSERT_TRUE(::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(::SetEndOfFile(file.Get()));
    }
    dir.MakeFile(L"sub\\small.txt", "abc");
    ExpectTotals(MeasureFolder(Path(dir), kNeverStop), 2, 1, fiveGiB + 3);
}

TEST(FolderWalker, ALinkToAnAncestorIsReportedButNotEntered)
{
    TempDir dir;
    dir.MakeFile(L"top.txt", "12");
    dir.MakeFile(L"a\\b\\deep.txt", "1234");
    const std::wstring b = Path(dir) + L"\\a\\b";
    LinuxFolderLink loop(b, L"up", L"../..");
    ASSERT_TRUE(loop.Made());

    CRecorder recorder;
    EXPECT_TRUE(recorder.Walker().Walk(Path(dir)));
    const auto link = std::find_if(recorder.entries.begin(), recorder.entries.end(),
                                   [](const Reported& entry) { return entry.name == L"up"; });
    ASSERT_NE(link, recorder.entries.end());
    EXPECT_TRUE(link->isFolder);
    EXPECT_EQ(link->folder, b);
    EXPECT_EQ(link->attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY),
              DWORD(FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(recorder.entries.size(), 5u); // top.txt, a, b, deep.txt, up
    // The link counts as a folder; nothing behind it is counted again.
    ExpectTotals(MeasureFolder(Path(dir), kNeverStop), 2, 3, 6);
    // Walked from the link itself, as a selection may name it: it is listed.
    ExpectTotals(MeasureFolder(b + L"\\up\\a", kNeverStop), 1, 2, 4);
}

// Windows lists a reparse point with its tag in dwReserved0; Wine lists
// every Unix symbolic link with the tag 0 (the walk above met one).
TEST(FolderWalker, EntersFoldersAndReparsePointsThatAreNoLinks)
{
    const DWORD folder = FILE_ATTRIBUTE_DIRECTORY, reparse = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    const struct {
        DWORD attributes, tag;
        bool entered;
    } cases[] = {
        {folder, 0, true},
        {FILE_ATTRIBUTE_ARCHIVE, 0, false},
        {reparse, 0, false},                                          // a link as Wine lists it
        {reparse, IO_REPARSE_TAG_SYMLINK, false},                     // symbolic link
        {reparse, IO_REPARSE_TAG_MOUNT_POINT, false},                 // junction, mount point
        {reparse, 0x9000001A, true},                                  // OneDrive's files on demand
        {reparse, 0x80000013, true},                                  // deduplicated
        {reparse | FILE_ATTRIBUTE_OFFLINE | 0x400000 /* recall on data access */, 0x9000601A, true},
        {FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_ARCHIVE, 0x9000001A, false}, // a cloud file
    };
    for (const auto& c : cases) {
        WIN32_FIND_DATAW entry{};
        entry.dwFileAttributes = c.attributes;
        entry.dwReserved0 = c.tag;
        EXPECT_EQ(IsFolderToEnter(entry), c.entered) << std::hex << c.attributes << " " << c.tag;
    }
}

TEST(FolderWalker, FoldersThatCannotBeListedCountNothing)
{
    TempDir dir;
    dir.MakeFile(L"kept\\k.txt", "kk");
    dir.MakeFile(L"gone\\g.txt", "ggg");
    dir.MakeFile(L"z.txt", "z");
    // The folder disappears between its listing in the parent and its own
    // opening, as a folder deleted meanwhile or refused to us does.
    const std::wstring gone = Path(dir) + L"\\gone";
    FolderTotals totals;
    CFolderWalker walker(
        [&totals](const std::wstring&, const WIN32_FIND_DATAW& entry) {
            ++totals.files;
            totals.bytes += EntrySize(entry);
        },
        [&totals, &gone](const std::wstring& folder, const WIN32_FIND_DATAW& entry) {
            ++totals.folders;
            if (folder + L"\\" + entry.cFileName == gone) {
                ::DeleteFileW((gone + L"\\g.txt").c_str());
                ::RemoveDirectoryW(gone.c_str());
            }
        },
        kNeverStop);
    EXPECT_TRUE(walker.Walk(Path(dir)));
    ExpectTotals(totals, 2, 2, 3);

    for (const std::wstring& missing : {Path(dir) + L"\\gone", Path(dir) + L"\\z.txt", Path(dir) + L"\\nothing\\here",
                                        L"C:\\" + std::wstring(32000, L'n'), L"C:\\" + std::wstring(33000, L'n')}) {
        CRecorder recorder;
        EXPECT_TRUE(recorder.Walker().Walk(missing));
        EXPECT_TRUE(recorder.entries.empty());
    }
}

// The current folder, put back when the test ends.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : m_saved(std::filesystem::current_path()) {}
    ~CurrentDirectoryGuard() { std::filesystem::current_path(m_saved); }

private:
    std::filesystem::path m_saved;
};

TEST(FolderWalker, TheCurrentFolderIsNeitherUsedNorChanged)
{
    TempDir dir, decoy;
    dir.MakeFile(L"sub\\one.txt", "1");
    // The current folder holds the same relative names with other contents:
    // a walk that went through it would count these.
    decoy.MakeFile(L"sub\\one.txt", "1234567");
    decoy.MakeFile(L"sub\\two.txt", "22");
    decoy.MakeFile(L"sub\\deeper\\three.txt", "333");
    CurrentDirectoryGuard guard;
    ASSERT_TRUE(::SetCurrentDirectoryW(Path(decoy).c_str()));

    ExpectTotals(MeasureFolder(Path(dir), kNeverStop), 1, 1, 1);
    CRecorder recorder;
    recorder.Walker().Walk(Path(dir));
    EXPECT_EQ(recorder.Paths(), (std::set<std::wstring>{Path(dir) + L"\\sub", Path(dir) + L"\\sub\\one.txt"}));
    EXPECT_EQ(std::filesystem::current_path().wstring(), Path(decoy));
    // A relative path names no folder to walk, even where the current folder has one.
    for (const wchar_t* relative : {L"sub", L".", L".\\sub", L"C:sub"})
        ExpectTotals(MeasureFolder(relative, kNeverStop), 0, 0, 0);
    EXPECT_EQ(std::filesystem::current_path().wstring(), Path(decoy));
}

TEST(FolderWalker, PathsLongerThanMaxPath)
{
    TempDir dir;
    // Names of 200 characters, nested until the path is over 3,000 characters
    // (Wine's Linux side takes no path over 4,096 bytes).
    std::wstring folder = Path(dir);
    for (wchar_t letter = L'a'; folder.size() < 3000; ++letter) {
        folder += L"\\" + std::wstring(200, letter);
        ASSERT_TRUE(::CreateDirectoryW(fx::ExtendedLengthPath(folder).c_str(), nullptr)) << folder.size();
    }
    const std::wstring fileName(250, L'f');
    MakeEmptyFile(folder + L"\\" + fileName);

    CRecorder recorder;
    EXPECT_TRUE(recorder.Walker().Walk(Path(dir)));
    ASSERT_FALSE(recorder.entries.empty());
    EXPECT_FALSE(recorder.entries.back().isFolder);
    EXPECT_EQ(recorder.entries.back().folder, folder);
    EXPECT_EQ(recorder.entries.back().name, fileName);
    const uint64_t levels = recorder.entries.size() - 1;
    ExpectTotals(MeasureFolder(Path(dir), kNeverStop), 1, levels, 0);
    // Started inside the deep part, in the extended-length form too.
    const std::wstring inside = folder.substr(0, folder.rfind(L'\\'));
    ExpectTotals(MeasureFolder(inside, kNeverStop), 1, 1, 0);
    ExpectTotals(MeasureFolder(L"\\\\?\\" + inside, kNeverStop), 1, 1, 0);
}

TEST(FolderWalker, TheStopCheckRunsPerFolderAndEveryFewThousandEntries)
{
    TempDir dir;
    for (int i = 0; i < 6; ++i)
        dir.MakeFile(L"folder" + std::to_wstring(i) + L"\\file.txt", "xy");

    // Once before the top folder is opened, once before each subfolder.
    int checks = 0;
    ExpectTotals(MeasureFolder(Path(dir), [&checks] { return ++checks, false; }), 6, 6, 12);
    EXPECT_EQ(checks, 7);

    // Stopped before the third subfolder is opened: it was reported, the two
    // before it were walked.
    checks = 0;
    CRecorder recorder;
    EXPECT_FALSE(recorder.Walker([&checks] { return ++checks == 4; }).Walk(Path(dir)));
    EXPECT_EQ(recorder.entries.size(), 5u);
    checks = 0;
    ExpectTotals(MeasureFolder(Path(dir), [&checks] { return ++checks == 4; }), 2, 3, 4);

    // Stopped before the top folder is opened: nothing.
    CRecorder none;
    EXPECT_FALSE(none.Walker([] { return true; }).Walk(Path(dir)));
    EXPECT_TRUE(none.entries.empty());
}

// A drive letter whose root is a folder, as Wine makes drives: a link in the
// prefix's dosdevices folder (which holds c: beside the others).
class TestDrive {
public:
    TestDrive(wchar_t letter, const std::wstring& folder) : m_root{letter, L':', L'\\'}
    {
        using UnixName = char*(CDECL*)(const wchar_t*);
        const auto unixName =
            reinterpret_cast<UnixName>(::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name"));
        if (!unixName)
            return;
        const std::string target = Owned(unixName(folder.c_str()));
        std::string dosdevices = Owned(unixName(L"C:\\"));    // ".../dosdevices/c:/"
        dosdevices.erase(dosdevices.rfind('/', dosdevices.size() - 2));
        m_dosdevices = testing_support::WindowsPath(dosdevices.c_str());
        m_name = {static_cast<wchar_t>(::towlower(letter)), L':'};
        testing_support::RunOnLinux(m_dosdevices, "/bin/ln", L"-s \"" + Wide(target) + L"\" " + m_name,
                                    [this] { return Exists(); });
    }
    ~TestDrive()
    {
        if (!m_dosdevices.empty())
            testing_support::RunOnLinux(m_dosdevices, "/bin/rm", L"-f " + m_name, [this] { return !Exists(); });
    }
    TestDrive(const TestDrive&) = delete;
    TestDrive& operator=(const TestDrive&) = delete;

    bool Exists() const { return ::GetDriveTypeW(m_root.c_str()) != DRIVE_NO_ROOT_DIR; }
    const std::wstring& Root() const { return m_root; }

private:
    static std::string Owned(char* name)
    {
        std::string text = name ? name : "";
        ::HeapFree(::GetProcessHeap(), 0, name);
        return text;
    }
    static std::wstring Wide(const std::string& utf8)
    {
        std::wstring text(utf8.size(), L'\0');
        text.resize(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                                          static_cast<int>(text.size())));
        return text;
    }

    std::wstring m_root, m_dosdevices, m_name;
};

TEST(FolderWalker, ADriveRoot)
{
    TempDir dir;
    dir.MakeFile(L"root.txt", "12345");
    dir.MakeFile(L"sub\\inner.txt", "67");
    TestDrive drive(L'W', Path(dir));
    ASSERT_TRUE(drive.Exists());

    CRecorder recorder;
    EXPECT_TRUE(recorder.Walker().Walk(drive.Root()));
    EXPECT_EQ(recorder.Paths(), (std::set<std::wstring>{L"W:\\root.txt", L"W:\\sub", L"W:\\sub\\inner.txt"}));
    for (const Reported& entry : recorder.entries)
        EXPECT_EQ(entry.folder, entry.name == L"inner.txt" ? L"W:\\sub" : L"W:\\") << entry.name;
    ExpectTotals(MeasureFolder(L"W:\\", kNeverStop), 2, 1, 7);
    ExpectTotals(MeasureFolder(L"w:", kNeverStop), 0, 0, 0); // the current folder of a drive: relative
}

} // namespace
