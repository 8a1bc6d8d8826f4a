#include "sendto/SendDialog.h"

#include "common/DropList.h"
#include "common/SelectedPath.h"
#include "controls/AboutPage.h"
#include "controls/ButtonLooks.h"
#include "framework/Dpi.h"
#include "framework/LongPath.h"
#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "framework/Trace.h"
#include "outside/pallashell/BrowseForFolder.h"
#include "outside/pallavol/DiskInfo.h"
#include "sendto/FavoriteNameDlg.h"
#include "sendto/LarkwayApp.h"
#include "sendto/OptionsSheet.h"
#include "sendto/SendOperation.h"
#include "sendto/res/resource.h"

#include <commctrl.h>
#include <shlobj.h>

namespace larkway {

namespace {

const int kColumnWidth = 100; // each column of the item list, in pixels at 96 DPI
const UINT_PTR kListTimer = 1;  // lists the items measured since the last listing
const UINT kListEveryMs = 100;

// The folder that holds the item, with its trailing backslash, as the user
// knows it.
std::wstring ItemFolder(const std::wstring& path)
{
    const std::wstring shown = fx::WithoutExtendedPrefix(path);
    return shown.substr(0, shown.find_last_of(L'\\') + 1);
}

// A menu shows "&" as the mark of a mnemonic; a name shows it as it is.
std::wstring MenuText(const Favorite& favorite)
{
    const std::wstring& shown = favorite.name.empty() ? favorite.target : favorite.name;
    std::wstring text;
    for (wchar_t c : shown) {
        text += c;
        if (c == L'&')
            text += L'&';
    }
    return text;
}

std::optional<std::wstring> BrowseWithTheShell(HWND owner, const std::wstring& current)
{
    CSBDestination picker(owner, IDS_SELECT_DESTINATION);
    picker.SetFlags(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    picker.SetInitialSelection(PathRoot(current));
    if (!current.empty())
        picker.SetInitialSelection(current);
    if (!picker.SelectFolder())
        return std::nullopt;
    return picker.GetSelectedFolder();
}

} // namespace

CSendDialog::CSendDialog(CLarkwayApp& app) : CDialog(IDD_SEND), m_app(app), m_chooseFolder(BrowseWithTheShell)
{
}

CSendDialog::~CSendDialog()
{
    m_sizing.Stop();
    m_destinationCheck.Stop();
}

void CSendDialog::DoDataExchange(fx::CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    fx::DDX_Control(dx, IDC_ITEM_PROGRESS, m_itemProgress);
    fx::DDX_Control(dx, IDC_ACTIVITY_BAR, m_activityBar);
    fx::DDX_Control(dx, ID_VIEW_OPTIONS, m_optionsButton);
    fx::DDX_Control(dx, IDC_FAVORITES, m_favoritesButton);
    fx::DDX_Control(dx, IDC_ADD_FAVORITE, m_addFavoriteButton);
    fx::DDX_Control(dx, IDCANCEL, m_exitButton);
    fx::DDX_Control(dx, IDC_BROWSE, m_browseButton);
    fx::DDX_Control(dx, IDC_ABOUT_BUTTON, m_aboutButton);
    fx::DDX_Control(dx, IDC_COPY_MOVE, m_modeButton);
    fx::DDX_Control(dx, IDOK, m_sendButton);
    fx::DDX_Text(dx, IDC_DESTINATION, m_strDestination);
}

void CSendDialog::ShowLines()
{
    // The lines only: putting the destination back while the user types in
    // it would move the caret under the fingers at every sized item.
    ::SetDlgItemTextW(m_hWnd, IDC_FREE_SPACE, m_strFreeSpace.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_REQUIRED_SPACE, m_strRequiredSpace.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_ITEMS_HEADER, m_strItemsHeader.c_str());
}

BOOL CSendDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowLines();
    SetUpButtons();

    // The selection is read whole and the clipboard given back before
    // anything is measured.
    std::vector<std::wstring> paths;
    if (const std::optional<std::vector<std::wstring>> handedOver = TakeStartSelection()) {
        for (const std::wstring& path : *handedOver)
            if (std::optional<std::wstring> normalized = NormalizeSelectedPath(path))
                paths.push_back(std::move(*normalized));
    }
    if (paths.empty()) {
        fx::Trace(L"Larkway was started without a selection");
        fx::MessageBox(m_hWnd, L"This Program Should be run only from the shell's Context menu", MB_OK);
        EndDialog(0);
        return FALSE;
    }

