#include "controls/IconButton.h"
#include "framework/Handle.h"
#include "framework/Dialog.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/support/DpiChecks.h"
#include "tests/support/Keyboard.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const WORD kRedIcon = 201;
const WORD kBlueIcon = 202;
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A button on a host window, and a way to photograph what it draws.
class IconButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Create(L"icon button host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 200}));
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        testing_support::PumpMessages();
    }

    void MakeButton(const wchar_t* caption, int width, int height)
    {
        m_width = width;
        m_height = height;
        HWND hwnd = ::CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, width,
                                      height, m_host.m_hWnd, reinterpret_cast<HMENU>(100), nullptr, nullptr);
        ASSERT_TRUE(m_button.SubclassWindow(hwnd));
        m_button.SetIcons(kRedIcon, kBlueIcon, 32, 32);
    }

    // Draws the button in the given owner-draw state into a bitmap, asked
    // through its owner as the system asks.
    void Render(UINT state)
    {
        m_picture = std::make_unique<CScreenPixels>(m_width, m_height, [&](HDC dc) {
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_BUTTON;
            dis.CtlID = 100;
            dis.itemAction = ODA_DRAWENTIRE;
            dis.itemState = state;
            dis.hwndItem = m_button.m_hWnd;
            dis.hDC = dc;
            dis.rcItem = RECT{0, 0, m_width, m_height};
            m_host.SendMessage(WM_DRAWITEM, 100, reinterpret_cast<LPARAM>(&dis));
        });
    }

    COLORREF At(int x, int y) const { return m_picture->At(x, y); }
    int Count(const RECT& area, const std::function<bool(COLORREF)>& match) const
    {
        return m_picture->Count(area, match);
    }
    static bool Greenish(COLORREF c) { return GetGValue(c) > 150 && GetRValue(c) < 100 && GetBValue(c) < 100; }
    static bool Reddish(COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100; }

    void Hover(WPARAM keys = 0) { testing_support::MoveMouseTo(m_button.m_hWnd, POINT{5, 5}, keys); }
    // What the user sees: the raised border and the hover icon, or neither.
    bool LooksLit()
    {
        Render(0);
        return At(0, 0) == m_light && At(40, 20) == kRed;
    }
    bool LooksUnlit()
    {
        Render(0);
        return At(0, 0) == m_face && At(40, 20) == kBlue;
    }

    fx::CFrameWnd m_host;
    CIconButton m_button;
    int m_width = 0, m_height = 0;
    std::unique_ptr<CScreenPixels> m_picture;
    const COLORREF m_face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF m_light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF m_shadow = ::GetSysColor(COLOR_BTNSHADOW);
};

TEST_F(IconButtonTest, EachStateShowsItsBorderAndIcon)
{
    MakeButton(L"", 80, 40);
    const COLORREF face = m_face, light = m_light, shadow = m_shadow;
    const struct {
        const char* what;
        bool hovered;
        UINT state;
        WORD normalIcon;
        std::vector<std::pair<POINT, COLORREF>> pixels;
    } looks[] = {
        // The icon centred both ways (columns 24..55, rows 4..35), no border.
        {"normal", false, 0, kBlueIcon,
         {{{0, 0}, face}, {{79, 39}, face}, {{24, 4}, kBlue}, {{55, 35}, kBlue}, {{23, 20}, face},
          {{56, 20}, face}, {{40, 3}, face}}},
        {"hovered: raised", true, 0, kBlueIcon,
         {{{0, 0}, light}, {{40, 0}, light}, {{0, 20}, light}, {{79, 20}, shadow}, {{40, 39}, shadow},
          {{40, 20}, kRed}}},
        {"pressed: sunken, the icon a pixel right and down", false, ODS_SELECTED, kBlueIcon,
         {{{0, 0}, shadow}, {{0, 20}, shadow}, {{79, 20}, light}, {{40, 39}, light}, {{24, 20}, face},
          {{56, 36}, kRed}}},
        {"no normal icon: the hover icon", false, 0, 0, {{{40, 20}, kRed}}},
    };
    for (const auto& look : looks) {
        SCOPED_TRACE(look.what);
        m_button.SetIcons(kRedIcon, look.normalIcon, 32, 32);
        if (look.hovered) {
            Hover();
            EXPECT_TRUE(m_button.IsHovered());
            EXPECT_EQ(::GetCapture(), nullptr); // the pointer is free to go anywhere
        } else {
            testing_support::MouseLeaves(m_button.m_hWnd);
        }
        Render(look.state);
        for (const auto& [at, color] : look.pixels)
            EXPECT_EQ(At(at.x, at.y), color) << at.x << "," << at.y;
    }
}

