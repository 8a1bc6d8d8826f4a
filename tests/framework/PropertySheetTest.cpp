#include "framework/Controls.h"
#include "framework/PropertySheet.h"
#include "tests/framework/res/framework_test.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A whole number from 0 to 10, and a button for a tooltip.
class CNumberPage : public fx::CPropertyPage {
public:
    CNumberPage() : CPropertyPage(IDD_TEST_PAGE) {}
    int number = 5;
    int confirmed = 0; // times OnOK ran
    void Type(const wchar_t* text) const { ::SetDlgItemTextW(m_hWnd, IDC_NUMBER, text); }

protected:
    void DoDataExchange(fx::CDataExchange& dx) override { fx::DDX_Text(dx, IDC_NUMBER, number, 0, 10); }
    void OnOK() override
    {
        ++confirmed;
        CPropertyPage::OnOK();
    }
};

// A sheet whose own set-up fails: it runs all the same.
class CThrowingSheet : public fx::CPropertySheet {
public:
    CThrowingSheet() : CPropertySheet(L"Options", nullptr) {}

protected:
    BOOL OnInitDialog() override { throw std::runtime_error("set-up failed"); }
};

// The page in front is seen through Larkway's options; here, a tooltip and a page in the background.
TEST(ModalSheet, RunsThoughItsSetUpThrowsShowsATooltipInItsLoopAndARefusedPageInTheBackgroundKeepsItOpen)
{
    testing_support::MessageBoxRecorder boxes;
    CNumberPage numbers;
    fx::CPropertyPage plain(IDD_SECOND_PAGE);
    CThrowingSheet sheet;
    sheet.AddPage(&numbers);
    sheet.AddPage(&plain);
    testing_support::PostedSteps steps;
    steps.Post([&] {
        HWND button = numbers.GetDlgItem(IDC_TIP_BUTTON);
        fx::CToolTipCtrl tip;
        tip.Create(numbers.m_hWnd);
        tip.SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, 10);
        tip.AddTool(button, L"A tip");
        POINT at{20, 10};
        ::ClientToScreen(button, &at);
        ::SetCursorPos(at.x, at.y);
        ::PostMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10)); // as the system posts it
        EXPECT_TRUE(testing_support::PumpUntil([&] { return tip.IsWindowVisible(); }, 5000));
        ::SetCursorPos(900, 900); // away again: the pointer is the whole display's
        sheet.SetActivePage(1);
        numbers.Type(L"-1");
        sheet.SendMessage(PSM_PRESSBUTTON, PSBTN_OK);
    });
    steps.Post([&] {
        EXPECT_TRUE(sheet.IsWindowVisible());
        numbers.Type(L"7");
        sheet.SendMessage(PSM_PRESSBUTTON, PSBTN_OK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Please enter an integer between 0 and 10.");
    EXPECT_EQ(numbers.number, 7);
    EXPECT_EQ(numbers.confirmed, 1);
}

// A sheet inside a frame, as Fennix shows its pages.
TEST(ModelessSheet, PagesStayOnOkAndCancelAndAPageWithoutTemplateIsRefused)
{
    fx::CFrameWnd frame;
    ASSERT_TRUE(frame.Create(L"frame", WS_POPUP | WS_VISIBLE, RECT{0, 0, 500, 400}));
    CNumberPage numbers;
    fx::CPropertyPage plain(IDD_SECOND_PAGE);
    fx::CPropertyPage missing(9999); // no such template
    fx::CPropertySheet sheet(L"Sheet", frame.m_hWnd);
    sheet.AddPage(&numbers);
    ASSERT_TRUE(sheet.Create(WS_CHILD | WS_VISIBLE));
    for (int button : {PSBTN_OK, PSBTN_CANCEL}) {
        sheet.SendMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(button));
        testing_support::PumpMessages();
        EXPECT_TRUE(numbers.IsWindowVisible());
    }
    EXPECT_EQ(numbers.confirmed, 1);
    EXPECT_FALSE(sheet.AddPage(&missing));
    EXPECT_EQ(::SendMessageW(reinterpret_cast<HWND>(sheet.SendMessage(PSM_GETTABCONTROL)), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_TRUE(sheet.AddPage(&plain));
    EXPECT_EQ(sheet.GetPage(1), &plain);
    frame.DestroyWindow();
    testing_support::PumpMessages();
}

} // namespace
