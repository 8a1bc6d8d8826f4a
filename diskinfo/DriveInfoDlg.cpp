#include "diskinfo/DriveInfoDlg.h"

#include "controls/AboutPage.h"
#include "diskinfo/DriveInfoApp.h"
#include "diskinfo/DriveRoot.h"
#include "diskinfo/res/resource.h"
#include "framework/MessageBox.h"
#include "outside/pallavol/DiskInfo.h"

#include <initializer_list>

namespace dovrin {

namespace {
// What the type field says while the drive on show has not answered yet.
const wchar_t kReadingText[] = L"Reading the drive...";
// The worker's message: answers wait to be taken.
constexpr UINT kDriveAnswers = WM_APP + 1;

struct FlagBox {
    DWORD bit;
    int id;
};
constexpr std::array<FlagBox, 5> kFlagBoxes{{
    {FILE_CASE_SENSITIVE_SEARCH, IDC_CASE_SENSITIVE},
    {FILE_CASE_PRESERVED_NAMES, IDC_PRESERVES_CASE},
    {FILE_UNICODE_ON_DISK, IDC_UNICODE_NAMES},
    {FILE_FILE_COMPRESSION, IDC_FILE_COMPRESSION},
    {FILE_VOLUME_IS_COMPRESSED, IDC_VOLUME_COMPRESSED},
}};
} // namespace

CDriveInfoDlg::CDriveInfoDlg(CDriveInfoApp& app) : CDialog(IDD_DOVRIN), m_app(app)
{
    static_assert(std::tuple_size_v<decltype(m_flags)> == kFlagBoxes.size());
}

void CDriveInfoDlg::DoDataExchange(fx::CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    fx::DDX_Control(dx, IDC_DRIVE_LIST, m_driveList);
    fx::DDX_Control(dx, IDC_USAGE_BAR, m_usageBar);
    fx::DDX_Control(dx, IDC_DRIVE_ICON, m_driveIcon);
    fx::DDX_Control(dx, IDC_APPLY, m_applyButton);
    fx::DDX_Control(dx, IDC_ABOUT, m_aboutButton);
    fx::DDX_Control(dx, IDOK, m_okButton);

    fx::DDX_Text(dx, IDC_DRIVE_CAPTION, m_strDriveCaption);
    fx::DDX_Text(dx, IDC_LABEL, m_strLabel);
    fx::DDX_Text(dx, IDC_TYPE, m_strType);
    fx::DDX_Text(dx, IDC_MAX_NAME_LENGTH, m_strMaxFileNameLength);
    fx::DDX_Text(dx, IDC_FILE_SYSTEM, m_strFileSystem);
    fx::DDX_Text(dx, IDC_SERIAL_NUMBER, m_strSerialNumber);
    fx::DDX_Text(dx, IDC_TOTAL, m_strTotal);
    fx::DDX_Text(dx, IDC_FREE, m_strFree);
    fx::DDX_Text(dx, IDC_USED, m_strUsed);
    fx::DDX_Text(dx, IDC_PERCENT_USED, m_strPercentUsed);
    fx::DDX_Text(dx, IDC_CLUSTERS, m_strClusters);
    fx::DDX_Text(dx, IDC_CLUSTERS_FREE, m_strClustersFree);
    fx::DDX_Text(dx, IDC_SECTORS_PER_CLUSTER, m_strSectorsPerCluster);
    fx::DDX_Text(dx, IDC_BYTES_PER_SECTOR, m_strBytesPerSector);
    for (size_t i = 0; i < kFlagBoxes.size(); ++i)
        fx::DDX_Check(dx, kFlagBoxes[i].id, m_flags[i]);
}

BOOL CDriveInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_appIcon.Set(m_hWnd, IDI_APP);
    SetUpButtons();
    m_usageBar.SetRange32(0, 100);
    m_drives.List(m_driveList);
    m_reader.Start(m_hWnd, kDriveAnswers);
    RefreshDrive(); // the worker reads this drive before the list's
    m_reader.ListDrives(m_drives.Roots());
    return TRUE;
}