    SetUpProgress(static_cast<int>(paths.size()));
    m_settings = m_app.Settings();
    m_sizeFolders = m_settings.sizeFolders;
    m_bTookSettings = true;
    m_itemList = GetDlgItem(IDC_ITEM_LIST);
    const wchar_t* columns[] = {L"Selected Item", L"Size"};
    m_columnsDpi = fx::WindowDpi(m_hWnd);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        lvc.fmt = LVCFMT_LEFT;
        lvc.cx = fx::ScaleToDpi(kColumnWidth, m_columnsDpi);
        lvc.pszText = const_cast<wchar_t*>(columns[column]);
        ListView_InsertColumn(m_itemList, column, &lvc);
    }
    m_sizing.Start(std::move(paths));
    m_destinationCheck.Start(m_hWnd, WM_DESTINATION_CHECKED);

    SetUpSystemMenu();
    m_appIcon.Set(m_hWnd, IDI_APP);
    EnableSend(false);
    RebuildFavoritesMenu();
    Browse();
    SetUpToolTips();
    return TRUE;
}

void CSendDialog::ScaleColumns()
{
    const UINT dpi = fx::WindowDpi(m_hWnd);
    if (!m_itemList || dpi == m_columnsDpi)
        return;
    for (int column = 0; column < 2; ++column) {
        const int width = ListView_GetColumnWidth(m_itemList, column);
        ListView_SetColumnWidth(m_itemList, column,
                                ::MulDiv(width, static_cast<int>(dpi), static_cast<int>(m_columnsDpi)));
    }
    m_columnsDpi = dpi;
}

void CSendDialog::SetUpButtons()
{
    // These keep the system's caption colours; only adding a favourite and
    // the mode toggle wear the programs' looks.
    m_aboutButton.SetIcons(IDI_ABOUT_HOT, IDI_ABOUT, 32, 32);
    m_sendButton.SetIcons(IDI_SEND_HOT, IDI_SEND, 32, 32);
    m_favoritesButton.SetIcons(IDI_FAVORITES_HOT, IDI_FAVORITES, 32, 32);
    m_optionsButton.SetIcons(IDI_OPTIONS_HOT, IDI_OPTIONS, 32, 32);
    m_exitButton.SetIcons(IDI_EXIT_HOT, IDI_EXIT, 32, 32);
    m_browseButton.SetIcons(IDI_BROWSE_HOT, IDI_BROWSE, 32, 32);
    SetGoOnLook(m_addFavoriteButton, IDI_ADD_FAVORITE_HOT, IDI_ADD_FAVORITE);
    SetGoOnLook(m_modeButton, IDI_COPY, 0);
}

