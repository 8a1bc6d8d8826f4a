#include "tests/properties/FennixFixture.h"

#include "common/DropList.h"
#include "framework/Handle.h"
#include "outside/pallavol/DiskInfo.h"
#include "properties/FileStamps.h"
#include "properties/res/resource.h"

#include <commctrl.h>

using namespace fennix;

namespace {

using namespace testing_support;

uint64_t Ticks(const FILETIME& ft)
{
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    FILETIME ft{};
    ::SystemTimeToFileTime(&st, &ft);
    return ft;
}

struct FileTimes {
    FILETIME created{}, accessed{}, written{};
};

FileTimes ReadTimes(const std::wstring& path)
{
    FileTimes t;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    t.created = data.ftCreationTime;
    t.accessed = data.ftLastAccessTime;
    t.written = data.ftLastWriteTime;
    return t;
}

void SetTimes(const std::wstring& path, const FILETIME& accessed, const FILETIME& written)
{
    fx::CFileHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    ASSERT_TRUE(::SetFileTime(file.Get(), nullptr, &accessed, &written));
}

class FilePageTest : public FennixTest {
protected:
    // Starts Fennix on one file, as the shell integration does.
    void Open(const std::wstring& path)
    {
        PutDropListOnClipboard({path});
        Start();
    }
    HWND Page() { return Sheet()->FilePage().m_hWnd; }
    HWND Item(int id) { return ::GetDlgItem(Page(), id); }
    std::wstring Text(int id) { return WindowText(Item(id)); }
    bool Checked(int id) { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool ApplyEnabled() { return ::IsWindowEnabled(Item(IDC_APPLY)) != FALSE; }
    void Click(int id)
    {
        ::SendMessageW(Item(id), BM_CLICK, 0, 0);
        PumpMessages();
    }
    SYSTEMTIME Picker(int id)
    {
        SYSTEMTIME st{};
        ::SendMessageW(Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
        return st;
    }
    // What a user's edit of a picker does: a new value, then the change notification.
    void EditPicker(int id, WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
    {
        SYSTEMTIME st = Picker(id);
        if (id == IDC_WRITE_DATE || id == IDC_ACCESSED_DATE || id == IDC_CREATED_DATE) {
            st.wYear = year;
            st.wMonth = month;
            st.wDay = day;
        } else {
            st.wHour = hour;
            st.wMinute = minute;
            st.wSecond = second;
        }
        ::SendMessageW(Item(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
        NMDATETIMECHANGE change{};
        change.nmhdr.hwndFrom = Item(id);
        change.nmhdr.idFrom = static_cast<UINT_PTR>(id);
        change.nmhdr.code = DTN_DATETIMECHANGE;
        change.dwFlags = GDT_VALID;
        change.st = st;
        ::SendMessageW(Page(), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&change));
    }
};

TEST_F(FilePageTest, OneFileShowsItsFigures)
{
    std::wstring path = m_temp.MakeFile(L"quarterly report.final.txt", std::string(1536, 'x'));
    Open(path);
    EXPECT_EQ(Pages(), (std::vector<UINT>{IDD_ABOUT, IDD_FILE_PAGE}));
    EXPECT_EQ(Sheet()->GetActiveIndex(), 1);
    EXPECT_EQ(Text(IDC_FILE_PATH), path);
    EXPECT_EQ(Text(IDC_FILE_TITLE), L"quarterly report.final");
    EXPECT_FALSE(Text(IDC_FILE_TYPE).empty());
    EXPECT_EQ(Text(IDC_FILE_SIZE), CDiskInfo().GetUnitSize(1536) + L"(1536 bytes)");
    // The shell's icon follows from a worker.
    EXPECT_TRUE(PumpUntil([this] { return ::SendMessageW(Item(IDC_FILE_ICON), STM_GETICON, 0, 0) != 0; }));
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_TRUE(ClipboardIsEmpty());

    // The MS-DOS path is another name of the same file.
    std::wstring shortPath = Text(IDC_FILE_SHORT_PATH);
    ASSERT_FALSE(shortPath.empty());
    EXPECT_NE(shortPath, path);
    wchar_t longForm[1024] = L"";
    ASSERT_GT(::GetLongPathNameW(shortPath.c_str(), longForm, 1024), 0u);
    EXPECT_EQ(std::wstring(longForm), path);

    // The pickers show the stored stamps in local time, date and time alike.
    FileTimes stored = ReadTimes(path);
    SYSTEMTIME written = FileTimeToLocal(stored.written).value();
    SYSTEMTIME shownDate = Picker(IDC_WRITE_DATE), shownTime = Picker(IDC_WRITE_TIME);
    EXPECT_EQ(shownDate.wYear, written.wYear);
    EXPECT_EQ(shownDate.wDay, written.wDay);
    EXPECT_EQ(shownTime.wHour, written.wHour);
    EXPECT_EQ(shownTime.wMinute, written.wMinute);
}

TEST_F(FilePageTest, SizesAreFull64BitLengths)
{
    std::wstring empty = m_temp.MakeFile(L"empty.bin", "");
    Open(empty);
    EXPECT_EQ(Text(IDC_FILE_SIZE), CDiskInfo().GetUnitSize(0) + L"(0 bytes)");
    m_app.reset();

    std::wstring big = m_temp.MakeFile(L"big.bin", "");
    {
        fx::CFileHandle file(::CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        LARGE_INTEGER fiveGiB{};
        fiveGiB.QuadPart = 5LL << 30;
        ASSERT_TRUE(::SetFilePointerEx(file.Get(), fiveGiB, nullptr, FILE_BEGIN));
        ASSERT_TRUE(::SetEndOfFile(file.Get()));
    }
    Open(big);
    EXPECT_EQ(Text(IDC_FILE_SIZE), CDiskInfo().GetUnitSize(5ULL << 30) + L"(5368709120 bytes)");
}

TEST_F(FilePageTest, NonAnsiAndLongPathsAreShownWhole)
{
    std::wstring foreign = m_temp.MakeFile(L"Ελληνικά 漢字 ünïcödé.txt");
    Open(foreign);
    EXPECT_EQ(Text(IDC_FILE_PATH), foreign);
    EXPECT_EQ(Text(IDC_FILE_TITLE), L"Ελληνικά 漢字 ünïcödé");
    m_app.reset();

    std::wstring deep = m_temp.MakeFile(std::wstring(100, L'a') + L"\\" + std::wstring(100, L'b') + L"\\" +
                                        std::wstring(80, L'c') + L".log");
    ASSERT_GT(deep.size(), 260u);
    Open(deep);
    EXPECT_EQ(Pages(), (std::vector<UINT>{IDD_ABOUT, IDD_FILE_PAGE}));
    EXPECT_EQ(Text(IDC_FILE_PATH), deep);
    wchar_t longForm[1024] = L"";
    ASSERT_GT(::GetLongPathNameW(Text(IDC_FILE_SHORT_PATH).c_str(), longForm, 1024), 0u);
    EXPECT_EQ(std::wstring(longForm), deep);
    // Changes reach a file that deep too.
    Click(IDC_HIDDEN);
    EditPicker(IDC_WRITE_DATE, 2020, 2, 29, 0, 0, 0);
    EditPicker(IDC_WRITE_TIME, 0, 0, 0, 12, 0, 0);
    Click(IDC_APPLY);
    EXPECT_TRUE(::GetFileAttributesW(deep.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Ticks(ReadTimes(deep).written), Ticks(Utc(2020, 2, 29, 11, 0, 0)));
}

// "report." beside "report", as a Linux drive or a share holds them: the
// selection names the one with the dot in the extended form; the page shows
// it as the user knows it and writes to it alone.
TEST_F(FilePageTest, ANameEndingInADotIsShownAndChangedAsItIs)
{
    const std::wstring plain = m_temp.MakeFile(L"report", "plain");
    const std::wstring folder = m_temp.Path().wstring();
    const std::wstring dotted = L"\\\\?\\" + folder + L"\\report.";
    ASSERT_TRUE(RunOnLinux(folder, "/bin/sh", L"-c \"printf dotted > report.\"", [&dotted] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        return ::GetFileAttributesExW(dotted.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow == 6;
    }));
    const DWORD plainAttributes = ::GetFileAttributesW(plain.c_str());
    const FileTimes plainTimes = ReadTimes(plain);
    Open(dotted);
    EXPECT_EQ(Text(IDC_FILE_PATH), folder + L"\\report.");
    EXPECT_EQ(Text(IDC_FILE_SIZE), CDiskInfo().GetUnitSize(6) + L"(6 bytes)");
    EXPECT_EQ(Text(IDC_FILE_SHORT_PATH).rfind(L"\\\\?\\", 0), std::wstring::npos);
    Click(IDC_HIDDEN);
    EditPicker(IDC_WRITE_DATE, 2020, 2, 29, 0, 0, 0);
    EditPicker(IDC_WRITE_TIME, 0, 0, 0, 12, 0, 0);
    Click(IDC_APPLY);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_TRUE(::GetFileAttributesW(dotted.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Ticks(ReadTimes(dotted).written), Ticks(Utc(2020, 2, 29, 11, 0, 0)));
    EXPECT_EQ(::GetFileAttributesW(plain.c_str()), plainAttributes);
    EXPECT_EQ(Ticks(ReadTimes(plain).written), Ticks(plainTimes.written));
}

TEST_F(FilePageTest, WhatTheFilePageRefusesLeavesOnlyAbout)
{
    for (const std::wstring& path : {(m_temp.Path() / L"vanished.txt").wstring(), std::wstring(L"C:\\")}) {
        Open(path);
        EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT}) << "for " << std::string(path.begin(), path.end());
        EXPECT_EQ(TabCount(), 1);
        EXPECT_TRUE(ClipboardIsEmpty());
        m_app.reset();
        PumpMessages();
    }
}

TEST_F(FilePageTest, OnlyTheBoxesAndStampsTheUserChangedAreWrittenOntoTheFileAsItIsNow)
{
    std::wstring path = m_temp.MakeFile(L"attributes.txt");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE));
    Open(path);
    EXPECT_TRUE(Checked(IDC_ARCHIVE));
    EXPECT_FALSE(Checked(IDC_READ_ONLY));
    EXPECT_FALSE(Checked(IDC_HIDDEN));
    EXPECT_FALSE(Checked(IDC_SYSTEM));

    // Another program sets Read Only and Hidden after the page read the file;
    // the user changes only a date: the attributes stay as that program left them.
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), 0x23));
    EditPicker(IDC_WRITE_DATE, 2021, 7, 15, 0, 0, 0);
    Click(IDC_APPLY);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), 0x23u);
    const FILETIME written = ReadTimes(path).written;

    // Ticking System writes that bit alone, and the stamp written before is
    // no longer the user's change: another program's new stamp stays.
    SetTimes(path, Utc(2020, 3, 4, 5, 6, 7), Utc(2019, 8, 9, 10, 11, 12));
    Click(IDC_SYSTEM);
    Click(IDC_APPLY);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), 0x27u);
    EXPECT_EQ(Ticks(ReadTimes(path).written), Ticks(Utc(2019, 8, 9, 10, 11, 12)));
    EXPECT_NE(Ticks(written), Ticks(Utc(2019, 8, 9, 10, 11, 12)));

    // Boxes ticked and unticked again are no change.
    Click(IDC_HIDDEN);
    Click(IDC_HIDDEN);
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), 0x21));
    Click(IDC_APPLY);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), 0x21u);
}

