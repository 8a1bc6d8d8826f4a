#include "outside/pallashell/BrowseForFolder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// A picker that answers itself (OK or Cancel) as soon as it is ready, after
// the library has done its part, and remembers what the picker showed then.
template <class Picker>
class CAnswered : public Picker {
public:
    template <class... Args>
    explicit CAnswered(Args&&... args) : Picker(std::forward<Args>(args)...)
    {
    }

    WPARAM m_answer = IDOK;
    HWND m_owner = nullptr;
    std::vector<std::wstring> m_texts;

    bool Shows(const std::wstring& text) const
    {
        return std::find(m_texts.begin(), m_texts.end(), text) != m_texts.end();
    }

protected:
    void OnInitialized(HWND picker) override
    {
        Picker::OnInitialized(picker);
        m_owner = ::GetWindow(picker, GW_OWNER);
        m_texts.clear();
        ::EnumChildWindows(picker, &Collect, reinterpret_cast<LPARAM>(&m_texts));
        ::PostMessageW(picker, WM_COMMAND, m_answer, 0);
    }

private:
    static BOOL CALLBACK Collect(HWND child, LPARAM texts)
    {
        reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(testing_support::WindowText(child));
        return TRUE;
    }
};

class BrowseForFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_owner = ::CreateWindowExW(0, L"STATIC", L"picker owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                    nullptr, nullptr, nullptr);
        ASSERT_NE(m_owner, nullptr);
    }
    void TearDown() override
    {
        ::DestroyWindow(m_owner);
        testing_support::PumpMessages();
    }

    testing_support::TempDir m_temp;
    HWND m_owner = nullptr;
};

TEST_F(BrowseForFolderTest, OkReturnsTheLastInitialFolderShownInTheStatusLineAndCancelForgetsIt)
{
    std::wstring folder = m_temp.MakeFolder(L"Chosen folder \u00e9\u65e5");
    CAnswered<CBrowseForFolder> picker(m_owner, std::wstring(L"Select Favorite DIR"));
    picker.SetFlags(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    picker.SetInitialSelection(m_temp.MakeFolder(L"first"));
    picker.SetInitialSelection(folder);
    EXPECT_TRUE(picker.SelectFolder());
    EXPECT_EQ(picker.GetSelectedFolder(), folder);
    EXPECT_EQ(picker.m_owner, m_owner);
    EXPECT_TRUE(picker.Shows(L"Select Favorite DIR"));
    EXPECT_TRUE(picker.Shows(folder));

    // Without BIF_STATUSTEXT there is no status line to fill.
    picker.SetFlags(BIF_RETURNONLYFSDIRS);
    EXPECT_TRUE(picker.SelectFolder());
    EXPECT_FALSE(picker.Shows(folder));

    picker.m_answer = IDCANCEL;
    EXPECT_FALSE(picker.SelectFolder());
    EXPECT_EQ(picker.GetSelectedFolder(), L"");
}

} // namespace