void CDriveInfoDlg::SetUpButtons()
{
    m_aboutButton.SetIcons(IDI_ABOUT_HOT, IDI_ABOUT, 32, 32);
    m_okButton.SetIcons(IDI_OK_HOT, IDI_OK, 32, 32);
    m_applyButton.SetIcons(IDI_APPLY_HOT, IDI_APPLY, 32, 32);
    for (CIconButton* button : {&m_okButton, &m_applyButton}) {
        button->SetHoverTextColor(RGB(255, 0, 0), false);
        button->SetNormalTextColor(RGB(0, 255, 0), false);
        button->SetIconPlacement(CIconButton::IconTop);
    }
}

void CDriveInfoDlg::RefreshDrive()
{
    const std::wstring root = m_app.DriveRoot().empty() ? CurrentDriveRoot() : m_app.DriveRoot();
    m_driveList.SetCurSel(m_driveList.FindStringExact(root));
    m_rememberedEntry = m_driveList.GetCurSel();
    ReadDrive(root, false);
}

void CDriveInfoDlg::ReadDrive(const std::wstring& root, bool enter)
{
    m_chosenRoot = root;
    m_labelRequest = 0; // a label still being set belongs to the drive left
    m_figuresRequest = m_reader.ReadFigures(root, enter);

    const int entry = m_driveList.GetCurSel();
    m_captionRoot = entry >= 0 ? m_driveList.GetItemText(entry) : root;
    m_labelEditable = false;
    m_applyButton.EnableWindow(false);
    fx::EnableControl(GetDlgItem(IDC_LABEL), false);
    m_strDriveCaption = m_captionRoot;
    m_strType = kReadingText;
    for (std::wstring* value : {&m_strLabel, &m_strSavedLabel, &m_strMaxFileNameLength, &m_strFileSystem,
                                &m_strSerialNumber, &m_strTotal, &m_strFree, &m_strUsed, &m_strPercentUsed,
                                &m_strClusters, &m_strClustersFree, &m_strSectorsPerCluster,
                                &m_strBytesPerSector})
        value->clear();
    m_flags.fill(BST_UNCHECKED);
    m_usageBar.SetPos(0);
    ShowDriveIcon(fx::CIconHandle());
    UpdateData(false);
    SetWindowText(L"Dovrin->Drive " + DriveName());
}

void CDriveInfoDlg::OnDriveAnswers()
{
    for (DriveAnswer& answer : m_reader.TakeAnswers()) {
        switch (answer.kind) {
        case DriveAnswer::Listed:
            if (answer.holdsFiles)
                m_drives.SetIcon(m_driveList, answer.root, std::move(answer.icon));
            else
                OnNoDrive(answer.root);
            break;
        case DriveAnswer::Figures:
            if (answer.request == m_figuresRequest)
                OnFigures(answer);
            break;
        case DriveAnswer::NotAccessible:
            if (answer.request == m_figuresRequest)
                OnNotAccessible(answer.root);
            break;
        case DriveAnswer::LabelSet:
        case DriveAnswer::LabelRefused:
            OnLabelAnswer(answer);
            break;
        }
    }
}

void CDriveInfoDlg::OnNoDrive(const std::wstring& root)
{
    const int selected = m_driveList.GetCurSel();
    const int removed = m_drives.Remove(m_driveList, root);
    if (removed < 0)
        return;
    // The entries below it moved up one; the selection and the remembered
    // entry move with them.
    const auto follow = [removed](int entry) { return entry > removed ? entry - 1 : entry == removed ? -1 : entry; };
    m_driveList.SetCurSel(follow(selected));
    m_rememberedEntry = follow(m_rememberedEntry);
}

