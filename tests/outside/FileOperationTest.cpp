// What the shell operation is not left to decide. Items arriving, the
// caller's flags and the questions are seen through Larkway's sends
// (tests/sendto/SendOperationTest.cpp).
#include "outside/pallashell/SHFileOperation.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const FILEOP_FLAGS kUnattended = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT | FOF_NOCONFIRMMKDIR;

std::string BytesOf(const std::wstring& file)
{
    std::ifstream in(fs::path(file), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The source list form: each path NUL-terminated, one more NUL at the end.
std::wstring MultiString(const std::vector<std::wstring>& paths)
{
    std::wstring multi;
    for (const std::wstring& path : paths)
        multi += path + L'\0';
    return multi + L'\0';
}

TEST(FileOperation, WhatCannotArriveWholeIsNotDone)
{
    testing_support::TempDir temp;
    const std::wstring alpha = temp.MakeFile(L"src\\alpha.txt", "alpha bytes");
    const std::wstring fresh = (temp.Path() / L"new").wstring(), dest = temp.MakeFolder(L"dest");
    CSHFileOperation op;
    for (bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        const auto send = [&](const std::wstring& sources, const std::wstring& destination) {
            return move ? op.MoveFiles(nullptr, sources.c_str(), destination, kUnattended, L"Moving...")
                        : op.CopyFiles(nullptr, sources.c_str(), destination, kUnattended, L"Copying...");
        };
        EXPECT_EQ(send(MultiString({}), fresh), FileOperationResult::Done);
        // A root has no name to send under: the whole drive must not be poured
        // into the destination. The letter need not exist.
        EXPECT_EQ(send(MultiString({alpha, L"Q:\\"}), fresh), FileOperationResult::Failed);
        EXPECT_FALSE(fs::exists(fresh));
        // Into a file there is no way.
        const std::wstring occupied = temp.MakeFile(L"occupied", "a file");
        EXPECT_EQ(send(MultiString({alpha}), occupied), FileOperationResult::Failed);
        EXPECT_EQ(BytesOf(occupied), "a file");
        EXPECT_EQ(BytesOf(alpha), "alpha bytes");
        // A source that is gone: the one that exists is not lost.
        EXPECT_NE(send(MultiString({alpha, (temp.Path() / L"src\\missing.txt").wstring()}), dest),
                  FileOperationResult::Done);
        EXPECT_EQ(BytesOf(fs::exists(alpha) ? alpha : dest + L"\\alpha.txt"), "alpha bytes");
    }
}

TEST(FileOperation, CreateFoldersMakesEveryLevelAndNeverStandsOnAFile)
{
    testing_support::TempDir temp;
    CSHFileOperation op;
    const std::wstring nested = (temp.Path() / L"one\\two\\three").wstring();
    EXPECT_TRUE(op.CreateFolders(nested));
    EXPECT_TRUE(fs::is_directory(nested));
    EXPECT_TRUE(op.CreateFolders(nested)); // existing already is success
    const std::wstring file = temp.MakeFile(L"alpha.txt", "alpha bytes");
    EXPECT_FALSE(op.CreateFolders(file + L"\\sub"));
    EXPECT_FALSE(op.CreateFolders(file));
    EXPECT_EQ(BytesOf(file), "alpha bytes");
}

} // namespace
