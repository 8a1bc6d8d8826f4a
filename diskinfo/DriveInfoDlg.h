// Dovrin's drive dialog: every figure of one drive, the list of the
// machine's drives to switch between, and the volume label with Apply.
#pragma once
#include "controls/IconButton.h"
#include "diskinfo/DriveFigures.h"
#include "diskinfo/DriveList.h"
#include "diskinfo/DriveReader.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Handle.h"

#include <array>
#include <string>

namespace dovrin {

class CDriveInfoApp;

class CDriveInfoDlg : public fx::CDialog {
public:
    explicit CDriveInfoDlg(CDriveInfoApp& app);

    // Shows the application's current drive: the reading state at once, the
    // figures when the drive has answered. A drive that cannot be read is
    // reported then and ends the dialog with 0.
    void RefreshDrive();
    // The showing half of RefreshDrive: the figures of the drive at root go
    // into the dialog, the label becomes the saved one, Apply is disabled.
    void ShowDrive(const std::wstring& root, const DriveFigures& figures);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fx::CDataExchange& dx) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(UINT id, UINT code) override;

private:
    void SetUpButtons();
    void ShowDriveIcon(fx::CIconHandle icon);
    // Shows root as the drive being read, its figures not yet known, and
    // asks the worker for them; an earlier request's answer no longer counts.
    void ReadDrive(const std::wstring& root, bool enter);
    void OnDriveAnswers();
    void OnNoDrive(const std::wstring& root);
    void OnFigures(DriveAnswer& answer);
    void OnNotAccessible(const std::wstring& root);
    void OnLabelAnswer(const DriveAnswer& answer);
    void OnDriveSelected();
    void OnLabelEdited();
    void OnApply();
    void OnAbout();
    std::wstring DriveCaption(const std::wstring& label) const { return m_captionRoot + L"(" + label + L")"; }
    // The drive as the title names it: its letter, or a share's root.
    std::wstring DriveName() const;

    CDriveInfoApp& m_app;
    CDriveList m_drives;
    fx::CComboBoxEx m_driveList;
    fx::CProgressCtrl m_usageBar;
    fx::CStatic m_driveIcon;
    CIconButton m_applyButton;
    CIconButton m_aboutButton;
    CIconButton m_okButton;
    fx::CAppIcon m_appIcon;
    fx::CIconHandle m_shownDriveIcon; // the picture control shows it; ours to destroy
    // The entry Cancel on the not-ready message goes back to: the drive on
    // show, as remembered at every refresh and every drop-down.
    int m_rememberedEntry = -1;
    // The drive last chosen, shown or being read, and the request whose
    // answer shows it; answers to other requests are late and dropped.
    std::wstring m_chosenRoot;
    unsigned m_figuresRequest = 0;
    unsigned m_labelRequest = 0; // the label being set; 0: none
    bool m_labelEditable = false; // the drive on show takes a new label
    // The drive caption's first three characters: the selected entry's text,
    // or the root itself when no entry matches it.
    std::wstring m_captionRoot;
    std::wstring m_strSavedLabel; // as last read from the drive or applied
    size_t m_maxLabelLength = 0;  // what the drive's file system keeps

    // Values bound to the controls.
    std::wstring m_strDriveCaption;
    std::wstring m_strLabel;
    std::wstring m_strType;
    std::wstring m_strMaxFileNameLength;
    std::wstring m_strFileSystem;
    std::wstring m_strSerialNumber;
    std::wstring m_strTotal;
    std::wstring m_strFree;
    std::wstring m_strUsed;
    std::wstring m_strPercentUsed;
    std::wstring m_strClusters;
    std::wstring m_strClustersFree;
    std::wstring m_strSectorsPerCluster;
    std::wstring m_strBytesPerSector;
    std::array<int, 5> m_flags{}; // check states, in the order of the flag boxes

    // Last: it stops first, while everything its answers go to still exists.
    CDriveReader m_reader;
};

} // namespace dovrin
