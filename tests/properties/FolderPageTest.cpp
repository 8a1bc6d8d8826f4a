#include "tests/properties/FennixFixture.h"
#include "tests/support/HeldDrives.h"

#include "common/DropList.h"
#include "common/SelectedPath.h"
#include "outside/pallapath/FolderOp.h"
#include "properties/res/resource.h"

using namespace fennix;

namespace {

using namespace testing_support;

const std::vector<UINT> kAboutAndFolder{IDD_ABOUT, IDD_FOLDER_PAGE};
using Shown = std::pair<std::wstring, std::wstring>; // a File Types row's files and size

// The colour bits of the icon a control shows, or of a resource's at 32 pixels.
std::vector<DWORD> IconPixels(HWND control, WORD resource = 0)
{
    const fx::CIconHandle loaded(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON, 32, 32, 0)));
    HICON icon = resource ? loaded.Get() : reinterpret_cast<HICON>(::SendMessageW(control, STM_GETICON, 0, 0));
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info))
        return {};
    fx::CBitmapHandle color(info.hbmColor), mask(info.hbmMask);
    BITMAPINFO bmi{{sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<DWORD> pixels(32 * 32);
    fx::CClientDC screen(nullptr);
    ::GetDIBits(screen.Get(), info.hbmColor, 0, 32, pixels.data(), &bmi, DIB_RGB_COLORS);
    return pixels;
}

class FolderPageTest : public FennixTest {
protected:
    HWND Search() const { return Sheet()->SearchDialog().m_hWnd; }
    HWND SearchItem(int id) const { return ::GetDlgItem(Search(), id); }
    void TypeFilter(const std::wstring& filter) const { ::SetWindowTextW(SearchItem(IDC_SEARCH_FILTER), filter.c_str()); }
    void Press(int id) const
    {
        ::SendMessageW(Search(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(SearchItem(id)));
    }
    void Walk(const std::wstring& filter)
    {
        TypeFilter(filter);
        HWND search = Search();
        Press(IDOK);
        EXPECT_TRUE(PumpUntil([search] { return !::IsWindow(search); }));
        PumpMessages();
    }
    void PressPie() const
    {
        ::SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(IDC_PIE_BUTTON, BN_CLICKED),
                       reinterpret_cast<LPARAM>(PageItem(IDC_PIE_BUTTON)));
    }

    HWND Page() const { return Sheet()->FolderPage().m_hWnd; }
    HWND PageItem(int id) const { return ::GetDlgItem(Page(), id); }
    std::wstring PageText(int id) const { return WindowText(PageItem(id)); }
    std::vector<std::wstring> Types() const { return ListTexts(PageItem(IDC_FILE_TYPES), CB_GETCOUNT, CB_GETLBTEXT); }
    std::vector<std::wstring> Items() const { return ListTexts(PageItem(IDC_SELECTED_ITEMS), LB_GETCOUNT, LB_GETTEXT); }
    Shown ChooseType(int row) const
    {
        ::SendMessageW(PageItem(IDC_FILE_TYPES), CB_SETCURSEL, row, 0);
        ::SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(IDC_FILE_TYPES, CBN_SELENDOK),
                       reinterpret_cast<LPARAM>(PageItem(IDC_FILE_TYPES)));
        return {PageText(IDC_TYPE_FILES), PageText(IDC_TYPE_SIZE)};
    }
    void MarkItems(const std::vector<int>& rows) const
    {
        HWND list = PageItem(IDC_SELECTED_ITEMS);
        ::SendMessageW(list, LB_SETSEL, FALSE, -1);
        for (int row : rows)
            ::SendMessageW(list, LB_SETSEL, TRUE, row);
        ::SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(IDC_SELECTED_ITEMS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }

private:
    static std::vector<std::wstring> ListTexts(HWND control, UINT countMsg, UINT textMsg)
    {
        std::vector<std::wstring> texts(static_cast<size_t>(::SendMessageW(control, countMsg, 0, 0)));
        for (size_t i = 0; i < texts.size(); ++i) {
            wchar_t text[512] = L"";
            ::SendMessageW(control, textMsg, i, reinterpret_cast<LPARAM>(text));
            texts[i] = text;
        }
        return texts;
    }
};

// A folder opens the search dialog; Go follows the filter as typed and shows the folder's figures by type.
TEST_F(FolderPageTest, TheSearchDialogTakesAFilterAndGoShowsTheItemsByTypeAndChartsTheMarked)
{
    m_temp.MakeFile(L"top\\a.txt", "123");
    m_temp.MakeFile(L"top\\B.TXT", "1234");
    m_temp.MakeFile(L"top\\c.doc", "12345");
    m_temp.MakeFile(L"top\\README", "123456");
    m_temp.MakeFile(L"top\\sub\\d.txt", "1234567");
    const std::wstring a = m_temp.MakeFile(L"a.txt"), b = m_temp.MakeFolder(L"b");
    const uint64_t aBytes = (4ull << 30) + 1534, bBytes = (5ull << 30) + 2, all = aBytes + bBytes;
    for (const auto& [file, bytes] : {std::pair(a, aBytes), std::pair(m_temp.MakeFile(L"b\\b.doc"), bBytes)})
        std::filesystem::resize_file(file, bytes); // above 4 GiB, in a hole that takes no room
    const std::wstring root = PathRoot(a), gone = (m_temp.Path() / L"gone.txt").wstring();
    const std::wstring top = (m_temp.Path() / L"top").wstring();
    Open({top});
    EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT});
    ASSERT_TRUE(::IsWindowVisible(Search()));
    EXPECT_EQ(WindowText(Search()), L"Fennix");
    EXPECT_TRUE(::GetWindowLongW(Search(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetActiveWindow(), Search());
    RECT dialog{}, frame = Frame()->GetWindowRect();
    ::GetWindowRect(Search(), &dialog);
    EXPECT_NEAR(dialog.left + dialog.right, frame.left + frame.right, 2);
    EXPECT_NEAR(dialog.top + dialog.bottom, frame.top + frame.bottom, 2);
    EXPECT_EQ(WindowText(SearchItem(IDC_SEARCH_PATH)), PathRoot(top));
    EXPECT_EQ(::SendMessageW(SearchItem(IDC_SEARCH_SUBFOLDERS), BM_GETCHECK, 0, 0), BST_CHECKED);
    // One item: the drive's own icon (from a worker), not the one for several items.
    ASSERT_TRUE(PumpUntil([this] { return !IconPixels(SearchItem(IDC_SEARCH_ICON)).empty(); }));
    EXPECT_NE(IconPixels(SearchItem(IDC_SEARCH_ICON)), IconPixels(nullptr, IDI_MULTIPLE_FILES));

    const std::pair<const wchar_t*, bool> filters[] = {
        {L"", true}, {L"*.txt;*.doc", true}, {L"*.txt,*.doc", true}, {L"*.\u65e5\u672c;*.\u017d", true},
        // A pattern needs a type after "*.".
        {L"*.txt;*", false}, {L"*.txt;*.;", false}, {L"*.txt;*.,", false}, {L"*.txt;*. x", false}, {L"*.txt;*.", false},
        // It must start with "*" and be three characters at least.
        {L"txt", false}, {L"*t", false}, {L"*.", false}, {L" *.txt", false},
        // "*.*" is the row every filter has: leading it may come, later not.
        {L"*.*", true}, {L"*.*;", true}, {L"*.*;*.txt", true}, {L"*.txt;*.*", false}, {L"*.*;*.*", false}, {L"", true},
    };
    for (const auto& [filter, go] : filters) {
        TypeFilter(filter);
        EXPECT_EQ(::IsWindowEnabled(SearchItem(IDOK)) != FALSE, go) << testing::PrintToString(std::wstring(filter));
    }
    // Enter while Go is refused starts nothing.
    TypeFilter(L"txt");
    ::SendMessageW(Search(), WM_COMMAND, IDOK, 0);
    PumpMessages();
    EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT});

    Walk(L"*.txt,*.doc");
    EXPECT_EQ(Pages(), kAboutAndFolder);
    EXPECT_EQ(Sheet()->GetActiveIndex(), 1);
    EXPECT_EQ(PageText(IDC_FOLDER_SUMMARY), L"2 Folders,5 Files, Total Size=  25 bytes");
    EXPECT_EQ(PageText(IDC_FOLDER_PATH), top);
    EXPECT_EQ(PageText(IDC_FOLDER_SHORT_PATH), CFolderOp().GetShortFileName(m_temp.Path().wstring()));
    EXPECT_EQ(PageText(IDC_FOLDER_HEADING), L"");
    EXPECT_EQ(Types(), (std::vector<std::wstring>{L"*.*", L"*.txt", L"*.doc"}));
    EXPECT_EQ(Shown(PageText(IDC_TYPE_FILES), PageText(IDC_TYPE_SIZE)), Shown(L"5", L"25 bytes"));
    EXPECT_EQ(ChooseType(1), Shown(L"3", L"14 bytes"));
    EXPECT_EQ(ChooseType(2), Shown(L"1", L"5 bytes"));
    EXPECT_EQ(Items(), std::vector<std::wstring>{L"top"});
    EXPECT_EQ(PageText(IDC_SELECTED_SIZE), L"25 bytes (25 bytes)");

    // Several items, all marked (a vanished item and a drive root: files of no size only "*.*" counts);
    // the marks size the selection, and View Pie Chart charts them on one pie page at a time.
    DropOn(Sheet()->m_hWnd, {a, b, gone, root});
    ASSERT_TRUE(::IsWindow(Search()));
    EXPECT_EQ(IconPixels(SearchItem(IDC_SEARCH_ICON)), IconPixels(nullptr, IDI_MULTIPLE_FILES));
    Walk(L"*.txt");
    EXPECT_EQ(PageText(IDC_FOLDER_HEADING), L"Multiple Files");
    EXPECT_EQ(IconPixels(PageItem(IDC_FOLDER_ICON)), IconPixels(nullptr, IDI_MULTIPLE_FILES));
    EXPECT_EQ(PageText(IDC_FOLDER_SUMMARY), L"1 Folders,4 Files, Total Size=  9.00 GB");
    EXPECT_EQ(ChooseType(1).first, L"1");
    EXPECT_EQ(PageText(IDC_FOLDER_PATH), m_temp.Path().wstring());
    EXPECT_EQ(Items(), (std::vector<std::wstring>{L"a.txt", L"b", L"gone.txt", root.substr(0, 2)}));
    EXPECT_EQ(PageText(IDC_SELECTED_SIZE), L"9.00 GB (9663677952 bytes)");
    MarkItems({1, 2, 3});
    EXPECT_EQ(PageText(IDC_SELECTED_SIZE), L"5.00 GB (5368709122 bytes)");
    MarkItems({});
    EXPECT_EQ(PageText(IDC_SELECTED_SIZE), L"No Items Selected");

    const std::vector<UINT> withPie{IDD_ABOUT, IDD_FOLDER_PAGE, IDD_PIE_PAGE};
    CPiePage& pie = Sheet()->PiePage();
    EXPECT_EQ(Sheet()->FolderPage().ToolTip().GetText(Page(), reinterpret_cast<UINT_PTR>(PageItem(IDC_PIE_BUTTON))),
              L"View Pie Chart");
    MarkItems({0, 1, 2, 3});
    PressPie();
    EXPECT_EQ(Pages(), withPie);
    EXPECT_EQ(Sheet()->GetActiveIndex(), 2);
    EXPECT_EQ(std::tuple(pie.SelectedSize(), pie.FolderTotal(), pie.DrivePath()), std::tuple(all, all, root));
    PressPie(); // again: still one pie page
    EXPECT_EQ(Pages(), withPie);
    // Back on the folder page the pie page goes; the next one charts the marks of then.
    Sheet()->SetActivePage(1);
    PumpMessages();
    EXPECT_EQ(Pages(), kAboutAndFolder);
    MarkItems({1});
    PressPie();
    EXPECT_EQ(Pages(), withPie);
    EXPECT_EQ(pie.SelectedSize(), bBytes);
    Sheet()->SetActivePage(1);
    PumpMessages();
    MarkItems({});
    PressPie();
    EXPECT_EQ(std::pair(pie.SelectedSize(), pie.FolderTotal()), std::pair(0ull, all));
}