TEST_F(IconButtonTest, CaptionTakesTheColourOfItsStateAndIsEmbossedWhenDisabled)
{
    MakeButton(L"&Apply", 120, 40);
    m_button.SetNormalTextColor(RGB(0, 255, 0), false);
    m_button.SetHoverTextColor(RGB(255, 0, 0), false);
    Render(0);
    const RECT captionArea{38, 0, 120, 40}; // right of the icon at 3..34
    EXPECT_EQ(At(3, 4), kBlue);
    EXPECT_EQ(At(2, 20), m_face);
    EXPECT_GT(Count(captionArea, Greenish), 0);
    EXPECT_EQ(Count(captionArea, Reddish), 0);
    Hover();
    Render(0);
    EXPECT_EQ(Count(captionArea, Greenish), 0);
    EXPECT_GT(Count(captionArea, Reddish), 0);
    testing_support::MouseLeaves(m_button.m_hWnd);
    Render(ODS_DISABLED);
    EXPECT_EQ(At(0, 0), m_face);
    EXPECT_EQ(At(119, 39), m_face);
    EXPECT_EQ(Count(RECT{0, 0, 120, 40}, [](COLORREF c) { return c == kBlue || c == kRed; }), 0);
    EXPECT_EQ(Count(captionArea, Greenish), 0);
    EXPECT_GT(Count(captionArea, [this](COLORREF c) { return c != m_face; }), 0); // text is there
}

TEST_F(IconButtonTest, IconAboveCaptionWhenPlacedAtTop)
{
    MakeButton(L"OK", 120, 60);
    m_button.SetIconPlacement(CIconButton::IconTop);
    m_button.SetNormalTextColor(RGB(0, 255, 0), false);
    Render(0);
    EXPECT_EQ(At(44, 0), kBlue); // centred horizontally at the top edge
    EXPECT_EQ(At(75, 31), kBlue);
    EXPECT_EQ(At(43, 10), m_face);
    EXPECT_EQ(Count(RECT{0, 0, 120, 32}, Greenish), 0);
    EXPECT_GT(Count(RECT{0, 32, 120, 60}, Greenish), 0);
    m_button.SetIconPlacement(7); // ignored
    Render(0);
    EXPECT_EQ(At(44, 0), kBlue);
}

TEST_F(IconButtonTest, LeavingOrLosingFocusEndsTheHover)
{
    MakeButton(L"", 80, 40);
    const struct {
        const char* what;
        std::function<void()> happen;
    } ends[] = {
        {"the pointer leaves", [this] { testing_support::MouseLeaves(m_button.m_hWnd); }},
        {"a move arrives from outside", [this] { m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(200, 5)); }},
        {"the focus goes", [this] { m_button.SendMessage(WM_KILLFOCUS); }},
        {"the button is disabled", [this] { m_button.EnableWindow(false); }},
    };
    for (const auto& end : ends) {
        SCOPED_TRACE(end.what);
        m_button.EnableWindow(true);
        Hover();
        ASSERT_TRUE(LooksLit());
        end.happen();
        EXPECT_FALSE(m_button.IsHovered());
        EXPECT_TRUE(LooksUnlit());
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(IconButtonTest, LosingTheForegroundEndsTheHover)
{
    MakeButton(L"", 80, 40);
    for (const auto& loss : testing_support::ForegroundLosses()) {
        SCOPED_TRACE(loss.what);
        Hover();
        ASSERT_TRUE(LooksLit());
        loss.happen(m_host.m_hWnd, [this] {
            EXPECT_FALSE(m_button.IsHovered());
            EXPECT_TRUE(LooksUnlit());
        });
    }
}

TEST_F(IconButtonTest, RepaintsOnlyWhenTheHoverChangesAndEachHoverTracksTheLeaving)
{
    MakeButton(L"", 80, 40);
    {
        testing_support::RepaintWatch watch(m_button.m_hWnd);
        Hover();
        EXPECT_TRUE(watch.Requested());
    }
    {
        testing_support::RepaintWatch watch(m_button.m_hWnd);
        testing_support::MoveMouseTo(m_button.m_hWnd, POINT{30, 20});
        EXPECT_TRUE(m_button.IsHovered());
        EXPECT_FALSE(watch.Requested()); // no flicker while the pointer moves over it
    }
    {
        testing_support::RepaintWatch watch(m_button.m_hWnd);
        testing_support::MouseLeaves(m_button.m_hWnd);
        EXPECT_TRUE(watch.Requested());
    }
    // Each hover asks again to be told of the leaving.
    ASSERT_FALSE(testing_support::LeaveIsTracked(m_button.m_hWnd));
    Hover();
    EXPECT_TRUE(LooksLit());
    EXPECT_TRUE(testing_support::LeaveIsTracked(m_button.m_hWnd));
}

TEST_F(IconButtonTest, HeldDownAndDraggedOffItGoesDark)
{
    MakeButton(L"", 80, 40);
    Hover();
    m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(::GetCapture(), m_button.m_hWnd); // the button's own, for the click
    testing_support::MoveMouseTo(m_button.m_hWnd, POINT{200, 5}, MK_LBUTTON);
    EXPECT_FALSE(m_button.IsHovered());
    EXPECT_TRUE(LooksUnlit());
    EXPECT_EQ(::GetCapture(), m_button.m_hWnd); // the click is still the button's to finish
    testing_support::MoveMouseTo(m_button.m_hWnd, POINT{5, 5}, MK_LBUTTON);
    EXPECT_FALSE(m_button.IsHovered()); // back over it with the button still down
    m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); // gives the capture back
    EXPECT_EQ(::GetCapture(), nullptr);
    // A move with the button held down elsewhere does not light it up.
    Hover(MK_LBUTTON);
    EXPECT_TRUE(LooksUnlit());
    // Clicked, it stays lit.
    Hover();
    m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(m_button.IsHovered());
    EXPECT_TRUE(LooksLit());
    // Another window taking the capture while it is held down ends the hover.
    m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SetCapture(m_host.m_hWnd);
    EXPECT_FALSE(m_button.IsHovered());
    EXPECT_TRUE(LooksUnlit());
    ::ReleaseCapture();
}

