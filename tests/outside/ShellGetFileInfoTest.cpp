#include "outside/pallashell/ComInit.h"
#include "outside/pallashell/ShellGetFileInfo.h"
#include "framework/Handle.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// The width of an icon in pixels; 0 when the handle is no icon.
int IconWidth(HICON icon)
{
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return 0;
    fx::CBitmapHandle mask(info.hbmMask), colour(info.hbmColor);
    BITMAP bitmap{};
    ::GetObjectW(mask.Get(), sizeof(bitmap), &bitmap);
    return bitmap.bmWidth;
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
        EXPECT_EQ(IconWidth(large.Get()), there ? ::GetSystemMetrics(SM_CXICON) : 0);
        EXPECT_EQ(IconWidth(small.Get()), there ? ::GetSystemMetrics(SM_CXSMICON) : 0);
        EXPECT_EQ(info.m_FileType.empty(), !there);
        types.push_back(info.m_FileType);
    }
    EXPECT_NE(types[0], types[1]); // a file's type is not a folder's
}

TEST(ComInit, ComStaysOnTheThreadAfterTheFirstCall)
{
    HRESULT afterwards = E_FAIL;
    std::thread([&] {
        EnsureComOnThisThread();
        EnsureComOnThisThread();
        // Initialising again only says so (S_FALSE), in the same apartment.
        afterwards = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(afterwards))
            ::CoUninitialize();
    }).join();
    EXPECT_EQ(afterwards, S_FALSE);
}

} // namespace
