// Larkway's main window: the selected items with their sizes, the
// destination (typed, browsed or a favourite) with its free space, copy or
// move, and Send.
#pragma once
#include "controls/BusyBar.h"
#include "controls/GradientProgressCtrl.h"
#include "controls/IconButton.h"
#include "controls/PathList.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Handle.h"
#include "sendto/DestinationCheck.h"
#include "sendto/FavoritesStore.h"
#include "sendto/ParseThread.h"

#include <commctrl.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace larkway {

class CLarkwayApp;

// The sizing worker's word that measured items wait to be listed (posted
// once for however many items gather before the dialog takes them).
constexpr UINT WM_ITEM_SIZED = WM_USER + 6;
// The sizing worker has measured every item (posted).
constexpr UINT WM_SIZING_DONE = WM_USER + 7;
// The destination check has an answer (posted).
constexpr UINT WM_DESTINATION_CHECKED = WM_USER + 8;

class CSendDialog : public fx::CDialog {
public:
    explicit CSendDialog(CLarkwayApp& app);
    ~CSendDialog() override;

    // How the destination is browsed for; by default the shell's folder
    // picker. None when the user cancelled.
    using FolderChooser = std::function<std::optional<std::wstring>(HWND owner, const std::wstring& current)>;
    void SetFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }

    // Whether folders are sized: read by the sizing worker before each item,
    // so a change reaches the items it has not measured yet.
    bool SizeFolders() const { return m_sizeFolders.load() != 0; }
    // Called by the sizing worker, on its thread.
    CBusyBar& ActivityBar() { return m_activityBar; }
    void PublishItem(SizedItem item);
    void PublishSizingDone();

    // What the dialog holds now (for the options sheet and the tests).
    const LarkwaySettings& Settings() const { return m_settings; }
    // The options sheet's changes, for the rest of the run.
    void SetOptions(int maxFavorites, bool sizeFolders);
    void SetFavorites(std::vector<Favorite> favorites);
    uint64_t RequiredBytes() const { return m_requiredBytes; }
    bool IsMoveMode() const { return m_bMoveMode; }
    bool IsSizing() const { return m_sizing.IsRunning(); }
    // A destination typed or chosen whose drive has not answered yet.
    bool IsCheckingDestination() const { return m_bCheckingDestination; }
    // Send was pressed while sizing ran: the send follows the last item.
    bool SendWaitsForSizing() const { return m_bSendWhenSized; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fx::CDataExchange& dx) override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool OnCommand(UINT id, UINT code) override;
    void SetUpButtons();
    void SetUpProgress(int itemCount);
    void SetUpSystemMenu();
    void SetUpToolTips();
    // Scales the item list's columns from the DPI they were sized for to the window's.
    void ScaleColumns();
    void OnItemSized();
    void OnSizingDone();
    void ToggleMode();
    void Browse();
    void CheckDestination();
    void OnDestinationChecked();
    void ShowFigures(const DestinationFigures& figures);
    void UpdateSendState();
    // The list asks for the texts of a row it shows.
    void OnItemListText(LVITEMW& item) const;
    void RemoveGoneItems();
    void ShowLines();
    void ShowFavoritesMenu();
    void RebuildFavoritesMenu();
    void SelectFavorite(int index);
    void AddToFavorites();
    void ShowOptions(bool organizeFavorites);
    void ShowAbout();
    void EnableSend(bool enable);
    HMENU FavoritesMenu() const;
    void GiveSettingsBack();
    void SendSelection();

    CLarkwayApp& m_app;

    // Results the worker hands over, guarded by the lock; the dialog's
    // thread takes them into the list. One word is posted for however many
    // gather meanwhile.
    std::mutex m_resultsLock;
    std::vector<SizedItem> m_pendingItems;
    bool m_bItemsPosted = false;
    ULONGLONG m_lastListed = 0; // when the list last took items (GetTickCount64)
    CParseThread m_sizing{*this};
    CDestinationCheck m_destinationCheck;
    std::optional<DestinationFigures> m_figures; // of the destination in the field, once its drive answered
    bool m_bCheckingDestination = false;
    bool m_bSendWhenSized = false;

    LarkwaySettings m_settings;
    std::atomic<int> m_sizeFolders{1};
    bool m_bTookSettings = false;
    uint64_t m_requiredBytes = 0;
    CPathList m_selectedPaths; // the items listed so far, the ones a Send sends
    // The list's rows, parallel to the selected paths: the list asks for
    // the texts of the rows it shows, so thousands of items cost no more
    // than the screenful on view.
    struct Row {
        std::wstring name, sizeText;
        uint64_t bytes;
    };
    std::vector<Row> m_rows;

    CGradientProgressCtrl m_itemProgress;
    CBusyBar m_activityBar;
    CIconButton m_optionsButton;
    CIconButton m_favoritesButton;
    CIconButton m_addFavoriteButton;
    CIconButton m_exitButton;
    CIconButton m_browseButton;
    CIconButton m_aboutButton;
    CIconButton m_modeButton;
    CIconButton m_sendButton;
    fx::CToolTipCtrl m_toolTip;
    HWND m_itemList = nullptr;
    UINT m_columnsDpi = USER_DEFAULT_SCREEN_DPI; // the DPI the columns' widths are for

    std::wstring m_strDestination;
    std::wstring m_strFreeSpace;
    std::wstring m_strRequiredSpace = L"0bytes";
    std::wstring m_strItemsHeader;
    std::wstring m_strLastSizeText;
    bool m_bMoveMode = false;
    fx::CAppIcon m_appIcon;
    FolderChooser m_chooseFolder;
};

} // namespace larkway
