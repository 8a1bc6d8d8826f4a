// Thin objects over the standard controls, with the operations the programs use.
#pragma once
#include "framework/Wnd.h"

#include <commctrl.h>
#include <string>

namespace fx {

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
};

class CStatic : public CWnd {
public:
    // Shows the icon and returns the one the control showed before.
    HICON SetIcon(HICON icon) const
    {
        return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    }
};

class CToolTipCtrl : public CWnd {
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl() override;
    // Creates the tooltip window owned by owner.
    bool Create(HWND owner);
    void Activate(bool active) const { SendMessage(TTM_ACTIVATE, active ? TRUE : FALSE); }
    // Registers a whole window as a tool (its id is its handle).
    bool AddTool(HWND tool, const std::wstring& text) const;
    // Registers a rectangle of a window as tool id.
    bool AddTool(HWND window, UINT_PTR id, const RECT& rect, const std::wstring& text) const;
    void UpdateTipText(HWND window, UINT_PTR id, const std::wstring& text) const;
    // Hands a mouse message to the tooltip so it can time its appearance.
    void RelayEvent(MSG* msg) const;
    // The text of a tool, as the tooltip holds it.
    std::wstring GetText(HWND window, UINT_PTR id) const;
};

} // namespace fx
