#include "tests/properties/FennixFixture.h"

#include "framework/Handle.h"
#include "framework/LongPath.h"
#include "outside/pallavol/DiskInfo.h"
#include "properties/FileStamps.h"
#include "properties/Messages.h"
#include "properties/res/resource.h"

#include <commctrl.h>

#include <array>
#include <tuple>

using namespace fennix;

namespace {

using namespace testing_support;

uint64_t Ticks(const FILETIME& ft)
{
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute = 0, WORD second = 0)
{
    const SYSTEMTIME st{year, month, 0, day, hour, minute, second, 0};
    FILETIME ft{};
    ::SystemTimeToFileTime(&st, &ft);
    return ft;
}

// The stamps as stored, in SetFileTime's order: created, accessed, written.
std::array<uint64_t, 3> Stamps(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    return {Ticks(data.ftCreationTime), Ticks(data.ftLastAccessTime), Ticks(data.ftLastWriteTime)};
}

void SetTimes(const std::wstring& path, const FILETIME& accessed, const FILETIME& written)
{
    fx::CFileHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file && ::SetFileTime(file.Get(), nullptr, &accessed, &written));
}

class FilePageTest : public FennixTest {
protected:
    HWND Page() { return Sheet()->FilePage().m_hWnd; }
    HWND Item(int id) { return ::GetDlgItem(Page(), id); }
    std::wstring Text(int id) { return WindowText(Item(id)); }
    bool Checked(int id) { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool ApplyEnabled() { return ::IsWindowEnabled(Item(IDC_APPLY)) != FALSE; }
    SYSTEMTIME Picker(int id)
    {
        SYSTEMTIME st{};
        ::SendMessageW(Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
        return st;
    }
    // A user's edit of a stamp's two pickers (local time: the tests run with
    // TZ=Europe/Berlin), each new value followed by the change notification.
    void EditStamp(int dateId, WORD year, WORD month, WORD day, WORD hour)
    {
        const int timeId = dateId == IDC_WRITE_DATE ? IDC_WRITE_TIME : IDC_ACCESSED_TIME;
        for (int id : {dateId, timeId}) {
            SYSTEMTIME st = Picker(id);
            if (id == dateId)
                std::tie(st.wYear, st.wMonth, st.wDay) = std::tie(year, month, day);
            else
                std::tie(st.wHour, st.wMinute, st.wSecond) = std::tuple(hour, WORD{0}, WORD{0});
            ::SendMessageW(Item(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
            NMDATETIMECHANGE change{{Item(id), static_cast<UINT_PTR>(id), static_cast<UINT>(DTN_DATETIMECHANGE)},
                                    GDT_VALID, st};
            ::SendMessageW(Page(), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&change));
        }
    }
};

// Each file shows its paths, its name without the extension and its full
// 64-bit size; the MS-DOS path is another name of the same file.
TEST_F(FilePageTest, AFileShowsItsFiguresAndTakesTypedDates)
{
    const std::wstring deep = std::wstring(100, L'a') + L"\\" + std::wstring(100, L'b') + L"\\" + std::wstring(80, L'c');
    const std::tuple<std::wstring, std::wstring, uint64_t> cases[] = {
        {L"quarterly report.final.txt", L"quarterly report.final", 1536},
        {L"empty.bin", L"empty", 0},
        {L"big.bin", L"big", 5ULL << 30},
        {L"Ελληνικά 漢字 ünïcödé.txt", L"Ελληνικά 漢字 ünïcödé", 4},
        {deep + L".log", std::wstring(80, L'c'), 4},
    };
    for (const auto& [name, title, size] : cases) {
        const std::wstring path = m_temp.MakeFile(name);
        std::filesystem::resize_file(fx::ExtendedLengthPath(path), size); // a hole: the bytes take no room
        Open({path});
        SCOPED_TRACE(testing::PrintToString(name));
        EXPECT_EQ(Text(IDC_FILE_PATH), path);
        EXPECT_EQ(Text(IDC_FILE_TITLE), title);
        EXPECT_EQ(Text(IDC_FILE_SIZE), CDiskInfo().GetUnitSize(size) + L"(" + std::to_wstring(size) + L" bytes)");
        wchar_t longForm[1024] = L"";
        ASSERT_GT(::GetLongPathNameW(Text(IDC_FILE_SHORT_PATH).c_str(), longForm, 1024), 0u);
        EXPECT_EQ(std::wstring(longForm), path);
        EXPECT_FALSE(ApplyEnabled());
    }
    // The type, the shell's icon (from a worker) and the stamps in local time.
    const std::wstring stamped = m_temp.MakeFile(L"stamped.txt");
    SetTimes(stamped, Utc(2020, 3, 4, 5), Utc(2021, 7, 15, 12, 30, 45));
    Open({stamped});
    EXPECT_FALSE(Text(IDC_FILE_TYPE).empty());
    EXPECT_NE(Text(IDC_FILE_SHORT_PATH), Text(IDC_FILE_PATH));
    EXPECT_TRUE(PumpUntil([this] { return ::SendMessageW(Item(IDC_FILE_ICON), STM_GETICON, 0, 0) != 0; }));
    const SYSTEMTIME date = Picker(IDC_WRITE_DATE), time = Picker(IDC_WRITE_TIME);
    EXPECT_EQ(std::tuple(date.wYear, date.wMonth, date.wDay, time.wHour, time.wMinute, time.wSecond),
              std::tuple(2021, 7, 15, 14, 30, 45));
    // A typed date or time is taken when it reads as one; else the picker
    // keeps what it showed. Local times that are no file time (the pickers
    // cannot reach them, a typed one could) turn into none.
    auto type = [this](int id, const wchar_t* text) {
        NMDATETIMESTRINGW typed{};
        typed.nmhdr = {Item(id), static_cast<UINT_PTR>(id), static_cast<UINT>(DTN_USERSTRINGW)};
        typed.pszUserString = text;
        ::SendMessageW(Page(), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&typed));
        EXPECT_EQ(typed.dwFlags, static_cast<DWORD>(GDT_VALID));
        return typed.st;
    };
    const SYSTEMTIME typedDate = type(IDC_WRITE_DATE, L"July 9, 2020"), typedTime = type(IDC_WRITE_TIME, L"4:03:05");
    EXPECT_EQ(std::tuple(typedDate.wYear, typedDate.wMonth, typedDate.wDay), std::tuple(2020, 7, 9));
    EXPECT_EQ(std::tuple(typedTime.wHour, typedTime.wMinute, typedTime.wSecond), std::tuple(4, 3, 5));
    const SYSTEMTIME refused = type(IDC_WRITE_DATE, L"no date at all");
    EXPECT_EQ(std::tuple(refused.wYear, refused.wDay), std::tuple(date.wYear, date.wDay));

    const SYSTEMTIME halfPastMidnight{0, 0, 0, 0, 0, 30, 0, 0};
    const std::pair<SYSTEMTIME, bool> days[] = {
        {{1601, 1, 0, 1, 0, 0, 0, 0}, false}, // still the year before in UTC, east of Greenwich
        {{2021, 2, 0, 30, 0, 0, 0, 0}, false},
        {{2021, 2, 0, 28, 0, 0, 0, 0}, true},
    };
    for (const auto& [day, valid] : days)
        EXPECT_EQ(LocalToFileTime(day, halfPastMidnight).has_value(), valid) << day.wYear << "-" << day.wDay;
}

// "report." beside "report", as a Linux drive or a share holds them: the
// selection names the one with the dot in the extended form; the page shows
// it as the user knows it and writes to it alone, only what the user changed,
// onto the file as it is now.
TEST_F(FilePageTest, OnlyWhatTheUserChangedIsWrittenOntoTheFileAsItIsNowAndNamedAsItIs)
{
    const std::wstring plain = m_temp.MakeFile(L"report", "plain");
    const std::wstring folder = m_temp.Path().wstring();
    const std::wstring path = L"\\\\?\\" + folder + L"\\report.";
    const auto makeDotted = [&] {
        return RunOnLinux(folder, "/bin/sh", L"-c \"printf dotted > report.\"", [&path] {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow == 6;
        });
    };
    ASSERT_TRUE(makeDotted());
    const DWORD plainAttributes = ::GetFileAttributesW(plain.c_str());
    const uint64_t plainWritten = Stamps(plain)[2];
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE));
    Open({path});
    EXPECT_EQ(Text(IDC_FILE_PATH), folder + L"\\report.");
    EXPECT_EQ(Text(IDC_FILE_SIZE), CDiskInfo().GetUnitSize(6) + L"(6 bytes)");
    EXPECT_EQ(Text(IDC_FILE_SHORT_PATH).rfind(L"\\\\?\\", 0), std::wstring::npos);
    EXPECT_EQ((std::vector<bool>{Checked(IDC_ARCHIVE), Checked(IDC_READ_ONLY), Checked(IDC_HIDDEN), Checked(IDC_SYSTEM)}),
              (std::vector<bool>{true, false, false, false}));

