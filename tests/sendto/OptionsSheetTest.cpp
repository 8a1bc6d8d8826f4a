// The options sheet over a real send dialog: opened as the user opens it,
// driven with the messages the user's actions send, and read back from its
// controls, from the send dialog and, after Exit, from the registry.
#include "tests/sendto/LarkwayFixture.h"

#include "framework/LongPath.h"
#include "outside/pallavol/DiskInfo.h"

#include <algorithm>
#include <functional>

namespace larkway {

namespace {

using namespace testing_support;
using Names = std::vector<std::wstring>;

const int kApplyButton = 0x3021; // comctl32's id for the sheet's Apply button

Names NamesOf(const std::vector<Favorite>& favorites)
{
    Names names;
    for (const Favorite& favorite : favorites)
        names.push_back(favorite.name);
    return names;
}

// The options sheet of a send dialog, while it is up.
HWND FindSheet(HWND dialog)
{
    struct Search {
        HWND owner, found;
    } search{dialog, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* search = reinterpret_cast<Search*>(lp);
            wchar_t className[16] = L"";
            ::GetClassNameW(hwnd, className, 16);
            if (std::wstring(className) == L"#32770" && ::GetWindow(hwnd, GW_OWNER) == search->owner &&
                ::IsWindowVisible(hwnd)) {
                search->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Whether a dialog shows a text (how the folder pickers are told apart).
bool Shows(HWND dialog, const wchar_t* text)
{
    return ::FindWindowExW(dialog, nullptr, L"Static", text) != nullptr;
}

// The text the tip of a window's tool holds now; "" when none does.
std::wstring TipText(HWND tool)
{
    struct Search {
        HWND tool;
        std::wstring text;
    } search{tool, L""};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* search = reinterpret_cast<Search*>(lp);
            wchar_t className[32] = L"";
            ::GetClassNameW(hwnd, className, 32);
            if (std::wstring(className) != TOOLTIPS_CLASSW)
                return TRUE;
            wchar_t text[1024] = L"";
            TTTOOLINFOW info{};
            info.cbSize = sizeof(info);
            info.hwnd = ::GetParent(search->tool);
            info.uId = reinterpret_cast<UINT_PTR>(search->tool);
            info.lpszText = text;
            ::SendMessageW(hwnd, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
            search->text = text;
            return search->text.empty();
        },
        reinterpret_cast<LPARAM>(&search));
    return search.text;
}

// The sheet as the user meets it: its pages, their controls, its buttons and keys.
class SheetUser {
public:
    explicit SheetUser(HWND sheet) : m_sheet(sheet) {}

    HWND Sheet() const { return m_sheet; }
    bool IsUp() const { return ::IsWindow(m_sheet) && ::IsWindowVisible(m_sheet); }
    // 0: "Options", 1: "Organize Favorites".
    int ActivePage() const { return PropSheet_HwndToIndex(m_sheet, Page()); }
    void ShowPage(int index) const { ::SendMessageW(m_sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0); }
    Names Tabs() const
    {
        Names tabs;
        HWND tab = PropSheet_GetTabControl(m_sheet);
        for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
            wchar_t text[64] = L"";
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 64;
            TabCtrl_GetItem(tab, i, &item);
            tabs.push_back(text);
        }
        return tabs;
    }
    HWND Page() const { return PropSheet_GetCurrentPageHwnd(m_sheet); }
    HWND Item(int id) const { return ::GetDlgItem(Page(), id); }
    std::wstring Text(int id) const { return WindowText(Item(id)); }
    bool IsEnabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    bool IsChecked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool ApplyEnabled() const { return ::IsWindowEnabled(::GetDlgItem(m_sheet, kApplyButton)) != FALSE; }

    void Type(int id, const std::wstring& text) const
    {
        ::SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Click(int id) const { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
    void Press(int button) const { ::SendMessageW(m_sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }
    // A key or an Alt+letter where the focus is, handed to the sheet first as
    // its message loop does.
    void Key(WPARAM key) const { Deliver(WM_KEYDOWN, key, 0); }
    void Mnemonic(wchar_t letter) const { Deliver(WM_SYSCHAR, letter, 1 << 29); }

    // The favourites list.
    HWND List() const { return Item(IDC_FAVORITE_LIST); }
    Names Rows() const
    {
        Names rows;
        for (int i = 0; i < ListView_GetItemCount(List()); ++i) {
            wchar_t text[512] = L"";
            ListView_GetItemText(List(), i, 0, text, 512);
            rows.push_back(text);
        }
        return rows;
    }
    int SelectedRow() const { return ListView_GetNextItem(List(), -1, LVNI_SELECTED); }
    // As a click on the row does it; -1 takes the selection away.
    void SelectRow(int row) const
    {
        if (row < 0) {
            ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
            return;
        }
        const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(List(), row, state, state);
    }

private:
    void Deliver(UINT msg, WPARAM wp, LPARAM lp) const
    {
        MSG message{::GetFocus(), msg, wp, lp, 0, {}};
        if (!PropSheet_IsDialogMessage(m_sheet, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }

    HWND m_sheet;
};

class OptionsSheetTest : public LarkwayTest {
protected:
    // Favourites "one", "two", "three", each on an existing folder of its own.
    std::vector<Favorite> StoreOneTwoThree()
    {
        std::vector<Favorite> favorites;
        std::vector<std::wstring> entries;
        for (const wchar_t* name : {L"one", L"two", L"three"}) {
            favorites.push_back({name, m_temp.MakeFolder(name)});
            entries.push_back(JoinFavorite(favorites.back()));
        }
        WriteFavorites(entries);
        return favorites;
    }
    void StartDialog() { Start({m_temp.MakeFile(L"item.txt")}); }

    // Gives the send dialog a command (Options: the button, or the menu
    // item with code 0; Add To Favorites) and lets use act on the sheet it
    // opens. A sheet that use leaves up is cancelled.
    void WithSheet(HWND dialog, int command, WORD code, const std::function<void(const SheetUser&)>& use)
    {
        bool found = false;
        m_steps.Post([&, dialog] {
            const HWND sheet = FindSheet(dialog);
            found = sheet != nullptr;
            if (!sheet)
                return;
            use(SheetUser(sheet));
            // Runs only if the sheet's loop goes on after use.
            m_steps.Post([sheet] {
                if (::IsWindow(sheet))
                    ::SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            });
        });
        const LPARAM from = code == BN_CLICKED ? reinterpret_cast<LPARAM>(::GetDlgItem(dialog, command)) : 0;
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, code), from);
        PumpMessages();
        EXPECT_TRUE(found) << "no options sheet came up";
    }
    void WithSheet(const std::function<void(const SheetUser&)>& use)
    {
        WithSheet(Dialog(), ID_VIEW_OPTIONS, BN_CLICKED, use);
    }

    // In a folder picker, clicks the folder of that name next to the one it
    // opened on. (Wine's BFFM_SETSELECTION compares the folder's access time
    // too, which reading the folder changes: it misses now and then.)
    static void ClickSiblingOfSelection(HWND picker, const std::wstring& name)
    {
        HWND tree = ::FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr);
        const HTREEITEM parent = TreeView_GetParent(tree, TreeView_GetSelection(tree));
        for (HTREEITEM item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item)) {
            wchar_t text[MAX_PATH] = L"";
            TVITEMW data{};
            data.mask = TVIF_TEXT;
            data.hItem = item;
            data.pszText = text;
            data.cchTextMax = MAX_PATH;
            TreeView_GetItem(tree, &data);
            if (name == text) {
                TreeView_SelectItem(tree, item);
                return;
            }
        }
        ADD_FAILURE() << "the picker shows no folder " << testing::PrintToString(name);
    }

    // Runs the whole program in-process on one selected file as the shell
    // starts it: the start-up folder picker is cancelled, act runs once the
    // send dialog is up, then Exit. A favourite's Browse picks m_browseTo, a
    // folder next to the favourite's target.
    void RunLarkway(const std::function<void(HWND dialog)>& act)
    {
        PutDropListOnClipboard({m_temp.MakeFile(L"item.txt")});
        DialogAnswerer answerer([&](HWND dialog) {
            if (Shows(dialog, L"Select Destination Folder")) {
                ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            } else if (Shows(dialog, L"Select Favorite DIR")) {
                m_steps.Post([this, dialog] {
                    ClickSiblingOfSelection(dialog, m_browseTo.substr(m_browseTo.rfind(L'\\') + 1));
                    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                });
            } else if (WindowText(dialog) == L"Larkway") {
                m_steps.Post([&act, dialog] {
                    act(dialog);
                    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
                });
            }
        });
        CLarkwayApp app;
        EXPECT_EQ(app.Main(), 0);
    }

    // The destination a favourite's command puts in place.
    static std::wstring DestinationOfFavorite(HWND dialog, int index)
    {
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(ID_FAVORITE_FIRST + index, 0), 0);
        return WindowText(::GetDlgItem(dialog, IDC_DESTINATION));
    }

    // The texts of the menu bar's View / Favorites items, top first.
    static Names MenuTexts(HWND dialog)
    {
        Names texts;
        HMENU menu = ::GetSubMenu(::GetSubMenu(::GetMenu(dialog), 1), 1);
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t text[256] = L"";
            ::GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            texts.push_back(text);
        }
        return texts;
    }

    // The favourites menu as the Favourites button pops it up.
    Names FavoritesMenuAtNextPress(HWND dialog)
    {
        Names shown;
        m_steps.Post([&shown, dialog] {
            shown = MenuTexts(dialog);
            ::EndMenu();
        });
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FAVORITES, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_FAVORITES)));
        return shown;
    }

    PostedSteps m_steps;
    std::wstring m_browseTo;
};

