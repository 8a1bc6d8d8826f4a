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

// Hides the keyboard cues, as Windows does until a key is pressed (Wine always shows them).
LRESULT CALLBACK HideCues(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR)
{
    return msg == WM_QUERYUISTATE ? UISF_HIDEFOCUS | UISF_HIDEACCEL : ::DefSubclassProc(hwnd, msg, wp, lp);
}

// One button, drawn through its owner as the system asks, in any size, state and caption.
class IconButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 200}));
        ASSERT_TRUE(m_button.SubclassWindow(::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 10, 10, 80,
                                                              40, m_host.m_hWnd, reinterpret_cast<HMENU>(100),
                                                              nullptr, nullptr)));
        m_button.SetIcons(kRedIcon, kBlueIcon, 32, 32);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        PumpMessages();
    }
    const CScreenPixels& Render(UINT state, int width = 80, int height = 40)
    {
        m_picture = std::make_unique<CScreenPixels>(width, height, [&](HDC dc) {
            DRAWITEMSTRUCT dis{ODT_BUTTON, 100, 0, ODA_DRAWENTIRE, state, m_button.m_hWnd, dc, {0, 0, width, height}, 0};
            m_host.SendMessage(WM_DRAWITEM, 100, reinterpret_cast<LPARAM>(&dis));
        });
        return *m_picture;
    }
    COLORREF At(int x, int y) const { return m_picture->At(x, y); }
    int Count(const RECT& area, bool (*match)(COLORREF)) const { return m_picture->Count(area, match); }
    void Hover(WPARAM keys = 0) { MoveMouseTo(m_button.m_hWnd, POINT{5, 5}, keys); }
    // The raised border and the hover icon, or neither.
    bool LooksLit() { return Render(0).At(0, 0) == kLight && At(40, 20) == kRed; }
    bool LooksUnlit() { return Render(0).At(0, 0) == kFace && At(40, 20) == kBlue; }

    fx::CFrameWnd m_host;
    CIconButton m_button;
    std::unique_ptr<CScreenPixels> m_picture;
};

TEST_F(IconButtonTest, EachStateShowsItsBorderIconCaptionAndCues)
{
    const struct {
        const char* what;
        bool hovered;
        UINT state;
        WORD normalIcon;
        std::vector<std::pair<POINT, COLORREF>> pixels;
    } looks[] = {
        {"no normal icon: the hover icon", false, 0, 0, {{{40, 20}, kRed}}},
        {"normal: the icon centred (24..55, 4..35), no border", false, 0, kBlueIcon,
         {{{0, 0}, kFace}, {{79, 39}, kFace}, {{24, 4}, kBlue}, {{55, 35}, kBlue}, {{23, 20}, kFace},
          {{56, 20}, kFace}, {{40, 3}, kFace}}},
        {"hovered: raised", true, 0, kBlueIcon,
         {{{0, 0}, kLight}, {{40, 0}, kLight}, {{0, 20}, kLight}, {{79, 20}, kShadow}, {{40, 39}, kShadow},
          {{40, 20}, kRed}}},
        {"pressed: sunken, the icon a pixel right and down", false, ODS_SELECTED, kBlueIcon,
         {{{0, 0}, kShadow}, {{0, 20}, kShadow}, {{79, 20}, kLight}, {{40, 39}, kLight}, {{24, 20}, kFace},
          {{56, 36}, kRed}}},
    };
    for (const auto& look : looks) {
        SCOPED_TRACE(look.what);
        m_button.SetIcons(kRedIcon, look.normalIcon, 32, 32);
        look.hovered ? Hover() : MouseLeaves(m_button.m_hWnd);
        Render(look.state);
        for (const auto& [at, color] : look.pixels)
            EXPECT_EQ(At(at.x, at.y), color) << at.x << "," << at.y;
    }
    // The focus rectangle, 3 pixels inside the edge over the picture, unless the state or the window hides it.
    const auto focusLine = [this](UINT state) { // the ink on that ring
        const CScreenPixels& p = Render(state);
        return p.Count(RECT{3, 3, 77, 37}, Ink) - p.Count(RECT{4, 4, 76, 36}, Ink);
    };
    EXPECT_EQ(focusLine(0), 0);
    EXPECT_GT(focusLine(ODS_FOCUS), 60);
    EXPECT_EQ(At(40, 20), kBlue);
    EXPECT_EQ(focusLine(ODS_FOCUS | ODS_NOFOCUSRECT), 0);
    ::SetWindowSubclass(m_button.m_hWnd, HideCues, 1, 0);
    EXPECT_EQ(focusLine(ODS_FOCUS), 0);
    ::RemoveWindowSubclass(m_button.m_hWnd, HideCues, 1);

    SCOPED_TRACE("captioned: the icon at 3..34, the caption right of it in its state's colour");
    m_button.SetWindowText(L"&Apply");
    m_button.SetNormalTextColor(kGreen, false);
    m_button.SetHoverTextColor(kRed, false);
    const RECT caption{38, 0, 120, 60};
    for (bool hovered : {true, false}) {
        hovered ? Hover() : MouseLeaves(m_button.m_hWnd);
        Render(0, 120, 60);
        EXPECT_EQ(Count(caption, Greenish) > 0, !hovered);
        EXPECT_EQ(Count(caption, Reddish) > 0, hovered);
    }
    EXPECT_EQ(At(3, 14), kBlue);
    EXPECT_EQ(At(2, 30), kFace);
    Render(ODS_DISABLED, 120, 60); // embossed, without icon or colour
    EXPECT_EQ(At(119, 59), kFace);
    EXPECT_EQ(m_picture->Count([](COLORREF c) { return c == kBlue || c == kRed || Greenish(c); }), 0);
    EXPECT_GT(Count(caption, Ink), 0);
    const int underlined = Render(0, 120, 60).Count(caption, Ink);
    const int plain = Render(ODS_NOACCEL, 120, 60).Count(caption, Ink);
    EXPECT_LT(plain, underlined);
    ::SetWindowSubclass(m_button.m_hWnd, HideCues, 1, 0);
    EXPECT_EQ(Render(0, 120, 60).Count(caption, Ink), plain);
    ::RemoveWindowSubclass(m_button.m_hWnd, HideCues, 1);
    m_button.SetIconPlacement(CIconButton::IconTop);
    Render(0, 120, 60);
    EXPECT_EQ(At(44, 0), kBlue); // centred across, at the top, the caption below
    EXPECT_EQ(At(75, 31), kBlue);
    EXPECT_EQ(At(43, 10), kFace);
    EXPECT_EQ(Count(RECT{0, 0, 120, 32}, Greenish), 0);
    EXPECT_GT(Count(RECT{0, 32, 120, 60}, Greenish), 0);
}