TEST_F(FilePageTest, AttributesThatCannotBeWrittenAreReportedAndApplyStays)
{
    std::wstring path = m_temp.MakeFile(L"vanishing.txt");
    Open(path);
    ASSERT_TRUE(::DeleteFileW(path.c_str()));
    MessageBoxRecorder boxes;
    Click(IDC_READ_ONLY);
    Click(IDC_APPLY);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Unable to set the file attributes");
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES); // nothing made anew

    // Once the file is back, the same Apply writes it.
    m_temp.MakeFile(L"vanishing.txt");
    Click(IDC_APPLY);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_TRUE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST(FileStamps, AttributeWordForTheBoxes)
{
    const DWORD kept = FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE;
    const AttributeChoice none{}, archive{true}, archiveReadOnly{true, true}, readOnly{false, true};
    const struct {
        DWORD current;
        AttributeChoice shown, chosen;
        DWORD written;
    } cases[] = {
        {FILE_ATTRIBUTE_ARCHIVE, archive, none, FILE_ATTRIBUTE_NORMAL},
        {0, none, archiveReadOnly, 0x21},
        {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, archive, readOnly, 0x3}, // Hidden came meanwhile
        {kept | FILE_ATTRIBUTE_SYSTEM, none, readOnly, kept | 0x5},               // so did System
        {kept | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_READONLY, readOnly, none, kept},
        {0x23, archive, archive, 0x23}, // nothing changed by the user
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComposeAttributes(c.current, c.shown, c.chosen), c.written) << std::hex << c.current;
}

