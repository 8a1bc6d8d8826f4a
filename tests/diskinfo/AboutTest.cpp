// The About button.
#include "tests/diskinfo/DovrinFixture.h"

#include "Version.h"

#define WIDE_LITERAL(text) L##text
#define WIDE(text) WIDE_LITERAL(text)

namespace {

using namespace testing_support;

// What the About box showed, seen from inside its own message loop.
struct AboutSeen {
    HWND dialog = nullptr;
    bool found = false;
    bool dialogEnabled = true;
    std::wstring version;
};
AboutSeen g_seen;

void CALLBACK CloseAbout(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND about = ::FindWindowW(L"#32770", L"About Dovrin");
    if (!about || !::IsWindowVisible(about))
        return; // not up yet: the timer comes again
    ::KillTimer(nullptr, timer);
    g_seen.found = true;
    g_seen.dialogEnabled = ::IsWindowEnabled(g_seen.dialog) != FALSE;
    HWND child = nullptr;
    while ((child = ::FindWindowExW(about, child, L"Static", nullptr)) != nullptr)
        if (WindowText(child).find(L"Version") != std::wstring::npos)
            g_seen.version = WindowText(child);
    ::PostMessageW(about, WM_CLOSE, 0, 0);
}

TEST_F(DovrinTest, AboutRunsModallyOverTheDisabledDialog)
{
    Start(L"C:\\");
    g_seen = AboutSeen{};
    g_seen.dialog = Dialog();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, CloseAbout);
    ::SendMessageW(Item(IDC_ABOUT), BM_CLICK, 0, 0); // returns once the About box is closed
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_seen.found);
    EXPECT_FALSE(g_seen.dialogEnabled);
    // The version of project() in the top CMakeLists.txt.
    EXPECT_EQ(g_seen.version, WIDE(CORVALE_ABOUT_VERSION_DOVRIN));
    EXPECT_TRUE(::IsWindowEnabled(Dialog()));
    EXPECT_EQ(::FindWindowW(L"#32770", L"About Dovrin"), nullptr);
}

} // namespace