void CSendDialog::SetUpProgress(int itemCount)
{
    m_itemProgress.m_startColor = ::GetSysColor(COLOR_3DDKSHADOW);
    m_itemProgress.m_endColor = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_itemProgress.m_backColor = ::GetSysColor(COLOR_BTNFACE);
    m_itemProgress.m_textColor = ::GetSysColor(COLOR_WINDOW);
    m_itemProgress.m_showPercentage = true;
    m_itemProgress.SetRange(0, itemCount);
    m_itemProgress.SetStep(1);
    m_activityBar.SetBackColor(::GetSysColor(COLOR_BTNFACE));
    m_activityBar.SetColors(::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    m_activityBar.SetBandLength(30);
}

void CSendDialog::SetUpSystemMenu()
{
    const std::wstring about = fx::LoadString(IDS_ABOUT_MENU);
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    if (about.empty() || !menu)
        return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
}

void CSendDialog::SetUpToolTips()
{
    if (!m_toolTip.Create(m_hWnd))
        return;
    m_toolTip.Activate(true);
    const std::pair<int, const wchar_t*> tips[] = {
        {IDC_FAVORITES, L"Favorites"}, {IDC_BROWSE, L"Browse"},   {IDC_ADD_FAVORITE, L"Add To Favorites"},
        {ID_VIEW_OPTIONS, L"Options"}, {IDC_COPY_MOVE, L"Toggle Copy/Move"}, {IDC_ABOUT_BUTTON, L"About"},
        {IDOK, L"Send..."},            {IDCANCEL, L"Exit"},
    };
    for (const auto& [id, text] : tips)
        m_toolTip.AddTool(GetDlgItem(id), text);
}

void CSendDialog::PublishItem(SizedItem item)
{
    bool post = false;
    {
        std::lock_guard<std::mutex> lock(m_resultsLock);
        m_pendingItems.push_back(std::move(item));
        post = !m_bItemsPosted;
        m_bItemsPosted = true;
    }
    // Posted, and once for a batch: the worker never waits for the window,
    // and the window takes thousands of items in a few turns.
    if (post)
        ::PostMessageW(m_hWnd, WM_ITEM_SIZED, 0, 0);
}

void CSendDialog::PublishSizingDone()
{
    ::PostMessageW(m_hWnd, WM_SIZING_DONE, 0, 0);
}

void CSendDialog::OnItemSized()
{
    std::vector<SizedItem> items;
    {
        std::lock_guard<std::mutex> lock(m_resultsLock);
        items.swap(m_pendingItems);
        m_bItemsPosted = false;
    }
    m_lastListed = ::GetTickCount64();
    if (items.empty())
        return;
    const CDiskInfo units;
    int listed = 0;
    for (SizedItem& item : items) {
        if (m_selectedPaths.GetCount() == 0)
            m_strItemsHeader = ItemFolder(item.path);
        m_strLastSizeText = units.GetUnitSize(item.bytes);
        if (!m_selectedPaths.Add(item.path))
            continue; // out of memory: the item cannot be sent, so it is not listed
        // A drive root's row has no name: the folder line above says which it is.
        const bool isRoot = PathRoot(item.path) == item.path;
        m_rows.push_back(Row{isRoot ? std::wstring() : ItemName(item.path), m_strLastSizeText, item.bytes});
        m_requiredBytes += item.bytes;
        ++listed;
    }
    // One step for the whole batch: the bar repaints once, not per item.
    if (listed > 0) {
        m_itemProgress.SetStep(listed);
        m_itemProgress.StepIt();
        m_itemProgress.SetStep(1);
    }
    ListView_SetItemCountEx(m_itemList, static_cast<int>(m_rows.size()), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    m_strLastSizeText = units.GetUnitSize(m_requiredBytes);
    m_strRequiredSpace = L"Space Required==> " + m_strLastSizeText;
    UpdateSendState();
    ShowLines();
}

void CSendDialog::OnItemListText(LVITEMW& item) const
{
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || static_cast<size_t>(item.iItem) >= m_rows.size() ||
        item.cchTextMax <= 0)
        return;
    const Row& row = m_rows[static_cast<size_t>(item.iItem)];
    const std::wstring& text = item.iSubItem == 0 ? row.name : row.sizeText;
    ::lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

void CSendDialog::OnSizingDone()
{
    OnItemSized(); // whatever is still waiting to be listed
    ::ShowWindow(GetDlgItem(IDC_ITEM_PROGRESS), SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_ACTIVITY_BAR), SW_HIDE);
    if (m_bSendWhenSized) {
        m_bSendWhenSized = false;
        SendSelection();
    }
}

void CSendDialog::ToggleMode()
{
    m_bMoveMode = !m_bMoveMode;
    // One mnemonic, Alt+O, for the toggle whichever mode it shows.
    m_modeButton.SetWindowText(m_bMoveMode ? L"M&ove" : L"C&opy");
    // Moving takes the items away from where they are: the leaving look.
    if (m_bMoveMode)
        SetLeaveLook(m_modeButton, IDI_MOVE, 0);
    else
        SetGoOnLook(m_modeButton, IDI_COPY, 0);
}

void CSendDialog::Browse()
{
    UpdateData(true);
    if (const std::optional<std::wstring> folder = m_chooseFolder(m_hWnd, m_strDestination)) {
        m_strDestination = *folder;
        UpdateData(false);
    }
    CheckDestination();
}

void CSendDialog::CheckDestination()
{
    UpdateData(true);
    m_figures.reset();
    const std::wstring root = PathRoot(m_strDestination);
    m_bCheckingDestination = !root.empty();
    // The drive answers on the worker; Send waits for its answer.
    if (m_bCheckingDestination)
        m_destinationCheck.Ask(m_strDestination, root);
    UpdateSendState();
}

void CSendDialog::OnDestinationChecked()
{
    const std::optional<DestinationFigures> answer = m_destinationCheck.TakeAnswer();
    // An answer about a text the user has typed over is no answer.
    if (!answer || answer->destination != fx::WindowText(GetDlgItem(IDC_DESTINATION)))
        return;
    m_bCheckingDestination = false;
    ShowFigures(*answer);
}

void CSendDialog::ShowFigures(const DestinationFigures& figures)
{
    m_figures = figures;
    m_strLastSizeText = figures.freeText;
    m_strFreeSpace = L"Free Space in drive " + figures.root + L" ==> " + figures.freeText;
    UpdateSendState();
    ShowLines();
}

void CSendDialog::UpdateSendState()
{
    // A drive that cannot be read has no room to offer; exactly enough room
    // is enough.
    EnableSend(!m_bSendWhenSized && m_figures && m_figures->readable && m_figures->freeBytes >= m_requiredBytes &&
               m_selectedPaths.GetCount() > 0);
}

void CSendDialog::EnableSend(bool enable)
{
    fx::EnableControl(GetDlgItem(IDOK), enable);
}

HMENU CSendDialog::FavoritesMenu() const
{
    // Menu bar: File, View; View: Options, Favorites.
    return ::GetSubMenu(::GetSubMenu(::GetMenu(m_hWnd), 1), 1);
}

void CSendDialog::RebuildFavoritesMenu()
{
    HMENU menu = FavoritesMenu();
    if (!menu)
        return;
    while (::GetMenuItemCount(menu) > 0)
        ::DeleteMenu(menu, 0, MF_BYPOSITION);
    // Each inserted at the top: the last favourite is listed first.
    for (size_t i = 0; i < m_settings.favorites.size(); ++i)
        ::InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, ID_FAVORITE_FIRST + i,
                      MenuText(m_settings.favorites[i]).c_str());
}

