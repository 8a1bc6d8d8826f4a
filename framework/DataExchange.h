// Dialog data exchange: one DoDataExchange per dialog moves every bound value
// between its control and its member, in the direction the exchange says.
#pragma once
#include <windows.h>
#include <string>

namespace fx {

class CWnd;

class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saveAndValidate) : m_dialog(dialog), m_bSaveAndValidate(saveAndValidate) {}
    HWND Control(int id) const { return ::GetDlgItem(m_dialog, id); }
    HWND Dialog() const { return m_dialog; }

private:
    HWND m_dialog;

public:
    const bool m_bSaveAndValidate;
};

// Attaches the object to the dialog item the first time (later calls do nothing).
void DDX_Control(CDataExchange& dx, int id, CWnd& control);
void DDX_Text(CDataExchange& dx, int id, std::wstring& value);
// Check box state: 0 cleared, 1 ticked, 2 indeterminate.
void DDX_Check(CDataExchange& dx, int id, int& value);
// Date and time picker; a picker showing "no date" leaves the value alone.
void DDX_DateTime(CDataExchange& dx, int id, SYSTEMTIME& value);

} // namespace fx