// A stamp's date and its time of day are edited apart; what lands on disk is
// exactly the local time the user set, by the daylight-saving rule of that
// date, and nothing else changes. The tests run with TZ=Europe/Berlin.
TEST_F(FilePageTest, ChangedStampIsWrittenExactlyAndTheOthersKept)
{
    std::wstring path = m_temp.MakeFile(L"times.txt");
    // Stored stamps with a sub-second part, which an unchanged stamp must keep.
    FILETIME accessed = Utc(2020, 3, 4, 5, 6, 7), written = Utc(2019, 8, 9, 10, 11, 12);
    accessed.dwLowDateTime += 1234567;
    written.dwLowDateTime += 7654321;
    SetTimes(path, accessed, written);
    Open(path);

    EditPicker(IDC_WRITE_DATE, 2021, 7, 15, 0, 0, 0);     // summer: UTC+2
    EditPicker(IDC_WRITE_TIME, 0, 0, 0, 14, 30, 45);
    EXPECT_TRUE(ApplyEnabled());
    Click(IDC_APPLY);
    FileTimes after = ReadTimes(path);
    EXPECT_EQ(Ticks(after.written), Ticks(Utc(2021, 7, 15, 12, 30, 45)));
    EXPECT_EQ(Ticks(after.accessed), Ticks(accessed));
    // (Wine derives the creation stamp from the Unix times, so it cannot be
    // compared here.)
    // Both pickers now show what was written.
    EXPECT_EQ(Picker(IDC_WRITE_DATE).wHour, 14);
    EXPECT_EQ(Picker(IDC_WRITE_TIME).wDay, 15);

    EditPicker(IDC_ACCESSED_DATE, 2021, 1, 15, 0, 0, 0); // winter: UTC+1
    EditPicker(IDC_ACCESSED_TIME, 0, 0, 0, 9, 0, 0);
    Click(IDC_APPLY);
    after = ReadTimes(path);
    EXPECT_EQ(Ticks(after.accessed), Ticks(Utc(2021, 1, 15, 8, 0, 0)));
    EXPECT_EQ(Ticks(after.written), Ticks(Utc(2021, 7, 15, 12, 30, 45)));
}