void CSendDialog::ShowFavoritesMenu()
{
    RebuildFavoritesMenu();
    RECT button{};
    ::GetWindowRect(GetDlgItem(IDC_FAVORITES), &button);
    ::TrackPopupMenu(FavoritesMenu(), TPM_CENTERALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.right, button.bottom, 0,
                     m_hWnd, nullptr);
}

void CSendDialog::SelectFavorite(int index)
{
    // A menu item left from before favourites were removed does nothing.
    if (index < 0 || static_cast<size_t>(index) >= m_settings.favorites.size())
        return;
    m_strDestination = m_settings.favorites[static_cast<size_t>(index)].target;
    UpdateData(false);
    CheckDestination();
}

void CSendDialog::AddToFavorites()
{
    UpdateData(true);
    if (m_settings.favorites.size() >= static_cast<size_t>(std::max(m_settings.maxFavorites, 0))) {
        fx::Trace(L"Add to favourites refused: the list is full");
        fx::MessageBox(m_hWnd, L"You have exceeded the Max Number of Favorites allotted/nPress Ok to Organize Favorites",
                       L"Favorites:Error", MB_OK | MB_ICONINFORMATION);
        // The message promises the page that organises them.
        ShowOptions(true);
        return;
    }
    CFavoriteNameDlg nameDialog(m_hWnd, m_strDestination);
    if (nameDialog.DoModal() != IDOK)
        return;
    m_settings.favorites.push_back(Favorite{nameDialog.Name(), nameDialog.Folder()});
    GiveSettingsBack();
}

void CSendDialog::ShowOptions(bool organizeFavorites)
{
    CMirelPropertySheet sheet(*this, organizeFavorites ? CMirelPropertySheet::FavoritesPage
                                                       : CMirelPropertySheet::OptionsPage);
    sheet.DoModal();
}

void CSendDialog::SetOptions(int maxFavorites, bool sizeFolders)
{
    m_settings.maxFavorites = maxFavorites;
    m_settings.sizeFolders = sizeFolders ? 1 : 0;
    m_sizeFolders = m_settings.sizeFolders;
}

void CSendDialog::SetFavorites(std::vector<Favorite> favorites)
{
    m_settings.favorites = std::move(favorites);
    // The menu bar's items stand for favourites by their place in the list:
    // left as they were, an item could name one favourite and choose another.
    RebuildFavoritesMenu();
}

void CSendDialog::GiveSettingsBack()
{
    if (!m_bTookSettings)
        return;
    m_settings.sizeFolders = m_sizeFolders;
    m_app.SetSettings(m_settings);
}

void CSendDialog::ShowAbout()
{
    CAboutPage::ShowModal(IDD_ABOUT, m_hWnd);
}

void CSendDialog::SendSelection()
{
    UpdateData(true);
    // The drive is asked again now: what it said while the user typed may
    // have changed since.
    const std::wstring root = PathRoot(m_strDestination);
    if (!root.empty())
        ShowFigures(ReadDestinationFigures(m_strDestination, root));
    if (!m_figures || !::IsWindowEnabled(GetDlgItem(IDOK)))
        return;
    std::vector<std::wstring> sources;
    for (int i = 0; i < m_selectedPaths.GetCount(); ++i)
        sources.push_back(m_selectedPaths.GetAt(i));
    const SendOutcome outcome = CSendOperation().Send(m_hWnd, sources, m_strDestination, m_bMoveMode);
    m_strDestination = outcome.destination;
    UpdateData(false);
    // What was moved is gone from where the list says it is: it leaves the
    // list, and what stayed behind can still be sent.
    if (outcome.sent && m_bMoveMode)
        RemoveGoneItems();
}

