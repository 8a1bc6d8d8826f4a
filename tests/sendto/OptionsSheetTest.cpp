// The options sheet over a real send dialog, driven as the user drives it, read from its controls.
#include "tests/sendto/LarkwayFixture.h"

#include "framework/LongPath.h"

#include <algorithm>
#include <functional>

namespace larkway {

namespace {

using namespace testing_support;
using Names = std::vector<std::wstring>;
namespace fs = std::filesystem;

const int kApplyButton = 0x3021; // comctl32's id for the sheet's Apply button

class OptionsSheetTest : public LarkwayTest {
protected:
    // The sheet as the user meets it: its pages (0: "Options", 1: "Organize
    // Favorites"), their controls, its buttons and keys.
    bool SheetUp() const { return ::IsWindowVisible(m_sheet) != FALSE; }
    int ActivePage() const { return PropSheet_HwndToIndex(m_sheet, Page()); }
    void ShowPage(int index) const { PropSheet_SetCurSel(m_sheet, nullptr, index); }
    HWND Page() const { return PropSheet_GetCurrentPageHwnd(m_sheet); }
    HWND PageItem(int id) const { return ::GetDlgItem(Page(), id); }
    std::wstring PageText(int id) const { return WindowText(PageItem(id)); }
    bool IsChecked(int id) const { return ::SendMessageW(PageItem(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool ApplyEnabled() const { return ::IsWindowEnabled(::GetDlgItem(m_sheet, kApplyButton)) != FALSE; }
    void Type(int id, const std::wstring& text) const { ::SetWindowTextW(PageItem(id), text.c_str()); }
    void Push(int id) const { ::SendMessageW(PageItem(id), BM_CLICK, 0, 0); }
    void Press(int button) const { ::SendMessageW(m_sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }
    // A key or an Alt+letter where the focus is, handed to the sheet first as its message loop does.
    void Key(WPARAM key) const { Deliver(WM_KEYDOWN, key, 0); }
    void Mnemonic(wchar_t letter) const { Deliver(WM_SYSCHAR, letter, 1 << 29); }
    void Deliver(UINT msg, WPARAM wp, LPARAM lp) const
    {
        MSG message{::GetFocus(), msg, wp, lp, 0, {}};
        if (!PropSheet_IsDialogMessage(m_sheet, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    HWND List() const { return PageItem(IDC_FAVORITE_LIST); }
    Names ListRows() const
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
        const UINT state = row < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(List(), row, state, LVIS_SELECTED | LVIS_FOCUSED);
    }
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
    // Gives the send dialog a command (Options, from the menu with code 0; Add To Favorites) and
    // lets use act on the sheet it opens; a sheet use leaves up is cancelled.
    void WithSheet(const std::function<void()>& use, int command = ID_VIEW_OPTIONS, WORD code = BN_CLICKED)
    {
        bool found = false;
        m_steps.Post([&] {
            const HWND sheet = m_sheet = ::FindWindowW(L"#32770", L"Options");
            if (!(found = sheet != nullptr))
                return;
            use();
            m_steps.Post([sheet] { // runs only if the sheet's loop goes on after use
                if (::IsWindow(sheet))
                    ::SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            });
        });
        const LPARAM from = code == BN_CLICKED ? reinterpret_cast<LPARAM>(Item(command)) : 0;
        ::SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(command, code), from);
        PumpMessages();
        EXPECT_TRUE(found) << "no options sheet came up";
    }
    // One message box was shown (and is forgotten), with that text and, when given, caption and type.
    void ExpectOneBox(const std::wstring& text, const std::wstring& caption = L"", UINT type = 0)
    {
        ASSERT_EQ(m_boxes.shown.size(), 1u);
        EXPECT_EQ(m_boxes.shown[0].text, text);
        if (type) {
            EXPECT_EQ(m_boxes.shown[0].caption + L" " + std::to_wstring(m_boxes.shown[0].type),
                      caption + L" " + std::to_wstring(type));
        }
        m_boxes.shown.clear();
    }
    PostedSteps m_steps;
    HWND m_sheet = nullptr;
};

// Opened from the menu on the dialog's values; a number outside 0 to 10 is refused;
// Apply makes the page's values the dialog's, which Set Defaults then returns to.
TEST_F(OptionsSheetTest, ItRefusesANumberOutsideZeroToTenAndAnAddTooManyOpensTheFavouritesToOrganize)
{
    WriteSetting(L"FAVS", 4);
    WriteSetting(L"CHECK", 0);
    const std::vector<Favorite> stored = StoreOneTwoThree();
    Start({m_temp.MakeFile(L"item.txt")});
    WithSheet([&] {
        EXPECT_EQ(ActivePage(), 0);
        EXPECT_EQ(PageText(IDC_FAVORITE_COUNT), L"4");
        EXPECT_FALSE(IsChecked(IDC_SIZE_FOLDERS));
        ShowPage(1);
        ShowPage(0); // shows its values again: no change of the user's
        EXPECT_FALSE(ApplyEnabled());
        ::SetFocus(PageItem(IDC_FAVORITE_COUNT)); // the arrows count within 0 to 10
        Key(VK_DOWN);
        EXPECT_EQ(PageText(IDC_FAVORITE_COUNT), L"3");
        EXPECT_TRUE(ApplyEnabled());
        Type(IDC_FAVORITE_COUNT, L"10");
        Key(VK_UP);
        EXPECT_EQ(PageText(IDC_FAVORITE_COUNT), L"10");
        for (const wchar_t* typed : {L"11", L"abc", L"-1", L"", L"99999999999"}) {
            for (int button : {PSBTN_OK, PSBTN_APPLYNOW}) {
                SCOPED_TRACE(testing::PrintToString(std::wstring(typed)) + (button == PSBTN_OK ? " OK" : " Apply"));
                Type(IDC_FAVORITE_COUNT, typed);
                Press(button);
                EXPECT_TRUE(SheetUp());
                ExpectOneBox(L"Please enter an integer between 0 and 10.");
                EXPECT_EQ(::GetFocus(), PageItem(IDC_FAVORITE_COUNT));
                EXPECT_EQ(m_dialog->Settings().maxFavorites, 4);
            }
        }
        ShowPage(1); // nor can the page be left with it
        EXPECT_EQ(ActivePage(), 0);
        ExpectOneBox(L"Please enter an integer between 0 and 10.");
        Type(IDC_FAVORITE_COUNT, L" 0 ");
        Mnemonic(L's');
        Press(PSBTN_APPLYNOW);
        EXPECT_TRUE(SheetUp());
        EXPECT_FALSE(ApplyEnabled());
        EXPECT_EQ(m_dialog->Settings().maxFavorites, 0);
        EXPECT_TRUE(m_dialog->SizeFolders());
        Type(IDC_FAVORITE_COUNT, L"2");
        Mnemonic(L's');
        Mnemonic(L'd'); // Set Defaults: the dialog's values, not the first run's 6
        EXPECT_EQ(PageText(IDC_FAVORITE_COUNT), L"0");
        EXPECT_TRUE(IsChecked(IDC_SIZE_FOLDERS));
        EXPECT_FALSE(ApplyEnabled());
        Type(IDC_FAVORITE_COUNT, L"3");
        Press(PSBTN_CANCEL);
    }, ID_VIEW_OPTIONS, 0);
    EXPECT_EQ(m_dialog->Settings().maxFavorites, 0);
    EXPECT_TRUE(m_dialog->SizeFolders());
    // Lowering the number keeps every favourite and refuses the next add, which opens the
    // favourites: Up and Down go round the ends; Delete and Clear ask first.
    WithSheet([&] {
        Type(IDC_FAVORITE_COUNT, L"3"); // as many as there are: the next is one too many
        Press(PSBTN_OK);
    });
    EXPECT_EQ(m_dialog->Settings().maxFavorites, 3);
    EXPECT_EQ(m_dialog->Settings().favorites, stored); // the page never shown wrote nothing either
    WithSheet([&] {
        ExpectOneBox(L"You have exceeded the Max Number of Favorites allotted/nPress Ok to Organize Favorites",
                     L"Favorites:Error", MB_OK | MB_ICONINFORMATION);
        EXPECT_EQ(ActivePage(), 1);
        EXPECT_EQ(SelectedRow(), -1);
        Push(IDC_MOVE_UP); // nothing selected: nothing moves
        EXPECT_EQ(ListRows(), (Names{L"one", L"two", L"three"}));
        EXPECT_FALSE(ApplyEnabled());
        const struct { int select; wchar_t mnemonic; Names rows; int selected; } moves[] = { // u: Up, d: Down
            {0, L'u', {L"two", L"three", L"one"}, 2}, // the first goes to the end
            {2, L'd', {L"one", L"two", L"three"}, 0}, // the last goes to the top
            {0, L'd', {L"two", L"one", L"three"}, 1}, {2, L'u', {L"two", L"three", L"one"}, 1},
            {2, L'd', {L"one", L"two", L"three"}, 0}, {2, L'd', {L"three", L"one", L"two"}, 0},
        };
        ::SetFocus(List());
        for (const auto& move : moves) {
            SCOPED_TRACE(testing::PrintToString(move.rows));
            SelectRow(move.select);
            const std::wstring moved = ListRows()[static_cast<size_t>(move.select)];
            Mnemonic(move.mnemonic);
            EXPECT_EQ(ListRows(), move.rows);
            EXPECT_EQ(SelectedRow(), move.selected);
            EXPECT_EQ(PageText(IDC_FAVORITE_NAME), moved);
            EXPECT_EQ(::GetFocus(), List());
            EXPECT_TRUE(ApplyEnabled());
        }
        ::SetFocus(PageItem(IDC_MOVE_UP)); // Enter on a page's button is still OK
        Key(VK_RETURN);
    }, IDC_ADD_FAVORITE);
    const std::vector<Favorite> moved{stored[2], stored[0], stored[1]};
    EXPECT_EQ(m_dialog->Settings().favorites, moved);
    WithSheet([&] {
        ShowPage(1);
        SelectRow(2);
        m_boxes.answer = IDCANCEL;
        Push(IDC_DELETE_FAVORITE);
        ExpectOneBox(L"Delete Item?", L"Confirm", MB_OKCANCEL | MB_ICONSTOP);
        Push(IDC_CLEAR_FAVORITES);
        ExpectOneBox(L"Delete all the favorites-Proceed?", L"**Confirm Delete All**", MB_OKCANCEL | MB_ICONSTOP);
        EXPECT_EQ(::GetFocus(), List());
        Press(PSBTN_APPLYNOW);
        EXPECT_EQ(m_dialog->Settings().favorites, moved);
        m_boxes.answer = IDOK;
        const struct { int select; Names rows; int selected; } deletes[] = {
            {2, {L"three", L"one"}, 1}, // the last: the new last is selected
            {0, {L"one"}, 0},           // the next one takes its place
            {-1, {L"one"}, 0},          // nothing selected: nothing goes, the first is selected
        };
        for (const auto& removed : deletes) {
            SCOPED_TRACE(removed.select);
            SelectRow(removed.select);
            Push(IDC_DELETE_FAVORITE);
            EXPECT_EQ(ListRows(), removed.rows);
            EXPECT_EQ(SelectedRow(), removed.selected);
            EXPECT_EQ(PageText(IDC_FAVORITE_NAME), L"one");
            EXPECT_EQ(::GetFocus(), List());
            EXPECT_TRUE(ApplyEnabled());
        }
        Push(IDC_CLEAR_FAVORITES);
        EXPECT_EQ(ListRows(), Names{});
        EXPECT_FALSE(::IsWindowEnabled(PageItem(IDC_BROWSE_FAVORITE)));
        Press(PSBTN_OK);
    });
    EXPECT_EQ(m_boxes.shown.size(), 4u);
    EXPECT_TRUE(m_dialog->Settings().favorites.empty());
}

// The target takes only an existing folder's full path; applied changes reach the dialog
// at once, cancelled ones do not; a favourite's Browse picks a folder by its target.
TEST_F(OptionsSheetTest, TheTargetTakesAnExistingFolderAChangedNameTooAndAppliedChangesReachTheDialog)
{
    const std::vector<Favorite> stored = StoreOneTwoThree();
    const std::wstring one = stored[0].target, two = stored[1].target, file = m_temp.MakeFile(L"file.txt");
    const std::wstring elsewhere = m_temp.MakeFolder(L"elsewhere"), folder = m_temp.Path().wstring();
    std::wstring longFolder = folder; // longer than MAX_PATH
    while (longFolder.size() < 400) {
        longFolder += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(::CreateDirectoryW(fx::ExtendedLengthPath(longFolder).c_str(), nullptr));
    }
    std::wstring slashes = one;
    std::replace(slashes.begin(), slashes.end(), L'\\', L'/');
    Start({m_temp.MakeFile(L"item.txt")});
    DialogAnswerer picker([&](HWND dialog) {
        // Wine's picker opens on the favourite's folder now and then only: its sibling is clicked.
        if (!::FindWindowExW(dialog, nullptr, L"Static", L"Select Favorite DIR"))
            return;
        m_steps.Post([dialog] {
            HWND tree = ::FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
            HTREEITEM item = TreeView_GetChild(tree, TreeView_GetParent(tree, TreeView_GetSelection(tree)));
            for (; item; item = TreeView_GetNextSibling(tree, item)) {
                wchar_t text[MAX_PATH] = L"";
                TVITEMW data{};
                data.mask = TVIF_TEXT;
                data.hItem = item;
                data.pszText = text;
                data.cchTextMax = MAX_PATH;
                TreeView_GetItem(tree, &data);
                if (std::wstring(text) == L"elsewhere")
                    TreeView_SelectItem(tree, item);
            }
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
    });
    WithSheet([&] {
        ShowPage(1);
        const auto storedTarget = [&] { // what the favourite holds shows when it is selected again
            SelectRow(1);
            SelectRow(0);
            return PageText(IDC_FAVORITE_TARGET);
        };
        const std::wstring refused[] = {
            L"", L"relative\\folder", L"one", L"C:", L"C:windows", L"\\windows", L"C:/no such folder", file,
            one + L"\\missing", folder + L"\\on*", folder + L"\\on?", L"C:\\*", L"CON", L"C:\\NUL", one + L"\\COM1",
            L"\\\\.\\C:", L"\\\\.\\PhysicalDrive0", L"\\\\?\\GLOBALROOT\\Device", L"\\\\no-such-server\\share",
            L"\\\\", L"C:\\" + std::wstring(300, L'x'), L"C:\\" + std::wstring(40000, L'x'), one + L"\"",
            one + L"|x"};
        for (const std::wstring& typed : refused) {
            SCOPED_TRACE(testing::PrintToString(typed.substr(0, 80)));
            SelectRow(0);
            Type(IDC_FAVORITE_TARGET, typed);
            EXPECT_FALSE(ApplyEnabled());
            EXPECT_EQ(storedTarget(), one);
        }
        const std::pair<std::wstring, std::wstring> taken[] = { // in its full form
            {two, two}, {slashes, one}, {two + L"\\..\\one\\.", one}, {L"\\\\?\\" + two, two},
            {longFolder, longFolder}};
        for (const auto& [typed, full] : taken) {
            SCOPED_TRACE(testing::PrintToString(typed.substr(0, 80)));
            SelectRow(0);
            Type(IDC_FAVORITE_TARGET, typed);
            EXPECT_TRUE(ApplyEnabled());
            EXPECT_EQ(storedTarget(), full);
        }
        Type(IDC_FAVORITE_TARGET, L"relative"); // refused, with a change still to apply
        EXPECT_TRUE(ApplyEnabled());
        SelectRow(0);
        Push(IDC_MOVE_UP);
        SelectRow(0);
        Type(IDC_FAVORITE_NAME, L"deux");
        SelectRow(1);
        Push(IDC_BROWSE_FAVORITE);
        EXPECT_EQ(PageText(IDC_FAVORITE_TARGET), elsewhere);
        Press(PSBTN_APPLYNOW);
        EXPECT_FALSE(ApplyEnabled());
        EXPECT_EQ(FavoritesMenu(), (Names{L"2 one", L"1 three", L"0 deux"}));
        ShowPage(0);
        Type(IDC_FAVORITE_COUNT, L"2");
        Push(IDC_SIZE_FOLDERS);
        ShowPage(1);
        SelectRow(0);
        Push(IDC_DELETE_FAVORITE);
        Press(PSBTN_CANCEL);
    });
    EXPECT_EQ(FavoritesMenu(), (Names{L"2 one", L"1 three", L"0 deux"}));
    EXPECT_EQ(m_dialog->Settings().favorites,
              (std::vector<Favorite>{{L"deux", two}, {L"three", elsewhere}, {L"one", longFolder}}));
    EXPECT_EQ(m_dialog->Settings().maxFavorites, 6);
    EXPECT_TRUE(m_dialog->SizeFolders());
    Click(ID_FAVORITE_FIRST + 1, 0);
    EXPECT_EQ(Text(IDC_DESTINATION), elsewhere);
    // Selecting a favourite shows it, one whose target exists taken again as if typed; a name
    // is taken as typed unless the registry would read it back cut at a comma.
    fs::remove(two);
    WithSheet([&] {
        ShowPage(1);
        EXPECT_FALSE(::IsWindowEnabled(PageItem(IDC_BROWSE_FAVORITE)));
        SelectRow(0);
        EXPECT_EQ(PageText(IDC_FAVORITE_NAME), L"deux");
        EXPECT_EQ(PageText(IDC_FAVORITE_TARGET), two);
        EXPECT_TRUE(::IsWindowEnabled(PageItem(IDC_BROWSE_FAVORITE)));
        EXPECT_FALSE(ApplyEnabled());
        SelectRow(1);
        EXPECT_EQ(PageText(IDC_FAVORITE_TARGET), elsewhere);
        EXPECT_TRUE(ApplyEnabled());
        for (const wchar_t* name : {L"x,C:\\y", L"x,\\\\server\\share"}) {
            Type(IDC_FAVORITE_NAME, name);
            EXPECT_EQ(ListRows(), (Names{L"deux", L"three", L"one"}));
        }
        Type(IDC_FAVORITE_NAME, L"a, b");
        EXPECT_EQ(ListRows(), (Names{L"deux", L"a, b", L"one"}));
        EXPECT_EQ(SelectedRow(), 1);
        SelectRow(0);
        Type(IDC_FAVORITE_NAME, L"");
        Press(PSBTN_APPLYNOW);
        EXPECT_EQ(m_dialog->Settings().favorites.front().name, L"");
        Type(IDC_FAVORITE_NAME, L"changed");
        // The tip of the row under the pointer shows its target; below the rows there is none.
        const auto tipAt = [&](int row) {
            RECT label{};
            ::GetClientRect(List(), &label);
            label.left = label.right - 2;
            label.top = label.bottom - 4;
            if (row >= 0)
                ListView_GetItemRect(List(), row, &label, LVIR_LABEL);
            MoveMouseTo(List(), POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2});
            wchar_t text[1024] = L"";
            TTTOOLINFOW info{};
            info.cbSize = sizeof(info);
            info.hwnd = Page();
            info.uId = reinterpret_cast<UINT_PTR>(List());
            info.lpszText = text;
            HWND tip = nullptr;
            while ((tip = ::FindWindowExW(HWND_DESKTOP, tip, TOOLTIPS_CLASSW, nullptr)) && !*text)
                ::SendMessageW(tip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
            return std::wstring(text);
        };
        EXPECT_EQ(tipAt(0), two);
        EXPECT_EQ(tipAt(1), elsewhere);
        EXPECT_EQ(tipAt(-1), L"");
        Push(IDC_MOVE_DOWN); // the rows under the pointer are others now
        EXPECT_EQ(tipAt(0), elsewhere);
        ::SetFocus(PageItem(IDC_FAVORITE_NAME)); // Escape in a page's edit is still Cancel
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(m_dialog->Settings().favorites,
              (std::vector<Favorite>{{L"", two}, {L"a, b", elsewhere}, {L"one", longFolder}}));
}

} // namespace

} // namespace larkway