TEST_F(IconButtonTest, EachHoverLightsItUntilThePointerTheFocusOrTheWindowGoes)
{
    const auto down = [this] { m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); };
    const std::pair<const char*, std::function<void()>> ends[] = {
        {"the pointer leaves", [this] { MouseLeaves(m_button.m_hWnd); }},
        {"held down and dragged off it",
         [&] {
             down();
             MoveMouseTo(m_button.m_hWnd, POINT{200, 5}, MK_LBUTTON);
             EXPECT_EQ(::GetCapture(), m_button.m_hWnd); // the click is still the button's to finish
             m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
         }},
        {"another window takes the capture",
         [&] {
             down();
             ::SetCapture(m_host.m_hWnd);
             ::ReleaseCapture();
         }},
        {"the focus goes", [this] { m_button.SendMessage(WM_KILLFOCUS); }},
        {"the button is disabled", [this] { m_button.EnableWindow(false); }},
        {"another window is activated", [this] { m_host.SendMessage(WM_ACTIVATE, WA_INACTIVE); }},
        {"another program takes the foreground", [this] { m_host.SendMessage(WM_ACTIVATEAPP, FALSE); }},
        {"a message box comes up",
         [this] {
             DialogAnswerer ok(IDOK);
             ::MessageBoxW(m_host.m_hWnd, L"Something happened.", L"test", MB_OK);
         }},
        {"the mode is cancelled", [this] { m_host.SendMessage(WM_CANCELMODE); }},
    };
    for (const auto& [what, happen] : ends) {
        SCOPED_TRACE(what);
        m_button.EnableWindow(true);
        Hover(MK_LBUTTON); // held down elsewhere: no light
        EXPECT_TRUE(LooksUnlit());
        {
            RepaintWatch watch(m_button.m_hWnd);
            Hover();
            EXPECT_TRUE(watch.Requested());
        }
        TRACKMOUSEEVENT query{sizeof(TRACKMOUSEEVENT), TME_QUERY, nullptr, 0}; // each hover asks anew
        EXPECT_TRUE(::TrackMouseEvent(&query) && query.hwndTrack == m_button.m_hWnd && (query.dwFlags & TME_LEAVE));
        down();
        EXPECT_EQ(::GetCapture(), m_button.m_hWnd); // the button's own, for the click
        m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        ASSERT_TRUE(LooksLit()); // clicked, it stays lit
        {
            RepaintWatch watch(m_button.m_hWnd);
            MoveMouseTo(m_button.m_hWnd, POINT{30, 20}); // no flicker while it moves over
            EXPECT_FALSE(watch.Requested());
            happen();
            EXPECT_TRUE(watch.Requested());
        }
        EXPECT_TRUE(LooksUnlit());
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

} // namespace
