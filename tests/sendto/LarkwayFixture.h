// Larkway's send dialog in-process, modeless, on a selection on the clipboard, with a clean profile.
#pragma once
#include "common/FileIdentity.h"
#include "sendto/LarkwayApp.h"
#include "sendto/SendDialog.h"
#include "sendto/res/resource.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace larkway {

// A drive letter for a folder: a link in the prefix's dosdevices, taken back at the end. A new
// letter has no drive type until the Wine server restarts: r: (a RAM disk) can be lent instead.
class DriveLetterLink {
public:
    explicit DriveLetterLink(const std::wstring& folder, wchar_t letter = 0, const char* restore = nullptr)
        : m_folder(folder), m_letter(letter), m_restore(restore ? restore : "")
    {
        for (wchar_t free = L'Y'; !m_letter && free > L'M'; --free)
            if (!(::GetLogicalDrives() & (1u << (free - L'A'))))
                m_letter = free;
        using UnixFileName = char*(CDECL*)(const wchar_t*);
        const auto unixName = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
        char* target = unixName ? unixName(folder.c_str()) : nullptr;
        const char* prefix = std::getenv("WINEPREFIX");
        if (target && prefix && m_letter) {
            m_dosdevices = testing_support::WindowsPath((std::string(prefix) + "/dosdevices").c_str());
            Link(std::filesystem::path(target).wstring(), true);
        }
        ::HeapFree(::GetProcessHeap(), 0, target);
    }
    ~DriveLetterLink()
    {
        if (!m_dosdevices.empty())
            Link(std::filesystem::path(m_restore).wstring(), false);
    }
    bool Made() const { return m_letter && IsSameItem(Root(), m_folder); }
    std::wstring Root() const { return std::wstring(1, m_letter) + L":\\"; }

private:
    // Points the letter at target, or takes it away when target is empty.
    void Link(const std::wstring& target, bool made) const
    {
        const std::wstring name = std::wstring(1, static_cast<wchar_t>(m_letter - L'A' + L'a')) + L":";
        testing_support::RunOnLinux(m_dosdevices, target.empty() ? "/bin/rm" : "/bin/ln",
                                    target.empty() ? L"-f " + name : L"-sfn \"" + target + L"\" " + name,
                                    [this, made] { return Made() == made; });
    }
    std::wstring m_folder;
    wchar_t m_letter;
    std::string m_restore;
    std::wstring m_dosdevices;
};

class LarkwayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&icc);
    }
    void SetUp() override { ClearProfile(); }
    void TearDown() override
    {
        if (m_dialog)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        m_app.reset();
        testing_support::PumpMessages();
        ClearProfile();
    }
    static void ClearProfile() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Corvale\\Larkway"); }
    static fx::CProfile Profile()
    {
        fx::CProfile profile;
        profile.SetRegistryKey(L"Corvale", L"Larkway");
        return profile;
    }
    static void WriteSetting(const wchar_t* name, int value) { Profile().WriteProfileInt(L"Favorites", name, value); }
    // A value as the registry holds it: a number's decimal digits, "" when absent.
    static std::wstring Stored(const wchar_t* name)
    {
        wchar_t text[1024] = L"";
        DWORD type = 0, size = sizeof(text);
        if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Corvale\\Larkway\\Favorites", name,
                           RRF_RT_REG_DWORD | RRF_RT_REG_SZ, &type, text, &size) != ERROR_SUCCESS)
            return L"";
        return type == REG_DWORD ? std::to_wstring(*reinterpret_cast<DWORD*>(text)) : text;
    }
    // "name,target" each.
    static void WriteFavorites(const std::vector<std::wstring>& entries)
    {
        fx::CProfile profile = Profile();
        for (size_t i = 0; i < entries.size(); ++i)
            profile.WriteProfileString(L"Favorites", FavoriteEntryName(static_cast<int>(i)), entries[i]);
        profile.WriteProfileInt(L"Favorites", L"AVAILABLE", static_cast<int>(entries.size()));
    }
    // Starts the dialog on the paths, the start-up browse picking `browsed` (none: cancelled);
    // waits, unless told not to, until the items are sized and the drive answered.
    void Start(const std::vector<std::wstring>& paths, std::optional<std::wstring> browsed = std::nullopt,
               bool wait = true)
    {
        testing_support::PutDropListOnClipboard(paths);
        m_app = std::make_unique<CLarkwayApp>();
        m_app->LoadProfile();
        m_dialog = std::make_unique<CSendDialog>(*m_app);
        m_dialog->SetFolderChooser([browsed](HWND, const std::wstring&) { return browsed; });
        ASSERT_TRUE(m_dialog->Create(nullptr));
        m_dialog->ShowWindow(SW_SHOW);
        if (!wait)
            return;
        ASSERT_TRUE(testing_support::PumpUntil([this] { return !::IsWindowVisible(Item(IDC_ITEM_PROGRESS)); }));
        WaitForDestinationCheck();
    }
    HWND Dialog() const { return m_dialog->m_hWnd; }
    HWND Item(int id) const { return ::GetDlgItem(Dialog(), id); }
    std::wstring Text(int id) const { return testing_support::WindowText(Item(id)); }
    bool SendEnabled() const { return ::IsWindowEnabled(Item(IDOK)) != FALSE; }
    // The item list's rows, "name|size" each.
    std::vector<std::wstring> Rows() const
    {
        std::vector<std::wstring> rows;
        HWND list = Item(IDC_ITEM_LIST);
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            wchar_t name[512] = L"", size[64] = L"";
            ListView_GetItemText(list, i, 0, name, 512);
            ListView_GetItemText(list, i, 1, size, 64);
            rows.push_back(std::wstring(name) + L"|" + size);
        }
        return rows;
    }
    // The favourites menu from the top, "<n> text" each for the command ID_FAVORITE_FIRST + n.
    std::vector<std::wstring> FavoritesMenu() const
    {
        std::vector<std::wstring> items;
        HMENU menu = ::GetSubMenu(::GetSubMenu(::GetMenu(Dialog()), 1), 1);
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t text[256] = L"";
            ::GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            items.push_back(std::to_wstring(::GetMenuItemID(menu, i) - ID_FAVORITE_FIRST) + L" " + text);
        }
        return items;
    }
    // The user types a destination (its drive's answer awaited unless told not to), clicks a button.
    void TypeDestination(const std::wstring& text, bool waitForTheDrive = true)
    {
        ::SetWindowTextW(Item(IDC_DESTINATION), text.c_str());
        if (waitForTheDrive)
            WaitForDestinationCheck();
    }
    void WaitForDestinationCheck()
    {
        ASSERT_TRUE(testing_support::PumpUntil([this] { return !m_dialog->IsCheckingDestination(); }));
    }
    void Click(int id, WORD code = BN_CLICKED)
    {
        ::SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
        testing_support::PumpMessages();
    }
    // Declared first: no message box may wait for a person.
    testing_support::MessageBoxRecorder m_boxes{IDOK};
    testing_support::TempDir m_temp;
    std::unique_ptr<CLarkwayApp> m_app;
    std::unique_ptr<CSendDialog> m_dialog;
};

} // namespace larkway
