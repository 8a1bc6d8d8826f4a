#include "properties/FilePage.h"

#include "common/FolderWalker.h"
#include "common/SelectedPath.h"
#include "controls/ButtonLooks.h"
#include "framework/Format.h"
#include "framework/LongPath.h"
#include "framework/MessageBox.h"
#include "framework/Trace.h"
#include "outside/pallapath/FolderOp.h"
#include "outside/pallashell/ShellGetFileInfo.h"
#include "outside/pallavol/DiskInfo.h"
#include "properties/FileStamps.h"
#include "properties/ShellIcon.h"
#include "properties/Messages.h"
#include "properties/res/resource.h"

#include <commctrl.h>

#include <atomic>

namespace fennix {

namespace {

struct PickerIds {
    int date, time;
};
// Indexed by stamp: created, accessed, written.
const PickerIds kPickers[] = {
    {IDC_CREATED_DATE, IDC_CREATED_TIME},
    {IDC_ACCESSED_DATE, IDC_ACCESSED_TIME},
    {IDC_WRITE_DATE, IDC_WRITE_TIME},
};

const wchar_t kTimeError[] = L"Unable to set the file time";
const wchar_t kAttributesError[] = L"Unable to set the file attributes";


std::atomic<FileFactsDelay> g_factsDelay{nullptr};

} // namespace

FileFacts ReadFileFacts(const std::wstring& path)
{
    if (const FileFactsDelay delay = g_factsDelay)
        delay(path);
    FileFacts facts;
    // The path holds no wildcard, so the finder looks up this one name.
    facts.found = static_cast<bool>(fx::CFindHandle(::FindFirstFileW(fx::ExtendedLengthPath(path).c_str(), &facts.entry)));
    if (!facts.IsFile())
        return facts;
    CShellGetFileInfo shellInfo;
    shellInfo.Create(path);
    shellInfo.GetFileType();
    facts.type = shellInfo.m_FileType;
    CFolderOp folderOp;
    facts.longPath = folderOp.GetLongFileName(path);
    facts.shortPath = folderOp.GetShortFileName(facts.longPath);
    return facts;
}

void SetFileFactsDelay(FileFactsDelay delay)
{
    g_factsDelay = delay;
}

CFilePage::CFilePage() : CClosingPage(IDD_FILE_PAGE)
{
}

int CFilePage::StampOfPicker(int controlId)
{
    for (int stamp = 0; stamp < StampCount; ++stamp)
        if (kPickers[stamp].date == controlId || kPickers[stamp].time == controlId)
            return stamp;
    return -1;
}

void CFilePage::DoDataExchange(fx::CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    fx::DDX_Control(dx, IDC_FILE_ICON, m_iconControl);
    fx::DDX_Control(dx, IDOK, m_doneButton);
    fx::DDX_Control(dx, IDCANCEL, m_cancelButton);
    fx::DDX_Control(dx, IDC_APPLY, m_applyButton);
    fx::DDX_Text(dx, IDC_FILE_PATH, m_strPath);
    fx::DDX_Text(dx, IDC_FILE_TITLE, m_strTitle);
    fx::DDX_Text(dx, IDC_FILE_TYPE, m_strType);
    fx::DDX_Text(dx, IDC_FILE_SHORT_PATH, m_strShortPath);
    fx::DDX_Text(dx, IDC_FILE_SIZE, m_strSize);
    for (int stamp = 0; stamp < StampCount; ++stamp) {
        fx::DDX_DateTime(dx, kPickers[stamp].date, m_stamps[stamp].date);
        fx::DDX_DateTime(dx, kPickers[stamp].time, m_stamps[stamp].time);
    }
    fx::DDX_Check(dx, IDC_ARCHIVE, m_bArchive);
    fx::DDX_Check(dx, IDC_READ_ONLY, m_bReadOnly);
    fx::DDX_Check(dx, IDC_SYSTEM, m_bSystem);
    fx::DDX_Check(dx, IDC_HIDDEN, m_bHidden);
}

BOOL CFilePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_stampsWithPickers = 0;
    SetGoOnLook(m_doneButton, IDI_DONE_HOT, IDI_DONE);
    SetLeaveLook(m_cancelButton, IDI_CANCEL_HOT, IDI_CANCEL);
    SetGoOnLook(m_applyButton, IDI_APPLY_HOT, IDI_APPLY);
    EnableApply(false);
    if (m_icon)
        m_iconControl.SetIcon(m_icon.Get());
    if (m_bIconPending)
        FetchShellIcon();
    return TRUE;
}

