#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "framework/Wnd.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT kWhoAreYou = WM_APP + 20;

// Answers kWhoAreYou with its own number, so a test can tell which object a
// window's messages reach, and counts the windows it prepared to take over.
class CAnsweringWnd : public fx::CWnd {
public:
    explicit CAnsweringWnd(int number) : m_number(number) {}
    int prepared = 0;

protected:
    void PreSubclassWindow() override { ++prepared; }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        return msg == kWhoAreYou ? m_number : Default(msg, wp, lp);
    }

private:
    int m_number;
};

HWND MakePlainWindow()
{
    return ::CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
}

TEST(Binding, ASecondObjectCannotTakeABoundWindow)
{
    HWND window = MakePlainWindow();
    CAnsweringWnd first(1), second(2);
    ASSERT_TRUE(first.SubclassWindow(window));
    EXPECT_FALSE(second.SubclassWindow(window));
    EXPECT_EQ(second.prepared, 0); // nor touched it
    EXPECT_EQ(fx::CWnd::FromHandlePermanent(window), &first);
    EXPECT_EQ(::SendMessageW(window, kWhoAreYou, 0, 0), 1);

    // Once the first lets go, the window is free for another.
    first.UnsubclassWindow();
    EXPECT_TRUE(second.SubclassWindow(window));
    EXPECT_EQ(::SendMessageW(window, kWhoAreYou, 0, 0), 2);
    ::DestroyWindow(window);
}

// An in-memory dialog template with one control of the given class, as a
// resource compiler would lay it out.
std::vector<WORD> OneControlDialog(const std::wstring& className, WORD id)
{
    std::vector<WORD> words;
    auto dword = [&](DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    };
    dword(WS_POPUP);
    dword(0);
    words.insert(words.end(), {1, 0, 0, 100, 60}); // one item; x, y, cx, cy
    words.insert(words.end(), {0, 0, 0});         // no menu, the standard dialog class, no title
    if (words.size() % 2)
        words.push_back(0); // items start on a DWORD
    dword(WS_CHILD | WS_VISIBLE);
    dword(0);
    words.insert(words.end(), {5, 5, 80, 40, id}); // x, y, cx, cy, id
    words.insert(words.end(), className.begin(), className.end());
    words.push_back(0);
    words.push_back(0); // no title
    words.push_back(0); // no creation data
    return words;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

TEST(CustomControl, ADialogNamingTheRegisteredClassGetsThatControl)
{
    ASSERT_TRUE(fx::RegisterCustomControlClass(L"PIE_CHART_CTRL"));
    EXPECT_TRUE(fx::RegisterCustomControlClass(L"PIE_CHART_CTRL")); // a second time does no harm

    std::vector<WORD> dialogTemplate = OneControlDialog(L"PIE_CHART_CTRL", 42);
    HWND dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                               reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), nullptr,
                                               PlainDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND pie = ::GetDlgItem(dialog, 42);
    ASSERT_NE(pie, nullptr);
    wchar_t className[64] = {};
    ::GetClassNameW(pie, className, 64);
    EXPECT_STREQ(className, L"PIE_CHART_CTRL");

    // Our object takes the control over as it would any dialog item.
    CAnsweringWnd chart(7);
    fx::CDataExchange dx(dialog, false);
    fx::DDX_Control(dx, 42, chart);
    EXPECT_EQ(chart.m_hWnd, pie);
    EXPECT_EQ(::SendMessageW(pie, kWhoAreYou, 0, 0), 7);
    ::DestroyWindow(dialog);
}

