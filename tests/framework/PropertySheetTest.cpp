#include "framework/Controls.h"
#include "framework/PropertySheet.h"
#include "tests/framework/res/framework_test.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <utility>

namespace {

const int kApplyButton = 0x3021; // comctl32's id for the sheet's Apply button

// A whole number from 0 to 10, and a button with a tooltip.
class CNumberPage : public fx::CPropertyPage {
public:
    CNumberPage() : CPropertyPage(IDD_TEST_PAGE) {}

    int number = 5;
    int confirmed = 0; // times OnOK ran
    fx::CToolTipCtrl tip;

    void Type(const wchar_t* text) const { ::SetDlgItemTextW(m_hWnd, IDC_NUMBER, text); }

protected:
    BOOL OnInitDialog() override
    {
        CPropertyPage::OnInitDialog();
        if (tip.Create(m_hWnd)) {
            tip.SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, 10);
            tip.AddTool(GetDlgItem(IDC_TIP_BUTTON), L"A tip");
        }
        return TRUE;
    }
    void DoDataExchange(fx::CDataExchange& dx) override
    {
        fx::DDX_Text(dx, IDC_NUMBER, number);
        fx::DDV_MinMaxInt(dx, number, 0, 10);
    }
    void OnOK() override
    {
        ++confirmed;
        CPropertyPage::OnOK();
    }
};

class CPlainPage : public fx::CPropertyPage {
public:
    CPlainPage() : CPropertyPage(IDD_SECOND_PAGE) {}
};

// Everything a modal sheet test needs: the sheet with both pages, the steps
// that run inside its loop, and the message boxes it shows.
class ModalSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sheet.AddPage(&m_numbers);
        m_sheet.AddPage(&m_plain);
    }
    void Press(int button) { m_sheet.SendMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(button)); }

    testing_support::MessageBoxRecorder m_boxes;
    CNumberPage m_numbers;
    CPlainPage m_plain;
    fx::CPropertySheet m_sheet{L"Options", nullptr};
    testing_support::PostedSteps m_steps;
};

TEST_F(ModalSheet, TextThatIsNoNumberOrOutOfRangeKeepsThePageUntilItIsMended)
{
    const struct {
        const wchar_t* typed;
        const wchar_t* message;
    } refused[] = {{L"seven", L"Please enter an integer."}, {L"12", L"Please enter an integer between 0 and 10."}};
    // Text that is no number leaves the member as it was.
    int stayed = 0, focusOnNumber = 0;
    bool numberKept = false;
    for (const auto& r : refused) {
        m_steps.Post([&] {
            m_numbers.Type(r.typed);
            Press(PSBTN_OK);
        });
        m_steps.Post([&] {
            stayed += m_sheet.IsWindowVisible() && m_numbers.IsWindowVisible() && m_sheet.GetActiveIndex() == 0;
            focusOnNumber += ::GetFocus() == m_numbers.GetDlgItem(IDC_NUMBER);
            if (&r == &refused[0])
                numberKept = m_numbers.number == 5;
        });
    }
    m_steps.Post([&] {
        m_numbers.Type(L"7");
        Press(PSBTN_OK);
    });
    EXPECT_EQ(m_sheet.DoModal(), IDOK);
    EXPECT_EQ(stayed, 2);
    EXPECT_EQ(focusOnNumber, 2);
    EXPECT_TRUE(numberKept);
    ASSERT_EQ(m_boxes.shown.size(), 2u);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(m_boxes.shown[i].text, refused[i].message);
    EXPECT_EQ(m_numbers.number, 7);
    EXPECT_EQ(m_numbers.confirmed, 1);
}

TEST_F(ModalSheet, APageThatRefusesWhenTheSheetIsConfirmedKeepsItOpen)
{
    bool stayed = false, stillOnSecond = false;
    m_steps.Post([&] {
        m_sheet.SetActivePage(1);
        m_numbers.Type(L"-1"); // on the page in the background, which checks only on confirmation
        Press(PSBTN_OK);
    });
    m_steps.Post([&] {
        stayed = m_sheet.IsWindowVisible();
        stillOnSecond = m_sheet.GetActiveIndex() == 1;
        m_numbers.Type(L"0");
        Press(PSBTN_OK);
    });
    EXPECT_EQ(m_sheet.DoModal(), IDOK);
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(stillOnSecond);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_numbers.number, 0);
    EXPECT_EQ(m_numbers.confirmed, 1);
}

