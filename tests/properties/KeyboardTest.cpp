// Fennix with the keyboard alone, the keys going through the program's own message routing.
#include "tests/properties/FennixFixture.h"

#include "properties/res/resource.h"
#include "tests/support/Keyboard.h"
#include "tests/support/KeyboardAudit.h"

using namespace fennix;

namespace {

using namespace testing_support;
using Faults = std::vector<std::wstring>;

class FennixKeyboardTest : public FennixTest {
protected:
    void Open(const std::vector<std::wstring>& paths)
    {
        m_keys = Keyboard();
        FennixTest::Open(paths);
        RouteMessages(); // the activation the program posts to itself
    }
    HWND FileItem(int id) const { return ::GetDlgItem(Sheet()->FilePage().m_hWnd, id); }
    HWND SearchItem(int id) const { return ::GetDlgItem(Sheet()->SearchDialog().m_hWnd, id); }
    HWND FolderItem(int id) const { return ::GetDlgItem(Sheet()->FolderPage().m_hWnd, id); }
    bool Checked(HWND box) const { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    static DWORD Attributes(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

    Keyboard m_keys;
};

// Every control of each page and the search dialog has a tab stop and its own mnemonic (KeyboardFaults).
TEST_F(FennixKeyboardTest, AFilesAttributesAreChangedAndWrittenByKeysAlone)
{
    const std::wstring file = m_temp.MakeFile(L"notes.txt", "some notes");
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_ARCHIVE));
    // A box ticked, then Escape: the program ends and the file is as it was.
    Open({file});
    m_keys.PressAlt(L'n');
    ASSERT_TRUE(Checked(FileItem(IDC_READ_ONLY)));
    m_keys.Press(VK_ESCAPE);
    EXPECT_TRUE(m_keys.Quit());
    EXPECT_EQ(Attributes(file), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

    Open({file});
    EXPECT_EQ(KeyboardFaults(Sheet()->m_hWnd), Faults{}) << "file page";
    Sheet()->SetActivePage(0);
    EXPECT_EQ(KeyboardFaults(Sheet()->m_hWnd), Faults{}) << "About page";
    Sheet()->SetActivePage(1);
    ASSERT_TRUE(::IsChild(Sheet()->m_hWnd, ::GetFocus())) << "the program starts with the keyboard";

    // Alt and a box's letter ticks it; Alt+A applies, as the Apply button.
    m_keys.PressAlt(L'n');
    EXPECT_TRUE(::IsWindowEnabled(FileItem(IDC_APPLY)));
    m_keys.PressAlt(L'a');
    EXPECT_EQ(Attributes(file), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(::IsWindowEnabled(FileItem(IDC_APPLY)));

    // The minimise button is a tab stop; Enter on the drop window brings the sheet back, focus kept.
    ASSERT_TRUE(m_keys.TabTo(Sheet()->MinimizeButton().m_hWnd));
    m_keys.Press(VK_RETURN);
    EXPECT_FALSE(Frame()->IsWindowVisible());
    ASSERT_TRUE(Sheet()->DropWindow().IsWindowVisible());
    m_keys.Press(VK_RETURN);
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_FALSE(Sheet()->DropWindow().IsWindowVisible());
    EXPECT_EQ(::GetFocus(), Sheet()->MinimizeButton().m_hWnd);

    // Enter on a focused button presses that one: Apply, not Done.
    m_keys.PressAlt(L'i');
    ASSERT_TRUE(m_keys.TabTo(FileItem(IDC_APPLY)));
    m_keys.Press(VK_RETURN);
    EXPECT_FALSE(m_keys.Quit());
    EXPECT_EQ(Attributes(file), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    // Tab reaches the boxes, Space unticks the focused one, Enter is Done: written, and the program ends.
    ASSERT_TRUE(m_keys.TabTo(FileItem(IDC_HIDDEN)));
    m_keys.Press(VK_SPACE);
    m_keys.Press(VK_RETURN);
    EXPECT_EQ(Attributes(file), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(m_keys.Quit());
    EXPECT_EQ(m_keys.ExitCode(), 0);
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FennixKeyboardTest, AFolderIsSizedByTypeAndChartedFromTheSearchDialogByKeysAlone)
{
    m_temp.MakeFile(L"top\\a.txt", "123");
    m_temp.MakeFile(L"top\\b.doc", "12345");
    m_temp.MakeFile(L"top\\sub\\c.txt", "1234567");
    Open({(m_temp.Path() / L"top").wstring()});
    ASSERT_EQ(::GetFocus(), SearchItem(IDC_SEARCH_FILTER));
    EXPECT_EQ(KeyboardFaults(Sheet()->SearchDialog().m_hWnd), Faults{}) << "search dialog";

    // The filter typed, subfolders left out with Alt+I, Enter is Go.
    m_keys.Type(L"*.txt");
    m_keys.PressAlt(L'i');
    EXPECT_FALSE(Checked(SearchItem(IDC_SEARCH_SUBFOLDERS)));
    m_keys.Press(VK_RETURN);
    ASSERT_TRUE(RouteMessagesUntil([this] { return Sheet()->GetPageCount() == 2 && !Sheet()->FolderPage().IsWalking(); }));
    EXPECT_EQ(WindowText(FolderItem(IDC_FOLDER_SUMMARY)), L"2 Folders,2 Files, Total Size=  8 bytes");
    EXPECT_EQ(KeyboardFaults(Sheet()->m_hWnd), Faults{}) << "folder page";
    ASSERT_TRUE(::IsChild(Sheet()->m_hWnd, ::GetFocus()));

    // Alt+F is the File Types box, where Down chooses the typed pattern.
    m_keys.PressAlt(L'f');
    ASSERT_EQ(::GetFocus(), FolderItem(IDC_FILE_TYPES));
    m_keys.Press(VK_DOWN);
    EXPECT_EQ(WindowText(FolderItem(IDC_TYPE_FILES)), L"1");
    EXPECT_EQ(WindowText(FolderItem(IDC_TYPE_SIZE)), L"3 bytes");

    // The box keeps Escape; Tab leads to the pie button. On the pie page arrows turn the chart, Escape exits.
    m_keys.Press(VK_ESCAPE);
    EXPECT_FALSE(m_keys.Quit());
    ASSERT_TRUE(m_keys.TabTo(FolderItem(IDC_PIE_BUTTON)));
    m_keys.Press(VK_SPACE);
    ASSERT_EQ(Sheet()->GetActiveIndex(), 2);
    HWND chart = ::GetDlgItem(Sheet()->PiePage().m_hWnd, IDC_PIE_CHART);
    ASSERT_TRUE(m_keys.TabTo(chart));
    const int start = Sheet()->PiePage().Chart().StartAngle();
    for (WORD key : {VK_RIGHT, VK_RIGHT, VK_LEFT})
        m_keys.Press(key);
    EXPECT_EQ(Sheet()->PiePage().Chart().StartAngle(), start + 5);
    EXPECT_EQ(::GetFocus(), chart);
    m_keys.Press(VK_ESCAPE);
    EXPECT_TRUE(m_keys.Quit());
}

} // namespace
