// Runs Dovrin's drive dialog in-process, modeless, and acts on it the way a
// user's clicks and keys do: by the notifications its controls send.
#pragma once
#include "diskinfo/DriveInfoApp.h"
#include "diskinfo/DriveInfoDlg.h"
#include "diskinfo/res/resource.h"
#include "outside/pallavol/DiskInfo.h"
#include "tests/support/HeldDrives.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

using testing_support::HeldDrives;

// What the type field says while the drive on show has not answered.
inline const std::wstring kReading = L"Reading the drive...";

// The drives tools/wine-env.sh sets up for the tests, by kind.
namespace test_drives {
inline const std::wstring kCdRom = L"D:\\";
inline const std::wstring kFloppy = L"E:\\";
inline const std::wstring kNetwork = L"F:\\";
inline const std::wstring kFixed = L"H:\\";   // labelled "Scratch" at the start of a run
inline const std::wstring kVanishing = L"I:\\"; // a floppy whose folder a test takes away
inline const std::wstring kRamDisk = L"R:\\";
inline const std::wstring kDangling = L"G:\\"; // its folder does not exist
} // namespace test_drives

// Takes the vanishing drive's folder away for the length of a test, so that the
// drive stays in the list but cannot be entered.
class VanishedDrive {
public:
    VanishedDrive() { EXPECT_TRUE(::RemoveDirectoryW(Folder().c_str())); }
    ~VanishedDrive() { Return(); }
    VanishedDrive(const VanishedDrive&) = delete;
    VanishedDrive& operator=(const VanishedDrive&) = delete;
    static void Return() { ::CreateDirectoryW(Folder().c_str(), nullptr); }

private:
    static std::wstring Folder() { return testing_support::WindowsPath(TEST_DRIVES_DIR) + L"\\i"; }
};

// Wine keeps a drive's label in a file at its root.
inline std::string LabelFile(const std::wstring& root)
{
    std::ifstream file(std::filesystem::path(root + L".windows-label"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

// Puts a drive's label file back as it was, whatever the test did to it.
class LabelFileKeeper {
public:
    explicit LabelFileKeeper(const std::wstring& root) : m_path(root + L".windows-label")
    {
        m_existed = std::filesystem::exists(m_path);
        if (m_existed) {
            std::ifstream file(m_path, std::ios::binary);
            m_bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        }
    }
    ~LabelFileKeeper()
    {
        if (m_existed)
            std::ofstream(m_path, std::ios::binary | std::ios::trunc) << m_bytes;
        else
            std::filesystem::remove(m_path);
    }
    LabelFileKeeper(const LabelFileKeeper&) = delete;
    LabelFileKeeper& operator=(const LabelFileKeeper&) = delete;

private:
    std::filesystem::path m_path;
    bool m_existed = false;
    std::string m_bytes;
};

class DovrinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_USEREX_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&icc);
    }
    void SetUp() override
    {
        m_startFolder = std::filesystem::current_path();
        testing_support::PumpMessages();
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
        dovrin::CDriveInfoDlg dialog(m_app);
        const INT_PTR result = dialog.DoModal();
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
    bool Checked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int BarPosition() const { return static_cast<int>(::SendMessageW(Item(IDC_USAGE_BAR), PBM_GETPOS, 0, 0)); }
    HICON DriveIcon() const { return reinterpret_cast<HICON>(::SendMessageW(Item(IDC_DRIVE_ICON), STM_GETICON, 0, 0)); }

    struct Entry {
        std::wstring text;
        int image, selectedImage;
    };
    std::vector<Entry> Entries() const
    {
        std::vector<Entry> entries;
        const int count = static_cast<int>(::SendMessageW(Item(IDC_DRIVE_LIST), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[64] = L"";
            COMBOBOXEXITEMW item{};
            item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
            item.iItem = i;
            item.pszText = text;
            item.cchTextMax = 64;
            ::SendMessageW(Item(IDC_DRIVE_LIST), CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            entries.push_back({text, item.iImage, item.iSelectedImage});
        }
        return entries;
    }
    std::wstring SelectedEntry() const
    {
        const int index = static_cast<int>(::SendMessageW(Item(IDC_DRIVE_LIST), CB_GETCURSEL, 0, 0));
        return index < 0 ? L"" : Entries()[static_cast<size_t>(index)].text;
    }

    // The user picks the entry of a drive, and it is shown.
    void Choose(const std::wstring& root)
    {
        ChooseWhileReading(root);
        WaitForDrive();
    }
    // The user picks the entry; the drive may still be reading after.
    void ChooseWhileReading(const std::wstring& root)
    {
        const std::vector<Entry> entries = Entries();
        size_t index = 0;
        while (index < entries.size() && entries[index].text != root)
            ++index;
        ASSERT_LT(index, entries.size()) << "no entry for " << testing::PrintToString(root);
        ::SendMessageW(Item(IDC_DRIVE_LIST), CB_SETCURSEL, index, 0);
        Notify(IDC_DRIVE_LIST, CBN_SELCHANGE);
    }
    // The user types a whole new label.
    void TypeLabel(const std::wstring& label)
    {
        ::SendMessageW(Item(IDC_LABEL), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(label.c_str()));
        Notify(IDC_LABEL, EN_CHANGE);
    }
    // Waits for the drive's answer: the label field opens again.
    void ClickApply()
    {
        ::SendMessageW(Item(IDC_APPLY), BM_CLICK, 0, 0);
        EXPECT_TRUE(testing_support::PumpUntil([&] { return Enabled(IDC_LABEL); }));
    }

    static std::wstring CurrentFolder() { return std::filesystem::current_path().wstring(); }

    // Declared first: no message box may wait for a person, whatever a test does.
    testing_support::MessageBoxRecorder m_boxes{IDCANCEL};
    dovrin::CDriveInfoApp m_app;
    dovrin::CDriveInfoDlg m_dialog{m_app};

private:
    void Notify(int id, WORD code)
    {
        ::SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
        testing_support::PumpMessages();
    }

    std::filesystem::path m_startFolder;
};
