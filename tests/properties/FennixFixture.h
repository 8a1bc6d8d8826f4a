// Starts Fennix in-process as the program does (application object, CreateFrame).
#pragma once
#include "common/DropList.h"
#include "properties/MirelPropertyFrame.h"
#include "properties/MirelPropertySheet.h"
#include "properties/PropertiesApp.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace fennix;

class FennixTest : public ::testing::Test {
protected:
    void SetUp() override { testing_support::PumpMessages(); }
    void TearDown() override { Stop(); }

    void Stop()
    {
        m_app.reset();
        testing_support::PumpMessages();
    }

    // The first item is read on a worker: ready once the frame shows what it
    // found, with the windows that come after its first paint.
    bool Settled() const { return Sheet() && !Sheet()->IsLookingUp() && !Sheet()->IsMakingLateWindows(); }
    void Start()
    {
        m_app = std::make_unique<CPropertiesApp>();
        m_app->CreateFrame();
        ASSERT_NE(Sheet(), nullptr);
        ASSERT_TRUE(testing_support::PumpUntil([this] { return Settled(); }));
        testing_support::PumpMessages();
    }

    // Starts anew on these paths, put on the clipboard as the shell integration does.
    void Open(const std::vector<std::wstring>& paths)
    {
        Stop();
        testing_support::PutDropListOnClipboard(paths);
        Start();
    }
    // Drops paths on the sheet or the drop window and waits for the pages they bring.
    void DropOn(HWND window, const std::vector<std::wstring>& paths)
    {
        ::SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDropList(paths)), 0);
        ASSERT_TRUE(testing_support::PumpUntil([this] { return Settled(); }));
        testing_support::PumpMessages();
    }

    static void Click(HWND button)
    {
        ::SendMessageW(button, BM_CLICK, 0, 0);
        testing_support::PumpMessages();
    }
    CMirelPropertyFrame* Frame() const { return m_app ? m_app->Frame() : nullptr; }
    CMirelPropertySheet* Sheet() const { return Frame() ? Frame()->Sheet() : nullptr; }
    std::vector<std::wstring> Items() const
    {
        std::vector<std::wstring> items;
        for (int i = 0; i < Sheet()->Items().GetCount(); ++i)
            items.push_back(Sheet()->Items().GetAt(i));
        return items;
    }
    // Page template ids, in tab order.
    std::vector<UINT> Pages() const
    {
        std::vector<UINT> pages;
        for (int i = 0; i < Sheet()->GetPageCount(); ++i)
            pages.push_back(Sheet()->GetPage(i)->TemplateId());
        return pages;
    }
    int TabCount() const
    {
        HWND tab = reinterpret_cast<HWND>(Sheet()->SendMessage(PSM_GETTABCONTROL));
        return static_cast<int>(::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    }

    testing_support::TempDir m_temp;
    std::unique_ptr<CPropertiesApp> m_app;
};
