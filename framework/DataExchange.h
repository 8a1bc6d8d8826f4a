// Dialog data exchange: one DoDataExchange per dialog moves every bound value
// between its control and its member, in the direction the exchange says.
// Saving can be refused: a value the user must mend is reported, the focus
// goes back to its control, and UpdateData(true) returns false.
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

    // Notes the control whose value is being exchanged: a refusal refers to it.
    void PrepareControl(int id) { m_lastControl = id; }
    // Refuses the values being saved because of the last prepared control:
    // shows text, and puts the focus back on that control. Only the first
    // refusal of an exchange speaks; the user mends one thing at a time.
    void Fail(const std::wstring& text);
    bool Failed() const { return m_failed; }

private:
    HWND m_dialog;
    int m_lastControl = 0;
    bool m_failed = false;

public:
    const bool m_bSaveAndValidate;
};

// Attaches the object to the dialog item the first time (later calls do nothing).
void DDX_Control(CDataExchange& dx, int id, CWnd& control);
void DDX_Text(CDataExchange& dx, int id, std::wstring& value);
// A whole number from minimum to maximum typed in an edit box. Anything else,
// text that is no number as well, is refused with the range message (a
// person who typed "abc" needs the range as much as one who typed 11) and
// leaves value as it was.
void DDX_Text(CDataExchange& dx, int id, int& value, int minimum, int maximum);
// Check box state: 0 cleared, 1 ticked, 2 indeterminate.
void DDX_Check(CDataExchange& dx, int id, int& value);
// Date and time picker; a picker showing "no date" leaves the value alone.
void DDX_DateTime(CDataExchange& dx, int id, SYSTEMTIME& value);

} // namespace fx