bool CFilePage::MakeNextStampPickers()
{
    if (!m_hWnd || m_stampsWithPickers == StampCount)
        return false;
    const int stamp = m_stampsWithPickers++;
    const HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    MakePicker(kPickers[stamp].date, DTS_LONGDATEFORMAT, font);
    MakePicker(kPickers[stamp].time, DTS_TIMEFORMAT, font);
    // The stamp was read before its pickers were there; until now the data
    // exchange met the places kept for them, which take and give nothing.
    fx::CDataExchange dx(m_hWnd, false);
    fx::DDX_DateTime(dx, kPickers[stamp].date, m_stamps[stamp].date);
    fx::DDX_DateTime(dx, kPickers[stamp].time, m_stamps[stamp].time);
    return true;
}

void CFilePage::MakePicker(int controlId, DWORD format, HFONT font)
{
    // The page's template keeps a hidden static in the picker's place and in
    // its place in the tab order (right after its label, whose mnemonic
    // leads to it).
    const HWND place = GetDlgItem(controlId);
    if (!place)
        return;
    RECT rect{};
    ::GetWindowRect(place, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    const HWND before = ::GetWindow(place, GW_HWNDPREV);
    ::DestroyWindow(place);
    const HWND picker = ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, DATETIMEPICK_CLASSW, L"",
                                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_APPCANPARSE | format, rect.left,
                                          rect.top, rect.right - rect.left, rect.bottom - rect.top, m_hWnd,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                          ::GetModuleHandleW(nullptr), nullptr);
    if (!picker) {
        fx::TraceLastError(L"Fennix: a date and time picker");
        return;
    }
    ::SetWindowPos(picker, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageW(picker, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void CFilePage::Load(const FileFacts& facts)
{
    const WIN32_FIND_DATAW& found = facts.entry;
    const FILETIME* stored[StampCount] = {&found.ftCreationTime, &found.ftLastAccessTime, &found.ftLastWriteTime};
    for (int stamp = 0; stamp < StampCount; ++stamp) {
        SYSTEMTIME local = FileTimeToLocal(*stored[stamp]).value_or(SYSTEMTIME{});
        m_stamps[stamp].date = m_stamps[stamp].time = local;
    }

    // A new file starts with no pending change.
    for (StampPickers& stamp : m_stamps)
        stamp.changed = false;
    m_bTimeChanged = 0;

    m_strType = facts.type;

    m_strTitle = WithoutExtension(found.cFileName);

    const uint64_t size = EntrySize(found);
    m_strSize = CDiskInfo().GetUnitSize(size) + fx::Format(L"(%llu bytes)", static_cast<unsigned long long>(size));

    const DWORD attributes = found.dwFileAttributes;
    m_bArchive = (attributes & FILE_ATTRIBUTE_ARCHIVE) ? 1 : 0;
    m_bSystem = (attributes & FILE_ATTRIBUTE_SYSTEM) ? 1 : 0;
    m_bHidden = (attributes & FILE_ATTRIBUTE_HIDDEN) ? 1 : 0;
    m_bReadOnly = (attributes & FILE_ATTRIBUTE_READONLY) ? 1 : 0;
    m_shownAttributes = ChosenAttributes();

    // The item itself is named in its exact form (extended-length for a name
    // that ends in a dot or a space); the user reads it without the prefix.
    m_path = facts.longPath;
    m_strPath = fx::WithoutExtendedPrefix(m_path);
    m_strShortPath = fx::WithoutExtendedPrefix(facts.shortPath);

    // The shell's icon is the slowest figure to get (about 60 ms of a start
    // under Wine, measured, and seconds on a slow drive): the page shows
    // everything else and a worker brings the icon.
    ShowIcon(fx::CIconHandle());
    m_bIconPending = true;
    if (IsWindow()) {
        UpdateData(false);
        FetchShellIcon();
    }
}

void CFilePage::FetchShellIcon()
{
    m_bIconPending = false;
    m_iconFetch.Start(m_path, m_hWnd, WM_SHELL_ICON);
}

void CFilePage::ShowIcon(fx::CIconHandle icon)
{
    // The control stops showing the old icon before it is released.
    if (m_iconControl.m_hWnd) {
        m_iconControl.SetIcon(icon.Get());
        m_iconControl.Invalidate();
    }
    m_icon = std::move(icon);
}

void CFilePage::EnableApply(bool enable)
{
    fx::EnableControl(GetDlgItem(IDC_APPLY), enable);
}

void CFilePage::ApplyChanges()
{
    UpdateData(true);
    // Apply stays enabled after a failure: what the page shows was not written.
    const bool written = WriteAttributes() && (!m_bTimeChanged || WriteTimes());
    EnableApply(!written);
}

AttributeChoice CFilePage::ChosenAttributes() const
{
    return AttributeChoice{m_bArchive != 0, m_bReadOnly != 0, m_bSystem != 0, m_bHidden != 0};
}

bool CFilePage::WriteAttributes()
{
    const AttributeChoice chosen = ChosenAttributes();
    if (chosen == m_shownAttributes)
        return true; // nothing changed: another program's changes stay
    // The changed boxes go onto the file's word as it is now, so it must be
    // read first; a file that cannot be read cannot be written either.
    const std::wstring path = fx::ExtendedLengthPath(m_path);
    const DWORD current = ::GetFileAttributesW(path.c_str());
    if (current == INVALID_FILE_ATTRIBUTES ||
        !::SetFileAttributesW(path.c_str(), ComposeAttributes(current, m_shownAttributes, chosen))) {
        fx::TraceLastError(L"Fennix: the attributes of " + m_strPath);
        fx::MessageBox(m_hWnd, kAttributesError, MB_OK);
        return false;
    }
    m_shownAttributes = chosen;
    return true;
}

bool CFilePage::WriteTimes()
{
    // Every changed stamp is converted before anything is written, so a date
    // that cannot be converted leaves the file's times as they were.
    FILETIME times[StampCount]{};
    const FILETIME* toWrite[StampCount]{};
    for (int stamp = 0; stamp < StampCount; ++stamp) {
        if (!m_stamps[stamp].changed)
            continue; // unchanged stamps keep their exact stored value
        std::optional<FILETIME> time = LocalToFileTime(m_stamps[stamp].date, m_stamps[stamp].time);
        if (!time) {
            fx::Trace(L"Fennix: a time stamp chosen for " + m_strPath + L" is no time of the file system");
            fx::MessageBox(m_hWnd, kTimeError, MB_OK);
            return false;
        }
        times[stamp] = *time;
        toWrite[stamp] = &times[stamp];
    }

    // Setting times needs only this right, which a read-only file grants and
    // a program holding the file open (with any sharing) does not block.
    fx::CFileHandle file(::CreateFileW(fx::ExtendedLengthPath(m_path).c_str(), FILE_WRITE_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file || !::SetFileTime(file.Get(), toWrite[Created], toWrite[Accessed], toWrite[Written])) {
        fx::TraceLastError(L"Fennix: the times of " + m_strPath);
        fx::MessageBox(m_hWnd, kTimeError, MB_OK);
        return false;
    }
    // Both pickers of a stamp now show what was written, which is no longer
    // a change: a later Apply leaves it to whoever sets it next.
    for (StampPickers& stamp : m_stamps) {
        if (stamp.changed)
            stamp.date = stamp.time = JoinDateAndTime(stamp.date, stamp.time);
        stamp.changed = false;
    }
    m_bTimeChanged = 0;
    UpdateData(false);
    return true;
}

void CFilePage::OnOK()
{
    if (::IsWindowEnabled(GetDlgItem(IDC_APPLY)))
        ApplyChanges();
    CClosingPage::OnOK();
}

bool CFilePage::OnCommand(UINT id, UINT code)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_APPLY:
            ApplyChanges();
            return true;
        case IDC_ARCHIVE:
        case IDC_READ_ONLY:
        case IDC_SYSTEM:
        case IDC_HIDDEN:
            EnableApply(true);
            return true;
        }
    }
    return CPropertyPage::OnCommand(id, code);
}

LRESULT CFilePage::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SHELL_ICON) {
        if (fx::CIconHandle icon = m_iconFetch.Take(wp))
            ShowIcon(std::move(icon));
        return 0;
    }
    if (msg == WM_NOTIFY) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        int stamp = StampOfPicker(static_cast<int>(hdr->idFrom));
        if (hdr->code == DTN_USERSTRINGW && stamp >= 0) {
            // Typed text: the picker takes the value only when it reads as one,
            // and then reports the change like any other.
            auto* typed = reinterpret_cast<NMDATETIMESTRINGW*>(lp);
            std::optional<SYSTEMTIME> value = ParseTypedTime(typed->pszUserString);
            if (value) {
                typed->st = *value;
                typed->dwFlags = GDT_VALID;
            } else {
                ::SendMessageW(hdr->hwndFrom, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&typed->st));
                typed->dwFlags = GDT_VALID; // keep what it showed
                ::MessageBeep(MB_ICONEXCLAMATION);
            }
            return 0;
        }
        if (hdr->code == DTN_DATETIMECHANGE && stamp >= 0) {
            m_stamps[stamp].changed = true;
            m_bTimeChanged = 1;
            EnableApply(true);
            return 0;
        }
    }
    return CPropertyPage::WindowProc(msg, wp, lp);
}

} // namespace fennix
