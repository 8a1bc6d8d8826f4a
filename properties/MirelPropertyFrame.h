// Fennix's main window: a small topmost frame sized exactly to the property
// sheet it holds, with the sheet's minimise button at its top-right corner.
// At a change of DPI it fits itself to the sheet again once the sheet has
// taken its new size.
#pragma once
#include "framework/Dialog.h"
#include "framework/Wnd.h"

namespace fennix {

class CMirelPropertySheet;

class CMirelPropertyFrame : public fx::CFrameWnd {
public:
    // The sheet, while its window exists (it deletes itself when destroyed).
    CMirelPropertySheet* Sheet() const { return ::IsWindow(m_sheetWindow) ? m_pSheet : nullptr; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    int OnCreate();
    // Gives the keyboard to the sheet; false when it has nothing to take it.
    bool FocusSheet() const;
    void FitToSheet();
    void CreateMinimizeButton();
    void PlaceMinimizeButton(const RECT& frameRect);

    CMirelPropertySheet* m_pSheet = nullptr;
    HWND m_sheetWindow = nullptr;
    fx::CAppIcon m_appIcon;
};

} // namespace fennix