    // Another program sets Read Only and Hidden after the page read the file;
    // the user changes only a date: the attributes stay as that program left them.
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), 0x23));
    EditStamp(IDC_WRITE_DATE, 2020, 2, 29, 12);
    Click(Item(IDC_APPLY));
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), 0x23u);
    EXPECT_EQ(Stamps(path)[2], Ticks(Utc(2020, 2, 29, 11)));

    // Ticking System writes that bit alone, and the stamp written before is
    // no longer the user's change: another program's new stamp stays.
    SetTimes(path, Utc(2020, 3, 4, 5, 6, 7), Utc(2019, 8, 9, 10, 11, 12));
    Click(Item(IDC_SYSTEM));
    Click(Item(IDC_APPLY));
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), 0x27u);
    EXPECT_EQ(Stamps(path)[2], Ticks(Utc(2019, 8, 9, 10, 11, 12)));
    EXPECT_EQ(::GetFileAttributesW(plain.c_str()), plainAttributes);
    EXPECT_EQ(Stamps(plain)[2], plainWritten);

    // Boxes ticked and unticked again are no change.
    Click(Item(IDC_HIDDEN));
    Click(Item(IDC_HIDDEN));
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), 0x21));
    Click(Item(IDC_APPLY));
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), 0x21u);

    // A file gone meanwhile: the failure is told, Apply stays and nothing is
    // made anew; once the file is back, the same Apply writes it.
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL) && ::DeleteFileW(path.c_str()));
    MessageBoxRecorder boxes;
    Click(Item(IDC_READ_ONLY));
    Click(Item(IDC_APPLY));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Unable to set the file attributes");
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(makeDotted());
    Click(Item(IDC_APPLY));
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_TRUE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
}