// --- The options page ----------------------------------------------------------

TEST_F(OptionsSheetTest, TheButtonAndTheMenuItemOpenItOnTheDialogsValues)
{
    WriteSetting(L"FAVS", 4);
    WriteSetting(L"CHECK", 0);
    StartDialog();
    for (WORD code : {WORD{BN_CLICKED}, WORD{0}}) {
        SCOPED_TRACE(code == 0 ? "the menu item" : "the button");
        WithSheet(Dialog(), ID_VIEW_OPTIONS, code, [&](const SheetUser& sheet) {
            EXPECT_EQ(WindowText(sheet.Sheet()), L"Options");
            EXPECT_EQ(sheet.Tabs(), (Names{L"Options", L"Organize Favorites"}));
            EXPECT_EQ(sheet.ActivePage(), 0);
            EXPECT_EQ(sheet.Text(IDC_FAVORITE_COUNT), L"4");
            EXPECT_FALSE(sheet.IsChecked(IDC_SIZE_FOLDERS));
            EXPECT_FALSE(sheet.ApplyEnabled());
            sheet.ShowPage(1);
            sheet.ShowPage(0); // shows its values again: no change of the user's
            EXPECT_FALSE(sheet.ApplyEnabled());
            // The arrows count within 0 to 10.
            ::SetFocus(sheet.Item(IDC_FAVORITE_COUNT));
            sheet.Key(VK_DOWN);
            EXPECT_EQ(sheet.Text(IDC_FAVORITE_COUNT), L"3");
            EXPECT_TRUE(sheet.ApplyEnabled());
            sheet.Type(IDC_FAVORITE_COUNT, L"10");
            sheet.Key(VK_UP);
            EXPECT_EQ(sheet.Text(IDC_FAVORITE_COUNT), L"10");
        });
        EXPECT_EQ(m_dialog->Settings().maxFavorites, 4); // cancelled
    }
}