TEST_F(ModalSheet, AModifiedPageEnablesApplyUntilItIsUnchanged)
{
    m_sheet.AddApplyButton();
    bool enabledAtStart = true, enabledWhenModified = false, enabledWhenUnchanged = true;
    m_steps.Post([&] {
        HWND apply = m_sheet.GetDlgItem(kApplyButton);
        enabledAtStart = ::IsWindowEnabled(apply) != FALSE;
        m_numbers.SetModified(true);
        enabledWhenModified = ::IsWindowEnabled(apply) != FALSE;
        m_numbers.SetModified(false);
        enabledWhenUnchanged = ::IsWindowEnabled(apply) != FALSE;
        Press(PSBTN_CANCEL);
    });
    m_sheet.DoModal();
    EXPECT_FALSE(enabledAtStart);
    EXPECT_TRUE(enabledWhenModified);
    EXPECT_FALSE(enabledWhenUnchanged);
}

TEST_F(ModalSheet, ATooltipShowsThoughTheSheetRunsItsOwnLoop)
{
    bool shown = false;
    POINT cursorBefore{};
    ::GetCursorPos(&cursorBefore);
    m_steps.Post([&] {
        HWND button = m_numbers.GetDlgItem(IDC_TIP_BUTTON);
        RECT rc{};
        ::GetWindowRect(button, &rc);
        POINT centre{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ::SetCursorPos(centre.x, centre.y);
        ::ScreenToClient(button, &centre);
        // What the system posts when the mouse moves over the button.
        ::PostMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
        shown = testing_support::PumpUntil([&] { return m_numbers.tip.IsWindowVisible(); }, 5000);
        Press(PSBTN_CANCEL);
    });
    m_sheet.DoModal();
    ::SetCursorPos(cursorBefore.x, cursorBefore.y); // the pointer is the whole display's
    EXPECT_TRUE(shown);
}

class CThrowingSheet : public fx::CPropertySheet {
public:
    CThrowingSheet() : CPropertySheet(L"Throws", nullptr) {}

protected:
    BOOL OnInitDialog() override { throw std::runtime_error("set-up failed"); }
};

TEST(ModalSheetSetUp, AnExceptionStaysInsideTheSheet)
{
    CThrowingSheet sheet;
    CPlainPage page;
    sheet.AddPage(&page);
    testing_support::PostedSteps steps;
    bool running = false;
    steps.Post([&] {
        running = sheet.IsWindowVisible();
        sheet.SendMessage(PSM_PRESSBUTTON, PSBTN_CANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(running);
}

// A sheet inside a frame, as Fennix shows its pages.
class ModelessSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(L"frame", WS_POPUP | WS_VISIBLE, RECT{0, 0, 500, 400}));
        m_sheet.emplace(L"Sheet", m_frame.m_hWnd);
        m_sheet->AddPage(&m_numbers);
        ASSERT_TRUE(m_sheet->Create(WS_CHILD | WS_VISIBLE));
    }
    void TearDown() override
    {
        m_frame.DestroyWindow();
        testing_support::PumpMessages();
    }

    fx::CFrameWnd m_frame;
    CNumberPage m_numbers;
    std::optional<fx::CPropertySheet> m_sheet; // made once the frame exists
};

TEST_F(ModelessSheet, PagesStayVisibleOnOkAndCancel)
{
    ASSERT_TRUE(m_numbers.IsWindowVisible());
    m_sheet->SendMessage(PSM_PRESSBUTTON, PSBTN_OK);
    testing_support::PumpMessages();
    EXPECT_EQ(m_numbers.confirmed, 1);
    EXPECT_TRUE(m_numbers.IsWindowVisible());
    m_sheet->SendMessage(PSM_PRESSBUTTON, PSBTN_CANCEL);
    testing_support::PumpMessages();
    EXPECT_TRUE(m_numbers.IsWindowVisible());
}

TEST_F(ModelessSheet, APageTheSheetRefusesLeavesThePagesAsTheyWere)
{
    fx::CPropertyPage missing(9999); // no such template
    EXPECT_FALSE(m_sheet->AddPage(&missing));
    EXPECT_EQ(m_sheet->GetPageCount(), 1);
    HWND tab = reinterpret_cast<HWND>(m_sheet->SendMessage(PSM_GETTABCONTROL));
    EXPECT_EQ(::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 1);

    CPlainPage plain;
    EXPECT_TRUE(m_sheet->AddPage(&plain));
    EXPECT_EQ(m_sheet->GetPageCount(), 2);
    EXPECT_EQ(m_sheet->GetPage(1), &plain);
}

} // namespace
