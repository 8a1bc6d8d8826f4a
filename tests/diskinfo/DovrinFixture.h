// Runs Dovrin's drive dialog in-process, modeless, and acts on it the way a
// user's clicks and keys do: by the notifications its controls send.
#pragma once
#include "diskinfo/DriveInfoApp.h"
#include "diskinfo/DriveInfoDlg.h"
#include "diskinfo/res/resource.h"
#include "tests/support/HeldDrives.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

using testing_support::HeldDrives;

// What the type field says while the drive on show has not answered.
inline const std::wstring kReading = L"Reading the drive...";

// The drives tools/wine-env.sh sets up for the tests, by kind.
namespace test_drives {
inline const std::wstring kCdRom = L"D:\\", kFloppy = L"E:\\", kNetwork = L"F:\\", kRamDisk = L"R:\\";
inline const std::wstring kFixed = L"H:\\";     // labelled "Scratch" at the start of a run
inline const std::wstring kVanishing = L"I:\\"; // a floppy whose folder a test takes away
inline const std::wstring kDangling = L"G:\\";  // its folder does not exist
} // namespace test_drives

// Takes the vanishing drive's folder away for the length of a test, so that the
// drive stays in the list but cannot be entered.
struct VanishedDrive {
    VanishedDrive() { EXPECT_TRUE(::RemoveDirectoryW(Folder().c_str())); }
    ~VanishedDrive() { Return(); }
    static void Return() { ::CreateDirectoryW(Folder().c_str(), nullptr); }
    static std::wstring Folder() { return testing_support::WindowsPath(TEST_DRIVES_DIR) + L"\\i"; }
};

// Wine keeps a drive's label in a file at its root; put back as it was when the test ends.
struct LabelFile {
    explicit LabelFile(const std::wstring& root) : path(root + L".windows-label"), saved(Read()) {}
    ~LabelFile()
    {
        if (saved)
            std::ofstream(path, std::ios::binary) << *saved;
        else
            std::filesystem::remove(path);
    }
    std::optional<std::string> Read() const
    {
        std::ifstream file(path, std::ios::binary);
        return file ? std::optional<std::string>(std::string(std::istreambuf_iterator<char>(file), {})) : std::nullopt;
    }
    std::string Text() const
    {
        std::string text = Read().value_or("");
        return text.erase(text.find_last_not_of("\r\n") + 1);
    }
    const std::filesystem::path path;
    const std::optional<std::string> saved;
};

class DovrinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_USEREX_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&icc);
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        testing_support::PumpMessages();
        std::filesystem::current_path(m_startFolder);
    }

    // Runs the dialog modally on a drive it cannot read: it reports the drive
    // once the drive has answered and ends with 0. (Should it stay, its loop
    // ends after a while instead of waiting for a person.)
    INT_PTR RunOnUnreadable(const std::wstring& root)
    {
        m_app.SetDriveRoot(root);
        const UINT_PTR limit = ::SetTimer(nullptr, 0, 20000, [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); });
        const INT_PTR result = dovrin::CDriveInfoDlg(m_app).DoModal();
        ::KillTimer(nullptr, limit);
        testing_support::PumpMessages();
        return result;
    }

    // Opens the dialog on root and waits until it shows the drive and the
    // list has every drive's icon; StartReading waits for nothing.
    void Start(const std::wstring& root)
    {
        StartReading(root);
        WaitForDrive();
        EXPECT_TRUE(testing_support::PumpUntil([&] { return ListIsRead(); }));
    }
    void StartReading(const std::wstring& root)
    {
        m_app.SetDriveRoot(root);
        ASSERT_TRUE(m_dialog.Create(nullptr));
    }
    void WaitForDrive() { EXPECT_TRUE(testing_support::PumpUntil([&] { return Text(IDC_TYPE) != kReading; })); }
    bool ListIsRead() const
    {
        for (const Entry& entry : Entries())
            if (entry.image < 0)
                return false;
        return true;
    }

    HWND Dialog() const { return m_dialog.m_hWnd; }
    HWND Item(int id) const { return ::GetDlgItem(m_dialog.m_hWnd, id); }
    std::wstring Text(int id) const { return testing_support::WindowText(Item(id)); }
    std::wstring Title() const { return testing_support::WindowText(Dialog()); }
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    LRESULT Send(int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(Item(id), msg, wp, lp); }
    bool Checked(int id) const { return Send(id, BM_GETCHECK) == BST_CHECKED; }
    int BarPosition() const { return static_cast<int>(Send(IDC_USAGE_BAR, PBM_GETPOS)); }
    HICON DriveIcon() const { return reinterpret_cast<HICON>(Send(IDC_DRIVE_ICON, STM_GETICON)); }

    struct Entry {
        std::wstring text;
        int image;
    };
    std::vector<Entry> Entries() const
    {
        std::vector<Entry> entries;
        for (int i = 0; i < static_cast<int>(Send(IDC_DRIVE_LIST, CB_GETCOUNT)); ++i) {
            wchar_t text[64] = L"";
            COMBOBOXEXITEMW item{};
            item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
            item.iItem = i;
            item.pszText = text;
            item.cchTextMax = 64;
            Send(IDC_DRIVE_LIST, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            // The entry shows one picture, selected or not.
            entries.push_back({text, item.iImage == item.iSelectedImage ? item.iImage : -2});
        }
        return entries;
    }
    std::wstring SelectedEntry() const
    {
        const auto index = static_cast<size_t>(Send(IDC_DRIVE_LIST, CB_GETCURSEL));
        return index < Entries().size() ? Entries()[index].text : L"";
    }

    // The user picks the entry of a drive; Choose waits until it is shown.
    void Choose(const std::wstring& root)
    {
        ChooseWhileReading(root);
        WaitForDrive();
    }
    void ChooseWhileReading(const std::wstring& root)
    {
        const std::vector<Entry> entries = Entries();
        size_t index = 0;
        while (index < entries.size() && entries[index].text != root)
            ++index;
        ASSERT_LT(index, entries.size()) << "no entry for " << testing::PrintToString(root);
        Send(IDC_DRIVE_LIST, CB_SETCURSEL, index);
        Notify(IDC_DRIVE_LIST, CBN_SELCHANGE);
    }
    // The user types a whole new label.
    void TypeLabel(const std::wstring& label)
    {
        Send(IDC_LABEL, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(label.c_str()));
        Notify(IDC_LABEL, EN_CHANGE);
    }
    // Waits for the drive's answer: the label field opens again.
    void ClickApply()
    {
        Send(IDC_APPLY, BM_CLICK);
        EXPECT_TRUE(testing_support::PumpUntil([&] { return Enabled(IDC_LABEL); }));
    }
    void Notify(int id, WORD code)
    {
        ::SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
        testing_support::PumpMessages();
    }

    static std::wstring CurrentFolder() { return std::filesystem::current_path().wstring(); }

    const std::filesystem::path m_startFolder = std::filesystem::current_path();
    // Before the dialog: no message box may wait for a person, whatever a test does.
    testing_support::MessageBoxRecorder m_boxes{IDCANCEL};
    dovrin::CDriveInfoApp m_app;
    dovrin::CDriveInfoDlg m_dialog{m_app};
};