// While a drive holds the walk the page waits for tabs and the pie button; Exit shows the figures so far.
TEST_F(FolderPageTest, WhileADriveHoldsTheWalkTheDialogCountsAndExitDropAndCloseDoNotWait)
{
    const HeldListing slowDrive(L"\\slow");
    m_temp.MakeFile(L"first\\a.txt", "123");
    m_temp.MakeFile(L"first\\b.doc", "12345");
    m_temp.MakeFile(L"slow\\c.txt", "1234567");
    Open({(m_temp.Path() / L"first").wstring(), (m_temp.Path() / L"slow").wstring()});
    HWND search = Search();
    TypeFilter(L"*.txt");
    Press(IDOK); // returns at once: the walk runs on
    ASSERT_TRUE(slowDrive.WaitUntilHeld());
    EXPECT_TRUE(PumpUntil([this] {
        return WindowText(SearchItem(IDC_SEARCH_PROGRESS)) == L"Counted: 2 Folders, 2 Files, 8 bytes";
    }));
    HWND tabs = reinterpret_cast<HWND>(Sheet()->SendMessage(PSM_GETTABCONTROL));
    RECT tab{};
    ::SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    const LPARAM middle = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    ::SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    ::SendMessageW(tabs, WM_LBUTTONUP, 0, middle);
    PressPie();
    PumpMessages();
    EXPECT_EQ(Pages(), kAboutAndFolder);
    EXPECT_EQ(Sheet()->GetActiveIndex(), 1);
    EXPECT_TRUE(::IsWindowVisible(Page()));

    Press(IDCANCEL);
    EXPECT_FALSE(::IsWindow(search) && ::IsWindowVisible(search));
    EXPECT_EQ(PageText(IDC_FOLDER_SUMMARY), L"2 Folders,2 Files, Total Size=  8 bytes");
    EXPECT_EQ(ChooseType(1), Shown(L"1", L"3 bytes"));
    EXPECT_EQ(Items(), (std::vector<std::wstring>{L"first", L"slow"}));
    EXPECT_EQ(PageText(IDC_SELECTED_SIZE), L"8 bytes (8 bytes)");
    const std::wstring dropped = m_temp.MakeFile(L"dropped.txt");
    DropOn(Sheet()->m_hWnd, {dropped});
    EXPECT_EQ(Pages(), (std::vector<UINT>{IDD_ABOUT, IDD_FILE_PAGE}));
    Frame()->PostMessage(WM_CLOSE);
    int code = -1;
    EXPECT_TRUE(PumpMessages(&code));
    EXPECT_EQ(code, 0);
    m_app.reset(); // every window goes while the worker still waits on the drive
}

} // namespace
