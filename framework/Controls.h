// Thin objects over the standard controls, with the operations the programs use.
#pragma once
#include "framework/Wnd.h"

#include <commctrl.h>
#include <string>

namespace fx {

// Registers, for this process, a window class that a dialog template can
// name for a control we draw ourselves (the pie chart, say). The class does
// nothing of its own (DefWindowProc, double-clicks reported); the control's
// object attaches to the dialog item like any other control (DDX_Control).
// Calling it again for a registered class succeeds and changes nothing.
bool RegisterCustomControlClass(const wchar_t* className);

class CButton : public CWnd {};

class CComboBox : public CWnd {};

class CListBox : public CWnd {};

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
    // Registers a whole window as a tool (its id is its handle). Every tool
    // watches its window's mouse messages itself, so the tip also shows
    // under message loops that are not ours (a modal property sheet's).
    bool AddTool(HWND tool, const std::wstring& text) const;
    // Registers a rectangle of a window as tool id.
    bool AddTool(HWND window, UINT_PTR id, const RECT& rect, const std::wstring& text) const;
    void UpdateTipText(HWND window, UINT_PTR id, const std::wstring& text) const;
    // Moves the rectangle of tool id (one added with a rectangle).
    void SetToolRect(HWND window, UINT_PTR id, const RECT& rect) const;
    // The text of a tool, as the tooltip holds it.
    std::wstring GetText(HWND window, UINT_PTR id) const;
};

// An extended combo box (WC_COMBOBOXEX): entries with an image each. The
// box does not own its image list; whoever sets one keeps it alive.
class CComboBoxEx : public CWnd {
public:
    HIMAGELIST SetImageList(HIMAGELIST images) const
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
    }
    // Inserts an entry at index (-1: at the end) showing image both normally
    // and when selected; returns its index, or -1.
    int InsertItem(int index, const std::wstring& text, int image) const;
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    // -1 selects no entry.
    void SetCurSel(int index) const { SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // The first entry whose whole text equals text, ignoring case; -1 when none.
    int FindStringExact(const std::wstring& text) const
    {
        return static_cast<int>(
            SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
    }
    std::wstring GetItemText(int index) const;
};

class CProgressCtrl : public CWnd {
public:
    void SetRange32(int lower, int upper) const { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    void SetPos(int position) const { SendMessage(PBM_SETPOS, static_cast<WPARAM>(position)); }
};

} // namespace fx