TEST_F(OptionsSheetTest, ANumberOutsideZeroToTenIsRefusedWithTheRangeMessageAndNotTaken)
{
    WriteSetting(L"FAVS", 4);
    StartDialog();
    WithSheet([&](const SheetUser& sheet) {
        for (const wchar_t* typed : {L"11", L"abc", L"-1", L"", L"99999999999"}) {
            for (int button : {PSBTN_OK, PSBTN_APPLYNOW}) {
                SCOPED_TRACE(testing::PrintToString(std::wstring(typed)) + (button == PSBTN_OK ? " OK" : " Apply"));
                m_boxes.shown.clear();
                sheet.Type(IDC_FAVORITE_COUNT, typed);
                sheet.Press(button);
                EXPECT_TRUE(sheet.IsUp());
                ASSERT_EQ(m_boxes.shown.size(), 1u);
                EXPECT_EQ(m_boxes.shown[0].text, L"Please enter an integer between 0 and 10.");
                EXPECT_EQ(::GetFocus(), sheet.Item(IDC_FAVORITE_COUNT));
                EXPECT_EQ(m_dialog->Settings().maxFavorites, 4);
            }
        }
        // Nor can the page be left with it.
        sheet.ShowPage(1);
        EXPECT_EQ(sheet.ActivePage(), 0);
        sheet.Type(IDC_FAVORITE_COUNT, L" 0 ");
        sheet.Press(PSBTN_OK);
    });
    EXPECT_EQ(m_dialog->Settings().maxFavorites, 0);
}

