#include "outside/pallashell/ShellGetFileInfo.h"
#include "framework/Handle.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

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

// Both icons and the type of a path, asked of an object gone by the time
// they are looked at: the icons are the caller's.
struct ShellAnswer {
    fx::CIconHandle largeIcon, smallIcon;
    std::wstring type;
};

ShellAnswer AskShell(const std::wstring& path)
{
    CShellGetFileInfo info;
    info.Create(path);
    info.GetLargeIcon();
    info.GetSmallIcon();
    info.GetFileType();
    return {fx::CIconHandle(info.m_hLargeIcon), fx::CIconHandle(info.m_hSmallIcon), info.m_FileType};
}

TEST(ShellGetFileInfo, FileFolderAndDriveRootHaveBothIconsAndAType)
{
    testing_support::TempDir temp;
    std::wstring file = temp.MakeFile(L"notes.txt");
    std::wstring folder = temp.MakeFolder(L"a folder");
    for (const std::wstring& path : {file, folder, std::wstring(L"C:\\")}) {
        SCOPED_TRACE(path);
        ShellAnswer answer = AskShell(path);
        EXPECT_EQ(IconWidth(answer.largeIcon.Get()), ::GetSystemMetrics(SM_CXICON));
        EXPECT_EQ(IconWidth(answer.smallIcon.Get()), ::GetSystemMetrics(SM_CXSMICON));
        EXPECT_FALSE(answer.type.empty());
    }
    EXPECT_NE(AskShell(file).type, AskShell(folder).type);
}

TEST(ShellGetFileInfo, OnlyWhatWasAskedForIsFilled)
{
    testing_support::TempDir temp;
    CShellGetFileInfo info(temp.MakeFile(L"notes.txt"));
    info.GetSmallIcon();
    fx::CIconHandle smallIcon(info.m_hSmallIcon);
    EXPECT_EQ(IconWidth(smallIcon.Get()), ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(info.m_hLargeIcon, nullptr);
    EXPECT_EQ(info.m_FileType, L"");
}

TEST(ShellGetFileInfo, MissingPathHasNoIconsAndNoType)
{
    testing_support::TempDir temp;
    ShellAnswer answer = AskShell((temp.Path() / L"not here.txt").wstring());
    EXPECT_FALSE(answer.largeIcon);
    EXPECT_FALSE(answer.smallIcon);
    EXPECT_EQ(answer.type, L"");
}

} // namespace
