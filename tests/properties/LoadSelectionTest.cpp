#include "tests/properties/FennixFixture.h"

#include "properties/res/resource.h"

#include <shlobj.h>

#include <array>

using namespace fennix;

namespace {

using namespace testing_support;

const std::vector<UINT> kAboutOnly{IDD_ABOUT};

// The selection is read whole and in full form; only one existing file gets its page at once. A list read
// leaves the clipboard, anything else stays. Closing, Escape and Enter on the About page end the program.
TEST_F(FennixTest, TheSelectionIsReadIntoItemsInItsFullFormAndTheClipboardEmptied)
{
    const std::wstring a = m_temp.MakeFile(L"a.txt"), b = m_temp.MakeFile(L"b.txt"), folder = m_temp.MakeFolder(L"sub");
    const std::wstring gone = (m_temp.Path() / L"vanished.txt").wstring();
    const std::wstring longName = m_temp.MakeFile(std::wstring(120, L'l') + L"\\" + std::wstring(120, L'm') + L"\\" +
                                                  std::wstring(40, L'n') + L".txt");
    const std::wstring foreign = m_temp.MakeFile(L"Žluťoučký кінь 日本.txt");
    using Paths = std::vector<std::wstring>;
    // How it is put on the clipboard, the items read, whether the file page shows, the clipboard's text after.
    std::vector<std::tuple<std::function<void()>, Paths, bool, std::wstring>> cases{
        {[&] { PutDropListOnClipboard({a}); }, {a}, true, L""},
        {[&] { PutDropListOnClipboard({folder}); }, {folder}, false, L""},
        {[&] { PutDropListOnClipboard({a, b}); }, {a, b}, false, L""},
        {[&] { PutDropListOnClipboard({gone}); }, {gone}, false, L""},
        {[&] { PutDropListOnClipboard({a, folder, b}); }, {a, folder, b}, false, L""},
        {[&] { PutDropListOnClipboard({longName, foreign}); }, {longName, foreign}, false, L""},
        {[] { PutAnsiDropListOnClipboard({"C:\\windows", "C:\\windows\\win.ini"}); },
         {L"C:\\windows", L"C:\\windows\\win.ini"}, false, L""},
        {[] { PutDropListOnClipboard({L"C:\\..\\..\\windows\\.\\win.ini"}); }, {L"C:\\windows\\win.ini"}, true, L""},
        {[] { PutDropListOnClipboard({L"C:\\"}); }, {L"C:\\"}, false, L""}, // no page for a drive
        {[] { fx::CClipboard clipboard; ::EmptyClipboard(); }, {}, false, L""},
        {[] { PutTextOnClipboard(L"some text"); }, {}, false, L"some text"},
        {[] { PutDropListOnClipboard({}); }, {}, false, L""},
    };
    for (const std::wstring& path : {(m_temp.Path() / L"*.txt").wstring(), std::wstring(L"NUL"), std::wstring(L"COM1"),
                                     std::wstring(L"\\\\.\\CON"), std::wstring(L"C:\\windows\\NUL"), std::wstring(L"win.ini")})
        cases.emplace_back([path] { PutDropListOnClipboard({path}); }, Paths{}, false, L"");
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [put, expected, oneFile, left] = cases[i];
        SCOPED_TRACE(i);
        put();
        Start();
        EXPECT_EQ(Items(), expected);
        EXPECT_EQ(Pages(), oneFile ? (std::vector<UINT>{IDD_ABOUT, IDD_FILE_PAGE}) : kAboutOnly);
        EXPECT_EQ(TabCount(), oneFile ? 2 : 1);
        EXPECT_EQ(Sheet()->GetActiveIndex(), oneFile ? 1 : 0);
        EXPECT_EQ(ClipboardText(), left);
        EXPECT_EQ(ClipboardIsEmpty(), left.empty());
        EXPECT_TRUE(Frame()->IsWindowVisible());
        const WPARAM key = std::array<WPARAM, 3>{0, VK_ESCAPE, VK_RETURN}[i % 3];
        if (key == 0 || oneFile) {
            Frame()->SendMessage(WM_CLOSE);
        } else {
            MSG msg{Sheet()->GetPage(0)->m_hWnd, WM_KEYDOWN, key, 0, 0, {0, 0}};
            if (!fx::CWinApp::PreTranslate(&msg))
                ::DispatchMessageW(&msg);
        }
        int code = -1;
        EXPECT_TRUE(PumpMessages(&code)) << "key " << key;
        EXPECT_EQ(code, 0);
        Stop();
    }
}

} // namespace
