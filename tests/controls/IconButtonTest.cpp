#include "controls/IconButton.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace testing_support;

const WORD kRedIcon = 201, kBlueIcon = 202;
const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);
const COLORREF kFace = ::GetSysColor(COLOR_BTNFACE), kLight = ::GetSysColor(COLOR_BTNHIGHLIGHT),
               kShadow = ::GetSysColor(COLOR_BTNSHADOW);

bool Greenish(COLORREF c) { return GetGValue(c) > 150 && GetRValue(c) < 100 && GetBValue(c) < 100; }
bool Reddish(COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100; }
bool Ink(COLORREF c) { return c != kFace; }

// The pixels off the face colour on the line 3 pixels inside the edge, where the focus rectangle goes.
int FocusLinePixels(const CScreenPixels& p)
{
    const int r = p.Width() - 4, b = p.Height() - 4;
    return p.Count(RECT{3, 3, r + 1, 4}, Ink) + p.Count(RECT{3, b, r + 1, b + 1}, Ink) +
           p.Count(RECT{3, 4, 4, b}, Ink) + p.Count(RECT{r, 4, r + 1, b}, Ink);
}

bool LeaveIsTracked(HWND hwnd)
{
    TRACKMOUSEEVENT query{sizeof(TRACKMOUSEEVENT), TME_QUERY, nullptr, 0};
    return ::TrackMouseEvent(&query) && query.hwndTrack == hwnd && (query.dwFlags & TME_LEAVE);
}

// Hides the keyboard cues, as Windows does until a key is pressed (Wine always shows them).
LRESULT CALLBACK HideCues(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR)
{
    return msg == WM_QUERYUISTATE ? UISF_HIDEFOCUS | UISF_HIDEACCEL : ::DefSubclassProc(hwnd, msg, wp, lp);
}

class IconButtonTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 200})); }
    void TearDown() override
    {
        m_host.DestroyWindow();
        PumpMessages();
    }
    void MakeButton(const wchar_t* caption, int width, int height)
    {
        m_width = width;
        m_height = height;
        ASSERT_TRUE(m_button.SubclassWindow(::CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE, 10, 10,
                                                              width, height, m_host.m_hWnd,
                                                              reinterpret_cast<HMENU>(100), nullptr, nullptr)));
        m_button.SetIcons(kRedIcon, kBlueIcon, 32, 32);
    }
    // The button drawn in an owner-draw state, asked through its owner as the system asks.
    const CScreenPixels& Render(UINT state)
    {
        m_picture = std::make_unique<CScreenPixels>(m_width, m_height, [&](HDC dc) {
            DRAWITEMSTRUCT dis{ODT_BUTTON, 100, 0, ODA_DRAWENTIRE, state, m_button.m_hWnd, dc, {0, 0, m_width, m_height}, 0};
            m_host.SendMessage(WM_DRAWITEM, 100, reinterpret_cast<LPARAM>(&dis));
        });
        return *m_picture;
    }
    COLORREF At(int x, int y) const { return m_picture->At(x, y); }
    void Hover(WPARAM keys = 0) { MoveMouseTo(m_button.m_hWnd, POINT{5, 5}, keys); }
    // The raised border and the hover icon, or neither.
    bool LooksLit() { return Render(0).At(0, 0) == kLight && At(40, 20) == kRed; }
    bool LooksUnlit() { return Render(0).At(0, 0) == kFace && At(40, 20) == kBlue; }

    fx::CFrameWnd m_host;
    CIconButton m_button;
    int m_width = 0, m_height = 0;
    std::unique_ptr<CScreenPixels> m_picture;
};