TEST_F(OptionsSheetTest, SetDefaultsReturnsToTheValuesInEffectInTheDialog)
{
    WriteSetting(L"FAVS", 4);
    WriteSetting(L"CHECK", 0);
    StartDialog();
    WithSheet([&](const SheetUser& sheet) {
        sheet.Type(IDC_FAVORITE_COUNT, L"9");
        sheet.Click(IDC_SIZE_FOLDERS);
        EXPECT_TRUE(sheet.ApplyEnabled());
        sheet.Click(IDC_SET_DEFAULTS);
        EXPECT_EQ(sheet.Text(IDC_FAVORITE_COUNT), L"4"); // the dialog's value, not the first run's 6
        EXPECT_FALSE(sheet.IsChecked(IDC_SIZE_FOLDERS));
        EXPECT_FALSE(sheet.ApplyEnabled());

        // Apply makes the page's values the dialog's; Set Defaults then returns to those.
        sheet.Type(IDC_FAVORITE_COUNT, L"9");
        sheet.Click(IDC_SIZE_FOLDERS);
        sheet.Press(PSBTN_APPLYNOW);
        EXPECT_TRUE(sheet.IsUp());
        EXPECT_FALSE(sheet.ApplyEnabled());
        EXPECT_EQ(m_dialog->Settings().maxFavorites, 9);
        EXPECT_TRUE(m_dialog->SizeFolders());
        sheet.Type(IDC_FAVORITE_COUNT, L"2");
        sheet.Click(IDC_SIZE_FOLDERS);
        sheet.Click(IDC_SET_DEFAULTS);
        EXPECT_EQ(sheet.Text(IDC_FAVORITE_COUNT), L"9");
        EXPECT_TRUE(sheet.IsChecked(IDC_SIZE_FOLDERS));
        sheet.Type(IDC_FAVORITE_COUNT, L"3");
        sheet.Press(PSBTN_CANCEL);
    });
    EXPECT_EQ(m_dialog->Settings().maxFavorites, 9);
    EXPECT_TRUE(m_dialog->SizeFolders());
}

// --- The favourites page -------------------------------------------------------

TEST_F(OptionsSheetTest, UpAndDownGoRoundTheEndsWithTheMovedFavouriteSelected)
{
    const std::vector<Favorite> stored = StoreOneTwoThree();
    StartDialog();
    WithSheet([&](const SheetUser& sheet) {
        sheet.ShowPage(1);
        EXPECT_EQ(sheet.Rows(), (Names{L"one", L"two", L"three"}));
        EXPECT_EQ(sheet.SelectedRow(), -1);
        sheet.Click(IDC_MOVE_UP); // nothing selected: nothing moves
        EXPECT_EQ(sheet.Rows(), (Names{L"one", L"two", L"three"}));
        EXPECT_FALSE(sheet.ApplyEnabled());
        EXPECT_EQ(::GetFocus(), sheet.List());

        const struct {
            int select, button;
            Names rows;
            int selected;
        } moves[] = {
            {0, IDC_MOVE_UP, {L"two", L"three", L"one"}, 2},   // the first goes to the end
            {2, IDC_MOVE_DOWN, {L"one", L"two", L"three"}, 0}, // the last goes to the top
            {0, IDC_MOVE_DOWN, {L"two", L"one", L"three"}, 1},
            {2, IDC_MOVE_UP, {L"two", L"three", L"one"}, 1},
            {2, IDC_MOVE_DOWN, {L"one", L"two", L"three"}, 0},
            {2, IDC_MOVE_DOWN, {L"three", L"one", L"two"}, 0},
        };
        for (const auto& move : moves) {
            SCOPED_TRACE(testing::PrintToString(move.rows));
            sheet.SelectRow(move.select);
            const std::wstring moved = sheet.Rows()[static_cast<size_t>(move.select)];
            sheet.Click(move.button);
            EXPECT_EQ(sheet.Rows(), move.rows);
            EXPECT_EQ(sheet.SelectedRow(), move.selected);
            EXPECT_EQ(sheet.Text(IDC_FAVORITE_NAME), moved);
            EXPECT_EQ(::GetFocus(), sheet.List());
            EXPECT_TRUE(sheet.ApplyEnabled());
        }
        ::SetFocus(sheet.Item(IDC_MOVE_UP)); // Enter on a page's button is still OK
        sheet.Key(VK_RETURN);
    });
    EXPECT_EQ(m_dialog->Settings().favorites, (std::vector<Favorite>{stored[2], stored[0], stored[1]}));
}

