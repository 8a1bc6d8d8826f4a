// The small topmost window that stands in for Fennix while it is hidden:
// double-click (or close) brings the sheet back, a drop starts it over.
#pragma once
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Handle.h"

namespace fennix {

class CMirelPropertySheet;

class CDropWindow : public fx::CDialog {
public:
    CDropWindow();

    void SetSheet(CMirelPropertySheet* sheet) { m_pSheet = sheet; }
    // The icon drawn now: the waiting one, or the one shown after a drop.
    HICON CurrentIcon() const { return m_currentIcon; }
    HICON WaitingIcon() const { return m_waitingIcon.Get(); }
    HICON DroppedIcon() const { return m_droppedIcon.Get(); }
    const fx::CToolTipCtrl& ToolTip() const { return m_toolTip; }

protected:
    BOOL OnInitDialog() override;
    // Enter and Escape restore the sheet as closing does: the program must
    // never be left with nothing on the screen.
    void OnOK() override { RestoreSheet(); }
    void OnCancel() override { RestoreSheet(); }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void OnShown();
    // Loads both icons at their size for the window's DPI.
    void LoadIcons();
    void OnPaint();
    void RestoreSheet();
    void SetCurrentIcon(HICON icon);

    fx::CToolTipCtrl m_toolTip;
    HICON m_currentIcon = nullptr;
    CMirelPropertySheet* m_pSheet = nullptr;
    fx::CIconHandle m_droppedIcon;
    fx::CIconHandle m_waitingIcon;
};

} // namespace fennix