TEST_F(IconButtonTest, EachStateShowsItsBorderAndIcon)
{
    MakeButton(L"", 80, 40);
    const struct {
        const char* what;
        bool hovered;
        UINT state;
        WORD normalIcon;
        std::vector<std::pair<POINT, COLORREF>> pixels;
    } looks[] = {
        {"normal: the icon centred (24..55, 4..35), no border", false, 0, kBlueIcon,
         {{{0, 0}, kFace}, {{79, 39}, kFace}, {{24, 4}, kBlue}, {{55, 35}, kBlue}, {{23, 20}, kFace},
          {{56, 20}, kFace}, {{40, 3}, kFace}}},
        {"hovered: raised", true, 0, kBlueIcon,
         {{{0, 0}, kLight}, {{40, 0}, kLight}, {{0, 20}, kLight}, {{79, 20}, kShadow}, {{40, 39}, kShadow},
          {{40, 20}, kRed}}},
        {"pressed: sunken, the icon a pixel right and down", false, ODS_SELECTED, kBlueIcon,
         {{{0, 0}, kShadow}, {{0, 20}, kShadow}, {{79, 20}, kLight}, {{40, 39}, kLight}, {{24, 20}, kFace},
          {{56, 36}, kRed}}},
        {"no normal icon: the hover icon", false, 0, 0, {{{40, 20}, kRed}}},
    };
    for (const auto& look : looks) {
        SCOPED_TRACE(look.what);
        m_button.SetIcons(kRedIcon, look.normalIcon, 32, 32);
        if (look.hovered)
            Hover();
        else
            MouseLeaves(m_button.m_hWnd);
        EXPECT_EQ(::GetCapture(), nullptr); // a hover leaves the pointer free
        Render(look.state);
        for (const auto& [at, color] : look.pixels)
            EXPECT_EQ(At(at.x, at.y), color) << at.x << "," << at.y;
    }
}

TEST_F(IconButtonTest, CaptionTakesTheColourOfItsStateAndGoesBelowAnIconOnTop)
{
    MakeButton(L"&Apply", 120, 60);
    m_button.SetNormalTextColor(kGreen, false);
    m_button.SetHoverTextColor(kRed, false);
    const RECT caption{38, 0, 120, 60}; // right of the icon at 3..34
    Render(0);
    EXPECT_EQ(At(3, 14), kBlue);
    EXPECT_EQ(At(2, 30), kFace);
    EXPECT_GT(m_picture->Count(caption, Greenish), 0);
    EXPECT_EQ(m_picture->Count(caption, Reddish), 0);
    Hover();
    Render(0);
    EXPECT_EQ(m_picture->Count(caption, Greenish), 0);
    EXPECT_GT(m_picture->Count(caption, Reddish), 0);
    MouseLeaves(m_button.m_hWnd);
    Render(ODS_DISABLED); // embossed, without icon or colour
    EXPECT_EQ(At(0, 0), kFace);
    EXPECT_EQ(At(119, 59), kFace);
    EXPECT_EQ(m_picture->Count([](COLORREF c) { return c == kBlue || c == kRed || Greenish(c); }), 0);
    EXPECT_GT(m_picture->Count(caption, Ink), 0);

    for (int placement : {int{CIconButton::IconTop}, 7}) { // an unknown placement is ignored
        m_button.SetIconPlacement(placement);
        Render(0);
        EXPECT_EQ(At(44, 0), kBlue); // centred across, at the top
        EXPECT_EQ(At(75, 31), kBlue);
        EXPECT_EQ(At(43, 10), kFace);
        EXPECT_EQ(m_picture->Count(RECT{0, 0, 120, 32}, Greenish), 0);
        EXPECT_GT(m_picture->Count(RECT{0, 32, 120, 60}, Greenish), 0);
    }
}

TEST_F(IconButtonTest, TheHoverEndsWhenThePointerTheFocusOrTheWindowGoes)
{
    MakeButton(L"", 80, 40);
    using Check = std::function<void()>;
    std::vector<std::pair<std::string, std::function<void(const Check&)>>> ends = {
        {"the pointer leaves", [this](const Check& c) { MouseLeaves(m_button.m_hWnd); c(); }},
        {"a move from outside", [this](const Check& c) { m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(200, 5)); c(); }},
        {"the focus goes", [this](const Check& c) { m_button.SendMessage(WM_KILLFOCUS); c(); }},
        {"the button is disabled", [this](const Check& c) { m_button.EnableWindow(false); c(); }},
        {"another window of the program is activated",
         [this](const Check& c) {
             ::SetForegroundWindow(m_host.m_hWnd);
             HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 500, 500, 100, 100, nullptr,
                                            nullptr, nullptr, nullptr);
             ::SetForegroundWindow(other);
             c();
             ::DestroyWindow(other);
         }},
        {"another program takes the foreground", [this](const Check& c) { m_host.SendMessage(WM_ACTIVATEAPP, FALSE); c(); }},
        {"a message box comes up", // checked, and answered, from the box's own loop
         [this](const Check& c) {
             PostedSteps steps;
             bool checked = false;
             DialogAnswerer answerer([&](HWND box) {
                 steps.Post([&, box] {
                     c();
                     checked = true;
                     ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                 });
             });
             ::MessageBoxW(m_host.m_hWnd, L"Something happened.", L"test", MB_OK);
             EXPECT_TRUE(checked);
         }},
        {"the mode is cancelled", [this](const Check& c) { m_host.SendMessage(WM_CANCELMODE); c(); }},
    };
    for (const auto& [what, happen] : ends) {
        SCOPED_TRACE(what);
        m_button.EnableWindow(true);
        Hover();
        ASSERT_TRUE(LooksLit());
        happen([this] {
            EXPECT_FALSE(m_button.IsHovered());
            EXPECT_TRUE(LooksUnlit());
            EXPECT_EQ(::GetCapture(), nullptr);
        });
    }
}