void CDriveInfoDlg::OnFigures(DriveAnswer& answer)
{
    if (!answer.figures.readable) {
        fx::MessageBox(m_hWnd, L"Not Reading Drive " + answer.root, L"Error", MB_OK);
        EndDialog(0);
        return;
    }
    // Entered, when chosen from the list: it is the current drive now, and
    // the one Cancel on a drive that is not ready goes back to.
    m_app.SetDriveRoot(answer.root);
    m_rememberedEntry = m_driveList.GetCurSel();
    ShowDrive(answer.root, answer.figures);
    ShowDriveIcon(std::move(answer.icon));
}

void CDriveInfoDlg::OnNotAccessible(const std::wstring& root)
{
    if (fx::MessageBox(m_hWnd, root + L" is not accessible.\r\rThe Device is not ready.", L"Dovrin->" + root,
                       MB_RETRYCANCEL | MB_ICONSTOP) == IDRETRY) {
        m_figuresRequest = m_reader.ReadFigures(root, true);
        return;
    }
    m_driveList.SetCurSel(m_rememberedEntry);
    // Back on no entry at all (a start root the list does not hold), the
    // drive stays the one shown before.
    if (const int shown = m_driveList.GetCurSel(); shown >= 0)
        m_app.SetDriveRoot(m_drives.Roots()[static_cast<size_t>(shown)]);
    RefreshDrive();
}

void CDriveInfoDlg::ShowDrive(const std::wstring& root, const DriveFigures& figures)
{
    m_applyButton.EnableWindow(false);
    // An optical disc's label cannot be changed.
    m_labelEditable = !figures.optical;
    fx::EnableControl(GetDlgItem(IDC_LABEL), m_labelEditable);

    const int entry = m_driveList.GetCurSel();
    m_captionRoot = entry >= 0 ? m_driveList.GetItemText(entry) : root;
    m_strType = figures.type;
    // The field takes no more than the drive keeps, so the caption never
    // shows a label the drive did not store.
    m_maxLabelLength = static_cast<size_t>(MaxLabelLength(figures.fileSystem));
    ::SendMessageW(GetDlgItem(IDC_LABEL), EM_LIMITTEXT, m_maxLabelLength, 0);
    m_strLabel = m_strSavedLabel = figures.label;
    m_strDriveCaption = DriveCaption(m_strLabel);
    m_strMaxFileNameLength = figures.maxFileNameLength;
    m_strFileSystem = figures.fileSystem;
    m_strSerialNumber = figures.serialNumber;
    for (size_t i = 0; i < kFlagBoxes.size(); ++i)
        m_flags[i] = (figures.flags & kFlagBoxes[i].bit) ? BST_CHECKED : BST_UNCHECKED;

    const CDiskInfo units;
    const DriveUsage usage = MeasureUsage(figures.sizes.totalBytes, figures.sizes.freeBytes);
    m_strTotal = units.GetUnitSize(figures.sizes.totalBytes);
    m_strFree = units.GetUnitSize(figures.sizes.freeBytes);
    m_strUsed = units.GetUnitSize(usage.usedBytes);
    m_strPercentUsed = usage.percentText;
    m_usageBar.SetPos(usage.barPosition);
    m_strClusters = std::to_wstring(figures.sizes.totalClusters);
    m_strClustersFree = std::to_wstring(figures.sizes.freeClusters);
    m_strSectorsPerCluster = std::to_wstring(figures.sizes.sectorsPerCluster);
    m_strBytesPerSector = std::to_wstring(figures.sizes.bytesPerSector);

    UpdateData(false);
    SetWindowText(L"Dovrin->Drive " + DriveName());
}

std::wstring CDriveInfoDlg::DriveName() const
{
    if (m_captionRoot.size() == 3 && m_captionRoot[1] == L':')
        return m_captionRoot.substr(0, 1);
    // A share ("\\server\share\") has no letter: its root names it.
    return m_captionRoot.substr(0, m_captionRoot.find_last_not_of(L'\\') + 1);
}

