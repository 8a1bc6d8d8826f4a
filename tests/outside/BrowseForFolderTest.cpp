#include "outside/pallashell/BrowseForFolder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>

namespace {

// A picker that answers itself (OK or Cancel) as soon as it is ready, after
// the library has done its part, and remembers what the picker showed then.
class CAnsweredPicker : public CBrowseForFolder {
public:
    using CBrowseForFolder::CBrowseForFolder;
    WPARAM answer = IDOK;
    HWND owner = nullptr;
    std::vector<std::wstring> texts;
    bool Shows(const std::wstring& text) const { return std::find(texts.begin(), texts.end(), text) != texts.end(); }

protected:
    void OnInitialized(HWND picker) override
    {
        CBrowseForFolder::OnInitialized(picker);
        owner = ::GetWindow(picker, GW_OWNER);
        texts.clear();
        ::EnumChildWindows(picker, [](HWND child, LPARAM all) {
            reinterpret_cast<std::vector<std::wstring>*>(all)->push_back(testing_support::WindowText(child));
            return TRUE;
        }, reinterpret_cast<LPARAM>(&texts));
        ::PostMessageW(picker, WM_COMMAND, answer, 0);
    }
};

TEST(BrowseForFolder, OkReturnsTheLastInitialFolderShownInTheStatusLineAndCancelForgetsIt)
{
    testing_support::TempDir temp;
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"picker owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                   nullptr, nullptr, nullptr);
    const std::wstring folder = temp.MakeFolder(L"Chosen folder \u00e9\u65e5");
    CAnsweredPicker picker(owner, L"Select Favorite DIR");
    picker.SetFlags(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    picker.SetInitialSelection(temp.MakeFolder(L"first"));
    picker.SetInitialSelection(folder);
    EXPECT_TRUE(picker.SelectFolder());
    EXPECT_EQ(picker.GetSelectedFolder(), folder);
    EXPECT_EQ(picker.owner, owner);
    EXPECT_TRUE(picker.Shows(L"Select Favorite DIR"));
    EXPECT_TRUE(picker.Shows(folder));
    // Without BIF_STATUSTEXT there is no status line to fill.
    picker.SetFlags(BIF_RETURNONLYFSDIRS);
    EXPECT_TRUE(picker.SelectFolder());
    EXPECT_FALSE(picker.Shows(folder));
    picker.answer = IDCANCEL;
    EXPECT_FALSE(picker.SelectFolder());
    EXPECT_EQ(picker.GetSelectedFolder(), L"");
    ::DestroyWindow(owner);
    testing_support::PumpMessages();
}

} // namespace