TEST_F(OptionsSheetTest, DeleteAndClearAskAndDeleteSelectsTheRowThatTookThePlace)
{
    const std::vector<Favorite> stored = StoreOneTwoThree();
    StartDialog();
    WithSheet([&](const SheetUser& sheet) {
        sheet.ShowPage(1);
        sheet.SelectRow(2);
        m_boxes.answer = IDCANCEL;
        sheet.Click(IDC_DELETE_FAVORITE);
        sheet.Click(IDC_CLEAR_FAVORITES);
        EXPECT_EQ(sheet.Rows(), (Names{L"one", L"two", L"three"}));
        EXPECT_EQ(::GetFocus(), sheet.List());
        ASSERT_EQ(m_boxes.shown.size(), 2u);
        EXPECT_EQ(m_boxes.shown[0].text, L"Delete Item?");
        EXPECT_EQ(m_boxes.shown[0].caption, L"Confirm");
        EXPECT_EQ(m_boxes.shown[1].text, L"Delete all the favorites-Proceed?");
        EXPECT_EQ(m_boxes.shown[1].caption, L"**Confirm Delete All**");
        for (const auto& box : m_boxes.shown)
            EXPECT_EQ(box.type, static_cast<UINT>(MB_OKCANCEL | MB_ICONSTOP));
        sheet.Press(PSBTN_APPLYNOW);
        EXPECT_EQ(m_dialog->Settings().favorites, stored);

        m_boxes.answer = IDOK;
        sheet.Click(IDC_DELETE_FAVORITE); // the last of three: the new last is selected
        EXPECT_EQ(sheet.Rows(), (Names{L"one", L"two"}));
        EXPECT_EQ(sheet.SelectedRow(), 1);
        EXPECT_EQ(sheet.Text(IDC_FAVORITE_NAME), L"two");
        EXPECT_EQ(::GetFocus(), sheet.List());
        EXPECT_TRUE(sheet.ApplyEnabled());

        sheet.SelectRow(0);
        sheet.Click(IDC_DELETE_FAVORITE); // the next one takes its place
        EXPECT_EQ(sheet.Rows(), (Names{L"two"}));
        EXPECT_EQ(sheet.SelectedRow(), 0);

        sheet.SelectRow(-1);
        sheet.Click(IDC_DELETE_FAVORITE); // nothing selected: nothing goes, the first is selected
        EXPECT_EQ(sheet.Rows(), (Names{L"two"}));
        EXPECT_EQ(sheet.SelectedRow(), 0);

        sheet.Click(IDC_CLEAR_FAVORITES);
        EXPECT_EQ(sheet.Rows(), Names{});
        EXPECT_FALSE(sheet.IsEnabled(IDC_BROWSE_FAVORITE));
        EXPECT_TRUE(sheet.ApplyEnabled());
        sheet.Press(PSBTN_OK);
    });
    EXPECT_EQ(m_boxes.shown.size(), 6u);
    EXPECT_TRUE(m_dialog->Settings().favorites.empty());
}