void CDriveInfoDlg::ShowDriveIcon(fx::CIconHandle icon)
{
    m_driveIcon.SetIcon(icon.Get());
    m_shownDriveIcon = std::move(icon); // the icon shown until now goes
}

void CDriveInfoDlg::OnDriveSelected()
{
    const int entry = m_driveList.GetCurSel();
    const std::vector<std::wstring>& roots = m_drives.Roots();
    if (entry < 0 || static_cast<size_t>(entry) >= roots.size() || roots[entry] == m_chosenRoot)
        return;
    // Not ready: the worker's answer brings the Retry/Cancel question.
    ReadDrive(roots[static_cast<size_t>(entry)], true);
}

void CDriveInfoDlg::OnLabelEdited()
{
    // The program putting a text in is no edit of the user's.
    if (IsShowingValues())
        return;
    UpdateData(true);
    // Exact comparison: a change of letter case alone is a new label.
    m_applyButton.EnableWindow(m_strLabel != m_strSavedLabel);
}

void CDriveInfoDlg::OnApply()
{
    UpdateData(true);
    // Typing stops at the limit; a text put in whole (pasted by a program)
    // is cut to what the drive keeps, and that is what is shown.
    if (m_strLabel.size() > m_maxLabelLength)
        m_strLabel.resize(m_maxLabelLength);
    UpdateData(false);
    // The field stays shut until the drive has answered.
    fx::EnableControl(GetDlgItem(IDC_LABEL), false);
    m_applyButton.EnableWindow(false);
    m_labelRequest = m_reader.SetLabel(m_captionRoot, m_strLabel);
}

void CDriveInfoDlg::OnLabelAnswer(const DriveAnswer& answer)
{
    const bool onShow = answer.request == m_labelRequest;
    if (answer.kind == DriveAnswer::LabelRefused)
        fx::MessageBox(m_hWnd, L"Error:Unable To Set Volume Label", MB_OK); // also for a drive left since
    if (!onShow)
        return;
    m_labelRequest = 0;
    if (answer.kind == DriveAnswer::LabelSet) {
        m_strLabel = m_strSavedLabel = answer.label;
        m_strDriveCaption = DriveCaption(m_strLabel);
    } else {
        m_strLabel = m_strSavedLabel;
    }
    UpdateData(false);
    fx::EnableControl(GetDlgItem(IDC_LABEL), m_labelEditable);
    m_applyButton.EnableWindow(false);
}

void CDriveInfoDlg::OnAbout()
{
    CAboutPage::ShowModal(IDD_ABOUT, m_hWnd);
}

bool CDriveInfoDlg::OnCommand(UINT id, UINT code)
{
    if (id == IDC_DRIVE_LIST && code == CBN_SELCHANGE)
        OnDriveSelected();
    else if (id == IDC_DRIVE_LIST && code == CBN_DROPDOWN)
        m_rememberedEntry = m_driveList.GetCurSel();
    else if (id == IDC_LABEL && code == EN_CHANGE)
        OnLabelEdited();
    else if (id == IDC_APPLY && code == BN_CLICKED)
        OnApply();
    else if (id == IDC_ABOUT && code == BN_CLICKED)
        OnAbout();
    else
        return CDialog::OnCommand(id, code);
    return true;
}

LRESULT CDriveInfoDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (LRESULT result = 0; m_appIcon.OnMessage(m_hWnd, msg, wp, &result))
        return result;
    switch (msg) {
    case kDriveAnswers:
        OnDriveAnswers();
        return 0;
    case WM_DPICHANGED: {
        // The dialog and its controls take the new DPI's sizes; the drive
        // icons of the list follow.
        const LRESULT result = CDialog::WindowProc(msg, wp, lp);
        m_drives.MatchDpi(m_driveList);
        return result;
    }
    }
    return CDialog::WindowProc(msg, wp, lp);
}

} // namespace dovrin
