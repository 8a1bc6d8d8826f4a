// Runs Dovrin's drive dialog in-process, modeless, and acts on it by the notifications its controls send.
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

inline const std::wstring kReading = L"Reading the drive..."; // the type field while the drive has not answered

// The drives tools/wine-env.sh sets up for the tests: H: labelled "Scratch" at the start of a run,
// I: a floppy whose folder a test takes away, G: whose folder does not exist.
namespace test_drives {
inline const std::wstring kCdRom = L"D:\\", kFloppy = L"E:\\", kNetwork = L"F:\\", kRamDisk = L"R:\\",
                          kFixed = L"H:\\", kVanishing = L"I:\\", kDangling = L"G:\\";
} // namespace test_drives

// Each file system flag and the box that shows it.
inline const std::pair<DWORD, int> kFlagBoxes[] = {{0x1, IDC_CASE_SENSITIVE}, {0x2, IDC_PRESERVES_CASE},
    {0x4, IDC_UNICODE_NAMES}, {0x10, IDC_FILE_COMPRESSION}, {0x8000, IDC_VOLUME_COMPRESSED}};

struct VanishedDrive { // takes I:'s folder away for a test: the drive stays in the list but cannot be entered
    VanishedDrive() { EXPECT_TRUE(::RemoveDirectoryW(Folder().c_str())); }
    ~VanishedDrive() { Return(); }
    static void Return() { ::CreateDirectoryW(Folder().c_str(), nullptr); }
    static std::wstring Folder() { return testing_support::WindowsPath(TEST_DRIVES_DIR) + L"\\i"; }
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
        ::SetVolumeLabelW(test_drives::kFixed.c_str(), L"Scratch"); // as at the start of a run
    }

    // Opens the dialog on root; waits until it shows the drive and the list has every drive's icon.
    void Start(const std::wstring& root)
    {
        m_app.SetDriveRoot(root);
        ASSERT_TRUE(m_dialog.Create(nullptr));
        WaitForDrive();
        EXPECT_TRUE(testing_support::PumpUntil([&] { return Listing().find(L'?') == std::wstring::npos; }));
    }
    void WaitForDrive() { EXPECT_TRUE(testing_support::PumpUntil([&] { return Text(IDC_TYPE) != kReading; })); }

    HWND Dialog() const { return m_dialog.m_hWnd; }
    HWND Item(int id) const { return ::GetDlgItem(m_dialog.m_hWnd, id); }
    std::wstring Text(int id) const { return testing_support::WindowText(Item(id)); }
    std::wstring Title() const { return testing_support::WindowText(Dialog()); }
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    LRESULT Send(int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(Item(id), msg, wp, lp); }
    HIMAGELIST Images() const { return reinterpret_cast<HIMAGELIST>(Send(IDC_DRIVE_LIST, CBEM_GETIMAGELIST)); }
    HICON DriveIcon() const { return reinterpret_cast<HICON>(Send(IDC_DRIVE_ICON, STM_GETICON)); }

    // Each entry's root and the index of its picture: "?" while it has none, "!" if it shows another selected.
    std::wstring Listing() const
    {
        std::wstring listing;
        for (int i = 0; i < static_cast<int>(Send(IDC_DRIVE_LIST, CB_GETCOUNT)); ++i) {
            wchar_t text[64] = L"";
            COMBOBOXEXITEMW item{};
            item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
            item.iItem = i;
            item.pszText = text;
            item.cchTextMax = 64;
            Send(IDC_DRIVE_LIST, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            const bool same = item.iImage == item.iSelectedImage;
            listing += text + (item.iImage < 0 ? L"?" : same ? std::to_wstring(item.iImage) : L"!") + L" ";
        }
        return listing;
    }

    // The user picks the entry of a drive; unless told not to, waits until the drive is shown.
    void Choose(const std::wstring& root, bool waitForIt = true)
    {
        const LRESULT entry = Send(IDC_DRIVE_LIST, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(root.c_str()));
        ASSERT_GE(entry, 0) << "no entry for " << testing::PrintToString(root);
        Send(IDC_DRIVE_LIST, CB_SETCURSEL, static_cast<WPARAM>(entry));
        Notify(IDC_DRIVE_LIST, CBN_SELCHANGE);
        if (waitForIt)
            WaitForDrive();
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
    // A drive's label where Wine keeps it: in a file at the drive's root (the labels here have no spaces).
    static std::wstring LabelOnDisk(const std::wstring& root)
    {
        std::wstring label;
        std::wifstream(std::filesystem::path(root + L".windows-label")) >> label;
        return label;
    }
    static std::wstring CurrentFolder() { return std::filesystem::current_path().wstring(); }

    const std::filesystem::path m_startFolder = std::filesystem::current_path();
    // Before the dialog: no message box may wait for a person, whatever a test does.
    testing_support::MessageBoxRecorder m_boxes{IDCANCEL};
    dovrin::CDriveInfoApp m_app;
    dovrin::CDriveInfoDlg m_dialog{m_app};
};