// An owner-drawn, sorted list box without strings: the system asks its
// owner for the height, the order and the end of every item. The object
// answers: items 23 pixels high, in falling order of their data.
class CRecordingList : public fx::CWnd {
public:
    std::vector<ULONG_PTR> deleted;
    int measured = 0;

protected:
    bool OnChildNotify(UINT msg, WPARAM, LPARAM lp, LRESULT* result) override
    {
        switch (msg) {
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = 23;
            ++measured;
            *result = TRUE;
            return true;
        case WM_COMPAREITEM: {
            const auto* items = reinterpret_cast<const COMPAREITEMSTRUCT*>(lp);
            *result = items->itemData1 > items->itemData2 ? -1 : items->itemData1 < items->itemData2 ? 1 : 0;
            return true;
        }
        case WM_DELETEITEM:
            deleted.push_back(reinterpret_cast<const DELETEITEMSTRUCT*>(lp)->itemData);
            *result = TRUE;
            return true;
        }
        return false;
    }
};

TEST(Reflection, MeasureCompareAndDeleteReachTheListObject)
{
    fx::CFrameWnd owner;
    ASSERT_TRUE(owner.Create(L"owner", WS_POPUP, RECT{0, 0, 200, 200}));
    HWND listBox = ::CreateWindowExW(0, L"LISTBOX", nullptr,
                                     WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_SORT, 0, 0, 150, 150,
                                     owner.m_hWnd, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(listBox, nullptr);
    CRecordingList list;
    ASSERT_TRUE(list.SubclassWindow(listBox));
    for (LPARAM data : {10, 30, 20})
        ::SendMessageW(listBox, LB_ADDSTRING, 0, data);

    EXPECT_EQ(list.measured, 3);
    EXPECT_EQ(::SendMessageW(listBox, LB_GETITEMHEIGHT, 0, 0), 23);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(::SendMessageW(listBox, LB_GETITEMDATA, static_cast<WPARAM>(i), 0), 30 - 10 * i);

    ::SendMessageW(listBox, LB_DELETESTRING, 1, 0);
    EXPECT_EQ(list.deleted, std::vector<ULONG_PTR>{20});
    owner.DestroyWindow();
}

class WindowTimer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_window.Create(L"timers", WS_POPUP, RECT{0, 0, 10, 10})); }
    void TearDown() override { m_window.DestroyWindow(); }
    // Pumps until a timer set now for a tenth of a second has fired: any shorter one would have too.
    void LetShortTimersFire(fx::CWnd& clockWindow)
    {
        bool rang = false;
        ASSERT_TRUE(clockWindow.SetTimer(99, 100, [&] {
            rang = true;
            clockWindow.KillTimer(99);
        }));
        ASSERT_TRUE(testing_support::PumpUntil([&] { return rang; }));
    }

    fx::CFrameWnd m_window;
};

TEST_F(WindowTimer, TicksUntilKilledAndNeverAfterTheKillTheWindowOrTheObjectEnds)
{
    int ticks = 0;
    bool late = false;
    ASSERT_TRUE(m_window.SetTimer(1, 10, [&] {
        if (++ticks == 3)
            m_window.KillTimer(1);
    }));
    EXPECT_TRUE(testing_support::PumpUntil([&] { return ticks == 3; }));
    EXPECT_FALSE(::KillTimer(m_window.m_hWnd, 1)); // the system's timer is gone too
    ASSERT_TRUE(m_window.SetTimer(2, 10, [&] { late = true; }));
    m_window.KillTimer(2);
    ASSERT_TRUE(m_window.SetTimer(3, 10, [&] { late = true; }));
    m_window.DestroyWindow();
    // The same object on a new window: the old timer does not follow it.
    ASSERT_TRUE(m_window.Create(L"timers again", WS_POPUP, RECT{0, 0, 10, 10}));
    LetShortTimersFire(m_window);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(late);

    HWND window = MakePlainWindow();
    {
        CAnsweringWnd object(1);
        ASSERT_TRUE(object.SubclassWindow(window));
        ASSERT_TRUE(object.SetTimer(5, 10, [] {}));
    }
    EXPECT_FALSE(::KillTimer(window, 5)); // the window lives on without a timer nobody would answer
    ::DestroyWindow(window);
}

} // namespace