TEST_F(FilePageTest, TypedDatesAreReadOrRefused)
{
    std::wstring path = m_temp.MakeFile(L"typed.txt");
    Open(path);
    const SYSTEMTIME before = Picker(IDC_WRITE_DATE);
    auto type = [this](int id, const wchar_t* text) {
        NMDATETIMESTRINGW typed{};
        typed.nmhdr.hwndFrom = Item(id);
        typed.nmhdr.idFrom = static_cast<UINT_PTR>(id);
        typed.nmhdr.code = DTN_USERSTRINGW;
        typed.pszUserString = text;
        ::SendMessageW(Page(), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&typed));
        return typed;
    };
    NMDATETIMESTRINGW read = type(IDC_WRITE_DATE, L"July 15, 2021");
    EXPECT_EQ(read.dwFlags, static_cast<DWORD>(GDT_VALID));
    EXPECT_EQ(read.st.wYear, 2021);
    EXPECT_EQ(read.st.wMonth, 7);
    EXPECT_EQ(read.st.wDay, 15);
    read = type(IDC_WRITE_TIME, L"14:30:05");
    EXPECT_EQ(read.st.wHour, 14);
    EXPECT_EQ(read.st.wMinute, 30);
    EXPECT_EQ(read.st.wSecond, 5);
    NMDATETIMESTRINGW refused = type(IDC_WRITE_DATE, L"no date at all");
    EXPECT_EQ(refused.dwFlags, static_cast<DWORD>(GDT_VALID));
    EXPECT_EQ(refused.st.wYear, before.wYear);
    EXPECT_EQ(refused.st.wDay, before.wDay);
}

// The pickers cannot reach such a date (they start in 1752), but a typed one
// must not turn into a time: the page then writes none and says so.
TEST(FileStamps, LocalTimesThatAreNoFileTime)
{
    SYSTEMTIME firstDay{};
    firstDay.wYear = 1601;
    firstDay.wMonth = 1;
    firstDay.wDay = 1;
    SYSTEMTIME halfPastMidnight{};
    halfPastMidnight.wMinute = 30;
    // Still the year before in UTC, east of Greenwich.
    EXPECT_FALSE(LocalToFileTime(firstDay, halfPastMidnight).has_value());
    SYSTEMTIME noSuchDay = firstDay;
    noSuchDay.wYear = 2021;
    noSuchDay.wMonth = 2;
    noSuchDay.wDay = 30;
    EXPECT_FALSE(LocalToFileTime(noSuchDay, halfPastMidnight).has_value());
    noSuchDay.wDay = 28;
    EXPECT_TRUE(LocalToFileTime(noSuchDay, halfPastMidnight).has_value());
}