// The layout size is in pixels at 96 DPI: the icons are the images of the
// size it has at the window's DPI, and the drawing makes room for that.
TEST_F(IconButtonTest, IconsAreTheImagesOfTheLayoutSizeAtTheWindowsDpi)
{
    MakeButton(L"", 80, 40);
    for (BYTE layout : {BYTE{16}, BYTE{32}}) {
        m_button.SetIcons(kRedIcon, kBlueIcon, layout, layout);
        const int size = testing_support::AtWindowDpi(m_button.m_hWnd, layout);
        for (HICON icon : {m_button.NormalIcon(), m_button.HoverIcon()}) {
            EXPECT_EQ(testing_support::IconImageSize(icon).cx, size);
            EXPECT_EQ(testing_support::IconImageSize(icon).cy, size);
        }
        EXPECT_EQ(m_button.IconSize().cx, size);
        Render(0);
        EXPECT_EQ(Count(RECT{0, 0, 80, 40}, [](COLORREF c) { return c == kBlue; }), size * size);
    }
}

// The pixels of the line 3 pixels inside the edge, where the focus
// rectangle goes, that are not the face colour.
int FocusLinePixels(const CScreenPixels& picture, COLORREF face)
{
    const int right = picture.Width() - 4, bottom = picture.Height() - 4;
    const auto marked = [&](COLORREF c) { return c != face; };
    return picture.Count(RECT{3, 3, right + 1, 4}, marked) + picture.Count(RECT{3, bottom, right + 1, bottom + 1}, marked) +
           picture.Count(RECT{3, 4, 4, bottom}, marked) + picture.Count(RECT{right, 4, right + 1, bottom}, marked);
}

// A window that hides the keyboard cues, as Windows does until a key is
// pressed (Wine keeps no cues state and always shows them).
LRESULT CALLBACK HideCues(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR)
{
    if (msg == WM_QUERYUISTATE)
        return UISF_HIDEFOCUS | UISF_HIDEACCEL;
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}

TEST_F(IconButtonTest, TheFocusShowsAsADottedRectangleWhileTheCuesAreOn)
{
    MakeButton(L"", 80, 40);
    Render(0);
    EXPECT_EQ(FocusLinePixels(*m_picture, m_face), 0);
    Render(ODS_FOCUS);
    EXPECT_GT(FocusLinePixels(*m_picture, m_face), 60);
    EXPECT_EQ(At(40, 20), kBlue); // over the picture, not in place of it
    Render(ODS_FOCUS | ODS_NOFOCUSRECT);
    EXPECT_EQ(FocusLinePixels(*m_picture, m_face), 0);

    ::SetWindowSubclass(m_button.m_hWnd, HideCues, 1, 0);
    Render(ODS_FOCUS);
    EXPECT_EQ(FocusLinePixels(*m_picture, m_face), 0);
    ::RemoveWindowSubclass(m_button.m_hWnd, HideCues, 1);
}

