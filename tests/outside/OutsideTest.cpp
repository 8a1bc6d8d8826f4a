// The libraries the programs build on: drive figures, paths, the folder picker, icons and types, copy, move.
#include "framework/Handle.h"
#include "outside/pallapath/FolderOp.h"
#include "outside/pallavol/DiskInfo.h"
#include "outside/pallashell/BrowseForFolder.h"
#include "outside/pallashell/ComInit.h"
#include "outside/pallashell/SHFileOperation.h"
#include "outside/pallashell/ShellGetFileInfo.h"
#include "tests/support/DpiChecks.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <array>
#include <thread>

namespace {

namespace fs = std::filesystem;

const uint64_t KiB = 1024, MiB = KiB * 1024, GiB = MiB * 1024, TiB = GiB * 1024;

TEST(DiskInfo, SizesInUnitsToTwoDecimalsRoundedHalfUpARootWithoutBackslashAndADriveThatCannotBeRead)
{
    // 1152 bytes are exactly 1.125 KB; 1029 are 1.0049 KB, 1030 are 1.0059 KB; 1048571 are 1023.9951 KB,
    // which would read "1024.00 KB". Then past 32 bits, and past the last unit.
    const std::pair<uint64_t, const wchar_t*> cases[] = {{0, L"0 bytes"}, {1, L"1 byte"},
        {1023, L"1023 bytes"}, {1024, L"1.00 KB"}, {1152, L"1.13 KB"}, {1029, L"1.00 KB"}, {1030, L"1.01 KB"},
        {MiB + MiB / 4, L"1.25 MB"}, {1048570, L"1023.99 KB"}, {1048571, L"1.00 MB"}, {GiB - 1, L"1.00 GB"},
        {TiB - 1, L"1.00 TB"},
        {4 * GiB + GiB / 2, L"4.50 GB"}, {3 * TiB + TiB / 2, L"3.50 TB"}, {1024 * TiB, L"1024.00 TB"},
        {UINT64_MAX, L"16777216.00 TB"}};
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(CDiskInfo().GetUnitSize(bytes), text) << bytes << " bytes";
    // A root without its backslash is forgiven.
    EXPECT_EQ(CDiskInfo(L"C:").GetDriveTypeA(), L"Fixed Drive");
    EXPECT_EQ(CDiskInfo(L"C:").m_SerialNumber, CDiskInfo(L"C:\\").m_SerialNumber);
    // A letter with no drive, and a default-made object: no drive at all, not the current one.
    for (CDiskInfo& info : std::array<CDiskInfo, 2>{CDiskInfo(L"Y:\\"), CDiskInfo()}) {
        EXPECT_FALSE(info.IsReadable());
        EXPECT_EQ(info.GetDriveTypeA(), L"Error");
        EXPECT_EQ(info.m_SerialNumber + info.m_FileSystemName + info.m_MaxFileNameLength, L"");
        EXPECT_EQ(info.GetTotalSizeInBytes() + info.GetDiskFreeInBytes() + info.GetTotalClusters(), 0u);
        EXPECT_FALSE(info.SetDriveLabel(L"NEW"));
    }
}

// Short forms under 260 characters: tests/properties/FilePageTest.cpp; here, past that and half-short ones.
TEST(FolderOp, ShortFormsMapBackToTheLongOnesAtAnyLengthAndParentFolders)
{
    testing_support::TempDir temp;
    std::wstring deep(1024, L'\0'); // the long form (Wine's GetLongPathNameW overruns its stack past 1024)
    deep.resize(::GetLongPathNameW(temp.Path().c_str(), deep.data(), 1024));
    const std::wstring base = deep;
    for (int i = 0; i < 25; ++i) {
        deep += L"\\Level with a long name.part " + std::to_wstring(i);
        ASSERT_TRUE(::CreateDirectoryW(deep.c_str(), nullptr)) << deep.size();
    }
    CFolderOp op;
    const std::wstring shortForm = op.GetShortFileName(deep);
    EXPECT_GT(shortForm.size(), static_cast<size_t>(MAX_PATH));
    EXPECT_EQ(shortForm.find(L"Level with"), std::wstring::npos) << shortForm;
    EXPECT_EQ(op.GetLongFileName(shortForm), deep);
    // Only the first folder in its short form: every component comes back long.
    const std::wstring first = base + L"\\Level with a long name.part 0";
    EXPECT_EQ(op.GetLongFileName(op.GetShortFileName(first) + deep.substr(first.size())), deep);
    const std::wstring missing = base + L"\\Not here at all\\nor this.txt";
    EXPECT_EQ(op.GetLongFileName(missing), missing);
    EXPECT_EQ(op.GetShortFileName(missing), L"");
    EXPECT_EQ(op.GetLongFileName(L"C:\\"), L"C:\\");
    EXPECT_EQ(op.GetShortFileName(L"C:\\"), L"C:\\");
    // Network and prefixed roots are kept whole.
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {{L"C:\\a\\b.txt", L"C:\\a"}, {L"C:\\a", L"C:\\"},
        {L"C:\\", L"C:\\"}, {L"a\\b.txt", L"a"}, {L"b.txt", L""}, {L"", L""}, {L"C:\\a\\b\\", L"C:\\a"},
        {L"C:\\a\\\\", L"C:\\"}, {L"C:\\a\\\\b", L"C:\\a"}, {L"\\\\server\\share\\a", L"\\\\server\\share\\"},
        {L"\\\\server\\share", L"\\\\server\\share"}, {L"\\\\?\\C:\\a", L"\\\\?\\C:\\"}};
    for (const auto& [path, parent] : cases)
        EXPECT_EQ(op.GetParentDir(path), parent) << path;
}

// A picker that answers itself (OK or Cancel) once shown; keeps its owner and its line that shows sought.
class CAnsweredPicker : public CBrowseForFolder {
public:
    using CBrowseForFolder::CBrowseForFolder;
    WPARAM answer = IDOK;
    std::wstring sought;
    HWND owner = nullptr, found = nullptr;

protected:
    void OnInitialized(HWND picker) override
    {
        CBrowseForFolder::OnInitialized(picker);
        owner = ::GetWindow(picker, GW_OWNER);
        found = ::FindWindowExW(picker, nullptr, nullptr, sought.c_str());
        ::PostMessageW(picker, WM_COMMAND, answer, 0);
    }
};

TEST(BrowseForFolder, OkReturnsTheInitialFolderShownInTheStatusLineCancelForgetsItAndComStaysOn)
{
    testing_support::TempDir temp;
    const std::wstring folder = temp.MakeFolder(L"Chosen folder \u00e9\u65e5");
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    CAnsweredPicker picker(owner, L"Select Favorite DIR");
    picker.SetFlags(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    picker.SetInitialSelection(folder);
    picker.sought = folder;
    EXPECT_TRUE(picker.SelectFolder());
    EXPECT_EQ(picker.GetSelectedFolder(), folder);
    EXPECT_EQ(picker.owner, owner);
    EXPECT_NE(picker.found, nullptr);
    picker.answer = IDCANCEL;
    EXPECT_FALSE(picker.SelectFolder());
    EXPECT_EQ(picker.GetSelectedFolder(), L"");
    ::DestroyWindow(owner);
    HRESULT afterwards = E_FAIL; // COM stays on a thread after the first call: S_FALSE, the same apartment
    std::thread([&] {
        EnsureComOnThisThread();
        EnsureComOnThisThread();
        afterwards = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    }).join();
    EXPECT_EQ(afterwards, S_FALSE);
}

TEST(ShellGetFileInfo, FileFolderAndDriveRootHaveBothIconsAndATypeAMissingPathNone)
{
    testing_support::TempDir temp;
    const std::wstring file = temp.MakeFile(L"notes.txt"), folder = temp.MakeFolder(L"a folder");
    const std::wstring missing = (temp.Path() / L"not here.txt").wstring();
    std::vector<std::wstring> types;
    for (const std::wstring& path : {file, folder, std::wstring(L"C:\\"), missing}) {
        SCOPED_TRACE(path);
        CShellGetFileInfo info(path);
        info.GetFileType();
        // The icons are owned by the handles given back, past the object.
        const fx::CIconHandle large = info.LargeIcon(), small = info.SmallIcon();
        const bool there = path != missing;
        EXPECT_EQ(testing_support::IconImageSize(large.Get()).cx, there ? ::GetSystemMetrics(SM_CXICON) : 0);
        EXPECT_EQ(testing_support::IconImageSize(small.Get()).cx, there ? ::GetSystemMetrics(SM_CXSMICON) : 0);
        EXPECT_EQ(info.m_FileType.empty(), path == missing);
        types.push_back(info.m_FileType);
    }
    EXPECT_NE(types[0], types[1]); // a file's type is not a folder's
}

// Larkway's sends show the rest (tests/sendto/SendOperationTest.cpp); here, what the shell may not decide.
TEST(FileOperation, WhatCannotArriveWholeIsNotDoneAndFoldersNeverStandOnAFile)
{
    testing_support::TempDir temp;
    const std::wstring alpha = temp.MakeFile(L"src\\alpha.txt", "alpha bytes");
    const std::wstring fresh = (temp.Path() / L"new").wstring(), dest = temp.MakeFolder(L"dest");
    const std::wstring occupied = temp.MakeFile(L"occupied", "a file");
    const std::wstring missing = (temp.Path() / L"src\\missing.txt").wstring();
    CSHFileOperation op;
    for (bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        // The sources: each path NUL-terminated, one more NUL at the end.
        const auto send = [&](const std::wstring& sources, const std::wstring& destination) {
            const std::wstring list = sources + L'\0';
            return move ? op.MoveFiles(nullptr, list.c_str(), destination, FOF_NO_UI, L"Moving...")
                        : op.CopyFiles(nullptr, list.c_str(), destination, FOF_NO_UI, L"Copying...");
        };
        EXPECT_EQ(send(L"", fresh), FileOperationResult::Done);
        // A root has no name to send under: the whole drive must not be poured into the destination.
        EXPECT_EQ(send(alpha + L'\0' + L"Q:\\" + L'\0', fresh), FileOperationResult::Failed);
        EXPECT_FALSE(fs::exists(fresh));
        EXPECT_EQ(send(alpha + L'\0', occupied), FileOperationResult::Failed);
        EXPECT_EQ(fs::file_size(occupied), 6u);
        EXPECT_EQ(fs::file_size(alpha), 11u);
        // A source that is gone: the one that exists is not lost.
        EXPECT_NE(send(alpha + L'\0' + missing + L'\0', dest), FileOperationResult::Done);
        EXPECT_EQ(fs::file_size(fs::exists(alpha) ? alpha : dest + L"\\alpha.txt"), 11u);
    }
    const std::wstring nested = (temp.Path() / L"one\\two\\three").wstring();
    EXPECT_TRUE(op.CreateFolders(nested));
    EXPECT_TRUE(fs::is_directory(nested));
    EXPECT_TRUE(op.CreateFolders(nested)); // existing already is success
    EXPECT_FALSE(op.CreateFolders(occupied + L"\\sub"));
    EXPECT_FALSE(op.CreateFolders(occupied));
    EXPECT_EQ(fs::file_size(occupied), 6u);
}

} // namespace