TEST_F(OptionsSheetTest, LoweringTheNumberKeepsEveryFavouriteAndRefusesTheNextAdd)
{
    const std::vector<Favorite> stored = StoreOneTwoThree();
    StartDialog();
    WithSheet([&](const SheetUser& sheet) {
        sheet.Type(IDC_FAVORITE_COUNT, L"2");
        sheet.Press(PSBTN_OK);
    });
    EXPECT_EQ(m_dialog->Settings().maxFavorites, 2);
    EXPECT_EQ(m_dialog->Settings().favorites, stored); // the page never shown wrote nothing either

    // The add is refused, and the sheet comes up to organise the favourites.
    WithSheet(Dialog(), IDC_ADD_FAVORITE, BN_CLICKED, [&](const SheetUser& sheet) {
        ASSERT_EQ(m_boxes.shown.size(), 1u);
        EXPECT_EQ(sheet.ActivePage(), 1);
        EXPECT_EQ(sheet.Rows(), (Names{L"one", L"two", L"three"}));
    });
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text,
              L"You have exceeded the Max Number of Favorites allotted/nPress Ok to Organize Favorites");
    EXPECT_EQ(m_boxes.shown[0].caption, L"Favorites:Error");
    EXPECT_EQ(m_boxes.shown[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(m_dialog->Settings().favorites, stored);
}

TEST_F(OptionsSheetTest, ShowingAFavouriteWithAnExistingTargetMarksThePageModified)
{
    const std::wstring here = m_temp.MakeFolder(L"here");
    WriteFavorites({L"here," + here, L"gone,C:\\no such folder"});
    StartDialog();
    WithSheet([&](const SheetUser& sheet) {
        sheet.ShowPage(1);
        EXPECT_FALSE(sheet.IsEnabled(IDC_BROWSE_FAVORITE));
        sheet.SelectRow(1);
        EXPECT_EQ(sheet.Text(IDC_FAVORITE_NAME), L"gone");
        EXPECT_EQ(sheet.Text(IDC_FAVORITE_TARGET), L"C:\\no such folder");
        EXPECT_TRUE(sheet.IsEnabled(IDC_BROWSE_FAVORITE));
        EXPECT_FALSE(sheet.ApplyEnabled());
        sheet.SelectRow(0);
        EXPECT_EQ(sheet.Text(IDC_FAVORITE_NAME), L"here");
        EXPECT_EQ(sheet.Text(IDC_FAVORITE_TARGET), here);
        EXPECT_TRUE(sheet.ApplyEnabled());
        sheet.Type(IDC_FAVORITE_NAME, L"changed");
        ::SetFocus(sheet.Item(IDC_FAVORITE_NAME)); // Escape in a page's edit is still Cancel
        sheet.Key(VK_ESCAPE);
    });
    EXPECT_EQ(NamesOf(m_dialog->Settings().favorites), (Names{L"here", L"gone"}));
}

// A folder whose full path is longer than MAX_PATH.
std::wstring MakeLongFolder(const TempDir& temp)
{
    std::wstring path = temp.Path().wstring();
    while (path.size() < 400) {
        path += L"\\" + std::wstring(40, L'd');
        EXPECT_TRUE(::CreateDirectoryW(fx::ExtendedLengthPath(path).c_str(), nullptr));
    }
    return path;
}

TEST_F(OptionsSheetTest, TheTargetTakesOnlyAFolderThatExistsGivenByItsFullPath)
{
    const std::wstring old = m_temp.MakeFolder(L"old"), other = m_temp.MakeFolder(L"other");
    const std::wstring file = m_temp.MakeFile(L"file.txt");
    const std::wstring longFolder = MakeLongFolder(m_temp);
    WriteFavorites({L"fav," + old, L"other," + other});
    StartDialog();
    WithSheet([&](const SheetUser& sheet) {
        sheet.ShowPage(1);
        // What the favourite holds shows when it is selected again.
        const auto storedTarget = [&] {
            sheet.SelectRow(1);
            sheet.SelectRow(0);
            return sheet.Text(IDC_FAVORITE_TARGET);
        };
        const std::wstring refused[] = {
            L"",
            L"relative\\folder",
            L"old",
            L"C:",
            L"C:windows",
            L"\\windows",
            L"C:/no such folder",
            file,
            old + L"\\missing",
            m_temp.Path().wstring() + L"\\ol*",
            m_temp.Path().wstring() + L"\\ol?",
            L"C:\\*",
            L"CON",
            L"C:\\NUL",
            old + L"\\COM1",
            L"\\\\.\\C:",
            L"\\\\.\\PhysicalDrive0",
            L"\\\\?\\GLOBALROOT\\Device",
            L"\\\\no-such-server\\share",
            L"\\\\",
            L"C:\\" + std::wstring(300, L'x'),
            L"C:\\" + std::wstring(40000, L'x'),
            old + L"\"",
            old + L"|x",
        };
        for (const std::wstring& typed : refused) {
            SCOPED_TRACE(testing::PrintToString(typed.substr(0, 80)));
            sheet.SelectRow(0);
            sheet.Type(IDC_FAVORITE_TARGET, typed);
            EXPECT_FALSE(sheet.ApplyEnabled());
            EXPECT_EQ(storedTarget(), old);
        }
        // Taken, in its full form.
        const std::pair<std::wstring, std::wstring> taken[] = {
            {other, other},
            {[&] {
                 std::wstring slashes = old;
                 std::replace(slashes.begin(), slashes.end(), L'\\', L'/');
                 return slashes;
             }(),
             old},
            {other + L"\\..\\old\\.", old},
            {L"\\\\?\\" + other, other},
            {longFolder, longFolder},
        };
        for (const auto& [typed, full] : taken) {
            SCOPED_TRACE(testing::PrintToString(typed.substr(0, 80)));
            sheet.SelectRow(0);
            sheet.Type(IDC_FAVORITE_TARGET, typed);
            EXPECT_TRUE(sheet.ApplyEnabled());
            EXPECT_EQ(storedTarget(), full);
        }
        // A target refused once the page holds a change leaves the change to apply.
        sheet.Type(IDC_FAVORITE_TARGET, L"relative");
        EXPECT_TRUE(sheet.ApplyEnabled());
        sheet.Press(PSBTN_OK);
    });
    EXPECT_EQ(m_dialog->Settings().favorites, (std::vector<Favorite>{{L"fav", longFolder}, {L"other", other}}));
}

TEST_F(OptionsSheetTest, ANameTheRegistryWouldReadBackCutIsNotTaken)
{
    StoreOneTwoThree();
    StartDialog();
    WithSheet([&](const SheetUser& sheet) {
        sheet.ShowPage(1);
        sheet.SelectRow(1);
        for (const wchar_t* name : {L"x,C:\\y", L"x,\\\\server\\share"}) {
            sheet.Type(IDC_FAVORITE_NAME, name);
            EXPECT_EQ(sheet.Rows(), (Names{L"one", L"two", L"three"}));
        }
        sheet.Type(IDC_FAVORITE_NAME, L"a, b");
        EXPECT_EQ(sheet.Rows(), (Names{L"one", L"a, b", L"three"}));
        EXPECT_EQ(sheet.SelectedRow(), 1);
        sheet.SelectRow(0);
        sheet.Type(IDC_FAVORITE_NAME, L"");
        EXPECT_EQ(sheet.Rows(), (Names{L"", L"a, b", L"three"}));
        sheet.Press(PSBTN_OK);
    });
    EXPECT_EQ(NamesOf(m_dialog->Settings().favorites), (Names{L"", L"a, b", L"three"}));
}

TEST_F(OptionsSheetTest, TheTipOfARowShowsItsTargetSoThatLikeNamesCanBeToldApart)
{
    const std::wstring first = m_temp.MakeFolder(L"first"), second = m_temp.MakeFolder(L"second");
    WriteFavorites({L"Same," + first, L"Same," + second});
    StartDialog();
    WithSheet([&](const SheetUser& sheet) {
        sheet.ShowPage(1);
        EXPECT_EQ(sheet.Rows(), (Names{L"Same", L"Same"}));
        for (int row : {0, 1, 0}) {
            RECT label{};
            ListView_GetItemRect(sheet.List(), row, &label, LVIR_LABEL);
            MoveMouseTo(sheet.List(), POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2});
            EXPECT_EQ(TipText(sheet.List()), row == 0 ? first : second);
        }
        const RECT client = [&] {
            RECT rc{};
            ::GetClientRect(sheet.List(), &rc);
            return rc;
        }();
        MoveMouseTo(sheet.List(), POINT{client.right - 2, client.bottom - 2}); // below the rows
        EXPECT_EQ(TipText(sheet.List()), L"");
        // After a move the rows under the pointer are others.
        sheet.SelectRow(0);
        sheet.Click(IDC_MOVE_DOWN);
        RECT label{};
        ListView_GetItemRect(sheet.List(), 0, &label, LVIR_LABEL);
        MoveMouseTo(sheet.List(), POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2});
        EXPECT_EQ(TipText(sheet.List()), second);
    });
}

