// What a keyboard user meets in a dialog, looked at as the dialog manager
// sees it: the controls on show (a property sheet's with those of the page
// it shows), their tab stops and their mnemonics.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// The faults of a dialog for the keyboard, in words; none is what it should
// have. A fault is:
// - a letter that is the mnemonic of two controls (Alt and the letter can
//   reach only one of them);
// - a button with a caption but no mnemonic (OK and Cancel, which Enter and
//   Escape press, and boxes that only ever show a state are let off);
// - a field whose label has no mnemonic, or a label whose mnemonic leads to
//   no field (the dialog manager takes it to the next tab stop);
// - a control the user works with that no Tab reaches.
std::vector<std::wstring> KeyboardFaults(HWND dialog);

// The same for a menu: two items of one menu that share a mnemonic, or an
// item without one (the items the program makes from the user's data, whose
// texts are not its own, are left out by giving their command ids).
std::vector<std::wstring> MenuKeyboardFaults(HMENU menu, UINT firstDataId = 0, UINT lastDataId = 0);

} // namespace testing_support