// One stamp set by the user lands on disk exactly, by the daylight-saving
// rule of its date, at the edges of the range, with a change of Read Only
// either way, and onto a file another program holds open (edge low); the
// other stamps keep their stored value to the tick.
TEST_F(FilePageTest, AChangedStampIsWrittenExactlyAndTheOthersKept)
{
    const struct {
        const wchar_t* name;
        DWORD attributes;
        bool heldOpen, readOnlyAfter;
        int dateId;
        WORD year, month, day, hour;
        FILETIME expected;
    } cases[] = {
        {L"summer.txt", FILE_ATTRIBUTE_READONLY, false, false, IDC_WRITE_DATE, 2021, 7, 15, 14, Utc(2021, 7, 15, 12)},
        {L"winter.txt", FILE_ATTRIBUTE_NORMAL, false, true, IDC_ACCESSED_DATE, 2021, 1, 15, 9, Utc(2021, 1, 15, 8)},
        {L"edge low.txt", FILE_ATTRIBUTE_NORMAL, true, false, IDC_WRITE_DATE, 1970, 1, 1, 1, Utc(1970, 1, 1, 0)},
        {L"edge high.txt", FILE_ATTRIBUTE_NORMAL, false, false, IDC_ACCESSED_DATE, 2100, 6, 1, 12, Utc(2100, 6, 1, 10)},
    };
    for (const auto& c : cases) {
        const std::wstring path = m_temp.MakeFile(c.name);
        // Stored stamps with a sub-second part, which an unchanged stamp must keep.
        FILETIME accessed = Utc(2020, 3, 4, 5, 6, 7), written = Utc(2019, 8, 9, 10, 11, 12);
        accessed.dwLowDateTime += 1234567;
        written.dwLowDateTime += 7654321;
        SetTimes(path, accessed, written);
        ASSERT_TRUE(::SetFileAttributesW(path.c_str(), c.attributes));
        fx::CFileHandle other;
        if (c.heldOpen)
            other.Reset(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        Open({path});
        MessageBoxRecorder boxes;
        if (c.attributes == FILE_ATTRIBUTE_READONLY || c.readOnlyAfter)
            Click(Item(IDC_READ_ONLY));
        EditStamp(c.dateId, c.year, c.month, c.day, c.hour);
        EXPECT_TRUE(ApplyEnabled());
        Click(Item(IDC_APPLY));
        EXPECT_TRUE(boxes.shown.empty()) << c.name;
        // (Wine derives the creation stamp from the Unix times: it is not compared.)
        const bool wrote = c.dateId == IDC_WRITE_DATE;
        const std::array<uint64_t, 3> after = Stamps(path);
        EXPECT_EQ(after[1], wrote ? Ticks(accessed) : Ticks(c.expected)) << c.name;
        EXPECT_EQ(after[2], wrote ? Ticks(c.expected) : Ticks(written)) << c.name;
        EXPECT_EQ((::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0, c.readOnlyAfter) << c.name;
        // Both pickers of the stamp now show what was written.
        EXPECT_EQ(Picker(c.dateId).wHour, c.hour) << c.name;
        EXPECT_EQ(Picker(wrote ? IDC_WRITE_TIME : IDC_ACCESSED_TIME).wDay, c.day) << c.name;
    }
}

// A drive that takes seconds over the item holds up a worker alone: the frame
// shows and answers while it waits, Exit ends the program at once, and of
// two selections the last one's page is shown. The events are never closed:
// an abandoned worker may still wait on them.
const HANDLE g_asked = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
const HANDLE g_open = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
const HANDLE g_openLast = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);

TEST_F(FilePageTest, ASlowDriveLeavesTheFrameAnsweringAndTheLastSelectionsPageFollows)
{
    const std::wstring first = m_temp.MakeFile(L"first.txt", "1"), last = m_temp.MakeFile(L"last.txt", "12345");
    SetFileFactsDelay([](const std::wstring& path) {
        ::SetEvent(g_asked);
        ::WaitForSingleObject(path.ends_with(L"last.txt") ? g_openLast : g_open, 60000);
    });
    ::ResetEvent(g_openLast);
    for (bool exit : {false, true}) {
        ::ResetEvent(g_open);
        ::ResetEvent(g_asked);
        PutDropListOnClipboard({first});
        m_app = std::make_unique<CPropertiesApp>();
        m_app->CreateFrame();
        ASSERT_EQ(::WaitForSingleObject(g_asked, 10000), WAIT_OBJECT_0);
        ASSERT_TRUE(PumpUntil([this] { return Frame()->IsWindowVisible(); }, 2000));
        EXPECT_TRUE(Sheet()->IsLookingUp());
        EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT});
        if (exit) {
            Frame()->SendMessage(WM_CLOSE);
            int code = -1;
            EXPECT_TRUE(PumpMessages(&code));
            EXPECT_EQ(code, 0);
            m_app.reset(); // while the worker still waits on the drive
            break;
        }
        // The first selection's answer is already queued when two items are
        // dropped: that late answer is ignored. Then the last file is dropped,
        // and the frame waits on its slow answer.
        ::SetEvent(g_open);
        MSG answer{};
        ASSERT_TRUE(PollUntil(
            [&] { return ::PeekMessageW(&answer, Sheet()->m_hWnd, WM_FIRST_ITEM, WM_FIRST_ITEM, PM_NOREMOVE) != 0; }));
        Sheet()->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDropList({last, first})));
        PumpMessages();
        EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT});
        Sheet()->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDropList({last})));
        PumpMessages();
        EXPECT_TRUE(Sheet()->IsLookingUp());
        EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT});
        ::SetEvent(g_openLast);
        ASSERT_TRUE(PumpUntil([this] { return !Sheet()->IsLookingUp(); }));
        PumpMessages();
        EXPECT_EQ(Pages(), (std::vector<UINT>{IDD_ABOUT, IDD_FILE_PAGE}));
        EXPECT_EQ(Text(IDC_FILE_SIZE), CDiskInfo().GetUnitSize(5) + L"(5 bytes)"); // and so its path
        Stop();
    }
    SetFileFactsDelay(nullptr);
    ::SetEvent(g_open);
    ::SetEvent(g_openLast);
}

} // namespace