// Which controls Tab reaches and that no two share a letter is the keyboard
// audit's; here each letter does its button's work.
TEST_F(OptionsSheetTest, EveryButtonAnswersItsMnemonic)
{
    StoreOneTwoThree();
    StartDialog();
    WithSheet([&](const SheetUser& sheet) {
        ::SetFocus(sheet.Item(IDC_FAVORITE_COUNT));
        sheet.Mnemonic(L's');
        EXPECT_FALSE(sheet.IsChecked(IDC_SIZE_FOLDERS));
        sheet.Mnemonic(L'd'); // Set Defaults: the dialog sizes folders
        EXPECT_TRUE(sheet.IsChecked(IDC_SIZE_FOLDERS));

        sheet.ShowPage(1);
        sheet.SelectRow(0);
        ::SetFocus(sheet.List());
        sheet.Mnemonic(L'd');
        EXPECT_EQ(sheet.Rows(), (Names{L"two", L"one", L"three"}));
        sheet.Mnemonic(L'u');
        EXPECT_EQ(sheet.Rows(), (Names{L"one", L"two", L"three"}));
        m_boxes.answer = IDCANCEL;
        sheet.Mnemonic(L'e');
        sheet.Mnemonic(L'c');
        ASSERT_EQ(m_boxes.shown.size(), 2u);
        EXPECT_EQ(m_boxes.shown[0].text, L"Delete Item?");
        EXPECT_EQ(m_boxes.shown[1].text, L"Delete all the favorites-Proceed?");
        DialogAnswerer picker(IDCANCEL);
        sheet.Mnemonic(L'b');
        EXPECT_EQ(picker.Asked(), 1);
    });
}