TEST_F(IconButtonTest, RepaintsOnlyWhenTheHoverChangesAndEachHoverTracksTheLeaving)
{
    MakeButton(L"", 80, 40);
    const std::pair<std::function<void()>, bool> moves[] = {
        {[this] { Hover(); }, true},
        {[this] { MoveMouseTo(m_button.m_hWnd, POINT{30, 20}); }, false}, // no flicker while it moves over
        {[this] { MouseLeaves(m_button.m_hWnd); }, true},
    };
    for (const auto& [move, repaints] : moves) {
        RepaintWatch watch(m_button.m_hWnd);
        move();
        EXPECT_EQ(watch.Requested(), repaints);
    }
    ASSERT_FALSE(LeaveIsTracked(m_button.m_hWnd));
    Hover();
    EXPECT_TRUE(LooksLit());
    EXPECT_TRUE(LeaveIsTracked(m_button.m_hWnd)); // each hover asks anew
}

TEST_F(IconButtonTest, HeldDownAndDraggedOffItGoesDark)
{
    MakeButton(L"", 80, 40);
    const auto down = [this] { m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); };
    Hover();
    down();
    ASSERT_EQ(::GetCapture(), m_button.m_hWnd); // the button's own, for the click
    MoveMouseTo(m_button.m_hWnd, POINT{200, 5}, MK_LBUTTON);
    EXPECT_TRUE(LooksUnlit());
    EXPECT_EQ(::GetCapture(), m_button.m_hWnd); // the click is still the button's to finish
    MoveMouseTo(m_button.m_hWnd, POINT{5, 5}, MK_LBUTTON);
    EXPECT_FALSE(m_button.IsHovered()); // back over it with the button still down
    m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(::GetCapture(), nullptr);
    Hover(MK_LBUTTON); // held down elsewhere: no light
    EXPECT_TRUE(LooksUnlit());
    Hover();
    down();
    m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(LooksLit()); // clicked, it stays lit
    down();
    ::SetCapture(m_host.m_hWnd); // another window takes the capture
    EXPECT_TRUE(LooksUnlit());
    ::ReleaseCapture();
}

TEST_F(IconButtonTest, FocusRectangleAndMnemonicShowOnlyWhileTheCuesAreOn)
{
    MakeButton(L"", 80, 40);
    EXPECT_EQ(FocusLinePixels(Render(0)), 0);
    EXPECT_GT(FocusLinePixels(Render(ODS_FOCUS)), 60);
    EXPECT_EQ(At(40, 20), kBlue); // over the picture, not in place of it
    EXPECT_EQ(FocusLinePixels(Render(ODS_FOCUS | ODS_NOFOCUSRECT)), 0);
    m_button.SetWindowText(L"&Apply");
    m_width = 120;
    const auto mnemonicInk = [this](UINT state) { return Render(state).Count(RECT{38, 0, 120, 40}, Ink); };
    const int underlined = mnemonicInk(0), plain = mnemonicInk(ODS_NOACCEL);
    EXPECT_LT(plain, underlined);
    ::SetWindowSubclass(m_button.m_hWnd, HideCues, 1, 0);
    EXPECT_EQ(mnemonicInk(0), plain);
    m_button.SetWindowText(L"");
    m_width = 80;
    EXPECT_EQ(FocusLinePixels(Render(ODS_FOCUS)), 0);
    ::RemoveWindowSubclass(m_button.m_hWnd, HideCues, 1);
}

} // namespace
