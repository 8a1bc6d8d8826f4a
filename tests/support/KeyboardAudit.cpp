#include "tests/support/KeyboardAudit.h"

#include "framework/Wnd.h"

#include <commctrl.h>

#include <cwctype>
#include <map>

namespace testing_support {

namespace {

// The letter after the text's one "&" ("&&" shows an ampersand), in upper case; 0 when none.
wchar_t MnemonicOf(const std::wstring& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] != L'&')
            return static_cast<wchar_t>(std::towupper(text[i + 1]));
        ++i;
    }
    return 0;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring SharedMnemonic(wchar_t letter, const std::wstring& first, const std::wstring& second)
{
    return std::wstring(L"'") + letter + L"' is the mnemonic of both " + Quoted(first) + L" and " + Quoted(second);
}

struct Control {
    HWND hwnd;
    std::wstring className;
    std::wstring text;
    LONG style;
    LRESULT code; // WM_GETDLGCODE

    bool Is(const wchar_t* name) const { return ::lstrcmpiW(className.c_str(), name) == 0; }
    bool TabStop() const { return (style & WS_TABSTOP) != 0; }
    bool Enabled() const { return !(style & WS_DISABLED); }
    bool GroupBox() const { return Is(L"Button") && (style & BS_TYPEMASK) == BS_GROUPBOX; }
    // A text the dialog manager looks for a mnemonic in: a label's, a group box's, a button's (a link's).
    bool ShowsMnemonic() const
    {
        if (Is(L"Static"))
            return !(style & SS_NOPREFIX) && (style & SS_TYPEMASK) <= SS_RIGHT;
        return Is(L"Button");
    }
    // A label: its mnemonic moves the focus on to the next tab stop.
    bool Label() const { return ShowsMnemonic() && (code & DLGC_STATIC) && !(code & DLGC_BUTTON); }
    // What a label leads to: anything the user types into or chooses in.
    bool Field() const
    {
        if (Is(L"Edit"))
            return !(style & ES_READONLY) || TabStop();
        for (const wchar_t* name : {L"ComboBox", WC_COMBOBOXEXW, L"ListBox", WC_LISTVIEWW, DATETIMEPICK_CLASSW})
            if (Is(name))
                return true;
        return false;
    }
    // What the user works with and Tab must reach.
    bool Interactive() const
    {
        if (Is(L"Button"))
            return !GroupBox();
        return Field() || Is(WC_TABCONTROLW);
    }
};

// The controls on show in the dialog manager's order, a child's that holds controls (a page) in its place.
void Collect(HWND parent, std::vector<Control>& controls)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child))
            continue;
        if (::GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) {
            Collect(child, controls);
            continue;
        }
        wchar_t className[64] = L"";
        ::GetClassNameW(child, className, 64);
        controls.push_back({child, className, fx::WindowText(child), ::GetWindowLongW(child, GWL_STYLE),
                            ::SendMessageW(child, WM_GETDLGCODE, 0, 0)});
    }
}

} // namespace

std::vector<std::wstring> KeyboardFaults(HWND dialog)
{
    std::vector<Control> controls;
    Collect(dialog, controls);
    std::vector<std::wstring> faults;

    std::map<wchar_t, std::wstring> owners;
    for (const Control& control : controls) {
        if (!control.ShowsMnemonic())
            continue;
        const wchar_t letter = control.text.empty() ? 0 : MnemonicOf(control.text);
        if (letter && owners.count(letter))
            faults.push_back(SharedMnemonic(letter, owners[letter], control.text));
        else if (letter)
            owners[letter] = control.text;
        const int id = ::GetDlgCtrlID(control.hwnd);
        const bool pressedByEnterOrEscape = id == IDOK || id == IDCANCEL;
        const bool showsAState = (control.style & BS_TYPEMASK) != BS_OWNERDRAW && !control.Enabled();
        if (!letter && control.Is(L"Button") && !control.GroupBox() && !control.text.empty() &&
            !pressedByEnterOrEscape && !showsAState)
            faults.push_back(L"the button " + Quoted(control.text) + L" has no mnemonic");
    }

    for (size_t i = 0; i < controls.size(); ++i) {
        const Control& control = controls[i];
        if (control.Interactive() && control.Enabled() && !control.TabStop() &&
            !(control.Is(L"Edit") && (control.style & ES_READONLY)))
            faults.push_back(L"no Tab reaches " + control.className + L" " + Quoted(control.text));
        if (control.Label() && MnemonicOf(control.text)) {
            size_t next = i + 1;
            while (next < controls.size() && !(controls[next].TabStop() && controls[next].Enabled()))
                ++next;
            if (next == controls.size() || !controls[next].Field())
                faults.push_back(L"the mnemonic of " + Quoted(control.text) + L" leads to no field");
        }
        if (control.Field() && control.TabStop()) {
            // Its label is the control before it, past texts that are part of the field (a prefix, a value).
            size_t before = i;
            while (before > 0 && controls[before - 1].Is(L"Static") && (controls[before - 1].style & SS_NOPREFIX))
                --before;
            if (before > 0 && controls[before - 1].Label() && !controls[before - 1].text.empty() &&
                !MnemonicOf(controls[before - 1].text))
                faults.push_back(L"the label " + Quoted(controls[before - 1].text) + L" has no mnemonic");
        }
    }
    return faults;
}

std::vector<std::wstring> MenuKeyboardFaults(HMENU menu, UINT firstDataId, UINT lastDataId)
{
    std::vector<std::wstring> faults;
    std::map<wchar_t, std::wstring> owners;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = 256;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item) || (item.fType & MFT_SEPARATOR))
            continue;
        if (item.hSubMenu) {
            const std::vector<std::wstring> inner = MenuKeyboardFaults(item.hSubMenu, firstDataId, lastDataId);
            faults.insert(faults.end(), inner.begin(), inner.end());
        } else if (firstDataId != 0 && item.wID >= firstDataId && item.wID <= lastDataId) {
            continue;
        }
        const wchar_t letter = MnemonicOf(text);
        if (!letter)
            faults.push_back(L"the menu item " + Quoted(text) + L" has no mnemonic");
        else if (owners.count(letter))
            faults.push_back(SharedMnemonic(letter, owners[letter], text));
        else
            owners[letter] = text;
    }
    return faults;
}

} // namespace testing_support