// --- The whole program ---------------------------------------------------------

TEST_F(OptionsSheetTest, OrganisedFavouritesReachTheRegistryAtExitRenumbered)
{
    const std::wstring one = m_temp.MakeFolder(L"one"), two = m_temp.MakeFolder(L"two");
    const std::wstring three = m_temp.MakeFolder(L"three"), four = m_temp.MakeFolder(L"four");
    m_browseTo = m_temp.MakeFolder(L"elsewhere");
    WriteFavorites({L"one," + one, L"two," + two, L"three," + three, L"four," + four});
    RunLarkway([&](HWND dialog) {
        WithSheet(dialog, ID_VIEW_OPTIONS, BN_CLICKED, [&](const SheetUser& sheet) {
            sheet.ShowPage(1);
            sheet.SelectRow(0);
            sheet.Click(IDC_MOVE_UP);
            sheet.SelectRow(0);
            sheet.Type(IDC_FAVORITE_NAME, L"deux");
            sheet.SelectRow(1);
            sheet.Click(IDC_BROWSE_FAVORITE);
            EXPECT_EQ(sheet.Text(IDC_FAVORITE_TARGET), m_browseTo);
            sheet.SelectRow(2);
            sheet.Click(IDC_DELETE_FAVORITE);
            EXPECT_EQ(sheet.Rows(), (Names{L"deux", L"three", L"one"}));
            sheet.Press(PSBTN_OK);
        });
        EXPECT_EQ(FavoritesMenuAtNextPress(dialog), (Names{L"one", L"three", L"deux"}));
        EXPECT_EQ(DestinationOfFavorite(dialog, 1), m_browseTo);
    });
    EXPECT_EQ(StoredInt(L"AVAILABLE"), 3u);
    EXPECT_EQ(StoredString(L"FAV0"), L"deux," + two);
    EXPECT_EQ(StoredString(L"FAV1"), L"three," + m_browseTo);
    EXPECT_EQ(StoredString(L"FAV2"), L"one," + one);
    EXPECT_EQ(LoadSettings(Profile()).favorites,
              (std::vector<Favorite>{{L"deux", two}, {L"three", m_browseTo}, {L"one", one}}));
}

TEST_F(OptionsSheetTest, AppliedChangesReachTheDialogAndTheRegistryAndCancelledOnesNeither)
{
    const std::vector<Favorite> stored = StoreOneTwoThree();
    RunLarkway([&](HWND dialog) {
        WithSheet(dialog, ID_VIEW_OPTIONS, BN_CLICKED, [&](const SheetUser& sheet) {
            sheet.ShowPage(1);
            sheet.SelectRow(0);
            sheet.Click(IDC_MOVE_UP);
            sheet.Press(PSBTN_APPLYNOW);
            EXPECT_TRUE(sheet.IsUp());
            EXPECT_FALSE(sheet.ApplyEnabled());
            EXPECT_EQ(DestinationOfFavorite(dialog, 0), stored[1].target);
            // The menu bar's items choose by place: their texts follow at once.
            EXPECT_EQ(MenuTexts(dialog), (Names{L"one", L"three", L"two"}));

            sheet.ShowPage(0);
            sheet.Type(IDC_FAVORITE_COUNT, L"2");
            sheet.Click(IDC_SIZE_FOLDERS);
            sheet.ShowPage(1);
            sheet.SelectRow(0);
            sheet.Click(IDC_MOVE_UP);
            sheet.Type(IDC_FAVORITE_NAME, L"renamed");
            sheet.SelectRow(0);
            sheet.Click(IDC_DELETE_FAVORITE);
            EXPECT_EQ(sheet.Rows(), (Names{L"one", L"renamed"}));
            sheet.Press(PSBTN_CANCEL);
        });
        EXPECT_EQ(FavoritesMenuAtNextPress(dialog), (Names{L"one", L"three", L"two"}));
        EXPECT_EQ(DestinationOfFavorite(dialog, 0), stored[1].target);
        EXPECT_EQ(DestinationOfFavorite(dialog, 2), stored[0].target);
    });
    EXPECT_EQ(StoredInt(L"AVAILABLE"), 3u);
    EXPECT_EQ(StoredInt(L"FAVS"), 6u);
    EXPECT_EQ(StoredInt(L"CHECK"), 1u);
    EXPECT_EQ(LoadSettings(Profile()).favorites, (std::vector<Favorite>{stored[1], stored[2], stored[0]}));
}

} // namespace

} // namespace larkway