TEST_F(IconButtonTest, TheMnemonicIsUnderlinedWhileTheCuesAreOn)
{
    MakeButton(L"&Apply", 120, 40);
    // The caption right of the icon.
    const auto ink = [this] { return Count(RECT{38, 0, 120, 40}, [this](COLORREF c) { return c != m_face; }); };
    Render(0);
    const int underlined = ink();
    Render(ODS_NOACCEL);
    const int plain = ink();
    EXPECT_LT(plain, underlined);
    ::SetWindowSubclass(m_button.m_hWnd, HideCues, 1, 0);
    Render(0);
    EXPECT_EQ(ink(), plain);
    ::RemoveWindowSubclass(m_button.m_hWnd, HideCues, 1);
}

// A dialog of an edit and three icon buttons, the first of them its default.
class CButtonsDialog : public fx::CDialog {
public:
    CButtonsDialog() : CDialog(kButtonsDialog) {}
    static constexpr UINT kButtonsDialog = 300;
    static constexpr int kEdit = 301, kOther = 302;
    std::vector<int> pressed;
    CIconButton go, other, cancel;

protected:
    void DoDataExchange(fx::CDataExchange& dx) override
    {
        fx::DDX_Control(dx, IDOK, go);
        fx::DDX_Control(dx, kOther, other);
        fx::DDX_Control(dx, IDCANCEL, cancel);
    }
    void OnOK() override { pressed.push_back(IDOK); }
    void OnCancel() override { pressed.push_back(IDCANCEL); }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_COMMAND && LOWORD(wp) == kOther)
            pressed.push_back(kOther);
        return CDialog::WindowProc(msg, wp, lp);
    }
};

TEST(IconButtonInADialogTest, EnterPressesTheFocusedButtonElseTheDefaultAndTheFocusShows)
{
    CButtonsDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    testing_support::Keyboard keys;
    HWND edit = dialog.GetDlgItem(CButtonsDialog::kEdit);
    ASSERT_EQ(::GetFocus(), edit);
    EXPECT_TRUE(dialog.go.IsDefault());
    keys.Press(VK_RETURN);
    EXPECT_EQ(dialog.pressed, std::vector<int>{IDOK});

    // Tab to the second button: it becomes the default while it has the focus.
    keys.Press(VK_TAB);
    keys.Press(VK_TAB);
    ASSERT_EQ(::GetFocus(), dialog.other.m_hWnd);
    EXPECT_TRUE(dialog.other.IsDefault());
    EXPECT_FALSE(dialog.go.IsDefault());
    for (const CIconButton* button : {&dialog.go, &dialog.other})
        EXPECT_EQ(::GetWindowLongW(button->m_hWnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ::UpdateWindow(dialog.m_hWnd);
    EXPECT_GT(FocusLinePixels(CScreenPixels(dialog.other.m_hWnd), face), 20);
    EXPECT_EQ(FocusLinePixels(CScreenPixels(dialog.go.m_hWnd), face), 0);
    keys.Press(VK_RETURN);
    EXPECT_EQ(dialog.pressed, (std::vector<int>{IDOK, CButtonsDialog::kOther}));
    keys.Press(VK_SPACE);
    EXPECT_EQ(dialog.pressed, (std::vector<int>{IDOK, CButtonsDialog::kOther, CButtonsDialog::kOther}));

    // Back in the edit, Enter is the dialog's default again; Escape is Cancel.
    keys.Press(VK_TAB);
    keys.Press(VK_TAB);
    ASSERT_EQ(::GetFocus(), edit);
    ::UpdateWindow(dialog.m_hWnd);
    EXPECT_EQ(FocusLinePixels(CScreenPixels(dialog.other.m_hWnd), face), 0);
    keys.Press(VK_RETURN);
    keys.Press(VK_ESCAPE);
    EXPECT_EQ(dialog.pressed,
              (std::vector<int>{IDOK, CButtonsDialog::kOther, CButtonsDialog::kOther, IDOK, IDCANCEL}));
    dialog.DestroyWindow();
}

} // namespace
