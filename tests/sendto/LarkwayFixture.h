// Runs Larkway's send dialog in-process, modeless, on a selection handed
// over on the clipboard, with the profile under a clean registry key.
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

// A drive letter for a folder, made as Wine makes one at once: a link in the
// prefix's dosdevices folder, made from the Linux side and taken back at the
// end. A new letter has no drive type until the Wine server restarts; for
// the drive's figures, a test letter with a type (r:, a RAM disk) is
// pointed at the folder instead and back at restore (a Linux path) after.
class DriveLetterLink {
public:
    explicit DriveLetterLink(const std::wstring& folder, wchar_t letter = 0, const char* restore = nullptr)
        : m_folder(folder), m_letter(letter), m_restore(restore ? restore : "")
    {
        const char* prefix = std::getenv("WINEPREFIX");
        const std::wstring target = UnixPath(folder);
        const DWORD used = ::GetLogicalDrives();
        for (wchar_t free = L'Y'; !m_letter && free > L'M'; --free)
            if (!(used & (1u << (free - L'A'))))
                m_letter = free;
        if (!prefix || target.empty() || !m_letter)
            return;
        m_dosdevices = testing_support::WindowsPath((std::string(prefix) + "/dosdevices").c_str());
        testing_support::RunOnLinux(m_dosdevices, "/bin/ln", L"-sfn \"" + target + L"\" " + LinkName(),
                                    [this] { return Made(); });
    }
    ~DriveLetterLink()
    {
        if (m_dosdevices.empty())
            return;
        if (m_restore.empty())
            testing_support::RunOnLinux(m_dosdevices, "/bin/rm", L"-f " + LinkName(), [this] { return !Made(); });
        else
            testing_support::RunOnLinux(m_dosdevices, "/bin/ln",
                                        L"-sfn \"" + std::filesystem::path(m_restore).wstring() + L"\" " + LinkName(),
                                        [this] { return !Made(); });
    }
    DriveLetterLink(const DriveLetterLink&) = delete;
    DriveLetterLink& operator=(const DriveLetterLink&) = delete;
    bool Made() const { return m_letter && IsSameItem(Root(), m_folder); }
    std::wstring Root() const { return std::wstring(1, m_letter) + L":\\"; }

private:
    std::wstring LinkName() const { return std::wstring(1, static_cast<wchar_t>(m_letter - L'A' + L'a')) + L":"; }
    static std::wstring UnixPath(const std::wstring& folder)
    {
        using UnixFileName = char*(CDECL*)(const wchar_t*);
        const auto unixName = reinterpret_cast<UnixFileName>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
        char* name = unixName ? unixName(folder.c_str()) : nullptr;
        if (!name)
            return std::wstring();
        const std::wstring path = std::filesystem::path(name).wstring();
        ::HeapFree(::GetProcessHeap(), 0, name);
        return path;
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
    void SetUp() override
    {
        ClearProfile();
        testing_support::PumpMessages();
    }
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
    // Settings and favourites stored as an earlier run leaves them.
    static fx::CProfile Profile()
    {
        fx::CProfile profile;
        profile.SetRegistryKey(L"Corvale", L"Larkway");
        return profile;
    }
    static void WriteSetting(const wchar_t* name, int value) { Profile().WriteProfileInt(L"Favorites", name, value); }
    // Values as the registry holds them; 0xFFFFFFFF and "" when absent.
    static DWORD StoredInt(const wchar_t* name)
    {
        DWORD value = 0xFFFFFFFF, size = sizeof(value);
        ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Corvale\\Larkway\\Favorites", name, RRF_RT_REG_DWORD, nullptr,
                       &value, &size);
        return value;
    }
    static std::wstring StoredString(const wchar_t* name)
    {
        wchar_t text[1024] = L"";
        DWORD size = sizeof(text);
        ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Corvale\\Larkway\\Favorites", name, RRF_RT_REG_SZ, nullptr, text,
                       &size);
        return text;
    }
    // "name,target" each.
    static void WriteFavorites(const std::vector<std::wstring>& entries)
    {
        fx::CProfile profile = Profile();
        for (size_t i = 0; i < entries.size(); ++i)
            profile.WriteProfileString(L"Favorites", FavoriteEntryName(static_cast<int>(i)), entries[i]);
        profile.WriteProfileInt(L"Favorites", L"AVAILABLE", static_cast<int>(entries.size()));
    }

    // Starts the dialog on the paths; the start-up browse picks `browsed`
    // (none: the user cancels it). Waits until every item is sized.
    void Start(const std::vector<std::wstring>& paths, std::optional<std::wstring> browsed = std::nullopt)
    {
        testing_support::PutDropListOnClipboard(paths);
        StartOnClipboard(std::move(browsed));
        WaitForSizing();
        WaitForDestinationCheck();
    }
    void StartOnClipboard(std::optional<std::wstring> browsed = std::nullopt)
    {
        m_app = std::make_unique<CLarkwayApp>();
        m_app->LoadProfile();
        m_dialog = std::make_unique<CSendDialog>(*m_app);
        m_dialog->SetFolderChooser([browsed](HWND, const std::wstring&) { return browsed; });
        ASSERT_TRUE(m_dialog->Create(nullptr));
        m_dialog->ShowWindow(SW_SHOW);
    }
    void WaitForSizing()
    {
        ASSERT_TRUE(testing_support::PumpUntil([this] { return !::IsWindowVisible(Item(IDC_ITEM_PROGRESS)); }));
    }

    HWND Dialog() const { return m_dialog->m_hWnd; }
    HWND Item(int id) const { return ::GetDlgItem(Dialog(), id); }
    std::wstring Text(int id) const { return testing_support::WindowText(Item(id)); }
    bool SendEnabled() const { return ::IsWindowEnabled(Item(IDOK)) != FALSE; }

    struct Row {
        std::wstring name, size;
        bool operator==(const Row& other) const { return name == other.name && size == other.size; }
    };
    std::vector<Row> Rows() const
    {
        std::vector<Row> rows;
        HWND list = Item(IDC_ITEM_LIST);
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            wchar_t name[512] = L"", size[64] = L"";
            ListView_GetItemText(list, i, 0, name, 512);
            ListView_GetItemText(list, i, 1, size, 64);
            rows.push_back({name, size});
        }
        return rows;
    }

    // What the user does: types a destination, clicks a button.
    // The drive's answer comes from a worker: waits for it unless told not to.
    void TypeDestination(const std::wstring& text, bool waitForTheDrive = true)
    {
        ::SendMessageW(Item(IDC_DESTINATION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ::SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_DESTINATION, EN_CHANGE),
                       reinterpret_cast<LPARAM>(Item(IDC_DESTINATION)));
        if (waitForTheDrive)
            WaitForDestinationCheck();
    }
    void WaitForDestinationCheck()
    {
        ASSERT_TRUE(testing_support::PumpUntil([this] { return !m_dialog->IsCheckingDestination(); }));
    }
    void Click(int id)
    {
        ::SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
        testing_support::PumpMessages();
    }
    void Command(int id)
    {
        ::SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        testing_support::PumpMessages();
    }

    // Declared first: no message box may wait for a person.
    testing_support::MessageBoxRecorder m_boxes{IDOK};
    testing_support::TempDir m_temp;
    std::unique_ptr<CLarkwayApp> m_app;
    std::unique_ptr<CSendDialog> m_dialog;
};

} // namespace larkway
