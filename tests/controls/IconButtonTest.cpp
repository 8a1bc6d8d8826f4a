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
TEST(IconButton, EachStateShowsItsBorderIconCaptionAndCuesAndEachHoverLightsItUntilThePointerOrWindowGoes)
{
    fx::CFrameWnd host;
    ASSERT_TRUE(host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 200}));
    CIconButton button;
    ASSERT_TRUE(button.SubclassWindow(::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 10, 10, 80, 40,
                                                        host.m_hWnd, reinterpret_cast<HMENU>(100), nullptr, nullptr)));
    button.SetIcons(kRedIcon, kBlueIcon, 32, 32);
    std::unique_ptr<CScreenPixels> picture;
    const auto render = [&](UINT state, int width = 80, int height = 40) -> const CScreenPixels& {
        picture = std::make_unique<CScreenPixels>(width, height, [&](HDC dc) {
            DRAWITEMSTRUCT dis{ODT_BUTTON, 100, 0, ODA_DRAWENTIRE, state, button.m_hWnd, dc, {0, 0, width, height}, 0};
            host.SendMessage(WM_DRAWITEM, 100, reinterpret_cast<LPARAM>(&dis));
        });
        return *picture;
    };
    const auto hover = [&](WPARAM keys = 0) { MoveMouseTo(button.m_hWnd, POINT{5, 5}, keys); };
    // The raised border and the hover icon, or neither.
    const auto looksLit = [&] { return render(0).At(0, 0) == kLight && picture->At(40, 20) == kRed; };
    const auto looksUnlit = [&] { return render(0).At(0, 0) == kFace && picture->At(40, 20) == kBlue; };

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
        button.SetIcons(kRedIcon, look.normalIcon, 32, 32);
        look.hovered ? hover() : MouseLeaves(button.m_hWnd);
        render(look.state);
        for (const auto& [point, color] : look.pixels)
            EXPECT_EQ(picture->At(point.x, point.y), color) << point.x << "," << point.y;
    }
    // The focus rectangle, 3 pixels inside the edge over the picture, unless the state or the window hides it.
    const auto focusLine = [&](UINT state) { // the ink on that ring
        const CScreenPixels& p = render(state);
        return p.Count(RECT{3, 3, 77, 37}, Ink) - p.Count(RECT{4, 4, 76, 36}, Ink);
    };
    EXPECT_GT(focusLine(ODS_FOCUS), 60);
    EXPECT_EQ(focusLine(ODS_FOCUS | ODS_NOFOCUSRECT), 0);

    SCOPED_TRACE("captioned: the icon at 3..34, the caption right of it in its state's colour");
    button.SetWindowText(L"&Apply");
    button.SetNormalTextColor(kGreen, false);
    button.SetHoverTextColor(kRed, false);
    const RECT caption{38, 0, 120, 60};
    for (bool hovered : {true, false}) {
        hovered ? hover() : MouseLeaves(button.m_hWnd);
        render(0, 120, 60);
        EXPECT_EQ(picture->Count(caption, Greenish) > 0, !hovered);
        EXPECT_EQ(picture->Count(caption, Reddish) > 0, hovered);
    }
    EXPECT_EQ(picture->At(3, 14), kBlue);
    render(ODS_DISABLED, 120, 60); // embossed, without icon or colour
    EXPECT_EQ(picture->Count(RECT{0, 0, 120, 60}, [](COLORREF c) { return c == kBlue || c == kRed || Greenish(c); }),
              0);
    EXPECT_GT(picture->Count(caption, Ink), 0);
    const int underlined = render(0, 120, 60).Count(caption, Ink);
    const int plain = render(ODS_NOACCEL, 120, 60).Count(caption, Ink);
    EXPECT_LT(plain, underlined);
    button.SetIconPlacement(CIconButton::IconTop);
    render(0, 120, 60);
    EXPECT_EQ(picture->At(44, 0), kBlue); // centred across, at the top, the caption below
    EXPECT_EQ(picture->At(75, 31), kBlue);
    EXPECT_EQ(picture->Count(RECT{0, 0, 120, 32}, Greenish), 0);
    EXPECT_GT(picture->Count(RECT{0, 32, 120, 60}, Greenish), 0);

    button.SetIconPlacement(CIconButton::IconLeft);
    ::SetWindowSubclass(button.m_hWnd, HideCues, 1, 0); // the window's cues hide the mnemonic and the rectangle
    EXPECT_EQ(render(0, 120, 60).Count(caption, Ink), plain);
    ::SetWindowTextW(button.m_hWnd, L"");
    EXPECT_EQ(focusLine(ODS_FOCUS), 0);

    SCOPED_TRACE("each hover lights it until the pointer, the focus or the window goes");
    const auto down = [&] { button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); };
    const auto repaints = [&](const std::function<void()>& act) {
        ::ValidateRect(button.m_hWnd, nullptr);
        CMessageLog paints(button.m_hWnd, WM_PAINT);
        act();
        return paints.Count() > 0 || ::GetUpdateRect(button.m_hWnd, nullptr, FALSE);
    };
    const std::pair<const char*, std::function<void()>> ends[] = {
        {"the pointer leaves", [&] { MouseLeaves(button.m_hWnd); }},
        {"held down and dragged off it",
         [&] {
             down();
             MoveMouseTo(button.m_hWnd, POINT{200, 5}, MK_LBUTTON);
             EXPECT_EQ(::GetCapture(), button.m_hWnd); // the click is still the button's to finish
             button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
         }},
        {"another window takes the capture",
         [&] {
             down();
             ::SetCapture(host.m_hWnd);
             ::ReleaseCapture();
         }},
        {"the focus goes", [&] { button.SendMessage(WM_KILLFOCUS); }},
        {"the button is disabled", [&] { button.EnableWindow(false); }},
        {"another window is activated", [&] { host.SendMessage(WM_ACTIVATE, WA_INACTIVE); }},
        {"another program takes the foreground", [&] { host.SendMessage(WM_ACTIVATEAPP, FALSE); }},
        {"a modal box comes up: the mode is cancelled", [&] { host.SendMessage(WM_CANCELMODE); }},
    };
    for (const auto& [what, happen] : ends) {
        SCOPED_TRACE(what);
        button.EnableWindow(true);
        hover(MK_LBUTTON); // held down elsewhere: no light
        EXPECT_TRUE(looksUnlit());
        EXPECT_TRUE(repaints([&] { hover(); }));
        TRACKMOUSEEVENT query{sizeof(TRACKMOUSEEVENT), TME_QUERY, nullptr, 0}; // each hover asks anew
        EXPECT_TRUE(::TrackMouseEvent(&query) && query.hwndTrack == button.m_hWnd && (query.dwFlags & TME_LEAVE));
        down();
        button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        ASSERT_TRUE(looksLit()); // clicked, it stays lit
        MoveMouseTo(button.m_hWnd, POINT{30, 20}); // still over it
        EXPECT_TRUE(repaints(happen));
        EXPECT_TRUE(looksUnlit());
    }
    host.DestroyWindow();
    PumpMessages();
}

} // namespace