void CSendDialog::RemoveGoneItems()
{
    CPathList kept;
    std::vector<Row> rows;
    m_requiredBytes = 0;
    for (int i = 0; i < m_selectedPaths.GetCount(); ++i) {
        const wchar_t* path = m_selectedPaths.GetAt(i);
        if (::GetFileAttributesW(fx::ExtendedLengthPath(path).c_str()) == INVALID_FILE_ATTRIBUTES || !kept.Add(path))
            continue;
        rows.push_back(m_rows[static_cast<size_t>(i)]);
        m_requiredBytes += rows.back().bytes;
    }
    m_selectedPaths = kept;
    m_rows = std::move(rows);
    ListView_SetItemCountEx(m_itemList, static_cast<int>(m_rows.size()), 0);
    m_strRequiredSpace = L"Space Required==> " + CDiskInfo().GetUnitSize(m_requiredBytes);
    UpdateSendState();
    ShowLines();
}

void CSendDialog::OnOK()
{
    // Send: the dialog stays. While items are still being sized the send
    // waits for the last of them, so that nothing selected is left out. The
    // worker is asked before its items are taken: one that has ended has
    // published all of them, and one that ends in between is waited for.
    const bool sizing = m_sizing.IsRunning();
    OnItemSized();
    if (sizing) {
        m_bSendWhenSized = true;
        UpdateSendState();
        return;
    }
    SendSelection();
}

void CSendDialog::OnCancel()
{
    m_sizing.Stop();
    m_destinationCheck.Stop();
    EndDialog(IDCANCEL);
}

bool CSendDialog::OnCommand(UINT id, UINT code)
{
    if (id >= ID_FAVORITE_FIRST && id <= ID_FAVORITE_LAST) {
        SelectFavorite(static_cast<int>(id - ID_FAVORITE_FIRST));
        return true;
    }
    switch (id) {
    case IDC_DESTINATION:
        // The edit reports a text put in by the program as a change; the
        // program checks the destination itself where it puts one in.
        if (code == EN_CHANGE && !IsShowingValues())
            CheckDestination();
        return code == EN_CHANGE;
    case IDC_COPY_MOVE:
        ToggleMode();
        return true;
    case IDC_BROWSE:
        Browse();
        return true;
    case IDC_ABOUT_BUTTON:
        ShowAbout();
        return true;
    case IDC_ADD_FAVORITE:
        AddToFavorites();
        return true;
    case IDC_FAVORITES:
        ShowFavoritesMenu();
        return true;
    case ID_VIEW_OPTIONS:
        ShowOptions(false);
        return true;
    }
    return CDialog::OnCommand(id, code);
}

LRESULT CSendDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (LRESULT result = 0; m_appIcon.OnMessage(m_hWnd, msg, wp, &result))
        return result;
    switch (msg) {
    case WM_ITEM_SIZED:
        // A few times a second at most: the rows, lines and Send state are
        // what the user sees, and thousands of small files would otherwise
        // cost one round of repainting each.
        if (::GetTickCount64() - m_lastListed < kListEveryMs)
            SetTimer(kListTimer, kListEveryMs, [this] {
                KillTimer(kListTimer);
                OnItemSized();
            });
        else
            OnItemSized();
        return 0;
    case WM_SIZING_DONE:
        OnSizingDone();
        return 0;
    case WM_DESTINATION_CHECKED:
        OnDestinationChecked();
        return 0;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lp)->idFrom == IDC_ITEM_LIST &&
            reinterpret_cast<NMHDR*>(lp)->code == LVN_GETDISPINFOW) {
            OnItemListText(reinterpret_cast<NMLVDISPINFOW*>(lp)->item);
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == IDM_ABOUTBOX) {
            ShowAbout();
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        // The dialog and its controls take the new DPI's sizes; the columns,
        // as wide as the user left them, follow.
        const LRESULT result = CDialog::WindowProc(msg, wp, lp);
        ScaleColumns();
        return result;
    }
    case WM_DESTROY:
        // The worker may be waiting for this window to take an item: stopping
        // answers it, and nothing touches the dialog once it is gone.
        m_sizing.Stop();
        m_destinationCheck.Stop();
        GiveSettingsBack();
        break;
    }
    return CDialog::WindowProc(msg, wp, lp);
}

} // namespace larkway