// One stamp set by the user, written exactly (the tests run with
// TZ=Europe/Berlin), at the edges of the range, together with a change of
// Read Only either way, and onto a file another program holds open.
TEST_F(FilePageTest, StampsAreWrittenAlsoWithReadOnlyChangedAndOnABusyFile)
{
    struct Case {
        const wchar_t* name;
        DWORD attributes;
        bool heldOpen;
        bool accessed; // else the written stamp
        WORD year, month, day, hour;
        FILETIME expected;
        bool readOnlyAfter;
    };
    const Case cases[] = {
        {L"edge low.txt", FILE_ATTRIBUTE_NORMAL, false, false, 1970, 1, 1, 1, Utc(1970, 1, 1, 0, 0, 0), false},
        {L"edge high.txt", FILE_ATTRIBUTE_NORMAL, false, true, 2100, 6, 1, 12, Utc(2100, 6, 1, 10, 0, 0), false},
        {L"unlocked.txt", FILE_ATTRIBUTE_READONLY, false, false, 2022, 2, 2, 12, Utc(2022, 2, 2, 11, 0, 0), false},
        {L"locked.txt", FILE_ATTRIBUTE_NORMAL, false, false, 2023, 3, 3, 12, Utc(2023, 3, 3, 11, 0, 0), true},
        {L"busy.txt", FILE_ATTRIBUTE_NORMAL, true, false, 2018, 12, 24, 18, Utc(2018, 12, 24, 17, 0, 0), false},
    };
    for (const Case& c : cases) {
        const std::wstring path = m_temp.MakeFile(c.name);
        ASSERT_TRUE(::SetFileAttributesW(path.c_str(), c.attributes));
        fx::CFileHandle other;
        if (c.heldOpen)
            other.Reset(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        Open(path);
        MessageBoxRecorder boxes;
        if (c.attributes == FILE_ATTRIBUTE_READONLY || c.readOnlyAfter)
            Click(IDC_READ_ONLY);
        EditPicker(c.accessed ? IDC_ACCESSED_DATE : IDC_WRITE_DATE, c.year, c.month, c.day, 0, 0, 0);
        EditPicker(c.accessed ? IDC_ACCESSED_TIME : IDC_WRITE_TIME, 0, 0, 0, c.hour, 0, 0);
        Click(IDC_APPLY);
        EXPECT_TRUE(boxes.shown.empty()) << c.name;
        const FileTimes after = ReadTimes(path);
        EXPECT_EQ(Ticks(c.accessed ? after.accessed : after.written), Ticks(c.expected)) << c.name;
        EXPECT_EQ((::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0, c.readOnlyAfter) << c.name;
        m_app.reset();
        PumpMessages();
    }
}

TEST_F(FilePageTest, DoneAndCancelEndTheProgram)
{
    std::wstring path = m_temp.MakeFile(L"untouched.txt");
    SetTimes(path, Utc(2001, 1, 1, 1, 1, 1), Utc(2002, 2, 2, 2, 2, 2));
    const DWORD attributesBefore = ::GetFileAttributesW(path.c_str());

    // Done with nothing pending writes nothing.
    Open(path);
    ::SendMessageW(Item(IDOK), BM_CLICK, 0, 0);
    int code = -1;
    EXPECT_TRUE(PumpMessages(&code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Ticks(ReadTimes(path).written), Ticks(Utc(2002, 2, 2, 2, 2, 2)));
    m_app.reset();
    PumpMessages();

    // Cancel drops pending changes.
    Open(path);
    Click(IDC_HIDDEN);
    EditPicker(IDC_WRITE_DATE, 2015, 5, 5, 0, 0, 0);
    ::SendMessageW(Item(IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpMessages(&code));
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), attributesBefore);
    EXPECT_EQ(Ticks(ReadTimes(path).written), Ticks(Utc(2002, 2, 2, 2, 2, 2)));
    m_app.reset();
    PumpMessages();

    // Done with a pending change applies it first.
    Open(path);
    EditPicker(IDC_WRITE_DATE, 2016, 6, 6, 0, 0, 0);
    EditPicker(IDC_WRITE_TIME, 0, 0, 0, 6, 0, 0);
    ::SendMessageW(Item(IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpMessages(&code));
    EXPECT_EQ(Ticks(ReadTimes(path).written), Ticks(Utc(2016, 6, 6, 4, 0, 0)));
}

} // namespace
